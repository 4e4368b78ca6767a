// A simulation bench for the block families: a diagram on a fixed simulated clock, bit sources
// the tests switch, and the view's repaint pass (copy the clock, step every block in list order,
// re-stamp the blocks that asked for a new start time).
#pragma once

#include "DiagramFixture.h"

#include "elements/BlockFactory.h"
#include "elements/BlockIO.h"
#include "elements/SimTime.h"

#include <algorithm>
#include <string>
#include <vector>

struct SimBench : Diagram {
    SimBench()
    {
        view.m_nEditMode = CTavixView::modeSimulate;
        frame.m_wndSimBar.m_nRunMode = CSimulationBar::modeContinuous;
        frame.m_wndSimBar.m_nRunState = CSimulationBar::stateRunning;
        SetClock(2026, 3, 2, 8, 0, 0);  // a Monday
    }

    // Sets the simulated clock; the day of week is derived from the date.
    void SetClock(int y, int mo, int d, int h, int mi, int s = 0)
    {
        SYSTEMTIME st{WORD(y), WORD(mo), 0, WORD(d), WORD(h), WORD(mi), WORD(s), 0};
        AddMsecToSystemTime(&st, 0, &st);
        frame.SetSimTime(st);
        view.m_simTime = st;
    }

    // A block of the type from the factory, numbered and added.
    CBlockObj* Make(int nType, int nNumber = 9000)
    {
        return Add(NewBlockOfType(nType), nNumber);
    }

    // A digital input numbered 100 + n with output value v, wired to pin of pDst when given.
    CBlockIn* Source(int n, int v = 0, CBlockObj* pDst = nullptr, int pin = 0)
    {
        CBlockIn* p = Add(new CBlockIn(TYPE_INPUT), NUM_INPUT + n);
        p->m_nPinValue[kOutputPin] = v;
        if (pDst)
            pDst->m_nLink[pin] = p->m_nNumber;
        return p;
    }

    static void Wire(CBlockObj* pDst, int pin, const CBlockObj* pSrc) { pDst->m_nLink[pin] = pSrc->m_nNumber; }

    // One repaint pass of the simulating view.
    void Step()
    {
        frame.GetSimTime(&view.m_simTime);
        for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;)
            static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos))->Simulate(&view);
        for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;) {
            CBlockObj* p = static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos));
            if (p->m_bRunning) {
                p->m_tmStart = view.m_simTime;
                p->m_bRunning = FALSE;
            }
            if (p->m_bRunning2) {
                p->m_tmStart2 = view.m_simTime;
                p->m_bRunning2 = FALSE;
            }
        }
    }

    void Advance(int ms) { frame.AdvanceSimTime(ms); }
};

// A timed script: at time t (ms from the start, a multiple of the 25 ms tick) a source takes a
// value before the pass; after the pass at time t the block's output must be q.
struct ScriptEvent {
    int t;
    int source;
    int value;
};
struct ScriptCheck {
    int t;
    int q;
};

// Runs a script on a block whose pins 0..nSources-1 are fed by sources; returns the number of
// failed checks and describes them in *pLog.
inline int RunScript(SimBench& bench, CBlockObj* pBlock, int nSources, const std::vector<ScriptEvent>& events,
                     const std::vector<ScriptCheck>& checks, std::string* pLog)
{
    std::vector<CBlockIn*> sources;
    for (int i = 0; i < nSources; ++i)
        sources.push_back(bench.Source(i, 0, pBlock, i));
    int end = 0;
    for (const ScriptCheck& c : checks)
        end = std::max(end, c.t);
    int failures = 0;
    for (int t = 0; t <= end; t += 25) {
        for (const ScriptEvent& e : events)
            if (e.t == t)
                sources[e.source]->m_nPinValue[kOutputPin] = e.value;
        bench.Step();
        for (const ScriptCheck& c : checks) {
            if (c.t == t && pBlock->m_nPinValue[kOutputPin] != c.q) {
                ++failures;
                *pLog += " t=" + std::to_string(t) + " q=" + std::to_string(pBlock->m_nPinValue[kOutputPin]);
            }
        }
        bench.Advance(25);
    }
    return failures;
}
