// The PRIMARY selection of the edit controls.
#include "platform/host/SelectionGtk.h"

#include "platform/host/DlgGtk.h"
#include "platform/ui/controls/CtlStd.h"

#include <cwchar>
#include <string>

namespace {

bool IsEdit(HWND h)
{
    wchar_t cls[16] = {};
    return h && GetClassNameW(h, cls, 16) > 0 && std::wcscmp(cls, WC_EDITW) == 0;
}

// The selection last seen: a change of window or range is offered anew.
HWND g_lastWnd = nullptr;
DWORD g_lastStart = 0, g_lastEnd = 0;

}  // namespace

void GtkOfferSelection()
{
    HWND f = GetFocus();
    DWORD start = 0, end = 0;
    const bool edit = IsEdit(f) && !(GetWindowLong(f, GWL_STYLE) & ES_PASSWORD);
    if (edit)
        SendMessageW(f, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (f == g_lastWnd && start == g_lastStart && end == g_lastEnd)
        return;
    g_lastWnd = f;
    g_lastStart = start;
    g_lastEnd = end;
    if (!edit || end <= start)
        return;  // PRIMARY keeps what was selected last, as elsewhere on the desktop
    const int n = GetWindowTextLengthW(f);
    std::wstring text(size_t(n) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(f, text.data(), n + 1)));
    if (start < text.size())
        AfxGtkSetPrimaryText(text.substr(start, end - start));
}

bool GtkPastePrimaryAt(POINT screen)
{
    HWND target = WindowFromPoint(screen);
    if (!IsEdit(target) || !IsWindowEnabled(target) || (GetWindowLong(target, GWL_STYLE) & ES_READONLY))
        return false;
    std::wstring text;
    if (!AfxGtkPrimaryText(text) || text.empty())
        return true;
    if (!IsWindow(target))
        return true;
    // A click at the point puts the caret there; the text goes in as typed.
    POINT c = screen;
    ScreenToClient(target, &c);
    SetFocus(target);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, c.y));
    SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
    SendMessageW(target, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}
