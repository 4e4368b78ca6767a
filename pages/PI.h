// CPI: the page of the PI controller (818): the analog comparator's sensor scaling of the actual
// value, set value SP and manual output Mq (each literal or another block's value), the
// parameter set that fills amplification KC and integration time TI, and the direction.
#pragma once

#include "pages/AnalogComparator.h"

class CPI : public CAnalogComparator {
public:
    CPI();

    // SP and Mq are the level values 1 and 2 of the analog page (m_nValue1, m_nValue2) with
    // their references.
    int m_nParamSet = 0;        // 0..5 the fixed sets, 6 user defined
    double m_dKC = 0.5;         // 0.00..99.99
    int m_bIntegration = 1;     // TI in use; TI 99:59 stands for none
    int m_nTIMinutes = 0;       // 0..99
    int m_nTISeconds = 30;      // 0..59
    int m_nDirection = 0;       // 0 upwards, 1 downwards

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillAnalogRecord(CAnalogParamRecord& record) const override;

    // The fixed parameter sets: KC and TI of sets 0..5.
    struct ParamSet {
        double kc;
        int minutes, seconds;
    };
    static const ParamSet kParamSets[6];

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void ValueBounds(int k, int* pLo, int* pHi) const override;
    BOOL FillsReferenceLists() const override { return TRUE; }
    void PlaceRetentivity() override;

    // KC and TI of the chosen set; the controller controls are editable only for set 6.
    void ApplyParameterSet();
    void OnSelchangeParamSet();
    void OnIntegrationClicked();
    void OnUpdateKC();
    void OnDirection(UINT nID);
    void OnControllerChanged() { SetModified(TRUE); }
    DECLARE_MESSAGE_MAP()

    CComboBox m_cbParamSet;
    CNumericEdit m_editKC{2, 2};
    CIntegerEdit m_editTIMinutes{2}, m_editTISeconds{2};
    int m_nSavedTIMinutes = 0, m_nSavedTISeconds = 30;
};
