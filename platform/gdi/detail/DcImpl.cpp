#include "platform/gdi/detail/DcImpl.h"

#include "platform/gdi/detail/FontEngine.h"
#include "platform/gdi/detail/Raster.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <unordered_set>

namespace gdi {

namespace {

static_assert(sizeof(wchar_t) == sizeof(std::uint32_t), "pixel spans are filled as wide characters");

// Sets n pixels to one value.
void FillSpan(std::uint32_t* row, size_t n, std::uint32_t value)
{
    if (n < 8) {
        for (size_t i = 0; i < n; ++i)
            row[i] = value;
        return;
    }
    std::wmemset(reinterpret_cast<wchar_t*>(row), wchar_t(value), n);
}

std::unordered_set<DcImpl*>& LiveDcs()
{
    static auto* live = new std::unordered_set<DcImpl*>();  // never destroyed (see Live() of objects)
    return *live;
}

int Mod(int a, int m)
{
    int r = a % m;
    return r < 0 ? r + m : r;
}

// a * b / c rounded half away from zero, in 64 bits.
LONG ScaleRound(std::int64_t a, std::int64_t b, std::int64_t c)
{
    if (c == 0)
        return 0;
    constexpr std::int64_t kSmall = std::int64_t(1) << 30;
    if (b == c && a >= -kSmall && a <= kSmall)
        return LONG(a);  // equal extents, the usual mapping: the value as it stands
    if (a > -kSmall && a < kSmall && b > -kSmall && b < kSmall) {
        // The common case: the same rounding in 64 bits (the product and its double stay below
        // 2^62), and within the limit below.
        const std::int64_t n = a * b;
        const std::int64_t absN = n < 0 ? -n : n, absC = c < 0 ? -c : c;
        const std::int64_t q = (absN * 2 + absC) / (2 * absC);
        if (q <= kSmall)
            return LONG((n < 0) != (c < 0) ? -q : q);
    }
    // 128-bit: extents and coordinates near the 32-bit limits must not overflow
    __int128 n = __int128(a) * b;
    __int128 absN = n < 0 ? -n : n, absC = c < 0 ? -__int128(c) : __int128(c);
    __int128 q = (absN * 2 + absC) / (2 * absC);
    if ((n < 0) != (c < 0))
        q = -q;
    // device coordinates keep headroom for origins and sizes added to them
    constexpr __int128 kLimit = __int128(1) << 30;
    return LONG(q < -kLimit ? -kLimit : q > kLimit ? kLimit : q);
}

// Dash patterns of cosmetic pens, in pixels (on, off, ...).
const std::vector<int>& DashPattern(int style)
{
    static const std::vector<int> solid, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6},
        dashDotDot{9, 3, 3, 3, 3, 3}, alternate{1, 1};
    switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    case PS_ALTERNATE: return alternate;
    default: return solid;
    }
}

bool HatchPixel(int hatch, int x, int y)
{
    switch (hatch) {
    case HS_HORIZONTAL: return y == 7;
    case HS_VERTICAL: return x == 7;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x + y == 7;
    case HS_CROSS: return x == 7 || y == 7;
    case HS_DIAGCROSS: return x == y || x + y == 7;
    default: return false;
    }
}

int g_displayWidth = 1920;
int g_displayHeight = 1080;
int g_displayDpi = 96;

}  // namespace

void SetDisplayMetrics(int width, int height, int dpi)
{
    g_displayWidth = std::max(1, width);
    g_displayHeight = std::max(1, height);
    g_displayDpi = std::max(1, dpi);
}

int DisplayWidth() { return g_displayWidth; }
int DisplayHeight() { return g_displayHeight; }
int DisplayDpi() { return g_displayDpi; }

bool PaintSource::At(int x, int y, std::uint32_t& px) const
{
    if (none)
        return false;
    if (!hasPattern) {
        px = solid;
        return true;
    }
    int i = Mod(y - oy, ph) * pw + Mod(x - ox, pw);
    if (!opaque[size_t(i)])
        return false;
    px = pixels[size_t(i)];
    return true;
}

DcImpl::DcImpl(DcType t) : type(t)
{
    st.pen = ObjRef(StockObject(BLACK_PEN));
    st.brush = ObjRef(StockObject(WHITE_BRUSH));
    st.font = ObjRef(StockObject(SYSTEM_FONT));
    st.palette = ObjRef(StockObject(DEFAULT_PALETTE));
    if (t == DcType::Memory)
        st.bitmap = ObjRef(StockBitmap());
}

DcImpl::~DcImpl()
{
    if (m_cr)
        cairo_destroy(m_cr);
    if (pdf)
        cairo_surface_destroy(static_cast<cairo_surface_t*>(pdf));
}

Surface* DcImpl::Image() const
{
    switch (type) {
    case DcType::Memory: {
        BitmapObj* b = Bitmap();
        return b ? b->surface.get() : nullptr;
    }
    case DcType::Window: return windowSurface.get();
    case DcType::Printer: return pageImage.get();
    default: return nullptr;
    }
}

SIZE DcImpl::DeviceSize() const
{
    if (type == DcType::Printer)
        return page;
    if (type == DcType::Display)
        return SIZE{g_displayWidth, g_displayHeight};
    Surface* s = Image();
    return s ? SIZE{s->Width(), s->Height()} : SIZE{0, 0};
}

void DcImpl::TargetChanged()
{
    if (m_cr) {
        cairo_destroy(m_cr);
        m_cr = nullptr;
    }
    m_clipValid = false;
}

void DcImpl::ClipChanged()
{
    TargetChanged();
}

const RegionData& DcImpl::EffectiveClip()
{
    if (m_clipValid)
        return m_effClip;
    SIZE sz = DeviceSize();
    if (type == DcType::Display || (type == DcType::Printer && !inPage))
        sz = SIZE{0, 0};  // information contexts and printers between pages draw nowhere
    m_effClip = RegionData::FromRect(RECT{0, 0, sz.cx, sz.cy});
    if (hasSysClip)
        m_effClip = RegionData::Combine(m_effClip, sysClip, RGN_AND);
    if (st.hasClip) {
        RegionData c = st.clip;
        c.Offset(origin.x, origin.y);
        m_effClip = RegionData::Combine(m_effClip, c, RGN_AND);
    }
    m_clipRects = m_effClip.Rects();
    m_clipValid = true;
    return m_effClip;
}

const std::vector<RECT>& DcImpl::ClipRects()
{
    EffectiveClip();
    return m_clipRects;
}

cairo_t* DcImpl::Cr()
{
    if (m_cr)
        return m_cr;
    cairo_surface_t* target = nullptr;
    if (type == DcType::Printer && !pageImage)
        target = inPage ? static_cast<cairo_surface_t*>(pdf) : nullptr;
    else if (type == DcType::Printer)
        target = inPage ? pageImage->Cairo() : nullptr;
    else if (Surface* s = Image())
        target = s->Cairo();
    if (!target)
        return nullptr;
    m_cr = cairo_create(target);
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
    if (type == DcType::Printer && !pageImage)
        cairo_scale(m_cr, 72.0 / dpi, 72.0 / dpi);
    const RegionData& clip = EffectiveClip();
    for (const RECT& r : ClipRects())
        cairo_rectangle(m_cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (clip.IsEmpty())
        cairo_rectangle(m_cr, 0, 0, 0, 0);
    cairo_clip(m_cr);
    return m_cr;
}

POINT DcImpl::LogToDevScaled(POINT p) const
{
    return POINT{ScaleRound(std::int64_t(p.x) - st.winOrg.x, st.vpExt.cx, st.winExt.cx) + st.vpOrg.x,
                 ScaleRound(std::int64_t(p.y) - st.winOrg.y, st.vpExt.cy, st.winExt.cy) + st.vpOrg.y};
}

POINT DcImpl::DevToLog(POINT p) const
{
    return POINT{ScaleRound(std::int64_t(p.x) - st.vpOrg.x, st.winExt.cx, st.vpExt.cx) + st.winOrg.x,
                 ScaleRound(std::int64_t(p.y) - st.vpOrg.y, st.winExt.cy, st.vpExt.cy) + st.winOrg.y};
}

int DcImpl::DevLength(int logical) const
{
    return std::abs(ScaleRound(logical, st.vpExt.cx, st.winExt.cx));
}

const RealFont& DcImpl::RealizedFont() const
{
    static const LOGFONTW kFallback{};
    FontObj* f = Font();
    double sx = ScaleX(), sy = ScaleY();
    unsigned gen = FontCacheGeneration();
    std::uint64_t serial = f ? f->serial : 0;
    if (!m_font || m_fontSerial != serial || m_fontSx != sx || m_fontSy != sy || m_fontGeneration != gen) {
        if (!f) {
            m_font = &RealizeFont(kFallback, sx, sy);
        } else {
            if (!f->realized || f->realizedSx != sx || f->realizedSy != sy || f->realizedGeneration != gen) {
                f->realized = &RealizeFont(f->lf, sx, sy);
                f->realizedSx = sx;
                f->realizedSy = sy;
                f->realizedGeneration = FontCacheGeneration();
            }
            m_font = f->realized;
        }
        m_fontSerial = serial;
        m_fontSx = sx;
        m_fontSy = sy;
        m_fontGeneration = FontCacheGeneration();
    }
    return *m_font;
}

PaintSource DcImpl::SolidSource(COLORREF c) const
{
    PaintSource s;
    s.none = false;
    s.solid = PixelFromColor(c);
    return s;
}

PaintSource DcImpl::BrushSource(const BrushObj* b) const
{
    PaintSource s;
    if (!b || b->style == BS_NULL)
        return s;
    s.none = false;
    s.ox = origin.x + st.brushOrg.x;
    s.oy = origin.y + st.brushOrg.y;
    if (b->style == BS_SOLID) {
        s.solid = PixelFromColor(b->color);
        return s;
    }
    s.hasPattern = true;
    s.solid = PixelFromColor(b->color);  // what targets without pixels (printers) paint instead
    if (b->style == BS_HATCHED) {
        s.pw = s.ph = 8;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                bool line = HatchPixel(b->hatch, x, y);
                s.pixels.push_back(PixelFromColor(line ? b->color : st.bkColor));
                s.opaque.push_back(line || st.bkMode == OPAQUE);
            }
        return s;
    }
    if (!b->pattern || b->pattern->width <= 0 || b->pattern->height <= 0) {
        s.hasPattern = false;
        return s;
    }
    const Pattern& p = *b->pattern;
    s.pw = p.width;
    s.ph = p.height;
    s.pixels = p.pixels;
    if (p.mono)
        for (std::uint32_t& px : s.pixels)
            px = PixelFromColor(px ? st.bkColor : st.textColor);
    s.opaque.assign(s.pixels.size(), true);
    s.solid = s.pixels.empty() ? 0 : s.pixels[0];
    return s;
}

void DcImpl::FillRectPixels(const RECT& rIn, const PaintSource& src, int rop2)
{
    Surface* s = Image();
    if (!s || src.none || rop2 == R2_NOP)
        return;
    s->BeginAccess();
    for (const RECT& c : ClipRects()) {
        RECT r{std::max(rIn.left, c.left), std::max(rIn.top, c.top), std::min(rIn.right, c.right),
               std::min(rIn.bottom, c.bottom)};
        if (r.left >= r.right || r.top >= r.bottom)
            continue;
        if (!src.hasPattern && rop2 == R2_COPYPEN) {
            // Row by row through the C library's vectorised fill: pixman's fill costs more per call
            // than the pixels of the one-pixel spans that lines are made of.
            if (r.right - r.left == 1) {  // a vertical line
                auto* p = reinterpret_cast<unsigned char*>(s->Row(r.top) + r.left);
                for (LONG y = r.top; y < r.bottom; ++y, p += s->Stride())
                    *reinterpret_cast<std::uint32_t*>(p) = src.solid;
                continue;
            }
            for (LONG y = r.top; y < r.bottom; ++y)
                FillSpan(s->Row(y) + r.left, size_t(r.right - r.left), src.solid);
            continue;
        }
        for (LONG y = r.top; y < r.bottom; ++y) {
            std::uint32_t* row = s->Row(y);
            for (LONG x = r.left; x < r.right; ++x) {
                std::uint32_t p;
                if (src.At(x, y, p))
                    row[x] = Rop2(rop2, p, row[x]);
            }
        }
    }
    s->EndAccess();
}

void DcImpl::ApplyMask(const unsigned char* mask, int stride, int mx, int my, int w, int h, const PaintSource& src,
                       int rop2)
{
    Surface* s = Image();
    if (!s || src.none || rop2 == R2_NOP)
        return;
    s->BeginAccess();
    RECT box{mx, my, mx + w, my + h};
    for (const RECT& c : ClipRects()) {
        RECT r{std::max(box.left, c.left), std::max(box.top, c.top), std::min(box.right, c.right),
               std::min(box.bottom, c.bottom)};
        for (LONG y = r.top; y < r.bottom; ++y) {
            std::uint32_t* row = s->Row(y);
            const unsigned char* m = mask + std::ptrdiff_t(y - my) * stride;
            for (LONG x = r.left; x < r.right; ++x) {
                std::uint32_t p;
                if (m[x - mx] >= 128 && src.At(x, y, p))
                    row[x] = Rop2(rop2, p, row[x]);
            }
        }
    }
    s->EndAccess();
}

void DcImpl::PlotPixel(int x, int y, std::uint32_t colour, int rop2)
{
    Surface* s = Image();
    if (!s || !EffectiveClip().Contains(x, y))
        return;
    s->BeginAccess();
    std::uint32_t& px = s->Row(y)[x];
    px = Rop2(rop2, colour, px);
    s->EndAccess();
}

namespace {

// Every dash pattern's length divides this, so the phase can be kept small.
constexpr std::int64_t kStylePeriod = 24;

void Advance(int& styleStep, std::int64_t n)
{
    styleStep = int((styleStep + n % kStylePeriod) % kStylePeriod);
}

// Liang-Barsky: the parameter range [t0, t1] of segment a-b inside box; false when none.
bool ClipSegment(POINT a, POINT b, const RECT& box, double& t0, double& t1)
{
    double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const double edges[4][2] = {{-dx, double(a.x) - box.left}, {dx, double(box.right) - a.x},
                                {-dy, double(a.y) - box.top}, {dy, double(box.bottom) - a.y}};
    t0 = 0;
    t1 = 1;
    for (const auto& e : edges) {
        if (e[0] == 0) {
            if (e[1] < 0)
                return false;  // parallel to this edge and outside it
            continue;
        }
        double t = e[1] / e[0];
        if (e[0] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    return t0 < t1;
}

}  // namespace

void DcImpl::CosmeticLine(POINT a, POINT b, const PenObj& pen, int& styleStep)
{
    Surface* s = Image();
    if (!s || st.rop2 == R2_NOP)
        return;
    std::int64_t steps64 = std::max(std::llabs(std::int64_t(b.x) - a.x), std::llabs(std::int64_t(b.y) - a.y));
    if (steps64 == 0)
        return;
    const std::vector<int>& dashes = DashPattern(pen.Style());
    std::uint32_t penPx = PixelFromColor(pen.color), bkPx = PixelFromColor(st.bkColor);
    int rop = st.rop2;
    // solid horizontal and vertical lines are spans: fill them clip rectangle by clip rectangle
    if (dashes.empty() && (a.x == b.x || a.y == b.y)) {
        // the last pixel (at b) is left out
        RECT span;
        if (a.y == b.y)
            span = b.x > a.x ? RECT{a.x, a.y, b.x, a.y + 1} : RECT{b.x + 1, a.y, a.x + 1, a.y + 1};
        else
            span = b.y > a.y ? RECT{a.x, a.y, a.x + 1, b.y} : RECT{a.x, b.y + 1, a.x + 1, a.y + 1};
        FillRectPixels(span, SolidSource(pen.color), rop);
        return;
    }
    // a long line reaching far outside the clip is cut to the clip box (plus a margin) first,
    // so wild coordinates cost no more than the pixels that can be drawn
    std::int64_t tail = 0;  // style steps of the part cut off at the end
    RECT limit = EffectiveClip().Box();
    if (steps64 > 4 * (std::int64_t(limit.right - limit.left) + (limit.bottom - limit.top)) + 16) {
        RECT margin{limit.left - 2, limit.top - 2, limit.right + 2, limit.bottom + 2};
        double t0, t1;
        if (!ClipSegment(a, b, margin, t0, t1)) {
            Advance(styleStep, steps64);
            return;
        }
        double ddx = double(b.x) - a.x, ddy = double(b.y) - a.y;
        POINT na{LONG(std::lround(a.x + t0 * ddx)), LONG(std::lround(a.y + t0 * ddy))};
        POINT nb = t1 >= 1 ? b : POINT{LONG(std::lround(a.x + t1 * ddx)), LONG(std::lround(a.y + t1 * ddy))};
        std::int64_t skipped = std::llround(t0 * double(steps64));
        std::int64_t kept = std::max(std::llabs(std::int64_t(nb.x) - na.x), std::llabs(std::int64_t(nb.y) - na.y));
        Advance(styleStep, skipped);
        tail = std::max<std::int64_t>(0, steps64 - skipped - kept);
        a = na;
        b = nb;
        steps64 = kept;
        if (steps64 == 0) {
            Advance(styleStep, tail);
            return;
        }
    }
    int dx = int(std::llabs(std::int64_t(b.x) - a.x)), dy = int(std::llabs(std::int64_t(b.y) - a.y));
    int steps = int(steps64);
    const std::vector<RECT>& clip = ClipRects();
    RECT box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
    bool inside = false, touches = false;
    for (const RECT& c : clip) {
        if (box.left >= c.left && box.top >= c.top && box.right <= c.right && box.bottom <= c.bottom) {
            inside = true;
            break;
        }
        touches = touches || (box.left < c.right && c.left < box.right && box.top < c.bottom && c.top < box.bottom);
    }
    if (!inside && !touches) {
        Advance(styleStep, steps + tail);
        return;
    }
    const RegionData& region = EffectiveClip();
    int period = 0;
    for (int d : dashes)
        period += d;
    bool paintGaps = st.bkMode == OPAQUE;
    s->BeginAccess();
    int sx = b.x > a.x ? 1 : -1, sy = b.y > a.y ? 1 : -1;
    int err = dx - dy;
    int x = a.x, y = a.y;
    for (int i = 0; i < steps; ++i) {
        bool on = true;
        if (period) {
            int ph = styleStep % period;
            for (size_t k = 0; k < dashes.size(); ++k) {
                if (ph < dashes[k]) {
                    on = (k % 2) == 0;
                    break;
                }
                ph -= dashes[k];
            }
        }
        Advance(styleStep, 1);
        if ((on || paintGaps) && (inside || region.Contains(x, y))) {
            std::uint32_t& px = s->Row(y)[x];
            px = Rop2(rop, on ? penPx : bkPx, px);
        }
        int e2 = 2 * err;
        if (e2 > -dy) { err -= dy; x += sx; }
        if (e2 < dx) { err += dx; y += sy; }
    }
    s->EndAccess();
    Advance(styleStep, tail);
}

DcImpl* g_lastDc = nullptr;

DcImpl* ImplFromRegistry(HDC h)
{
    if (!h)
        return nullptr;
    auto& live = LiveDcs();
    auto it = live.find(reinterpret_cast<DcImpl*>(h));
    if (it == live.end())
        return nullptr;
    g_lastDc = *it;
    return g_lastDc;
}

HDC HandleOf(DcImpl* dc)
{
    return reinterpret_cast<HDC>(dc);
}

DcImpl* NewDc(DcType t)
{
    auto* dc = new DcImpl(t);
    LiveDcs().insert(dc);
    return dc;
}

void FreeDc(DcImpl* dc)
{
    if (!dc)
        return;
    LiveDcs().erase(dc);
    if (g_lastDc == dc)
        g_lastDc = nullptr;
    delete dc;
}

HDC CreateWindowDC(std::shared_ptr<Surface> surface, POINT origin, const RECT* visible)
{
    if (!surface)
        return nullptr;
    DcImpl* dc = NewDc(DcType::Window);
    dc->windowSurface = std::move(surface);
    dc->origin = origin;
    if (visible) {
        dc->hasSysClip = true;
        dc->sysClip = RegionData::FromRect(*visible);
    }
    return HandleOf(dc);
}

bool SetVisibleRegion(HDC h, const RegionData* visible)
{
    DcImpl* dc = Impl(h);
    if (!dc || dc->type != DcType::Window)
        return false;
    dc->hasSysClip = visible != nullptr;
    dc->sysClip = visible ? *visible : RegionData();
    dc->ClipChanged();
    return true;
}

bool SetVisibleRegion(HDC h, HRGN visible)
{
    if (!visible)
        return SetVisibleRegion(h, static_cast<const RegionData*>(nullptr));
    auto* r = LookupAs<RegionObj>(visible, Kind::Region);
    return r && SetVisibleRegion(h, &r->rgn);
}

std::shared_ptr<Surface> SurfaceOf(HDC h)
{
    DcImpl* dc = Impl(h);
    if (!dc)
        return nullptr;
    if (dc->type == DcType::Window)
        return dc->windowSurface;
    if (dc->type == DcType::Memory && dc->Bitmap())
        return dc->Bitmap()->surface;
    if (dc->type == DcType::Printer)
        return dc->pageImage;
    return nullptr;
}

}  // namespace gdi
