// Moving the selection: blocks with their wire ends following, wires translated or with one
// segment moved, comments; the drawable area that a move may not leave.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "elements/BlockComment.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "resources/resource.h"

#include <unordered_map>
#include <vector>

namespace {

int PinSideKind(int pin) { return pin < kFirstOutputPin ? 2 : 1; }

void ResetMarkers(CConnectLineObj* w)
{
    w->m_junctions.RemoveAll();
    for (INT_PTR i = 0; i < w->m_points.GetSize(); ++i)
        w->m_junctions.Add(CPoint(CConnectLineObj::kNoJunction, CConnectLineObj::kNoJunction));
}

} // namespace

void CTavixView::TranslateWire(CConnectLineObj* pWire, int dx, int dy, BOOL bInnerOnly)
{
    const INT_PTR n = pWire->m_points.GetSize();
    for (INT_PTR i = 0; i < n; ++i)
        if (!bInnerOnly || (i > 0 && i < n - 1))
            pWire->m_points[i].Offset(dx, dy);
    if (!bInnerOnly) {
        pWire->m_ptStart.Offset(dx, dy);
        pWire->m_ptEnd.Offset(dx, dy);
    }
}

BOOL CTavixView::IsSegmentBlocked(int x, CConnectLineObj* pWire) const
{
    const INT_PTR n = pWire->m_points.GetSize();
    if (m_nHitSegment < 1 || m_nHitSegment >= n)
        return FALSE;
    const int y1 = pWire->m_points[m_nHitSegment - 1].y, y2 = pWire->m_points[m_nHitSegment].y;
    auto near = [&](CPoint end, int pin) {
        if (y1 != end.y && y2 != end.y)
            return false;
        return pin < kFirstOutputPin ? end.x - x <= 5 : x - end.x <= 5;
    };
    return near(pWire->m_ptStart, pWire->m_nStartPin) || near(pWire->m_ptEnd, pWire->m_nEndPin);
}

void CTavixView::MoveWireSegment(int dx, int dy, CConnectLineObj* pWire, UINT nKey)
{
    if ((dx == 0 && dy == 0) || !pWire)
        return;
    auto& v = pWire->m_points;
    const INT_PTR n = v.GetSize();
    const bool blockMove = m_nEditMode == modeMoveBlocks && nKey == 0;
    int orient = m_nHitOrient;
    if (blockMove || nKey != 0)
        orient = dx == 0 ? 1 : (dy == 0 ? 0 : -1);
    // Moves the vertical segment ending at vertex `seg` unless it would crowd an end pin.
    auto moveVertical = [&](int seg) {
        const int keep = m_nHitSegment;
        m_nHitSegment = seg;
        if (seg >= 1 && seg < n && !IsSegmentBlocked(v[seg].x + dx, pWire)) {
            v[seg - 1].x += dx;
            v[seg].x += dx;
        }
        m_nHitSegment = keep;
    };
    if (orient == -1) {
        if (n == 2) {
            v.InsertAt(1, CPoint((v[0].x + v[1].x) / 2, (v[0].y + v[1].y) / 2));
        } else if (n == 3 || n == 4 || n == 6) {
            for (INT_PTR i = 1; i < n - 1; ++i)
                v[i].Offset(dx, dy);
        }
    } else if (orient == 1) {
        if (nKey != 0 || blockMove) {
            if ((nKey == 0 || nKey == VK_UP || nKey == VK_DOWN) && n == 6) {
                v[2].y += dy;
                v[3].y += dy;
            }
        } else if (m_nHitSegment >= 1 && m_nHitSegment < n) {
            v[m_nHitSegment - 1].y += dy;
            v[m_nHitSegment].y += dy;
        }
    } else if (orient == 0) {
        if (nKey != 0 || blockMove) {
            if (nKey == 0 || nKey == VK_LEFT || nKey == VK_RIGHT) {
                if (n == 4)
                    moveVertical(2);
                else if (n == 6) {
                    moveVertical(4);
                    moveVertical(2);
                }
            }
        } else {
            moveVertical(m_nHitSegment);
        }
    }
    while (pWire->m_junctions.GetSize() < v.GetSize())
        pWire->m_junctions.Add(CPoint(CConnectLineObj::kNoJunction, CConnectLineObj::kNoJunction));
    InvalidateAll();
}

void CTavixView::MoveSelection(int dx, int dy, UINT nKey)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || (dx == 0 && dy == 0))
        return;
    CBlockObj* pBus = GetPowerBus();
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;)
        static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos))->m_bMoved = 0;
    // One pass over the wires: those of each selected block, and how many wires meet at a pin.
    std::unordered_map<const CBlockObj*, std::vector<CConnectLineObj*>> attachedTo;
    std::unordered_map<const CBlockObj*, std::unordered_map<int, CPtrArray>> atPin;
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
        auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
        if (w->m_pStartBlock && w->m_pStartBlock->m_bSelected)
            attachedTo[w->m_pStartBlock].push_back(w);
        if (w->m_pEndBlock && w->m_pEndBlock->m_bSelected && w->m_pEndBlock != w->m_pStartBlock)
            attachedTo[w->m_pEndBlock].push_back(w);
        atPin[w->m_pStartBlock][w->m_nStartPin].Add(w);
        atPin[w->m_pEndBlock][w->m_nEndPin].Add(w);
    }
    for (POSITION pos = m_selBlocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(m_selBlocks.GetNext(pos));
        b->m_ptOrigin.Offset(dx, dy);
        const auto found = attachedTo.find(b);
        if (found == attachedTo.end())
            continue;
        for (CConnectLineObj* w : found->second) {
            CBlockObj* other = w->m_pStartBlock == b ? w->m_pEndBlock : w->m_pStartBlock;
            if (other && other->m_bSelected && other != pBus) {
                if (!w->m_bMoved)
                    TranslateWire(w, dx, dy, FALSE);
                w->m_bMoved = 1;
                continue;
            }
            w->m_bMoved = 1;
            if (pBus && other == pBus) {
                // A bus wire stays one horizontal line from the bus to the moved pin.
                const bool busAtStart = w->m_pStartBlock == pBus;
                CPoint& blockEnd = busAtStart ? w->m_ptEnd : w->m_ptStart;
                CPoint& busEnd = busAtStart ? w->m_ptStart : w->m_ptEnd;
                blockEnd.Offset(dx, dy);
                busEnd.y = blockEnd.y;
                w->m_points.RemoveAll();
                w->m_points.Add(w->m_ptStart);
                w->m_points.Add(w->m_ptEnd);
                continue;
            }
            if (w->m_pStartBlock == b)
                pDoc->MoveWireEnd(w, w->m_ptStart.x + dx, w->m_ptStart.y + dy, TRUE, PinSideKind(w->m_nStartPin));
            if (w->m_pEndBlock == b)
                pDoc->MoveWireEnd(w, w->m_ptEnd.x + dx, w->m_ptEnd.y + dy, FALSE, PinSideKind(w->m_nEndPin));
        }
    }
    CPtrArray moved;
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
        auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
        if (w->m_bSelected && !w->m_bMoved) {
            w->m_bMoved = 1;
            MoveWireSegment(dx, dy, w, nKey);
        }
        if (w->m_bMoved) {
            ResetMarkers(w);
            moved.Add(w);
        }
    }
    for (INT_PTR i = 0; i < moved.GetSize(); ++i) {
        auto* w = static_cast<CConnectLineObj*>(moved[i]);
        if (const CPtrArray& shared = atPin[w->m_pStartBlock][w->m_nStartPin]; w->m_pStartBlock && shared.GetSize() > 1)
            MarkJunctionsAmong(w, w->m_pStartBlock, w->m_nStartPin, shared);
        if (const CPtrArray& shared = atPin[w->m_pEndBlock][w->m_nEndPin]; w->m_pEndBlock && shared.GetSize() > 1)
            MarkJunctionsAmong(w, w->m_pEndBlock, w->m_nEndPin, shared);
    }
    // Every dot just marked lies where both wires pass, so the moved wires need no validation
    // here; the end of the drag validates what its tidying changes.
    for (POSITION pos = m_selComments.GetHeadPosition(); pos;) {
        auto* c = static_cast<CBlockComment*>(m_selComments.GetNext(pos));
        c->m_ptOrigin.Offset(dx, dy);
        c->m_ptSecond.Offset(dx, dy);
    }
}

void CTavixView::KeepSelectionInside(int x, int y)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    const int width = pDoc->m_rcExtent.Width(), height = pDoc->m_rcExtent.Height();
    bool outside = false;
    for (POSITION pos = m_selBlocks.GetHeadPosition(); pos && !outside;) {
        auto* b = static_cast<CBlockObj*>(m_selBlocks.GetNext(pos));
        const CPoint o = b->m_ptOrigin;
        outside = o.x <= (b->m_nInputs > 0 ? 5 : 4) || o.y < 13 ||
                  o.x + b->m_nWidth + (b->m_nOutputs > 0 ? 5 : 4) >= width || o.y + b->m_nHeight + 4 >= height;
    }
    for (POSITION pos = m_selWires.GetHeadPosition(); pos && !outside;) {
        auto* w = static_cast<CConnectLineObj*>(m_selWires.GetNext(pos));
        for (INT_PTR i = 0; i < w->m_points.GetSize() && !outside; ++i) {
            const CPoint p = w->m_points[i];
            outside = p.x < 3 || p.y < 3 || p.x + 2 >= width || p.y + 2 >= height;
        }
    }
    for (POSITION pos = m_selComments.GetHeadPosition(); pos && !outside;) {
        auto* c = static_cast<CBlockComment*>(m_selComments.GetNext(pos));
        const CPoint o = c->m_ptOrigin;
        outside = o.x < 5 || o.y < 13 || o.x + c->m_nWidth + 4 >= width || o.y + c->m_nHeight + 4 >= height;
    }
    if (outside)
        MoveSelection(m_ptAnchor.x - x, m_ptAnchor.y - y);
}

BOOL CTavixView::CheckSelectionInExtent()
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return TRUE;
    const CRect& e = pDoc->m_rcExtent;
    auto inside = [&](CPoint a, CPoint b) { return e.PtInRect(a) && b.x <= e.right && b.y <= e.bottom; };
    bool blocksOut = false, commentsOut = false;
    for (POSITION pos = m_selBlocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(m_selBlocks.GetNext(pos));
        blocksOut = blocksOut || !inside(b->m_ptOrigin, b->m_ptOrigin + CPoint(b->m_nWidth, b->m_nHeight));
    }
    for (POSITION pos = m_selComments.GetHeadPosition(); pos;) {
        auto* c = static_cast<CBlockComment*>(m_selComments.GetNext(pos));
        commentsOut = commentsOut || !inside(c->m_ptOrigin, c->m_ptOrigin + CPoint(c->m_nWidth, c->m_nHeight));
    }
    if (!blocksOut && !commentsOut)
        return TRUE;
    if (blocksOut) {
        // Every selected block returns to where the move started; its wires are routed again.
        CPtrArray wires;
        for (POSITION pos = m_selBlocks.GetHeadPosition(); pos;) {
            auto* b = static_cast<CBlockObj*>(m_selBlocks.GetNext(pos));
            b->m_ptOrigin = b->m_ptSaved;
        }
        CRect rc;
        for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
            auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
            if (!(w->m_pStartBlock && w->m_pStartBlock->m_bSelected) && !(w->m_pEndBlock && w->m_pEndBlock->m_bSelected))
                continue;
            if (w->m_pStartBlock && pDoc->GetPinPosition(&rc, w->m_pStartBlock, w->m_nStartPin))
                w->m_ptStart = rc.CenterPoint();
            if (w->m_pEndBlock && pDoc->GetPinPosition(&rc, w->m_pEndBlock, w->m_nEndPin))
                w->m_ptEnd = rc.CenterPoint();
            const int m = (w->m_ptStart.x + w->m_ptEnd.x) / 2;
            w->m_points.RemoveAll();
            w->m_points.Add(w->m_ptStart);
            w->m_points.Add(CPoint(m, w->m_ptStart.y));
            w->m_points.Add(CPoint(m, w->m_ptEnd.y));
            w->m_points.Add(w->m_ptEnd);
            pDoc->MoveWireEnd(w, w->m_ptStart.x, w->m_ptStart.y, TRUE, PinSideKind(w->m_nStartPin));
            pDoc->MoveWireEnd(w, w->m_ptEnd.x, w->m_ptEnd.y, FALSE, PinSideKind(w->m_nEndPin));
            ResetMarkers(w);
            wires.Add(w);
        }
        for (INT_PTR i = 0; i < wires.GetSize(); ++i)
            RefreshJunctionsOf(static_cast<CConnectLineObj*>(wires[i]));
    }
    if (commentsOut)
        for (const auto& [c, saved] : m_savedComments)
            if (m_selComments.Find(c)) {
                c->m_ptSecond.Offset(saved.x - c->m_ptOrigin.x, saved.y - c->m_ptOrigin.y);
                c->m_ptOrigin = saved;
            }
    ::MessageBeep(MB_ICONEXCLAMATION);
    CString text;
    text.LoadString(IDS_OUTSIDE_DIAGRAM);
    AfxMessageBox(text, MB_OK);
    InvalidateAll();
    return FALSE;
}
