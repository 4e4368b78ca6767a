// CWeeklyCams1: one cam of the weekly timer 410: its weekdays, its On time and its Off time,
// each of which may be disabled. Three of them follow the general page in the sheet.
#pragma once

#include "pages/BlockPage.h"

class CWeeklyCams1 : public CBlockPage {
public:
    CWeeklyCams1();

    int m_bDay[7] = {};        // Monday .. Saturday, then Sunday
    int m_nOnHour = 0;
    int m_nOnMinute = 0;
    int m_bOnDisabled = 1;
    int m_nOffHour = 0;
    int m_nOffMinute = 0;
    int m_bOffDisabled = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;

    void EnableOn();
    void EnableOff();
    void OnOnDisableClicked();
    void OnOffDisableClicked();
    void OnHourUpdate(UINT nID);
    void OnMinuteUpdate(UINT nID);
    void OnChanged() { SetModified(TRUE); }
    void OnChangedRange(UINT) { SetModified(TRUE); }
    LRESULT OnQuerySiblings(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The Pulse Output state of the weekly timer being edited: the view sets it before the sheet
// shows, the general page announces each change, cam pages read it when they are created.
extern int g_nWeeklyPulseOutput;
