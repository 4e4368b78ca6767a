#include "platform/gdi/detail/ShapeRender.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

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

void StrokePath(DcImpl& dc, const PathFn& path, const PenObj& pen)
{
    int width = PenDeviceWidth(dc, pen);
    if (width == 0 || dc.st.rop2 == R2_NOP)
        return;
    int style = pen.Style();
    int cap = pen.style & PS_ENDCAP_MASK, join = pen.style & PS_JOIN_MASK;
    bool cosmetic = width <= 1;
    auto setup = [&](cairo_t* c) {
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
    };
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
