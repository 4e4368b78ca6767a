#include "comm/ModBus.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes Build(const std::function<int(CModBus&, BYTE*)>& build, BYTE address = 0)
{
    CModBus codec;
    codec.m_byAddress = address;
    BYTE buffer[CModBus::kFrameBufferSize] = {};
    const int n = build(codec, buffer);
    return n < 0 ? Bytes{} : Bytes(buffer, buffer + n);
}

} // namespace

TEST(ModBusRequests, FramesOfTheDeviceLink)
{
    const BYTE password[8] = {'B', 'A', 0xFF, 'C', 0xFF, 0xFF, 0xFF, 0xFF};
    const BYTE calibration[4] = {0x00, 0x01, 0x00, 0x07};
    struct Case { const char* name; std::function<int(CModBus&, BYTE*)> build; Bytes want; };
    const Case cases[] = {
        {"identification", [](CModBus& c, BYTE* b) { return c.BuildReadRequest(210, 3, b); },
         {0x00, 0x03, 0x00, 0xD2, 0x00, 0x03, 0xA4, 0x23}},
        {"download start", [](CModBus& c, BYTE* b) { return c.BuildDownloadStartRequest(b); },
         {0x00, 0x64, 0x00, 0x00, 0x00, 0x01, 0xB0, 0x13}},
        {"download end ok", [](CModBus& c, BYTE* b) { return c.BuildDownloadDataRequest(1, b); },
         {0x00, 0x65, 0x00, 0x00, 0x00, 0x01, 0x8D, 0xD3}},
        {"link test", [](CModBus& c, BYTE* b) { return c.BuildDownloadDataRequest(0, b); },
         {0x00, 0x65, 0x00, 0x00, 0x00, 0x00, 0x4C, 0x13}},
        {"upload start", [](CModBus& c, BYTE* b) { return c.BuildUploadStartRequest(b); },
         {0x00, 0x66, 0x00, 0x00, 0x00, 0x01, 0xC9, 0xD3}},
        {"upload end ok", [](CModBus& c, BYTE* b) { return c.BuildUploadDataRequest(1, b); },
         {0x00, 0x67, 0x00, 0x00, 0x00, 0x01, 0xF4, 0x13}},
        {"clock read", [](CModBus& c, BYTE* b) { return c.BuildReadRequest(301, 6, b); },
         {0x00, 0x03, 0x01, 0x2D, 0x00, 0x06, 0x55, 0xEC}},
        {"wifi read", [](CModBus& c, BYTE* b) { return c.BuildReadRequest(9160, 119, b); },
         {0x00, 0x03, 0x23, 0xC8, 0x00, 0x77, 0x8E, 0x47}},
        {"factory reset", [](CModBus& c, BYTE* b) { return c.BuildReadRequest(666, 1, b); },
         {0x00, 0x03, 0x02, 0x9A, 0x00, 0x01, 0xA4, 0x4C}},
        {"message verify", [](CModBus& c, BYTE* b) { return c.BuildReadRequest(0, 64, b, 121); },
         {0x00, 0x79, 0x00, 0x00, 0x00, 0x40, 0x9C, 0x21}},
        {"summer/winter memory",
         [](CModBus& c, BYTE* b) { return c.BuildMemoryReadRequest(0x200004B8, 12, b); },
         {0x00, 0xF9, 0x20, 0x00, 0x04, 0xB8, 0x0C, 0xBD, 0x6A}},
        {"password ABC",
         [&](CModBus& c, BYTE* b) { return c.BuildFc110Request(password, b); },
         {0x00, 0x6E, 0x00, 0x00, 0x00, 0x04, 0x08, 0x42, 0x41, 0xFF, 0x43, 0xFF, 0xFF, 0xFF,
          0xFF, 0x8D, 0xBD}},
        {"calibration -7",
         [&](CModBus& c, BYTE* b) { return c.BuildSettingRequest(calibration, 4, b, 234, 0); },
         {0x00, 0xEA, 0x00, 0x01, 0x00, 0x07, 0x09, 0xCE}},
        {"unknown setting", [&](CModBus& c, BYTE* b) { return c.BuildSettingRequest(calibration, 4, b, 235, 0); },
         {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Build(c.build), c.want) << c.name;
}

TEST(ModBusRequests, AddressLeadsEveryFrame)
{
    const Bytes frame = Build([](CModBus& c, BYTE* b) { return c.BuildReadRequest(500, 64, b, 4); }, 7);
    ASSERT_EQ(frame.size(), 8u);
    EXPECT_EQ(frame[0], 7);
    EXPECT_EQ(frame[1], 4);
    EXPECT_TRUE(CModBus::IsCRCValid(frame.data(), 8));
}

TEST(ModBusRequests, WriteMultipleFitsTheFrameBufferOrIsRefused)
{
    BYTE data[200];
    for (int i = 0; i < 200; ++i)
        data[i] = BYTE(i);
    struct Case { WORD count; int want; };
    const Case cases[] = {{64, 137}, {74, 157}, {76, 161}, {77, -1}, {127, -1}};
    for (const Case& c : cases) {
        BYTE buffer[CModBus::kFrameBufferSize + 64];
        std::memset(buffer, 0xEE, sizeof buffer);
        CModBus codec;
        EXPECT_EQ(codec.BuildWriteMultipleRequest(35840, c.count, data, buffer), c.want)
            << c.count << " registers";
        if (c.want < 0) {
            EXPECT_EQ(buffer[0], 0xEE) << "a refused frame writes nothing";
            continue;
        }
        EXPECT_EQ(buffer[1], 16);
        EXPECT_EQ(buffer[2], 0x8C);
        EXPECT_EQ(buffer[5], c.count);
        EXPECT_EQ(buffer[6], 2 * c.count);
        EXPECT_EQ(buffer[7 + 2 * c.count - 1], data[2 * c.count - 1]);
        EXPECT_TRUE(CModBus::IsCRCValid(buffer, c.want));
        EXPECT_EQ(buffer[CModBus::kFrameBufferSize], 0xEE) << "nothing behind the frame buffer";
    }
}

TEST(ModBusRequests, ClockWriteCarriesItsRegisterAndByteCount)
{
    const BYTE clock[14] = {0, 3, 0x07, 0xEA, 0, 12, 0, 10, 0, 13, 0, 45, 0, 30};
    struct Case { int n; int want; };
    for (const Case& c : {Case{14, 23}, Case{12, 21}, Case{0, 9}, Case{153, -1}}) {
        CModBus codec;
        BYTE buffer[CModBus::kFrameBufferSize] = {};
        BYTE big[160] = {};
        ASSERT_EQ(codec.BuildSettingRequest(c.n <= 14 ? clock : big, c.n, buffer, 220, 0x5188),
                  c.want) << c.n;
        if (c.want < 0)
            continue;
        EXPECT_EQ(buffer[2], 0x51);
        EXPECT_EQ(buffer[3], 0x88);
        EXPECT_EQ(buffer[4], 0);
        EXPECT_EQ(buffer[5], c.n / 2);
        EXPECT_EQ(buffer[6], c.n);
    }
}

TEST(ModBusRequests, WriteSingleSendsTheDataBytesAsGiven)
{
    const BYTE value[2] = {0x12, 0x34};
    const Bytes frame = Build([&](CModBus& c, BYTE* b) { return c.BuildWriteSingleRequest(9160, value, b); });
    ASSERT_EQ(frame.size(), 8u);
    EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 6), (Bytes{0x00, 0x06, 0x23, 0xC8, 0x12, 0x34}));
}
