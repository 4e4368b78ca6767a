#include "comm/ComConfigDlg.h"

#include "comm/DeviceDlgSupport.h"
#include "comm/TransferEngine.h"
#include "platform/serial/Comm.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CComConfigDlg, CDialog)
    ON_CONTROL(CBN_SELENDOK, IDC_DEV_PORT_LIST, OnSelectPort)
    ON_CONTROL(BN_CLICKED, IDC_DEV_CONNECT, OnConnect)
    ON_CONTROL(BN_CLICKED, IDC_DEV_AUTO_DETECT, OnAutoDetect)
    ON_CONTROL(BN_CLICKED, IDC_DEV_PORT_CANCEL, OnCancel)
END_MESSAGE_MAP()

CComConfigDlg::CComConfigDlg(CTransferEngine& engine, CWnd* pParent)
    : CDialog(IDD_COM_CONFIG, pParent), m_engine(engine)
{
}

BOOL CComConfigDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWnd* list = GetDlgItem(IDC_DEV_PORT_LIST);
    if (!list)
        return TRUE;
    int select = 0;
    for (int port : EnumerateComPorts()) {
        CString entry;
        entry.Format(L"COM%d", port);
        const std::wstring what = GetComPortDescription(port);
        if (!what.empty())
            entry += CString(L"  (") + what.c_str() + L")";
        const int index = int(list->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LPCTSTR(entry))));
        if (port == m_nPort)
            select = index;
    }
    list->SendMessage(CB_SETCURSEL, WPARAM(select), 0);
    return TRUE;
}

int CComConfigDlg::SelectedPort()
{
    CWnd* list = GetDlgItem(IDC_DEV_PORT_LIST);
    const int index = list ? int(list->SendMessage(CB_GETCURSEL)) : -1;
    if (index < 0)
        return 0;
    CString entry;
    wchar_t* buffer = entry.GetBufferSetLength(int(list->SendMessage(CB_GETLBTEXTLEN, WPARAM(index))) + 1);
    list->SendMessage(CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(buffer));
    entry.ReleaseBuffer();
    const int space = entry.Find(L' ');
    return ParseComPortName(space < 0 ? LPCTSTR(entry) : LPCTSTR(entry.Left(space)));
}

void CComConfigDlg::OnSelectPort()
{
    if (const int port = SelectedPort())
        m_nPort = port;
}

void CComConfigDlg::OnConnect()
{
    m_nPort = SelectedPort();
    if (m_nPort == 0)
        AfxMessageBox(DeviceText(IDS_CHECK_CABLE), MB_ICONQUESTION);
    EndDialog(IDOK);
}

void CComConfigDlg::OnAutoDetect()
{
    const int port = SelectedPort();
    if (port == 0) {
        AfxMessageBox(DeviceText(IDS_CHECK_CABLE), MB_ICONQUESTION);
        return;
    }
    CWnd* button = GetDlgItem(IDC_DEV_AUTO_DETECT);
    CString busy;
    busy.Format(L"COM%d", port);
    if (button) {
        button->SetWindowText(busy);
        button->EnableWindow(FALSE);
    }
    UINT error = 0;
    if (!m_engine.ProbePort(&error, 0, port))
        AfxMessageBox(DeviceText(IDS_CHECK_CABLE), MB_ICONQUESTION);
    if (button) {
        button->EnableWindow(TRUE);
        button->SetWindowText(DeviceText(IDS_DEV_AUTO_DETECT));
    }
}
