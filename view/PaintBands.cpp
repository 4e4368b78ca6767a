#include "view/PaintBands.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "elements/PaintTools.h"

#include <algorithm>
#include <cmath>

namespace {

// Device rows added above and below an element's reach for the rounding of the mapping.
constexpr double kMargin = 4;

}  // namespace

CPaintBands::CPaintBands(const CTavixDoc& doc, CDC* pDC, int top, int bottom, int rows)
    : m_top(top), m_rows(std::max(1, rows))
{
    m_bands.resize(size_t(std::max(0, bottom - top + m_rows - 1) / m_rows));
    const CSize window = pDC->GetWindowExt(), viewport = pDC->GetViewportExt();
    m_scale = window.cy != 0 ? double(viewport.cy) / window.cy : 1.0;
    m_offset = pDC->GetViewportOrg().y - pDC->GetWindowOrg().y * m_scale;
    int first = 0, last = 0;
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;) {
        auto* pBlock = static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos));
        const CRect reach = paint::TightPaintReach(*pBlock, &doc);
        if (Span(reach.top, reach.bottom, &first, &last))
            for (int i = first; i <= last; ++i)
                m_bands[size_t(i)].blocks.push_back(pBlock);
    }
    for (POSITION pos = doc.m_wires.GetHeadPosition(); pos;) {
        auto* pWire = static_cast<CConnectLineObj*>(doc.m_wires.GetNext(pos));
        const CRect reach = pWire->GetPaintBounds();
        if (!reach.IsRectNull() && Span(reach.top, reach.bottom, &first, &last))
            for (int i = first; i <= last; ++i)
                m_bands[size_t(i)].wires.push_back(pWire);
    }
}

bool CPaintBands::Span(LONG top, LONG bottom, int* pFirst, int* pLast) const
{
    const double a = top * m_scale + m_offset, b = bottom * m_scale + m_offset;
    const double lo = (std::min(a, b) - kMargin - m_top) / m_rows;
    const double hi = (std::max(a, b) + kMargin - m_top) / m_rows;
    if (!(hi >= 0 && lo < double(m_bands.size())))
        return false;
    *pFirst = int(std::max(0.0, std::floor(lo)));
    *pLast = int(std::min(double(m_bands.size() - 1), std::floor(hi)));
    return true;
}
