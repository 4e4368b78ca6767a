// CUpDownCounter: the page of the up/down counter 800 and the encoder 848: the On and Off
// thresholds (each may come from another block), the start value and the encoder's inputs.
#pragma once

#include "pages/BlockPage.h"

class CUpDownCounter : public CBlockPage {
public:
    CUpDownCounter();

    int m_nOnValue = 0;
    int m_nOffValue = 0;
    int m_nStartValue = 0;
    int m_nSource = 0;       // 0 "I0 & I1", 1 "I2 & I3"
    int m_bRefOn = 0;
    CBlockObj* m_pRefBlockOn = nullptr;
    int m_bRefOff = 0;
    CBlockObj* m_pRefBlockOff = nullptr;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;

    int LowestValue() const { return m_nBlockType == 800 ? 0 : -999999; }
    void ShowThreshold(BOOL bOn);
    void SetTabOrder();
    void OnReferenceOn() { OnReference(TRUE); }
    void OnReferenceOff() { OnReference(FALSE); }
    void OnReference(BOOL bOn);
    void OnBlockOn();
    void OnBlockOff();
    DECLARE_MESSAGE_MAP()

    CComboBox m_cbRefOn;
    CComboBox m_cbRefOff;
};
