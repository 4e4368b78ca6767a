// The largest program the device limits allow: loading it, saving it, one undo snapshot of it
// and one simulation pass over it.
#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
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

// Device limit of the function blocks' program area.
constexpr int kProgramArea = 0x6000;

CBlockObj* Add(CTavixDoc& doc, int type, int x, int y)
{
    CBlockObj* pBlock = NewBlockOfType(type);
    if (pBlock == nullptr)
        return nullptr;
    if (!doc.CanAddBlock(type) && CTavixDoc::GetBlockKind(type) != 2) {
        delete pBlock;
        return nullptr;
    }
    if (!doc.AddBlock(pBlock)) {
        delete pBlock;
        return nullptr;
    }
    pBlock->m_ptOrigin = CPoint(x, y);
    pBlock->m_ptSaved = pBlock->m_ptOrigin;
    pBlock->m_nWidth = 25;
    pBlock->m_nHeight = pBlock->m_nInputs == 4 ? 40 : 36;
    return pBlock;
}

void Wire(CTavixDoc& doc, CBlockObj* pFrom, CBlockObj* pTo, int inputPin)
{
    auto* pWire = new CConnectLineObj;
    pWire->m_pStartBlock = pFrom;
    pWire->m_pEndBlock = pTo;
    pWire->m_nStartNumber = pFrom->m_nNumber;
    pWire->m_nEndNumber = pTo->m_nNumber;
    pWire->m_nStartPin = 10;
    pWire->m_nEndPin = inputPin;
    pWire->m_ptStart = CPoint(pFrom->m_ptOrigin.x + 36, pFrom->m_ptOrigin.y + 18);
    pWire->m_ptEnd = CPoint(pTo->m_ptOrigin.x - 11, pTo->m_ptOrigin.y + 10);
    pWire->m_points.Add(pWire->m_ptStart);
    pWire->m_points.Add(CPoint(pWire->m_ptStart.x + 10, pWire->m_ptStart.y));
    pWire->m_points.Add(CPoint(pWire->m_ptStart.x + 10, pWire->m_ptEnd.y));
    pWire->m_points.Add(pWire->m_ptEnd);
    pTo->m_nLink[inputPin] = pFrom->m_nNumber;
    pFrom->m_nLink[10] = pTo->m_nNumber;
    doc.m_wires.AddTail(pWire);
}

// Every I/O range filled to its limit, then function blocks of several families chained by
// wires until the program area is full.
std::unique_ptr<CTavixDoc> BuildMaxProgram()
{
    auto doc = std::make_unique<CTavixDoc>();
    std::vector<CBlockObj*> sources;
    const std::pair<int, int> io[] = {{600, 128}, {608, 64}, {607, 512}, {610, 512},
                                      {611, 5},   {605, 64}, {609, 32}};
    int x = 0;
    for (const auto& range : io) {
        for (int i = 0; i < range.second; ++i) {
            CBlockObj* pBlock = Add(*doc, range.first, x, 60 * i);
            if (pBlock != nullptr && (range.first == 600 || range.first == 607))
                sources.push_back(pBlock);
        }
        x += 100;
    }
    const int families[] = {300, 304, 400, 800, 306, 401, 307, 402, 808, 302};
    CBlockObj* pPrevious = sources.front();
    for (int i = 0;; ++i) {
        const int type = families[i % 10];
        CBlockObj* pProbe = NewBlockOfType(type);
        const int size = pProbe->m_nCodeSize;
        delete pProbe;
        if (doc->GetProgramCodeSize() + size >= kProgramArea)
            break;
        CBlockObj* pBlock = Add(*doc, type, 1000 + (i % 40) * 80, (i / 40) * 60);
        if (pBlock == nullptr)
            break;
        Wire(*doc, pPrevious, pBlock, 0);
        if (pBlock->m_nInputs > 1 && pBlock->m_nLink[1] == 52)
            Wire(*doc, sources[size_t(i) % sources.size()], pBlock, 1);
        pPrevious = pBlock;
    }
    for (int i = 0; i < 16; ++i)
        Add(*doc, 810, 5000, i * 60);
    Add(*doc, 911, 5100, 0);
    return doc;
}

CTavixDoc& MaxProgram()
{
    static std::unique_ptr<CTavixDoc> doc = BuildMaxProgram();
    return *doc;
}

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
