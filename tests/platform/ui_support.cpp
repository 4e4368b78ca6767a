#include "ui_support.h"

#include <algorithm>

namespace uitest {

Recorder* Recorder::s_current = nullptr;

namespace {
const wchar_t* kDbl = L"TestRecDbl";
const wchar_t* kPlain = L"TestRecPlain";
}  // namespace

Recorder::Recorder()
{
    s_current = this;
    for (int i = 0; i < 2; ++i) {
        WNDCLASSW wc{};
        wc.style = i == 0 ? CS_DBLCLKS : 0;
        wc.lpfnWndProc = CALLBACK_Proc;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_WINDOW + 1));
        wc.lpszClassName = i == 0 ? kDbl : kPlain;
        WNDCLASSW probe;
        if (!GetClassInfoW(nullptr, wc.lpszClassName, &probe))
            RegisterClassW(&wc);
    }
}

Recorder::~Recorder()
{
    for (auto& kv : m_names)
        if (IsWindow(kv.first))
            DestroyWindow(kv.first);
    s_current = nullptr;
}

HWND Recorder::Make(const std::string& name, DWORD style, int x, int y, int cx, int cy, HWND parent, UINT id,
                    DWORD exStyle, bool dblClks)
{
    std::wstring text(name.begin(), name.end());
    HWND h = CreateWindowExW(exStyle, dblClks ? kDbl : kPlain, text.c_str(), style, x, y, cx, cy, parent,
                             reinterpret_cast<HMENU>(UINT_PTR(id)), nullptr, nullptr);
    m_names[h] = name;
    return h;
}

std::string Recorder::NameOf(HWND h) const
{
    auto it = m_names.find(h);
    return it == m_names.end() ? "?" : it->second;
}

LRESULT Recorder::CALLBACK_Proc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    Recorder* r = s_current;
    if (r) {
        if (std::find(r->m_watch.begin(), r->m_watch.end(), msg) != r->m_watch.end()) {
            std::string name;
            if (auto it = r->m_names.find(h); it != r->m_names.end())
                name = it->second;
            else {
                // Messages during CreateWindowEx come before Make() knows the handle.
                wchar_t buf[64] = {};
                if (msg == WM_NCCREATE || msg == WM_CREATE) {
                    auto* cs = reinterpret_cast<CREATESTRUCTW*>(l);
                    std::wstring t = cs->lpszName ? cs->lpszName : L"";
                    name.assign(t.begin(), t.end());
                } else {
                    GetWindowTextW(h, buf, 64);
                    std::wstring t(buf);
                    name.assign(t.begin(), t.end());
                }
            }
            r->m_log.push_back(Rec{name, msg, w, l});
        }
        if (auto it = r->m_hooks.find(h); it != r->m_hooks.end()) {
            LRESULT result = 0;
            Hook hook = it->second;  // the hook may replace itself
            if (hook(h, msg, w, l, &result))
                return result;
        }
    }
    return DefWindowProcW(h, msg, w, l);
}

std::vector<std::string> Recorder::Names() const
{
    std::vector<std::string> out;
    for (const Rec& r : m_log)
        out.push_back(r.wnd + ":" + MsgName(r.msg));
    return out;
}

std::string Recorder::MsgName(UINT msg)
{
    static const std::map<UINT, std::string> names = {
        {WM_CREATE, "CREATE"}, {WM_DESTROY, "DESTROY"}, {WM_MOVE, "MOVE"}, {WM_SIZE, "SIZE"},
        {WM_ACTIVATE, "ACTIVATE"}, {WM_SETFOCUS, "SETFOCUS"}, {WM_KILLFOCUS, "KILLFOCUS"},
        {WM_ENABLE, "ENABLE"}, {WM_PAINT, "PAINT"}, {WM_CLOSE, "CLOSE"}, {WM_ERASEBKGND, "ERASEBKGND"},
        {WM_SHOWWINDOW, "SHOWWINDOW"}, {WM_SETCURSOR, "SETCURSOR"}, {WM_MOUSEACTIVATE, "MOUSEACTIVATE"},
        {WM_NCCREATE, "NCCREATE"}, {WM_NCDESTROY, "NCDESTROY"}, {WM_NCCALCSIZE, "NCCALCSIZE"},
        {WM_NCHITTEST, "NCHITTEST"}, {WM_NCPAINT, "NCPAINT"}, {WM_NCACTIVATE, "NCACTIVATE"},
        {WM_KEYDOWN, "KEYDOWN"}, {WM_KEYUP, "KEYUP"}, {WM_CHAR, "CHAR"}, {WM_SYSKEYDOWN, "SYSKEYDOWN"},
        {WM_SYSKEYUP, "SYSKEYUP"}, {WM_SYSCHAR, "SYSCHAR"}, {WM_COMMAND, "COMMAND"}, {WM_TIMER, "TIMER"},
        {WM_HSCROLL, "HSCROLL"}, {WM_VSCROLL, "VSCROLL"}, {WM_MOUSEMOVE, "MOUSEMOVE"},
        {WM_LBUTTONDOWN, "LBUTTONDOWN"}, {WM_LBUTTONUP, "LBUTTONUP"}, {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "RBUTTONDOWN"}, {WM_RBUTTONUP, "RBUTTONUP"}, {WM_MOUSEWHEEL, "MOUSEWHEEL"},
        {WM_PARENTNOTIFY, "PARENTNOTIFY"}, {WM_CAPTURECHANGED, "CAPTURECHANGED"},
        {WM_MOUSELEAVE, "MOUSELEAVE"}, {WM_CONTEXTMENU, "CONTEXTMENU"}, {WM_IME_CHAR, "IME_CHAR"},
        {WM_WINDOWPOSCHANGING, "POSCHANGING"}, {WM_WINDOWPOSCHANGED, "POSCHANGED"},
        {WM_NCLBUTTONDOWN, "NCLBUTTONDOWN"}, {WM_NCMOUSEMOVE, "NCMOUSEMOVE"}, {WM_USER, "USER"},
        {WM_USER + 1, "USER1"}, {WM_USER + 2, "USER2"}, {WM_USER + 3, "USER3"}, {WM_SYSCOMMAND, "SYSCOMMAND"},
    };
    auto it = names.find(msg);
    return it == names.end() ? "0x" + std::to_string(msg) : it->second;
}

}  // namespace uitest
