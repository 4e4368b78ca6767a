// The wire graph while it is edited: junction dots where wires leave one pin together and part,
// the tidying of a wire's bends after a drag, and moving a dragged wire end to another pin.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "view/DiagramIndex.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

const CPoint kNone(CConnectLineObj::kNoJunction, CConnectLineObj::kNoJunction);

void ResetMarkers(CConnectLineObj* w)
{
    w->m_junctions.RemoveAll();
    for (INT_PTR i = 0; i < w->m_points.GetSize(); ++i)
        w->m_junctions.Add(kNone);
}

void ResizeMarkers(CConnectLineObj* w)
{
    while (w->m_junctions.GetSize() < w->m_points.GetSize())
        w->m_junctions.Add(kNone);
    if (w->m_junctions.GetSize() > w->m_points.GetSize())
        w->m_junctions.SetSize(w->m_points.GetSize());
}

// One marker per vertex; mostly there is one already.
inline void SizeMarkers(CConnectLineObj* w)
{
    if (w->m_junctions.GetSize() != w->m_points.GetSize())
        ResizeMarkers(w);
}

// Vertex j of a wire counted from the shared end (j below Count()).
struct FromEnd {
    FromEnd(const CConnectLineObj* wire, bool bBackwards)
        : points(wire->m_points.GetData()), count(wire->m_points.GetSize()), backwards(bBackwards)
    {
    }
    const CPoint* points;
    INT_PTR count;
    bool backwards;
    INT_PTR Count() const { return count; }
    INT_PTR Own(INT_PTR j) const { return backwards ? count - 1 - j : j; }
    CPoint At(INT_PTR j) const { return points[Own(j)]; }
};

// The divergence rule between wire a and wire b that share a pin.
void MarkDivergence(CConnectLineObj* a, const FromEnd& ra, CConnectLineObj* b, const FromEnd& rb)
{
    for (INT_PTR j = 0; j + 1 < ra.Count() && j + 1 < rb.Count(); ++j) {
        if (ra.At(j) != rb.At(j))
            return;
        const CPoint a0 = ra.At(j), a1 = ra.At(j + 1), b1 = rb.At(j + 1);
        int da, db;
        if (a0.x == a1.x && a0.x == b1.x) {
            da = a1.y - a0.y;
            db = b1.y - a0.y;
        } else if (a0.y == a1.y && a0.y == b1.y) {
            da = a1.x - a0.x;
            db = b1.x - a0.x;
        } else {
            return;
        }
        if (da == 0 || db == 0 || (da > 0) != (db > 0)) {
            a->m_junctions[ra.Own(j)] = ra.At(j);
            return;
        }
        if (std::abs(da) == std::abs(db))
            continue;
        if (std::abs(da) < std::abs(db))
            a->m_junctions[ra.Own(j + 1)] = ra.At(j + 1);
        else
            b->m_junctions[rb.Own(j + 1)] = rb.At(j + 1);
        return;
    }
}

} // namespace

void CTavixView::UpdateJunctions(CConnectLineObj* pWire, CBlockObj* pBlock, BOOL bValidate, int nPin)
{
    if (!pWire)
        return;
    CPtrArray wires;
    GetWiresAtPin(wires, pBlock, nPin);
    if (!bValidate || !m_pIndex) {
        MarkJunctionsAmong(pWire, pBlock, nPin, wires);
        if (bValidate)
            ValidateJunctions(wires);
        return;
    }
    // In a run of separations every dot is valid before a wire is added, and adding one only
    // adds lines: the dots this marking set are the ones to check.
    std::vector<CPoint> before;  // every wire's dots, one after the other
    before.reserve(size_t(wires.GetSize()) * 6);
    for (INT_PTR i = 0; i < wires.GetSize(); ++i) {
        auto* w = static_cast<CConnectLineObj*>(wires[i]);
        SizeMarkers(w);
        before.insert(before.end(), w->m_junctions.GetData(), w->m_junctions.GetData() + w->m_junctions.GetSize());
    }
    MarkJunctionsAmong(pWire, pBlock, nPin, wires);
    size_t at = 0;
    for (INT_PTR i = 0; i < wires.GetSize(); ++i) {
        auto* w = static_cast<CConnectLineObj*>(wires[i]);
        const INT_PTR had = w->m_junctions.GetSize();
        SizeMarkers(w);
        for (INT_PTR j = 0; j < w->m_junctions.GetSize(); ++j)
            if (w == pWire || j >= had || before[at + size_t(j)] != w->m_junctions[j])
                ValidateJunction(w, j);
        at += size_t(had);
    }
}

void CTavixView::MarkJunctionsAmong(CConnectLineObj* pWire, CBlockObj* pBlock, int nPin, const CPtrArray& wires)
{
    SizeMarkers(pWire);
    const FromEnd ra{pWire, !(pWire->m_pStartBlock == pBlock && pWire->m_nStartPin == nPin)};
    for (INT_PTR i = 0; i < wires.GetSize(); ++i) {
        auto* b = static_cast<CConnectLineObj*>(wires[i]);
        if (b == pWire)
            continue;
        SizeMarkers(b);
        const FromEnd rb{b, !(b->m_pStartBlock == pBlock && b->m_nStartPin == nPin)};
        MarkDivergence(pWire, ra, b, rb);
    }
}

void CTavixView::ValidateJunctions(const CPtrArray& wires)
{
    for (INT_PTR i = 0; i < wires.GetSize(); ++i) {
        auto* w = static_cast<CConnectLineObj*>(wires[i]);
        SizeMarkers(w);
        for (INT_PTR j = 0; j < w->m_junctions.GetSize(); ++j)
            ValidateJunction(w, j);
    }
}

void CTavixView::ValidateJunction(CConnectLineObj* w, INT_PTR j)
{
    if (w->m_junctions[j] == kNone)
        return;
    w->m_junctions[j] = w->m_points[j];
    const int x = w->m_points[j].x, y = w->m_points[j].y;
    bool shared;
    if (m_pIndex) {
        // A dot stays where a second line passes: the count stops there.
        int lines = 0, segment = 0, orientation = 0;
        shared = m_pIndex->AnyWireAround(CPoint(x, y), [&](const CConnectLineObj* o) {
            lines += o->HitTestTol(x, y, &segment, &orientation, 1) ? 1 : 0;
            return lines > 1;
        });
    } else {
        shared = CountLinesThrough(x, y) > 1;
    }
    if (!shared)
        w->m_junctions[j] = kNone;
}

void CTavixView::RefreshJunctionsOf(CConnectLineObj* pWire)
{
    if (!pWire)
        return;
    SizeMarkers(pWire);
    if (pWire->m_pStartBlock && CountWiresAtPin(pWire->m_pStartBlock, pWire->m_nStartPin) > 1)
        UpdateJunctions(pWire, pWire->m_pStartBlock, TRUE, pWire->m_nStartPin);
    if (pWire->m_pEndBlock && CountWiresAtPin(pWire->m_pEndBlock, pWire->m_nEndPin) > 1)
        UpdateJunctions(pWire, pWire->m_pEndBlock, TRUE, pWire->m_nEndPin);
}

void CTavixView::NormalizeRoute(CConnectLineObj* pWire)
{
    if (!pWire)
        return;
    auto& v = pWire->m_points;
    const INT_PTR n = v.GetSize();
    if (n == 3) {
        v.RemoveAt(1);
    } else if (n == 4) {
        const int fx = v[0].x, sx = v[3].x;
        int c = v[1].x;
        bool outside = false;
        if (fx < sx) {
            if (c < fx)
                c = fx + 5, outside = true;
            else if (c > sx)
                c = sx - 5, outside = true;
        } else if (fx > sx) {
            if (c > fx)
                c = fx - 5, outside = true;
            else if (c < sx)
                c = sx + 5, outside = true;
        }
        v[1] = CPoint(c, v[0].y);
        v[2] = CPoint(outside ? c : v[2].x, v[3].y);
    } else if (n == 6) {
        const CPoint S = v[0], E = v[5];
        CPoint V1 = v[1], V2 = v[2], V3 = v[3], V4 = v[4];
        if (S.x < E.x) {
            if (V4.x > E.x + 5) {
                const bool wasLeft = V1.x < S.x - 5;
                V1.x = std::min(V1.x, S.x - 5);
                if (!wasLeft) {
                    V2.x = S.x - 5;
                    V3.x = V4.x;
                    V3.y = V2.y;
                }
            } else {
                V4.x = V3.x = E.x + 5;
                V2.x = V1.x;
                V2.y = V3.y;
            }
        } else {
            if (V1.x > S.x + 5 && V4.x >= E.x - 5) {
                V4.x = V3.x = E.x - 5;
                V2.x = V1.x;
                V2.y = V3.y;
            }
            if (V1.x <= S.x + 5) {
                V1.x = V2.x = S.x + 5;
                V3.x = V4.x;
                V3.y = V2.y;
            }
        }
        V1.y = S.y;
        V4.y = E.y;
        v[1] = V1;
        v[2] = V2;
        v[3] = V3;
        v[4] = V4;
    }
    SizeMarkers(pWire);
    InvalidateAll();
}

void CTavixView::RelinkWireEnd(int x, int y, CBlockObj* pTarget, int nPin)
{
    CTavixDoc* pDoc = GetDocument();
    CConnectLineObj* w = m_pCurWire;
    if (!pDoc || !w)
        return;
    const bool endMoves = w->m_nDragEnd != -1;
    CBlockObj* pFixed = endMoves ? w->m_pStartBlock : w->m_pEndBlock;
    const int fixedPin = endMoves ? w->m_nStartPin : w->m_nEndPin;
    CBlockObj* pBus = GetPowerBus();
    (void)x;
    (void)y;
    m_nLinkState = 0;
    if (!pTarget || nPin < 0) {
        m_nLinkState = 1;
        return;
    }
    if (!endMoves && w->m_pEndBlock && w->m_pEndBlock->m_nType == TYPE_MALE && pTarget->m_nType == TYPE_FEMALE) {
        m_nLinkState = 1;
        return;
    }
    m_nLinkState = CheckLink(pFixed, fixedPin, pTarget, nPin, w);
    if (m_nLinkState != 0)
        return;

    // The pin the moving end leaves is unlinked when this wire was its only wire.
    CBlockObj* pOld = endMoves ? w->m_pEndBlock : w->m_pStartBlock;
    const int oldPin = endMoves ? w->m_nEndPin : w->m_nStartPin;
    CRect rc;
    CPoint pt;
    if (pTarget == pBus)
        pt = CPoint(pBus->m_ptOrigin.x, endMoves ? w->m_ptStart.y : w->m_ptEnd.y);
    else if (pDoc->GetPinPosition(&rc, pTarget, nPin))
        pt = rc.CenterPoint();
    else
        return;
    if (pOld && pOld != pBus && oldPin >= 0 && oldPin < kPinCount && CountWiresAtPin(pOld, oldPin) == 1)
        pOld->m_nLink[oldPin] = oldPin < kFirstOutputPin ? LINK_OPEN : LINK_NONE;
    if (endMoves) {
        w->m_ptEnd = pt;
        w->m_pEndBlock = pTarget;
        w->m_nEndNumber = pTarget->m_nNumber;
        w->m_nEndPin = nPin;
    } else {
        w->m_ptStart = pt;
        w->m_pStartBlock = pTarget;
        w->m_nStartNumber = pTarget->m_nNumber;
        w->m_nStartPin = nPin;
    }
    // A fresh route.
    w->m_points.RemoveAll();
    w->m_points.Add(w->m_ptStart);
    const bool busWire = pBus && (pTarget == pBus || pFixed == pBus);
    if (!busWire) {
        const int m = (w->m_ptStart.x + w->m_ptEnd.x) / 2;
        w->m_points.Add(CPoint(m, w->m_ptStart.y));
        w->m_points.Add(CPoint(m, w->m_ptEnd.y));
    }
    w->m_points.Add(w->m_ptEnd);
    if (!busWire) {
        pDoc->MoveWireEnd(w, w->m_ptStart.x, w->m_ptStart.y, TRUE, w->m_nStartPin < kFirstOutputPin ? 2 : 1);
        pDoc->MoveWireEnd(w, w->m_ptEnd.x, w->m_ptEnd.y, FALSE, w->m_nEndPin < kFirstOutputPin ? 2 : 1);
    }
    StoreWireLinks(w);
    ResetMarkers(w);
    CBlockObj* pFirst = pTarget;
    const int firstPin = nPin;
    if (CountWiresAtPin(pFirst, firstPin) > 1)
        UpdateJunctions(w, pFirst, FALSE, firstPin);
    if (pFixed && CountWiresAtPin(pFixed, fixedPin) > 1)
        UpdateJunctions(w, pFixed, TRUE, fixedPin);
    // The wires left at the old pin lose the dots they shared with this one.
    if (pOld) {
        CPtrArray left;
        GetWiresAtPin(left, pOld, oldPin);
        ValidateJunctions(left);
    }
    TakeSnapshot();
    InvalidateAll();
}
