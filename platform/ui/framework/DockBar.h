// CDockBar: the window along one side of a frame (or inside a floating mini frame) that holds
// docked control bars in rows.
//
// m_arrBars lists the bars row by row. Entry 0 is always null, and a null entry ends each row,
// so a dock bar with bars A and B in one row and C in the next holds
//     { null, A, B, null, C, null }.
// An entry below 0x10000 is a placeholder: the control id of a bar that left this dock bar to
// float, kept so that the bar returns to the same row when it is docked again. Rows may hold
// only placeholders or hidden bars; they then take no room.
#pragma once

#include "platform/base/Array.h"
#include "platform/ui/framework/ControlBar.h"

#ifndef DYNAMIC_DOWNCAST
// pObject as a class_name*, or null when it is not one.
inline CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(pClass) ? pObject : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object) \
    static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object)))
#endif

class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    // Creates the dock bar as a child of pParentWnd; dwStyle holds WS_* and CBRS_ALIGN_* bits.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    BOOL m_bFloating;        // the dock bar of a mini frame
    CPtrArray m_arrBars;     // bars, null row ends and placeholders (see above)
    BOOL m_bLayoutQuery = FALSE;  // measuring only: bars are not moved
    CRect m_rectLayout;      // the rectangle the frame's layout offered (client of the parent)

    // ---- the array ----
    static BOOL IsPlaceHolder(const void* p) { return p != nullptr && reinterpret_cast<UINT_PTR>(p) < 0x10000; }
    // The bar at nPos; null for row ends and placeholders.
    CControlBar* GetDockedControlBar(int nPos) const;
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // Index of pBar (or of its placeholder when bPlaceHolder), skipping nPosExclude; -1 when absent.
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
    int FindPlaceHolder(UINT nID) const;
    // First and last index of the row that holds nPos (row ends excluded).
    void GetRowRange(int nPos, int& nFirst, int& nLast) const;

    // ---- docking ----
    // Takes pBar from wherever it is docked and docks it here: at the end in a row of its own
    // when lpRect is null, else in the row under the rectangle's centre (screen coordinates),
    // ordered by position.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Docks pBar in the place its placeholder keeps, or like DockControlBar when there is none.
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Puts pBar (docked here already, or docked here by this call) into pAfter's row directly
    // after pAfter. FALSE when pAfter is not docked here.
    BOOL InsertBarAfter(CControlBar* pBar, CControlBar* pAfter);
    // Removes pBar's entry. nAddPlaceHolder 1 leaves a placeholder in its place; -1 also removes
    // any placeholder of the bar. Row ends left empty are merged. FALSE when absent.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    void RemovePlaceHolder(CControlBar* pBar);
    // Drops the entries of a bar object that is going away, touching no window.
    void ForgetBar(CControlBar* pBar);
    // Shows or hides every docked bar.
    void ShowAll(BOOL bShow);

    // ---- CControlBar ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/) override {}
    BOOL IsDockBar() const override { return TRUE; }

protected:
    // Index at which a bar at rect (dock bar client coordinates) goes; *pbNewRow tells whether
    // it starts a row of its own there.
    int Insert(CControlBar* pBar, const CRect& rect, CPoint ptMid, BOOL* pbNewRow);
    // Drops a row end that follows another row end (the leading null stays).
    void CompactRows();
    // The bar window is moved into this dock bar and its style follows the dock bar's side.
    void AdoptBar(CControlBar* pBar);
    void HideOrDestroyFloatingFrame();

    BOOL IsLeadDockBar() const;
    LRESULT OnIdleUpdateDock(WPARAM wParam, LPARAM lParam);
    void OnDestroyDock();
    LRESULT OnSizeParentDock(WPARAM wParam, LPARAM lParam);
    void OnNcCalcSizeDock(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnPaintDock();
    BOOL OnEraseBkgndDock(CDC* pDC);

    DECLARE_MESSAGE_MAP()
};

// The overlap, in pixels, between neighbouring bars and between a bar and the dock bar's edges:
// bar borders are hidden under their neighbours'.
constexpr int AFX_DOCK_OVERLAP = 2;
