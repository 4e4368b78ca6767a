// Painting the largest program: one simulation tick (every block stepped and the view repainted
// at 1920 x 1080, zoom 1, over the densest part of the diagram) and the whole program shown at
// zoom 0.25 while editing.
#include "MaxProgram.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/framework/AppIds.h"
#include "platform/ui/framework/Frame.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

#include <benchmark/benchmark.h>

namespace {

// A frame window of the headless host showing the maximum program in a view of the given client
// size, at a zoom and scroll position.
struct ViewWindow {
    ViewWindow(int width, int height, float zoom, CPoint scroll)
    {
        CTavixDoc& doc = maxprogram::MaxProgram();
        CRect extent;
        for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos != nullptr;) {
            const auto* b = static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos));
            extent.UnionRect(&extent, CRect(b->m_ptOrigin, CSize(b->m_nWidth + 50, b->m_nHeight + 50)));
        }
        doc.m_rcExtent = CRect(0, 0, extent.right, extent.bottom);
        doc.m_fZoom = zoom;
        frame = new CFrameWnd;
        CRect outer(0, 0, width, height);
        ::AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
        frame->Create(nullptr, L"bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, outer.Width(), outer.Height()), nullptr,
                      nullptr);
        view = new CTavixView(&doc, &childFrame);
        view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), frame, AFX_IDW_PANE_FIRST,
                     nullptr);
        frame->SetActiveView(view);
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
        view->SendMessage(WM_INITIALUPDATE);
        view->ScrollToPosition(scroll);
        drv.Pump();
    }
    ~ViewWindow()
    {
        frame->DestroyWindow();
        drv.Pump();
        maxprogram::MaxProgram().m_fZoom = 1.0f;
    }
    void Repaint()
    {
        view->InvalidateAll();
        view->UpdateWindow();
    }

    CHeadlessDriver drv;
    CChildFrame childFrame;
    CFrameWnd* frame = nullptr;
    CTavixView* view = nullptr;
};

void BM_SimulationTick(benchmark::State& state)
{
    // The function blocks start at x = 1000: their wires and texts are the densest part.
    ViewWindow w(1920, 1080, 1.0f, CPoint(980, 0));
    w.view->m_nEditMode = CTavixView::modeSimulate;
    for (auto _ : state)
        w.Repaint();
    w.view->m_nEditMode = CTavixView::modeSelect;
    state.counters["blocks"] = double(maxprogram::MaxProgram().m_blocks.GetCount());
}
BENCHMARK(BM_SimulationTick)->Unit(benchmark::kMillisecond);

void BM_WholeProgramAtQuarterZoom(benchmark::State& state)
{
    ViewWindow w(1920, 1080, 0.25f, CPoint(0, 0));
    const CRect extent = maxprogram::MaxProgram().m_rcExtent;
    // A client area that holds the whole diagram at a quarter.
    CRect outer(0, 0, extent.Width() / 4 + 40, extent.Height() / 4 + 40);
    ::AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    w.frame->SetWindowPos(nullptr, 0, 0, outer.Width(), outer.Height(), SWP_NOZORDER | SWP_NOMOVE);
    w.drv.Pump();
    for (auto _ : state)
        w.Repaint();
}
BENCHMARK(BM_WholeProgramAtQuarterZoom)->Unit(benchmark::kMillisecond);

}  // namespace
