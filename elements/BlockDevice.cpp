#include "elements/BlockDevice.h"

#include "comm/ModBus.h"
#include "document/TavixDoc.h"
#include "elements/BlockStep.h"
#include "elements/SimTime.h"
#include "elements/ValueBlock.h"
#include "pages/BitTest.h"

#include <cmath>
#include <vector>

IMPLEMENT_SERIAL(CBlockMEM, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockENCODER, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockSMC, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockSMCE, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockPTO, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockPTOE, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockSEG, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockWORD2BIT, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockUDC, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockCRC16, CBlockObj, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kRunLimit = 99999999;

// A referenced value held within lo..hi (NaN gives lo), truncated toward zero.
int Limit(double v, int lo, int hi)
{
    if (std::isnan(v) || v < lo)
        return lo;
    if (v > hi)
        return hi;
    return static_cast<int>(v);
}

// Parameter k (0-based reference index) from its reference when set, else the literal.
int ParamOrReference(CBlockObj& block, int k, int literal, int lo, int hi)
{
    return block.m_pRefBlock[k] ? Limit(BlockStep::ReferenceValue(block, k), lo, hi) : literal;
}

// Q := v in the steps of 849-852: in a ladder diagram a change passes to the contacts at once.
void SetOutputNow(CBlockObj& block, CTavixView* pView, int v)
{
    const bool bChanged = block.m_nPinValue[kOutputPin] != v;
    block.m_nPinValue[kOutputPin] = v;
    if (bChanged && BlockStep::IsLadder(pView))
        block.UpdateLadderContacts(pView);
}

// Q follows En (849, 851).
BOOL LevelStep(CBlockObj& block, CTavixView* pView)
{
    block.ReadInputs(pView);
    if (block.m_bPinChanged[0]) {
        SetOutputNow(block, pView, block.m_nPinValue[0]);
        block.m_bPinChanged[0] = FALSE;
    }
    return TRUE;
}

// The run of 850 and 852: En rising starts it, stop rising ends it, and so does its time.
template <typename Block>
BOOL EdgeStep(Block& block, CTavixView* pView)
{
    block.ReadInputs(pView);
    if (block.m_bPinChanged[1]) {
        if (block.m_nPinValue[1] == 1 && block.m_nPinValue[kOutputPin] == 1)
            SetOutputNow(block, pView, 0);
        block.m_bPinChanged[1] = FALSE;
        return TRUE;
    }
    if (block.m_nPinValue[1] != 0)
        return TRUE;
    if (block.m_bPinChanged[0]) {
        if (block.m_nPinValue[0] == 1 && block.m_nPinValue[kOutputPin] == 0) {
            block.m_tmStart = BlockStep::GetClock(pView);
            SetOutputNow(block, pView, 1);
        }
        block.m_bPinChanged[0] = FALSE;
    } else if (block.m_nPinValue[kOutputPin] == 1 && block.IsPulseTrainDone(pView)) {
        SetOutputNow(block, pView, 0);
    }
    return TRUE;
}

// The common end test of the edge variants: the run is over once `msPerUnit` x count x period
// milliseconds of simulated time have passed since its start.
BOOL RunDone(CBlockObj& block, CTavixView* pView, double msPerUnit)
{
    if (BlockStep::IsHeld(block))
        return FALSE;
    if (BlockStep::IsTimeRunning(pView)) {
        block.m_dElapsed = static_cast<double>(BlockStep::ViewMsec(pView) -
                                               SystemTimeToMsec(&block.m_tmStart));
    }
    const int n = ParamOrReference(block, 0, block.m_nPreWarn[1], 0, kRunLimit);
    const int p = ParamOrReference(block, 1, block.m_nTime2High, 0, kRunLimit);
    const double duration = double(n) * double(p) * msPerUnit;
    if (duration > block.m_dElapsed)
        return FALSE;
    block.m_dElapsed = std::trunc(duration);
    return TRUE;
}

void SetupTyped(CBlockObj& block, int firstPin, std::initializer_list<int> items)
{
    block.ApplyTypeConstants();
    BlockStep::SetLinkItems(block, firstPin, items);
}

void SetRunRange(CBlockObj& block)
{
    block.m_nSimMin = 0;
    block.m_nSimMax = kRunLimit;
}

} // namespace

// ---- construction ----

#define TAVIX_DEVICE_LOAD_CTOR(name, options) \
    name::name() { m_byOptions = options; }
TAVIX_DEVICE_LOAD_CTOR(CBlockMEM, 0x21)
TAVIX_DEVICE_LOAD_CTOR(CBlockENCODER, 0x0F)
TAVIX_DEVICE_LOAD_CTOR(CBlockSMC, 0x0E)
TAVIX_DEVICE_LOAD_CTOR(CBlockSMCE, 0x0E)
TAVIX_DEVICE_LOAD_CTOR(CBlockPTO, 0x0E)
TAVIX_DEVICE_LOAD_CTOR(CBlockPTOE, 0x0E)
TAVIX_DEVICE_LOAD_CTOR(CBlockSEG, 0x3C)
TAVIX_DEVICE_LOAD_CTOR(CBlockUDC, 0x08)
TAVIX_DEVICE_LOAD_CTOR(CBlockCRC16, 0x2E)
#undef TAVIX_DEVICE_LOAD_CTOR

CBlockWORD2BIT::CBlockWORD2BIT()
{
    m_byOptions = 0x0E;
    ValueBlock::ResetLastInputs(*this);
}

CBlockMEM::CBlockMEM(int nType) : CBlockObj(nType, 2) { SetupTyped(*this, 1, {55, 84, 83, 53, 53}); }

CBlockENCODER::CBlockENCODER(int nType) : CBlockObj(nType, 2)
{
    SetupTyped(*this, 1, {55, 70, 71, 58, 53, 53, 53});
    m_nSimMin = -999999;
    m_nSimMax = 999999;
}

CBlockSMC::CBlockSMC(int nType) : CBlockObj(nType, 3)
{
    SetupTyped(*this, 2, {55, 95, 78, 53});
    SetRunRange(*this);
    m_nTime2High = 250;  // speed
}

CBlockSMCE::CBlockSMCE(int nType) : CBlockObj(nType, 4)
{
    SetupTyped(*this, 3, {55, 95, 78, 77, 53});
    SetRunRange(*this);
    m_nTime2High = 250;  // speed
    m_nPreWarn[1] = 0;   // steps
}

CBlockPTO::CBlockPTO(int nType) : CBlockObj(nType, 2)
{
    SetupTyped(*this, 1, {55, 78, 53});
    SetRunRange(*this);
    m_nTime2High = 0;  // pulse width
}

CBlockPTOE::CBlockPTOE(int nType) : CBlockObj(nType, 3)
{
    SetupTyped(*this, 2, {55, 78, 77, 53});
    SetRunRange(*this);
    m_nTime2High = 0;  // pulse width
    m_nPreWarn[1] = 0; // number of pulses
}

CBlockSEG::CBlockSEG(int nType) : CBlockObj(nType, 2) { SetupTyped(*this, 2, {53, 53}); }

CBlockWORD2BIT::CBlockWORD2BIT(int nType) : CBlockObj(nType, 2)
{
    SetupTyped(*this, 1, {55, 53, 53});
    m_nSimMin = 0;
    m_nSimMax = 15;
    ValueBlock::ResetLastInputs(*this);
}

CBlockUDC::CBlockUDC(int nType) : CBlockObj(nType, 2)
{
    SetupTyped(*this, 1, {55, 57, 82, 83, 84, 85, 58, 86, 59, 64, 60, 61, 62, 63});
    m_nTime1Base = 1;          // cycle
    m_nTime2Base = 0;          // COM port
    m_nPreWarn[3] = 1;         // transmit count
    m_nPreWarn[2] = 1;         // receive count
    m_nYearly = 0;             // transmit start character unused
    m_bStdPreWarning = FALSE;  // receive start character unused
    m_nYearEnd = 0;            // transmit data address
    m_nYearStart = 0;          // receive data address
}

CBlockCRC16::CBlockCRC16(int nType) : CBlockObj(nType, 2)
{
    SetupTyped(*this, 1, {55, 85, 83, 53});
    m_nTime2High = 1;  // count
}

// ---- encoder ----

void CBlockENCODER::ResetLatches()
{
    m_nPinValue[2] = 0;
    m_nPinValue[3] = 0;
}

BOOL CBlockENCODER::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    const int on = ParamOrReference(*this, 0, m_nTime1High, -999999, 999999);
    const int off = ParamOrReference(*this, 1, m_nTime2High, -999999, 999999);
    if (m_nPinValue[0] == 1) {
        BlockStep::SetOutput(*this, pView, 0);
        m_dElapsed = m_nStartValue;
    } else {
        const bool bSecondPair = m_nPreWarn[1] != 0;
        const int first = bSecondPair ? NUM_INPUT + 2 : NUM_INPUT;
        CTavixDoc* pDoc = BlockStep::DocOf(pView);
        const CBlockObj* pA = pDoc ? pDoc->FindBlockByNumber(first) : nullptr;
        const CBlockObj* pB = pDoc ? pDoc->FindBlockByNumber(first + 1) : nullptr;
        const bool bBoth = pA && pB && pA->m_nPinValue[kOutputPin] != 0 &&
                           pB->m_nPinValue[kOutputPin] != 0;
        int& latch = m_nPinValue[bSecondPair ? 3 : 2];
        if (bBoth) {
            if (latch == 0) {
                latch = 1;
                if (m_nSimMax > m_dElapsed)
                    m_dElapsed += 1;
            }
        } else {
            latch = 0;
        }
        const double count = m_dElapsed;
        int q = m_nPinValue[kOutputPin];
        if (on >= off) {
            if (count >= on)
                q = 1;
            else if (count < off)
                q = 0;
        } else {
            q = (count >= on && count < off) ? 1 : 0;
        }
        BlockStep::SetOutput(*this, pView, q);
    }
    BlockStep::EndStep(*this, pView);
    return TRUE;
}

void CBlockENCODER::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    ValueBlock::SimulateAndDraw(*this, pView, pDC, true);
}

// ---- motor and pulse train ----

BOOL CBlockSMC::Simulate(CTavixView* pView) { return LevelStep(*this, pView); }
BOOL CBlockPTO::Simulate(CTavixView* pView) { return LevelStep(*this, pView); }
BOOL CBlockSMCE::Simulate(CTavixView* pView) { return EdgeStep(*this, pView); }
BOOL CBlockPTOE::Simulate(CTavixView* pView) { return EdgeStep(*this, pView); }

BOOL CBlockSMCE::IsPulseTrainDone(CTavixView* pView)
{
    return RunDone(*this, pView, m_nTime1High == 0 ? 0.005 : 0.01);
}

BOOL CBlockPTOE::IsPulseTrainDone(CTavixView* pView)
{
    return RunDone(*this, pView, 0.02);
}

// ---- segment display ----

BYTE CBlockSEG::DigitToSegments(int digit)
{
    static const BYTE kSegments[16] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07,
                                       0x7F, 0x67, 0x77, 0x7C, 0x39, 0x5E, 0x79, 0x71};
    return kSegments[digit & 15];
}

BOOL CBlockSEG::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    m_bPinChanged[0] = FALSE;
    BYTE pattern = 0;
    if (m_nPinValue[0] == 1)
        pattern = DigitToSegments(ValueBlock::InputWord(*this, pView, 1) & 15);
    m_dElapsed = pattern;
    return TRUE;
}

void CBlockSEG::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    ValueBlock::SimulateAndDraw(*this, pView, pDC, false);
}

// ---- word to bit ----

BOOL CBlockWORD2BIT::Simulate(CTavixView* pView)
{
    m_nLastValue = -1;
    const int v = ValueBlock::InputWord(*this, pView, 0);
    const int n = ParamOrReference(*this, 0, m_nTime1High, 0, 15);
    m_nLastValue = ValueBlock::UpdateChangeMarker(*this, n, v, 0);
    m_nPinValue[kOutputPin] = IsBitSet(v, n);
    return m_nLastValue == 1;
}

// ---- CRC16 ----

BOOL CBlockCRC16::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    if (m_nPinValue[0] == 0) {
        m_dElapsed = 0;
        return TRUE;
    }
    // Only the analog flags (area 0) are an area of operands; any other area has none. The
    // count is clipped to the operands that remain, never below 0.
    const int area = m_nTime1Low;
    const int first = m_nTime2Low;
    const int size = area == 0 ? 512 : 0;
    const int lowest = (area == 0 ? NUM_ANALOG_FLAG : 0) + first;
    int n = m_nTime2High;
    if (first < 0 || first >= size || n < 0)
        n = 0;
    else if (n > size - first)
        n = size - first;
    const int highest = lowest + n - 1;
    std::vector<WORD> words(static_cast<size_t>(n), 0);
    size_t next = 0;
    if (CTavixDoc* pDoc = BlockStep::DocOf(pView)) {
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos && next < words.size();) {
            const CBlockObj* pBlock = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
            if (pBlock && pBlock->m_nType == TYPE_ANALOG_FLAG && pBlock->m_nNumber >= lowest &&
                pBlock->m_nNumber <= highest)
                words[next++] = static_cast<WORD>(pBlock->m_nSimState);
        }
    }
    std::vector<BYTE> bytes;
    bytes.reserve(words.size() * 2);
    for (WORD w : words) {
        bytes.push_back(static_cast<BYTE>(w & 0xFF));
        bytes.push_back(static_cast<BYTE>(w >> 8));
    }
    m_dElapsed = CModBus::CRC16(bytes.data(), static_cast<int>(bytes.size()));
    return TRUE;
}

void CBlockCRC16::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    ValueBlock::SimulateAndDraw(*this, pView, pDC, false);
}
