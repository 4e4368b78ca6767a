#include "elements/BlockWord.h"

#include "document/TavixDoc.h"
#include "elements/BlockStep.h"
#include "elements/ValueBlock.h"
#include "pages/BitTest.h"
#include "view/TavixView.h"

#include <algorithm>
#include <cmath>
#include <vector>

IMPLEMENT_SERIAL(CBlockBoolean, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockTDT, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockBCD, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockBIN, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockROL, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockROR, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockSHL, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockSHR, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockANDM, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockORM, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockNOTM, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockNANDM, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockNORM, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockXORM, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockARRMXIV, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockACMXIV, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockRAND, CBlockObj, VERSIONABLE_SCHEMA | 1)

using BlockStep::SetLinkItems;
using ValueBlock::InputWord;
using ValueBlock::ToShort;

// ---- word operations ----

namespace WordOps {

int Rotate(int v, int n, bool bLeft)
{
    const unsigned u = static_cast<WORD>(v);
    n = ((n % 16) + 16) % 16;
    if (n == 0)
        return ToShort(u);
    const unsigned r = bLeft ? (u << n) | (u >> (16 - n)) : (u >> n) | (u << (16 - n));
    return ToShort(r);
}

int ShiftLeft(int v, int n)
{
    if (n <= 0)
        return ToShort(v);
    if (n >= 16)
        return 0;
    return ToShort(static_cast<long long>(static_cast<WORD>(v)) << n);
}

int ShiftRightArithmetic(int v, int n)
{
    const int s = ToShort(v);
    if (n <= 0)
        return s;
    if (n >= 16)
        return s < 0 ? -1 : 0;
    return s >> n;  // arithmetic: the sign bit is copied in
}

int ApplyMask(int nType, int v, int mask)
{
    const int m = static_cast<WORD>(mask);
    const int x = static_cast<WORD>(v);
    switch (nType) {
    case 838: return ToShort(x & m);
    case 839: return ToShort(x | m);
    case 840: return ToShort(~x);
    case 841: return ToShort(~(x & m));
    case 842: return ToShort(~(x | m));
    default: return ToShort(x ^ m);  // 843
    }
}

int ReferencedCount(double value)
{
    if (std::isnan(value) || value < 1.0)
        return 0;
    if (value > 15.0)
        return 15;
    return static_cast<int>(value);
}

int CombineTwo(int mode, int v, int w)
{
    switch (mode) {
    case 0: return std::max(v, w);
    case 1: return std::min(v, w);
    default: return ToShort((static_cast<long long>(v) + w) / 2);
    }
}

} // namespace WordOps

namespace {

// The mode of 844 and 845 from a referenced value or the literal, held within 0..2.
int ModeParameter(CBlockObj& block)
{
    double v = block.m_nTime1High;
    if (block.m_pRefBlock[0])
        v = BlockStep::ReferenceValue(block, 0);
    if (std::isnan(v) || v < 0)
        return 0;
    return v > 2 ? 2 : static_cast<int>(v);
}

// Stores a word result in the numeric value when it differs.
void StoreResult(CBlockObj& block, int result)
{
    if (block.m_dElapsed != result)
        block.m_dElapsed = result;
}

// The common step of the rotations, shifts and masks: input 0, a parameter, a result.
BOOL WordStep(CBlockObj& block, CTavixView* pView, int param, int (*compute)(int nType, int v, int p))
{
    block.m_nLastValue = -1;
    const int v = InputWord(block, pView, 0);
    block.m_nLastValue = ValueBlock::UpdateChangeMarker(block, v, param, 0);
    StoreResult(block, compute(block.m_nType, v, param));
    return block.m_nLastValue == 1;
}

int CountParameter(CBlockObj& block)
{
    if (block.m_pRefBlock[0])
        return WordOps::ReferencedCount(BlockStep::ReferenceValue(block, 0));
    return block.m_nTime1High;
}

int MaskParameter(CBlockObj& block)
{
    if (block.m_pRefBlock[0])
        return ValueBlock::TruncateToShort(BlockStep::ReferenceValue(block, 0));
    return ToShort(block.m_nTime1High);
}

void InitWordBlock(CBlockObj& block)
{
    ValueBlock::ResetLastInputs(block);
}

void SetupTyped(CBlockObj& block, int firstPin, std::initializer_list<int> items)
{
    block.ApplyTypeConstants();
    SetLinkItems(block, firstPin, items);
    InitWordBlock(block);
}

void SetSimRange(CBlockObj& block, int lo, int hi)
{
    block.m_nSimMin = lo;
    block.m_nSimMax = hi;
}

} // namespace

// ---- construction ----

// Loading constructors: the class's option bits (never stored) and fresh change words.
#define TAVIX_WORD_LOAD_CTOR(name, options) \
    name::name() { m_byOptions = options; InitWordBlock(*this); }

TAVIX_WORD_LOAD_CTOR(CBlockBoolean, 0x06)
TAVIX_WORD_LOAD_CTOR(CBlockTDT, 0x00)
TAVIX_WORD_LOAD_CTOR(CBlockBCD, 0x39)
TAVIX_WORD_LOAD_CTOR(CBlockBIN, 0x39)
TAVIX_WORD_LOAD_CTOR(CBlockROL, 0x3F)
TAVIX_WORD_LOAD_CTOR(CBlockROR, 0x3F)
TAVIX_WORD_LOAD_CTOR(CBlockSHL, 0x3F)
TAVIX_WORD_LOAD_CTOR(CBlockSHR, 0x3F)
TAVIX_WORD_LOAD_CTOR(CBlockANDM, 0x3F)
TAVIX_WORD_LOAD_CTOR(CBlockORM, 0x3F)
TAVIX_WORD_LOAD_CTOR(CBlockNOTM, 0x3D)
TAVIX_WORD_LOAD_CTOR(CBlockNANDM, 0x3F)
TAVIX_WORD_LOAD_CTOR(CBlockNORM, 0x3F)
TAVIX_WORD_LOAD_CTOR(CBlockXORM, 0x3F)
TAVIX_WORD_LOAD_CTOR(CBlockARRMXIV, 0x3F)
TAVIX_WORD_LOAD_CTOR(CBlockACMXIV, 0x3F)
TAVIX_WORD_LOAD_CTOR(CBlockRAND, 0x3F)
#undef TAVIX_WORD_LOAD_CTOR

CBlockBoolean::CBlockBoolean(int nType) : CBlockObj(nType, 4) { SetupTyped(*this, 4, {55, 53, 53}); }
CBlockTDT::CBlockTDT(int nType) : CBlockObj(nType, 2) { SetupTyped(*this, 2, {53}); }

CBlockBCD::CBlockBCD(int nType) : CBlockObj(nType, 1)
{
    SetupTyped(*this, 1, {53, 53});
    SetSimRange(*this, 0, 9999);
}

CBlockBIN::CBlockBIN(int nType) : CBlockObj(nType, 1)
{
    SetupTyped(*this, 1, {53, 53});
    SetSimRange(*this, 0, 39321);
}

#define TAVIX_SHIFT_CTOR(name)                      \
    name::name(int nType) : CBlockObj(nType, 2)     \
    {                                               \
        SetupTyped(*this, 1, {55, 53});             \
        SetSimRange(*this, 1, 15);                  \
        m_nTime1High = 1;                           \
    }
TAVIX_SHIFT_CTOR(CBlockROL)
TAVIX_SHIFT_CTOR(CBlockROR)
TAVIX_SHIFT_CTOR(CBlockSHL)
TAVIX_SHIFT_CTOR(CBlockSHR)
#undef TAVIX_SHIFT_CTOR

#define TAVIX_MASK_CTOR(name)                       \
    name::name(int nType) : CBlockObj(nType, 2)     \
    {                                               \
        SetupTyped(*this, 1, {55, 53});             \
        SetSimRange(*this, -32768, 32767);          \
    }
TAVIX_MASK_CTOR(CBlockORM)
TAVIX_MASK_CTOR(CBlockNANDM)
TAVIX_MASK_CTOR(CBlockNORM)
TAVIX_MASK_CTOR(CBlockXORM)
#undef TAVIX_MASK_CTOR

CBlockANDM::CBlockANDM(int nType) : CBlockObj(nType, 2)
{
    SetupTyped(*this, 1, {55, 53});
    SetSimRange(*this, -32768, 32767);
    m_strParam = L"0000";
}

CBlockNOTM::CBlockNOTM(int nType) : CBlockObj(nType, 2) { SetupTyped(*this, 1, {53, 53}); }

CBlockARRMXIV::CBlockARRMXIV(int nType) : CBlockObj(nType, 1)
{
    SetupTyped(*this, 0, {55, 85, 83, 53, 53});
    SetSimRange(*this, 1, 32);
    m_nTime2High = 1;  // one operand
}

CBlockACMXIV::CBlockACMXIV(int nType) : CBlockObj(nType, 3)
{
    SetupTyped(*this, 2, {55, 53, 53});
    SetSimRange(*this, 0, 2);
}

CBlockRAND::CBlockRAND(int nType) : CBlockObj(nType, 1)
{
    SetupTyped(*this, 0, {55, 53, 53});
    SetSimRange(*this, 1, 32767);
    m_nTime1High = 1;  // maximum
}

// ---- simulation ----

BOOL CBlockBoolean::Simulate(CTavixView* pView)
{
    const int before = m_nPinValue[kOutputPin];
    ReadInputs(pView);
    int index = 0;
    for (int i = 0; i < 4 && i < m_nInputs; ++i) {
        if (m_nLink[i] == LINK_PARAM)
            break;
        index |= (m_nPinValue[i] != 0 ? 1 : 0) << (3 - i);
    }
    m_nPinValue[kOutputPin] = IsBitSet(m_nExtra2, index);
    if (m_nPinValue[kOutputPin] != before)
        m_bPinChanged[kOutputPin] = TRUE;
    BlockStep::EndStep(*this, pView);  // in every kind of document
    return TRUE;
}

BOOL CBlockTDT::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    if (m_bPinChanged[1]) {
        if (m_nPinValue[1] == 1) {
            m_strValueText.Empty();
            m_nPinValue[kOutputPin] = 0;
        }
        m_bPinChanged[1] = FALSE;
    }
    if (m_bPinChanged[0]) {
        if (m_nPinValue[1] == 0 && m_nPinValue[0] == 1) {
            const SYSTEMTIME st = BlockStep::GetClock(pView);
            m_strValueText.Format(L"%02d%02d%02d%02d%02d%02d", st.wYear % 100, st.wMonth, st.wDay,
                                  st.wHour, st.wMinute, st.wSecond);
            m_nPinValue[kOutputPin] = 1;
        }
        m_bPinChanged[0] = FALSE;
    }
    return TRUE;
}

void CBlockTDT::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    ValueBlock::SimulateAndDraw(*this, pView, pDC, true);
}

BOOL CBlockBCD::Simulate(CTavixView* pView)
{
    m_nLastValue = -1;
    int v = InputWord(*this, pView, 0);
    if (m_nLastInput[0] == v) {
        m_nLastValue = 0;
        return FALSE;
    }
    m_nLastInput[0] = v;
    m_nLastValue = 1;
    if (v < 0)
        v = 0;
    if (v > 9999)
        v %= 10000;
    StoreResult(*this, ToShort(ToBCD(v)));
    return TRUE;
}

BOOL CBlockBIN::Simulate(CTavixView* pView)
{
    m_nLastValue = -1;
    const int v = InputWord(*this, pView, 0);
    if (m_nLastInput[0] == v) {
        m_nLastValue = 0;
        return FALSE;
    }
    m_nLastInput[0] = v;
    m_nLastValue = 1;
    StoreResult(*this, FromBCD(v));
    return TRUE;
}

BOOL CBlockROL::Simulate(CTavixView* pView)
{
    return WordStep(*this, pView, CountParameter(*this),
                    [](int, int v, int n) { return WordOps::Rotate(v, n, true); });
}

BOOL CBlockROR::Simulate(CTavixView* pView)
{
    return WordStep(*this, pView, CountParameter(*this),
                    [](int, int v, int n) { return WordOps::Rotate(v, n, false); });
}

BOOL CBlockSHL::Simulate(CTavixView* pView)
{
    return WordStep(*this, pView, CountParameter(*this),
                    [](int, int v, int n) { return WordOps::ShiftLeft(v, n); });
}

BOOL CBlockSHR::Simulate(CTavixView* pView)
{
    return WordStep(*this, pView, CountParameter(*this),
                    [](int, int v, int n) { return WordOps::ShiftRightArithmetic(v, n); });
}

#define TAVIX_MASK_STEP(name)                                                  \
    BOOL name::Simulate(CTavixView* pView)                                     \
    {                                                                          \
        return WordStep(*this, pView, MaskParameter(*this), WordOps::ApplyMask); \
    }
TAVIX_MASK_STEP(CBlockANDM)
TAVIX_MASK_STEP(CBlockORM)
TAVIX_MASK_STEP(CBlockNANDM)
TAVIX_MASK_STEP(CBlockNORM)
TAVIX_MASK_STEP(CBlockXORM)
#undef TAVIX_MASK_STEP

BOOL CBlockNOTM::Simulate(CTavixView* pView)
{
    // The input alone: the change test compares only v.
    return WordStep(*this, pView, 0, WordOps::ApplyMask);
}

BOOL CBlockACMXIV::Simulate(CTavixView* pView)
{
    m_nLastValue = -1;
    const int mode = ModeParameter(*this);
    const int v = InputWord(*this, pView, 0);
    const int w = InputWord(*this, pView, 1);
    m_nLastValue = ValueBlock::UpdateChangeMarker(*this, v, w, mode);
    StoreResult(*this, WordOps::CombineTwo(mode, v, w));
    return m_nLastValue == 1;
}

BOOL CBlockARRMXIV::Simulate(CTavixView* pView)
{
    const int mode = ModeParameter(*this);
    int n = m_nTime2High;
    if (m_pRefBlock[1]) {
        const double r = BlockStep::ReferenceValue(*this, 1);
        n = (std::isnan(r) || r < 1) ? 1 : (r > 32 ? 32 : static_cast<int>(r));
    }
    struct Area { int nType; int nFirst; int nSize; };
    static const Area kAreas[3] = {
        {TYPE_ANALOG_FLAG, NUM_ANALOG_FLAG, 512},
        {TYPE_ANALOG_OUT, NUM_ANALOG_OUT, 32},
        {TYPE_ANALOG_IN, NUM_ANALOG_IN, 64},
    };
    const int area = m_nTime1Low;
    const int start = m_nTime2Low;
    // An unknown area, a start outside the area or no operand left gives 0; the operand array
    // is never sized from a count that is not positive.
    if (area < 0 || area > 2 || start < 0 || start >= kAreas[area].nSize || n <= 0) {
        StoreResult(*this, 0);
        return TRUE;
    }
    const Area& a = kAreas[area];
    if (n > a.nSize - start)
        n = a.nSize - start;
    const int first = a.nFirst + start;
    const int last = first + n - 1;
    std::vector<int> values(static_cast<size_t>(n), 0);
    size_t next = 0;
    if (CTavixDoc* pDoc = BlockStep::DocOf(pView)) {
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos && next < values.size();) {
            const CBlockObj* pBlock = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
            if (pBlock && pBlock->m_nType == a.nType && pBlock->m_nNumber >= first &&
                pBlock->m_nNumber <= last)
                values[next++] = pBlock->m_nSimState;
        }
    }
    int result = values[0];
    if (mode == 2) {
        // The sum wraps as a 16-bit value before the division, as the device computes it.
        int sum = 0;
        for (int v : values)
            sum = ToShort(static_cast<long long>(sum) + v);
        result = ToShort(sum / n);
    } else {
        for (int v : values)
            result = (mode == 0) ? std::max(result, ToShort(v)) : std::min(result, ToShort(v));
        result = ToShort(result);
    }
    StoreResult(*this, result);
    return TRUE;
}

BOOL CBlockRAND::Simulate(CTavixView* pView)
{
    int maximum = m_nTime1High;
    if (m_pRefBlock[0]) {
        const double r = BlockStep::ReferenceValue(*this, 0);
        maximum = (std::isnan(r) || r < 1) ? 1 : (r > 32767 ? 32767 : static_cast<int>(r));
    }
    if (maximum < 1)
        maximum = 1;  // a damaged literal must not divide by zero
    // The block's own generator (the Microsoft C runtime's linear congruence), its state kept
    // in m_dValue2; every step re-seeds it from its own next output.
    auto next = [](unsigned& seed) {
        seed = seed * 214013u + 2531011u;
        return static_cast<int>((seed >> 16) & 0x7FFF);
    };
    unsigned seed = static_cast<unsigned>(static_cast<long long>(m_dValue2) & 0xFFFFFFFF);
    seed = static_cast<unsigned>(next(seed));
    const int value = next(seed) % maximum;
    m_dValue2 = seed;
    m_dElapsed = value;
    return TRUE;
}

// ---- painting sequence ----

#define TAVIX_VALUE_DRAW(name)                                        \
    void name::SimulateAndDraw(CTavixView* pView, CDC* pDC)           \
    {                                                                 \
        ValueBlock::SimulateAndDraw(*this, pView, pDC, false);            \
    }
TAVIX_VALUE_DRAW(CBlockBCD)
TAVIX_VALUE_DRAW(CBlockBIN)
TAVIX_VALUE_DRAW(CBlockROL)
TAVIX_VALUE_DRAW(CBlockROR)
TAVIX_VALUE_DRAW(CBlockSHL)
TAVIX_VALUE_DRAW(CBlockSHR)
TAVIX_VALUE_DRAW(CBlockANDM)
TAVIX_VALUE_DRAW(CBlockORM)
TAVIX_VALUE_DRAW(CBlockNOTM)
TAVIX_VALUE_DRAW(CBlockNANDM)
TAVIX_VALUE_DRAW(CBlockNORM)
TAVIX_VALUE_DRAW(CBlockXORM)
TAVIX_VALUE_DRAW(CBlockARRMXIV)
TAVIX_VALUE_DRAW(CBlockACMXIV)
TAVIX_VALUE_DRAW(CBlockRAND)
#undef TAVIX_VALUE_DRAW
