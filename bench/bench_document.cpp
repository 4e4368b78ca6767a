// The largest program the device limits allow: loading it, saving it, one undo snapshot of it
// and one simulation pass over it.
#include "MaxProgram.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using maxprogram::MaxProgram;

// A scratch folder for the files the benchmarks write, removed when the program ends.
struct ScratchFolder {
    ScratchFolder()
    {
        char pattern[] = "/tmp/tavix-bench.XXXXXX";
        if (mkdtemp(pattern) != nullptr)
            path = pattern;
    }
    ~ScratchFolder()
    {
        if (!path.empty())
            std::filesystem::remove_all(path);
    }
    std::string path;
};

std::string ScratchFile(const char* name)
{
    static ScratchFolder folder;
    return folder.path + "/" + name;
}

void BM_SaveMaxProgram(benchmark::State& state)
{
    CTavixDoc& doc = MaxProgram();
    const CString path = FromUtf8(ScratchFile("save.yfb"));
    for (auto _ : state) {
        if (!doc.OnSaveDocument(path))
            state.SkipWithError("save failed");
    }
    state.counters["blocks"] = double(doc.m_blocks.GetCount());
    state.counters["wires"] = double(doc.m_wires.GetCount());
}
BENCHMARK(BM_SaveMaxProgram)->Unit(benchmark::kMillisecond);

void BM_LoadMaxProgram(benchmark::State& state)
{
    const CString path = FromUtf8(ScratchFile("load.yfb"));
    if (!MaxProgram().OnSaveDocument(path)) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        CTavixDoc doc;
        CFile file(path, CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = &doc;
        doc.Serialize(ar);
        ar.Close();
        benchmark::DoNotOptimize(doc.m_blocks.GetCount());
    }
}
BENCHMARK(BM_LoadMaxProgram)->Unit(benchmark::kMillisecond);

void BM_UndoSnapshot(benchmark::State& state)
{
    CTavixDoc& doc = MaxProgram();
    for (auto _ : state) {
        if (!doc.m_undo.PushSnapshot(&doc))
            state.SkipWithError("snapshot failed");
    }
}
BENCHMARK(BM_UndoSnapshot)->Unit(benchmark::kMillisecond);

void BM_SimulationPass(benchmark::State& state)
{
    CTavixDoc& doc = MaxProgram();
    CChildFrame frame;
    CTavixView view(&doc, &frame);
    view.m_nEditMode = CTavixView::modeSimulate;
    for (auto _ : state) {
        // The repaint of a simulating view steps every block with the numbers indexed.
        CBlockNumberIndex index(doc);
        for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos != nullptr;)
            static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos))->Simulate(&view);
    }
}
BENCHMARK(BM_SimulationPass)->Unit(benchmark::kMicrosecond);

} // namespace
