#include "dlg_support.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"

#include <map>

namespace dlgtest {

const wchar_t* const kButton = L"DlgTestButton";
const wchar_t* const kEdit = L"DlgTestEdit";
const wchar_t* const kStatic = L"DlgTestStatic";

std::vector<std::string>* g_ctlLog = nullptr;

namespace {

void Log(HWND h, const std::string& what)
{
    if (g_ctlLog)
        g_ctlLog->push_back(std::to_string(::GetDlgCtrlID(h)) + ":" + what);
}

struct CtlState {
    int check = 0;
    int limit = 0;
    bool selAll = false;
};

std::map<HWND, CtlState>& States()
{
    static std::map<HWND, CtlState> m;
    return m;
}

void Notify(HWND h, UINT code)
{
    ::SendMessageW(::GetParent(h), WM_COMMAND, MAKEWPARAM(WORD(::GetDlgCtrlID(h)), WORD(code)), reinterpret_cast<LPARAM>(h));
}

void PaintText(HWND h, bool frame)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(h, &ps);
    CDC* pdc = CDC::FromHandle(dc);
    RECT r;
    ::GetClientRect(h, &r);
    if (frame)
        pdc->Rectangle(&r);
    pdc->SetBkMode(TRANSPARENT);
    if (HFONT f = reinterpret_cast<HFONT>(::SendMessageW(h, WM_GETFONT, 0, 0)))
        ::SelectObject(dc, f);
    std::wstring t = TextOf(h);
    pdc->DrawText(t.c_str(), int(t.size()), &r, frame ? (DT_CENTER | DT_VCENTER | DT_SINGLELINE) : DT_LEFT);
    ::EndPaint(h, &ps);
}

LRESULT CommonProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_SETFOCUS: Log(h, "SETFOCUS"); break;
    case WM_KILLFOCUS: Log(h, "KILLFOCUS"); break;
    case WM_SETFONT:
        Log(h, "SETFONT");
        ::SetPropW(h, L"font", reinterpret_cast<HANDLE>(w));
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(::GetPropW(h, L"font"));
    case WM_NCDESTROY:
        ::RemovePropW(h, L"font");
        States().erase(h);
        break;
    default: break;
    }
    return ::DefWindowProcW(h, msg, w, l);
}

void Click(HWND h)
{
    ::SetFocus(h);  // a clicked control takes the focus before its notification
    DWORD type = DWORD(::GetWindowLongPtrW(h, GWL_STYLE)) & 0xF;
    if (type == BS_AUTOCHECK)
        States()[h].check = !States()[h].check;
    if (type == BS_AUTORADIO) {
        auto style = [](HWND c) { return DWORD(::GetWindowLongPtrW(c, GWL_STYLE)); };
        HWND first = h;
        while (!(style(first) & WS_GROUP) && ::GetWindow(first, GW_HWNDPREV))
            first = ::GetWindow(first, GW_HWNDPREV);
        for (HWND c = first; c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            if (c != first && (style(c) & WS_GROUP))
                break;
            if ((style(c) & 0xF) == BS_AUTORADIO)
                States()[c].check = c == h ? 1 : 0;
        }
    }
    Notify(h, 0);
}

LRESULT ButtonProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    DWORD type = DWORD(::GetWindowLongPtrW(h, GWL_STYLE)) & 0xF;
    switch (msg) {
    case WM_GETDLGCODE:
        if (type == BS_PUSH)
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        if (type == BS_DEFPUSH)
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (type == BS_RADIO || type == BS_AUTORADIO)
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (type == BS_GROUP)
            return DLGC_STATIC;
        return DLGC_BUTTON;
    case BM_GETCHECK_: return States()[h].check;
    case BM_SETCHECK_: States()[h].check = int(w); return 0;
    case 0x00F4:  // BM_SETSTYLE
        Log(h, "SETSTYLE=" + std::to_string(w));
        ::SetWindowLongPtrW(h, GWL_STYLE, (::GetWindowLongPtrW(h, GWL_STYLE) & ~LONG_PTR(0xF)) | LONG_PTR(w & 0xF));
        return 0;
    case BM_CLICK_:
    case WM_LBUTTONDOWN: Click(h); return 0;
    case WM_PAINT: PaintText(h, true); return 0;
    default: break;
    }
    return CommonProc(h, msg, w, l);
}

LRESULT EditProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: ::SetFocus(h); return 0;
    case WM_CHAR: {
        if (w < 32)
            return 0;
        std::wstring t = TextOf(h);
        int limit = States()[h].limit;
        if (States()[h].selAll)
            t.clear();
        if (limit && int(t.size()) >= limit)
            return 0;
        t += wchar_t(w);
        States()[h].selAll = false;
        ::SetWindowTextW(h, t.c_str());
        return 0;
    }
    case WM_SETTEXT: {
        States()[h].selAll = false;
        LRESULT r = ::DefWindowProcW(h, msg, w, l);
        Notify(h, EN_CHANGE_);
        return r;
    }
    case 0x00B1:  // EM_SETSEL
        Log(h, "SETSEL");
        States()[h].selAll = w == 0 && l == -1;
        return 0;
    case EM_GETSEL_: return States()[h].selAll ? MAKELONG(0, ::GetWindowTextLengthW(h)) : 0;
    case EM_LIMITTEXT_: States()[h].limit = int(w); return 0;
    case EM_GETLIMIT_: return States()[h].limit;
    case WM_PAINT: PaintText(h, true); return 0;
    default: break;
    }
    return CommonProc(h, msg, w, l);
}

LRESULT StaticProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_GETDLGCODE)
        return DLGC_STATIC;
    if (msg == WM_PAINT) {
        PaintText(h, false);
        return 0;
    }
    return CommonProc(h, msg, w, l);
}

std::vector<DialogTemplate>* g_templates = nullptr;

}  // namespace

void RegisterControls()
{
    struct {
        const wchar_t* name;
        WNDPROC proc;
    } classes[] = {{kButton, ButtonProc}, {kEdit, EditProc}, {kStatic, StaticProc}};
    for (auto& c : classes) {
        WNDCLASSW probe;
        if (::GetClassInfoW(nullptr, c.name, &probe))
            continue;
        WNDCLASSW wc{};
        wc.lpfnWndProc = c.proc;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_BTNFACE + 1));
        wc.lpszClassName = c.name;
        ::RegisterClassW(&wc);
    }
}

DialogItem Item(const wchar_t* cls, const wchar_t* text, UINT id, DWORD style, int x, int y, int cx, int cy)
{
    DialogItem it;
    it.className = cls;
    it.text = text;
    it.id = id;
    it.style = style | WS_CHILD | WS_VISIBLE;
    it.x = x;
    it.y = y;
    it.cx = cx;
    it.cy = cy;
    return it;
}

DialogTemplate Template(UINT id, const wchar_t* caption, int cx, int cy, std::vector<DialogItem> items, DWORD style)
{
    DialogTemplate t;
    t.id = id;
    t.caption = caption;
    t.fontFace = L"MS Sans Serif";
    t.fontSize = 8;
    t.style = style;
    t.cx = cx;
    t.cy = cy;
    t.items = std::move(items);
    return t;
}

TemplateSet::TemplateSet(std::vector<DialogTemplate> templates)
{
    m_previous = AfxGetResourceFinder();
    m_previousTemplates = g_templates;
    g_templates = new std::vector<DialogTemplate>(std::move(templates));
    ResourceFinder f = m_previous;
    f.findDialog = &TemplateSet::Find;
    AfxSetResourceFinder(f);
}

TemplateSet::~TemplateSet()
{
    AfxSetResourceFinder(m_previous);
    delete g_templates;
    g_templates = m_previousTemplates;
}

const DialogTemplate* TemplateSet::Find(std::uint32_t id)
{
    if (g_templates)
        for (const DialogTemplate& t : *g_templates)
            if (t.id == id)
                return &t;
    return nullptr;
}

std::wstring TextOf(HWND h)
{
    wchar_t buf[512] = {};
    ::GetWindowTextW(h, buf, 512);
    return buf;
}

int IdOf(HWND h) { return h ? ::GetDlgCtrlID(h) : 0; }

}  // namespace dlgtest
