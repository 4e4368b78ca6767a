// CPaneControlStatusBar: a status bar whose panes are added and removed at run time by id and
// can host child windows (pane controls), kept inside their panes whenever the bar changes.
#pragma once

#include "platform/ui/framework/StatusBar.h"

#include <vector>

// One pane as GetPaneInfoEx and SetPaneInfoEx see it.
struct CPaneInfoEx {
    UINT nID = 0;
    int cxWidth = 0;
    UINT nStyle = 0;
    UINT nFlags = 0;  // carried along, not applied
    CString strText;
};

class CPaneControlStatusBar : public CStatusBar {
    DECLARE_DYNAMIC(CPaneControlStatusBar)
public:
    CPaneControlStatusBar();
    ~CPaneControlStatusBar() override;

    // A new pane nID before nIndex (== the pane count appends); FALSE for a bad index or an
    // id in use.
    BOOL AddPane(UINT nID, int nIndex);
    // FALSE when no pane has nID or it is the only one. Its first pane control goes (destroyed
    // when it was added with auto-destroy).
    BOOL RemovePane(UINT nID);
    // Hosts hWnd in pane nID (a pane may host several); FALSE when no pane has nID.
    BOOL AddPaneControl(HWND hWnd, UINT nID, BOOL bAutoDestroy);
    BOOL AddPaneControl(CWnd* pWnd, UINT nID, BOOL bAutoDestroy) { return AddPaneControl(pWnd->GetSafeHwnd(), nID, bAutoDestroy); }
    BOOL GetPaneInfoEx(int nIndex, CPaneInfoEx* pInfo) const;
    BOOL SetPaneInfoEx(int nIndex, const CPaneInfoEx* pInfo);
    // Grows the bar so that a control in a bordered pane is at least cy pixels tall (the
    // parent frame lays itself out again to show it).
    void SetMinControlHeight(int cy);
    // Moves every pane control into its pane.
    void RepositionControls();

protected:
    struct PaneControl {
        HWND hWnd;
        UINT nPaneID;
        BOOL bAutoDestroy;
    };
    std::vector<PaneControl> m_controls;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
