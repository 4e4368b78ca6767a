// The C++ objects of the tab, header, list view and tree view controls.
#pragma once

#include "platform/ui/controls/CtlImageList.h"
#include "platform/ui/controls/CtlStdClasses.h"
#include "platform/ui/core/Wnd.h"

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    HIMAGELIST GetImageList() const { return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST)); }
    HIMAGELIST SetImageList(CImageList* pImageList);
    int GetItemCount() const { return int(SendMessage(TCM_GETITEMCOUNT)); }
    BOOL GetItem(int nItem, TCITEMW* pTabCtrlItem) const { return BOOL(SendMessage(TCM_GETITEMW, WPARAM(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem))); }
    BOOL SetItem(int nItem, TCITEMW* pTabCtrlItem) { return BOOL(SendMessage(TCM_SETITEMW, WPARAM(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem))); }
    LONG InsertItem(int nItem, TCITEMW* pTabCtrlItem) { return LONG(SendMessage(TCM_INSERTITEMW, WPARAM(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem))); }
    LONG InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0); }
    LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage) { return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0); }
    LONG InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return BOOL(SendMessage(TCM_DELETEITEM, WPARAM(nItem))); }
    BOOL DeleteAllItems() { return BOOL(SendMessage(TCM_DELETEALLITEMS)); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const { return BOOL(SendMessage(TCM_GETITEMRECT, WPARAM(nItem), reinterpret_cast<LPARAM>(lpRect))); }
    int GetCurSel() const { return int(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int nItem) { return int(SendMessage(TCM_SETCURSEL, WPARAM(nItem))); }
    int GetCurFocus() const { return int(SendMessage(TCM_GETCURFOCUS)); }
    void SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, WPARAM(nItem)); }
    int SetMinTabWidth(int cx) { return int(SendMessage(TCM_SETMINTABWIDTH, 0, LPARAM(cx))); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const { return int(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo))); }
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, WPARAM(bLarger), reinterpret_cast<LPARAM>(lpRect)); }
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(WORD(size.cx), WORD(size.cy))); }
    int GetRowCount() const { return int(SendMessage(TCM_GETROWCOUNT)); }
    HWND GetToolTipsHandle() const { return reinterpret_cast<HWND>(SendMessage(TCM_GETTOOLTIPS)); }
    void SetToolTips(CWnd* pWndTip) { SendMessage(TCM_SETTOOLTIPS, reinterpret_cast<WPARAM>(pWndTip ? pWndTip->m_hWnd : nullptr)); }
    // Owner-drawn tabs (TCS_OWNERDRAWFIXED): without an override the parent draws.
    virtual void DrawItem(LPDRAWITEMSTRUCT) { m_bNoDrawItem = TRUE; }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    BOOL m_bNoDrawItem = FALSE;
};

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetItemCount() const { return int(SendMessage(HDM_GETITEMCOUNT)); }
    BOOL GetItem(int nPos, HDITEMW* pHeaderItem) const { return BOOL(SendMessage(HDM_GETITEMW, WPARAM(nPos), reinterpret_cast<LPARAM>(pHeaderItem))); }
    BOOL SetItem(int nPos, HDITEMW* pHeaderItem) { return BOOL(SendMessage(HDM_SETITEMW, WPARAM(nPos), reinterpret_cast<LPARAM>(pHeaderItem))); }
    int InsertItem(int nPos, HDITEMW* phdi) { return int(SendMessage(HDM_INSERTITEMW, WPARAM(nPos), reinterpret_cast<LPARAM>(phdi))); }
    BOOL DeleteItem(int nPos) { return BOOL(SendMessage(HDM_DELETEITEM, WPARAM(nPos))); }
    BOOL Layout(HDLAYOUT* pHeaderLayout) { return BOOL(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(pHeaderLayout))); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return BOOL(SendMessage(HDM_GETITEMRECT, WPARAM(nIndex), reinterpret_cast<LPARAM>(lpRect))); }
    int OrderToIndex(int nOrder) const { return int(SendMessage(HDM_ORDERTOINDEX, WPARAM(nOrder))); }
    BOOL GetOrderArray(LPINT piArray, int iCount) const { return BOOL(SendMessage(HDM_GETORDERARRAY, WPARAM(iCount), reinterpret_cast<LPARAM>(piArray))); }
    BOOL SetOrderArray(int iCount, LPINT piArray) { return BOOL(SendMessage(HDM_SETORDERARRAY, WPARAM(iCount), reinterpret_cast<LPARAM>(piArray))); }
    int HitTest(HDHITTESTINFO* pHeaderHitTestInfo) { return int(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(pHeaderHitTestInfo))); }
    // The list in use is returned by handle only (GetImageListHandle); this returns null.
    CImageList* SetImageList(CImageList* pImageList);
    HIMAGELIST GetImageListHandle() const { return reinterpret_cast<HIMAGELIST>(SendMessage(HDM_GETIMAGELIST)); }
    // Owner-drawn items (HDF_OWNERDRAW): without an override the parent draws.
    virtual void DrawItem(LPDRAWITEMSTRUCT) { m_bNoDrawItem = TRUE; }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    BOOL m_bNoDrawItem = FALSE;
};

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    ~CListCtrl() override;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    COLORREF GetBkColor() const { return COLORREF(SendMessage(LVM_GETBKCOLOR)); }
    BOOL SetBkColor(COLORREF cr) { return BOOL(SendMessage(LVM_SETBKCOLOR, 0, LPARAM(cr))); }
    COLORREF GetTextColor() const { return COLORREF(SendMessage(LVM_GETTEXTCOLOR)); }
    BOOL SetTextColor(COLORREF cr) { return BOOL(SendMessage(LVM_SETTEXTCOLOR, 0, LPARAM(cr))); }
    COLORREF GetTextBkColor() const { return COLORREF(SendMessage(LVM_GETTEXTBKCOLOR)); }
    BOOL SetTextBkColor(COLORREF cr) { return BOOL(SendMessage(LVM_SETTEXTBKCOLOR, 0, LPARAM(cr))); }
    HIMAGELIST GetImageListHandle(int nImageList) const { return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, WPARAM(nImageList))); }
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    int GetItemCount() const { return int(SendMessage(LVM_GETITEMCOUNT)); }
    BOOL GetItem(LVITEMW* pItem) const { return BOOL(SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem))); }
    BOOL SetItem(const LVITEMW* pItem) { return BOOL(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem))); }
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask, LPARAM lParam);
    int InsertItem(const LVITEMW* pItem) { return int(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(pItem))); }
    int InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage) { return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0); }
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return BOOL(SendMessage(LVM_DELETEITEM, WPARAM(nItem))); }
    BOOL DeleteAllItems() { return BOOL(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData) { return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, LPARAM(dwData)); }
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const { return UINT(SendMessage(LVM_GETITEMSTATE, WPARAM(nItem), LPARAM(nMask))); }
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE) { return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK); }
    BOOL GetCheck(int nItem) const { return ((GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1; }
    int GetNextItem(int nItem, int nFlags) const { return int(SendMessage(LVM_GETNEXTITEM, WPARAM(nItem), MAKELPARAM(WORD(nFlags), 0))); }
    UINT GetSelectedCount() const { return UINT(SendMessage(LVM_GETSELECTEDCOUNT)); }
    int GetSelectionMark() const { return int(SendMessage(LVM_GETSELECTIONMARK)); }
    int SetSelectionMark(int iIndex) { return int(SendMessage(LVM_SETSELECTIONMARK, 0, LPARAM(iIndex))); }
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const { return int(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo))); }
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* pInfo) { return int(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pInfo))); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return BOOL(SendMessage(LVM_ENSUREVISIBLE, WPARAM(nItem), LPARAM(bPartialOK))); }
    BOOL Scroll(CSize size) { return BOOL(SendMessage(LVM_SCROLL, WPARAM(size.cx), LPARAM(size.cy))); }
    int GetTopIndex() const { return int(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return int(SendMessage(LVM_GETCOUNTPERPAGE)); }
    BOOL RedrawItems(int nFirst, int nLast) { return BOOL(SendMessage(LVM_REDRAWITEMS, WPARAM(nFirst), LPARAM(nLast))); }
    BOOL Update(int nItem) { return BOOL(SendMessage(LVM_UPDATE, WPARAM(nItem))); }
    int InsertColumn(int nCol, const LVCOLUMNW* pColumn) { return int(SendMessage(LVM_INSERTCOLUMNW, WPARAM(nCol), reinterpret_cast<LPARAM>(pColumn))); }
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return BOOL(SendMessage(LVM_DELETECOLUMN, WPARAM(nCol))); }
    BOOL GetColumn(int nCol, LVCOLUMNW* pColumn) const { return BOOL(SendMessage(LVM_GETCOLUMNW, WPARAM(nCol), reinterpret_cast<LPARAM>(pColumn))); }
    BOOL SetColumn(int nCol, const LVCOLUMNW* pColumn) { return BOOL(SendMessage(LVM_SETCOLUMNW, WPARAM(nCol), reinterpret_cast<LPARAM>(pColumn))); }
    int GetColumnWidth(int nCol) const { return int(SendMessage(LVM_GETCOLUMNWIDTH, WPARAM(nCol))); }
    BOOL SetColumnWidth(int nCol, int cx) { return BOOL(SendMessage(LVM_SETCOLUMNWIDTH, WPARAM(nCol), MAKELPARAM(WORD(cx), 0))); }
    CHeaderCtrl* GetHeaderCtrl() const;
    DWORD GetExtendedStyle() const { return DWORD(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return DWORD(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LPARAM(dwNewStyle))); }
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return BOOL(SendMessage(LVM_SORTITEMS, WPARAM(dwData), reinterpret_cast<LPARAM>(pfnCompare))); }
    int FindItem(LVFINDINFOW* pFindInfo, int nStart = -1) const { return int(SendMessage(LVM_FINDITEMW, WPARAM(nStart), reinterpret_cast<LPARAM>(pFindInfo))); }
    BOOL SetItemCount(int nItems) { return BOOL(SendMessage(LVM_SETITEMCOUNT, WPARAM(nItems))); }
    BOOL SetItemCountEx(int iCount, DWORD dwFlags = LVSICF_NOINVALIDATEALL) { return BOOL(SendMessage(LVM_SETITEMCOUNT, WPARAM(iCount), LPARAM(dwFlags))); }
    BOOL SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return BOOL(SendMessage(LVM_SORTITEMSEX, WPARAM(dwData), reinterpret_cast<LPARAM>(pfnCompare))); }
    BOOL SetColumnOrderArray(int iCount, LPINT piArray) { return BOOL(SendMessage(LVM_SETCOLUMNORDERARRAY, WPARAM(iCount), reinterpret_cast<LPARAM>(piArray))); }
    BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1) const;
    UINT GetCallbackMask() const { return UINT(SendMessage(LVM_GETCALLBACKMASK)); }
    BOOL SetCallbackMask(UINT nMask) { return BOOL(SendMessage(LVM_SETCALLBACKMASK, WPARAM(nMask))); }
    // The edit box of an in-place rename (null when none is open).
    CEdit* EditLabel(int nItem);
    CEdit* GetEditControl() const;
    void CancelEditLabel() { SendMessage(LVM_EDITLABELW, WPARAM(-1)); }

private:
    mutable CHeaderCtrl m_header;  // attached to the list's header on first use
    mutable CEdit m_edit;          // attached to the rename box when asked for
};

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    HTREEITEM InsertItem(TVINSERTSTRUCTW* lpInsertStruct) { return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(lpInsertStruct))); }
    HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    BOOL DeleteItem(HTREEITEM hItem) { return BOOL(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem))); }
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) { return BOOL(SendMessage(TVM_EXPAND, nCode, reinterpret_cast<LPARAM>(hItem))); }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const { return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem))); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    BOOL Select(HTREEITEM hItem, UINT nCode) { return BOOL(SendMessage(TVM_SELECTITEM, nCode, reinterpret_cast<LPARAM>(hItem))); }
    BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
    BOOL SelectSetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }
    BOOL GetItem(TVITEMW* pItem) const { return BOOL(SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem))); }
    BOOL SetItem(TVITEMW* pItem) { return BOOL(SendMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem))); }
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const { return UINT(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), LPARAM(nStateMask))); }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    UINT GetCount() const { return UINT(SendMessage(TVM_GETCOUNT)); }
    UINT GetVisibleCount() const { return UINT(SendMessage(TVM_GETVISIBLECOUNT)); }
    UINT GetIndent() const { return UINT(SendMessage(TVM_GETINDENT)); }
    void SetIndent(UINT nIndent) { SendMessage(TVM_SETINDENT, nIndent); }
    SHORT SetItemHeight(SHORT cyHeight) { return SHORT(SendMessage(TVM_SETITEMHEIGHT, WPARAM(cyHeight))); }
    SHORT GetItemHeight() const { return SHORT(SendMessage(TVM_GETITEMHEIGHT)); }
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    HIMAGELIST GetImageListHandle(int nImageListType) const { return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_GETIMAGELIST, WPARAM(nImageListType))); }
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const { return reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo))); }
    BOOL EnsureVisible(HTREEITEM hItem) { return BOOL(SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem))); }
    BOOL SortChildren(HTREEITEM hItem) { return BOOL(SendMessage(TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(hItem))); }
    // Check boxes (TVS_CHECKBOXES): state image 2 is checked, 1 clear.
    BOOL GetCheck(HTREEITEM hItem) const { return (GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) == 2; }
    BOOL SetCheck(HTREEITEM hItem, BOOL fCheck = TRUE) { return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK); }
    COLORREF GetBkColor() const { return COLORREF(SendMessage(TVM_GETBKCOLOR)); }
    COLORREF SetBkColor(COLORREF clr) { return COLORREF(SendMessage(TVM_SETBKCOLOR, 0, LPARAM(clr))); }
    COLORREF GetTextColor() const { return COLORREF(SendMessage(TVM_GETTEXTCOLOR)); }
    COLORREF SetTextColor(COLORREF clr) { return COLORREF(SendMessage(TVM_SETTEXTCOLOR, 0, LPARAM(clr))); }
    // The edit box of an in-place rename (null when none is open).
    CEdit* EditLabel(HTREEITEM hItem);
    CEdit* GetEditControl() const;
    BOOL EndEditLabelNow(BOOL fCancelWithoutSave) { return BOOL(SendMessage(TVM_ENDEDITLABELNOW, WPARAM(fCancelWithoutSave))); }
    ~CTreeCtrl() override;

private:
    mutable CEdit m_edit;  // attached to the rename box when asked for
};
