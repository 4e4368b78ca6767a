// CMaskedBehavior: typing follows the mask; literals of the mask are filled in when a character
// belongs behind them, backspace overwrites with '0' instead of shortening the text.
#include "controls/MaskedEdit.h"

#include "platform/ui/core/MessageMap.h"

#include <algorithm>
#include <cwctype>

namespace {

bool IsDigit(wchar_t c) { return std::iswdigit(static_cast<wint_t>(c)) != 0; }

}  // namespace

CMaskedBehavior::CMaskedBehavior(CValidatingEdit* pEdit, LPCTSTR lpszMask)
    : CEditBehavior(pEdit), m_strMask(lpszMask ? lpszMask : L"")
{
    m_symbols.push_back(MaskSymbol{L'#', &IsDigit, nullptr});
}

const MaskSymbol* CMaskedBehavior::SymbolOf(wchar_t c) const
{
    for (const MaskSymbol& s : m_symbols)
        if (s.symbol == c)
            return &s;
    return nullptr;
}

CString CMaskedBehavior::ValidForm(const CString& text) const
{
    if (m_strMask.IsEmpty())
        return text;
    CString result;
    for (int i = 0; i < text.GetLength() && i < m_strMask.GetLength(); ++i) {
        const wchar_t c = text[i], m = m_strMask[i];
        const MaskSymbol* symbol = SymbolOf(m);
        if (symbol && symbol->Accepts(c))
            result += symbol->Convert(c);
        else if (!symbol && c == m)
            result += c;
        else
            break;
    }
    return result;
}

CString CMaskedBehavior::MakeValidText() { return ValidForm(m_pEdit->GetText()); }

void CMaskedBehavior::SetMask(LPCTSTR lpszMask)
{
    if (m_strMask == lpszMask)
        return;
    m_strMask = lpszMask;
    Revalidate();
}

CString CMaskedBehavior::GetNumericText() const
{
    CString digits;
    const CString text = m_pEdit->GetText();
    for (int i = 0; i < text.GetLength(); ++i)
        if (IsDigit(text[i]))
            digits += text[i];
    return digits;
}

void CMaskedBehavior::HandleChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pEdit->IsReadOnly())
        return;
    if (m_strMask.IsEmpty()) {
        if (AcceptsChar(nChar))
            CallDefault();
        return;
    }
    int nStart = 0, nEnd = 0;
    m_pEdit->GetSel(nStart, nEnd);
    const int nMask = m_strMask.GetLength();
    const wchar_t c = wchar_t(nChar);
    if (c == VK_BACK) {
        const int p = nStart >= nMask ? nMask - 1 : nStart;
        const CString text = m_pEdit->GetText();
        if (p > 0 && p <= text.GetLength() && text[p - 1] != L':') {
            m_pEdit->SendMessage(WM_KEYDOWN, VK_LEFT);
            m_pEdit->SendMessage(WM_CHAR, L'0');
        }
        m_pEdit->SendMessage(WM_KEYDOWN, VK_LEFT);
        return;
    }
    if (nStart >= nMask)
        return;
    if (c < 0x20) {
        if (AcceptsChar(nChar))
            CallDefault();
        return;
    }
    const int nLength = m_pEdit->GetText().GetLength();
    // One character at p is replaced; a selection that reaches the end is replaced whole.
    auto typeOver = [&](int p, wchar_t typed) {
        const wchar_t text[2] = {typed, 0};
        if (nEnd < nLength)
            m_pEdit->ReplaceRange(p, p + 1, text);
        else
            m_pEdit->ReplaceRange(nStart, nEnd, text);
    };
    const int p = nStart;
    const wchar_t m = m_strMask[p];
    if (const MaskSymbol* symbol = SymbolOf(m)) {
        if (symbol->Accepts(c) && AcceptsChar(nChar))
            typeOver(p, symbol->Convert(c));
        return;
    }
    if (c == m) {
        typeOver(p, c);
        return;
    }
    // The character belongs to the next symbol: the literals up to it are filled in first.
    for (int q = p + 1; q < nMask; ++q) {
        const MaskSymbol* symbol = SymbolOf(m_strMask[q]);
        if (!symbol)
            continue;
        if (symbol->Accepts(c) && AcceptsChar(nChar)) {
            m_pEdit->ReplaceRange(p, std::min(q, std::max(nLength, p)), m_strMask.Mid(p, q - p));
            HandleChar(nChar, nRepCnt, nFlags);
        }
        return;
    }
}

void CMaskedBehavior::HandleKeyDown(UINT nKey, UINT nRepCnt, UINT nFlags)
{
    if (nKey == VK_DELETE) {
        int nStart = 0, nEnd = 0;
        m_pEdit->GetSel(nStart, nEnd);
        const int nLength = m_pEdit->GetText().GetLength();
        // Deleting inside the text would shift the characters out of their mask positions.
        const bool atEnd = nStart != nEnd ? nEnd == nLength : nStart == nLength - 1;
        if (!atEnd)
            return;
    }
    CEditBehavior::HandleKeyDown(nKey, nRepCnt, nFlags);
}

BEGIN_MESSAGE_MAP(CMaskedEdit, CValidatingEdit)
ON_WM_CHAR()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CMaskedEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { HandleChar(nChar, nRepCnt, nFlags); }

void CMaskedEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { HandleKeyDown(nChar, nRepCnt, nFlags); }
