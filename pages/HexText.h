// Hexadecimal texts of the pages: at most a given number of digits, either case.
#pragma once

#include "platform/base/CString.h"

// The value of a text of hexadecimal digits; -1 when it holds another character or more than
// maxDigits digits. An empty text is 0.
int ParseHexDigits(const CString& text, int maxDigits);
