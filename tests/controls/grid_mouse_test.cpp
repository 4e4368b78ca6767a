// The mouse of the grid: presses and drags that select whole double-width characters, Ctrl and
// Shift selection, header clicks, sizing a column at its divider, and the notifications.
#include "grid_test_support.h"

namespace gridtest {
namespace {

using GridMouse = GridTest;

TEST_F(GridMouse, PressesAndDragsSelectWholeCharacters)
{
    PutWide(2, 5, 0x4E2D);
    PutWide(3, 8, 0x6587);
    struct Case {
        CCellID press;
        CCellID release;  // (-1, -1): no drag
        const char* selection;
        CCellID focus;
    };
    const Case cases[] = {
        {{2, 5}, {-1, -1}, "2,5-2,6", {2, 5}},  // the left half
        {{2, 6}, {-1, -1}, "2,5-2,6", {2, 5}},  // the right half
        {{2, 2}, {2, 5}, "2,2-2,6", {2, 5}},    // dragged onto a character takes it whole
        {{2, 9}, {2, 6}, "2,5-2,9", {2, 5}},    // and from the right too
        {{2, 2}, {3, 8}, "2,2-3,9", {3, 8}},    // over two rows
        {{3, 9}, {2, 9}, "2,8-3,9", {2, 9}},    // started on a right half
    };
    for (const Case& c : cases) {
        m_grid.ResetSelectedRange();  // a press on a selected cell would drag it instead
        const CPoint from = ScreenOf(CellCenter(c.press.row, c.press.col));
        drv.MouseMove(from);
        drv.MouseDown(from);
        if (c.release.IsValid()) {
            drv.MouseMove(ScreenOf(CellCenter(c.release.row, c.release.col)));
            drv.MouseUp(ScreenOf(CellCenter(c.release.row, c.release.col)));
        } else {
            drv.MouseUp(from);
        }
        drv.Pump();
        drv.AdvanceClock(1000);
        EXPECT_EQ(Selection(), c.selection) << c.press.row << "," << c.press.col;
        EXPECT_EQ(m_grid.GetFocusCell(), c.focus) << c.press.row << "," << c.press.col;
    }
}

TEST_F(GridMouse, ModifiersHeadersAndNotifications)
{
    ClickCell(1, 2);
    ClickCell(2, 4, VK_SHIFT);
    EXPECT_EQ(Selection(), "1,2-2,4");
    drv.AdvanceClock(1000);
    ClickCell(4, 20, VK_CONTROL);  // Ctrl keeps the earlier selection
    EXPECT_EQ(m_grid.GetSelectedCount(), 7);
    EXPECT_TRUE(m_grid.IsCellSelected(4, 20));
    drv.AdvanceClock(1000);
    // A click on a header column cell selects its row, on a header row cell its column.
    ClickCell(3, 0);
    EXPECT_EQ(Selection(), "3,1-3,24");
    drv.AdvanceClock(1000);
    ClickCell(0, 7);
    EXPECT_EQ(Selection(), "1,7-4,7");
    drv.AdvanceClock(1000);
    // Press and release on a selected cell collapses the selection to it, with the notifications.
    ClickCell(2, 7);
    m_host.m_codes.clear();
    drv.AdvanceClock(1000);
    m_grid.SetSelectedRange(1, 7, 4, 7);
    ClickCell(2, 7);
    EXPECT_EQ(Selection(), "2,7-2,7");
    const std::vector<int> expected = {int(NM_CLICK), int(GVN_SELCHANGING), int(GVN_SELCHANGED)};
    EXPECT_EQ(m_host.m_codes, expected);
}

TEST_F(GridMouse, SizingAColumnAtItsDivider)
{
    // Dragging the divider after column 3 in the header row to its left edge hides it; a grid
    // that may not hide keeps one pixel.
    for (BOOL bAllowHide : {TRUE, FALSE}) {
        m_grid.SetColumnWidth(3, kCellW);
        m_grid.m_bColumnAllowHide = bAllowHide;
        const CPoint divider = ScreenOf(CPoint(4 * kCellW - 1, kHeaderH / 2));
        drv.MouseMove(divider);
        drv.Pump();
        EXPECT_EQ(m_grid.GetMouseMode(), GRIDMOUSE_OVER_COL_DIVIDE);
        drv.MouseDown(divider);
        drv.MouseMove(ScreenOf(CPoint(3 * kCellW + 8, kHeaderH / 2)));
        drv.MouseMove(ScreenOf(CPoint(3 * kCellW, kHeaderH / 2)));
        drv.MouseUp(ScreenOf(CPoint(3 * kCellW, kHeaderH / 2)));
        drv.Pump();
        drv.AdvanceClock(1000);
        EXPECT_EQ(m_grid.GetColumnWidth(3), bAllowHide ? 0 : 1);
        EXPECT_EQ(m_grid.GetMouseMode(), GRIDMOUSE_NOTHING);
    }
}

} // namespace
} // namespace gridtest
