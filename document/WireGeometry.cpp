// Orthogonal wire geometry: when an end of a wire moves, its neighbour follows so that every
// segment stays horizontal or vertical; a wire that would leave a pin on the wrong side gets a
// detour; redundant corners are removed and folded wires are rebuilt from their two pins.
#include "document/TavixDoc.h"

#include "elements/ConnectLineObj.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMaxVertices = 6;

bool IsOutputPin(int pin) { return pin >= 10 && pin <= 19; }

} // namespace

void CTavixDoc::MoveWireEnd(CConnectLineObj* pWire, int x, int y, BOOL bIsStart, int nKind)
{
    if (pWire == nullptr)
        return;
    auto& pts = pWire->m_points;
    const int n = int(pts.GetSize());
    const CPoint far = bIsStart ? pWire->m_ptEnd : pWire->m_ptStart;
    if (bIsStart)
        pWire->m_ptStart = CPoint(x, y);
    else
        pWire->m_ptEnd = CPoint(x, y);

    const int moved = bIsStart ? 0 : n - 1;
    const int neighbour = bIsStart ? 1 : n - 2;
    const bool vertical = n >= 2 && pts[moved].y != pts[neighbour].y;

    if (n < 3) {
        // A straight wire becomes a Z with its middle segment across the end segment.
        CPoint route[4];
        if (!vertical) {
            const int h = (x + far.x) / 2;
            route[0] = CPoint(x, y);
            route[1] = CPoint(h, y);
            route[2] = CPoint(h, far.y);
            route[3] = far;
        } else {
            const int l = (y + far.y) / 2;
            route[0] = CPoint(x, y);
            route[1] = CPoint(x, l);
            route[2] = CPoint(far.x, l);
            route[3] = far;
        }
        pts.RemoveAll();
        for (int i = 0; i < 4; ++i)
            pts.Add(bIsStart ? route[i] : route[3 - i]);
    } else {
        pts[moved] = CPoint(x, y);
        if (vertical)
            pts[neighbour].x = x;
        else
            pts[neighbour].y = y;
    }
    DetourWire(pWire, bIsStart, nKind);
    SimplifyWire(pWire);
}

void CTavixDoc::DetourWire(CConnectLineObj* pWire, BOOL bIsStart, int nKind)
{
    if (pWire == nullptr || nKind <= 0)
        return;
    auto& pts = pWire->m_points;
    const int n = int(pts.GetSize());
    // With two vertices the neighbour is the far end itself, which must not move.
    if (n < 3)
        return;
    const int e = bIsStart ? 0 : n - 1;
    const int nb = bIsStart ? 1 : n - 2;
    const CPoint end = pts[e];
    const CPoint next = pts[nb];
    const CPoint farEnd = pts[bIsStart ? n - 1 : 0];

    const int h = std::abs(farEnd.y - end.y) >= 80 ? (end.y + farEnd.y) / 2
                                                   : std::max(end.y, farEnd.y) + 50;
    int column;
    if (nKind == 1) {
        if (end.x < next.x - 5)
            return;
        column = end.x + 10;
    } else if (nKind == 2) {
        if (end.x > next.x + 5)
            return;
        column = end.x - 10;
    } else {
        return;
    }

    pts[nb].y = h;
    pts[e] = CPoint(column, h);
    if (bIsStart) {
        pts.InsertAt(0, CPoint(column, end.y));
        pts.InsertAt(0, end);
    } else {
        pts.Add(CPoint(column, end.y));
        pts.Add(end);
    }
}

BOOL CTavixDoc::ChooseBend(const CPoint pts[4], int endX, int endY, int startX, int startY)
{
    // Two vertical segments joined by a horizontal one, running in opposite directions and
    // ending at the same height: the wire goes out and comes straight back, a fold that a
    // rebuilt route does without. A fold that starts or ends at a pin is a deliberate detour.
    const bool shape = pts[0].x == pts[1].x && pts[1].y == pts[2].y && pts[2].x == pts[3].x &&
                       pts[1].x != pts[2].x;
    if (!shape)
        return FALSE;
    const int down1 = pts[1].y - pts[0].y;
    const int down2 = pts[3].y - pts[2].y;
    if (down1 == 0 || down2 == 0 || (down1 > 0) == (down2 > 0) || pts[0].y != pts[3].y)
        return FALSE;
    for (int i = 0; i < 4; ++i) {
        if ((pts[i].x == endX && pts[i].y == endY) || (pts[i].x == startX && pts[i].y == startY))
            return FALSE;
    }
    return TRUE;
}

void CTavixDoc::SimplifyWire(CConnectLineObj* pWire)
{
    if (pWire == nullptr)
        return;
    auto& pts = pWire->m_points;

    for (int i = 0; i + 2 < int(pts.GetSize());) {
        const CPoint a = pts[i];
        const CPoint b = pts[i + 1];
        const CPoint c = pts[i + 2];
        const bool sameColumn = a.x == b.x && b.x == c.x;
        const bool sameRow = b.y == a.y && c.y == a.y;
        if (sameColumn || sameRow)
            pts.RemoveAt(i + 1);
        else
            ++i;
    }

    const int n = int(pts.GetSize());
    if (n > kMaxVertices) {
        const CPoint keep[kMaxVertices] = {pts[0], pts[1], pts[2], CPoint(pts[n - 3].x, pts[2].y),
                                           pts[n - 2], pts[n - 1]};
        pts.RemoveAll();
        for (const CPoint& pt : keep)
            pts.Add(pt);
        // The cut joins the third vertex to the last two across one new corner; when the
        // segments do not alternate as that assumes, a segment comes out slanted: rebuild.
        for (int i = 1; i < kMaxVertices; ++i) {
            if (pts[i].x != pts[i - 1].x && pts[i].y != pts[i - 1].y) {
                RerouteWire(pWire);
                pts.FreeExtra();
                return;
            }
        }
    }

    if (pts.GetSize() > 4) {
        for (int i = 0; i + 3 < int(pts.GetSize()); ++i) {
            const CPoint window[4] = {pts[i], pts[i + 1], pts[i + 2], pts[i + 3]};
            if (ChooseBend(window, pWire->m_ptEnd.x, pWire->m_ptEnd.y, pWire->m_ptStart.x,
                           pWire->m_ptStart.y)) {
                RerouteWire(pWire);
                break;
            }
        }
    }
    pts.FreeExtra();
}

void CTavixDoc::RerouteWire(CConnectLineObj* pWire)
{
    if (pWire == nullptr)
        return;
    const bool fromOutput = IsOutputPin(pWire->m_nStartPin);
    const CPoint s = fromOutput ? pWire->m_ptStart : pWire->m_ptEnd;  // output end
    const CPoint d = fromOutput ? pWire->m_ptEnd : pWire->m_ptStart;  // input end

    CPoint corners[4];
    int count = 0;
    auto add = [&](int x, int y) { corners[count++] = CPoint(x, y); };

    if (d.x < s.x) {
        const int dy = d.y - s.y;
        if (std::abs(dy) >= 60) {
            if (fromOutput) {
                add(s.x + 10, s.y);
                add(s.x + 10, s.y + dy / 2);
                add(d.x - 10, s.y + dy / 2);
                add(d.x - 10, d.y);
            } else {
                add(d.x - 10, d.y);
                add(d.x - 10, d.y - dy / 2);
                add(s.x + 10, d.y - dy / 2);
                add(s.x + 10, s.y);
            }
        } else {
            const int q = fromOutput ? pWire->m_nEndPin : pWire->m_nStartPin;
            const int y = dy < 0 ? d.y - 5 * q - 30 : s.y - 30;
            const int col = d.x - 5 * q - 10;
            if (fromOutput) {
                add(s.x + 10, s.y);
                add(s.x + 10, y);
                add(col, y);
                add(col, d.y);
            } else {
                add(col, d.y);
                add(col, y);
                add(s.x + 10, y);
                add(s.x + 10, s.y);
            }
        }
    } else {
        const int w = std::abs(d.x - s.x);
        if (w >= 30) {
            if (fromOutput) {
                add(s.x + w / 2, s.y);
                add(s.x + w / 2, d.y);
            } else {
                add(d.x - w / 2, d.y);
                add(d.x - w / 2, s.y);
            }
        } else {
            const int m = std::abs(d.y - s.y) / 2;
            const int dy = d.y - s.y;
            if (fromOutput) {
                const int q = pWire->m_nEndPin;
                const int y = dy < 0 ? s.y - m - 5 * q : s.y + m;
                add(s.x + 10, s.y);
                add(s.x + 10, y);
                add(d.x - 5 * q - 12, y);
                add(d.x - 5 * q - 12, d.y);
            } else {
                const int q = pWire->m_nStartPin;
                const int y = dy < 0 ? d.y + m + 5 * q : d.y - m;
                add(d.x - 5 * q - 12, d.y);
                add(d.x - 5 * q - 12, y);
                add(s.x + 12, y);
                add(s.x + 12, s.y);
            }
        }
    }

    auto& pts = pWire->m_points;
    pts.RemoveAll();
    pts.Add(pWire->m_ptStart);
    for (int i = 0; i < count; ++i)
        pts.Add(corners[i]);
    pts.Add(pWire->m_ptEnd);
}
