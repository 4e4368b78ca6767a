// The grid's model and arithmetic: counts and fixed cells, the focus clamp, selection ranges,
// cell geometry and hit tests, stretching sizes, sorting and virtual mode.
#include "grid_test_support.h"

namespace gridtest {
namespace {

TEST(GridModel, CountsFixedCellsAndDefaults)
{
    CHeadlessDriver drv;
    CGridCtrl grid;
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetCell(0, 0), nullptr);
    // A fixed row on an empty grid first makes the row.
    EXPECT_TRUE(grid.SetFixedRowCount(1));
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_TRUE(grid.SetColumnCount(3));
    EXPECT_TRUE(grid.SetRowCount(4));
    EXPECT_TRUE(grid.SetFixedColumnCount(1));
    EXPECT_EQ(grid.GetItemState(0, 1) & (GRIDSTATE_FIXED | GRIDSTATE_FIXEDROW), GRIDSTATE_FIXED | GRIDSTATE_FIXEDROW);
    EXPECT_EQ(grid.GetItemState(2, 0) & (GRIDSTATE_FIXED | GRIDSTATE_FIXEDCOL), GRIDSTATE_FIXED | GRIDSTATE_FIXEDCOL);
    EXPECT_EQ(grid.GetItemState(2, 2) & GRIDSTATE_FIXED, 0u);
    // New columns take the fixed-column default width, new rows the normal default height.
    EXPECT_EQ(grid.GetColumnWidth(2), grid.GetDefaultCell(FALSE, TRUE)->GetWidth());
    EXPECT_EQ(grid.GetRowHeight(3), grid.GetDefaultCell(FALSE, FALSE)->GetHeight());
    EXPECT_EQ(grid.GetColumnWidth(3), -1);
    EXPECT_EQ(grid.GetRowHeight(-1), -1);
    EXPECT_FALSE(grid.SetRowHeight(1, -2));

    // Focus is kept out of the fixed cells; removing its row clears it.
    EXPECT_EQ(grid.SetFocusCell(0, 0), CCellID(-1, -1));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
    EXPECT_TRUE(grid.GetItemState(1, 1) & GRIDSTATE_FOCUSED);
    grid.SetFocusCell(3, 2);
    EXPECT_FALSE(grid.GetItemState(1, 1) & GRIDSTATE_FOCUSED);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
    // Fewer rows than fixed rows lower the fixed count.
    grid.SetFixedRowCount(2);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
}

TEST(GridModel, SelectionRanges)
{
    CHeadlessDriver drv;
    CGridCtrl grid(5, 6, 1, 1);
    struct Case {
        int minRow, minCol, maxRow, maxCol;
        const char* bounds;  // "" for nothing selected
    };
    const Case cases[] = {
        {1, 1, 2, 3, "1,1-2,3"},
        {0, 0, 1, 1, "1,1-1,1"},   // fixed rows and columns are clamped away
        {2, 2, 9, 3, ""},          // beyond the last row: nothing, old selection cleared
        {3, 4, 3, 4, "3,4-3,4"},
        {-1, -1, -1, -1, ""},
        {2, 3, 1, 3, ""},          // min above max
    };
    for (const Case& c : cases) {
        grid.SetSelectedRange(c.minRow, c.minCol, c.maxRow, c.maxCol);
        std::string bounds;
        if (grid.GetSelectedCount() > 0) {
            const CCellRange r = grid.GetSelectionBounds();
            bounds = std::to_string(r.GetMinRow()) + "," + std::to_string(r.GetMinCol()) + "-" +
                     std::to_string(r.GetMaxRow()) + "," + std::to_string(r.GetMaxCol());
        } else {
            EXPECT_FALSE(grid.IsValid(grid.GetSelectionBounds()));
        }
        EXPECT_EQ(bounds, c.bounds) << c.minRow << "," << c.minCol << "-" << c.maxRow << "," << c.maxCol;
    }
    // The state bit and the selection map move together, also through SetItemState.
    grid.SetSelectedRange(1, 1, 1, 2);
    grid.SetItemState(1, 2, 0);
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    grid.SetItemState(4, 5, GRIDSTATE_SELECTED);
    EXPECT_TRUE(grid.IsCellSelected(4, 5));
    EXPECT_EQ(grid.GetSelectedCount(), 2);
    grid.SetRowCount(4);  // destroying the cell drops its key
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    // With selection switched off nothing is selected.
    grid.m_bSelectionEnabled = FALSE;
    EXPECT_FALSE(grid.IsCellSelected(1, 1));
    grid.SetSelectedRange(1, 1, 2, 2);
    EXPECT_EQ(grid.GetSelectedCount(), 1);
}

class GridGeometry : public GridTest {};

TEST_F(GridGeometry, CellsAndPoints)
{
    CRect rect;
    ASSERT_TRUE(m_grid.GetCellRect(0, 0, &rect));
    EXPECT_EQ(rect, CRect(0, 0, kCellW - 1, kHeaderH - 1));
    ASSERT_TRUE(m_grid.GetCellRect(2, 3, &rect));
    EXPECT_EQ(rect, CRect(3 * kCellW, kHeaderH + kRowH, 4 * kCellW - 1, kHeaderH + 2 * kRowH - 1));
    ASSERT_TRUE(m_grid.GetCellRangeRect(CCellRange(1, 1, 3, 2), &rect));
    EXPECT_EQ(rect, CRect(kCellW, kHeaderH, 3 * kCellW - 1, kHeaderH + 3 * kRowH - 1));

    struct Case {
        CPoint pt;
        BOOL bFixed;
        CCellID cell;
    };
    const Case cases[] = {
        {{5, 5}, TRUE, {0, 0}},
        {{5, 5}, FALSE, {-1, -1}},
        {{kCellW * 24 + 3, kHeaderH + 1}, TRUE, {1, 24}},
        {{kCellW * 25 + 1, kHeaderH + 1}, TRUE, {1, -1}},  // right of the last column
        {{-1, 30}, TRUE, {1, -1}},
        {{kCellW, kHeaderH + kRowH}, TRUE, {2, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m_grid.GetCellFromPt(c.pt, c.bFixed), c.cell) << c.pt.x << "," << c.pt.y;
    // A hidden column is never the cell under a point.
    m_grid.SetColumnWidth(2, 0);
    EXPECT_EQ(m_grid.GetCellFromPt(CPoint(2 * kCellW + 1, kHeaderH + 1)).col, 3);
    EXPECT_EQ(m_grid.GetCellClickPoint(1, 1, CPoint(kCellW + 4, kHeaderH + 6)), CPoint(4, 6));
}

TEST_F(GridGeometry, ScrollBarsAndEnsureVisible)
{
    // Everything fits: no bars.
    EXPECT_EQ(m_grid.GetScrollBarsShown(), 0);
    EXPECT_EQ(m_grid.GetHorzScrollMax(), 0);
    // Narrower than its columns: the horizontal bar, and scrolling brings the last cell in.
    m_grid.MoveWindow(10, 10, 12 * kCellW, kHeaderH + 4 * kRowH + 4 + GetSystemMetrics(SM_CYHSCROLL));
    drv.Pump();
    EXPECT_TRUE(m_grid.GetScrollBarsShown() & GRIDLINES_HORZ);
    EXPECT_EQ(m_grid.GetHorzScrollMax(), 24 * kCellW - 1);
    EXPECT_FALSE(m_grid.IsCellVisible(1, 24));
    m_grid.EnsureVisible(1, 24);
    EXPECT_TRUE(m_grid.IsCellVisible(1, 24));
    CRect cell, client;
    m_grid.GetClientRect(&client);
    ASSERT_TRUE(m_grid.GetCellRect(1, 24, &cell));
    EXPECT_LE(cell.right, client.right);
    // A scrolled-out cell has no rectangle; a fixed one always has.
    EXPECT_FALSE(m_grid.GetCellRect(1, 1, &cell));
    EXPECT_TRUE(m_grid.GetCellRect(0, 0, &cell));
    // Line left at the first column does nothing more.
    for (int i = 0; i < 40; ++i)
        m_grid.SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(m_grid.GetScrollOffset(SB_HORZ), 0);
    EXPECT_EQ(m_grid.GetFirstVisibleCell(), CCellID(1, 1));
    // Across, a line is the next column that has a width, a page the view right of the header
    // column; the ends go to either edge.
    m_grid.SetColumnWidth(2, 0);
    drv.Pump();
    m_grid.GetClientRect(&client);
    const int page = client.Width() - m_grid.GetHeaderColumnsWidth();
    m_grid.SendMessage(WM_HSCROLL, SB_RIGHT, 0);
    const int end = m_grid.GetScrollOffset(SB_HORZ);
    EXPECT_GT(end, page);
    const struct {
        UINT code;
        int offset;
    } steps[] = {{SB_LEFT, 0},       {SB_LINERIGHT, kCellW}, {SB_LINERIGHT, 2 * kCellW}, {SB_LEFT, 0},
                 {SB_PAGERIGHT, page}, {SB_PAGERIGHT, end},  {SB_PAGELEFT, end - page},   {SB_LINELEFT, end - page - kCellW}};
    for (const auto& step : steps) {
        m_grid.SendMessage(WM_HSCROLL, step.code, 0);
        EXPECT_EQ(m_grid.GetScrollOffset(SB_HORZ), step.offset) << step.code;
    }
}

TEST_F(GridGeometry, StretchSpreadsTheRemainder)
{
    // Three columns of 20 in a grid whose client is 7 pixels wider (or narrower).
    struct Case {
        int delta;
        int widths[3];
    };
    const Case cases[] = {{7, {23, 22, 22}}, {-7, {17, 18, 18}}, {0, {20, 20, 20}}};
    for (const Case& c : cases) {
        m_grid.SetColumnCount(3);
        for (int col = 0; col < 3; ++col)
            m_grid.SetColumnWidth(col, 20);
        CRect client;
        m_grid.GetClientRect(&client);
        m_grid.MoveWindow(10, 10, 60 + c.delta + 4, client.Height() + 4);
        m_grid.StretchColumns(TRUE);
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(m_grid.GetColumnWidth(col), c.widths[col]) << c.delta << " column " << col;
    }
    // Hidden columns stay hidden through AutoSize and ExpandToFit.
    m_grid.SetColumnWidth(0, 0);
    m_grid.SetRowHeight(0, 0);
    m_grid.AutoSize();
    m_grid.ExpandToFit();
    EXPECT_EQ(m_grid.GetColumnWidth(0), 0);
    EXPECT_EQ(m_grid.GetRowHeight(0), 0);
    EXPECT_FALSE(m_grid.FitColumn(0));
}

TEST(GridModel, SortingAndVirtualMode)
{
    CHeadlessDriver drv;
    CGridCtrl grid(5, 2, 1, 0);
    const wchar_t* values[] = {L"10", L"9", L"100", L"9"};
    for (int row = 1; row < 5; ++row) {
        grid.SetItemText(row, 0, values[row - 1]);
        grid.SetItemText(row, 1, CString(wchar_t(L'a' + row)));
    }
    grid.SetCompareFunction(CGridCtrl::CompareCellNumbers);
    grid.SortItems(0, TRUE);
    std::wstring order;
    for (int row = 1; row < 5; ++row)
        order += std::wstring(grid.GetItemText(row, 0).GetString()) + L" ";
    EXPECT_EQ(order, L"9 9 10 100 ");
    grid.SortItems(0, FALSE);
    EXPECT_EQ(std::wstring(grid.GetItemText(1, 0).GetString()), L"100");
    // Rows found equal stay where they are.
    grid.SetCompareFunction([](LPARAM, LPARAM, LPARAM) { return 0; });
    const CString before = grid.GetItemText(1, 1) + grid.GetItemText(2, 1) + grid.GetItemText(3, 1);
    grid.SortItems(1, TRUE);
    EXPECT_EQ(grid.GetItemText(1, 1) + grid.GetItemText(2, 1) + grid.GetItemText(3, 1), before);

    // Virtual mode empties the grid, turns editing off and asks the supplier for every cell.
    grid.SetVirtualMode(TRUE);
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_FALSE(grid.m_bEditingAllowed);
    grid.SetRowCount(3);
    grid.SetColumnCount(2);
    grid.m_pfnCellSupplier = [](GRID_DISPINFO* info, LPARAM) {
        info->item.strText.Format(L"%d/%d", info->item.row, info->item.col);
        info->item.nState |= GRIDSTATE_READONLY;
        return TRUE;
    };
    EXPECT_EQ(std::wstring(grid.GetItemText(2, 1).GetString()), L"2/1");
    EXPECT_FALSE(grid.SetItemText(1, 1, L"x"));
    grid.SetSelectedRange(1, 1, 1, 1);
    EXPECT_EQ(grid.GetItemState(1, 1) & (GRIDSTATE_SELECTED | GRIDSTATE_READONLY),
              GRIDSTATE_SELECTED | GRIDSTATE_READONLY);
    grid.m_pfnVirtualSortCompare = [](int a, int b) { return a > b; };
    grid.SortItems(0, TRUE);
    EXPECT_EQ(std::wstring(grid.GetItemText(0, 0).GetString()), L"2/0");
}

} // namespace
} // namespace gridtest
