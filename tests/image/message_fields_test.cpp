// Decoded message-text fields and data-log items take their item, caption and width from the
// message-text parameter table, whether their block comes before or after the text.
#include "ProgramBuilder.h"

#include "document/NameTables.h"

namespace {

const CWidget* FieldAt(const CBlockMSGTEXT* t, int set, int line, int i)
{
    const CObArray& fields = set == 0 ? t->m_aLines1[line - 1] : t->m_aLines2[line - 1];
    return i < fields.GetSize() ? static_cast<const CWidget*>(fields.GetAt(i)) : nullptr;
}

void ExpectSameMessageMemory(const CTavixCoreRule& a, const CTavixCoreRule& b)
{
    ASSERT_EQ(a.m_msgText.size(), b.m_msgText.size());
    for (size_t i = 0; i < a.m_msgText.size(); ++i)
        ASSERT_EQ(a.m_msgText[i], b.m_msgText[i]) << "byte " << i;
}

} // namespace

TEST(MessageFields, NewerFieldsComeBackWithItemCaptionAndWidth)
{
    struct Case {
        int blockType;
        int kind;        // widget type: position in the shown items, or a gauge kind
        int valueIndex;  // gauges: position in the analog-value list
        int item;
        const wchar_t* caption;
        int width;
        int set, line, col;
    };
    const Case cases[] = {
        {800, 1, 0, 17, L"On Threshold", 6, 0, 1, 1},
        {806, 0, 0, 26, L"Gain", 6, 0, 2, 1},  // from 'Q' the watchdog's list starts at its second place
        {413, 3, 0, 83, L"Output Time", 7, 0, 3, 1},
        {821, 4, 0, 98, L"Aq", 7, 0, 4, 1},
        {865, 1, 0, 123, L"Amplified", 9, 1, 1, 1},
        {801, widgetBar, 1, 21, L"Total Time(OT)", 5, 1, 4, 1},
        {803, widgetScope, 2, 30, L"Ax(Amplified) - Ay(Amplified)", 12, 1, 1, 13},
        {413, widgetScaleTime, 0, 81, L"Current time", 11, 0, 1, 10},
        {800, widgetOnOff, 0, 16, nullptr, 8, 1, 4, 13},  // the caption is the type's name
        {608, 0, 0, 131, L"", 4, 0, 2, 8},                 // AI and AM values: their rows' item
        {610, 0, 0, 137, L"", 7, 0, 3, 9},
    };
    for (bool textFirst : {false, true}) {
        auto doc = MakeDoc();
        CBlockMSGTEXT* t = nullptr;
        if (textFirst)
            t = static_cast<CBlockMSGTEXT*>(Add(*doc, 810));
        std::vector<CBlockObj*> shown;
        for (const Case& c : cases) {
            if (c.blockType == 608)
                shown.push_back(AddIo(*doc, 608, 4003, 4000));
            else if (c.blockType == 610)
                shown.push_back(AddIo(*doc, 610, 4290, 4288));
            else
                shown.push_back(Add(*doc, c.blockType));
        }
        if (!textFirst)
            t = static_cast<CBlockMSGTEXT*>(Add(*doc, 810));
        for (size_t i = 0; i < std::size(cases); ++i) {
            const Case& c = cases[i];
            CObArray& fields = c.set == 0 ? t->m_aLines1[c.line - 1] : t->m_aLines2[c.line - 1];
            CWidget* f = AddField(fields, c.line, c.col, c.width, c.kind, shown[i], c.item);
            f->m_nValueIndex = c.valueIndex;
            if (shown[i]->m_nNumber < 9000)
                f->m_pBlock = nullptr;  // operands are named by number
        }
        CTavixCoreRule rule;
        ASSERT_TRUE(Compile(*doc, rule));
        std::unique_ptr<CTavixDoc> back;
        ASSERT_NO_FATAL_FAILURE(ReadBack(rule, 1, &back));
        auto* text = dynamic_cast<CBlockMSGTEXT*>(back->FindBlockByNumber(t->m_nNumber));
        ASSERT_NE(text, nullptr);
        for (size_t i = 0; i < std::size(cases); ++i) {
            const Case& c = cases[i];
            const CWidget* f = nullptr;
            for (int k = 0; const CWidget* g = FieldAt(text, c.set, c.line, k); ++k)
                if (g->m_nCol == c.col)
                    f = g;
            ASSERT_NE(f, nullptr) << c.blockType << " " << c.kind;
            EXPECT_EQ(f->m_nNumber, shown[i]->m_nNumber) << i;
            if (f->m_nNumber >= 9000) {
                EXPECT_EQ(f->m_pBlock, back->FindBlockByNumber(f->m_nNumber)) << i;
            }
            EXPECT_EQ(f->m_nType, c.kind) << i;
            EXPECT_EQ(f->m_nItem, c.item) << i;
            const CString caption = c.caption ? CString(c.caption) : GetBlockTypeName(c.blockType);
            EXPECT_EQ(f->m_strText, caption) << i;
            EXPECT_EQ(f->m_nWidth, c.width) << i;
            if (c.kind < 0 && c.kind != widgetOnOff) {
                EXPECT_EQ(f->m_nValueIndex, c.valueIndex) << i;
            }
        }
        // The decoded program compiles to the same message-text memory.
        CTavixCoreRule again;
        ASSERT_TRUE(Compile(*back, again));
        ExpectSameMessageMemory(rule, again);
    }
}

TEST(MessageFields, OlderFieldsTakeTheTableWidth)
{
    auto doc = MakeDoc(kOldHardware);
    CBlockObj* counter = Add(*doc, 800);
    auto* other = static_cast<CBlockMSGTEXT*>(Add(*doc, 810));
    auto* t = static_cast<CBlockMSGTEXT*>(Add(*doc, 810));
    // A character without an LCD code is stored as 0 just before the field: the record alone
    // cannot tell where the characters end.
    t->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)] = CString(wchar_t(0x00E9));
    t->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 11)] = L"x";
    AddField(t->m_aLines1[0], 1, 5, 6, 0, counter, 16);
    // The date another text shows is that text's value, not this text's own date.
    AddField(t->m_aLines1[1], 2, 1, 10, 1, other, 1);
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    const BYTE* line2 = rule.SectionPtr("C") + 64 + 16;
    EXPECT_EQ(line2[0], 2);
    EXPECT_EQ(GetU16(line2 + 2), unsigned(other->m_nNumber - 9000));

    std::unique_ptr<CTavixDoc> back;
    ASSERT_NO_FATAL_FAILURE(ReadBack(rule, 0, &back));
    auto* text = dynamic_cast<CBlockMSGTEXT*>(back->FindBlockByNumber(t->m_nNumber));
    ASSERT_NE(text, nullptr);
    struct Expect {
        int line, number, item, width;
        const wchar_t* caption;
    };
    const Expect expected[] = {
        {1, counter->m_nNumber, 16, 6, L"Counter"},
        {2, other->m_nNumber, 1, 10, L"Current Date"},
    };
    for (const Expect& e : expected) {
        const CWidget* f = FieldAt(text, 0, e.line, 0);
        ASSERT_NE(f, nullptr) << e.line;
        EXPECT_EQ(f->m_nNumber, e.number) << e.line;
        EXPECT_EQ(f->m_nItem, e.item) << e.line;
        EXPECT_EQ(f->m_nWidth, e.width) << e.line;
        EXPECT_EQ(f->m_strText, e.caption) << e.line;
    }
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 11)], L"x");
    CTavixCoreRule again;
    ASSERT_TRUE(Compile(*back, again));
    // The same section C, but for the uncoded character, which comes back as a blank cell.
    Bytes c1(rule.SectionPtr("C"), rule.SectionPtr("C") + 192);
    c1[64 + 7] = 0x5B;
    EXPECT_EQ(Bytes(again.SectionPtr("C"), again.SectionPtr("C") + 192), c1);
}

TEST(MessageFields, DataLogItemsGetTheirParameterCaption)
{
    struct Case {
        int type, index;
        const wchar_t* caption;
    };
    const Case cases[] = {
        {801, 3, L"OT-hour:miniute"}, {413, 0, L"Current time"}, {848, 4, L"Current Value"},
        {800, 3, L""},  // past the type's list
    };
    auto doc = MakeDoc();
    auto* log = static_cast<CBlockDataLog*>(NewBlockOfType(911));
    log->m_nNumber = 8950;
    for (const Case& c : cases) {
        CDataLogItem item;
        item.m_nOperand = Add(*doc, c.type)->m_nNumber;
        item.m_nParamIndex = c.index;
        log->m_aItems.Add(item);
    }
    doc->m_blocks.AddTail(log);
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    std::unique_ptr<CTavixDoc> back;
    ASSERT_NO_FATAL_FAILURE(ReadBack(rule, 0, &back));
    const auto* backLog = dynamic_cast<const CBlockDataLog*>(back->FindBlockByNumber(8950));
    ASSERT_NE(backLog, nullptr);
    ASSERT_EQ(backLog->m_aItems.GetSize(), INT_PTR(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(backLog->m_aItems[INT_PTR(i)].m_nParamIndex, cases[i].index) << i;
        EXPECT_EQ(backLog->m_aItems[INT_PTR(i)].m_strParam, cases[i].caption) << i;
    }
}
