// A frame with a painted client area and a child window, shown through the display host that
// start-up chooses (GTK with a display, headless without one or with TAVIX_HEADLESS=1).
//   demo_window [--screenshot=FILE.png] [--quit-after-paint] [--click-child] [--type=TEXT]
//   demo_window --count-colours=FILE.png    prints the number of colours of a PNG file
//   demo_window --pixel=FILE.png,X,Y        prints the colour of a pixel as RRGGBB
// --click-child clicks the child window through the display (GTK host) before the screenshot;
// the click turns the child from blue to red. --type=TEXT types ASCII text into the child the
// same way and prints "typed: TEXT" once the child has all its characters.
#include "tools/demo/PngColours.h"
#include "platform/host/GtkHost.h"
#include "platform/host/HostSelect.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

constexpr UINT WM_DEMO_PAINTED = WM_USER + 1;
constexpr UINT WM_DEMO_TYPED = WM_USER + 2;

class CDemoChild : public CWnd {
public:
    COLORREF m_colour = RGB(40, 90, 200);
    int m_clicks = 0;
    std::wstring m_typed;
    size_t m_expected = 0;  // characters to wait for

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, m_colour);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(255, 255, 255));
        dc.DrawText(L"Child window \u4e2d\u6587", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        GetParent()->PostMessage(WM_DEMO_PAINTED);
    }
    void OnLButtonDown(UINT, CPoint)
    {
        m_colour = m_colour == RGB(40, 90, 200) ? RGB(200, 60, 40) : RGB(40, 90, 200);
        ++m_clicks;
        Invalidate(FALSE);
    }
    void OnChar(UINT nChar, UINT, UINT)
    {
        m_typed += wchar_t(nChar);
        if (m_typed.size() == m_expected)
            GetParent()->PostMessage(WM_DEMO_TYPED);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoChild, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_CHAR()
END_MESSAGE_MAP()

class CDemoFrame : public CWnd {
public:
    std::string m_screenshot;
    bool m_quitAfterPaint = false;
    bool m_clickChild = false;
    std::wstring m_type;
    int m_result = 0;

protected:
    int OnCreate(LPCREATESTRUCT)
    {
        SetTimer(kGiveUpTimer, 20000);  // a demo that cannot finish must not hang its check
        return m_child.Create(nullptr, L"child", WS_VISIBLE | WS_BORDER, CRect(40, 60, 260, 160), this, 1) ? 0 : -1;
    }
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        for (int y = 0; y < r.bottom; y += 8)
            dc.FillSolidRect(0, y, r.right, 8, RGB(240 - y / 4, 240, 200 + y / 8));
        CPen pen(PS_SOLID, 1, RGB(0, 120, 0));
        CPen* old = dc.SelectObject(&pen);
        for (int x = 0; x < r.right; x += 40) {
            dc.MoveTo(x, r.bottom);
            dc.LineTo(x + 40, 0);
        }
        dc.SelectObject(old);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(10, 10, CString(L"Frame client area"));
    }
    LRESULT OnPainted(WPARAM, LPARAM)
    {
        if (m_done)
            return 0;
        if (m_clickChild && m_child.m_clicks == 0) {
            // Click the child's centre as a user would; its repaint after the click brings us
            // back here.
            if (m_clicked)
                return 0;
            m_clicked = true;
            auto* gtk = dynamic_cast<CGtkHost*>(AfxGetHost());
            CRect r;
            m_child.GetWindowRect(&r);
            CRect me;
            GetWindowRect(&me);
            POINT at{r.CenterPoint().x - me.left, r.CenterPoint().y - me.top};
            if (!gtk || !gtk->SimulateClick(m_hWnd, at)) {
                std::fprintf(stderr, "demo_window: cannot click through this host\n");
                m_result = 4;
            } else {
                return 0;
            }
        }
        if (!m_type.empty() && !m_typedAll) {
            // Type into the child through the display; its characters bring us back here.
            if (m_typing)
                return 0;
            m_typing = true;
            m_child.m_expected = m_type.size();
            m_child.SetFocus();
            auto* gtk = dynamic_cast<CGtkHost*>(AfxGetHost());
            if (gtk && gtk->SimulateTyping(m_hWnd, m_type))
                return 0;
            std::fprintf(stderr, "demo_window: cannot type through this host\n");
            m_result = 4;
        }
        m_done = true;
        RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        if (!m_screenshot.empty() && !AfxGetHost()->Screenshot(m_hWnd, m_screenshot)) {
            std::fprintf(stderr, "demo_window: screenshot failed\n");
            m_result = 2;
        }
        if (m_quitAfterPaint)
            DestroyWindow();
        return 0;
    }
    void OnDestroy() { PostQuitMessage(m_result); }
    void OnTimer(UINT_PTR)
    {
        std::fprintf(stderr, "demo_window: gave up waiting for the paint\n");
        m_result = 5;
        DestroyWindow();
    }
    static constexpr UINT_PTR kGiveUpTimer = 1;

    LRESULT OnTyped(WPARAM, LPARAM)
    {
        std::string utf8;
        for (wchar_t c : m_child.m_typed)
            utf8 += c < 0x80 ? char(c) : '?';
        std::printf("typed: %s\n", utf8.c_str());
        m_typedAll = true;
        PostMessage(WM_DEMO_PAINTED);
        return 0;
    }

    CDemoChild m_child;
    bool m_done = false;
    bool m_clicked = false;
    bool m_typing = false;
    bool m_typedAll = false;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoFrame, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_MESSAGE(WM_DEMO_PAINTED, OnPainted)
    ON_MESSAGE(WM_DEMO_TYPED, OnTyped)
END_MESSAGE_MAP()

// Prints the colour of one pixel of a PNG file: "FILE,X,Y".
int PrintPixel(const char* arg)
{
    std::string a(arg);
    size_t c2 = a.rfind(',');
    size_t c1 = c2 == std::string::npos ? c2 : a.rfind(',', c2 - 1);
    if (c1 == std::string::npos)
        return 1;
    std::string path = a.substr(0, c1);
    int x = std::atoi(a.c_str() + c1 + 1);
    int y = std::atoi(a.c_str() + c2 + 1);
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    int rc = 1;
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS && x >= 0 && y >= 0 &&
        x < cairo_image_surface_get_width(s) && y < cairo_image_surface_get_height(s)) {
        cairo_surface_flush(s);
        const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
        std::printf("%06X\n", reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF);
        rc = 0;
    }
    cairo_surface_destroy(s);
    return rc;
}


}  // namespace

int main(int argc, char** argv)
{
    std::string shot;
    bool quit = false;
    bool click = false;
    std::wstring type;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--count-colours=", 16) == 0) {
            int n = CountColours(argv[i] + 16);
            std::printf("%d\n", n);
            return n > 1 ? 0 : 1;
        }
        if (std::strncmp(argv[i], "--pixel=", 8) == 0)
            return PrintPixel(argv[i] + 8);
        if (std::strcmp(argv[i], "--click-child") == 0)
            click = true;
        else if (std::strncmp(argv[i], "--type=", 7) == 0)
            type.assign(argv[i] + 7, argv[i] + std::strlen(argv[i]));
        else if (std::strncmp(argv[i], "--screenshot=", 13) == 0)
            shot = argv[i] + 13;
        else if (std::strcmp(argv[i], "--quit-after-paint") == 0)
            quit = true;
    }
    CUiHost* host = AfxInitHost(&argc, &argv);
    std::fprintf(stderr, "demo_window: %s host\n", host->Name());
    CDemoFrame frame;
    frame.m_screenshot = shot;
    frame.m_quitAfterPaint = quit;
    frame.m_clickChild = click;
    frame.m_type = type;
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_WINDOW + 1)));
    if (!frame.CreateEx(0, cls, L"Window demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 480, 320, nullptr, nullptr))
        return 3;
    frame.UpdateWindow();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return int(msg.wParam);
}
