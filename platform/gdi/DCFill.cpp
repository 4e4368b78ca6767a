// Rectangle fills, frames, 3-D edges, focus rectangles, region painting and single pixels.
#include "platform/gdi/DC.h"

#include "platform/gdi/detail/DcImpl.h"
#include "platform/gdi/detail/Raster.h"
#include "platform/gdi/detail/ShapeRender.h"

#include <algorithm>
#include <climits>
#include <cstdint>

using gdi::DcImpl;
using gdi::PaintSource;
using gdi::RegionData;

namespace {

DcImpl* I(const CDC* dc)
{
    return gdi::Impl(dc->m_hDC);
}

RECT SurfaceRect(const DcImpl& dc, int l, int t, int r, int b)
{
    POINT a = dc.ToSurface(POINT{l, t}), c = dc.ToSurface(POINT{r, b});
    return RECT{std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
}

// A region given in logical units, in surface coordinates.
RegionData SurfaceRegion(const DcImpl& dc, const RegionData& logical)
{
    RegionData out;
    for (const RECT& r : logical.Rects())
        out = RegionData::Combine(out, RegionData::FromRect(SurfaceRect(dc, r.left, r.top, r.right, r.bottom)), RGN_OR);
    return out;
}

void FillRegion(DcImpl& dc, const RegionData& rgn, const PaintSource& src, int rop2)
{
    for (const RECT& r : rgn.Rects())
        gdi::FillSurfaceRect(dc, r, src, rop2);
}

LONG Sum(std::int64_t a, std::int64_t b)
{
    return gdi::SatSum(a, b);
}

gdi::RegionObj* Rgn(CRgn* rgn)
{
    return rgn ? gdi::LookupAs<gdi::RegionObj>(rgn->m_hObject, gdi::Kind::Region) : nullptr;
}

gdi::BrushObj* Brush(CBrush* brush)
{
    return brush ? gdi::LookupAs<gdi::BrushObj>(brush->m_hObject, gdi::Kind::Brush) : nullptr;
}

}  // namespace

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    DcImpl* dc = I(this);
    gdi::BrushObj* b = Brush(brush);
    if (!dc || !rect || !b)
        return;
    gdi::FillSurfaceRect(*dc, SurfaceRect(*dc, rect->left, rect->top, rect->right, rect->bottom), dc->BrushSource(b),
                         R2_COPYPEN);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF c)
{
    DcImpl* dc = I(this);
    if (!dc || !rect)
        return;
    dc->st.bkColor = c & 0xFFFFFF;
    gdi::FillSurfaceRect(*dc, SurfaceRect(*dc, rect->left, rect->top, rect->right, rect->bottom),
                         dc->SolidSource(c), R2_COPYPEN);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF c)
{
    RECT r{x, y, Sum(x, cx), Sum(y, cy)};
    FillSolidRect(&r, c);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush)
{
    DcImpl* dc = I(this);
    gdi::BrushObj* b = Brush(brush);
    if (!dc || !rect || !b || rect->right <= rect->left || rect->bottom <= rect->top)
        return;
    PaintSource src = dc->BrushSource(b);
    const RECT& r = *rect;
    RegionData frame = RegionData::Combine(
        RegionData::FromRect(SurfaceRect(*dc, r.left, r.top, r.right, r.bottom)),
        RegionData::FromRect(SurfaceRect(*dc, Sum(r.left, 1), Sum(r.top, 1), Sum(r.right, -1), Sum(r.bottom, -1))),
        RGN_DIFF);
    FillRegion(*dc, frame, src, R2_COPYPEN);
}

void CDC::InvertRect(LPCRECT rect)
{
    DcImpl* dc = I(this);
    if (!dc || !rect)
        return;
    gdi::FillSurfaceRect(*dc, SurfaceRect(*dc, rect->left, rect->top, rect->right, rect->bottom),
                         dc->SolidSource(RGB(0, 0, 0)), R2_NOT);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    if (rect)
        Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, Sum(cx, -1), 1, topLeft);
    FillSolidRect(x, y, 1, Sum(cy, -1), topLeft);
    FillSolidRect(Sum(Sum(x, cx), -1), y, 1, cy, bottomRight);
    FillSolidRect(x, Sum(Sum(y, cy), -1), cx, 1, bottomRight);
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags)
{
    DcImpl* dc = I(this);
    if (!dc || !rect)
        return FALSE;
    RECT r = *rect;
    COLORREF bk = dc->st.bkColor;
    auto drawEdge = [&](COLORREF tl, COLORREF br) {
        if (r.right <= r.left || r.bottom <= r.top)
            return;
        if (flags & BF_TOP)
            FillSolidRect(r.left, r.top, r.right - r.left - ((flags & BF_RIGHT) ? 1 : 0), 1, tl);
        if (flags & BF_LEFT)
            FillSolidRect(r.left, r.top, 1, r.bottom - r.top - ((flags & BF_BOTTOM) ? 1 : 0), tl);
        if (flags & BF_BOTTOM)
            FillSolidRect(r.left, r.bottom - 1, r.right - r.left, 1, br);
        if (flags & BF_RIGHT)
            FillSolidRect(r.right - 1, r.top, 1, r.bottom - r.top, br);
        if (flags & BF_LEFT) ++r.left;
        if (flags & BF_TOP) ++r.top;
        if (flags & BF_RIGHT) --r.right;
        if (flags & BF_BOTTOM) --r.bottom;
    };
    UINT outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
    if (flags & BF_MONO) {
        if (outer) drawEdge(GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        if (inner) drawEdge(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
    } else if (flags & BF_FLAT) {
        if (outer) drawEdge(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
        if (inner) drawEdge(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
    } else {
        if (outer & BDR_RAISEDOUTER)
            drawEdge(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        else if (outer & BDR_SUNKENOUTER)
            drawEdge(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        if (inner & BDR_RAISEDINNER)
            drawEdge(GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        else if (inner & BDR_SUNKENINNER)
            drawEdge(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    }
    if ((flags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top)
        FillSolidRect(&r, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    dc->st.bkColor = bk;
    if (flags & BF_ADJUST)
        *rect = r;
    return TRUE;
}

void CDC::DrawFocusRect(LPCRECT rect)
{
    DcImpl* dc = I(this);
    if (!dc || !rect)
        return;
    RECT r = SurfaceRect(*dc, rect->left, rect->top, rect->right, rect->bottom);
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    // every other border pixel inverted: drawing the same rectangle again removes it
    auto dot = [&](LONG x, LONG y) {
        if (((x + y) & 1) == 0)
            dc->PlotPixel(x, y, 0, R2_NOT);
    };
    gdi::Surface* s = dc->Image();
    if (!s)
        return;
    // only the stretch of each side that can be visible is walked
    RECT box = dc->EffectiveClip().Box();
    LONG x0 = std::max(r.left, box.left), x1 = std::min(r.right, box.right);
    LONG y0 = std::max(r.top + 1, box.top), y1 = std::min(r.bottom - 1, box.bottom);
    s->BeginAccess();
    for (LONG x = x0; x < x1; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top)
            dot(x, r.bottom - 1);
    }
    for (LONG y = y0; y < y1; ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left)
            dot(r.right - 1, y);
    }
    s->EndAccess();
}

BOOL CDC::FillRgn(CRgn* rgn, CBrush* brush)
{
    DcImpl* dc = I(this);
    gdi::RegionObj* r = Rgn(rgn);
    gdi::BrushObj* b = Brush(brush);
    if (!dc || !r || !b)
        return FALSE;
    FillRegion(*dc, SurfaceRegion(*dc, r->rgn), dc->BrushSource(b), R2_COPYPEN);
    return TRUE;
}

BOOL CDC::PaintRgn(CRgn* rgn)
{
    DcImpl* dc = I(this);
    gdi::RegionObj* r = Rgn(rgn);
    if (!dc || !r)
        return FALSE;
    FillRegion(*dc, SurfaceRegion(*dc, r->rgn), dc->BrushSource(dc->Brush()), R2_COPYPEN);
    return TRUE;
}

BOOL CDC::InvertRgn(CRgn* rgn)
{
    DcImpl* dc = I(this);
    gdi::RegionObj* r = Rgn(rgn);
    if (!dc || !r)
        return FALSE;
    FillRegion(*dc, SurfaceRegion(*dc, r->rgn), dc->SolidSource(0), R2_NOT);
    return TRUE;
}

BOOL CDC::FrameRgn(CRgn* rgn, CBrush* brush, int w, int h)
{
    DcImpl* dc = I(this);
    gdi::RegionObj* r = Rgn(rgn);
    gdi::BrushObj* b = Brush(brush);
    if (!dc || !r || !b || w < 0 || h < 0)
        return FALSE;
    // the frame is what erosion by w x h removes from the region
    RegionData inner = r->rgn;
    const LONG shifts[4][2] = {{w, 0}, {-w, 0}, {0, h}, {0, -h}};
    for (const auto& s : shifts) {
        RegionData moved = r->rgn;
        moved.Offset(s[0], s[1]);
        inner = RegionData::Combine(inner, moved, RGN_AND);
    }
    RegionData frame = RegionData::Combine(r->rgn, inner, RGN_DIFF);
    FillRegion(*dc, SurfaceRegion(*dc, frame), dc->BrushSource(b), R2_COPYPEN);
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF c)
{
    DcImpl* dc = I(this);
    if (!dc)
        return CLR_INVALID;
    POINT p = dc->ToSurface(POINT{x, y});
    gdi::Surface* s = dc->Image();
    if (!s) {
        gdi::FillSurfaceRect(*dc, RECT{p.x, p.y, p.x + 1, p.y + 1}, dc->SolidSource(c), R2_COPYPEN);
        return c & 0xFFFFFF;
    }
    if (!dc->EffectiveClip().Contains(p.x, p.y))
        return CLR_INVALID;
    s->BeginAccess();
    s->Row(p.y)[p.x] = gdi::PixelFromColor(c);
    s->EndAccess();
    return c & 0xFFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    DcImpl* dc = I(this);
    gdi::Surface* s = dc ? dc->Image() : nullptr;
    if (!s)
        return CLR_INVALID;
    POINT p = dc->ToSurface(POINT{x, y});
    if (!dc->EffectiveClip().Contains(p.x, p.y))
        return CLR_INVALID;
    s->BeginAccess();
    return gdi::ColorFromPixel(s->Row(p.y)[p.x] & 0xFFFFFF);
}

COLORREF GetPixel(HDC hdc, int x, int y)
{
    CDC* dc = CDC::FromHandle(hdc);
    return dc ? dc->GetPixel(x, y) : CLR_INVALID;
}
