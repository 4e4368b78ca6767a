#include "BarTestSupport.h"

#include "controls/CJTabCtrlBar.h"
#include "platform/ui/core/MessageMap.h"

namespace bartest {

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_MESSAGE(WM_PALETTE_TOOL, OnPaletteTool)
END_MESSAGE_MAP()

void BarTest::SetUp()
{
    m_app = std::make_unique<CWinApp>(L"BarTest");
    m_pFrame = new CTestFrame;
    CRect rc(100, 100, 700, 500);
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
    ASSERT_TRUE(m_pFrame->Create(nullptr, L"Bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rc, nullptr, nullptr));
    m_app->m_pMainWnd = m_pFrame;
    m_pView = new CWnd;
    ASSERT_TRUE(m_pView->Create(AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_WINDOW + 1))),
                                L"View", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pFrame, AFX_IDW_PANE_FIRST));
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    Layout();
    drv.Pump();
}

void BarTest::TearDown()
{
    if (m_pFrame && ::IsWindow(m_pFrame->GetSafeHwnd()))
        m_pFrame->DestroyWindow();  // the frame deletes itself
    m_pFrame = nullptr;
    delete m_pView;
    m_pView = nullptr;
    if (m_app)
        m_app->m_pMainWnd = nullptr;
    m_app.reset();
}

CRect BarTest::InFrame(CWnd* pWnd) const
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    m_pFrame->ScreenToClient(&rc);
    return rc;
}

CDockBar* BarTest::Dock(UINT nID) const
{
    return DYNAMIC_DOWNCAST(CDockBar, m_pFrame->GetControlBar(nID));
}

void BarTest::Idle()
{
    drv.Pump();
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    drv.Pump();
}

CPoint BarTest::Screen(CWnd* pWnd, CPoint client)
{
    pWnd->ClientToScreen(&client);
    return client;
}

CPoint BarTest::ScreenOfWindowPoint(CWnd* pWnd, CPoint windowPt)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return CPoint(rc.left + windowPt.x, rc.top + windowPt.y);
}

void BarTest::DragNonClient(CPoint from, const std::vector<CPoint>& path)
{
    drv.MouseMove(from);
    drv.MouseDown(from);
    drv.Pump();
    for (const CPoint& pt : path) {
        drv.MouseMove(pt);
        drv.Pump();
    }
    drv.MouseUp(path.empty() ? from : path.back());
    drv.Pump();
}

COLORREF BarTest::PixelAt(CPoint screen) const
{
    CRect rc;
    m_pFrame->GetWindowRect(&rc);
    return drv.Pixel(m_pFrame->GetSafeHwnd(), screen.x - rc.left, screen.y - rc.top);
}

}  // namespace bartest
