// Word and bit functions: the Boolean function (a four-input truth table), the trigger date
// time, BCD and binary conversion, rotations and shifts, the six mask operations, the data
// max/min/average blocks and the random number block. Each derives directly from CBlockObj and
// stores nothing beyond the element record; word results live in m_dElapsed.
#pragma once

#include "elements/PlainBlockClass.h"

TAVIX_PLAIN_BLOCK_CLASS(CBlockBoolean, TAVIX_BLOCK_STEP)  // 830: truth table in m_nExtra2
TAVIX_PLAIN_BLOCK_CLASS(CBlockTDT, TAVIX_BLOCK_VALUE_BOX)  // 831: captures the simulated clock
TAVIX_PLAIN_BLOCK_CLASS(CBlockBCD, TAVIX_BLOCK_VALUE_BOX)  // 832
TAVIX_PLAIN_BLOCK_CLASS(CBlockBIN, TAVIX_BLOCK_VALUE_BOX)  // 833
TAVIX_PLAIN_BLOCK_CLASS(CBlockROL, TAVIX_BLOCK_VALUE_BOX)  // 834: count N in m_nTime1High, reference 1
TAVIX_PLAIN_BLOCK_CLASS(CBlockROR, TAVIX_BLOCK_VALUE_BOX)  // 835
TAVIX_PLAIN_BLOCK_CLASS(CBlockSHL, TAVIX_BLOCK_VALUE_BOX)  // 836
TAVIX_PLAIN_BLOCK_CLASS(CBlockSHR, TAVIX_BLOCK_VALUE_BOX)  // 837
TAVIX_PLAIN_BLOCK_CLASS(CBlockANDM, TAVIX_BLOCK_VALUE_BOX)  // 838: mask in m_nTime1High, reference 1
TAVIX_PLAIN_BLOCK_CLASS(CBlockORM, TAVIX_BLOCK_VALUE_BOX)  // 839
TAVIX_PLAIN_BLOCK_CLASS(CBlockNOTM, TAVIX_BLOCK_VALUE_BOX)  // 840
TAVIX_PLAIN_BLOCK_CLASS(CBlockNANDM, TAVIX_BLOCK_VALUE_BOX)  // 841
TAVIX_PLAIN_BLOCK_CLASS(CBlockNORM, TAVIX_BLOCK_VALUE_BOX)  // 842
TAVIX_PLAIN_BLOCK_CLASS(CBlockXORM, TAVIX_BLOCK_VALUE_BOX)  // 843
TAVIX_PLAIN_BLOCK_CLASS(CBlockARRMXIV, TAVIX_BLOCK_VALUE_BOX)  // 844: over a run of analog operands
TAVIX_PLAIN_BLOCK_CLASS(CBlockACMXIV, TAVIX_BLOCK_VALUE_BOX)  // 845: over two word inputs
TAVIX_PLAIN_BLOCK_CLASS(CBlockRAND, TAVIX_BLOCK_VALUE_BOX)  // 846: maximum in m_nTime1High

namespace WordOps {

// Word operations on the low 16 bits; results are signed 16-bit values.
int Rotate(int v, int n, bool bLeft);
int ShiftLeft(int v, int n);
int ShiftRightArithmetic(int v, int n);
// Mask operation of types 838-843 (840 ignores the mask).
int ApplyMask(int nType, int v, int mask);
// The count of the rotations and shifts from a referenced value: above 15 gives 15, below 1
// gives 0, else truncated.
int ReferencedCount(double value);
// Max (0), min (1) or 32-bit average truncated toward zero (2) of two words.
int CombineTwo(int mode, int v, int w);

} // namespace WordOps
