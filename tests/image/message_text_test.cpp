// Message texts in the image: LCD lines of the older families, cell records with code pages
// 936 and 950 and the placed fields of the newer ones, and the way back.
#include "ProgramBuilder.h"

namespace {

CBlockMSGTEXT* AddText(CTavixDoc& doc)
{
    return static_cast<CBlockMSGTEXT*>(Add(doc, 810));
}

void Put(CBlockMSGTEXT* t, int set, int line, int col, wchar_t ch)
{
    (set == 0 ? t->m_astrCells1 : t->m_astrCells2)[CBlockMSGTEXT::CellIndex(line, col)] = CString(ch);
}

const BYTE* Record(const CTavixCoreRule& rule, int text)
{
    return rule.m_msgText.data() + kMsgTextRecordSize * text;
}

} // namespace

TEST(MessageTextOld, LinesOfLcdCodes)
{
    auto doc = MakeDoc(kOldHardware);
    CBlockObj* shown = Add(*doc, 800);
    AddText(*doc);
    CBlockMSGTEXT* t = AddText(*doc);  // the second text: 64 bytes further
    Put(t, 0, 1, 1, L'A');
    Put(t, 0, 1, 2, L'B');
    Put(t, 0, 1, 3, L' ');
    Put(t, 0, 1, 4, L'1');
    for (int col = 1; col <= 12; ++col)
        Put(t, 0, 2, col, wchar_t(L'a' + col - 1));
    AddField(t->m_aLines1[1], 2, 5, 4, 2, shown);
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    const BYTE* line1 = rule.SectionPtr("C") + 64;
    EXPECT_EQ(Bytes(line1, line1 + 16),
              Bytes({1, 0, 0x41, 0x42, 0x5B, 0x31, 0x5B, 0x5B, 0x5B, 0x5B, 0x5B, 0x5B, 0x5B, 0x5B, 0, 0}));
    const BYTE* line2 = line1 + 16;
    EXPECT_EQ(Bytes(line2, line2 + 16),
              Bytes({2, 4, 0x00, 0x00, 0x2B, 2, 0, 'a', 'b', 'c', 'd', 'i', 'j', 'k', 'l', 0}));
    EXPECT_EQ(line1[48], 1);  // an empty line
    EXPECT_EQ(rule.SectionPtr("C")[128], 0xFF);  // the third slot keeps the fill

    // Back: the characters around the field and the field with its width.
    std::unique_ptr<CTavixDoc> back;
    ASSERT_NO_FATAL_FAILURE(ReadBack(rule, 0, &back));
    auto* text = dynamic_cast<CBlockMSGTEXT*>(back->FindBlockByNumber(9002));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 2)], L"B");
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(2, 4)], L"d");
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(2, 9)], L"i");
    ASSERT_EQ(text->m_aLines1[1].GetSize(), 1);
    const auto* f = static_cast<const CWidget*>(text->m_aLines1[1].GetAt(0));
    EXPECT_EQ(f->m_nCol, 5);
    EXPECT_EQ(f->m_nWidth, 4);
    EXPECT_EQ(f->m_nType, 2);
    EXPECT_EQ(f->m_nNumber, 9000);
    EXPECT_EQ(f->m_pBlock, back->FindBlockByNumber(9000));
}

TEST(MessageTextNew, CellsInTheirCharacterSets)
{
    struct Case {
        int charSet;
        wchar_t ch;
        Bytes attr;  // attributes of the cell and the next
        Bytes data;  // data of the cell and the next
    };
    const Case cases[] = {
        {2, 0x00B1, {0x01, 0x01}, {0x14, 0x00, 0x20, 0x00}},
        {2, 0x4E2D, {0x01, 0x01}, {0x2D, 0x4E, 0x20, 0x00}},
        {0, 0x4E2D, {0x61, 0xFF}, {0xD0, 0xD6, 0x20, 0x00}},  // GBK D6 D0
        {1, 0x570B, {0x51, 0xFF}, {0xEA, 0xB0, 0x20, 0x00}},  // Big5 B0 EA
        {0, L'x', {0x01, 0x01}, {'x', 0x00, 0x20, 0x00}},
        {1, 0x2103, {0x01, 0x01}, {21, 0x00, 0x20, 0x00}},
    };
    for (const Case& c : cases) {
        auto doc = MakeDoc();
        doc->m_nTextSet1 = c.charSet;
        CBlockMSGTEXT* t = AddText(*doc);
        Put(t, 0, 2, 7, c.ch);
        CTavixCoreRule rule;
        ASSERT_TRUE(Compile(*doc, rule));
        const BYTE* rec = Record(rule, 0);
        EXPECT_EQ(Bytes(rec + 32 + 6, rec + 32 + 8), c.attr) << int(c.ch);
        const BYTE* data = rec + 256 + 48 + 12;
        EXPECT_EQ(Bytes(data, data + 4), c.data) << int(c.ch);

        // Back through the same code page.
        std::unique_ptr<CTavixDoc> back;
        ASSERT_NO_FATAL_FAILURE(ReadBack(rule, 1, &back));
        auto* text = dynamic_cast<CBlockMSGTEXT*>(back->FindBlockByNumber(9000));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(2, 7)], CString(c.ch)) << int(c.ch);
        EXPECT_TRUE(text->m_astrCells1[CBlockMSGTEXT::CellIndex(2, 8)].IsEmpty());
    }
}

TEST(MessageTextNew, DoubleWidthCharacterInTheLastCellStaysOnItsLine)
{
    auto doc = MakeDoc();
    doc->m_nTextSet1 = 0;
    CBlockMSGTEXT* t = AddText(*doc);
    Put(t, 0, 1, 24, 0x4E2D);
    Put(t, 0, 2, 1, L'k');
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    const BYTE* rec = Record(rule, 0);
    EXPECT_EQ(rec[23], 0x01);
    EXPECT_EQ(GetU16(rec + 256 + 46), unsigned('?'));
    EXPECT_EQ(GetU16(rec + 256 + 48), unsigned('k'));  // line 2 untouched
    EXPECT_EQ(rec[32], 0x01);
}

TEST(MessageTextNew, FieldsInTheLineRecords)
{
    auto doc = MakeDoc();
    std::vector<CBlockObj*> b;
    for (int i = 0; i < 4; ++i)
        b.push_back(Add(*doc, 803));  // 9000-9003, analog comparators
    CBlockObj* ai = AddIo(*doc, 608, 4003, 4000);
    CBlockObj* am = AddIo(*doc, 610, 4290, 4288);
    Add(*doc, 810);
    Add(*doc, 810);
    CBlockMSGTEXT* t = AddText(*doc);  // the third text: its record starts at 2560
    CWidget* bar1 = AddField(t->m_aLines2[0], 1, 1, 5, widgetBar, b[1]);
    bar1->m_nValueIndex = 1;  // (16, 0)
    bar1->m_nMaxValue = 0x1234;
    bar1->m_nMinValue = -2;
    AddField(t->m_aLines2[1], 2, 3, 4, widgetBar, b[2]);
    AddField(t->m_aLines1[0], 1, 2, 4, 3, b[3]);
    AddField(t->m_aLines1[1], 2, 9, 4, 0, ai)->m_pBlock = nullptr;
    AddField(t->m_aLines1[2], 3, 1, 4, 0, am)->m_pBlock = nullptr;
    AddField(t->m_aLines1[3], 4, 6, 2, 0, t, 2);
    CWidget* names = AddField(t->m_aLines1[3], 4, 10, 3, widgetOnOff, b[0]);
    names->m_strStatusName[CWidget::nameCols + 1] = L"O";
    names->m_strStatusName[2 * CWidget::nameCols + 1] = L"F";
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    ASSERT_EQ(rule.m_msgText.size(), 3u * kMsgTextRecordSize);
    const BYTE* rec = Record(rule, 2);
    EXPECT_EQ(Bytes(rec + 128, rec + 130), Bytes({0xA9, 0x00}));
    EXPECT_EQ(Bytes(rec + 160 + 2, rec + 160 + 4), Bytes({0xA9, 0x10}));
    EXPECT_EQ(Bytes(rec + 1152, rec + 1168),
              Bytes({0x01, 0x00, 16, 0, 0x34, 0x12, 0xFE, 0xFF, 0, 4, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(rec + 1168, rec + 1170), Bytes({0x02, 0x00}));
    EXPECT_EQ(rec[1168 + 9], 3);
    EXPECT_EQ(Bytes(rec + 1, rec + 5), Bytes({2, 0x36, 0x03, 0x30}));  // value 3 of B003
    EXPECT_EQ(rec[32 + 8], 7);
    EXPECT_EQ(GetU16(rec + 32 + 10), 0x8003u);
    EXPECT_EQ(rec[64], 14);
    EXPECT_EQ(GetU16(rec + 65), 0xA002u);
    EXPECT_EQ(rec[96 + 5], 5);  // parameter 2 of the text itself
    EXPECT_EQ(Bytes(rec + 96 + 9, rec + 96 + 13), Bytes({8, 0, 0x00, 0x70}));
    EXPECT_EQ(rec[640], 'O');
    EXPECT_EQ(rec[648], 'F');

    // Back: the fields with their blocks, bars with width and values.
    std::unique_ptr<CTavixDoc> back;
    ASSERT_NO_FATAL_FAILURE(ReadBack(rule, 3, &back));
    auto* text = dynamic_cast<CBlockMSGTEXT*>(back->FindBlockByNumber(9006));
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->m_aLines2[0].GetSize(), 1);
    const auto* bar = static_cast<const CWidget*>(text->m_aLines2[0].GetAt(0));
    EXPECT_EQ(bar->m_nType, widgetBar);
    EXPECT_EQ(bar->m_nWidth, 5);
    EXPECT_EQ(bar->m_nValueIndex, 1);
    EXPECT_EQ(bar->m_nMaxValue, 0x1234);
    EXPECT_EQ(bar->m_nMinValue, -2);
    EXPECT_EQ(bar->m_pBlock, back->FindBlockByNumber(9001));
    ASSERT_EQ(text->m_aLines1[1].GetSize(), 1);
    const auto* aiField = static_cast<const CWidget*>(text->m_aLines1[1].GetAt(0));
    EXPECT_EQ(aiField->m_nNumber, 4003);
    EXPECT_EQ(aiField->m_pBlock, nullptr);
    ASSERT_EQ(text->m_aLines1[3].GetSize(), 2);
    const auto* onOff = static_cast<const CWidget*>(text->m_aLines1[3].GetAt(1));
    EXPECT_EQ(onOff->m_nType, widgetOnOff);
    EXPECT_EQ(onOff->m_nNumber, 9000);
    EXPECT_EQ(onOff->m_strStatusName[CWidget::nameCols + 1], L"O");
    CTavixCoreRule again;
    ASSERT_TRUE(Compile(*back, again));
    ASSERT_EQ(again.m_msgText.size(), rule.m_msgText.size());
    for (size_t i = 0; i < rule.m_msgText.size(); ++i)
        ASSERT_EQ(again.m_msgText[i], rule.m_msgText[i]) << "byte " << i;
}

TEST(MessageTextNew, FieldsTheDeviceCannotHoldAreLeftOut)
{
    auto doc = MakeDoc();
    CBlockObj* shown = Add(*doc, 831);  // a type without a variable location
    CBlockMSGTEXT* t = AddText(*doc);
    for (int i = 0; i < 10; ++i)
        AddField(t->m_aLines1[i % 4], i % 4 + 1, 1 + 2 * (i / 4), 2, widgetBar, shown);
    CWidget* scope = AddField(t->m_aLines2[3], 4, 1, 12, widgetScope, shown);
    (void)scope;
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    const BYTE* rec = Record(rule, 0);
    EXPECT_EQ(Bytes(rec + 1024 + 2, rec + 1024 + 4), Bytes({0xFF, 0xFF}));  // no location
    EXPECT_EQ(rule.GetWarnings().GetSize(), 2);
    // The scope on the last line writes its first row only, not into the next record.
    EXPECT_EQ(rec[224], 0x0B);
    EXPECT_EQ(rec[256], 0x20);
}

TEST(MessageTextOld, FieldsWithImpossibleGeometryStayInTheirLine)
{
    auto doc = MakeDoc(kOldHardware);
    CBlockMSGTEXT* t = AddText(*doc);
    AddText(*doc);
    AddField(t->m_aLines1[0], 1, 0, -10, 0, t, 2);   // before the first column, negative width
    AddField(t->m_aLines1[1], 2, 40, 2, 1, t, 7);    // beyond the last column
    AddField(t->m_aLines1[2], 3, 1, 1, 1, t, 7);     // eleven characters do not fit behind byte 7
    for (int col = 1; col <= 12; ++col)
        Put(t, 0, 3, col, L'x');
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    const BYTE* c = rule.SectionPtr("C");
    EXPECT_EQ(c[0], 5);
    EXPECT_EQ(c[32], 2);
    EXPECT_EQ(c[32 + 15], 'x');
    EXPECT_EQ(c[64], 0x01);  // the next text's first line is untouched
}
