// CYearlyTimer: the page of the yearly timer 411: On and Off date (month and day), Monthly,
// Yearly, the range of years and Pulse Output. Each date has a calendar button.
#pragma once

#include "pages/BlockPage.h"

class CYearlyTimer : public CBlockPage {
public:
    CYearlyTimer();

    int m_nOnMonth = 1, m_nOnDay = 1;
    int m_nOffMonth = 1, m_nOffDay = 1;
    int m_bMonthly = 0;
    int m_bYearly = 1;
    int m_bPulseOutput = 0;
    int m_nOnYear = 2000;
    int m_nOffYear = 2099;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;

    BOOL IsNewDevice() const;
    void OnMonthlyClicked();
    void OnPulseOutputClicked();
    void OnCalendar(BOOL bOn);
    void OnOnCalendarClicked() { OnCalendar(TRUE); }
    void OnOffCalendarClicked() { OnCalendar(FALSE); }
    DECLARE_MESSAGE_MAP()
};

// Refuses a day its month cannot have (February with 29 days) with the message of the day's
// range; the exchange then stays on the day's edit.
void CheckDayOfMonth(CDataExchange* pDX, int nDay, int nMonth);
