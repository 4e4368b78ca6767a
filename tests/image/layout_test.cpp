// The fixed image layout: section table, J size rule, checksum, byte exchange, LCD codes.
#include "image/ImageLayout.h"
#include "image/LcdCharMap.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ImageLayout, SectionsOfAreaZeroFollowEachOtherUpToItsEnd)
{
    const ImageSection* s = GetImageSections();
    int expected = 0;
    for (int i = 0; i < kImageSectionCount - 1; ++i) {
        EXPECT_EQ(s[i].nArea, 0);
        EXPECT_EQ(s[i].wOffset, expected) << i;
        expected += s[i].wSize;
    }
    EXPECT_EQ(expected, kArea0Size);
    const ImageSection* j = FindImageSection("J");
    ASSERT_NE(j, nullptr);
    EXPECT_EQ(j->nArea, 1);
    EXPECT_EQ(j->wOffset, 0);
    EXPECT_EQ(j->wSize, 0x6000);
}

TEST(ImageLayout, SectionsAreFoundByName)
{
    struct Case {
        const char* name;
        int offset;
        int size;
    };
    const Case cases[] = {{"LC", 0x0000, 0x400}, {"B", 0x0600, 0x800},   {"G1", 0x1B00, 0x40},
                          {"G2", 0x1B40, 0x400}, {"PS", 0x2140, 2},      {"K", 0x2142, 0x10},
                          {"L", 0x215C, 0x10},   {"CM", 0x2172, 0xB0},   {"ID", 0x2222, 0x10},
                          {"RV", 0x2298, 0x268}, {"DL", 0x2500, 0x300}};
    for (const Case& c : cases) {
        const ImageSection* s = FindImageSection(c.name);
        ASSERT_NE(s, nullptr) << c.name;
        EXPECT_EQ(s->wOffset, c.offset) << c.name;
        EXPECT_EQ(s->wSize, c.size) << c.name;
    }
    EXPECT_EQ(FindImageSection("X"), nullptr);
    EXPECT_EQ(FindImageSection("LCD"), nullptr);
    EXPECT_EQ(FindImageSection(nullptr), nullptr);
}

TEST(ImageLayout, JSizeLeavesAtLeastOneSpareByte)
{
    const int cases[][2] = {{0, 128},   {1, 128},        {127, 128},      {128, 256},
                            {200, 256}, {256, 384},      {0x5F7F, 0x5F80}, {0x5F80, 0x6000},
                            {0x5FFF, 0x6000}, {0x6000, 0x6000}, {0x9000, 0x6000}};
    for (const auto& c : cases)
        EXPECT_EQ(ComputeJSize(c[0]), c[1]) << c[0];
}

TEST(ImageLayout, ChecksumCountsShortAreaJAsPaddedWithFF)
{
    std::vector<BYTE> area0(kArea0Size, 0);
    // LC is not summed.
    area0[0] = 0x55;
    area0[0x3F8] = 0x77;
    area0[0x400] = 1;      // word 0x00000001
    area0[0x27FF] = 0x80;  // last word 0x80000000
    std::vector<BYTE> j(128, 0);
    j[4] = 2;
    // (0x6000 - 128) / 4 missing words of 0xFFFFFFFF, each -1 modulo 2^32.
    const DWORD expected = 1u + 0x80000000u + 2u - DWORD((0x6000 - 128) / 4);
    EXPECT_EQ(ComputeImageChecksum(area0.data(), j.data(), 128), expected);

    std::vector<BYTE> full(0x6000, 0);
    EXPECT_EQ(ComputeImageChecksum(area0.data(), full.data(), 0x6000), 1u + 0x80000000u);
}

TEST(ImageLayout, ExchangeSwapsEveryWordAndKeepsAnOddTail)
{
    const std::vector<BYTE> src = {1, 2, 3, 4, 5};
    std::vector<BYTE> dst(5, 0);
    ExchangeWordBytes(src.data(), dst.data(), 5);
    EXPECT_EQ(dst, (std::vector<BYTE>{2, 1, 4, 3, 5}));
    ExchangeWordBytes(dst.data(), dst.data(), 5);
    EXPECT_EQ(dst, src);
}

TEST(LcdCharMap, CodesAndTheirInverse)
{
    const std::pair<wchar_t, BYTE> cases[] = {
        {L'A', 0x41}, {L'z', 0x7A}, {L'5', 0x35}, {L':', 0x3A}, {L'@', 0x40}, {L' ', 91},
        {L'.', 92},   {L'(', 95},   {L'-', 124},  {L'!', 130},  {L'#', 144},  {L'\\', 150},
        {L'\'', 156}, {L'`', 158},  {L',', 157},  {L'~', 143},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LcdCodeOf(c.first), c.second) << int(c.first);
        EXPECT_EQ(LcdCharOf(c.second), c.first) << int(c.second);
    }
    EXPECT_EQ(LcdCodeOf(L'<'), 0x3C);
    EXPECT_EQ(LcdCodeOf(0x00E9), 0);      // no code: 0
    EXPECT_EQ(LcdCodeOf(0x4E2D), 0);
    EXPECT_EQ(LcdCharOf(0x20), 0);        // no character: 0
    EXPECT_EQ(LcdCharOf(0xFF), 0);
    int mapped = 0;
    for (int code = 0; code < 256; ++code)
        mapped += LcdCharOf(BYTE(code)) != 0;
    EXPECT_EQ(mapped, 95);
}
