// Entering and leaving simulation: the evaluation order of the element list, the starting state
// of every element, the three bars of the child frame and the simulated clock. The steps
// themselves run while painting, in list order, on the user-interface thread.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "elements/BlockClocks.h"
#include "elements/BlockComment.h"
#include "elements/BlockConnectors.h"
#include "elements/BlockCounters.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockDevice.h"
#include "elements/BlockIO.h"
#include "elements/BlockLadder.h"
#include "elements/BlockLogic.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockRelays.h"
#include "elements/BlockSwitches.h"
#include "elements/BlockTime.h"
#include "elements/BlockTimers.h"
#include "elements/PowerBus.h"
#include "msgtext/AllDisplayMsgTxts.h"
#include "platform/ui/framework/Frame.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "view/AnalogSliderDlg.h"

#include <algorithm>
#include <array>
#include <vector>

CTavixView* g_pSimulatingView = nullptr;

namespace {

// Evaluation group of an element: inputs and sources first, then function blocks, outputs and
// coils, flags, analog outputs, analog flags, open connectors, connector ends, the data log;
// an element of none of these classes comes last, so none is ever dropped.
int EvaluationGroup(CBlockObj* p)
{
    CObject* o = p;
    if (dynamic_cast<CBlockIn*>(o) || dynamic_cast<CBlockShift*>(o) || dynamic_cast<CBlockLow*>(o) ||
        dynamic_cast<CBlockAnalogIn*>(o) || dynamic_cast<CBlockFKey*>(o) || dynamic_cast<CBlockMake*>(o) ||
        dynamic_cast<CBlockAContact*>(o))
        return 0;
    if (CTavixDoc::GetBlockKind(p->m_nType) == KIND_FUNCTION)
        return 1;
    if (dynamic_cast<CBlockOut*>(o) || dynamic_cast<CBlockRelayCoil*>(o))
        return 2;
    if (dynamic_cast<CBlockFlag*>(o))
        return 3;
    if (dynamic_cast<CBlockAnalogOut*>(o) || dynamic_cast<CBlockAOutLAD*>(o))
        return 4;
    if (dynamic_cast<CBlockAnalogFlag*>(o))
        return 5;
    if (dynamic_cast<CBlockOpenX*>(o))
        return 6;
    if (dynamic_cast<CBlockMale*>(o))
        return 7;
    if (dynamic_cast<CBlockFemale*>(o))
        return 8;
    if (dynamic_cast<CBlockDataLog*>(o))
        return 9;
    return 10;
}

constexpr int kGroups = 11;

CPowerBusObj* PowerBusOf(CTavixDoc* pDoc)
{
    if (!pDoc->IsLadder())
        return nullptr;
    if (pDoc->m_powerBus.IsEmpty())
        pDoc->m_powerBus.AddTail(new CPowerBusObj());
    return static_cast<CPowerBusObj*>(pDoc->m_powerBus.GetHead());
}

}  // namespace

void CTavixView::OrderBlocksForSimulation()
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    std::array<std::vector<CBlockObj*>, kGroups> groups;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        auto& group = groups[size_t(EvaluationGroup(p))];
        // Before the first with a larger number: equal numbers keep their order.
        auto it = group.begin();
        while (it != group.end() && (*it)->m_nNumber <= p->m_nNumber)
            ++it;
        group.insert(it, p);
    }
    pDoc->m_blocks.RemoveAll();
    for (const auto& group : groups)
        for (CBlockObj* p : group)
            pDoc->m_blocks.AddTail(p);
}

void CTavixView::InitBlockForSimulation(CBlockObj* p)
{
    for (int pin = 0; pin < kFirstOutputPin; ++pin) {
        if (!IsLinkCode(p->m_nLink[pin])) {
            p->m_nIndex = pin;
            break;
        }
    }
    CObject* o = p;
    CTavixDoc* pDoc = GetDocument();
    if (dynamic_cast<CBlockIn*>(o) || dynamic_cast<CBlockFKey*>(o)) {
        if (p->m_nSimKind == 2) {
            p->m_nPinValue[kOutputPin] = 1;
            p->m_bPinChanged[kOutputPin] = TRUE;
        } else if (p->m_nSimKind == 3) {
            p->m_nSimValue = p->m_nSimMin;
            if (auto* in = dynamic_cast<CBlockIn*>(o))
                in->m_nLastSimValue = p->m_nSimMin;
            else
                static_cast<CBlockFKey*>(o)->m_nLastSimValue = p->m_nSimMin;
        }
    } else if (dynamic_cast<CBlockHigh*>(o)) {
        p->m_nPinValue[kOutputPin] = 1;
        p->m_bPinChanged[kOutputPin] = TRUE;
    } else if (auto* ai = dynamic_cast<CBlockAnalogIn*>(o)) {
        ComputeAnalogRange(p);
        p->m_nSimValue = p->m_nSimMin;
        ai->m_nLastSimValue = p->m_nSimMin;
        p->m_nSimState = 0;
    } else if (dynamic_cast<CBlockAnalogOut*>(o) || dynamic_cast<CBlockAnalogFlag*>(o) ||
               dynamic_cast<CBlockAOutLAD*>(o)) {
        p->m_nSimState = 0;
    } else if (dynamic_cast<CBlockLogic*>(o) || dynamic_cast<CBlockPTOE*>(o)) {
        p->m_dElapsed = 0;
        p->m_tmStart = m_simTime;
    } else if (auto* t = dynamic_cast<CBlockTime*>(o)) {
        p->m_dElapsed = 0;
        p->m_tmStart = p->m_tmStart2 = m_simTime;
        p->m_bRunning = p->m_bRunning2 = FALSE;
        t->m_nRun = t->m_nPhase = 0;
        if (dynamic_cast<CBlockMPLR*>(o) || dynamic_cast<CBlockRPR*>(o) || dynamic_cast<CBlockAPG*>(o))
            t->m_nDone = 0;
        if (auto* rpr = dynamic_cast<CBlockRPR*>(o))
            rpr->m_nPulseCount = -1;
        if (auto* mfs = dynamic_cast<CBlockMFS*>(o)) {
            mfs->m_nSwitchState = CBlockMFS::stateOff;
            mfs->m_nWarnStage = 0;
            p->m_nPinValue[kOutputPin] = 0;
        }
        if (auto* sls = dynamic_cast<CBlockSLS*>(o))
            sls->m_nWarnStage = 0;
    } else if (auto* sreg = dynamic_cast<CBlockSREG*>(o)) {
        sreg->m_wShiftReg = 0;
    } else if (dynamic_cast<CBlockCOUNTER*>(o) || dynamic_cast<CBlockENCODER*>(o)) {
        p->m_dValue2 = 0;
        p->m_dElapsed = p->m_nStartValue;
    } else if (auto* hc = dynamic_cast<CBlockHCOUNTER*>(o)) {
        hc->StartSimulation(m_simTime);
    } else if (auto* th = dynamic_cast<CBlockTHTRG*>(o)) {
        th->m_nFa = th->m_nPulses = th->m_bMeasuring = 0;
        p->m_tmStart = m_simTime;
    } else if (auto* make = dynamic_cast<CBlockMake*>(o)) {
        const bool high = p->m_nOperand >= NUM_HIGH && p->m_nOperand <= 3899;
        const bool isBreak = dynamic_cast<CBlockBreak*>(o) != nullptr;
        make->m_nContactState = (isBreak != high) ? 1 : 0;
        SimSettingRecord rec;
        if (pDoc && pDoc->m_simSettings.Lookup(p->m_nOperand, rec) && rec.m_nKind == 3) {
            rec.m_nValue = rec.m_nMin;
            pDoc->m_simSettings.SetAt(p->m_nOperand, rec);
        }
    } else if (dynamic_cast<CBlockInvOut*>(o)) {
        if (!(p->m_nOperand >= NUM_OPEN_X && p->m_nOperand <= 4927)) {
            p->m_nContactState = 1;
            p->m_nPinValue[kOutputPin] = 1;
        }
    } else if (dynamic_cast<CBlockAContact*>(o)) {
        if (p->m_nLink[0] == LINK_OPEN)
            p->m_nPinValue[0] = 1;
        SimSettingRecord rec;
        if (pDoc && pDoc->m_simSettings.Lookup(p->m_nOperand, rec)) {
            rec.m_nValue = rec.m_nMin;
            pDoc->m_simSettings.SetAt(p->m_nOperand, rec);
        }
        p->m_nSimState = 0;
    } else {
        p->m_dElapsed = 0;
    }
}

void CTavixView::ResetBlockAfterSimulation(CBlockObj* p)
{
    CTavixDoc* pDoc = GetDocument();
    p->m_nIndex = -1;
    p->m_dValue2 = 0;
    p->m_dValue3 = 0;
    CObject* o = p;
    const bool analogContact = dynamic_cast<CBlockAContact*>(o) && p->m_nOperand >= NUM_ANALOG_IN && p->m_nOperand <= 4127;
    if (dynamic_cast<CBlockAnalogIn*>(o) || analogContact) {
        p->m_nSimValue = p->m_nSimMin;
        p->m_nSimState = 0;
    }
    if (auto* msg = dynamic_cast<CBlockMSGTEXT*>(o))
        msg->AcknowledgePending() = FALSE, msg->m_bAckLatch = 0;
    for (int pin = 0; pin < kFirstOutputPin; ++pin) {
        if (p->m_nLink[pin] == LINK_PARAM || p->m_nLink[pin] == 72)
            break;
        p->m_nPinValue[pin] = 0;
        p->m_bPinChanged[pin] = FALSE;
    }
    p->m_nPinValue[kOutputPin] = 0;
    p->m_bPinChanged[kOutputPin] = FALSE;
    if (pDoc && pDoc->IsLadder())
        p->m_nContactState = 0;
}

void CTavixView::EnterSimulation()
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    if (m_nEditMode == modeConnect || m_nWireStage != 0 || m_bWireFromInsert) {
        m_nWireStage = 0;
        m_bWireFromInsert = FALSE;
        if (m_hWnd && ::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
    g_pSimulatingView = this;
    m_nEditMode = modeSimulate;
    pDoc->m_bSimulating = TRUE;
    ClearSelection(0);
    m_pCurBlock = nullptr;
    m_pCurWire = nullptr;
    if (CPowerBusObj* pBus = PowerBusOf(pDoc))
        pBus->m_nPinValue[kOutputPin] = 1;
    CChildFrame* pFrame = GetParentFrame();
    // Each simulation starts from the PC's local time; the start stamps are taken from it.
    if (pFrame) {
        pFrame->ResetSimClock();
        pFrame->GetSimTime(&m_simTime);
    }
    OrderBlocksForSimulation();
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;)
        InitBlockForSimulation(static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos)));
    CollectParallelSources();
    // An inverted output starts energised: the contacts that read it start from that state.
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (dynamic_cast<CBlockInvOut*>(static_cast<CObject*>(p)) && p->m_nPinValue[kOutputPin])
            p->UpdateLadderContacts(this);
    }
    if (pFrame) {
        pFrame->m_wndSimBar.Attach(this, pFrame);
        pFrame->m_wndInputsBar.Attach(this);
        pFrame->m_wndOutputsBar.Attach(this);
        pFrame->CreateSimulationBars();
        pFrame->m_bBarsRedrawn = FALSE;
    }
    if (m_hWnd)
        StartSimClock();
    InvalidateAll();
}

void CTavixView::CollectParallelSources()
{
    m_parallelSources.clear();
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || !pDoc->IsLadder())
        return;
    CBlockObj* pBus = PowerBusOf(pDoc);
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
        auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
        CBlockObj* a = w->m_pStartBlock;
        CBlockObj* b = w->m_pEndBlock;
        if (!a || !b)
            continue;
        const bool aSource = a == pBus || w->m_nStartPin >= kFirstOutputPin;
        const bool bSource = b == pBus || w->m_nEndPin >= kFirstOutputPin;
        if (aSource == bSource)
            continue;
        auto& sources = aSource ? m_parallelSources[{b, w->m_nEndPin}] : m_parallelSources[{a, w->m_nStartPin}];
        CBlockObj* src = aSource ? a : b;
        if (std::find(sources.begin(), sources.end(), src) == sources.end())
            sources.push_back(src);
    }
    for (auto it = m_parallelSources.begin(); it != m_parallelSources.end();)
        it = it->second.size() < 2 ? m_parallelSources.erase(it) : std::next(it);
}

const std::vector<CBlockObj*>* CTavixView::GetParallelSources(const CBlockObj* pBlock, int nPin) const
{
    if (m_parallelSources.empty())
        return nullptr;
    const auto it = m_parallelSources.find({pBlock, nPin});
    return it == m_parallelSources.end() ? nullptr : &it->second;
}

void CTavixView::LeaveSimulation()
{
    m_parallelSources.clear();
    CTavixDoc* pDoc = GetDocument();
    if (m_hWnd && ::IsWindowVisible(m_hWnd))
        SetFocus();
    m_nEditMode = modeSelect;
    if (pDoc)
        pDoc->m_bSimulating = FALSE;
    if (g_pSimulatingView == this)
        g_pSimulatingView = nullptr;
    StopSimClock();
    if (CChildFrame* pFrame = GetParentFrame()) {
        pFrame->DestroySimulationBars();
        pFrame->m_wndSimBar.Detach();
        pFrame->m_wndInputsBar.Attach(nullptr);
        pFrame->m_wndOutputsBar.Attach(nullptr);
    }
    if (!pDoc)
        return;
    if (CPowerBusObj* pBus = PowerBusOf(pDoc))
        pBus->m_nPinValue[kOutputPin] = 0;
    CloseValuePopup();
    CloseOpenSheets();
    CloseMessageTextDisplay(this);
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;)
        ResetBlockAfterSimulation(static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos)));
    InvalidateAll();
}

void CTavixView::ToggleSimulation()
{
    if (m_nEditMode != modeSimulate)
        EnterSimulation();
    else
        LeaveSimulation();
}

BOOL CTavixView::CanSimulate() const
{
    const CTavixDoc* pDoc = GetDocument();
    if (!pDoc || (pDoc->m_blocks.IsEmpty() && pDoc->m_comments.IsEmpty()))
        return FALSE;
    return g_pSimulatingView == nullptr || g_pSimulatingView == this;
}

void CTavixView::OnUpdateToolsSimulation(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanSimulate());
    if (m_bSimCheckUpdate)
        pCmdUI->SetCheck(m_nEditMode == modeSimulate);
}

void CTavixView::DetachSimulation()
{
    CloseMessageTextDisplay(this);
    m_parallelSources.clear();
    CTavixDoc* pDoc = GetDocument();
    if (pDoc && pDoc->m_bSimulating) {
        pDoc->m_bSimulating = FALSE;
        m_nEditMode = modeSelect;
        if (g_pSimulatingView == this)
            g_pSimulatingView = nullptr;
    }
    if (g_pSimulatingView == this)
        g_pSimulatingView = nullptr;
}

// ---- the value popup ----

void CTavixView::OpenValuePopup(CBlockObj* pBlock, int x, int y)
{
    if (!pBlock || (m_pValuePopup && m_pPopupBlock == pBlock))
        return;
    CloseValuePopup();
    m_pPopupBlock = pBlock;
    int value = pBlock->m_nSimValue, lo = pBlock->m_nSimMin, hi = pBlock->m_nSimMax;
    CTavixDoc* pDoc = GetDocument();
    if (dynamic_cast<CBlockAContact*>(static_cast<CObject*>(pBlock))) {
        SimSettingRecord rec;
        if (pDoc && pDoc->m_simSettings.Lookup(pBlock->m_nOperand, rec))
            value = rec.m_nValue, lo = rec.m_nMin, hi = rec.m_nMax;
        else
            value = 0, lo = 0, hi = 1000;
    }
    m_pValuePopup = std::make_unique<CAnalogSliderDlg>(this, pBlock, value, lo, hi);
    if (!m_pValuePopup->CreateAt(x, y)) {
        m_pValuePopup.reset();
        m_pPopupBlock = nullptr;
    }
}

CPoint CTavixView::PopupPlace(const CBlockObj* pBlock)
{
    // Left of the element and level with its top, wherever on it the click landed.
    const CPoint scroll = GetDeviceScrollPosition();
    CPoint at(pBlock->m_ptOrigin.x - 8 * pBlock->m_nWidth - scroll.x, pBlock->m_ptOrigin.y - scroll.y);
    ClientToScreen(&at);
    return at;
}

void CTavixView::CloseValuePopup()
{
    if (m_pValuePopup && ::IsWindow(m_pValuePopup->GetSafeHwnd()))
        m_pValuePopup->DestroyWindow();
    m_pValuePopup.reset();
    m_pPopupBlock = nullptr;
    if (::GetCapture())
        ::ReleaseCapture();
}

void CTavixView::SetPopupValue(CBlockObj* pBlock, int value)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pBlock || !pDoc)
        return;
    pBlock->m_nSimValue = value;
    CObject* o = pBlock;
    const bool contact = dynamic_cast<CBlockAContact*>(o) != nullptr;
    if (contact || (dynamic_cast<CBlockMake*>(o) && pBlock->m_nSimKind == 3)) {
        // An operand without a stored setting starts from the range the popup showed
        // (automatic, 0..1000, frequency); a record of zeros would pin it to 0.
        SimSettingRecord rec;
        if (!pDoc->m_simSettings.Lookup(pBlock->m_nOperand, rec)) {
            rec.m_bAutoRange = 1;
            rec.m_nMin = 0;
            rec.m_nMax = 1000;
            rec.m_nKind = 3;
        }
        rec.m_nValue = value;
        pDoc->m_simSettings.SetAt(pBlock->m_nOperand, rec);
    }
    // The scaled value the consuming blocks read follows the new value.
    ComputeAnalogRange(pBlock);
    InvalidateAll();
}

// ---- clicks while simulating ----

namespace {

bool IsInputOperand(int n) { return (n >= NUM_INPUT && n <= 355) || (n >= NUM_FKEY && n <= 1304); }

}  // namespace

void CTavixView::OnSimulationPress(CPoint client)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    CBlockObj* p = pDoc->HitTestBlock(ClientToDiagram(client));
    CObject* o = p;
    const bool input = dynamic_cast<CBlockIn*>(o) || dynamic_cast<CBlockFKey*>(o);
    auto* make = dynamic_cast<CBlockMake*>(o);
    if (input || (make && IsInputOperand(p->m_nOperand))) {
        int kind = p->m_nSimKind;
        SimSettingRecord rec;
        if (make && pDoc->m_simSettings.Lookup(p->m_nOperand, rec))
            kind = rec.m_nKind;
        if (kind == 3) {
            const CPoint screen = PopupPlace(p);
            OpenValuePopup(p, screen.x, screen.y);
            return;
        }
        // Inputs act only while running, not while stepping by cycles.
        CChildFrame* pFrame = GetParentFrame();
        if (pFrame && (pFrame->m_wndSimBar.m_nRunState != CSimulationBar::stateRunning ||
                       pFrame->m_wndSimBar.m_nRunMode == CSimulationBar::modeCycles))
            return;
        if (input) {
            const int v = p->m_nPinValue[kOutputPin] ? 0 : 1;
            p->m_nPinValue[kOutputPin] = v;
            p->m_bPinChanged[kOutputPin] = TRUE;
            p->m_nPinValue[0] = v;
        } else {
            // Every contact of the operand follows: make contacts alike, break contacts opposite.
            const int state = make->m_nContactState ? 0 : 1;
            const bool isBreak = dynamic_cast<CBlockBreak*>(o) != nullptr;
            for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
                auto* c = dynamic_cast<CBlockMake*>(static_cast<CObject*>(pDoc->m_blocks.GetNext(pos)));
                if (!c || c->m_nOperand != p->m_nOperand)
                    continue;
                const bool same = (dynamic_cast<CBlockBreak*>(c) != nullptr) == isBreak;
                c->m_nContactState = same ? state : !state;
                c->m_nPinValue[kOutputPin] = c->m_nContactState ? c->m_nPinValue[0] : 0;
            }
        }
        InvalidateAll();
        return;
    }
    if (dynamic_cast<CBlockAnalogIn*>(o) ||
        (dynamic_cast<CBlockAContact*>(o) && !pDoc->FindBlockByNumber(p->m_nOperand))) {
        const CPoint screen = PopupPlace(p);
        OpenValuePopup(p, screen.x, screen.y);
        return;
    }
    CloseValuePopup();
}

void CTavixView::OnSimulationDoubleClick(CPoint client)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    const CPoint pt = ClientToDiagram(client);
    CBlockObj* p = pDoc->HitTestBlock(pt);
    CObject* o = p;
    // Inputs, keys, analog inputs and input contacts are operated by single clicks.
    const bool operated = dynamic_cast<CBlockIn*>(o) || dynamic_cast<CBlockFKey*>(o) ||
                          dynamic_cast<CBlockAnalogIn*>(o) || dynamic_cast<CBlockAContact*>(o) ||
                          (dynamic_cast<CBlockMake*>(o) && IsInputOperand(p->m_nOperand));
    CBlockComment* c = p ? nullptr : pDoc->HitTestComment(pt);
    if (operated || (!p && !c)) {
        m_pCurBlock = nullptr;
        InvalidateAll();
        return;
    }
    if (m_hWnd && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (p) {
        ClearSelection(0);
        p->m_bSelected = TRUE;
        m_selBlocks.AddTail(p);
        m_pCurBlock = p;
        m_pCurComment = nullptr;
    } else {
        m_pCurBlock = nullptr;
        m_pCurComment = c;
    }
    // The block's sheet opens modeless beside the running diagram.
    SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_BLOCK_PROPERTIES, 0), 0);
    InvalidateAll();
}

void CTavixView::OnSimulationRelease(CPoint client)
{
    CChildFrame* pFrame = GetParentFrame();
    // A release anywhere ends a press of the Simulation bar's Power button.
    if (pFrame && pFrame->m_wndSimBar.m_bPower)
        pFrame->m_wndSimBar.PowerCycle();
    CTavixDoc* pDoc = GetDocument();
    CBlockObj* p = pDoc ? pDoc->HitTestBlock(ClientToDiagram(client)) : nullptr;
    CObject* o = p;
    if (!(dynamic_cast<CBlockIn*>(o) || dynamic_cast<CBlockFKey*>(o)))
        return;
    // Momentary buttons: make returns to 0, break to 1.
    if (p->m_nSimKind == 1 || p->m_nSimKind == 2) {
        const int v = p->m_nSimKind == 1 ? 0 : 1;
        p->m_bPinChanged[kOutputPin] = p->m_nPinValue[kOutputPin] != v;
        p->m_nPinValue[kOutputPin] = v;
        p->m_nPinValue[0] = v;
        InvalidateAll();
    }
}
