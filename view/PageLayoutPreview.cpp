#include "view/PageLayoutPreview.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

IMPLEMENT_DYNAMIC(CPageLayoutPreview, CWnd)

BEGIN_MESSAGE_MAP(CPageLayoutPreview, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {
// The picture's frame and the room the grid is centred in.
constexpr int kAreaWidth = 253;
constexpr int kAreaHeight = 165;
}  // namespace

void CPageLayoutPreview::SetPages(int nAcross, int nDown)
{
    if (nAcross == m_nAcross && nDown == m_nDown)
        return;
    m_nAcross = nAcross;
    m_nDown = nDown;
    if (m_hWnd)
        Invalidate(FALSE);
}

CPoint CPageLayoutPreview::GridOrigin(int nAcross, int nDown)
{
    return CPoint((kAreaWidth - kCellWidth * nAcross) / 2 + 2, (kAreaHeight - kCellHeight * nDown) / 2 + 2);
}

BOOL CPageLayoutPreview::OnEraseBkgnd(CDC*) { return TRUE; }

void CPageLayoutPreview::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    // Drawn off screen, then copied in one piece.
    CDC mem;
    CBitmap bitmap;
    if (!mem.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) {
        Draw(&dc, client);
        return;
    }
    CBitmap* pOld = mem.SelectObject(&bitmap);
    Draw(&mem, client);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(pOld);
}

void CPageLayoutPreview::Draw(CDC* pDC, const CRect& client) const
{
    pDC->FillSolidRect(&client, RGB(132, 130, 132));
    pDC->MoveTo(2, 2);
    pDC->LineTo(251, 2);
    pDC->LineTo(251, 163);
    pDC->LineTo(2, 163);
    pDC->LineTo(2, 2);

    const int n = m_nAcross, m = m_nDown;
    const CPoint at = GridOrigin(n, m);
    const int left = at.x, top = at.y, right = left + kCellWidth * n, bottom = top + kCellHeight * m;
    CPen pen(PS_SOLID, 2, RGB(0, 196, 98));
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush white(RGB(255, 255, 255));
    CBrush* pOldBrush = pDC->SelectObject(&white);
    pDC->Rectangle(left, top, right, bottom);
    for (int k = 1; k < n; ++k) {
        pDC->MoveTo(left + kCellWidth * k, top);
        pDC->LineTo(left + kCellWidth * k, bottom);
    }
    for (int k = 1; k < m; ++k) {
        pDC->MoveTo(left, top + kCellHeight * k);
        pDC->LineTo(right, top + kCellHeight * k);
    }
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);

    CFont font;
    font.CreateFont(10, 6, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, FIXED_PITCH, L"");
    LOGFONTW lf{};
    font.GetLogFont(&lf);
    const int h = int(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight), w = int(lf.lfWidth);
    CFont* pOldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j) {
            CString number;
            number.Format(L"%d", j + n * (i - 1));
            const int t = w * number.GetLength();
            pDC->TextOut(left + kCellWidth * (j - 1) + (kCellWidth - t) / 2,
                         top + kCellHeight * (i - 1) + (kCellHeight - h) / 2, number);
        }
    pDC->SelectObject(pOldFont);
}
