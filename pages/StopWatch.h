// CStopWatch: the page of the blocks with at most one choice from a short list and one real
// factor: the stopwatch 413, the analog filter 820, the logarithm 864, the square root, powers
// and trigonometric functions 865, 869, 870, 873-878, fixed-point arithmetic 871 and round-off
// 872. The logarithm's base and the 871/872 choice may come from another block.
#pragma once

#include "controls/NumericEdit.h"
#include "pages/BlockPage.h"

// The factor's bounds.
constexpr double kFactorLimit = 10000.0;

class CStopWatch : public CBlockPage {
public:
    CStopWatch();

    int m_nBase = 2;
    double m_dFactor = 0.0;
    int m_bRef = 0;
    CBlockObj* m_pRefBlock = nullptr;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    BOOL HasReference() const { return m_nBlockType == 864 || m_nBlockType == 871 || m_nBlockType == 872; }
    BOOL HasFactor() const;
    void ApplyTypeLayout();
    void ShowChoice();
    void SetTabOrder();
    void OnReferenceClicked();
    void OnRefBlockSelected();
    void OnFactorUpdate();
    DECLARE_MESSAGE_MAP()

    CNumericEdit m_editFactor{9, 4};
    CComboBox m_cbRefBlock;
};
