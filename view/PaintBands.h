// The elements of a diagram sorted, once per paint, into the horizontal bands in which the view
// paints a large area: each band then visits only the elements that can reach it, in the
// document's order, instead of testing every element of the diagram again.
#pragma once

#include "platform/base/Afx.h"

#include <vector>

class CBlockObj;
class CConnectLineObj;
class CTavixDoc;
class CDC;

class CPaintBands {
public:
    // Bands of `rows` device rows from device row `top` down to `bottom`, for a context that
    // maps the document's units to device units as pDC does.
    CPaintBands(const CTavixDoc& doc, CDC* pDC, int top, int bottom, int rows);

    int Count() const { return int(m_bands.size()); }
    // The elements that may paint in band i, in the document's order.
    const std::vector<CBlockObj*>& Blocks(int i) const { return m_bands[size_t(i)].blocks; }
    const std::vector<CConnectLineObj*>& Wires(int i) const { return m_bands[size_t(i)].wires; }

private:
    struct Band {
        std::vector<CBlockObj*> blocks;
        std::vector<CConnectLineObj*> wires;
    };
    // The bands that rows top .. bottom (logical units) can reach; false when none.
    bool Span(LONG top, LONG bottom, int* pFirst, int* pLast) const;

    std::vector<Band> m_bands;
    int m_top = 0, m_rows = 1;
    double m_scale = 1, m_offset = 0;  // device row = logical row x scale + offset
};
