// CHoursCounter: the page of the hours counter 801: the maintenance interval MI (which may come
// from another block) and the start of the operating time OT, in hours and minutes.
#pragma once

#include "pages/BlockPage.h"

class CHoursCounter : public CBlockPage {
public:
    CHoursCounter();

    // Largest maintenance interval in hours: what the device's interval word holds comfortably
    // (hours, or minutes in the newer families' 32-bit item). The message-text live editor takes
    // the same range, so a value set here can be entered there again.
    static constexpr int kMIHoursLimit = 9999;

    int m_nMIHours = 0, m_nMIMinutes = 0;
    int m_nOTHours = 0, m_nOTMinutes = 0;
    int m_bOutputKept = 0;
    int m_bRef = 0;
    CBlockObj* m_pRefBlock = nullptr;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;

    BOOL IsNewDevice() const;
    void ShowInterval();
    void SetTabOrder();
    void OnReferenceClicked();
    void OnRefBlockSelected();
    DECLARE_MESSAGE_MAP()

    CComboBox m_cbRefBlock;
};
