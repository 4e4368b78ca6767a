// "tooltips_class32": a popup that shows the text of the tool under the mouse after the initial
// delay and hides it after the pop delay. It learns of the mouse from TTM_RELAYEVENT (or by
// subclassing the tool windows with TTF_SUBCLASS); texts given as LPSTR_TEXTCALLBACK are asked
// for with TTN_GETDISPINFO from the window of the tool.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"
#include "platform/ui/core/Host.h"

#include <algorithm>
#include <vector>

namespace ctl {
namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
const wchar_t* const kSubclassProp = L"CtlToolTipOldProc";
const wchar_t* const kSubclassTip = L"CtlToolTipWindow";

class ToolTip : public Control {
public:
    using Control::Control;

    struct Tool {
        TTTOOLINFOW ti{};
        std::wstring text;   // own copy of a plain text
        bool callback = false;
    };
    std::vector<Tool> tools;
    int current = -1;   // tool under the mouse
    bool shown = false;
    bool active = true;
    bool tracking = false;  // TTF_TRACK tool shown by TTM_TRACKACTIVATE
    POINT trackPos{0, 0};
    int initial = 500, autopop = 5000, reshow = 100;
    int maxWidth = -1;
    COLORREF bk = CLR_DEFAULT, fg = CLR_DEFAULT;
    RECT margin{0, 0, 0, 0};
    std::wstring shownText;
    DWORD lastHide = 0;

    static bool Same(const TTTOOLINFOW& a, const TTTOOLINFOW* b) { return b && a.hwnd == b->hwnd && a.uId == b->uId; }

    int Find(const TTTOOLINFOW* ti) const
    {
        for (size_t i = 0; i < tools.size(); ++i)
            if (Same(tools[i].ti, ti))
                return int(i);
        return -1;
    }

    void SetText(Tool& t, LPWSTR text)
    {
        t.callback = text == LPSTR_TEXTCALLBACKW;
        t.text.clear();
        if (!t.callback && text) {
            if (IS_INTRESOURCE(text)) {
                CString s;
                if (s.LoadString(UINT(reinterpret_cast<UINT_PTR>(text))))
                    t.text = static_cast<LPCWSTR>(s);
            } else {
                t.text = text;
            }
        }
    }

    // The screen rectangle of a tool.
    bool ToolRect(const Tool& t, RECT& r) const
    {
        if (!IsWindow(t.ti.hwnd) && !(t.ti.uFlags & TTF_IDISHWND))
            return false;
        if (t.ti.uFlags & TTF_IDISHWND) {
            HWND w = reinterpret_cast<HWND>(t.ti.uId);
            return IsWindow(w) && GetWindowRect(w, &r);
        }
        r = t.ti.rect;
        POINT a{r.left, r.top}, b{r.right, r.bottom};
        ClientToScreen(t.ti.hwnd, &a);
        ClientToScreen(t.ti.hwnd, &b);
        r = RECT{a.x, a.y, b.x, b.y};
        return true;
    }

    int ToolAt(POINT screen) const
    {
        for (size_t i = 0; i < tools.size(); ++i) {
            if (tools[i].ti.uFlags & TTF_TRACK)
                continue;
            RECT r{};
            if (ToolRect(tools[i], r) && screen.x >= r.left && screen.x < r.right && screen.y >= r.top && screen.y < r.bottom)
                return int(i);
        }
        return -1;
    }

    std::wstring TextOf(int i)
    {
        Tool& t = tools[size_t(i)];
        if (!t.callback)
            return t.text;
        NMTTDISPINFOW di{};
        di.hdr.hwndFrom = hwnd;
        di.hdr.idFrom = t.ti.uId;
        di.hdr.code = TTN_GETDISPINFOW;
        di.uFlags = t.ti.uFlags;
        di.lParam = t.ti.lParam;
        HWND to = t.ti.hwnd;
        HWND self = hwnd;
        if (to)
            SendMessageW(to, WM_NOTIFY, WPARAM(t.ti.uId), reinterpret_cast<LPARAM>(&di));
        if (!IsWindow(self) || i >= int(tools.size()))
            return {};
        std::wstring s;
        if (di.lpszText && di.lpszText != LPSTR_TEXTCALLBACKW) {
            if (IS_INTRESOURCE(di.lpszText)) {
                CString cs;
                if (cs.LoadString(UINT(reinterpret_cast<UINT_PTR>(di.lpszText))))
                    s = static_cast<LPCWSTR>(cs);
            } else {
                s = di.lpszText;
            }
        } else {
            di.szText[79] = 0;
            s = di.szText;
        }
        if (di.uFlags & TTF_DI_SETITEM) {
            tools[size_t(i)].callback = false;
            tools[size_t(i)].text = s;
        }
        return s;
    }

    UINT TextFormat() const { return DT_NOPREFIX | (maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE) | DT_EXPANDTABS; }

    void Show(POINT at)
    {
        if (current < 0)
            return;
        HWND self = hwnd;
        std::wstring text = TextOf(current);
        if (!IsWindow(self) || text.empty())
            return;
        shownText = text;
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, Font());
        RECT calc{0, 0, maxWidth > 0 ? maxWidth : 4000, 0};
        DrawTextW(dc, text.c_str(), -1, &calc, TextFormat() | DT_CALCRECT);
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        int u = Unit();
        int w = calc.right - calc.left + 6 * u + margin.left + margin.right;
        int h = calc.bottom - calc.top + 4 * u + margin.top + margin.bottom;
        SIZE screen = AfxGetHostScreen();
        int x = std::clamp<int>(at.x, 0, std::max(0, int(screen.cx) - w));
        int y = at.y + (tracking ? 0 : 20 * u);
        if (y + h > screen.cy)
            y = std::max(0, at.y - h - 2 * u);
        SetWindowPos(hwnd, HWND_TOPMOST, x, y, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        shown = true;
        Redraw();
        NotifyTool(TTN_SHOW);
        if (IsWindow(self) && !tracking)
            SetTimer(hwnd, kPopTimer, UINT(autopop), nullptr);
    }

    void NotifyTool(UINT code)
    {
        if (current < 0 || current >= int(tools.size()))
            return;
        NMHDR hdr{hwnd, tools[size_t(current)].ti.uId, code};
        if (HWND to = tools[size_t(current)].ti.hwnd)
            SendMessageW(to, WM_NOTIFY, WPARAM(hdr.idFrom), reinterpret_cast<LPARAM>(&hdr));
    }

    void Hide()
    {
        KillTimer(hwnd, kShowTimer);
        KillTimer(hwnd, kPopTimer);
        if (shown) {
            shown = false;
            ShowWindow(hwnd, SW_HIDE);
            lastHide = AfxGetHost() ? AfxGetHost()->NowMs() : 0;
            NotifyTool(TTN_POP);
        }
    }

    static SIZE AfxGetHostScreen() { return AfxGetHost() ? AfxGetHost()->ScreenSize() : SIZE{1920, 1080}; }

    void Relay(const MSG& m)
    {
        if (!active || tracking)
            return;
        switch (m.message) {
        case WM_MOUSEMOVE: {
            POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
            ClientToScreen(m.hwnd, &p);
            int t = ToolAt(p);
            if (t == current)
                return;
            bool wasShown = shown;
            Hide();
            current = t;
            if (t >= 0) {
                // moving from one shown tip to the next reshows quickly
                SetTimer(hwnd, kShowTimer, UINT(wasShown ? reshow : initial), nullptr);
            }
            return;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_MOUSEWHEEL:
            Hide();
            current = -1;
            return;
        default:
            return;
        }
    }

    static LRESULT SubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto old = reinterpret_cast<WNDPROC>(GetPropW(h, kSubclassProp));
        auto tip = static_cast<HWND>(GetPropW(h, kSubclassTip));
        if ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) && IsWindow(tip)) {
            MSG m{h, msg, wParam, lParam, 0, {0, 0}};
            SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
        }
        if (msg == WM_NCDESTROY) {
            RemovePropW(h, kSubclassProp);
            RemovePropW(h, kSubclassTip);
            if (old)
                SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        }
        return old ? CallWindowProcW(old, h, msg, wParam, lParam) : DefWindowProcW(h, msg, wParam, lParam);
    }

    void Subclass(HWND w)
    {
        if (!IsWindow(w) || GetPropW(w, kSubclassProp))
            return;
        SetPropW(w, kSubclassTip, hwnd);
        SetPropW(w, kSubclassProp, reinterpret_cast<HANDLE>(GetWindowLongPtrW(w, GWLP_WNDPROC)));
        SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ToolTip::SubclassProc));
    }

    void FillInfo(const Tool& t, TTTOOLINFOW* out) const
    {
        UINT size = out->cbSize;
        LPWSTR buf = out->lpszText;
        *out = t.ti;
        out->cbSize = size;
        out->lpszText = buf;
        if (buf && !t.callback) {
            size_t n = std::min<size_t>(t.text.size(), 79);
            std::copy_n(t.text.data(), n, buf);
            buf[n] = 0;
        } else if (t.callback) {
            out->lpszText = LPSTR_TEXTCALLBACKW;
        }
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_TIMER:
            if (wParam == kShowTimer) {
                KillTimer(hwnd, kShowTimer);
                POINT p{};
                GetCursorPos(&p);
                if (current >= 0 && ToolAt(p) == current)
                    Show(p);
            } else if (wParam == kPopTimer) {
                Hide();
            }
            return 0;
        case TTM_ACTIVATE:
            active = wParam != 0;
            if (!active) {
                Hide();
                current = -1;
            }
            return 0;
        case TTM_ADDTOOLW: {
            auto* ti = reinterpret_cast<const TTTOOLINFOW*>(lParam);
            if (!ti)
                return FALSE;
            Tool t;
            t.ti = *ti;
            t.ti.lpszText = nullptr;
            SetText(t, ti->lpszText);
            int at = Find(ti);
            if (at >= 0)
                tools[size_t(at)] = t;
            else
                tools.push_back(t);
            if (ti->uFlags & TTF_SUBCLASS)
                Subclass((ti->uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(ti->uId) : ti->hwnd);
            return TRUE;
        }
        case TTM_DELTOOLW: {
            int at = Find(reinterpret_cast<const TTTOOLINFOW*>(lParam));
            if (at >= 0) {
                if (at == current) {
                    Hide();
                    current = -1;
                } else if (current > at) {
                    --current;
                }
                tools.erase(tools.begin() + at);
            }
            return 0;
        }
        case TTM_NEWTOOLRECTW: {
            auto* ti = reinterpret_cast<const TTTOOLINFOW*>(lParam);
            int at = Find(ti);
            if (at >= 0)
                tools[size_t(at)].ti.rect = ti->rect;
            return 0;
        }
        case TTM_UPDATETIPTEXTW: {
            auto* ti = reinterpret_cast<const TTTOOLINFOW*>(lParam);
            int at = Find(ti);
            if (at >= 0) {
                SetText(tools[size_t(at)], ti->lpszText);
                if (at == current && shown) {
                    shownText = TextOf(at);
                    Redraw();
                }
            }
            return 0;
        }
        case TTM_GETTOOLINFOW:
        case TTM_SETTOOLINFOW: {
            auto* ti = reinterpret_cast<TTTOOLINFOW*>(lParam);
            int at = Find(ti);
            if (at < 0)
                return FALSE;
            if (msg == TTM_GETTOOLINFOW) {
                FillInfo(tools[size_t(at)], ti);
            } else {
                tools[size_t(at)].ti = *ti;
                tools[size_t(at)].ti.lpszText = nullptr;
                SetText(tools[size_t(at)], ti->lpszText);
            }
            return TRUE;
        }
        case TTM_GETTEXTW: {
            auto* ti = reinterpret_cast<TTTOOLINFOW*>(lParam);
            int at = Find(ti);
            if (at < 0 || !ti->lpszText)
                return 0;
            std::wstring s = tools[size_t(at)].callback ? std::wstring() : tools[size_t(at)].text;
            size_t n = std::min<size_t>(s.size(), wParam ? size_t(wParam) - 1 : 79);
            std::copy_n(s.data(), n, ti->lpszText);
            ti->lpszText[n] = 0;
            return LRESULT(n);
        }
        case TTM_GETTOOLCOUNT:
            return LRESULT(tools.size());
        case TTM_ENUMTOOLSW: {
            auto* ti = reinterpret_cast<TTTOOLINFOW*>(lParam);
            if (!ti || wParam >= tools.size())
                return FALSE;
            FillInfo(tools[wParam], ti);
            return TRUE;
        }
        case TTM_GETCURRENTTOOLW: {
            if (current < 0 || !shown)
                return FALSE;
            if (auto* ti = reinterpret_cast<TTTOOLINFOW*>(lParam))
                FillInfo(tools[size_t(current)], ti);
            return TRUE;
        }
        case TTM_HITTESTW: {
            auto* ht = reinterpret_cast<TTHITTESTINFOW*>(lParam);
            if (!ht)
                return FALSE;
            POINT p = ht->pt;
            ClientToScreen(ht->hwnd, &p);
            int at = ToolAt(p);
            if (at < 0)
                return FALSE;
            FillInfo(tools[size_t(at)], &ht->ti);
            return TRUE;
        }
        case TTM_RELAYEVENT:
            if (auto* m = reinterpret_cast<const MSG*>(lParam))
                Relay(*m);
            return 0;
        case TTM_SETDELAYTIME: {
            int v = int(SHORT(LOWORD(lParam)));
            switch (wParam) {
            case TTDT_AUTOMATIC:
                initial = v < 0 ? 500 : v;
                autopop = initial * 10;
                reshow = initial / 5;
                break;
            case TTDT_INITIAL: initial = v < 0 ? 500 : v; break;
            case TTDT_AUTOPOP: autopop = v < 0 ? 5000 : v; break;
            case TTDT_RESHOW: reshow = v < 0 ? 100 : v; break;
            default: break;
            }
            return 0;
        }
        case TTM_GETDELAYTIME:
            return wParam == TTDT_AUTOPOP ? autopop : wParam == TTDT_RESHOW ? reshow : initial;
        case TTM_SETMAXTIPWIDTH: {
            int old = maxWidth;
            maxWidth = int(lParam);
            return old;
        }
        case TTM_GETMAXTIPWIDTH:
            return maxWidth;
        case TTM_SETTIPBKCOLOR: bk = COLORREF(wParam); Redraw(); return 0;
        case TTM_SETTIPTEXTCOLOR: fg = COLORREF(wParam); Redraw(); return 0;
        case TTM_GETTIPBKCOLOR: return LRESULT(bk == CLR_DEFAULT ? GetSysColor(COLOR_INFOBK) : bk);
        case TTM_GETTIPTEXTCOLOR: return LRESULT(fg == CLR_DEFAULT ? GetSysColor(COLOR_INFOTEXT) : fg);
        case TTM_SETMARGIN:
            if (lParam)
                margin = *reinterpret_cast<const RECT*>(lParam);
            return 0;
        case TTM_GETMARGIN:
            if (lParam)
                *reinterpret_cast<RECT*>(lParam) = margin;
            return 0;
        case TTM_POP:
            Hide();
            return 0;
        case TTM_UPDATE:
            Redraw();
            return 0;
        case TTM_TRACKACTIVATE: {
            int at = Find(reinterpret_cast<const TTTOOLINFOW*>(lParam));
            if (wParam && at >= 0) {
                Hide();
                current = at;
                tracking = true;
                Show(trackPos);
            } else {
                Hide();
                tracking = false;
                current = -1;
            }
            return 0;
        }
        case TTM_TRACKPOSITION:
            trackPos = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (tracking && shown)
                SetWindowPos(hwnd, HWND_TOPMOST, trackPos.x, trackPos.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
            return 0;
        case TTM_WINDOWFROMPOINT:
            return reinterpret_cast<LRESULT>(WindowFromPoint(*reinterpret_cast<const POINT*>(lParam)));
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    void Paint(HDC dc) override
    {
        RECT r = Client();
        FillSolid(dc, r, bk == CLR_DEFAULT ? GetSysColor(COLOR_INFOBK) : bk);
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        int u = Unit();
        RECT t{r.left + 3 * u + margin.left, r.top + 2 * u + margin.top, r.right - 3 * u - margin.right,
               r.bottom - 2 * u - margin.bottom};
        SetTextColor(dc, fg == CLR_DEFAULT ? GetSysColor(COLOR_INFOTEXT) : fg);
        DrawTextW(dc, shownText.c_str(), -1, &t, TextFormat());
    }
};

}  // namespace

void RegisterToolTip() { RegisterControl<ToolTip>(TOOLTIPS_CLASSW, CS_SAVEBITS); }

}  // namespace ctl
