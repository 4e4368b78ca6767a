// Parameter layouts of the analog function blocks and of the word, math and device blocks.
#include "image/TavixCoreRule.h"

#include "document/TavixDoc.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockObj.h"
#include "image/OpcodeTables.h"

namespace {

// A real parameter in hundredths, truncated toward zero. The small nudge keeps a value that
// was itself read back from hundredths (0.29 is 28.999... x 100 in binary) on its own integer.
long Hundredths(double v)
{
    const double x = v * 100.0;
    return TruncateToInt(x + (x >= 0 ? 1e-7 : -1e-7));
}

} // namespace

WORD CTavixCoreRule::AnalogIndexWord(int nSelector, int nIndex)
{
    const int type = nSelector == 1 ? 609 : (nSelector == 2 ? 608 : 610);
    WORD word = 0xFFFF;
    if (!OpcodeTables::LookUpIndexWord(type, nIndex, &word))
        word = 0xFFFF;
    return word;
}

void CTavixCoreRule::EncodeAnalogBlock(CBlockObj* b, InstrWriter& w)
{
    const CBlockAnalog* a = dynamic_cast<const CBlockAnalog*>(b);
    if (a == nullptr)
        return;
    const int t = b->m_nType;
    const bool newer = !IsOldFamily();
    const long p2 = newer ? RefOr(b, 1, a->m_nThreshold1) : a->m_nThreshold1;
    const long p3 = newer ? RefOr(b, 2, a->m_nThreshold2) : a->m_nThreshold2;
    const unsigned idx = unsigned(b->m_nNumber - kFirstBlockNumber);
    WriteOperand(w, b, 0);
    if (t == 803)
        WriteOperand(w, b, 1);
    const long long sum = (long long)a->m_nThreshold2 + a->m_nThreshold1;
    if (t != 805)
        w.U16(unsigned(p2));
    if (t == 803 || t == 804)
        w.U16(unsigned(p3));
    if (t == 807)
        w.U16(unsigned(sum & 0xFFFF));
    w.U16(unsigned(Hundredths(a->m_dGain)));
    w.U16(unsigned(a->m_nOffset));
    w.U16(unsigned(a->m_nDecimals));
    if (t == 807) {
        w.U16(unsigned((sum >> 16) & 0xFFFF));
    } else {
        w.U16(idx | 0x8000u);
        if (t == 803)
            w.Zero(6);
    }
}

void CTavixCoreRule::EncodeAnalogWatchdog(CBlockObj* b, InstrWriter& w)
{
    const CBlockAnalog* a = dynamic_cast<const CBlockAnalog*>(b);
    if (a == nullptr)
        return;
    WriteOperand(w, b, 0);
    WriteOperand(w, b, 1);
    const bool old = IsOldFamily();
    if (old) {
        w.U16(unsigned(a->m_nThreshold2));
    } else {
        w.U16(unsigned(RefOr(b, 1, a->m_nThreshold1)));
        w.U16(unsigned(RefOr(b, 2, a->m_nThreshold2)));
    }
    w.U16(unsigned(Hundredths(a->m_dGain)));
    w.U16(unsigned(a->m_nOffset));
    w.U16(unsigned(a->m_nDecimals));
    w.U16(unsigned(b->m_nNumber - kFirstBlockNumber));
    w.Zero(old ? 4 : 2);
}

void CTavixCoreRule::EncodeAnalogMuxMath(CBlockObj* b, InstrWriter& w)
{
    const CBlockAnalog* a = dynamic_cast<const CBlockAnalog*>(b);
    if (a == nullptr)
        return;
    const bool mux = b->m_nType == 816;
    for (int i = 0; i < (mux ? 3 : 1); ++i)
        WriteOperand(w, b, i);
    w.U16(unsigned(RefOr(b, 1, b->m_nTime1High)));
    w.U16(unsigned(RefOr(b, 2, b->m_nTime2High)));
    w.U16(unsigned(RefOr(b, 3, b->m_nPreWarn[1])));
    w.U16(unsigned(RefOr(b, 4, b->m_nPreWarn[3])));
    if (!mux) {
        w.Byte(unsigned(b->m_nTime1Low));
        w.Byte(unsigned(b->m_nTime2Low));
        w.Byte(unsigned(b->m_nPreWarn[0]));
        w.Byte((unsigned(b->m_nPreWarn[2] | (b->m_nExtra3 << 2)) << 4) |
               unsigned(b->m_nTime2Base << 2) | unsigned(b->m_nTime1Base));
    }
    w.U16(unsigned(a->m_nDecimals));
    w.Zero(2);
}

void CTavixCoreRule::EncodeAnalogRamp(CBlockObj* b, InstrWriter& w)
{
    const CBlockAnalog* a = dynamic_cast<const CBlockAnalog*>(b);
    if (a == nullptr)
        return;
    for (int i = 0; i < 3; ++i)
        WriteOperand(w, b, i);
    w.U16(unsigned(RefOr(b, 1, a->m_nThreshold1)));
    w.U16(unsigned(RefOr(b, 2, a->m_nThreshold2)));
    w.U16(unsigned(b->m_nTime2High));
    w.U16(unsigned(b->m_nPreWarn[1]));
    w.U16(unsigned(b->m_nTime1High));
    w.U16(unsigned(Hundredths(a->m_dGain)));
    w.U16(unsigned(a->m_nOffset));
    w.U16(unsigned(a->m_nDecimals));
    w.Zero(4);
}

void CTavixCoreRule::EncodePiController(CBlockObj* b, InstrWriter& w)
{
    const CBlockAnalog* a = dynamic_cast<const CBlockAnalog*>(b);
    if (a == nullptr)
        return;
    for (int i = 0; i < 3; ++i)
        WriteOperand(w, b, i);
    w.U16(unsigned(RefOr(b, 1, a->m_nThreshold1)));
    w.U16(unsigned(RefOr(b, 2, a->m_nThreshold2)));
    w.U16(unsigned(Hundredths(a->m_dKC)));
    w.U16(unsigned(a->m_nTIMinutes * 60 + a->m_nTISeconds + 0x8000));
    w.U16(unsigned(a->m_nRangeMin));
    w.U16(unsigned(a->m_nRangeMax));
    w.U16(unsigned(Hundredths(a->m_dGain)));
    w.U16(unsigned(a->m_nOffset));
    w.Byte(a->m_nOption == 0 ? 0x2Bu : 0x2Du);
    w.Byte(unsigned(a->m_nDecimals));
    w.Byte(unsigned(a->m_nParamSet));
    w.Byte(0);
}

void CTavixCoreRule::EncodePwm(CBlockObj* b, InstrWriter& w)
{
    const CBlockAnalog* a = dynamic_cast<const CBlockAnalog*>(b);
    if (a == nullptr)
        return;
    WriteOperand(w, b, 0);
    WriteOperand(w, b, 1);
    WriteTimerTime(w, b, 1);
    w.U16(unsigned(Hundredths(a->m_dGain)));
    w.U16(unsigned(a->m_nOffset));
    w.U16(unsigned(a->m_nThreshold1));
    w.U16(unsigned(a->m_nThreshold2));
    w.Byte(unsigned(a->m_nOption));
    w.Byte(unsigned(((a->m_nSensor + 1) % 5 + 5) % 5));
    w.U16(unsigned(a->m_nDecimals));
    w.Zero(4);
}

void CTavixCoreRule::EncodeAnalogFilter(CBlockObj* b, InstrWriter& w)
{
    WriteOperand(w, b, 0);
    w.Byte(unsigned(b->m_nTime1Base + 3));
    w.Byte(unsigned(m_nFilterOrdinal++));
    w.Zero(2);
}

void CTavixCoreRule::EncodeMaxMin(CBlockObj* b, InstrWriter& w)
{
    for (int i = 0; i < 3; ++i)
        WriteOperand(w, b, i);
    w.U16(unsigned(RefOr(b, 1, b->m_nTime1High)));
    w.U16(unsigned(b->m_bStdPreWarning));
    w.Zero(4);
}

void CTavixCoreRule::EncodeAverageValue(CBlockObj* b, InstrWriter& w)
{
    for (int i = 0; i < 3; ++i)
        WriteOperand(w, b, i);
    w.U16(unsigned(4 - b->m_nTime1Base) | (unsigned(b->m_nTime1High) << 3));
    w.U16(unsigned(b->m_nTime1Low));
    w.Zero(4);
}

void CTavixCoreRule::EncodeMathError(CBlockObj* b, InstrWriter& w)
{
    WriteOperand(w, b, 0);
    WriteOperand(w, b, 1);
    w.U16(b->m_bRef[0] ? unsigned(RefOr(b, 1, 0)) : 0xFFFFu);
    w.Byte(unsigned(b->m_bStdPreWarning));
    w.Byte(0xFF);
    w.U16(b->m_nTime1Low == 0 ? 2u : (b->m_nTime1Low == 2 ? 3u : 1u));
    w.Zero(4);
}

void CTavixCoreRule::EncodeWordMathBlock(CBlockObj* b, InstrWriter& w)
{
    const int t = b->m_nType;
    switch (t) {
    case 834: case 835: case 836: case 837: case 838: case 839: case 841: case 842: case 843:
    case 862: case 863:
        WriteOperand(w, b, 0);
        w.U16(unsigned(RefOr(b, 1, b->m_nTime1High)));
        w.Zero(2);
        break;
    case 840: case 866:
        WriteOperand(w, b, 0);
        w.Zero(4);
        break;
    case 844:
        w.U16(unsigned(RefOr(b, 1, b->m_nTime1High)));
        w.U16HighFirst(AnalogIndexWord(b->m_nTime1Low, b->m_nTime2Low));
        w.U16(unsigned(RefOr(b, 2, b->m_nTime2High)));
        w.Zero(4);
        break;
    case 845:
        WriteOperand(w, b, 0);
        WriteOperand(w, b, 1);
        w.U16(unsigned(RefOr(b, 1, b->m_nTime1High)));
        w.Zero(4);
        break;
    case 846:
        w.U16(unsigned(RefOr(b, 1, b->m_nTime1High)));
        w.Zero(4);
        break;
    case 847: {
        WriteOperand(w, b, 0);
        w.Byte(0x07);
        const CBlockObj* pRef = b->m_pRefBlock[0];
        if (pRef == nullptr && b->m_bRef[0] && m_pDoc != nullptr)
            pRef = m_pDoc->FindBlockByNumber(b->m_nRefNumber[0]);
        WORD opcode = 0;
        if (pRef != nullptr)
            OpcodeTables::LookUpOpcode(pRef->m_nType, &opcode);
        w.Byte(opcode >> 8);
        w.U16(pRef != nullptr
                  ? unsigned((b->m_nTime1Low << 12) + (pRef->m_nNumber - kFirstBlockNumber))
                  : 0u);
        w.Zero(4);
        break;
    }
    case 849: case 850:
        for (int i = 0; i < (t == 849 ? 2 : 3); ++i)
            WriteOperand(w, b, i);
        w.U16(unsigned(b->m_nTime1High));
        w.U16(unsigned(b->m_nTime1Low));
        w.U32((unsigned long)RefOr(b, 2, b->m_nTime2High));
        if (t == 850)
            w.U32((unsigned long)RefOr(b, 1, b->m_nPreWarn[1]));
        w.Zero(2);
        break;
    case 851: case 852:
        for (int i = 0; i < (t == 851 ? 1 : 2); ++i)
            WriteOperand(w, b, i);
        w.U16(unsigned(b->m_nTime1Low));
        w.U32((unsigned long)RefOr(b, 2, b->m_nTime2High));
        if (t == 852)
            w.U32((unsigned long)RefOr(b, 1, b->m_nPreWarn[1]));
        w.Zero(2);
        break;
    case 854:
        WriteOperand(w, b, 0);
        w.U16(unsigned(RefOr(b, 1, b->m_nTime1High)));
        w.Zero(4);
        break;
    case 856:
        WriteOperand(w, b, 0);
        w.U16(unsigned(RefOr(b, 1, b->m_nTime1High)));
        w.U16HighFirst(AnalogIndexWord(b->m_nTime1Low, b->m_nTime2Low));
        w.U16(unsigned(RefOr(b, 2, b->m_nTime2High)));
        w.Zero(2);
        break;
    case 864:
        WriteOperand(w, b, 0);
        w.U16(unsigned(RefOr(b, 1, b->m_nTime1Base)));
        w.U32((unsigned long)Hundredths(b->m_dParam));
        w.Zero(2);
        break;
    case 867: case 868:
        WriteOperand(w, b, 0);
        WriteOperand(w, b, 1);
        w.Zero(2);
        break;
    case 871: case 872:
        WriteOperand(w, b, 0);
        w.U16(unsigned(RefOr(b, 1, b->m_nTime1Base)));
        w.Zero(2);
        break;
    default:  // 865, 869, 870, 873-878
        WriteOperand(w, b, 0);
        w.U32((unsigned long)Hundredths(b->m_dParam));
        w.Zero(4);
        break;
    }
}

void CTavixCoreRule::EncodeQuadBlock(CBlockObj* b, InstrWriter& w)
{
    WriteOperand(w, b, 0);
    WriteOperand(w, b, 1);
    w.U16(unsigned(b->m_nTime1High));
    w.U16(unsigned(b->m_nTime2High));
    w.U16(unsigned(b->m_nPreWarn[1]));
    w.U16(unsigned(b->m_nTime1Base));
    w.U32((unsigned long)Hundredths(b->m_dParam));
    w.Zero(2);
}

void CTavixCoreRule::EncodeEncoderBlock(CBlockObj* b, InstrWriter& w)
{
    WriteOperand(w, b, 0);
    w.U32((unsigned long)b->m_nStartValue);
    w.U32((unsigned long)RefOr(b, 1, b->m_nTime1High));
    w.U32((unsigned long)RefOr(b, 2, b->m_nTime2High));
    w.U16(unsigned(b->m_nPreWarn[1]));
    w.Zero(6);
}
