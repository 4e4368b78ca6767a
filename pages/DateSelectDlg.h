// CDateSelectDlg: "Date Selection", a month and a day chosen with buttons. It edits one of two
// dates (On/Off, or begin/end of the summer time); a day that its month cannot have disables OK.
#pragma once

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/dialogs/Dlg.h"

class CDateSelectDlg : public CDialog {
public:
    explicit CDateSelectDlg(CWnd* pParent = nullptr);

    int m_nOnMonth = 1, m_nOnDay = 1;
    int m_nOffMonth = 1, m_nOffDay = 1;
    int m_bEditOn = 1;        // 1: the first date, 0: the second
    int m_bAllowFeb29 = 1;    // 0: February has 28 days

    // Days of a month (1..12); February has 29 when allowed, else 28.
    static int MonthLength(int nMonth, BOOL bAllowFeb29);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDateButton(UINT nID);
    // Enables the days the month has and OK only for a date that exists.
    void ApplyMonthRule(int nMonth, int nDay);
    int& Month() { return m_bEditOn ? m_nOnMonth : m_nOffMonth; }
    int& Day() { return m_bEditOn ? m_nOnDay : m_nOffDay; }
};
