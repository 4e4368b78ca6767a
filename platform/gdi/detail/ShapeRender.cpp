#include "platform/gdi/detail/ShapeRender.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace gdi {

namespace {

void SetSolid(cairo_t* cr, std::uint32_t px)
{
    cairo_set_source_rgb(cr, ((px >> 16) & 0xFF) / 255.0, ((px >> 8) & 0xFF) / 255.0, (px & 0xFF) / 255.0);
}

// Draws path into a coverage mask and applies it with the DC's raster operation.
void MaskDraw(DcImpl& dc, const PathFn& path, const PaintSource& src, int rop2,
              const std::function<void(cairo_t*)>& setup, bool stroke)
{
    cairo_t* cr = dc.Cr();
    if (!cr)
        return;
    cairo_save(cr);
    setup(cr);
    cairo_new_path(cr);
    path(cr);
    double x1, y1, x2, y2;
    if (stroke)
        cairo_stroke_extents(cr, &x1, &y1, &x2, &y2);
    else
        cairo_fill_extents(cr, &x1, &y1, &x2, &y2);
    cairo_new_path(cr);
    cairo_restore(cr);
    RECT box = dc.EffectiveClip().Box();
    int bx = std::max<int>(box.left, int(std::floor(x1)) - 1);
    int by = std::max<int>(box.top, int(std::floor(y1)) - 1);
    int ex = std::min<int>(box.right, int(std::ceil(x2)) + 1);
    int ey = std::min<int>(box.bottom, int(std::ceil(y2)) + 1);
    if (bx >= ex || by >= ey)
        return;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, ex - bx, ey - by);
    if (cairo_surface_status(mask) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(mask);
        return;
    }
    cairo_t* mc = cairo_create(mask);
    cairo_set_antialias(mc, CAIRO_ANTIALIAS_NONE);
    cairo_translate(mc, -bx, -by);
    setup(mc);
    path(mc);
    if (stroke)
        cairo_stroke(mc);
    else
        cairo_fill(mc);
    cairo_destroy(mc);
    cairo_surface_flush(mask);
    dc.ApplyMask(cairo_image_surface_get_data(mask), cairo_image_surface_get_stride(mask), bx, by, ex - bx, ey - by,
                 src, rop2);
    cairo_surface_destroy(mask);
}

// Draws path straight onto the DC's surface in one solid colour.
void SolidDraw(DcImpl& dc, const PathFn& path, std::uint32_t solid,
               const std::function<void(cairo_t*)>& setup, bool stroke)
{
    cairo_t* cr = dc.Cr();
    if (!cr)
        return;
    cairo_save(cr);
    setup(cr);
    SetSolid(cr, solid);
    cairo_new_path(cr);
    path(cr);
    if (stroke)
        cairo_stroke(cr);
    else
        cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace

int PenDeviceWidth(const DcImpl& dc, const PenObj& pen)
{
    if (pen.Style() == PS_NULL)
        return 0;
    if ((pen.style & PS_TYPE_MASK) == PS_COSMETIC && pen.width <= 1)
        return 1;
    return std::max(1, dc.DevLength(pen.width));
}

void FillPath(DcImpl& dc, const PathFn& path, const PaintSource& src, int fillMode)
{
    if (src.none || dc.st.rop2 == R2_NOP)
        return;
    auto setup = [fillMode](cairo_t* c) {
        cairo_set_fill_rule(c, fillMode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    };
    if (dc.Image() && (dc.st.rop2 != R2_COPYPEN || src.hasPattern)) {
        MaskDraw(dc, path, src, dc.st.rop2, setup, false);
        return;
    }
    SolidDraw(dc, path, src.solid, setup, false);
}

namespace {

// Width, caps, joins and dashes of a pen on a context.
void SetUpStroke(cairo_t* c, int width, const PenObj& pen)
{
    const int style = pen.Style();
    const int cap = pen.style & PS_ENDCAP_MASK, join = pen.style & PS_JOIN_MASK;
    const bool cosmetic = width <= 1;
    cairo_set_line_width(c, width);
    if (cosmetic) {
        cairo_set_line_cap(c, CAIRO_LINE_CAP_BUTT);
        cairo_set_line_join(c, CAIRO_LINE_JOIN_MITER);
    } else {
        cairo_set_line_cap(c, cap == PS_ENDCAP_FLAT ? CAIRO_LINE_CAP_BUTT
                              : cap == PS_ENDCAP_SQUARE ? CAIRO_LINE_CAP_SQUARE
                                                        : CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(c, join == PS_JOIN_BEVEL ? CAIRO_LINE_JOIN_BEVEL
                               : join == PS_JOIN_MITER ? CAIRO_LINE_JOIN_MITER
                                                       : CAIRO_LINE_JOIN_ROUND);
    }
    double unit = cosmetic ? 1.0 : width;
    static const double kDash[] = {6, 2}, kDot[] = {1, 1}, kDashDot[] = {3, 2, 1, 2},
                        kDashDotDot[] = {3, 1, 1, 1, 1, 1};
    const double* pat = nullptr;
    int n = 0;
    switch (style) {
    case PS_DASH: pat = kDash; n = 2; break;
    case PS_DOT: pat = kDot; n = 2; break;
    case PS_DASHDOT: pat = kDashDot; n = 4; break;
    case PS_DASHDOTDOT: pat = kDashDotDot; n = 6; break;
    default: break;
    }
    if (pat) {
        double d[6];
        for (int i = 0; i < n; ++i)
            d[i] = pat[i] * unit * (cosmetic ? 3 : 1);
        cairo_set_dash(c, d, n, 0);
    }
}

// The pixels of a dot as runs, from its centre pixel.
struct DotRun {
    int dy, x0, x1;
};

// The runs of the dot a zero-length line of the pen leaves, found once by stroking it on a
// scratch mask: a stroke moved by whole pixels covers the same pixels moved.
const std::vector<DotRun>* DotRuns(int width, const PenObj& pen)
{
    static std::vector<std::pair<std::uint64_t, std::vector<DotRun>>> kept;
    const std::uint64_t key = std::uint64_t(std::uint32_t(width)) << 32 | std::uint32_t(pen.style);
    for (const auto& k : kept)
        if (k.first == key)
            return &k.second;
    if (kept.size() >= 64)
        return nullptr;
    const int size = width + 8, c = size / 2;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, size, size);
    if (cairo_surface_status(mask) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(mask);
        return nullptr;
    }
    cairo_t* mc = cairo_create(mask);
    cairo_set_antialias(mc, CAIRO_ANTIALIAS_NONE);
    SetUpStroke(mc, width, pen);
    const double o = (width % 2) ? 0.5 : 0.0;  // as lines are placed
    cairo_move_to(mc, c + o, c + o);
    cairo_line_to(mc, c + o, c + o);
    cairo_stroke(mc);
    cairo_destroy(mc);
    cairo_surface_flush(mask);
    const unsigned char* data = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    std::vector<DotRun> runs;
    bool edge = false;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size;) {
            if (data[y * stride + x] < 128) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < size && data[y * stride + x] >= 128)
                ++x;
            edge = edge || from == 0 || x == size || y == 0 || y == size - 1;
            runs.push_back(DotRun{y - c, from - c, x - c});
        }
    cairo_surface_destroy(mask);
    if (edge)
        return nullptr;  // the dot is larger than thought: stroke it
    kept.emplace_back(key, std::move(runs));
    return &kept.back().second;
}

}  // namespace

bool StampDot(DcImpl& dc, const PenObj& pen, POINT at)
{
    Surface* s = dc.Image();
    const int width = PenDeviceWidth(dc, pen);
    if (!s || dc.type == DcType::Printer || dc.st.rop2 != R2_COPYPEN || pen.Style() != PS_SOLID || width <= 1 ||
        width > 64)
        return false;
    const std::vector<DotRun>* runs = DotRuns(width, pen);
    if (!runs)
        return false;
    // what an opaque colour painted through the compositing library leaves in the pixel
    const std::uint32_t px = 0xFF000000u | PixelFromColor(pen.color);
    s->BeginAccess();
    for (const RECT& c : dc.ClipRects())
        for (const DotRun& r : *runs) {
            const std::int64_t y = std::int64_t(at.y) + r.dy;
            if (y < c.top || y >= c.bottom)
                continue;
            const std::int64_t from = std::max<std::int64_t>(c.left, std::int64_t(at.x) + r.x0);
            const std::int64_t to = std::min<std::int64_t>(c.right, std::int64_t(at.x) + r.x1);
            std::uint32_t* row = s->Row(int(y));
            for (std::int64_t x = from; x < to; ++x)
                row[x] = px;
        }
    s->EndAccess();
    return true;
}

void StrokePath(DcImpl& dc, const PathFn& path, const PenObj& pen)
{
    int width = PenDeviceWidth(dc, pen);
    if (width == 0 || dc.st.rop2 == R2_NOP)
        return;
    auto setup = [&](cairo_t* c) { SetUpStroke(c, width, pen); };
    PaintSource src = dc.SolidSource(pen.color);
    if (dc.Image() && dc.st.rop2 != R2_COPYPEN) {
        MaskDraw(dc, path, src, dc.st.rop2, setup, true);
        return;
    }
    SolidDraw(dc, path, src.solid, setup, true);
}

void FillSurfaceRect(DcImpl& dc, const RECT& r, const PaintSource& src, int rop2)
{
    if (src.none || r.left >= r.right || r.top >= r.bottom)
        return;
    if (dc.Image()) {
        dc.FillRectPixels(r, src, rop2);
        return;
    }
    cairo_t* cr = dc.Cr();
    if (!cr)
        return;
    cairo_save(cr);
    SetSolid(cr, src.solid);
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace gdi
