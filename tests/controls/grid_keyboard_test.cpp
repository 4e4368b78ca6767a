// The keyboard of the message-text grid: typing one character a cell, double-width characters
// taking two cells and never split by a key, moving and selecting over them, Tab, Home, End,
// Delete and the edit shortcuts.
#include "grid_test_support.h"

namespace gridtest {
namespace {

using GridKeyboard = GridTest;

TEST_F(GridKeyboard, TypingFillsCellsAndMovesOn)
{
    m_grid.SetFocusCell(1, 1);
    TypeText(L"ab");
    EXPECT_EQ(RowText(1).substr(0, 3), L"ab.");
    EXPECT_EQ(m_grid.GetFocusCell(), CCellID(1, 3));
    // Backspace steps back and empties that cell.
    drv.Key(VK_BACK, L'\b');
    drv.Pump();
    EXPECT_EQ(RowText(1).substr(0, 3), L"a..");
    EXPECT_EQ(m_grid.GetFocusCell(), CCellID(1, 2));
    // The parent may refuse an edit.
    m_host.m_nRefuseEdits = 1;
    TypeText(L"z");
    EXPECT_EQ(RowText(1).substr(0, 3), L"a..");
    // Escape, Enter and Ctrl+letter put nothing into a cell.
    drv.Key(VK_ESCAPE, L'\x1b');
    drv.Key(VK_RETURN, L'\r');
    Press('Q', VK_CONTROL);
    EXPECT_EQ(RowText(1).substr(0, 3), L"a..");
}

TEST_F(GridKeyboard, WideCharactersTakeTwoCellsWhenTheTextSetAcceptsThem)
{
    struct Case {
        int machineType;
        int acceptedClass;
        wchar_t ch;
        const char* halves;   // marks of columns 1-3 afterwards
        const wchar_t* text;  // texts of columns 1-3
        int focusCol;
    };
    const Case cases[] = {
        {0x51, 1, 0x4E2D, "LR.", L"\x4E2D..", 3},  // Chinese set: the character takes two cells
        {0x51, 2, 0x4E2D, "...", L"...", 1},       // "Others" set refuses it
        {0x51, 2, 0x00E9, "...", L"\x00E9..", 2},  // and takes an accented letter in one cell
        {0x21, 1, 0x4E2D, "...", L"...", 1},       // older devices take nothing from U+0080 up
    };
    for (const Case& c : cases) {
        for (int col = 1; col <= 3; ++col) {
            m_grid.SetItemText(1, col, L"");
            m_grid.SetItemState(1, col, 0);
        }
        m_owner.m_nMachineType = c.machineType;
        m_owner.m_nAcceptedClass = c.acceptedClass;
        m_grid.SetFocusCell(1, 1);
        TypeText(std::wstring(1, c.ch));
        EXPECT_EQ(RowHalves(1).substr(0, 3), c.halves) << int(c.ch) << " set " << c.acceptedClass;
        EXPECT_EQ(RowText(1).substr(0, 3), c.text) << int(c.ch);
        EXPECT_EQ(m_grid.GetFocusCell().col, c.focusCol) << int(c.ch);
    }
}

TEST_F(GridKeyboard, NothingSplitsAWideCharacter)
{
    // The last column has no room for the second half; a left half blocks the one before it.
    m_grid.SetFocusCell(1, 24);
    TypeText(L"\x4E2D");
    EXPECT_EQ(RowHalves(1).back(), '.');
    EXPECT_EQ(m_grid.GetItemText(1, 24), CString());
    PutWide(2, 6, 0x6587);
    m_grid.SetFocusCell(2, 5);
    TypeText(L"\x4E2D");
    EXPECT_EQ(RowHalves(2).substr(4, 3), ".LR");
    EXPECT_EQ(m_grid.GetItemText(2, 5), CString());
    // The cell can still take a character afterwards.
    TypeText(L"x");
    EXPECT_EQ(m_grid.GetItemText(2, 5), CString(L"x"));
    // A letter typed on a left half keeps the character and still moves on.
    m_grid.SetFocusCell(2, 6);
    TypeText(L"y");
    EXPECT_EQ(m_grid.GetItemText(2, 6), CString(L"\x6587"));
    EXPECT_EQ(m_grid.GetFocusCell(), CCellID(2, 8));
}

TEST_F(GridKeyboard, MovesOverWideCharacters)
{
    PutWide(2, 5, 0x4E2D);
    PutWide(3, 23, 0x6587);
    struct Case {
        CCellID from;
        UINT vk;
        UINT modifier;
        CCellID to;
        const char* selection;
    };
    const Case cases[] = {
        {{2, 4}, VK_RIGHT, 0, {2, 5}, "2,5-2,6"},
        {{2, 5}, VK_RIGHT, 0, {2, 7}, "2,7-2,7"},
        {{2, 7}, VK_LEFT, 0, {2, 5}, "2,5-2,6"},
        {{1, 6}, VK_DOWN, 0, {2, 5}, "2,5-2,6"},
        {{2, 4}, VK_RIGHT, VK_SHIFT, {2, 5}, "2,4-2,6"},
        {{3, 23}, VK_RIGHT, 0, {3, 23}, "3,23-3,24"},  // at the line's end it selects it again
        {{3, 2}, VK_END, 0, {3, 23}, "3,23-3,24"},
        {{3, 20}, VK_HOME, 0, {3, 1}, "3,1-3,1"},
        {{1, 24}, VK_TAB, 0, {2, 1}, "2,1-2,1"},
        {{2, 1}, VK_TAB, VK_SHIFT, {1, 24}, "1,24-1,24"},
        {{4, 24}, VK_TAB, 0, {4, 24}, "4,24-4,24"},  // the last cell keeps Tab in the grid
    };
    for (const Case& c : cases) {
        ClickCell(c.from.row, c.from.col);
        Press(c.vk, c.modifier);
        EXPECT_EQ(m_grid.GetFocusCell(), c.to) << c.from.row << "," << c.from.col << " key " << c.vk;
        EXPECT_EQ(Selection(), c.selection) << c.from.row << "," << c.from.col << " key " << c.vk;
        EXPECT_FALSE(m_grid.GetItemState(c.to.row, c.to.col) & GRIDSTATE_RIGHTHALF);
    }
    // Shift+Down into a row whose wide character straddles the right edge widens by a column.
    ClickCell(1, 2);
    for (int i = 0; i < 3; ++i)
        Press(VK_RIGHT, VK_SHIFT);
    Press(VK_DOWN, VK_SHIFT);
    EXPECT_EQ(Selection(), "1,2-2,6");
}

TEST_F(GridKeyboard, DeleteAndShortcuts)
{
    m_grid.SetFocusCell(1, 1);
    TypeText(L"ab");
    PutWide(1, 3, 0x4E2D);
    m_grid.SetFocusCell(1, 1);
    m_grid.SetSelectedRange(1, 1, 1, 4);
    Press(VK_DELETE);
    EXPECT_EQ(RowText(1).substr(0, 5), L".....");
    EXPECT_EQ(RowHalves(1).substr(0, 5), ".....");
    Press('A', VK_CONTROL);
    EXPECT_EQ(Selection(), "1,1-4,24");
    // Without a focus cell keys do nothing.
    m_grid.ResetSelectedRange();
    Press(VK_RIGHT);
    EXPECT_EQ(m_grid.GetFocusCell(), CCellID(-1, -1));
}

} // namespace
} // namespace gridtest
