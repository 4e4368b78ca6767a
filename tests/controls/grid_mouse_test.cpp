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

TEST_F(GridMouse, TheDividersOfTheHeadingsTakeThePointer)
{
    m_grid.m_bColumnResizeEnabled = m_grid.m_bRowResizeEnabled = TRUE;
    const struct {
        CPoint at;
        int mode;
    } cases[] = {
        {CPoint(4 * kCellW - 1, kHeaderH / 2), GRIDMOUSE_OVER_COL_DIVIDE},        // heading row, end of column 3
        {CPoint(kCellW / 2, kHeaderH + 2 * kRowH - 1), GRIDMOUSE_OVER_ROW_DIVIDE},  // heading column, end of row 2
        {CPoint(kCellW / 2, kHeaderH + kRowH + kRowH / 2), GRIDMOUSE_NOTHING},       // the middle of row 2
        {CPoint(4 * kCellW - 1, kHeaderH + kRowH / 2), GRIDMOUSE_NOTHING},          // a cell, not a heading
    };
    for (const auto& c : cases) {
        drv.MouseMove(ScreenOf(c.at));
        drv.Pump();
        EXPECT_EQ(m_grid.GetMouseMode(), c.mode) << c.at.x << "," << c.at.y;
    }
}

} // namespace
} // namespace gridtest

namespace gridtest {
namespace {

// Drags the selected cells from one cell to another, Ctrl held at the drop when asked.
void DragCells(GridTest& t, CHeadlessDriver& drv, CPoint from, CPoint to, bool bCtrl)
{
    drv.Host().QueueIdleStep([&drv, to] { drv.MouseMove(to); });
    drv.Host().QueueIdleStep([&drv, to, bCtrl] {
        if (bCtrl)
            drv.KeyDown(VK_CONTROL);
        drv.MouseMove(CPoint(to.x + 1, to.y));
    });
    drv.Host().QueueIdleStep([&drv, to] { drv.MouseUp(CPoint(to.x + 1, to.y)); });
    drv.MouseMove(from);
    drv.MouseDown(from);
    drv.MouseMove(CPoint(from.x + 4, from.y));
    drv.Pump();
    if (bCtrl)
        drv.KeyUp(VK_CONTROL);
    drv.Pump();
    drv.AdvanceClock(1000);
}

TEST_F(GridMouse, DraggingCellsMovesOrCopiesTheirText)
{
    m_grid.SetFocusCell(1, 1);
    TypeText(L"ab");
    PutWide(1, 3, 0x4E2D);
    AddField(3, 1, 4, 0);
    struct Case {
        CCellID to;
        bool bCtrl;
        const wchar_t* row1;
        const wchar_t* row2;
    };
    const Case cases[] = {
        {{2, 6}, false, L"........", L".....ab\x4E2D"},  // moved, the pair with it
        {{1, 2}, true, L".ab\x4E2D....", L".....ab\x4E2D"},   // copied
    };
    for (const Case& c : cases) {
        const int row = c.bCtrl ? 2 : 1;
        const int col = c.bCtrl ? 6 : 1;
        ClickCell(row, col);
        drv.AdvanceClock(1000);
        ClickCell(row, col + 3, VK_SHIFT);
        drv.AdvanceClock(1000);
        DragCells(*this, drv, ScreenOf(CellCenter(row, col + 1)), ScreenOf(CellCenter(c.to.row, c.to.col)), c.bCtrl);
        EXPECT_EQ(RowText(1).substr(0, 8), c.row1);
        EXPECT_EQ(RowText(2).substr(0, 9), std::wstring(c.row2) + L".");
    }
    EXPECT_EQ(RowHalves(2).substr(0, 9), ".......LR");
    // A drop on the first row of a field is refused and the source keeps its text.
    ClickCell(2, 6);
    drv.AdvanceClock(1000);
    ClickCell(2, 7, VK_SHIFT);
    drv.AdvanceClock(1000);
    DragCells(*this, drv, ScreenOf(CellCenter(2, 6)), ScreenOf(CellCenter(3, 2)), false);
    EXPECT_EQ(RowText(2).substr(5, 2), L"ab");
    EXPECT_EQ(RowText(3).substr(0, 4), L"....");
}

} // namespace
} // namespace gridtest
