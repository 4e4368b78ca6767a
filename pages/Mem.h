// CMEM: the page of the memory block (847): which function block it refers to and which of
// that block's editable parameters.
#pragma once

#include "pages/BlockPage.h"

constexpr UINT IDC_MEM_BLOCK = 1331;
constexpr UINT IDC_MEM_INDEX = 1320;

class CMEM : public CBlockPage {
public:
    CMEM();

    int m_nListIndex = -1;          // item of the block list as the exchange reads it
    int m_nParamIndex = -1;         // position of the parameter in the block type's list
    int m_bRef = 0;                 // a block is referenced
    CBlockObj* m_pRefBlock = nullptr;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL HasValueBox() const override { return FALSE; }
    void OnOK() override;

    void FillParamNames();
    void OnBlockSelected();
    void OnChanged() { OnParamChanged(); }
    DECLARE_MESSAGE_MAP()

    CComboBox m_cbBlock;
    CComboBox m_cbIndex;
    CComboBox m_cbKind;              // the hidden kind list: always "Function Block"
};
