// CXHeaderCtrl: painting of the header items, their images and texts.
#include "controls/XHeaderCtrl.h"

#include "platform/ui/core/MessageMap.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CXHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CXHeaderCtrl, CHeaderCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(HDM_SETIMAGELIST, OnSetImageList)
    ON_MESSAGE(HDM_LAYOUT, OnLayout)
END_MESSAGE_MAP()

CXHeaderCtrl::CXHeaderCtrl()
{
    ReadSysColors();
}

CXHeaderCtrl::~CXHeaderCtrl() = default;

void CXHeaderCtrl::ReadSysColors()
{
    m_cr3DHighLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_cr3DShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_cr3DFace = ::GetSysColor(COLOR_BTNFACE);
    m_crBtnText = ::GetSysColor(COLOR_BTNTEXT);
}

void CXHeaderCtrl::OnSysColorChange()
{
    CHeaderCtrl::OnSysColorChange();
    ReadSysColors();
    Invalidate();
}

BOOL CXHeaderCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;  // the painting covers everything
}

LRESULT CXHeaderCtrl::OnSetImageList(WPARAM wParam, LPARAM lParam)
{
    auto himl = reinterpret_cast<HIMAGELIST>(lParam);
    int cx = 0, cy = 0;
    if (himl && ::ImageList_GetImageCount(himl) > 0)
        ::ImageList_GetIconSize(himl, &cx, &cy);
    m_sizeImage = CSize(cx, cy);
    (void)wParam;
    return Default();
}

LRESULT CXHeaderCtrl::OnLayout(WPARAM /*wParam*/, LPARAM lParam)
{
    auto* pLayout = reinterpret_cast<HDLAYOUT*>(lParam);
    if (m_bStaticBorder && pLayout && pLayout->prc)
        pLayout->prc->right += 2 * ::GetSystemMetrics(SM_CXBORDER);
    return Default();
}

void CXHeaderCtrl::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* pPaintDC = BeginPaint(&ps);
    if (pPaintDC == nullptr)
        return;
    CRect rcClip;
    pPaintDC->GetClipBox(&rcClip);
    if (rcClip.IsRectEmpty())
        GetClientRect(&rcClip);
    if (m_bDoubleBuffer) {
        // Into a bitmap of the clip box, copied to the screen in one block.
        CDC mdc;
        mdc.CreateCompatibleDC(pPaintDC);
        CBitmap bm;
        bm.CreateCompatibleBitmap(pPaintDC, std::max(1, rcClip.Width()), std::max(1, rcClip.Height()));
        CBitmap* pOldBitmap = mdc.SelectObject(&bm);
        mdc.SetWindowOrg(rcClip.left, rcClip.top);
        mdc.FillSolidRect(&rcClip, pPaintDC->GetBkColor());
        PaintHeader(&mdc, rcClip);
        pPaintDC->BitBlt(rcClip.left, rcClip.top, rcClip.Width(), rcClip.Height(), &mdc, rcClip.left, rcClip.top,
                         SRCCOPY);
        mdc.SelectObject(pOldBitmap);
    } else {
        PaintHeader(pPaintDC, rcClip);
    }
    EndPaint(&ps);
}

void CXHeaderCtrl::PaintHeader(CDC* pDC, const CRect& rcClip)
{
    pDC->FillSolidRect(&rcClip, m_cr3DFace);
    CFont* pFont = CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    CFont* pOldFont = pFont && pFont->GetSafeHandle() ? pDC->SelectObject(pFont) : nullptr;
    pDC->SetBkColor(m_cr3DFace);
    pDC->SetTextColor(m_crBtnText);

    CRect rcClient;
    GetClientRect(&rcClient);
    const int nItems = GetItemCount();
    int nWidth = 0;
    for (int i = 0; i < nItems; ++i) {
        const int nIndex = OrderToIndex(i);
        wchar_t text[161] = {};
        HDITEMW hdi{};
        hdi.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
        hdi.pszText = text;
        hdi.cchTextMax = 160;
        GetItem(nIndex, &hdi);
        CRect rcItem;
        GetItemRect(nIndex, &rcItem);
        if (hdi.fmt & HDF_OWNERDRAW) {
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_HEADER;
            dis.CtlID = UINT(GetDlgCtrlID());
            dis.itemID = UINT(nIndex);
            dis.itemAction = ODA_DRAWENTIRE;
            dis.hwndItem = m_hWnd;
            dis.hDC = pDC->GetSafeHdc();
            dis.rcItem = rcItem;
            DrawItem(&dis);
        } else {
            CRect rcInner = rcItem;
            rcInner.DeflateRect(m_iSpacing, 0);
            DrawItem(pDC, rcInner, &hdi);
        }
        if (i < nItems - 1) {
            // A flat separator: a shadow line and a highlight line.
            pDC->FillSolidRect(rcItem.right - 1, rcItem.top + 2, 1, rcItem.Height() - 4, m_cr3DShadow);
            pDC->FillSolidRect(rcItem.right, rcItem.top + 2, 1, rcItem.Height() - 4, m_cr3DHighLight);
        }
        nWidth += hdi.cxy;
    }
    if (nWidth > 0)
        pDC->Draw3dRect(rcClient.left, rcClient.top, nWidth, rcClient.Height(), m_cr3DHighLight, m_cr3DShadow);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

void CXHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT /*lpDrawItemStruct*/) {}

void CXHeaderCtrl::DrawItem(CDC* pDC, const CRect& rect, HDITEMW* lphdi)
{
    CRect rc = rect;
    // The bitmap's size.
    BITMAP bmInfo{};
    if ((lphdi->fmt & HDF_BITMAP) && lphdi->hbm)
        ::GetObject(lphdi->hbm, sizeof bmInfo, &bmInfo);

    // The image at the left, vertically centred, no wider than the item.
    HIMAGELIST himl = GetImageListHandle();
    if (lphdi->iImage != 0 && himl && rc.Width() > 0) {
        const COLORREF oldBk = ::ImageList_SetBkColor(himl, pDC->GetBkColor());
        const int cx = std::min(int(m_sizeImage.cx), rc.Width());
        const int y = rc.top + (rc.Height() - m_sizeImage.cy) / 2;
        ::ImageList_DrawEx(himl, lphdi->iImage, pDC->GetSafeHdc(), rc.left, y, cx, m_sizeImage.cy, CLR_DEFAULT,
                           CLR_DEFAULT, ILD_NORMAL);
        ::ImageList_SetBkColor(himl, oldBk);
        rc.left += m_sizeImage.cx + m_iSpacing;
    }

    // The bitmap at the right, when it fits.
    if ((lphdi->fmt & HDF_BITMAP) && lphdi->hbm && rc.Width() >= bmInfo.bmWidth) {
        CDC mdc;
        mdc.CreateCompatibleDC(pDC);
        CBitmap* pBitmap = CBitmap::FromHandle(lphdi->hbm);
        CBitmap* pOld = mdc.SelectObject(pBitmap);
        const int y = rc.top + (rc.Height() - bmInfo.bmHeight) / 2;
        pDC->BitBlt(rc.right - bmInfo.bmWidth, y, bmInfo.bmWidth, bmInfo.bmHeight, &mdc, 0, 0, SRCCOPY);
        mdc.SelectObject(pOld);
        rc.right -= bmInfo.bmWidth + m_iSpacing;
    }

    // The text in blue, centred, cut with an ellipsis.
    pDC->SetTextColor(RGB(0, 0, 255));
    if (rc.Width() > 0 && lphdi->pszText && lphdi->pszText[0] && (lphdi->fmt & HDF_STRING)) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(lphdi->pszText, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}
