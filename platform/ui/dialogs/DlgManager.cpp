// The dialog class, its default procedure, dialog units and dialogs built from templates.
#include "platform/ui/dialogs/DlgManager.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/dialogs/DlgInternal.h"
#include "platform/ui/core/Wnd.h"

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <unordered_map>

namespace dlgi {

namespace {

std::unordered_map<HWND, DlgState>& States()
{
    static auto* m = new std::unordered_map<HWND, DlgState>;
    return *m;
}

}  // namespace

DlgState* State(HWND hDlg, bool create)
{
    if (!::IsWindow(hDlg))
        return nullptr;
    auto& m = States();
    auto it = m.find(hDlg);
    if (it != m.end())
        return &it->second;
    if (!create)
        return nullptr;
    return &m[hDlg];
}

void DropState(HWND hDlg) { States().erase(hDlg); }

HFONT TemplateFont(const wchar_t* face, int pointSize, int weight, bool italic)
{
    using Key = std::tuple<std::wstring, int, int, bool>;
    static std::mutex mutex;
    static auto* fonts = new std::map<Key, HFONT>;
    std::lock_guard<std::mutex> lock(mutex);
    Key key{face ? face : L"", pointSize, weight, italic};
    auto it = fonts->find(key);
    if (it != fonts->end())
        return it->second;
    HFONT f = nullptr;
    if (!face || !*face) {
        f = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    } else {
        LOGFONTW lf{};
        lf.lfHeight = -((pointSize * 96 + 36) / 72);  // points at 96 dots per inch
        lf.lfWeight = weight ? weight : FW_NORMAL;
        lf.lfItalic = italic ? 1 : 0;
        lf.lfCharSet = DEFAULT_CHARSET;
        wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
        f = ::CreateFontIndirect(&lf);
    }
    (*fonts)[key] = f;
    return f;
}

SIZE FontBaseUnits(HFONT font)
{
    // The average width of the Latin letters and the character height, as Win32 measures the
    // base units of a dialog font.
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(SYSTEM_FONT));
    static const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE sz{0, 0};
    ::GetTextExtentPoint32W(dc, letters, 52, &sz);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    SIZE r{(sz.cx / 26 + 1) / 2, tm.tmHeight};
    if (r.cx <= 0)
        r.cx = 6;
    if (r.cy <= 0)
        r.cy = 13;
    return r;
}

}  // namespace dlgi

using namespace dlgi;

namespace {

RECT ToPixels(SIZE base, int x, int y, int cx, int cy)
{
    RECT r;
    r.left = ::MulDiv(x, base.cx, 4);
    r.top = ::MulDiv(y, base.cy, 8);
    r.right = r.left + ::MulDiv(cx, base.cx, 4);
    r.bottom = r.top + ::MulDiv(cy, base.cy, 8);
    return r;
}

SIZE TemplateBaseUnits(const DialogTemplate& t)
{
    return DlgMeasureBaseUnits(t.fontFace.c_str(), t.fontSize, t.fontWeight, t.fontItalic);
}

}  // namespace

// ---- the class ----

void DlgRegisterClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Templates name the standard controls by class; they exist before any dialog does.
        AfxRegisterControlClasses();
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS | CS_SAVEBITS;
        wc.lpfnWndProc = DefDlgProcW;
        wc.cbWndExtra = 30;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_3DFACE + 1));
        wc.lpszClassName = WC_DIALOG;
        ::RegisterClassW(&wc);
    });
}

BOOL DlgIsDialog(HWND hwnd) { return State(hwnd, false) != nullptr; }

LRESULT DefDlgProcW(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCCREATE:
        State(hDlg);
        break;
    case DM_GETDEFID: {
        DlgState* s = State(hDlg);
        if (!s || !s->defId)
            return 0;
        return LRESULT(MAKELONG(WORD(s->defId), DC_HASDEFID));
    }
    case DM_SETDEFID: {
        DlgState* s = State(hDlg);
        if (!s)
            return FALSE;
        int oldId = s->defId ? s->defId : IDOK;
        s->defId = int(wParam);
        // The old default button loses its bold frame, the new one gets it.
        HWND oldBtn = ::GetDlgItem(hDlg, oldId);
        if (oldBtn && oldId != int(wParam) && (DlgCode(oldBtn) & DLGC_DEFPUSHBUTTON))
            ::SendMessageW(oldBtn, kBmSetStyle, kBsPushButton, TRUE);
        HWND newBtn = ::GetDlgItem(hDlg, int(wParam));
        if (newBtn && (DlgCode(newBtn) & DLGC_UNDEFPUSHBUTTON))
            ::SendMessageW(newBtn, kBmSetStyle, kBsDefPushButton, TRUE);
        return TRUE;
    }
    case WM_NEXTDLGCTL: {
        HWND target;
        if (LOWORD(lParam))
            target = reinterpret_cast<HWND>(wParam);
        else
            target = ::GetNextDlgTabItem(hDlg, ::GetFocus(), wParam ? TRUE : FALSE);
        if (target)
            SetFocusToControl(hDlg, target);
        return 0;
    }
    case WM_CLOSE: {
        // Closing is cancelling, unless the Cancel button exists and is disabled.
        HWND cancel = ::GetDlgItem(hDlg, IDCANCEL);
        if (!cancel || ::IsWindowEnabled(cancel))
            ::PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, kBnClicked), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND f = ::GetFocus();
            if (f && ::IsChild(hDlg, f))
                if (DlgState* s = State(hDlg))
                    s->savedFocus = f;
        } else if (!HIWORD(wParam)) {
            DlgState* s = State(hDlg);
            HWND f = s ? s->savedFocus : nullptr;
            if (!f || !::IsWindow(f) || !::IsChild(hDlg, f))
                f = ::GetNextDlgTabItem(hDlg, nullptr, FALSE);
            if (f)
                SetFocusToControl(hDlg, f);
            else
                ::SetFocus(hDlg);
        }
        return 0;
    case WM_SETFOCUS: {
        DlgState* s = State(hDlg);
        HWND f = s ? s->savedFocus : nullptr;
        if (!f || !::IsWindow(f) || !::IsChild(hDlg, f))
            f = ::GetNextDlgTabItem(hDlg, nullptr, FALSE);
        if (f && Reachable(f))
            SetFocusToControl(hDlg, f);
        return 0;
    }
    case WM_SHOWWINDOW:
        if (!wParam) {
            HWND f = ::GetFocus();
            if (f && ::IsChild(hDlg, f))
                if (DlgState* s = State(hDlg))
                    s->savedFocus = f;
        }
        break;
    case WM_SETFONT:
        if (DlgState* s = State(hDlg)) {
            s->font = reinterpret_cast<HFONT>(wParam);
            s->baseUnits = FontBaseUnits(s->font);
        }
        return 0;
    case WM_GETFONT: {
        DlgState* s = State(hDlg, false);
        return s ? reinterpret_cast<LRESULT>(s->font) : 0;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_3DFACE));
        ::SetTextColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_3DFACE));
    case WM_NCDESTROY: {
        LRESULT r = ::DefWindowProcW(hDlg, msg, wParam, lParam);
        DropState(hDlg);
        return r;
    }
    default:
        break;
    }
    return ::DefWindowProcW(hDlg, msg, wParam, lParam);
}

// ---- units ----

SIZE DlgMeasureBaseUnits(const wchar_t* face, int pointSize, int weight, bool italic)
{
    // The templates were laid out against the base units of the classic dialog fonts; their
    // substitutes here measure a little differently, so those fonts keep their known units.
    if (!face || !*face)
        return SIZE{8, 16};
    if (pointSize == 8 && (::wcscasecmp(face, L"MS Sans Serif") == 0 || ::wcscasecmp(face, L"MS Shell Dlg") == 0))
        return SIZE{6, 13};
    return FontBaseUnits(TemplateFont(face, pointSize, weight, italic));
}

SIZE DlgGetBaseUnits(HWND hDlg)
{
    DlgState* s = State(hDlg, false);
    if (s && s->baseUnits.cx > 0)
        return s->baseUnits;
    return DlgMeasureBaseUnits(nullptr, 0);
}

LONG GetDialogBaseUnits()
{
    SIZE s = DlgMeasureBaseUnits(nullptr, 0);
    return LONG(MAKELONG(WORD(s.cx), WORD(s.cy)));
}

BOOL MapDialogRect(HWND hDlg, LPRECT rect)
{
    if (!rect || !::IsWindow(hDlg))
        return FALSE;
    SIZE b = DlgGetBaseUnits(hDlg);
    rect->left = ::MulDiv(rect->left, b.cx, 4);
    rect->right = ::MulDiv(rect->right, b.cx, 4);
    rect->top = ::MulDiv(rect->top, b.cy, 8);
    rect->bottom = ::MulDiv(rect->bottom, b.cy, 8);
    return TRUE;
}

// ---- building from templates ----

void DlgSetTemplateFont(HWND hDlg, const DialogTemplate& tmpl)
{
    DlgState* s = State(hDlg);
    if (!s)
        return;
    s->font = tmpl.fontFace.empty() ? nullptr
                                    : TemplateFont(tmpl.fontFace.c_str(), tmpl.fontSize, tmpl.fontWeight, tmpl.fontItalic);
    s->baseUnits = TemplateBaseUnits(tmpl);
}

RECT DlgWindowRect(const DialogTemplate& t, HWND hParent)
{
    SIZE base = TemplateBaseUnits(t);
    RECT r = ToPixels(base, t.x, t.y, t.cx, t.cy);
    DWORD style = t.style;
    ::AdjustWindowRectEx(&r, style, t.menuId != 0, t.exStyle);
    int w = r.right - r.left;
    int h = r.bottom - r.top;
    if (style & WS_CHILD)
        return r;  // child dialogs (pages) are placed in their parent's client area
    // Popups: template coordinates are relative to the owner's client area, or centred.
    POINT origin{0, 0};
    if (hParent)
        ::ClientToScreen(hParent, &origin);
    RECT out{origin.x + r.left, origin.y + r.top, 0, 0};
    if (style & (DS_CENTER | DS_CENTERMOUSE)) {
        RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        if (hParent && ::IsWindowVisible(hParent))
            ::GetWindowRect(::GetAncestor(hParent, GA_ROOT), &area);
        out.left = area.left + ((area.right - area.left) - w) / 2;
        out.top = area.top + ((area.bottom - area.top) - h) / 2;
    }
    out.right = out.left + w;
    out.bottom = out.top + h;
    return out;
}

BOOL DlgCreateControls(HWND hDlg, const DialogTemplate& tmpl)
{
    DlgState* s = State(hDlg);
    if (!s)
        return FALSE;
    if (s->baseUnits.cx <= 0)
        DlgSetTemplateFont(hDlg, tmpl);
    SIZE base = s->baseUnits;
    HFONT font = s->font;
    std::vector<HWND> made;
    for (const DialogItem& it : tmpl.items) {
        RECT r = ToPixels(base, it.x, it.y, it.cx, it.cy);
        DWORD style = (it.style | WS_CHILD) & ~WS_POPUP;
        // An icon or bitmap control names its image by resource number instead of a text.
        LPCWSTR text = it.textId ? MAKEINTRESOURCE(it.textId) : it.text.c_str();
        HWND h = ::CreateWindowExW(it.exStyle | WS_EX_NOPARENTNOTIFY, it.className.c_str(), text, style,
                                   r.left, r.top, r.right - r.left, r.bottom - r.top, hDlg,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(it.id)), ::AfxGetInstanceHandle(), nullptr);
        if (!h) {
            std::fprintf(stderr, "dialog %u: control %u of class \"%ls\" could not be made\n", unsigned(tmpl.id),
                         unsigned(it.id), it.className.c_str());
            for (HWND m : made)
                if (::IsWindow(m))
                    ::DestroyWindow(m);
            return FALSE;
        }
        made.push_back(h);
        if (font)
            ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (!::IsWindow(hDlg))
            return FALSE;
        // The first default push button of the template is the dialog's default button.
        if ((s = State(hDlg)) != nullptr && !s->defId && (DlgCode(h) & DLGC_DEFPUSHBUTTON))
            s->defId = int(it.id);
    }
    return TRUE;
}

LRESULT DlgSendInitDialog(HWND hDlg, LPARAM initParam)
{
    HWND first = ::GetNextDlgTabItem(hDlg, nullptr, FALSE);
    LRESULT r = ::SendMessageW(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    if (!::IsWindow(hDlg))
        return r;
    if (r) {
        // Focus only into dialogs that can show it; a hidden child (a page) keeps it for
        // when it is shown.
        first = ::GetNextDlgTabItem(hDlg, nullptr, FALSE);
        if (DlgState* s = State(hDlg))
            s->savedFocus = first;
        if (first && ::IsWindowVisible(hDlg))
            SetFocusToControl(hDlg, first);
    }
    return r;
}

// ---- initial list data ----

namespace {
DlgInitFinder g_initFinder = nullptr;
}

void AfxSetDlgInitFinder(DlgInitFinder finder) { g_initFinder = finder; }

BOOL DlgExecuteInit(HWND hDlg, std::uint32_t templateId)
{
    const std::vector<DlgInitItem>* items = g_initFinder && templateId ? g_initFinder(templateId) : nullptr;
    if (!items)
        return TRUE;
    BOOL ok = TRUE;
    for (const DlgInitItem& it : *items) {
        HWND h = ::GetDlgItem(hDlg, int(it.controlId));
        if (!h) {
            ok = FALSE;
            continue;
        }
        ::SendMessageW(h, it.message, 0, reinterpret_cast<LPARAM>(it.text.c_str()));
    }
    return ok;
}
