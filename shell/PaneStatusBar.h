// The main frame's status bar with panes that host controls (the bitmap button and the embossed
// series label), and the embossed label itself.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"
#include "platform/ui/framework/StatusBar.h"

class CPaneControlStatusBar : public CStatusBar
{
    DECLARE_DYNAMIC(CPaneControlStatusBar)
public:
    // Inserts pane nID at nIndex; FALSE when the index is out of range or the id exists.
    BOOL AddPane(UINT nID, int nIndex);
    // Removes pane nID (and destroys a control it hosts with auto-destroy); FALSE when there is
    // no such pane or it is the last one.
    BOOL RemovePane(UINT nID);
    // Hosts pWnd in pane nID; the pane's disabled style enables or disables it.
    BOOL AddPaneControl(CWnd* pWnd, UINT nID, BOOL bAutoDestroy);
};

// A static text drawn embossed (the series label of the status bar).
class CPaintedStatic : public CStatic
{
    DECLARE_DYNAMIC(CPaintedStatic)
protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};
