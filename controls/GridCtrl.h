// CGridCtrl: a table of cells in rows and columns with fixed header rows and columns, a focus
// cell, a selection, keyboard and mouse editing, the clipboard and drag and drop. In the editor
// it is the character grid of the message texts (one character per cell; a double-width
// character takes two neighbouring cells, marked GRIDSTATE_LEFTHALF and GRIDSTATE_RIGHTHALF)
// with message-text fields laid over the cells, and the table of the I/O dialogs.
//
// Dialog templates place it as a custom control of the window class "MFCGridCtrl"; the host
// subclasses that control. The parent hears of clicks, selection changes and edits through
// WM_NOTIFY (NM_GRIDCELL records).
//
// Not supported: column reordering and row dragging (every host switches them off).
#pragma once

#include "controls/GridCell.h"
#include "controls/GridDefs.h"
#include "controls/GridDropTarget.h"
#include "controls/GridField.h"
#include "platform/ui/core/Ole.h"
#include "platform/ui/core/Wnd.h"

#include <map>
#include <memory>
#include <vector>

class CImageList;
class CPrintInfo;

// The window class name of the grid in dialog templates.
#define GRIDCTRL_CLASSNAME L"MFCGridCtrl"

// Mouse modes of the grid.
enum GridMouseMode {
    GRIDMOUSE_NOTHING = 0,
    GRIDMOUSE_SELECT_ALL = 1,
    GRIDMOUSE_SELECT_COL = 2,
    GRIDMOUSE_SELECT_ROW = 3,
    GRIDMOUSE_SELECT_CELLS = 4,
    GRIDMOUSE_OVER_ROW_DIVIDE = 6,
    GRIDMOUSE_SIZING_ROW = 7,
    GRIDMOUSE_OVER_COL_DIVIDE = 8,
    GRIDMOUSE_SIZING_COL = 9,
    GRIDMOUSE_PREPARE_DRAG = 11,
    GRIDMOUSE_DRAGGING = 12,
};

// One line of fields: the fields that start in one grid row. The grid owns them.
using CGridFieldLine = std::vector<CGridField*>;

class CGridCtrl : public CWnd {
    DECLARE_DYNCREATE(CGridCtrl)
    friend class CGridCell;
    friend class CGridDropTarget;

public:
    CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CGridCtrl() override;

    // A grid window made by code (dialogs make theirs from the template and subclass it).
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
    static BOOL RegisterWindowClass();

    // ---- whole grid ----
    CGridDefaultCell* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const;
    void SetupDefaultCells();
    BOOL DeleteAllItems();
    void SetVirtualMode(BOOL bVirtual);
    void SetGridLines(int nWhichLines = GRIDLINES_BOTH);
    void Refresh();
    void SetModified(BOOL bModified = TRUE, int nRow = -1, int nCol = -1);
    BOOL GetModified() const { return m_bChanged; }
    // The window that owns a message-text grid: character rules, field drawing and dialogs.
    void SetFieldOwner(CGridFieldOwner* pOwner) { m_pFieldOwner = pOwner; }
    CGridFieldOwner* GetFieldOwner() const { return m_pFieldOwner; }

    // ---- counts and cells ----
    int GetRowCount() const { return m_nRowCount; }
    int GetColumnCount() const { return m_nColumnCount; }
    int GetFixedRowCount() const { return m_nFixedRowCount; }
    int GetFixedColumnCount() const { return m_nFixedColumnCount; }
    BOOL SetRowCount(int nRows);
    BOOL SetColumnCount(int nCols);
    BOOL SetFixedRowCount(int nFixedRows);
    BOOL SetFixedColumnCount(int nFixedCols);
    BOOL IsValid(int nRow, int nCol) const;
    BOOL IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const CCellRange& range) const;
    CGridCellBase* GetCell(int nRow, int nCol) const;
    BOOL SetCell(int nRow, int nCol, CGridCellBase* pCell);
    BOOL SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass);
    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);

    // ---- items ----
    BOOL SetItem(const GV_ITEM* pItem);
    BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
    virtual CString GetItemText(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT nState);
    UINT GetItemState(int nRow, int nCol) const;
    BOOL SetItemBackColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    BOOL SetItemFgColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    BOOL SetItemFont(int nRow, int nCol, const LOGFONT* plf);
    BOOL IsCellBeingEdited(int nRow, int nCol) const;
    // Sets a text as an edit does: the parent may refuse before and after.
    void ValidateAndModifyCellContents(int nRow, int nCol, LPCTSTR strText);

    // ---- notifications ----
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage) const;
    LRESULT SendDisplayRequestToParent(GRID_DISPINFO* pDisplayInfo) const;
    LRESULT SendCacheHintToParent(const CCellRange& range) const;

    // ---- focus, selection and geometry ----
    CCellID SetFocusCell(int nRow, int nCol);
    CCellID SetFocusCell(CCellID cell);
    CCellID GetFocusCell() const { return m_focusCell; }
    void SetSelectedRange(const CCellRange& range, BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint = FALSE,
                          BOOL bSelectCells = TRUE);
    void ResetSelectedRange();
    CCellRange GetSelectionBounds() const;
    int GetSelectedCount() const { return int(m_mapSelected.size()); }
    void SelectEveryCell();
    void SelectColumnRange(CCellID cell, BOOL bForceRedraw, BOOL bSelectCells);
    void SelectRowRange(CCellID cell, BOOL bForceRedraw, BOOL bSelectCells);
    void SelectCellRange(CCellID cell, BOOL bForceRedraw, BOOL bSelectCells);
    void ExtendSelectionTo(const CCellID& cell);
    BOOL IsCellSelected(int nRow, int nCol) const;
    BOOL IsCellSelected(const CCellID& cell) const { return IsCellSelected(cell.row, cell.col); }
    BOOL IsCellEditable(int nRow, int nCol) const;
    BOOL IsCellEditable(const CCellID& cell) const { return IsCellEditable(cell.row, cell.col); }
    BOOL IsCellVisible(int nRow, int nCol);
    BOOL IsCellVisible(const CCellID& cell) { return IsCellVisible(cell.row, cell.col); }
    CCellID GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck = TRUE);
    BOOL GetCellTopLeft(int nRow, int nCol, LPPOINT p);
    BOOL GetCellTopLeft(const CCellID& cell, LPPOINT p) { return GetCellTopLeft(cell.row, cell.col, p); }
    BOOL GetCellRect(int nRow, int nCol, LPRECT pRect);
    BOOL GetCellRect(const CCellID& cell, LPRECT pRect) { return GetCellRect(cell.row, cell.col, pRect); }
    BOOL GetCellRangeRect(const CCellRange& range, LPRECT pRect);
    CPoint GetCellClickPoint(int nRow, int nCol, const CPoint& point);
    CCellID GetFirstVisibleCell(BOOL bForceRecalculation = FALSE);
    CCellRange GetVisibleScrollableRange(LPRECT pRect = nullptr, BOOL bForceRecalculation = FALSE);
    CCellRange GetVisibleHeaderRange(LPRECT pRect = nullptr, BOOL bForceRecalculation = FALSE);
    void EnsureVisible(int nRow, int nCol);
    void EnsureVisible(const CCellID& cell) { EnsureVisible(cell.row, cell.col); }
    BOOL InvalidateCell(int nRow, int nCol);
    BOOL InvalidateCell(const CCellID& cell) { return InvalidateCell(cell.row, cell.col); }
    BOOL RedrawCell(int nRow, int nCol, CDC* pDC = nullptr);
    BOOL RedrawCell(const CCellID& cell, CDC* pDC = nullptr) { return RedrawCell(cell.row, cell.col, pDC); }
    // Widens the column range between the selection anchor and end so that no double-width
    // character is cut; may move the anchor's column and end's column.
    void ExtendSelectionOverWideChars(CCellID& end);

    // ---- sizes ----
    int GetRowHeight(int nRow) const;
    int GetColumnWidth(int nCol) const;
    BOOL SetRowHeight(int nRow, int cy);
    BOOL SetColumnWidth(int nCol, int cx);
    int GetHeaderRowsHeight() const;
    int GetHeaderColumnsWidth() const;
    int GetTotalHeight() const;
    int GetTotalWidth() const;
    BOOL FitColumn(int nCol, UINT nAutoSizeStyle = GRIDSIZE_DEFAULT, BOOL bResetScroll = TRUE);
    void FitAllColumns(UINT nAutoSizeStyle = GRIDSIZE_DEFAULT);
    void AutoSize(UINT nAutoSizeStyle = GRIDSIZE_DEFAULT);
    void StretchColumns(BOOL bExpandFixed = TRUE);
    void StretchRows(BOOL bExpandFixed = TRUE);
    void ExpandToFit(BOOL bExpandFixed = TRUE);

    // ---- sorting and virtual mode ----
    void SetCompareFunction(PFNLVCOMPARE pfn) { m_pfnSortCompare = pfn; }
    BOOL SortItems(int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortItems(PFNLVCOMPARE pfn, int nCol, BOOL bAscending, LPARAM data = 0);
    void SetSortColumn(int nCol);
    static int CompareCellTexts(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    static int CompareCellNumbers(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    virtual void ResizeVirtualRowSequence(int nIndex, int nDelta);

    // ---- scroll bars ----
    int GetScrollOffset(int nBar, BOOL bGetTrackPos = FALSE);
    BOOL SetScrollOffset(int nBar, int nPos, BOOL bRedraw = TRUE);
    void EnableScrollBars(int nBar, BOOL bEnable = TRUE);
    void UpdateScrollBars();
    static int GetMouseScrollLines();

    // ---- clipboard ----
    // Empties the selected cells.
    virtual void CutSelectedText();
    // The text of the selection as a new data source (the caller owns it); null when there is
    // nothing to copy or the copy is refused.
    virtual COleDataSource* CopyTextFromGrid();
    // Pastes the data's text with its first item at cell; FALSE (and nothing changed) when it
    // cannot be pasted whole.
    virtual BOOL PasteTextToGrid(CCellID cell, COleDataObject* pDataObject, BOOL bSelectPastedCells = TRUE);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    void OnUpdateEditCut(CCmdUI* pCmdUI);
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditSelectAll(CCmdUI* pCmdUI);

    // ---- mouse, editing, drag and drop ----
    virtual void OnBeginDrag(CPoint point);
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual void OnHeaderColumnClick(CCellID& cell);
    virtual void OnHeaderRowClick(CCellID& cell);
    virtual void StartCellEdit(int nRow, int nCol, CPoint point, UINT nChar);
    virtual void OnCellEditEnded(int nRow, int nCol, CString str);
    virtual BOOL ValidateCellText(int nRow, int nCol, LPCTSTR str);
    virtual void StopCellEdit();
    // An in-place editor ended with nLastKey: the text goes to the cell, and a Tab, page, End,
    // Home or arrow key moves the focus on and opens the editor of the next cell with it.
    virtual void OnEditorClosed(int nRow, int nCol, const CString& str, UINT nLastKey);
    virtual BOOL OnDraw(CDC* pDC);
    BOOL IsOnColumnDivider(CPoint point);
    BOOL IsOnRowDivider(CPoint point);
    // Whether a point of the headings lies on the edge between two columns (or rows), close
    // enough to grab it.
    BOOL IsOnDivider(CPoint point, BOOL bColumn);

    // ---- printing ----
    // The print job of a grid, run by its host through the framework's printer DC: rows that do
    // not fit on a page go on to the next ones, and in screen proportions the columns do too.
    // Every page has a title band at the top and a page number band at the bottom.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The page layout: header and footer heights, top and bottom margins and the gap between the
    // bands and the cells in text lines, left and right margins in characters. A negative value
    // leaves that one as it is.
    void SetPrintMargins(int nHeaderHeight, int nFooterHeight, int nLeftMargin, int nRightMargin, int nTopMargin,
                         int nBottomMargin, int nGap);
    // The size of a page in the units the cells are measured in, and the first row and column
    // of each page band (valid between OnBeginPrinting and OnEndPrinting).
    CSize GetPrintPageSize() const { return m_sizePrintPage; }
    CSize GetPrintCharSize() const { return m_sizePrintChar; }
    const std::vector<int>& GetPrintRowStarts() const { return m_arPrintRowStarts; }
    const std::vector<int>& GetPrintColumnStarts() const { return m_arPrintColStarts; }
    // The title a printed page carries: that of the nearest ancestor window that has one.
    CString GetPrintTitle() const;
    // The page number text of the footer.
    static CString FormatPrintPageText(UINT nPage, UINT nPageCount);

    // ---- message-text fields ----
    // Lines 1 to 4 (index 0 unused) hold the fields that start in grid rows 1 to 4. The shown
    // lines are the ones drawn, hit, dragged and checked; the two stored groups keep the fields
    // of the text sets that are not shown. The grid owns every field in all of them.
    CGridFieldLine m_arSet1Fields[5];
    CGridFieldLine m_arSet2Fields[5];
    CGridFieldLine m_arShownFields[5];
    // 1 in the live display of a running program: a double-click opens the parameter editor.
    BOOL m_bRunMode = FALSE;
    CGridField* GetSelectedField() const { return m_pSelectedField; }
    // Whether a shown field of line nRow (only fields that start in that row) covers nCol.
    BOOL FieldInRowCovers(int nRow, int nCol) const;
    // Whether any shown field covers the cell, in any row of its range.
    BOOL FieldCovers(int nRow, int nCol) const;
    // The check of a field in its own row over nCol .. nLastCol: inside the grid, no other field
    // of the line starting or ending in that span, the last cell not a left half.
    BOOL FieldFitsInRow(const CGridField* pField, int nCol, int nLastCol) const;
    // Empties the cells of a field's first row and clears their double-width marks.
    void EmptyCellsUnder(const CGridField* pField);
    // The placement rules of a dropped field with its first cell under (nRow, nCol): FALSE when
    // refused, else the column it lands on.
    BOOL CanPlaceField(const CGridField* pField, int nRow, int nCol, int* pnPlacedCol) const;
    BOOL OpenPopupEdit();
    void ClosePopupEdit(BOOL bApply);
    BOOL IsPopupEditOpen() const { return m_bPopupEditOpen; }
    // Deletes every field of the shown lines.
    void DeleteShownFields();

    // ---- settings (the hosts write them directly) ----
    COLORREF m_crBackground;
    COLORREF m_crLineColour = RGB(192, 192, 192);
    BOOL m_bVirtual = FALSE;
    LPARAM m_nSupplierParam = 0;
    GRIDCELLSUPPLIER m_pfnCellSupplier = nullptr;
    int m_nLineStyle = GRIDLINES_BOTH;
    BOOL m_bEditingAllowed = TRUE;
    BOOL m_bDragDropEnabled = FALSE;
    BOOL m_bWholeRowSelect = FALSE;
    BOOL m_bOneRowSelection = FALSE;
    BOOL m_bOneColumnSelection = FALSE;
    BOOL m_bRedraw = TRUE;
    BOOL m_bSelectionEnabled = TRUE;
    BOOL m_bSelectByFixedRow = TRUE;
    BOOL m_bSelectByFixedColumn = TRUE;
    BOOL m_bSortByHeaderClick = FALSE;
    BOOL m_bTabMovesFocus = TRUE;
    BOOL m_bOffscreenPaint = TRUE;
    BOOL m_bCellHover = TRUE;
    BOOL m_bColumnUnhide = TRUE;
    BOOL m_bRowUnhide = TRUE;
    BOOL m_bColumnAllowHide = TRUE;
    BOOL m_bRowAllowHide = TRUE;
    BOOL m_bSinkFocusHeaders = TRUE;
    BOOL m_bFocusFrame = TRUE;
    BOOL m_bPrintShaded = TRUE;            // cells print in their colours, else black on white
    BOOL m_bPrintScreenProportions = FALSE;  // print at screen size, columns over several pages
    UINT m_nAutoSizeStyle = GRIDSIZE_BOTH;
    BOOL m_bRowResizeEnabled = TRUE;
    BOOL m_bColumnResizeEnabled = TRUE;
    int m_nWheelLines;
    bool m_bRowDrag = true;          // a drop of cells moves rows; every host clears it
    bool m_bColumnReorder = false;   // columns move by dragging a header; not supported
    bool m_bTabLeavesGrid = false;   // Tab goes to the next dialog control
    bool m_bRangeFromFixedColumn = false;
    std::vector<int> m_arRowSequence;     // virtual mode: display row -> the parent's row index
    std::vector<int> m_arColumnSequence;  // display column -> storage column
    bool (*m_pfnVirtualSortCompare)(int, int) = nullptr;
    int m_nVirtualSortCol = -1;

    // ---- state ----
    int GetMouseMode() const { return m_nMouseMode; }
    CCellID GetSelectionAnchor() const { return m_selectionAnchor; }
    int GetScrollBarsShown() const { return m_nScrollBarsShown; }
    int GetVertScrollMax() const { return m_nVertScrollMax; }
    int GetHorzScrollMax() const { return m_nHorzScrollMax; }
    int GetSortColumn() const { return m_nSortCol; }
    BOOL GetSortAscending() const { return m_bSortAscending; }
    void SetImageList(CImageList* pList) { m_pImages = pList; }
    CImageList* GetImageList() const { return m_pImages; }
    // The key of a cell in the selection map: column high, row low.
    static DWORD CellKey(int nRow, int nCol) { return DWORD(MAKELONG(WORD(nRow), WORD(nCol))); }
    // The registered clipboard format of a dragged field ("Widget").
    static CLIPFORMAT FieldDragFormat();
    // The field drag data of a drop: grab offset and colour; FALSE when the data is missing or
    // shorter than its 20 bytes.
    static BOOL ReadFieldDragData(COleDataObject* pDataObject, CPoint* pGrab, COLORREF* pColor);

protected:
    void PreSubclassWindow() override;

    void OnPaint();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // One scroll bar's request: a line is the next row or column that has a size, a page what
    // the view shows beside the headers.
    void ScrollAlong(int nBar, UINT nSBCode);
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    UINT OnGetDlgCode();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSysColorChange();
    void OnCaptureChanged(CWnd* pWnd);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    void OnEndInPlaceEdit(NMHDR* pNotifyStruct, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // The parts of a printed page: the corner cells, the header rows over the page's columns,
    // the title band, the page number band, and the header columns beside the page's rows.
    virtual void PrintHeadingCells(CDC* pDC, CPrintInfo* pInfo);
    void PrintCellRange(CDC* pDC, int firstRow, int lastRow, int firstCol, int lastCol, int left, int top);
    virtual void PrintTopHeadings(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintPageHeader(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);
    // The state the page header and footer draw in: the default font in bold, black text on a
    // transparent ground. bold holds the font until the returned state is restored.
    int BeginPrintBand(CDC* pDC, CFont& bold);
    // The black hairline that parts the header and footer from the cells.
    static void PrintRule(CDC* pDC, int nLeft, int nRight, int y);
    virtual void PrintSideHeadings(CDC* pDC, CPrintInfo* pInfo);
    // The last row and column that the current page holds.
    int PrintLastRow() const;
    int PrintLastColumn() const;
    // Text lines and characters of the page layout as page units.
    int PrintLines(int n) const { return n * m_sizePrintChar.cy; }
    int PrintChars(int n) const { return n * m_sizePrintChar.cx; }

    void EraseBkgnd(CDC* pDC);
    // The half adjustments of a press before its cell behaviour.
    void AdjustPressForHalves(BOOL bShift);
    BOOL IsLeftHalf(int nRow, int nCol) const { return (GetItemState(nRow, nCol) & GRIDSTATE_LEFTHALF) != 0; }
    BOOL IsRightHalf(int nRow, int nCol) const { return (GetItemState(nRow, nCol) & GRIDSTATE_RIGHTHALF) != 0; }
    // Clears both double-width marks of one cell.
    void ClearHalfMarks(int nRow, int nCol);
    // The edit of a cell next to fields: refused when a field covers it (or the next cell, for a
    // character that may take two).
    BOOL FieldRefusesEdit(int nRow, int nCol, UINT nChar) const;
    void SelectFieldAt(CPoint point);
    void DeleteSelectedFields();
    void DrawFields(CDC* pDC);
    BOOL BeginFieldDrag(CPoint point);
    void DrawDragOutline(CPoint topLeft);
    void HandOverDroppedField();
    void EditFieldByDoubleClick();
    void ShowFieldRefusal();
    // A pasted item that takes two cells: from U+0080 up and not one of the display's symbols.
    BOOL IsDoubleWidthItem(const CString& item) const;
    void SortVirtualRows(int nCol, BOOL bAscending);
    void QuickSortRows(PFNLVCOMPARE pfn, int nCol, BOOL bAscending, LPARAM data, int low, int high);
    void SwapRows(int a, int b);
    // The row below/above nRow whose height is above 0, or -1.
    int NextVisibleRow(int nRow, int nStep) const;
    // Virtual mode: the one shared cell, filled from the parent for (nRow, nCol).
    CGridCellBase* VirtualCell(int nRow, int nCol);

    // counts and storage
    int m_nRowCount = 0, m_nFixedRowCount = 0, m_nColumnCount = 0, m_nFixedColumnCount = 0;
    std::vector<UINT> m_arRowHeight;
    std::vector<UINT> m_arColumnWidth;  // by storage column
    std::vector<std::vector<CGridCellBase*>> m_rows;
    CRuntimeClass* m_pCellClass;
    COLORREF m_crSysText, m_crSysWindow, m_crSysFace, m_crShadowColour;
    CGridDefaultCell m_defaultCell, m_defaultFixedColumnCell, m_defaultFixedRowCell, m_defaultCornerCell;
    CImageList* m_pImages = nullptr;
    CGridFieldOwner* m_pFieldOwner = nullptr;
    BOOL m_bChanged = FALSE;

    // scrolling
    int m_nVertScrollMax = 0, m_nHorzScrollMax = 0;
    int m_nScrollBarsShown = 0;

    // mouse
    int m_nMouseMode = GRIDMOUSE_NOTHING;
    BOOL m_bLMouseButtonDown = FALSE;
    CPoint m_ptLastPress, m_ptLastMouse;
    CCellID m_cellLastPress;
    CCellID m_selectionAnchor, m_focusCell, m_firstVisibleCell;
    UINT_PTR m_nAutoScrollTimer = 0;
    int m_nAutoScrollInterval = 25;
    int m_nDividerGrabRange = 3;
    int m_nDraggedRow = -1;
    BOOL m_bTypedEdit = FALSE;

    // selection
    std::map<DWORD, CCellID> m_mapSelected, m_mapPrevSelected;

    // drag and drop
    CCellID m_cellLastDragOver;
    CCellRange m_rangeLastPaste;  // the cells the last paste or drop wrote
    CGridDropTarget m_dropTarget;

    // sorting
    BOOL m_bSortAscending = TRUE;
    int m_nSortCol = -1;
    PFNLVCOMPARE m_pfnSortCompare = nullptr;

    bool m_bBeingDestroyed = false;

    // message-text field layer
    CGridField* m_pSelectedField = nullptr;       // lives in a shown line
    std::unique_ptr<CGridField> m_pDroppedField;  // the copy a drop made, until the source takes it
    CSize m_sizeDragOutline;                      // size of the outline that follows the pointer
    BOOL m_bDragOutline = FALSE;
    CPoint m_ptGrab;
    CPoint m_ptLastOutline{-32000, -32000};
    CPoint m_ptLastDrag;
    BOOL m_bFieldDrag = FALSE;
    BOOL m_bPopupEditOpen = FALSE;

    // printing
    int m_nHeaderHeight = 2, m_nFooterHeight = 2;  // text lines
    int m_nLeftMargin = 4, m_nRightMargin = 4;     // characters
    int m_nTopMargin = 1, m_nBottomMargin = 1, m_nGap = 1;  // text lines
    CFont m_PrinterFont;
    CSize m_sizePrintChar;  // height and average width of a character of the printer font
    CSize m_sizePrintPage;  // the page in cell units
    std::vector<int> m_arPrintRowStarts, m_arPrintColStarts;
    int m_nCurrPrintRow = -1, m_nCurrPrintCol = -1;  // first row and column of the current page
};
