// The drawn message box: a dialog built in memory around the text.
#include "platform/ui/dialogs/MsgBox.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/dialogs/Dlg.h"
#include "platform/ui/dialogs/DlgInternal.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/PropSheet.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>

namespace {

constexpr int kIconId = 20;
constexpr int kTextId = 0xFFFF;

// The icon: a coloured disc or triangle with its sign.
LRESULT IconProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_GETDLGCODE)
        return DLGC_STATIC;
    if (msg != WM_PAINT)
        return ::DefWindowProcW(h, msg, w, l);
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(h, &ps);
    RECT r;
    ::GetClientRect(h, &r);
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_3DFACE));
    UINT kind = UINT(::GetWindowLongPtrW(h, GWLP_USERDATA));
    COLORREF fill = kind == MB_ICONHAND ? RGB(200, 30, 30) : kind == MB_ICONEXCLAMATION ? RGB(240, 190, 20) : RGB(30, 90, 200);
    const wchar_t* sign = kind == MB_ICONHAND ? L"X" : kind == MB_ICONQUESTION ? L"?" : kind == MB_ICONEXCLAMATION ? L"!" : L"i";
    HBRUSH b = ::CreateSolidBrush(fill);
    HGDIOBJ ob = ::SelectObject(dc, b);
    HGDIOBJ op = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    if (kind == MB_ICONEXCLAMATION) {
        POINT tri[3] = {{(r.left + r.right) / 2, r.top + 1}, {r.right - 1, r.bottom - 2}, {r.left + 1, r.bottom - 2}};
        ::Polygon(dc, tri, 3);
    } else {
        ::Ellipse(dc, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
    }
    ::SelectObject(dc, op);
    ::SelectObject(dc, ob);
    ::DeleteObject(b);
    LOGFONTW lf{};
    lf.lfHeight = -((r.bottom - r.top) * 2 / 3);
    lf.lfWeight = FW_BOLD;
    wcscpy(lf.lfFaceName, L"Liberation Sans");
    HFONT f = ::CreateFontIndirect(&lf);
    HGDIOBJ of = ::SelectObject(dc, f);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kind == MB_ICONEXCLAMATION ? RGB(0, 0, 0) : RGB(255, 255, 255));
    RECT tr = r;
    ::DrawTextW(dc, sign, 1, &tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc, of);
    ::DeleteObject(f);
    ::EndPaint(h, &ps);
    return 0;
}

// The text, wrapped at word breaks.
LRESULT TextProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_SETFONT: ::SetPropW(h, L"DlgFont", reinterpret_cast<HANDLE>(w)); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(::GetPropW(h, L"DlgFont"));
    case WM_NCDESTROY: ::RemovePropW(h, L"DlgFont"); break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(h, &ps);
        RECT r;
        ::GetClientRect(h, &r);
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_3DFACE));
        HGDIOBJ of = nullptr;
        if (HANDLE f = ::GetPropW(h, L"DlgFont"))
            of = ::SelectObject(dc, f);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        int n = ::GetWindowTextLengthW(h);
        std::wstring t(size_t(n) + 1, L'\0');
        ::GetWindowTextW(h, &t[0], n + 1);
        ::DrawTextW(dc, t.c_str(), n, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        if (of)
            ::SelectObject(dc, of);
        ::EndPaint(h, &ps);
        return 0;
    }
    default: break;
    }
    return ::DefWindowProcW(h, msg, w, l);
}

void RegisterParts()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSW wc{};
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpfnWndProc = IconProc;
        wc.lpszClassName = L"DlgMsgIcon";
        ::RegisterClassW(&wc);
        wc.lpfnWndProc = TextProc;
        wc.lpszClassName = L"DlgMsgText";
        ::RegisterClassW(&wc);
    });
}

const wchar_t* ButtonText(int id)
{
    switch (id) {
    case IDOK: return L"OK";
    case IDCANCEL: return L"Cancel";
    case IDABORT: return L"&Abort";
    case IDRETRY: return L"&Retry";
    case IDIGNORE: return L"&Ignore";
    case IDYES: return L"&Yes";
    case IDNO: return L"&No";
    default: return L"";
    }
}

class CMsgBoxDlg : public CDialog {
public:
    UINT m_type = 0;
    int m_escapeId = 0;  // what Escape and the close box answer; 0: nothing

    BOOL OnInitDialog() override
    {
        // The icon window learns which sign to draw.
        if (HWND icon = ::GetDlgItem(m_hWnd, kIconId))
            ::SetWindowLongPtrW(icon, GWLP_USERDATA, LONG_PTR(m_type & MB_ICONMASK));
        return CDialog::OnInitDialog();
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        int id = LOWORD(wParam);
        if (HIWORD(wParam) == dlgi::kBnClicked) {
            if (id == IDCANCEL && !::GetDlgItem(m_hWnd, IDCANCEL)) {
                if (m_escapeId)
                    EndDialog(m_escapeId);
                return TRUE;
            }
            if (::GetDlgItem(m_hWnd, id)) {
                EndDialog(id);
                return TRUE;
            }
        }
        return CDialog::OnCommand(wParam, lParam);
    }
};

}  // namespace

void MsgBoxButtons(UINT type, int ids[3], int& count)
{
    static const int sets[][3] = {{IDOK}, {IDOK, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE},
                                  {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO}, {IDRETRY, IDCANCEL}};
    static const int counts[] = {1, 2, 3, 3, 2, 2};
    UINT kind = type & MB_TYPEMASK;
    if (kind > 5)
        kind = 0;
    count = counts[kind];
    for (int i = 0; i < 3; ++i)
        ids[i] = sets[kind][i];
}

int AfxDrawnMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    RegisterParts();
    DlgRegisterSheetTabs();
    int ids[3];
    int count = 0;
    MsgBoxButtons(type, ids, count);
    UINT def = (type & MB_DEFMASK) >> 8;
    if (def >= UINT(count))
        def = 0;
    UINT icon = type & MB_ICONMASK;
    std::wstring body = text ? text : L"";

    DialogTemplate t;
    t.caption = caption ? caption : L"Error";
    t.fontFace = L"MS Sans Serif";
    t.fontSize = 8;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    // Text area: measured in pixels, converted to dialog units.
    SIZE base = DlgMeasureBaseUnits(t.fontFace.c_str(), t.fontSize);
    HFONT font = dlgi::TemplateFont(t.fontFace.c_str(), t.fontSize, 0, false);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ of = ::SelectObject(dc, font);
    int maxW = std::max(200, std::min(::GetSystemMetrics(SM_CXSCREEN) * 5 / 8, 480));
    RECT tr{0, 0, maxW, 0};
    ::DrawTextW(dc, body.c_str(), int(body.size()), &tr, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    ::SelectObject(dc, of);
    ::DeleteDC(dc);
    int textCx = (int(tr.right) * 4 + base.cx - 1) / base.cx + 2;
    int textCy = std::max(8, (int(tr.bottom) * 8 + base.cy - 1) / base.cy);
    const int margin = 7, iconSize = 21, buttonW = 50, buttonH = 14, gap = 4;
    int textX = icon ? margin + iconSize + margin : margin;
    int contentH = std::max(icon ? iconSize : 0, textCy);
    int buttonsW = count * buttonW + (count - 1) * gap;
    t.cx = std::max(textX + textCx + margin, buttonsW + 2 * margin);
    t.cy = margin + contentH + margin + buttonH + margin;
    if (icon) {
        DialogItem it;
        it.className = L"DlgMsgIcon";
        it.id = kIconId;
        it.style = WS_CHILD | WS_VISIBLE;
        it.x = margin;
        it.y = margin;
        it.cx = iconSize;
        it.cy = iconSize;
        t.items.push_back(it);
    }
    DialogItem txt;
    txt.className = L"DlgMsgText";
    txt.text = body;
    txt.id = kTextId;
    txt.style = WS_CHILD | WS_VISIBLE;
    txt.x = textX;
    txt.y = margin + (contentH - textCy) / 2;
    txt.cx = textCx;
    txt.cy = textCy;
    t.items.push_back(txt);
    int x = (t.cx - buttonsW) / 2;
    for (int i = 0; i < count; ++i) {
        DialogItem b;
        b.className = DlgSheetButtonClass();
        b.text = ButtonText(ids[i]);
        b.id = std::uint32_t(ids[i]);
        b.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (UINT(i) == def ? dlgi::kBsDefPushButton : dlgi::kBsPushButton);
        b.x = x + i * (buttonW + gap);
        b.y = t.cy - margin - buttonH;
        b.cx = buttonW;
        b.cy = buttonH;
        t.items.push_back(b);
    }
    // Tab order starts at the default button, which has the focus.
    std::rotate(t.items.end() - count, t.items.end() - count + int(def), t.items.end());
    (t.items.end() - count)->style |= WS_GROUP;

    CMsgBoxDlg box;
    box.m_type = type;
    bool hasCancel = std::find(ids, ids + count, IDCANCEL) != ids + count;
    box.m_escapeId = hasCancel ? IDCANCEL : (count == 1 ? IDOK : 0);
    box.InitModalIndirect(&t, owner ? CWnd::FromHandle(::GetAncestor(owner, GA_ROOT)) : nullptr);
    if (icon)
        ::MessageBeep(icon);
    INT_PTR r = box.DoModal();
    return r < 0 ? ids[def] : int(r);
}
