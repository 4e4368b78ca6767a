// The display host behind top-level windows: what the window layer asks of it (show a window's
// image, move it, set the pointer shape, wait for input, ask the user a question) and the clock
// the timers run on. Two hosts exist (platform/host): a GTK one and a headless one for tests.
#pragma once

#include "platform/ui/core/WinUser.h"

#include <memory>
#include <string>

class CUiHost {
public:
    virtual ~CUiHost() = default;
    virtual const char* Name() const = 0;

    // Top-level windows (all calls on the UI thread).
    virtual void TopLevelCreated(HWND) {}
    virtual void TopLevelDestroyed(HWND) {}
    virtual void TopLevelShown(HWND, bool /*visible*/) {}
    // The window rectangle (screen coordinates) changed by the program.
    virtual void TopLevelMoved(HWND, const RECT& /*screenRect*/) {}
    // The window's image changed inside `dirty` (window coordinates).
    virtual void TopLevelPresent(HWND, const RECT& /*dirty*/) {}
    virtual void TopLevelTextChanged(HWND) {}
    // SetWindowRgn gave the window a shape (or took it away).
    virtual void TopLevelShapeChanged(HWND) {}
    // The caret moved to `rect` (coordinates of the top-level window): where input methods
    // show their candidates.
    virtual void CaretMoved(HWND /*top*/, const RECT& /*rect*/) {}
    // Whether the caret blinks (not in tests, whose pixels must not depend on the clock).
    virtual bool CaretBlinks() const { return false; }
    virtual void TopLevelActivate(HWND) {}
    // The user drags the window's caption or border (hit code HTCAPTION, HTLEFT ...).
    virtual bool BeginMoveResize(HWND, int /*hit*/, POINT /*screen*/) { return false; }
    // Whether the desktop's window manager draws the frame and caption of a top-level window
    // of these styles (moving, sizing, minimising, maximising and closing it then go through
    // the window manager). The window layer gives such a window no frame or caption of its
    // own: its window rectangle is the area the host shows.
    virtual bool FramesTopLevel(DWORD /*style*/, DWORD /*exStyle*/) const { return false; }
    // Asks the window manager to maximise, minimise or restore a top-level window (SW_MAXIMIZE,
    // SW_MINIMIZE, SW_RESTORE ...); false when the host leaves the state to the window layer.
    // The geometry the window manager gives the window comes back as input.
    virtual bool SetTopLevelState(HWND, int /*showCmd*/) { return false; }
    // Waits until the window manager has placed a top-level window that is being shown
    // maximised for the first time, and gives the geometry it gave (screen coordinates of the
    // area the host shows); false when there is none to wait for.
    virtual bool AwaitMaximisedGeometry(HWND, RECT* /*screenRect*/) { return false; }
    // The geometry the display gave a top-level window last (screen coordinates of the area
    // the host shows); false when the window layer's own stands.
    virtual bool DisplayedGeometry(HWND, RECT* /*screenRect*/) const { return false; }

    virtual void SetCursorShape(HCURSOR) {}
    virtual void MovePointer(POINT /*screen*/) {}
    virtual void GrabPointer(HWND /*top*/, bool /*grab*/) {}
    virtual SIZE ScreenSize() const { return SIZE{1920, 1080}; }

    // Milliseconds of the clock timers run on (monotonic).
    virtual DWORD NowMs() = 0;
    // Blocks the UI thread until input or a posted message may be there, or `timeoutMs` passes
    // (-1: no limit). Input arrives through ui::PostInput / the queue; Wake ends the wait.
    virtual void WaitForEvents(int timeoutMs) = 0;
    // Thread-safe: ends a WaitForEvents in progress.
    virtual void Wake() = 0;

    // Modal question to the user; returns IDOK, IDYES ...
    virtual int MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) = 0;
    virtual void Beep(UINT /*type*/) {}

    // Returns once the display shows the top-level window's current image; false when it
    // cannot (the window is not shown, or a geometry the display gave it is still to be taken
    // from the queue). Without a display the image is there at once.
    virtual bool WaitUntilOnDisplay(HWND /*top*/) { return true; }

    // Writes what the top-level window shows as a PNG file (the display's pixels where there
    // is a display, else the window's image).
    virtual bool Screenshot(HWND top, const std::string& pngPath);
};

// The host in use. Without one installed, a minimal host without a display is used.
CUiHost* AfxGetHost();
// Installs a host (null restores the minimal one); returns the previous one. The caller keeps
// ownership.
CUiHost* AfxSetHost(CUiHost* host);

namespace ui {
// Waits on the calling thread's message queue until something is posted or timeoutMs passes
// (-1: no limit). Hosts without an event source of their own use it in WaitForEvents.
void WaitOnQueue(int timeoutMs);
// Wakes the thread's waiting queue (PostMessage does this itself).
void WakeQueue(DWORD threadId);
}  // namespace ui
