// cdxCSizeIconCtrl: the grip's painting and cursor.
#include "controls/SizeIconCtrl.h"

#include "platform/ui/core/MessageMap.h"

IMPLEMENT_DYNAMIC(cdxCSizeIconCtrl, CScrollBar)

BEGIN_MESSAGE_MAP(cdxCSizeIconCtrl, CScrollBar)
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

BOOL cdxCSizeIconCtrl::Create(CWnd* pParent, UINT nID)
{
    CRect rc;
    pParent->GetClientRect(&rc);
    if (!CScrollBar::Create(WS_CHILD | SBS_SIZEBOX | SBS_SIZEBOXBOTTOMRIGHTALIGN, rc, pParent, nID))
        return FALSE;
    ModifyStyleEx(0, WS_EX_TRANSPARENT);
    return TRUE;
}

BOOL cdxCSizeIconCtrl::ParentMaximized() const
{
    CWnd* pParent = GetParent();
    return pParent && pParent->IsZoomed();
}

void cdxCSizeIconCtrl::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* pDC = BeginPaint(&ps);
    if (pDC && !ParentMaximized()) {
        // Three raised diagonal strokes ending at the bottom-right corner.
        CRect rc;
        GetClientRect(&rc);
        const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
        for (int k = 0; k < 3; ++k) {
            const int d = 4 * k + 3;
            for (int i = 0; i <= d && i < rc.Width() && i < rc.Height(); ++i) {
                pDC->SetPixel(rc.right - d + i - 1, rc.bottom - i - 1, shadow);
                pDC->SetPixel(rc.right - d + i, rc.bottom - i - 1, shadow);
                pDC->SetPixel(rc.right - d + i - 2, rc.bottom - i - 1, hilite);
            }
        }
    }
    EndPaint(&ps);
}

BOOL cdxCSizeIconCtrl::OnSetCursor(CWnd* /*pWnd*/, UINT nHitTest, UINT /*message*/)
{
    if (!ParentMaximized() && nHitTest == HTCLIENT)
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZENWSE));
    return TRUE;
}

void cdxCSizeIconCtrl::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
    // Double-clicks on the grip do nothing.
}
