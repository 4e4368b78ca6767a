#include "comm/RemoteWifiSetupDlg.h"

#include "comm/DeviceDispatcher.h"
#include "comm/DeviceDlgSupport.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CRemoteWifiSetupDlg, CDialog)
    ON_CONTROL(EN_CHANGE, IDC_DEV_WIFI_SSID, OnSsidChange)
    ON_CONTROL(EN_CHANGE, IDC_DEV_WIFI_PASSWORD, OnPasswordChange)
    ON_CONTROL(EN_CHANGE, IDC_DEV_REMOTE_KEY, OnKeyChange)
    ON_CONTROL(BN_CLICKED, IDC_DEV_FACTORY_RESET, OnFactoryReset)
END_MESSAGE_MAP()

CRemoteWifiSetupDlg::CRemoteWifiSetupDlg(RemoteWifiSettings& data) : m_data(data) {}

void CRemoteWifiSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    if (GetDlgItem(IDC_DEV_WIFI_TXPOWER)->SendMessage(CB_GETCOUNT) > 0) {
        DDX_CBIndex(pDX, IDC_DEV_WIFI_TXPOWER, m_data.nTxPower);
        DDX_CBIndex(pDX, IDC_DEV_REMOTE_MODE, m_data.nMode);
        DDX_CBIndex(pDX, IDC_DEV_REMOTE_SLEEP, m_data.nSleepMode);
    }
    DDX_Text(pDX, IDC_DEV_WIFI_MAC, m_data.strMac);
    DDX_Text(pDX, IDC_DEV_WIFI_DEVICE_ID, m_data.nDeviceId);
    DDV_MinMaxInt(pDX, m_data.nDeviceId, 1, 7);
    DDX_Text(pDX, IDC_DEV_WIFI_PASSWORD, m_data.strPassword);
    DDV_MaxChars(pDX, m_data.strPassword, 64);
    DDX_Text(pDX, IDC_DEV_WIFI_SSID, m_data.strSsid);
    DDV_MaxChars(pDX, m_data.strSsid, 32);
    DDX_Text(pDX, IDC_DEV_REMOTE_LED_OFF, m_data.nLedOffTime);
    DDV_MinMaxInt(pDX, m_data.nLedOffTime, 10, 9999);
    DDX_Text(pDX, IDC_DEV_REMOTE_LED_ON, m_data.nLedOnTime);
    DDV_MinMaxInt(pDX, m_data.nLedOnTime, 10, 9999);
    DDX_Text(pDX, IDC_DEV_REMOTE_KEY, m_data.strKey);
    DDV_MaxChars(pDX, m_data.strKey, 6);
}

BOOL CRemoteWifiSetupDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    PlaceOnScreen(this, -100, 0, true);
    FillDropList(this, IDC_DEV_WIFI_TXPOWER, NumberTexts(1, 12), &m_data.nTxPower);
    FillDropList(this, IDC_DEV_REMOTE_MODE, {L"Standard", L"Simple"}, &m_data.nMode);
    FillDropList(this, IDC_DEV_REMOTE_SLEEP, {L"Disable", L"30s", L"1min", L"2min", L"5min", L"10min"},
                 &m_data.nSleepMode);
    return TRUE;
}

BOOL CRemoteWifiSetupDlg::PreTranslateMessage(MSG* pMsg)
{
    EnterMovesToNextField(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CRemoteWifiSetupDlg::OnSsidChange()
{
    CheckTypedCharacters(this, IDC_DEV_WIFI_SSID, IsLetterOrDigit, IDS_DEV_CHARS_ALNUM);
}

void CRemoteWifiSetupDlg::OnPasswordChange()
{
    CheckTypedCharacters(this, IDC_DEV_WIFI_PASSWORD, IsLetterOrDigit, IDS_DEV_CHARS_ALNUM);
}

void CRemoteWifiSetupDlg::OnKeyChange()
{
    CheckTypedCharacters(this, IDC_DEV_REMOTE_KEY, IsKeyDigit, IDS_DEV_CHARS_KEY);
}

void CRemoteWifiSetupDlg::OnFactoryReset()
{
    if (AfxMessageBox(DeviceText(IDS_DEV_MAKE_SURE_RESET), MB_YESNO) != IDYES)
        return;
    SendDeviceOperation(this, DEVICE_OP_REMOTE_RESET, 0);
    DestroyWindow();
}

void CRemoteWifiSetupDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_data.strSsid.IsEmpty()) {
        AfxMessageBox(DeviceText(IDS_DEV_ENTER_ONE), MB_ICONEXCLAMATION);
        GetDlgItem(IDC_DEV_WIFI_SSID)->SetFocus();
        return;
    }
    PostDeviceOperation(this, DEVICE_OP_SETTINGS, SETTINGS_REMOTE_WRITE);
}

void CRemoteWifiSetupDlg::OnCancel()
{
    DestroyWindow();
}
