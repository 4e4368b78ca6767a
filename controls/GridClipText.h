// Reading the cell text that the grid takes from the clipboard or from a drop: rows separated
// by line feeds (a carriage return before them is dropped), cells by tabs. Text with a tab, or
// of exactly one character, is read cell by cell; other text character by character, one
// character a cell. Any program may have put the text there: nothing in it is trusted.
#pragma once

#include "platform/base/CString.h"

#include <vector>

struct GridClipLine {
    std::vector<CString> items;  // one a cell, white space trimmed from both ends
};

struct GridClipText {
    BOOL bCellMode = FALSE;
    // In cell mode an empty line leaves a row out (a line with no items); in character mode
    // empty lines are dropped.
    std::vector<GridClipLine> lines;
};

// Reads text of up to nLength characters (it ends earlier at a zero character).
GridClipText ParseGridClipText(const wchar_t* pText, size_t nLength);

// Copied cell text: the rows' texts separated by "\r\n", the cells' by tabs.
CString FormatGridClipText(const std::vector<std::vector<CString>>& rows);
