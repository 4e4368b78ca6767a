// Delay and pulse timers of the timer family: On-Delay (400), Off-Delay (401), On-/Off-Delay
// (402), Retentive On-Delay (403), Wiping Relay (404), Edge Triggered Wiping Relay (405) and
// Asynchronous Pulse Generator (406). All run on the simulated clock.
#pragma once

#include "elements/BlockTime.h"

class CBlockDPR : public CBlockTime  // On-Delay
{
    DECLARE_SERIAL(CBlockDPR)
public:
    CBlockDPR();
    explicit CBlockDPR(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

class CBlockDDR : public CBlockTime  // Off-Delay
{
    DECLARE_SERIAL(CBlockDDR)
public:
    CBlockDDR();
    explicit CBlockDDR(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

class CBlockMPLR : public CBlockTime  // On-/Off-Delay
{
    DECLARE_SERIAL(CBlockMPLR)
public:
    CBlockMPLR();
    explicit CBlockMPLR(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

class CBlockPLR : public CBlockTime  // Retentive On-Delay
{
    DECLARE_SERIAL(CBlockPLR)
public:
    CBlockPLR();
    explicit CBlockPLR(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

class CBlockCPG : public CBlockTime  // Wiping Relay (pulse output)
{
    DECLARE_SERIAL(CBlockCPG)
public:
    CBlockCPG();
    explicit CBlockCPG(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

class CBlockRPR : public CBlockTime  // Edge Triggered Wiping Relay
{
    DECLARE_SERIAL(CBlockRPR)
public:
    CBlockRPR();
    explicit CBlockRPR(int nType);
    BOOL Simulate(CTavixView* pView) override;

    int m_nPulseCount = -1;   // pulses given in the running sequence, -1 before the first
    int m_nPulseTarget = 0;   // index of the last pulse (pulse cycles - 1)
};

class CBlockAPG : public CBlockTime  // Asynchronous Pulse Generator
{
    DECLARE_SERIAL(CBlockAPG)
public:
    CBlockAPG();
    explicit CBlockAPG(int nType);
    BOOL Simulate(CTavixView* pView) override;

    BOOL m_bStoppedInPulse = FALSE;  // disabled during the pulse phase (chooses the shown set)
};
