#include "grid_test_support.h"

#include "platform/gdi/DC.h"
#include "platform/ui/core/Clipboard.h"

namespace gridtest {

int CTestOwner::GetCharClass(wchar_t ch) const
{
    const unsigned c = unsigned(ch);
    if (c >= 0x4E00 && c <= 0x9FA5)
        return 1;
    if (c >= 0x00A0 && c <= 0x017F)
        return 2;
    return 0;
}

void CTestOwner::DrawGridField(CGridCtrl*, CDC* pDC, CGridField* pField, BOOL bFramed)
{
    CRect rect = pField->GetFieldRect();
    pDC->FillSolidRect(&rect, pField->GetFieldColor());
    if (bFramed) {
        CBrush black(RGB(0, 0, 0));
        pDC->FrameRect(&rect, &black);
    }
    static const wchar_t* const kNames[] = {L"graph", L"pointer", L"scope", L"on/off", L"time", L"bar"};
    const int kind = pField->GetFieldKind();
    const CString name = kind >= 0 ? CString(L"value") : CString(kNames[std::min(5, std::max(0, kind + 104))]);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(255, 255, 255));
    pDC->DrawText(name, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

BOOL CTestOwner::RunFieldDialog(CGridCtrl*, CGridField*, GridFieldEdit& edit)
{
    if (m_nDialogWidth < 0)
        return FALSE;
    edit.nWidth = m_nDialogWidth;
    return TRUE;
}

BOOL CGridHost::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    m_codes.push_back(int(hdr->code));
    *pResult = 0;
    if (hdr->code == GVN_BEGINLABELEDIT && m_nRefuseEdits > 0) {
        --m_nRefuseEdits;
        *pResult = -1;
    }
    return TRUE;
}

void GridTest::Build(int nCols)
{
    if (m_host.GetSafeHwnd())
        m_host.DestroyWindow();
    const int width = nCols * kCellW + 4;
    const int height = kHeaderH + 4 * kRowH + 4;
    ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_BTNFACE + 1))),
                                L"Grid host", WS_POPUP | WS_VISIBLE, CRect(50, 50, 50 + width + 20, 50 + height + 20),
                                nullptr, 0));
    ASSERT_TRUE(m_grid.Create(CRect(10, 10, 10 + width, 10 + height), &m_host, 1123, WS_CHILD | WS_TABSTOP | WS_VISIBLE));
    m_grid.SetFieldOwner(&m_owner);
    m_grid.SetRowCount(5);
    m_grid.SetColumnCount(nCols);
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    for (int col = 0; col < nCols; ++col)
        m_grid.SetColumnWidth(col, kCellW);
    m_grid.SetRowHeight(0, kHeaderH);
    for (int row = 1; row < 5; ++row)
        m_grid.SetRowHeight(row, kRowH);
    m_grid.m_bDragDropEnabled = TRUE;
    m_grid.m_bRowDrag = false;
    m_grid.SetFocus();
    drv.Pump();
}

void GridTest::TearDown()
{
    if (m_grid.GetSafeHwnd())
        m_grid.DestroyWindow();
    if (m_host.GetSafeHwnd())
        m_host.DestroyWindow();
    drv.Pump();
}

CPoint GridTest::CellCenter(int row, int col)
{
    CRect rect;
    EXPECT_TRUE(m_grid.GetCellRect(row, col, &rect));
    return rect.CenterPoint();
}

void GridTest::ClickCell(int row, int col, UINT modifierVk)
{
    if (modifierVk)
        drv.KeyDown(modifierVk);
    drv.Click(ScreenOf(CellCenter(row, col)));
    if (modifierVk)
        drv.KeyUp(modifierVk);
    drv.Pump();
}

void GridTest::Press(UINT vk, UINT modifierVk)
{
    if (modifierVk)
        drv.KeyDown(modifierVk);
    drv.Key(vk);
    if (modifierVk)
        drv.KeyUp(modifierVk);
    drv.Pump();
}

void GridTest::TypeText(const std::wstring& text)
{
    for (wchar_t ch : text) {
        if (unsigned(ch) >= 0x80)
            drv.ImeCommit(std::wstring(1, ch));
        else
            drv.Type(std::wstring(1, ch));
        drv.Pump();
    }
}

std::wstring GridTest::RowText(int row)
{
    std::wstring text;
    for (int col = 1; col < m_grid.GetColumnCount(); ++col) {
        const CString cell = m_grid.GetItemText(row, col);
        text += cell.IsEmpty() ? std::wstring(L".") : std::wstring(cell.GetString());
    }
    return text;
}

std::string GridTest::RowHalves(int row)
{
    std::string marks;
    for (int col = 1; col < m_grid.GetColumnCount(); ++col) {
        const UINT state = m_grid.GetItemState(row, col);
        marks += (state & GRIDSTATE_LEFTHALF) ? 'L' : (state & GRIDSTATE_RIGHTHALF) ? 'R' : '.';
    }
    return marks;
}

std::string GridTest::Selection()
{
    if (m_grid.GetSelectedCount() == 0)
        return "";
    const CCellRange r = m_grid.GetSelectionBounds();
    return std::to_string(r.GetMinRow()) + "," + std::to_string(r.GetMinCol()) + "-" + std::to_string(r.GetMaxRow()) +
           "," + std::to_string(r.GetMaxCol());
}

void GridTest::PutWide(int row, int col, wchar_t ch)
{
    m_grid.SetItemText(row, col, CString(ch));
    m_grid.SetItemState(row, col, m_grid.GetItemState(row, col) | GRIDSTATE_LEFTHALF);
    m_grid.SetItemState(row, col + 1, m_grid.GetItemState(row, col + 1) | GRIDSTATE_RIGHTHALF);
}

CTestField* GridTest::AddField(int row, int col, int width, int kind)
{
    auto* pField = new CTestField(row, col, width, kind);
    CRect rect;
    EXPECT_TRUE(m_grid.GetCellRangeRect(CCellRange(row, col, row + CGridField::RowsOfKind(kind) - 1, col + width - 1),
                                        &rect));
    pField->m_rect = CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    m_grid.m_arShownFields[row].push_back(pField);
    m_grid.Invalidate();
    return pField;
}

void GridTest::SetClipboardText(const std::wstring& text)
{
    ASSERT_TRUE(AfxSetClipboardText(text));
}

std::wstring GridTest::ClipboardText()
{
    std::wstring text;
    AfxGetClipboardText(text);
    return text;
}

COLORREF GridTest::GridPixel(int x, int y) const
{
    CPoint pt(x, y);
    m_grid.MapWindowPoints(const_cast<CGridHost*>(&m_host), &pt, 1);
    return drv.Pixel(m_host.m_hWnd, pt.x, pt.y);
}

} // namespace gridtest
