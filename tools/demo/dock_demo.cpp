// A frame with control bars docked on three sides (two sharing the bottom row) and one floating
// bar, shown through the display host start-up chooses; it screenshots the frame after the
// view's first paint.
//   dock_demo [--screenshot=FILE.png] [--quit-after-paint] [--report] [--maximize]
//   dock_demo --count-colours=FILE.png    prints the number of colours of a PNG file
// With --report it prints on standard output "painted" after the first paint and each change
// of the floating bar's state, with the points a user would click (window coordinates):
//   "bar: floating caption X Y close X Y", "bar: docked grip X Y" (in the frame), "bar: hidden"
// and each change of the frame's size and state: "frame: WIDTH HEIGHT maximized|normal".
#include "tools/demo/PngColours.h"
#include "platform/host/HostSelect.h"
#include "platform/ui/framework/DockBar.h"
#include "platform/ui/framework/DockContext.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

namespace {

constexpr UINT WM_DEMO_PAINTED = WM_USER + 1;
constexpr UINT_PTR kWatchTimer = 1;

// A bar that paints its title on a colour of its own.
class CDemoBar : public CControlBar {
public:
    CSize m_size;
    COLORREF m_colour;
    CDemoBar(CSize size, COLORREF colour) : m_size(size), m_colour(colour) {}

    BOOL Create(CWnd* pParent, UINT nID, LPCTSTR title, DWORD align)
    {
        m_dwStyle = align | CBRS_BORDER_ANY | CBRS_GRIPPER;
        LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW),
                                          reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_BTNFACE + 1)));
        return CWnd::Create(cls, title, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        if (bStretch)
            return bHorz ? CSize(32767, m_size.cy) : CSize(m_size.cy, 32767);
        return bHorz ? m_size : CSize(m_size.cy, m_size.cx);
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    void DoPaint(CDC* pDC) override
    {
        CRect r;
        GetClientRect(&r);
        pDC->FillSolidRect(&r, m_colour);
        CString title;
        GetWindowText(title);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(title, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
};

class CDemoView : public CWnd {
protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, RGB(255, 255, 255));
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(10, 10, CString(L"View area"));
        GetParent()->PostMessage(WM_DEMO_PAINTED);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoView, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class CDemoFrame : public CFrameWnd {
public:
    std::string m_screenshot;
    bool m_quitAfterPaint = false;
    bool m_report = false;
    int m_result = 0;

    CDemoBar m_top{CSize(220, 32), RGB(200, 220, 255)};
    CDemoBar m_left{CSize(160, 60), RGB(220, 255, 200)};
    CDemoBar m_bottom1{CSize(180, 40), RGB(255, 230, 180)};
    CDemoBar m_bottom2{CSize(180, 40), RGB(255, 200, 200)};
    CDemoBar m_float{CSize(150, 50), RGB(230, 200, 255)};
    CDemoView m_view;

protected:
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        if (!m_view.Create(nullptr, L"view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
            return -1;
        struct Def {
            CDemoBar* bar;
            UINT id;
            const wchar_t* title;
            DWORD align;
        } bars[] = {{&m_top, 0xE881, L"Top", CBRS_ALIGN_TOP},
                    {&m_left, 0xE882, L"Left", CBRS_ALIGN_LEFT},
                    {&m_bottom1, 0xE883, L"Bottom 1", CBRS_ALIGN_BOTTOM},
                    {&m_bottom2, 0xE884, L"Bottom 2", CBRS_ALIGN_BOTTOM},
                    {&m_float, 0xE885, L"Floating", CBRS_ALIGN_TOP}};
        for (const Def& d : bars) {
            if (!d.bar->Create(this, d.id, d.title, d.align))
                return -1;
            d.bar->EnableDocking(CBRS_ALIGN_ANY);
        }
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_top);
        DockControlBar(&m_left);
        DockControlBar(&m_bottom1);
        static_cast<CDockBar*>(GetControlBar(AFX_IDW_DOCKBAR_BOTTOM))->InsertBarAfter(&m_bottom2, &m_bottom1);
        CRect rc;
        GetWindowRect(&rc);
        DockControlBar(&m_float);
        FloatControlBar(&m_float, CPoint(rc.left + 260, rc.top + 160));
        RecalcLayout();
        return 0;
    }
    LRESULT OnPainted(WPARAM, LPARAM)
    {
        if (m_done)
            return 0;
        m_done = true;
        RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        if (!m_screenshot.empty() && !AfxGetHost()->Screenshot(m_hWnd, m_screenshot)) {
            std::fprintf(stderr, "dock_demo: screenshot failed\n");
            m_result = 2;
        }
        if (m_report) {
            std::printf("painted\n");
            std::fflush(stdout);
            SetTimer(kWatchTimer, 100, nullptr);
        }
        if (m_quitAfterPaint)
            DestroyWindow();
        return 0;
    }
    // Prints the floating bar's state when it changed.
    void OnTimer(UINT_PTR id)
    {
        if (id != kWatchTimer)
            return;
        char line[160];
        CRect bar;
        m_float.GetWindowRect(&bar);
        if (!m_float.IsWindowVisible()) {
            std::snprintf(line, sizeof line, "bar: hidden");
        } else if (m_float.IsFloating()) {
            // The mini frame's caption and its close box, found as the mouse would find them.
            CWnd* mini = AfxGetParentFrame(&m_float);
            CRect rc;
            mini->GetWindowRect(&rc);
            CPoint caption(-1, -1), close(-1, -1);
            for (int y = rc.top; y < bar.top && close.x < 0; ++y)
                for (int x = rc.right - 1; x >= rc.left; --x) {
                    LRESULT hit = mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y));
                    if (hit == HTCLOSE && close.x < 0)
                        close = CPoint(x - 2 - rc.left, y + 2 - rc.top);
                    if (hit == HTCAPTION && caption.x < 0 && close.x >= 0)
                        caption = CPoint(x - 20 - rc.left, y + 2 - rc.top);
                }
            std::snprintf(line, sizeof line, "bar: floating caption %ld %ld close %ld %ld", long(caption.x),
                          long(caption.y), long(close.x), long(close.y));
        } else {
            // The bar's own background next to its gripper, where a drag or double click starts.
            CRect frame, client;
            GetWindowRect(&frame);
            m_float.GetClientRect(&client);
            CPoint grip(client.left + 3, client.CenterPoint().y);
            m_float.ClientToScreen(&grip);
            std::snprintf(line, sizeof line, "bar: docked grip %ld %ld", long(grip.x - frame.left),
                          long(grip.y - frame.top));
        }
        if (m_lastState != line) {
            m_lastState = line;
            std::printf("%s\n", line);
            std::fflush(stdout);
        }
        CRect frame;
        GetWindowRect(&frame);
        std::snprintf(line, sizeof line, "frame: %ld %ld %s", long(frame.Width()), long(frame.Height()),
                      IsZoomed() ? "maximized" : "normal");
        if (m_lastFrame != line) {
            m_lastFrame = line;
            std::printf("%s\n", line);
            std::fflush(stdout);
        }
    }
    void OnDestroy()
    {
        CFrameWnd::OnDestroy();
        PostQuitMessage(m_result);
    }
    void PostNcDestroy() override {}  // the object lives in main

    bool m_done = false;
    std::string m_lastState, m_lastFrame;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_DEMO_PAINTED, OnPainted)
    ON_WM_TIMER()
END_MESSAGE_MAP()


}  // namespace

int main(int argc, char** argv)
{
    std::string shot;
    bool quit = false, report = false, maximize = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--report") == 0)
            report = true;
        else if (std::strcmp(argv[i], "--maximize") == 0)
            maximize = true;
        if (std::strncmp(argv[i], "--count-colours=", 16) == 0) {
            // The bars' colours, the view and the frame: a working layout shows many.
            const int n = CountColours(argv[i] + 16);
            std::printf("%d\n", n);
            return n > 6 ? 0 : 1;
        }
        if (std::strncmp(argv[i], "--screenshot=", 13) == 0)
            shot = argv[i] + 13;
        else if (std::strcmp(argv[i], "--quit-after-paint") == 0)
            quit = true;
    }
    CUiHost* host = AfxInitHost(&argc, &argv);
    std::fprintf(stderr, "dock_demo: %s host\n", host->Name());
    CDemoFrame frame;
    frame.m_screenshot = shot;
    frame.m_quitAfterPaint = quit;
    frame.m_report = report;
    if (!frame.Create(nullptr, L"Docking demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 740, 580), nullptr,
                      nullptr))
        return 3;
    if (maximize)
        frame.ShowWindow(SW_MAXIMIZE);
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
