#include "view/PrintTiles.h"

#include <algorithm>

namespace {

// Edge k of n equal shares of a length, rounded down: the shares differ by one unit at most.
int Edge(int length, int k, int n) { return int(static_cast<long long>(length) * k / n); }

}  // namespace

void CPrintTiles::SetLayout(int nAcross, int nDown, CSize picture)
{
    m_nAcross = std::max(1, nAcross);
    m_nDown = std::max(1, nDown);
    m_picture = CSize(std::max(0, int(picture.cx)), std::max(0, int(picture.cy)));
}

CRect CPrintTiles::GetTile(int nPage) const
{
    if (nPage < 1 || nPage > GetPageCount())
        return CRect();
    const int column = (nPage - 1) % m_nAcross;
    const int row = (nPage - 1) / m_nAcross;
    return CRect(Edge(m_picture.cx, column, m_nAcross), Edge(m_picture.cy, row, m_nDown),
                 Edge(m_picture.cx, column + 1, m_nAcross), Edge(m_picture.cy, row + 1, m_nDown));
}
