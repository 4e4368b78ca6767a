// The GTK display host: every top-level window is a GTK window showing the window's image;
// mouse, keyboard (with an input method for Chinese text), focus, moves, resizes, closing,
// cursors and the clock come from GTK. GTK itself stays inside the host's source.
#pragma once

#include "platform/ui/core/Host.h"

#include <map>
#include <memory>
#include <string>

class CGtkHost : public CUiHost {
public:
    // Opens the display; false when there is none (the caller then uses the headless host).
    static bool Open(int* argc, char*** argv);

    CGtkHost();
    ~CGtkHost() override;
    const char* Name() const override { return "gtk"; }

    void TopLevelCreated(HWND) override;
    void TopLevelDestroyed(HWND) override;
    void TopLevelShown(HWND, bool visible) override;
    void TopLevelMoved(HWND, const RECT& screenRect) override;
    void TopLevelPresent(HWND, const RECT& dirty) override;
    void TopLevelTextChanged(HWND) override;
    void TopLevelShapeChanged(HWND) override;
    void CaretMoved(HWND top, const RECT& rect) override;
    bool CaretBlinks() const override { return true; }
    void TopLevelActivate(HWND) override;
    bool BeginMoveResize(HWND, int hit, POINT screen) override;
    bool FramesTopLevel(DWORD style, DWORD exStyle) const override;
    bool SetTopLevelState(HWND, int showCmd) override;
    void SetCursorShape(HCURSOR) override;
    void MovePointer(POINT screen) override;
    void GrabPointer(HWND top, bool grab) override;
    SIZE ScreenSize() const override;
    DWORD NowMs() override;
    void WaitForEvents(int timeoutMs) override;
    void Wake() override;
    int MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) override;
    void Beep(UINT type) override;
    bool AwaitMaximisedGeometry(HWND h, RECT* screenRect) override;
    bool DisplayedGeometry(HWND h, RECT* screenRect) const override;
    bool WaitUntilOnDisplay(HWND top) override;
    bool Screenshot(HWND top, const std::string& pngPath) override;

    // Presses and releases the left button at a point of a top-level window through the display
    // server, as a user would: for end-to-end checks of the input path. The events are sent
    // core events, which GTK takes when it runs with GDK_CORE_DEVICE_EVENTS=1.
    bool SimulateClick(HWND top, POINT windowPoint);
    // Presses and releases the keys that type `text`, the same way.
    bool SimulateTyping(HWND top, const std::wstring& text);

    struct Window;  // the GTK side of one top-level window

    // The enabled window in front of a disabled one: the modal dialog it waits for (nullptr
    // when none is on the screen).
    Window* ModalFront(HWND top);
    // The GTK window a question asked for `owner` (a child or top-level window, or nullptr for
    // the active one) stays in front of; nullptr when there is none.
    struct _GtkWidget* ParentFor(HWND owner);

private:
    // Handles windows another program destroyed once the window layer has closed them.
    void ReviveLost();

    std::map<HWND, std::unique_ptr<Window>> m_windows;
    bool m_closedFromOutside = false;
};
