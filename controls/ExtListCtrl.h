// CExtListCtrl: a report list view that paints every cell itself from a record of display
// attributes per cell (colours, check box, progress bar, bold text, image, enabled row), with
// the owner-painted header CXHeaderCtrl whose item images 1 and 2 are a column's unchecked and
// checked header check box.
//
// The parent hears of the user's changes through registered messages, sent with wParam = row
// and lParam = column: WM_XLISTCTRL_CHECKBOX_CLICKED when a check box is clicked (not when it is
// set by code or through the header). An empty list shows a fixed text below the header.
//
// Rows made by InsertItem carry the records (as their item data); rows inserted otherwise are
// painted in the default colours without a check box. Not supported: combo cells and their
// drop-down list, and cell tool tips (nothing here uses them).
#pragma once

#include "controls/XHeaderCtrl.h"

#include <vector>

extern const UINT WM_XLISTCTRL_COMBO_SELECTION;
extern const UINT WM_XLISTCTRL_CHECKBOX_CLICKED;

// The display attributes of one cell.
struct XLISTCTRLDATA {
    BOOL bEnabled = TRUE;          // of column 0 only: FALSE greys the row and ignores its clicks
    BOOL bBold = FALSE;
    int nImage = -1;               // in the list's small image list, -1 none
    CString strToolTip;
    COLORREF crText = 0;
    COLORREF crBackground = 0;
    BOOL bShowProgress = FALSE;
    int nProgressPercent = 0;      // 0..100
    CString strProgressText;       // format of the progress text, "%d%%" when empty
    BOOL bShowProgressMessage = TRUE;
    int nCheckedState = -1;        // -1 no check box, 0 unchecked, 1 checked
};

class CExtListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CExtListCtrl)
public:
    CExtListCtrl();
    ~CExtListCtrl() override;

    // ---- rows ----
    // A row with the window-text and window colours; -1 for a negative row or a failure.
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, COLORREF crText, COLORREF crBackground);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    // The selected and focused row / the first selected row (-1 none).
    void SetCurSel(int nItem);
    int GetCurSel() const;

    // ---- cell attributes ----
    BOOL SetCheckbox(int nItem, int nSubItem, int nCheckedState);
    int GetCheckbox(int nItem, int nSubItem) const;
    BOOL SetEnabled(int nItem, BOOL bEnable);
    BOOL GetEnabled(int nItem) const;
    BOOL SetBold(int nItem, int nSubItem, BOOL bBold);
    BOOL SetItemColors(int nItem, int nSubItem, COLORREF crText, COLORREF crBackground);
    BOOL SetItemImage(int nItem, int nSubItem, int nImage);
    BOOL SetProgress(int nItem, int nSubItem, BOOL bShowProgressText = TRUE, LPCTSTR lpszProgressText = nullptr);
    BOOL UpdateProgress(int nItem, int nSubItem, int nPercent);
    BOOL SetItemToolTipText(int nItem, int nSubItem, LPCTSTR lpszToolTipText);
    CString GetItemToolTipText(int nItem, int nSubItem) const;

    // ---- columns and the header ----
    int CountColumns() const;
    // The list view's cell rectangle; column 0 ends where column 1 begins.
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& rect) const;
    // The header check box of a column: 0 none, 1 unchecked, 2 checked; -1 out of range.
    int GetHeaderCheck(int nSubItem) const;
    void SetHeaderCheck(int nSubItem, int nCheckedState);
    int CountCheckedRows(int nSubItem) const;
    CXHeaderCtrl& GetXHeader() { return m_HeaderCtrl; }

    // Invalidates one cell and paints it at once.
    void RedrawCellOfRow(int nItem, int nSubItem);

    // The text an empty list shows.
    static const wchar_t* EmptyListText() { return L"There are no items to show in this view."; }

protected:
    void PreSubclassWindow() override;
    void SubclassHeader();
    XLISTCTRLDATA* Cell(int nItem, int nSubItem) const;
    std::vector<XLISTCTRLDATA>* Records(int nItem) const;
    void FreeRecords(int nItem);
    BOOL InRange(int nItem, int nSubItem) const;
    // Sets the column's header check box from its rows, when it has one.
    void UpdateHeaderCheck(int nSubItem);
    void ReadSysColors();

    // ---- painting ----
    void PaintCell(CDC* pDC, int nItem, int nSubItem, COLORREF crText, COLORREF crBk);
    void DrawCellText(CDC* pDC, int nItem, int nSubItem, CRect rect, COLORREF crText, COLORREF crBk,
                  const XLISTCTRLDATA* pCell);
    void DrawCheckbox(CDC* pDC, int nItem, int nSubItem, CRect rect, COLORREF crText, COLORREF crBk,
                      const XLISTCTRLDATA& cell);
    void DrawProgress(CDC* pDC, int nItem, int nSubItem, CRect rect, COLORREF crText, COLORREF crBk,
                      const XLISTCTRLDATA& cell);
    // The colours of a cell as its row's selection and the focus make them.
    void SelectionColors(int nItem, int nSubItem, COLORREF& crText, COLORREF& crBk) const;
    UINT ColumnAlignment(int nSubItem) const;

    CXHeaderCtrl m_HeaderCtrl;
    CImageList m_cImageList;
    BOOL m_bHeaderIsSubclassed = FALSE;
    COLORREF m_cr3DFace = 0, m_cr3DHighLight = 0, m_cr3DShadow = 0, m_crBtnFace = 0, m_crBtnShadow = 0,
             m_crBtnText = 0, m_crGrayText = 0, m_crHighLight = 0, m_crHighLightText = 0, m_crWindow = 0,
             m_crWindowText = 0;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    void OnSysColorChange();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeleteItemNotify(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
