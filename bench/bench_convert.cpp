// Converting the largest ladder program to a function block diagram: 300 rungs of two parallel
// branches of three contacts each (make and break on inputs, flags and earlier coils) into coils
// on every output and on flags, converted, laid out and wired.
#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "elements/ConnectLineObj.h"
#include "elements/PowerBus.h"
#include "shell/MainFrame.h"
#include "view/TavixView.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kRungs = 300;

CBlockObj* Add(CTavixDoc& doc, int type, int number, int operand)
{
    CBlockObj* p = NewBlockOfType(type);
    p->ResetPinKinds(&doc);
    p->m_nNumber = number;
    p->m_nOperand = operand;
    p->m_nWidth = 25;
    p->m_nHeight = 36;
    doc.m_blocks.AddTail(p);
    return p;
}

void Wire(CTavixDoc& doc, CBlockObj* from, CBlockObj* to)
{
    auto* w = new CConnectLineObj;
    w->m_pStartBlock = from;
    w->m_nStartPin = kOutputPin;
    w->m_nStartNumber = from->m_nNumber;
    w->m_pEndBlock = to;
    w->m_nEndPin = 0;
    w->m_nEndNumber = to->m_nNumber;
    w->m_pDoc = &doc;
    w->m_points.Add(CPoint(0, 0));
    w->m_points.Add(CPoint(10, 0));
    doc.m_wires.AddTail(w);
    to->m_nLink[0] = from->m_nNumber;
}

std::unique_ptr<CTavixDoc> BuildLadder()
{
    CMainFrame::SetPendingDocKind(2);
    auto doc = std::make_unique<CTavixDoc>();
    auto* bus = new CPowerBusObj();
    bus->m_nNumber = NUM_POWERBUS;
    doc->m_powerBus.AddTail(bus);
    std::vector<int> coilOperands;
    for (int i = 0; i < 128 && int(coilOperands.size()) < kRungs; ++i)
        if (i % 16 < 8)
            coilOperands.push_back(NUM_OUTPUT + i);
    for (int i = 0; int(coilOperands.size()) < kRungs; ++i)
        coilOperands.push_back(NUM_FLAG + i);
    int make = NUM_MAKE, brk = NUM_BREAK;
    for (int r = 0; r < kRungs; ++r) {
        CBlockObj* coil = Add(*doc, TYPE_COIL, NUM_COIL + r, coilOperands[size_t(r)]);
        for (int branch = 0; branch < 2; ++branch) {
            CBlockObj* prev = bus;
            for (int k = 0; k < 3; ++k) {
                const bool isBreak = (r + branch + k) % 3 == 0;
                int operand = NUM_INPUT + (r * 7 + branch * 3 + k) % 16;
                if (k == 2 && r > 0)
                    operand = NUM_COIL + (r * 13) % r;  // an earlier coil
                CBlockObj* c = Add(*doc, isBreak ? TYPE_BREAK : TYPE_MAKE, isBreak ? brk++ : make++, operand);
                Wire(*doc, prev, c);
                prev = c;
            }
            Wire(*doc, prev, coil);
        }
    }
    return doc;
}

void BM_ConvertLargestLadder(benchmark::State& state)
{
    static std::unique_ptr<CTavixDoc> ladder = BuildLadder();
    for (auto _ : state) {
        state.PauseTiming();
        CMainFrame::SetPendingDocKind(1);
        auto fbd = std::make_unique<CTavixDoc>();
        CTavixView view(fbd.get(), nullptr);
        state.ResumeTiming();
        CString error;
        if (!view.ConvertLadderToFbd(ladder.get(), &error))
            state.SkipWithError("conversion refused");
        benchmark::DoNotOptimize(fbd->m_blocks.GetCount());
        state.PauseTiming();
        fbd.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ConvertLargestLadder)->Unit(benchmark::kMillisecond);

}  // namespace
