// The settings exchanges: device clock and calibration, summer/winter time, WiFi and remote WiFi.
// Each moves one of the engine's settings records to or from the device.
#include "comm/TransferEngine.h"

#include "shell/MainFrame.h"

#include <vector>

namespace {

constexpr int kAnswerBufferSize = 300;  // the WiFi read answer has 243 bytes
constexpr BYTE kWifiModel = 0x52;       // 'R'
constexpr BYTE kRemoteModule = 0x32;    // '2'
constexpr WORD kWifiFirstRegister = 9160;

} // namespace

int CTransferEngine::ReadSettingsBlock(BYTE* pBuffer, int nSize, int nBytes, UINT* pError, int nFlag)
{
    BYTE request[CModBus::kFrameBufferSize];
    int n = 0;
    BYTE function = 3;
    WORD expected = WORD(nBytes + 5);
    switch (nFlag) {
    case SETTINGS_CLOCK_READ: n = m_modbus.BuildReadRequest(301, WORD(nBytes / 2), request); break;
    case SETTINGS_CALIBRATION_READ: n = m_modbus.BuildReadRequest(262, WORD(nBytes / 2), request); break;
    case SETTINGS_WIFI_READ: n = m_modbus.BuildReadRequest(kWifiFirstRegister, WORD(nBytes / 2), request); break;
    case SETTINGS_SUMMER_READ:
        n = m_modbus.BuildMemoryReadRequest(0x200004B8, BYTE(nBytes), request);
        function = 249;
        expected = WORD(nBytes + 9);
        break;
    default: n = m_modbus.BuildReadRequest(0, WORD(nBytes / 2), request); break;
    }
    if (expected > nSize) {
        *pError = 0;
        return 0;
    }
    *pError = 0;
    if (!Exchange(request, n, pBuffer, &expected, pError, 1000))
        return 0;
    // The error stays 0 when the answer is wrong.
    return CheckPassed(function == 249 ? m_modbus.CheckMemoryReadReply(pBuffer, expected)
                                       : m_modbus.CheckReadResponse(pBuffer, expected, 3),
                       pError, 0);
}

int CTransferEngine::WriteSettings(const BYTE* pData, int n, UINT* pError, int nKind, int nFlags,
                                   WORD wRegister)
{
    const bool wifi = (nFlags & SETTINGS_WIFI_WRITE) != 0;
    BYTE function = 0;
    WORD expected = 8;
    LPCTSTR starts = nullptr;
    LPCTSTR error = nullptr;
    switch (nKind) {
    case SETTINGS_CLOCK_WRITE:
        function = 220;
        starts = L"Clock Setting Starts...\n";
        error = L"Clock Setting(RTU Function Code 220) Error!\n";
        break;
    case SETTINGS_CALIBRATION_WRITE:
        function = 234;
        starts = L"Clock Calibration Setting Starts...\n";
        error = L"Clock Calibration(RTU Function Code 234) Error!\n";
        break;
    default:
        function = 233;
        expected = 16;
        starts = wifi ? L"WIFI Setup Setting Starts...\n" : L"Summer/Winter Time Writing Starts...\n";
        error = wifi ? L"WIFI Config Setting(RTU Function Code 233) Error!\n"
                     : L"Summer/Winter Time Setting(RTU Function Code 233) Error!\n";
        break;
    }
    BYTE request[CModBus::kFrameBufferSize];
    const int length = m_modbus.BuildSettingRequest(pData, n, request, function, wRegister);
    if (length <= 0 || !m_frame.WritePort(request, WORD(length), pError))
        return 0;
    Log(starts);
    BYTE answer[CModBus::kFrameBufferSize] = {};
    if (!m_frame.ReadAnswer(answer, &expected, pError, 3000) ||
        !m_modbus.CheckSettingReply(answer, expected, function)) {
        Log(error);
        return 0;
    }
    return 1;
}

int CTransferEngine::WriteClock(UINT* pError)
{
    BYTE id[20];
    if (!ReadDeviceId(id, sizeof id, pError))
        return 0;
    const std::vector<BYTE> data = EncodeClock(m_clock, id[3]);
    return WriteSettings(data.data(), int(data.size()), pError, SETTINGS_CLOCK_WRITE, 0,
                         WORD((id[3] << 8) | id[4]));
}

int CTransferEngine::WriteCalibration(UINT* pError)
{
    const std::vector<BYTE> data = EncodeCalibration(m_clock.nCalibration);
    return WriteSettings(data.data(), int(data.size()), pError, SETTINGS_CALIBRATION_WRITE, 0, 0);
}

int CTransferEngine::WriteSummerTime(UINT* pError, int nFlags)
{
    const auto data = EncodeSummerTime(m_summer);
    return WriteSettings(data.data(), int(data.size()), pError, SETTINGS_SUMMER_WRITE, nFlags, 0);
}

int CTransferEngine::WriteWifi(UINT* pError)
{
    BYTE id[140];
    if (!ReadDeviceId(id, sizeof id, pError) || !CheckMachineType(id, kWifiModel, pError))
        return 0;
    const std::vector<WORD> regs = EncodeWifi(m_wifi);
    BYTE request[CModBus::kFrameBufferSize];
    for (std::size_t i = 0; i < regs.size(); ++i) {
        const BYTE value[2] = {BYTE(regs[i] >> 8), BYTE(regs[i] & 0xFF)};
        const int n = m_modbus.BuildWriteSingleRequest(WORD(kWifiFirstRegister + i), value, request);
        if (!ExchangeWrite(request, n, pError, 3000))
            return 0;
    }
    return WriteSummerTime(pError, SETTINGS_WIFI_WRITE);
}

int CTransferEngine::WriteRemoteWifi(UINT* pError)
{
    BYTE id[200];
    if (!ReadDeviceId(id, sizeof id, pError) || !CheckMachineType(id, kRemoteModule, pError))
        return 0;
    std::vector<BYTE> block = EncodeRemoteWifi(m_remote);
    for (std::size_t i = 0; i + 1 < block.size(); i += 2)
        std::swap(block[i], block[i + 1]);
    Progress(2, 0);
    BYTE request[CModBus::kFrameBufferSize];
    const int n = m_modbus.BuildWriteMultipleRequest(0, WORD(block.size() / 2), block.data(), request);
    if (!ExchangeWrite(request, n, pError, 30000)) {
        Progress(-1, 0);
        return 0;
    }
    Progress(2, 100);
    Progress(-1, 0);
    return 1;
}

int CTransferEngine::ReadClock(UINT* pError)
{
    BYTE answer[kAnswerBufferSize];
    if (!ReadSettingsBlock(answer, sizeof answer, 12, pError, SETTINGS_CLOCK_READ))
        return 0;
    DecodeClock(answer + 3, m_clock);
    if (m_clockChanged)
        m_clockChanged();
    return 1;
}

int CTransferEngine::ReadCalibration(UINT* pError)
{
    BYTE answer[kAnswerBufferSize];
    if (!ReadSettingsBlock(answer, sizeof answer, 4, pError, SETTINGS_CALIBRATION_READ))
        return 0;
    m_clock.nCalibration = DecodeCalibration(answer + 3);
    if (m_clockChanged)
        m_clockChanged();
    return 1;
}

int CTransferEngine::ReadSummerTime(UINT* pError)
{
    BYTE answer[kAnswerBufferSize];
    if (!ReadSettingsBlock(answer, sizeof answer, 12, pError, SETTINGS_SUMMER_READ))
        return 0;
    DecodeSummerTime(answer + 7, m_summer);
    return 1;
}

int CTransferEngine::ReadWifi(UINT* pError)
{
    BYTE id[30];
    if (!ReadDeviceId(id, sizeof id, pError) || !CheckMachineType(id, kWifiModel, pError))
        return 0;
    if (!ReadSummerTime(pError))
        return 0;
    BYTE answer[kAnswerBufferSize];
    if (!ReadSettingsBlock(answer, sizeof answer, 238, pError, SETTINGS_WIFI_READ))
        return 0;
    std::vector<WORD> regs(119);
    for (std::size_t i = 0; i < regs.size(); ++i)
        regs[i] = WORD((answer[3 + 2 * i] << 8) | answer[4 + 2 * i]);
    DecodeWifi(regs, m_wifi);
    return 1;
}

int CTransferEngine::ReadRemoteWifi(UINT* pError)
{
    BYTE id[30];
    if (!ReadDeviceId(id, sizeof id, pError) || !CheckMachineType(id, kRemoteModule, pError))
        return 0;
    BYTE answer[kAnswerBufferSize];
    if (!ReadSettingsBlock(answer, sizeof answer, 148, pError, SETTINGS_REMOTE_READ))
        return 0;
    std::vector<BYTE> block(answer + 3, answer + 3 + 148);
    for (std::size_t i = 0; i + 1 < block.size(); i += 2)
        std::swap(block[i], block[i + 1]);
    DecodeRemoteWifi(block, m_remote);
    return 1;
}

int CTransferEngine::ExchangeSettings(int nFlags)
{
    UINT error = 0;
    int ok = 1;
    if (nFlags & SETTINGS_CLOCK_WRITE)
        ok = WriteClock(&error);
    else if (nFlags & SETTINGS_CALIBRATION_WRITE)
        ok = WriteCalibration(&error);
    else if (nFlags & SETTINGS_WIFI_WRITE)
        ok = WriteWifi(&error);
    else if (nFlags & SETTINGS_SUMMER_WRITE)
        ok = WriteSummerTime(&error, nFlags);
    else if (nFlags & SETTINGS_REMOTE_WRITE)
        ok = WriteRemoteWifi(&error);
    else if (nFlags & SETTINGS_CLOCK_READ)
        ok = ReadClock(&error);
    else if (nFlags & SETTINGS_CALIBRATION_READ)
        ok = ReadCalibration(&error);
    else if (nFlags & SETTINGS_SUMMER_READ)
        ok = ReadSummerTime(&error);
    else if (nFlags & SETTINGS_WIFI_READ)
        ok = ReadWifi(&error);
    else if (nFlags & SETTINGS_REMOTE_READ)
        ok = ReadRemoteWifi(&error);
    return ok ? 2 : 0;
}
