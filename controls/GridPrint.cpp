// Printing of the grid: the page layout worked out when a job begins, and each page drawn into
// the printer DC (title band, header rows and columns, the page's cells with their grid lines,
// page number band). Cells are measured in screen pixels; the page is mapped onto the paper
// so that they print at that size or, by default, so that all columns fit across the page.
#include "controls/GridCtrl.h"
#include "controls/GridPageSplit.h"

#include "platform/base/OleDateTime.h"
#include "platform/gdi/DC.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/Print.h"
#include "resources/resource.h"

#include <algorithm>

namespace {

// The text whose width gives the average character width of the printer font.
constexpr wchar_t kMeasureText[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
constexpr int kMeasureLength = 52;

CSize ScreenDpi()
{
    CDC screen;
    if (!screen.CreateCompatibleDC(nullptr))
        return CSize(96, 96);
    return CSize(std::max(1, screen.GetDeviceCaps(LOGPIXELSX)), std::max(1, screen.GetDeviceCaps(LOGPIXELSY)));
}

CSize PrinterDpi(CDC* pDC)
{
    return CSize(std::max(1, pDC->GetDeviceCaps(LOGPIXELSX)), std::max(1, pDC->GetDeviceCaps(LOGPIXELSY)));
}

CSize PrinterPage(CDC* pDC)
{
    return CSize(std::max(1, pDC->GetDeviceCaps(HORZRES)), std::max(1, pDC->GetDeviceCaps(VERTRES)));
}

} // namespace

void CGridCtrl::SetPrintMargins(int nHeaderHeight, int nFooterHeight, int nLeftMargin, int nRightMargin,
                                int nTopMargin, int nBottomMargin, int nGap)
{
    auto set = [](int& member, int value) {
        if (value >= 0)
            member = value;
    };
    set(m_nHeaderHeight, nHeaderHeight);
    set(m_nFooterHeight, nFooterHeight);
    set(m_nLeftMargin, nLeftMargin);
    set(m_nRightMargin, nRightMargin);
    set(m_nTopMargin, nTopMargin);
    set(m_nBottomMargin, nBottomMargin);
    set(m_nGap, nGap);
}

void CGridCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    m_PrinterFont.DeleteObject();
    m_PrinterFont.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");

    // Measure the font in screen pixels, the unit of the row heights and column widths.
    const CSize screenDpi = ScreenDpi();
    const CSize printerDpi = PrinterDpi(pDC);
    const CSize paper = PrinterPage(pDC);
    const int nSaved = pDC->SaveDC();
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(screenDpi);
    pDC->SetViewportExt(printerDpi);
    pDC->SelectObject(&m_PrinterFont);
    const CSize extent = pDC->GetTextExtent(kMeasureText, kMeasureLength);
    pDC->RestoreDC(nSaved);
    m_sizePrintChar = CSize(std::max(1, int(extent.cx) / kMeasureLength), std::max(1, int(extent.cy)));

    if (m_bPrintScreenProportions) {
        // The paper at screen size, less a quarter so that the cells print a little larger.
        m_sizePrintPage.cx = MulDiv(paper.cx, screenDpi.cx, printerDpi.cx) * 3 / 4;
        m_sizePrintPage.cy = MulDiv(paper.cy, screenDpi.cy, printerDpi.cy) * 3 / 4;
    } else {
        // Every column across the page; the height keeps the paper's proportions.
        m_sizePrintPage.cx = PrintChars(m_nLeftMargin + m_nRightMargin) + GetTotalWidth();
        m_sizePrintPage.cy = MulDiv(m_sizePrintPage.cx, paper.cy, paper.cx);
    }
    m_sizePrintPage.cx = std::max(1, int(m_sizePrintPage.cx));
    m_sizePrintPage.cy = std::max(1, int(m_sizePrintPage.cy));

    // The cells get what the bands, margins and gaps leave; the top and bottom margins count
    // too, so that no row runs into the page number band or off the paper.
    const int rowRoom = m_sizePrintPage.cy -
                        PrintLines(m_nTopMargin + m_nHeaderHeight + 2 * m_nGap + m_nFooterHeight + m_nBottomMargin) -
                        GetHeaderRowsHeight();
    std::vector<int> heights(size_t(std::max(0, m_nRowCount)));
    for (int row = 0; row < m_nRowCount; ++row)
        heights[size_t(row)] = GetRowHeight(row);
    m_arPrintRowStarts = GridPageStarts(heights, m_nFixedRowCount, rowRoom);
    if (m_bPrintScreenProportions) {
        const int colRoom = m_sizePrintPage.cx - PrintChars(m_nLeftMargin + m_nRightMargin) - GetHeaderColumnsWidth();
        std::vector<int> widths(size_t(std::max(0, m_nColumnCount)));
        std::vector<bool> rightHalves(widths.size());
        for (int col = 0; col < m_nColumnCount; ++col) {
            widths[size_t(col)] = GetColumnWidth(col);
            for (int row = m_nFixedRowCount; row < m_nRowCount && col > 0 && !rightHalves[size_t(col)]; ++row)
                rightHalves[size_t(col)] = IsRightHalf(row, col) && IsLeftHalf(row, col - 1);
        }
        // A double-width character stays whole: its two columns go on the same page.
        m_arPrintColStarts = GridPageStarts(widths, m_nFixedColumnCount, colRoom, rightHalves);
    } else {
        m_arPrintColStarts = {m_nFixedColumnCount};
    }
    pInfo->SetMaxPage(UINT(m_arPrintRowStarts.size() * m_arPrintColStarts.size()));
    pInfo->m_nCurPage = 1;
}

void CGridCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo || m_arPrintRowStarts.empty() || m_arPrintColStarts.empty())
        return;
    const int nSaved = pDC->SaveDC();
    pDC->SelectObject(&m_PrinterFont);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_sizePrintPage);
    pDC->SetViewportExt(PrinterPage(pDC));
    pDC->SetBkMode(TRANSPARENT);

    PrintPageHeader(pDC, pInfo);

    // Pages run across the columns first, then down to the next band of rows.
    const size_t colPages = m_arPrintColStarts.size();
    const size_t index = std::min(size_t(std::max(1u, pInfo->m_nCurPage) - 1), m_arPrintRowStarts.size() * colPages - 1);
    m_nCurrPrintRow = m_arPrintRowStarts[index / colPages];
    m_nCurrPrintCol = m_arPrintColStarts[index % colPages];

    PrintSideHeadings(pDC, pInfo);
    PrintTopHeadings(pDC, pInfo);
    PrintHeadingCells(pDC, pInfo);

    const int lastRow = PrintLastRow();
    const int lastCol = PrintLastColumn();
    const int left = PrintChars(m_nLeftMargin) + GetHeaderColumnsWidth();
    const int top = PrintLines(m_nTopMargin + m_nHeaderHeight + m_nGap) + GetHeaderRowsHeight();
    int right = left;
    for (int col = m_nCurrPrintCol; col <= lastCol; ++col)
        right += GetColumnWidth(col);

    int y = top;
    for (int row = m_nCurrPrintRow; row <= lastRow; ++row) {
        const int h = GetRowHeight(row);
        if (h <= 0)
            continue;
        int x = left;
        for (int col = m_nCurrPrintCol; col <= lastCol; ++col) {
            const int w = GetColumnWidth(col);
            // A double-width character prints once, over both of its columns.
            const BOOL bCoveredHalf = IsRightHalf(row, col) && col > m_nCurrPrintCol && IsLeftHalf(row, col - 1);
            if (w > 0 && !bCoveredHalf) {
                CRect rect(x, y, x + w - 1, y + h - 1);
                if (IsLeftHalf(row, col) && col < lastCol)
                    rect.right += GetColumnWidth(col + 1);
                if (CGridCellBase* pCell = GetCell(row, col))
                    pCell->PrintCell(pDC, row, col, rect);
            }
            x += w;
        }
        y += h;
    }

    CPen pen(PS_SOLID, 0, m_crLineColour);
    CPen* pOldPen = pDC->SelectObject(&pen);
    if (m_nLineStyle & GRIDLINES_HORZ) {
        y = top;
        for (int row = m_nCurrPrintRow; row <= lastRow; ++row) {
            const int h = GetRowHeight(row);
            if (h <= 0)
                continue;
            y += h;
            pDC->MoveTo(left, y - 1);
            pDC->LineTo(right, y - 1);
        }
    }
    if (m_nLineStyle & GRIDLINES_VERT) {
        y = top;
        for (int row = m_nCurrPrintRow; row <= lastRow; ++row) {
            const int h = GetRowHeight(row);
            if (h <= 0)
                continue;
            int x = left;
            for (int col = m_nCurrPrintCol; col <= lastCol; ++col) {
                x += GetColumnWidth(col);
                if (!IsLeftHalf(row, col) || col == lastCol) {
                    pDC->MoveTo(x - 1, y - 1);
                    pDC->LineTo(x - 1, y + h - 1);
                }
            }
            y += h;
        }
    }
    pDC->SelectObject(pOldPen);

    PrintFooter(pDC, pInfo);
    pDC->RestoreDC(nSaved);
}

void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_PrinterFont.DeleteObject();
    m_arPrintRowStarts.clear();
    m_arPrintColStarts.clear();
    m_nCurrPrintRow = m_nCurrPrintCol = -1;
}

int CGridCtrl::PrintLastRow() const
{
    auto next = std::upper_bound(m_arPrintRowStarts.begin(), m_arPrintRowStarts.end(), m_nCurrPrintRow);
    return next == m_arPrintRowStarts.end() ? m_nRowCount - 1 : *next - 1;
}

int CGridCtrl::PrintLastColumn() const
{
    auto next = std::upper_bound(m_arPrintColStarts.begin(), m_arPrintColStarts.end(), m_nCurrPrintCol);
    return next == m_arPrintColStarts.end() ? m_nColumnCount - 1 : *next - 1;
}

// Prints rows firstRow..lastRow by columns firstCol..lastCol with the top left cell at (left, top);
// a hidden row or column takes no room. A negative first index prints nothing.
void CGridCtrl::PrintCellRange(CDC* pDC, int firstRow, int lastRow, int firstCol, int lastCol, int left, int top)
{
    int y = top;
    for (int row = firstRow; row >= 0 && row <= lastRow; ++row) {
        const int h = GetRowHeight(row);
        int x = left;
        for (int col = firstCol; col >= 0 && col <= lastCol; ++col) {
            const int w = GetColumnWidth(col);
            if (w > 0 && h > 0)
                if (CGridCellBase* pCell = GetCell(row, col))
                    pCell->PrintCell(pDC, row, col, CRect(x, y, x + w - 1, y + h - 1));
            x += w;
        }
        y += h;
    }
}

void CGridCtrl::PrintHeadingCells(CDC* pDC, CPrintInfo*)
{
    PrintCellRange(pDC, 0, m_nFixedRowCount - 1, 0, m_nFixedColumnCount - 1, PrintChars(m_nLeftMargin),
                   PrintLines(m_nTopMargin + m_nHeaderHeight + m_nGap));
}

void CGridCtrl::PrintTopHeadings(CDC* pDC, CPrintInfo*)
{
    PrintCellRange(pDC, 0, m_nFixedRowCount - 1, m_nCurrPrintCol, PrintLastColumn(),
                   PrintChars(m_nLeftMargin) + GetHeaderColumnsWidth(),
                   PrintLines(m_nTopMargin + m_nHeaderHeight + m_nGap));
}

void CGridCtrl::PrintSideHeadings(CDC* pDC, CPrintInfo*)
{
    PrintCellRange(pDC, m_nCurrPrintRow, PrintLastRow(), 0, m_nFixedColumnCount - 1, PrintChars(m_nLeftMargin),
                   PrintLines(m_nTopMargin + m_nHeaderHeight + m_nGap) + GetHeaderRowsHeight());
}

int CGridCtrl::BeginPrintBand(CDC* pDC, CFont& bold)
{
    LOGFONT lf = *m_defaultCell.GetFont();
    lf.lfWeight = FW_BOLD;
    bold.CreateFontIndirect(&lf);
    const int nSaved = pDC->SaveDC();
    pDC->SelectObject(&bold);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
    return nSaved;
}

void CGridCtrl::PrintRule(CDC* pDC, int nLeft, int nRight, int y)
{
    CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(nLeft, y);
    pDC->LineTo(nRight, y);
    pDC->SelectObject(pOld);
}

void CGridCtrl::PrintPageHeader(CDC* pDC, CPrintInfo*)
{
    if (m_nHeaderHeight <= 0)
        return;
    CFont bold;
    const int nSaved = BeginPrintBand(pDC, bold);
    CRect band(PrintChars(m_nLeftMargin), PrintLines(m_nTopMargin), m_sizePrintPage.cx - PrintChars(m_nRightMargin),
               PrintLines(m_nTopMargin + m_nHeaderHeight));
    pDC->DrawText(GetPrintTitle(), &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    CString app = AfxLoadString(IDR_MAINFRAME);
    if (const int end = app.Find(L'\n'); end >= 0)
        app = app.Left(end);
    pDC->DrawText(app, &band, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    PrintRule(pDC, band.left, band.right, band.bottom);
    pDC->RestoreDC(nSaved);
}

void CGridCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nFooterHeight <= 0)
        return;
    CFont bold;
    const int nSaved = BeginPrintBand(pDC, bold);
    const int bottom = m_sizePrintPage.cy - PrintLines(m_nBottomMargin);
    CRect band(PrintChars(m_nLeftMargin), bottom - PrintLines(m_nFooterHeight),
               m_sizePrintPage.cx - PrintChars(m_nRightMargin), bottom);
    PrintRule(pDC, band.left, band.right, band.top);
    pDC->DrawText(FormatPrintPageText(pInfo->m_nCurPage, pInfo->GetMaxPage()), &band,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    pDC->DrawText(COleDateTime::GetCurrentTime().Format(L"%c"), &band,
                  DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    pDC->RestoreDC(nSaved);
}

CString CGridCtrl::GetPrintTitle() const
{
    if (!GetSafeHwnd())
        return CString();
    for (CWnd* pWnd = GetParent(); pWnd; pWnd = pWnd->GetParent()) {
        CString title;
        pWnd->GetWindowText(title);
        if (!title.IsEmpty())
            return title;
    }
    return CString();
}

CString CGridCtrl::FormatPrintPageText(UINT nPage, UINT nPageCount)
{
    CString text;
    text.Format(AfxLoadStringOr(IDS_GRID_PRINT_PAGE, L"Page %d of %d"), int(nPage), int(nPageCount));
    return text;
}
