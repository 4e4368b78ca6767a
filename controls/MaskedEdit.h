// CMaskedEdit: an edit whose characters must match a mask position by position ('#' takes a
// digit, every other mask character stands for itself), such as "##:##" for a time of day.
#pragma once

#include "controls/ValidatingEdit.h"

#include <vector>

// One symbol of a mask: the characters it accepts and how they are converted.
struct MaskSymbol {
    wchar_t symbol = 0;
    bool (*accepts)(wchar_t) = nullptr;      // none: every character
    wchar_t (*convert)(wchar_t) = nullptr;   // none: unchanged

    bool Accepts(wchar_t c) const { return accepts == nullptr || accepts(c); }
    wchar_t Convert(wchar_t c) const { return convert ? convert(c) : c; }
};

class CMaskedBehavior : public CEditBehavior {
public:
    CMaskedBehavior(CValidatingEdit* pEdit, LPCTSTR lpszMask);

    CString MakeValidText() override;
    void HandleChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void HandleKeyDown(UINT nKey, UINT nRepCnt, UINT nFlags) override;

    void SetMask(LPCTSTR lpszMask);
    const CString& GetMask() const { return m_strMask; }
    // The digits of the window text in order.
    CString GetNumericText() const;

protected:
    const MaskSymbol* SymbolOf(wchar_t c) const;
    // The valid form of a text.
    CString ValidForm(const CString& text) const;

    CString m_strMask;
    std::vector<MaskSymbol> m_symbols;
};

class CMaskedEdit : public CValidatingEdit, public CMaskedBehavior {
public:
    explicit CMaskedEdit(LPCTSTR lpszMask = L"") : CMaskedBehavior(this, lpszMask) {}

    CString MakeValidText() override { return CMaskedBehavior::MakeValidText(); }
    void Revalidate() override { CValidatingEdit::Revalidate(); }
    BOOL AcceptsChar(UINT nChar) override { return CValidatingEdit::AcceptsChar(nChar); }

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};
