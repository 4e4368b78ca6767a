// The docking bars of the control library that the shell uses, in the small form the shell needs
// until the control library's own bars replace them: a sizing bar with a caption that holds one
// child window (the Information Window's base) and the tab bar of the WorkBox, which shows one
// view per tab.
#pragma once

#include "platform/ui/controls/CtlViewClasses.h"
#include "platform/ui/framework/ControlBar.h"
#include "platform/ui/framework/FrameContext.h"

#include <vector>

class CView;

// A docking bar that keeps one size per docking state; with the SizeChild style bit its first
// child window always fills the client area.
class CSizingControlBarCF : public CControlBar
{
    DECLARE_DYNAMIC(CSizingControlBarCF)
public:
    enum { ShowEdges = 0x10, SizeChild = 0x20 };
    CSizingControlBarCF();

    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

    DWORD GetSCBStyle() const { return m_dwSCBStyle; }
    void SetSCBStyle(DWORD dwStyle) { m_dwSCBStyle = dwStyle; }

    CSize m_szHorz{200, 125};
    CSize m_szVert{160, 200};
    CSize m_szFloat{200, 125};

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    // The client area changed to cx x cy.
    virtual void OnBarResized(int cx, int cy);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    DWORD m_dwSCBStyle = 0;
    DECLARE_MESSAGE_MAP()
};

// The WorkBox: a docking bar with a tab control at its foot and one view per tab above it.
class CCJTabCtrlBar : public CSizingControlBarCF
{
    DECLARE_DYNAMIC(CCJTabCtrlBar)
public:
    enum { kTabCtrlId = 1000 };
    CCJTabCtrlBar();
    ~CCJTabCtrlBar() override;

    BOOL Create(CWnd* pParentWnd, UINT nID, LPCTSTR lpszWindowName, CSize sizeDefault, DWORD dwStyle);
    HIMAGELIST SetTabImageList(CImageList* pImageList) { return m_tabctrl.SetImageList(pImageList); }
    // Creates a view of the runtime class as a child of the bar and adds a tab for it; every view
    // after the first starts hidden and disabled. FALSE when the view cannot be made.
    BOOL AddView(LPCTSTR lpszLabel, CRuntimeClass* pViewClass, CCreateContext* pContext = nullptr);
    void SetActiveView(int nView);
    CView* GetActiveView() const { return m_pActiveView; }
    CView* GetView(int nView) const;
    int GetViewCount() const { return int(m_views.size()); }
    CTabCtrl& GetTabCtrl() { return m_tabctrl; }

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnBarResized(int cx, int cy) override;
    void OnTabSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    void LayoutViews(int cx, int cy);

    CTabCtrl m_tabctrl;
    int m_nActiveTab = 0;
    CView* m_pActiveView = nullptr;
    struct Tab { CView* pView; CString label; };
    std::vector<Tab> m_views;
    DECLARE_MESSAGE_MAP()
};
