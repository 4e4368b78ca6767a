// Parameter texts beside blocks: retentivity, times with their units and protection mark,
// thresholds, gain and offset, Modbus and WiFi settings, built per type from stored settings.
#include "elements/ParameterTexts.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockModbus.h"
#include "elements/BlockObj.h"
#include "elements/BlockTime.h"
#include "elements/BlockWifi.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

template <typename... Args>
CString Fmt(const wchar_t* format, const Args&... args)
{
    CString s;
    s.Format(format, args...);
    return s;
}

const wchar_t* BaseLetter(int base) { return base == 0 ? L"h" : base == 1 ? L"m" : L"s"; }
const wchar_t* RefUnitLetter(int unit) { return unit == 0 ? L"m" : unit == 1 ? L"s" : L"ms"; }

// Number shown for referenced block k (0-3), or -1 when it does not exist.
int RefShown(const CBlockObj& b, int k)
{
    return b.m_pRefBlock[k] ? b.m_pRefBlock[k]->m_nNumber - NUM_FUNCTION : -1;
}

// "<prefix>B%d" with referenced block k when it exists, else the literal form.
CString RefOr(const CBlockObj& b, int k, const wchar_t* prefix, const CString& literal)
{
    const int n = RefShown(b, k);
    return n >= 0 ? Fmt(L"%sB%d", prefix, n) : literal;
}

// The time and value texts T1-T4 and the Rem line that several rows share.
struct Common {
    CString rem, t1, t2, t3, t4, mark;
};

Common BuildCommon(const CBlockObj& b, bool bNew)
{
    const int t = b.m_nType;
    Common c;
    c.mark = b.m_bProtected ? L"-" : L"+";
    if (b.m_bRetentive)
        c.rem = t == 801 ? (b.m_bStdPreWarning ? L"Q->0=R" : L"Q->0=R+En") : L"Rem=on\n";
    else
        c.rem = t == 411 ? (bNew ? L"YY:MM.DD\n" : L"MM.DD\n") : L"Rem=off\n";

    const int t1h = b.m_nTime1High, t1l = b.m_nTime1Low, t2h = b.m_nTime2High, t2l = b.m_nTime2Low;
    const int* pw = b.m_nPreWarn;
    if (!bNew) {
        if (b.m_bRef[0]) {
            const int n = RefShown(b, 0);
            if (t == 800 || t == 848)
                c.t1 = n >= 0 ? Fmt(L"On=B%d", n) : CString();
            else
                c.t1 = n >= 0 ? Fmt(L"B%d%s", n, RefUnitLetter(b.m_nRefUnit1))
                              : Fmt(L"%02d:%02d%s", t1h, t1l, BaseLetter(b.m_nTime1Base));
        } else if (t == 800 || t == 848) {
            c.t1 = Fmt(L"On=%d", t1h);
        } else if (t == 801) {
            c.t1 = Fmt(L"MI=%dh%2dm", t1h, t1l);
            c.t2 = Fmt(L"OT=%dh%2dm", t2h, t2l);
        } else if (t == 802) {
            c.rem = Fmt(L"G_T=%02d:%02ds", t2h, t2l);
        } else {
            const wchar_t* letter = BaseLetter(t == 408 ? b.m_nTime1Base : b.m_nTime2Base);
            c.t1 = Fmt(L"%02d:%02d%s", t1h, t1l, BaseLetter(b.m_nTime1Base));
            c.t2 = Fmt(L"%02d:%02d%s", t2h, t2l, BaseLetter(b.m_nTime2Base));
            c.t3 = Fmt(L"%02d:%02d%s", pw[1], pw[0], letter);
            c.t4 = Fmt(L"%02d:%02d%s", pw[3], pw[2], letter);
        }
        if (t == 800 || t == 848) {
            const int n = RefShown(b, 1);
            c.t2 = b.m_bRef[1] ? (n >= 0 ? Fmt(L"Off=B%d", n) : CString()) : Fmt(L"Off=%d", t2h);
        }
        return c;
    }

    // Newer layout: text k takes its reference form while reference flag k is set.
    auto pick = [&](int k, const CString& literal, const CString& refFormat, const CString& refSuffix = CString()) {
        if (!b.m_bRef[k])
            return literal;
        const int n = RefShown(b, k);
        return n >= 0 ? Fmt(refFormat.GetString(), n) + refSuffix : CString();
    };
    static const wchar_t* const modes[3] = {L"MAX", L"MIN", L"AVG"};
    const wchar_t* mode = modes[t1h == 0 ? 0 : t1h == 1 ? 1 : 2];
    switch (t) {
    case 800:
    case 848: c.t1 = pick(0, Fmt(L"On=%d", t1h), L"On=B%d"); break;
    case 801: c.t1 = pick(0, Fmt(L"MI=%dh%2dm", t1h, t1l), L"MI=B%dh"); break;
    case 802: c.rem = pick(0, Fmt(L"G_T=%02d:%02ds", t2h, t2l), L"G_T=B%dms"); break;
    case 815:
    case 816: c.t1 = pick(0, Fmt(L"V1=%d", t1h), L"V1=B%d"); break;
    case 844: c.t1 = pick(0, Fmt(L"Mode=%s", mode), L"Mode=B%d"); break;
    case 845: c.t1 = pick(0, Fmt(L"Mode=%s(Ax,Ay)", mode), L"Mode=B%d"); break;
    case 846: c.t1 = pick(0, Fmt(L"Base=%d", t1h), L"Base=B%d"); break;
    case 850: c.t1 = pick(0, Fmt(L"Steps=%d", pw[1]), L"Steps=B%d"); break;
    case 852: c.t1 = pick(0, Fmt(L"Number=%d", pw[1]), L"Number=B%d"); break;
    case 864: {
        const int base = b.m_nTime1Base;
        c.t1 = pick(0, Fmt(L"Base=%s", base == 0 ? L"e" : base == 1 ? L"2" : L"10"), L"Base=B%d");
        break;
    }
    default:
        c.t1 = pick(0, Fmt(L"%02d:%02d%s", t1h, t1l, BaseLetter(b.m_nTime1Base)), L"B%d",
                    RefUnitLetter(b.m_nRefUnit1));
        break;
    }
    switch (t) {
    case 800:
    case 848: c.t2 = pick(1, Fmt(L"Off=%d", t2h), L"Off=B%d"); break;
    case 801: c.t2 = pick(1, Fmt(L"OT=%dh%2dm", t2h, t2l), L"B%d", RefUnitLetter(b.m_nRefUnit2)); break;
    case 815:
    case 816: c.t2 = pick(1, Fmt(L"V2=%d", t2h), L"V2=B%d"); break;
    case 844: c.t2 = pick(1, Fmt(L"Count=%d", t2h), L"Count=B%d"); break;
    case 849:
    case 850: c.t2 = pick(1, Fmt(L"Speed=%d", t2h), L"Speed=B%d"); break;
    case 851:
    case 852: c.t2 = pick(1, Fmt(L"Pulse Width=%d", t2h), L"Pulse Width=B%d"); break;
    default:
        c.t2 = pick(1, Fmt(L"%02d:%02d%s", t2h, t2l, BaseLetter(b.m_nTime2Base)), L"B%d",
                    RefUnitLetter(b.m_nRefUnit2));
        break;
    }
    if (t == 408 || t == 409) {
        // Units of T3 and T4: set 1 for 408, set 2 for 409; the set's reference unit when its
        // referenced block exists, else its time base word.
        const int set = t == 408 ? 0 : 1;
        const int word = b.m_pRefBlock[set] ? (set == 0 ? b.m_nRefUnit1 : b.m_nRefUnit2)
                                            : (set == 0 ? b.m_nTime1Base : b.m_nTime2Base);
        c.t3 = pick(2, Fmt(L"%02d:%02d%s", pw[1], pw[0], BaseLetter(word)), L"B%d", RefUnitLetter(word));
        c.t4 = pick(3, Fmt(L"%02d:%02d%s", pw[3], pw[2], BaseLetter(word)), L"B%d", RefUnitLetter(word));
    } else if (t == 815 || t == 816) {
        c.t3 = pick(2, Fmt(L"V3=%d", pw[1]), L"V3=B%d");
        c.t4 = pick(3, Fmt(L"V4=%d", pw[3]), L"V4=B%d");
    }
    return c;
}

CString YearlyDate(const CBlockObj& b, bool bNew, int year, int month, int day)
{
    if (bNew)
        return b.m_nMonthly ? Fmt(L"%02d:**.%02d", year - 2000, day) : Fmt(L"%02d:%02d.%02d", year - 2000, month, day);
    return b.m_nMonthly ? Fmt(L"**.%02d", day) : Fmt(L"%02d.%02d", month, day);
}

CString ModbusPort(const CBlockMR& m)
{
    if (m.m_nPort == -1)
        return L"No Setting";
    return m.m_nPort == 0 ? L"COM0(RS232)" : m.m_nPort == 1 ? L"COM1(RS485)" : L"COM2(RS485)";
}

CString ModbusFunction(const CBlockMR& m)
{
    if (m.m_nPort == -1)
        return L"No Setting";
    static const wchar_t* const writes[4] = {L"05 Write Single Coil", L"06 Write Single Register",
                                             L"15 Write Multiple Coils", L"16 Write Multiple Registers"};
    static const wchar_t* const reads[4] = {L"01 Read Coils(0x)", L"02 Read Discrete Input(1x)",
                                            L"03 Read Holding Registers(4x)", L"04 Read Input Registers(3x)"};
    if (m.m_byCommand > 3)
        return CString();
    return m.m_nType == 814 ? writes[m.m_byCommand] : reads[m.m_byCommand];
}

void WifiTexts(const CBlockWIFI& w, CString* pFirst, CString* pSecond)
{
    const int t = w.m_nType, n = w.m_nWifiBlockNumber;
    switch (w.m_nWifiSource) {
    case 0:
        *pFirst = Fmt(L"Station : WiFi ID%d", w.m_nWifiId + 1);
        if (t == 824)
            *pSecond = Fmt(L"Block : %s%d", w.m_nWifiBlockType ? L"Q" : L"I", n);
        else if (t == 825)
            *pSecond = Fmt(L"Block : Q%d", n);
        else if (t == 826)
            *pSecond = Fmt(L"Block : %s%d", w.m_nWifiBlockType ? L"AQ" : L"AI", n);
        else
            *pSecond = Fmt(L"Block : AQ%d", n);
        break;
    case 1:
        if (t == 824 || t == 826)
            *pFirst = Fmt(L"WiFi ID%d", w.m_nWifiId);
        *pSecond = Fmt(t <= 825 ? L"Block : VM%d" : L"Block : VAM%d", n);
        break;
    case 2:
        if (t == 824) {
            *pFirst = L"Diagnostic";
            *pSecond = Fmt(L"WiFi ID%d communication status", w.m_nWifiBlockType + 1);
        }
        break;
    default: break;
    }
}

}  // namespace

ParameterTextColumn BuildParameterTexts(const CBlockObj& b, bool bNew, int cw,
                                        const std::function<int(const CString&)>& measure)
{
    const Common c = BuildCommon(b, bNew);
    ParameterTextColumn col;
    const int x0 = b.m_ptOrigin.x;
    col.x = x0 - 8 * cw;
    auto row = [&](int k, const CString& text) { col.rows.push_back({k, text}); };
    auto widthOf = [&](const CString& text) { return measure ? measure(text) : 0; };
    const int t = b.m_nType;
    const int t1h = b.m_nTime1High, t1l = b.m_nTime1Low, t2h = b.m_nTime2High, t2l = b.m_nTime2Low;

    // Texts of the analog family.
    const auto* a = dynamic_cast<const CBlockAnalog*>(&b);
    CString gain, offset, point, on, off;
    if (a) {
        gain = Fmt(L"Gain=%5.2f", a->m_dGain);
        offset = Fmt(L"Offset=%d", a->m_nOffset);
        point = Fmt(L"Point=%d", a->m_nDecimals);
        on = RefOr(b, 0, L"On=", Fmt(L"On=%d", a->m_nThreshold1));
        off = RefOr(b, 1, L"Off=", Fmt(L"Off=%d", a->m_nThreshold2));
    }

    switch (t) {
    case 400:
    case 401:
    case 403:
    case 404: row(1, c.rem); row(2, c.t1 + c.mark); break;
    case 402:
    case 406: row(1, c.rem); row(2, c.t1 + c.mark); row(3, c.t2); break;
    case 405:
        row(1, c.rem); row(2, c.t1 + c.mark); row(3, c.t2); row(4, Fmt(L"%d", b.m_nCount + 1));
        break;
    case 407: row(1, c.t1 + c.mark); row(2, c.t2); break;
    case 408: row(1, c.rem); row(2, c.t1 + c.mark); row(3, c.t3); row(4, c.t4); break;
    case 409: row(1, c.rem); row(2, c.t1 + c.mark); row(3, c.t2); row(4, c.t3); row(5, c.t4); break;
    case 410: {
        row(0, c.mark);
        const auto* wt = dynamic_cast<const CBlockTime*>(&b);
        if (!wt)
            break;
        for (int cam = 0; cam < 3; ++cam) {
            CString days;
            for (int d = 0; d < 7; ++d)
                days += wt->m_bCamDays[cam][d] == 1 ? CString(L"SMTWTFS"[d]) : CString(L"-");
            CString onText = L"--:--", offText = L"--:--";
            if (days != L"-------") {
                if (!wt->m_bCamOnOff[cam])
                    onText = Fmt(L"%02d:%02dh", wt->m_nCamOn[cam][0], wt->m_nCamOn[cam][1]);
                if (!wt->m_bCamOffOff[cam])
                    offText = Fmt(L"%02d:%02dh", wt->m_nCamOff[cam][0], wt->m_nCamOff[cam][1]);
            }
            row(3 * cam + 1, days);
            row(3 * cam + 2, onText);
            row(3 * cam + 3, offText);
        }
        break;
    }
    case 411:
        col.x = x0 - 9 * cw;
        row(1, c.rem);
        row(2, YearlyDate(b, bNew, b.m_nYearStart, t1h, t1l) + c.mark);
        row(3, YearlyDate(b, bNew, b.m_nYearEnd, t2h, t2l));
        if (bNew) {
            row(4, Fmt(L"Yearly=%s\n", b.m_nYearly == 1 ? L"Y" : L"N"));
            row(5, Fmt(L"Pulse=%s\n", b.m_nPulse == 1 ? L"Y" : L"N"));
        }
        break;
    case 412: {
        col.x = x0 - 11 * cw;
        const int* pw = b.m_nPreWarn;
        row(1, Fmt(L"Lot:%s%d.%d'%d\"%s", t1h ? L"W" : L"E", t2h, pw[1], pw[3], b.m_bProtected ? L"" : L"+"));
        row(2, Fmt(L"Lat:%s%d.%d'%d\"", t1l ? L"S" : L"N", t2l, pw[0], pw[2]));
        const int z = b.m_nTime2Base;
        row(3, Fmt(L"TZ:%d", z > 12 ? 12 - z : z));
        break;
    }
    case 413: {
        const int base = b.m_nTime1Base;
        row(1, c.rem);
        row(2, Fmt(L"TB = %s", base == 0 ? L"h" : base == 1 ? L"m" : base == 2 ? L"s" : L"ms") + c.mark);
        break;
    }
    case 800:
    case 848:
        col.x = x0 - 10 * cw;
        row(1, c.rem); row(2, c.t1 + c.mark); row(3, c.t2);
        if (bNew) {
            row(4, Fmt(L"Start=%d\n", b.m_nStartValue));
            if (t == 848)
                row(5, Fmt(L"Source=%s\n", b.m_nPreWarn[1] ? L"I2 & I3" : L"I0 & I1"));
        }
        break;
    case 801: col.x = x0 - 12 * cw; row(1, c.t1 + c.mark); row(2, c.t2); row(3, c.rem); break;
    case 802:
        col.x = x0 - widthOf(c.rem) - 5;
        row(1, Fmt(L"ON=%d", t1h) + c.mark); row(2, Fmt(L"OFF=%d", t1l)); row(3, c.rem);
        break;
    case 803:
        col.x = x0 - widthOf(gain) - 20;
        row(0, on); row(1, off); row(2, gain + c.mark); row(3, offset); row(4, point);
        break;
    case 804:
        col.x = x0 - widthOf(gain) - 20;
        row(1, gain + c.mark); row(2, offset); row(3, on); row(4, off); row(5, point);
        break;
    case 805:
        col.x = x0 - widthOf(gain) - 20;
        row(1, gain + c.mark); row(2, offset); row(3, point);
        break;
    case 806: {
        CString th1, th2;
        if (bNew) {
            th1 = RefOr(b, 0, L"Threshold 1=", Fmt(L"Threshold 1=%d", a ? a->m_nThreshold1 : 0)) + L"+";
            th2 = RefOr(b, 1, L"Threshold 2=", Fmt(L"Threshold 2=%d", a ? a->m_nThreshold2 : 0));
        } else {
            th1 = Fmt(L"Threshold 1=%d+", a ? a->m_nThreshold2 : 0);
            th2 = Fmt(L"Threshold 2=%d", a ? a->m_nThreshold2 : 0);
        }
        col.x = x0 - widthOf(th2) - 20;
        row(1, th1); row(2, th2); row(3, gain); row(4, offset); row(5, point);
        break;
    }
    case 807:
        col.x = x0 - widthOf(gain) - 20;
        row(1, gain); row(2, offset);
        row(3, Fmt(L"On=%d", a ? a->m_nThreshold1 : 0)); row(4, Fmt(L"Delta=%d", a ? a->m_nThreshold2 : 0));
        break;
    case 808: row(1, c.rem); break;
    case 809: row(1, b.m_nExtra3 ? L"SR" : L"RS"); row(2, c.rem); break;
    case 810: row(1, Fmt(L"Prio=%d", b.m_nCount)); row(2, Fmt(L"Quit=%s", b.m_bStdPreWarning == 1 ? L"On" : L"Off")); break;
    case 812: row(1, Fmt(L"Q=S%d.%d", b.m_nExtra2, b.m_nExtra1)); row(2, c.rem); break;
    case 813:
    case 814:
        col.x = x0 - 14 * cw;
        if (const auto* m = dynamic_cast<const CBlockMR*>(&b)) {
            row(0, Fmt(L"Slave Addr=%3d", int(m->m_bySlave)));
            row(1, ModbusPort(*m));
            row(2, ModbusFunction(*m));
        }
        break;
    case 815:
    case 816:
        col.x = x0 - widthOf(c.t1) - 20;
        row(1, c.t1 + c.mark); row(2, c.t2); row(3, c.t3); row(4, c.t4); row(5, point);
        if (t == 815 && a) {
            CString formula;
            std::vector<CString> tokens(16);
            a->BuildFormulaTokens(&formula, &tokens);
            row(6, formula);
        }
        break;
    case 817:
        col.x = x0 - widthOf(gain) - 20;
        row(0, gain + c.mark); row(1, offset); row(2, point);
        row(3, Fmt(L"Rate=%d", t1h) + c.mark); row(4, Fmt(L"maxL=%d", t2h)); row(5, Fmt(L"StSp=%d", b.m_nPreWarn[1]));
        row(6, RefOr(b, 0, L"L1=", Fmt(L"L1=%d", a ? a->m_nThreshold1 : 0)));
        row(7, RefOr(b, 1, L"L2=", Fmt(L"L2=%d", a ? a->m_nThreshold2 : 0)));
        break;
    case 818:
        col.x = x0 - widthOf(gain) - 20;
        row(0, c.rem); row(1, gain + c.mark); row(2, offset);
        row(3, RefOr(b, 0, L"SP=", Fmt(L"SP=%d", a ? a->m_nThreshold1 : 0)));
        row(4, RefOr(b, 1, L"Mq=", Fmt(L"Mq=%d", a ? a->m_nThreshold2 : 0)));
        if (a) {
            row(5, Fmt(L"KC=%5.2f", a->m_dKC));
            row(6, Fmt(L"TI=%d:%dm", a->m_nTIMinutes, a->m_nTISeconds));
            row(7, Fmt(L"Dir=%s", a->m_nOption ? L"-" : L"+"));
        }
        row(8, point);
        break;
    case 819:
        col.x = x0 - 15 * cw;
        if (a) {
            row(0, Fmt(L"RangeMax=%d", a->m_nThreshold2));
            row(1, Fmt(L"RangeMin=%d", a->m_nThreshold1));
            row(2, (a->m_nOption == 4 ? CString(L"Out=Disable") : Fmt(L"Out=Q%d", a->m_nOption)) + c.mark);
        }
        row(3, c.t1 + c.mark);
        break;
    case 820:
        // A damaged base beyond the int's width shows 0, as in the block's variable texts.
        row(1, Fmt(L"SN = %d", (b.m_nTime1Base >= 0 && b.m_nTime1Base < 24) ? 8 << b.m_nTime1Base : 0));
        break;
    case 821:
        row(1, c.rem);
        row(2, RefOr(b, 0, L"Mode = ", Fmt(L"Mode = %d", t1h)));
        row(3, Fmt(L"ResetMaxMin = %s", b.m_bStdPreWarning ? L"true" : L"false"));
        break;
    case 822: {
        const int base = b.m_nTime1Base;
        row(1, c.rem);
        row(2, Fmt(L"ST = %d%s", t1h, base == 0 ? L"d" : base == 1 ? L"h" : base == 2 ? L"m" : L"s"));
        row(3, Fmt(L"SN = %d", t1l));
        break;
    }
    case 823: {
        const int n = RefShown(b, 0);
        row(1, c.rem);
        row(2, n >= 0 ? Fmt(L"Source = B%d%s", n, c.mark.GetString()) : Fmt(L"Source = null%s", c.mark.GetString()));
        row(3, Fmt(L"Zero div = %s", t1l == 1 ? L"N" : L"Y"));
        row(4, Fmt(L"Overflow = %s", t1l == 0 ? L"N" : L"Y"));
        row(5, Fmt(L"Auto Rst = %s", b.m_bStdPreWarning ? L"Y" : L"N"));
        break;
    }
    case 824:
    case 825:
    case 826:
    case 827:
        col.x = x0 - 16 * cw;
        if (const auto* w = dynamic_cast<const CBlockWIFI*>(&b)) {
            CString first, second;
            WifiTexts(*w, &first, &second);
            row(1, first);
            row(2, second);
        }
        break;
    case 834:
    case 835:
    case 836:
    case 837: row(2, RefOr(b, 0, L"NbR = ", Fmt(L"NbR = %d", t1h))); break;
    case 838:
    case 839:
    case 840:
    case 841:
    case 842:
    case 843: row(3, RefOr(b, 0, L"Mask = ", Fmt(L"Mask = 0x%04X", unsigned(t1h) & 0xFFFFu))); break;
    case 844:
        col.x = x0 - 10 * cw;
        row(1, c.t1);
        row(2, Fmt(L"Data=%s%d", t1l == 0 ? L"AM" : t1l == 1 ? L"AQ" : L"AI", t2l));
        row(3, c.t2);
        break;
    case 845: col.x = x0 - 10 * cw; row(3, c.t1); break;
    case 846: col.x = x0 - 10 * cw; row(1, c.t1); break;
    case 849:
    case 850:
        col.x = x0 - 10 * cw;
        if (t == 850)
            row(4, c.t1);
        row(1, Fmt(L"Mode=%s", t1h == 0 ? L"0.5 step" : t1h == 1 ? L"1 step" : L"2 steps"));
        row(2, Fmt(L"Pin=%s", t1l ? L"Q4~Q7" : L"Q0~Q3"));
        row(3, c.t2);
        break;
    case 851:
    case 852:
        col.x = x0 - 10 * cw;
        if (t == 852)
            row(4, c.t1);
        row(2, Fmt(L"Pin=Q%d", t1l));
        row(3, c.t2);
        break;
    case 854: row(2, RefOr(b, 0, L"BitNo = ", Fmt(L"BitNo = %d", t1h))); break;
    case 856:
        col.x = x0 - 10 * cw;
        row(3, Fmt(L"Start Address=AM%d", t2l));
        row(4, Fmt(L"Count=%d", t2h));
        break;
    case 862:
    case 863: row(3, RefOr(b, 0, L"Base = ", Fmt(L"Base = %d", t1h))); break;
    case 864: col.x = x0 - 10 * cw; row(2, c.t1); row(3, Fmt(L"Amp=%5.2f", b.m_dParam)); break;
    case 865:
    case 869:
    case 870:
    case 873:
    case 874:
    case 875:
    case 876:
    case 877:
    case 878: col.x = x0 - 10 * cw; row(3, Fmt(L"Amp=%5.2f", b.m_dParam)); break;
    case 871:
    case 872: row(2, RefOr(b, 0, L"Base = ", Fmt(L"Base = %d", b.m_nTime1Base))); break;
    case 879:
        col.x = x0 - 9 * cw;
        row(1, Fmt(L"A=%d", t1h)); row(2, Fmt(L"B=%d", t2h)); row(3, Fmt(L"C=%d", b.m_nPreWarn[1]));
        row(4, Fmt(L"Dir= %d", b.m_nTime1Base)); row(5, Fmt(L"Amp= %5.2f", b.m_dParam));
        break;
    default: break;
    }
    return col;
}

bool GetParameterTextKey(const CBlockObj& b, bool bNew, int cw, ParameterTextKey* pKey)
{
    const int t = b.m_nType;
    // The weekly timer's cams, the analog family, Modbus and WiFi settings and the columns
    // placed by the width of a text are left to BuildParameterTexts every time.
    if (t == 410 || (t >= 802 && t <= 807) || (t >= 813 && t <= 819) || (t >= 824 && t <= 827) ||
        dynamic_cast<const CBlockAnalog*>(&b) != nullptr)
        return false;
    long long bits = 0;
    static_assert(sizeof(bits) == sizeof(b.m_dParam), "a double in a key word");
    std::memcpy(&bits, &b.m_dParam, sizeof(bits));
    const long long values[] = {
        t, bNew ? 1 : 0, cw, b.m_bProtected, b.m_bRetentive, b.m_bStdPreWarning,
        b.m_nTime1High, b.m_nTime1Low, b.m_nTime1Base, b.m_nTime2High, b.m_nTime2Low, b.m_nTime2Base,
        b.m_nPreWarn[0], b.m_nPreWarn[1], b.m_nPreWarn[2], b.m_nPreWarn[3],
        b.m_bRef[0], b.m_bRef[1], b.m_bRef[2], b.m_bRef[3],
        RefShown(b, 0), RefShown(b, 1), RefShown(b, 2), RefShown(b, 3),
        b.m_nRefUnit1, b.m_nRefUnit2, b.m_nCount, b.m_nMonthly, b.m_nYearly, b.m_nPulse,
        b.m_nYearStart, b.m_nYearEnd, b.m_nStartValue, b.m_nExtra1, b.m_nExtra2, b.m_nExtra3, bits,
    };
    static_assert(sizeof(values) / sizeof(values[0]) <= std::tuple_size<decltype(pKey->values)>::value,
                  "the key holds every value");
    pKey->values.fill(0);
    std::copy(std::begin(values), std::end(values), pKey->values.begin());
    return true;
}
