// Clock blocks of the timer family: Weekly Timer (410), Yearly Timer (411), Astronomical clock
// (412) and Stopwatch (413). The weekly and yearly timers read the simulated date and time; the
// astronomical clock and the stopwatch keep their outputs in simulation.
#pragma once

#include "elements/BlockTime.h"

class CBlockWT : public CBlockTime  // Weekly Timer
{
    DECLARE_SERIAL(CBlockWT)
public:
    CBlockWT();
    explicit CBlockWT(int nType);
    BOOL Simulate(CTavixView* pView) override;
    // The base copy, then the whole cam table.
    void CopyTo(CBlockObj* pDst, BOOL bGeometry, int nMachineType) override;
    // Output for a weekday (0 Sunday) and minute of the day: the kind of the most recent cam
    // event within the week.
    int EvaluateCams(int nDayOfWeek, int nMinuteOfDay) const;
};

class CBlockYT : public CBlockTime  // Yearly Timer
{
    DECLARE_SERIAL(CBlockYT)
public:
    CBlockYT();
    explicit CBlockYT(int nType);
    BOOL Simulate(CTavixView* pView) override;
    // Output for a date and time of the simulated calendar.
    int EvaluateDate(const SYSTEMTIME& now) const;
};

class CBlockAC : public CBlockTime  // Astronomical clock
{
    DECLARE_SERIAL(CBlockAC)
public:
    CBlockAC();
    explicit CBlockAC(int nType);
};

class CBlockSW : public CBlockTime  // Stopwatch
{
    DECLARE_SERIAL(CBlockSW)
public:
    CBlockSW();
    explicit CBlockSW(int nType);
};
