// Filling and stroking Cairo paths on a DC's target with GDI's raster operations: plain Cairo
// drawing for copy operations, an A8 coverage mask applied pixel by pixel otherwise.
#pragma once

#include "platform/gdi/detail/DcImpl.h"

#include <functional>

namespace gdi {

// Adds a path in surface coordinates to the context.
using PathFn = std::function<void(cairo_t*)>;

// fillMode: ALTERNATE or WINDING.
void FillPath(DcImpl& dc, const PathFn& path, const PaintSource& src, int fillMode);
// Strokes with the pen's device width (at least one pixel), caps, joins and dashes.
void StrokePath(DcImpl& dc, const PathFn& path, const PenObj& pen);
// Draws the dot a zero-length line leaves with a wide solid pen, centred on surface point `at`,
// from the pixels kept for the pen's width and caps; FALSE (nothing drawn) where only a stroked
// path gives the pixels: other raster operations, other pen styles, targets without pixels.
bool StampDot(DcImpl& dc, const PenObj& pen, POINT at);
// Fills a surface rectangle (pixels on image targets, Cairo on printers).
void FillSurfaceRect(DcImpl& dc, const RECT& r, const PaintSource& src, int rop2);
// Device width of a pen in pixels; 0 for a null pen. Widths of one pixel or less are cosmetic.
int PenDeviceWidth(const DcImpl& dc, const PenObj& pen);

}  // namespace gdi
