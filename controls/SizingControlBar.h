// CSizingControlBar: a docking bar whose size the user sets by dragging its edges, and which
// shares the length of its dock row with the other sizing bars of that row.
//
// The bar keeps one size per placement: m_szHorz while docked at the top or bottom (its width
// is the length along the row, its height the thickness), m_szVert at the left or right (height
// along, width across) and m_szFloat while floating. The frame's dock bar asks the first sizing
// bar of each row to share the row's length among the row's sizing bars (DistributeRowLength);
// a row whose minimum lengths no longer fit is broken in two.
//
// A docked bar has draggable edges in its non-client area: the edge that faces the frame's
// client area changes the thickness of the whole row, an edge between two sizing bars moves
// the length from one neighbour to the other. Without full-window drag the edge is dragged as
// an inverted tracker line on the dock site and the sizes change when it is released.
//
// CSCBDockContext starts a drag with the bar's own three sizes; CSCBMiniDockFrameWnd is the
// floating frame of a floating sizing bar: it drops its caption after the first move (the
// gripper variants paint a band of their own) and its sizing border sets the bar's floating
// size.
#pragma once

#include "platform/ui/framework/ControlBar.h"
#include "platform/ui/framework/DockBar.h"
#include "platform/ui/framework/DockContext.h"
#include "platform/ui/framework/DockMiniFrame.h"
#include "platform/ui/framework/Frame.h"

#include <vector>

// ---- sizing style bits (GetSCBStyle / SetSCBStyle) ----
constexpr DWORD SCBS_EDGELEFT = 0x01;    // the left edge can be dragged
constexpr DWORD SCBS_EDGERIGHT = 0x02;
constexpr DWORD SCBS_EDGETOP = 0x04;
constexpr DWORD SCBS_EDGEBOTTOM = 0x08;
constexpr DWORD SCBS_EDGEALL = 0x0F;     // recomputed at every non-client size calculation
constexpr DWORD SCBS_SHOWEDGES = 0x10;   // paint the draggable edges, keep the client clear of them
constexpr DWORD SCBS_SIZECHILD = 0x20;   // the first child window always fills the client area

class CSizingControlBar;
using CSCBArray = std::vector<CSizingControlBar*>;

class CSizingControlBar : public CControlBar {
    DECLARE_DYNAMIC(CSizingControlBar)
public:
    CSizingControlBar();
    ~CSizingControlBar() override;

    // Creates the bar window (empty rectangle, hidden until docked). The CBRS_ALL part of
    // dwStyle is the bar style, the rest the window style.
    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);
    // The same with every size set to sizeDefault first (bHasGripper is not used).
    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);

    // The sizes in the profile section "<name>-SCBar-<id>"; values below the minimum sizes
    // are raised to them.
    virtual void LoadState(LPCTSTR lpszProfileName);
    virtual BOOL SaveState(LPCTSTR lpszProfileName);

    // Allows docking at the sides of dwDockStyle with a dock context that drags the bar with
    // its own sizes.
    void EnableDocking(DWORD dwDockStyle);

    DWORD GetSCBStyle() const { return m_dwSCBStyle; }
    void SetSCBStyle(DWORD dwStyle) { m_dwSCBStyle = dwStyle & ~SCBS_EDGEALL; }

    BOOL IsDockedHorizontally() const;
    BOOL IsDockedVertically() const;
    BOOL IsSizingFloating() const { return !IsDockedHorizontally() && !IsDockedVertically(); }
    // An edge between two bars of the row is being dragged (not the edge facing the frame).
    BOOL IsTrackingAlongRow() const;

    // ---- CControlBar ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // ---- sizes ----
    CSize m_szHorz{125, 125};      // docked at the top or bottom
    CSize m_szVert{125, 125};      // docked at the left or right
    CSize m_szFloat{125, 125};     // floating
    CSize m_szMinHorz{33, 32};
    CSize m_szMinVert{33, 32};
    CSize m_szMinFloat{37, 32};

protected:
    virtual void BeginEdgeTracking(UINT nHitTest, CPoint point);
    virtual void EndEdgeTracking();
    virtual void TrackEdgeTo(CPoint& point);
    virtual void InvertEdgeTracker();
    // Paints the band beside the client area; nothing here (the gripper variants paint it).
    virtual void PaintGripper(CDC* pDC, CRect rcClient);
    // Shrinks a window rectangle to the client rectangle for the given dock bar id.
    virtual void CalcClientArea(LPRECT lpRect, UINT nDockBarID);
    // Moves the visible bars of the row next to each other, each with its own length.
    virtual void AlignRowBars();

    // The rectangle (window coordinates, window at 0,0) of a draggable edge; FALSE when that
    // edge cannot be dragged.
    BOOL CalcEdgeRect(UINT nHitTest, CRect& rcEdge) const;
    // The row that holds the bar in its dock bar: first and last index of m_arrBars.
    void GetRowRange(int& nFirst, int& nLast) const;
    // The visible sizing bars of the row in order, and the index of this bar among them.
    void CollectRowBars(CSCBArray& arrBars, int* pnThis = nullptr) const;
    // Shares nLengthTotal among the row's sizing bars. FALSE when it broke the row instead.
    BOOL DistributeRowLength(int nLengthTotal, BOOL bHorz);

    // Length along the row and thickness across it, for the bar's current orientation. The
    // shortest length the row may give the bar is the bar's to say (a bar may need less than
    // its minimum size while its content is small).
    int Length(BOOL bHorz) const { return bHorz ? m_szHorz.cx : m_szVert.cy; }
    virtual int MinLength(BOOL bHorz) const { return bHorz ? m_szMinHorz.cx : m_szMinVert.cy; }
    int Thickness(BOOL bHorz) const { return bHorz ? m_szHorz.cy : m_szVert.cx; }
    int MinThickness(BOOL bHorz) const { return bHorz ? m_szMinHorz.cy : m_szMinVert.cx; }
    void SetLength(BOOL bHorz, int n) { (bHorz ? m_szHorz.cx : m_szVert.cy) = n; }
    void SetThickness(BOOL bHorz, int n) { (bHorz ? m_szHorz.cy : m_szVert.cx) = n; }

    // ---- state ----
    DWORD m_dwSCBStyle = 0;
    UINT m_htEdge = 0;             // hit code of the edge being dragged
    int m_nTrackPosMin = 0;        // limits of the drag along its direction (screen)
    int m_nTrackPosMax = 0;
    int m_nTrackPosOld = 0;        // last mouse position along the drag direction
    int m_nTrackEdgeOfs = 0;       // mouse minus the centre of the dragged edge
    BOOL m_bTracking = FALSE;
    BOOL m_bKeepSize = FALSE;      // keeps its length in the next sharing of the row
    BOOL m_bParentSizing = FALSE;  // the dock bar is laying the row out
    BOOL m_bDragShowContent = FALSE;  // full-window drag: the edge moves live
    UINT m_nDockBarID = 0;
    int m_cxEdge = 5;

    friend class CSCBMiniDockFrameWnd;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnPaint();
    void OnNcPaint();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnCaptureChanged(CWnd* pWnd);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    LRESULT OnNcHitTest(CPoint point);
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// Drags a sizing bar with its own docked and floating sizes.
class CSCBDockContext : public CDockContext {
public:
    explicit CSCBDockContext(CSizingControlBar* pBar) : CDockContext(pBar) {}
    void StartDrag(CPoint pt) override;
};

// The floating frame of sizing bars: after its first move it has no caption and a plain
// sizing border, and sizing it sets the bar's floating size.
class CSCBMiniDockFrameWnd : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(CSCBMiniDockFrameWnd)
public:
    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
    using CMiniDockFrameWnd::Create;
    // The sizing bar the frame holds, or null.
    CSizingControlBar* FindSizingBar() const;

protected:
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()
};
