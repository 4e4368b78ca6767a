// Control tests: a visible, active top-level parent whose notifications are written down as
// readable events ("cmd 101 BN_CLICKED focus=101"), and helpers that make controls and click
// or type on them through the headless driver.
#pragma once

#include "ui_support.h"

#include "platform/ui/controls/CtlClasses.h"

#include <string>
#include <vector>

namespace ctltest {

class CtlTest : public uitest::UiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Make(LPCWSTR cls, LPCWSTR text, DWORD style, int x, int y, int cx, int cy, int id, DWORD exStyle = 0);
    void Click(HWND h, int x, int y);
    void DoubleClick(HWND h, int x, int y);
    // Types text into the focus window (one key per character).
    void Type(const std::wstring& text);
    void Key(UINT vk, bool shift = false, bool ctrl = false);
    std::wstring Text(HWND h) const;
    // What the screen shows at a client point of a control (after painting).
    COLORREF PixelAt(HWND h, int x, int y);
    // The notifications the parent got since the last call (and forgets them).
    std::vector<std::string> Take();

    HWND parent = nullptr;
    std::vector<std::string> events;
    // Runs inside the parent's procedure for WM_COMMAND (after the event is written down).
    std::function<void(WPARAM, LPARAM)> onCommand;
    // Answer of the parent to WM_NOTIFY (after the event is written down).
    std::function<LRESULT(NMHDR*)> onNotify;
};

// Name of a notification code of a control class, for the event strings.
std::string CodeName(HWND ctl, UINT code);

}  // namespace ctltest
