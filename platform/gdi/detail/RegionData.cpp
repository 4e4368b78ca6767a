#include "platform/gdi/detail/RegionData.h"

#include "platform/gdi/GdiTypes.h"

#include <algorithm>
#include <cmath>

namespace gdi {

namespace {

// Rows further out than this are never drawn on; slanted edges are only scanned inside it so a
// wild coordinate cannot make region building run for billions of rows.
constexpr LONG kScanLimit = 1 << 16;

bool Apply(int mode, bool a, bool b)
{
    switch (mode) {
    case RGN_AND: return a && b;
    case RGN_OR: return a || b;
    case RGN_XOR: return a != b;
    case RGN_DIFF: return a && !b;
    default: return a;
    }
}

std::vector<LONG> CombineSpans(const std::vector<LONG>& a, const std::vector<LONG>& b, int mode)
{
    std::vector<LONG> out;
    size_t ia = 0, ib = 0;
    bool inA = false, inB = false, inOut = false;
    while (ia < a.size() || ib < b.size()) {
        LONG x;
        if (ib >= b.size() || (ia < a.size() && a[ia] <= b[ib]))
            x = a[ia];
        else
            x = b[ib];
        while (ia < a.size() && a[ia] == x) { inA = !inA; ++ia; }
        while (ib < b.size() && b[ib] == x) { inB = !inB; ++ib; }
        bool now = Apply(mode, inA, inB);
        if (now != inOut) {
            out.push_back(x);
            inOut = now;
        }
    }
    // Remove empty intervals and join touching ones.
    std::vector<LONG> clean;
    for (size_t i = 0; i + 1 < out.size(); i += 2) {
        if (out[i] >= out[i + 1])
            continue;
        if (!clean.empty() && clean.back() >= out[i])
            clean.back() = std::max(clean.back(), out[i + 1]);
        else {
            clean.push_back(out[i]);
            clean.push_back(out[i + 1]);
        }
    }
    return clean;
}

struct Edge {
    double x0, y0, x1, y1;
    int dir;
};

std::vector<LONG> SpansAtRow(const std::vector<Edge>& edges, double yc, int fillMode)
{
    std::vector<std::pair<double, int>> cross;
    for (const Edge& e : edges) {
        if ((e.y0 <= yc && e.y1 > yc) || (e.y1 <= yc && e.y0 > yc)) {
            double t = (yc - e.y0) / (e.y1 - e.y0);
            cross.emplace_back(e.x0 + t * (e.x1 - e.x0), e.dir);
        }
    }
    std::sort(cross.begin(), cross.end());
    std::vector<LONG> xs;
    int winding = 0;
    for (size_t i = 0; i < cross.size(); ++i) {
        bool wasIn = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
        winding += fillMode == WINDING ? cross[i].second : 1;
        bool isIn = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
        if (wasIn != isIn) {
            // pixel x is inside when its centre x + 0.5 is
            xs.push_back(static_cast<LONG>(std::ceil(cross[i].first - 0.5)));
        }
    }
    if (xs.size() % 2)
        xs.pop_back();
    return CombineSpans(xs, {}, RGN_OR);
}

}  // namespace

RegionData RegionData::FromRect(const RECT& r)
{
    RegionData d;
    RECT n{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
           std::max(r.top, r.bottom)};
    if (n.left < n.right && n.top < n.bottom)
        d.m_bands.push_back({n.top, n.bottom, {n.left, n.right}});
    return d;
}

void RegionData::AppendBand(LONG top, LONG bottom, std::vector<LONG> xs)
{
    if (xs.empty() || top >= bottom)
        return;
    if (!m_bands.empty() && m_bands.back().bottom == top && m_bands.back().xs == xs) {
        m_bands.back().bottom = bottom;
        return;
    }
    m_bands.push_back({top, bottom, std::move(xs)});
}

RegionData RegionData::FromPolygons(const POINT* pts, const int* counts, int polyCount, int fillMode)
{
    RegionData d;
    std::vector<Edge> edges;
    std::vector<LONG> ys;
    const POINT* p = pts;
    for (int k = 0; k < polyCount; ++k) {
        int n = counts[k];
        for (int i = 0; i < n; ++i) {
            const POINT& a = p[i];
            const POINT& b = p[(i + 1) % n];
            ys.push_back(a.y);
            if (a.y != b.y)
                edges.push_back({double(a.x), double(a.y), double(b.x), double(b.y), b.y > a.y ? 1 : -1});
        }
        p += n;
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        LONG ya = ys[i], yb = ys[i + 1];
        bool allVertical = true;
        for (const Edge& e : edges) {
            double lo = std::min(e.y0, e.y1), hi = std::max(e.y0, e.y1);
            if (lo <= ya && hi >= yb && e.x0 != e.x1) {
                allVertical = false;
                break;
            }
        }
        if (allVertical) {
            d.AppendBand(ya, yb, SpansAtRow(edges, ya + 0.5, fillMode));
            continue;
        }
        LONG from = std::max(ya, -kScanLimit), to = std::min(yb, kScanLimit);
        for (LONG y = from; y < to; ++y)
            d.AppendBand(y, y + 1, SpansAtRow(edges, y + 0.5, fillMode));
    }
    return d;
}

RegionData RegionData::FromRoundRect(const RECT& rIn, int ellipseW, int ellipseH)
{
    RECT r{std::min(rIn.left, rIn.right), std::min(rIn.top, rIn.bottom), std::max(rIn.left, rIn.right),
           std::max(rIn.top, rIn.bottom)};
    RegionData d;
    if (r.left >= r.right || r.top >= r.bottom)
        return d;
    double a = std::min(std::abs(ellipseW), int(r.right - r.left)) / 2.0;
    double b = std::min(std::abs(ellipseH), int(r.bottom - r.top)) / 2.0;
    if (a < 0.5 || b < 0.5)
        return FromRect(r);
    LONG from = std::max(r.top, -kScanLimit), to = std::min(r.bottom, kScanLimit);
    for (LONG y = from; y < to; ++y) {
        double yc = y + 0.5;
        double dy = 0;
        if (yc < r.top + b)
            dy = r.top + b - yc;
        else if (yc > r.bottom - b)
            dy = yc - (r.bottom - b);
        double dx = dy > 0 ? a * std::sqrt(std::max(0.0, 1.0 - (dy / b) * (dy / b))) : a;
        LONG x0 = static_cast<LONG>(std::ceil(r.left + a - dx - 0.5));
        LONG x1 = static_cast<LONG>(std::ceil(r.right - a + dx - 0.5));
        if (x0 < x1)
            d.AppendBand(y, y + 1, {x0, x1});
    }
    return d;
}

RegionData RegionData::Combine(const RegionData& a, const RegionData& b, int mode)
{
    if (mode == RGN_COPY)
        return a;
    std::vector<LONG> ys;
    for (const RegionBand& band : a.m_bands) { ys.push_back(band.top); ys.push_back(band.bottom); }
    for (const RegionBand& band : b.m_bands) { ys.push_back(band.top); ys.push_back(band.bottom); }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    RegionData out;
    static const std::vector<LONG> kNone;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        LONG y0 = ys[i], y1 = ys[i + 1];
        while (ia < a.m_bands.size() && a.m_bands[ia].bottom <= y0) ++ia;
        while (ib < b.m_bands.size() && b.m_bands[ib].bottom <= y0) ++ib;
        const std::vector<LONG>& xa = (ia < a.m_bands.size() && a.m_bands[ia].top <= y0) ? a.m_bands[ia].xs : kNone;
        const std::vector<LONG>& xb = (ib < b.m_bands.size() && b.m_bands[ib].top <= y0) ? b.m_bands[ib].xs : kNone;
        out.AppendBand(y0, y1, CombineSpans(xa, xb, mode));
    }
    return out;
}

int RegionData::Complexity() const
{
    if (m_bands.empty())
        return NULLREGION;
    if (m_bands.size() == 1 && m_bands[0].xs.size() == 2)
        return SIMPLEREGION;
    return COMPLEXREGION;
}

RECT RegionData::Box() const
{
    if (m_bands.empty())
        return RECT{0, 0, 0, 0};
    RECT r{m_bands.front().xs.front(), m_bands.front().top, m_bands.front().xs.back(), m_bands.back().bottom};
    for (const RegionBand& band : m_bands) {
        r.left = std::min(r.left, band.xs.front());
        r.right = std::max(r.right, band.xs.back());
    }
    return r;
}

bool RegionData::Contains(LONG x, LONG y) const
{
    auto it = std::upper_bound(m_bands.begin(), m_bands.end(), y,
                               [](LONG v, const RegionBand& b) { return v < b.bottom; });
    if (it == m_bands.end() || it->top > y)
        return false;
    for (size_t i = 0; i + 1 < it->xs.size(); i += 2)
        if (x >= it->xs[i] && x < it->xs[i + 1])
            return true;
    return false;
}

bool RegionData::IntersectsRect(const RECT& r) const
{
    for (const RegionBand& band : m_bands) {
        if (band.bottom <= r.top || band.top >= r.bottom)
            continue;
        for (size_t i = 0; i + 1 < band.xs.size(); i += 2)
            if (band.xs[i] < r.right && band.xs[i + 1] > r.left)
                return true;
    }
    return false;
}

void RegionData::Offset(LONG dx, LONG dy)
{
    for (RegionBand& band : m_bands) {
        band.top += dy;
        band.bottom += dy;
        for (LONG& x : band.xs)
            x += dx;
    }
}

std::vector<RECT> RegionData::Rects() const
{
    std::vector<RECT> out;
    for (const RegionBand& band : m_bands)
        for (size_t i = 0; i + 1 < band.xs.size(); i += 2)
            out.push_back(RECT{band.xs[i], band.top, band.xs[i + 1], band.bottom});
    return out;
}

}  // namespace gdi
