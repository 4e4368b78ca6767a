// The shared base of the controls' window procedures: each control window owns one object of
// a Control subclass (kept in the window's extra bytes from WM_NCCREATE to WM_NCDESTROY), which
// answers its messages. Helpers here send notifications to the parent the way Win32 controls do.
#pragma once

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/controls/CtlCommCtrl.h"

#include <algorithm>
#include <string>

namespace ctl {

class Control {
public:
    explicit Control(HWND h) : hwnd(h) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The control's answer to a message; what it does not handle goes to Default().
    virtual LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Paints the whole client area (the DC has the control's font selected).
    virtual void Paint(HDC) {}

    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProcW(hwnd, msg, wParam, lParam); }
    DWORD Style() const { return DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE)); }
    DWORD ExStyle() const { return DWORD(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)); }
    int Id() const { return GetDlgCtrlID(hwnd); }
    // The window that gets the notifications: the parent, or the owner of a popup.
    virtual HWND NotifyTarget() const;
    bool Enabled() const { return IsWindowEnabled(hwnd) != FALSE; }
    bool Focused() const { return GetFocus() == hwnd; }
    // A clicked control takes the keyboard focus before it acts on the click. False when a focus
    // handler destroyed the control meanwhile: the caller then returns at once, touching nothing.
    bool TakeFocus()
    {
        HWND self = hwnd;
        if (Focused())
            return true;
        SetFocus(self);
        return IsWindow(self) != FALSE;
    }
    RECT Client() const;
    std::wstring Text() const;
    HFONT Font() const;
    // Pixel size of one unit of the classic look: 1 at the 8-point dialog font, 2 at twice it.
    int Unit() const;
    // Width of a drop-down or spin button: a scroll bar's width, grown with the unit.
    int ArrowButtonWidth() const { return std::max(GetSystemMetrics(SM_CXVSCROLL), 16 * Unit()); }
    // Height of a line of text in the control's font.
    int LineHeight() const;
    void Redraw() const { InvalidateRect(hwnd, nullptr, TRUE); }

    // WM_COMMAND (code, id) to the parent.
    void NotifyCommand(UINT code) const;
    // WM_NOTIFY to the parent; fills hdr from this control.
    LRESULT NotifyParent(NMHDR& hdr, UINT code) const;
    LRESULT NotifyParent(UINT code) const;
    // An owner-draw message (WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM, WM_COMPAREITEM): the
    // control's own C++ object may take it (OnChildNotify), else the parent gets it.
    LRESULT OwnerMessage(UINT msg, LPARAM data) const;
    // Asks the parent for the colours (WM_CTLCOLORxxx); the default brush when it gives none.
    HBRUSH CtlColor(UINT msg, HDC dc) const;

    HWND hwnd;
    HFONT font = nullptr;
    bool redraw = true;

    // Forgets the measured line height (a new font may reuse an old handle).
    void ForgetMeasure() const
    {
        measuredFont = nullptr;
        measuredHeight = 0;
    }

private:
    // LineHeight of the font last measured (painting asks often)
    mutable HFONT measuredFont = nullptr;
    mutable int measuredHeight = 0;
};

// Keeps every control object until its window is gone. A window whose last messages went
// elsewhere (a C++ object that detached from it and then destroyed it) never shows the control
// its WM_NCDESTROY; such objects are found and freed when the next control is made.
void TrackControl(HWND h, Control* c);
void ForgetControl(HWND h);

// The window procedure of a control class; the object is made at WM_NCCREATE.
template <class T>
LRESULT ControlProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* c = reinterpret_cast<Control*>(GetWindowLongPtrW(h, 0));
    if (!c) {
        if (msg != WM_NCCREATE)
            return DefWindowProcW(h, msg, wParam, lParam);
        c = new T(h);
        SetWindowLongPtrW(h, 0, reinterpret_cast<LONG_PTR>(c));
        TrackControl(h, c);
    }
    if (msg == WM_SETFONT)
        c->ForgetMeasure();
    LRESULT r = c->Proc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(h, 0, 0);
        ForgetControl(h);
        delete c;
    }
    return r;
}

// Registers a control class with ControlProc<T>.
template <class T>
void RegisterControl(LPCWSTR name, UINT classStyle, LPCWSTR cursor = IDC_ARROW)
{
    WNDCLASSW wc{};
    wc.style = classStyle | CS_GLOBALCLASS;
    wc.lpfnWndProc = &ControlProc<T>;
    wc.cbWndExtra = int(sizeof(void*));
    wc.hCursor = LoadCursorW(nullptr, cursor);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

// The object of a control window of class T (null for another class).
template <class T>
T* ControlOf(HWND h)
{
    return h ? dynamic_cast<T*>(reinterpret_cast<Control*>(GetWindowLongPtrW(h, 0))) : nullptr;
}

// Text of a window as a string.
std::wstring WindowText(HWND h);
// The order of sorted lists: linguistic in the user's locale, case ignored (<0, 0, >0).
int CompareNoCase(const std::wstring& a, const std::wstring& b);
// Whether s starts with prefix, case ignored (the lists' search by typed prefix).
bool StartsWithNoCase(const std::wstring& s, const std::wstring& prefix);

// Registration of each family (called once by AfxRegisterControlClasses).
void RegisterStatic();
void RegisterButton();
void RegisterEdit();
void RegisterListBox();
void RegisterComboBox();
void RegisterScrollBar();
void RegisterProgress();
void RegisterTrackbar();
void RegisterUpDown();
void RegisterTab();
void RegisterTreeView();
void RegisterListView();
void RegisterHeader();
void RegisterDateTime();
void RegisterMonthCal();
void RegisterIpAddress();
void RegisterToolTip();

}  // namespace ctl
