// "SysDateTimePick32": a date or time shown as fields (year, month, day, hour, minute, second,
// am/pm) that the arrows, the digit keys and the spin or drop-down calendar change, always kept
// inside the range. The user's changes are reported with DTN_DATETIMECHANGE; code sets silently.
// Dates show as yyyy-MM-dd and times as HH:mm:ss unless DTM_SETFORMAT gives a format.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDate.h"
#include "platform/ui/controls/CtlDraw.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace ctl {
namespace {

enum class F { Literal, Year2, Year4, Month, Day, Hour12, Hour24, Minute, Second, AmPm };

struct Field {
    F kind;
    int width;         // 1 or 2 (digits shown at least)
    std::wstring text;  // literals
};

std::vector<Field> ParseFormat(const std::wstring& f)
{
    std::vector<Field> out;
    size_t i = 0;
    auto lit = [&](const std::wstring& s) {
        if (!out.empty() && out.back().kind == F::Literal)
            out.back().text += s;
        else
            out.push_back({F::Literal, 0, s});
    };
    while (i < f.size()) {
        wchar_t c = f[i];
        if (c == L'\'') {
            size_t e = f.find(L'\'', i + 1);
            lit(f.substr(i + 1, (e == std::wstring::npos ? f.size() : e) - i - 1));
            i = e == std::wstring::npos ? f.size() : e + 1;
            continue;
        }
        size_t n = 1;
        while (i + n < f.size() && f[i + n] == c)
            ++n;
        int w = n >= 2 ? 2 : 1;
        switch (c) {
        case L'y': out.push_back({n >= 3 ? F::Year4 : F::Year2, n >= 3 ? 4 : 2, {}}); break;
        case L'M': out.push_back({F::Month, w, {}}); break;
        case L'd': out.push_back({F::Day, w, {}}); break;
        case L'h': out.push_back({F::Hour12, w, {}}); break;
        case L'H': out.push_back({F::Hour24, w, {}}); break;
        case L'm': out.push_back({F::Minute, w, {}}); break;
        case L's': out.push_back({F::Second, w, {}}); break;
        case L't': out.push_back({F::AmPm, int(n), {}}); break;
        default: lit(f.substr(i, n)); break;
        }
        i += n;
    }
    return out;
}

class DateTime : public Control {
public:
    using Control::Control;
    SYSTEMTIME st{};
    bool none = false;
    SYSTEMTIME minT{}, maxT{};
    DWORD rangeFlags = 0;
    std::vector<Field> fields;
    int active = -1;   // index into fields
    std::wstring typed;
    HWND cal = nullptr;  // the drop-down calendar while open
    bool hasFormat = false;

    bool IsTime() const { return (Style() & DTS_TIMEFORMAT) == DTS_TIMEFORMAT; }
    bool UpDown() const { return (Style() & DTS_UPDOWN) != 0 || IsTime(); }
    int ButtonW() const { return ArrowButtonWidth(); }
    int CheckW() const { return (Style() & DTS_SHOWNONE) ? 16 * Unit() : 0; }

    void DefaultFormat()
    {
        if (hasFormat)
            return;
        fields = ParseFormat(IsTime() ? L"HH:mm:ss" : L"yyyy-MM-dd");
    }

    int FirstEditable() const
    {
        for (size_t i = 0; i < fields.size(); ++i)
            if (fields[i].kind != F::Literal)
                return int(i);
        return -1;
    }
    int NextEditable(int from, int dir) const
    {
        for (int i = from + dir; i >= 0 && i < int(fields.size()); i += dir)
            if (fields[size_t(i)].kind != F::Literal)
                return i;
        return from;
    }

    std::wstring FieldText(const Field& f) const
    {
        wchar_t buf[16];
        auto num = [&](int v, int w) {
            std::swprintf(buf, 16, w >= 4 ? L"%04d" : w == 2 ? L"%02d" : L"%d", v);
            return std::wstring(buf);
        };
        switch (f.kind) {
        case F::Literal: return f.text;
        case F::Year2: return num(st.wYear % 100, 2);
        case F::Year4: return num(st.wYear, 4);
        case F::Month: return num(st.wMonth, f.width);
        case F::Day: return num(st.wDay, f.width);
        case F::Hour12: return num(st.wHour % 12 == 0 ? 12 : st.wHour % 12, f.width);
        case F::Hour24: return num(st.wHour, f.width);
        case F::Minute: return num(st.wMinute, f.width);
        case F::Second: return num(st.wSecond, f.width);
        case F::AmPm: return f.width >= 2 ? (st.wHour < 12 ? L"AM" : L"PM") : (st.wHour < 12 ? L"A" : L"P");
        }
        return {};
    }

    SYSTEMTIME Clamp(SYSTEMTIME t) const
    {
        if ((rangeFlags & GDTR_MIN) && CompareTime(t, minT) < 0)
            t = minT;
        if ((rangeFlags & GDTR_MAX) && CompareTime(t, maxT) > 0)
            t = maxT;
        FixDayOfWeek(t);
        return t;
    }

    // A change made by the user: clamped into the range, then reported.
    void UserSet(SYSTEMTIME t)
    {
        t.wDay = WORD(std::min<int>(t.wDay, DaysInMonth(t.wYear, t.wMonth)));
        t = Clamp(t);
        none = false;
        bool changed = CompareTime(t, st) != 0;
        st = t;
        Redraw();
        if (changed) {
            NMDATETIMECHANGE nm{};
            nm.dwFlags = GDT_VALID;
            nm.st = st;
            NotifyParent(nm.nmhdr, DTN_DATETIMECHANGE);
        }
    }

    // Steps the active field by delta, wrapping inside the field as the control does.
    void Step(int delta)
    {
        if (active < 0)
            active = FirstEditable();
        if (active < 0)
            return;
        SYSTEMTIME t = st;
        auto wrap = [](int v, int lo, int hi) { int n = hi - lo + 1; return lo + ((v - lo) % n + n) % n; };
        switch (fields[size_t(active)].kind) {
        case F::Year2:
        case F::Year4: t.wYear = WORD(std::clamp(int(t.wYear) + delta, 1601, 9999)); break;
        case F::Month: t.wMonth = WORD(wrap(t.wMonth + delta, 1, 12)); break;
        case F::Day: t.wDay = WORD(wrap(t.wDay + delta, 1, DaysInMonth(t.wYear, t.wMonth))); break;
        case F::Hour12:
        case F::Hour24: t.wHour = WORD(wrap(t.wHour + delta, 0, 23)); break;
        case F::Minute: t.wMinute = WORD(wrap(t.wMinute + delta, 0, 59)); break;
        case F::Second: t.wSecond = WORD(wrap(t.wSecond + delta, 0, 59)); break;
        case F::AmPm: t.wHour = WORD((t.wHour + 12) % 24); break;
        default: return;
        }
        UserSet(t);
    }

    void TypeDigit(wchar_t ch)
    {
        if (active < 0)
            active = FirstEditable();
        if (active < 0)
            return;
        const Field& f = fields[size_t(active)];
        typed += ch;
        int v = std::wcstol(typed.c_str(), nullptr, 10);
        SYSTEMTIME t = st;
        int maxDigits = 2;
        switch (f.kind) {
        case F::Year4: maxDigits = 4; if (typed.size() == 4) t.wYear = WORD(std::clamp(v, 1601, 9999)); break;
        case F::Year2: t.wYear = WORD((st.wYear / 100) * 100 + v % 100); break;
        case F::Month: if (v >= 1 && v <= 12) t.wMonth = WORD(v); break;
        case F::Day: if (v >= 1 && v <= DaysInMonth(t.wYear, t.wMonth)) t.wDay = WORD(v); break;
        case F::Hour12: if (v >= 1 && v <= 12) t.wHour = WORD((st.wHour >= 12 ? 12 : 0) + v % 12); break;
        case F::Hour24: if (v <= 23) t.wHour = WORD(v); break;
        case F::Minute: if (v <= 59) t.wMinute = WORD(v); break;
        case F::Second: if (v <= 59) t.wSecond = WORD(v); break;
        default: typed.clear(); return;
        }
        if (int(typed.size()) >= maxDigits) {
            typed.clear();
            active = NextEditable(active, 1);
        }
        if (f.kind != F::Year4 || typed.empty())
            UserSet(t);
        else
            Redraw();
    }

    // x extents of each field
    std::vector<std::pair<int, int>> Extents(HDC dcIn = nullptr)
    {
        std::vector<std::pair<int, int>> out;
        HDC dc = dcIn ? dcIn : GetDC(hwnd);
        HGDIOBJ old = dcIn ? nullptr : SelectObject(dc, Font());
        int x = 3 * Unit() + CheckW();
        for (const Field& f : fields) {
            std::wstring t = FieldText(f);
            SIZE sz{};
            GetTextExtentPoint32W(dc, t.c_str(), int(t.size()), &sz);
            out.push_back({x, x + sz.cx});
            x += sz.cx;
        }
        if (!dcIn) {
            SelectObject(dc, old);
            ReleaseDC(hwnd, dc);
        }
        return out;
    }

    void Drop()
    {
        if (cal)
            return;
        HWND self = hwnd;
        NotifyParent(DTN_DROPDOWN);
        if (!IsWindow(self))
            return;
        RECT wr{};
        GetWindowRect(hwnd, &wr);
        int lh = LineHeight(), w = 7 * lh * 2, h = 9 * (lh + 4 * Unit());
        int x = (Style() & DTS_RIGHTALIGN) ? wr.right - w : wr.left;
        cal = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, MONTHCAL_CLASSW, L"", WS_POPUP | WS_BORDER,
                              x, wr.bottom, w, h, hwnd, nullptr, nullptr, hwnd);
        if (!cal)
            return;
        SYSTEMTIME range[2] = {minT, maxT};
        SendMessageW(cal, MCM_SETRANGE, rangeFlags, reinterpret_cast<LPARAM>(range));
        SendMessageW(cal, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
        SendMessageW(cal, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), 0);
        ShowWindow(cal, SW_SHOWNA);
        SetCapture(hwnd);
    }

    void CloseUp()
    {
        if (!cal)
            return;
        HWND c = cal;
        cal = nullptr;
        if (GetCapture() == hwnd)
            ReleaseCapture();
        DestroyWindow(c);
        NotifyParent(DTN_CLOSEUP);
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_CREATE:
            GetLocalTime(&st);
            st.wMilliseconds = 0;
            DefaultFormat();
            return 0;
        case WM_DESTROY:
            if (cal)
                DestroyWindow(cal);
            cal = nullptr;
            return 0;
        case WM_STYLECHANGED:
            DefaultFormat();
            Redraw();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
            if (active < 0)
                active = FirstEditable();
            Redraw();
            NotifyParent(NM_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            typed.clear();
            if (cal && reinterpret_cast<HWND>(wParam) != cal)
                CloseUp();
            Redraw();
            NotifyParent(NM_KILLFOCUS);
            return 0;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (hdr && hdr->hwndFrom == cal && hdr->code == MCN_SELECT) {
                auto* nm = reinterpret_cast<NMSELCHANGE*>(lParam);
                SYSTEMTIME t = st;
                t.wYear = nm->stSelStart.wYear;
                t.wMonth = nm->stSelStart.wMonth;
                t.wDay = nm->stSelStart.wDay;
                HWND self = hwnd;
                CloseUp();
                if (IsWindow(self))
                    UserSet(t);
            }
            return 0;
        }
        case WM_LBUTTONDOWN: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (cal) {
                // clicks go to the calendar while it is open; outside it they close it
                POINT s = p;
                ClientToScreen(hwnd, &s);
                RECT cr{};
                GetWindowRect(cal, &cr);
                if (s.x >= cr.left && s.x < cr.right && s.y >= cr.top && s.y < cr.bottom) {
                    POINT cp = s;
                    ScreenToClient(cal, &cp);
                    SendMessageW(cal, WM_LBUTTONDOWN, wParam, MAKELPARAM(WORD(cp.x), WORD(cp.y)));
                } else {
                    CloseUp();
                }
                return 0;
            }
            if (!TakeFocus())
                return 0;
            RECT c = Client();
            int bw = ButtonW();
            if (p.x >= c.right - bw) {
                if (UpDown())
                    Step(p.y < (c.top + c.bottom) / 2 ? 1 : -1);
                else
                    Drop();
                return 0;
            }
            if ((Style() & DTS_SHOWNONE) && p.x < CheckW()) {
                none = !none;
                Redraw();
                NMDATETIMECHANGE nm{};
                nm.dwFlags = none ? GDT_NONE : GDT_VALID;
                nm.st = st;
                NotifyParent(nm.nmhdr, DTN_DATETIMECHANGE);
                return 0;
            }
            auto ext = Extents();
            for (size_t i = 0; i < ext.size(); ++i)
                if (fields[i].kind != F::Literal && p.x >= ext[i].first && p.x < ext[i].second) {
                    active = int(i);
                    typed.clear();
                }
            Redraw();
            return 0;
        }
        case WM_KEYDOWN:
            if (!(wParam >= '0' && wParam <= '9') && !(wParam >= VK_NUMPAD0 && wParam <= VK_NUMPAD9))
                typed.clear();
            switch (wParam) {
            case VK_LEFT: active = NextEditable(active, -1); Redraw(); break;
            case VK_RIGHT: active = NextEditable(active, 1); Redraw(); break;
            case VK_UP: Step(1); break;
            case VK_DOWN: Step(-1); break;
            case VK_HOME:
            case VK_END: active = wParam == VK_HOME ? FirstEditable() : NextEditable(int(fields.size()), -1); Redraw(); break;
            case VK_F4: if (!UpDown()) (cal ? CloseUp() : Drop()); break;
            case VK_ESCAPE: CloseUp(); break;
            default: break;
            }
            return 0;
        case WM_CHAR:
            if (wParam >= L'0' && wParam <= L'9')
                TypeDigit(wchar_t(wParam));
            return 0;
        case DTM_GETSYSTEMTIME:
            if (auto* out = reinterpret_cast<SYSTEMTIME*>(lParam); out && !none) {
                *out = st;
                return GDT_VALID;
            }
            return none ? LRESULT(GDT_NONE) : LRESULT(GDT_ERROR);
        case DTM_SETSYSTEMTIME: {
            if (wParam == GDT_NONE) {
                if (!(Style() & DTS_SHOWNONE))
                    return FALSE;
                none = true;
                Redraw();
                return TRUE;
            }
            auto* in = reinterpret_cast<const SYSTEMTIME*>(lParam);
            if (!in || !ValidTime(*in))
                return FALSE;
            st = Clamp(*in);
            st.wMilliseconds = 0;
            none = false;
            Redraw();
            return TRUE;
        }
        case DTM_SETRANGE: {
            auto* in = reinterpret_cast<const SYSTEMTIME*>(lParam);
            if (!in)
                return FALSE;
            if (((wParam & GDTR_MIN) && !ValidTime(in[0])) || ((wParam & GDTR_MAX) && !ValidTime(in[1])))
                return FALSE;
            rangeFlags = DWORD(wParam) & (GDTR_MIN | GDTR_MAX);
            if (rangeFlags & GDTR_MIN)
                minT = in[0];
            if (rangeFlags & GDTR_MAX)
                maxT = in[1];
            st = Clamp(st);
            Redraw();
            return TRUE;
        }
        case DTM_GETRANGE:
            // a limit that is not set reads as zeros, not as what it was before
            if (auto* out = reinterpret_cast<SYSTEMTIME*>(lParam)) {
                out[0] = (rangeFlags & GDTR_MIN) ? minT : SYSTEMTIME{};
                out[1] = (rangeFlags & GDTR_MAX) ? maxT : SYSTEMTIME{};
            }
            return rangeFlags;
        case DTM_SETFORMATW:
            if (lParam) {
                fields = ParseFormat(reinterpret_cast<LPCWSTR>(lParam));
                hasFormat = true;
            } else {
                hasFormat = false;
                DefaultFormat();
            }
            active = FirstEditable();
            Redraw();
            return TRUE;
        case DTM_GETMONTHCAL:
            return reinterpret_cast<LRESULT>(cal);
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    void Paint(HDC dc) override
    {
        RECT c = Client();
        HBRUSH back = CtlColor(WM_CTLCOLOREDIT, dc);
        FillRect(dc, &c, Enabled() ? (back ? back : GetSysColorBrush(COLOR_WINDOW)) : GetSysColorBrush(COLOR_BTNFACE));
        int u = Unit(), bw = ButtonW();
        if (Style() & DTS_SHOWNONE)
            DrawCheckMark(dc, c.left + 2 * u, (c.top + c.bottom - 13 * u) / 2, 13 * u, none ? 0 : 1, false, Enabled());
        auto ext = Extents(dc);
        int h = LineHeight(), y = (c.top + c.bottom - h) / 2;
        for (size_t i = 0; i < fields.size(); ++i) {
            std::wstring t = FieldText(fields[i]);
            bool hot = int(i) == active && Focused() && !none;
            if (hot) {
                RECT r{ext[i].first, y, ext[i].second, y + h};
                FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
                SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            } else {
                SetTextColor(dc, Enabled() && !none ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
            }
            TextOutW(dc, ext[i].first, y, t.c_str(), int(t.size()));
        }
        if (UpDown()) {
            int m = (c.top + c.bottom) / 2;
            RECT a{c.right - bw, c.top, c.right, m}, b{c.right - bw, m, c.right, c.bottom};
            DrawButtonFace(dc, a, false, false);
            DrawButtonFace(dc, b, false, false);
            DrawArrow(dc, a, 0, Enabled());
            DrawArrow(dc, b, 1, Enabled());
        } else {
            RECT b{c.right - bw, c.top, c.right, c.bottom};
            DrawButtonFace(dc, b, cal != nullptr, false);
            DrawArrow(dc, b, 1, Enabled());
        }
    }
};

}  // namespace

void RegisterDateTime() { RegisterControl<DateTime>(DATETIMEPICK_CLASSW, CS_DBLCLKS); }

}  // namespace ctl
