// CNumericEdit: an edit that holds a signed decimal number with a limited count of whole digits
// and decimal places, converts to and from double and can check a range when the focus leaves;
// CIntegerEdit: the same without decimals.
#pragma once

#include "controls/ValidatingEdit.h"

#include <cfloat>

class CNumericBehavior : public CEditBehavior {
public:
    CNumericBehavior(CValidatingEdit* pEdit, int nMaxWholeDigits, int nMaxDecimalPlaces);
    ~CNumericBehavior() override;

    CString MakeValidText() override;
    void HandleChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void HandleKeyDown(UINT nKey, UINT nRepCnt, UINT nFlags) override;
    void HandleKillFocus(CWnd* pNewWnd) override;
    virtual BOOL IsInRange();
    virtual void ReportRangeError();

    void SetMaxWholeDigits(int nMaxWholeDigits);
    void SetMaxDecimalPlaces(int nMaxDecimalPlaces);
    int GetMaxWholeDigits() const { return m_nMaxWholeDigits; }
    int GetMaxDecimalPlaces() const { return m_nMaxDecimalPlaces; }
    void AllowNegative(BOOL bAllow = TRUE);
    BOOL NegativeAllowed() const { return (m_uFlags & NoNegative) == 0; }
    void SetRange(double dMin, double dMax);
    double GetMin() const { return m_dMin; }
    double GetMax() const { return m_dMax; }

    void SetDouble(double dValue, BOOL bTrim = TRUE);
    double GetDouble() const;
    int GetInt() const;

    // The digits, the first decimal point ('.' with bMathSymbols, else the locale's) and one
    // leading negative sign when the text holds one anywhere.
    CString ExtractNumericText(const CString& text, bool bMathSymbols = false) const;
    // "%lf" with the locale's decimal point; with bTrim without trailing zeros and point.
    CString FormatDouble(double dValue, BOOL bTrim) const;

    // The edit keeps a pending refocus after a failed focus-loss check; tests look at it.
    static const CValidatingEdit* PendingRefocus();
    // Runs the report and refocus that a focus-loss check left for later.
    void RunPendingRefocus(BOOL bReport);

protected:
    void ClampToRange();
    // Re-validates the text keeping the selection (the adjusting flag is set meanwhile).
    void AdjustKeepingSelection();

    int m_nMaxWholeDigits;
    int m_nMaxDecimalPlaces;
    wchar_t m_cNegativeSign = L'-';
    wchar_t m_cDecimalPoint = L'.';
    wchar_t m_cGroupSeparator = L',';
    int m_nDigitsInGroup = 0;
    CString m_strPrefix;
    double m_dMin = -DBL_MAX;
    double m_dMax = DBL_MAX;
    bool m_bAdjusting = false;
};

class CNumericEdit : public CValidatingEdit, public CNumericBehavior {
public:
    explicit CNumericEdit(int nMaxWholeDigits = 9, int nMaxDecimalPlaces = 4);

    CString MakeValidText() override { return CNumericBehavior::MakeValidText(); }
    void Revalidate() override { CValidatingEdit::Revalidate(); }
    BOOL AcceptsChar(UINT nChar) override { return CValidatingEdit::AcceptsChar(nChar); }

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    LRESULT OnRefocus(WPARAM wParam, LPARAM);
    DECLARE_MESSAGE_MAP()
};

class CIntegerEdit : public CNumericEdit {
public:
    explicit CIntegerEdit(int nMaxWholeDigits = 9) : CNumericEdit(nMaxWholeDigits, 0) {}
};
