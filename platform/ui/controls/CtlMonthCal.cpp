// "SysMonthCal32": one month as a grid of days with arrows to the neighbouring months and a
// "today" line. A click on a day selects it (MCN_SELCHANGE, then MCN_SELECT); dates outside the
// range are shown grey and cannot be chosen.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDate.h"
#include "platform/ui/controls/CtlDraw.h"

#include <algorithm>
#include <cwchar>

namespace ctl {
namespace {

class MonthCal : public Control {
public:
    using Control::Control;
    SYSTEMTIME sel{};
    SYSTEMTIME today{};
    SYSTEMTIME minT{}, maxT{};
    DWORD rangeFlags = 0;
    int shownYear = 2000, shownMonth = 1;
    HWND owner = nullptr;  // the date-time picker a drop-down calendar belongs to

    HWND NotifyTarget() const override { return owner ? owner : Control::NotifyTarget(); }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

    void Init()
    {
        GetLocalTime(&today);
        today.wHour = today.wMinute = today.wSecond = today.wMilliseconds = 0;
        sel = today;
        shownYear = sel.wYear;
        shownMonth = sel.wMonth;
    }

    bool InRange(const SYSTEMTIME& st) const
    {
        SYSTEMTIME d = st;
        d.wHour = d.wMinute = d.wSecond = 0;
        SYSTEMTIME lo = minT, hi = maxT;
        lo.wHour = lo.wMinute = lo.wSecond = 0;
        hi.wHour = hi.wMinute = hi.wSecond = 0;
        return !((rangeFlags & GDTR_MIN) && CompareTime(d, lo) < 0) && !((rangeFlags & GDTR_MAX) && CompareTime(d, hi) > 0);
    }

    // geometry: title row, weekday row, 6 week rows, today row
    int CellW() const { RECT c = Client(); return std::max(1, int(c.right - c.left) / 7); }
    int RowH() const { RECT c = Client(); return std::max(1, int(c.bottom - c.top) / 9); }
    RECT Arrow(bool next) const
    {
        RECT c = Client();
        int h = RowH();
        return next ? RECT{c.right - h - Unit() * 2, c.top, c.right - Unit() * 2, c.top + h}
                    : RECT{c.left + Unit() * 2, c.top, c.left + Unit() * 2 + h, c.top + h};
    }
    int FirstCell() const { return DayOfWeek(shownYear, shownMonth, 1); }

    // The date of grid cell (row 0..5, col 0..6).
    SYSTEMTIME CellDate(int row, int col) const
    {
        long long first = DaysFromCivil(shownYear, shownMonth, 1) - FirstCell();
        SYSTEMTIME st{};
        int y, m, d;
        CivilFromDays(first + row * 7 + col, y, m, d);
        st.wYear = WORD(y);
        st.wMonth = WORD(m);
        st.wDay = WORD(d);
        FixDayOfWeek(st);
        return st;
    }

    void Shift(int months)
    {
        int idx = shownYear * 12 + (shownMonth - 1) + months;
        int y = idx / 12, m = idx % 12 + 1;
        if (y < 1601 || y > 30827)
            return;
        shownYear = y;
        shownMonth = m;
        Redraw();
    }

    void Choose(const SYSTEMTIME& st)
    {
        if (!InRange(st))
            return;
        sel.wYear = st.wYear;
        sel.wMonth = st.wMonth;
        sel.wDay = st.wDay;
        FixDayOfWeek(sel);
        if (st.wMonth != shownMonth || st.wYear != shownYear) {
            shownYear = st.wYear;
            shownMonth = st.wMonth;
        }
        Redraw();
        HWND self = hwnd;
        NMSELCHANGE nm{};
        nm.stSelStart = nm.stSelEnd = sel;
        NotifyParent(nm.nmhdr, MCN_SELCHANGE);
        if (IsWindow(self))
            NotifyParent(nm.nmhdr, MCN_SELECT);
    }
};

LRESULT MonthCal::Proc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        Init();
        if (auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam); cs && (cs->style & WS_POPUP))
            owner = static_cast<HWND>(cs->lpCreateParams);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case MCM_GETCURSEL:
        if (auto* st = reinterpret_cast<SYSTEMTIME*>(lParam)) {
            *st = sel;
            return TRUE;
        }
        return FALSE;
    case MCM_SETCURSEL: {
        auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
        if (!st || !ValidTime(*st) || !InRange(*st))
            return FALSE;
        sel = *st;
        FixDayOfWeek(sel);
        shownYear = sel.wYear;
        shownMonth = sel.wMonth;
        Redraw();
        return TRUE;
    }
    case MCM_SETRANGE: {
        auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
        if (!st)
            return FALSE;
        if (((wParam & GDTR_MIN) && !ValidTime(st[0])) || ((wParam & GDTR_MAX) && !ValidTime(st[1])))
            return FALSE;
        rangeFlags = DWORD(wParam) & (GDTR_MIN | GDTR_MAX);
        if (rangeFlags & GDTR_MIN)
            minT = st[0];
        if (rangeFlags & GDTR_MAX)
            maxT = st[1];
        Redraw();
        return TRUE;
    }
    case MCM_GETRANGE:
        if (auto* st = reinterpret_cast<SYSTEMTIME*>(lParam)) {
            st[0] = minT;
            st[1] = maxT;
        }
        return rangeFlags;
    case MCM_SETTODAY:
        if (auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam); st && ValidTime(*st))
            today = *st;
        Redraw();
        return 0;
    case MCM_GETTODAY:
        if (auto* st = reinterpret_cast<SYSTEMTIME*>(lParam)) {
            *st = today;
            return TRUE;
        }
        return FALSE;
    case MCM_GETMINREQRECT:
        if (auto* r = reinterpret_cast<RECT*>(lParam)) {
            int lh = LineHeight();
            *r = RECT{0, 0, 7 * (lh * 2), 9 * (lh + 4 * Unit())};
            return TRUE;
        }
        return FALSE;
    case WM_LBUTTONDOWN: {
        HWND self = hwnd;
        if (!Focused() && !(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_POPUP)) {
            SetFocus(hwnd);
            if (!IsWindow(self))
                return 0;
        }
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT prev = Arrow(false), next = Arrow(true);
        auto in = [&](const RECT& r) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; };
        if (in(prev)) {
            Shift(-1);
            return 0;
        }
        if (in(next)) {
            Shift(1);
            return 0;
        }
        int h = RowH(), row = p.y / h - 2, col = p.x / CellW();
        if (row >= 0 && row < 6 && col >= 0 && col < 7)
            Choose(CellDate(row, col));
        else if (p.y / h == 8)
            Choose(today);
        return 0;
    }
    case WM_KEYDOWN: {
        long long d = DaysFromCivil(sel.wYear, sel.wMonth, sel.wDay);
        switch (wParam) {
        case VK_LEFT: d -= 1; break;
        case VK_RIGHT: d += 1; break;
        case VK_UP: d -= 7; break;
        case VK_DOWN: d += 7; break;
        case VK_PRIOR: Shift(-1); return 0;
        case VK_NEXT: Shift(1); return 0;
        case VK_RETURN: Choose(sel); return 0;
        default: return 0;
        }
        SYSTEMTIME st{};
        int y, m, dd;
        CivilFromDays(d, y, m, dd);
        st.wYear = WORD(y);
        st.wMonth = WORD(m);
        st.wDay = WORD(dd);
        Choose(st);
        return 0;
    }
    default:
        return Control::Proc(msg, wParam, lParam);
    }
}

void MonthCal::Paint(HDC dc)
{
    RECT c = Client();
    FillRect(dc, &c, GetSysColorBrush(COLOR_WINDOW));
    int h = RowH(), w = CellW(), u = Unit();
    RECT title{c.left, c.top, c.right, c.top + h};
    FillRect(dc, &title, GetSysColorBrush(COLOR_ACTIVECAPTION));
    static const wchar_t* months[] = {L"January", L"February", L"March", L"April", L"May", L"June",
                                      L"July", L"August", L"September", L"October", L"November", L"December"};
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%ls %d", months[shownMonth - 1], shownYear);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    DrawTextW(dc, buf, -1, &title, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT pa = Arrow(false), na = Arrow(true);
    DrawButtonFace(dc, pa, false, false);
    DrawButtonFace(dc, na, false, false);
    DrawArrow(dc, pa, 2, true);
    DrawArrow(dc, na, 3, true);
    static const wchar_t* days[] = {L"S", L"M", L"T", L"W", L"T", L"F", L"S"};
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    for (int k = 0; k < 7; ++k) {
        RECT r{c.left + k * w, c.top + h, c.left + (k + 1) * w, c.top + 2 * h};
        DrawTextW(dc, days[k], -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    RECT line{c.left + 2 * u, c.top + 2 * h - u, c.right - 2 * u, c.top + 2 * h};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 7; ++col) {
            SYSTEMTIME st = CellDate(row, col);
            RECT r{c.left + col * w, c.top + (row + 2) * h, c.left + (col + 1) * w, c.top + (row + 3) * h};
            bool isSel = st.wYear == sel.wYear && st.wMonth == sel.wMonth && st.wDay == sel.wDay;
            bool other = st.wMonth != shownMonth;
            if (isSel) {
                FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
                SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            } else {
                SetTextColor(dc, (other || !InRange(st)) ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_WINDOWTEXT));
            }
            std::swprintf(buf, 64, L"%d", int(st.wDay));
            DrawTextW(dc, buf, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            if (st.wYear == today.wYear && st.wMonth == today.wMonth && st.wDay == today.wDay)
                FrameRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW));
        }
    RECT tr{c.left, c.top + 8 * h, c.right, c.top + 9 * h};
    std::swprintf(buf, 64, L"Today: %04d-%02d-%02d", int(today.wYear), int(today.wMonth), int(today.wDay));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, buf, -1, &tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

void RegisterMonthCal() { RegisterControl<MonthCal>(MONTHCAL_CLASSW, CS_DBLCLKS); }

}  // namespace ctl
