#include "comm/ModBus.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ModBusCrc, KnownValues)
{
    struct Case { const char* bytes; int length; int want; };
    // Standard check value of CRC-16/MODBUS is 0x4B37, sent as 37 4B: first byte in bits 8-15.
    const Case cases[] = {
        {"123456789", 9, 0x374B},
        {"\x01\x03\x00\x00\x00\x0A", 6, 0xC5CD},
        {"\x34\x12", 2, 0x977D},
        {"\x00\x03\x00\xD2\x00\x03", 6, 0xA423},
        {"\x00\x64\x00\x00\x00\x01", 6, 0xB013},
        {"", 0, 0xFFFF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CModBus::CRC16(reinterpret_cast<const BYTE*>(c.bytes), c.length), c.want)
            << c.length << " bytes";
}

TEST(ModBusCrc, LengthUsesLow16Bits)
{
    const BYTE data[2] = {0x34, 0x12};
    EXPECT_EQ(CModBus::CRC16(data, 0x10000), 0xFFFF);
    EXPECT_EQ(CModBus::CRC16(data, 0x10002), 0x977D);
}

TEST(ModBusCrc, AppendCrcWritesLowByteFirstAndRefusesOverlongFrames)
{
    BYTE frame[CModBus::kFrameBufferSize] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x0A};
    ASSERT_EQ(CModBus::AppendCRC(frame, 6), 0);
    EXPECT_EQ(frame[6], 0xC5);
    EXPECT_EQ(frame[7], 0xCD);
    // A whole frame including its CRC checks to zero remainder in the reflected form.
    EXPECT_EQ(CModBus::CRC16(frame, 8), 0);

    BYTE big[CModBus::kFrameBufferSize + 2];
    std::memset(big, 0xAB, sizeof big);
    EXPECT_EQ(CModBus::AppendCRC(big, 160), -1);
    EXPECT_EQ(big[160], 0xAB) << "a refused append writes nothing";
    EXPECT_EQ(big[161], 0xAB);
    EXPECT_EQ(CModBus::AppendCRC(big, 159), 0);
    EXPECT_EQ(CModBus::CRC16(big, 161), 0);
}
