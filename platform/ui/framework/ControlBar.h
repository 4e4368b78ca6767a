// CControlBar: the base of the bars a frame lays out around its client area (toolbar, status
// bar, dialog bars, sizing bars) and that can dock at the frame's sides or float in a small
// frame of their own.
//
// Layout protocol: the frame (or any parent) lays out its bars with AfxRepositionBars, which
// sends WM_SIZEPARENT with an AFX_SIZEPARENTPARAMS to every child whose id lies in the bar
// range. Each visible bar takes its size from the free rectangle's edge given by its
// CBRS_ALIGN_* bits, moves itself there (through the deferred-position batch) and shrinks the
// free rectangle. What is left is the client area for the panes (the views).
//
// Docking: a docked bar is a child of one of the frame's four CDockBar windows (ids
// AFX_IDW_DOCKBAR_TOP .. _BOTTOM), which are themselves bars of the frame; a floating bar is a
// child of the CDockBar inside a CMiniDockFrameWnd. m_pDockSite is the frame that owns the bar,
// m_pDockBar the dock bar that holds it (null when not docked anywhere), m_pDockContext the
// object that drags it (made by EnableDocking).
//
// The CBRS_BORDER_* edges and the gripper are the bar's non-client area (CalcInsideRect gives
// their widths); the client area holds the bar's items. A press on the client area where
// HitTestItem finds no item drags a docked or floating bar, a double-click there toggles it
// between docked and floating. At idle time (WM_IDLEUPDATECMDUI) a pending DelayShow is
// carried out and OnUpdateCmdUI runs against the frame the bar belongs to.
#pragma once

#include "platform/ui/core/Wnd.h"

class CFrameWnd;
class CDockBar;
class CDockContext;

// ---- bar style bits (m_dwStyle, the low part of Create's style) ----
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_FLOAT_MULTI = 0x0040;
constexpr DWORD CBRS_BORDER_3D = 0x0080;
constexpr DWORD CBRS_HIDE_INPLACE = 0x0008;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
constexpr DWORD CBRS_SIZE_FIXED = 0x0002;
constexpr DWORD CBRS_FLOATING = 0x0001;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
constexpr DWORD CBRS_ORIENT_ANY = CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT;
constexpr DWORD CBRS_ALL = 0x0040FFFF;
constexpr DWORD CBRS_NOALIGN = 0x00000000;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// ---- CalcDynamicLayout modes ----
constexpr DWORD LM_STRETCH = 0x01;   // stretch to the full length of the row
constexpr DWORD LM_HORZ = 0x02;      // horizontal orientation
constexpr DWORD LM_MRUWIDTH = 0x04;  // the most recently used floating width
constexpr DWORD LM_HORZDOCK = 0x08;  // docked at the top or bottom
constexpr DWORD LM_VERTDOCK = 0x10;  // docked at the left or right
constexpr DWORD LM_LENGTHY = 0x20;   // the length is a height, not a width
constexpr DWORD LM_COMMIT = 0x40;    // remember the result as the floating width

// ---- standard window ids of the frame's bars and panes ----
constexpr UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
constexpr UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;      // 59392
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;   // 59393
constexpr UINT AFX_IDW_PREVIEW_BAR = 0xE802;
constexpr UINT AFX_IDW_RESIZE_BAR = 0xE803;
constexpr UINT AFX_IDW_DIALOGBAR = 0xE805;
constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B;     // 59419
constexpr UINT AFX_IDW_DOCKBAR_LEFT = 0xE81C;    // 59420
constexpr UINT AFX_IDW_DOCKBAR_RIGHT = 0xE81D;   // 59421
constexpr UINT AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;  // 59422
constexpr UINT AFX_IDW_DOCKBAR_FLOAT = 0xE81F;   // 59423
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
constexpr UINT AFX_IDW_PANE_LAST = 0xE9FF;
constexpr UINT AFX_IDW_HSCROLL_FIRST = 0xEA00;
constexpr UINT AFX_IDW_VSCROLL_FIRST = 0xEA10;
constexpr UINT AFX_IDW_SIZE_BOX = 0xEA20;
constexpr UINT AFX_IDW_PANE_SAVE = 0xEA21;

// ---- layout messages ----
// Sent by AfxRepositionBars to each bar: lParam is an AFX_SIZEPARENTPARAMS*.
constexpr UINT WM_SIZEPARENT = 0x0361;
// Sent to a frame's owner to show a prompt in the status bar: wParam a string id (0: none).
constexpr UINT WM_SETMESSAGESTRING = 0x0362;

struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP = nullptr;  // the deferred-position batch, or null when only measuring
    RECT rect{};          // the free rectangle, shrunk by each bar
    SIZE sizeTotal{};     // the sum of the bars' sizes along each axis
    BOOL bStretch = TRUE; // bars stretch to the whole edge
};

// AfxRepositionBars flags
constexpr UINT reposDefault = 0;   // move the bars and the left-over pane
constexpr UINT reposQuery = 1;     // only measure: the left-over rectangle goes to lpRectParam
constexpr UINT reposExtra = 2;     // lpRectParam holds extra borders around the left-over pane
constexpr UINT reposNoPosLeftOver = 0x8000;  // do not move the left-over pane

// Lays out the children of pParent whose ids lie in nIDFirst..nIDLast around lpRectClient (the
// client rectangle when null), then gives the window nIDLeftOver what is left (or, with
// reposQuery, stores it in lpRectParam without moving anything).
void AfxRepositionBars(CWnd* pParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags = reposDefault,
                       LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    // ---- bar style and borders ----
    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
    int GetCount() const { return m_nCount; }

    // ---- docking ----
    // Allows docking at the sides given by CBRS_ALIGN_* bits (0 disables docking) and makes the
    // dock context; CBRS_FLOAT_MULTI lets the bar share a floating frame.
    void EnableDocking(DWORD dwDockStyle);
    DWORD m_dwDockStyle = 0;
    // The frame that lays the bar out: the dock site, else the parent frame.
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    virtual BOOL IsDockBar() const { return FALSE; }
    // Visible now, or about to be shown by a delayed show.
    virtual BOOL IsVisible() const;
    // Shows or hides the bar at the next layout of the frame (the frame's DelayRecalcLayout).
    virtual void DelayShow(BOOL bShow);
    // Carries out a pending delayed show or hide now; TRUE when the bar's visibility changed.
    BOOL CommitDelayedShow();

    // ---- layout ----
    // Size when docked: bStretch makes it as long as the whole edge; bHorz selects the top/bottom
    // orientation.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Size for a given length and LM_* mode; nLength -1 means "whatever the frame's layout
    // gives" (docked layout).
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // The rectangle inside the borders and the gripper.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // ---- command update at idle time ----
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    // ---- painting ----
    virtual void DoPaint(CDC* pDC);
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    void EraseNonClient();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;
    void PostNcDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- state ----
    DWORD m_dwStyle = 0;            // CBRS_* bar style
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    CDockContext* m_pDockContext = nullptr;
    BOOL m_bAutoDelete = FALSE;     // delete the object when its window goes
    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 2;
    int m_cyBottomBorder = 2;
    int m_cxDefaultGap = 2;
    UINT m_nMRUWidth = 32767;       // most recently used floating width
    int m_nCount = 0;               // elements (buttons, panes) of derived bars
    void* m_pData = nullptr;        // their data

    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
    UINT m_nStateFlags = 0;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnNcPaint();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    void OnLButtonDown(UINT nFlags, CPoint pt);
    void OnLButtonDblClk(UINT nFlags, CPoint pt);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    // The command id of the item at a client point (fly-by prompts; a press elsewhere drags
    // the bar); -1 for none. The base answers the id of the child window there.
    virtual int HitTestItem(CPoint point) const;
    // The fly-by prompt of command nHit shown in the owner's status bar (-1: the idle text).
    void SetStatusText(int nHit);
    void OnTimer(UINT_PTR nIDEvent);
    int m_nLastStatusHit = -1;

    DECLARE_MESSAGE_MAP()
};
