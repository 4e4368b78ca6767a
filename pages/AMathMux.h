// CAMathMux: the page of the mathematical instruction (815: V1 op1 V2 op2 V3 op3 V4 in the order
// of three priorities) and the analog multiplexer (816: one of V1..V4 chosen by S1 and S2). Each
// value is a literal number or the value of another block.
#pragma once

#include "pages/BlockPage.h"

class CAMathMux : public CBlockPage {
public:
    CAMathMux();

    int m_nDecimals = 0;
    int m_nValue[4] = {};
    int m_nEnOutput = 1;               // output while En is 0: 0 zero, 1 the last value
    int m_nOperator[3] = {};           // 0 "+", 1 "-", 2 "x", 3 "/"
    int m_nPriority[3] = {2, 1, 0};    // 0 "L", 1 "M", 2 "H"; always a permutation
    int m_bRef[4] = {};
    CBlockObj* m_pRefBlock[4] = {};

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;

    void ShowValue(int i);
    void FillBlockCombos();
    void UpdateTabOrder();
    void UpdateDecimalsSample();
    void OnReference(UINT nID);
    void OnBlockSelected(UINT nID);
    void OnReference1() { OnReference(1254); }
    void OnReference2() { OnReference(1264); }
    void OnReference3() { OnReference(1271); }
    void OnReference4() { OnReference(1278); }
    void OnBlock1() { OnBlockSelected(104); }
    void OnBlock2() { OnBlockSelected(125); }
    void OnBlock3() { OnBlockSelected(127); }
    void OnBlock4() { OnBlockSelected(129); }
    void OnDecimalsChanged();
    void OnPriorityChanged(UINT nID);
    void OnChanged() { OnParamChanged(); }
    void OnChangedRange(UINT) { OnParamChanged(); }
    DECLARE_MESSAGE_MAP()

    CComboBox m_cbBlock[4];
    CComboBox m_cbOperator[3];
    CComboBox m_cbPriority[3];
    int m_nShownPriority[3] = {2, 1, 0};  // the priorities before the last change
};
