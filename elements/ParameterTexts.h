// The parameter texts shown left of a block's parameter pin: where the column starts and what
// each row says, built from the block's stored settings.
#pragma once

#include "platform/base/Afx.h"

#include <array>
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

// What a column is built from, for the blocks whose texts come from the settings every element
// has; two equal keys give the same column.
struct ParameterTextKey {
    std::array<long long, 40> values{};
    bool operator==(const ParameterTextKey& o) const { return values == o.values; }
    bool operator!=(const ParameterTextKey& o) const { return values != o.values; }
};

// Fills *pKey and returns true when the block's column comes from its common settings alone, the
// ones the key holds: not for the types whose texts read family settings or measure text.
bool GetParameterTextKey(const CBlockObj& block, bool bNewLayout, int cw, ParameterTextKey* pKey);
