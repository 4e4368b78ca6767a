// CDockContext: drags a control bar with the mouse to dock it at another side of its frame or
// to float it, toggles it between docked and floating (double-click), and resizes a floating
// bar from its mini frame's border.
//
// While dragging, the place the bar would go is shown as an inverted (XOR) rectangle on the
// dock site's window: a thin one where the bar would dock, a thick one where it would float.
// The most recent docked place (m_uMRUDockID, m_rectMRUDockPos) and floating position
// (m_ptMRUFloatPos) are kept so that ToggleDocking puts the bar back where it was.
#pragma once

#include "platform/ui/framework/ControlBar.h"

class CDockBar;

class CDockContext {
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // ---- drag (pt in screen coordinates) ----
    virtual void StartDrag(CPoint pt);
    void Move(CPoint pt);
    void EndDrag();
    // Ctrl held: never dock.
    void OnKey(int nChar, BOOL bDown);

    // ---- resize of a floating bar from its frame's border ----
    virtual void StartResize(int nHitTest, CPoint pt);
    void Stretch(CPoint pt);
    void EndResize();

    // ---- double-click ----
    virtual void ToggleDocking();

    // ---- the tracking loop ----
    void InitLoop();
    void CancelLoop();
    // Runs until the button goes up (TRUE) or the drag is cancelled (FALSE).
    BOOL Track();
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    // The side the drag rectangles are over now (CBRS_ALIGN_* bit), 0 to float.
    DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);
    // Remembers where the bar is docked now, for a later return.
    void RememberDockedPlace();

    // ---- state ----
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    CRect m_rectDragHorz;        // the bar docked horizontally
    CRect m_rectDragVert;        // docked vertically
    CRect m_rectFrameDragHorz;   // floating, with its frame
    CRect m_rectFrameDragVert;

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    DWORD m_dwDockStyle = 0;     // sides the bar may dock at (its EnableDocking)
    DWORD m_dwOverDockStyle = 0; // side under the drag now
    DWORD m_dwStyle = 0;         // the bar's style when the drag began
    BOOL m_bFlip = FALSE;        // the floating rectangle is the vertical one
    BOOL m_bForceFrame = FALSE;  // Ctrl held
    CDC* m_pDC = nullptr;
    BOOL m_bDragging = FALSE;
    int m_nHitTest = 0;

    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;      // client coordinates of that dock bar
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos{-1, -1};

    // Resizing
    CRect m_rectRequestedSize;
    CRect m_rectActualSize;
    CRect m_rectActualFrameSize;
    CRect m_rectFrameBorders;
    CPoint m_ptStart;

protected:
    void AdjustWindowForFloat(CRect& rect);
    // Moves each of the four drag rectangles the least distance that puts pt on or inside it, so
    // the tracker starts under the mouse.
    void KeepDragRectsUnder(CPoint pt);
    // The top-level window of the dock site, on whose window DC the trackers are drawn.
    CWnd* TrackingWindow() const;
};
