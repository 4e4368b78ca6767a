// Math functions: the parity tests (bit output) and eighteen functions of one or two words:
// modulo and remainder, logarithm, square root, absolute value, GCD and LCM, powers of 2 and
// of e, fixed-point and round-off, the six trigonometric functions of an angle in degrees, and
// the quadratic equation. Each derives directly from CBlockObj and stores nothing beyond the
// element record; the result lives in m_dElapsed (the parity tests: in the output Q).
#pragma once

#include "elements/PlainBlockClass.h"

TAVIX_PLAIN_BLOCK_CLASS(CBlockODD, TAVIX_BLOCK_STEP)  // 860
TAVIX_PLAIN_BLOCK_CLASS(CBlockEVEN, TAVIX_BLOCK_STEP)  // 861
TAVIX_PLAIN_BLOCK_CLASS(CBlockMOD, TAVIX_BLOCK_VALUE_BOX)  // 862: divisor in m_nTime1High, reference 1
TAVIX_PLAIN_BLOCK_CLASS(CBlockREM, TAVIX_BLOCK_VALUE_BOX)  // 863
TAVIX_PLAIN_BLOCK_CLASS(CBlockLOG, TAVIX_BLOCK_VALUE_BOX)  // 864: base index in m_nTime1Base
TAVIX_PLAIN_BLOCK_CLASS(CBlockSQRT, TAVIX_BLOCK_VALUE_BOX)  // 865
TAVIX_PLAIN_BLOCK_CLASS(CBlockABS, TAVIX_BLOCK_VALUE_BOX)  // 866
TAVIX_PLAIN_BLOCK_CLASS(CBlockGCD, TAVIX_BLOCK_VALUE_BOX)  // 867
TAVIX_PLAIN_BLOCK_CLASS(CBlockLCM, TAVIX_BLOCK_VALUE_BOX)  // 868
TAVIX_PLAIN_BLOCK_CLASS(CBlockPOW2, TAVIX_BLOCK_VALUE_BOX)  // 869
TAVIX_PLAIN_BLOCK_CLASS(CBlockEXP, TAVIX_BLOCK_VALUE_BOX)  // 870
TAVIX_PLAIN_BLOCK_CLASS(CBlockFIX, TAVIX_BLOCK_VALUE_BOX)  // 871: decimal places in m_nTime1Base
TAVIX_PLAIN_BLOCK_CLASS(CBlockROUND, TAVIX_BLOCK_VALUE_BOX)  // 872
TAVIX_PLAIN_BLOCK_CLASS(CBlockSIN, TAVIX_BLOCK_VALUE_BOX)  // 873
TAVIX_PLAIN_BLOCK_CLASS(CBlockCOS, TAVIX_BLOCK_VALUE_BOX)  // 874
TAVIX_PLAIN_BLOCK_CLASS(CBlockTAN, TAVIX_BLOCK_VALUE_BOX)  // 875
TAVIX_PLAIN_BLOCK_CLASS(CBlockCOT, TAVIX_BLOCK_VALUE_BOX)  // 876
TAVIX_PLAIN_BLOCK_CLASS(CBlockSEC, TAVIX_BLOCK_VALUE_BOX)  // 877
TAVIX_PLAIN_BLOCK_CLASS(CBlockCSC, TAVIX_BLOCK_VALUE_BOX)  // 878

// 879: A in m_nTime1High, B in m_nTime2High, C in m_nPreWarn[1], direction in m_nTime1Base,
// amplification in m_dParam; input 0 R resets, input 1 is y.
class CBlockQUAD : public CBlockObj
{
    DECLARE_SERIAL(CBlockQUAD)
public:
    CBlockQUAD();
    explicit CBlockQUAD(int nType);
    TAVIX_BLOCK_VALUE_BOX
    // The root r of A r^2 + B r + C = y chosen by the direction (0 with +sqrt, 1 with -sqrt);
    // 0 without a real root. With A = 0 the equation is linear: (y - C) / B, or 0 when B is 0.
    double SolveQuadratic(CTavixView* pView);
};
