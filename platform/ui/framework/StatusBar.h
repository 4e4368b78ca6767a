// CStatusBar: the bar at the bottom of a frame with a message pane (the stretching first pane)
// and indicator panes, each with an id, a style, a width and a text; child windows can be
// hosted in panes.
#pragma once

#include "platform/ui/framework/ControlBar.h"

#include <vector>

// Pane styles
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_OWNERDRAW = 0x1000;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id; ID_SEPARATOR (0) gives the message pane. Each indicator's text is its
    // string resource, and its width that text's width. FALSE when a string is missing.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);

    // ---- panes added at run time and windows hosted in panes ----
    // Inserts a pane before nIndex (== count appends); FALSE when the index is out of range
    // or a pane with that id exists.
    BOOL InsertPane(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    // Removes the pane (its hosted window is destroyed when it was given with bAutoDestroy);
    // FALSE when out of range or when it is the last pane.
    BOOL RemovePane(int nIndex);
    // Places pWnd inside the pane and keeps it there (enabled unless the pane has
    // SBPS_DISABLED); null removes the hosted window.
    BOOL SetPaneWindow(int nIndex, CWnd* pWnd, BOOL bAutoDestroy = FALSE);
    CWnd* GetPaneWindow(int nIndex) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;

    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);

    struct Pane {
        UINT nID = 0;
        UINT nStyle = 0;
        int cxText = 0;
        CString strText;
        HWND hwndChild = nullptr;
        bool autoDestroy = false;
    };

protected:
    int TextWidth(const CString& text) const;
    void PlacePaneWindows();
    std::vector<Pane> m_panes;
    int m_cyHeight = 22;

    DECLARE_MESSAGE_MAP()
};
