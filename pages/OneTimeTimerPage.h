// COneTimeTimerPage: the page of the timers with one time: on-delay 400, off-delay 401, retentive
// on-delay 403 and wiping relay 404. The time is two parts and a base, or comes from another
// block with a unit.
#pragma once

#include "pages/BlockPage.h"
#include "pages/TimeReference.h"

class COneTimeTimerPage : public CBlockPage {
public:
    COneTimeTimerPage();

    TimeParam m_time;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    void SetTabOrder();
    void OnReferenceClicked();
    void OnRefBlockSelected();
    void OnBaseChanged();
    void OnLowPartUpdate();
    void OnUnitChanged() { SetModified(TRUE); }
    DECLARE_MESSAGE_MAP()

    CTimeReference m_ref;
};
