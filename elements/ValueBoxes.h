// The light-yellow value box under a block in simulation: filled, then up to three lines of text
// in the 12 x 6 fixed font, restoring the device context's brush and font.
#pragma once

#include "platform/base/Afx.h"

#include <initializer_list>

class CBlockObj;
class CDC;

// Box from (x0, bottom + 2) to (x0 + right, bottom + boxBottom), lines at bottom + 2, + 14, ...
void DrawValueBox(CDC* pDC, const CBlockObj& block, int right, int boxBottom, std::initializer_list<CString> lines);

// FALSE when the box of DrawValueBox with these measures, and the texts it may hold, lie outside
// the clip area: the texts need not be made.
bool IsValueBoxVisible(CDC* pDC, const CBlockObj& block, int right, int boxBottom);
