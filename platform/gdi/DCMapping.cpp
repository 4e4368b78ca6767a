// Coordinate mapping (window/viewport origins and extents) and clipping of CDC.
#include "platform/gdi/DC.h"

#include "platform/gdi/detail/DcImpl.h"

#include <algorithm>
#include <cmath>
#include <utility>

using gdi::DcImpl;
using gdi::RegionData;

namespace {

DcImpl* I(const CDC* dc)
{
    return gdi::Impl(dc->m_hDC);
}

bool Scalable(int mode)
{
    return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC;
}

// In MM_ISOTROPIC both axes use the smaller of the two scales; the signs stay as set.
void FixIsotropic(DcImpl* dc)
{
    if (dc->st.mapMode != MM_ISOTROPIC)
        return;
    SIZE& v = dc->st.vpExt;
    const SIZE& w = dc->st.winExt;
    double sx = std::fabs(double(v.cx) / w.cx), sy = std::fabs(double(v.cy) / w.cy);
    if (sx < sy) {
        LONG cy = LONG(std::lround(std::fabs(double(w.cy)) * sx));
        v.cy = std::max<LONG>(1, cy) * (v.cy < 0 ? -1 : 1);
    } else if (sy < sx) {
        LONG cx = LONG(std::lround(std::fabs(double(w.cx)) * sy));
        v.cx = std::max<LONG>(1, cx) * (v.cx < 0 ? -1 : 1);
    }
}

// Sets the window or the viewport extent of dc; only the scalable mapping modes take one, and
// never a zero.
CSize SetExtent(DcImpl* dc, SIZE& ext, int cx, int cy)
{
    CSize old(ext);
    if (!Scalable(dc->st.mapMode) || cx == 0 || cy == 0)
        return old;
    ext = SIZE{cx, cy};
    FixIsotropic(dc);
    return old;
}

RECT Normalized(POINT a, POINT b)
{
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

RECT DeviceRect(DcImpl* dc, int l, int t, int r, int b)
{
    return Normalized(dc->LogToDev(POINT{l, t}), dc->LogToDev(POINT{r, b}));
}

// A clip-less DC behaves as if clipped to everything its device can show.
RegionData CurrentClip(DcImpl* dc)
{
    if (dc->st.hasClip)
        return dc->st.clip;
    constexpr LONG kHuge = 1 << 27;
    return RegionData::FromRect(RECT{-kHuge, -kHuge, kHuge, kHuge});
}

int SetClip(DcImpl* dc, RegionData clip)
{
    dc->st.hasClip = true;
    dc->st.clip = std::move(clip);
    dc->ClipChanged();
    return dc->EffectiveClip().Complexity();
}

}  // namespace

int CDC::SetMapMode(int mode)
{
    DcImpl* dc = I(this);
    if (!dc || mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    int old = dc->st.mapMode;
    dc->st.mapMode = mode;
    int dpi = GetDeviceCaps(LOGPIXELSX);
    auto fixed = [&](LONG unitsPerInchTimes) {
        // unitsPerInchTimes logical units make one inch (times 10 for metric modes)
        dc->st.winExt = SIZE{unitsPerInchTimes, unitsPerInchTimes};
        dc->st.vpExt = SIZE{dpi, -dpi};
    };
    switch (mode) {
    case MM_TEXT:
        dc->st.winExt = SIZE{1, 1};
        dc->st.vpExt = SIZE{1, 1};
        break;
    case MM_LOMETRIC: fixed(254); break;
    case MM_HIMETRIC: fixed(2540); break;
    case MM_LOENGLISH: fixed(100); break;
    case MM_HIENGLISH: fixed(1000); break;
    case MM_TWIPS: fixed(1440); break;
    case MM_ISOTROPIC:
        if (!Scalable(old)) {
            // GDI starts isotropic mode with a metric-like scale
            dc->st.winExt = SIZE{1, 1};
            dc->st.vpExt = SIZE{1, 1};
        }
        FixIsotropic(dc);
        break;
    default: break;
    }
    return old;
}

int CDC::GetMapMode() const
{
    DcImpl* dc = I(this);
    return dc ? dc->st.mapMode : 0;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    DcImpl* dc = I(this);
    if (!dc)
        return CPoint();
    return CPoint(std::exchange(dc->st.winOrg, POINT{x, y}));
}

CPoint CDC::GetWindowOrg() const
{
    DcImpl* dc = I(this);
    return dc ? CPoint(dc->st.winOrg) : CPoint();
}

CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    CPoint old = GetWindowOrg();
    SetWindowOrg(old.x + dx, old.y + dy);
    return old;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    DcImpl* dc = I(this);
    return dc ? SetExtent(dc, dc->st.winExt, cx, cy) : CSize();
}

CSize CDC::GetWindowExt() const
{
    DcImpl* dc = I(this);
    return dc ? CSize(dc->st.winExt) : CSize();
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    CSize old = GetWindowExt();
    if (xDenom == 0 || yDenom == 0)
        return old;
    SetWindowExt(MulDiv(old.cx, xNum, xDenom), MulDiv(old.cy, yNum, yDenom));
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    DcImpl* dc = I(this);
    if (!dc)
        return CPoint();
    return CPoint(std::exchange(dc->st.vpOrg, POINT{x, y}));
}

CPoint CDC::GetViewportOrg() const
{
    DcImpl* dc = I(this);
    return dc ? CPoint(dc->st.vpOrg) : CPoint();
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    CPoint old = GetViewportOrg();
    SetViewportOrg(old.x + dx, old.y + dy);
    return old;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    DcImpl* dc = I(this);
    return dc ? SetExtent(dc, dc->st.vpExt, cx, cy) : CSize();
}

CSize CDC::GetViewportExt() const
{
    DcImpl* dc = I(this);
    return dc ? CSize(dc->st.vpExt) : CSize();
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    CSize old = GetViewportExt();
    if (xDenom == 0 || yDenom == 0)
        return old;
    SetViewportExt(MulDiv(old.cx, xNum, xDenom), MulDiv(old.cy, yNum, yDenom));
    return old;
}

void CDC::LPtoDP(LPPOINT pts, int count) const
{
    DcImpl* dc = I(this);
    if (!dc || !pts)
        return;
    for (int i = 0; i < count; ++i)
        pts[i] = dc->LogToDev(pts[i]);
}

void CDC::LPtoDP(LPRECT rect) const
{
    if (rect)
        LPtoDP(reinterpret_cast<LPPOINT>(rect), 2);
}

void CDC::LPtoDP(SIZE* size) const
{
    DcImpl* dc = I(this);
    if (!dc || !size)
        return;
    POINT a = dc->LogToDev(POINT{0, 0}), b = dc->LogToDev(POINT{size->cx, size->cy});
    size->cx = std::abs(b.x - a.x) * (size->cx < 0 ? -1 : 1);
    size->cy = std::abs(b.y - a.y) * (size->cy < 0 ? -1 : 1);
}

void CDC::DPtoLP(LPPOINT pts, int count) const
{
    DcImpl* dc = I(this);
    if (!dc || !pts)
        return;
    for (int i = 0; i < count; ++i)
        pts[i] = dc->DevToLog(pts[i]);
}

void CDC::DPtoLP(LPRECT rect) const
{
    if (rect)
        DPtoLP(reinterpret_cast<LPPOINT>(rect), 2);
}

void CDC::DPtoLP(SIZE* size) const
{
    DcImpl* dc = I(this);
    if (!dc || !size)
        return;
    POINT a = dc->DevToLog(POINT{0, 0}), b = dc->DevToLog(POINT{size->cx, size->cy});
    size->cx = std::abs(b.x - a.x) * (size->cx < 0 ? -1 : 1);
    size->cy = std::abs(b.y - a.y) * (size->cy < 0 ? -1 : 1);
}

// ---- clipping ----

int CDC::GetClipBox(LPRECT rect) const
{
    DcImpl* dc = I(this);
    if (!dc || !rect)
        return ERROR;
    const RegionData& clip = dc->EffectiveClip();
    if (clip.IsEmpty()) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    RECT box = clip.Box();
    POINT a = dc->DevToLog(POINT{box.left - dc->origin.x, box.top - dc->origin.y});
    POINT b = dc->DevToLog(POINT{box.right - dc->origin.x, box.bottom - dc->origin.y});
    *rect = Normalized(a, b);
    return clip.Complexity();
}

int CDC::SelectClipRgn(CRgn* rgn)
{
    return SelectClipRgn(rgn, RGN_COPY);
}

int CDC::SelectClipRgn(CRgn* rgn, int mode)
{
    DcImpl* dc = I(this);
    if (!dc)
        return ERROR;
    auto* r = rgn ? gdi::LookupAs<gdi::RegionObj>(rgn->m_hObject, gdi::Kind::Region) : nullptr;
    if (!r) {
        if (mode != RGN_COPY)
            return ERROR;
        dc->st.hasClip = false;
        dc->st.clip = RegionData();
        dc->ClipChanged();
        return dc->EffectiveClip().Complexity();
    }
    if (mode == RGN_COPY)
        return SetClip(dc, r->rgn);
    if (mode < RGN_AND || mode > RGN_DIFF)
        return ERROR;
    return SetClip(dc, RegionData::Combine(CurrentClip(dc), r->rgn, mode));
}

int CDC::IntersectClipRect(int l, int t, int r, int b)
{
    DcImpl* dc = I(this);
    if (!dc)
        return ERROR;
    RegionData rect = RegionData::FromRect(DeviceRect(dc, l, t, r, b));
    return SetClip(dc, RegionData::Combine(CurrentClip(dc), rect, RGN_AND));
}

int CDC::ExcludeClipRect(int l, int t, int r, int b)
{
    DcImpl* dc = I(this);
    if (!dc)
        return ERROR;
    RegionData rect = RegionData::FromRect(DeviceRect(dc, l, t, r, b));
    return SetClip(dc, RegionData::Combine(CurrentClip(dc), rect, RGN_DIFF));
}

int CDC::OffsetClipRgn(int dx, int dy)
{
    DcImpl* dc = I(this);
    if (!dc)
        return ERROR;
    if (!dc->st.hasClip)
        return dc->EffectiveClip().Complexity();
    RegionData c = dc->st.clip;
    c.Offset(LONG(std::lround(dx * dc->ScaleX())), LONG(std::lround(dy * dc->ScaleY())));
    return SetClip(dc, std::move(c));
}

BOOL CDC::PtVisible(int x, int y) const
{
    DcImpl* dc = I(this);
    if (!dc)
        return FALSE;
    POINT p = dc->ToSurface(POINT{x, y});
    return dc->EffectiveClip().Contains(p.x, p.y);
}

BOOL CDC::RectVisible(LPCRECT rect) const
{
    DcImpl* dc = I(this);
    if (!dc || !rect)
        return FALSE;
    RECT d = DeviceRect(dc, rect->left, rect->top, rect->right, rect->bottom);
    d.left += dc->origin.x;
    d.right += dc->origin.x;
    d.top += dc->origin.y;
    d.bottom += dc->origin.y;
    return dc->EffectiveClip().IntersectsRect(d);
}
