// The Chinese interface texts looked up at run time: menu captions by their English caption and
// texts of commands and dialog controls by id, built once at start in a Chinese run; and the
// character classes of the message-text layout.
#pragma once

#include "platform/base/Afx.h"

// English menu caption -> Chinese caption.
extern CMap<CString, const CString&, CString, const CString&> g_mapMenuCaption;
// Command or control id -> Chinese text.
extern CMap<UINT, UINT, CString, LPCTSTR> g_mapChineseText;

// Fills both maps from the program's Chinese resources (menus, dialogs, strings 132-183).
void BuildChineseTextMaps();
// The Chinese text of an id, or `english` when there is none.
CString ChineseTextOr(UINT nID, LPCTSTR english);

// 1 double-width (CJK ideographs and bopomofo), 2 accented Latin, Greek, Cyrillic, Hebrew, Thai
// and Vietnamese letters, 0 everything else.
int GetCharClass(wchar_t ch);
