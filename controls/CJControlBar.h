// CCJControlBar: a dockable bar that keeps one size per placement (its height docked at the
// top or bottom, its width at the left or right, and a floating size), spans the whole side it
// is docked at, is made thicker or thinner by dragging the sizing edge that faces the frame's
// client area, draws a gripper while docked and can carry a hide and a minimize button.
#pragma once

#include "controls/CJButton.h"
#include "platform/ui/framework/ControlBar.h"
#include "platform/ui/framework/DockBar.h"
#include "platform/ui/framework/Frame.h"

class CCJControlBar : public CControlBar {
    DECLARE_DYNAMIC(CCJControlBar)
public:
    CCJControlBar();
    ~CCJControlBar() override;

    // The CBRS_ALL part of dwStyle is the bar style; of the rest only WS_CHILD and WS_VISIBLE
    // are kept. Every size starts as sizeDefault.
    virtual BOOL Create(CWnd* pParentWnd, UINT nID, LPCTSTR lpszWindowName = nullptr,
                        CSize sizeDefault = CSize(200, 100), DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);
    // Not docked at one of the frame's four sides.
    virtual BOOL IsFloating() const;
    BOOL IsDockedHorizontally() const;

    // The images of the buttons: 0 hide, 1 and 2 minimize (docked vertically, horizontally).
    CImageList* SetImageList(CImageList* pImageList);

    // ---- CControlBar ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // ---- options (before Create) ----
    BOOL m_bGripper = TRUE;   // a docked bar draws its gripper
    BOOL m_bButtons = FALSE;  // the bar makes its hide and minimize buttons
    UINT m_menuID = 0;        // a right click shows the first sub-menu of this menu

    // ---- sizes ----
    CSize m_sizeHorz{200, 200};   // docked at the top or bottom: its height is used
    CSize m_sizeVert{200, 200};   // at the left or right: its width is used
    CSize m_sizeFloat{200, 200};
    int m_cxMin = 32;
    int m_cyMin = 32;
    int m_cxEdge = 6;             // depth of the sizing edge

    // The sizing edge in the bar's window coordinates (empty while floating).
    CRect GetSizingEdge() const { return m_rcSizeEdge; }
    UINT GetDockBarID() const { return m_nDockBarID; }

protected:
    // Starts, moves and ends the drag of the sizing edge.
    void BeginTracking();
    void TrackTo(CPoint ptWindow);
    void EndTracking(BOOL bAccept);
    void InvertTracker(const CRect& rcWindow);
    // The client origin in the bar's window coordinates.
    CPoint ClientOrigin() const;
    // The frame whose layout the bar is part of.
    CFrameWnd* SiteFrame() const;

    BOOL m_bInLayout = FALSE;   // asking for a frame change of itself
    BOOL m_bTracking = FALSE;
    UINT m_nDockBarID = 0;
    CRect m_rcSizeEdge;         // window coordinates
    CRect m_rcTrack;            // the tracker, window coordinates
    CPoint m_ptStartCenter;     // centre of the edge when the drag began
    CCJButton m_btnHide;
    CCJButton m_btnMinimize;
    CImageList* m_pImageList = nullptr;
    CToolTipCtrl m_toolTip;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    void OnPaint();
    LRESULT OnNcHitTest(CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnButtonHide();
    void OnButtonMinimize();
    void OnUpdateButton(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

// Ids of the bar's buttons (commands of the bar itself).
constexpr UINT IDC_CJBAR_HIDE = 1000;
constexpr UINT IDC_CJBAR_MINIMIZE = 1001;
