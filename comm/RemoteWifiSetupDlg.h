// CRemoteWifiSetupDlg: the modeless "Remote Control WIFI(0xK791) Setup" dialog of a remote
// control unit's WiFi module. OK asks the main frame to write the engine's remote record and
// keeps the window open; "Factory Reset" resets the module and closes the window.
#pragma once

#include "comm/DeviceSettings.h"
#include "platform/ui/dialogs/Dlg.h"

class CRemoteWifiSetupDlg : public CDialog
{
public:
    explicit CRemoteWifiSetupDlg(RemoteWifiSettings& data);
    using CDialog::Create;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    RemoteWifiSettings& m_data;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnSsidChange();
    void OnPasswordChange();
    void OnKeyChange();
    void OnFactoryReset();

    DECLARE_MESSAGE_MAP()
};
