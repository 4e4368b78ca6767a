// CTransferEngine: the device exchanges of the main frame. It downloads a program, uploads one
// into a new document, clears the device, identifies it, moves the clock, summer/winter time and
// WiFi settings and resets a remote WiFi module. Every exchange goes through the frame's open
// port (CMainFrame::WritePort / ReadAnswer) and reports through the frame's PortLog,
// PortMessageBox and PortProgress. Steps return 1 or 0 and set the caller's link error: 0 when
// the device answered wrongly, 8900 for a wrong device, 9000 and above for a time-out or an
// exception answer, other values system errors of the port.
#pragma once

#include "comm/DeviceSettings.h"
#include "comm/ModBus.h"
#include "platform/base/WinTypes.h"

#include <functional>
#include <vector>

class CMainFrame;
class CTavixCoreRule;
class CTavixDoc;

// Flag bits of the settings exchange; one exchange per call.
enum SettingsFlags {
    SETTINGS_CLOCK_WRITE = 0x1,
    SETTINGS_CLOCK_READ = 0x2,
    SETTINGS_SUMMER_WRITE = 0x4,
    SETTINGS_SUMMER_READ = 0x8,
    SETTINGS_CALIBRATION_WRITE = 0x10,
    SETTINGS_CALIBRATION_READ = 0x20,
    SETTINGS_WIFI_WRITE = 0x40,
    SETTINGS_WIFI_READ = 0x80,
    SETTINGS_REMOTE_WRITE = 0x100,
    SETTINGS_REMOTE_READ = 0x200,
};

// Link error codes besides the system's.
enum : UINT {
    LINK_ERROR_MACHINE_TYPE = 8900,
    LINK_ERROR_TIMEOUT = 9000,
    LINK_ERROR_EXCEPTION = 9011,
};

class CTransferEngine
{
public:
    explicit CTransferEngine(CMainFrame& frame);
    ~CTransferEngine();
    CTransferEngine(const CTransferEngine&) = delete;
    CTransferEngine& operator=(const CTransferEngine&) = delete;

    // ---- what the engine is given ----
    // The records the settings exchanges read and fill (the settings dialogs' data).
    ClockSettings m_clock;
    SummerTimeSettings m_summer;
    WifiSettings m_wifi;
    RemoteWifiSettings m_remote;
    // Pauses between steps (the device needs them); tests shorten them.
    std::function<void(int ms)> m_wait;
    // Asks the upload password: fills 8 bytes (0xFF where nothing was typed); 1 OK, 2 cancel.
    std::function<int(BYTE* password)> m_askPassword;
    // Opens the new document an upload is drawn into; null when none could be opened.
    std::function<CTavixDoc*()> m_newDocument;
    // Closes a document the upload could not complete, without asking to save it.
    std::function<void(CTavixDoc*)> m_discardDocument;
    // Called after a read changed m_clock (clock or calibration), so an open dialog shows it.
    std::function<void()> m_clockChanged;

    // The time a download writes into the image; the PC's clock when null.
    const SYSTEMTIME* m_pCompileTime = nullptr;
    // Counts the function blocks by their option bits 2, 1 and 0 into the document, for the
    // image's record of them.
    static void CountOptionBits(CTavixDoc* pDoc);

    // Password dialog result of the last upload: 1 OK, 2 cancelled, 0 refused by the device.
    int m_nPasswordResult = 1;
    CModBus m_modbus;

    // ---- download ----
    // Checks before the port opens; shows its own message. 1 transferable.
    int CheckTransferable(CTavixDoc* pDoc);
    // Compiles the document and writes it into the device. 1 done; 0 failed (reported).
    int Download(CTavixDoc* pDoc);
    int TransferImage(CTavixCoreRule& rule, CTavixDoc* pDoc);
    // mode 1 download (the device must be of the document's model), 4 clear.
    int StartDownload(UINT* pError, int nMode, WORD wHardwareCode, WORD wMinFirmware);
    int WriteArea(const BYTE* pData, WORD wFirstRegister, int nBytes, int* pCounter, int nTotal,
                  UINT* pError, BYTE byFunction = 16);
    int VerifyArea(const BYTE* pData, WORD wFirstRegister, int nBytes, int* pCounter, int nTotal,
                   UINT* pError, BYTE byFunction = 3);
    int EndDownload(UINT* pError, BYTE byResult, int nMode);

    // ---- upload and clear ----
    // Reads the device's program into a new document. 1 done (or nothing to do); 0 failed.
    int Upload();
    int ReceiveImage(CTavixCoreRule& rule);
    int ClearProgram(CTavixDoc* pActive);

    // ---- identification and settings ----
    int ReadDeviceId(BYTE* pBuffer, int nSize, UINT* pError);
    int ReadSettingsBlock(BYTE* pBuffer, int nSize, int nBytes, UINT* pError, int nFlag);
    // 2 success, 0 failure.
    int ExchangeSettings(int nFlags);
    int FactoryResetRemote();
    // Link test of a port: 1 when any 8-byte answer came, 0 otherwise (also when the port did
    // not open).
    int ProbePort(UINT* pError, BYTE byResult, int nPort);

    // Size of the area-0 image and the registers the program areas start at.
    static constexpr int kArea0Bytes = 10240;
    static constexpr WORD kArea0Register = 35840;
    static constexpr WORD kAreaJRegister = 40960;
    static constexpr int kFrameBytes = 128;

private:
    // One request and its answer of `expected` bytes within the deadline; pszSent, when given,
    // is logged once the request went out.
    int Exchange(const BYTE* pRequest, int nLength, BYTE* pAnswer, WORD* pExpected, UINT* pError,
                 int nDeadlineMs, LPCTSTR pszSent = nullptr);
    // A write request and the device's echo of it, which must repeat the request's address,
    // register and count intact (else logged, error 0). pCounter, when given, counts the bytes
    // exchanged.
    int ExchangeWrite(const BYTE* pRequest, int nLength, UINT* pError, int nDeadlineMs,
                      int* pCounter = nullptr);
    // One frame of a program read: kFrameBytes from wRegister by function byFunction, checked
    // (a wrong answer is logged and becomes the error). The data start at pAnswer + 3.
    int ReadFrame(BYTE byFunction, WORD wRegister, BYTE* pAnswer, UINT* pError,
                  int* pCounter = nullptr);
    // 1 when an answer's check gave LINK_OK; otherwise the result is logged, the error becomes
    // nErrorIfNot and 0.
    int CheckPassed(int nCheck, UINT* pError, UINT nErrorIfNot);
    // Runs `frame` over the frames of kFrameBytes that nBytes from wFirstRegister take, in order.
    // 0 at the first frame that fails.
    int ForEachFrame(WORD wFirstRegister, int nBytes, UINT* pError,
                     const std::function<int(int nAt, WORD wRegister)>& frame);
    // The end of a download, upload or clear that failed: the log line, the cable question (left
    // out when the line worked and only the device's data differed) and the failure message.
    // Returns 0.
    int ReportSuspended(LPCTSTR pszLine, UINT nFailedId);
    int WriteSettings(const BYTE* pData, int n, UINT* pError, int nKind, int nFlags, WORD wRegister);
    int CheckMachineType(const BYTE* pId, BYTE byWanted, UINT* pError);
    int WriteClock(UINT* pError);
    int WriteCalibration(UINT* pError);
    int WriteSummerTime(UINT* pError, int nFlags);
    int WriteWifi(UINT* pError);
    int ReadClock(UINT* pError);
    int ReadCalibration(UINT* pError);
    int ReadSummerTime(UINT* pError);
    int ReadWifi(UINT* pError);
    int WriteRemoteWifi(UINT* pError);
    int ReadRemoteWifi(UINT* pError);
    int ClearImage(CTavixCoreRule& rule);
    int EndUpload(BYTE byResult, UINT* pError, int nProgramSize);
    int SendUploadPassword(UINT* pError);
    int StartUpload(CTavixCoreRule& rule, UINT* pError);
    int ReadArea(std::vector<BYTE>& out, BYTE byFunction, WORD wFirstRegister, int nBytes,
                 int nDoneBefore, int nTotal, UINT* pError);
    void PlaceDisplayImage(CTavixCoreRule& rule, CTavixDoc* pDoc);
    void LayOutUploaded(CTavixDoc* pDoc);
    // Shows the series of an uploaded program in the status bar's series label.
    void ShowSeriesOf(CTavixDoc* pDoc);
    void Log(LPCTSTR pszLine);
    void LogResult(int nResult);
    int Box(UINT nStringId, UINT nType);
    void Progress(int nKind, int nValue);
    void Wait(int ms);

    CMainFrame& m_frame;
    WORD m_wUploadMachineType = 0;  // from the last upload start answer
    int m_nUploadProgramBytes = 0;
    int m_nUploadMessageBytes = 0;
    // The running transfer failed because a well-formed read-back differed from what was
    // written: the cable is fine, so the cable question would send the user the wrong way.
    bool m_bDataMismatch = false;
};
