#include "ctl_support.h"

#include <map>

namespace ctltest {

namespace {
std::wstring ClassOf(HWND h)
{
    wchar_t buf[64] = {};
    GetClassNameW(h, buf, 64);
    return buf;
}
}  // namespace

std::string CodeName(HWND ctl, UINT code)
{
    std::wstring cls = ClassOf(ctl);
    static const std::map<std::wstring, std::map<UINT, std::string>> names = {
        {L"Button", {{BN_CLICKED, "BN_CLICKED"}, {BN_DOUBLECLICKED, "BN_DBLCLK"}, {BN_SETFOCUS, "BN_SETFOCUS"},
                     {BN_KILLFOCUS, "BN_KILLFOCUS"}, {BN_HILITE, "BN_HILITE"}, {BN_UNHILITE, "BN_UNHILITE"}}},
        {L"Edit", {{EN_CHANGE, "EN_CHANGE"}, {EN_UPDATE, "EN_UPDATE"}, {EN_SETFOCUS, "EN_SETFOCUS"},
                   {EN_KILLFOCUS, "EN_KILLFOCUS"}, {EN_MAXTEXT, "EN_MAXTEXT"}}},
        {L"ListBox", {{LBN_SELCHANGE, "LBN_SELCHANGE"}, {LBN_DBLCLK, "LBN_DBLCLK"}, {LBN_SETFOCUS, "LBN_SETFOCUS"},
                      {LBN_KILLFOCUS, "LBN_KILLFOCUS"}}},
        {L"ComboBox", {{CBN_SELCHANGE, "CBN_SELCHANGE"}, {CBN_DROPDOWN, "CBN_DROPDOWN"}, {CBN_CLOSEUP, "CBN_CLOSEUP"},
                       {CBN_SELENDOK, "CBN_SELENDOK"}, {CBN_SELENDCANCEL, "CBN_SELENDCANCEL"},
                       {CBN_EDITCHANGE, "CBN_EDITCHANGE"}, {CBN_EDITUPDATE, "CBN_EDITUPDATE"},
                       {CBN_SETFOCUS, "CBN_SETFOCUS"}, {CBN_KILLFOCUS, "CBN_KILLFOCUS"}}},
        {L"SysIPAddress32", {{EN_CHANGE, "EN_CHANGE"}, {EN_SETFOCUS, "EN_SETFOCUS"}, {EN_KILLFOCUS, "EN_KILLFOCUS"}}},
        {L"Static", {{STN_CLICKED, "STN_CLICKED"}, {STN_DBLCLK, "STN_DBLCLK"}}},
    };
    auto c = names.find(cls);
    if (c != names.end()) {
        auto n = c->second.find(code);
        if (n != c->second.end())
            return n->second;
    }
    static const std::map<UINT, std::string> notify = {
        {UDN_DELTAPOS, "UDN_DELTAPOS"}, {TCN_SELCHANGE, "TCN_SELCHANGE"}, {TCN_SELCHANGING, "TCN_SELCHANGING"},
        {NM_CLICK, "NM_CLICK"}, {NM_DBLCLK, "NM_DBLCLK"}, {NM_CUSTOMDRAW, "NM_CUSTOMDRAW"},
        {LVN_ITEMCHANGED, "LVN_ITEMCHANGED"}, {LVN_ITEMCHANGING, "LVN_ITEMCHANGING"},
        {LVN_COLUMNCLICK, "LVN_COLUMNCLICK"}, {TVN_SELCHANGING, "TVN_SELCHANGING"},
        {TVN_SELCHANGED, "TVN_SELCHANGED"}, {TVN_ITEMEXPANDING, "TVN_ITEMEXPANDING"},
        {TVN_ITEMEXPANDED, "TVN_ITEMEXPANDED"}, {HDN_ITEMCLICK, "HDN_ITEMCLICK"},
        {DTN_DATETIMECHANGE, "DTN_DATETIMECHANGE"}, {DTN_DROPDOWN, "DTN_DROPDOWN"}, {DTN_CLOSEUP, "DTN_CLOSEUP"},
        {IPN_FIELDCHANGED, "IPN_FIELDCHANGED"}, {TTN_GETDISPINFOW, "TTN_GETDISPINFO"}, {TTN_SHOW, "TTN_SHOW"},
        {TTN_POP, "TTN_POP"}, {NM_SETFOCUS, "NM_SETFOCUS"}, {NM_KILLFOCUS, "NM_KILLFOCUS"}, {NM_RETURN, "NM_RETURN"},
        {MCN_SELCHANGE, "MCN_SELCHANGE"}, {MCN_SELECT, "MCN_SELECT"}, {HDN_ITEMCHANGED, "HDN_ITEMCHANGED"},
        {HDN_ITEMCHANGING, "HDN_ITEMCHANGING"}, {HDN_BEGINTRACK, "HDN_BEGINTRACK"}, {HDN_ENDTRACK, "HDN_ENDTRACK"},
    };
    auto n = notify.find(code);
    return n == notify.end() ? std::to_string(int(code)) : n->second;
}

void CtlTest::SetUp()
{
    AfxRegisterControlClasses();
    parent = rec.Make("parent", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 480, 360);
    rec.SetHook(parent, [this](HWND, UINT msg, WPARAM w, LPARAM l, LRESULT* result) {
        HWND focus = GetFocus();
        std::string f = " focus=" + (focus ? std::to_string(GetDlgCtrlID(focus)) : std::string("none"));
        switch (msg) {
        case WM_COMMAND: {
            auto ctl = reinterpret_cast<HWND>(l);
            events.push_back("cmd " + std::to_string(LOWORD(w)) + " " + CodeName(ctl, HIWORD(w)) + f);
            if (onCommand)
                onCommand(w, l);
            *result = 0;
            return true;
        }
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(l);
            if (hdr->code == NM_CUSTOMDRAW && !onNotify)
                return false;
            events.push_back("notify " + std::to_string(hdr->idFrom) + " " + CodeName(hdr->hwndFrom, hdr->code) + f);
            *result = onNotify ? onNotify(hdr) : 0;
            return true;
        }
        case WM_HSCROLL:
        case WM_VSCROLL: {
            auto ctl = reinterpret_cast<HWND>(l);
            events.push_back(std::string(msg == WM_HSCROLL ? "hscroll " : "vscroll ") +
                             std::to_string(ctl ? GetDlgCtrlID(ctl) : 0) + " code=" + std::to_string(LOWORD(w)) +
                             " pos=" + std::to_string(SHORT(HIWORD(w))) + f);
            *result = 0;
            return true;
        }
        default:
            return false;
        }
    });
    drv.Activate(parent);
    drv.Pump();
}

void CtlTest::TearDown()
{
    // the windows go while the event list still exists
    onCommand = nullptr;
    onNotify = nullptr;
    if (IsWindow(parent))
        DestroyWindow(parent);
}

HWND CtlTest::Make(LPCWSTR cls, LPCWSTR text, DWORD style, int x, int y, int cx, int cy, int id, DWORD exStyle)
{
    HWND h = CreateWindowExW(exStyle, cls, text, style | WS_CHILD | WS_VISIBLE, x, y, cx, cy, parent,
                             reinterpret_cast<HMENU>(UINT_PTR(id)), nullptr, nullptr);
    EXPECT_NE(h, nullptr);
    drv.Pump();
    return h;
}

void CtlTest::Click(HWND h, int x, int y)
{
    drv.Click(CHeadlessDriver::At(h, POINT{x, y}));
    drv.Pump();
}

void CtlTest::DoubleClick(HWND h, int x, int y)
{
    drv.DoubleClick(CHeadlessDriver::At(h, POINT{x, y}));
    drv.Pump();
}

void CtlTest::Type(const std::wstring& text)
{
    for (wchar_t c : text) {
        UINT vk = 0xE7;  // VK_PACKET: a character without a key of its own
        if ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || c == L' ')
            vk = UINT(c);
        else if (c >= L'a' && c <= L'z')
            vk = UINT(c - 32);
        else if (c == L'.')
            vk = VK_OEM_PERIOD;
        else if (c == L'-')
            vk = VK_OEM_MINUS;
        drv.Key(vk, c);
    }
    drv.Pump();
}

void CtlTest::Key(UINT vk, bool shift, bool ctrl)
{
    if (shift)
        drv.KeyDown(VK_SHIFT);
    if (ctrl)
        drv.KeyDown(VK_CONTROL);
    drv.Key(vk, 0, vk >= VK_PRIOR && vk <= VK_DOWN);
    if (ctrl)
        drv.KeyUp(VK_CONTROL);
    if (shift)
        drv.KeyUp(VK_SHIFT);
    drv.Pump();
}

std::wstring CtlTest::Text(HWND h) const
{
    int n = GetWindowTextLengthW(h);
    std::wstring s(size_t(n) + 1, L'\0');
    GetWindowTextW(h, s.data(), n + 1);
    s.resize(size_t(n));
    return s;
}

COLORREF CtlTest::PixelAt(HWND h, int x, int y)
{
    UpdateWindow(parent);
    drv.Pump();
    POINT s = CHeadlessDriver::At(h, POINT{x, y});
    RECT wr{};
    GetWindowRect(parent, &wr);
    return drv.Pixel(parent, s.x - wr.left, s.y - wr.top);
}

std::vector<std::string> CtlTest::Take()
{
    std::vector<std::string> out;
    out.swap(events);
    return out;
}

}  // namespace ctltest
