// Element labels, as page connectors, sheet captions and paste refusals show them.
#include "DocTestSupport.h"

#include <gtest/gtest.h>

TEST(Labels, ByTypeNumberAndOperand)
{
    struct Case {
        int type;
        int number;
        int operand;
        WORD hardware;
        const wchar_t* label;
    };
    const Case cases[] = {
        {600, 118, 18, 0x5188, L"I018"},   {600, 132, 32, 0x5188, L"I100"},
        {605, 617, 17, 0x5188, L"Q101"},   {608, 4009, 9, 0x5188, L"AI101"},
        {609, 4231, 1, 0x5188, L"AQ001"},  {602, 1020, 20, 0x1188, L"S20"},
        {602, 1020, 20, 0x5188, L"S1.4"},  {607, 1320, 4, 0x5188, L"M4"},
        {911, 8950, 0, 0x5188, L"L0"},     {300, 9000, 0, 0x5188, L"B0"},
        {800, 9012, 0, 0x5188, L"B12"},    {603, 1875, 5, 0x5188, L"Low"},
        {604, 2900, 0, 0x5188, L"High"},   {611, 1302, 2, 0x5188, L"F2"},
        {610, 4290, 2, 0x5188, L"AM2"},    {606, 4801, 1, 0x5188, L"X1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CTavixDoc doc;
        doc.m_nHardwareCode = c.hardware;
        CBlockObj block(c.type, 1);
        block.m_nNumber = c.number;
        block.m_nOperand = c.operand;
        EXPECT_EQ(doc.GetBlockLabel(&block), c.label);
    }
}

TEST(Labels, LadderElementsFollowTheirOperands)
{
    CTavixDoc doc;
    doc.m_nDocKind = CTavixDoc::kindLadder;
    auto add = [&doc](int type, int number, int operand) {
        auto* pBlock = new CBlockObj(type, 1);
        pBlock->m_nNumber = number;
        pBlock->m_nOperand = operand;
        doc.m_blocks.AddTail(pBlock);
        return pBlock;
    };
    add(703, 21000, 602);   // a coil on output Q002
    add(703, 21001, 1320);  // a coil on flag M4
    add(705, 22000, 4290);  // a ladder analog output on AM2
    add(705, 22001, 4233);  // a ladder analog output on AQ003
    struct Case {
        int type;
        int operand;
        const wchar_t* label;
    };
    const Case cases[] = {
        {700, 21000, L"Q002"}, {700, 21001, L"M4"},  {702, 22000, L"AM2"},  {702, 22001, L"AQ003"},
        {702, 4009, L"AI101"}, {700, 1320, L"M4"},   {701, 110, L"I010"},
        {700, 2900, L"High"},  {700, 1870, L"Low"},  {700, 9003, L"B3"},
        {703, 4801, L"X1"},    {705, 4231, L"AQ001"}, {700, 1003, L"S3"},
        // An operand naming a coil that no longer exists is labelled as it stands.
        {700, 21005, L"B12005"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CBlockObj block(c.type, 1);
        block.m_nNumber = 12000 + 100;
        block.m_nOperand = c.operand;
        EXPECT_EQ(doc.GetBlockLabel(&block), c.label);
    }
    EXPECT_EQ(doc.GetBlockLabel(nullptr), L"");
}

TEST(Labels, BlockKinds)
{
    const std::pair<int, int> cases[] = {{600, 1}, {799, 1}, {300, 2}, {413, 2}, {800, 2},
                                         {899, 2}, {900, 3}, {901, 3}, {911, 4}, {951, 0},
                                         {0, 0},   {414, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(CTavixDoc::GetBlockKind(c.first), c.second) << c.first;
}
