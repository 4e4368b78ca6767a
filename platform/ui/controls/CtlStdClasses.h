// The C++ objects of the standard controls: CStatic, CButton, CEdit, CListBox, CComboBox and
// CScrollBar. Each wraps the messages of its window class; owner-drawn ones get DrawItem (and
// MeasureItem, CompareItem, DeleteItem) called on themselves before the parent is asked.
#pragma once

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/Wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);
    HBITMAP SetBitmap(HBITMAP hBitmap) { return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap))); }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0)); }
    HICON SetIcon(HICON hIcon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0)); }
    HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON, 0, 0)); }
    // Owner-drawn statics (SS_OWNERDRAW): without an override the parent draws.
    virtual void DrawItem(LPDRAWITEMSTRUCT) { m_bNoDrawItem = TRUE; }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    BOOL m_bNoDrawItem = FALSE;
};

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    UINT GetState() const { return UINT(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, WPARAM(bHighlight)); }
    int GetCheck() const { return int(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, WPARAM(nCheck)); }
    UINT GetButtonStyle() const { return UINT(GetStyle() & 0xFFFF); }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { SendMessage(BM_SETSTYLE, nStyle, LPARAM(bRedraw)); }
    HBITMAP SetBitmap(HBITMAP hBitmap) { return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap))); }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(BM_GETIMAGE, IMAGE_BITMAP)); }
    HICON SetIcon(HICON hIcon) { return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon))); }
    HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON)); }
    // Owner-drawn buttons: without an override the parent draws.
    virtual void DrawItem(LPDRAWITEMSTRUCT) { m_bNoDrawItem = TRUE; }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    BOOL m_bNoDrawItem = FALSE;
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL CanUndo() const { return BOOL(SendMessage(EM_CANUNDO)); }
    int GetLineCount() const { return int(SendMessage(EM_GETLINECOUNT)); }
    BOOL GetModify() const { return BOOL(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, WPARAM(bModified)); }
    void GetRect(LPRECT lpRect) const { SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(lpRect)); }
    DWORD GetSel() const { return DWORD(SendMessage(EM_GETSEL)); }
    void GetSel(int& nStartChar, int& nEndChar) const;
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
    int GetLine(int nIndex, LPTSTR lpszBuffer) const;
    int LineIndex(int nLine = -1) const { return int(SendMessage(EM_LINEINDEX, WPARAM(nLine))); }
    int LineLength(int nLine = -1) const { return int(SendMessage(EM_LINELENGTH, WPARAM(nLine))); }
    int LineFromChar(int nIndex = -1) const { return int(SendMessage(EM_LINEFROMCHAR, WPARAM(nIndex))); }
    void LineScroll(int nLines, int nChars = 0) { SendMessage(EM_LINESCROLL, WPARAM(nChars), LPARAM(nLines)); }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE) { SendMessage(EM_REPLACESEL, WPARAM(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText)); }
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE) { SetSel(int(SHORT(LOWORD(dwSelection))), int(SHORT(HIWORD(dwSelection))), bNoScroll); }
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void SetLimitText(UINT nMax) { SendMessage(EM_LIMITTEXT, nMax); }
    void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, WPARAM(nChars)); }
    UINT GetLimitText() const { return UINT(SendMessage(EM_GETLIMITTEXT)); }
    BOOL Undo() { return BOOL(SendMessage(EM_UNDO)); }
    void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return BOOL(SendMessage(EM_SETREADONLY, WPARAM(bReadOnly))); }
    void SetPasswordChar(TCHAR ch) { SendMessage(EM_SETPASSWORDCHAR, WPARAM(ch)); }
    TCHAR GetPasswordChar() const { return TCHAR(SendMessage(EM_GETPASSWORDCHAR)); }
    int GetFirstVisibleLine() const { return int(SendMessage(EM_GETFIRSTVISIBLELINE)); }
    void SetMargins(UINT nLeft, UINT nRight) { SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(WORD(nLeft), WORD(nRight))); }
    DWORD GetMargins() const { return DWORD(SendMessage(EM_GETMARGINS)); }
    CPoint PosFromChar(UINT nChar) const;
    int CharFromPos(CPoint pt) const { return int(SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(WORD(pt.x), WORD(pt.y)))); }
};

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetCount() const { return int(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return int(SendMessage(LB_SETCURSEL, WPARAM(nSelect))); }
    int GetSel(int nIndex) const { return int(SendMessage(LB_GETSEL, WPARAM(nIndex))); }
    int SetSel(int nIndex, BOOL bSelect = TRUE) { return int(SendMessage(LB_SETSEL, WPARAM(bSelect), LPARAM(nIndex))); }
    int GetSelCount() const { return int(SendMessage(LB_GETSELCOUNT)); }
    int GetSelItems(int nMaxItems, LPINT rgIndex) const { return int(SendMessage(LB_GETSELITEMS, WPARAM(nMaxItems), reinterpret_cast<LPARAM>(rgIndex))); }
    int SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem) { return int(SendMessage(LB_SELITEMRANGE, WPARAM(bSelect), MAKELONG(WORD(nFirstItem), WORD(nLastItem)))); }
    int GetText(int nIndex, LPTSTR lpszBuffer) const { return int(SendMessage(LB_GETTEXT, WPARAM(nIndex), reinterpret_cast<LPARAM>(lpszBuffer))); }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return int(SendMessage(LB_GETTEXTLEN, WPARAM(nIndex))); }
    int AddString(LPCTSTR lpszItem) { return int(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem))); }
    int InsertString(int nIndex, LPCTSTR lpszItem) { return int(SendMessage(LB_INSERTSTRING, WPARAM(nIndex), reinterpret_cast<LPARAM>(lpszItem))); }
    int DeleteString(UINT nIndex) { return int(SendMessage(LB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int FindString(int nStartAfter, LPCTSTR lpszItem) const { return int(SendMessage(LB_FINDSTRING, WPARAM(nStartAfter), reinterpret_cast<LPARAM>(lpszItem))); }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const { return int(SendMessage(LB_FINDSTRINGEXACT, WPARAM(nIndexStart), reinterpret_cast<LPARAM>(lpszFind))); }
    int SelectString(int nStartAfter, LPCTSTR lpszItem) { return int(SendMessage(LB_SELECTSTRING, WPARAM(nStartAfter), reinterpret_cast<LPARAM>(lpszItem))); }
    int GetTopIndex() const { return int(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int nIndex) { return int(SendMessage(LB_SETTOPINDEX, WPARAM(nIndex))); }
    DWORD_PTR GetItemData(int nIndex) const { return DWORD_PTR(SendMessage(LB_GETITEMDATA, WPARAM(nIndex))); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return int(SendMessage(LB_SETITEMDATA, WPARAM(nIndex), LPARAM(dwItemData))); }
    void* GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData)); }
    int GetItemRect(int nIndex, LPRECT lpRect) const { return int(SendMessage(LB_GETITEMRECT, WPARAM(nIndex), reinterpret_cast<LPARAM>(lpRect))); }
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return int(SendMessage(LB_SETITEMHEIGHT, WPARAM(nIndex), MAKELONG(WORD(cyItemHeight), 0))); }
    int GetItemHeight(int nIndex) const { return int(SendMessage(LB_GETITEMHEIGHT, WPARAM(nIndex))); }
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
    int SetCaretIndex(int nIndex, BOOL bScroll = TRUE) { return int(SendMessage(LB_SETCARETINDEX, WPARAM(nIndex), LPARAM(bScroll))); }
    int GetCaretIndex() const { return int(SendMessage(LB_GETCARETINDEX)); }
    virtual void DrawItem(LPDRAWITEMSTRUCT) { m_bNoOwnerDraw = TRUE; }
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) { m_bNoOwnerDraw = TRUE; }
    virtual int CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
    virtual void DeleteItem(LPDELETEITEMSTRUCT) { m_bNoOwnerDraw = TRUE; }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    BOOL m_bNoOwnerDraw = FALSE;
};

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetCount() const { return int(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return int(SendMessage(CB_SETCURSEL, WPARAM(nSelect))); }
    int GetLBText(int nIndex, LPTSTR lpszText) const { return int(SendMessage(CB_GETLBTEXT, WPARAM(nIndex), reinterpret_cast<LPARAM>(lpszText))); }
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const { return int(SendMessage(CB_GETLBTEXTLEN, WPARAM(nIndex))); }
    int AddString(LPCTSTR lpszString) { return int(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString))); }
    int InsertString(int nIndex, LPCTSTR lpszString) { return int(SendMessage(CB_INSERTSTRING, WPARAM(nIndex), reinterpret_cast<LPARAM>(lpszString))); }
    int DeleteString(UINT nIndex) { return int(SendMessage(CB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int FindString(int nStartAfter, LPCTSTR lpszString) const { return int(SendMessage(CB_FINDSTRING, WPARAM(nStartAfter), reinterpret_cast<LPARAM>(lpszString))); }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const { return int(SendMessage(CB_FINDSTRINGEXACT, WPARAM(nIndexStart), reinterpret_cast<LPARAM>(lpszFind))); }
    int SelectString(int nStartAfter, LPCTSTR lpszString) { return int(SendMessage(CB_SELECTSTRING, WPARAM(nStartAfter), reinterpret_cast<LPARAM>(lpszString))); }
    DWORD_PTR GetItemData(int nIndex) const { return DWORD_PTR(SendMessage(CB_GETITEMDATA, WPARAM(nIndex))); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return int(SendMessage(CB_SETITEMDATA, WPARAM(nIndex), LPARAM(dwItemData))); }
    void* GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData)); }
    void ShowDropDown(BOOL bShowIt = TRUE) { SendMessage(CB_SHOWDROPDOWN, WPARAM(bShowIt)); }
    BOOL GetDroppedState() const { return BOOL(SendMessage(CB_GETDROPPEDSTATE)); }
    void GetDroppedControlRect(LPRECT lprect) const { SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(lprect)); }
    int SetDroppedWidth(UINT nWidth) { return int(SendMessage(CB_SETDROPPEDWIDTH, nWidth)); }
    int GetDroppedWidth() const { return int(SendMessage(CB_GETDROPPEDWIDTH)); }
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return int(SendMessage(CB_SETITEMHEIGHT, WPARAM(nIndex), LPARAM(cyItemHeight))); }
    int GetItemHeight(int nIndex) const { return int(SendMessage(CB_GETITEMHEIGHT, WPARAM(nIndex))); }
    int SetExtendedUI(BOOL bExtended = TRUE) { return int(SendMessage(CB_SETEXTENDEDUI, WPARAM(bExtended))); }
    BOOL GetExtendedUI() const { return BOOL(SendMessage(CB_GETEXTENDEDUI)); }
    int GetTopIndex() const { return int(SendMessage(CB_GETTOPINDEX)); }
    int SetTopIndex(int nIndex) { return int(SendMessage(CB_SETTOPINDEX, WPARAM(nIndex))); }
    BOOL LimitText(int nMaxChars) { return BOOL(SendMessage(CB_LIMITTEXT, WPARAM(nMaxChars))); }
    DWORD GetEditSel() const { return DWORD(SendMessage(CB_GETEDITSEL)); }
    BOOL SetEditSel(int nStartChar, int nEndChar) { return BOOL(SendMessage(CB_SETEDITSEL, 0, MAKELONG(WORD(nStartChar), WORD(nEndChar)))); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    virtual void DrawItem(LPDRAWITEMSTRUCT) { m_bNoOwnerDraw = TRUE; }
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) { m_bNoOwnerDraw = TRUE; }
    virtual int CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
    virtual void DeleteItem(LPDELETEITEMSTRUCT) { m_bNoOwnerDraw = TRUE; }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    BOOL m_bNoOwnerDraw = FALSE;
};

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetScrollPos() const { return int(::SendMessageW(m_hWnd, SBM_GETPOS, 0, 0)); }
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE) { return int(::SendMessageW(m_hWnd, SBM_SETPOS, WPARAM(nPos), LPARAM(bRedraw))); }
    void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void ShowScrollBar(BOOL bShow = TRUE) { ShowWindow(bShow ? SW_SHOW : SW_HIDE); }
    BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH) { return BOOL(::SendMessageW(m_hWnd, SBM_ENABLE_ARROWS, nArrowFlags, 0)); }
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    int GetScrollLimit();
};
