// Message-text fields in the grid: selecting by a press, Delete, the placement rules of a
// dropped field, a field dragged with the mouse (moved, never lost or doubled), foreign drag
// data, cell edits next to fields, and the double-click on a field.
#include "grid_test_support.h"

#include "platform/ui/core/Clipboard.h"

#include <cstring>

namespace gridtest {
namespace {

using GridFields = GridTest;

int FieldCount(const CGridCtrl& grid)
{
    int n = 0;
    for (int line = 1; line <= 4; ++line)
        n += int(grid.m_arShownFields[line].size());
    return n;
}

TEST_F(GridFields, PlacementRules)
{
    AddField(1, 2, 4, 0);  // columns 2-5 of row 1
    PutWide(4, 10, 0x4E2D);
    struct Case {
        int kind, width, row, col;
        int placedCol;  // -1 refused
    };
    const Case cases[] = {
        {0, 5, 2, 21, -1},                  // would end past column 24
        {0, 5, 2, 20, 20},                  // ends in column 24
        {GRIDFIELD_SCOPE, 4, 3, 8, -1},     // a scope starts in row 1 or 2
        {GRIDFIELD_SCOPE, 4, 2, 8, 8},
        {GRIDFIELD_GRAPH, 6, 2, 8, -1},     // a graph picture only in row 1
        {GRIDFIELD_GRAPH, 6, 1, 8, 8},
        {0, 3, 1, 6, 6},                    // right beside the field: touching is no overlap
        {0, 3, 2, 2, 2},                    // the row below a one-row field
        {0, 3, 1, 4, -1},                   // covers two cells of the field
        {GRIDFIELD_POINTER, 3, 1, 1, -1},   // its first row overlaps the field's cells
        {0, 3, 4, 8, -1},                   // would end on the left half in column 10
        {0, 3, 4, 11, -1},                  // would start on the right half in column 11
        {0, 3, 4, 12, 12},
    };
    for (const Case& c : cases) {
        CTestField field(1, 1, c.width, c.kind);
        int placed = -1;
        const BOOL ok = m_grid.CanPlaceField(&field, c.row, c.col, &placed);
        EXPECT_EQ(ok ? placed : -1, c.placedCol) << "kind " << c.kind << " at " << c.row << "," << c.col;
    }
    // In the 12-character layout a field that would pass the last column moves left.
    Build(13);
    CTestField field(1, 1, 5, 0);
    int placed = -1;
    EXPECT_TRUE(m_grid.CanPlaceField(&field, 2, 11, &placed));
    EXPECT_EQ(placed, 8);
}

TEST_F(GridFields, PressSelectsAndDeleteRemoves)
{
    CTestField* pValue = AddField(1, 2, 4, 0);
    AddField(2, 10, 3, GRIDFIELD_BAR);
    ClickCell(1, 3);
    EXPECT_EQ(m_grid.GetSelectedField(), pValue);
    EXPECT_TRUE(pValue->IsFieldSelected());
    ClickCell(3, 20);  // the empty grid clears every field's selection
    EXPECT_EQ(m_grid.GetSelectedField(), nullptr);
    EXPECT_FALSE(pValue->IsFieldSelected());

    // The live display ignores Delete altogether: fields and cell texts stay.
    m_grid.SetItemText(3, 20, L"k");
    ClickCell(1, 3);
    m_grid.SetSelectedRange(1, 3, 3, 20);
    m_owner.m_bLive = TRUE;
    Press(VK_DELETE);
    EXPECT_EQ(FieldCount(m_grid), 2);
    EXPECT_EQ(m_grid.GetItemText(3, 20), CString(L"k"));
    m_owner.m_bLive = FALSE;
    Press(VK_DELETE);
    EXPECT_EQ(FieldCount(m_grid), 1);
    EXPECT_EQ(m_grid.GetSelectedField(), nullptr);
    EXPECT_EQ(m_grid.GetItemText(3, 20), CString());
}

TEST_F(GridFields, EditsKeepOutOfFields)
{
    AddField(1, 5, 4, 0);
    AddField(1, 12, 4, GRIDFIELD_SCOPE);
    struct Case {
        int row, col;
        wchar_t ch;
        bool bTaken;
    };
    const Case cases[] = {
        {1, 4, 0x4E2D, false},  // its second half would fall on the field
        {1, 4, L'a', true},
        {1, 6, L'b', false},    // on the field
        {3, 13, L'c', false},   // in the third row of the scope
        {4, 13, L'd', true},    // below it
    };
    for (const Case& c : cases) {
        m_grid.SetFocusCell(c.row, c.col);
        TypeText(std::wstring(1, c.ch));
        EXPECT_EQ(m_grid.GetItemText(c.row, c.col) == CString(c.ch), c.bTaken) << c.row << "," << c.col;
    }
}

TEST_F(GridFields, DraggedFieldMovesAndIsNeverDoubled)
{
    CTestField* pField = AddField(1, 5, 4, 0);
    for (int col = 10; col < 14; ++col)
        m_grid.SetItemText(2, col, L"x");
    PutWide(3, 3, 0x4E2D);

    // Press on the field, then drag from it (the second press lands on a selected cell).
    auto drag = [&](int toRow, int toCol, bool bCtrl) {
        const CPoint from = ScreenOf(CellCenter(pField->m_nRow, pField->m_nCol + 1));
        const CPoint to = ScreenOf(CellCenter(toRow, toCol));
        drv.Click(from);
        drv.Pump();
        drv.AdvanceClock(1000);  // the next press is no double-click
        drv.Host().QueueIdleStep([&, to] { drv.MouseMove(to); });
        drv.Host().QueueIdleStep([&, to, bCtrl] {
            if (bCtrl)
                drv.KeyDown(VK_CONTROL);
            drv.MouseMove(CPoint(to.x + 1, to.y));
        });
        drv.Host().QueueIdleStep([&, to] { drv.MouseUp(CPoint(to.x + 1, to.y)); });
        drv.MouseDown(from);
        drv.MouseMove(CPoint(from.x + 4, from.y));
        drv.Pump();
        if (bCtrl)
            drv.KeyUp(VK_CONTROL);
        drv.Pump();
    };

    drag(2, 10, false);
    ASSERT_EQ(FieldCount(m_grid), 1);
    ASSERT_EQ(m_grid.m_arShownFields[2].size(), 1u);
    pField = static_cast<CTestField*>(m_grid.m_arShownFields[2][0]);
    EXPECT_EQ(pField->m_nCol, 10);
    EXPECT_EQ(m_grid.GetSelectedField(), pField);
    EXPECT_TRUE(pField->IsFieldSelected());
    CRect cells;
    m_grid.GetCellRangeRect(CCellRange(2, 10, 2, 13), &cells);
    EXPECT_EQ(pField->m_rect, CRect(cells.left, cells.top, cells.right + 1, cells.bottom + 1));
    EXPECT_EQ(RowText(2).substr(9, 4), L"....");  // the cells under it were emptied

    // Ctrl held at the drop still moves it: a copy would leave the emptied cells and a stray field.
    drag(4, 2, true);
    EXPECT_EQ(FieldCount(m_grid), 1);
    ASSERT_EQ(m_grid.m_arShownFields[4].size(), 1u);
    pField = static_cast<CTestField*>(m_grid.m_arShownFields[4][0]);

    // A drop that cuts the wide character in row 3 is refused; the field stays where it was.
    drv.Host().ClearMessageBoxes();
    drag(3, 4, false);
    EXPECT_EQ(FieldCount(m_grid), 1);
    EXPECT_EQ(m_grid.m_arShownFields[4].size(), 1u);
    EXPECT_EQ(RowHalves(3).substr(0, 4), "..LR");
    ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(drv.Host().MessageBoxes()[0].text, L"Can't insert the selected Object at this position");

    // The live display and hosts without drag and drop never start one.
    m_grid.m_bDragDropEnabled = FALSE;
    drag(1, 15, false);
    EXPECT_EQ(m_grid.m_arShownFields[4].size(), 1u);
}

TEST_F(GridFields, ForeignDragDataIsChecked)
{
    auto block = [](SIZE_T bytes) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        auto* p = static_cast<BYTE*>(GlobalLock(h));
        if (bytes >= 20) {
            const int32_t grab[2] = {-7, 9};
            std::memcpy(p + 8, grab, 8);
            const COLORREF color = RGB(1, 2, 3);
            std::memcpy(p + 16, &color, 4);
        }
        GlobalUnlock(h);
        return h;
    };
    for (SIZE_T bytes : {SIZE_T(0), SIZE_T(8), SIZE_T(19), SIZE_T(20), SIZE_T(64)}) {
        auto cache = std::make_shared<OleDataCache>();
        cache->blocks[CGridCtrl::FieldDragFormat()] = block(bytes ? bytes : 1);
        COleDataObject data;
        data.Attach(cache);
        CPoint grab;
        COLORREF color = 0;
        const BOOL ok = CGridCtrl::ReadFieldDragData(&data, &grab, &color);
        EXPECT_EQ(ok, bytes >= 20) << bytes;
        if (ok) {
            EXPECT_EQ(grab, CPoint(-7, 9));
            EXPECT_EQ(color, RGB(1, 2, 3));
        }
        // Another program's short block entering the grid gets no effect.
        AddField(1, 2, 3, 0)->SetFieldSelected(TRUE);
        ClickCell(1, 3);
        if (!ok) {
            EXPECT_EQ(m_grid.OnDragEnter(&data, 0, CellCenter(2, 5)), DROPEFFECT_NONE);
        }
        m_grid.DeleteShownFields();
    }
}

TEST_F(GridFields, DoubleClickEditsFields)
{
    CTestField* pBar = AddField(2, 3, 4, GRIDFIELD_BAR);
    AddField(2, 10, 2, 0);
    for (int col = 3; col < 10; ++col)
        m_grid.SetItemText(2, col, L"z");
    // Widening the bar onto the next field is refused and writes nothing.
    m_owner.m_nDialogWidth = 8;
    drv.Host().ClearMessageBoxes();
    drv.DoubleClick(ScreenOf(CellCenter(2, 4)));
    drv.Pump();
    EXPECT_EQ(pBar->m_nWidth, 4);
    EXPECT_EQ(m_owner.m_nApplied, 0);
    ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(drv.Host().MessageBoxes()[0].text, L"Can't insert the selected Object at this position B3 [Message Texts]");
    // Up to the cell before it is accepted: width, rectangle and the cells under it follow.
    m_owner.m_nDialogWidth = 7;
    drv.DoubleClick(ScreenOf(CellCenter(2, 4)));
    drv.Pump();
    EXPECT_EQ(pBar->m_nWidth, 7);
    EXPECT_EQ(m_owner.m_nApplied, 1);
    CRect cells;
    m_grid.GetCellRangeRect(CCellRange(2, 3, 2, 9), &cells);
    EXPECT_EQ(pBar->m_rect.right, cells.right + 1);
    EXPECT_EQ(RowText(2).substr(2, 7), L".......");

    // Run mode: the live editor opens once, and a press on another field applies and closes it.
    m_grid.m_bRunMode = TRUE;
    drv.DoubleClick(ScreenOf(CellCenter(2, 4)));
    drv.DoubleClick(ScreenOf(CellCenter(2, 4)));
    drv.Pump();
    EXPECT_EQ(m_owner.m_nEditorsOpened, 1);
    ClickCell(2, 10);
    EXPECT_EQ(m_owner.m_closes, std::vector<BOOL>{TRUE});
    EXPECT_FALSE(m_grid.IsPopupEditOpen());
}

} // namespace
} // namespace gridtest
