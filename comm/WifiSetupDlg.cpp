#include "comm/WifiSetupDlg.h"

#include "comm/DeviceDispatcher.h"
#include "comm/DeviceDlgSupport.h"
#include "comm/TransferEngine.h"
#include "platform/ui/controls/CommCtrlIpAddress.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"

#include <utility>

namespace {

enum { kServer = 0, kStation = 1, kGroups = 2, kRemote = 3, kSlave = 4 };

} // namespace

BEGIN_MESSAGE_MAP(CWifiSetupDlg, CDialog)
    ON_CONTROL(CBN_SELCHANGE, IDC_DEV_WIFI_MODE, OnModeChange)
    ON_CONTROL(EN_CHANGE, IDC_DEV_WIFI_SSID, OnSsidChange)
    ON_CONTROL(EN_CHANGE, IDC_DEV_WIFI_PASSWORD, OnPasswordChange)
    ON_CONTROL(BN_CLICKED, IDC_DEV_WIFI_DHCP, OnDhcp)
    ON_CONTROL(BN_CLICKED, IDC_DEV_WIFI_FIXED_IP, OnFixedIp)
END_MESSAGE_MAP()

CWifiSetupDlg::CWifiSetupDlg(WifiSettings& data) : m_data(data) {}

void CWifiSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    if (GetDlgItem(IDC_DEV_WIFI_MODE)->SendMessage(CB_GETCOUNT) > 0) {
        DDX_CBIndex(pDX, IDC_DEV_WIFI_CHANNEL, m_data.nChannel);
        DDX_CBIndex(pDX, IDC_DEV_WIFI_TXPOWER, m_data.nTxPower);
        DDX_CBIndex(pDX, IDC_DEV_WIFI_MODE, m_data.nDeviceMode);
    }
    // The ports are checked only where the user sees them (Remote and Slave): a device in
    // another role may hold ports it never uses, and a hidden field cannot be corrected.
    const BOOL portsShown = GetDlgItem(IDC_DEV_WIFI_LOCAL_PORT)->IsWindowVisible();
    DDX_Text(pDX, IDC_DEV_WIFI_LOCAL_PORT, m_data.nLocalPort);
    if (portsShown)
        DDV_MinMaxUInt(pDX, m_data.nLocalPort, 1, 65535);
    DDX_Text(pDX, IDC_DEV_WIFI_REMOTE_PORT, m_data.nRemotePort);
    if (portsShown)
        DDV_MinMaxUInt(pDX, m_data.nRemotePort, 1, 65535);
    DDX_Text(pDX, IDC_DEV_WIFI_DEVICE_ID, m_data.nDeviceId);
    DDX_Text(pDX, IDC_DEV_WIFI_PASSWORD, m_data.strPassword);
    DDV_MaxChars(pDX, m_data.strPassword, 64);
    DDX_Text(pDX, IDC_DEV_WIFI_SSID, m_data.strSsid);
    DDV_MaxChars(pDX, m_data.strSsid, 32);
    DDX_Check(pDX, IDC_DEV_WIFI_ENCRYPTION, m_data.bEncryption);
    DDX_Text(pDX, IDC_DEV_WIFI_MAC, m_data.strMac);
}

BOOL CWifiSetupDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    PlaceOnScreen(this, -100, 0, true);
    CWnd* ip = GetDlgItem(IDC_DEV_WIFI_IP);
    CWnd* mask = GetDlgItem(IDC_DEV_WIFI_MASK);
    ip->SendMessage(IPM_SETADDRESS, 0, LPARAM(MAKEIPADDRESS(m_data.ip[0], m_data.ip[1], m_data.ip[2], m_data.ip[3])));
    mask->SendMessage(IPM_SETADDRESS, 0,
                      LPARAM(MAKEIPADDRESS(m_data.mask[0], m_data.mask[1], m_data.mask[2], m_data.mask[3])));
    CWnd* modes = GetDlgItem(IDC_DEV_WIFI_MODE);
    for (const wchar_t* m : {L"Server", L"Station", L"Groups", L"Remote", L"Slave"})
        modes->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m));
    if (m_data.nDeviceMode < 0 || m_data.nDeviceMode > 4)
        m_data.nDeviceMode = 0;
    modes->SendMessage(CB_SETCURSEL, WPARAM(m_data.nDeviceMode));
    FillDropList(this, IDC_DEV_WIFI_CHANNEL, NumberTexts(0, 13), &m_data.nChannel);
    FillDropList(this, IDC_DEV_WIFI_TXPOWER, NumberTexts(0, 12), &m_data.nTxPower);
    OnModeChange();
    CheckRadioButton(IDC_DEV_WIFI_DHCP, IDC_DEV_WIFI_FIXED_IP,
                     m_data.nAddressMode == 0 ? IDC_DEV_WIFI_DHCP : IDC_DEV_WIFI_FIXED_IP);
    ip->EnableWindow(m_data.nAddressMode != 0);
    mask->EnableWindow(m_data.nAddressMode != 0);
    return TRUE;
}

BOOL CWifiSetupDlg::PreTranslateMessage(MSG* pMsg)
{
    EnterMovesToNextField(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CWifiSetupDlg::ShowNetworkControls(BOOL bShow)
{
    for (int id : {IDC_DEV_WIFI_DHCP, IDC_DEV_WIFI_FIXED_IP, IDC_DEV_WIFI_ADDRESS_GROUP, IDC_DEV_WIFI_IP_LABEL,
                   IDC_DEV_WIFI_MASK_LABEL, IDC_DEV_WIFI_IP, IDC_DEV_WIFI_MASK, IDC_DEV_WIFI_PORT_GROUP,
                   IDC_DEV_WIFI_LOCAL_LABEL, IDC_DEV_WIFI_REMOTE_LABEL, IDC_DEV_WIFI_LOCAL_PORT,
                   IDC_DEV_WIFI_REMOTE_PORT})
        if (CWnd* w = GetDlgItem(id))
            w->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CWifiSetupDlg::OnModeChange()
{
    const int mode = int(GetDlgItem(IDC_DEV_WIFI_MODE)->SendMessage(CB_GETCURSEL));
    if (mode < kServer || mode > kSlave)
        return;
    m_data.nDeviceMode = mode;
    BOOL translated = FALSE;
    UINT id = GetDlgItemInt(IDC_DEV_WIFI_DEVICE_ID, &translated, FALSE);
    CWnd* idField = GetDlgItem(IDC_DEV_WIFI_DEVICE_ID);
    if (mode == kServer) {
        idField->EnableWindow(FALSE);
        id = 0;
        ShowNetworkControls(FALSE);
    } else if (mode == kStation || mode == kGroups) {
        idField->EnableWindow(TRUE);
        ShowNetworkControls(FALSE);
        if (id == 0 || id > 7)
            id = 1;
    } else {
        idField->EnableWindow(TRUE);
        ShowNetworkControls(TRUE);
        if (id == 0 || id > 255)
            id = 1;
    }
    SetDlgItemInt(IDC_DEV_WIFI_DEVICE_ID, id, FALSE);
}

void CWifiSetupDlg::OnSsidChange()
{
    CheckTypedCharacters(this, IDC_DEV_WIFI_SSID, IsLetterOrDigit, IDS_DEV_CHARS_ALNUM);
}

void CWifiSetupDlg::OnPasswordChange()
{
    CheckTypedCharacters(this, IDC_DEV_WIFI_PASSWORD, IsLetterOrDigit, IDS_DEV_CHARS_ALNUM);
}

void CWifiSetupDlg::OnDhcp()
{
    GetDlgItem(IDC_DEV_WIFI_IP)->EnableWindow(FALSE);
    GetDlgItem(IDC_DEV_WIFI_MASK)->EnableWindow(FALSE);
    m_data.nAddressMode = 0;
}

void CWifiSetupDlg::OnFixedIp()
{
    GetDlgItem(IDC_DEV_WIFI_IP)->EnableWindow(TRUE);
    GetDlgItem(IDC_DEV_WIFI_MASK)->EnableWindow(TRUE);
    m_data.nAddressMode = 1;
}

void CWifiSetupDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    auto refuse = [this](const CString& text, int id) {
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        if (CWnd* w = GetDlgItem(id))
            w->SetFocus();
    };
    if (m_data.strSsid.IsEmpty())
        return refuse(DeviceText(IDS_DEV_ENTER_ONE), IDC_DEV_WIFI_SSID);
    if (m_data.bEncryption && m_data.strPassword.GetLength() < 8)
        return refuse(DeviceText(IDS_DEV_ENTER_EIGHT), IDC_DEV_WIFI_PASSWORD);
    if (m_data.nDeviceMode != kServer) {
        const UINT limit = (m_data.nDeviceMode == kStation || m_data.nDeviceMode == kGroups) ? 7 : 255;
        if (m_data.nDeviceId == 0 || m_data.nDeviceId > limit) {
            CString range;
            range.Format(DeviceText(IDS_NUMBER_RANGE_INT), 1, int(limit));
            return refuse(DeviceText(IDS_DEV_PLEASE_ENTER) + range, IDC_DEV_WIFI_DEVICE_ID);
        }
    }
    for (auto [id, bytes] : {std::pair{IDC_DEV_WIFI_IP, &m_data.ip}, std::pair{IDC_DEV_WIFI_MASK, &m_data.mask}}) {
        DWORD address = 0;
        GetDlgItem(id)->SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
        for (int i = 0; i < 4; ++i)
            (*bytes)[std::size_t(i)] = BYTE((address >> (24 - 8 * i)) & 0xFF);
    }
    PostDeviceOperation(this, DEVICE_OP_SETTINGS, SETTINGS_WIFI_WRITE);
    DestroyWindow();
}

void CWifiSetupDlg::OnCancel()
{
    DestroyWindow();
}
