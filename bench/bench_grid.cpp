// The message-text grid: a full repaint of the 25-column grid with Chinese and Latin text and a
// field of every kind (headless host, off-screen painting as in the program). Target: 1 ms.
#include "controls/GridCtrl.h"
#include "platform/gdi/DC.h"
#include "platform/host/HeadlessHost.h"

#include <benchmark/benchmark.h>

namespace {

class CBenchField : public CGridField {
public:
    CBenchField(int row, int col, int width, int kind) : m_nRow(row), m_nCol(col), m_nWidth(width), m_nKind(kind) {}
    CRect GetFieldRect() const override { return m_rect; }
    void SetFieldRect(const CRect& rect) override { m_rect = rect; }
    int GetFieldRow() const override { return m_nRow; }
    void SetFieldRow(int n) override { m_nRow = n; }
    int GetFieldColumn() const override { return m_nCol; }
    void SetFieldColumn(int n) override { m_nCol = n; }
    int GetFieldWidth() const override { return m_nWidth; }
    void SetFieldWidth(int n) override { m_nWidth = n; }
    int GetFieldKind() const override { return m_nKind; }
    COLORREF GetFieldColor() const override { return RGB(0, 128, 0); }
    BOOL IsFieldSelected() const override { return m_bSelected; }
    void SetFieldSelected(BOOL b) override { m_bSelected = b; }
    CGridField* CloneField() const override { return new CBenchField(*this); }

private:
    int m_nRow, m_nCol, m_nWidth, m_nKind;
    CRect m_rect;
    BOOL m_bSelected = FALSE;
};

// Draws fields the way an editor page does: a filled box with a caption.
class CBenchOwner : public CGridFieldOwner {
public:
    void DrawGridField(CGridCtrl*, CDC* pDC, CGridField* pField, BOOL bFramed) override
    {
        CRect rect = pField->GetFieldRect();
        pDC->FillSolidRect(&rect, pField->GetFieldColor());
        pDC->SetTextColor(RGB(255, 255, 255));
        pDC->DrawText(CString(L"B12 Q1"), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
};

void BM_RepaintMessageTextGrid(benchmark::State& state)
{
    CHeadlessDriver drv;
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 560, 200), nullptr, 0);
    CGridCtrl grid;
    CBenchOwner owner;
    grid.Create(CRect(10, 10, 514, 164), &host, 1123, WS_CHILD | WS_VISIBLE);
    grid.SetFieldOwner(&owner);
    grid.SetRowCount(5);
    grid.SetColumnCount(25);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int col = 0; col < 25; ++col)
        grid.SetColumnWidth(col, 20);
    for (int row = 0; row < 5; ++row)
        grid.SetRowHeight(row, row ? 30 : 20);
    const wchar_t* latin = L"Pump 1 level";
    for (int i = 0; latin[i]; ++i)
        grid.SetItemText(1, 1 + i, CString(latin[i]));
    for (int col = 1; col < 9; col += 2) {
        grid.SetItemText(4, col, CString(wchar_t(0x6C34 + col)));
        grid.SetItemState(4, col, GRIDSTATE_LEFTHALF);
        grid.SetItemState(4, col + 1, GRIDSTATE_RIGHTHALF);
    }
    struct Spec {
        int row, col, width, kind;
    };
    const Spec fields[] = {{1, 14, 6, 0}, {2, 1, 8, GRIDFIELD_BAR}, {3, 1, 6, GRIDFIELD_SCALETIME},
                           {4, 10, 5, GRIDFIELD_ONOFF}, {2, 10, 4, GRIDFIELD_SCOPE}, {2, 15, 4, GRIDFIELD_POINTER},
                           {1, 21, 4, GRIDFIELD_GRAPH}};
    for (const Spec& s : fields) {
        auto* pField = new CBenchField(s.row, s.col, s.width, s.kind);
        CRect rect;
        grid.GetCellRangeRect(CCellRange(s.row, s.col, s.row + CGridField::RowsOfKind(s.kind) - 1, s.col + s.width - 1),
                              &rect);
        pField->SetFieldRect(rect);
        grid.m_arShownFields[s.row].push_back(pField);
    }
    grid.SetFocusCell(3, 9);
    drv.Pump();
    for (auto _ : state) {
        grid.Invalidate();
        drv.Pump();
    }
    grid.DestroyWindow();
    host.DestroyWindow();
}
BENCHMARK(BM_RepaintMessageTextGrid)->Unit(benchmark::kMillisecond);

} // namespace
