// The selection handles that elements and comments show around their box.
#pragma once

#include "platform/base/Afx.h"

// Four 8 x 8 handles centred on the corners of the box at origin with the given size: top-left,
// bottom-left, bottom-right, top-right.
void GetCornerHandleRects(CPoint origin, int width, int height, CRect rects[4]);
