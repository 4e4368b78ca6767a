// CWorkspaceView: one tab of the WorkBox palette. It draws the block types of its group as a
// column of cells (symbol box and caption) for the active document, and a click on a cell hands
// the type to the main frame as the insert tool. The WorkBox tab bar tells it its group.
#pragma once

#include "controls/CJTabCtrlBar.h"
#include "platform/ui/framework/View.h"

#include <map>
#include <vector>

class CWorkspaceView : public CScrollView, public CPaletteTabView
{
    DECLARE_DYNCREATE(CWorkspaceView)
public:
    CWorkspaceView();

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    // ---- what the tab bar sets ----
    void SetPaletteGroup(int nGroup) override { m_nGroup = nGroup; }
    void SetChosenBlockType(int nType) override { m_nChosenType = nType; }
    // A release over the tab bar's frame completes a held power cycle of the simulation.
    void OnTabBarNcLButtonUp(UINT nHitTest, CPoint point) override;

    // pt in view coordinates; *pnTool := 1 always; on a hit *pnType := the item's type, TRUE.
    BOOL HitTest(int* pnTool, int* pnType, CPoint pt);
    // Cell i: left 10, top 15 + 46 i, right 35, bottom 51 + 46 i.
    static CRect GetItemRect(int i);
    // One cell's box: an outline (bOutline) and the cream fill.
    void DrawItemFrame(CDC* pDC, int left, int top, int right, int bottom, BOOL bOutline);
    // Draws the cells of m_nGroup for a document of kind nDocKind.
    void DrawGroup(CDC* pDC, int nDocKind);

    // The kind and machine type of the active diagram (kind 1 and the global hardware code's
    // machine type without one).
    static void GetActiveDocumentModel(int* pnDocKind, int* pnMachine);

    int m_nGroup = 0;
    CSize m_sizeTotal{30, 1300};
    int m_nChosenType = 0;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);

    CString Caption(UINT nType) const;
    // Draws the cells of a list: frame, red frame of the chosen type, symbol, caption.
    void DrawCells(CDC* pDC, const std::vector<UINT>& items, BOOL bOutline, int nDocKind);

    std::map<UINT, CString> m_strCaptions;  // caption of each type, in the run's language
    DECLARE_MESSAGE_MAP()
};

// Draws the symbol of one palette cell (the cell box is (left, top) to (left + 25, top + 36)) and
// returns the y of its caption row.
int DrawPaletteSymbol(CDC* pDC, UINT nType, int nDocKind, int left, int top);
