// The device settings that the settings dialogs edit and the transfer engine moves to and from
// the device, and their wire layouts. The dialogs hold one record each for their whole life, so
// a read fills the record before the window opens and a write sends what the window left there.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

#include <array>
#include <vector>

// The device clock and its calibration (seconds per week).
struct ClockSettings {
    int nYear = 2026, nMonth = 1, nDay = 1;
    int nDayOfWeek = 0;  // 0 = Sunday
    int nHour = 0, nMinute = 0, nSecond = 0;
    int nCalibration = 0;  // -30..30
};

// The summer/winter time rule.
struct SummerTimeSettings {
    BOOL bActive = FALSE;
    int nEndDay = 1, nEndMonth = 1;
    int nStartDay = 1, nStartMonth = 1;
    int nDifference = 0;  // minutes, 0..180
    int nPreset = 0;      // 0 EU .. 5 New Zealand, 6 freely adjustable
    static constexpr int kFreePreset = 6;
};

// The built-in WiFi module of the WiFi models.
struct WifiSettings {
    int nChannel = 0;
    int nTxPower = 0;
    UINT nLocalPort = 502;
    UINT nRemotePort = 200;
    UINT nDeviceId = 0;
    CString strPassword = L"47261935";
    CString strSsid = L"K4WIFI";
    BOOL bEncryption = FALSE;
    int nDeviceMode = 0;   // 0 Server, 1 Station, 2 Groups, 3 Remote, 4 Slave
    int nAddressMode = 0;  // 0 DHCP, 1 fixed address
    CString strMac;
    std::array<BYTE, 4> ip{192, 169, 1, 1};
    std::array<BYTE, 4> mask{255, 255, 255, 0};
};

// The WiFi module of a remote control unit.
struct RemoteWifiSettings {
    int nTxPower = 0;  // list index; the module's step is index + 1
    CString strMac;
    int nDeviceId = 1;
    CString strPassword = L"47261935";
    CString strSsid = L"K7WIFI";
    int nMode = 0;
    int nSleepMode = 0;  // list index: Disable, 30s, 1min, 2min, 5min, 10min
    int nLedOffTime = 10;
    int nLedOnTime = 10;
    CString strKey = L"315264";  // digits 1-6
    std::array<WORD, 6> macWords{};
};

// ---- wire layouts ----
// Clock write data: seven big-endian words (day of week first) from machine type 0x51 on, six
// (no day of week) for 0x11..0x50, nothing below.
std::vector<BYTE> EncodeClock(const ClockSettings& c, BYTE byMachineType);
// Calibration write data: 0, sign, magnitude high, magnitude low.
std::vector<BYTE> EncodeCalibration(int nCalibration);
// Clock registers 301..306 (year .. second), as big-endian bytes.
void DecodeClock(const BYTE* pData, ClockSettings& c);
// Registers 262 (sign in the low byte) and 263 (magnitude).
int DecodeCalibration(const BYTE* pData);

// The twelve bytes of the summer/winter write and the device mode byte of a rule.
std::array<BYTE, 12> EncodeSummerTime(const SummerTimeSettings& s);
// The twelve bytes of device memory read back.
void DecodeSummerTime(const BYTE* pData, SummerTimeSettings& s);

// The WiFi registers 9160..9272 in host order (113 words) and the read of 9160..9278 (119).
std::vector<WORD> EncodeWifi(const WifiSettings& w);
void DecodeWifi(const std::vector<WORD>& regs, WifiSettings& w);

// The 148-byte remote WiFi block before its word bytes are exchanged, and the reader of a block
// in the same order.
std::vector<BYTE> EncodeRemoteWifi(const RemoteWifiSettings& r);
void DecodeRemoteWifi(const std::vector<BYTE>& block, RemoteWifiSettings& r);

// "%c%c-%c%c-..." of twelve characters, two per word, low byte first.
CString FormatMacWords(const WORD* pWords);
