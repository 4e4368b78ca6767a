// Creation and owner-draw routing of the standard control objects.
#include "platform/ui/controls/CtlStdClasses.h"

#include <vector>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace {
BOOL CreateControl(CWnd* w, LPCTSTR cls, LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return w->CWnd::Create(cls, text, style, rect, parent, id);
}
}  // namespace

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_STATICW, lpszText, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        m_bNoDrawItem = FALSE;
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return !m_bNoDrawItem;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_BUTTONW, lpszCaption, dwStyle, rect, pParentWnd, nID);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        m_bNoDrawItem = FALSE;
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return !m_bNoDrawItem;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_EDITW, L"", dwStyle, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD s = 0, e = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    nStartChar = int(s);
    nEndChar = int(e);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (!lpszBuffer || nMaxLength <= 0)
        return 0;
    // EM_GETLINE reads the buffer size from its first word
    std::vector<wchar_t> buf(size_t(std::max(nMaxLength, 1)) + 1, 0);
    buf[0] = wchar_t(WORD(std::min(nMaxLength, 0xFFFF)));
    int n = int(SendMessage(EM_GETLINE, WPARAM(nIndex), reinterpret_cast<LPARAM>(buf.data())));
    std::copy_n(buf.data(), n, lpszBuffer);
    return n;
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const
{
    if (!lpszBuffer)
        return 0;
    return GetLine(nIndex, lpszBuffer, int(WORD(lpszBuffer[0])));
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, WPARAM(nStartChar), LPARAM(nEndChar));
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}

CPoint CEdit::PosFromChar(UINT nChar) const
{
    LRESULT r = SendMessage(EM_POSFROMCHAR, nChar);
    return CPoint(int(SHORT(LOWORD(r))), int(SHORT(HIWORD(r))));
}

namespace {
template <class T>
BOOL OwnerDrawNotify(T* self, BOOL& noOwnerDraw, UINT message, LPARAM lParam, LRESULT* pResult)
{
    noOwnerDraw = FALSE;
    switch (message) {
    case WM_DRAWITEM: self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_DELETEITEM: self->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM:
        if (pResult)
            *pResult = self->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        return TRUE;
    default: return FALSE;
    }
    return !noOwnerDraw;
}
}  // namespace

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_LISTBOXW, L"", dwStyle, rect, pParentWnd, nID);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    int n = GetTextLen(nIndex);
    if (n < 0) {
        rString.Empty();
        return;
    }
    std::vector<wchar_t> buf(size_t(n) + 1, 0);
    GetText(nIndex, buf.data());
    rString = buf.data();
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    LRESULT r = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(WORD(pt.x), WORD(pt.y)));
    bOutside = HIWORD(r) ? TRUE : FALSE;
    return LOWORD(r);
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (OwnerDrawNotify(this, m_bNoOwnerDraw, message, lParam, pResult))
        return TRUE;
    if (message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_DELETEITEM)
        return FALSE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_COMBOBOXW, L"", dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int n = GetLBTextLen(nIndex);
    if (n < 0) {
        rString.Empty();
        return;
    }
    std::vector<wchar_t> buf(size_t(n) + 1, 0);
    GetLBText(nIndex, buf.data());
    rString = buf.data();
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (OwnerDrawNotify(this, m_bNoOwnerDraw, message, lParam, pResult))
        return TRUE;
    if (message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_DELETEITEM)
        return FALSE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_SCROLLBARW, L"", dwStyle, rect, pParentWnd, nID);
}

void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
{
    ::SendMessageW(m_hWnd, SBM_GETRANGE, reinterpret_cast<WPARAM>(lpMinPos), reinterpret_cast<LPARAM>(lpMaxPos));
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SendMessageW(m_hWnd, SBM_SETRANGE, WPARAM(nMinPos), LPARAM(nMaxPos));
    if (bRedraw)
        Invalidate();
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    ::SendMessageW(m_hWnd, SBM_SETSCROLLINFO, WPARAM(bRedraw), reinterpret_cast<LPARAM>(lpScrollInfo));
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->fMask = nMask;
    return BOOL(::SendMessageW(m_hWnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(lpScrollInfo)));
}

int CScrollBar::GetScrollLimit()
{
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    GetScrollInfo(&si, SIF_RANGE | SIF_PAGE);
    return si.nMax - std::max(0, int(si.nPage) - 1);
}
