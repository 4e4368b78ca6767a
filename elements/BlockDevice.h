// Device functions: memory block, encoder, stepping motor control and pulse train output (level
// and edge variants), segment display, word to bit, UDC communication and CRC16. Each derives
// directly from CBlockObj; parameters live in the base element's words. On the PC each block
// simulates only what can be shown without the device's hardware.
#pragma once

#include "elements/PlainBlockClass.h"

// 847: source block = reference 1; "Block"/"Index" list indexes in m_nTime1High/m_nTime1Low.
TAVIX_PLAIN_BLOCK_CLASS(CBlockMEM, )
// 849: Q follows En; mode m_nTime1High, pin m_nTime1Low, speed m_nTime2High (reference 2).
TAVIX_PLAIN_BLOCK_CLASS(CBlockSMC, TAVIX_BLOCK_STEP)
// 851: Q follows En; pin m_nTime1Low, pulse width m_nTime2High (reference 2).
TAVIX_PLAIN_BLOCK_CLASS(CBlockPTO, TAVIX_BLOCK_STEP)
// 853: segment pattern of the low hex digit of input 1 while En is 1.
TAVIX_PLAIN_BLOCK_CLASS(CBlockSEG, TAVIX_BLOCK_VALUE_BOX static BYTE DigitToSegments(int digit);)
// 854: Q = bit n (m_nTime1High, reference 1) of input 0.
TAVIX_PLAIN_BLOCK_CLASS(CBlockWORD2BIT, TAVIX_BLOCK_STEP)
// 855: not simulated; its serial settings live in the element words.
TAVIX_PLAIN_BLOCK_CLASS(CBlockUDC, )
// 856: CRC-16 over a run of analog flags (area m_nTime1Low, first m_nTime2Low, count m_nTime2High).
TAVIX_PLAIN_BLOCK_CLASS(CBlockCRC16, TAVIX_BLOCK_VALUE_BOX)

// 848: counts the steps in which both inputs of a pair (I0 & I1 or I2 & I3, m_nPreWarn[1])
// become 1 together; On m_nTime1High (reference 1), Off m_nTime2High (reference 2), start
// value m_nStartValue. The edge latch of each pair is kept in the live value of input slot 2
// (pair 100/101) and 3 (pair 102/103), slots without pins.
class CBlockENCODER : public CBlockObj
{
    DECLARE_SERIAL(CBlockENCODER)
public:
    CBlockENCODER();
    explicit CBlockENCODER(int nType);
    TAVIX_BLOCK_VALUE_BOX
    // Clears both edge latches; the simulation start calls it with the count reset, so that a
    // pair still held at 1 from a previous run is counted again.
    void ResetLatches();
};

// 850: runs for steps (m_nPreWarn[1], reference 1) x speed (m_nTime2High, reference 2) x 0.005
// ms (half step, mode m_nTime1High 0) or x 0.01 ms (full step) after En rises; stop (input 1)
// ends the run.
class CBlockSMCE : public CBlockObj
{
    DECLARE_SERIAL(CBlockSMCE)
public:
    CBlockSMCE();
    explicit CBlockSMCE(int nType);
    TAVIX_BLOCK_STEP
    // TRUE when the run has lasted its full time (m_dElapsed then holds that time).
    virtual BOOL IsPulseTrainDone(CTavixView* pView);
};

// 852: runs for number (m_nPreWarn[1], reference 1) x pulse width (m_nTime2High, reference 2)
// x 0.02 ms after En rises; stop (input 1) ends the run.
class CBlockPTOE : public CBlockObj
{
    DECLARE_SERIAL(CBlockPTOE)
public:
    CBlockPTOE();
    explicit CBlockPTOE(int nType);
    TAVIX_BLOCK_STEP
    virtual BOOL IsPulseTrainDone(CTavixView* pView);
};
