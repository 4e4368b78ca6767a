#include "shell/BarStandIns.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/framework/View.h"
#include "shell/MainFrame.h"
#include "shell/WorkspaceView.h"

// ---- sizing bar ----

IMPLEMENT_DYNAMIC(CSizingControlBarCF, CControlBar)

BEGIN_MESSAGE_MAP(CSizingControlBarCF, CControlBar)
    ON_WM_CREATE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_NCLBUTTONUP()
END_MESSAGE_MAP()

CSizingControlBarCF::CSizingControlBarCF()
{
    m_cxLeftBorder = m_cxRightBorder = 2;
    m_cyTopBorder = m_cyBottomBorder = 2;
}

BOOL CSizingControlBarCF::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                      ::GetSysColorBrush(COLOR_BTNFACE));
    return CWnd::Create(cls, lpszWindowName, (dwStyle & ~CBRS_ALL) | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                        pParentWnd, nID);
}

int CSizingControlBarCF::OnCreate(LPCREATESTRUCT lpcs)
{
    return CControlBar::OnCreate(lpcs);
}

CSize CSizingControlBarCF::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bHorz)
        return CSize(bStretch ? 32767 : m_szHorz.cx, m_szHorz.cy);
    return CSize(m_szVert.cx, bStretch ? 32767 : m_szVert.cy);
}

CSize CSizingControlBarCF::CalcDynamicLayout(int nLength, DWORD nMode)
{
    // Docked, a bar takes the length of the dock bar that holds it.
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) {
        const BOOL horz = (nMode & LM_HORZDOCK) != 0;
        CSize size = CalcFixedLayout(FALSE, horz);
        CFrameWnd* frame = GetDockingFrame();
        if (!frame)
            return size;
        CRect rc;
        frame->GetClientRect(&rc);
        if (horz) {
            size.cx = rc.Width();
            return size;
        }
        // Along a side: the frame's height less the bars above and below.
        int height = rc.Height();
        for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_STATUS_BAR}) {
            CControlBar* bar = frame->GetControlBar(id);
            if (bar && bar->IsVisible())
                height -= bar->CalcFixedLayout(TRUE, TRUE).cy;
        }
        size.cy = std::max<LONG>(height - 8, 32);
        return size;
    }
    if (nMode & LM_MRUWIDTH)
        return m_szFloat;
    if (nMode & LM_LENGTHY)
        m_szFloat.cy = std::max<LONG>(nLength, 32);
    else if (nLength > 0)
        m_szFloat.cx = std::max<LONG>(nLength, 32);
    return m_szFloat;
}

void CSizingControlBarCF::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
    CControlBar::OnWindowPosChanged(lpWndPos);
    CRect rc;
    GetClientRect(&rc);
    OnBarResized(rc.Width(), rc.Height());
}

void CSizingControlBarCF::OnBarResized(int, int)
{
    if (!(m_dwSCBStyle & SizeChild))
        return;
    if (CWnd* child = GetWindow(GW_CHILD)) {
        CRect rc;
        GetClientRect(&rc);
        child->MoveWindow(rc);
    }
}

void CSizingControlBarCF::OnNcLButtonUp(UINT, CPoint) {}

// ---- tab bar ----

IMPLEMENT_DYNAMIC(CCJTabCtrlBar, CSizingControlBarCF)

BEGIN_MESSAGE_MAP(CCJTabCtrlBar, CSizingControlBarCF)
    ON_WM_CREATE()
    ON_NOTIFY(TCN_SELCHANGE, CCJTabCtrlBar::kTabCtrlId, OnTabSelChange)
END_MESSAGE_MAP()

CCJTabCtrlBar::CCJTabCtrlBar() = default;
CCJTabCtrlBar::~CCJTabCtrlBar() = default;

BOOL CCJTabCtrlBar::Create(CWnd* pParentWnd, UINT nID, LPCTSTR lpszWindowName, CSize sizeDefault, DWORD dwStyle)
{
    m_szHorz = m_szVert = m_szFloat = sizeDefault;
    return CSizingControlBarCF::Create(lpszWindowName, pParentWnd, nID, dwStyle);
}

int CCJTabCtrlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CSizingControlBarCF::OnCreate(lpcs) == -1)
        return -1;
    if (!m_tabctrl.Create(WS_CHILD | WS_VISIBLE | TCS_TOOLTIPS | TCS_BOTTOM, CRect(0, 0, 0, 0), this, kTabCtrlId))
        return -1;
    m_tabctrl.SendMessage(WM_SETFONT, WPARAM(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return 0;
}

BOOL CCJTabCtrlBar::AddView(LPCTSTR lpszLabel, CRuntimeClass* pViewClass, CCreateContext* pContext)
{
    CObject* obj = pViewClass ? pViewClass->CreateObject() : nullptr;
    auto* view = dynamic_cast<CView*>(obj);
    if (!view) {
        delete obj;
        return FALSE;
    }
    CCreateContext empty;
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, 0,
                      pContext ? pContext : &empty)) {
        if (!view->m_hWnd)
            delete view;
        return FALSE;
    }
    if (m_views.empty())
        m_pActiveView = view;
    else {
        view->EnableWindow(FALSE);
        view->ShowWindow(SW_HIDE);
    }
    const int index = int(m_views.size());
    m_views.push_back(Tab{view, lpszLabel});
    m_tabctrl.InsertItem(TCIF_TEXT | TCIF_IMAGE, index, lpszLabel, index, 0);
    CRect rc;
    GetClientRect(&rc);
    LayoutViews(rc.Width(), rc.Height());
    return TRUE;
}

CView* CCJTabCtrlBar::GetView(int nView) const
{
    return nView >= 0 && nView < int(m_views.size()) ? m_views[size_t(nView)].pView : nullptr;
}

void CCJTabCtrlBar::SetActiveView(int nView)
{
    if (nView < 0 || nView >= int(m_views.size()) || nView == m_nActiveTab)
        return;
    if (CView* old = GetView(m_nActiveTab)) {
        old->EnableWindow(FALSE);
        old->ShowWindow(SW_HIDE);
    }
    m_nActiveTab = nView;
    m_pActiveView = m_views[size_t(nView)].pView;
    m_pActiveView->EnableWindow(TRUE);
    m_pActiveView->ShowWindow(SW_SHOW);
    m_pActiveView->SetFocus();
    m_tabctrl.SetCurSel(nView);
}

void CCJTabCtrlBar::OnTabSelChange(NMHDR*, LRESULT* pResult)
{
    const int sel = m_tabctrl.GetCurSel();
    SetActiveView(sel);
    if (auto* palette = dynamic_cast<CWorkspaceView*>(m_pActiveView)) {
        palette->m_nGroup = sel;
        palette->m_nChosenType = 0;
        if (CWnd* main = AfxGetMainWnd())
            main->SendMessage(WM_PALETTE_TOOL, 0, 0);
    }
    Invalidate();
    *pResult = 0;
}

void CCJTabCtrlBar::OnBarResized(int cx, int cy)
{
    LayoutViews(cx, cy);
}

void CCJTabCtrlBar::LayoutViews(int cx, int cy)
{
    if (!m_tabctrl.m_hWnd)
        return;
    const int tabHeight = 24;
    m_tabctrl.MoveWindow(2, std::max(0, cy - tabHeight - 2), std::max(0, cx - 4), tabHeight);
    for (const Tab& t : m_views)
        t.pView->MoveWindow(2, 2, std::max(0, cx - 4), std::max(0, cy - tabHeight - 6));
}
