#include "controls/InPlaceEdit.h"

#include "controls/GridDefs.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

#include <algorithm>

namespace {

// Set while an edit reports its end, so that the focus change the report causes does not
// report it a second time.
bool g_bReporting = false;

} // namespace

BOOL IsInPlaceExitKey(UINT nKey)
{
    return nKey == VK_TAB || nKey == VK_PRIOR || nKey == VK_NEXT || nKey == VK_END || nKey == VK_HOME ||
           nKey == VK_LEFT || nKey == VK_UP || nKey == VK_RIGHT || nKey == VK_DOWN;
}

BOOL IsPageOrArrowKey(UINT nKey)
{
    return nKey == VK_PRIOR || nKey == VK_NEXT || nKey == VK_DOWN || nKey == VK_UP || nKey == VK_RIGHT ||
           nKey == VK_LEFT;
}

namespace {

BOOL Leave(CWnd* pEditor, UINT* pLastKey, UINT nKey)
{
    *pLastKey = nKey;
    pEditor->GetParent()->SetFocus();
    return TRUE;
}

} // namespace

BOOL LeavesOnArrow(CWnd* pEditor, UINT* pLastKey, UINT nKey, BOOL bExitOnArrows)
{
    return IsPageOrArrowKey(nKey) && (bExitOnArrows || GetKeyState(VK_CONTROL) < 0) && Leave(pEditor, pLastKey, nKey);
}

BOOL LeavesOnKey(CWnd* pEditor, UINT* pLastKey, UINT nKey)
{
    return (nKey == VK_TAB || nKey == VK_RETURN || nKey == VK_ESCAPE) && Leave(pEditor, pLastKey, nKey);
}

void SendInPlaceEditEnd(CWnd* pEditor, int nRow, int nCol, const CString& text, UINT nLastKey)
{
    GRID_DISPINFO dispinfo;
    dispinfo.hdr.hwndFrom = pEditor->GetSafeHwnd();
    dispinfo.hdr.idFrom = UINT_PTR(pEditor->GetDlgCtrlID());
    dispinfo.hdr.code = GVN_ENDLABELEDIT;
    dispinfo.item.mask = GRIDITEM_TEXT | GRIDITEM_PARAM;
    dispinfo.item.row = nRow;
    dispinfo.item.col = nCol;
    dispinfo.item.strText = text;
    dispinfo.item.lParam = LPARAM(nLastKey);
    CWnd* pTarget = pEditor->GetOwner();
    if (!pTarget)
        pTarget = pEditor->GetParent();
    if (pTarget && pTarget->GetSafeHwnd())
        pTarget->SendMessage(WM_NOTIFY, WPARAM(dispinfo.hdr.idFrom), reinterpret_cast<LPARAM>(&dispinfo));
}

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CInPlaceEdit::CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           CString sInitText, UINT nFirstChar)
    : m_nRow(nRow), m_nColumn(nColumn), m_sInitText(sInitText), m_bExitOnArrows(nFirstChar != VK_LBUTTON),
      m_Rect(rect)
{
    const DWORD dwEditStyle = WS_BORDER | WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | dwStyle;
    if (!Create(dwEditStyle, rect, pParent, nID))
        return;
    SetFont(pParent->GetFont());
    SetWindowText(sInitText);
    SetFocus();

    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        SetSel(sInitText.GetLength(), -1);
        return;
    case VK_BACK:
        SetSel(sInitText.GetLength(), -1);
        PostMessage(WM_CHAR, nFirstChar);
        return;
    case VK_TAB:
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        SetSel(0, -1);
        return;
    default:
        SetSel(0, -1);
    }
    SendMessage(EM_SCROLLCARET);
    PostMessage(nFirstChar >= 0x80 ? WM_IME_CHAR : WM_CHAR, nFirstChar);
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSCHAR)
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

void CInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!LeavesOnArrow(this, &m_nLastChar, nChar, m_bExitOnArrows))
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB || nChar == VK_RETURN) {
        m_nLastChar = nChar;
        GetParent()->SetFocus();
        return;
    }
    if (nChar == VK_ESCAPE) {
        SetWindowText(m_sInitText);
        m_nLastChar = nChar;
        GetParent()->SetFocus();
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);

    // Widen the edit to its text, at most to the right edge of the grid's client area.
    CString str;
    GetWindowText(str);
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetFont());
    CSize size = dc.GetTextExtent(str + L"  ");
    dc.SelectObject(pOld);
    CRect rect, parentRect;
    GetWindowRect(&rect);
    GetParent()->GetClientRect(&parentRect);
    GetParent()->ScreenToClient(&rect);
    if (size.cx > rect.Width()) {
        rect.right = std::min(LONG(rect.left + size.cx), parentRect.right);
        MoveWindow(&rect);
    }
}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit();
}

void CInPlaceEdit::EndEdit()
{
    if (g_bReporting || !GetSafeHwnd())
        return;
    g_bReporting = true;
    CString str;
    GetWindowText(str);
    SendInPlaceEditEnd(this, m_nRow, m_nColumn, str, m_nLastChar);
    g_bReporting = false;
    PostMessage(WM_CLOSE);
}
