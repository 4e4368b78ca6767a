// CDeviceDispatcher: runs the device operations posted to the main frame (WM_DEVICE_OPERATION).
// Each operation that talks to the device runs inside the port frame: a port is chosen when
// none is, the port is opened, the operation runs synchronously, and the port is closed
// whatever happened. It owns the transfer engine, the settings dialogs and the progress dialog,
// and turns the engine's progress reports into the progress dialog's phases.
#pragma once

#include "comm/TransferEngine.h"
#include "platform/base/WinTypes.h"

#include <functional>
#include <memory>

class CMainFrame;
class CTavixDoc;
class CTransferProgressDlg;
class CSetClockDlg;
class CSummerTimeDlg;
class CWifiSetupDlg;
class CRemoteWifiSetupDlg;

// Operation codes of WM_DEVICE_OPERATION (wParam).
enum DeviceOp {
    DEVICE_OP_DOWNLOAD = 5,
    DEVICE_OP_UPLOAD = 6,
    DEVICE_OP_CLEAR = 12,
    DEVICE_OP_IO_STATUS = 13,
    DEVICE_OP_WIFI_READ = 14,
    DEVICE_OP_CLOCK = 18,
    DEVICE_OP_SUMMER_READ = 19,
    DEVICE_OP_NO_DIALOG = 22,
    DEVICE_OP_SETTINGS = 23,
    DEVICE_OP_REMOTE_READ = 26,
    DEVICE_OP_REMOTE_RESET = 27,
    DEVICE_OP_PROGRESS = 32,
    DEVICE_OP_PROGRESS_CLOSED = 85,
};

// Kinds of ShowDeviceDialog.
enum DeviceDialogKind {
    DEVICE_DIALOG_PASSWORD = 2,
    DEVICE_DIALOG_NONE = 3,
    DEVICE_DIALOG_CLOCK = 4,
    DEVICE_DIALOG_SUMMER = 5,
    DEVICE_DIALOG_PROGRESS = 6,
    DEVICE_DIALOG_WIFI = 7,
    DEVICE_DIALOG_REMOTE = 8,
};

class CDeviceDispatcher
{
public:
    explicit CDeviceDispatcher(CMainFrame& frame);
    ~CDeviceDispatcher();
    CDeviceDispatcher(const CDeviceDispatcher&) = delete;
    CDeviceDispatcher& operator=(const CDeviceDispatcher&) = delete;

    // The handler of WM_DEVICE_OPERATION.
    LRESULT OnDeviceOperation(WPARAM wParam, LPARAM lParam);
    // Progress of a transfer: kind 2 with a percentage, kind -1 for a failure.
    void ReportProgress(int nKind, int nValue);
    // Opens a device dialog by kind; the modeless ones only when their window does not exist.
    // The password dialog (kind 2) fills pBuffer (8 bytes) and returns 1 OK, 2 cancel.
    int ShowDeviceDialog(int nKind, BYTE* pBuffer = nullptr);
    // The port selection dialog; on OK the chosen port becomes the frame's.
    void OnComConfiguration();

    CTransferEngine& Engine() { return m_engine; }
    CTransferProgressDlg& ProgressDialog() { return *m_pProgress; }
    CSetClockDlg& ClockDialog() { return *m_pClock; }
    CSummerTimeDlg& SummerDialog() { return *m_pSummer; }
    CWifiSetupDlg& WifiDialog() { return *m_pWifi; }
    CRemoteWifiSetupDlg& RemoteDialog() { return *m_pRemote; }

    // The DeviceOp being handled or handled last.
    int m_nCurrentOp = 0;
    // Chooses the port when none is chosen yet; by default the port selection dialog.
    std::function<void()> m_choosePort;
    // Runs the I/O status monitor; by default its modal dialog.
    std::function<void()> m_runIoStatus;

private:
    // Opens the port (asking for one when none is chosen), runs `op` and closes the port.
    // Returns what `op` returned, 0 when the port did not open.
    int WithPort(const std::function<int()>& op);
    void Download();
    void ReadThenShow(int nFlag, LPCTSTR starts, LPCTSTR error, LPCTSTR succeeds, int nDialog);
    void Settings(int nFlags);
    // Lets the progress dialog take the user's input while a transfer runs.
    void PumpDuringTransfer();

    CMainFrame& m_frame;
    CTransferEngine m_engine;
    std::unique_ptr<CTransferProgressDlg> m_pProgress;
    std::unique_ptr<CSetClockDlg> m_pClock;
    std::unique_ptr<CSummerTimeDlg> m_pSummer;
    std::unique_ptr<CWifiSetupDlg> m_pWifi;
    std::unique_ptr<CRemoteWifiSetupDlg> m_pRemote;
    bool m_bBusy = false;  // an operation holds the port
};
