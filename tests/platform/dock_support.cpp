#include "dock_support.h"

#include "platform/ui/core/MessageMap.h"

namespace docktest {

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(kCmdEnabled, OnCmd)
    ON_UPDATE_COMMAND_UI(kCmdEnabled, OnUpdateCmd)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageStringTest)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageStringTest)
END_MESSAGE_MAP()

BOOL CTestBar::Create(CWnd* pParent, UINT nID, const wchar_t* title, DWORD style)
{
    m_dwStyle = style & CBRS_ALL;
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_BTNFACE + 1)));
    return CWnd::Create(cls, title, style & ~CBRS_ALL, CRect(0, 0, 0, 0), pParent, nID);
}

CSize CTestBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(32767, m_horz.cy) : CSize(m_vert.cx, 32767);
    return bHorz ? m_horz : m_vert;
}

void DockTest::SetUp()
{
    m_pFrame = new CTestFrame;
    CRect rc(100, 100, 100, 100);
    rc.right += 600;
    rc.bottom += 400;
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
    ASSERT_TRUE(m_pFrame->Create(nullptr, L"Dock", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rc, nullptr, nullptr));
    m_pView = new CWnd;
    ASSERT_TRUE(m_pView->Create(AfxRegisterWndClass(0), L"View", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pFrame,
                                AFX_IDW_PANE_FIRST));
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    Layout();
}

void DockTest::TearDown()
{
    if (m_pFrame && ::IsWindow(m_pFrame->GetSafeHwnd()))
        m_pFrame->DestroyWindow();  // the frame deletes itself
    m_pFrame = nullptr;
    delete m_pView;
    m_pView = nullptr;
    // Bars outlive the frame here, as member bars of a frame class do during its destruction.
    m_bars.clear();
}

CTestBar& DockTest::AddBar(UINT nID, DWORD dockSides, CSize horz)
{
    auto bar = std::make_unique<CTestBar>();
    bar->m_horz = horz;
    bar->m_vert = CSize(horz.cy, horz.cx);
    std::wstring title = L"Bar" + std::to_wstring(nID);
    EXPECT_TRUE(bar->Create(m_pFrame, nID, title.c_str()));
    bar->EnableDocking(dockSides);
    m_bars.push_back(std::move(bar));
    return *m_bars.back();
}

CDockBar* DockTest::Dock(UINT nID) const
{
    return DYNAMIC_DOWNCAST(CDockBar, m_pFrame->GetControlBar(nID));
}

CRect DockTest::InFrame(CWnd* pWnd) const
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    m_pFrame->ScreenToClient(&rc);
    return rc;
}

std::string DockTest::Rows(const CDockBar* pDock)
{
    std::string out;
    for (int i = 1; i < pDock->m_arrBars.GetSize(); ++i) {
        void* p = pDock->m_arrBars[i];
        if (p == nullptr)
            out += "|";
        else if (CDockBar::IsPlaceHolder(p))
            out += "p" + std::to_string(reinterpret_cast<UINT_PTR>(p) - 0xE880) + " ";
        else
            out += std::to_string(static_cast<CControlBar*>(p)->GetDlgCtrlID() - 0xE880) + " ";
    }
    return out;
}

CMiniDockFrameWnd* DockTest::FloatingFrameOf(CControlBar* pBar) const
{
    if (!pBar->IsFloating())
        return nullptr;
    return DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pBar->m_pDockBar->GetParent());
}

}  // namespace docktest
