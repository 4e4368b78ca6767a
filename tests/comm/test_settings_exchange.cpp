// The settings exchanges against the emulated device, and the wire layouts they use.
#include "tests/comm/TransferFixture.h"

#include <gtest/gtest.h>

namespace {

using DF = DeviceEmulator::FaultKind;

std::vector<BYTE> LastRequest(DeviceEmulator& device, int function)
{
    const auto requests = device.Requests();
    for (auto it = requests.rbegin(); it != requests.rend(); ++it)
        if ((*it)[1] == function)
            return *it;
    return {};
}

} // namespace

TEST(SettingsLayout, ClockCalibrationSummerAndRemoteBlocks)
{
    ClockSettings c;
    c.nYear = 2027;
    c.nDayOfWeek = 3;
    EXPECT_EQ(EncodeClock(c, 0x21).size(), 12u);
    EXPECT_EQ(EncodeClock(c, 0x51).size(), 14u);
    EXPECT_EQ(EncodeClock(c, 0x51)[1], 3) << "day of week first";
    EXPECT_EQ(EncodeClock(c, 0x10).size(), 0u);
    EXPECT_EQ(EncodeCalibration(-7), (std::vector<BYTE>{0, 1, 0, 7}));
    EXPECT_EQ(EncodeCalibration(30), (std::vector<BYTE>{0, 0, 0, 30}));

    // Summer/winter modes: off, freely adjustable, presets; a read of mode 0 keeps the preset.
    struct { BOOL active; int preset; BYTE mode; } modes[] = {{FALSE, 3, 0}, {TRUE, 6, 1}, {TRUE, 0, 2}, {TRUE, 5, 7}};
    for (const auto& m : modes) {
        SummerTimeSettings s;
        s.bActive = m.active;
        s.nPreset = m.preset;
        EXPECT_EQ(EncodeSummerTime(s)[0], m.mode);
        BYTE memory[12] = {m.mode};
        SummerTimeSettings back;
        back.nPreset = 4;
        DecodeSummerTime(memory, back);
        EXPECT_EQ(back.bActive, m.active);
        EXPECT_EQ(back.nPreset, m.active ? m.preset : 4);
    }

    // A three-digit key fills bytes 120..131 and closes with 0 and 10; "10min" sends 6000.
    RemoteWifiSettings r;
    r.strKey = L"361";
    r.nSleepMode = 5;
    const std::vector<BYTE> block = EncodeRemoteWifi(r);
    ASSERT_EQ(block.size(), 148u);
    EXPECT_EQ(std::vector<BYTE>(block.begin() + 120, block.begin() + 136),
              (std::vector<BYTE>{0, 0x80, 4, 0, 0, 0x80, 32, 0, 0, 0x80, 1, 0, 0, 0, 10, 0}));
    EXPECT_EQ(block[118] | (block[119] << 8), 6000);
    EXPECT_EQ(block[32], 0) << "name ends";
    EXPECT_EQ(block[6], 0x0A);
    RemoteWifiSettings back;
    DecodeRemoteWifi(block, back);
    EXPECT_EQ(back.strKey, CString(L"361"));
    EXPECT_EQ(back.strSsid, r.strSsid);
    EXPECT_EQ(back.nSleepMode, 5);
    // Sleep values the module may report between the list's steps.
    for (auto [value, index] : {std::pair{900, 3}, {0, 0}, {300, 1}, {3000, 4}, {9000, 5}}) {
        std::vector<BYTE> b = block;
        b[118] = BYTE(value & 0xFF);
        b[119] = BYTE(value >> 8);
        DecodeRemoteWifi(b, back);
        EXPECT_EQ(back.nSleepMode, index) << value;
    }
}

TEST_F(TransferTest, ClockAndCalibrationGoToTheDeviceAndComeBack)
{
    for (BYTE type : {BYTE(0x21), BYTE(0x51)}) {
        device.Device()->machineType = type;
        engine.m_clock = ClockSettings{2027, 6, 15, 2, 13, 45, 30, -7};
        ASSERT_EQ(engine.ExchangeSettings(SETTINGS_CLOCK_WRITE), 2);
        EXPECT_EQ(LastRequest(device, 220).size(), type == 0x51 ? 23u : 21u);
        ASSERT_EQ(engine.ExchangeSettings(SETTINGS_CALIBRATION_WRITE), 2);
        EXPECT_EQ(LastRequest(device, 234), (std::vector<BYTE>{0, 234, 0, 1, 0, 7, 0x09, 0xCE}));
        int refreshed = 0;
        engine.m_clockChanged = [&] { ++refreshed; };
        engine.m_clock = ClockSettings{};
        ASSERT_EQ(engine.ExchangeSettings(SETTINGS_CLOCK_READ), 2);
        ASSERT_EQ(engine.ExchangeSettings(SETTINGS_CALIBRATION_READ), 2);
        EXPECT_EQ(refreshed, 2);
        EXPECT_EQ(engine.m_clock.nYear, 2027);
        EXPECT_EQ(engine.m_clock.nMonth, 6);
        EXPECT_EQ(engine.m_clock.nSecond, 30);
        EXPECT_EQ(engine.m_clock.nCalibration, -7);
    }
    EXPECT_TRUE(Logged(L"Clock Setting Starts...\n"));

    // A silent device leaves the values as they were.
    frame.clockStep = 200;
    device.AddFault(DeviceEmulator::Fault(DF::Silence, 0, 3));
    engine.m_clock.nYear = 2030;
    EXPECT_EQ(engine.ExchangeSettings(SETTINGS_CLOCK_READ), 0);
    EXPECT_EQ(engine.m_clock.nYear, 2030);
}

TEST_F(TransferTest, SummerTimeAndWifiOfAWifiModel)
{
    device.Device()->machineType = 0x52;
    engine.m_summer = SummerTimeSettings{TRUE, 27, 10, 30, 3, 60, 6};
    ASSERT_EQ(engine.ExchangeSettings(SETTINGS_SUMMER_WRITE), 2);
    engine.m_wifi.strSsid = L"Plant7";
    engine.m_wifi.strPassword = L"secret123";
    engine.m_wifi.nDeviceMode = 4;
    engine.m_wifi.nDeviceId = 200;
    engine.m_wifi.ip = {10, 0, 0, 7};
    engine.m_wifi.nAddressMode = 1;
    engine.m_wifi.nLocalPort = 65535;
    ASSERT_EQ(engine.ExchangeSettings(SETTINGS_WIFI_WRITE), 2);
    EXPECT_EQ(device.CountRequests(6), 113);
    EXPECT_EQ(LastRequest(device, 233).size(), 16u) << "the WiFi write ends with the summer/winter frame";
    EXPECT_TRUE(Logged(L"WIFI Setup Setting Starts...\n"));

    const WifiSettings written = engine.m_wifi;
    engine.m_wifi = WifiSettings{};
    engine.m_summer = SummerTimeSettings{};
    ASSERT_EQ(engine.ExchangeSettings(SETTINGS_WIFI_READ), 2);
    EXPECT_EQ(engine.m_wifi.strSsid, written.strSsid);
    EXPECT_EQ(engine.m_wifi.strPassword, written.strPassword);
    EXPECT_EQ(engine.m_wifi.nDeviceMode, 4);
    EXPECT_EQ(engine.m_wifi.nDeviceId, 200u);
    EXPECT_EQ(engine.m_wifi.nLocalPort, 65535u);
    EXPECT_EQ(engine.m_wifi.ip, written.ip);
    EXPECT_EQ(engine.m_wifi.strMac, CString(L"A1-B2-C3-D4-E5-F6"));
    // The read brought the summer/winter rule along.
    EXPECT_TRUE(engine.m_summer.bActive);
    EXPECT_EQ(engine.m_summer.nPreset, 6);
    EXPECT_EQ(engine.m_summer.nEndDay, 27);
    EXPECT_EQ(engine.m_summer.nStartMonth, 3);
    EXPECT_EQ(engine.m_summer.nDifference, 60);

    // Another model gets nothing after its identification.
    device.Device()->machineType = 0x51;
    const auto before = device.Requests().size();
    EXPECT_EQ(engine.ExchangeSettings(SETTINGS_WIFI_WRITE), 0);
    EXPECT_EQ(device.Requests().size(), before + 1);
    EXPECT_TRUE(Logged(L"Machine type mismatch Error!\n"));
}

TEST_F(TransferTest, RemoteModuleSettingsAndFactoryReset)
{
    device.Device()->machineType = 0x32;
    engine.m_remote.strSsid = L"Remote9";
    engine.m_remote.strKey = L"642";
    engine.m_remote.nLedOnTime = 9999;
    engine.m_remote.nTxPower = 11;
    engine.m_remote.nSleepMode = 2;
    ASSERT_EQ(engine.ExchangeSettings(SETTINGS_REMOTE_WRITE), 2);
    EXPECT_EQ(LastRequest(device, 16).size(), 157u);
    EXPECT_EQ(frame.progress.back(), std::make_pair(-1, 0));

    const RemoteWifiSettings written = engine.m_remote;
    engine.m_remote = RemoteWifiSettings{};
    ASSERT_EQ(engine.ExchangeSettings(SETTINGS_REMOTE_READ), 2);
    EXPECT_EQ(engine.m_remote.strSsid, written.strSsid);
    EXPECT_EQ(engine.m_remote.strPassword, written.strPassword);
    EXPECT_EQ(engine.m_remote.strKey, CString(L"642"));
    EXPECT_EQ(engine.m_remote.nLedOnTime, 9999);
    EXPECT_EQ(engine.m_remote.nTxPower, 11);
    EXPECT_EQ(engine.m_remote.nSleepMode, 2);

    EXPECT_EQ(engine.FactoryResetRemote(), 1);
    EXPECT_EQ(device.Device()->factoryResets, 1);
    EXPECT_TRUE(Logged(L"Remote Control WIFI(0xK791) Factory Reset Setting Succeeds\n"));
    ASSERT_EQ(engine.ExchangeSettings(SETTINGS_REMOTE_READ), 2);
    EXPECT_TRUE(engine.m_remote.strSsid.IsEmpty()) << "the factory block is empty";
}
