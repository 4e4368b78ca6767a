// CSummerTimeDlg: the modeless "SummerTime/WinterTime" dialog. It edits the engine's summer/
// winter time record (off, a regional preset, or a free rule of start and end dates and a time
// difference); OK asks the main frame to write it to the device.
#pragma once

#include "comm/DeviceSettings.h"
#include "platform/ui/dialogs/Dlg.h"

class CSummerTimeDlg : public CDialog
{
public:
    explicit CSummerTimeDlg(SummerTimeSettings& data);
    using CDialog::Create;

    SummerTimeSettings& m_data;

    // Days of a month for the clamps (February 28); 31 for a month outside 1..12.
    static int MonthLength(int nMonth);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void UpdateEnabling();
    void OnPresetChange();
    void OnStartMonthUpdate();
    void OnEndMonthUpdate();
    void OnStartDayUpdate();
    void OnEndDayUpdate();
    void OnDifferenceUpdate();
    void OnPickStart();
    void OnPickEnd();
    // Opens the calendar on the start or the end date and writes an OK'd choice into its edits.
    void PickDate(BOOL bStart);
    void ClampMonth(int nMonthId, int nDayId);
    void ClampDay(int nMonthId, int nDayId);

    DECLARE_MESSAGE_MAP()
};
