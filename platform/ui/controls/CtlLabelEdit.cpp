#include "platform/ui/controls/CtlLabelEdit.h"

#include "platform/ui/controls/CtlCommon.h"

namespace ctl {

HWND LabelEdit::Open(HWND owner, const RECT& r, const std::wstring& text, HFONT font, Done onDone)
{
    Destroy();
    edit = CreateWindowExW(0, WC_EDITW, text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_LEFT,
                           r.left, r.top, r.right - r.left, r.bottom - r.top, owner, nullptr, nullptr, nullptr);
    if (!edit)
        return nullptr;
    done = std::move(onDone);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_WNDPROC));
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LabelEdit::Hook));
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
    return edit;
}

void LabelEdit::End(bool accept)
{
    if (!edit)
        return;
    // everything needed is taken first: the owner (and this object) may go while the box goes
    HWND h = edit;
    std::wstring text = WindowText(h);
    Done call = std::move(done);
    done = nullptr;
    edit = nullptr;
    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    HWND owner = GetParent(h);
    if (GetFocus() == h && owner)
        SetFocus(owner);
    if (IsWindow(h))
        DestroyWindow(h);
    // the box is gone before the owner hears: a handler may start the next edit at once
    if (call)
        call(accept, text);
}

void LabelEdit::Destroy()
{
    if (!edit)
        return;
    HWND h = edit;
    edit = nullptr;
    done = nullptr;
    if (!IsWindow(h))
        return;
    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    DestroyWindow(h);
}

LRESULT LabelEdit::Hook(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<LabelEdit*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    WNDPROC next = self ? self->proc : nullptr;
    if (!self || !next)
        return DefWindowProcW(h, msg, wParam, lParam);
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | CallWindowProcW(next, h, msg, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            self->End(wParam == VK_RETURN);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r' || wParam == 27)
            return 0;
        break;
    case WM_KILLFOCUS: {
        LRESULT r = CallWindowProcW(next, h, msg, wParam, lParam);
        self->End(true);
        return r;
    }
    default:
        break;
    }
    return CallWindowProcW(next, h, msg, wParam, lParam);
}

}  // namespace ctl
