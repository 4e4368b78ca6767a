// Cell text through the clipboard: tab and CRLF text out, the two paste modes in, double-width
// characters kept whole, and pastes that cannot be applied whole refused whole.
#include "grid_test_support.h"

#include "controls/GridClipText.h"

namespace gridtest {
namespace {

using GridClipboard = GridTest;

TEST(GridClipText, ParsesBothModes)
{
    struct Case {
        const wchar_t* text;
        BOOL bCellMode;
        const wchar_t* lines;  // items joined by '|', lines by '/'
    };
    const Case cases[] = {
        {L"ab", FALSE, L"a|b"},
        {L"a", TRUE, L"a"},
        {L"1,2\t3", TRUE, L"1,2|3"},
        {L"1\t2,3", TRUE, L"1|2,3"},          // commas are characters like any other
        {L"a\tb\t", TRUE, L"a|b"},            // a trailing tab adds no item
        {L"ab\r\n\r\ncd", FALSE, L"a|b/c|d"},  // character mode drops empty lines
        {L"a\tb\r\n\r\nc\td", TRUE, L"a|b//c|d"},  // cell mode keeps them as a row left out
        {L"x y", FALSE, L"x||y"},             // a space empties its cell
        {L"", FALSE, L""},
        {L"\t", TRUE, L""},
        {L"a\x07" L"b\tc\x7F", TRUE, L"ab|c"},  // control characters are dropped
    };
    for (const Case& c : cases) {
        const GridClipText clip = ParseGridClipText(c.text, wcslen(c.text));
        EXPECT_EQ(clip.bCellMode, c.bCellMode) << c.text;
        std::wstring joined;
        for (size_t l = 0; l < clip.lines.size(); ++l) {
            if (l)
                joined += L"/";
            for (size_t i = 0; i < clip.lines[l].items.size(); ++i)
                joined += (i ? L"|" : L"") + std::wstring(clip.lines[l].items[i].GetString());
        }
        EXPECT_EQ(joined, c.lines) << c.text;
    }
    // The text ends at a zero character and never reads past its length.
    const wchar_t cut[] = {L'a', L'b', 0, L'c'};
    EXPECT_EQ(ParseGridClipText(cut, 4).lines.at(0).items.size(), 2u);
    EXPECT_EQ(ParseGridClipText(cut, 1).lines.at(0).items.size(), 1u);
}

TEST_F(GridClipboard, CopiesTabAndLineSeparatedText)
{
    m_grid.SetFocusCell(1, 1);
    TypeText(L"abc");
    m_grid.SetFocusCell(2, 1);
    TypeText(L"de");
    m_grid.SetSelectedRange(1, 1, 2, 3);
    m_grid.SetItemState(2, 2, m_grid.GetItemState(2, 2) & ~GRIDSTATE_SELECTED);  // a hole
    Press('C', VK_CONTROL);
    EXPECT_EQ(ClipboardText(), L"a\tb\tc\r\nd\t\t");
    // Cut copies and empties.
    m_grid.SetSelectedRange(1, 1, 1, 2);
    Press('X', VK_CONTROL);
    EXPECT_EQ(ClipboardText(), L"a\tb");
    EXPECT_EQ(RowText(1).substr(0, 3), L"..c");
}

TEST_F(GridClipboard, PastesInCellAndCharacterMode)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* row1;
        const wchar_t* row2;
        const wchar_t* row3;
        const char* selection;
    };
    const Case cases[] = {
        {L"xy", L"xy..", L"....", L"....", "1,1-1,2"},
        {L"x", L"x...", L"....", L"....", "1,1-1,1"},
        {L"ab\r\n\r\ncd", L"ab..", L"cd..", L"....", "1,1-2,2"},
        {L"a\tb\r\n\r\nc", L"ab..", L"....", L"c...", "1,1-3,2"},
        {L"a\t,\tb", L"a,b.", L"....", L"....", "1,1-1,3"},
        {L" ", L"....", L"....", L"....", "1,1-1,1"},  // a space empties the cell
    };
    for (const Case& c : cases) {
        for (int row = 1; row <= 3; ++row)
            for (int col = 1; col <= 4; ++col)
                m_grid.SetItemText(row, col, row == 1 && col == 1 ? L"q" : L"");
        m_grid.SetFocusCell(1, 1);
        m_grid.SetSelectedRange(1, 1, 1, 1);
        SetClipboardText(c.text);
        Press('V', VK_CONTROL);
        EXPECT_EQ(RowText(1).substr(0, 4), c.row1) << c.text;
        EXPECT_EQ(RowText(2).substr(0, 4), c.row2) << c.text;
        EXPECT_EQ(RowText(3).substr(0, 4), c.row3) << c.text;
        EXPECT_EQ(Selection(), c.selection) << c.text;
    }
}

TEST_F(GridClipboard, WideCharactersPasteWholeOrNotAtAll)
{
    // A Chinese character takes two cells and the next one goes two columns on.
    m_grid.SetFocusCell(1, 1);
    SetClipboardText(L"\x4E2D" L"a\x20AC");
    Press('V', VK_CONTROL);
    EXPECT_EQ(RowHalves(1).substr(0, 5), "LR...");
    EXPECT_EQ(RowText(1).substr(0, 5), L"\x4E2D.a\x20AC.");  // the euro sign takes one cell

    struct Refusal {
        int machineType;
        int acceptedClass;
        CCellID at;
        const wchar_t* text;
    };
    PutWide(2, 5, 0x6587);
    const Refusal refusals[] = {
        {0x21, 1, {3, 1}, L"ab\x4E2D"},   // older device: no double-width character
        {0x51, 2, {3, 1}, L"ab\x4E2D"},   // a text set that does not use them
        {0x51, 1, {3, 23}, L"a\x4E2D"},   // the last column has no room for the second half
        {0x51, 1, {2, 2}, L"xy\x4E2D"},   // would break the character in columns 5 and 6
        {0x51, 1, {2, 4}, L"x" L"y"},      // one narrow character over half of a wide one
        {0x51, 1, {2, 23}, L"a\r\n" L"b\t\x4E2D"},  // refused on a later line: the first stays too
    };
    for (const Refusal& r : refusals) {
        m_owner.m_nMachineType = r.machineType;
        m_owner.m_nAcceptedClass = r.acceptedClass;
        const std::wstring before2 = RowText(2), before3 = RowText(3), before4 = RowText(4);
        const std::string halves2 = RowHalves(2), halves3 = RowHalves(3);
        m_grid.SetFocusCell(r.at);
        m_grid.SetSelectedRange(r.at.row, r.at.col, r.at.row, r.at.col);
        SetClipboardText(r.text);
        Press('V', VK_CONTROL);
        EXPECT_EQ(RowText(2), before2) << r.text;
        EXPECT_EQ(RowText(3), before3) << r.text;
        EXPECT_EQ(RowText(4), before4) << r.text;
        EXPECT_EQ(RowHalves(2), halves2) << r.text;
        EXPECT_EQ(RowHalves(3), halves3) << r.text;
    }
    // A copied pair comes back as a pair: the right half's own text lands on the right half.
    m_owner.m_nMachineType = 0x51;
    m_owner.m_nAcceptedClass = 1;
    m_grid.SetFocusCell(2, 4);
    m_grid.SetSelectedRange(2, 4, 2, 7);
    Press('C', VK_CONTROL);
    EXPECT_EQ(ClipboardText(), L"\t\x6587\t\t");
    m_grid.SetFocusCell(4, 10);
    m_grid.SetSelectedRange(4, 10, 4, 10);
    Press('V', VK_CONTROL);
    EXPECT_EQ(RowHalves(4).substr(9, 4), ".LR.");
    EXPECT_EQ(m_grid.GetItemText(4, 11), CString(L"\x6587"));
}

TEST_F(GridClipboard, FieldsKeepTheirCells)
{
    AddField(1, 5, 4, 0);          // a value field over columns 5-8 of row 1
    AddField(1, 12, 6, GRIDFIELD_SCOPE);  // a scope over rows 1-3, columns 12-17
    // Pasting onto the first row of a field is refused and changes nothing.
    m_grid.SetFocusCell(1, 3);
    m_grid.SetSelectedRange(1, 3, 1, 3);
    SetClipboardText(L"abcd");
    Press('V', VK_CONTROL);
    EXPECT_EQ(RowText(1).substr(0, 8), L"........");
    // The rows below a scope's first row take text.
    m_grid.SetFocusCell(2, 12);
    m_grid.SetSelectedRange(2, 12, 2, 12);
    Press('V', VK_CONTROL);
    EXPECT_EQ(RowText(2).substr(11, 4), L"abcd");
    // With a field selected, copying a range that touches it is refused with a message.
    ClickCell(1, 6);
    ASSERT_NE(m_grid.GetSelectedField(), nullptr);
    m_grid.SetSelectedRange(1, 3, 1, 6);
    SetClipboardText(L"old");
    drv.Host().ClearMessageBoxes();
    Press('C', VK_CONTROL);
    EXPECT_EQ(ClipboardText(), L"old");
    ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(drv.Host().MessageBoxes()[0].text, L"Copy/paste of parameters is not supported.");
}

} // namespace
} // namespace gridtest
