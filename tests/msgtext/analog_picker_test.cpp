// The AI and AM insert buttons of the message-text editor page: the picker lists the program's
// analog inputs or flags, the chosen one is the field's, and Cancel places nothing.
#include "MsgTextTestSupport.h"

#include "../image/ImageTestSupport.h"

#include "elements/BlockMSGTEXT.h"
#include "msgtext/MessageTexts_New.h"
#include "msgtext/Widget.h"
#include "platform/ui/dialogs/PropSheet.h"
#include "view/TavixView.h"

using namespace mttest;

namespace {

struct PickerCase {
    int button;
    int type;
    int base;
    int numbers[2];  // added in this order; listed ascending
    const wchar_t* caption;
    const wchar_t* names[2];
};

const PickerCase kCases[] = {
    {1394, 608, 4000, {4010, 4003}, L"AI filter", {L"AI003", L"AI102"}},
    {1397, 610, 4288, {4300, 4290}, L"AM filter", {L"AM2", L"AM12"}},
};

class AnalogPickerTest : public MsgTextTest, public ::testing::WithParamInterface<PickerCase> {};

std::vector<const CWidget*> ValueFields(const CBlockMSGTEXT& t)
{
    std::vector<const CWidget*> found;
    for (int line = 0; line < 4; ++line)
        for (INT_PTR i = 0; i < t.m_aLines1[line].GetSize(); ++i)
            if (const auto* f = static_cast<const CWidget*>(t.m_aLines1[line][i]); f->m_nType == 0)
                found.push_back(f);
    return found;
}

} // namespace

TEST_P(AnalogPickerTest, TheChosenOperandIsTheFieldsAndCancelPlacesNothing)
{
    const PickerCase& c = GetParam();
    auto doc = NewDocument();
    for (int n : c.numbers)
        AddIo(*doc, c.type, n, c.base);
    auto* text = dynamic_cast<CBlockMSGTEXT*>(mttest::Add(*doc, 810));
    ASSERT_NE(text, nullptr);
    CTavixView view(doc.get(), nullptr);

    CMessageTexts_New page;
    page.SetView(&view);
    page.m_nBlockNumber = text->m_nNumber;
    page.FillFromBlock(*text, *doc, false);
    CPropertySheet sheet(L"Message text");
    sheet.AddPage(&page);
    Step([&](HWND) {
        page.Grid().SetFocusCell(1, 1);
        Press(page.m_hWnd, c.button);  // picks the second
        page.Grid().SetFocusCell(3, 1);
        Press(page.m_hWnd, c.button);  // cancelled
        Press(sheet.m_hWnd, IDOK);
    });
    Step([&](HWND d) {
        EXPECT_EQ(Caption(d), c.caption);
        ASSERT_EQ(Count(d, 1395), 2);
        EXPECT_EQ(Entry(d, 1395, 0), c.names[0]);
        EXPECT_EQ(Entry(d, 1395, 1), c.names[1]);
        Choose(d, 1395, 1);
        Press(d, IDOK);
    });
    Step([&](HWND d) {
        Choose(d, 1395, 0);
        Press(d, IDCANCEL);
    });
    ASSERT_EQ(sheet.DoModal(), IDOK);
    page.ReadIntoBlock(*text);

    const std::vector<const CWidget*> fields = ValueFields(*text);
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0]->m_nNumber, c.numbers[0]);
    EXPECT_EQ(fields[0]->m_nRow, 1);
    EXPECT_EQ(fields[0]->m_nCol, 1);
    EXPECT_EQ(MessageCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Buttons, AnalogPickerTest, ::testing::ValuesIn(kCases));
