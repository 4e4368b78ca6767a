// The mouse state machine of the diagram view while it edits: what a press, release, double
// click and move do in each edit mode, the selection with and without Ctrl, the rubber band,
// and auto-scrolling while dragging. Clicks while simulating belong to the simulation.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "elements/BlockComment.h"
#include "elements/BlockLadder.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "resources/resource.h"
#include "shell/EditorApp.h"
#include "view/ViewCursors.h"

namespace {

bool IsConnectorType(const CBlockObj* p) { return p && (p->m_nType == TYPE_MALE || p->m_nType == TYPE_FEMALE); }

CRect BlockRect(const CBlockObj* p)
{
    return CRect(p->m_ptOrigin.x, p->m_ptOrigin.y, p->m_ptOrigin.x + p->m_nWidth, p->m_ptOrigin.y + p->m_nHeight);
}

CRect CommentRect(const CBlockComment* p)
{
    return CRect(p->m_ptOrigin.x, p->m_ptOrigin.y, p->m_ptOrigin.x + p->m_nWidth, p->m_ptOrigin.y + p->m_nHeight);
}

// The application's arrow, and its hand of block insertion (the view's own without the
// application, as in a test).
HCURSOR AppArrowCursor()
{
    auto* app = dynamic_cast<CEditorApp*>(AfxGetApp());
    return app && app->m_hArrowCursor ? app->m_hArrowCursor : ::LoadCursorW(nullptr, IDC_ARROW);
}

HCURSOR AppHandCursor()
{
    auto* app = dynamic_cast<CEditorApp*>(AfxGetApp());
    return app && app->m_hBlockCursor ? app->m_hBlockCursor : GetViewCursor(ViewCursor::InsertHand);
}

} // namespace

// ---- cursors ----

HCURSOR CTavixView::ChooseModeCursor(CPoint diagram) const
{
    CTavixDoc* pDoc = GetDocument();
    switch (m_nEditMode) {
    case modeConnect: {
        CBlockObj* pOn = pDoc ? pDoc->HitTestBlockWithPins(diagram) : nullptr;
        const bool onPin = (pOn && PinHitTest(pOn, diagram.x, diagram.y) >= 0) ||
                           (pDoc && pDoc->IsLadder() && IsOnPowerBus(diagram));
        return GetViewCursor(onPin ? ViewCursor::ConnectOnPin : ViewCursor::ConnectOff);
    }
    case modeInsertComment:
        return GetViewCursor(ViewCursor::Comment);
    case modeCutJoin:
        return GetViewCursor(ViewCursor::CutJoin);
    case modeInsert:
        return pDoc && pDoc->HitTestBlock(diagram) ? AppArrowCursor() : AppHandCursor();
    default:
        return nullptr;
    }
}

void CTavixView::ShowModeCursor(HCURSOR hCursor)
{
    // Back to a mode without a cursor of its own: the arrow replaces the one shown.
    const HCURSOR shown = m_hModeCursor;
    m_hModeCursor = hCursor;
    if (hCursor)
        ::SetCursor(hCursor);
    else if (shown)
        ::SetCursor(AppArrowCursor());
}

BOOL CTavixView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && m_hModeCursor && m_nEditMode != modeSimulate) {
        ::SetCursor(m_hModeCursor);
        return TRUE;
    }
    return CScrollView::OnSetCursor(pWnd, nHitTest, message);
}

// ---- selection of a press ----

int CTavixView::SelectAt(int x, int y, UINT nFlags)
{
    CTavixDoc* pDoc = GetDocument();
    const CPoint pt(x, y);
    const bool ctrl = (nFlags & MK_CONTROL) != 0;
    int result = modeSelect;
    auto saveOrigins = [&] {
        for (POSITION pos = m_selBlocks.GetHeadPosition(); pos;) {
            auto* b = static_cast<CBlockObj*>(m_selBlocks.GetNext(pos));
            b->m_ptSaved = b->m_ptOrigin;
        }
        m_savedComments.clear();
        for (POSITION pos = m_selComments.GetHeadPosition(); pos;) {
            auto* c = static_cast<CBlockComment*>(m_selComments.GetNext(pos));
            m_savedComments.emplace_back(c, c->m_ptOrigin);
        }
    };
    // An end drag when the press on a selected wire lies on a pin of one of its end blocks.
    auto startEndDrag = [&](CConnectLineObj* w) {
        CBlockObj* pOn = pDoc->HitTestBlockWithPins(pt);
        if (!pOn && IsOnPowerBus(pt))
            pOn = GetPowerBus();
        if (pOn && (pOn == w->m_pEndBlock || pOn == w->m_pStartBlock)) {
            const bool end = pOn == w->m_pEndBlock &&
                             (pOn != w->m_pStartBlock || PinHitTest(pOn, x, y) == w->m_nEndPin);
            w->m_bEndDrag = 1;
            w->m_nDragEnd = end ? 1 : -1;
        }
    };

    if (CBlockObj* b = [&]() -> CBlockObj* {
            for (POSITION pos = m_selBlocks.GetHeadPosition(); pos;) {
                auto* p = static_cast<CBlockObj*>(m_selBlocks.GetNext(pos));
                if (BlockRect(p).PtInRect(pt))
                    return p;
            }
            return nullptr;
        }()) {
        if (ctrl) {
            b->m_bSelected = FALSE;
            m_selBlocks.RemoveAt(m_selBlocks.Find(b));
            m_pCurBlock = nullptr;
        } else {
            m_pCurBlock = b;
        }
        saveOrigins();
        result = modeMoveBlocks;
    } else if (CConnectLineObj* w = [&]() -> CConnectLineObj* {
                   for (POSITION pos = m_selWires.GetHeadPosition(); pos;) {
                       auto* p = static_cast<CConnectLineObj*>(m_selWires.GetNext(pos));
                       int seg, orient;
                       if (p->HitTest(x, y, &seg, &orient))
                           return p;
                   }
                   return nullptr;
               }()) {
        m_pCurWire = w;
        if (ctrl) {
            w->m_bSelected = FALSE;
            m_selWires.RemoveAt(m_selWires.Find(w));
            m_pCurWire = nullptr;
        } else {
            startEndDrag(w);
        }
        result = modeDragWire;
    } else if (CBlockComment* c = [&]() -> CBlockComment* {
                   for (POSITION pos = m_selComments.GetHeadPosition(); pos;) {
                       auto* p = static_cast<CBlockComment*>(m_selComments.GetNext(pos));
                       if (CommentRect(p).PtInRect(pt))
                           return p;
                   }
                   return nullptr;
               }()) {
        if (ctrl) {
            c->m_bSelected = FALSE;
            m_selComments.RemoveAt(m_selComments.Find(c));
        }
        saveOrigins();
        result = modeMoveComments;
    } else if (CBlockObj* hit = pDoc->HitTestBlock(pt)) {
        m_pCurWire = nullptr;
        m_pCurComment = nullptr;
        if (!ctrl) {
            if (!hit->m_bSelected || m_selBlocks.IsEmpty()) {
                ClearSelection(0);
                hit->m_bSelected = TRUE;
                m_selBlocks.AddTail(hit);
            }
            m_pCurBlock = hit;
            saveOrigins();
            result = modeMoveBlocks;
        } else {
            if (POSITION pos = m_selBlocks.Find(hit)) {
                m_selBlocks.RemoveAt(pos);
                hit->m_bSelected = FALSE;
                m_pCurBlock = nullptr;
            } else {
                m_selBlocks.AddTail(hit);
                hit->m_bSelected = TRUE;
                m_pCurBlock = hit;
            }
        }
    } else if (CConnectLineObj* hw = pDoc->HitTestWire(x, y)) {
        m_pCurWire = hw;
        if (!ctrl) {
            if (!hw->m_bSelected || m_selWires.IsEmpty()) {
                ClearSelection(0);
                m_pCurBlock = nullptr;
                hw->m_bSelected = TRUE;
                m_selWires.AddTail(hw);
            } else {
                startEndDrag(hw);
            }
            result = modeDragWire;
        } else if (!pDoc->HitTestBlockWithPins(pt)) {
            if (POSITION pos = m_selWires.Find(hw)) {
                m_selWires.RemoveAt(pos);
                hw->m_bSelected = FALSE;
            } else {
                m_selWires.AddTail(hw);
                hw->m_bSelected = TRUE;
            }
        }
    } else if (CBlockComment* hc = pDoc->HitTestComment(pt)) {
        m_pCurComment = hc;
        if (!ctrl) {
            if (!hc->m_bSelected || m_selComments.IsEmpty()) {
                ClearSelection(0);
                m_pCurBlock = nullptr;
                m_pCurWire = nullptr;
                hc->m_bSelected = TRUE;
                m_selComments.AddTail(hc);
            }
            saveOrigins();
            result = modeMoveComments;
        } else if (POSITION pos = m_selComments.Find(hc)) {
            m_selComments.RemoveAt(pos);
            hc->m_bSelected = FALSE;
        } else {
            m_selComments.AddTail(hc);
            hc->m_bSelected = TRUE;
        }
    } else {
        m_pCurBlock = nullptr;
        m_pCurWire = nullptr;
        m_pCurComment = nullptr;
        ClearSelection(0);
        m_rcBand = CRect(pt, pt);
        result = modeRubberBand;
    }
    if (m_hWnd && (result == modeMoveBlocks || result == modeDragWire || result == modeRubberBand ||
                   result == modeMoveComments))
        SetCapture();
    InvalidateAll();
    return result;
}

void CTavixView::SelectInRubberBand()
{
    CTavixDoc* pDoc = GetDocument();
    CRect band = m_rcBand;
    band.NormalizeRect();
    band.InflateRect(0, 0, 1, 1);
    ClearSelection(0);
    CRect hit;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (hit.IntersectRect(&band, BlockRect(b))) {
            b->m_bSelected = TRUE;
            m_selBlocks.AddTail(b);
        }
    }
    for (POSITION pos = pDoc->m_comments.GetHeadPosition(); pos;) {
        auto* c = static_cast<CBlockComment*>(pDoc->m_comments.GetNext(pos));
        if (hit.IntersectRect(&band, CommentRect(c))) {
            c->m_bSelected = TRUE;
            m_selComments.AddTail(c);
        }
    }
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
        auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
        if (w->m_pStartBlock && w->m_pEndBlock && w->m_pStartBlock->m_bSelected && w->m_pEndBlock->m_bSelected) {
            w->m_bSelected = TRUE;
            m_selWires.AddTail(w);
        }
    }
}

// ---- the buttons ----

void CTavixView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CTavixDoc* pDoc = GetDocument();
    CRect client;
    GetClientRect(&client);
    if (m_nEditMode == modeSimulate) {
        if (!client.PtInRect(point))
            CloseValuePopup();
        else
            OnSimulationPress(point);
        Default();
        return;
    }
    if (!pDoc || !client.PtInRect(point)) {
        Default();
        return;
    }
    const CPoint pt = ClientToDiagram(point);
    m_ptDown = pt;
    SetFocus();
    switch (m_nEditMode) {
    case modeSelect:
        m_nEditMode = SelectAt(pt.x, pt.y, nFlags);
        break;
    case modeInsert: {
        CPoint at = pt;
        if (m_nPaletteType > 100 && !ClampInsertPoint(&at, nullptr)) {
            m_nEditMode = modeSelect;
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            break;
        }
        CBlockObj* pOn = pDoc->HitTestBlockWithPins(pt);
        const int pin = pOn ? PinHitTest(pOn, pt.x, pt.y) : -1;
        if (pin >= 0 && (pDoc->IsLadder() || pin >= kFirstOutputPin || pOn->m_nLink[pin] == LINK_OPEN)) {
            m_bWireFromInsert = TRUE;
            SetCapture();
            ConnectAt(pt.x, pt.y);
            break;
        }
        if ((pDoc->IsLadder() && IsOnPowerBus(pt))) {
            m_bWireFromInsert = TRUE;
            SetCapture();
            ConnectAt(pt.x, pt.y);
            break;
        }
        if (pDoc->HitTestBlock(pt) || pDoc->HitTestWire(pt.x, pt.y))
            break;
        CBlockObj* pNew = InsertBlock(m_nPaletteType, &at);
        if (pNew && AddInsertedBlock(pNew) &&
            (pNew->IsKindOf(RUNTIME_CLASS(CBlockMake)) || pNew->IsKindOf(RUNTIME_CLASS(CBlockAContact)))) {
            m_pCurBlock = pNew;
            SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_BLOCK_PROPERTIES, 0), 0);
        }
        break;
    }
    case modeConnect:
        SetCapture();
        ConnectAt(pt.x, pt.y);
        break;
    case modeInsertComment:
        if (!pDoc->HitTestBlockWithPins(pt))
            if (CBlockComment* c = CreateComment(pt)) {
                ClearSelection(0);
                pDoc->AddComment(c);
                TakeSnapshot();
                m_pCurBlock = nullptr;
                m_pCurWire = nullptr;
                m_pCurComment = nullptr;
                InvalidateAll();
            }
        break;
    case modeCutJoin:
        if (CConnectLineObj* w = pDoc->HitTestWire(pt.x, pt.y)) {
            CBlockObj* pBus = GetPowerBus();
            ClearSelection(0);
            m_pCurBlock = nullptr;
            if (pBus && (w->m_pStartBlock == pBus || w->m_pEndBlock == pBus))
                break;
            w->m_bSelected = TRUE;
            m_selWires.AddTail(w);
            m_pCurWire = w;
            if (IsConnectorType(w->m_pEndBlock))
                JoinConnectors();
            else
                SeparateWire();
        } else if (CBlockObj* b = pDoc->HitTestBlock(pt)) {
            ClearSelection(0);
            b->m_bSelected = TRUE;
            m_selBlocks.AddTail(b);
            m_pCurBlock = b;
            m_pCurWire = nullptr;
            if (IsConnectorType(b))
                JoinConnectors();
        }
        InvalidateAll();
        break;
    default:
        break;
    }
    m_ptLast = pt;
}

void CTavixView::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    CTavixDoc* pDoc = GetDocument();
    if (m_nEditMode == modeSimulate)
        OnSimulationRelease(point);
    if (!pDoc || m_nEditMode == modeSimulate) {
        Default();
        return;
    }
    const CPoint pt = ClientToDiagram(point);
    auto release = [&] {
        if (m_hWnd && ::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    };
    switch (m_nEditMode) {
    case modeInsert:
    case modeConnect:
        if (m_nEditMode == modeInsert) {
            ::ClipCursor(nullptr);
            if (m_pCurBlock)
                m_pCurBlock->m_bSelected = FALSE;
            m_pCurBlock = nullptr;
            ClearSelection(0);
        }
        release();
        if (pDoc->HitTestBlock(pt))
            CancelWiring();
        else if (m_nWireStage > 0 && (m_bWireFromInsert || m_nEditMode == modeConnect)) {
            // A press on one pin and a release on another makes the wire; a release on the
            // pin where the connection started leaves it open for a second click.
            CBlockObj* pOn = pDoc->HitTestBlockWithPins(pt);
            const int pin = pOn ? PinHitTest(pOn, pt.x, pt.y) : -1;
            if (!(pOn == m_wireNew.m_pStartBlock && pin == m_wireNew.m_nStartPin))
                ConnectAt(pt.x, pt.y);
        }
        InvalidateAll();
        break;
    case modeMoveBlocks:
    case modeMoveComments: {
        m_nEditMode = modeSelect;
        for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
            auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
            if (w->m_bMoved) {
                NormalizeRoute(w);
                RefreshJunctionsOf(w);
                w->m_bMoved = 0;
            }
        }
        const BOOL inside = CheckSelectionInExtent();
        pDoc->SetModifiedFlag();
        release();
        bool moved = false;
        for (POSITION pos = m_selBlocks.GetHeadPosition(); pos;) {
            auto* b = static_cast<CBlockObj*>(m_selBlocks.GetNext(pos));
            moved = moved || std::abs(b->m_ptOrigin.x - b->m_ptSaved.x) > 9 ||
                    std::abs(b->m_ptOrigin.y - b->m_ptSaved.y) > 9;
        }
        for (const auto& [c, saved] : m_savedComments)
            moved = moved || (m_selComments.Find(c) && (std::abs(c->m_ptOrigin.x - saved.x) > 9 ||
                                                         std::abs(c->m_ptOrigin.y - saved.y) > 9));
        if (inside && moved)
            pDoc->m_undo.PushSnapshot(pDoc);
        InvalidateAll();
        break;
    }
    case modeDragWire: {
        m_nEditMode = modeSelect;
        pDoc->SetModifiedFlag();
        release();
        CConnectLineObj* w = m_pCurWire;
        if (w && w->m_bEndDrag) {
            CBlockObj* pTarget = pDoc->HitTestBlockWithPins(pt);
            int pin = pTarget ? PinHitTest(pTarget, pt.x, pt.y) : -1;
            if (!pTarget && IsOnPowerBus(pt)) {
                pTarget = GetPowerBus();
                pin = kOutputPin;
            }
            const bool endMoves = w->m_nDragEnd == 1;
            CBlockObj* pOld = endMoves ? w->m_pEndBlock : w->m_pStartBlock;
            const int oldPin = endMoves ? w->m_nEndPin : w->m_nStartPin;
            bool restored = true;
            if (pTarget && pin >= 0 && !IsConnectorType(pOld)) {
                if (!(pTarget == pOld && pin == oldPin)) {
                    const CPoint keepStart = w->m_ptStart, keepEnd = w->m_ptEnd;
                    RelinkWireEnd(pt.x, pt.y, pTarget, pin);
                    restored = m_nLinkState != 0;
                    if (restored) {
                        w->m_ptStart = keepStart;
                        w->m_ptEnd = keepEnd;
                    }
                }
            }
            if (restored && w->m_points.GetSize() > 0) {
                if (endMoves)
                    w->m_points[w->m_points.GetSize() - 1] = w->m_ptEnd;
                else
                    w->m_points[0] = w->m_ptStart;
            }
            m_nLinkState = 0;
            w->m_bEndDrag = 0;
            w->m_nDragEnd = 0;
        } else {
            CPtrArray touched;
            for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
                auto* x = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
                if (x->m_bMoved || x->m_bSelected) {
                    NormalizeRoute(x);
                    RefreshJunctionsOf(x);
                    x->m_bMoved = 0;
                    touched.Add(x);
                }
            }
            ValidateJunctions(touched);
            if (m_ptDown != pt)
                pDoc->m_undo.PushSnapshot(pDoc);
        }
        InvalidateAll();
        break;
    }
    case modeRubberBand:
        m_nEditMode = modeSelect;
        release();
        InvalidateAll();
        break;
    default:
        break;
    }
}

void CTavixView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc) {
        Default();
        return;
    }
    if (m_nEditMode == modeSimulate) {
        OnSimulationDoubleClick(point);
        return;
    }
    const CPoint pt = ClientToDiagram(point);
    if (CBlockObj* b = pDoc->HitTestBlock(pt)) {
        m_pCurBlock = b;
        if (m_hWnd && ::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        if (m_nEditMode != modeInsert)
            m_nEditMode = modeSelect;
        SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_BLOCK_PROPERTIES, 0), 0);
    } else if (CBlockComment* c = pDoc->HitTestComment(pt)) {
        m_pCurComment = c;
        if (m_hWnd && ::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        if (m_nEditMode != modeInsertComment)
            m_nEditMode = modeSelect;
        SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_BLOCK_PROPERTIES, 0), 0);
    } else if (!pDoc->IsLadder()) {
        CBlockObj* f = pDoc->HitTestBlockWithPins(pt);
        if (f && f->m_nNumber >= NUM_FUNCTION && f->m_nNumber <= kLastFunctionNumber) {
            if ((m_nEditMode == modeInsert || m_nEditMode == modeConnect) && m_nWireStage > 0) {
                CancelWiring();
            } else if (m_nEditMode == modeSelect) {
                const int pin = PinHitTest(f, pt.x, pt.y);
                if (pin >= 0 && pin < kFirstOutputPin && f->m_nPinKind[pin] == PIN_BIT) {
                    f->m_bNegate[pin] = !f->m_bNegate[pin];
                    TakeSnapshot();
                }
            }
        }
    }
    InvalidateAll();
}

void CTavixView::OnRButtonDown(UINT nFlags, CPoint point)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc) {
        Default();
        return;
    }
    ::ClipCursor(nullptr);
    if (m_nEditMode == modeMoveBlocks || m_nEditMode == modeDragWire) {
        // The drag ends here as a left release would end it: a dragged wire end lands on the
        // pin under the pointer or goes back to its own, moved wires are tidied and the move
        // is one undo step. Merely leaving the mode would keep a wire end off its pin.
        OnLButtonUp(nFlags, point);
        m_nEditMode = modeSelect;
        m_bRightOnBlock = m_bRightOnWire = m_bRightOnComment = FALSE;
        InvalidateAll();
        return;
    }
    if (m_nEditMode == modeSimulate)
        CloseValuePopup();
    const CPoint pt = ClientToDiagram(point);
    m_ptDown = pt;
    CBlockObj* b = pDoc->HitTestBlock(pt);
    CConnectLineObj* w = b ? nullptr : pDoc->HitTestWire(pt.x, pt.y);
    CBlockComment* c = (b || w) ? nullptr : pDoc->HitTestComment(pt);
    m_bRightOnBlock = b != nullptr;
    m_bRightOnWire = w != nullptr;
    m_bRightOnComment = c != nullptr;
    if (b && !b->m_bSelected) {
        ClearSelection(0);
        b->m_bSelected = TRUE;
        m_selBlocks.AddTail(b);
    }
    if (b) {
        m_pCurBlock = b;
        m_pCurWire = nullptr;
        m_pCurComment = nullptr;
    } else if (w) {
        if (!w->m_bSelected) {
            ClearSelection(0);
            w->m_bSelected = TRUE;
            m_selWires.AddTail(w);
        }
        m_pCurWire = w;
        m_pCurBlock = nullptr;
        m_pCurComment = nullptr;
    } else if (c) {
        if (!c->m_bSelected) {
            ClearSelection(0);
            c->m_bSelected = TRUE;
            m_selComments.AddTail(c);
        }
        m_pCurComment = c;
        m_pCurBlock = nullptr;
        m_pCurWire = nullptr;
    } else if (m_nEditMode != modeSelect && m_nEditMode != modeRubberBand && m_nEditMode != modeMoveComments) {
        ClearSelection(0);
        m_pCurBlock = nullptr;
        m_pCurWire = nullptr;
    } else {
        ClearSelection(0);
        m_pCurBlock = nullptr;
        m_pCurWire = nullptr;
        m_pCurComment = nullptr;
    }
    InvalidateAll();
}

void CTavixView::OnRButtonUp(UINT nFlags, CPoint point)
{
    if ((m_nEditMode == modeInsert && m_bWireFromInsert) || m_nEditMode == modeConnect)
        CancelWiring();
    else if (m_selBlocks.GetCount() == 1 && m_selBlocks.GetHead() == m_pCurBlock && m_pCurBlock)
        m_bRightOnBlock = TRUE;
    InvalidateAll();
    // The context menu follows the release.
    CPoint screen = point;
    if (m_hWnd) {
        ClientToScreen(&screen);
        SendMessage(WM_CONTEXTMENU, WPARAM(m_hWnd), MAKELPARAM(screen.x, screen.y));
    }
    (void)nFlags;
}

// ---- moving the mouse ----

void CTavixView::OnMouseMove(UINT nFlags, CPoint point)
{
    CTavixDoc* pDoc = GetDocument();
    CRect client;
    GetClientRect(&client);
    if (!pDoc || m_nEditMode == modeSimulate || !client.PtInRect(point)) {
        if (pDoc && m_nEditMode != modeSimulate)
            ShowModeCursor(nullptr);
        Default();
        return;
    }
    const bool left = (nFlags & MK_LBUTTON) != 0;
    const bool dragging = left && (m_nEditMode == modeMoveBlocks || m_nEditMode == modeDragWire ||
                                   m_nEditMode == modeMoveComments ||
                                   ((m_nEditMode == modeInsert || m_nEditMode == modeConnect) && m_nWireStage > 0));
    const CPoint scroll = GetDeviceScrollPosition();
    AutoScroll(dragging, point.x + scroll.x, point.y + scroll.y);
    const CPoint pt = ClientToDiagram(point);
    pDoc->SetLastPoint(pt.x, pt.y);
    const int dx = pt.x - m_ptLast.x, dy = pt.y - m_ptLast.y;
    m_ptAnchor = m_ptLast;  // a move that leaves the drawable area goes back here
    auto followRubber = [&] {
        m_wireNew.m_ptEnd = pt;
        if (m_wireNew.m_points.GetSize() > 0)
            m_wireNew.m_points[m_wireNew.m_points.GetSize() - 1] = pt;
    };
    switch (m_nEditMode) {
    case modeInsert:
        if (m_bWireFromInsert && m_nWireStage > 0)
            followRubber();
        InvalidateAll();
        break;
    case modeConnect:
        if (m_nWireStage > 0)
            followRubber();
        InvalidateAll();
        break;
    case modeMoveBlocks:
    case modeMoveComments:
        if (left) {
            MoveSelection(dx, dy);
            KeepSelectionInside(pt.x, pt.y);
            InvalidateAll();
        }
        break;
    case modeDragWire:
        if (left && m_pCurWire && !m_selWires.IsEmpty()) {
            CConnectLineObj* w = m_pCurWire;
            if (w->m_bEndDrag) {
                if (w->m_points.GetSize() > 0) {
                    if (w->m_nDragEnd == -1)
                        w->m_points[0] = pt;
                    else
                        w->m_points[w->m_points.GetSize() - 1] = pt;
                }
            } else if (w->m_bSelected) {
                const POINT delta{dx, dy};
                if (w->HitTest(m_ptLast.x, m_ptLast.y, &m_nHitSegment, &m_nHitOrient, &delta)) {
                    if (m_nHitOrient == 0 || m_nHitOrient == 1)
                        MoveWireSegment(dx, dy, w, 0);
                    else
                        MoveSelection(dx, dy);
                    KeepSelectionInside(pt.x, pt.y);
                }
            }
            InvalidateAll();
        }
        break;
    case modeRubberBand:
        if (left) {
            m_rcBand.right = pt.x;
            m_rcBand.bottom = pt.y;
            SelectInRubberBand();
            InvalidateAll();
        }
        break;
    default:
        break;
    }
    ShowModeCursor(ChooseModeCursor(pt));
    CheckLinkAtCursor(pt.x, pt.y, point);
    m_ptLast = pt;
}

void CTavixView::AutoScroll(BOOL bDragging, int x, int y)
{
    if (!bDragging || !m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const CPoint pos = GetDeviceScrollPosition();
    const CRect visible(pos.x, pos.y, pos.x + client.Width(), pos.y + client.Height());
    const CSize total = m_sizeTotal;
    int sx = 0, sy = 0;
    if (total.cx >= visible.right && x >= visible.right - 10)
        sx = std::min<int>(total.cx - visible.right, 100);
    else if (visible.left >= 1 && x <= visible.left + 10)
        sx = -std::min<int>(visible.left, 100);
    if (total.cy > visible.bottom && y >= visible.bottom - 10)
        sy = std::min<int>(total.cy - visible.bottom, 100);
    else if (visible.top >= 1 && y <= visible.top + 10)
        sy = -std::min<int>(visible.top, 100);
    if (sx == 0 && sy == 0)
        return;
    ScrollToPosition(CPoint(pos.x + sx, pos.y + sy));
    CPoint cursor;
    if (::GetCursorPos(&cursor))
        ::SetCursorPos(cursor.x - sx, cursor.y - sy);
    InvalidateAll();
}
