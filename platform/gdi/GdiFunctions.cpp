// The Win32 functions on GDI object handles: creation, queries, regions and palettes.
#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/detail/GdiObjectImpl.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <memory>

using gdi::BitmapObj;
using gdi::BrushObj;
using gdi::DdbRowBytes;
using gdi::FontObj;
using gdi::Kind;
using gdi::PaletteObj;
using gdi::PenObj;
using gdi::RegionObj;

namespace {

template <class T>
HGDIOBJ Make(std::unique_ptr<T> obj)
{
    return gdi::Register(std::move(obj));
}

RegionObj* Rgn(HRGN h)
{
    return gdi::LookupAs<RegionObj>(h, Kind::Region);
}

HRGN MakeRgn(gdi::RegionData data)
{
    auto r = std::make_unique<RegionObj>();
    r->rgn = std::move(data);
    return static_cast<HRGN>(Make(std::move(r)));
}

}  // namespace

HGDIOBJ GetStockObject(int index)
{
    return gdi::HandleOf(gdi::StockObject(index));
}

BOOL DeleteObject(HGDIOBJ h)
{
    return gdi::Destroy(h) ? TRUE : FALSE;
}

int GetObject(HGDIOBJ h, int count, void* buf)
{
    gdi::Object* o = gdi::Lookup(h);
    if (!o)
        return 0;
    auto put = [&](const void* src, int size) {
        if (!buf)
            return size;
        int n = std::min(count, size);
        if (n <= 0)
            return 0;
        std::memcpy(buf, src, size_t(n));
        return n;
    };
    switch (o->kind) {
    case Kind::Pen: {
        auto* p = static_cast<PenObj*>(o);
        LOGPEN lp{UINT(p->style), POINT{p->width, 0}, p->color};
        return put(&lp, sizeof lp);
    }
    case Kind::Brush: {
        auto* b = static_cast<BrushObj*>(o);
        LOGBRUSH lb{b->style, b->color, ULONG_PTR(b->hatch)};
        return put(&lb, sizeof lb);
    }
    case Kind::Font: return put(&static_cast<FontObj*>(o)->lf, sizeof(LOGFONTW));
    case Kind::Bitmap: {
        auto* b = static_cast<BitmapObj*>(o);
        BITMAP bm{};
        bm.bmWidth = b->surface ? b->surface->Width() : 0;
        bm.bmHeight = b->surface ? b->surface->Height() : 0;
        bm.bmPlanes = 1;
        bm.bmBitsPixel = WORD(b->bitsPixel);
        bm.bmWidthBytes = b->dibBits ? ((bm.bmWidth * b->bitsPixel + 31) / 32) * 4 : DdbRowBytes(bm.bmWidth, b->bitsPixel);
        bm.bmBits = b->dibBits;
        return put(&bm, sizeof bm);
    }
    case Kind::Palette: {
        WORD n = WORD(static_cast<PaletteObj*>(o)->entries.size());
        return put(&n, sizeof n);
    }
    case Kind::Region: return 0;
    }
    return 0;
}

DWORD GetObjectType(HGDIOBJ h)
{
    if (gdi::Object* o = gdi::Lookup(h)) {
        switch (o->kind) {
        case Kind::Pen: return OBJ_PEN;
        case Kind::Brush: return OBJ_BRUSH;
        case Kind::Font: return OBJ_FONT;
        case Kind::Bitmap: return OBJ_BITMAP;
        case Kind::Region: return OBJ_REGION;
        case Kind::Palette: return OBJ_PAL;
        }
    }
    return 0;
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    if ((style & PS_STYLE_MASK) > PS_ALTERNATE)
        return nullptr;
    auto p = std::make_unique<PenObj>();
    p->style = style;
    p->width = std::max(0, width);
    p->color = color & 0xFFFFFF;
    return static_cast<HPEN>(Make(std::move(p)));
}

HPEN CreatePenIndirect(const LOGPEN* lp)
{
    return lp ? CreatePen(int(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor) : nullptr;
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* lb, DWORD, const DWORD*)
{
    if (!lb)
        return nullptr;
    if (lb->lbStyle == BS_NULL)
        return CreatePen(PS_NULL, 0, 0);
    return CreatePen(int(style), int(std::min<DWORD>(width, 0x7FFF)), lb->lbColor);
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    auto b = std::make_unique<BrushObj>();
    b->color = color & 0xFFFFFF;
    return static_cast<HBRUSH>(Make(std::move(b)));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color)
{
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)
        return nullptr;
    auto b = std::make_unique<BrushObj>();
    b->style = BS_HATCHED;
    b->hatch = hatch;
    b->color = color & 0xFFFFFF;
    return static_cast<HBRUSH>(Make(std::move(b)));
}

HBRUSH CreatePatternBrush(HBITMAP bmp)
{
    auto* src = gdi::LookupAs<BitmapObj>(bmp, Kind::Bitmap);
    if (!src || !src->surface)
        return nullptr;
    auto pat = std::make_shared<gdi::Pattern>();
    gdi::Surface& s = *src->surface;
    pat->width = s.Width();
    pat->height = s.Height();
    pat->mono = src->IsMono();
    s.BeginAccess();
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            pat->pixels.push_back(s.Row(y)[x] & 0xFFFFFF);
    auto b = std::make_unique<BrushObj>();
    b->style = BS_PATTERN;
    b->pattern = std::move(pat);
    return static_cast<HBRUSH>(Make(std::move(b)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb)
{
    if (!lb)
        return nullptr;
    switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_NULL: return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case BS_HATCHED: return CreateHatchBrush(int(lb->lbHatch), lb->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    default: return nullptr;
    }
}

HFONT CreateFontIndirect(const LOGFONTW* lf)
{
    if (!lf)
        return nullptr;
    auto f = std::make_unique<FontObj>();
    f->lf = *lf;
    f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(Make(std::move(f)));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, LPCWSTR face)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = BYTE(italic);
    lf.lfUnderline = BYTE(underline);
    lf.lfStrikeOut = BYTE(strikeOut);
    lf.lfCharSet = BYTE(charSet);
    lf.lfOutPrecision = BYTE(outPrecision);
    lf.lfClipPrecision = BYTE(clipPrecision);
    lf.lfQuality = BYTE(quality);
    lf.lfPitchAndFamily = BYTE(pitchAndFamily);
    if (face)
        std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

HBITMAP CreateBitmap(int width, int height, UINT, UINT bitsPixel, const void* bits)
{
    auto b = std::make_unique<BitmapObj>();
    b->surface = gdi::Surface::Create(width, height);
    if (!b->surface)
        return nullptr;
    b->bitsPixel = bitsPixel == 1 ? 1 : 32;
    if (bits && (bitsPixel == 1 || bitsPixel == 24 || bitsPixel == 32))
        gdi::LoadDdbBits(b.get(), bits, int(bitsPixel));
    return static_cast<HBITMAP>(Make(std::move(b)));
}

HRGN CreateRectRgn(int l, int t, int r, int b)
{
    return MakeRgn(gdi::RegionData::FromRect(RECT{l, t, r, b}));
}

HRGN CreateRectRgnIndirect(const RECT* r)
{
    return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int l, int t, int r, int b)
{
    return MakeRgn(gdi::RegionData::FromRoundRect(RECT{l, t, r, b}, std::abs(r - l), std::abs(b - t)));
}

HRGN CreateRoundRectRgn(int l, int t, int r, int b, int w, int h)
{
    return MakeRgn(gdi::RegionData::FromRoundRect(RECT{l, t, r, b}, w, h));
}

HRGN CreatePolygonRgn(const POINT* pts, int count, int fillMode)
{
    if (!pts || count < 2)
        return nullptr;
    return MakeRgn(gdi::RegionData::FromPolygons(pts, &count, 1, fillMode));
}

HRGN CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int polyCount, int fillMode)
{
    if (!pts || !counts || polyCount <= 0)
        return nullptr;
    for (int i = 0; i < polyCount; ++i)
        if (counts[i] < 2)
            return nullptr;
    return MakeRgn(gdi::RegionData::FromPolygons(pts, counts, polyCount, fillMode));
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode)
{
    RegionObj* d = Rgn(dst);
    RegionObj* ra = Rgn(a);
    RegionObj* rb = mode == RGN_COPY ? ra : Rgn(b);
    if (!d || !ra || !rb || mode < RGN_AND || mode > RGN_COPY)
        return ERROR;
    d->rgn = gdi::RegionData::Combine(ra->rgn, rb->rgn, mode);
    return d->rgn.Complexity();
}

int OffsetRgn(HRGN rgn, int dx, int dy)
{
    RegionObj* r = Rgn(rgn);
    if (!r)
        return ERROR;
    r->rgn.Offset(dx, dy);
    return r->rgn.Complexity();
}

int GetRgnBox(HRGN rgn, RECT* box)
{
    RegionObj* r = Rgn(rgn);
    if (!r || !box)
        return ERROR;
    *box = r->rgn.Box();
    return r->rgn.Complexity();
}

BOOL PtInRegion(HRGN rgn, int x, int y)
{
    RegionObj* r = Rgn(rgn);
    return r && r->rgn.Contains(x, y);
}

BOOL RectInRegion(HRGN rgn, const RECT* rc)
{
    RegionObj* r = Rgn(rgn);
    return r && rc && r->rgn.IntersectsRect(*rc);
}

BOOL EqualRgn(HRGN a, HRGN b)
{
    RegionObj* ra = Rgn(a);
    RegionObj* rb = Rgn(b);
    return ra && rb && ra->rgn == rb->rgn;
}

BOOL SetRectRgn(HRGN rgn, int l, int t, int r, int b)
{
    RegionObj* o = Rgn(rgn);
    if (!o)
        return FALSE;
    o->rgn = gdi::RegionData::FromRect(RECT{l, t, r, b});
    return TRUE;
}

HPALETTE CreatePalette(const LOGPALETTE* lp)
{
    if (!lp || lp->palNumEntries == 0)
        return nullptr;
    auto p = std::make_unique<PaletteObj>();
    p->entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
    return static_cast<HPALETTE>(Make(std::move(p)));
}

UINT GetSystemPaletteEntries(HDC, UINT start, UINT count, PALETTEENTRY* entries)
{
    if (!entries)
        return 0;
    auto* def = static_cast<PaletteObj*>(gdi::StockObject(DEFAULT_PALETTE));
    for (UINT i = 0; i < count; ++i) {
        UINT idx = start + i;
        // the 20 static colours sit at both ends of a 256-entry system palette
        if (idx < 10)
            entries[i] = def->entries[idx];
        else if (idx >= 246 && idx < 256)
            entries[i] = def->entries[idx - 236];
        else
            entries[i] = PALETTEENTRY{0, 0, 0, 0};
    }
    return count;
}
