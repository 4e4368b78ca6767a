// The small pictogram of a block type in the 25 x 36 box of a field's description: the block's
// short name and a few strokes of its function.
#pragma once

#include "platform/base/Afx.h"

class CDC;

class CWidgetPictogram
{
public:
    // The short name drawn for a type; empty for a type without one. bHasBlock tells an
    // operand of a ladder program (no block) from a block.
    static CString ShortName(int nType);
    static void Draw(CDC* pDC, const CRect& box, int nType, BOOL bHasBlock, int nNumber);
};
