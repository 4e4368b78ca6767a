// CBoolean: each truth-table choice sets or clears its bit at once; bits 16-31 of the block's
// word pass through unchanged.
#include "pages/Boolean.h"

#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"

BEGIN_MESSAGE_MAP(CBoolean, CBlockPage)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_TRUTH_FIRST, IDC_TRUTH_LAST, OnTruthChanged)
END_MESSAGE_MAP()

CBoolean::CBoolean() : CBlockPage(IDD_BOOLEAN) {}

void CBoolean::InitPage()
{
    for (UINT id = IDC_TRUTH_FIRST; id <= IDC_TRUTH_LAST; ++id) {
        CComboBox& combo = m_cbTruth[id - IDC_TRUTH_FIRST];
        if (!AttachControl(combo, id))
            continue;
        if (combo.GetCount() == 0) {
            combo.AddString(L"0");
            combo.AddString(L"1");
        }
        combo.SetCurSel((m_nTruthTable >> (id - IDC_TRUTH_FIRST)) & 1);
    }
}

void CBoolean::OnTruthChanged(UINT nID)
{
    SetModified(TRUE);
    // The combo that sent the change decides, not the focus: a choice made from code or
    // without the focus counts as well.
    if (nID < IDC_TRUTH_FIRST || nID > IDC_TRUTH_LAST)
        return;
    const CComboBox& combo = m_cbTruth[nID - IDC_TRUTH_FIRST];
    if (combo.GetSafeHwnd() == nullptr)
        return;
    WORD low = WORD(m_nTruthTable & 0xFFFF);
    if (combo.GetCurSel() > 0)
        SetBit16(&low, int(nID - IDC_TRUTH_FIRST));
    else
        ClearBit16(&low, int(nID - IDC_TRUTH_FIRST));
    m_nTruthTable = int((unsigned(m_nTruthTable) & 0xFFFF0000u) | low);
}
