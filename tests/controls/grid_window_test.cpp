// The grid as a dialog places it: a window of the class "MFCGridCtrl" subclassed by the grid
// object, its fixed font, the wheel and typed characters that start no edit.
#include "grid_test_support.h"

#include "platform/ui/core/WinUser.h"

namespace gridtest {
namespace {

TEST(GridWindow, SubclassedFromTheDialogsWindowClass)
{
    CHeadlessDriver drv;
    CGridCtrl grid;  // registers the class, as the dialog needs it before its controls exist
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"Dialog", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300),
                              nullptr, 0));
    HWND hGrid = CreateWindowExW(0, GRIDCTRL_CLASSNAME, L"", WS_CHILD | WS_VISIBLE, 10, 10, 300, 200, host.m_hWnd,
                                 HMENU(UINT_PTR(1123)), nullptr, nullptr);
    ASSERT_NE(hGrid, nullptr);
    ASSERT_TRUE(grid.SubclassDlgItem(1123, &host));
    EXPECT_TRUE(grid.GetExStyle() & WS_EX_CLIENTEDGE);
    // Whatever font the dialog gives, the cells use Arial 24 x 8.
    CFont big;
    big.CreatePointFont(200, L"Courier New");
    grid.SetFont(&big);
    for (BOOL bFixedRow : {FALSE, TRUE}) {
        const LOGFONT* plf = grid.GetDefaultCell(bFixedRow, FALSE)->GetFont();
        EXPECT_EQ(plf->lfHeight, 24);
        EXPECT_EQ(plf->lfWidth, 8);
        EXPECT_EQ(std::wstring(plf->lfFaceName), L"Arial");
    }
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetItemText(1, 1, L"x");
    drv.Pump();
    EXPECT_EQ(grid.GetItemText(1, 1), CString(L"x"));
    grid.DestroyWindow();
    host.DestroyWindow();
    drv.Pump();
}

class GridWheel : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        m_grid.SetRowCount(40);  // taller than the window
        for (int row = 5; row < 40; ++row)
            m_grid.SetRowHeight(row, kRowH);
        drv.Pump();
    }
};

TEST_F(GridWheel, NotchesScrollLinesOrPages)
{
    CRect client;
    m_grid.GetClientRect(&client);
    const int page = client.Height() - kHeaderH;
    struct Case {
        int lines;    // lines a notch scrolls; -1 a page
        int notches;  // +1 = 120, up
    };
    const Case cases[] = {{3, -1}, {3, 1}, {-1, -2}, {1, -2}};
    for (const Case& c : cases) {
        m_grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
        for (int i = 0; i < 19; ++i)
            m_grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        const int before = m_grid.GetScrollOffset(SB_VERT);
        ASSERT_EQ(before, 19 * kRowH);
        m_grid.m_nWheelLines = c.lines;
        drv.Wheel(ScreenOf(CPoint(3 * kCellW, kHeaderH + 5)), 120 * c.notches);
        drv.Pump();
        const int expected = c.lines == -1 ? -c.notches * page : -c.notches * c.lines * kRowH;
        EXPECT_EQ(m_grid.GetScrollOffset(SB_VERT) - before, expected) << c.lines << " lines, " << c.notches;
    }
}

} // namespace
} // namespace gridtest
