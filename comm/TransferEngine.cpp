// The transfer engine's common steps: reporting, one request and its answer, the frames of a
// program transfer, the device identification and the link test.
#include "comm/TransferEngine.h"

#include "platform/base/CString.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr UINT kStopIcon = 0x10;      // MB_ICONSTOP
constexpr UINT kQuestionIcon = 0x20;  // MB_ICONQUESTION

} // namespace

CTransferEngine::CTransferEngine(CMainFrame& frame) : m_frame(frame)
{
    m_wait = [](int ms) {
        // A sleeping wait on the monotonic clock: a change of the PC's clock cannot stretch it.
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    };
}

CTransferEngine::~CTransferEngine() = default;

void CTransferEngine::Log(LPCTSTR pszLine)
{
    m_frame.PortLog(pszLine);
}

void CTransferEngine::LogResult(int nResult)
{
    Log(m_modbus.ResultText(nResult) + L"\n");
}

int CTransferEngine::Box(UINT nStringId, UINT nType)
{
    CString text;
    if (!text.LoadString(nStringId))
        text.Format(L"Message %u", nStringId);
    return m_frame.PortMessageBox(text, nType);
}

void CTransferEngine::Progress(int nKind, int nValue)
{
    m_frame.PortProgress(nKind, nValue);
}

void CTransferEngine::Wait(int ms)
{
    if (m_wait)
        m_wait(ms);
}

int CTransferEngine::ReportSuspended(LPCTSTR pszLine, UINT nFailedId)
{
    Progress(-1, 0);
    Log(pszLine);
    if (!m_bDataMismatch)
        Box(IDS_CHECK_CABLE, kQuestionIcon);
    Box(nFailedId, kStopIcon);
    return 0;
}

int CTransferEngine::Exchange(const BYTE* pRequest, int nLength, BYTE* pAnswer, WORD* pExpected,
                              UINT* pError, int nDeadlineMs, LPCTSTR pszSent)
{
    if (nLength <= 0) {
        *pError = 0;
        return 0;
    }
    if (!m_frame.WritePort(pRequest, WORD(nLength), pError))
        return 0;
    if (pszSent)
        Log(pszSent);
    return m_frame.ReadAnswer(pAnswer, pExpected, pError, nDeadlineMs);
}

int CTransferEngine::CheckPassed(int nCheck, UINT* pError, UINT nErrorIfNot)
{
    if (nCheck == LINK_OK)
        return 1;
    LogResult(nCheck);
    *pError = nErrorIfNot;
    return 0;
}

int CTransferEngine::ExchangeWrite(const BYTE* pRequest, int nLength, UINT* pError,
                                   int nDeadlineMs, int* pCounter)
{
    BYTE answer[CModBus::kFrameBufferSize] = {};
    WORD expected = 8;
    if (!Exchange(pRequest, nLength, answer, &expected, pError, nDeadlineMs))
        return 0;
    if (pCounter)
        *pCounter += nLength + expected;
    return CheckPassed(m_modbus.CheckWriteEcho(answer, expected, pRequest), pError, 0);
}

int CTransferEngine::ReadFrame(BYTE byFunction, WORD wRegister, BYTE* pAnswer, UINT* pError,
                               int* pCounter)
{
    BYTE request[CModBus::kFrameBufferSize];
    const int n = m_modbus.BuildReadRequest(wRegister, kFrameBytes / 2, request, byFunction);
    WORD expected = 5 + kFrameBytes;
    if (!Exchange(request, n, pAnswer, &expected, pError, 3000))
        return 0;
    if (pCounter)
        *pCounter += n + expected;
    const int check = m_modbus.CheckReadResponse(pAnswer, expected, byFunction);
    return CheckPassed(check, pError, UINT(check));
}

int CTransferEngine::ForEachFrame(WORD wFirstRegister, int nBytes, UINT* pError,
                                  const std::function<int(int nAt, WORD wRegister)>& frame)
{
    WORD reg = wFirstRegister;
    for (int at = 0; at < nBytes; at += kFrameBytes, reg = WORD(reg + kFrameBytes / 2))
        if (!frame(at, reg))
            return 0;
    return 1;
}

int CTransferEngine::ReadDeviceId(BYTE* pBuffer, int nSize, UINT* pError)
{
    std::fill(pBuffer, pBuffer + nSize, BYTE(0));
    BYTE request[CModBus::kFrameBufferSize];
    const int n = m_modbus.BuildReadRequest(210, 3, request);
    BYTE answer[CModBus::kFrameBufferSize] = {};
    WORD expected = 11;
    if (!Exchange(request, n, answer, &expected, pError, 3000))
        return 0;
    const int result = m_modbus.CheckReadResponse(answer, expected, 3);
    *pError = UINT(result);
    if (result != LINK_OK) {
        LogResult(result);
        return 0;
    }
    std::copy(answer, answer + std::min<int>(expected, nSize), pBuffer);
    return 1;
}

int CTransferEngine::CheckMachineType(const BYTE* pId, BYTE byWanted, UINT* pError)
{
    if (pId[3] == byWanted)
        return 1;
    LogResult(LINK_MACHINE_TYPE_ERROR);
    *pError = LINK_ERROR_MACHINE_TYPE;
    return 0;
}

int CTransferEngine::ProbePort(UINT* pError, BYTE byResult, int nPort)
{
    const int saved = m_frame.m_nComPort;
    m_frame.m_nComPort = nPort;
    int answered = 0;
    // A port that does not open has not answered (its message has been shown).
    if (m_frame.OpenDevicePort()) {
        BYTE request[CModBus::kFrameBufferSize];
        const int n = m_modbus.BuildDownloadDataRequest(byResult, request);
        BYTE answer[CModBus::kFrameBufferSize] = {};
        WORD expected = 8;
        answered = Exchange(request, n, answer, &expected, pError, 3000);
        m_frame.CloseDevicePort();
    }
    m_frame.m_nComPort = saved;
    return answered;
}

int CTransferEngine::FactoryResetRemote()
{
    Log(L"Remote Control WIFI(0xK791) Factory Reset Starts...\n");
    UINT error = 0;
    BYTE id[20];
    if (!ReadDeviceId(id, sizeof id, &error) || !CheckMachineType(id, 0x32, &error))
        return 0;
    auto fail = [&](LPCTSTR line) {
        if (line)
            Log(line);
        Box(IDS_CHECK_CABLE, kQuestionIcon);
        Progress(-1, 0);
        return 0;
    };
    Progress(2, 0);
    BYTE request[CModBus::kFrameBufferSize];
    const int n = m_modbus.BuildReadRequest(666, 1, request);
    if (!m_frame.WritePort(request, WORD(n), &error))
        return fail(L"PC sends to Recontrol Control WIFI(0xK791) Fail!\n");
    BYTE answer[CModBus::kFrameBufferSize] = {};
    WORD expected = 7;
    if (!m_frame.ReadAnswer(answer, &expected, &error, 30000))
        return fail(L"PC receives from Recontrol Control WIFI(0xK791) Fail!\n");
    const int result = m_modbus.CheckReadResponse(answer, expected, 3);
    if (result != LINK_OK) {
        LogResult(result);
        return fail(L"Recontrol Control WIFI(0xK791) received data Error!\n");
    }
    Progress(2, 100);
    Progress(-1, 0);
    Log(L"Remote Control WIFI(0xK791) Factory Reset Setting Succeeds\n");
    return 1;
}
