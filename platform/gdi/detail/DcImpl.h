// The device context behind an HDC: its state (mapping, selected objects, colours, clip), its
// target (a bitmap, a window surface or a PDF document) and the pixel-level drawing helpers the
// CDC members share. The window layer uses CreateWindowDC to draw into a window surface.
#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/detail/GdiObjectImpl.h"
#include "platform/gdi/detail/GdiSurface.h"
#include "platform/gdi/detail/RegionData.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CDC;
typedef struct _cairo cairo_t;

namespace gdi {

class RealFont;

// a + b for logical coordinates, saturating instead of overflowing.
inline LONG SatSum(std::int64_t a, std::int64_t b)
{
    std::int64_t v = a + b;
    return LONG(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
}

enum class DcType { Memory, Display, Window, Printer };

struct DcState {
    int mapMode = MM_TEXT;
    POINT winOrg{0, 0};
    SIZE winExt{1, 1};
    POINT vpOrg{0, 0};
    SIZE vpExt{1, 1};
    ObjRef pen;
    ObjRef brush;
    ObjRef font;
    ObjRef bitmap;
    ObjRef palette;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int arcDirection = AD_COUNTERCLOCKWISE;
    int stretchMode = BLACKONWHITE;
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT brushOrg{0, 0};
    POINT cur{0, 0};
    bool hasClip = false;
    RegionData clip;  // device units
};

// What to paint with: a pen colour or a brush (solid, hatched or pattern) resolved against the
// DC's colours.
struct PaintSource {
    bool none = true;
    std::uint32_t solid = 0;  // xRGB, when no pattern
    bool hasPattern = false;
    int pw = 0, ph = 0;
    std::vector<std::uint32_t> pixels;  // pattern pixels
    std::vector<bool> opaque;           // hatch gaps in TRANSPARENT mode are not painted
    int ox = 0, oy = 0;                 // pattern origin in surface coordinates
    bool At(int x, int y, std::uint32_t& px) const;
};

class DcImpl {
public:
    DcImpl(DcType t);
    ~DcImpl();
    DcImpl(const DcImpl&) = delete;
    DcImpl& operator=(const DcImpl&) = delete;

    CDC* owner = nullptr;
    DcType type;
    DcState st;
    std::vector<DcState> saved;

    // Window DCs: the top-level surface, the client origin inside it and the visible part
    // (surface coordinates).
    std::shared_ptr<Surface> windowSurface;
    POINT origin{0, 0};
    bool hasSysClip = false;
    RegionData sysClip;

    // Printer DCs, and memory DCs made compatible with one (they answer with its capabilities)
    bool printerCaps = false;
    int dpi = 96;
    SIZE page{0, 0};
    std::wstring outputPath;
    void* pdf = nullptr;  // cairo_surface_t*
    // The document's bytes collect here while it is printed; EndDoc writes them to docPath.
    std::string pdfBytes;
    std::wstring docPath;
    std::shared_ptr<Surface> pageImage;  // print preview: pages drawn into pixels instead
    bool inDoc = false;
    bool inPage = false;
    int pages = 0;

    // ---- targets ----
    // The pixels drawn on (null for printers and for a memory DC without a bitmap).
    Surface* Image() const;
    // Device size (surface or page).
    SIZE DeviceSize() const;
    // A cairo context on the target with the clip applied; null when there is nothing to draw on.
    cairo_t* Cr();
    void TargetChanged();
    void ClipChanged();
    // Clip in surface coordinates, bounded by the target, and its rectangles.
    const RegionData& EffectiveClip();
    const std::vector<RECT>& ClipRects();

    // ---- mapping ----
    POINT LogToDev(POINT p) const
    {
        // equal extents, the usual mapping, move points without scaling them
        if (st.vpExt.cx == st.winExt.cx && st.vpExt.cy == st.winExt.cy) {
            const std::int64_t x = std::int64_t(p.x) - st.winOrg.x, y = std::int64_t(p.y) - st.winOrg.y;
            if (x >= -kUnscaledLimit && x <= kUnscaledLimit && y >= -kUnscaledLimit && y <= kUnscaledLimit)
                return POINT{LONG(x) + st.vpOrg.x, LONG(y) + st.vpOrg.y};
        }
        return LogToDevScaled(p);
    }
    POINT DevToLog(POINT p) const;
    POINT ToSurface(POINT logical) const  // logical -> device -> surface
    {
        const POINT d = LogToDev(logical);
        return POINT{d.x + origin.x, d.y + origin.y};
    }
    double ScaleX() const { return double(st.vpExt.cx) / st.winExt.cx; }
    double ScaleY() const { return double(st.vpExt.cy) / st.winExt.cy; }
    bool Mirrored() const { return (ScaleX() < 0) != (ScaleY() < 0); }
    // Logical length along x (pen widths) in device pixels.
    int DevLength(int logical) const;

    // ---- objects ----
    PenObj* Pen() const { return st.pen.as<PenObj>(); }
    BrushObj* Brush() const { return st.brush.as<BrushObj>(); }
    FontObj* Font() const { return st.font.as<FontObj>(); }
    BitmapObj* Bitmap() const { return st.bitmap.as<BitmapObj>(); }
    const RealFont& RealizedFont() const;
    PaintSource BrushSource(const BrushObj* b) const;
    PaintSource SolidSource(COLORREF c) const;

    // ---- pixel operations (surface coordinates, clipped) ----
    // Applies rop2 with src over the pixels of r.
    void FillRectPixels(const RECT& r, const PaintSource& src, int rop2);
    // Applies rop2 to the pixels set in an A8 mask whose (0,0) is at surface (mx, my).
    void ApplyMask(const unsigned char* mask, int stride, int mx, int my, int w, int h, const PaintSource& src, int rop2);
    // A one-pixel line from a to b without its last pixel, in the pen's style; `styleStep`
    // carries the dash phase along a polyline.
    void CosmeticLine(POINT a, POINT b, const PenObj& pen, int& styleStep);
    void PlotPixel(int x, int y, std::uint32_t colour, int rop2);

private:
    // Device coordinates keep this much headroom for origins and sizes added to them.
    static constexpr std::int64_t kUnscaledLimit = std::int64_t(1) << 30;
    POINT LogToDevScaled(POINT p) const;
    cairo_t* m_cr = nullptr;
    bool m_clipValid = false;
    RegionData m_effClip;
    std::vector<RECT> m_clipRects;
    // last realised font, reused while the font, the scale and the font cache stay the same
    mutable const RealFont* m_font = nullptr;
    mutable std::uint64_t m_fontSerial = 0;
    mutable double m_fontSx = 0, m_fontSy = 0;
    mutable unsigned m_fontGeneration = 0;
};

// The context found last: a painter calls on one context many times in a row.
extern DcImpl* g_lastDc;
DcImpl* ImplFromRegistry(HDC h);
inline DcImpl* Impl(HDC h)  // null for invalid handles
{
    if (h && reinterpret_cast<DcImpl*>(h) == g_lastDc)
        return g_lastDc;
    return ImplFromRegistry(h);
}
HDC HandleOf(DcImpl* dc);
DcImpl* NewDc(DcType t);
void FreeDc(DcImpl* dc);

// Creates a DC drawing into `surface` with the client origin at `origin` (surface coordinates),
// clipped to `visible` (surface coordinates; null for the whole surface). The caller owns the
// returned handle and frees it with DeleteDC.
HDC CreateWindowDC(std::shared_ptr<Surface> surface, POINT origin, const RECT* visible);
// Replaces the visible part of a window DC (surface coordinates; null region = the whole
// surface), e.g. the window minus its clipped children, intersected with the update region
// during painting. Unlike SelectClipRgn the program cannot widen it.
bool SetVisibleRegion(HDC dc, const RegionData* visible);
bool SetVisibleRegion(HDC dc, HRGN visible);
// Display metrics reported by GetDeviceCaps for screen DCs (default 1920 x 1080 at 96 dpi).
void SetDisplayMetrics(int width, int height, int dpi);
int DisplayWidth();
int DisplayHeight();
int DisplayDpi();
// The surface a DC draws on: the selected bitmap's or the window's (null for printers).
std::shared_ptr<Surface> SurfaceOf(HDC h);

}  // namespace gdi
