// CCJTabCtrlBar: the tab control, its views, tab switching and the layout of both.
#include "controls/CJTabCtrlBar.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/App.h"

#include <cwchar>

namespace {
constexpr UINT kTabCtrlId = 1000;
}  // namespace

IMPLEMENT_DYNAMIC(CCJTabCtrlBar, CCJControlBar)

BEGIN_MESSAGE_MAP(CCJTabCtrlBar, CCJControlBar)
    ON_WM_CREATE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_DESTROY()
    ON_WM_NCLBUTTONUP()
    ON_NOTIFY(TCN_SELCHANGE, kTabCtrlId, OnTabSelChange)
    ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOW, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

CCJTabCtrlBar::CCJTabCtrlBar() = default;

CCJTabCtrlBar::~CCJTabCtrlBar() = default;

int CCJTabCtrlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CCJControlBar::OnCreate(lpcs) == -1)
        return -1;
    if (!m_tabctrl.Create(WS_CHILD | WS_VISIBLE | TCS_TOOLTIPS | TCS_BOTTOM, CRect(0, 0, 0, 0), this, kTabCtrlId))
        return -1;
    m_tabctrl.SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    HWND hTips = m_tabctrl.GetToolTipsHandle();
    m_pToolTip = hTips ? CWnd::FromHandle(hTips) : nullptr;
    m_tabctrl.SetToolTips(m_pToolTip);
    return 0;
}

void CCJTabCtrlBar::OnDestroy()
{
    // The views are child windows and go with the bar; only the records are ours.
    m_views.clear();
    m_pActiveView = nullptr;
    CCJControlBar::OnDestroy();
}

HIMAGELIST CCJTabCtrlBar::SetTabImageList(CImageList* pImageList)
{
    return m_tabctrl.SetImageList(pImageList);
}

BOOL CCJTabCtrlBar::AddView(LPCTSTR lpszLabel, CRuntimeClass* pViewClass, CCreateContext* pContext)
{
    if (pViewClass == nullptr)
        return FALSE;
    CObject* pObject = pViewClass->CreateObject();
    auto* pView = DYNAMIC_DOWNCAST(CView, pObject);
    if (pView == nullptr) {
        delete pObject;
        return FALSE;
    }
    CCreateContext empty;
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, 0,
                       pContext ? pContext : &empty)) {
        // A view whose window was never made is still ours to delete.
        if (pView->GetSafeHwnd() == nullptr)
            delete pView;
        return FALSE;
    }
    const int nIndex = int(m_views.size());
    if (nIndex == 0) {
        m_pActiveView = pView;
        m_nActiveTab = 0;
    }
    // The label is kept whole, however long.
    m_views.push_back({pView, CString(lpszLabel ? lpszLabel : L"")});
    if (nIndex > 0) {
        pView->EnableWindow(FALSE);
        pView->ShowWindow(SW_HIDE);
    }
    m_tabctrl.InsertItem(TCIF_TEXT | TCIF_IMAGE, nIndex, m_views.back().label, nIndex, 0);
    CRect rc;
    GetWindowRect(&rc);
    LayoutTabs(rc.Width(), rc.Height());
    return TRUE;
}

CView* CCJTabCtrlBar::GetView(int nView) const
{
    if (nView < 0 || nView >= int(m_views.size()))
        return nullptr;
    return m_views[size_t(nView)].pView;
}

CString CCJTabCtrlBar::GetTabLabel(int nView) const
{
    if (nView < 0 || nView >= int(m_views.size()))
        return CString();
    return m_views[size_t(nView)].label;
}

void CCJTabCtrlBar::SetActiveView(int nView)
{
    if (nView == -1 || nView == m_nActiveTab || nView < 0 || nView >= int(m_views.size()))
        return;
    if (m_pActiveView) {
        m_pActiveView->EnableWindow(FALSE);
        m_pActiveView->ShowWindow(SW_HIDE);
    }
    CView* pView = m_views[size_t(nView)].pView;
    pView->EnableWindow(TRUE);
    pView->ShowWindow(SW_SHOW);
    pView->SetFocus();
    m_nActiveTab = nView;
    m_pActiveView = pView;
    m_tabctrl.SetCurSel(nView);
}

void CCJTabCtrlBar::OnTabSelChange(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    const int nSel = m_tabctrl.GetCurSel();
    SetActiveView(nSel);
    if (auto* pPalette = dynamic_cast<CPaletteTabView*>(GetView(nSel))) {
        pPalette->SetPaletteGroup(nSel);
        pPalette->SetChosenBlockType(0);
        if (CWnd* pMain = AfxGetMainWnd())
            pMain->SendMessage(WM_PALETTE_TOOL, 0, 0);
    }
    Invalidate();
    if (pResult)
        *pResult = 0;
}

BOOL CCJTabCtrlBar::OnToolTipText(UINT /*nID*/, NMHDR* pNMHDR, LRESULT* pResult)
{
    // The tab control's tooltip asks for the label of the tab under the pointer.
    auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    if (pInfo->hdr.hwndFrom != m_tabctrl.GetToolTipsHandle() && pInfo->hdr.hwndFrom != m_tabctrl.GetSafeHwnd())
        return FALSE;
    const int nTab = int(pInfo->hdr.idFrom);
    if (nTab < 0 || nTab >= int(m_views.size()))
        return FALSE;
    std::wcsncpy(pInfo->szText, m_views[size_t(nTab)].label, 79);
    pInfo->szText[79] = L'\0';
    pInfo->lpszText = pInfo->szText;
    if (pResult)
        *pResult = 0;
    return TRUE;
}

void CCJTabCtrlBar::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (auto* pPalette = dynamic_cast<CPaletteTabView*>(m_pActiveView))
        pPalette->OnTabBarNcLButtonUp(nHitTest, point);
    CCJControlBar::OnNcLButtonUp(nHitTest, point);
}

void CCJTabCtrlBar::LayoutTabs(int cx, int cy)
{
    if (m_tabctrl.GetSafeHwnd() == nullptr)
        return;
    CRect rcTab, rcView;
    if (IsFloating()) {
        rcTab = CRect(CPoint(5, 5), CSize(cx - 10, cy - 7));
        rcView = CRect(CPoint(8, 8), CSize(cx - 16, cy - 34));
    } else if (IsDockedHorizontally()) {
        rcTab = CRect(CPoint(17, 5), CSize(cx - 25, cy - 17));
        rcView = CRect(CPoint(20, 8), CSize(cx - 31, cy - 44));
    } else {
        rcTab = CRect(CPoint(5, 20), CSize(cx - 17, cy - 31));
        rcView = CRect(CPoint(8, 23), CSize(cx - 23, cy - 58));
    }
    auto place = [](CWnd& wnd, CRect rc) {
        rc.right = std::max(rc.right, rc.left);
        rc.bottom = std::max(rc.bottom, rc.top);
        wnd.SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(m_tabctrl, rcTab);
    for (const TabRecord& rec : m_views) {
        if (rec.pView->GetSafeHwnd())
            place(*rec.pView, rcView);
    }
    // The views lie over the tab control's page area.
    for (const TabRecord& rec : m_views) {
        if (rec.pView->GetSafeHwnd())
            ::SetWindowPos(rec.pView->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CCJTabCtrlBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CRect rc;
    GetWindowRect(&rc);
    // The placement decides the layout: refreshed before the tabs are placed.
    CWnd* pParent = GetParent();
    m_nDockBarID = pParent ? UINT(pParent->GetDlgCtrlID()) : 0;
    LayoutTabs(rc.Width(), rc.Height());
    CCJControlBar::OnWindowPosChanged(lpwndpos);
}
