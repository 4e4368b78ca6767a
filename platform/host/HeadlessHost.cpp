// The headless host and its test driver.
#include "platform/host/HeadlessHost.h"

#include "platform/gdi/DC.h"
#include "platform/ui/core/Wnd.h"
#include "platform/ui/core/detail/WndData.h"

#include <chrono>
#include <cstdio>
#include <set>

CHeadlessHost::CHeadlessHost() = default;

DWORD CHeadlessHost::NowMs()
{
    if (!m_realTime)
        return m_now;
    using namespace std::chrono;
    return DWORD(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void CHeadlessHost::WaitForEvents(int timeoutMs)
{
    if (m_realTime && m_idleSteps.empty()) {
        ui::WaitOnQueue(timeoutMs);
        return;
    }
    if (!m_idleSteps.empty()) {
        auto step = std::move(m_idleSteps.front());
        m_idleSteps.pop_front();
        step();
        return;
    }
    // Only other threads can still post; wait for them a bounded real time.
    auto start = std::chrono::steady_clock::now();
    ui::WaitOnQueue(m_waitLimitMs);
    auto waited = std::chrono::steady_clock::now() - start;
    if (waited >= std::chrono::milliseconds(m_waitLimitMs)) {
        (void)timeoutMs;
        std::fprintf(stderr, "headless host: a message loop waits for input no script gives; ending it\n");
        PostQuitMessage(1);
    }
}

int CHeadlessHost::MessageBox(HWND, LPCWSTR text, LPCWSTR caption, UINT type)
{
    HeadlessMessageBox box;
    box.text = text ? text : L"";
    box.caption = caption ? caption : L"";
    box.type = type;
    if (!m_answers.empty()) {
        box.answer = m_answers.front();
        box.scripted = true;
        m_answers.pop_front();
    } else {
        UINT def = (type & MB_DEFMASK) >> 8;
        static const int buttons[][3] = {{IDOK}, {IDOK, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE},
                                         {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO}, {IDRETRY, IDCANCEL}};
        UINT kind = type & MB_TYPEMASK;
        if (kind > 5)
            kind = 0;
        int answer = buttons[kind][def < 3 ? def : 0];
        box.answer = answer ? answer : buttons[kind][0];
    }
    m_boxes.push_back(box);
    return box.answer;
}

// ---- driver ----

CHeadlessDriver::CHeadlessDriver()
{
    m_previous = AfxSetHost(&m_host);
    ui::ResetInputState();
}

CHeadlessDriver::~CHeadlessDriver()
{
    // Windows left over belong to the test; they must not outlive the host they were shown on.
    std::vector<HWND> tops;
    EnumThreadTopLevelWindows([](HWND h, LPARAM p) { reinterpret_cast<std::vector<HWND>*>(p)->push_back(h); return TRUE; },
                              reinterpret_cast<LPARAM>(&tops));
    for (HWND h : tops)
        if (IsWindow(h))
            DestroyWindow(h);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
    CWnd::DeleteTempMap();
    ui::ResetInputState();
    AfxSetHost(m_previous);
}

void CHeadlessDriver::Raw(int kind, POINT pt, int button, int wheel, UINT vk, wchar_t ch, bool extended)
{
    ui::RawInput in;
    in.kind = ui::RawInput::Kind(kind);
    in.screen = pt;
    in.button = button;
    in.wheel = wheel;
    in.vk = vk;
    in.ch = ch;
    in.extended = extended;
    in.time = m_host.NowMs();
    ui::PostInput(nullptr, in);
}

void CHeadlessDriver::MouseMove(POINT s) { Raw(ui::RawInput::MouseMove, s, 0, 0, 0, 0, false); }
void CHeadlessDriver::MouseDown(POINT s, int b) { Raw(ui::RawInput::ButtonDown, s, b, 0, 0, 0, false); }
void CHeadlessDriver::MouseUp(POINT s, int b) { Raw(ui::RawInput::ButtonUp, s, b, 0, 0, 0, false); }

void CHeadlessDriver::Click(POINT s, int b)
{
    MouseMove(s);
    MouseDown(s, b);
    MouseUp(s, b);
}

void CHeadlessDriver::DoubleClick(POINT s)
{
    Click(s);
    MouseDown(s);
    MouseUp(s);
}

void CHeadlessDriver::Wheel(POINT s, int delta) { Raw(ui::RawInput::Wheel, s, 0, delta, 0, 0, false); }

POINT CHeadlessDriver::At(HWND hwnd, POINT client)
{
    ClientToScreen(hwnd, &client);
    return client;
}

void CHeadlessDriver::KeyDown(UINT vk, wchar_t ch, bool ext) { Raw(ui::RawInput::KeyDown, POINT{0, 0}, 0, 0, vk, ch, ext); }
void CHeadlessDriver::KeyUp(UINT vk, bool ext) { Raw(ui::RawInput::KeyUp, POINT{0, 0}, 0, 0, vk, 0, ext); }

void CHeadlessDriver::Key(UINT vk, wchar_t ch, bool ext)
{
    KeyDown(vk, ch, ext);
    KeyUp(vk, ext);
}

void CHeadlessDriver::ImeCommit(const std::wstring& text)
{
    for (wchar_t c : text)
        Raw(ui::RawInput::ImeChar, POINT{0, 0}, 0, 0, 0, c, false);
}

void CHeadlessDriver::Type(const std::wstring& text)
{
    for (wchar_t c : text) {
        if (c >= L'a' && c <= L'z') {
            Key(UINT(c - L'a' + 'A'), c);
        } else if (c >= L'A' && c <= L'Z') {
            KeyDown(VK_SHIFT);
            Key(UINT(c), c);
            KeyUp(VK_SHIFT);
        } else if ((c >= L'0' && c <= L'9') || c == L' ') {
            Key(c == L' ' ? UINT(VK_SPACE) : UINT(c), c);
        } else {
            Raw(ui::RawInput::Char, POINT{0, 0}, 0, 0, 0, c, false);
        }
    }
}

void CHeadlessDriver::Activate(HWND top, bool active)
{
    ui::RawInput in;
    in.kind = ui::RawInput::Activate;
    in.top = top;
    in.activate = active;
    ui::PostInput(top, in);
}

void CHeadlessDriver::Close(HWND top)
{
    ui::RawInput in;
    in.kind = ui::RawInput::Close;
    in.top = top;
    ui::PostInput(top, in);
}

void CHeadlessDriver::Resize(HWND top, const RECT& r)
{
    ui::RawInput in;
    in.kind = ui::RawInput::Resize;
    in.top = top;
    in.newRect = r;
    ui::PostInput(top, in);
}

int CHeadlessDriver::Pump()
{
    int n = 0;
    MSG m;
    // Bounded so that a window that keeps posting to itself cannot hang a test.
    while (n < 1000000 && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        ++n;
        if (m.message == WM_QUIT) {
            m_quit = true;
            break;
        }
        if (!AfxPreTranslateMessage(&m)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    return n;
}

void CHeadlessDriver::AdvanceClock(DWORD ms)
{
    DWORD target = m_host.NowMs() + ms;
    Pump();
    for (int guard = 0; guard < 1000000; ++guard) {
        int next = ui::NextTimerDelayMs();
        DWORD left = target - m_host.NowMs();
        if (next < 0 || DWORD(next) > left || int(left) < 0)
            break;
        m_host.AdvanceClockTo(m_host.NowMs() + DWORD(next));
        Pump();
    }
    m_host.AdvanceClockTo(target);
    Pump();
}

COLORREF CHeadlessDriver::Pixel(HWND top, int x, int y) const
{
    ui::Wnd* w = ui::Find(top);
    if (!w || !w->surface || x < 0 || y < 0 || x >= w->surface->Width() || y >= w->surface->Height())
        return CLR_INVALID;
    w->surface->BeginAccess();
    COLORREF c = gdi::ColorFromPixel(w->surface->Row(y)[x] & 0xFFFFFF);
    w->surface->EndAccess();
    return c;
}

bool CHeadlessDriver::SaveScreenshot(HWND top, const std::string& pngPath) const
{
    ui::Wnd* w = ui::Find(top);
    return w && w->surface && w->surface->WritePng(pngPath);
}

int CHeadlessDriver::DistinctColours(HWND top, const RECT& r) const
{
    std::set<COLORREF> colours;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            COLORREF c = Pixel(top, x, y);
            if (c != CLR_INVALID)
                colours.insert(c);
        }
    return int(colours.size());
}
