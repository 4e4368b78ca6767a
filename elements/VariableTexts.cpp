// Texts of block variables shown in message-text fields: the detail text of the editors and
// the short display text of the simulated device display.
#include "elements/BlockObj.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockCounters.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockSwitches.h"
#include "elements/BlockTime.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <cwchar>

namespace {

const wchar_t* const kUnitNames[4] = {L"Hours(h:m)", L"Minutes(..", L"Seconds..", L""};
const wchar_t* const kUnitLetters[4] = {L"h", L"m", L"s", L"ms"};

const wchar_t* UnitName(int unit)
{
    return (unit >= 0 && unit < 4) ? kUnitNames[unit] : L"";
}

const wchar_t* UnitLetter(int unit)
{
    return (unit >= 0 && unit < 4) ? kUnitLetters[unit] : L"";
}

CString Fmt(const wchar_t* format, FormatArg a)
{
    CString s;
    s.Format(format, a);
    return s;
}

// Formats time parts; the detail form carries the unit's name, the display form its letter.
CString TimeText(bool bDetail, int high, int low, int unit)
{
    CString s;
    if (bDetail)
        s.Format(L"%02d:%02d %s", high, low, UnitName(unit));
    else
        s.Format(L"%02d:%02d%s", high, low, UnitLetter(unit));
    return s;
}

// A referenced value in a reference unit (0 minutes, 1 seconds, 2 milliseconds) as two parts.
void SplitReference(double v, int unit, int* pHigh, int* pLow)
{
    static const int largest[3] = {5999, 5999, 99990};
    static const int divisor[3] = {1, 1, 10};
    static const int modulus[3] = {60, 60, 100};
    *pHigh = *pLow = 0;
    if (unit < 0 || unit > 2)
        return;
    const int n0 = TruncateToInt(std::min(v, double(largest[unit])));
    if (n0 <= 0)
        return;
    const int n = n0 / divisor[unit];
    *pHigh = n / modulus[unit];
    *pLow = n % modulus[unit];
}

// The analog decimal forms: value / 10^d with the format of d (empty for d outside 0-3).
CString Decimal(double value, int d, bool bSecondSet = false)
{
    static const wchar_t* const first[4] = {L"%6.0f ", L"%7.1f", L"%7.2f", L"%7.3f"};
    static const wchar_t* const second[4] = {L"%5.0f ", L"%6.1f", L"%6.2f", L"%6.3f"};
    if (d < 0 || d > 3)
        return CString();
    return Fmt(bSecondSet ? second[d] : first[d], value / std::pow(10.0, d));
}

// Formats through the wide form so that the locale's names (a Chinese "下午", a weekday) arrive
// as characters whatever the locale's byte encoding is; the format itself is plain ASCII.
CString FormatTm(const std::tm& t, const char* format)
{
    wchar_t wideFormat[32];
    size_t k = 0;
    for (; format[k] && k + 1 < sizeof wideFormat / sizeof wideFormat[0]; ++k)
        wideFormat[k] = wchar_t(static_cast<unsigned char>(format[k]));
    wideFormat[k] = 0;
    wchar_t buf[64];
    const size_t n = std::wcsftime(buf, sizeof buf / sizeof buf[0], wideFormat, &t);
    return CString(buf, int(n));
}

class VariableText
{
public:
    VariableText(CBlockObj& block, CTavixView* pView, bool bDetail, int variable, int kind)
        : b(block), view(pView), detail(bDetail), var(variable), kind(kind)
    {
    }

    // The text, or an empty string when the variable is not one the block's type shows.
    CString Make();

private:
    CBlockObj& b;
    CTavixView* view;
    bool detail;
    int var;
    int kind;

    CBlockObj* Ref(int k) const { return b.m_pRefBlock[k - 1]; }
    double RefValue(int k) const
    {
        double v = 0.0;
        b.GetOutputValue(Ref(k), &v);
        return v;
    }
    CString RefName(int k) const { return Fmt(L"B%d", Ref(k)->m_nNumber - NUM_FUNCTION); }
    // The value of ref k (detail, limited) or its name (display), else the literal word.
    CString RefOrWord(int k, int literal, double lo = -1e300, double hi = 1e300) const
    {
        if (!Ref(k))
            return Fmt(L"%d", literal);
        if (!detail)
            return RefName(k);
        return Fmt(L"%d", TruncateToInt(std::clamp(RefValue(k), lo, hi)));
    }

    int UnitOfSet(int set) const
    {
        if (set == 1)
            return Ref(1) ? b.m_nRefUnit1 : b.m_nTime1Base;
        return Ref(2) ? b.m_nRefUnit2 : b.m_nTime2Base;
    }
    // Preset of a time set: the literal parts in the time base, or the referenced value.
    CString Preset(int set) const
    {
        const int refUnit = set == 1 ? b.m_nRefUnit1 : b.m_nRefUnit2;
        if (Ref(set)) {
            if (!detail)
                return RefName(set) + UnitLetter(refUnit + 1);
            int h, l;
            SplitReference(RefValue(set), refUnit, &h, &l);
            return TimeText(true, h, l, refUnit);
        }
        if (set == 1)
            return TimeText(detail, b.m_nTime1High, b.m_nTime1Low, b.m_nTime1Base);
        return TimeText(detail, b.m_nTime2High, b.m_nTime2Low, b.m_nTime2Base);
    }
    // Pre-warning times of the lighting switches.
    CString PreWarning(int hiWord, int loWord, int refIndex) const
    {
        if (Ref(refIndex)) {
            if (!detail)
                return RefName(refIndex) + UnitLetter(b.m_nRefUnit2 + 1);
            int h, l;
            SplitReference(RefValue(refIndex), b.m_nRefUnit2, &h, &l);
            return TimeText(true, h, l, b.m_nRefUnit2);
        }
        return TimeText(detail, b.m_nPreWarn[hiWord], b.m_nPreWarn[loWord], b.m_nTime2Base);
    }
    CString Current(int unit) const
    {
        int h = 0, l = 0;
        if (b.m_dElapsed != 0.0)
            CBlockObj::SplitTime(b.m_dElapsed, unit, &h, &l);
        return TimeText(detail, h, l, unit);
    }
    CString Remaining(int unit, bool bAllowed = true) const
    {
        int h = 0, l = 0;
        if (bAllowed && b.m_dElapsed != 0.0)
            CBlockObj::SplitTime(b.m_dValue3, unit, &h, &l);
        return TimeText(detail, h, l, unit);
    }
    CString Direct(double t, int unit) const
    {
        int h, l;
        CBlockObj::SplitTime(t, unit, &h, &l);
        return TimeText(detail, h, l, unit);
    }
    int Phase() const
    {
        return b.IsKindOf(RUNTIME_CLASS(CBlockTime)) ? static_cast<CBlockTime&>(b).m_nPhase : 0;
    }

    // Input rule of the word and math blocks (variables 89 and 90).
    CString InputRule() const
    {
        const int pin = (var == 90 && b.m_nType != 833) ? 1 : 0;
        int v;
        if (b.m_nLastValue != 0) {
            WORD w = 0;
            b.GetInputValue(view, &w, pin);
            v = b.m_nType == 833 ? int(w) : int(SHORT(w));
        } else {
            v = b.m_nLastInput[pin];
        }
        if (b.m_nType == 833)
            return Fmt(L"0x%04X", unsigned(v) & 0xFFFF);
        return Fmt(L"%d", v);
    }
    // Parameter rule: the parameter the last step kept, the referenced value, or the literal.
    bool ParamRule(int literal, double lo, double hi, int* pValue, CString* pName) const
    {
        if (!detail && Ref(1)) {
            *pName = RefName(1);
            return false;
        }
        if (!detail)
            *pValue = literal;
        else if (b.m_nLastValue == 0)
            *pValue = b.m_nLastInput[b.m_nType == 845 ? 2 : 1];
        else if (Ref(1))
            *pValue = TruncateToInt(std::clamp(RefValue(1), lo, hi));
        else
            *pValue = literal;
        return true;
    }
    CString ParamText(int literal, double lo, double hi, const wchar_t* format) const
    {
        int v = 0;
        CString name;
        if (!ParamRule(literal, lo, hi, &v, &name))
            return name;
        if (std::wcscmp(format, L"0x%04X") == 0)
            return Fmt(format, unsigned(v) & 0xFFFF);
        return Fmt(format, v);
    }

    CString Timers();
    CString Clocks();
    CString Counters();
    CString Analog();
    CString WordAndMath();
    CString Weekday(int cam) const;
    std::tm Now() const;
    CString DisplayTime(const std::tm& now) const
    {
        CString day = FormatTm(now, "%a");
        if (day.GetLength() >= 3)
            day = day.Left(2) + L" " + day.Mid(3);
        return day + FormatTm(now, "%H:%M");
    }
    // The enable time and date of a message text: taken from the clock once when the capture
    // flag is set, then repeated as captured.
    CString EnableCapture(CBlockMSGTEXT& m, const std::tm& now) const;
};

std::tm VariableText::Now() const
{
    SYSTEMTIME st{};
    if (view && view->IsSimulating() && view->GetParentFrame())
        view->GetParentFrame()->GetSimTime(&st);
    else
        GetLocalTime(&st);
    std::tm t{};
    t.tm_year = st.wYear - 1900;
    t.tm_mon = st.wMonth - 1;
    t.tm_mday = st.wDay;
    t.tm_hour = st.wHour;
    t.tm_min = st.wMinute;
    t.tm_sec = st.wSecond;
    t.tm_wday = st.wDayOfWeek % 7;
    return t;
}

CString VariableText::EnableCapture(CBlockMSGTEXT& m, const std::tm& now) const
{
    if (var == 2) {
        if (m.m_bCaptureEnableTime) {
            m.m_bCaptureEnableTime = 0;
            m.m_strEnableTime = FormatTm(now, "%p %I:%M:%S");
            m.m_strEnableTimeShort = detail ? m.m_strEnableTime : DisplayTime(now);
        }
        return detail ? m.m_strEnableTime : m.m_strEnableTimeShort;
    }
    if (m.m_bCaptureEnableDate) {
        m.m_bCaptureEnableDate = 0;
        m.m_strEnableDate = FormatTm(now, "%Y-%m-%d");
    }
    return m.m_strEnableDate;
}

CString VariableText::Timers()
{
    const int t = b.m_nType;
    if (t == 400 || t == 401 || t == 403) {
        if (var == 0 || ((var == 4 || var == 5) && detail && b.m_nLastValue == 0)) {
            if (detail && var == 0 && !(view && view->IsSimulating()))
                b.GetTimeText(view, &b.m_strValueText);
            CString text = b.m_strValueText;
            for (int i = 0; i < text.GetLength(); ++i) {
                if (text[i] == L's' || text[i] == L'm' || text[i] == L'h') {
                    text = text.Left(i) + text.Mid(i + 1);
                    break;
                }
            }
            if (detail)
                return text + L" " + UnitName(UnitOfSet(1));
            return text + UnitLetter(UnitOfSet(1));
        }
        if (var == 4 || var == 5)
            return Preset(1);
        if (var == 50)
            return Remaining(UnitOfSet(1), b.m_nLastValue < 0);
        return CString();
    }
    const int running = Phase() ? 2 : 1;
    switch (t) {
    case 402:
        if (var == 0) return Current(UnitOfSet(running));
        if (var == 50) return Remaining(UnitOfSet(running));
        if (var == 6) return Preset(1);
        if (var == 7) return Preset(2);
        break;
    case 404:
        if (var == 0) return Current(UnitOfSet(1));
        if (var == 50) return Remaining(UnitOfSet(1));
        if (var == 7) return Preset(1);
        break;
    case 405:
    case 406:
        if (var == 0) return Current(UnitOfSet(running));
        if (var == 50) return Remaining(UnitOfSet(running));
        if (var == 40) return Preset(1);
        if (var == 39) return Preset(2);
        break;
    case 407:
        if (var == 10) return Preset(1);
        if (var == 11) return Preset(2);
        if (var == 50) return Remaining(UnitOfSet(running));
        break;
    case 408:
        if (var == 0) return Direct(b.m_dElapsed, UnitOfSet(2));
        if (var == 50) return Remaining(UnitOfSet(2));
        if (var == 5) return Preset(2);
        if (var == 12) return PreWarning(1, 0, 3);
        if (var == 13) return PreWarning(3, 2, 4);
        break;
    case 409: {
        const int state = b.IsKindOf(RUNTIME_CLASS(CBlockMFS))
                              ? static_cast<CBlockMFS&>(b).m_nSwitchState
                              : 0;
        if (var == 14) return Preset(1);
        if (var == 41) return Preset(2);
        if (var == 12) return PreWarning(1, 0, 3);
        if (var == 13) return PreWarning(3, 2, 4);
        if (var == 0)
            return Direct(b.m_dElapsed, state % 2 == 0 ? b.m_nTime2Base : b.m_nTime1Base);
        if (var == 50)
            return Remaining(UnitOfSet(state == 0 || state == 1 || state == 3 ? 1 : 2));
        break;
    }
    default:
        break;
    }
    return CString();
}

CString VariableText::Weekday(int cam) const
{
    static const wchar_t kLetters[] = L"SMTWTFS";
    const auto& time = static_cast<const CBlockTime&>(b);
    CString s;
    for (int i = 1; i <= 7; ++i) {
        const int day = i % 7;  // Monday first, Sunday last
        s += time.m_bCamDays[cam][day] ? kLetters[day] : L'-';
    }
    return s;
}

CString VariableText::Clocks()
{
    const int t = b.m_nType;
    if (t == 410 && b.IsKindOf(RUNTIME_CLASS(CBlockTime))) {
        int cam;
        if (kind >= 0 && kind <= 8)
            cam = kind / 3;
        else if (!detail && kind <= 2)
            cam = 0;
        else
            return CString();
        const auto& time = static_cast<const CBlockTime&>(b);
        if (var == 15 || var == 44 || var == 47)
            return Weekday(cam);
        const bool on = var == 42 || var == 45 || var == 48;
        const bool off = var == 43 || var == 46 || var == 49;
        if (!on && !off)
            return CString();
        const int* hm = on ? time.m_nCamOn[cam] : time.m_nCamOff[cam];
        CString s;
        s.Format(detail ? L"%02d:%02d Hours" : L"%02d:%02d", hm[0], hm[1]);
        return s;
    }
    if (t == 411 && (var == 35 || var == 36)) {
        const int high = var == 35 ? b.m_nTime1High : b.m_nTime2High;
        const int low = var == 35 ? b.m_nTime1Low : b.m_nTime2Low;
        CString s;
        if (b.m_nMonthly)
            s.Format(L"**.%02d ", low);
        else
            s.Format(L"%02d.%02d ", high, low);
        if (detail)
            s += L"Day.Month";
        return s;
    }
    if (t == 412) {
        CString s;
        if (var == 75 || var == 76) {
            if (detail)
                return s;
            if (var == 75)
                s.Format(L"%s%d.%d'%d\"", b.m_nTime1High ? L"W" : L"E", b.m_nTime2High,
                         b.m_nPreWarn[1], b.m_nPreWarn[3]);
            else
                s.Format(L"%s%d.%d'%d\"", b.m_nTime1Low ? L"S" : L"N", b.m_nTime2Low,
                         b.m_nPreWarn[0], b.m_nPreWarn[2]);
            return s;
        }
        if (var == 77) {
            const int z = b.m_nTime2Base > 12 ? 12 - b.m_nTime2Base : b.m_nTime2Base;
            s.Format(detail ? L"%d" : L"%2d", z);
            return s;
        }
        if (var == 78 || var == 79)
            return detail ? CString(L"00:00 Hours(h:m)") : CString(L"00:00h");
        return s;
    }
    if (t == 413 && var == 80) {
        switch (b.m_nTime1Base) {
        case 0: return L"h";
        case 1: return L"m";
        case 2: return L"s";
        default: return L"ms";
        }
    }
    return CString();
}

CString VariableText::Counters()
{
    const int t = b.m_nType;
    if (t == 800) {
        if (var == 16) return Fmt(L"%d", TruncateToInt(b.m_dElapsed));
        if (var == 17) return RefOrWord(1, b.m_nTime1High);
        if (var == 18) return RefOrWord(2, b.m_nTime2High);
        if (var == 64) return Fmt(L"%d", b.m_nStartValue);
    } else if (t == 801 && b.IsKindOf(RUNTIME_CLASS(CBlockHCOUNTER))) {
        const auto& hc = static_cast<const CBlockHCOUNTER&>(b);
        CString s;
        switch (var) {
        case 19: return Fmt(L"%d", b.m_nTime1High);
        case 20: return Fmt(L"%ld", long(hc.m_nMn / 60 + (hc.m_nMn % 60 != 0 ? 1 : 0)));
        case 21: return Fmt(L"%ld", long(hc.m_nOt / 60));
        case 65:
        case 66:
        case 67: {
            int h = b.m_nTime1High, m = b.m_nTime1Low;
            if (var != 65) {
                const int minutes = var == 66 ? hc.m_nMn : hc.m_nOt;
                h = minutes / 60;
                m = minutes % 60;
            }
            s.Format(detail ? L"%d:%d Hours(h:m)" : L"%dh:%dm", h, m);
            return s;
        }
        default: break;
        }
    } else if (t == 802 && b.IsKindOf(RUNTIME_CLASS(CBlockTHTRG))) {
        if (var == 22) return Fmt(L"%d", static_cast<const CBlockTHTRG&>(b).m_nFa);
        if (var == 37) return Fmt(L"%d", b.m_nTime1High);
        if (var == 38) return Fmt(L"%d", b.m_nTime1Low);
        if (var == 23) {
            CString s;
            s.Format(detail ? L"%02d:%02d Seconds.." : L"%02d:%02dms", b.m_nTime2High,
                     b.m_nTime2Low);
            return s;
        }
    }
    return CString();
}

CString VariableText::Analog()
{
    if (!b.IsKindOf(RUNTIME_CLASS(CBlockAnalog)))
        return CString();
    const auto& a = static_cast<const CBlockAnalog&>(b);
    const int t = b.m_nType;
    const int d = a.m_nDecimals;
    const bool comparators = t >= 803 && t <= 807;
    if ((comparators || (t >= 817 && t <= 819)) && var == 26)
        return Fmt(L"%5.2f", a.m_dGain);
    if ((comparators || (t >= 817 && t <= 819)) && var == 27)
        return Fmt(L"%6d", a.m_nOffset);
    if (comparators) {
        switch (var) {
        case 24: return Decimal(a.m_nThreshold1, d);
        case 25:
            return Decimal(t == 807 ? double(a.m_nThreshold1) + a.m_nThreshold2
                                    : double(a.m_nThreshold2), d);
        case 31: return Decimal(a.m_nThreshold2, d);
        case 28: return Decimal(a.m_nScaledAx, d);
        case 29: return Decimal(a.m_nScaledAy, d);
        case 30: return Decimal(a.m_nActualValue, d);
        case 32: return Decimal(a.m_nCapturedValue, d);
        default: return CString();
        }
    }
    if ((t == 815 || t == 816) && var == 70)
        return Fmt(L"%d", a.m_nActualValue);
    const int firstV = t == 815 ? 71 : 84;
    if ((t == 815 || t == 816) && var >= firstV && var < firstV + 4) {
        const int k = var - firstV + 1;
        const int literal[4] = {b.m_nTime1High, b.m_nTime2High, b.m_nPreWarn[1], b.m_nPreWarn[3]};
        if (!detail && Ref(k))
            return RefName(k);
        return Fmt(L"%d", literal[k - 1]);
    }
    switch (t) {
    case 817:
        if (var == 102) return L"0";
        if (var == 103) return Decimal(a.m_nThreshold1, d);
        if (var == 104) return Decimal(a.m_nThreshold2, d);
        if (var == 105) return Decimal(b.m_nTime2High, d);
        if (var == 106) return Decimal(b.m_nPreWarn[1], d, true);
        if (var == 107) return Decimal(b.m_nTime1High, d, true);
        break;
    case 818:
        if (var == 108) return Decimal(a.m_nRangeMin, d);
        if (var == 109) return Decimal(a.m_nRangeMax, d);
        if (var == 110) return Decimal(a.m_nThreshold1, d);
        if (var == 112) {
            CString s;
            s.Format(L"%02d:%02dm", a.m_nTIMinutes, a.m_nTISeconds);
            return s;
        }
        if (var == 113) return Fmt(L"%d", a.m_nThreshold2);
        if (var == 114) return detail ? Fmt(L"%6.3f", 0.0) : CString(L"0");
        if (var == 115) return Fmt(L"%6.3f", 0.0);
        break;
    case 819:
        if (var == 116)
            return detail ? TimeText(true, 0, 0, UnitOfSet(1)) : Preset(1);
        if (var == 117) return Decimal(std::min(a.m_nRangeMin, a.m_nRangeMax), d);
        break;
    case 820:
        if (var == 88) return Fmt(L"%d", (b.m_nTime1Base >= 0 && b.m_nTime1Base < 24)
                                             ? 8 << b.m_nTime1Base : 0);
        if (var == 89 || var == 98) return L"0";
        break;
    case 821:
        if (var == 95) return (!detail && Ref(1)) ? RefName(1) : Fmt(L"%d", b.m_nTime1High);
        if (var == 89 || var == 96 || var == 97 || var == 98) return L"0";
        break;
    case 822: {
        static const wchar_t* const letters[3] = {L"d", L"h", L"m"};
        if (var == 91) {
            CString s;
            s.Format(L"%d%s", b.m_nTime1High,
                     (b.m_nTime1Base >= 0 && b.m_nTime1Base < 3) ? letters[b.m_nTime1Base] : L"s");
            return s;
        }
        if (var == 92) return Fmt(L"%d", b.m_nTime1Low);
        if (var == 93 || var == 94) return L"0";
        break;
    }
    default:
        break;
    }
    return CString();
}

CString VariableText::WordAndMath()
{
    const int t = b.m_nType;
    if (t == 823) {
        if (var == 99) return detail ? CString() : (Ref(1) ? RefName(1) : CString(L"----"));
        if (var == 100 || var == 101) return L"0";
        return CString();
    }
    if ((var == 89 || var == 90) &&
        ((t >= 832 && t <= 843) || t == 845 || (t >= 860 && t <= 878)))
        return InputRule();
    if (var == 114 && ((t >= 832 && t <= 846) || t == 853 || (t >= 862 && t <= 879))) {
        const int v = TruncateToInt(b.m_dElapsed);
        if (t == 832) return Fmt(L"0x%04X", unsigned(v) & 0xFFFF);
        if (t == 853) return Fmt(L"0x%02X", unsigned(v) & 0xFF);
        return Fmt(L"%d", v);
    }
    if ((var == 118 || var == 119) && t >= 834 && t <= 837)
        return ParamText(b.m_nTime1High, 1, 15, L"%d");
    if (var == 120 && (t == 838 || t == 839 || (t >= 841 && t <= 843)))
        return ParamText(b.m_nTime1High, -1e300, 1e300, L"0x%04X");
    if (var == 122 && (t == 846 || t == 862 || t == 863))
        return ParamText(b.m_nTime1High, -32767, 32767, L"%d");
    if (var == 122 && (t == 864 || t == 871 || t == 872)) {
        int v = 0;
        CString name;
        if (!ParamRule(b.m_nTime1Base, -32767, 32767, &v, &name))
            return name;
        if (t == 864)
            return v == 0 ? L"e" : (v == 1 ? L"2" : L"10");
        return Fmt(L"%d", v);
    }
    if (var == 124 && t == 854)
        return ParamText(b.m_nTime1High, 0, 15, L"%d");
    if (var == 123 && (t == 864 || t == 865 || t == 869 || t == 870 || (t >= 873 && t <= 879)))
        return Fmt(L"%.2f", b.m_dParam);
    if (var == 95 && (t == 844 || t == 845)) {
        int v = 0;
        CString name;
        if (!ParamRule(b.m_nTime1High, 0, 2, &v, &name))
            return name;
        return v == 0 ? L"Maximum" : (v == 1 ? L"Minimum" : L"Average");
    }
    if (var == 121 && t == 844) {
        if (!Ref(2))
            return Fmt(L"%d", b.m_nTime2High);
        return RefOrWord(2, b.m_nTime2High, 1, 32);
    }
    if (t == 848) {
        if (var == 144) return Fmt(L"%d", TruncateToInt(b.m_dElapsed));
        if (var == 140) return Fmt(L"%d", b.m_nStartValue);
        if (var == 130) return b.m_nPreWarn[1] ? L"I2&I3" : L"I0&I1";
        if (var == 141) return RefOrWord(1, b.m_nTime1High, -999999, 999999);
        if (var == 142) return RefOrWord(2, b.m_nTime2High, -999999, 999999);
    }
    const bool speed = (var == 126 && (t == 849 || t == 850)) || (var == 138 && (t == 851 || t == 852));
    const bool count = (var == 127 && t == 850) || (var == 143 && t == 852);
    if (speed)
        return RefOrWord(2, b.m_nTime2High, 0, 99999999);
    if (count)
        return RefOrWord(1, b.m_nPreWarn[1], 0, 99999999);
    if (t >= 848 && t <= 852 && (var == 116 || var == 121)) {
        if (detail)
            return Fmt(L"%d", var == 116 ? b.m_nTime2High : b.m_nPreWarn[1]);
        return var == 116 ? RefOrWord(2, b.m_nTime2High) : RefOrWord(1, b.m_nPreWarn[1]);
    }
    if (t == 855 && var == 128)
        return Fmt(L"%d", b.m_nTime1Base);
    if (t == 856 && var == 129)
        return Fmt(L"0x%04X", unsigned(TruncateToInt(b.m_dElapsed)) & 0xFFFF);
    return CString();
}

CString VariableText::Make()
{
    if (detail) {
        switch (kind) {
        case -99: return L"Bar";
        case -102: return L"Scope 12 X 3";
        case -103: return L"Pointer 12 X 3";
        case -104: return L"Graph 12 X 4";
        case -100:
        case -101: return CString();
        default: break;
        }
    }
    const int t = b.m_nType;
    if (t >= 400 && t <= 409)
        return Timers();
    if (t >= 410 && t <= 413)
        return Clocks();
    if (t >= 800 && t <= 802)
        return Counters();
    if (IsAnalogFamilyType(t))
        return Analog();
    if (t == TYPE_MSGTEXT) {
        const std::tm now = Now();
        if (var == 34) {
            if (detail)
                return FormatTm(now, "%p %I:%M:%S");
            return DisplayTime(now);
        }
        if (var == 1)
            return FormatTm(now, "%Y-%m-%d");
        if ((var == 2 || var == 3) && b.IsKindOf(RUNTIME_CLASS(CBlockMSGTEXT)))
            return EnableCapture(static_cast<CBlockMSGTEXT&>(b), now);
        return CString();
    }
    if (t == TYPE_ANALOG_IN || t == TYPE_ANALOG_FLAG)
        return detail ? Fmt(L"%6.1f", double(b.m_nSimValue)) : CString();
    return WordAndMath();
}

} // namespace

void CBlockObj::GetVariableDetailText(CTavixView* pView, CString* pText, int variable,
                                      int fieldKind)
{
    if (!pText)
        return;
    const CString text = VariableText(*this, pView, true, variable, fieldKind).Make();
    if (!text.IsEmpty())
        *pText = text;
}

void CBlockObj::GetVariableDisplayText(CTavixView* pView, CString* pText, int variable,
                                       int fieldKind)
{
    if (!pText)
        return;
    const CString text = VariableText(*this, pView, false, variable, fieldKind).Make();
    if (!text.IsEmpty())
        *pText = text;
}
