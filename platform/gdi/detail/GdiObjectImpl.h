// The objects behind GDI handles. A handle is the address of one of these objects; a registry
// of live objects lets every entry point reject stale or foreign handles instead of touching
// freed memory. Objects selected into a device context stay alive until deselected even when
// their handle is deleted, so a wrapper destroyed too early never leaves a DC dangling.
#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/detail/GdiSurface.h"
#include "platform/gdi/detail/RegionData.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace gdi {

enum class Kind { Pen, Brush, Font, Bitmap, Region, Palette };

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;
    Kind kind;
    bool stock = false;
    bool deleted = false;  // handle deleted while still selected somewhere
    int refs = 0;          // selections in device contexts (current and saved states)
    // Unique for the life of the process: caches compare it, never the address, which a new
    // object may reuse after an old one is freed.
    std::uint64_t serial = 0;
};

struct PenObj : Object {
    PenObj() : Object(Kind::Pen) {}
    int style = PS_SOLID;  // PS_* incl. type, cap and join bits
    int width = 0;         // logical units; 0 = one device pixel
    COLORREF color = 0;
    int Style() const { return style & PS_STYLE_MASK; }
};

// An 8x8 (or any size) brush pattern in pixel form. Monochrome patterns take the DC's text
// colour for 0 bits and background colour for 1 bits, as GDI does.
struct Pattern {
    int width = 0;
    int height = 0;
    bool mono = false;
    std::vector<std::uint32_t> pixels;  // xRGB; for mono: 0 = bit clear, 0xFFFFFF = bit set
};

struct BrushObj : Object {
    BrushObj() : Object(Kind::Brush) {}
    UINT style = BS_SOLID;
    COLORREF color = 0;
    int hatch = 0;
    std::shared_ptr<const Pattern> pattern;
};

class RealFont;

struct FontObj : Object {
    FontObj() : Object(Kind::Font) {}
    LOGFONTW lf{};
    // The font last realised for this one, and the scale and font cache generation it was
    // realised under: painters select many fonts in turn into one device context.
    mutable const RealFont* realized = nullptr;
    mutable double realizedSx = 0, realizedSy = 0;
    mutable unsigned realizedGeneration = 0;
};

struct BitmapObj : Object {
    BitmapObj() : Object(Kind::Bitmap) {}
    std::shared_ptr<Surface> surface;  // null for the stock 1x1 bitmap of a fresh memory DC
    int bitsPixel = 32;                // what GetObject reports: 1 for monochrome bitmaps
    void* dibBits = nullptr;           // DIB section memory (owned)
    ~BitmapObj() override;
    bool IsMono() const { return bitsPixel == 1; }
};

struct RegionObj : Object {
    RegionObj() : Object(Kind::Region) {}
    RegionData rgn;
};

struct PaletteObj : Object {
    PaletteObj() : Object(Kind::Palette) {}
    std::vector<PALETTEENTRY> entries;
};

// Device-dependent bitmap bits as CreateBitmap and SetBitmapBits take them: WORD-aligned rows,
// top-down, 1, 24 or 32 bits per pixel.
int DdbRowBytes(int width, int bpp);
void LoadDdbBits(BitmapObj* b, const void* bits, int bpp);

// Registers a new object and returns its handle.
HGDIOBJ Register(std::unique_ptr<Object> obj);
// The live object for a handle, or nullptr for null, deleted or unknown handles.
// Live objects found lately, by address: painters select the same few pens, brushes and fonts
// over and over. An object leaves this cache when it leaves the registry.
constexpr unsigned kRecentObjectBits = 6;
extern Object* g_recentObjects[1u << kRecentObjectBits];
inline size_t RecentObjectSlot(const void* h)
{
    // objects of one size lie at even steps: mix the bits, or they would share a few slots
    return size_t((std::uint64_t(reinterpret_cast<std::uintptr_t>(h)) * 0x9E3779B97F4A7C15ull) >>
                  (64 - kRecentObjectBits));
}
Object* LookupRegistry(HGDIOBJ h);
inline Object* Lookup(HGDIOBJ h)
{
    if (h && g_recentObjects[RecentObjectSlot(h)] == h)
        return static_cast<Object*>(h);
    return LookupRegistry(h);
}
template <class T>
T* LookupAs(HGDIOBJ h, Kind k)
{
    Object* o = Lookup(h);
    return o && o->kind == k ? static_cast<T*>(o) : nullptr;
}
inline HGDIOBJ HandleOf(const Object* o) { return const_cast<Object*>(o); }
// DeleteObject: stock objects are kept; selected objects live on until their last deselection.
bool Destroy(HGDIOBJ h);
inline void Retain(Object* o)
{
    ++o->refs;
}
inline void Release(Object* o)
{
    if (--o->refs == 0 && o->deleted)
        delete o;
}
// Called with every handle that stops being valid (wrappers drop their temporary objects).
void SetHandleDeletedHook(void (*hook)(HGDIOBJ));

Object* StockObject(int index);
BitmapObj* StockBitmap();  // the 1x1 monochrome bitmap of new memory DCs
BrushObj* SysColorBrush(int index);

// A reference held by a device context's state: keeps the object alive while selected.
class ObjRef {
public:
    ObjRef() = default;
    explicit ObjRef(Object* o) : m_obj(o) { if (m_obj) Retain(m_obj); }
    ObjRef(const ObjRef& o) : ObjRef(o.m_obj) {}
    ObjRef& operator=(const ObjRef& o)
    {
        if (o.m_obj) Retain(o.m_obj);
        if (m_obj) Release(m_obj);
        m_obj = o.m_obj;
        return *this;
    }
    ~ObjRef() { if (m_obj) Release(m_obj); }
    Object* get() const { return m_obj; }
    template <class T>
    T* as() const { return static_cast<T*>(m_obj); }

private:
    Object* m_obj = nullptr;
};

}  // namespace gdi
