#include "elements/BlockMath.h"

#include "elements/BlockStep.h"
#include "elements/ValueBlock.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

IMPLEMENT_SERIAL(CBlockODD, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockEVEN, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockMOD, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockREM, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockLOG, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockSQRT, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockABS, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockGCD, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockLCM, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockPOW2, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockEXP, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockFIX, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockROUND, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockSIN, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockCOS, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockTAN, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockCOT, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockSEC, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockCSC, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockQUAD, CBlockObj, VERSIONABLE_SCHEMA | 1)

using ValueBlock::ClampWord;
using ValueBlock::InputWord;
using ValueBlock::ToShort;
using ValueBlock::TruncateToShort;

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kLog2Of10 = 3.321928094931296;

bool IsMultipleOf180(int v) { return v % 180 == 0; }
bool IsOddMultipleOf90(int v) { return v % 90 == 0 && (v / 90) % 2 != 0; }

// Clamped to -32767..32767, then truncated.
int ClampTruncate(double v) { return TruncateToShort(ClampWord(v)); }

// A referenced value held within lo..hi (NaN gives lo), truncated.
int LimitReference(double v, int lo, int hi)
{
    if (std::isnan(v) || v < lo)
        return lo;
    if (v > hi)
        return hi;
    return static_cast<int>(v);
}

// The referable parameter: reference 1 limited to lo..hi, or the literal held within the same
// limits (a damaged file may hold any literal).
int Parameter(CBlockObj& block, int literal, int lo, int hi)
{
    if (block.m_pRefBlock[0])
        return LimitReference(BlockStep::ReferenceValue(block, 0), lo, hi);
    return literal < lo ? lo : (literal > hi ? hi : literal);
}

// 862 and 863: the divisor. Returns false when a referenced divisor is exactly 0, which ends
// the step with the numeric value 0.
bool Divisor(CBlockObj& block, int* pDivisor)
{
    if (!block.m_pRefBlock[0]) {
        *pDivisor = block.m_nTime1High;
        return true;
    }
    const double r = BlockStep::ReferenceValue(block, 0);
    if (r == 0.0)
        return false;
    *pDivisor = static_cast<int>(ClampWord(r));
    return true;
}

long long PowerOf10(int k)
{
    long long p = 1;
    for (int i = 0; i < k; ++i)
        p *= 10;
    return p;
}

// Result of a one-input function with the amplification a.
double Compute(int nType, int v, int k, double a)
{
    const double t = v * kDegToRad;
    switch (nType) {
    case 864: {
        if (v <= 0)
            return 0;
        double x = 0;
        if (k == 0)
            x = a * std::log(double(v));
        else if (k == 1)
            x = a * std::log10(double(v)) * kLog2Of10;
        else
            x = a * std::log10(double(v));
        return ClampTruncate(x);
    }
    case 865:
        if (v < 0)
            return -1;
        return v == 0 ? 0 : ClampTruncate(a * std::sqrt(double(v)));
    case 866:
        return ToShort(v < 0 ? -static_cast<long long>(v) : v);
    case 869:
    case 870: {
        const int limit = nType == 869 ? 15 : 11;
        if (v >= limit)
            return a > 0 ? 32767 : (a < 0 ? -32767 : 0);
        if (v <= -limit)
            return 0;
        return ClampWord(a * (nType == 869 ? std::pow(2.0, v) : std::exp(double(v))));
    }
    case 871:
    case 872: {
        if (k == 0)
            return v;
        const long long p = PowerOf10(k);
        const long long m = std::llabs(v);
        long long r = 0;
        if (nType == 871) {
            r = m < p ? 0 : m - m % p;
        } else if (m >= p) {
            r = m - m % p + (m % p >= p / 2 ? p : 0);
        } else {
            r = m >= p / 2 ? p : 0;
        }
        return ToShort(v < 0 ? -r : r);
    }
    case 873: return IsMultipleOf180(v) ? 0 : TruncateToShort(a * std::sin(t));
    case 874: return IsOddMultipleOf90(v) ? 0 : TruncateToShort(a * std::cos(t));
    case 875: return IsOddMultipleOf90(v) ? 32767 : ClampTruncate(a * std::tan(t));
    case 876: return IsMultipleOf180(v) ? 32767 : ClampTruncate(a * (1 / std::tan(t)));
    case 877: return IsOddMultipleOf90(v) ? 32767 : ClampTruncate(a * (1 / std::cos(t)));
    case 878: return IsMultipleOf180(v) ? 32767 : ClampTruncate(a * (1 / std::sin(t)));
    default: return 0;
    }
}

// One step of 860-878. Returns the change marker, -1 counting as 0.
BOOL MathStep(CBlockObj& block, CTavixView* pView)
{
    const int nType = block.m_nType;
    block.m_nLastValue = -1;
    const int v = InputWord(block, pView, 0);
    switch (nType) {
    case 860:
    case 861: {
        block.m_nLastValue = ValueBlock::UpdateChangeMarker(block, v, 0, 0);
        const int odd = v & 1;
        block.m_nPinValue[kOutputPin] = nType == 860 ? odd : 1 - odd;
        break;
    }
    case 862:
    case 863: {
        int d = 0;
        if (!Divisor(block, &d)) {
            block.m_dElapsed = 0;
            return FALSE;
        }
        block.m_nLastValue = ValueBlock::UpdateChangeMarker(block, v, d, 0);
        const long long product = static_cast<long long>(v) * d;
        long long result = v;
        if (product != 0) {
            const long long r = v % d;
            result = r;
            if (nType == 862 && product < 0)
                result = r != 0 ? r + d : 0;
        }
        block.m_dElapsed = static_cast<double>(result);
        break;
    }
    case 867:
    case 868: {
        const int w = InputWord(block, pView, 1);
        block.m_nLastValue = ValueBlock::UpdateChangeMarker(block, v, w, 0);
        long long result = 0;
        if (v > 0 && w > 0) {
            const long long g = GCD(v, w);
            result = nType == 867 ? g : static_cast<long long>(w) * (v / g);
            if (result > 32767)
                result = 32767;
        }
        block.m_dElapsed = static_cast<double>(result);
        break;
    }
    default: {
        int k = 0;
        if (nType == 864)
            k = Parameter(block, block.m_nTime1Base, 0, 2);
        else if (nType == 871 || nType == 872)
            k = Parameter(block, block.m_nTime1Base, 0, 5);
        const double a = block.m_dParam;
        block.m_nLastValue = ValueBlock::UpdateChangeMarker(block, v, k, 0, a);
        block.m_dElapsed = Compute(nType, v, k, a);
        break;
    }
    }
    return block.m_nLastValue == 1;
}

void SetupTyped(CBlockObj& block, int firstPin, std::initializer_list<int> items)
{
    block.ApplyTypeConstants();
    BlockStep::SetLinkItems(block, firstPin, items);
    ValueBlock::ResetLastInputs(block);
}

// Amplified functions: amplification 1.0, simulation range -10000..10000.
void SetupAmplified(CBlockObj& block, std::initializer_list<int> items)
{
    SetupTyped(block, 1, items);
    block.m_dParam = 1.0;
    block.m_nSimMin = -10000;
    block.m_nSimMax = 10000;
}

} // namespace

// ---- construction ----

#define TAVIX_MATH_LOAD_CTOR(name, options) \
    name::name() { m_byOptions = options; ValueBlock::ResetLastInputs(*this); }
TAVIX_MATH_LOAD_CTOR(CBlockODD, 0x04)
TAVIX_MATH_LOAD_CTOR(CBlockEVEN, 0x04)
TAVIX_MATH_LOAD_CTOR(CBlockMOD, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockREM, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockLOG, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockSQRT, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockABS, 0x3D)
TAVIX_MATH_LOAD_CTOR(CBlockGCD, 0x3D)
TAVIX_MATH_LOAD_CTOR(CBlockLCM, 0x3D)
TAVIX_MATH_LOAD_CTOR(CBlockPOW2, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockEXP, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockFIX, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockROUND, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockSIN, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockCOS, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockTAN, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockCOT, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockSEC, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockCSC, 0x3F)
TAVIX_MATH_LOAD_CTOR(CBlockQUAD, 0x3F)
#undef TAVIX_MATH_LOAD_CTOR

CBlockODD::CBlockODD(int nType) : CBlockObj(nType, 1) { SetupTyped(*this, 1, {53, 53}); }
CBlockEVEN::CBlockEVEN(int nType) : CBlockObj(nType, 1) { SetupTyped(*this, 1, {53, 53}); }
CBlockABS::CBlockABS(int nType) : CBlockObj(nType, 1) { SetupTyped(*this, 1, {53, 53}); }
CBlockGCD::CBlockGCD(int nType) : CBlockObj(nType, 2) { SetupTyped(*this, 2, {53}); }
CBlockLCM::CBlockLCM(int nType) : CBlockObj(nType, 2) { SetupTyped(*this, 2, {53}); }

#define TAVIX_DIVISOR_CTOR(name)                  \
    name::name(int nType) : CBlockObj(nType, 2)   \
    {                                             \
        SetupTyped(*this, 1, {55, 53});           \
        m_nTime1High = 10;                        \
        m_nSimMin = -32767;                       \
        m_nSimMax = 32767;                        \
    }
TAVIX_DIVISOR_CTOR(CBlockMOD)
TAVIX_DIVISOR_CTOR(CBlockREM)
#undef TAVIX_DIVISOR_CTOR

#define TAVIX_PLACES_CTOR(name)                   \
    name::name(int nType) : CBlockObj(nType, 2)   \
    {                                             \
        SetupTyped(*this, 1, {55, 53});           \
        m_nTime1Base = 0;                         \
    }
TAVIX_PLACES_CTOR(CBlockFIX)
TAVIX_PLACES_CTOR(CBlockROUND)
#undef TAVIX_PLACES_CTOR

CBlockLOG::CBlockLOG(int nType) : CBlockObj(nType, 2) { SetupAmplified(*this, {55, 72, 53}); }

#define TAVIX_AMPLIFIED_CTOR(name)                                             \
    name::name(int nType) : CBlockObj(nType, 2) { SetupAmplified(*this, {55, 53, 53}); }
TAVIX_AMPLIFIED_CTOR(CBlockSQRT)
TAVIX_AMPLIFIED_CTOR(CBlockPOW2)
TAVIX_AMPLIFIED_CTOR(CBlockEXP)
TAVIX_AMPLIFIED_CTOR(CBlockSIN)
TAVIX_AMPLIFIED_CTOR(CBlockCOS)
TAVIX_AMPLIFIED_CTOR(CBlockTAN)
TAVIX_AMPLIFIED_CTOR(CBlockCOT)
TAVIX_AMPLIFIED_CTOR(CBlockSEC)
TAVIX_AMPLIFIED_CTOR(CBlockCSC)
#undef TAVIX_AMPLIFIED_CTOR

CBlockQUAD::CBlockQUAD(int nType) : CBlockObj(nType, 3)
{
    SetupTyped(*this, 2, {55, 61, 62, 63, 72, 53});
    m_dParam = 1.0;
    m_nSimMin = -10000;
    m_nSimMax = 10000;
    m_nTime1High = 1;  // A
    m_nTime1Base = 0;  // direction +sqrt
}

// ---- simulation ----

#define TAVIX_MATH_STEP(name) \
    BOOL name::Simulate(CTavixView* pView) { return MathStep(*this, pView); }
TAVIX_MATH_STEP(CBlockODD)
TAVIX_MATH_STEP(CBlockEVEN)
TAVIX_MATH_STEP(CBlockMOD)
TAVIX_MATH_STEP(CBlockREM)
TAVIX_MATH_STEP(CBlockLOG)
TAVIX_MATH_STEP(CBlockSQRT)
TAVIX_MATH_STEP(CBlockABS)
TAVIX_MATH_STEP(CBlockGCD)
TAVIX_MATH_STEP(CBlockLCM)
TAVIX_MATH_STEP(CBlockPOW2)
TAVIX_MATH_STEP(CBlockEXP)
TAVIX_MATH_STEP(CBlockFIX)
TAVIX_MATH_STEP(CBlockROUND)
TAVIX_MATH_STEP(CBlockSIN)
TAVIX_MATH_STEP(CBlockCOS)
TAVIX_MATH_STEP(CBlockTAN)
TAVIX_MATH_STEP(CBlockCOT)
TAVIX_MATH_STEP(CBlockSEC)
TAVIX_MATH_STEP(CBlockCSC)
#undef TAVIX_MATH_STEP

BOOL CBlockQUAD::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    m_bPinChanged[0] = FALSE;
    if (m_nPinValue[0] == 1)
        m_dElapsed = 0;
    else
        m_dElapsed = ClampTruncate(SolveQuadratic(pView) * m_dParam);
    return TRUE;
}

double CBlockQUAD::SolveQuadratic(CTavixView* pView)
{
    const long long y = InputWord(*this, pView, 1);
    const long long a = m_nTime1High;
    const long long b = m_nTime2High;
    const long long c = m_nPreWarn[1];
    if (a == 0)
        return b == 0 ? 0.0 : double(y - c) / double(b);  // no square term: the linear root
    // B * B and (C - y) * A are 32-bit products, as the device computes them.
    const int bb = static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(b * b)));
    const int cya = static_cast<int>(
        static_cast<std::int32_t>(static_cast<std::uint32_t>((c - y) * a)));
    const double d = double(bb) - 4.0 * double(cya);
    if (d == 0)
        return double(b / (-2 * a));
    if (d < 0)
        return 0.0;
    if (m_nTime1Base == 0)
        return (std::sqrt(d) - double(b)) / (2.0 * double(a));
    if (m_nTime1Base == 1)
        return (-double(b) - std::sqrt(d)) / (2.0 * double(a));
    return 0.0;
}

// ---- painting sequence ----

#define TAVIX_MATH_DRAW(name)                                   \
    void name::SimulateAndDraw(CTavixView* pView, CDC* pDC)     \
    {                                                           \
        ValueBlock::SimulateAndDraw(*this, pView, pDC, false);  \
    }
TAVIX_MATH_DRAW(CBlockMOD)
TAVIX_MATH_DRAW(CBlockREM)
TAVIX_MATH_DRAW(CBlockLOG)
TAVIX_MATH_DRAW(CBlockSQRT)
TAVIX_MATH_DRAW(CBlockABS)
TAVIX_MATH_DRAW(CBlockGCD)
TAVIX_MATH_DRAW(CBlockLCM)
TAVIX_MATH_DRAW(CBlockPOW2)
TAVIX_MATH_DRAW(CBlockEXP)
TAVIX_MATH_DRAW(CBlockFIX)
TAVIX_MATH_DRAW(CBlockROUND)
TAVIX_MATH_DRAW(CBlockSIN)
TAVIX_MATH_DRAW(CBlockCOS)
TAVIX_MATH_DRAW(CBlockTAN)
TAVIX_MATH_DRAW(CBlockCOT)
TAVIX_MATH_DRAW(CBlockSEC)
TAVIX_MATH_DRAW(CBlockCSC)
TAVIX_MATH_DRAW(CBlockQUAD)
#undef TAVIX_MATH_DRAW
