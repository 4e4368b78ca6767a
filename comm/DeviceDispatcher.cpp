// The device operations of the main frame and the progress of a transfer.
#include "comm/DeviceDispatcher.h"

#include "comm/DeviceDialogs.h"
#include "comm/DeviceDlgSupport.h"
#include "document/TavixDoc.h"
#include "platform/ui/core/Wnd.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"

namespace {

constexpr UINT kQuestionIcon = 0x20;

void AskToCheckCable(CMainFrame& frame)
{
    CString text;
    text.LoadString(IDS_CHECK_CABLE);
    frame.PortMessageBox(text, kQuestionIcon);
}

struct FlagLine {
    int flag;
    LPCTSTR line;
};

// Logs the line of the first entry whose flag nFlags holds.
template <std::size_t N>
void LogFirstFlagged(CMainFrame& frame, const FlagLine (&lines)[N], int nFlags)
{
    for (const FlagLine& l : lines)
        if (nFlags & l.flag) {
            frame.PortLog(l.line);
            return;
        }
}

} // namespace

CDeviceDispatcher::CDeviceDispatcher(CMainFrame& frame)
    : m_frame(frame), m_engine(frame), m_pProgress(std::make_unique<CTransferProgressDlg>()),
      m_pClock(std::make_unique<CSetClockDlg>(m_engine.m_clock)),
      m_pSummer(std::make_unique<CSummerTimeDlg>(m_engine.m_summer)),
      m_pWifi(std::make_unique<CWifiSetupDlg>(m_engine.m_wifi)),
      m_pRemote(std::make_unique<CRemoteWifiSetupDlg>(m_engine.m_remote))
{
    m_engine.m_askPassword = [this](BYTE* password) {
        return ShowDeviceDialog(DEVICE_DIALOG_PASSWORD, password);
    };
    m_engine.m_newDocument = [this]() -> CTavixDoc* {
        // The properties sheet that File New would open is not wanted for an uploaded program.
        const BOOL showProperties = g_bShowPropertiesAtNew;
        g_bShowPropertiesAtNew = FALSE;
        if (!m_frame.m_pSeriesLabel)
            m_frame.CreateStatusControls();
        m_frame.SendFileNew();
        g_bShowPropertiesAtNew = showProperties;
        return m_frame.GetActiveDiagramDocument();
    };
    m_engine.m_discardDocument = [](CTavixDoc* pDoc) {
        pDoc->SetModifiedFlag(FALSE);
        pDoc->OnCloseDocument();
    };
    m_engine.m_clockChanged = [this]() { m_pClock->ShowValues(); };
    m_choosePort = [this]() { OnComConfiguration(); };
    m_runIoStatus = [this]() {
        CIOStatus dlg(m_frame, m_engine.m_modbus);
        dlg.DoModal();
    };
}

CDeviceDispatcher::~CDeviceDispatcher()
{
    for (CWnd* dlg : {static_cast<CWnd*>(m_pProgress.get()), static_cast<CWnd*>(m_pClock.get()),
                      static_cast<CWnd*>(m_pSummer.get()), static_cast<CWnd*>(m_pWifi.get()),
                      static_cast<CWnd*>(m_pRemote.get())})
        if (dlg->m_hWnd)
            dlg->DestroyWindow();
}

int CDeviceDispatcher::WithPort(const std::function<int()>& op)
{
    if (m_frame.m_nComPort <= 0 && m_choosePort)
        m_choosePort();
    if (m_frame.m_nComPort <= 0 || !m_frame.OpenDevicePort())
        return 0;
    // While the operation holds the port, the main window takes no input: only the progress
    // dialog does, and other device operations wait for this one to end.
    m_bBusy = true;
    const BOOL frameEnabled = m_frame.m_hWnd ? m_frame.IsWindowEnabled() : FALSE;
    if (frameEnabled)
        m_frame.EnableWindow(FALSE);
    auto release = [&]() {
        m_frame.CloseDevicePort();
        if (m_pProgress->m_hWnd)
            m_pProgress->DestroyWindow();
        if (frameEnabled)
            m_frame.EnableWindow(TRUE);
        m_bBusy = false;
    };
    int result = 0;
    try {
        result = op();
    } catch (...) {
        release();
        throw;
    }
    release();
    return result;
}

LRESULT CDeviceDispatcher::OnDeviceOperation(WPARAM wParam, LPARAM lParam)
{
    const int op = int(wParam);
    // Only the progress dialog's button reaches here while a transfer runs. It closes the
    // dialog and nothing more: the running exchange goes on to its end, so the device is never
    // left between a start frame and its end frame.
    if (m_bBusy)
        return 0;
    switch (op) {
    case 1: case 2: case 16: case 17: case 20: case 21:
        m_nCurrentOp = op;
        break;
    case DEVICE_OP_DOWNLOAD:
        m_nCurrentOp = op;
        Download();
        break;
    case DEVICE_OP_UPLOAD:
        m_nCurrentOp = op;
        WithPort([this]() { return m_engine.Upload(); });
        m_engine.m_wait(100);
        break;
    case DEVICE_OP_CLEAR:
        m_nCurrentOp = op;
        WithPort([this]() { return m_engine.ClearProgram(m_frame.GetActiveDiagramDocument()); });
        break;
    case DEVICE_OP_IO_STATUS:
        if (m_runIoStatus)
            m_runIoStatus();
        break;
    case DEVICE_OP_WIFI_READ:
        ReadThenShow(SETTINGS_WIFI_READ, L"WIFI Setup Reading Starts...\n",
                     L"WIFI(0xK4XX) Setup Reading Error!\n", L"WIFI Setup Reading Succeeds\n",
                     DEVICE_DIALOG_WIFI);
        m_nCurrentOp = op;
        break;
    case DEVICE_OP_CLOCK:
        ShowDeviceDialog(DEVICE_DIALOG_CLOCK);
        break;
    case DEVICE_OP_SUMMER_READ:
        ReadThenShow(SETTINGS_SUMMER_READ, L"Summer/Winter Time Reading Starts...\n",
                     L"Summer/Winter Time Reading Error!\n", L"Summer/Winter Time Reading Succeeds\n",
                     DEVICE_DIALOG_SUMMER);
        m_nCurrentOp = op;
        break;
    case DEVICE_OP_NO_DIALOG:
        ShowDeviceDialog(DEVICE_DIALOG_NONE);
        break;
    case DEVICE_OP_SETTINGS:
        Settings(int(lParam));
        m_nCurrentOp = op;
        break;
    case DEVICE_OP_REMOTE_READ:
        ReadThenShow(SETTINGS_REMOTE_READ, L"Remote Control WIFI Setup(0xK791) Reading Starts...\n",
                     L"Recontrol Control WIFI(0xK791) Setup Reading Error!\n",
                     L"Remote Control WIFI(0xK791) Setup Reading Succeeds\n", DEVICE_DIALOG_REMOTE);
        m_nCurrentOp = op;
        break;
    case DEVICE_OP_REMOTE_RESET:
        WithPort([this]() { return m_engine.FactoryResetRemote(); });
        m_nCurrentOp = op;
        break;
    case DEVICE_OP_PROGRESS:
        ShowDeviceDialog(DEVICE_DIALOG_PROGRESS);
        break;
    default:
        break;  // 85 from the progress dialog's button, and unknown codes
    }
    return 0;
}

void CDeviceDispatcher::Download()
{
    CTavixDoc* pDoc = m_frame.GetActiveDiagramDocument();
    const bool ladder = pDoc && pDoc->IsLadder();
    if (ladder) {
        // A ladder program goes to the device as the function block diagram it converts to;
        // the copy is closed afterwards and the ladder program stays as it was.
        if (!m_engine.CheckTransferable(pDoc))
            return;
        m_frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_CONVERT_TO_FBD, 0), 0);
        CTavixDoc* converted = m_frame.GetActiveDiagramDocument();
        if (converted == nullptr || converted == pDoc || converted->IsLadder())
            return;
        pDoc = converted;
    }
    if (pDoc == nullptr || !m_engine.CheckTransferable(pDoc))
        return;
    WithPort([this, pDoc]() { return m_engine.Download(pDoc); });
    m_engine.m_wait(1000);
    if (ladder) {
        pDoc->SetModifiedFlag(FALSE);
        m_frame.SendMessage(WM_COMMAND, MAKEWPARAM(57602, 0), 0);  // ID_FILE_CLOSE
    }
}

void CDeviceDispatcher::ReadThenShow(int nFlag, LPCTSTR starts, LPCTSTR error, LPCTSTR succeeds,
                                     int nDialog)
{
    int result = -1;
    WithPort([&]() {
        m_frame.PortLog(starts);
        result = m_engine.ExchangeSettings(nFlag);
        if (result == 0) {
            m_frame.PortLog(error);
            AskToCheckCable(m_frame);
        } else {
            m_frame.PortLog(succeeds);
        }
        return result;
    });
    if (result > 1)
        ShowDeviceDialog(nDialog);
}

void CDeviceDispatcher::Settings(int nFlags)
{
    WithPort([&]() {
        if (m_engine.ExchangeSettings(nFlags) == 0) {
            AskToCheckCable(m_frame);
            static const FlagLine kSuspend[] = {
                {SETTINGS_CLOCK_WRITE, L"Clock Setting Suspend!\n"},
                {SETTINGS_CLOCK_READ, L"Clock Reading Suspend!\n"},
                {SETTINGS_CALIBRATION_WRITE, L"Clock Calibration Suspend!\n"},
                {SETTINGS_CALIBRATION_READ, L"Clock Calibration Reading Suspend!\n"},
                {SETTINGS_WIFI_WRITE, L"WIFI Setup Setting Suspend!\n"},
                {SETTINGS_REMOTE_WRITE, L"Remote Control WIFI(0xK791) Setup Setting Suspend!\n"},
            };
            LogFirstFlagged(m_frame, kSuspend, nFlags);
            return 0;
        }
        static const FlagLine kSucceed[] = {
            {SETTINGS_CLOCK_WRITE, L"Clock Setting Succeed!\n"},
            {SETTINGS_CALIBRATION_WRITE, L"Clock Calibration Setting Succeed!\n"},
            {SETTINGS_SUMMER_WRITE, L"Summer/Winter Time Writing Succeed!\n"},
            {SETTINGS_WIFI_WRITE, L"WIFI Setup Writing Succeed!\n"},
            {SETTINGS_REMOTE_WRITE, L"Remote Control WIFI Setup Writing Succeed!\n"},
            {SETTINGS_CLOCK_READ, L"Clock Reading Succeeds\n"},
            {SETTINGS_CALIBRATION_READ, L"Clock Calibration Reading Succeeds\n"},
        };
        LogFirstFlagged(m_frame, kSucceed, nFlags);
        return 2;
    });
}

void CDeviceDispatcher::ReportProgress(int nKind, int nValue)
{
    CTransferProgressDlg& dlg = *m_pProgress;
    if (!dlg.m_hWnd && nKind == 2 && nValue >= 0 && nValue <= 100)
        ShowDeviceDialog(DEVICE_DIALOG_PROGRESS);
    if (!dlg.m_hWnd)
        return;
    if (nKind == 2) {
        const int phase = (m_nCurrentOp == DEVICE_OP_DOWNLOAD || m_nCurrentOp == DEVICE_OP_CLEAR) ? 7
                          : m_nCurrentOp == DEVICE_OP_UPLOAD ? 6 : 2;
        dlg.SendMessage(WM_TRANSFER_PROGRESS, WPARAM(nValue), LPARAM(phase));
        if (nValue >= 100)
            dlg.DestroyWindow();
        else if (m_bBusy)
            PumpDuringTransfer();
    } else if (nKind == -1) {
        // The failure text is shown at once; the window goes with it.
        dlg.SendMessage(WM_TRANSFER_PROGRESS, 0, LPARAM(-1));
        dlg.DestroyWindow();
    }
}

void CDeviceDispatcher::PumpDuringTransfer()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(int(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

int CDeviceDispatcher::ShowDeviceDialog(int nKind, BYTE* pBuffer)
{
    switch (nKind) {
    case DEVICE_DIALOG_PASSWORD: {
        CPasswordDlg dlg(&m_frame);
        const INT_PTR answer = dlg.DoModal();
        if (answer != IDOK)
            return 2;
        if (pBuffer)
            for (int i = 0; i < 8 && i < dlg.m_strPassword.GetLength(); ++i)
                pBuffer[i] = BYTE(dlg.m_strPassword[i] & 0xFF);
        return 1;
    }
    case DEVICE_DIALOG_NONE:
        return 1;
    case DEVICE_DIALOG_CLOCK:
        return m_pClock->m_hWnd ? 1 : m_pClock->Create(IDD_SET_CLOCK, &m_frame);
    case DEVICE_DIALOG_SUMMER:
        return m_pSummer->m_hWnd ? 1 : m_pSummer->Create(IDD_SUMMER_TIME, &m_frame);
    case DEVICE_DIALOG_PROGRESS:
        return m_pProgress->m_hWnd ? 1 : m_pProgress->Create(IDD_TRANSFER_PROGRESS, &m_frame);
    case DEVICE_DIALOG_WIFI:
        return m_pWifi->m_hWnd ? 1 : m_pWifi->Create(IDD_WIFI_SETUP, &m_frame);
    case DEVICE_DIALOG_REMOTE:
        return m_pRemote->m_hWnd ? 1 : m_pRemote->Create(IDD_REMOTE_WIFI, &m_frame);
    default:
        return -1;
    }
}

void CDeviceDispatcher::OnComConfiguration()
{
    CComConfigDlg dlg(m_engine, &m_frame);
    if (m_frame.m_nComPort > 0)
        dlg.m_nPort = m_frame.m_nComPort;
    if (dlg.DoModal() == IDOK)
        m_frame.m_nComPort = dlg.m_nPort > 0 ? dlg.m_nPort : 0;
}
