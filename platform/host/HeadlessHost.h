// The headless display host: top-level windows without a display, a virtual clock for timers,
// message boxes answered from a script, and a driver that tests use to give input, run the
// queue until it is idle and look at what the windows show.
#pragma once

#include "platform/ui/core/Host.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct HeadlessMessageBox {
    std::wstring text;
    std::wstring caption;
    UINT type = 0;
    int answer = 0;
    bool scripted = false;  // false: nothing was queued, the default button was taken
};

class CHeadlessHost : public CUiHost {
public:
    CHeadlessHost();
    const char* Name() const override { return "headless"; }

    DWORD NowMs() override;
    void WaitForEvents(int timeoutMs) override;
    void Wake() override {}
    int MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) override;
    void Beep(UINT) override { ++m_beeps; }
    void SetCursorShape(HCURSOR c) override { m_cursor = c; }
    void TopLevelPresent(HWND, const RECT&) override { ++m_presents; }
    SIZE ScreenSize() const override { return m_screen; }
    bool CaretBlinks() const override { return m_blink; }
    void SetCaretBlinks(bool blink) { m_blink = blink; }

    // A program run without a display (no test driving it): timers follow the real clock and
    // waiting for input has no limit.
    void SetRealTime(bool realTime) { m_realTime = realTime; }

    // ---- script ----
    void AdvanceClockTo(DWORD now) { m_now = now; }
    void QueueMessageBoxAnswer(int answer) { m_answers.push_back(answer); }
    // Runs when the program waits in a message loop of its own (a modal loop) and nothing is
    // queued: the step gives input or ends the loop. Steps run once each, in order.
    void QueueIdleStep(std::function<void()> step) { m_idleSteps.push_back(std::move(step)); }
    // Longest real wait for other threads when no step is queued; then the loop is ended with
    // WM_QUIT rather than hanging the test.
    void SetWaitLimit(int ms) { m_waitLimitMs = ms; }

    const std::vector<HeadlessMessageBox>& MessageBoxes() const { return m_boxes; }
    void ClearMessageBoxes() { m_boxes.clear(); }
    HCURSOR Cursor() const { return m_cursor; }
    int Beeps() const { return m_beeps; }
    int Presents() const { return m_presents; }
    void SetScreenSize(SIZE s) { m_screen = s; }

private:
    DWORD m_now = 100000;
    std::deque<int> m_answers;
    std::deque<std::function<void()>> m_idleSteps;
    std::vector<HeadlessMessageBox> m_boxes;
    HCURSOR m_cursor = nullptr;
    int m_beeps = 0;
    int m_presents = 0;
    int m_waitLimitMs = 5000;
    SIZE m_screen{1920, 1080};
    bool m_blink = false;
    bool m_realTime = false;
};

// Test input and inspection through a headless host (installed while the driver lives).
class CHeadlessDriver {
public:
    CHeadlessDriver();
    ~CHeadlessDriver();
    CHeadlessDriver(const CHeadlessDriver&) = delete;
    CHeadlessDriver& operator=(const CHeadlessDriver&) = delete;

    CHeadlessHost& Host() { return m_host; }

    // ---- mouse, at screen points or at client points of a window ----
    // MouseDown/MouseUp press and release where they are told without moving the pointer
    // first; Click moves, presses and releases (WM_MOUSEMOVE before the buttons).
    void MouseMove(POINT screen);
    void MouseDown(POINT screen, int button = 0);
    void MouseUp(POINT screen, int button = 0);
    void Click(POINT screen, int button = 0);
    void DoubleClick(POINT screen);
    void Wheel(POINT screen, int delta);
    static POINT At(HWND hwnd, POINT client);

    // ---- keyboard (to the focus window) ----
    // ch: the character the key types (TranslateMessage makes WM_CHAR of it), 0 for none.
    void KeyDown(UINT vk, wchar_t ch = 0, bool extended = false);
    void KeyUp(UINT vk, bool extended = false);
    void Key(UINT vk, wchar_t ch = 0, bool extended = false);
    // Characters as an input method commits them: WM_IME_CHAR (the default procedure makes
    // WM_CHAR of each).
    void ImeCommit(const std::wstring& text);
    // Types text: letters, digits and spaces as key presses (with Shift for capitals), other
    // characters as WM_CHAR alone.
    void Type(const std::wstring& text);

    // ---- window manager ----
    void Activate(HWND top, bool active = true);
    void Close(HWND top);
    void Resize(HWND top, const RECT& screenRect);

    // Dispatches queued messages (pre-translated, translated) until nothing is left, paints
    // included. Returns the number handled; stops at WM_QUIT (QuitSeen tells).
    int Pump();
    bool QuitSeen() const { return m_quit; }
    // Moves the virtual clock forward, stopping at each timer due on the way to run it.
    void AdvanceClock(DWORD ms);

    // ---- what the windows show ----
    // A pixel of a top-level window (window coordinates); CLR_INVALID outside.
    COLORREF Pixel(HWND top, int x, int y) const;
    bool SaveScreenshot(HWND top, const std::string& pngPath) const;
    // Number of distinct colours in a rectangle of the window (1 = blank).
    int DistinctColours(HWND top, const RECT& r) const;

private:
    void Raw(int kind, POINT pt, int button, int wheel, UINT vk, wchar_t ch, bool extended);
    CHeadlessHost m_host;
    CUiHost* m_previous = nullptr;
    bool m_quit = false;
};
