// CBoolean: the page of the Boolean function block: a truth table of 16 outputs over four
// inputs, one drop-down list ("0", "1") per input combination.
#pragma once

#include "pages/BlockPage.h"

constexpr UINT IDC_TRUTH_FIRST = 1302;  // combination 0; combination n is 1302 + n
constexpr UINT IDC_TRUTH_LAST = 1317;

class CBoolean : public CBlockPage {
public:
    CBoolean();

    // Bit n (0..15) is the output for combination n = 8 Input1 + 4 Input2 + 2 Input3 + Input4;
    // the page changes only the low 16 bits.
    int m_nTruthTable = 0;

    static void SetBit16(WORD* pWord, int nBit) { *pWord = WORD(*pWord | (1u << nBit)); }
    static void ClearBit16(WORD* pWord, int nBit) { *pWord = WORD(*pWord & ~(1u << nBit)); }

protected:
    void InitPage() override;
    BOOL HasValueBox() const override { return FALSE; }
    void OnTruthChanged(UINT nID);
    DECLARE_MESSAGE_MAP()

    CComboBox m_cbTruth[IDC_TRUTH_LAST - IDC_TRUTH_FIRST + 1];
};
