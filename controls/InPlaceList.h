// CInPlaceList: the combo box a combo cell opens over itself, and CComboEdit, the edit part of
// an editable one. Tab, Enter and Escape end the edit (Escape restores the text); losing the focus
// reports the end to the grid like the in-place edit, then the combo box closes and deletes
// itself.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"

#include <vector>

class CComboEdit : public CEdit {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnKillFocus(CWnd* pNewWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};

class CInPlaceList : public CComboBox {
    friend class CComboEdit;
public:
    CInPlaceList(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, COLORREF crFore,
                 COLORREF crBack, const std::vector<CString>& Items, CString sInitText, UINT nFirstChar);
    ~CInPlaceList() override = default;

    void EndEdit();
    CComboEdit m_edit;

protected:
    void PostNcDestroy() override;
    void OnKillFocus(CWnd* pNewWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    void OnDropdown();
    DECLARE_MESSAGE_MAP()

private:
    int GetCorrectDropWidth();

    CString m_sInitText;
    int m_nRow;
    int m_nCol;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows = FALSE;
    // The grid hands its cell colours over; the editor keeps them but draws in its own.
    [[maybe_unused]] COLORREF m_crForeClr, m_crBackClr;
    DWORD m_dwStyle;
    bool m_bEnded = false;
};
