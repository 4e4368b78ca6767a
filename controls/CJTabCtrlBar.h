// CCJTabCtrlBar: a docking bar holding a tab control (tabs at the bottom) and one view per tab;
// the view of the chosen tab is shown and enabled, the others are hidden and disabled.
//
// A view that lists one group of a palette implements CPaletteTabView: when the user picks its
// tab it is given the tab's index as its group and its chosen type is cleared, and the main
// window is sent WM_PALETTE_TOOL (0, 0) so that no tool stays chosen.
#pragma once

#include "controls/CJControlBar.h"
#include "platform/ui/framework/View.h"

#include <vector>

// Sent to the main window when a palette tool is chosen: wParam the edit mode, lParam the
// block type code (0, 0: none).
constexpr UINT WM_PALETTE_TOOL = WM_USER + 55;

// What the tab bar needs of a palette view.
class CPaletteTabView {
public:
    virtual ~CPaletteTabView() = default;
    // The tab index whose family the view lists.
    virtual void SetPaletteGroup(int nGroup) = 0;
    // The type code highlighted in the palette, 0 for none.
    virtual void SetChosenBlockType(int nType) = 0;
    // A non-client left-button release that reached the tab bar.
    virtual void OnTabBarNcLButtonUp(UINT /*nHitTest*/, CPoint /*point*/) {}
};

class CCJTabCtrlBar : public CCJControlBar {
    DECLARE_DYNAMIC(CCJTabCtrlBar)
public:
    CCJTabCtrlBar();
    ~CCJTabCtrlBar() override;

    // The tab control's images (tab n shows image n); returns the previous list's handle.
    HIMAGELIST SetTabImageList(CImageList* pImageList);
    // Creates a view of pViewClass as a child of the bar and adds a tab for it at the end.
    // The first view becomes the active one; later views start hidden and disabled.
    BOOL AddView(LPCTSTR lpszLabel, CRuntimeClass* pViewClass, CCreateContext* pContext = nullptr);
    // Shows tab nView's view and selects the tab; -1, the active tab or an index outside the
    // list changes nothing.
    void SetActiveView(int nView);
    CView* GetActiveView() const { return m_pActiveView; }
    int GetActiveTab() const { return m_nActiveTab; }
    // The view of tab nView, null outside the list.
    CView* GetView(int nView) const;
    int GetViewCount() const { return int(m_views.size()); }
    CString GetTabLabel(int nView) const;
    CTabCtrl& GetTabCtrl() { return m_tabctrl; }

protected:
    struct TabRecord {
        CView* pView;
        CString label;
    };

    // Places the tab control and the views for the bar's window size and placement.
    void LayoutTabs(int cx, int cy);

    CTabCtrl m_tabctrl;
    CWnd* m_pToolTip = nullptr;    // the tab control's own tooltip
    int m_nActiveTab = 0;
    CView* m_pActiveView = nullptr;
    std::vector<TabRecord> m_views;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnDestroy();
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    void OnTabSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
