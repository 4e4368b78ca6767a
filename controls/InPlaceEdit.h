// CInPlaceEdit: the edit window a cell opens over itself. It reports the final text and the key
// that ended the edit to the grid (WM_NOTIFY, GVN_ENDLABELEDIT) when it loses the focus, then
// closes and deletes itself.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"

class CInPlaceEdit : public CEdit {
public:
    CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, CString sInitText,
                 UINT nFirstChar);
    ~CInPlaceEdit() override = default;

    void EndEdit();
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override { delete this; }
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    DECLARE_MESSAGE_MAP()

private:
    int m_nRow;
    int m_nColumn;
    CString m_sInitText;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows;
    CRect m_Rect;
};

// Sends the end of an in-place edit to the grid (the editor's owner, else its parent).
void SendInPlaceEditEnd(CWnd* pEditor, int nRow, int nCol, const CString& text, UINT nLastKey);
// Whether a key ends an edit and moves the focus on (Tab, the page keys, End, Home, arrows).
BOOL IsInPlaceExitKey(UINT nKey);
// Whether a key is a page key or an arrow.
BOOL IsPageOrArrowKey(UINT nKey);
// Closes an editor by a key: a page key or an arrow when bExitOnArrows or Ctrl is down
// (LeavesOnArrow), Tab, Enter or Escape (LeavesOnKey). The editor keeps the key and gives the
// focus back to the grid, which ends the edit; FALSE when the key does not close it.
BOOL LeavesOnArrow(CWnd* pEditor, UINT* pLastKey, UINT nKey, BOOL bExitOnArrows);
BOOL LeavesOnKey(CWnd* pEditor, UINT* pLastKey, UINT nKey);
