// Compiling and decoding the largest program the device holds: 1024 function blocks of 24
// bytes filling the whole instruction area, 256 of them named, every input wired, outputs of
// every table and 16 message texts.
#include "MaxProgram.h"
#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "image/TavixCoreRule.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<CTavixDoc> BuildLargestProgram()
{
    auto doc = std::make_unique<CTavixDoc>();
    doc->m_nHardwareCode = 0x5188;
    CBlockObj* inputs[16];
    for (int i = 0; i < 16; ++i)
        inputs[i] = maxprogram::AddIo(*doc, 600, 100 + i, 100);
    static const int kTypes[] = {800, 801, 803, 819, 848, 855};
    std::vector<CBlockObj*> blocks;
    for (int i = 0; i < 1024; ++i) {
        CBlockObj* b = NewBlockOfType(i >= 1008 ? 810 : kTypes[i % 6]);
        doc->AddBlock(b);
        if (i % 4 == 0)
            b->m_strName.Format(L"N%d", i);
        for (int pin = 0; pin < kFirstOutputPin; ++pin)
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

int CodeSizeCheck(CTavixDoc& doc)
{
    return doc.GetProgramCodeSize();
}

void BM_CompileLargestProgram(benchmark::State& state)
{
    auto doc = BuildLargestProgram();
    state.counters["J bytes"] = CodeSizeCheck(*doc);
    for (auto _ : state) {
        CTavixCoreRule rule;
        rule.SetDocument(doc.get());
        rule.AllocImageBuffers(CTavixCoreRule::modeDownload, 16);
        if (!rule.CompileProgram())
            state.SkipWithError("compilation failed");
        rule.FinishImage();
        benchmark::DoNotOptimize(rule.m_areaJ.data());
    }
}
BENCHMARK(BM_CompileLargestProgram)->Unit(benchmark::kMillisecond);

void BM_DecodeLargestProgram(benchmark::State& state)
{
    auto doc = BuildLargestProgram();
    CTavixCoreRule down;
    down.SetDocument(doc.get());
    down.AllocImageBuffers(CTavixCoreRule::modeDownload, 16);
    if (!down.CompileProgram()) {
        state.SkipWithError("compilation failed");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<CTavixDoc>();
        auto rule = std::make_unique<CTavixCoreRule>();
        rule->m_nJSize = down.m_nJSize;
        rule->SetDocument(target.get());
        rule->AllocImageBuffers(CTavixCoreRule::modeUpload, 16);
        rule->m_area0 = down.m_area0;
        rule->m_areaJ = down.m_areaJ;
        rule->m_msgText = down.m_msgText;
        state.ResumeTiming();
        if (!rule->DecodeSettings() || !rule->DecodeImage())
            state.SkipWithError("decoding failed");
        state.PauseTiming();
        rule.reset();
        target.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DecodeLargestProgram)->Unit(benchmark::kMillisecond);

} // namespace
