// The parameter texts shown left of a block's parameter pin: where the column starts and what
// each row says, built from the block's stored settings.
#pragma once

#include "platform/base/Afx.h"

#include <functional>
#include <vector>

class CBlockObj;

struct ParameterTextRow {
    int row;       // row k: its top lies at (pin y) - 3 + k x line height
    CString text;  // as the row shows it; control characters are not drawn
};

struct ParameterTextColumn {
    int x = 0;  // left edge of every row
    std::vector<ParameterTextRow> rows;
};

// The column of a block's parameter texts. cw is the character width; measure gives the width
// of a text in the font the texts are drawn in. bNewLayout: machine type 0x51 or above.
ParameterTextColumn BuildParameterTexts(const CBlockObj& block, bool bNewLayout, int cw,
                                        const std::function<int(const CString&)>& measure);
