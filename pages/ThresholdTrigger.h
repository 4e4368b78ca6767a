// CThresholdTrigger: the page of the threshold trigger 802: On and Off thresholds and the gate
// time in seconds and hundredths, which may come from another block (then in milliseconds).
#pragma once

#include "pages/BlockPage.h"

class CThresholdTrigger : public CBlockPage {
public:
    CThresholdTrigger();

    int m_nOnThreshold = 0, m_nOffThreshold = 0;
    int m_nHigh = 1, m_nLow = 0;
    int m_bRef = 0;
    CBlockObj* m_pRefBlock = nullptr;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;

    void ShowTime();
    void SetTabOrder();
    void OnReferenceClicked();
    void OnRefBlockSelected();
    DECLARE_MESSAGE_MAP()

    CComboBox m_cbRefBlock;
};
