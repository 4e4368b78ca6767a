// CMaxMin: the page of the integer math blocks with one parameter each: Max/Min (821), the
// rotations and shifts (834-837), RAND (846), Word to Bit (854), Modulo (862) and Remainder
// (863). The page relabels and re-ranges its value by the block type; the value may come from
// another block.
#pragma once

#include "controls/NumericEdit.h"
#include "pages/BlockPage.h"

constexpr UINT IDC_MATH_VALUE = 1289;
constexpr UINT IDC_MATH_SPIN = 1290;
constexpr UINT IDC_MATH_RESET = 1008;
constexpr UINT IDC_MATH_RETENTIVITY = 1276;
constexpr UINT IDC_MATH_PROTECTION = 1269;
constexpr UINT IDC_MATH_REFERENCE = 1546;
constexpr UINT IDC_MATH_REF_COMBO = 104;

// Bounds of the value of a type (the zero of Modulo is refused apart).
struct MathValueRange {
    int lo, hi, digits;
    bool sign;
};
MathValueRange MathValueRangeOf(int nType);

class CMaxMin : public CBlockPage {
public:
    CMaxMin();

    int m_nValue = 0;
    int m_bResetOnDisable = 0;
    int m_bRef = 0;
    CBlockObj* m_pRefBlock = nullptr;

    // The value that stands for a referenced parameter, by type.
    int ReferencePlaceholder() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    BOOL HasValueBox() const override { return m_nBlockType != 854; }
    void OnOK() override;

    void ShowReferenceState();
    void FillReferenceList();
    void SetTabOrder();
    void OnValueChanged();
    void OnCheck() { OnParamChanged(); }
    void OnReferenceClicked();
    void OnRefBlockSelected();
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

    CIntegerEdit m_editValue{9};
    CComboBox m_cbRefBlock;
};
