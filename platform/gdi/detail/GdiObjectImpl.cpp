#include "platform/gdi/detail/GdiObjectImpl.h"

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <unordered_set>

namespace gdi {

namespace {

std::unordered_set<Object*>& Live()
{
    // never destroyed: CPen or CBrush objects in static storage delete their handles after
    // every function-local static of this library may be gone
    static auto* live = new std::unordered_set<Object*>();
    return *live;
}

void (*g_deletedHook)(HGDIOBJ) = nullptr;


std::unique_ptr<Object> MakeStockPen(int style, COLORREF c)
{
    auto p = std::make_unique<PenObj>();
    p->style = style;
    p->color = c;
    return p;
}

std::unique_ptr<Object> MakeStockBrush(UINT style, COLORREF c)
{
    auto b = std::make_unique<BrushObj>();
    b->style = style;
    b->color = c;
    return b;
}

std::unique_ptr<Object> MakeStockFont(LONG height, LONG weight, BYTE pitch, const wchar_t* face)
{
    auto f = std::make_unique<FontObj>();
    f->lf.lfHeight = height;
    f->lf.lfWeight = weight;
    f->lf.lfCharSet = DEFAULT_CHARSET;
    f->lf.lfPitchAndFamily = pitch;
    std::wcsncpy(f->lf.lfFaceName, face, LF_FACESIZE - 1);
    return f;
}

std::unique_ptr<Object> MakeStock(int index)
{
    switch (index) {
    case WHITE_BRUSH: return MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH: return MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH: return MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH: return MakeStockBrush(BS_NULL, 0);
    case WHITE_PEN: return MakeStockPen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return MakeStockPen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return MakeStockPen(PS_NULL, 0);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: return MakeStockFont(13, FW_NORMAL, FIXED_PITCH | FF_MODERN, L"Courier New");
    case ANSI_VAR_FONT: return MakeStockFont(13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, L"MS Sans Serif");
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: return MakeStockFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, L"System");
    case DEFAULT_GUI_FONT: return MakeStockFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, L"MS Shell Dlg");
    case DEFAULT_PALETTE: {
        auto p = std::make_unique<PaletteObj>();
        static const BYTE kVga[20][3] = {
            {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128}, {0, 128, 128},
            {192, 192, 192}, {192, 220, 192}, {166, 202, 240}, {255, 251, 240}, {160, 160, 164},
            {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255},
            {0, 255, 255}, {255, 255, 255}};
        for (const auto& c : kVga)
            p->entries.push_back(PALETTEENTRY{c[0], c[1], c[2], 0});
        return p;
    }
    default: return nullptr;
    }
}

}  // namespace

BitmapObj::~BitmapObj()
{
    surface.reset();
    std::free(dibBits);
}

// Row bytes of a device-dependent bitmap passed to CreateBitmap/SetBitmapBits (WORD aligned).
int DdbRowBytes(int width, int bpp)
{
    return ((width * bpp + 15) / 16) * 2;
}

void LoadDdbBits(BitmapObj* b, const void* bits, int bpp)
{
    Surface& s = *b->surface;
    const auto* src = static_cast<const BYTE*>(bits);
    int row = DdbRowBytes(s.Width(), bpp);
    s.BeginAccess();
    for (int y = 0; y < s.Height(); ++y) {
        const BYTE* r = src + std::ptrdiff_t(y) * row;
        std::uint32_t* d = s.Row(y);
        for (int x = 0; x < s.Width(); ++x) {
            if (bpp == 1)
                d[x] = (r[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFF : 0;
            else if (bpp == 24)
                d[x] = std::uint32_t(r[3 * x]) | (std::uint32_t(r[3 * x + 1]) << 8) | (std::uint32_t(r[3 * x + 2]) << 16);
            else if (bpp == 32)
                d[x] = std::uint32_t(r[4 * x]) | (std::uint32_t(r[4 * x + 1]) << 8) | (std::uint32_t(r[4 * x + 2]) << 16);
        }
    }
    s.EndAccess();
}

HGDIOBJ Register(std::unique_ptr<Object> obj)
{
    static std::uint64_t nextSerial = 0;
    Object* o = obj.release();
    o->serial = ++nextSerial;
    Live().insert(o);
    return o;
}

Object* g_recentObjects[1u << kRecentObjectBits] = {};

Object* LookupRegistry(HGDIOBJ h)
{
    if (!h)
        return nullptr;
    Object*& recent = g_recentObjects[RecentObjectSlot(h)];
    if (recent == h)
        return recent;
    auto& live = Live();
    auto it = live.find(static_cast<Object*>(h));
    if (it == live.end())
        return nullptr;
    recent = *it;
    return recent;
}

bool Destroy(HGDIOBJ h)
{
    Object* o = Lookup(h);
    if (!o)
        return false;
    if (o->stock)
        return true;
    Live().erase(o);
    if (g_recentObjects[RecentObjectSlot(o)] == o)
        g_recentObjects[RecentObjectSlot(o)] = nullptr;
    if (g_deletedHook)
        g_deletedHook(h);
    if (o->refs > 0)
        o->deleted = true;
    else
        delete o;
    return true;
}

void SetHandleDeletedHook(void (*hook)(HGDIOBJ))
{
    g_deletedHook = hook;
}

Object* StockObject(int index)
{
    constexpr int kCount = DEFAULT_GUI_FONT + 1;
    static Object* table[kCount] = {};
    if (index < 0 || index >= kCount)
        return nullptr;
    if (!table[index]) {
        std::unique_ptr<Object> o = MakeStock(index);
        if (!o)
            return nullptr;
        o->stock = true;
        table[index] = static_cast<Object*>(Register(std::move(o)));
    }
    return table[index];
}

BitmapObj* StockBitmap()
{
    static BitmapObj* bmp = [] {
        auto b = std::make_unique<BitmapObj>();
        b->stock = true;
        b->bitsPixel = 1;
        b->surface = Surface::Create(1, 1);
        return static_cast<BitmapObj*>(static_cast<Object*>(Register(std::move(b))));
    }();
    return bmp;
}

}  // namespace gdi
