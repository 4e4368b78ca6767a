// CWifiSetupDlg: the modeless "WiFi Setup" dialog of the models with a built-in WiFi module. It
// edits the engine's WiFi record; OK validates it and asks the main frame to write it.
#pragma once

#include "comm/DeviceSettings.h"
#include "platform/ui/dialogs/Dlg.h"

class CWifiSetupDlg : public CDialog
{
public:
    explicit CWifiSetupDlg(WifiSettings& data);
    using CDialog::Create;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    WifiSettings& m_data;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnModeChange();
    void OnSsidChange();
    void OnPasswordChange();
    void OnDhcp();
    void OnFixedIp();
    void ShowNetworkControls(BOOL bShow);

    DECLARE_MESSAGE_MAP()
};
