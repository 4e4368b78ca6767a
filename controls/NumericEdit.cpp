// CNumericBehavior: keystrokes that would break the number are refused while typing; the range
// is checked only when the focus leaves, as the flags ask (beep, clamp, report, focus back).
#include "controls/NumericEdit.h"

#include "platform/ui/core/MessageMap.h"

#include "platform/base/Locale.h"
#include "platform/ui/dialogs/MsgBox.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <cwctype>

namespace {

// Posted to an edit whose focus-loss check failed: wParam 1 shows the range message first.
// Giving the focus back from inside the focus loss itself would bounce the focus between two
// invalid edits, so it waits until the focus change is over.
constexpr UINT WM_NUMERIC_REFOCUS = WM_APP + 0x3A1;

// The edit waiting for its focus back; other edits skip their checks meanwhile.
const CValidatingEdit* g_pPendingRefocus = nullptr;

bool IsDigit(wchar_t c) { return std::iswdigit(static_cast<wint_t>(c)) != 0; }

wchar_t LocaleChar(LCTYPE type, wchar_t fallback)
{
    wchar_t buffer[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 8) > 1 && buffer[0] != 0)
        return buffer[0];
    return fallback;
}

}  // namespace

CNumericBehavior::CNumericBehavior(CValidatingEdit* pEdit, int nMaxWholeDigits, int nMaxDecimalPlaces)
    : CEditBehavior(pEdit), m_nMaxWholeDigits(nMaxWholeDigits < 0 ? -nMaxWholeDigits : nMaxWholeDigits),
      m_nMaxDecimalPlaces(nMaxDecimalPlaces)
{
    if (nMaxWholeDigits < 0)
        m_uFlags |= NoNegative;
    m_cNegativeSign = LocaleChar(LOCALE_SNEGATIVESIGN, L'-');
    m_cDecimalPoint = LocaleChar(LOCALE_SDECIMAL, L'.');
    m_cGroupSeparator = LocaleChar(LOCALE_STHOUSAND, L',');
    if (m_cDecimalPoint == m_cGroupSeparator)
        m_cGroupSeparator = m_cDecimalPoint == L',' ? L'.' : L',';
}

CNumericBehavior::~CNumericBehavior()
{
    if (g_pPendingRefocus == m_pEdit)
        g_pPendingRefocus = nullptr;
}

const CValidatingEdit* CNumericBehavior::PendingRefocus() { return g_pPendingRefocus; }

CString CNumericBehavior::ExtractNumericText(const CString& text, bool bMathSymbols) const
{
    CString result;
    bool bPoint = false, bNegative = false;
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t c = text[i];
        if (IsDigit(c))
            result += c;
        else if (c == m_cDecimalPoint && !bPoint) {
            bPoint = true;
            result += bMathSymbols ? L'.' : m_cDecimalPoint;
        } else if (c == m_cNegativeSign || c == L'-')
            bNegative = true;
    }
    if (bNegative)
        result.Insert(0, bMathSymbols ? L'-' : m_cNegativeSign);
    return result;
}

CString CNumericBehavior::FormatDouble(double dValue, BOOL bTrim) const
{
    CString text;
    text.Format(L"%lf", dValue);
    text.Replace(L'.', m_cDecimalPoint);
    if (bTrim && text.Find(m_cDecimalPoint) >= 0) {
        text.TrimRight(L'0');
        text.TrimRight(m_cDecimalPoint);
    }
    return text;
}

CString CNumericBehavior::MakeValidText()
{
    const CString text = m_pEdit->GetText();
    CString result;
    int nPoint = -1;
    bool bNegative = false;
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t c = text[i];
        if (c == m_cNegativeSign && NegativeAllowed()) {
            bNegative = true;
        } else if (IsDigit(c)) {
            if (nPoint >= 0) {
                if (result.GetLength() - nPoint - 1 >= m_nMaxDecimalPlaces)
                    break;
                result += c;
            } else if (result.GetLength() < m_nMaxWholeDigits) {
                result += c;
            }
        } else if (c == m_cDecimalPoint && nPoint < 0) {
            if (m_nMaxDecimalPlaces == 0)
                break;
            nPoint = result.GetLength();
            result += c;
        }
    }
    const bool bPad = (m_uFlags & PadDecimalsOnChange) || ((m_uFlags & PadDecimalsOnSet) && !m_bAdjusting);
    if (m_nMaxDecimalPlaces > 0 && !result.IsEmpty() && bPad) {
        if (nPoint < 0) {
            nPoint = result.GetLength();
            result += m_cDecimalPoint;
        }
        while (result.GetLength() - nPoint - 1 < m_nMaxDecimalPlaces)
            result += L'0';
    }
    if (bNegative)
        result.Insert(0, m_cNegativeSign);
    return result;
}

void CNumericBehavior::AdjustKeepingSelection()
{
    const EditSelection selection(m_pEdit);
    m_bAdjusting = true;
    Revalidate();
    m_bAdjusting = false;
    selection.Set();
}

void CNumericBehavior::HandleChar(UINT nChar, UINT, UINT)
{
    if (m_pEdit->IsReadOnly())
        return;
    const wchar_t c = wchar_t(nChar);
    const CString text = m_pEdit->GetText();
    const int n = text.GetLength();
    int s = 0, e = 0;
    m_pEdit->GetSel(s, e);
    const int nPoint = text.Find(m_cDecimalPoint);
    const int nSign = (n > 0 && text[0] == m_cNegativeSign) ? 1 : 0;
    const wchar_t typed[2] = {c, 0};
    // One character after the caret is typed over; a selection that reaches the end is
    // replaced whole.
    auto typeOver = [&] {
        if (e < n)
            m_pEdit->ReplaceRange(s, s + 1, typed);
        else
            m_pEdit->ReplaceRange(s, e, typed);
    };

    if (c == m_cNegativeSign) {
        if (!NegativeAllowed())
            return;
        if (s == 0) {
            if (nSign)
                m_pEdit->ReplaceRange(0, 1, typed);
            else
                CallDefault();
            return;
        }
        EditSelection selection(m_pEdit);
        if (nSign) {
            m_pEdit->ReplaceRange(0, 1, L"");
            selection.Shift(-1);
        } else {
            m_pEdit->ReplaceRange(0, 0, typed);
            selection.Shift(1);
        }
        selection.Set();
        return;
    }
    if (c == m_cDecimalPoint) {
        if (m_nMaxDecimalPlaces <= 0)
            return;
        if (nPoint < 0 || (nPoint >= s && nPoint < e)) {
            CallDefault();
            AdjustKeepingSelection();
        } else {
            m_pEdit->SetSel(nPoint + 1, nPoint + 1);
        }
        return;
    }
    if (IsDigit(c)) {
        if (nPoint < 0 || s <= nPoint) {
            const int nWhole = (nPoint < 0 ? n : nPoint) - nSign;
            // Whole digits that the selection replaces make room too.
            const int nSelectedWhole = std::max(0, std::min(e, nPoint < 0 ? n : nPoint) - std::max(s, nSign));
            if (nWhole - nSelectedWhole < m_nMaxWholeDigits) {
                CallDefault();
                AdjustKeepingSelection();
            } else if (s == nSign + m_nMaxWholeDigits) {
                if ((m_uFlags & DecimalAfterWholeDigits) && m_nMaxDecimalPlaces > 0) {
                    const wchar_t pointAndDigit[3] = {m_cDecimalPoint, c, 0};
                    m_pEdit->ReplaceRange(s, e < n ? s + 2 : e, pointAndDigit);
                    AdjustKeepingSelection();
                }
            } else if (s >= nSign) {
                typeOver();
                AdjustKeepingSelection();
            }
        } else {
            const int nDecimals = n - nPoint - 1;
            const int nSelected = std::max(0, e - std::max(s, nPoint + 1));
            if (nDecimals - nSelected < m_nMaxDecimalPlaces) {
                CallDefault();
                AdjustKeepingSelection();
            } else if (s < nPoint + 1 + m_nMaxDecimalPlaces) {
                typeOver();
                AdjustKeepingSelection();
            }
        }
        return;
    }
    if (c < 0x20) {
        CallDefault();
        AdjustKeepingSelection();
    }
}

void CNumericBehavior::HandleKeyDown(UINT nKey, UINT nRepCnt, UINT nFlags)
{
    if (nKey != VK_DELETE) {
        CEditBehavior::HandleKeyDown(nKey, nRepCnt, nFlags);
        return;
    }
    int s = 0, e = 0;
    m_pEdit->GetSel(s, e);
    const bool bAtEnd = e >= m_pEdit->GetText().GetLength();
    CallDefault();
    AdjustKeepingSelection();
    if (bAtEnd)
        m_pEdit->SetSel(s, s);
}

void CNumericBehavior::HandleKillFocus(CWnd*)
{
    CallDefault();
    const CString window = m_pEdit->GetText();
    CString text = ExtractNumericText(window);
    if ((m_uFlags & TrimLeadingZeros) && !text.IsEmpty()) {
        const bool bNegative = text[0] == m_cNegativeSign;
        if (bNegative)
            text.Delete(0);
        text.TrimLeft(L'0');
        if (text.IsEmpty() || text[0] == m_cDecimalPoint)
            text.Insert(0, L'0');
        if (bNegative)
            text.Insert(0, m_cNegativeSign);
    } else if ((m_uFlags & FocusLossChecks) == 0 || (text.IsEmpty() && (m_uFlags & SkipChecksIfEmpty))) {
        return;
    }
    if ((m_uFlags & PadDecimalsOnExit) && m_nMaxDecimalPlaces > 0) {
        if (text.IsEmpty() || text == CString(m_cNegativeSign))
            text = L"0";
        int nPoint = text.Find(m_cDecimalPoint);
        if (nPoint < 0) {
            nPoint = text.GetLength();
            text += m_cDecimalPoint;
        }
        while (text.GetLength() - nPoint - 1 < m_nMaxDecimalPlaces)
            text += L'0';
    }
    if ((m_uFlags & PadWholeDigits) && m_nMaxWholeDigits > 0) {
        const int nSign = (!text.IsEmpty() && text[0] == m_cNegativeSign) ? 1 : 0;
        int nPoint = text.Find(m_cDecimalPoint);
        if (nPoint < 0)
            nPoint = text.GetLength();
        for (int nWhole = nPoint - nSign; nWhole < m_nMaxWholeDigits; ++nWhole)
            text.Insert(nSign, L'0');
    }
    if (text != window) {
        const EditSelection selection(m_pEdit);
        m_pEdit->SetWindowText(text);
        selection.Set();
    }
    // While another edit waits for its focus back, this focus loss is that edit's doing.
    if (g_pPendingRefocus && g_pPendingRefocus != m_pEdit)
        return;
    UINT uBeep = 0, uFix = 0, uReport = 0, uRefocus = 0;
    if (m_pEdit->GetText().IsEmpty()) {
        uBeep = BeepIfEmpty, uFix = FixIfEmpty, uReport = ReportIfEmpty, uRefocus = RefocusIfEmpty;
    } else if (!IsInRange()) {
        uBeep = BeepIfInvalid, uFix = FixIfInvalid, uReport = ReportIfInvalid, uRefocus = RefocusIfInvalid;
    } else {
        return;
    }
    if (m_uFlags & uBeep)
        ::MessageBeep(MB_ICONEXCLAMATION);
    if (m_uFlags & uFix)
        ClampToRange();
    if (m_uFlags & uRefocus) {
        g_pPendingRefocus = m_pEdit;
        m_pEdit->PostMessage(WM_NUMERIC_REFOCUS, (m_uFlags & uReport) ? 1 : 0);
    }
}

void CNumericBehavior::RunPendingRefocus(BOOL bReport)
{
    if (bReport)
        ReportRangeError();
    if (m_pEdit->GetSafeHwnd() && m_pEdit->IsWindowVisible())
        m_pEdit->SetFocus();
    if (g_pPendingRefocus == m_pEdit)
        g_pPendingRefocus = nullptr;
}

void CNumericBehavior::ClampToRange()
{
    if (IsInRange())
        return;
    if (m_pEdit->GetText().IsEmpty())
        m_pEdit->SetWindowText(L" ");
    else
        Revalidate();
    const double d = GetDouble();
    if (d < m_dMin)
        SetDouble(m_dMin, TRUE);
    else if (d > m_dMax)
        SetDouble(m_dMax, TRUE);
}

BOOL CNumericBehavior::IsInRange()
{
    const double d = GetDouble();
    return m_dMin <= d && d <= m_dMax;
}

void CNumericBehavior::ReportRangeError()
{
    const bool bMin = m_dMin > -DBL_MAX, bMax = m_dMax < DBL_MAX;
    CString text;
    if (bMin && bMax)
        text = L"Please specify a numeric value between " + FormatDouble(m_dMin, TRUE) + L" and " +
               FormatDouble(m_dMax, TRUE) + L".";
    else if (bMin)
        text = L"Please specify a numeric value greater than or equal to " + FormatDouble(m_dMin, TRUE) + L".";
    else if (bMax)
        text = L"Please specify a numeric value less than or equal to " + FormatDouble(m_dMax, TRUE) + L".";
    else
        text = L"Please specify a valid numeric value.";
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CNumericBehavior::SetMaxWholeDigits(int nMaxWholeDigits)
{
    const int nCount = nMaxWholeDigits < 0 ? -nMaxWholeDigits : nMaxWholeDigits;
    const bool bNoNegative = nMaxWholeDigits < 0;
    if (nCount == m_nMaxWholeDigits && bNoNegative == !NegativeAllowed())
        return;
    m_nMaxWholeDigits = nCount;
    m_uFlags = bNoNegative ? (m_uFlags | NoNegative) : (m_uFlags & ~UINT(NoNegative));
    Revalidate();
}

void CNumericBehavior::SetMaxDecimalPlaces(int nMaxDecimalPlaces)
{
    if (nMaxDecimalPlaces == m_nMaxDecimalPlaces)
        return;
    m_nMaxDecimalPlaces = nMaxDecimalPlaces;
    Revalidate();
}

void CNumericBehavior::AllowNegative(BOOL bAllow)
{
    if (bAllow)
        ModifyFlags(0, NoNegative);
    else
        ModifyFlags(NoNegative, 0);
}

void CNumericBehavior::SetRange(double dMin, double dMax)
{
    m_dMin = dMin;
    m_dMax = dMax;
    Revalidate();
}

void CNumericBehavior::SetDouble(double dValue, BOOL bTrim) { m_pEdit->SetWindowText(FormatDouble(dValue, bTrim)); }

double CNumericBehavior::GetDouble() const
{
    return std::wcstod(ExtractNumericText(m_pEdit->GetText()).GetString(), nullptr);
}

int CNumericBehavior::GetInt() const
{
    return int(std::wcstol(ExtractNumericText(m_pEdit->GetText()).GetString(), nullptr, 10));
}

CNumericEdit::CNumericEdit(int nMaxWholeDigits, int nMaxDecimalPlaces)
    : CNumericBehavior(this, nMaxWholeDigits, nMaxDecimalPlaces)
{
}

BEGIN_MESSAGE_MAP(CNumericEdit, CValidatingEdit)
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_NUMERIC_REFOCUS, OnRefocus)
END_MESSAGE_MAP()

void CNumericEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { HandleChar(nChar, nRepCnt, nFlags); }

void CNumericEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { HandleKeyDown(nChar, nRepCnt, nFlags); }

void CNumericEdit::OnKillFocus(CWnd* pNewWnd) { HandleKillFocus(pNewWnd); }

LRESULT CNumericEdit::OnRefocus(WPARAM wParam, LPARAM)
{
    RunPendingRefocus(BOOL(wParam));
    return 0;
}
