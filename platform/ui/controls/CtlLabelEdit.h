// The edit box that list and tree views open over an item's label for renaming in place. Enter
// or the loss of the focus ends it with the typed text, Escape ends it without; the owner hears
// of the end once, through the callback, and the box is gone by then.
#pragma once

#include "platform/ui/core/WinUser.h"

#include <functional>
#include <string>

namespace ctl {

class LabelEdit {
public:
    // accepted: the text stands (false for Escape or an end from code without saving)
    using Done = std::function<void(bool accepted, const std::wstring& text)>;

    LabelEdit() = default;
    ~LabelEdit() { Destroy(); }
    LabelEdit(const LabelEdit&) = delete;
    LabelEdit& operator=(const LabelEdit&) = delete;

    // Opens the box as a child of `owner` over r, with the whole text selected, and gives it the
    // focus. Returns the edit's window.
    HWND Open(HWND owner, const RECT& r, const std::wstring& text, HFONT font, Done done);
    // Ends an open edit (from code, or when the owner scrolls or goes).
    void End(bool accept);
    // Destroys the box without telling the owner (the owner is being destroyed).
    void Destroy();
    HWND Handle() const { return edit; }
    bool IsOpen() const { return edit != nullptr; }

private:
    static LRESULT Hook(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND edit = nullptr;
    WNDPROC proc = nullptr;
    Done done;
};

}  // namespace ctl
