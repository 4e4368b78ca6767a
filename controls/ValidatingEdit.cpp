// CValidatingEdit: every text that reaches the edit (set by the program, pasted, cut or cleared
// by the user) is brought to its valid form; CEditBehavior: the defaults of the behaviours.
#include "controls/ValidatingEdit.h"

#include "platform/ui/core/MessageMap.h"

#include "platform/gdi/DC.h"

EditSelection::EditSelection(CEdit* pEdit) : m_pEdit(pEdit) { pEdit->GetSel(m_nStart, m_nEnd); }

void EditSelection::Set() const { m_pEdit->SetSel(m_nStart, m_nEnd); }

BEGIN_MESSAGE_MAP(CValidatingEdit, CEdit)
ON_WM_KEYDOWN()
ON_MESSAGE(WM_CUT, OnCutMsg)
ON_MESSAGE(WM_PASTE, OnPasteMsg)
ON_MESSAGE(WM_CLEAR, OnClearMsg)
ON_MESSAGE(WM_SETTEXT, OnSetTextMsg)
END_MESSAGE_MAP()

CString CValidatingEdit::GetText() const
{
    CString text;
    if (GetSafeHwnd())
        GetWindowText(text);
    return text;
}

void CValidatingEdit::SetText(LPCTSTR lpszText) { SetWindowText(lpszText); }

BOOL CValidatingEdit::IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }

void CValidatingEdit::SetTextColor(COLORREF colour)
{
    m_crText = colour;
    m_nColourFlags |= 1;
    if (GetSafeHwnd())
        Invalidate();
}

void CValidatingEdit::Revalidate()
{
    if (!GetSafeHwnd())
        return;
    const CString valid = MakeValidText();
    if (valid != GetText())
        SetWindowText(valid);
}

void CValidatingEdit::ReplaceRange(int nStart, int nEnd, LPCTSTR lpszText)
{
    SetSel(nStart, nEnd);
    SendMessage(EM_SCROLLCARET);
    ReplaceSel(lpszText, TRUE);
}

void CValidatingEdit::OnKeyDown(UINT, UINT, UINT) { Default(); }

LRESULT CValidatingEdit::OnSetTextMsg(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    const CString valid = MakeValidText();
    if (valid != GetText())
        SetWindowText(valid);
    return result;
}

LRESULT CValidatingEdit::OnPasteMsg(WPARAM, LPARAM)
{
    const EditSelection before(this);
    Default();
    const CString valid = MakeValidText();
    if (valid != GetText()) {
        SetWindowText(valid);
        before.Set();
        SendMessage(EM_SCROLLCARET);
    }
    return 0;
}

LRESULT CValidatingEdit::OnCutMsg(WPARAM, LPARAM)
{
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    if (nStart != nEnd) {
        SendMessage(WM_COPY);
        ReplaceSel(L"", FALSE);
    }
    return 0;
}

LRESULT CValidatingEdit::OnClearMsg(WPARAM, LPARAM)
{
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    if (nStart != nEnd)
        SendMessage(WM_KEYDOWN, VK_DELETE);  // the behaviour's delete rules apply
    return 0;
}

BOOL CValidatingEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if ((message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) ||
        (m_brBackground.GetSafeHandle() == nullptr && (m_nColourFlags & 1) == 0))
        return CEdit::OnChildNotify(message, wParam, lParam, pResult);
    HDC hdc = reinterpret_cast<HDC>(wParam);
    if (m_brBackground.GetSafeHandle() == nullptr)
        m_brBackground.CreateSolidBrush(::GetBkColor(hdc));
    if (m_crText != 0)
        ::SetTextColor(hdc, m_crText);
    LOGBRUSH lb{};
    m_brBackground.GetLogBrush(&lb);
    ::SetBkColor(hdc, lb.lbColor);
    if (pResult)
        *pResult = reinterpret_cast<LRESULT>(m_brBackground.GetSafeHandle());
    return TRUE;
}

void CEditBehavior::HandleKeyDown(UINT, UINT, UINT) { m_pEdit->CallDefaultProc(); }

void CEditBehavior::HandleKillFocus(CWnd*) { m_pEdit->CallDefaultProc(); }

LRESULT CEditBehavior::HandlePaste() { return m_pEdit->SendMessage(WM_PASTE); }

LRESULT CEditBehavior::CallDefault() { return m_pEdit->CallDefaultProc(); }

void CEditBehavior::Revalidate() { m_pEdit->Revalidate(); }

BOOL CEditBehavior::AcceptsChar(UINT nChar) { return m_pEdit->AcceptsChar(nChar); }

BOOL CEditBehavior::ModifyFlags(UINT nAdd, UINT nRemove)
{
    const UINT uNew = (m_uFlags & ~nRemove) | nAdd;
    if (uNew == m_uFlags)
        return FALSE;
    m_uFlags = uNew;
    Revalidate();
    return TRUE;
}
