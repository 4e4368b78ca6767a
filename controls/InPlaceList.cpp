#include "controls/InPlaceList.h"

#include "controls/InPlaceEdit.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

#include <algorithm>

namespace {

constexpr UINT kComboEditId = 1001;

} // namespace

// ---- CComboEdit ----

BEGIN_MESSAGE_MAP(CComboEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
END_MESSAGE_MAP()

BOOL CComboEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSCHAR)
        return TRUE;
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CComboEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    // The focus leaving for the combo box itself (or its list) is no end of the edit.
    CWnd* pCombo = GetParent();
    if (pCombo && pNewWnd != pCombo)
        if (auto* pList = dynamic_cast<CInPlaceList*>(CWnd::FromHandlePermanent(pCombo->GetSafeHwnd())))
            pList->EndEdit();
}

void CComboEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (IsPageOrArrowKey(nChar) && GetKeyState(VK_CONTROL) < 0) {
        GetParent()->SendMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    if (nChar == VK_ESCAPE || nChar == VK_TAB || nChar == VK_RETURN)
        return;
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CComboEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE || nChar == VK_TAB || nChar == VK_RETURN) {
        GetParent()->SendMessage(WM_KEYUP, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}

// ---- CInPlaceList ----

BEGIN_MESSAGE_MAP(CInPlaceList, CComboBox)
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_GETDLGCODE()
    ON_CONTROL_REFLECT(CBN_DROPDOWN, OnDropdown)
END_MESSAGE_MAP()

CInPlaceList::CInPlaceList(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           COLORREF crFore, COLORREF crBack, const std::vector<CString>& Items, CString sInitText,
                           UINT nFirstChar)
    : m_sInitText(sInitText), m_nRow(nRow), m_nCol(nColumn), m_crForeClr(crFore), m_crBackClr(crBack),
      m_dwStyle(dwStyle)
{
    const int nHeight = rect.Height();
    CRect dropRect = rect;
    dropRect.bottom += 4 * nHeight + GetSystemMetrics(SM_CYHSCROLL);
    const DWORD dwComboStyle = WS_BORDER | WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_AUTOHSCROLL | dwStyle;
    if (!Create(dwComboStyle, dropRect, pParent, nID))
        return;
    for (const CString& item : Items)
        AddString(item);
    SetFont(pParent->GetFont());
    SetItemHeight(-1, UINT(nHeight));
    SetDroppedWidth(UINT(GetCorrectDropWidth()));

    const int nIndex = FindStringExact(-1, sInitText);
    if (nIndex != CB_ERR)
        SetCurSel(nIndex);
    else
        SetWindowText(sInitText);

    if ((dwStyle & 0x3) == CBS_DROPDOWNLIST) {
        SetFocus();
    } else if (m_edit.SubclassDlgItem(kComboEditId, this)) {
        m_edit.SetFocus();
        switch (nFirstChar) {
        case VK_LBUTTON:
        case VK_RETURN:
            m_edit.SetSel(sInitText.GetLength(), -1);
            break;
        case VK_BACK:
            m_edit.SetSel(sInitText.GetLength(), -1);
            m_edit.SendMessage(WM_CHAR, nFirstChar);
            break;
        case VK_DOWN:
        case VK_UP:
        case VK_RIGHT:
        case VK_LEFT:
        case VK_NEXT:
        case VK_PRIOR:
        case VK_HOME:
        case VK_END:
            m_edit.SetSel(0, -1);
            break;
        default:
            m_edit.SetSel(0, -1);
            m_edit.SendMessage(nFirstChar >= 0x80 ? WM_IME_CHAR : WM_CHAR, nFirstChar);
        }
    }
    ShowDropDown();
}

void CInPlaceList::PostNcDestroy()
{
    delete this;
}

int CInPlaceList::GetCorrectDropWidth()
{
    constexpr int kMaxWidth = 200;
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetFont());
    int nWidth = 0;
    for (int i = 0; i < GetCount(); ++i) {
        CString str;
        GetLBText(i, str);
        nWidth = std::max(nWidth, int(dc.GetTextExtent(str).cx));
    }
    nWidth += GetSystemMetrics(SM_CXVSCROLL) + dc.GetTextExtent(CString(L"0")).cx;
    dc.SelectObject(pOld);
    return std::min(nWidth, kMaxWidth);
}

void CInPlaceList::OnDropdown()
{
    SetDroppedWidth(UINT(GetCorrectDropWidth()));
}

void CInPlaceList::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    if (pNewWnd == &m_edit)
        return;
    if ((m_dwStyle & 0x3) == CBS_DROPDOWNLIST || pNewWnd != this)
        EndEdit();
}

void CInPlaceList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!LeavesOnArrow(this, &m_nLastChar, nChar, m_bExitOnArrows))
        CComboBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceList::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE) {
        const int nIndex = FindStringExact(-1, m_sInitText);
        SetCurSel(nIndex);
        if (nIndex == CB_ERR)
            SetWindowText(m_sInitText);
    }
    if (!LeavesOnKey(this, &m_nLastChar, nChar))
        CComboBox::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CInPlaceList::EndEdit()
{
    if (m_bEnded || !GetSafeHwnd())
        return;
    m_bEnded = true;
    CString str;
    if (const int nSel = GetCurSel(); nSel != CB_ERR && (m_dwStyle & 0x3) == CBS_DROPDOWNLIST)
        GetLBText(nSel, str);
    else
        GetWindowText(str);
    SendInPlaceEditEnd(this, m_nRow, m_nCol, str, m_nLastChar);
    PostMessage(WM_CLOSE);
}
