// Zoom, scroll sizes and the double-buffered paint of the diagram view. Diagram units become
// device units through the document's zoom: window extent 100, viewport extent zoom x 100.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "platform/ui/core/WndDC.h"
#include "shell/ChildFrame.h"
#include "view/PaintBands.h"

#include <algorithm>
#include <climits>
#include <cmath>

int CTavixView::ScaleToDevice(float value)
{
    const float rounded = value >= 0.0f ? value + 0.5f : value - 0.5f;
    // A damaged file may give an extent whose zoomed size does not fit an int.
    if (!(rounded > -2147483520.0f))
        return INT_MIN + 128;
    if (!(rounded < 2147483520.0f))
        return INT_MAX - 127;
    return int(rounded);
}

float CTavixView::ClampZoom(float zoom)
{
    if (std::isnan(zoom))
        return 1.0f;
    if (zoom <= 0.25f)
        return 0.25f;
    if (zoom >= 4.0f)
        return 4.0f;
    return zoom;
}

float CTavixView::GetZoom() const
{
    const CTavixDoc* pDoc = GetDocument();
    return pDoc ? ClampZoom(pDoc->m_fZoom) : 1.0f;
}

void CTavixView::SetZoom(float zoom)
{
    if (CTavixDoc* pDoc = GetDocument())
        pDoc->m_fZoom = ClampZoom(zoom);
}

void CTavixView::PrepareZoomDC(CDC* pDC) const
{
    const int s = ScaleToDevice(GetZoom() * 100.0f);
    pDC->SetMapMode(MM_ISOTROPIC);
    pDC->SetWindowExt(100, 100);
    pDC->SetViewportExt(s, s);
}

void CTavixView::UpdateScrollSizes()
{
    const CTavixDoc* pDoc = GetDocument();
    const float zoom = GetZoom();
    const CRect extent = pDoc ? pDoc->m_rcExtent : CRect();
    m_sizeTotal = CSize(ScaleToDevice(float(extent.Width()) * zoom), ScaleToDevice(float(extent.Height()) * zoom));
    SetScrollSizes(MM_TEXT, m_sizeTotal);
    if (m_pMemDC && m_pMemDC->GetSafeHdc())
        PrepareZoomDC(m_pMemDC.get());
}

CPoint CTavixView::GetViewCentre() const
{
    CRect client;
    if (m_hWnd)
        GetClientRect(&client);
    return GetDeviceScrollPosition() + CPoint(client.Width() / 2, client.Height() / 2);
}

void CTavixView::ZoomTo(float zoom)
{
    const float z0 = GetZoom();
    const CPoint c = GetViewCentre();
    SetZoom(zoom);
    UpdateScrollSizes();
    const float z = GetZoom();
    const CPoint centre(ScaleToDevice(float(c.x) / z0 * z), ScaleToDevice(float(c.y) / z0 * z));
    if (m_hWnd) {
        if (z0 >= 1.0f) {
            CRect client;
            GetClientRect(&client);
            ScrollToPosition(CPoint(centre.x - client.Width() / 2, centre.y - client.Height() / 2));
        } else {
            ScrollToPosition(CPoint(0, 0));
        }
    }
    InvalidateAll();
}

void CTavixView::DeviceToLogical(POINT pts[2])
{
    CClientDC dc(this);
    OnPrepareDC(&dc);
    PrepareZoomDC(&dc);
    dc.DPtoLP(pts, 2);
}

CPoint CTavixView::ClientToDiagram(CPoint client) const
{
    const float zoom = GetZoom();
    const CPoint scroll = m_hWnd ? GetDeviceScrollPosition() : CPoint(0, 0);
    return CPoint(int(float(client.x + scroll.x) / zoom), int(float(client.y + scroll.y) / zoom));
}

void CTavixView::CreateMemBitmap()
{
    CRect client;
    GetClientRect(&client);
    const int cx = std::max(1, client.Width()), cy = std::max(1, client.Height());
    // A layout pass that leaves the client size as it was keeps the bitmap.
    BITMAP bm{};
    if (m_pMemBitmap && m_pMemBitmap->GetSafeHandle() && m_pMemBitmap->GetBitmap(&bm) && bm.bmWidth == cx &&
        bm.bmHeight == cy)
        return;
    CClientDC dc(this);
    m_pMemBitmap = std::make_unique<CBitmap>();
    m_pMemBitmap->CreateCompatibleBitmap(&dc, cx, cy);
}

void CTavixView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    if (!m_bMemDCReady)
        return;
    CreateMemBitmap();
    InvalidateAll();
}

BOOL CTavixView::OnEraseBkgnd(CDC*)
{
    // The paint copies the whole update area from the off-screen bitmap: nothing to erase.
    return TRUE;
}

int CTavixView::PaintBandRows(int width) const
{
    if (m_nPaintBandRows > 0)
        return m_nPaintBandRows;
    // About two megabytes of bitmap per band: its fill, drawing and copy to the window then stay
    // in the processor's cache instead of going out to memory and back three times.
    constexpr int kBandBytes = 2 << 20;
    return std::max(16, kBandBytes / (std::max(1, width) * 4));
}

CBitmap* CTavixView::BandBitmap(CDC* pScreen, int rows)
{
    BITMAP full{}, band{};
    m_pMemBitmap->GetBitmap(&full);
    if (!m_pBandBitmap || !m_pBandBitmap->GetBitmap(&band) || band.bmWidth != full.bmWidth || band.bmHeight != rows) {
        m_pBandBitmap = std::make_unique<CBitmap>();
        m_pBandBitmap->CreateCompatibleBitmap(pScreen, full.bmWidth, rows);
    }
    return m_pBandBitmap.get();
}

void CTavixView::OnPaint()
{
    CPaintDC dc(this);
    const CRect update = dc.m_ps.rcPaint;  // device units
    if (!m_pMemDC->GetSafeHdc()) {
        m_pMemDC->CreateCompatibleDC(&dc);
        CreateMemBitmap();
    }
    OnPrepareDC(&dc);
    PrepareZoomDC(&dc);
    PrepareZoomDC(m_pMemDC.get());
    m_pMemDC->SetViewportOrg(dc.GetViewportOrg());
    CRect clip;
    if (dc.GetClipBox(&clip) == ERROR || update.IsRectEmpty())
        return;
    // A large area is painted and copied in bands of rows, through one bitmap of a band's size
    // that stays in the processor's cache. Simulating paints in one pass, since every paint
    // steps the blocks once.
    const int rows = m_nEditMode == modeSimulate ? update.Height() : PaintBandRows(update.Width());
    if (rows >= update.Height() || !GetDocument()) {
        CBitmap* pOld = m_pMemDC->SelectObject(m_pMemBitmap.get());
        PaintBand(&dc, update, CPoint(0, 0));
        m_pMemDC->SelectObject(pOld);
        return;
    }
    // The elements are sorted into the bands and indexed by number once for all bands.
    CTavixDoc& doc = *GetDocument();
    const CBlockNumberIndex index(doc);
    const CPaintBands bands(doc, m_pMemDC.get(), update.top, update.bottom, rows);
    CBitmap* pOld = m_pMemDC->SelectObject(BandBitmap(&dc, rows));
    const CPoint org = m_pMemDC->GetViewportOrg();
    m_pPaintBands = &bands;
    for (int i = 0; i < bands.Count(); ++i) {
        m_nPaintBand = i;
        // The band's top row is the bitmap's first.
        const LONG top = update.top + LONG(i) * rows;
        m_pMemDC->SetViewportOrg(org.x, org.y - top);
        const CRect band(update.left, top, update.right, std::min<LONG>(update.bottom, top + rows));
        PaintBand(&dc, band, CPoint(0, top));
    }
    m_pPaintBands = nullptr;
    m_pMemDC->SetViewportOrg(org);
    m_pMemDC->SelectObject(pOld);
}

void CTavixView::PaintBand(CDC* pScreen, const CRect& band, CPoint origin)
{
    // Clip the drawing to the band (a region in device units, so that no rounding of the zoom
    // leaves a pixel of it undrawn).
    CRect inBitmap = band;
    inBitmap.OffsetRect(-origin);
    CRgn rgn;
    rgn.CreateRectRgnIndirect(&inBitmap);
    m_pMemDC->SelectClipRgn(&rgn);
    m_ptPaintOrigin = origin;
    OnDraw(m_pMemDC.get());
    m_ptPaintOrigin = CPoint(0, 0);
    m_pMemDC->SelectClipRgn(nullptr);
    // Copy the band in device units for the same reason.
    const int savedScreen = pScreen->SaveDC();
    const int savedMem = m_pMemDC->SaveDC();
    for (CDC* p : {pScreen, m_pMemDC.get()}) {
        p->SetMapMode(MM_TEXT);
        p->SetViewportOrg(0, 0);
        p->SetWindowOrg(0, 0);
    }
    pScreen->BitBlt(band.left, band.top, band.Width(), band.Height(), m_pMemDC.get(), inBitmap.left, inBitmap.top,
                    SRCCOPY);
    m_pMemDC->RestoreDC(savedMem);
    pScreen->RestoreDC(savedScreen);
}
