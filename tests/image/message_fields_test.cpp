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
    };
    for (bool textFirst : {false, true}) {
        auto doc = MakeDoc();
        CBlockMSGTEXT* t = nullptr;
        if (textFirst)
            t = static_cast<CBlockMSGTEXT*>(Add(*doc, 810));
        std::vector<CBlockObj*> shown;
        for (const Case& c : cases)
            shown.push_back(Add(*doc, c.blockType));
        if (!textFirst)
            t = static_cast<CBlockMSGTEXT*>(Add(*doc, 810));
        for (size_t i = 0; i < std::size(cases); ++i) {
            const Case& c = cases[i];
            CObArray& fields = c.set == 0 ? t->m_aLines1[c.line - 1] : t->m_aLines2[c.line - 1];
            CWidget* f = AddField(fields, c.line, c.col, c.width, c.kind, shown[i], c.item);
            f->m_nValueIndex = c.valueIndex;
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
            EXPECT_EQ(f->m_pBlock, back->FindBlockByNumber(shown[i]->m_nNumber)) << i;
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
