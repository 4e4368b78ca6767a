// The "ComboBox" class: simple, drop-down and drop-down-list combo boxes. The list is a
// "ComboLBox" window: a popup below the box for the drop-down kinds (it holds the mouse while
// open), a child for the simple kind. The edit of the editable kinds is an "Edit" child with id
// 1001. CB_SETCURSEL and the other calls from code send no notifications. A choice of the user
// is reported with CBN_SELCHANGE before the edit shows the new item's text, as in Win32.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"
#include "platform/ui/controls/CtlPrivate.h"
#include "platform/ui/core/Host.h"

#include <algorithm>

namespace ctl {
namespace {

class ComboBox : public Control {
public:
    using Control::Control;

    HWND edit = nullptr;
    HWND list = nullptr;
    WNDPROC editProc = nullptr;
    int dropHeight = 0;     // height asked for with the window, the list's share of it
    int droppedWidth = 0;
    int fieldHeight = 0;    // item height of the selection field (CB_SETITEMHEIGHT -1)
    bool dropped = false;
    bool pressed = false;
    bool quiet = false;     // the edit's text changes from code, not the user
    int selAtDrop = -1;
    bool extendedUi = false;
    DWORD listScroll = WS_VSCROLL;

    DWORD Kind() const { return Style() & 3; }
    bool HasEdit() const { return Kind() == CBS_SIMPLE || Kind() == CBS_DROPDOWN; }
    bool OwnerDraw() const { return (Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
    int ButtonWidth() const { return ArrowButtonWidth(); }
    // Height of the closed box: Win32 makes it 13/8 of the font's height, or the item height
    // set with CB_SETITEMHEIGHT (-1) plus the borders.
    int FieldH() { return fieldHeight > 0 ? fieldHeight + 6 * Unit() : std::max(LineHeight() * 13 / 8, LineHeight() + 6 * Unit()); }
    // Height of the selection field inside the borders (CB_GETITEMHEIGHT -1).
    int ItemH() { return FieldH() - 6 * Unit(); }
    // Width of the dropped list: the box's width, or the wider one set with CB_SETDROPPEDWIDTH.
    int DroppedW() const
    {
        RECT wr{};
        GetWindowRect(hwnd, &wr);
        return std::max<int>(droppedWidth, wr.right - wr.left);
    }
    LRESULT L(UINT m, WPARAM w = 0, LPARAM l = 0) const { return list ? SendMessageW(list, m, w, l) : CB_ERR; }
    int Cur() const { return int(L(LB_GETCURSEL)); }
    std::wstring ItemText(int i) const
    {
        LRESULT n = L(LB_GETTEXTLEN, WPARAM(i));
        if (n < 0)
            return {};
        std::wstring s(size_t(n) + 1, L'\0');
        L(LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(s.data()));
        s.resize(size_t(n));
        return s;
    }

    // A chosen item's text shows selected whole; a text set with WM_SETTEXT (selectAll false)
    // leaves the caret at its start, as an edit's own WM_SETTEXT does.
    void SetEditText(const std::wstring& t, bool selectAll = true)
    {
        if (!edit)
            return;
        quiet = true;
        SetWindowTextW(edit, t.c_str());
        quiet = false;
        SendMessageW(edit, EM_SETSEL, 0, selectAll ? -1 : 0);
    }

    void SyncText()
    {
        int c = Cur();
        if (HasEdit())
            SetEditText(c >= 0 ? ItemText(c) : std::wstring());
        Redraw();
    }

    static LRESULT EditHook(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        HWND combo = GetParent(h);
        ComboBox* self = ControlOf<ComboBox>(combo);
        if (!self)
            return DefWindowProcW(h, msg, wParam, lParam);
        WNDPROC proc = self->editProc;
        if (msg == WM_KEYDOWN) {
            if (wParam == VK_F4 || wParam == VK_ESCAPE || wParam == VK_RETURN ||
                ((wParam == VK_UP || wParam == VK_DOWN) && self->Kind() != CBS_SIMPLE)) {
                if (self->Key(UINT(wParam)))
                    return 0;
            }
            if ((wParam == VK_UP || wParam == VK_DOWN) && self->Kind() == CBS_SIMPLE) {
                self->Key(UINT(wParam));
                return 0;
            }
        }
        if (msg == WM_SYSKEYDOWN && (wParam == VK_DOWN || wParam == VK_UP)) {
            self->Toggle();
            return 0;
        }
        if (msg == WM_KILLFOCUS) {
            LRESULT r = CallWindowProcW(proc, h, msg, wParam, lParam);
            self->FocusLeft(reinterpret_cast<HWND>(wParam));
            return r;
        }
        if (msg == WM_SETFOCUS) {
            LRESULT r = CallWindowProcW(proc, h, msg, wParam, lParam);
            if (reinterpret_cast<HWND>(wParam) != combo && reinterpret_cast<HWND>(wParam) != self->list) {
                // the focus arrives from outside: the whole text is selected, ready to be typed over
                SendMessageW(h, EM_SETSEL, 0, -1);
                self->NotifyCommand(CBN_SETFOCUS);
            }
            return r;
        }
        return CallWindowProcW(proc, h, msg, wParam, lParam);
    }

    void Create(const CREATESTRUCTW* cs)
    {
        dropHeight = cs ? cs->cy : 0;
        int u = Unit();
        RECT r = Client();
        DWORD listStyle = LBS_COMBOBOX | LBS_NOTIFY | listScroll | (Style() & CBS_SORT ? LBS_SORT : 0) |
                          (Style() & CBS_OWNERDRAWFIXED ? LBS_OWNERDRAWFIXED : 0) |
                          (Style() & CBS_HASSTRINGS ? LBS_HASSTRINGS : 0) |
                          (Style() & CBS_DISABLENOSCROLL ? LBS_DISABLENOSCROLL : 0);
        if (Kind() == CBS_SIMPLE) {
            list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_COMBOLBOXW, L"", WS_CHILD | WS_VISIBLE | listStyle, 0, FieldH(),
                                   r.right, std::max<int>(0, r.bottom - FieldH()), hwnd, reinterpret_cast<HMENU>(1000),
                                   nullptr, hwnd);
        } else {
            list = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WC_COMBOLBOXW, L"",
                                   WS_POPUP | WS_BORDER | listStyle, 0, 0, 10, 10, hwnd, nullptr, nullptr, hwnd);
        }
        if (HasEdit()) {
            DWORD es = WS_CHILD | WS_VISIBLE | ES_LEFT | (Style() & CBS_AUTOHSCROLL ? ES_AUTOHSCROLL : 0) |
                       (Style() & CBS_UPPERCASE ? ES_UPPERCASE : 0) | (Style() & CBS_LOWERCASE ? ES_LOWERCASE : 0);
            edit = CreateWindowExW(0, WC_EDITW, L"", es, 0, 0, 10, 10, hwnd,
                                   reinterpret_cast<HMENU>(UINT_PTR(CTL_COMBO_EDIT_ID)), nullptr, nullptr);
            editProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_WNDPROC));
            SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ComboBox::EditHook));
        }
        (void)u;
        if (Kind() != CBS_SIMPLE)
            SetWindowPos(hwnd, nullptr, 0, 0, r.right, FieldH(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Arrange();
    }

    void Arrange()
    {
        RECT r = Client();
        int u = Unit(), fh = FieldH();
        if (edit) {
            int right = Kind() == CBS_SIMPLE ? r.right - 2 * u : r.right - 2 * u - ButtonWidth();
            MoveWindow(edit, 3 * u, 3 * u, std::max<int>(0, right - 3 * u), fh - 6 * u, TRUE);
        }
        if (list && Kind() == CBS_SIMPLE)
            MoveWindow(list, 0, fh, r.right, std::max<int>(0, r.bottom - fh), TRUE);
    }

    void FocusLeft(HWND to)
    {
        if (to == hwnd || to == edit || to == list)
            return;
        if (dropped)
            Close(false);
        if (edit)
            SendMessageW(edit, EM_SETSEL, 0, 0);  // no selection is left behind in the field
        NotifyCommand(CBN_KILLFOCUS);
        Redraw();
    }

    void Drop()
    {
        if (dropped || Kind() == CBS_SIMPLE || !list)
            return;
        HWND self = hwnd;
        NotifyCommand(CBN_DROPDOWN);
        if (!IsWindow(self))
            return;
        dropped = true;
        selAtDrop = Cur();
        RECT wr{};
        GetWindowRect(hwnd, &wr);
        int itemH = int(L(LB_GETITEMHEIGHT));
        int n = std::max(1, int(L(LB_GETCOUNT)));
        int want = std::max(itemH + 2, std::min(n * itemH + 2, std::max(itemH + 2, dropHeight - FieldH())));
        int w = DroppedW();
        SIZE screen = AfxGetHost()->ScreenSize();
        int y = wr.bottom;
        if (y + want > screen.cy && wr.top - want >= 0)
            y = wr.top - want;
        SetWindowPos(list, HWND_TOPMOST, wr.left, y, w, want, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        int c = Cur();
        if (c >= 0)
            L(LB_SETTOPINDEX, WPARAM(c));
        SendMessageW(list, kComboListTrack, 0, 0);
        Redraw();
    }

    // Closes the drop-down; `accept` keeps the list's current item as the selection.
    void Close(bool accept)
    {
        if (!dropped)
            return;
        dropped = false;
        HWND self = hwnd;
        if (GetCapture() == list)
            ReleaseCapture();
        ShowWindow(list, SW_HIDE);
        if (!accept)
            L(LB_SETCURSEL, WPARAM(selAtDrop));
        NotifyCommand(accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
        if (!IsWindow(self))
            return;
        NotifyCommand(CBN_CLOSEUP);
        if (!IsWindow(self))
            return;
        if (accept && Cur() != selAtDrop) {
            NotifyCommand(CBN_SELCHANGE);
            if (!IsWindow(self))
                return;
        }
        SyncText();
    }

    void Toggle()
    {
        if (dropped)
            Close(true);
        else
            Drop();
    }

    // Moves the selection as a user does; CBN_SELCHANGE when it changed.
    void Step(int to)
    {
        int n = int(L(LB_GETCOUNT));
        if (n <= 0)
            return;
        to = std::clamp(to, 0, n - 1);
        if (to == Cur())
            return;
        L(LB_SETCURSEL, WPARAM(to));
        if (dropped)
            return;  // the choice is made when the list closes
        HWND self = hwnd;
        NotifyCommand(CBN_SELCHANGE);
        if (IsWindow(self))
            SyncText();
    }

    bool Key(UINT vk)
    {
        int c = Cur();
        switch (vk) {
        case VK_F4: Toggle(); return true;
        case VK_ESCAPE:
            if (dropped) {
                Close(false);
                return true;
            }
            return false;
        case VK_RETURN:
            if (dropped) {
                Close(true);
                return true;
            }
            return false;
        case VK_UP: Step(c < 0 ? 0 : c - 1); return true;
        case VK_DOWN: Step(c < 0 ? 0 : c + 1); return true;
        case VK_HOME: Step(0); return true;
        case VK_END: Step(int(L(LB_GETCOUNT)) - 1); return true;
        case VK_PRIOR: Step(c - 8); return true;
        case VK_NEXT: Step(c + 8); return true;
        default: return false;
        }
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_NCCREATE:
            // the scroll-bar styles are the list's; the box itself has none
            SetWindowLongPtrW(hwnd, GWL_STYLE, LONG_PTR(Style() & ~(WS_VSCROLL | WS_HSCROLL)));
            listScroll = reinterpret_cast<CREATESTRUCTW*>(lParam)->style & (WS_VSCROLL | WS_HSCROLL);
            return Default(msg, wParam, lParam);
        case WM_CREATE:
            Create(reinterpret_cast<CREATESTRUCTW*>(lParam));
            return 0;
        case WM_DESTROY:
            if (list && Kind() != CBS_SIMPLE)
                DestroyWindow(list);
            list = nullptr;
            return 0;
        case WM_WINDOWPOSCHANGING: {
            auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
            if (Kind() != CBS_SIMPLE && !(wp->flags & SWP_NOSIZE) && wp->cy != FieldH()) {
                dropHeight = wp->cy;  // a taller box asks for that much room for the list
                wp->cy = FieldH();
            }
            return 0;
        }
        case WM_SIZE:
            Arrange();
            Redraw();
            return 0;
        case WM_SETFONT:
            font = reinterpret_cast<HFONT>(wParam);
            if (edit)
                SendMessageW(edit, WM_SETFONT, wParam, lParam);
            if (list)
                SendMessageW(list, WM_SETFONT, wParam, lParam);
            if (Kind() != CBS_SIMPLE) {
                RECT r = Client();
                SetWindowPos(hwnd, nullptr, 0, 0, r.right, FieldH(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            Arrange();
            Redraw();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS | (dropped ? DLGC_WANTMESSAGE : 0);
        case WM_SETTEXT: {
            std::wstring t = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
            if (HasEdit()) {
                SetEditText(t, false);
                return TRUE;
            }
            int i = int(L(LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(t.c_str())));
            if (i < 0)
                return CB_ERR;
            L(LB_SETCURSEL, WPARAM(i));
            Redraw();
            return TRUE;
        }
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH: {
            std::wstring t = HasEdit() ? WindowText(edit) : (Cur() >= 0 ? ItemText(Cur()) : std::wstring());
            if (msg == WM_GETTEXTLENGTH)
                return LRESULT(t.size());
            if (!wParam || !lParam)
                return 0;
            size_t n = std::min(t.size(), size_t(wParam) - 1);
            std::copy_n(t.data(), n, reinterpret_cast<LPWSTR>(lParam));
            reinterpret_cast<LPWSTR>(lParam)[n] = 0;
            return LRESULT(n);
        }
        case WM_ENABLE:
            if (edit)
                EnableWindow(edit, BOOL(wParam));
            if (list && Kind() == CBS_SIMPLE)
                EnableWindow(list, BOOL(wParam));
            Redraw();
            return 0;
        case WM_SETFOCUS:
            if (edit) {
                // the edit takes the focus; arriving from outside, it is handled as the edit's own
                HWND from = reinterpret_cast<HWND>(wParam), self = hwnd;
                SetFocus(edit);
                if (IsWindow(self) && GetFocus() == edit && from != edit && from != list) {
                    SendMessageW(edit, EM_SETSEL, 0, -1);
                    NotifyCommand(CBN_SETFOCUS);
                }
                return 0;
            }
            NotifyCommand(CBN_SETFOCUS);
            Redraw();
            return 0;
        case WM_KILLFOCUS:
            FocusLeft(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            HWND self = hwnd;
            HWND target = edit ? edit : hwnd;
            if (GetFocus() != target) {
                SetFocus(target);
                if (!IsWindow(self))
                    return 0;
            }
            if (Kind() == CBS_SIMPLE)
                return 0;
            RECT r = Client();
            int x = GET_X_LPARAM(lParam);
            if (Kind() == CBS_DROPDOWNLIST || x >= r.right - ButtonWidth() - 2 * Unit())
                Toggle();
            return 0;
        }
        case WM_KEYDOWN:
            Key(UINT(wParam));
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_DOWN || wParam == VK_UP) {
                Toggle();
                return 0;
            }
            return Default(msg, wParam, lParam);
        case WM_CHAR:
            if (edit)  // typed characters are the edit's, also when sent to the box
                return SendMessageW(edit, msg, wParam, lParam);
            if (wParam >= 0x20) {
                int i = int(L(LB_FINDSTRING, WPARAM(Cur()), reinterpret_cast<LPARAM>(std::wstring(1, wchar_t(wParam)).c_str())));
                if (i >= 0)
                    Step(i);
            }
            return 0;
        case WM_MOUSEWHEEL:
            if (!dropped && Focused())
                Step(Cur() - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
            return 0;
        case kComboListPicked:
            L(LB_SETCURSEL, wParam);
            Close(true);
            return 0;
        case kComboListCancel:
            Close(false);
            return 0;
        case WM_COMMAND: {
            HWND from = reinterpret_cast<HWND>(lParam);
            UINT code = HIWORD(wParam);
            if (from == edit && !quiet) {
                if (code == EN_CHANGE)
                    NotifyCommand(CBN_EDITCHANGE);
                else if (code == EN_UPDATE)
                    NotifyCommand(CBN_EDITUPDATE);
            } else if (from == list && Kind() == CBS_SIMPLE) {
                if (code == LBN_SELCHANGE) {
                    HWND self = hwnd;
                    NotifyCommand(CBN_SELCHANGE);
                    if (IsWindow(self))
                        SyncText();
                } else if (code == LBN_DBLCLK) {
                    NotifyCommand(CBN_DBLCLK);
                }
            }
            return 0;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC: {
            HWND p = NotifyTarget();
            return p ? SendMessageW(p, msg, wParam, lParam) : Default(msg, wParam, lParam);
        }
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_DELETEITEM: {
            // the list's owner drawing is the combo box's, as far as the parent sees
            if (msg == WM_MEASUREITEM) {
                auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
                m->CtlType = ODT_COMBOBOX;
                m->CtlID = UINT(Id());
            } else if (msg == WM_DRAWITEM) {
                auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
                d->CtlType = ODT_COMBOBOX;
                d->CtlID = UINT(Id());
                d->hwndItem = hwnd;
            } else {
                auto* d = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
                d->CtlType = ODT_COMBOBOX;
                d->CtlID = UINT(Id());
                d->hwndItem = hwnd;
            }
            return OwnerMessage(msg, lParam);
        }
        // ---- combo box messages ----
        case CB_ADDSTRING: return L(LB_ADDSTRING, wParam, lParam);
        case CB_INSERTSTRING: return L(LB_INSERTSTRING, wParam, lParam);
        case CB_DELETESTRING: {
            LRESULT r = L(LB_DELETESTRING, wParam, lParam);
            Redraw();
            return r;
        }
        case CB_RESETCONTENT:
            L(LB_RESETCONTENT);
            if (edit)
                SetEditText(L"");
            Redraw();
            return CB_OKAY;
        case CB_GETCOUNT: return L(LB_GETCOUNT);
        case CB_GETCURSEL: return L(LB_GETCURSEL);
        case CB_SETCURSEL: {
            LRESULT r = L(LB_SETCURSEL, wParam);
            SyncText();
            return r;
        }
        case CB_GETLBTEXT: return L(LB_GETTEXT, wParam, lParam);
        case CB_GETLBTEXTLEN: return L(LB_GETTEXTLEN, wParam, lParam);
        case CB_GETITEMDATA: return L(LB_GETITEMDATA, wParam, lParam);
        case CB_SETITEMDATA: return L(LB_SETITEMDATA, wParam, lParam);
        case CB_FINDSTRING: return L(LB_FINDSTRING, wParam, lParam);
        case CB_FINDSTRINGEXACT: return L(LB_FINDSTRINGEXACT, wParam, lParam);
        case CB_SELECTSTRING: {
            LRESULT r = L(LB_FINDSTRING, wParam, lParam);
            if (r >= 0) {
                L(LB_SETCURSEL, WPARAM(r));
                SyncText();
            }
            return r;
        }
        case CB_GETTOPINDEX: return L(LB_GETTOPINDEX);
        case CB_SETTOPINDEX: return L(LB_SETTOPINDEX, wParam) == LB_ERR ? CB_ERR : 0;
        case CB_SHOWDROPDOWN:
            if (wParam)
                Drop();
            else
                Close(true);
            return TRUE;
        case CB_GETDROPPEDSTATE: return dropped;
        case CB_SETEXTENDEDUI: extendedUi = wParam != 0; return CB_OKAY;
        case CB_GETEXTENDEDUI: return extendedUi;
        case CB_SETDROPPEDWIDTH:
            // a width below the box's own means no wider list; a simple box has no drop-down
            if (Kind() == CBS_SIMPLE || wParam >= 32768)
                return CB_ERR;
            droppedWidth = int(wParam);
            return DroppedW();
        case CB_GETDROPPEDWIDTH:
            return Kind() == CBS_SIMPLE ? CB_ERR : DroppedW();
        case CB_GETDROPPEDCONTROLRECT: {
            // the box's top-left corner and the bottom-right corner of the list as it drops
            if (auto* out = reinterpret_cast<RECT*>(lParam)) {
                RECT wr{};
                GetWindowRect(hwnd, &wr);
                *out = RECT{wr.left, wr.top, wr.left + DroppedW(), wr.top + std::max(dropHeight, FieldH())};
            }
            return TRUE;
        }
        case CB_GETCOMBOBOXINFO: {
            auto* info = reinterpret_cast<COMBOBOXINFO*>(lParam);
            if (!info || info->cbSize != sizeof(COMBOBOXINFO))
                return FALSE;
            RECT r = Client();
            int u = Unit(), fh = Kind() == CBS_SIMPLE ? FieldH() : int(r.bottom);
            int right = Kind() == CBS_SIMPLE ? r.right - 2 * u : r.right - 2 * u - ButtonWidth();
            info->rcItem = RECT{3 * u, 3 * u, right, fh - 3 * u};
            info->rcButton = Kind() == CBS_SIMPLE ? RECT{0, 0, 0, 0} : RECT{right, 2 * u, int(r.right) - 2 * u, fh - 2 * u};
            info->stateButton = Kind() == CBS_SIMPLE ? STATE_SYSTEM_INVISIBLE : (dropped && pressed ? STATE_SYSTEM_PRESSED : 0);
            info->hwndCombo = hwnd;
            info->hwndItem = edit ? edit : hwnd;
            info->hwndList = list;
            return TRUE;
        }
        case CB_SETITEMHEIGHT:
            if (int(wParam) == -1) {
                fieldHeight = int(lParam);
                RECT r = Client();
                if (Kind() != CBS_SIMPLE)
                    SetWindowPos(hwnd, nullptr, 0, 0, r.right, FieldH(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                Arrange();
                return 0;
            }
            return L(LB_SETITEMHEIGHT, 0, lParam);
        case CB_GETITEMHEIGHT:
            return int(wParam) == -1 ? ItemH() : L(LB_GETITEMHEIGHT);
        case CB_LIMITTEXT:
            if (!edit)
                return CB_ERR;
            SendMessageW(edit, EM_LIMITTEXT, wParam, 0);
            return TRUE;
        case CB_GETEDITSEL:
            return edit ? SendMessageW(edit, EM_GETSEL, wParam, lParam) : CB_ERR;
        case CB_SETEDITSEL:
            if (!edit)
                return CB_ERR;
            SendMessageW(edit, EM_SETSEL, WPARAM(SHORT(LOWORD(lParam))), LPARAM(SHORT(HIWORD(lParam))));
            return TRUE;
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    void Paint(HDC dc) override
    {
        RECT r = Client();
        int u = Unit();
        int fh = Kind() == CBS_SIMPLE ? FieldH() : r.bottom;
        RECT field{r.left, r.top, r.right, fh};
        // a disabled field asks for the colours of a static, so the parent still decides them
        HBRUSH back = CtlColor(!Enabled() ? WM_CTLCOLORSTATIC : Kind() == CBS_DROPDOWNLIST ? WM_CTLCOLORLISTBOX : WM_CTLCOLOREDIT, dc);
        COLORREF ink = Enabled() ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
        if (Kind() == CBS_SIMPLE) {
            FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        }
        CRect inner(field);
        DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        if (back)
            FillRect(dc, &inner, back);
        if (Kind() == CBS_SIMPLE)
            return;
        RECT btn{inner.right - ButtonWidth(), inner.top, inner.right, inner.bottom};
        DrawButtonFace(dc, btn, dropped && pressed, false);
        DrawArrow(dc, btn, 1, Enabled());
        if (Kind() != CBS_DROPDOWNLIST)
            return;
        RECT tr{inner.left + u, inner.top + u, btn.left - u, inner.bottom - u};
        int c = Cur();
        bool hot = Focused() && !dropped;
        if (OwnerDraw()) {
            UINT st = ODS_COMBOBOXEDIT | (hot ? (ODS_SELECTED | ODS_FOCUS) : 0) | (Enabled() ? 0 : ODS_DISABLED);
            DRAWITEMSTRUCT dis{ODT_COMBOBOX, UINT(Id()), UINT(c), ODA_DRAWENTIRE, st, hwnd, dc, tr,
                               ULONG_PTR(c >= 0 ? L(LB_GETITEMDATA, WPARAM(c)) : 0)};
            OwnerMessage(WM_DRAWITEM, reinterpret_cast<LPARAM>(&dis));
            return;
        }
        if (hot) {
            FillRect(dc, &tr, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            SetTextColor(dc, ink);
        }
        if (c >= 0) {
            RECT t2{tr.left + u, tr.top, tr.right, tr.bottom};
            std::wstring s = ItemText(c);
            DrawTextW(dc, s.c_str(), -1, &t2, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        if (hot)
            DrawFocusRect(dc, &tr);
    }
};

}  // namespace

void RegisterComboBox() { RegisterControl<ComboBox>(WC_COMBOBOXW, CS_DBLCLKS); }

}  // namespace ctl
