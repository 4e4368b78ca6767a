// Painting of the diagram: the grey surround, page lines, diagram area and frame, then the
// blocks (stepped while the view simulates), wires, power bus, comments and the rubber band or
// rubber wire. One place decides the order; every element draws itself.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "elements/BlockComment.h"
#include "elements/BlockObj.h"
#include "elements/PaintTools.h"
#include "elements/PowerBus.h"
#include "elements/SimTime.h"
#include "msgtext/AllDisplayMsgTxts.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/Frame.h"
#include "shell/ChildFrame.h"
#include "view/PaintBands.h"

namespace {

constexpr COLORREF kOutside = RGB(128, 128, 128);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// The Simulation bar's state as painting reads it; without a frame: running, powered, no power
// cut. A stopped device whose Power button is held shows its de-energised picture in blue.
struct SimBarState {
    int runState = CSimulationBar::stateRunning;
    BOOL started = TRUE;
    BOOL power = FALSE;
};

SimBarState ReadSimBar(const CChildFrame* pFrame)
{
    SimBarState s;
    if (pFrame) {
        s.runState = pFrame->m_wndSimBar.m_nRunState;
        s.started = pFrame->m_wndSimBar.m_bPowered;
        s.power = pFrame->m_wndSimBar.m_bPower;
    }
    return s;
}

bool DateSet(const SYSTEMTIME& st) { return st.wYear != 0 && st.wMonth != 0 && st.wDay != 0; }
bool DateEmpty(const SYSTEMTIME& st) { return st.wYear == 0 && st.wMonth == 0 && st.wDay == 0; }

void ShiftStamps(CBlockObj* pBlock, std::int64_t ms)
{
    const int shift = int(std::max<std::int64_t>(INT32_MIN, std::min<std::int64_t>(INT32_MAX, ms)));
    AddMsecToSystemTime(&pBlock->m_tmStart, shift, &pBlock->m_tmStart);
    AddMsecToSystemTime(&pBlock->m_tmStart2, shift, &pBlock->m_tmStart2);
}

// The page divisions k = 1 .. count - 1 at origin + k x step that fall inside the clip box
// (with a margin): a damaged file with tiny pages or huge counts draws only what shows.
BOOL VisibleSteps(CDC* pDC, int step, int origin, int count, BOOL horizontal, int* pFirst, int* pLast)
{
    CRect clip;
    if (step <= 0 || count <= 1 || pDC->GetClipBox(&clip) == NULLREGION)
        return FALSE;
    const long long lo = (horizontal ? clip.left : clip.top) - 2LL - origin;
    const long long hi = (horizontal ? clip.right : clip.bottom) + 2LL - origin;
    const long long first = std::max<long long>(1, lo / step);
    const long long last = std::min<long long>(count - 1LL, hi / step + 1);
    if (first > last)
        return FALSE;
    *pFirst = int(first);
    *pLast = int(last);
    return TRUE;
}

// The grey surround over the clip box, less the diagram area that is filled next anyway: the
// strips above, below, left and right of it. Their edges are the area's own, so they meet it
// without a gap at every zoom.
void FillSurround(CDC* pDC, const CRect& clip, const CRect* pExtent)
{
    CRect area;
    if (!pExtent || !area.IntersectRect(&clip, pExtent)) {
        pDC->FillSolidRect(&clip, kOutside);
        return;
    }
    if (area.top > clip.top)
        pDC->FillSolidRect(CRect(clip.left, clip.top, clip.right, area.top), kOutside);
    if (area.bottom < clip.bottom)
        pDC->FillSolidRect(CRect(clip.left, area.bottom, clip.right, clip.bottom), kOutside);
    if (area.left > clip.left)
        pDC->FillSolidRect(CRect(clip.left, area.top, area.left, area.bottom), kOutside);
    if (area.right < clip.right)
        pDC->FillSolidRect(CRect(area.right, area.top, clip.right, area.bottom), kOutside);
}

// Calls f with every element of the list, or only with the band's when painting in bands.
template <class T, class F>
void ForEach(const CObList& list, const std::vector<T*>* pBand, F f)
{
    if (pBand) {
        for (T* p : *pBand)
            f(p);
        return;
    }
    for (POSITION pos = list.GetHeadPosition(); pos;)
        f(static_cast<T*>(list.GetNext(pos)));
}

}  // namespace

BOOL CTavixView::IsActivePaintView() const
{
    // The main window's active frame; a view without a main window asks its own frame.
    CFrameWnd* pActive = nullptr;
    if (auto* pMain = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
        pActive = pMain->GetActiveFrame();
    else if (m_hWnd)
        pActive = CScrollView::GetParentFrame();
    else
        return TRUE;
    return pActive && pActive->GetActiveView() == this;
}

void CTavixView::OnDraw(CDC* pDC)
{
    if (pDC->IsPrinting() || !IsActivePaintView())
        return;
    CRect clip;
    if (pDC->GetClipBox(&clip) == NULLREGION || clip.IsRectEmpty())
        return;
    // The clip box is already in diagram units.
    clip.InflateRect(1, 1);
    const CTavixDoc* pDoc = GetDocument();
    FillSurround(pDC, clip, pDoc ? &pDoc->m_rcExtent : nullptr);
    DrawPageGrid(pDC);
    DrawDiagram(pDC, 1);
}

void CTavixView::DrawPageGrid(CDC* pDC)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    const int pageW = pDoc->m_nPageWidth, pageH = pDoc->m_nPageHeight;
    const int across = (pageW > 0 && pageW < m_sizeTotal.cx) ? m_sizeTotal.cx / pageW : 0;
    const int down = (pageH > 0 && pageH < m_sizeTotal.cy) ? m_sizeTotal.cy / pageH : 0;
    {
        CPen pen(PS_SOLID, 1, RGB(0, 200, 0));
        CPen* pOld = pDC->SelectObject(&pen);
        int first = 0, last = 0;
        if (VisibleSteps(pDC, pageW, 0, across, TRUE, &first, &last))
            for (int k = first; k <= last; ++k) {
                pDC->MoveTo(k * pageW, 0);
                pDC->LineTo(k * pageW, m_sizeTotal.cy);
            }
        if (VisibleSteps(pDC, pageH, 0, down, FALSE, &first, &last))
            for (int k = first; k <= last; ++k) {
                pDC->MoveTo(0, k * pageH);
                pDC->LineTo(m_sizeTotal.cx, k * pageH);
            }
        pDC->SelectObject(pOld);
    }
    const CRect extent = pDoc->m_rcExtent;
    pDC->FillSolidRect(&extent, m_crBackground);
    DrawBaseFrame(pDC, &extent);
    if (pDoc->IsLadder()) {
        if (pDoc->m_powerBus.IsEmpty())
            pDoc->m_powerBus.AddTail(new CPowerBusObj());
        auto* pBus = static_cast<CPowerBusObj*>(pDoc->m_powerBus.GetHead());
        pBus->m_nWidth = 4;
        // The lower end in diagram units: the scroll size is zoomed, the diagram is not, and the
        // rail (and its hit area) must reach the bottom of the diagram at every zoom.
        pBus->m_nHeight = extent.bottom - 4;
        pBus->Draw(this, pDC, 0, 0);
    }
}

void CTavixView::DrawBaseFrame(CDC* pDC, const RECT* pArea)
{
    const CTavixDoc* pDoc = GetDocument();
    const int l = pArea->left, t = pArea->top, r = pArea->right, b = pArea->bottom;
    CPen frame(PS_SOLID, 2, RGB(0, 0, 0));
    CPen* pOld = pDC->SelectObject(&frame);
    pDC->MoveTo(l, t);
    pDC->LineTo(r, t);
    pDC->LineTo(r, b - 2);
    pDC->LineTo(l, b - 2);
    pDC->LineTo(l, t);
    if (pDoc) {
        CPen pages(PS_SOLID, 1, RGB(0, 196, 98));
        pDC->SelectObject(&pages);
        const int pageW = pDoc->m_nPageWidth, pageH = pDoc->m_nPageHeight;
        int first = 0, last = 0;
        if (VisibleSteps(pDC, pageW, l, pDoc->m_nPageLayout[0], TRUE, &first, &last))
            for (int k = first; k <= last; ++k) {
                pDC->MoveTo(l + k * pageW, t);
                pDC->LineTo(l + k * pageW, b);
            }
        if (VisibleSteps(pDC, pageH, t, pDoc->m_nPageLayout[1], FALSE, &first, &last))
            for (int k = first; k <= last; ++k) {
                pDC->MoveTo(l, t + k * pageH);
                pDC->LineTo(r, t + k * pageH);
            }
    }
    pDC->SelectObject(pOld);
}

void CTavixView::DrawDiagram(CDC* pDC, int pass)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    CChildFrame* pFrame = GetParentFrame();
    const bool simulating = m_nEditMode == modeSimulate;
    if (simulating && pFrame && !pDC->IsPrinting()) {
        // The stepping countdown and the time of day follow the clock at every repaint.
        pFrame->m_wndSimBar.UpdateRunTime(pFrame, FALSE);
        pFrame->m_wndSimBar.ShowSimTime();
    }
    const SimBarState bar = ReadSimBar(pFrame);
    const bool printing = pDC->IsPrinting() != FALSE;
    if (pFrame)
        pFrame->GetSimTime(&m_simTime);
    SYSTEMTIME previous{};
    if (pFrame)
        pFrame->GetPrevSimTime(&previous);
    const bool clockSet = pFrame && pFrame->IsClockSet();
    const COLORREF stoppedColour = (!bar.started && bar.power) ? kBlue : 0;

    // Elements look each other up by number many times per pass.
    CBlockNumberIndex index(*pDoc);
    // Thousands of elements are tested against the clip area, which stays as it is meanwhile.
    const paint::ClipBoxScope clipScope(pDC);
    // Painting in bands only happens while editing.
    const CPaintBands* pBands = simulating || printing ? nullptr : m_pPaintBands;
    const auto* pBandBlocks = pBands ? &pBands->Blocks(m_nPaintBand) : nullptr;
    const auto* pBandWires = pBands ? &pBands->Wires(m_nPaintBand) : nullptr;
    if (!simulating)
        ForEach<CBlockObj>(pDoc->m_blocks, pBandBlocks, [&](CBlockObj* pBlock) {
            if (pBlock->m_bSelected && !printing)
                pBlock->DrawSelected(this, pDC);
            else
                pBlock->Draw(this, pDC, pass, 0);
        });
    for (POSITION pos = simulating ? pDoc->m_blocks.GetHeadPosition() : nullptr; pos;) {
        auto* pBlock = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        switch (bar.runState) {
        case CSimulationBar::stateStopped:
            pBlock->m_tmStart = m_simTime;
            pBlock->m_tmStart2 = m_simTime;
            pBlock->m_tmHold = SYSTEMTIME{};
            pBlock->Draw(this, pDC, pass, stoppedColour);
            break;
        case CSimulationBar::stateSuspended:
            if (DateEmpty(pBlock->m_tmHold))
                pBlock->m_tmHold = m_simTime;
            pBlock->SimulateAndDraw(this, pDC);
            break;
        default: {
            const bool function = CTavixDoc::GetBlockKind(pBlock->m_nType) == KIND_FUNCTION;
            if (DateSet(pBlock->m_tmHold) && function) {
                ShiftStamps(pBlock, SystemTimeToMsec(&m_simTime) - SystemTimeToMsec(&pBlock->m_tmHold));
                pBlock->m_tmHold = SYSTEMTIME{};
            } else if (clockSet && function) {
                ShiftStamps(pBlock, SystemTimeToMsec(&m_simTime) - SystemTimeToMsec(&previous));
            }
            pBlock->SimulateAndDraw(this, pDC);
            break;
        }
        }
    }
    if (m_pCurBlock) {
        if (simulating && bar.runState == CSimulationBar::stateStopped) {
            m_pCurBlock->Draw(this, pDC, pass, 0);
            m_pCurBlock->DrawSelectionHandles(pDC);
        } else {
            m_pCurBlock->DrawSelected(this, pDC);
        }
    }
    if (pFrame)
        pFrame->ClearClockSet();
    if (simulating && !printing)
        RefreshMessageTexts(this);

    ForEach<CConnectLineObj>(pDoc->m_wires, pBandWires, [&](CConnectLineObj* pWire) {
        COLORREF colour = m_crWire;
        if (simulating) {
            if (bar.runState == CSimulationBar::stateStopped) {
                colour = stoppedColour;
            } else {
                int value = 0;
                if (pWire->m_nStartPin >= kFirstOutputPin && pWire->m_nStartPin < kPinCount && pWire->m_pStartBlock)
                    value = pWire->m_pStartBlock->m_nPinValue[pWire->m_nStartPin];
                else if (pWire->m_nEndPin >= 0 && pWire->m_nEndPin < kPinCount && pWire->m_pEndBlock)
                    value = pWire->m_pEndBlock->m_nPinValue[pWire->m_nEndPin];
                colour = value == 1 ? kRed : kBlue;
            }
        }
        if (pWire->m_bSelected)
            pWire->DrawSelected(pDC, colour);
        else
            pWire->Draw(pDC, colour, pass);
    });
    if (pDoc->IsLadder() && simulating && !pDoc->m_powerBus.IsEmpty())
        static_cast<CBlockObj*>(pDoc->m_powerBus.GetHead())->Draw(this, pDC, 0, kRed);

    for (POSITION pos = pDoc->m_comments.GetHeadPosition(); pos;) {
        auto* pComment = static_cast<CBlockComment*>(pDoc->m_comments.GetNext(pos));
        if (pComment->m_bSelected)
            pComment->DrawSelected(pDC);
        else
            pComment->Draw(pDC);
    }

    if (m_nEditMode == modeRubberBand) {
        CRect band = m_rcBand;
        band.NormalizeRect();
        CBrush brush(RGB(128, 0, 0));
        pDC->FrameRect(&band, &brush);
    } else if (m_nEditMode == modeConnect || m_bWireFromInsert) {
        DrawRubberWire(pDC);
    }

    if (simulating && bar.runState != CSimulationBar::stateStopped) {
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
            auto* pBlock = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
            if (pBlock->m_bRunning) {
                pBlock->m_tmStart = m_simTime;
                pBlock->m_bRunning = FALSE;
            }
            if (pBlock->m_bRunning2) {
                pBlock->m_tmStart2 = m_simTime;
                pBlock->m_bRunning2 = FALSE;
            }
        }
    }
}

void CTavixView::DrawRubberWire(CDC* pDC)
{
    if (m_nWireStage == 0)
        return;
    CPen pen(PS_SOLID, 1, m_crRubber);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(m_wireNew.m_ptStart);
    pDC->LineTo(m_wireNew.m_ptEnd);
    pDC->SelectObject(pOld);
}
