// Wiring: making a wire between two pins with the mouse, the rules that refuse a connection in
// function block and ladder diagrams, the signal classes of the pins, the feedback tests, and
// the live check with its info-tip texts while the mouse moves.
#include "view/TavixView.h"

#include "document/FeedbackCheck.h"
#include "document/TavixDoc.h"
#include "view/DiagramIndex.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockConnectors.h"
#include "elements/BlockLadder.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "elements/PowerBus.h"
#include "resources/resource.h"
#include "view/InfoTip.h"

namespace {

bool In(int v, int lo, int hi) { return v >= lo && v <= hi; }
bool IsInputPin(int pin) { return pin >= 0 && pin < kFirstOutputPin; }
bool IsMale(const CBlockObj* p) { return p && p->m_nType == TYPE_MALE; }
bool IsFemale(const CBlockObj* p) { return p && p->m_nType == TYPE_FEMALE; }

int SourceSignalClass(int t)
{
    if (In(t, 608, 610) || t == 702)
        return 0;
    if (t == 413 || t == 805 || t == 815 || t == 816 || t == 817 || t == 818 || t == 820 || t == 821 ||
        t == 822 || t == 826 || In(t, 832, 847) || t == 853 || t == 856 || In(t, 862, 879))
        return 1;
    if (t == 803 || t == 804 || t == 806 || t == 807 || t == 819 || t == 854 || t == 860 || t == 861)
        return 2;
    if (t == TYPE_MALE || t == TYPE_FEMALE)
        return 3;
    return 4;
}

int DestSignalClass(int t, int pin)
{
    if (In(t, 608, 610) || t == 705)
        return 0;
    if (t == 803 || t == 804 || t == 805 || t == 807)
        return 2;
    if (t == 806 || t == 819 || t == 827 || t == 853 || t == 879)
        return pin == 0 ? 1 : pin == 1 ? 2 : 0;
    if (t == 413 || t == 815 || t == 816 || t == 817 || t == 847)
        return 1;
    if (t == 818 || t == 821 || t == 822)
        return pin <= 1 ? 1 : pin == 2 ? 2 : 0;
    if (t == 820 || In(t, 832, 843) || t == 845 || t == 846 || t == 854 || In(t, 860, 878))
        return 2;
    if (t == TYPE_MALE || t == TYPE_FEMALE)
        return 3;
    return 4;
}

// Ladder inputs that take only one wire: the analog comparators, amplifier, differential trigger,
// ladder analog output, and the watchdog's second input.
bool IsSingleWireLadderInput(const CBlockObj* p, int pin)
{
    if (p->IsKindOf(RUNTIME_CLASS(CBlockACOMP)) || p->IsKindOf(RUNTIME_CLASS(CBlockATHTRG)) ||
        p->IsKindOf(RUNTIME_CLASS(CBlockAAMP)) || p->IsKindOf(RUNTIME_CLASS(CBlockADTRG)) ||
        p->IsKindOf(RUNTIME_CLASS(CBlockAOutLAD)))
        return true;
    return p->IsKindOf(RUNTIME_CLASS(CBlockAWDOG)) && pin == 1;
}

} // namespace

CBlockObj* CTavixView::GetPowerBus() const
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || !pDoc->IsLadder() || pDoc->m_powerBus.IsEmpty())
        return nullptr;
    return static_cast<CBlockObj*>(pDoc->m_powerBus.GetHead());
}

BOOL CTavixView::IsOnPowerBus(CPoint pt) const
{
    CBlockObj* pBus = GetPowerBus();
    if (!pBus)
        return FALSE;
    const CRect rc(pBus->m_ptOrigin.x - 7, pBus->m_ptOrigin.y, pBus->m_ptOrigin.x + pBus->m_nWidth + 7,
                   pBus->m_ptOrigin.y + pBus->m_nHeight);
    return rc.PtInRect(pt);
}

int CTavixView::PinHitTest(CBlockObj* pBlock, int x, int y) const
{
    CTavixDoc* pDoc = GetDocument();
    if (!pBlock || !pDoc)
        return -1;
    const CPoint pt(x, y);
    CRect rc;
    for (int pin = 0; pin < pBlock->m_nInputs && pin < kFirstOutputPin; ++pin) {
        if (!pDoc->GetPinPosition(&rc, pBlock, pin))
            continue;
        rc.InflateRect(0, 1);
        rc.left -= 2;
        rc.right += 1;
        if (rc.PtInRect(pt))
            return pin;
    }
    for (int pin = kFirstOutputPin; pin < kFirstOutputPin + pBlock->m_nOutputs && pin < kPinCount; ++pin) {
        if (!pDoc->GetPinPosition(&rc, pBlock, pin))
            continue;
        rc.InflateRect(0, 1);
        rc.right += 2;
        if (rc.PtInRect(pt))
            return pin;
    }
    return -1;
}

BOOL CTavixView::CheckPinTypes(CBlockObj* pSource, CBlockObj* pDest, int nPin) const
{
    CTavixDoc* pDoc = GetDocument();
    if (!pSource || !pDest)
        return FALSE;
    // A connector stands for the block that drives its pair.
    auto resolve = [&](CBlockObj* p, int* pPin) {
        if (!pDoc || !(IsMale(p) || IsFemale(p)))
            return p;
        const int partner = IsMale(p) ? p->m_nNumber + kConnectorPartnerOffset
                                      : p->m_nNumber - kConnectorPartnerOffset;
        CBlockObj* pPartner = pDoc->FindBlockByNumber(partner);
        CConnectLineObj* w = pPartner ? pDoc->FindWireOnConnector(pPartner) : nullptr;
        if (!w || !w->m_pStartBlock)
            return p;
        CBlockObj* s = w->m_pStartBlock;
        if (pPin && IsMale(p) &&
            (s->IsKindOf(RUNTIME_CLASS(CBlockAWDOG)) || s->IsKindOf(RUNTIME_CLASS(CBlockPI)) ||
             s->IsKindOf(RUNTIME_CLASS(CBlockMAXMIN)) || s->IsKindOf(RUNTIME_CLASS(CBlockAVGVAL))))
            *pPin = w->m_nStartPin;
        return s;
    };
    int pin = nPin;
    CBlockObj* s = resolve(pSource, &pin);
    CBlockObj* d = resolve(pDest, nullptr);
    static const int allowed[5][5] = {
        {1, 0, 1, 1, 0}, {1, 0, 1, 1, 0}, {0, 1, 0, 1, 1}, {1, 1, 1, 1, 1}, {0, 1, 0, 1, 1},
    };
    return allowed[SourceSignalClass(s->m_nType)][DestSignalClass(d->m_nType, pin)];
}

void CTavixView::StoreWireLinks(CConnectLineObj* pWire)
{
    if (!pWire || !pWire->m_pStartBlock || !pWire->m_pEndBlock)
        return;
    if (pWire->m_nStartPin >= 0 && pWire->m_nStartPin < kPinCount)
        pWire->m_pStartBlock->m_nLink[pWire->m_nStartPin] = pWire->m_pEndBlock->m_nNumber;
    if (pWire->m_nEndPin >= 0 && pWire->m_nEndPin < kPinCount)
        pWire->m_pEndBlock->m_nLink[pWire->m_nEndPin] = pWire->m_pStartBlock->m_nNumber;
}

int CTavixView::GetBlockWires(CPtrArray& wires, CBlockObj* pBlock) const
{
    wires.RemoveAll();
    if (CTavixDoc* pDoc = GetDocument())
        for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
            auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
            if (w->m_pStartBlock == pBlock || w->m_pEndBlock == pBlock)
                wires.Add(w);
        }
    return int(wires.GetSize());
}

int CTavixView::CountWiresAtPin(CBlockObj* pBlock, int nPin) const
{
    if (m_pIndex)
        return int(m_pIndex->WiresAtPin(pBlock, nPin).size());
    CPtrArray wires;
    return GetWiresAtPin(wires, pBlock, nPin);
}

int CTavixView::GetWiresAtPin(CPtrArray& wires, CBlockObj* pBlock, int nPin) const
{
    wires.RemoveAll();
    if (m_pIndex) {
        // Sized once: a busy output has a hundred wires and more.
        const std::vector<CConnectLineObj*>& at = m_pIndex->WiresAtPin(pBlock, nPin);
        wires.SetSize(int(at.size()));
        for (size_t i = 0; i < at.size(); ++i)
            wires[int(i)] = at[i];
        return int(wires.GetSize());
    }
    if (CTavixDoc* pDoc = GetDocument())
        for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
            auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
            if ((w->m_pStartBlock == pBlock && w->m_nStartPin == nPin) ||
                (w->m_pEndBlock == pBlock && w->m_nEndPin == nPin))
                wires.Add(w);
        }
    return int(wires.GetSize());
}

void CTavixView::CancelWiring()
{
    m_bWireFromInsert = FALSE;
    m_nWireStage = 0;
    m_wireNew.m_pStartBlock = nullptr;
    m_wireNew.m_pEndBlock = nullptr;
    m_nLinkState = 0;
    if (m_hWnd && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    InvalidateAll();
}

void CTavixView::TakeSnapshot()
{
    if (CTavixDoc* pDoc = GetDocument()) {
        pDoc->SetModifiedFlag();
        pDoc->m_undo.PushSnapshot(pDoc);
    }
}

int CTavixView::CheckFeedbackLoop(CConnectLineObj* pWire, CBlockObj* pTarget, int nPin)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || !pWire)
        return 0;
    const bool startMoves = pWire->m_bEndDrag && pWire->m_nDragEnd == -1;
    CBlockObj* pFixed = startMoves ? pWire->m_pEndBlock : pWire->m_pStartBlock;
    const int fixedPin = startMoves ? pWire->m_nEndPin : pWire->m_nStartPin;
    return feedback::CheckFbd(*pDoc, pFixed, fixedPin, pTarget, nPin);
}

BOOL CTavixView::FindRecursion(CConnectLineObj* pWire)
{
    CTavixDoc* pDoc = GetDocument();
    return pDoc && pWire && feedback::HasLadderLoop(*pDoc, *pWire);
}

int CTavixView::CheckLink(CBlockObj* pFixed, int nFixedPin, CBlockObj* pTarget, int nTargetPin,
                          CConnectLineObj* pMoving)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || !pFixed || !pTarget || nTargetPin < 0)
        return 1;
    CBlockObj* pBus = GetPowerBus();
    const bool ladder = pDoc->IsLadder();
    if ((IsFemale(pFixed) && IsMale(pTarget)) || (IsMale(pFixed) && IsFemale(pTarget)))
        return 1;
    if (IsInputPin(nFixedPin) == IsInputPin(nTargetPin))
        return 1;
    if (ladder && pTarget == pFixed)
        return 1;
    if (IsInputPin(nTargetPin)) {
        // Function block inputs take one wire; ladder inputs several, but never a parameter
        // slot, and the analog inputs of the analog blocks only one.
        const int link = pTarget->m_nLink[nTargetPin];
        if (!ladder && link != LINK_OPEN)
            return 1;
        if (ladder && link != LINK_OPEN && (IsLinkCode(link) || IsSingleWireLadderInput(pTarget, nTargetPin)))
            return 1;
    }
    if (ladder) {
        // The same wire twice, in either direction.
        CConnectLineObj probe;
        probe.m_pStartBlock = pFixed;
        probe.m_nStartPin = nFixedPin;
        if (pDoc->IsWireDuplicate(&probe, pTarget, nTargetPin))
            return 1;
        if (pTarget == pBus && (nFixedPin >= kFirstOutputPin || IsMale(pFixed)))
            return 1;
    }
    CBlockObj* pSource = IsInputPin(nTargetPin) ? pFixed : pTarget;
    CBlockObj* pDest = IsInputPin(nTargetPin) ? pTarget : pFixed;
    const int destPin = IsInputPin(nTargetPin) ? nTargetPin : nFixedPin;
    if (pSource != pBus && !CheckPinTypes(pSource, pDest, destPin))
        return 1;
    // Feedback.
    if (ladder) {
        CConnectLineObj probe;
        probe.m_pStartBlock = pFixed;
        probe.m_nStartPin = nFixedPin;
        probe.m_pEndBlock = pTarget;
        probe.m_nEndPin = nTargetPin;
        if (feedback::HasLadderLoop(*pDoc, probe, pMoving))
            return 2;
    } else {
        if (feedback::CheckFbd(*pDoc, pFixed, nFixedPin, pTarget, nTargetPin))
            return 2;
    }
    return 0;
}

CConnectLineObj* CTavixView::CreateWire(int x1, int y1, CBlockObj* pStart, int nStartPin, int x2, int y2,
                                        CBlockObj* pEnd, int nEndPin)
{
    CTavixDoc* pDoc = GetDocument();
    auto* w = new CConnectLineObj;
    w->m_ptStart = CPoint(x1, y1);
    w->m_ptEnd = CPoint(x2, y2);
    w->m_pStartBlock = pStart;
    w->m_pEndBlock = pEnd;
    w->m_nStartPin = nStartPin;
    w->m_nEndPin = nEndPin;
    w->m_nStartNumber = pStart ? pStart->m_nNumber : 0;
    w->m_nEndNumber = pEnd ? pEnd->m_nNumber : 0;
    w->m_pDoc = pDoc;
    const int m = (x1 + x2) / 2;
    w->m_points.Add(CPoint(x1, y1));
    w->m_points.Add(CPoint(m, y1));
    w->m_points.Add(CPoint(m, y2));
    w->m_points.Add(CPoint(x2, y2));
    pDoc->AddWire(w);
    pDoc->MoveWireEnd(w, x1, y1, TRUE, IsInputPin(nStartPin) ? 2 : 1);
    pDoc->MoveWireEnd(w, x2, y2, FALSE, IsInputPin(nEndPin) ? 2 : 1);
    StoreWireLinks(w);
    w->m_junctions.RemoveAll();
    for (INT_PTR i = 0; i < w->m_points.GetSize(); ++i)
        w->m_junctions.Add(CPoint(CConnectLineObj::kNoJunction, CConnectLineObj::kNoJunction));
    RefreshJunctionsOf(w);
    InvalidateAll();
    return w;
}

void CTavixView::ConnectAt(int x, int y, CBlockObj* pBlock, int nPin, BOOL bForce)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    const bool ladder = pDoc->IsLadder();
    CBlockObj* pBus = GetPowerBus();
    const CPoint pt(x, y);
    if (!pBlock && m_nLinkState != 0) {
        CancelWiring();
        return;
    }
    if (!pBlock) {
        pBlock = pDoc->HitTestBlockWithPins(pt);
        if (!pBlock && ladder && IsOnPowerBus(pt))
            pBlock = pBus;
    }
    const bool onBus = pBlock && pBlock == pBus;
    if (nPin < 0 && pBlock)
        nPin = onBus ? kOutputPin : PinHitTest(pBlock, x, y);
    CRect rc;

    if (m_nWireStage == 0) {
        if (!pBlock || nPin < 0) {
            CancelWiring();
            return;
        }
        CPoint start;
        if (onBus) {
            start = CPoint(pBus->m_ptOrigin.x, y);
        } else {
            if (IsInputPin(nPin) && pBlock->m_nLink[nPin] != LINK_OPEN && !bForce) {
                if (!ladder || IsLinkCode(pBlock->m_nLink[nPin]) || IsSingleWireLadderInput(pBlock, nPin)) {
                    CancelWiring();
                    return;
                }
            }
            if (!pDoc->GetPinPosition(&rc, pBlock, nPin)) {
                CancelWiring();
                return;
            }
            start = rc.CenterPoint();
        }
        m_wireNew.m_ptStart = m_wireNew.m_ptEnd = start;
        m_wireNew.m_points.RemoveAll();
        m_wireNew.m_points.Add(start);
        if (!onBus) {
            m_wireNew.m_points.Add(CPoint(0, 0));
            m_wireNew.m_points.Add(CPoint(0, 0));
        }
        m_wireNew.m_points.Add(start);
        m_wireNew.m_pStartBlock = pBlock;
        m_wireNew.m_pEndBlock = nullptr;
        m_wireNew.m_nStartNumber = pBlock->m_nNumber;
        m_wireNew.m_nStartPin = nPin;
        m_wireNew.m_bEndDrag = 0;
        m_wireNew.m_nDragEnd = 0;
        m_nWireStage = 1;
        InvalidateAll();
        return;
    }

    // Stage 1: the second pin.
    CBlockObj* pStart = m_wireNew.m_pStartBlock;
    const bool startAlive =
        pStart && (pStart == pBus || (m_pIndex ? m_pIndex->HoldsBlock(pStart) : pDoc->m_blocks.Find(pStart) != nullptr));
    if (!pBlock || !startAlive || nPin < 0) {
        CancelWiring();
        if (pDoc->m_blocks.IsEmpty()) {
            m_nEditMode = modeSelect;
            if (m_hWnd && ::GetCapture() == m_hWnd)
                ::ReleaseCapture();
        }
        return;
    }
    if (onBus && pStart == pBus)
        return;
    // A forced connection is made whatever the rules say, so they are not asked.
    m_nLinkState = bForce ? 0 : CheckLink(pStart, m_wireNew.m_nStartPin, pBlock, nPin, nullptr);
    if (m_nLinkState != 0)
        return;

    CPoint end;
    if (onBus) {
        end = CPoint(pBus->m_ptOrigin.x, m_wireNew.m_ptStart.y);
    } else {
        if (!pDoc->GetPinPosition(&rc, pBlock, nPin)) {
            CancelWiring();
            return;
        }
        end = rc.CenterPoint();
    }
    CPoint start = m_wireNew.m_ptStart;
    if (pStart == pBus)
        start.y = end.y;
    auto* w = new CConnectLineObj;
    w->m_ptStart = start;
    w->m_ptEnd = end;
    w->m_pStartBlock = pStart;
    w->m_nStartPin = m_wireNew.m_nStartPin;
    w->m_nStartNumber = pStart->m_nNumber;
    w->m_pEndBlock = pBlock;
    w->m_nEndPin = nPin;
    w->m_nEndNumber = pBlock->m_nNumber;
    w->m_pDoc = pDoc;
    const bool busWire = pStart == pBus || onBus;
    w->m_points.Add(start);
    if (!busWire) {
        const int m = (start.x + end.x) / 2;
        w->m_points.Add(CPoint(m, start.y));
        w->m_points.Add(CPoint(m, end.y));
    }
    w->m_points.Add(end);
    pDoc->AddWire(w);
    m_nWireStage = 0;
    m_bWireFromInsert = FALSE;
    m_wireNew.m_pStartBlock = nullptr;
    if (!busWire) {
        pDoc->MoveWireEnd(w, start.x, start.y, TRUE, IsInputPin(w->m_nStartPin) ? 2 : 1);
        pDoc->MoveWireEnd(w, end.x, end.y, FALSE, IsInputPin(w->m_nEndPin) ? 2 : 1);
    }
    StoreWireLinks(w);
    w->m_junctions.RemoveAll();
    for (INT_PTR i = 0; i < w->m_points.GetSize(); ++i)
        w->m_junctions.Add(CPoint(CConnectLineObj::kNoJunction, CConnectLineObj::kNoJunction));
    if (m_pIndex)
        m_pIndex->AddWire(w);
    RefreshJunctionsOf(w);
    if (m_bSnapshotOnConnect)
        TakeSnapshot();
    if (bForce)
        m_nLinkState = 0;
    InvalidateAll();
}

void CTavixView::CheckLinkAtCursor(int x, int y, CPoint client)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || m_nEditMode == modeSimulate)
        return;
    const CPoint pt(x, y);
    CBlockObj* pBus = GetPowerBus();
    CBlockObj* pBlock = pDoc->HitTestBlockWithPins(pt);
    if (!pBlock && IsOnPowerBus(pt))
        pBlock = pBus;
    CString text;
    m_nLinkState = 0;
    if (pBlock && GetPinCaptionRow(pBlock == pBus ? TYPE_POWERBUS : pBlock->m_nType) >= 0) {
        const int hit = pBlock == pBus ? kOutputPin : pBlock->HitTest(pt);
        const bool onPin = hit >= 0 && hit < kPinCount && pBlock->m_nPinKind[hit] != PIN_NONE;
        const int pin = pBlock == pBus ? kOutputPin : (onPin ? hit : -1);
        bool overOwn = false;
        if ((m_nEditMode == modeConnect || m_bWireFromInsert) && m_nWireStage > 0 && pin >= 0) {
            CBlockObj* pStart = m_wireNew.m_pStartBlock;
            if (pStart && (pStart == pBus || pDoc->m_blocks.Find(pStart))) {
                overOwn = pBlock == pStart;
                m_nLinkState = CheckLink(pStart, m_wireNew.m_nStartPin, pBlock, pin, nullptr);
            }
        } else if (m_nEditMode == modeDragWire && m_pCurWire && m_pCurWire->m_bEndDrag && pin >= 0) {
            CConnectLineObj* w = m_pCurWire;
            const bool endMoves = w->m_nDragEnd == 1;
            CBlockObj* pFixed = endMoves ? w->m_pStartBlock : w->m_pEndBlock;
            const int fixedPin = endMoves ? w->m_nStartPin : w->m_nEndPin;
            CBlockObj* pOld = endMoves ? w->m_pEndBlock : w->m_pStartBlock;
            const int oldPin = endMoves ? w->m_nEndPin : w->m_nStartPin;
            overOwn = pBlock == pOld && pin == oldPin;
            if (!overOwn)
                m_nLinkState = CheckLink(pFixed, fixedPin, pBlock, pin, w);
        }
        if (m_nLinkState == 1) {
            if (!overOwn)
                text.LoadString(IDS_INCOMPATIBLE_CONNECTORS);
        } else if (m_nLinkState == 2)
            text.LoadString(IDS_RECURSION_REFUSED);
        else
            text = GetPinCaption(pBlock, hit == kBodyHit || pBlock == pBus ? 20 : (pin >= 0 ? pin : 20));
    }
    if (!text.IsEmpty() && m_pInfoTip && m_hWnd) {
        CPoint screen = client;
        ClientToScreen(&screen);
        m_pInfoTip->Show(text, &screen);
    }
}
