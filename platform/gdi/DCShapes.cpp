// Lines, polygons, rectangles, ellipses and arcs of CDC, with GDI's pixel conventions: shapes
// are filled up to but not including their right and bottom edges, and one-pixel lines leave
// out their last pixel.
#include "platform/gdi/DC.h"

#include "platform/gdi/detail/DcImpl.h"
#include "platform/gdi/detail/ShapeRender.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

using gdi::DcImpl;
using gdi::PenObj;

namespace {

// TRUE when the polygon (closed or not) is a rectangle with horizontal and vertical sides; its
// box (right and bottom exclusive, as a path fills it) in *pBox.
bool AxisAlignedRectangle(const std::vector<POINT>& p, RECT* pBox)
{
    const size_t n = p.size() == 5 && p[4].x == p[0].x && p[4].y == p[0].y ? 4 : p.size();
    if (n != 4)
        return false;
    auto horizontal = [&](size_t i) { return p[i].y == p[(i + 1) % 4].y; };
    auto vertical = [&](size_t i) { return p[i].x == p[(i + 1) % 4].x; };
    const bool across = horizontal(0) && vertical(1) && horizontal(2) && vertical(3);
    const bool down = vertical(0) && horizontal(1) && vertical(2) && horizontal(3);
    if (!across && !down)
        return false;
    *pBox = RECT{std::min(p[0].x, p[2].x), std::min(p[0].y, p[2].y), std::max(p[0].x, p[2].x),
                 std::max(p[0].y, p[2].y)};
    return true;
}

DcImpl* I(const CDC* dc)
{
    return gdi::Impl(dc->m_hDC);
}

// Cosmetic lines are drawn through pixel centres.
double Offset(const DcImpl& dc, const PenObj& pen)
{
    int w = gdi::PenDeviceWidth(dc, pen);
    return (w % 2) ? 0.5 : 0.0;
}

// A polyline through surface points; cosmetic pens go pixel by pixel on image targets.
void DrawPolyline(DcImpl& dc, const POINT* pts, size_t count, bool closed)
{
    PenObj* pen = dc.Pen();
    if (!pen || count < 2)
        return;
    int width = gdi::PenDeviceWidth(dc, *pen);
    if (width == 0)
        return;
    if (width == 1 && dc.Image()) {
        int step = 0;
        for (size_t i = 0; i + 1 < count; ++i)
            dc.CosmeticLine(pts[i], pts[i + 1], *pen, step);
        if (closed)
            dc.CosmeticLine(pts[count - 1], pts[0], *pen, step);
        return;
    }
    double o = Offset(dc, *pen);
    gdi::StrokePath(
        dc,
        [&](cairo_t* cr) {
            cairo_move_to(cr, pts[0].x + o, pts[0].y + o);
            for (size_t i = 1; i < count; ++i)
                cairo_line_to(cr, pts[i].x + o, pts[i].y + o);
            if (closed)
                cairo_close_path(cr);
        },
        *pen);
}

void DrawPolyline(DcImpl& dc, const std::vector<POINT>& pts, bool closed)
{
    DrawPolyline(dc, pts.data(), pts.size(), closed);
}

std::vector<POINT> ToSurface(const DcImpl& dc, const POINT* pts, int count)
{
    std::vector<POINT> out;
    out.reserve(size_t(std::max(0, count)));
    for (int i = 0; i < count; ++i)
        out.push_back(dc.ToSurface(pts[i]));
    return out;
}

struct Box {
    double l, t, r, b;
};

Box SurfaceBox(const DcImpl& dc, int l, int t, int r, int b)
{
    POINT a = dc.ToSurface(POINT{l, t}), c = dc.ToSurface(POINT{r, b});
    return Box{double(std::min(a.x, c.x)), double(std::min(a.y, c.y)), double(std::max(a.x, c.x)),
               double(std::max(a.y, c.y))};
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double a0, double a1, bool full, bool ccw)
{
    if (rx <= 0 || ry <= 0) {
        cairo_move_to(cr, cx - rx, cy - ry);
        cairo_line_to(cr, cx + rx, cy + ry);
        return;
    }
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    if (full)
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    else if (ccw)
        cairo_arc_negative(cr, 0, 0, 1, a0, a1);
    else
        cairo_arc(cr, 0, 0, 1, a0, a1);
    cairo_restore(cr);
}

enum class ArcKind { Arc, ArcTo, Chord, Pie };

}  // namespace

CPoint CDC::MoveTo(int x, int y)
{
    DcImpl* dc = I(this);
    if (!dc)
        return CPoint();
    return CPoint(std::exchange(dc->st.cur, POINT{x, y}));
}

CPoint CDC::GetCurrentPosition() const
{
    DcImpl* dc = I(this);
    return dc ? CPoint(dc->st.cur) : CPoint();
}

BOOL CDC::LineTo(int x, int y)
{
    DcImpl* dc = I(this);
    if (!dc)
        return FALSE;
    POINT a = dc->ToSurface(dc->st.cur), b = dc->ToSurface(POINT{x, y});
    PenObj* pen = dc->Pen();
    if (pen && a.x == b.x && a.y == b.y) {
        // a zero-length line with a wide round-capped pen leaves a dot
        if (gdi::PenDeviceWidth(*dc, *pen) > 1 && !gdi::StampDot(*dc, *pen, a))
            gdi::StrokePath(
                *dc,
                [&](cairo_t* cr) {
                    double o = Offset(*dc, *pen);
                    cairo_move_to(cr, a.x + o, a.y + o);
                    cairo_line_to(cr, a.x + o, a.y + o);
                },
                *pen);
    } else {
        const POINT line[2] = {a, b};
        DrawPolyline(*dc, line, 2, false);
    }
    dc->st.cur = POINT{x, y};
    return TRUE;
}

BOOL CDC::Polyline(const POINT* pts, int count)
{
    DcImpl* dc = I(this);
    if (!dc || !pts || count < 2)
        return FALSE;
    DrawPolyline(*dc, ToSurface(*dc, pts, count), false);
    return TRUE;
}

BOOL CDC::PolylineTo(const POINT* pts, int count)
{
    DcImpl* dc = I(this);
    if (!dc || !pts || count < 1)
        return FALSE;
    std::vector<POINT> s{dc->ToSurface(dc->st.cur)};
    for (int i = 0; i < count; ++i)
        s.push_back(dc->ToSurface(pts[i]));
    DrawPolyline(*dc, s, false);
    dc->st.cur = pts[count - 1];
    return TRUE;
}

BOOL CDC::PolyPolyline(const POINT* pts, const DWORD* counts, int polyCount)
{
    if (!pts || !counts || polyCount <= 0)
        return FALSE;
    for (int i = 0; i < polyCount; ++i) {
        Polyline(pts, int(counts[i]));
        pts += counts[i];
    }
    return TRUE;
}

BOOL CDC::PolyPolygon(const POINT* pts, const INT* counts, int polyCount)
{
    DcImpl* dc = I(this);
    if (!dc || !pts || !counts || polyCount <= 0)
        return FALSE;
    std::vector<std::vector<POINT>> polys;
    const POINT* p = pts;
    for (int k = 0; k < polyCount; ++k) {
        if (counts[k] < 2)
            return FALSE;
        polys.push_back(ToSurface(*dc, p, counts[k]));
        p += counts[k];
    }
    RECT box;
    gdi::PaintSource brush = dc->BrushSource(dc->Brush());
    if (polys.size() == 1 && AxisAlignedRectangle(polys[0], &box) && dc->Image() && !brush.none && !brush.hasPattern &&
        dc->st.rop2 == R2_COPYPEN) {
        // The pixels a rectangle path fills, without a path: element bodies are such polygons.
        dc->FillRectPixels(box, brush, R2_COPYPEN);
    } else {
        gdi::FillPath(
            *dc,
            [&](cairo_t* cr) {
                for (const auto& poly : polys) {
                    cairo_move_to(cr, poly[0].x, poly[0].y);
                    for (size_t i = 1; i < poly.size(); ++i)
                        cairo_line_to(cr, poly[i].x, poly[i].y);
                    cairo_close_path(cr);
                }
            },
            brush, dc->st.polyFillMode);
    }
    for (const auto& poly : polys)
        DrawPolyline(*dc, poly, true);
    return TRUE;
}

BOOL CDC::Polygon(const POINT* pts, int count)
{
    return PolyPolygon(pts, &count, 1);
}

BOOL CDC::PolyBezier(const POINT* pts, int count)
{
    DcImpl* dc = I(this);
    if (!dc || !pts || count < 4 || (count - 1) % 3 != 0)
        return FALSE;
    std::vector<POINT> s = ToSurface(*dc, pts, count);
    PenObj* pen = dc->Pen();
    if (!pen)
        return FALSE;
    double o = Offset(*dc, *pen);
    gdi::StrokePath(
        *dc,
        [&](cairo_t* cr) {
            cairo_move_to(cr, s[0].x + o, s[0].y + o);
            for (size_t i = 1; i + 2 < s.size(); i += 3)
                cairo_curve_to(cr, s[i].x + o, s[i].y + o, s[i + 1].x + o, s[i + 1].y + o, s[i + 2].x + o,
                               s[i + 2].y + o);
        },
        *pen);
    return TRUE;
}

BOOL CDC::PolyBezierTo(const POINT* pts, int count)
{
    DcImpl* dc = I(this);
    if (!dc || !pts || count < 3 || count % 3 != 0)
        return FALSE;
    std::vector<POINT> all{dc->st.cur};
    all.insert(all.end(), pts, pts + count);
    BOOL ok = PolyBezier(all.data(), int(all.size()));
    dc->st.cur = pts[count - 1];
    return ok;
}

BOOL CDC::Rectangle(int l, int t, int r, int b)
{
    DcImpl* dc = I(this);
    if (!dc)
        return FALSE;
    Box box = SurfaceBox(*dc, l, t, r, b);
    RECT rc{LONG(box.l), LONG(box.t), LONG(box.r), LONG(box.b)};
    PenObj* pen = dc->Pen();
    int width = pen ? gdi::PenDeviceWidth(*dc, *pen) : 0;
    gdi::PaintSource brush = dc->BrushSource(dc->Brush());
    if (width == 0) {
        // without a pen the filled area is one pixel smaller on the right and bottom
        gdi::FillSurfaceRect(*dc, RECT{rc.left, rc.top, rc.right - 1, rc.bottom - 1}, brush, dc->st.rop2);
        return TRUE;
    }
    if (rc.right - rc.left < 1 || rc.bottom - rc.top < 1)
        return TRUE;
    if (width == 1) {
        LONG r1 = rc.right - 1, b1 = rc.bottom - 1;
        if (r1 == rc.left || b1 == rc.top) {
            // one pixel wide or high: the outline is the whole rectangle, each pixel once
            gdi::FillSurfaceRect(*dc, rc, dc->SolidSource(pen->color), dc->st.rop2);
            return TRUE;
        }
        gdi::FillSurfaceRect(*dc, RECT{rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1}, brush, dc->st.rop2);
        const POINT outline[4] = {{rc.left, rc.top}, {r1, rc.top}, {r1, b1}, {rc.left, b1}};
        DrawPolyline(*dc, outline, 4, true);
        return TRUE;
    }
    double inset = pen->Style() == PS_INSIDEFRAME ? width / 2.0 : 0.5;
    double x0 = box.l + inset, y0 = box.t + inset, x1 = box.r - inset, y1 = box.b - inset;
    gdi::FillSurfaceRect(*dc, rc, brush, dc->st.rop2);
    gdi::StrokePath(
        *dc, [&](cairo_t* cr) { cairo_rectangle(cr, x0, y0, std::max(0.0, x1 - x0), std::max(0.0, y1 - y0)); },
        *pen);
    return TRUE;
}

BOOL CDC::RoundRect(int l, int t, int r, int b, int w, int h)
{
    DcImpl* dc = I(this);
    if (!dc)
        return FALSE;
    Box box = SurfaceBox(*dc, l, t, r, b);
    double ew = std::fabs(w * dc->ScaleX()), eh = std::fabs(h * dc->ScaleY());
    double x0 = box.l + 0.5, y0 = box.t + 0.5, x1 = box.r - 0.5, y1 = box.b - 0.5;
    double rx = std::min(ew / 2, (x1 - x0) / 2), ry = std::min(eh / 2, (y1 - y0) / 2);
    auto path = [&](cairo_t* cr) {
        if (rx <= 0 || ry <= 0) {
            cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
            return;
        }
        cairo_new_sub_path(cr);
        EllipsePath(cr, x1 - rx, y0 + ry, rx, ry, -M_PI / 2, 0, false, false);
        EllipsePath(cr, x1 - rx, y1 - ry, rx, ry, 0, M_PI / 2, false, false);
        EllipsePath(cr, x0 + rx, y1 - ry, rx, ry, M_PI / 2, M_PI, false, false);
        EllipsePath(cr, x0 + rx, y0 + ry, rx, ry, M_PI, 1.5 * M_PI, false, false);
        cairo_close_path(cr);
    };
    gdi::FillPath(*dc, path, dc->BrushSource(dc->Brush()), ALTERNATE);
    if (PenObj* pen = dc->Pen())
        gdi::StrokePath(*dc, path, *pen);
    return TRUE;
}

BOOL CDC::Ellipse(int l, int t, int r, int b)
{
    DcImpl* dc = I(this);
    if (!dc)
        return FALSE;
    Box box = SurfaceBox(*dc, l, t, r, b);
    double cx = (box.l + box.r) / 2, cy = (box.t + box.b) / 2;
    double rx = (box.r - box.l - 1) / 2, ry = (box.b - box.t - 1) / 2;
    auto path = [&](cairo_t* cr) {
        cairo_new_sub_path(cr);
        EllipsePath(cr, cx, cy, rx, ry, 0, 0, true, false);
        cairo_close_path(cr);
    };
    gdi::FillPath(*dc, path, dc->BrushSource(dc->Brush()), ALTERNATE);
    if (PenObj* pen = dc->Pen())
        gdi::StrokePath(*dc, path, *pen);
    return TRUE;
}

namespace {

BOOL DrawArc(CDC* self, ArcKind kind, int l, int t, int r, int b, int x3, int y3, int x4, int y4)
{
    DcImpl* dc = I(self);
    if (!dc)
        return FALSE;
    Box box = SurfaceBox(*dc, l, t, r, b);
    double cx = (box.l + box.r) / 2, cy = (box.t + box.b) / 2;
    double rx = (box.r - box.l - 1) / 2, ry = (box.b - box.t - 1) / 2;
    POINT s = dc->ToSurface(POINT{x3, y3}), e = dc->ToSurface(POINT{x4, y4});
    double sx = rx > 0 ? (s.x + 0.5 - cx) / rx : 0, sy = ry > 0 ? (s.y + 0.5 - cy) / ry : 0;
    double ex = rx > 0 ? (e.x + 0.5 - cx) / rx : 0, ey = ry > 0 ? (e.y + 0.5 - cy) / ry : 0;
    double a0 = std::atan2(sy, sx), a1 = std::atan2(ey, ex);
    bool full = std::fabs(a0 - a1) < 1e-9;
    // counter-clockwise on screen is decreasing angle in a y-down frame; a mirrored mapping
    // turns the logical direction around
    bool ccw = (dc->st.arcDirection == AD_COUNTERCLOCKWISE) != dc->Mirrored();
    if (full) {
        a1 = ccw ? a0 - 2 * M_PI : a0 + 2 * M_PI;
        full = false;
    }
    PenObj* pen = dc->Pen();
    double o = 0.5;
    POINT start{LONG(std::lround(cx + rx * std::cos(a0) - o)), LONG(std::lround(cy + ry * std::sin(a0) - o))};
    POINT end{LONG(std::lround(cx + rx * std::cos(a1) - o)), LONG(std::lround(cy + ry * std::sin(a1) - o))};
    if (kind == ArcKind::ArcTo && pen) {
        POINT cur = dc->ToSurface(dc->st.cur);
        DrawPolyline(*dc, {cur, start}, false);
    }
    auto arc = [&](cairo_t* cr) { EllipsePath(cr, cx, cy, rx, ry, a0, a1, false, ccw); };
    if (kind == ArcKind::Chord || kind == ArcKind::Pie) {
        auto path = [&](cairo_t* cr) {
            cairo_new_sub_path(cr);
            if (kind == ArcKind::Pie)
                cairo_move_to(cr, cx, cy);
            arc(cr);
            cairo_close_path(cr);
        };
        gdi::FillPath(*dc, path, dc->BrushSource(dc->Brush()), ALTERNATE);
        if (pen)
            gdi::StrokePath(*dc, path, *pen);
    } else if (pen) {
        gdi::StrokePath(
            *dc,
            [&](cairo_t* cr) {
                cairo_new_sub_path(cr);
                arc(cr);
            },
            *pen);
    }
    if (kind == ArcKind::ArcTo)
        dc->st.cur = dc->DevToLog(POINT{end.x - dc->origin.x, end.y - dc->origin.y});
    return TRUE;
}

}  // namespace

BOOL CDC::Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4)
{
    return DrawArc(this, ArcKind::Arc, l, t, r, b, x3, y3, x4, y4);
}

BOOL CDC::Arc(LPCRECT rc, POINT s, POINT e)
{
    return rc && Arc(rc->left, rc->top, rc->right, rc->bottom, s.x, s.y, e.x, e.y);
}

BOOL CDC::ArcTo(int l, int t, int r, int b, int x3, int y3, int x4, int y4)
{
    return DrawArc(this, ArcKind::ArcTo, l, t, r, b, x3, y3, x4, y4);
}

BOOL CDC::ArcTo(LPCRECT rc, POINT s, POINT e)
{
    return rc && ArcTo(rc->left, rc->top, rc->right, rc->bottom, s.x, s.y, e.x, e.y);
}

BOOL CDC::Chord(int l, int t, int r, int b, int x3, int y3, int x4, int y4)
{
    return DrawArc(this, ArcKind::Chord, l, t, r, b, x3, y3, x4, y4);
}

BOOL CDC::Chord(LPCRECT rc, POINT s, POINT e)
{
    return rc && Chord(rc->left, rc->top, rc->right, rc->bottom, s.x, s.y, e.x, e.y);
}

BOOL CDC::Pie(int l, int t, int r, int b, int x3, int y3, int x4, int y4)
{
    return DrawArc(this, ArcKind::Pie, l, t, r, b, x3, y3, x4, y4);
}

BOOL CDC::Pie(LPCRECT rc, POINT s, POINT e)
{
    return rc && Pie(rc->left, rc->top, rc->right, rc->bottom, s.x, s.y, e.x, e.y);
}
