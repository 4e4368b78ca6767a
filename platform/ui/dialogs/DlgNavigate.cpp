// Keyboard navigation in dialogs (IsDialogMessage) and the functions that address controls
// by id.
#include "platform/ui/dialogs/DlgInternal.h"
#include "platform/ui/dialogs/DlgManager.h"
#include "platform/ui/core/Wnd.h"

#include <cerrno>
#include <climits>
#include <cwctype>
#include <string>

namespace dlgi {

UINT DlgCode(HWND hwnd, MSG* msg)
{
    if (!hwnd)
        return 0;
    return UINT(::SendMessageW(hwnd, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg)));
}

bool IsPushButton(HWND hwnd) { return (DlgCode(hwnd) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

// Win32's dialog manager goes by the control's own style bits, not by what is on screen, so
// Tab, WM_NEXTDLGCTL in WM_INITDIALOG and keys queued before the dialog shows all work.
bool Reachable(HWND h)
{
    LONG_PTR style = ::GetWindowLongPtrW(h, GWL_STYLE);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

void CollectControls(HWND hDlg, std::vector<HWND>& out)
{
    for (HWND c = ::GetWindow(hDlg, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        bool container = (::GetWindowLongPtrW(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0;
        if (container && Reachable(c))
            CollectControls(c, out);
        else if (!container)
            out.push_back(c);
        if (out.size() > 100000)
            return;  // a damaged window tree must not make this endless
    }
}

void SetFocusToControl(HWND hDlg, HWND hCtl)
{
    if (!hCtl || !::IsWindow(hCtl))
        return;
    HWND old = ::GetFocus();
    // A push button with the focus is the one Enter presses, so it takes the default frame;
    // when the focus leaves the buttons, the dialog's default button gets it back.
    LRESULT def = ::SendMessageW(hDlg, DM_GETDEFID, 0, 0);
    int defId = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
    HWND defBtn = ::GetDlgItem(hDlg, defId);
    UINT newCode = DlgCode(hCtl);
    bool newIsButton = (newCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
    if (old && old != hCtl && ::IsChild(hDlg, old) && (DlgCode(old) & DLGC_DEFPUSHBUTTON) &&
        (newIsButton || old != defBtn))
        ::SendMessageW(old, kBmSetStyle, kBsPushButton, TRUE);
    if (newIsButton) {
        if (defBtn && defBtn != hCtl && (DlgCode(defBtn) & DLGC_DEFPUSHBUTTON))
            ::SendMessageW(defBtn, kBmSetStyle, kBsPushButton, TRUE);
        if (newCode & DLGC_UNDEFPUSHBUTTON)
            ::SendMessageW(hCtl, kBmSetStyle, kBsDefPushButton, TRUE);
    } else if (defBtn && (DlgCode(defBtn) & DLGC_UNDEFPUSHBUTTON)) {
        ::SendMessageW(defBtn, kBmSetStyle, kBsDefPushButton, TRUE);
    }
    if (newCode & DLGC_HASSETSEL)
        ::SendMessageW(hCtl, kEmSetSel, 0, -1);
    // remembered for when the dialog is shown or activated again
    if (DlgState* s = State(hDlg, false))
        s->savedFocus = hCtl;
    ::SetFocus(hCtl);
}

}  // namespace dlgi

using namespace dlgi;

namespace {

bool Usable(HWND h) { return Reachable(h); }

LONG_PTR StyleOf(HWND h) { return ::GetWindowLongPtrW(h, GWL_STYLE); }

// Index of the entry that is hCtl or holds it (a combo box's edit, say); -1 for none.
int IndexOf(const std::vector<HWND>& list, HWND hCtl)
{
    for (HWND h = hCtl; h; h = ::GetParent(h))
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i] == h)
                return int(i);
    return -1;
}

std::wstring TextOf(HWND h)
{
    int n = ::GetWindowTextLengthW(h);
    if (n <= 0)
        return {};
    std::wstring s(size_t(n) + 1, L'\0');
    n = ::GetWindowTextW(h, &s[0], n + 1);
    s.resize(size_t(n > 0 ? n : 0));
    return s;
}

// The mnemonic character of a control's text ("&Name" -> 'n'); 0 for none.
wchar_t MnemonicOf(const std::wstring& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] == L'&') {
            ++i;
            continue;
        }
        return wchar_t(std::towlower(text[i + 1]));
    }
    return 0;
}

bool DoMnemonic(HWND hDlg, wchar_t ch)
{
    ch = wchar_t(std::towlower(ch));
    if (!ch || ch == L' ')
        return false;
    std::vector<HWND> list;
    CollectControls(hDlg, list);
    if (list.empty())
        return false;
    int start = IndexOf(list, ::GetFocus());
    int n = int(list.size());
    for (int k = 1; k <= n; ++k) {
        int i = ((start < 0 ? -1 : start) + k + n) % n;
        HWND c = list[size_t(i)];
        if (!Usable(c))
            continue;
        UINT code = DlgCode(c);
        if (code & (DLGC_HASSETSEL | DLGC_WANTCHARS))
            continue;  // edits and their kind have no mnemonics
        if (MnemonicOf(TextOf(c)) != ch)
            continue;
        bool groupBox = (code & DLGC_BUTTON) && (StyleOf(c) & kBsTypeMask) == kBsGroupBox;
        if ((code & DLGC_STATIC) || groupBox) {
            // A label passes the focus to the control it names: the next one that can take it.
            for (int j = 1; j < n; ++j) {
                HWND t = list[size_t((i + j) % n)];
                if (Usable(t) && !(DlgCode(t) & DLGC_STATIC)) {
                    ::SendMessageW(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(t), TRUE);
                    return true;
                }
            }
            return true;
        }
        if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
            ::SendMessageW(c, kBmClick, 0, 0);
            return true;
        }
        ::SendMessageW(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(c), TRUE);
        if (code & (DLGC_BUTTON | DLGC_RADIOBUTTON))
            ::SendMessageW(c, kBmClick, 0, 0);
        return true;
    }
    return false;
}

void PressButton(HWND hDlg, int id, HWND btn)
{
    if (btn && !::IsWindowEnabled(btn))
        return;
    ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(WORD(id), kBnClicked), reinterpret_cast<LPARAM>(btn));
}

// Key presses that the dialog itself uses. TRUE when handled.
bool DialogKey(HWND hDlg, MSG* msg)
{
    UINT code = DlgCode(msg->hwnd, msg);
    if (code & DLGC_WANTMESSAGE)
        return false;
    switch (msg->wParam) {
    case VK_TAB:
        if (code & DLGC_WANTTAB)
            return false;
        ::SendMessageW(hDlg, WM_NEXTDLGCTL, ::GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (code & DLGC_WANTARROWS)
            return false;
        HWND focus = ::GetFocus();
        HWND next = ::GetNextDlgGroupItem(hDlg, focus, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
        if (next && next != focus) {
            ::SendMessageW(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
            if (DlgCode(next) & DLGC_RADIOBUTTON)
                ::SendMessageW(next, kBmClick, 0, 0);
        }
        return true;
    }
    case VK_ESCAPE:
    case VK_CANCEL:
        PressButton(hDlg, IDCANCEL, ::GetDlgItem(hDlg, IDCANCEL));
        return true;
    case VK_RETURN: {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(hDlg, focus) && IsPushButton(focus)) {
            PressButton(hDlg, ::GetDlgCtrlID(focus), focus);
            return true;
        }
        LRESULT def = ::SendMessageW(hDlg, DM_GETDEFID, 0, 0);
        int id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
        PressButton(hDlg, id, ::GetDlgItem(hDlg, id));
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    std::vector<HWND> list;
    CollectControls(hDlg, list);
    int n = int(list.size());
    if (!n)
        return nullptr;
    int idx = hCtl ? IndexOf(list, hCtl) : -1;
    for (int k = 1; k <= n; ++k) {
        int i;
        if (idx < 0)
            i = bPrevious ? n - k : k - 1;
        else
            i = ((idx + (bPrevious ? -k : k)) % n + n) % n;
        HWND c = list[size_t(i)];
        if ((StyleOf(c) & WS_TABSTOP) && Usable(c))
            return c;
    }
    return idx >= 0 ? hCtl : nullptr;
}

HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    std::vector<HWND> list;
    CollectControls(hDlg, list);
    int n = int(list.size());
    int idx = IndexOf(list, hCtl);
    if (idx < 0)
        return n ? (bPrevious ? list.back() : list.front()) : nullptr;
    // The group runs from the last WS_GROUP control at or before hCtl to the next one.
    int first = idx;
    while (first > 0 && !(StyleOf(list[size_t(first)]) & WS_GROUP))
        --first;
    int end = idx + 1;
    while (end < n && !(StyleOf(list[size_t(end)]) & WS_GROUP))
        ++end;
    int size = end - first;
    for (int k = 1; k < size; ++k) {
        int i = first + (((idx - first) + (bPrevious ? -k : k)) % size + size) % size;
        HWND c = list[size_t(i)];
        if (Usable(c))
            return c;
    }
    return hCtl;
}

BOOL IsDialogMessageW(HWND hDlg, LPMSG msg)
{
    if (!hDlg || !msg || !::IsWindow(hDlg))
        return FALSE;
    if (msg->hwnd != hDlg && !::IsChild(hDlg, msg->hwnd))
        return FALSE;
    switch (msg->message) {
    case WM_KEYDOWN:
        if (DialogKey(hDlg, msg))
            return TRUE;
        break;
    case WM_CHAR: {
        UINT code = DlgCode(msg->hwnd, msg);
        if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE))
            break;
        wchar_t ch = wchar_t(msg->wParam);
        if (ch == L'\t' && (code & DLGC_WANTTAB))
            break;
        if (ch == L'\t' || ch == L'\r' || ch == 27)
            return TRUE;  // the key press did its work already
        if (DoMnemonic(hDlg, ch))
            return TRUE;
        break;
    }
    case WM_SYSCHAR:
        if (DoMnemonic(hDlg, wchar_t(msg->wParam)))
            return TRUE;
        break;
    default:
        break;
    }
    ::TranslateMessage(msg);
    ::DispatchMessageW(msg);
    return TRUE;
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult)
{
    if (!::IsWindow(hDlg))
        return FALSE;
    // A page ends the dialog that holds it.
    HWND parent = ::GetParent(hDlg);
    if ((StyleOf(hDlg) & WS_CHILD) && parent && DlgIsDialog(parent))
        return ::EndDialog(parent, nResult);
    if (DlgState* s = State(hDlg)) {
        s->result = nResult;
        s->ended = true;
    }
    CWnd* w = CWnd::FromHandlePermanent(hDlg);
    if (w && (w->m_nFlags & WF_MODALLOOP))
        w->EndModalLoop(int(nResult));
    else
        ::ShowWindow(hDlg, SW_HIDE);
    return TRUE;
}

// ---- controls by id ----

LRESULT SendDlgItemMessageW(HWND hDlg, int id, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND h = ::GetDlgItem(hDlg, id);
    return h ? ::SendMessageW(h, msg, wParam, lParam) : 0;
}

BOOL SetDlgItemTextW(HWND hDlg, int id, LPCWSTR text)
{
    HWND h = ::GetDlgItem(hDlg, id);
    return h ? ::SetWindowTextW(h, text ? text : L"") : FALSE;
}

UINT GetDlgItemTextW(HWND hDlg, int id, LPWSTR buf, int max)
{
    HWND h = ::GetDlgItem(hDlg, id);
    if (!h) {
        if (buf && max > 0)
            buf[0] = 0;
        return 0;
    }
    return UINT(::GetWindowTextW(h, buf, max));
}

BOOL SetDlgItemInt(HWND hDlg, int id, UINT value, BOOL bSigned)
{
    std::wstring s = bSigned ? std::to_wstring(int(value)) : std::to_wstring(value);
    return SetDlgItemTextW(hDlg, id, s.c_str());
}

UINT GetDlgItemInt(HWND hDlg, int id, BOOL* translated, BOOL bSigned)
{
    if (translated)
        *translated = FALSE;
    HWND h = ::GetDlgItem(hDlg, id);
    if (!h)
        return 0;
    std::wstring s = TextOf(h);
    size_t i = 0;
    while (i < s.size() && std::iswspace(s[i]))
        ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == L'-' || s[i] == L'+')) {
        if (s[i] == L'-' && !bSigned)
            return 0;
        neg = s[i] == L'-';
        ++i;
    }
    size_t digits = i;
    unsigned long long v = 0;
    while (i < s.size() && s[i] >= L'0' && s[i] <= L'9') {
        v = v * 10 + unsigned(s[i] - L'0');
        if (v > 0xFFFFFFFFull)
            return 0;
        ++i;
    }
    if (i == digits)
        return 0;
    while (i < s.size() && std::iswspace(s[i]))
        ++i;
    if (i != s.size())
        return 0;
    if (bSigned) {
        if ((!neg && v > unsigned(INT_MAX)) || (neg && v > 0x80000000ull))
            return 0;
        if (translated)
            *translated = TRUE;
        return neg ? UINT(-static_cast<long long>(v)) : UINT(v);
    }
    if (translated)
        *translated = TRUE;
    return UINT(v);
}

BOOL CheckDlgButton(HWND hDlg, int id, UINT check)
{
    HWND h = ::GetDlgItem(hDlg, id);
    if (!h)
        return FALSE;
    ::SendMessageW(h, kBmSetCheck, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int id)
{
    HWND h = ::GetDlgItem(hDlg, id);
    return h ? UINT(::SendMessageW(h, kBmGetCheck, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND hDlg, int idFirst, int idLast, int idCheck)
{
    if (idFirst > idLast)
        return FALSE;
    // Over the children rather than the id range, which may be wide.
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        int id = ::GetDlgCtrlID(h);
        if (id >= idFirst && id <= idLast)
            ::SendMessageW(h, kBmSetCheck, id == idCheck ? 1 : 0, 0);
    }
    return TRUE;
}
