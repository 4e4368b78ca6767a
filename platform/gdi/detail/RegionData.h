// A region as horizontal bands: each band covers rows [top, bottom) and holds sorted, disjoint
// x-intervals [x0, x1). Adjacent bands with the same intervals are merged, so two regions that
// cover the same pixels have the same representation.
#pragma once

#include "platform/base/WinTypes.h"

#include <vector>

namespace gdi {

struct RegionBand {
    LONG top = 0;
    LONG bottom = 0;
    std::vector<LONG> xs;  // pairs x0, x1
    bool operator==(const RegionBand& o) const { return top == o.top && bottom == o.bottom && xs == o.xs; }
};

class RegionData {
public:
    RegionData() = default;
    static RegionData FromRect(const RECT& r);
    // Pixels whose centres lie inside the polygon (fillMode ALTERNATE or WINDING); several
    // polygons are filled together, as CreatePolyPolygonRgn does.
    static RegionData FromPolygons(const POINT* pts, const int* counts, int polyCount, int fillMode);
    // Rectangle with elliptic corners of the given full width/height (an ellipse when they equal
    // the rectangle's size).
    static RegionData FromRoundRect(const RECT& r, int ellipseW, int ellipseH);
    static RegionData Combine(const RegionData& a, const RegionData& b, int mode);

    bool IsEmpty() const { return m_bands.empty(); }
    // NULLREGION, SIMPLEREGION or COMPLEXREGION
    int Complexity() const;
    RECT Box() const;
    bool Contains(LONG x, LONG y) const;
    bool IntersectsRect(const RECT& r) const;
    void Offset(LONG dx, LONG dy);
    std::vector<RECT> Rects() const;
    const std::vector<RegionBand>& Bands() const { return m_bands; }
    bool operator==(const RegionData& o) const { return m_bands == o.m_bands; }

    // Appends a band below the existing ones (rows must not go upwards); merges equal neighbours.
    void AppendBand(LONG top, LONG bottom, std::vector<LONG> xs);

private:
    std::vector<RegionBand> m_bands;
};

}  // namespace gdi
