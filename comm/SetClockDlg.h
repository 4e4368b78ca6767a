// CSetClockDlg: the modeless "Clock Setting/Calibration" dialog. It edits the engine's clock
// record; its buttons ask the main frame to write or read the device clock or calibration.
#pragma once

#include "comm/DeviceSettings.h"
#include "platform/ui/dialogs/Dlg.h"

class CSetClockDlg : public CDialog
{
public:
    explicit CSetClockDlg(ClockSettings& data);
    using CDialog::Create;

    // After a read: the date picker and the fields show the record.
    void ShowValues();

    ClockSettings& m_data;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnWrite();
    void OnRead();
    void OnCalibrationSet();
    void OnCalibrationGet();
    void OnCurrentTime();
    void OnDateChange(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHourUpdate();
    void OnMinuteUpdate();
    void OnSecondUpdate();
    void ShowDate();

    DECLARE_MESSAGE_MAP()
};
