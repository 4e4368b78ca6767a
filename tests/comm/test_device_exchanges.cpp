// Whole exchanges of the device link, built by the codec, sent through the main frame's port and
// answered by the emulated device.
#include "tests/comm/PortFixture.h"

#include <gtest/gtest.h>

namespace {

WORD WordAt(const std::vector<BYTE>& a, std::size_t at)
{
    return WORD((a[at] << 8) | a[at + 1]);
}

} // namespace

TEST_F(LinkTest, DownloadThenUploadSeesTheProgram)
{
    BYTE request[CModBus::kFrameBufferSize];
    int n = codec.BuildDownloadStartRequest(request);
    Result r = Exchange(request, n, 19);
    ASSERT_EQ(r.ok, 1);
    EXPECT_EQ(codec.CheckDownloadStartReply(r.answer.data(), r.length, 0x5188, 0xC100, 1), LINK_OK);

    // Two frames of 64 registers, then read them back.
    BYTE data[2][128];
    for (int f = 0; f < 2; ++f) {
        for (int i = 0; i < 128; ++i)
            data[f][i] = BYTE(f * 128 + i);
        n = codec.BuildWriteMultipleRequest(WORD(35840 + 64 * f), 64, data[f], request);
        ASSERT_EQ(n, 137);
        r = Exchange(request, n, 8, f == 0 ? 6000 : 3000);
        ASSERT_EQ(r.ok, 1);
        EXPECT_EQ(codec.CheckWriteEcho(r.answer.data(), r.length, request), LINK_OK);
    }
    for (int f = 0; f < 2; ++f) {
        r = Read(WORD(35840 + 64 * f), 64);
        ASSERT_EQ(r.ok, 1);
        ASSERT_EQ(codec.CheckReadResponse(r.answer.data(), r.length, 3), LINK_OK);
        EXPECT_TRUE(std::equal(data[f], data[f] + 128, r.answer.begin() + 3));
    }
    n = codec.BuildDownloadDataRequest(1, request);
    r = Exchange(request, n, 8);
    ASSERT_EQ(r.ok, 1);
    EXPECT_TRUE(codec.CheckDownloadDataReply(r.answer.data(), r.length, 1));

    n = codec.BuildUploadStartRequest(request);
    r = Exchange(request, n, 19);
    ASSERT_EQ(r.ok, 1);
    EXPECT_EQ(codec.CheckUploadStartReply(r.answer.data(), r.length), 1);
    EXPECT_EQ(WordAt(r.answer, 13), 128) << "program size in words";
}

TEST_F(LinkTest, UploadStartReportsPasswordAndEmptyPrograms)
{
    BYTE request[CModBus::kFrameBufferSize];
    struct Case { const char* typed; WORD words; int want; };
    for (const Case& c : {Case{"", 128, 1}, Case{"ABC", 128, 2}, Case{"", 0xFFFF, LINK_NO_PROGRAM},
                          Case{"", 100, LINK_REGISTER_COUNT_ERROR}}) {
        device.Device()->SetPassword(c.typed);
        device.Device()->programWords = c.words;
        const int n = codec.BuildUploadStartRequest(request);
        const Result r = Exchange(request, n, 19);
        ASSERT_EQ(r.ok, 1);
        EXPECT_EQ(codec.CheckUploadStartReply(r.answer.data(), r.length), c.want) << c.typed;
    }
    // The password goes pairwise exchanged; only the right one is accepted.
    const BYTE right[8] = {'B', 'A', 0xFF, 'C', 0xFF, 0xFF, 0xFF, 0xFF};
    const BYTE wrong[8] = {'A', 'B', 'C', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    device.Device()->SetPassword("ABC");
    for (const BYTE* pw : {wrong, right}) {
        const int n = codec.BuildFc110Request(pw, request);
        const Result r = Exchange(request, n, 7);
        ASSERT_EQ(r.ok, 1);
        EXPECT_EQ(codec.CheckFc110Reply(r.answer.data(), r.length), pw == right ? TRUE : FALSE);
    }
}

TEST_F(LinkTest, SettingsAreStoredAndReadBack)
{
    BYTE request[CModBus::kFrameBufferSize];
    // Clock of a new-family device: day of week, then year .. second.
    const BYTE clock[14] = {0, 4, 0x07, 0xEA, 0, 12, 0, 10, 0, 13, 0, 45, 0, 30};
    int n = codec.BuildSettingRequest(clock, 14, request, 220, 0x5188);
    Result r = Exchange(request, n, 8);
    ASSERT_EQ(r.ok, 1);
    EXPECT_TRUE(codec.CheckSettingReply(r.answer.data(), r.length, 220));
    r = Read(301, 6);
    ASSERT_EQ(r.ok, 1);
    EXPECT_EQ(WordAt(r.answer, 3), 2026);
    EXPECT_EQ(WordAt(r.answer, 13), 30);

    // Calibration of -7 seconds a week.
    const BYTE calibration[4] = {0, 1, 0, 7};
    n = codec.BuildSettingRequest(calibration, 4, request, 234, 0);
    r = Exchange(request, n, 8);
    ASSERT_EQ(r.ok, 1);
    EXPECT_TRUE(codec.CheckSettingReply(r.answer.data(), r.length, 234));
    r = Read(262, 2);
    ASSERT_EQ(r.ok, 1);
    EXPECT_EQ(WordAt(r.answer, 3), 1);
    EXPECT_EQ(WordAt(r.answer, 5), 7);

    // Summer/winter time: written in one layout, read from device memory in another.
    const BYTE summer[12] = {7, 0, 0, 0, 4, 5, 9, 30, 60, 0, 0, 0};
    n = codec.BuildSettingRequest(summer, 12, request, 233, 0);
    r = Exchange(request, n, 16);
    ASSERT_EQ(r.ok, 1);
    EXPECT_TRUE(codec.CheckSettingReply(r.answer.data(), r.length, 233));
    n = codec.BuildMemoryReadRequest(0x200004B8, 12, request);
    r = Exchange(request, n, 21);
    ASSERT_EQ(r.ok, 1);
    EXPECT_EQ(codec.CheckMemoryReadReply(r.answer.data(), r.length), LINK_OK);
    EXPECT_EQ(std::vector<BYTE>(r.answer.begin() + 7, r.answer.begin() + 19),
              (std::vector<BYTE>{7, 0, 4, 0, 5, 0, 9, 0, 30, 0, 60, 0}));
}

TEST_F(LinkTest, WifiRegistersAndTheirReadOnlyMac)
{
    device.Device()->machineType = 0x52;
    BYTE request[CModBus::kFrameBufferSize];
    const BYTE mode[2] = {0, 1};
    int n = codec.BuildWriteSingleRequest(9160, mode, request);
    Result r = Exchange(request, n, 8);
    ASSERT_EQ(r.ok, 1);
    EXPECT_EQ(codec.CheckWriteEcho(r.answer.data(), r.length, request), LINK_OK);

    r = Read(9160, 119);
    ASSERT_EQ(r.ok, 1);
    ASSERT_EQ(r.length, 243);
    EXPECT_EQ(codec.CheckReadResponse(r.answer.data(), r.length, 3), LINK_OK);
    EXPECT_EQ(WordAt(r.answer, 3), 1);
    // MAC characters two per register, low byte first.
    EXPECT_EQ(r.answer[3 + 2 * 113 + 1], 'A');
    EXPECT_EQ(r.answer[3 + 2 * 113], '1');

    n = codec.BuildWriteSingleRequest(9273, mode, request);
    r = Exchange(request, n, 8, 300);
    EXPECT_EQ(r.error, 9011u) << "the MAC refuses writes with an exception";
}

TEST_F(LinkTest, RemoteModuleFactoryReset)
{
    device.Device()->machineType = 0x32;
    for (int i = 0; i < 74; ++i)
        device.Device()->holding[std::size_t(i)] = WORD(0x1100 + i);
    device.Device()->remoteFactoryBlock[0] = 0x4142;
    const Result r = Read(666, 1, 3, 30000);
    ASSERT_EQ(r.ok, 1);
    ASSERT_EQ(r.length, 7);
    EXPECT_EQ(codec.CheckReadResponse(r.answer.data(), r.length, 3), LINK_OK);
    EXPECT_EQ(device.Device()->factoryResets, 1);
    EXPECT_EQ(device.Device()->holding[0], 0x4142);
    EXPECT_EQ(device.Device()->holding[73], 0);
}

TEST_F(LinkTest, MonitorReadsAtTheDialogAddress)
{
    {
        auto d = device.Device();
        d->slaveAddress = 5;
        d->discretes[1] = 1;
        d->coils[256 + 9] = 1;
        d->inputs[500] = 0xFFFF;
        d->holding[564] = 1234;
    }
    codec.m_byAddress = 5;
    BYTE request[CModBus::kFrameBufferSize];
    struct Case { BYTE fc; WORD reg; WORD count; WORD length; std::size_t at; BYTE want; };
    const Case cases[] = {
        {2, 0, 128, 21, 3, 0x02},     // inputs I: bit 1
        {1, 256, 128, 21, 4, 0x02},   // outputs Q: bit 9
        {4, 500, 64, 133, 3, 0xFF},   // analog inputs
        {3, 564, 32, 69, 4, 0xD2},    // analog outputs: 1234 = 0x04D2
    };
    for (const Case& c : cases) {
        const int n = codec.BuildReadRequest(c.reg, c.count, request, c.fc);
        const Result r = Exchange(request, n, c.length);
        ASSERT_EQ(r.ok, 1) << int(c.fc);
        EXPECT_EQ(codec.CheckReadResponse(r.answer.data(), r.length, c.fc), LINK_OK);
        EXPECT_EQ(r.answer[0], 5);
        EXPECT_EQ(r.answer[c.at], c.want) << int(c.fc);
    }
    // A device at another address stays silent.
    codec.m_byAddress = 6;
    const int n = codec.BuildReadRequest(301, 6, request);
    EXPECT_EQ(Exchange(request, n, 17, 300).error, 9000u);
}
