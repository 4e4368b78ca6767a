// Laying out and wiring the largest program as it comes back from a device: 1024 function
// blocks chained to each other and to inputs, 64 outputs and 256 flags, compiled once; each run
// lays a freshly decoded copy out and wires it.
#include "MaxProgram.h"
#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "image/TavixCoreRule.h"
#include "view/DiagramLayout.h"
#include "view/TavixView.h"

#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<CTavixDoc> BuildLargestProgram()
{
    auto doc = std::make_unique<CTavixDoc>();
    doc->m_nHardwareCode = 0x5188;
    CBlockObj* inputs[16];
    for (int i = 0; i < 16; ++i)
        inputs[i] = maxprogram::AddIo(*doc, 600, 100 + i, 100);
    static const int kTypes[] = {300, 304, 400, 800, 306, 808};
    std::vector<CBlockObj*> blocks;
    for (int i = 0; i < 1024; ++i) {
        CBlockObj* b = NewBlockOfType(kTypes[i % 6]);
        doc->AddBlock(b);
        for (int pin = 0; pin < kFirstOutputPin && pin < b->m_nInputs; ++pin)
            if (b->m_nLink[pin] == LINK_OPEN)
                b->m_nLink[pin] = (pin % 2 == 0 && i > 0) ? blocks[size_t(i / 2)]->m_nNumber
                                                          : inputs[(i + pin) % 16]->m_nNumber;
        blocks.push_back(b);
    }
    for (int i = 0; i < 64; ++i)
        maxprogram::AddIo(*doc, 605, 600 + i, 600)->m_nLink[0] = blocks[size_t(i * 7)]->m_nNumber;
    for (int i = 0; i < 256; ++i)
        maxprogram::AddIo(*doc, 607, 1316 + i, 1316)->m_nLink[0] = blocks[size_t(i * 3)]->m_nNumber;
    return doc;
}

// The decoded document of the maximum program's image; null when it cannot be made.
std::unique_ptr<CTavixDoc> Decode(CTavixCoreRule& down)
{
    auto doc = std::make_unique<CTavixDoc>();
    CTavixCoreRule up;
    up.m_nJSize = down.m_nJSize;
    up.m_nMsgTextBytes = int(down.m_msgText.size());
    up.SetDocument(doc.get());
    if (!up.AllocImageBuffers(CTavixCoreRule::modeUpload, 0))
        return nullptr;
    up.m_area0 = down.m_area0;
    up.m_areaJ = down.m_areaJ;
    up.m_msgText = down.m_msgText;
    if (!up.DecodeSettings() || !up.DecodeImage())
        return nullptr;
    return doc;
}

void BM_LayOutLargestUpload(benchmark::State& state)
{
    auto max = BuildLargestProgram();
    CTavixCoreRule down;
    down.SetDocument(max.get());
    if (!down.AllocImageBuffers(CTavixCoreRule::modeDownload, 0) || !down.CompileProgram()) {
        state.SkipWithError("the maximum program does not compile");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = Decode(down);
        if (!doc) {
            state.SkipWithError("the image does not decode");
            break;
        }
        CTavixView view(doc.get(), nullptr);
        state.ResumeTiming();
        CDiagramLayout::LayOutDecoded(view);
        benchmark::DoNotOptimize(doc->m_wires.GetCount());
        state.PauseTiming();
        state.counters["elements"] = double(doc->m_blocks.GetCount());
        state.counters["wires"] = double(doc->m_wires.GetCount());
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LayOutLargestUpload)->Unit(benchmark::kMillisecond);

}  // namespace
