// Hexadecimal texts of the pages: at most a given number of digits, either case.
#pragma once

#include "platform/base/CString.h"

class CWnd;

// The value of a text of hexadecimal digits; -1 when it holds another character or more than
// maxDigits digits. An empty text is 0.
int ParseHexDigits(const CString& text, int maxDigits);
// The hexadecimal digits of a text in upper case, the first maxDigits of them.
CString HexDigitsOf(const CString& text, int maxDigits);
// Holds an edit of a dialog to hexadecimal digits however its text came (typed or pasted):
// replaces a text with anything else by its digits and returns FALSE (the edit then reports
// the corrected text as a change of its own); TRUE when the text was clean.
bool KeepHexDigits(CWnd& dlg, UINT nID, int maxDigits);
