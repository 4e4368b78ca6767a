// Shared behaviour of the control window procedures and the registration of every class.
#include "platform/ui/controls/CtlCommon.h"

#include "platform/base/Collate.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/core/Wnd.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <mutex>
#include <vector>

namespace ctl {

LRESULT Control::Proc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETFONT:
        font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            Redraw();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font);
    case WM_SETREDRAW: {
        // drawing comes back on first, so the invalidation of what changed meanwhile counts
        redraw = wParam != 0;
        LRESULT r = Default(msg, wParam, lParam);
        if (redraw)
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        return r;
    }
    case WM_ENABLE:
        Redraw();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // Paint covers the whole client area
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        PAINTSTRUCT ps{};
        HDC dc = msg == WM_PAINT ? BeginPaint(hwnd, &ps) : reinterpret_cast<HDC>(wParam);
        if (dc) {
            int saved = SaveDC(dc);
            SelectObject(dc, Font());
            SetBkMode(dc, TRANSPARENT);
            Paint(dc);
            RestoreDC(dc, saved);
        }
        if (msg == WM_PAINT)
            EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        return Default(msg, wParam, lParam);
    }
}

HWND Control::NotifyTarget() const
{
    HWND p = GetParent(hwnd);
    if (!p)
        p = GetWindow(hwnd, GW_OWNER);
    return p;
}

RECT Control::Client() const
{
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

std::wstring Control::Text() const { return WindowText(hwnd); }

HFONT Control::Font() const
{
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int Control::LineHeight() const
{
    HFONT f = Font();
    if (measuredHeight > 0 && measuredFont == f)
        return measuredHeight;
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, Font());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    measuredFont = f;
    measuredHeight = std::max<int>(1, tm.tmHeight);
    return measuredHeight;
}

int Control::Unit() const { return std::max(1, (LineHeight() + 6) / 13); }

void Control::NotifyCommand(UINT code) const
{
    if (HWND p = NotifyTarget())
        SendMessageW(p, WM_COMMAND, MAKEWPARAM(WORD(Id()), WORD(code)), reinterpret_cast<LPARAM>(hwnd));
}

LRESULT Control::NotifyParent(NMHDR& hdr, UINT code) const
{
    hdr.hwndFrom = hwnd;
    hdr.idFrom = UINT_PTR(Id());
    hdr.code = code;
    HWND p = NotifyTarget();
    return p ? SendMessageW(p, WM_NOTIFY, WPARAM(hdr.idFrom), reinterpret_cast<LPARAM>(&hdr)) : 0;
}

LRESULT Control::NotifyParent(UINT code) const
{
    NMHDR hdr{};
    return NotifyParent(hdr, code);
}

LRESULT Control::OwnerMessage(UINT msg, LPARAM data) const
{
    LRESULT r = 0;
    if (CWnd* self = CWnd::FromHandlePermanent(hwnd); self && self->OnChildNotify(msg, WPARAM(Id()), data, &r))
        return (r || msg == WM_COMPAREITEM) ? r : TRUE;  // a comparison's 0 means "equal"
    HWND p = NotifyTarget();
    return p ? SendMessageW(p, msg, WPARAM(Id()), data) : 0;
}

HBRUSH Control::CtlColor(UINT msg, HDC dc) const
{
    HBRUSH b = nullptr;
    if (HWND p = NotifyTarget())
        b = reinterpret_cast<HBRUSH>(SendMessageW(p, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    if (!b)
        b = reinterpret_cast<HBRUSH>(DefWindowProcW(hwnd, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    return b;
}

namespace {
std::mutex g_trackLock;
std::map<HWND, Control*>& Tracked()
{
    static auto* m = new std::map<HWND, Control*>;  // lives to the end, like the windows
    return *m;
}
}  // namespace

void TrackControl(HWND h, Control* c)
{
    std::vector<Control*> dead;
    {
        std::lock_guard<std::mutex> l(g_trackLock);
        auto& m = Tracked();
        for (auto it = m.begin(); it != m.end();) {
            // a handle now used by the new window belonged to a window that is gone
            bool gone = it->first == h || !IsWindow(it->first) ||
                        reinterpret_cast<Control*>(GetWindowLongPtrW(it->first, 0)) != it->second;
            if (gone && it->second != c) {
                dead.push_back(it->second);
                it = m.erase(it);
            } else {
                ++it;
            }
        }
        m[h] = c;
    }
    for (Control* d : dead)
        delete d;
}

void ForgetControl(HWND h)
{
    std::lock_guard<std::mutex> l(g_trackLock);
    Tracked().erase(h);
}

std::wstring WindowText(HWND h)
{
    int n = GetWindowTextLengthW(h);
    std::wstring s(size_t(std::max(0, n)) + 1, L'\0');
    int got = GetWindowTextW(h, s.data(), int(s.size()));
    s.resize(size_t(std::max(0, got)));
    return s;
}

int CompareNoCase(const std::wstring& a, const std::wstring& b)
{
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), int(a.size()), b.c_str(), int(b.size())) - 2;
}

bool StartsWithNoCase(const std::wstring& s, const std::wstring& prefix)
{
    return s.size() >= prefix.size() && CompareNoCase(s.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace ctl

void AfxRegisterControlClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        ctl::RegisterStatic();
        ctl::RegisterButton();
        ctl::RegisterEdit();
        ctl::RegisterListBox();
        ctl::RegisterComboBox();
        ctl::RegisterScrollBar();
        ctl::RegisterProgress();
        ctl::RegisterTrackbar();
        ctl::RegisterUpDown();
        ctl::RegisterTab();
        ctl::RegisterTreeView();
        ctl::RegisterListView();
        ctl::RegisterHeader();
        ctl::RegisterDateTime();
        ctl::RegisterMonthCal();
        ctl::RegisterIpAddress();
        ctl::RegisterToolTip();
    });
}

void InitCommonControls() { AfxRegisterControlClasses(); }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc)
{
    if (!icc)
        return FALSE;
    AfxRegisterControlClasses();
    return TRUE;
}
