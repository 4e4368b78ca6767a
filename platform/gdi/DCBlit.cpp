// Bit-block transfers: BitBlt, StretchBlt and PatBlt with ternary raster operations, done on the
// pixels of the surfaces (Cairo has no equivalent for most of them).
#include "platform/gdi/DC.h"

#include "platform/gdi/detail/DcImpl.h"
#include "platform/gdi/detail/Raster.h"
#include "platform/gdi/detail/ShapeRender.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

using gdi::DcImpl;
using gdi::Surface;

namespace {

DcImpl* I(const CDC* dc)
{
    return gdi::Impl(dc->m_hDC);
}

RECT Normalize(POINT a, POINT b)
{
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// The R2_ code equivalent to a ternary operation that does not read the source.
int Rop2FromRop3(DWORD rop)
{
    unsigned c = (rop >> 16) & 0xFF;
    unsigned t = (c & 1) | ((c >> 1) & 1) << 1 | ((c >> 4) & 1) << 2 | ((c >> 5) & 1) << 3;
    return int(t) + 1;
}

std::uint32_t ToMono(std::uint32_t px)
{
    unsigned sum = ((px >> 16) & 0xFF) + ((px >> 8) & 0xFF) + (px & 0xFF);
    return sum >= 384 ? 0xFFFFFF : 0;
}

bool IsMono(const DcImpl& dc)
{
    return dc.type == gdi::DcType::Memory && dc.Bitmap() && dc.Bitmap()->IsMono();
}

// Reads source pixels, converting between monochrome and colour as GDI does: a monochrome
// source takes the destination's text colour for 0 and background colour for 1; a colour source
// going to a monochrome destination is white where it matches the source's background colour.
struct SourceReader {
    const Surface* surf;
    bool srcMono, dstMono;
    std::uint32_t text, bk, srcBk;
    std::uint32_t Get(int x, int y) const
    {
        std::uint32_t px = surf->Row(y)[x] & 0xFFFFFF;
        if (srcMono && !dstMono)
            return px ? bk : text;
        if (!srcMono && dstMono)
            return px == srcBk ? 0xFFFFFF : 0;
        return px;
    }
};

// Generic raster operation over dR; srcAt maps a destination pixel to a source pixel.
template <class SrcAt>
void RopLoop(DcImpl& dst, const RECT& dR, DWORD rop, const SourceReader* reader, SrcAt srcAt)
{
    Surface* d = dst.Image();
    gdi::PaintSource pat = dst.BrushSource(dst.Brush());
    bool usesPat = gdi::RopUsesPattern(rop);
    bool mono = IsMono(dst);
    d->BeginAccess();
    for (const RECT& c : dst.ClipRects()) {
        RECT r{std::max(dR.left, c.left), std::max(dR.top, c.top), std::min(dR.right, c.right),
               std::min(dR.bottom, c.bottom)};
        for (LONG y = r.top; y < r.bottom; ++y) {
            std::uint32_t* row = d->Row(y);
            for (LONG x = r.left; x < r.right; ++x) {
                std::uint32_t s = 0, p = 0;
                if (reader) {
                    int sx, sy;
                    if (!srcAt(x, y, sx, sy))
                        continue;
                    s = reader->Get(sx, sy);
                }
                if (usesPat && !pat.At(x, y, p))
                    continue;
                std::uint32_t v = gdi::Rop3(rop, p, s, row[x] & 0xFFFFFF);
                row[x] = mono ? ToMono(v) : v;
            }
        }
    }
    d->EndAccess();
}

// Paints part of an image surface onto a target through Cairo (printers and scaled copies).
void CairoCopy(DcImpl& dst, const RECT& dR, Surface& src, double sx0, double sy0, double scaleX, double scaleY,
               int stretchMode)
{
    cairo_t* cr = dst.Cr();
    if (!cr)
        return;
    src.BeginAccess();
    cairo_save(cr);
    cairo_rectangle(cr, dR.left, dR.top, dR.right - dR.left, dR.bottom - dR.top);
    cairo_clip(cr);
    cairo_pattern_t* pat = cairo_pattern_create_for_surface(src.Cairo());
    cairo_matrix_t m;
    // pattern space = source pixels; user space = destination surface
    cairo_matrix_init_translate(&m, sx0, sy0);
    cairo_matrix_scale(&m, scaleX, scaleY);
    cairo_matrix_translate(&m, -dR.left, -dR.top);
    cairo_pattern_set_matrix(pat, &m);
    cairo_pattern_set_filter(pat, stretchMode == HALFTONE ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_pattern_set_extend(pat, CAIRO_EXTEND_PAD);
    cairo_set_source(cr, pat);
    cairo_paint(cr);
    cairo_pattern_destroy(pat);
    cairo_restore(cr);
}

}  // namespace

BOOL CDC::PatBlt(int x, int y, int w, int h, DWORD rop)
{
    DcImpl* dc = I(this);
    if (!dc)
        return FALSE;
    RECT dR = Normalize(dc->ToSurface(POINT{x, y}), dc->ToSurface(POINT{gdi::SatSum(x, w), gdi::SatSum(y, h)}));
    if (gdi::RopUsesSource(rop))
        return FALSE;
    int rop2 = Rop2FromRop3(rop);
    gdi::PaintSource src = gdi::RopUsesPattern(rop) ? dc->BrushSource(dc->Brush()) : dc->SolidSource(0);
    if (src.none)
        return TRUE;
    gdi::FillSurfaceRect(*dc, dR, src, rop2);
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    if (!gdi::RopUsesSource(rop))
        return PatBlt(x, y, w, h, rop);
    DcImpl* dc = I(this);
    DcImpl* sdc = src ? I(src) : nullptr;
    if (!dc || !sdc)
        return FALSE;
    POINT d0 = dc->ToSurface(POINT{x, y}), d1 = dc->ToSurface(POINT{gdi::SatSum(x, w), gdi::SatSum(y, h)});
    POINT s0 = sdc->ToSurface(POINT{xSrc, ySrc}), s1 = sdc->ToSurface(POINT{gdi::SatSum(xSrc, w), gdi::SatSum(ySrc, h)});
    if (std::abs(d1.x - d0.x) != std::abs(s1.x - s0.x) || std::abs(d1.y - d0.y) != std::abs(s1.y - s0.y))
        return StretchBlt(x, y, w, h, src, xSrc, ySrc, w, h, rop);
    Surface* ss = sdc->Image();
    if (!ss)
        return FALSE;
    RECT dR = Normalize(d0, d1);
    RECT sR = Normalize(s0, s1);
    int offX = sR.left - dR.left, offY = sR.top - dR.top;
    Surface* ds = dc->Image();
    if (!ds) {
        CairoCopy(*dc, dR, *ss, sR.left, sR.top, 1, 1, COLORONCOLOR);
        return TRUE;
    }
    // a copy of the source when it overlaps the destination on the same surface
    std::shared_ptr<Surface> temp;
    const Surface* from = ss;
    if (ss == ds) {
        temp = Surface::Create(sR.right - sR.left, sR.bottom - sR.top);
        if (!temp)
            return FALSE;
        ss->BeginAccess();
        for (LONG yy = sR.top; yy < sR.bottom; ++yy)
            for (LONG xx = sR.left; xx < sR.right; ++xx)
                temp->Row(yy - sR.top)[xx - sR.left] =
                    (xx >= 0 && yy >= 0 && xx < ss->Width() && yy < ss->Height()) ? ss->Row(yy)[xx] : 0;
        from = temp.get();
        offX = -dR.left;
        offY = -dR.top;
    }
    bool srcMono = IsMono(*sdc), dstMono = IsMono(*dc);
    int fw = from->Width(), fh = from->Height();
    if (rop == SRCCOPY && srcMono == dstMono) {
        const_cast<Surface*>(from)->BeginAccess();
        ds->BeginAccess();
        for (const RECT& c : dc->ClipRects()) {
            RECT r{std::max(dR.left, c.left), std::max(dR.top, c.top), std::min(dR.right, c.right),
                   std::min(dR.bottom, c.bottom)};
            // keep to the source's pixels
            r.left = std::max<LONG>(r.left, -offX);
            r.top = std::max<LONG>(r.top, -offY);
            r.right = std::min<LONG>(r.right, fw - offX);
            r.bottom = std::min<LONG>(r.bottom, fh - offY);
            if (r.left >= r.right)
                continue;
            for (LONG yy = r.top; yy < r.bottom; ++yy)
                std::memmove(ds->Row(yy) + r.left, from->Row(yy + offY) + r.left + offX,
                             size_t(r.right - r.left) * sizeof(std::uint32_t));
        }
        ds->EndAccess();
        return TRUE;
    }
    SourceReader reader{from, srcMono, dstMono, gdi::PixelFromColor(dc->st.textColor),
                        gdi::PixelFromColor(dc->st.bkColor), gdi::PixelFromColor(sdc->st.bkColor)};
    const_cast<Surface*>(from)->BeginAccess();
    RopLoop(*dc, dR, rop, &reader, [&](LONG dx, LONG dy, int& sx, int& sy) {
        sx = dx + offX;
        sy = dy + offY;
        return sx >= 0 && sy >= 0 && sx < fw && sy < fh;
    });
    return TRUE;
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop)
{
    if (!gdi::RopUsesSource(rop))
        return PatBlt(x, y, w, h, rop);
    DcImpl* dc = I(this);
    DcImpl* sdc = src ? I(src) : nullptr;
    if (!dc || !sdc)
        return FALSE;
    Surface* ss = sdc->Image();
    if (!ss)
        return FALSE;
    POINT d0 = dc->ToSurface(POINT{x, y}), d1 = dc->ToSurface(POINT{gdi::SatSum(x, w), gdi::SatSum(y, h)});
    POINT s0 = sdc->ToSurface(POINT{xSrc, ySrc}), s1 = sdc->ToSurface(POINT{gdi::SatSum(xSrc, wSrc), gdi::SatSum(ySrc, hSrc)});
    if (d0.x == d1.x || d0.y == d1.y || s0.x == s1.x || s0.y == s1.y)
        return TRUE;
    RECT dR = Normalize(d0, d1);
    // source coordinate = s0 + (dest - d0) * scale, with signs giving mirroring
    double scaleX = double(s1.x - s0.x) / (d1.x - d0.x), scaleY = double(s1.y - s0.y) / (d1.y - d0.y);
    double originX = s0.x + (dR.left - d0.x) * scaleX, originY = s0.y + (dR.top - d0.y) * scaleY;
    bool srcMono = IsMono(*sdc), dstMono = IsMono(*dc);
    Surface* ds = dc->Image();
    if (!ds || (rop == SRCCOPY && srcMono == dstMono && ds != ss)) {
        CairoCopy(*dc, dR, *ss, originX, originY, scaleX, scaleY, dc->st.stretchMode);
        return TRUE;
    }
    std::shared_ptr<Surface> temp;
    const Surface* from = ss;
    if (ss == ds) {
        temp = Surface::Create(ss->Width(), ss->Height());
        if (!temp)
            return FALSE;
        ss->BeginAccess();
        for (int yy = 0; yy < ss->Height(); ++yy)
            std::memcpy(temp->Row(yy), ss->Row(yy), size_t(ss->Width()) * 4);
        from = temp.get();
    }
    SourceReader reader{from, srcMono, dstMono, gdi::PixelFromColor(dc->st.textColor),
                        gdi::PixelFromColor(dc->st.bkColor), gdi::PixelFromColor(sdc->st.bkColor)};
    int fw = from->Width(), fh = from->Height();
    const_cast<Surface*>(from)->BeginAccess();
    RopLoop(*dc, dR, rop, &reader, [&](LONG dx, LONG dy, int& sx, int& sy) {
        sx = int(std::floor(originX + (dx - dR.left + 0.5) * scaleX));
        sy = int(std::floor(originY + (dy - dR.top + 0.5) * scaleY));
        return sx >= 0 && sy >= 0 && sx < fw && sy < fh;
    });
    return TRUE;
}

BOOL CDC::ScrollDC(int dx, int dy, LPCRECT scrollRect, LPCRECT clipRect, CRgn* updateRgn, LPRECT updateRect)
{
    DcImpl* dc = I(this);
    if (!dc)
        return FALSE;
    CRect area;
    if (scrollRect) {
        area = *scrollRect;
    } else {
        GetClipBox(&area);
    }
    CRect bounds = area;
    if (clipRect)
        bounds.IntersectRect(&bounds, clipRect);
    // the source is the part that lands inside the bounds after the move
    CRect moved = area;
    moved.OffsetRect(dx, dy);
    CRect target;
    target.IntersectRect(&moved, &bounds);
    if (!target.IsRectEmpty()) {
        int saved = SaveDC();
        IntersectClipRect(&bounds);
        BitBlt(target.left, target.top, target.Width(), target.Height(), this, target.left - dx, target.top - dy,
               SRCCOPY);
        RestoreDC(saved);
    }
    gdi::RegionData update = gdi::RegionData::Combine(gdi::RegionData::FromRect(bounds),
                                                      gdi::RegionData::FromRect(target), RGN_DIFF);
    if (updateRect)
        *updateRect = update.Box();
    if (updateRgn) {
        auto* r = gdi::LookupAs<gdi::RegionObj>(updateRgn->m_hObject, gdi::Kind::Region);
        if (r)
            r->rgn = update;
    }
    return TRUE;
}

BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, DWORD rop)
{
    CDC* d = CDC::FromHandle(dst);
    return d ? d->BitBlt(x, y, w, h, CDC::FromHandle(src), xSrc, ySrc, rop) : FALSE;
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    CDC* d = CDC::FromHandle(hdc);
    return d ? d->PatBlt(x, y, w, h, rop) : FALSE;
}
