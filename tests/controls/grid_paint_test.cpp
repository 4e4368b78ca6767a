// What the grid shows: no grid line inside a double-width character, the focus frame around both
// of its columns, fields over the cells, and a screenshot of a message text with every field
// kind and Chinese text.
#include "grid_test_support.h"
#include "tests/support/BesideTheTests.h"

#include <filesystem>

namespace gridtest {
namespace {

using GridPaint = GridTest;

constexpr COLORREF kLine = RGB(192, 192, 192);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST_F(GridPaint, NoLineDividesAWideCharacter)
{
    PutWide(2, 5, 0x4E2D);
    m_grid.SetFocusCell(4, 20);
    const int top = kHeaderH + kRowH + 2;  // near the top of row 2, above the character
    const int inside = 6 * kCellW - 1;     // the line between columns 5 and 6
    const int after = 8 * kCellW - 1;      // the line after column 7
    m_grid.Invalidate();
    drv.Pump();
    EXPECT_NE(GridPixel(inside, top), kLine);
    EXPECT_EQ(GridPixel(after, top), kLine);
    // Repainting the cell alone keeps it so, and draws its lines past the right half.
    m_grid.RedrawCell(2, 5);
    m_grid.RedrawCell(2, 6);
    EXPECT_NE(GridPixel(inside, top), kLine);
    EXPECT_EQ(GridPixel(7 * kCellW - 1, top), kLine);
}

TEST_F(GridPaint, FocusFrameTakesInBothHalves)
{
    PutWide(2, 5, 0x4E2D);
    m_grid.SetFocusCell(2, 5);
    m_grid.Invalidate();
    drv.Pump();
    const int y = kHeaderH + kRowH + kRowH / 2;
    EXPECT_EQ(GridPixel(5 * kCellW, y), kRed);
    EXPECT_EQ(GridPixel(7 * kCellW - 2, y), kRed);
    // A narrow focus cell has its frame on its own edges.
    m_grid.SetFocusCell(3, 10);
    drv.Pump();
    EXPECT_EQ(GridPixel(11 * kCellW - 2, kHeaderH + 2 * kRowH + kRowH / 2), kRed);
    EXPECT_NE(GridPixel(7 * kCellW - 2, y), kRed);
}

TEST_F(GridPaint, ScreenshotOfFieldsAndChineseText)
{
    const wchar_t* line1 = L"Tank";
    for (int i = 0; line1[i]; ++i)
        m_grid.SetItemText(1, 1 + i, CString(line1[i]));
    PutWide(1, 6, 0x6C34);  // 水
    PutWide(1, 8, 0x4F4D);  // 位
    CTestField* pValue = AddField(1, 11, 6, 0);
    AddField(1, 20, 5, GRIDFIELD_GRAPH)->m_crColor = RGB(90, 90, 200);
    AddField(2, 1, 8, GRIDFIELD_BAR)->m_crColor = RGB(200, 120, 0);
    AddField(2, 12, 4, GRIDFIELD_SCOPE)->m_crColor = RGB(0, 140, 140);
    AddField(2, 16, 4, GRIDFIELD_POINTER)->m_crColor = RGB(140, 0, 140);
    AddField(3, 1, 6, GRIDFIELD_SCALETIME)->m_crColor = RGB(120, 80, 40);
    AddField(4, 1, 5, GRIDFIELD_ONOFF)->m_crColor = RGB(160, 40, 40);
    PutWide(4, 6, 0x6E29);  // 温
    PutWide(4, 8, 0x5EA6);  // 度
    m_grid.SetItemText(4, 10, L"2");
    m_grid.SetItemText(4, 11, CString(wchar_t(0x00B0)));
    pValue->SetFieldSelected(TRUE);
    m_grid.SetFocusCell(3, 8);
    m_grid.Invalidate();
    drv.Pump();
    const CRect value = pValue->m_rect;
    EXPECT_EQ(GridPixel(value.left + 2, value.bottom - 3), pValue->m_crColor);
    EXPECT_GT(drv.DistinctColours(m_host.m_hWnd, CRect(10 + 6 * kCellW, 10 + kHeaderH, 10 + 10 * kCellW,
                                                       10 + kHeaderH + kRowH)),
              2);  // the Chinese characters show
    EXPECT_TRUE(drv.SaveScreenshot(m_host.m_hWnd, BesideTheTests("grid_message_text.png")));
}

} // namespace
} // namespace gridtest
