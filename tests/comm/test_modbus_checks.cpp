#include "comm/ModBus.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes WithCrc(Bytes frame)
{
    const int crc = CModBus::CRC16(frame.data(), int(frame.size()));
    frame.push_back(BYTE(crc >> 8));
    frame.push_back(BYTE(crc & 0xFF));
    return frame;
}

Bytes BadCrc(Bytes frame)
{
    frame.back() ^= 0xFF;
    return frame;
}

// A start answer (function 100 or 102): 12 or 14 data bytes.
Bytes StartAnswer(BYTE fc, BYTE type, BYTE byte4, WORD firmware, WORD password = 0,
                  WORD program = 0, bool longForm = true)
{
    Bytes a(longForm ? 17 : 15, 0);
    a[1] = fc;
    a[2] = longForm ? 14 : 12;
    a[3] = type;
    a[4] = byte4;
    a[7] = BYTE(firmware >> 8);
    a[8] = BYTE(firmware);
    a[11] = BYTE(password >> 8);
    a[12] = BYTE(password);
    a[13] = BYTE(program >> 8);
    a[14] = BYTE(program);
    return WithCrc(a);
}

Bytes With(Bytes a, std::size_t at, BYTE value, bool fixCrc = true)
{
    a[at] = value;
    if (fixCrc) {
        a.resize(a.size() - 2);
        a = WithCrc(a);
    }
    return a;
}

} // namespace

TEST(ModBusChecks, ReadResponse)
{
    Bytes big(131, 0);
    big[1] = 3;
    big[2] = 128;
    const Bytes good = WithCrc(big);
    struct Case { const char* name; Bytes answer; BYTE fc; BYTE address; int want; };
    const Case cases[] = {
        {"133 bytes announcing 128", good, 3, 0, LINK_OK},
        {"133 bytes announcing 127", With(good, 2, 127), 3, 0, LINK_LENGTH_ERROR},
        {"other address", With(good, 0, 1), 3, 0, LINK_DEVICE_ID_ERROR},
        {"expected address", With(good, 0, 9), 3, 9, LINK_OK},
        {"other function", good, 121, 0, LINK_FUNCTION_ERROR},
        {"bad crc", BadCrc(good), 3, 0, LINK_CHECKSUM_ERROR},
        {"exception answer", WithCrc({0, 0x83, 2}), 3, 0, LINK_LENGTH_ERROR},
        {"too short", Bytes{0, 3}, 3, 0, LINK_LENGTH_ERROR},
    };
    for (const Case& c : cases) {
        CModBus codec;
        codec.m_byAddress = c.address;
        EXPECT_EQ(codec.CheckReadResponse(c.answer.data(), int(c.answer.size()), c.fc), c.want)
            << c.name;
    }
}

TEST(ModBusChecks, MemoryReadReply)
{
    Bytes a = {0, 249, 0x20, 0x00, 0x04, 0xB8, 12};
    a.resize(19, 0);
    const Bytes good = WithCrc(a);
    struct Case { const char* name; Bytes answer; int want; };
    const Case cases[] = {
        {"summer/winter block", good, LINK_OK},
        {"second address", With(With(With(good, 2, 0x10), 4, 0x13), 5, 0xE0), LINK_OK},
        {"other address", With(good, 5, 0xB9), LINK_ADDRESS_ERROR},
        {"other device", With(good, 0, 2), LINK_DEVICE_ID_ERROR},
        {"other function", With(good, 1, 3), LINK_FUNCTION_ERROR},
        {"bad crc", BadCrc(good), LINK_CHECKSUM_ERROR},
        {"count beyond the answer", With(good, 6, 40), LINK_LENGTH_ERROR},
    };
    CModBus codec;
    for (const Case& c : cases)
        EXPECT_EQ(codec.CheckMemoryReadReply(c.answer.data(), int(c.answer.size())), c.want)
            << c.name;
}

TEST(ModBusChecks, DownloadStartReply)
{
    const Bytes q = StartAnswer(100, 0x51, 0x88, 0xC200);
    const Bytes older = StartAnswer(100, 0x21, 0x88, 0xB200, 0, 0, false);
    const Bytes card = StartAnswer(100, 0x88, 0x99, 0, 0, 0, false);
    Bytes negative = q;
    negative[2] = 0x80;  // read as a signed byte this would index before the buffer
    struct Case { const char* name; Bytes answer; WORD code; WORD minFw; int mode; int want; };
    const Case cases[] = {
        {"matching device", q, 0x5188, 0xC100, 1, LINK_OK},
        {"older family, short answer", older, 0x2188, 0xB100, 1, LINK_OK},
        {"other machine type", q, 0x5288, 0xC100, 1, LINK_MACHINE_TYPE_ERROR},
        {"firmware too old", q, 0x5188, 0xC300, 1, LINK_MACHINE_VERSION_ERROR},
        {"clear takes any device", q, 0x2188, 0xFFFF, 4, LINK_OK},
        {"memory card on clear", card, 0x5188, 0xC100, 4, LINK_OK},
        {"memory card on clear, bad crc", BadCrc(card), 0x5188, 0xC100, 4, LINK_CHECKSUM_ERROR},
        {"old memory card for a new program", card, 0x5188, 0xC100, 1, LINK_CARD_VERSION_ERROR},
        {"memory card for an old program", card, 0x2188, 0xB100, 1, LINK_OK},
        {"bad crc", BadCrc(q), 0x5188, 0xC100, 1, LINK_CHECKSUM_ERROR},
        {"other device", With(q, 0, 3), 0x5188, 0xC100, 1, LINK_DEVICE_ID_ERROR},
        {"other function", With(q, 1, 102), 0x5188, 0xC100, 1, LINK_FUNCTION_ERROR},
        {"byte count outside 12/14", negative, 0x5188, 0xC100, 1, LINK_LENGTH_ERROR},
        {"byte count not the length", With(q, 2, 12), 0x5188, 0xC100, 1, LINK_LENGTH_ERROR},
    };
    CModBus codec;
    for (const Case& c : cases)
        EXPECT_EQ(codec.CheckDownloadStartReply(c.answer.data(), int(c.answer.size()), c.code,
                                                c.minFw, c.mode),
                  c.want)
            << c.name;
}

TEST(ModBusChecks, UploadStartReply)
{
    struct Case { const char* name; Bytes answer; int want; };
    const Bytes plain = StartAnswer(102, 0x51, 0x88, 0xC200, 0x0000, 128);
    const Case cases[] = {
        {"no password", plain, 1},
        {"password field FFFF", StartAnswer(102, 0x51, 0x88, 0xC200, 0xFFFF, 128), 1},
        {"password set", StartAnswer(102, 0x51, 0x88, 0xC200, 0x1234, 128), 2},
        {"older family", StartAnswer(102, 0x21, 0x88, 0xB100, 0, 64, false), 1},
        {"memory card of any version", StartAnswer(102, 0x88, 0x99, 0, 0, 64, false), 1},
        {"empty program", StartAnswer(102, 0x51, 0x88, 0xC200, 0, 0), LINK_NO_PROGRAM},
        {"erased program", StartAnswer(102, 0x51, 0x88, 0xC200, 0, 0xFFFF), LINK_NO_PROGRAM},
        {"program size not whole frames", StartAnswer(102, 0x51, 0x88, 0xC200, 0, 100),
         LINK_REGISTER_COUNT_ERROR},
        {"machine type below 0x11", StartAnswer(102, 0x10, 0x88, 0xC200, 0, 128),
         LINK_MACHINE_TYPE_ERROR},
        {"new family, old firmware", StartAnswer(102, 0x51, 0x88, 0xB200, 0, 128),
         LINK_MACHINE_VERSION_ERROR},
        {"old family, too old firmware", StartAnswer(102, 0x21, 0x88, 0xB000, 0, 128, false),
         LINK_MACHINE_VERSION_ERROR},
        {"bad crc", BadCrc(plain), LINK_CHECKSUM_ERROR},
        // A foreign address must fail; it must not pass as "password set".
        {"other device", With(plain, 0, 5), LINK_ADDRESS_ERROR},
        {"other function", With(plain, 1, 100), LINK_FUNCTION_ERROR},
        {"byte count outside 12/14", With(plain, 2, 0xF0, false), LINK_REGISTER_COUNT_ERROR},
    };
    CModBus codec;
    for (const Case& c : cases)
        EXPECT_EQ(codec.CheckUploadStartReply(c.answer.data(), int(c.answer.size())), c.want)
            << c.name;
}

TEST(ModBusChecks, ShortAnswers)
{
    const Bytes end = WithCrc({0, 101, 0, 0, 0, 1});
    const Bytes uploadEnd = WithCrc({0, 103, 0, 0, 0, 1});
    const Bytes pw = WithCrc({0, 110, 2, 0, 0});
    const Bytes clockQ = WithCrc({0, 220, 0x51, 0x88, 0, 7});
    const Bytes clockOld = WithCrc({0, 220, 0x21, 0x88, 0, 6});
    const Bytes clockAncient = WithCrc({0, 220, 0x10, 0x88, 0, 3});
    const Bytes calib = WithCrc({0, 234, 0, 1, 0, 7});
    Bytes sw = {0, 233};
    sw.resize(14, 0);
    const Bytes summer = WithCrc(sw);
    CModBus codec;
    auto down = [&](const Bytes& a, BYTE r) { return codec.CheckDownloadDataReply(a.data(), int(a.size()), r); };
    auto up = [&](const Bytes& a, BYTE r) { return codec.CheckUploadDataReply(a.data(), int(a.size()), r); };
    auto fc110 = [&](const Bytes& a) { return codec.CheckFc110Reply(a.data(), int(a.size())); };
    auto setting = [&](const Bytes& a, BYTE fc) { return codec.CheckSettingReply(a.data(), int(a.size()), fc); };

    EXPECT_TRUE(down(end, 1));
    EXPECT_FALSE(down(end, 0));
    EXPECT_FALSE(down(BadCrc(end), 1));
    EXPECT_FALSE(down(uploadEnd, 1));
    EXPECT_TRUE(up(uploadEnd, 1));
    EXPECT_FALSE(up(Bytes(uploadEnd.begin(), uploadEnd.begin() + 7), 1));

    EXPECT_TRUE(fc110(pw));
    EXPECT_FALSE(fc110(BadCrc(pw))) << "the password answer's CRC is checked";
    EXPECT_FALSE(fc110(With(pw, 2, 1)));

    EXPECT_TRUE(setting(clockQ, 220));
    EXPECT_TRUE(setting(clockOld, 220));
    EXPECT_TRUE(setting(clockAncient, 220));
    EXPECT_FALSE(setting(With(clockQ, 5, 6), 220));
    EXPECT_FALSE(setting(With(clockOld, 5, 7), 220));
    EXPECT_FALSE(setting(With(clockQ, 4, 1), 220));
    EXPECT_FALSE(setting(BadCrc(clockQ), 220));
    EXPECT_TRUE(setting(calib, 234));
    EXPECT_FALSE(setting(calib, 233));
    EXPECT_TRUE(setting(summer, 233));
    EXPECT_FALSE(setting(BadCrc(summer), 233));
    EXPECT_FALSE(setting(calib, 3));
}

TEST(ModBusChecks, WriteEchoMustRepeatTheRequest)
{
    CModBus codec;
    BYTE data[128] = {};
    BYTE request[CModBus::kFrameBufferSize];
    ASSERT_EQ(codec.BuildWriteMultipleRequest(35840, 64, data, request), 137);
    const Bytes echo = WithCrc(Bytes(request, request + 6));
    struct Case { const char* name; Bytes answer; int want; };
    const Case cases[] = {
        {"echo", echo, LINK_OK},
        {"other register", With(echo, 3, 0x40), LINK_ADDRESS_ERROR},
        {"other count", With(echo, 5, 0x3F), LINK_REGISTER_COUNT_ERROR},
        {"other device", With(echo, 0, 1), LINK_DEVICE_ID_ERROR},
        {"other function", With(echo, 1, 6), LINK_FUNCTION_ERROR},
        {"bad crc", BadCrc(echo), LINK_CHECKSUM_ERROR},
        {"exception", WithCrc({0, 0x90, 2}), LINK_LENGTH_ERROR},
    };
    for (const Case& c : cases)
        EXPECT_EQ(codec.CheckWriteEcho(c.answer.data(), int(c.answer.size()), request), c.want)
            << c.name;
}

TEST(ModBusChecks, ExceptionTexts)
{
    struct Case { Bytes answer; int want; const wchar_t* text; };
    const Case cases[] = {
        {{0x00, 0x86, 0x0C}, 12, L"No=12->"},
        {{0x00, 0x83, 0x02}, 2, L"No=2->ILLIGAL DATA ADDRESS"},
        {{0x00, 0x81, 0x01}, 1, L"No=1->ILLEGAL FUNCTION"},
        {{0x00, 0x90, 0x0B}, 11, L"No=11->GATEWAY TARGET DEVICE FAILED TO RESPOND"},
        {{0x00, 0x83, 0x00}, 0, L"No=0->"},
        {{0x00, 0x06, 0x0C}, 0, L"unchanged"},
    };
    for (const Case& c : cases) {
        CString text = L"unchanged";
        EXPECT_EQ(CModBus::FormatException(c.answer.data(), text), c.want);
        EXPECT_STREQ(text.GetString(), c.text);
    }
}

TEST(ModBusChecks, ResultTexts)
{
    CModBus codec;
    EXPECT_STREQ(codec.ResultText(0).GetString(), L"OK!");
    EXPECT_STREQ(codec.ResultText(6).GetString(), L"Check Sum Error!");
    EXPECT_STREQ(codec.ResultText(12).GetString(), L"Memory Card version mismatch Error!");
    EXPECT_TRUE(codec.ResultText(13).IsEmpty());
    EXPECT_EQ(codec.m_mapResultText.size(), 13u);
}

// Every check looks only at the bytes it was given, however short or strange the answer.
TEST(ModBusChecks, NoCheckReadsPastTheAnswer)
{
    std::mt19937 random(7);
    CModBus codec;
    BYTE request[8] = {0, 16, 0x8C, 0, 0, 64, 0, 0};
    const BYTE kFunctions[] = {3, 100, 101, 102, 103, 110, 220, 233, 234, 249};
    for (int length = 0; length <= 24; ++length) {
        for (int round = 0; round < 50; ++round) {
            // Exactly `length` bytes on the heap, so that the sanitizer sees any overread.
            std::unique_ptr<BYTE[]> a(new BYTE[std::size_t(length)]);
            for (int i = 0; i < length; ++i)
                a[std::size_t(i)] = BYTE(random() % 4 == 0 ? (round % 2 ? 12 : 14) : random());
            const BYTE fc = kFunctions[std::size_t(round) % sizeof kFunctions];
            if (length >= 2)
                a[1] = fc;
            codec.CheckReadResponse(a.get(), length, 3);
            codec.CheckMemoryReadReply(a.get(), length);
            codec.CheckDownloadStartReply(a.get(), length, 0x5188, 0xC100, round % 2 ? 1 : 4);
            codec.CheckUploadStartReply(a.get(), length);
            codec.CheckDownloadDataReply(a.get(), length, 1);
            codec.CheckUploadDataReply(a.get(), length, 1);
            codec.CheckFc110Reply(a.get(), length);
            codec.CheckSettingReply(a.get(), length, fc);
            codec.CheckWriteEcho(a.get(), length, request);
        }
    }
}
