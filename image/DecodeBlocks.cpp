// The per-type decoders of the program walk: each reads back the parameter layout that the
// matching encoder wrote behind the opcode word.
#include "image/TavixCoreRule.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockModbus.h"
#include "elements/BlockObj.h"
#include "elements/BlockTime.h"
#include "elements/BlockWifi.h"
#include "image/OpcodeTables.h"

namespace {

// Offset of a layout's k-th two-byte unit.
constexpr int U(int k) { return 2 * k; }

int RefNumberOf(unsigned word) { return int(word & 0xFFFF) + CTavixCoreRule::kFirstBlockNumber; }

// A parameter that may name another block instead of holding a value: when it does, reads the
// block number from the word at `at` and says so; otherwise the caller reads the value.
bool ReadRef(CBlockObj* b, int k, InstrReader& r, int at)
{
    if (!b->m_bRef[k])
        return false;
    b->m_nRefNumber[k] = RefNumberOf(r.W(at));
    return true;
}

// The analog trigger's offset rule: the offset is also the low end of the range the gain spans.
void ReadOffset(CBlockAnalog* a, int v, bool bSetSensor, bool bSetRange)
{
    a->m_nOffset = v;
    if (bSetRange) {
        a->m_nRangeMin = v;
        a->m_nRangeMax = TruncateToInt(a->m_dGain * 1000 + v);
    }
    if (bSetSensor)
        a->m_nSensor = 4;
}

} // namespace

void CTavixCoreRule::DecodeTimeWord(CBlockObj* b, int k, unsigned word, int* pPrevBase,
                                    int* pPrevOffset)
{
    int base = *pPrevBase;
    int offset = *pPrevOffset;
    int divisor = 60;
    switch (word >> 14) {
    case 3: base = 0; offset = 0xC000; break;
    case 2: base = 1; offset = 0x8000; break;
    case 1: base = 2; offset = 0x4000; divisor = 100; break;
    default: break;  // keeps the base of the time word before it
    }
    *pPrevBase = base;
    *pPrevOffset = offset;
    const int v = int((word - unsigned(offset)) & 0xFFFF);
    const int t = b->m_nType;
    if (b->m_bRef[k - 1]) {
        if (k == 1)
            b->m_nRefUnit1 = base;
        else if (k == 2)
            b->m_nRefUnit2 = base;
        else if (t == 408 || t == 409)
            b->m_bStdPreWarning = 0;
        b->m_nRefNumber[k - 1] = v + kFirstBlockNumber;
        return;
    }
    switch (k) {
    case 1:
        b->m_nTime1High = v / divisor;
        b->m_nTime1Low = v % divisor;
        b->m_nTime1Base = base;
        break;
    case 2:
        b->m_nTime2High = v / divisor;
        b->m_nTime2Low = v % divisor;
        b->m_nTime2Base = base;
        break;
    case 3:
        b->m_nPreWarn[1] = v / divisor;
        b->m_nPreWarn[0] = v % divisor;
        break;
    default:
        b->m_nPreWarn[3] = v / divisor;
        b->m_nPreWarn[2] = v % divisor;
        if ((t == 408 || t == 409) && !b->m_bRef[2]) {
            // The pre-warning flag says whether times 3 and 4 hold the standard values.
            int std3[2] = {0, 0}, std4[2] = {0, 0};  // high, low
            if (t == 408) {
                std3[1] = base == 2 ? 75 : 15;
                std4[1] = base == 2 ? 5 : 1;
            }
            b->m_bStdPreWarning = b->m_nPreWarn[1] == std3[0] && b->m_nPreWarn[0] == std3[1] &&
                                  b->m_nPreWarn[3] == std4[0] && b->m_nPreWarn[2] == std4[1];
        }
        break;
    }
}

void CTavixCoreRule::DecodeTimerFamily(CBlockObj* b, InstrReader& r)
{
    static const char* const kLayouts[10] = {
        "oti", "ootiz", "ottiz", "ootiz", "oti", "oottgiz", "oottI", "ottiz", "otttI", "oottttI",
    };
    int pin = 0, k = b->m_nType == 408 ? 2 : 1, at = 0;
    int base = 0, offset = 0;
    for (const char* c = kLayouts[b->m_nType - 400]; *c; ++c, at += 2) {
        switch (*c) {
        case 'o': DecodeOperand(r, at, b, pin++); break;
        case 't': DecodeTimeWord(b, k++, r.W(at), &base, &offset); break;
        case 'g': b->m_nCount = int(r.B(at)) - 1; break;
        default: break;
        }
    }
}

void CTavixCoreRule::DecodeGenericBlock(CBlockObj* b, InstrReader& r, BYTE /*flags*/)
{
    const int t = b->m_nType;
    if (t >= 400 && t <= 409) {
        DecodeTimerFamily(b, r);
        return;
    }
    if (t >= 300 && t <= 307) {
        DecodeOperands(r, b, t == 307 ? 1 : (t == 306 ? 2 : 4));
        return;
    }
    switch (t) {
    case 830:
        DecodeOperands(r, b, 4);
        b->m_nExtra2 = int(r.W(U(4)));
        break;
    case 831: case 853: case 867: case 868:
        DecodeOperands(r, b, 2);
        break;
    case 832: case 833: case 860: case 861: case 840: case 866:
        DecodeOperands(r, b, 1);
        break;
    default:
        DecodeWordMath(b, r);
        break;
    }
}

void CTavixCoreRule::DecodeAnalogIndexWord(unsigned word, int* pSelector, int* pIndex)
{
    // Stored high byte first: the index byte comes first, the class code second.
    const int cls = int(word >> 8);
    const int index = int(word & 0xFF);
    switch (cls) {
    case 0x90: *pSelector = 1; *pIndex = index; break;
    case 0x80: *pSelector = 2; *pIndex = index; break;
    default: *pSelector = 0; *pIndex = int(word) - 40960; break;  // analog markers 0xA0/0xA1
    }
}

void CTavixCoreRule::DecodeWordMath(CBlockObj* b, InstrReader& r)
{
    const int t = b->m_nType;
    auto ref1OrHigh = [&](int at, bool bSigned) {
        if (!ReadRef(b, 0, r, at))
            b->m_nTime1High = bSigned ? r.S(at) : int(r.W(at));
    };
    auto ref2OrHigh = [&](int at) {
        if (!ReadRef(b, 1, r, at))
            b->m_nTime2High = int(r.W(at));
    };
    auto ref2OrHigh32 = [&](int at) {
        if (!ReadRef(b, 1, r, at))
            b->m_nTime2High = r.SL(at);
    };
    auto ref1OrJ32 = [&](int at) {
        if (!ReadRef(b, 0, r, at))
            b->m_nPreWarn[1] = r.SL(at);
    };
    auto ref1OrBase = [&](int at) {
        if (!ReadRef(b, 0, r, at))
            b->m_nTime1Base = int(r.W(at));
    };
    auto analogSource = [&](int at) {
        int selector = 0, index = 0;
        DecodeAnalogIndexWord(r.W(at), &selector, &index);
        b->m_nTime1Low = selector;
        b->m_nTime2Low = index;
    };
    switch (t) {
    case 834: case 835: case 836: case 837: case 854:
        DecodeOperands(r, b, 1);
        ref1OrHigh(U(1), false);
        break;
    case 838: case 839: case 841: case 842: case 843:
        DecodeOperands(r, b, 1);
        ref1OrHigh(U(1), false);
        if (!b->m_bRef[0])
            b->m_strValueText.Format(L"%04X", b->m_nTime1High);
        break;
    case 862: case 863:
        DecodeOperands(r, b, 1);
        ref1OrHigh(U(1), true);
        break;
    case 844:
        ref1OrHigh(U(0), false);
        analogSource(U(1));
        ref2OrHigh(U(2));
        break;
    case 845:
        DecodeOperands(r, b, 2);
        ref1OrHigh(U(2), false);
        break;
    case 846:
        ref1OrHigh(U(0), false);
        break;
    case 849: case 850: {
        const int n = t == 849 ? 2 : 3;
        DecodeOperands(r, b, n);
        b->m_nTime1High = int(r.W(U(n)));
        b->m_nTime1Low = int(r.W(U(n + 1)));
        ref2OrHigh32(U(n + 2));
        if (t == 850)
            ref1OrJ32(U(n + 4));
        break;
    }
    case 851: case 852: {
        const int n = t == 851 ? 1 : 2;
        DecodeOperands(r, b, n);
        b->m_nTime1Low = int(r.W(U(n)));
        ref2OrHigh32(U(n + 1));
        if (t == 852)
            ref1OrJ32(U(n + 3));
        break;
    }
    case 856:
        DecodeOperands(r, b, 1);
        ref1OrHigh(U(1), false);
        analogSource(U(2));
        ref2OrHigh(U(3));
        break;
    case 864:
        DecodeOperands(r, b, 1);
        ref1OrBase(U(1));
        b->m_dParam = r.SL(U(2)) * 0.01;
        break;
    case 871: case 872:
        DecodeOperands(r, b, 1);
        ref1OrBase(U(1));
        break;
    default:  // 865, 869, 870, 873-878
        DecodeOperands(r, b, 1);
        b->m_dParam = r.SL(U(1)) * 0.01;
        break;
    }
}

void CTavixCoreRule::DecodeWeeklyTimer(CBlockObj* b, InstrReader& r)
{
    CBlockTime* p = dynamic_cast<CBlockTime*>(b);
    if (p == nullptr)
        return;
    for (int cam = 0; cam < 3; ++cam) {
        for (int half = 0; half < 2; ++half) {
            const unsigned v = r.W(U(2 * cam + half));
            int* hm = half == 0 ? p->m_nCamOn[cam] : p->m_nCamOff[cam];
            int& disabled = half == 0 ? p->m_bCamOnOff[cam] : p->m_bCamOffOff[cam];
            disabled = v == 0xFFFF;
            hm[0] = v == 0xFFFF ? 0 : int(v / 60);
            hm[1] = v == 0xFFFF ? 0 : int(v % 60);
        }
        const BYTE days = r.B(12 + cam);
        for (int d = 0; d < 7; ++d)
            p->m_bCamDays[cam][d] = IsFlagBitSet(days, d);
    }
    if (!IsOldFamily())
        b->m_nPulse = r.B(15);
}

void CTavixCoreRule::DecodeYearlyTimer(CBlockObj* b, InstrReader& r)
{
    if (IsOldFamily()) {
        b->m_nTime1Low = r.B(0);
        b->m_nTime1High = r.B(1);
        b->m_nTime2Low = r.B(2);
        const BYTE offMonth = r.B(3);
        if (offMonth == 0xFF) {  // monthly: from month 1 to month 12
            b->m_nTime2High = 12;
            b->m_nTime1High = 1;
            b->m_nMonthly = 1;
        } else {
            b->m_nMonthly = 0;
            b->m_nTime2High = offMonth;
        }
        return;
    }
    b->m_nTime1Low = r.B(0);
    b->m_nTime1High = r.B(1);
    b->m_nYearStart = int(r.W(2));
    b->m_nTime2Low = r.B(4);
    b->m_nTime2High = r.B(5);
    b->m_nYearEnd = int(r.W(6));
    const BYTE flags = r.B(8);
    b->m_nPulse = IsFlagBitSet(flags, 0);
    b->m_nYearly = IsFlagBitSet(flags, 6);
    b->m_nMonthly = IsFlagBitSet(flags, 7);
    if (b->m_nMonthly) {
        b->m_nTime1High = 1;
        b->m_nTime2High = 12;
    }
}

void CTavixCoreRule::DecodeAstroClock(CBlockObj* b, InstrReader& r)
{
    b->m_nPreWarn[3] = r.B(0);
    b->m_nPreWarn[1] = r.B(1);
    b->m_nTime2High = r.B(2);
    b->m_nTime1High = r.B(3);
    b->m_nPreWarn[2] = r.B(4);
    b->m_nPreWarn[0] = r.B(5);
    b->m_nTime2Low = r.B(6);
    b->m_nTime1Low = r.B(7);
    b->m_nTime2Base = r.B(8) + (r.B(9) != 0 ? 12 : 0);
}

void CTavixCoreRule::DecodeStopwatch(CBlockObj* b, InstrReader& r)
{
    DecodeOperands(r, b, 3);
    b->m_nTime1Base = 3 - int(r.W(U(3)));
}

void CTavixCoreRule::DecodeCounter(CBlockObj* b, InstrReader& r)
{
    DecodeOperands(r, b, 3);
    if (!ReadRef(b, 0, r, 6))
        b->m_nTime1High = r.I24(6);
    if (!ReadRef(b, 1, r, 10))
        b->m_nTime2High = r.I24(10);
    if (!IsOldFamily())
        b->m_nStartValue = r.I24(14);
}

void CTavixCoreRule::DecodeHoursCounter(CBlockObj* b, InstrReader& r)
{
    DecodeOperands(r, b, 3);
    if (IsOldFamily()) {
        b->m_nTime2High = r.I24(6) / 60;
        b->m_nTime1High = int(r.W(10));
        b->m_bStdPreWarning = r.B(12);
        return;
    }
    const int interval = r.I24(6);
    b->m_nTime2High = interval / 60;
    b->m_nTime2Low = interval % 60;
    if (!ReadRef(b, 0, r, 10)) {
        const int s = r.I24(10);
        b->m_nTime1High = s / 60;
        b->m_nTime1Low = s % 60;
    }
    b->m_bStdPreWarning = r.B(14);
}

void CTavixCoreRule::DecodeThresholdTrigger(CBlockObj* b, InstrReader& r)
{
    DecodeOperands(r, b, 1);
    b->m_nTime1High = int(r.W(2));
    b->m_nTime1Low = int(r.W(4));
    const unsigned gate = r.W(6);
    if (b->m_bRef[0] && !IsOldFamily()) {
        b->m_nRefNumber[0] = RefNumberOf((gate - 0x4000) & 0xFFFF);
        return;
    }
    int v, divisor;
    if ((gate >> 8) < 0x40) {
        v = int(gate);
        divisor = 60;
    } else {
        v = int((gate - 0x4000) & 0xFFFF);
        divisor = 100;
    }
    b->m_nTime2High = v / divisor;
    b->m_nTime2Low = v % divisor;
}

void CTavixCoreRule::DecodeAnalogTrigger(CBlockObj* b, InstrReader& r)
{
    CBlockAnalog* a = dynamic_cast<CBlockAnalog*>(b);
    if (a == nullptr)
        return;
    const int t = b->m_nType;
    const int ops = t == 803 ? 2 : 1;
    DecodeOperands(r, b, ops);
    int at = U(ops);
    if (t != 805) {
        if (!ReadRef(b, 0, r, at))
            a->m_nThreshold1 = r.S(at);
        at += 2;
        if (t == 807) {
            a->m_nThreshold2 = int(r.W(at));
        } else if (!ReadRef(b, 1, r, at)) {
            a->m_nThreshold2 = r.S(at);
        }
        at += 2;
    }
    a->m_dGain = r.S(at) * 0.01;
    ReadOffset(a, r.S(at + 2), true, true);
    a->m_nDecimals = r.B(at + 4);
    if (t == 807) {
        // The two halves of threshold 1 + threshold 2, less threshold 1.
        const unsigned long sum = (unsigned long)a->m_nThreshold2 | ((unsigned long)r.W(at + 6) << 16);
        a->m_nThreshold2 = int(int32_t(uint32_t(sum)) - a->m_nThreshold1);
    }
}

void CTavixCoreRule::DecodeAnalogWatchdog(CBlockObj* b, InstrReader& r)
{
    CBlockAnalog* a = dynamic_cast<CBlockAnalog*>(b);
    if (a == nullptr)
        return;
    DecodeOperands(r, b, 2);
    int at = U(2);
    if (IsOldFamily()) {
        a->m_nThreshold2 = r.S(at);
        at += 2;
    } else {
        if (!ReadRef(b, 0, r, at))
            a->m_nThreshold1 = r.S(at);
        if (!ReadRef(b, 1, r, at + 2))
            a->m_nThreshold2 = r.S(at + 2);
        at += 4;
    }
    a->m_dGain = r.S(at) * 0.01;
    ReadOffset(a, r.S(at + 2), true, true);
    a->m_nDecimals = r.B(at + 4);
}

void CTavixCoreRule::DecodeMathInstruction(CBlockObj* b, InstrReader& r)
{
    CBlockAnalog* a = dynamic_cast<CBlockAnalog*>(b);
    if (a == nullptr)
        return;
    const bool mux = b->m_nType == 816;
    const int ops = mux ? 3 : 1;
    DecodeOperands(r, b, ops);
    int* values[4] = {&b->m_nTime1High, &b->m_nTime2High, &b->m_nPreWarn[1], &b->m_nPreWarn[3]};
    for (int k = 0; k < 4; ++k) {
        const int at = U(ops + k);
        if (!ReadRef(b, k, r, at))
            *values[k] = r.S(at);
    }
    int at = U(ops + 4);
    if (!mux) {
        b->m_nTime1Low = r.B(at);
        b->m_nTime2Low = r.B(at + 1);
        b->m_nPreWarn[0] = r.B(at + 2);
        const BYTE packed = r.B(at + 3);
        b->m_nExtra3 = packed >> 6;
        b->m_nPreWarn[2] = (packed >> 4) & 3;
        b->m_nTime2Base = (packed >> 2) & 3;
        b->m_nTime1Base = packed & 3;
        at += 4;
    }
    a->m_nDecimals = r.B(at);
}

void CTavixCoreRule::DecodeAnalogRamp(CBlockObj* b, InstrReader& r)
{
    CBlockAnalog* a = dynamic_cast<CBlockAnalog*>(b);
    if (a == nullptr)
        return;
    DecodeOperands(r, b, 3);
    if (!ReadRef(b, 0, r, U(3)))
        a->m_nThreshold1 = r.S(U(3));
    if (!ReadRef(b, 1, r, U(4)))
        a->m_nThreshold2 = r.S(U(4));
    b->m_nTime2High = r.S(U(5));
    b->m_nPreWarn[1] = r.S(U(6));
    b->m_nTime1High = r.S(U(7));
    a->m_dGain = r.S(U(8)) * 0.01;
    ReadOffset(a, r.S(U(9)), false, true);
    a->m_nDecimals = r.B(U(10));
}

void CTavixCoreRule::DecodePIController(CBlockObj* b, InstrReader& r)
{
    CBlockAnalog* a = dynamic_cast<CBlockAnalog*>(b);
    if (a == nullptr)
        return;
    DecodeOperands(r, b, 3);
    if (!ReadRef(b, 0, r, U(3)))
        a->m_nThreshold1 = r.S(U(3));
    if (!ReadRef(b, 1, r, U(4)))
        a->m_nThreshold2 = int(r.W(U(4)));
    a->m_dKC = r.S(U(5)) * 0.01;
    const int ti = int((r.W(U(6)) - 0x8000u) & 0xFFFF);
    a->m_nTIMinutes = ti / 60;
    a->m_nTISeconds = ti % 60;
    a->m_nRangeMin = r.S(U(7));
    a->m_nRangeMax = r.S(U(8));
    a->m_dGain = r.S(U(9)) * 0.01;
    // The range has its own words here: the offset does not overwrite it.
    ReadOffset(a, r.S(U(10)), true, false);
    a->m_nOption = r.B(U(11)) == 0x2B ? 0 : 1;
    a->m_nDecimals = r.B(U(11) + 1);
    a->m_nParamSet = r.B(U(12));
    a->m_bUseTI = !(a->m_nParamSet == 6 && a->m_nTIMinutes == 99 && a->m_nTISeconds == 59);
}

void CTavixCoreRule::DecodePWM(CBlockObj* b, InstrReader& r)
{
    CBlockAnalog* a = dynamic_cast<CBlockAnalog*>(b);
    if (a == nullptr)
        return;
    DecodeOperands(r, b, 2);
    int base = 0, offset = 0;
    DecodeTimeWord(b, 1, r.W(U(2)), &base, &offset);
    a->m_dGain = r.S(U(3)) * 0.01;
    ReadOffset(a, r.S(U(4)), false, true);
    a->m_nThreshold1 = r.S(U(5));
    a->m_nThreshold2 = r.S(U(6));
    a->m_nOption = r.B(U(7));
    a->m_nSensor = (r.B(U(7) + 1) + 4) % 5;
    a->m_nDecimals = int(r.W(U(8)));
}

void CTavixCoreRule::DecodeAnalogFilter(CBlockObj* b, InstrReader& r)
{
    DecodeOperands(r, b, 1);
    b->m_nTime1Base = int(r.B(2)) - 3;
}

void CTavixCoreRule::DecodeMaxMin(CBlockObj* b, InstrReader& r)
{
    DecodeOperands(r, b, 3);
    if (!ReadRef(b, 0, r, U(3)))
        b->m_nTime1High = int(r.W(U(3)));
    b->m_bStdPreWarning = int(r.W(U(4)));
}

void CTavixCoreRule::DecodeAverage(CBlockObj* b, InstrReader& r)
{
    DecodeOperands(r, b, 3);
    const unsigned w = r.W(U(3));
    b->m_nTime1High = int(w >> 3);
    b->m_nTime1Base = 4 - int(w & 7);
    b->m_nTime1Low = int(r.W(U(4)));
}

void CTavixCoreRule::DecodeMathError(CBlockObj* b, InstrReader& r)
{
    DecodeOperands(r, b, 2);
    if (!ReadRef(b, 0, r, U(2)))
        b->m_nTime1High = 0;
    b->m_bStdPreWarning = r.B(U(3));
    const unsigned mode = r.W(U(4));
    b->m_nTime1Low = mode == 2 ? 0 : (mode == 3 ? 2 : 1);
}

void CTavixCoreRule::DecodeWifiBlock(CBlockObj* b, InstrReader& r)
{
    CBlockWIFI* p = dynamic_cast<CBlockWIFI*>(b);
    if (p == nullptr)
        return;
    const int t = b->m_nType;
    const int ops = (t == 825 || t == 827) ? 2 : 1;
    DecodeOperands(r, b, ops);
    const int at = U(ops);
    p->m_nWifiSource = r.B(at);
    p->m_nWifiId = int(r.B(at + 1)) - (p->m_nWifiSource == 0 ? 1 : 0);
    // The block type travels unchanged in its own byte.
    p->m_nWifiBlockType = r.B(at + 2);
    p->m_nWifiBlockNumber = r.B(at + 3);
    if (t == 824 && p->m_nWifiSource == 2)
        p->m_nWifiBlockType = int(r.B(at + 4)) - 1;
    if (t == 825 || t == 827)
        InsertByNumber(m_rootList, b);
}

void CTavixCoreRule::DecodeMEM(CBlockObj* b, InstrReader& r)
{
    DecodeOperands(r, b, 1);
    const BYTE typeByte = r.B(3);
    const WORD key = typeByte <= 0x0A ? WORD((typeByte << 8) | 0x40)
                                      : OpcodeTables::KeyOfOpcode(typeByte, 0);
    if (OpcodeTables::TypeOfKey(key) >= 0) {
        b->m_bRef[0] = TRUE;
        b->m_nTime1Low = r.B(5) >> 4;
        b->m_nRefNumber[0] = (((r.B(5) & 0x0F) << 8) | r.B(4)) + kFirstBlockNumber;
    } else {
        b->m_bRef[0] = FALSE;
        b->m_nTime1Low = 0;
        b->m_nTime1High = 0;
        b->m_pRefBlock[0] = nullptr;
    }
}

void CTavixCoreRule::DecodeEncoder(CBlockObj* b, InstrReader& r)
{
    DecodeOperands(r, b, 1);
    b->m_nStartValue = r.SL(2);
    if (!ReadRef(b, 0, r, 6))
        b->m_nTime1High = r.SL(6);
    if (!ReadRef(b, 1, r, 10))
        b->m_nTime2High = r.SL(10);
    b->m_nPreWarn[1] = int(r.W(14));
}

void CTavixCoreRule::DecodeUDC(CBlockObj* b, InstrReader& r)
{
    DecodeOperands(r, b, 1);
    b->m_nTime2Base = int(r.W(2));
    const unsigned scan = r.W(4);
    b->m_nTime1Base = scan == 0xFFFF ? 0 : int(scan);
    int selector = 0, index = 0;
    DecodeAnalogIndexWord(r.W(6), &selector, &index);
    b->m_nPreWarn[1] = selector;
    b->m_nYearEnd = index;
    b->m_nPreWarn[3] = int(r.W(8));
    DecodeAnalogIndexWord(r.W(10), &selector, &index);
    b->m_nPreWarn[0] = 0;
    b->m_nYearStart = index;
    b->m_nPreWarn[2] = int(r.W(12));
    b->m_nYearly = r.B(14);
    b->m_nMonthly = r.B(15);
    b->m_bStdPreWarning = r.B(16);
    b->m_nPulse = r.B(17);
    b->m_nTime1High = r.B(18);
    b->m_nTime2High = r.B(19);
    b->m_nTime1Low = r.B(20);
    b->m_nTime2Low = r.B(21);
}

void CTavixCoreRule::DecodeQuadratic(CBlockObj* b, InstrReader& r)
{
    DecodeOperands(r, b, 2);
    b->m_nTime1High = r.S(4);
    b->m_nTime2High = r.S(6);
    b->m_nPreWarn[1] = r.S(8);
    b->m_nTime1Base = int(r.W(10));
    b->m_dParam = r.SL(12) * 0.01;
}

void CTavixCoreRule::DecodeRelay(CBlockObj* b, InstrReader& r)
{
    const int t = b->m_nType;
    if (t == 808) {
        DecodeOperands(r, b, 2);
        return;
    }
    DecodeOperands(r, b, 3);
    if (t == 809) {
        b->m_nExtra3 = r.B(6);
        return;
    }
    const unsigned bits = r.W(6);
    for (int n = 0; n < 16; ++n)
        if (bits & (1u << n)) {
            b->m_nExtra1 = n;
            break;
        }
    if (!IsOldFamily())
        b->m_nExtra2 = int(r.W(8));
}

void CTavixCoreRule::DecodeSoftKey(CBlockObj* b, InstrReader& r)
{
    b->m_nExtra4 = 1;
    b->m_nSimKind = r.B(0) == 0 ? 1 : 0;
}

void CTavixCoreRule::DecodeMessageTextBlock(CBlockObj* b, InstrReader& r, int nText)
{
    DecodeOperands(r, b, 1);
    const BYTE settings = r.B(2);
    b->m_bStdPreWarning = IsFlagBitSet(settings, 7);
    b->m_nCount = settings & 0x7F;
    CBlockMSGTEXT* pText = dynamic_cast<CBlockMSGTEXT*>(b);
    if (pText == nullptr)
        return;
    if (IsOldFamily())
        DecodeMessageText(pText, nText);
    else if (!m_msgText.empty())
        DecodeMessageTextNew(pText, nText);
}

void CTavixCoreRule::DecodeModbusBlock(CBlockObj* b, InstrReader& r)
{
    CBlockMR* p = dynamic_cast<CBlockMR*>(b);
    if (p == nullptr)
        return;
    const bool old = IsOldFamily();
    DecodeOperands(r, b, 2);
    p->m_bySlave = r.B(4);
    p->m_byFunction = r.B(5);
    p->m_wRegister = WORD(r.W(6));
    p->m_wCount = WORD(r.W(8));
    p->m_wData1 = WORD(r.W(10));
    p->m_wData2 = WORD(r.W(12));
    if (b->m_nType == 813 && !old)
        b->m_nTime1Base = p->m_wData2 == 0xFFFF ? 0 : p->m_wData2;
    p->m_nPort = r.B(14);
    p->m_byWriteMode = r.B(15);
    if (b->m_nType == 814 && !old) {
        const unsigned scan = r.W(16);
        b->m_nTime1Base = scan == 0xFFFF ? 0 : int(scan);
    }
    if (p->m_byWriteMode != 0) {
        if (p->m_wData1 == 0xFF00 && p->m_byFunction == 5)
            p->m_wData1 = 1;
        p->m_strData1.Format(L"%X", unsigned(p->m_wData1));
        p->m_strData2.Format(L"%X", unsigned(p->m_wData2));
        return;
    }
    // Automatic mode: the data word names a local memory cell.
    const unsigned n = p->m_wData1;
    if (n == 0xFFFF) {
        p->m_wDataAddress = 0xFFFF;
    } else if (n >= 596) {
        p->m_nDataArea = 0;
        p->m_wDataAddress = WORD(n - 596);
    } else if (n >= 564) {
        p->m_nDataArea = 1;
        p->m_wDataAddress = WORD(n - 564);
    } else if (n >= 500) {
        p->m_nDataArea = 2;
        p->m_wDataAddress = WORD(n - 500);
    } else if (n >= 384) {
        p->m_nDataArea = 0;
        p->m_wDataAddress = WORD(n - 384);
    } else if (n >= 256) {
        p->m_nDataArea = 1;
        p->m_wDataAddress = WORD(n - 256);
    } else {
        p->m_nDataArea = 2;
        p->m_wDataAddress = WORD(n);
    }
}
