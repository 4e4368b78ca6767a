// Relay group: Latching Relay (808), Pulse Relay (809), Shift Register (812) and the
// Mathematical instruction error detection (823).
#pragma once

#include "elements/BlockObj.h"

class CBlockLR : public CBlockObj  // Latching Relay: the reset has priority
{
    DECLARE_SERIAL(CBlockLR)
public:
    CBlockLR();
    explicit CBlockLR(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

class CBlockPR : public CBlockObj  // Pulse Relay; m_nExtra3 1: set has priority over reset
{
    DECLARE_SERIAL(CBlockPR)
public:
    CBlockPR();
    explicit CBlockPR(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

// Shift Register: m_nExtra1 is the register bit shown at the output, m_nExtra2 the register
// index 0-3 (machine types 'Q' and above), which selects the bits S(16 x index) .. +15 it drives.
class CBlockSREG : public CBlockObj
{
    DECLARE_SERIAL(CBlockSREG)
public:
    CBlockSREG();
    explicit CBlockSREG(int nType);
    BOOL Simulate(CTavixView* pView) override;
    // On machine types 'Q' and above: the lowest register index that no shift register of the
    // document holds (0 when all four are taken).
    void ChooseRegisterIndex(const CTavixDoc* pDoc);
    // The register index this block drives on a machine type: 0 below 'Q'.
    int GetRegisterIndex(int nMachineType) const;

    WORD m_wShiftReg = 0;
};

class CBlockMATHERR : public CBlockObj  // Mathematical instruction error detection
{
    DECLARE_SERIAL(CBlockMATHERR)
public:
    CBlockMATHERR();
    explicit CBlockMATHERR(int nType);
};
