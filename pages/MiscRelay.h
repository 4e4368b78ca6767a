// CMiscRelay: the page of the latching and pulse relays, the shift register and the word and
// math blocks that have nothing to set but their name (808, 809, 812, 831-833, 853, 860, 861,
// 866-868).
#pragma once

#include "pages/BlockPage.h"

class CMiscRelay : public CBlockPage {
public:
    CMiscRelay();

    int m_nOutputBit = 0;        // the shift register's bit at the output connector, 0..15
    int m_nRSPriority = 0;       // 0 R over S, 1 S over R
    int m_nShiftIndex = 0;       // which of the four shift registers, 0..3
    const CBlockObj* m_pEditedBlock = nullptr;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillMiscRecord(CMiscParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    BOOL HasValueBox() const override;

    void LayoutControls();
    void OnPriorityR();
    void OnPriorityS();
    DECLARE_MESSAGE_MAP()
};
