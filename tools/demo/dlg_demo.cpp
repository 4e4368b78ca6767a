// A dialog built from a template with the standard controls, shown through the display host
// that start-up chooses (GTK with a display, headless without one or with TAVIX_HEADLESS=1).
//   dlg_demo [--screenshot=FILE.png] [--quit-after-paint]
//   dlg_demo --count-colours=FILE.png    prints the number of colours of a PNG file
//   dlg_demo --clip-offer=TEXT --ready=FILE
//       places TEXT on the clipboard under the private format "Widget" and as text, creates
//       FILE, and serves the clipboard until another program takes it over
//   dlg_demo --clip-read                 prints what the clipboard holds under "Widget" and as
//       text, then takes the clipboard over
//   dlg_demo --report [--field=TEXT] [--title=TEXT]
//       shows the dialog (name field and caption as given) until it is closed, and prints on
//       standard output where its edits are ("edit ID at X Y", window coordinates), each edit's
//       text when it changes ("edit ID: TEXT", UTF-8) and every key that took longer than
//       100 ms to handle ("key-ms: N")
#include "tools/demo/PngColours.h"
#include "platform/host/DlgGtk.h"
#include "platform/host/HostSelect.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/dialogs/Ddx.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/Ole.h"

#include <cairo.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

namespace {

constexpr UINT WM_DEMO_SHOWN = WM_USER + 1;

std::string Utf8(const CString& s)
{
    std::string out;
    for (const wchar_t* p = s; *p; ++p) {
        auto c = unsigned(*p);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

CString Wide(const char* utf8)
{
    CString out;
    for (const auto* p = reinterpret_cast<const unsigned char*>(utf8); *p;) {
        unsigned c = *p++;
        int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        c &= more == 3 ? 0x07 : more == 2 ? 0x0F : more == 1 ? 0x1F : 0x7F;
        for (; more > 0 && (*p & 0xC0) == 0x80; --more)
            c = (c << 6) | (*p++ & 0x3F);
        out += wchar_t(c);
    }
    return out;
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

DialogTemplate DemoTemplate()
{
    DialogTemplate t;
    t.caption = L"Block properties";
    t.fontFace = L"MS Sans Serif";
    t.fontSize = 8;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | WS_VISIBLE;
    t.cx = 200;
    t.cy = 112;
    t.items = {
        Item(WC_STATICW, L"&Name:", 100, SS_RIGHT, 6, 9, 40, 9),
        Item(WC_EDITW, L"", 101, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | WS_GROUP, 50, 7, 90, 12),
        Item(WC_STATICW, L"&Value:", 102, SS_RIGHT, 6, 25, 40, 9),
        Item(WC_EDITW, L"", 103, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | WS_GROUP, 50, 23, 50, 12),
        Item(WC_BUTTONW, L"Mode", 104, BS_GROUPBOX, 6, 42, 120, 46),
        Item(WC_BUTTONW, L"&On delay", 105, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 14, 54, 100, 10),
        Item(WC_BUTTONW, L"O&ff delay", 106, BS_AUTORADIOBUTTON, 14, 66, 100, 10),
        Item(WC_BUTTONW, L"&Retentive", 107, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 132, 54, 60, 10),
        Item(WC_BUTTONW, L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 84, 92, 50, 14),
        Item(WC_BUTTONW, L"Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 142, 92, 50, 14),
    };
    return t;
}

class CDemoDlg : public CDialog {
public:
    CString m_name = L"B001";
    int m_value = 250;
    int m_mode = 1;
    int m_retentive = 1;
    std::string m_screenshot;
    bool m_quitAfterPaint = false;
    bool m_report = false;
    int m_result = 0;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 101, m_name);
        DDV_MaxChars(pDX, m_name, 8);
        DDX_Text(pDX, 103, m_value);
        DDV_MinMaxInt(pDX, m_value, 0, 9999);
        DDX_Radio(pDX, 105, m_mode);
        DDX_Check(pDX, 107, m_retentive);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(WM_DEMO_SHOWN);
        return TRUE;
    }
    void OnOK() override
    {
        if (UpdateData(TRUE))
            DestroyWindow();
    }
    void OnCancel() override { DestroyWindow(); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (m_report && HIWORD(wParam) == EN_CHANGE) {
            CString text;
            GetDlgItemText(LOWORD(wParam), text);
            std::printf("edit %u: %s\n", unsigned(LOWORD(wParam)), Utf8(text).c_str());
            std::fflush(stdout);
        }
        return CDialog::OnCommand(wParam, lParam);
    }

protected:
    LRESULT OnShown(WPARAM, LPARAM)
    {
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE | RDW_FRAME);
        if (!m_screenshot.empty() && !AfxGetHost()->Screenshot(m_hWnd, m_screenshot)) {
            std::fprintf(stderr, "dlg_demo: screenshot failed\n");
            m_result = 2;
        }
        if (m_report) {
            CRect dlg;
            GetWindowRect(&dlg);
            for (UINT id : {101u, 103u}) {
                CRect r;
                GetDlgItem(int(id))->GetWindowRect(&r);
                std::printf("edit %u at %ld %ld\n", id, long(r.CenterPoint().x - dlg.left),
                            long(r.CenterPoint().y - dlg.top));
            }
            std::fflush(stdout);
        }
        if (m_quitAfterPaint)
            DestroyWindow();
        return 0;
    }
    void OnDestroy()
    {
        CWnd::OnDestroy();
        PostQuitMessage(m_result);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoDlg, CDialog)
    ON_MESSAGE(WM_DEMO_SHOWN, OnShown)
    ON_WM_DESTROY()
END_MESSAGE_MAP()


HGLOBAL BlockOf(const void* p, size_t n)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n);
    if (h && n)
        std::memcpy(GlobalLock(h), p, n);
    GlobalUnlock(h);
    return h;
}

int ClipOffer(const std::string& text, const std::string& ready)
{
    UINT widget = RegisterClipboardFormatW(L"Widget");
    std::wstring wide(text.begin(), text.end());
    if (!OpenClipboard(nullptr))
        return 4;
    EmptyClipboard();
    SetClipboardData(widget, BlockOf(text.data(), text.size()));
    SetClipboardData(CF_UNICODETEXT, BlockOf(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)));
    CloseClipboard();
    if (std::FILE* f = std::fopen(ready.c_str(), "w")) {
        std::fputs("ready\n", f);
        std::fclose(f);
    }
    // Serve until the private format is gone from the system clipboard (another program took
    // it over); a minute at most.
    HWND w = CreateWindowExW(0, AfxRegisterWndClass(0), L"clip", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ::SetTimer(w, 1, 100, nullptr);
    int ticks = 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_TIMER && msg.hwnd == w) {
            if (!IsClipboardFormatAvailable(widget))
                break;
            if (++ticks > 600) {
                std::fprintf(stderr, "dlg_demo: nobody read the clipboard\n");
                return 5;
            }
        }
        DispatchMessageW(&msg);
    }
    DestroyWindow(w);
    return 0;
}

int ClipRead()
{
    UINT widget = RegisterClipboardFormatW(L"Widget");
    COleDataObject data;
    if (!data.AttachClipboard())
        return 4;
    HGLOBAL h = data.GetGlobalData(CLIPFORMAT(widget));
    std::string bytes;
    if (const char* p = static_cast<const char*>(GlobalLock(h)))
        bytes.assign(p, GlobalSize(h));
    GlobalUnlock(h);
    GlobalFree(h);
    std::wstring text;
    AfxGetClipboardText(text);
    std::printf("widget:%s\ntext:%s\n", bytes.c_str(), std::string(text.begin(), text.end()).c_str());
    AfxSetClipboardText(L"taken over");
    return bytes.empty() ? 6 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string shot, offer, ready;
    bool quit = false, read = false, report = false;
    CString name = L"B001", title;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--report") == 0)
            report = true;
        else if (std::strncmp(argv[i], "--field=", 8) == 0)
            name = Wide(argv[i] + 8);
        else if (std::strncmp(argv[i], "--title=", 8) == 0)
            title = Wide(argv[i] + 8);
        if (std::strncmp(argv[i], "--clip-offer=", 13) == 0)
            offer = argv[i] + 13;
        else if (std::strncmp(argv[i], "--ready=", 8) == 0)
            ready = argv[i] + 8;
        else if (std::strcmp(argv[i], "--clip-read") == 0)
            read = true;
        if (std::strncmp(argv[i], "--count-colours=", 16) == 0) {
            int n = CountColours(argv[i] + 16);
            std::printf("%d\n", n);
            return n > 1 ? 0 : 1;
        }
        if (std::strncmp(argv[i], "--screenshot=", 13) == 0)
            shot = argv[i] + 13;
        else if (std::strcmp(argv[i], "--quit-after-paint") == 0)
            quit = true;
    }
    CUiHost* host = AfxInitHost(&argc, &argv);
    std::fprintf(stderr, "dlg_demo: %s host\n", host->Name());
    if (!AfxHostIsHeadless())
        AfxInstallGtkDialogs();
    if (!offer.empty())
        return ClipOffer(offer, ready);
    if (read)
        return ClipRead();
    AfxRegisterControlClasses();
    DialogTemplate t = DemoTemplate();
    if (!title.IsEmpty())
        t.caption = std::wstring(static_cast<LPCWSTR>(title));
    CDemoDlg dlg;
    dlg.m_screenshot = shot;
    dlg.m_quitAfterPaint = quit;
    dlg.m_report = report;
    dlg.m_name = name;
    if (!dlg.CreateIndirect(&t))
        return 3;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        const auto start = std::chrono::steady_clock::now();
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        if (report && ms >= 100 && (msg.message == WM_KEYDOWN || msg.message == WM_CHAR)) {
            std::printf("key-ms: %lld\n", static_cast<long long>(ms));
            std::fflush(stdout);
        }
    }
    return int(msg.wParam);
}
