// Parameter layouts of the logic, timer, clock, counter, relay, message-text, Modbus, WiFi and
// UDC blocks: the bytes behind the opcode word of each instruction.
#include "image/TavixCoreRule.h"

#include "document/TavixDoc.h"

#include "elements/BlockModbus.h"
#include "elements/BlockObj.h"
#include "elements/BlockTime.h"
#include "elements/BlockWifi.h"

namespace {

constexpr int kTimeValueMax = 0x3FFF;  // a time word holds 14 bits of value

WORD BaseFlags(int nBase)
{
    switch (nBase) {
    case 0: return 0xC000;
    case 1: return 0x8000;
    default: return 0x4000;
    }
}

} // namespace

int CTavixCoreRule::RefNumber(const CBlockObj* pBlock, int k) const
{
    const CBlockObj* pRef = pBlock->m_pRefBlock[k - 1];
    if (pRef != nullptr)
        return pRef->m_nNumber;
    // A reference loaded from a file may name a block the program no longer holds; the device
    // must not get that number, so it reads as no block at all and the compile is refused.
    const int number = pBlock->m_nRefNumber[k - 1];
    if (m_pDoc != nullptr && m_pDoc->FindBlockByNumber(number) == nullptr)
        return -1;
    return number;
}

long CTavixCoreRule::RefOr(const CBlockObj* pBlock, int k, long x)
{
    if (!pBlock->m_bRef[k - 1])
        return x;
    const int number = RefNumber(pBlock, k);
    if (number < kFirstBlockNumber || number > kLastBlockNumber) {
        CString text;
        text.Format(L"Block B%03d takes a parameter from a block that does not exist.",
                    pBlock->m_nNumber - kFirstBlockNumber);
        Fail(text);
        return 0;
    }
    return number - kFirstBlockNumber;
}

bool CTavixCoreRule::TimeWord(WORD* pWord, const CBlockObj* pBlock, int nHigh, int nLow,
                              int nBase, bool bRef, int nRefNumber, int nRefUnit)
{
    long value;
    WORD flags;
    if (bRef) {
        if (nRefNumber < kFirstBlockNumber || nRefNumber > kLastBlockNumber) {
            CString text;
            text.Format(L"Block B%03d takes a time from a block that does not exist.",
                        pBlock->m_nNumber - kFirstBlockNumber);
            Fail(text);
            return false;
        }
        value = nRefNumber - kFirstBlockNumber;
        flags = BaseFlags(nRefUnit);
    } else {
        value = long(nLow) + long(nHigh) * (nBase == 2 ? 100 : 60);
        flags = BaseFlags(nBase);
    }
    if (value < 0 || value > kTimeValueMax) {
        // The device keeps 14 bits of a time; a larger value would become another time.
        CString text;
        text.Format(L"Block B%03d: the time is too long for the device.",
                    pBlock->m_nNumber - kFirstBlockNumber);
        Fail(text);
        return false;
    }
    *pWord = WORD(value | flags);
    return true;
}

bool CTavixCoreRule::WriteTimerTime(InstrWriter& w, const CBlockObj* b, int j)
{
    WORD word = 0;
    bool ok = false;
    const int base34 = b->m_bRef[1] ? b->m_nRefUnit2 : b->m_nTime2Base;
    switch (j) {
    case 1:
        ok = TimeWord(&word, b, b->m_nTime1High, b->m_nTime1Low, b->m_nTime1Base, b->m_bRef[0],
                      RefNumber(b, 1), b->m_nRefUnit1);
        break;
    case 2:
        ok = TimeWord(&word, b, b->m_nTime2High, b->m_nTime2Low, b->m_nTime2Base, b->m_bRef[1],
                      RefNumber(b, 2), b->m_nRefUnit2);
        break;
    case 3:
        ok = TimeWord(&word, b, b->m_nPreWarn[1], b->m_nPreWarn[0], base34, b->m_bRef[2],
                      RefNumber(b, 3), base34);
        break;
    default:
        // The unit of a referenced fourth time follows reference flag 1, as the device expects.
        ok = TimeWord(&word, b, b->m_nPreWarn[3], b->m_nPreWarn[2], base34, b->m_bRef[3],
                      RefNumber(b, 4), b->m_bRef[0] ? b->m_nRefUnit2 : b->m_nTime2Base);
        break;
    }
    if (ok)
        w.U16(word);
    else
        w.Keep(2);
    return ok;
}

BYTE CTavixCoreRule::GetWeekdayMask(const int days[7])
{
    BYTE mask = 0;
    for (int i = 0; i < 7; ++i)
        if (days[i])
            SetFlagBit(&mask, i);
    return mask;
}

void CTavixCoreRule::EncodeLogicFamily(CBlockObj* b, InstrWriter& w)
{
    const int t = b->m_nType;
    if (t >= 300 && t <= 307) {
        const int inputs = t == 307 ? 1 : (t == 306 ? 2 : 4);
        for (int i = 0; i < inputs; ++i)
            WriteOperand(w, b, i);
        if (t != 307)
            w.Keep(2);
        return;
    }
    switch (t) {
    case 830:
        for (int i = 0; i < 4; ++i)
            WriteOperand(w, b, i);
        w.U16(unsigned(b->m_nExtra2));
        w.Zero(4);
        break;
    case 831:
        WriteOperand(w, b, 0);
        WriteOperand(w, b, 1);
        w.Zero(2);
        break;
    case 853:
        WriteOperand(w, b, 0);
        WriteOperand(w, b, 1);
        w.Zero(4);
        break;
    default:  // 832, 833, 860, 861
        WriteOperand(w, b, 0);
        w.Zero(4);
        break;
    }
}

void CTavixCoreRule::EncodeTimerBlock(CBlockObj* b, InstrWriter& w)
{
    // o operand, t next time word, g pulse cycles, i own index, z two zero bytes.
    static const char* const kLayouts[10] = {
        "oti", "ootiz", "ottiz", "ootiz", "oti", "oottgiz", "oottI", "ottiz", "otttI", "oottttI",
    };
    const int t = b->m_nType;
    int pin = 0;
    int j = t == 408 ? 2 : 1;
    for (const char* c = kLayouts[t - 400]; *c; ++c) {
        switch (*c) {
        case 'o': WriteOperand(w, b, pin++); break;
        case 't': WriteTimerTime(w, b, j++); break;
        case 'g':
            w.Byte(unsigned(b->m_nCount + 1));
            w.Byte(0);
            break;
        case 'i': case 'I': w.U16(unsigned(b->m_nNumber - kFirstBlockNumber)); break;
        default: w.Zero(2); break;
        }
    }
}

void CTavixCoreRule::EncodeWeeklyTimer(CBlockObj* b, InstrWriter& w)
{
    const CBlockTime* p = dynamic_cast<const CBlockTime*>(b);
    if (p == nullptr)
        return;
    for (int cam = 0; cam < 3; ++cam) {
        w.U16(p->m_bCamOnOff[cam] ? 0xFFFFu
                                  : unsigned(p->m_nCamOn[cam][0] * 60 + p->m_nCamOn[cam][1]));
        w.U16(p->m_bCamOffOff[cam] ? 0xFFFFu
                                   : unsigned(p->m_nCamOff[cam][0] * 60 + p->m_nCamOff[cam][1]));
    }
    for (int cam = 0; cam < 3; ++cam)
        w.Byte(GetWeekdayMask(p->m_bCamDays[cam]));
    w.Byte(IsOldFamily() ? 0u : unsigned(b->m_nPulse));
    w.U16(unsigned(b->m_nNumber - kFirstBlockNumber));
}

void CTavixCoreRule::EncodeYearlyTimer(CBlockObj* b, InstrWriter& w)
{
    const bool monthly = b->m_nMonthly != 0;
    w.Byte(unsigned(b->m_nTime1Low));
    w.Byte(monthly ? 0xFFu : unsigned(b->m_nTime1High));
    if (!IsOldFamily())
        w.U16(unsigned(b->m_nYearStart));
    w.Byte(unsigned(b->m_nTime2Low));
    w.Byte(monthly ? 0xFFu : unsigned(b->m_nTime2High));
    if (!IsOldFamily()) {
        w.U16(unsigned(b->m_nYearEnd));
        BYTE flags = 0;
        if (monthly)
            SetFlagBit(&flags, 7);
        if (b->m_nYearly)
            SetFlagBit(&flags, 6);
        if (b->m_nPulse)
            SetFlagBit(&flags, 0);
        w.Byte(flags);
        w.Byte(0);
    }
    w.U16(unsigned(b->m_nNumber - kFirstBlockNumber));
}

void CTavixCoreRule::EncodeAstroClock(CBlockObj* b, InstrWriter& w)
{
    w.Byte(unsigned(b->m_nPreWarn[3]));
    w.Byte(unsigned(b->m_nPreWarn[1]));
    w.Byte(unsigned(b->m_nTime2High));
    w.Byte(unsigned(b->m_nTime1High));
    w.Byte(unsigned(b->m_nPreWarn[2]));
    w.Byte(unsigned(b->m_nPreWarn[0]));
    w.Byte(unsigned(b->m_nTime2Low));
    w.Byte(unsigned(b->m_nTime1Low));
    const int v = b->m_nTime2Base;
    w.Byte(unsigned(v < 13 ? v : v - 12));
    w.Byte(v > 12 ? 1u : 0u);
    w.Zero(4);
}

void CTavixCoreRule::EncodeStopwatch(CBlockObj* b, InstrWriter& w)
{
    for (int i = 0; i < 3; ++i)
        WriteOperand(w, b, i);
    w.U16(unsigned(3 - b->m_nTime1Base));
    w.Zero(6);
}

void CTavixCoreRule::EncodeCounter(CBlockObj* b, InstrWriter& w)
{
    for (int i = 0; i < 3; ++i)
        WriteOperand(w, b, i);
    w.U32((unsigned long)RefOr(b, 1, b->m_nTime1High));
    w.U32((unsigned long)RefOr(b, 2, b->m_nTime2High));
    if (IsOldFamily()) {
        w.U16(unsigned(b->m_nNumber - kFirstBlockNumber) | 0x8000u);
        w.Zero(6);
    } else {
        w.U32((unsigned long)b->m_nStartValue);
        w.Zero(4);
    }
}

void CTavixCoreRule::EncodeHoursCounter(CBlockObj* b, InstrWriter& w)
{
    for (int i = 0; i < 3; ++i)
        WriteOperand(w, b, i);
    const unsigned idx = unsigned(b->m_nNumber - kFirstBlockNumber);
    const unsigned preWarning = b->m_bStdPreWarning == 1 ? 1u : 0u;
    if (IsOldFamily()) {
        w.U32((unsigned long)b->m_nTime2High * 60);
        w.U16(unsigned(b->m_nTime1High));
        w.U16(preWarning);
        w.U16(idx);
        w.Zero(6);
    } else {
        w.U32((unsigned long)(b->m_nTime2Low + b->m_nTime2High * 60));
        w.U32((unsigned long)RefOr(b, 1, b->m_nTime1Low + b->m_nTime1High * 60));
        w.U16(preWarning);
        w.U16(idx);
        w.Zero(4);
    }
}

void CTavixCoreRule::EncodeThresholdTrigger(CBlockObj* b, InstrWriter& w)
{
    WriteOperand(w, b, 0);
    w.U16(unsigned(b->m_nTime1High));
    w.U16(unsigned(b->m_nTime1Low));
    WORD gate = 0;
    if (!IsOldFamily() && b->m_bRef[0])
        TimeWord(&gate, b, 0, 0, 2, true, RefNumber(b, 1), 2);
    else
        TimeWord(&gate, b, b->m_nTime2High, b->m_nTime2Low, 2, false, 0, 0);
    w.U16(gate);
    w.U16(unsigned(b->m_nNumber - kFirstBlockNumber));
    w.Zero(4);
}

void CTavixCoreRule::EncodeRelayBlock(CBlockObj* b, InstrWriter& w)
{
    const unsigned idx = unsigned(b->m_nNumber - kFirstBlockNumber);
    switch (b->m_nType) {
    case 808:
        WriteOperand(w, b, 0);
        WriteOperand(w, b, 1);
        w.U16(idx);
        break;
    case 809:
        for (int i = 0; i < 3; ++i)
            WriteOperand(w, b, i);
        w.U16(b->m_nExtra3 ? 1u : 0u);
        w.U16(idx);
        break;
    default:  // 812
        for (int i = 0; i < 3; ++i)
            WriteOperand(w, b, i);
        w.U16(b->m_nExtra1 >= 0 && b->m_nExtra1 < 16 ? 1u << b->m_nExtra1 : 0u);
        if (IsOldFamily()) {
            w.U16(idx);
        } else {
            w.U16(unsigned(b->m_nExtra2));
            w.Zero(4);
        }
        break;
    }
}

void CTavixCoreRule::EncodeMessageTextBlock(CBlockObj* b, InstrWriter& w)
{
    WriteOperand(w, b, 0);
    w.Byte((b->m_bStdPreWarning ? 128u : 0u) + unsigned(b->m_nCount & 0x7F));
    // The message-text index: this block's ordinal among the compiled message texts.
    w.Byte(unsigned(m_nMsgTextOrdinal - 1));
    w.U16(unsigned(b->m_nNumber - kFirstBlockNumber));
}

void CTavixCoreRule::EncodeModbusBlock(CBlockObj* b, InstrWriter& w)
{
    const CBlockMR* p = dynamic_cast<const CBlockMR*>(b);
    if (p == nullptr)
        return;
    const bool write = b->m_nType == 814;
    const bool old = IsOldFamily();
    WriteOperand(w, b, 0);
    WriteOperand(w, b, 1);
    w.Byte(p->m_bySlave);
    w.Byte(p->m_byFunction);
    w.U16(p->m_wRegister);
    w.U16(p->m_wCount);
    if (p->m_byFunction == 5 && p->m_byWriteMode != 0 && p->m_wData1 != 0)
        w.U16(0xFF00);
    else
        w.U16(p->m_wData1);
    const unsigned scan = b->m_nTime1Base == 0 ? 0xFFFFu : unsigned(b->m_nTime1Base);
    w.U16(old || write ? unsigned(p->m_wData2) : scan);
    w.Byte(unsigned(p->m_nPort));
    w.Byte(p->m_byWriteMode);
    if (write && !old) {
        w.U16(scan);
        w.U16(0xFFFF);
    }
}

void CTavixCoreRule::EncodeWifiBlock(CBlockObj* b, InstrWriter& w)
{
    const CBlockWIFI* p = dynamic_cast<const CBlockWIFI*>(b);
    if (p == nullptr)
        return;
    const int t = b->m_nType;
    const int ops = (t == 825 || t == 827) ? 2 : 1;
    for (int i = 0; i < ops; ++i)
        WriteOperand(w, b, i);
    const int w1 = p->m_nWifiSource;
    w.Byte(unsigned(w1));
    w.Byte(w1 == 0 ? unsigned(p->m_nWifiId + 1) : (w1 == 1 ? unsigned(p->m_nWifiId) : 1u));
    w.Byte(unsigned(p->m_nWifiBlockType));
    w.Byte(unsigned(p->m_nWifiBlockNumber));
    if (t == 824) {
        w.Byte(w1 == 2 ? unsigned(p->m_nWifiBlockType + 1) : 0u);
        w.Byte(0);
        w.Zero(2);
    } else if (t == 826) {
        w.Zero(4);
    } else {
        w.Zero(2);
    }
}

void CTavixCoreRule::EncodeUdcBlock(CBlockObj* b, InstrWriter& w)
{
    WriteOperand(w, b, 0);
    w.U16(unsigned(b->m_nTime2Base));
    w.U16(b->m_nTime1Base == 0 ? 0xFFFFu : unsigned(b->m_nTime1Base));
    w.U16HighFirst(AnalogIndexWord(b->m_nPreWarn[1], b->m_nYearEnd));
    w.U16(unsigned(b->m_nPreWarn[3]));
    w.U16HighFirst(AnalogIndexWord(0, b->m_nYearStart));
    w.U16(unsigned(b->m_nPreWarn[2]));
    w.Byte(unsigned(b->m_nYearly));
    w.Byte(unsigned(b->m_nMonthly));
    w.Byte(unsigned(b->m_bStdPreWarning));
    w.Byte(unsigned(b->m_nPulse));
    w.Byte(unsigned(b->m_nTime1High));
    w.Byte(unsigned(b->m_nTime2High));
    w.Byte(unsigned(b->m_nTime1Low));
    w.Byte(unsigned(b->m_nTime2Low));
}
