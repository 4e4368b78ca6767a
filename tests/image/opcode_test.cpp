// Opcode words, their flag bytes, the inverse key of a stored opcode and the index maps.
#include "ImageTestSupport.h"

#include "image/OpcodeTables.h"

TEST(OpcodeTables, KeyOfEveryStoredOpcodeLeadsBackToItsType)
{
    int types = 0;
    for (int type = 300; type < 900; ++type) {
        WORD opcode = 0;
        if ((type >= 600 && type <= 611) || !OpcodeTables::LookUpOpcode(type, &opcode))
            continue;
        ++types;
        const bool gate = type <= 307;
        // Whatever flag byte the block had, the key is the table's opcode word.
        for (int flags : {0x00, 0x40, 0x84, 0xFC, 0x3C}) {
            const BYTE b1 = gate ? BYTE(opcode & 0xFF) : BYTE(flags);
            EXPECT_EQ(OpcodeTables::KeyOfOpcode(BYTE(opcode >> 8), b1), opcode) << type;
            EXPECT_EQ(OpcodeTables::TypeOfKey(opcode), type);
        }
    }
    EXPECT_EQ(types, 97);
    EXPECT_EQ(OpcodeTables::FunctionBlockOpcodeCount(), 97);
    for (int missing : {828, 829, 857, 858, 859, 299, 900}) {
        WORD opcode = 0;
        EXPECT_FALSE(OpcodeTables::LookUpOpcode(missing, &opcode)) << missing;
    }
    EXPECT_EQ(OpcodeTables::KeyOfOpcode(0x29, 0x84), 0x29C0);
    EXPECT_EQ(OpcodeTables::TypeOfKey(0x29C0), 801);
    EXPECT_EQ(OpcodeTables::TypeOfKey(0x7740), -1);
}

TEST(OpcodeTables, IndexMapWords)
{
    struct Case {
        int type, index;
        BOOL found;
        WORD word;
    };
    const Case cases[] = {
        {607, 300, TRUE, 0x2C61}, {607, 5, TRUE, 0x0560},   {610, 5, TRUE, 0x05A0},
        {610, 511, TRUE, 0xFFA1}, {606, 0, TRUE, 0xFFFF},   {606, 127, TRUE, 0xFFFF},
        {600, 255, TRUE, 0xFF00}, {601, 3, TRUE, 0x0310},   {611, 4, TRUE, 0x04B0},
        {609, 31, TRUE, 0x1F90},  {608, 63, TRUE, 0x3F80},  {605, 127, TRUE, 0x7F50},
        {602, 63, TRUE, 0x3F20},  {611, 5, FALSE, 0},       {609, 32, FALSE, 0},
        {607, 512, FALSE, 0},     {606, 128, FALSE, 0},     {603, 0, FALSE, 0},
        {600, -1, FALSE, 0},
    };
    for (const Case& c : cases) {
        WORD word = 0;
        EXPECT_EQ(OpcodeTables::LookUpIndexWord(c.type, c.index, &word), c.found) << c.type << "/" << c.index;
        if (c.found) {
            EXPECT_EQ(word, c.word) << c.type << "/" << c.index;
        }
    }
}

TEST(OpcodeWord, FlagByteFromRetentivityProtectionAndReferences)
{
    struct Case {
        int type;
        BOOL retentive, protectedOn;
        BOOL refs[4];
        WORD expected;
    };
    const Case cases[] = {
        {400, TRUE, FALSE, {0, 0, 0, 0}, 0x21C0},
        {400, TRUE, TRUE, {1, 0, 0, 0}, 0x21A0},
        {409, FALSE, TRUE, {0, 1, 1, 1}, 0x321C},
        {851, FALSE, TRUE, {1, 1, 1, 0}, 0x5F30},  // no bit for reference 3
        {849, TRUE, FALSE, {0, 1, 0, 0}, 0x5DE0},
        {847, FALSE, FALSE, {1, 1, 0, 0}, 0x5A60},
        {801, TRUE, TRUE, {0, 0, 0, 1}, 0x2984},
        {300, TRUE, FALSE, {1, 1, 1, 1}, 0x0100},  // gates, Modbus, WiFi: the word as listed
        {813, TRUE, FALSE, {1, 0, 0, 0}, 0x3B00},
        {826, TRUE, FALSE, {1, 0, 0, 0}, 0x6640},
    };
    CTavixCoreRule rule;
    for (const Case& c : cases) {
        std::unique_ptr<CBlockObj> b(NewBlockOfType(c.type));
        b->m_bRetentive = c.retentive;
        b->m_bProtected = c.protectedOn;
        for (int k = 0; k < 4; ++k)
            b->m_bRef[k] = c.refs[k];
        WORD word = 0;
        rule.GetOpcodeWord(&word, b.get());
        EXPECT_EQ(word, c.expected) << c.type;
    }
}

TEST(OpcodeWord, IoElementsUseTheirIndexWord)
{
    const int cases[][4] = {
        {607, 1616, 1316, 0x2C61}, {610, 4293, 4288, 0x05A0}, {606, 4801, 4800, 0xFFFF},
        {603, 1875, 1870, 0x0030}, {604, 2900, 2900, 0x0040}, {600, 103, 100, 0x0300},
    };
    CTavixCoreRule rule;
    for (const auto& c : cases) {
        std::unique_ptr<CBlockObj> b(NewBlockOfType(c[0]));
        b->m_nNumber = c[1];
        b->m_nOperand = c[1] - c[2];
        WORD word = 0x1234;
        rule.GetOpcodeWord(&word, b.get());
        EXPECT_EQ(word, c[3]) << c[0];
    }
    std::unique_ptr<CBlockObj> none(NewBlockOfType(828));
    WORD untouched = 0x1234;
    rule.GetOpcodeWord(&untouched, none.get());
    EXPECT_EQ(untouched, 0x1234);
}
