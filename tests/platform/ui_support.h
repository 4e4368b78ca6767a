// Window tests: a headless driver per test and windows of a class that records the messages
// it gets, so that sequences can be compared with what Win32 delivers.
#pragma once

#include "platform/host/HeadlessHost.h"
#include "platform/ui/core/WinUser.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace uitest {

struct Rec {
    std::string wnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Records the messages listed in `watch` of every window made with Make(); a window may get
// a hook that runs before the default procedure and can answer.
class Recorder {
public:
    using Hook = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;

    Recorder();
    ~Recorder();

    HWND Make(const std::string& name, DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr,
              UINT id = 0, DWORD exStyle = 0, bool dblClks = true);
    void Watch(std::initializer_list<UINT> msgs) { m_watch.insert(m_watch.end(), msgs); }
    void SetHook(HWND h, Hook hook) { m_hooks[h] = std::move(hook); }
    void Clear() { m_log.clear(); }
    const std::vector<Rec>& Log() const { return m_log; }
    // "name:MSG" strings of the log, for readable comparisons.
    std::vector<std::string> Names() const;
    std::string NameOf(HWND h) const;

    static std::string MsgName(UINT msg);

private:
    static LRESULT CALLBACK_Proc(HWND, UINT, WPARAM, LPARAM);
    std::vector<UINT> m_watch;
    std::vector<Rec> m_log;
    std::map<HWND, std::string> m_names;
    std::map<HWND, Hook> m_hooks;
    static Recorder* s_current;
};

// A test with a fresh headless driver.
class UiTest : public ::testing::Test {
protected:
    CHeadlessDriver drv;
    Recorder rec;
};

}  // namespace uitest
