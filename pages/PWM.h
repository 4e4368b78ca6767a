// CPWM: the page of the PWM block (819): the analog comparator's sensor scaling, the threshold
// range (the two level values, never referenced here), the high-speed output and the period,
// which is a time of two parts and a base or another block's value with a unit.
#pragma once

#include "pages/AnalogComparator.h"
#include "pages/TimeReference.h"

class CPWM : public CAnalogComparator {
public:
    CPWM();

    int m_nHighSpeedOut = 4;    // 0..3 Q0..Q3, 4 disabled
    TimeParam m_period;         // the block's first time and its reference 1

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillAnalogRecord(CAnalogParamRecord& record) const override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL FillsReferenceLists() const override { return FALSE; }

    // The third time base reads "100ms:ms" while a high-speed output is chosen; the chosen
    // base stays.
    void UpdateBaseItem();
    void SetPeriodTabOrder();
    void OnSelchangeOutput();
    void OnBaseChanged();
    void OnLowPartUpdate();
    void OnReferenceClicked();
    void OnRefBlockSelected();
    void OnUnitChanged() { SetModified(TRUE); }
    DECLARE_MESSAGE_MAP()

    CComboBox m_cbOutput, m_cbBase;
    CTimeReference m_ref;
};
