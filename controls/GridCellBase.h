// CGridCellBase: what the grid asks of every cell, whatever it holds: its data, its state bits,
// drawing, measuring, and the edit that a typed character or a click starts. The drawing and
// measuring here serve every cell class; the data live in CGridCell.
#pragma once

#include "controls/GridDefs.h"
#include "platform/base/Object.h"
#include "platform/gdi/GdiObjects.h"

class CDC;
class CGridCtrl;
class CGridDefaultCell;
class CWnd;

class CGridCellBase : public CObject {
    DECLARE_DYNAMIC(CGridCellBase)
public:
    CGridCellBase() = default;
    ~CGridCellBase() override = default;

    // ---- data (held by the derived classes) ----
    virtual void SetText(LPCTSTR szText) = 0;
    virtual void SetImage(int nImage) = 0;
    virtual void SetData(LPARAM lParam) = 0;
    virtual void SetState(UINT nState) { m_nState = nState; }
    virtual void SetFormat(DWORD nFormat) = 0;
    virtual void SetTextColour(COLORREF clr) = 0;
    virtual void SetBackColour(COLORREF clr) = 0;
    virtual void SetFont(const LOGFONT* plf) = 0;
    virtual void SetMargin(UINT nMargin) = 0;
    virtual void SetGrid(CGridCtrl* pGrid) = 0;
    virtual void SetCoords(int nRow, int nCol) {}

    virtual LPCTSTR GetText() const = 0;
    virtual LPCTSTR GetTipText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual LPARAM GetData() const = 0;
    virtual UINT GetState() const { return m_nState; }
    virtual DWORD GetFormat() const = 0;
    virtual COLORREF GetTextClr() const = 0;
    virtual COLORREF GetBackClr() const = 0;
    virtual const LOGFONT* GetFont() const = 0;
    virtual CFont* GetFontObject() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual CWnd* GetEditWnd() const = 0;
    virtual UINT GetMargin() const = 0;
    // The grid's default cell of this cell's kind (fixed row, fixed column, both, neither).
    virtual CGridDefaultCell* GetDefaultCell() const;

    virtual BOOL IsDefaultFont() const = 0;
    virtual BOOL IsEditing() const = 0;
    virtual BOOL IsFocused() const { return (GetState() & GRIDSTATE_FOCUSED) != 0; }
    virtual BOOL IsFixed() const { return (GetState() & GRIDSTATE_FIXED) != 0; }
    virtual BOOL IsFixedCol() const { return (GetState() & GRIDSTATE_FIXEDCOL) != 0; }
    virtual BOOL IsFixedRow() const { return (GetState() & GRIDSTATE_FIXEDROW) != 0; }
    virtual BOOL IsSelected() const { return (GetState() & GRIDSTATE_SELECTED) != 0; }
    virtual BOOL IsReadOnly() const { return (GetState() & GRIDSTATE_READONLY) != 0; }
    virtual BOOL IsModified() const { return (GetState() & GRIDSTATE_MODIFIED) != 0; }
    virtual BOOL IsDropTarget() const { return (GetState() & GRIDSTATE_DROPTARGET) != 0; }
    BOOL IsLeftHalf() const { return (GetState() & GRIDSTATE_LEFTHALF) != 0; }
    BOOL IsRightHalf() const { return (GetState() & GRIDSTATE_RIGHTHALF) != 0; }

    // Copies every property of another cell (nothing when it is this one).
    virtual void operator=(const CGridCellBase& cell);
    virtual void Reset() { m_nState = 0; }

    // ---- drawing and measuring ----
    // Paints the cell into rect; FALSE without grid, DC or area.
    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    // Narrows a cell rectangle to its text area (right of the image).
    virtual BOOL GetTextRect(LPRECT pRect);
    virtual BOOL GetTipRect(LPRECT pRect) { return GetTextRect(pRect); }
    // The room a text needs in this cell, margins included.
    virtual CSize GetTextExtent(LPCTSTR str, CDC* pDC = nullptr);
    // The room the cell's content needs.
    virtual CSize GetCellExtent(CDC* pDC);
    // Prints the cell into rect of a printer DC: its colours when the grid prints shaded, else
    // black text on white; FALSE without grid, DC or area.
    virtual BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect);

    // ---- editing ----
    // Carries out the edit that nChar starts (VK_LBUTTON for a click).
    virtual BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) { return FALSE; }
    virtual BOOL ValidateEdit(LPCTSTR str) { return TRUE; }
    virtual void EndEdit() {}
    virtual void OnEndEdit() {}

    // ---- mouse ----
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(CPoint PointCellRelative) {}
    virtual void OnClickDown(CPoint PointCellRelative) {}
    virtual void OnRClick(CPoint PointCellRelative) {}
    virtual void OnDblClick(CPoint PointCellRelative) {}
    virtual BOOL OnSetCursor();

protected:
    UINT m_nState = 0;
};
