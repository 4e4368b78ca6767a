// Editing at the device limits: pasting 500 wired function blocks into a program, deleting the
// whole selection of the largest program, and moving a 500-block selection by one step.
#include "MaxProgram.h"
#include "platform/host/HeadlessHost.h"
#include "view/TavixView.h"

#include <benchmark/benchmark.h>

namespace {

// Selects every element, wire and comment of the view's document.
void SelectEverything(CTavixView& view)
{
    view.OnEditSelectAll();
}

void BM_Paste500WiredBlocks(benchmark::State& state)
{
    CHeadlessDriver drv;
    CTavixDoc source;
    CBlockObj* previous = nullptr;
    for (int i = 0; i < 500; ++i) {
        CBlockObj* b = maxprogram::Add(source, i % 2 ? 304 : 300, 60 + (i % 20) * 80, 60 + (i / 20) * 60);
        if (previous)
            maxprogram::Wire(source, previous, b, 0);
        previous = b;
    }
    CTavixView copier(&source);
    SelectEverything(copier);
    copier.OnEditCopy();
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<CTavixDoc>();
        target->OnNewDocument();
        auto view = std::make_unique<CTavixView>(target.get());
        view->m_ptDown = CPoint(100, 100);
        state.ResumeTiming();
        view->OnEditPaste();
        state.PauseTiming();
        if (target->m_blocks.GetCount() != 500 || target->m_wires.GetCount() != 499)
            state.SkipWithError("paste incomplete");
        view.reset();
        target.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Paste500WiredBlocks)->Unit(benchmark::kMillisecond);

void BM_DeleteWholeMaximumProgram(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = maxprogram::BuildMaxProgram();
        CTavixView view(doc.get());
        SelectEverything(view);
        state.ResumeTiming();
        view.DeleteSelection();
        state.PauseTiming();
        if (!doc->m_blocks.IsEmpty() || !doc->m_wires.IsEmpty())
            state.SkipWithError("deletion incomplete");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteWholeMaximumProgram)->Unit(benchmark::kMillisecond);

void BM_Move500BlockSelectionOneStep(benchmark::State& state)
{
    CTavixDoc& doc = maxprogram::MaxProgram();
    CTavixView view(&doc);
    int taken = 0;
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos && taken < 500;) {
        auto* b = static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos));
        if (b->m_nNumber >= 9000 && b->m_nNumber <= 10999) {
            b->m_bSelected = TRUE;
            view.m_selBlocks.AddTail(b);
            ++taken;
        }
    }
    int step = 1;
    for (auto _ : state) {
        view.MoveSelection(step, 0);
        step = -step;
    }
    view.ClearSelection(0);
    state.counters["selected"] = taken;
}
BENCHMARK(BM_Move500BlockSelectionOneStep)->Unit(benchmark::kMillisecond);

}  // namespace
