// CGridCell: the text cell of the grid. It stores only what differs from its default cell
// (format and margin -1, colours CLR_DEFAULT, no own font). Editing opens no window: a typed
// character replaces the text at once and the focus moves one cell on; a double-width character
// takes the cell and its right neighbour when the grid's owner accepts it.
#pragma once

#include "controls/GridCellBase.h"

#include <memory>

class CGridCell : public CGridCellBase {
    DECLARE_DYNCREATE(CGridCell)
public:
    CGridCell();
    ~CGridCell() override;

    void SetText(LPCTSTR szText) override { m_strText = szText ? szText : L""; }
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetFormat(DWORD nFormat) override { m_nFormat = nFormat; }
    void SetTextColour(COLORREF clr) override { m_crFgClr = clr; }
    void SetBackColour(COLORREF clr) override { m_crBkClr = clr; }
    void SetFont(const LOGFONT* plf) override;
    void SetMargin(UINT nMargin) override { m_nMargin = nMargin; }
    void SetGrid(CGridCtrl* pGrid) override { m_pGrid = pGrid; }

    LPCTSTR GetText() const override;
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override { return m_crFgClr; }
    COLORREF GetBackClr() const override { return m_crBkClr; }
    const LOGFONT* GetFont() const override;
    CFont* GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    CWnd* GetEditWnd() const override { return m_pEditWnd; }
    UINT GetMargin() const override;

    BOOL IsDefaultFont() const override { return m_plfFont == nullptr; }
    BOOL IsEditing() const override { return m_bEditing; }

    void Reset() override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    // The start every editor of a cell shares. While the cell edits, a key goes on to its editor
    // and *pResult is TRUE; a cell of no grid cannot edit and *pResult is FALSE; both return
    // FALSE. Otherwise the cell now edits and the caller opens its editor (TRUE).
    BOOL BeginEditing(UINT nChar, BOOL* pResult);
    // The colours an editor over the cell takes: the cell's own, else the default cell's.
    void EditorColours(COLORREF* pFore, COLORREF* pBack) const;

    CString m_strText;
    LPARAM m_lParam = 0;
    int m_nImage = -1;
    DWORD m_nFormat = DWORD(-1);  // -1: the default cell's
    COLORREF m_crFgClr = CLR_DEFAULT;
    COLORREF m_crBkClr = CLR_DEFAULT;
    std::unique_ptr<LOGFONT> m_plfFont;  // null: the default cell's font
    UINT m_nMargin = UINT(-1);           // -1: the default cell's
    BOOL m_bEditing = FALSE;
    CGridCtrl* m_pGrid = nullptr;
    CWnd* m_pEditWnd = nullptr;  // an editor window over the cell; the text cell opens none
};

// One of the four per-kind defaults of a grid (normal, fixed row, fixed column, corner): the
// format, colours and font that cells leave at their defaults, and the default column width and
// row height, measured from the font.
class CGridDefaultCell : public CGridCell {
    DECLARE_DYNCREATE(CGridDefaultCell)
public:
    CGridDefaultCell();
    ~CGridDefaultCell() override;

    void SetData(LPARAM) override {}
    void SetState(UINT) override {}
    UINT GetState() const override { return CGridCell::GetState() | GRIDSTATE_READONLY; }
    // Makes the font object and measures the default size with it.
    void SetFont(const LOGFONT* plf) override;
    const LOGFONT* GetFont() const override { return &m_lf; }
    CFont* GetFontObject() const override { return const_cast<CFont*>(&m_Font); }
    DWORD GetFormat() const override { return m_nFormat; }
    UINT GetMargin() const override { return m_nMargin; }

    DWORD GetStyle() const { return m_dwStyle; }
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    int GetWidth() const { return m_Size.cx; }
    int GetHeight() const { return m_Size.cy; }
    void SetWidth(int nWidth) { m_Size.cx = nWidth; }
    void SetHeight(int nHeight) { m_Size.cy = nHeight; }

private:
    CSize m_Size{30, 10};
    LOGFONT m_lf{};
    CFont m_Font;
    DWORD m_dwStyle = 0;
};
