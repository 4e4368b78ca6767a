// CSizingControlBarG: a sizing control bar with a gripper band of two raised lines along one
// side and a close button in it that hides the bar. The band lies on the left of a bar docked
// at the top or bottom, and along the top otherwise.
//
// While a simulation runs the close button neither highlights nor closes: the application
// tells through SetSimulationRunningQuery.
#pragma once

#include "controls/SizingControlBar.h"

#include <functional>

// The query that tells whether a simulation runs now; none set: never.
void SetSimulationRunningQuery(std::function<BOOL()> query);
BOOL IsSimulationRunningNow();

// The 11 x 11 close button of a gripper band, painted into the bar's non-client area.
class CSCBButton {
public:
    void MoveTo(CPoint ptTo) { m_ptOrg = ptTo; }
    CRect GetRect() const { return CRect(m_ptOrg, CSize(11, 11)); }
    void Paint(CDC* pDC);

    BOOL m_bPushed = FALSE;
    BOOL m_bRaised = FALSE;
    CPoint m_ptOrg{0, 0};  // relative to the bar window's top-left corner
};

class CSizingControlBarG : public CSizingControlBar {
    DECLARE_DYNAMIC(CSizingControlBarG)
public:
    CSizingControlBarG();

    // FALSE turns the band (gripper, caption, close button) off.
    virtual BOOL ShowsGripper() const { return TRUE; }

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // Where the close button lies (bar window coordinates).
    CRect GetCloseButtonRect() const { return m_biHide.GetRect(); }

protected:
    void CalcClientArea(LPRECT lpRect, UINT nDockBarID) override;
    void PaintGripper(CDC* pDC, CRect rcClient) override;
    // The close-button state from the cursor and the left button; TRUE when it changed.
    BOOL UpdateCloseButton();

    int m_cyGripper = 12;
    CSCBButton m_biHide;

    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);

    DECLARE_MESSAGE_MAP()
};
