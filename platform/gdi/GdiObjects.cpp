#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/BmpFile.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/detail/GdiObjectImpl.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <memory>
#include <unordered_map>

using gdi::BitmapObj;
using gdi::BrushObj;
using gdi::FontObj;
using gdi::Kind;
using gdi::PaletteObj;
using gdi::PenObj;
using gdi::RegionObj;

namespace {

std::unordered_map<HGDIOBJ, CGdiObject*>& Permanent()
{
    // never destroyed, so wrappers living in static storage can still unregister at exit
    static auto* map = new std::unordered_map<HGDIOBJ, CGdiObject*>();
    return *map;
}

std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>>& Temporary()
{
    static auto* map = new std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>>();
    return *map;
}

void OnHandleDeleted(HGDIOBJ h)
{
    auto& perm = Permanent();
    auto it = perm.find(h);
    if (it != perm.end()) {
        it->second->m_hObject = nullptr;
        perm.erase(it);
    }
    auto& temp = Temporary();
    auto jt = temp.find(h);
    if (jt != temp.end()) {
        jt->second->m_hObject = nullptr;
        temp.erase(jt);
    }
}

void InstallHook()
{
    static bool done = [] {
        gdi::SetHandleDeletedHook(&OnHandleDeleted);
        return true;
    }();
    (void)done;
}

template <class T>
HGDIOBJ Make(std::unique_ptr<T> obj)
{
    InstallHook();
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

// Row bytes of a device-dependent bitmap passed to CreateBitmap/SetBitmapBits (WORD aligned).
int DdbRowBytes(int width, int bpp)
{
    return ((width * bpp + 15) / 16) * 2;
}

void LoadDdbBits(BitmapObj* b, const void* bits, int bpp)
{
    gdi::Surface& s = *b->surface;
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
                d[x] = (std::uint32_t(r[4 * x]) | (std::uint32_t(r[4 * x + 1]) << 8) | (std::uint32_t(r[4 * x + 2]) << 16));
        }
    }
    s.EndAccess();
}

}  // namespace

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

// ---- Win32 functions ----

HGDIOBJ GetStockObject(int index)
{
    InstallHook();
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
        LoadDdbBits(b.get(), bits, int(bitsPixel));
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

// ---- CGdiObject ----

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h)
{
    gdi::Object* o = gdi::Lookup(h);
    if (!o)
        return nullptr;
    auto& perm = Permanent();
    auto it = perm.find(h);
    if (it != perm.end())
        return it->second;
    auto& temp = Temporary();
    auto jt = temp.find(h);
    if (jt != temp.end())
        return jt->second.get();
    InstallHook();
    std::unique_ptr<CGdiObject> w;
    switch (o->kind) {
    case Kind::Pen: w = std::make_unique<CPen>(); break;
    case Kind::Brush: w = std::make_unique<CBrush>(); break;
    case Kind::Font: w = std::make_unique<CFont>(); break;
    case Kind::Bitmap: w = std::make_unique<CBitmap>(); break;
    case Kind::Region: w = std::make_unique<CRgn>(); break;
    case Kind::Palette: w = std::make_unique<CPalette>(); break;
    }
    w->m_hObject = h;
    CGdiObject* raw = w.get();
    temp.emplace(h, std::move(w));
    return raw;
}

void CGdiObject::DeleteTempMap()
{
    auto& temp = Temporary();
    for (auto& kv : temp)
        kv.second->m_hObject = nullptr;  // temporary wrappers never own their handle
    temp.clear();
}

BOOL CGdiObject::Attach(HGDIOBJ h)
{
    if (!h || m_hObject)
        return FALSE;
    InstallHook();
    auto& temp = Temporary();
    auto jt = temp.find(h);
    if (jt != temp.end()) {
        jt->second->m_hObject = nullptr;
        temp.erase(jt);
    }
    m_hObject = h;
    Permanent()[h] = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (h) {
        auto& perm = Permanent();
        auto it = perm.find(h);
        if (it != perm.end() && it->second == this)
            perm.erase(it);
    }
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    HGDIOBJ h = Detach();
    return ::DeleteObject(h);
}

int CGdiObject::GetObject(int count, void* buf) const
{
    return ::GetObject(m_hObject, count, buf);
}

UINT CGdiObject::GetObjectType() const
{
    return ::GetObjectType(m_hObject);
}

BOOL CGdiObject::CreateStockObject(int index)
{
    return Attach(::GetStockObject(index));
}

// ---- pens, brushes, fonts ----

CPen::CPen(int style, int width, COLORREF color)
{
    CreatePen(style, width, color);
}

CPen::CPen(int style, int width, const LOGBRUSH* lb, int styleCount, const DWORD* styles)
{
    CreatePen(style, width, lb, styleCount, styles);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    return Attach(::CreatePen(style, width, color));
}

BOOL CPen::CreatePen(int style, int width, const LOGBRUSH* lb, int styleCount, const DWORD* styles)
{
    return Attach(::ExtCreatePen(DWORD(style), DWORD(std::max(0, width)), lb, DWORD(std::max(0, styleCount)), styles));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lp)
{
    return Attach(::CreatePenIndirect(lp));
}

CBrush::CBrush(COLORREF color)
{
    CreateSolidBrush(color);
}

CBrush::CBrush(int hatch, COLORREF color)
{
    CreateHatchBrush(hatch, color);
}

CBrush::CBrush(CBitmap* bmp)
{
    CreatePatternBrush(bmp);
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    return Attach(::CreateSolidBrush(color));
}

BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color)
{
    return Attach(::CreateHatchBrush(hatch, color));
}

BOOL CBrush::CreatePatternBrush(CBitmap* bmp)
{
    return bmp ? Attach(::CreatePatternBrush(static_cast<HBITMAP>(bmp->m_hObject))) : FALSE;
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lb)
{
    return Attach(::CreateBrushIndirect(lb));
}

BOOL CBrush::CreateSysColorBrush(int index)
{
    return Attach(::GetSysColorBrush(index));
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* lf)
{
    return Attach(::CreateFontIndirect(lf));
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCWSTR face)
{
    return Attach(::CreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                               charSet, outPrecision, clipPrecision, quality, pitchAndFamily, face));
}

BOOL CFont::CreatePointFont(int pointSize, LPCWSTR face, CDC* dc)
{
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = pointSize;
    if (face)
        std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTW* lfIn, CDC* dc)
{
    if (!lfIn)
        return FALSE;
    LOGFONTW lf = *lfIn;
    int dpi = dc ? dc->GetDeviceCaps(LOGPIXELSY) : 96;
    // tenths of a point -> device pixels -> logical units of the DC
    POINT pt{0, MulDiv(lf.lfHeight, dpi, 720)};
    POINT org{0, 0};
    if (dc) {
        dc->DPtoLP(&pt);
        dc->DPtoLP(&org);
    }
    lf.lfHeight = -std::abs(pt.y - org.y);
    return CreateFontIndirect(&lf);
}

// ---- bitmaps ----

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits)
{
    return Attach(::CreateBitmap(width, height, planes, bitsPixel, bits));
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* bm)
{
    return bm ? CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits) : FALSE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    return Attach(::CreateBitmap(width, height, 1, 32, nullptr));
}

BOOL CBitmap::LoadBitmap(UINT id)
{
    return Attach(LoadBitmapResource(id));
}

BOOL CBitmap::LoadBitmap(LPCWSTR name)
{
    UINT_PTR v = reinterpret_cast<UINT_PTR>(name);
    return (v >> 16) == 0 ? LoadBitmap(UINT(v)) : FALSE;
}

CSize CBitmap::GetBitmapDimension() const
{
    return CSize(0, 0);
}

DWORD CBitmap::GetBitmapBits(DWORD count, void* bits) const
{
    auto* b = gdi::LookupAs<BitmapObj>(m_hObject, Kind::Bitmap);
    if (!b || !b->surface || !bits)
        return 0;
    gdi::Surface& s = *b->surface;
    int row = DdbRowBytes(s.Width(), b->bitsPixel);
    DWORD total = std::min<DWORD>(count, DWORD(row) * DWORD(s.Height()));
    auto* out = static_cast<BYTE*>(bits);
    std::memset(out, 0, total);
    s.BeginAccess();
    for (DWORD i = 0; i < total; ++i) {
        int y = int(i / DWORD(row));
        int off = int(i % DWORD(row));
        const std::uint32_t* r = s.Row(y);
        if (b->IsMono()) {
            for (int bit = 0; bit < 8; ++bit) {
                int x = off * 8 + bit;
                if (x < s.Width() && (r[x] & 0xFFFFFF))
                    out[i] |= BYTE(0x80 >> bit);
            }
        } else {
            int x = off / 4;
            if (x < s.Width())
                out[i] = BYTE((r[x] >> (8 * (off % 4))) & (off % 4 == 3 ? 0 : 0xFF));
        }
    }
    return total;
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits)
{
    auto* b = gdi::LookupAs<BitmapObj>(m_hObject, Kind::Bitmap);
    if (!b || !b->surface || !bits)
        return 0;
    int row = DdbRowBytes(b->surface->Width(), b->bitsPixel);
    DWORD need = DWORD(row) * DWORD(b->surface->Height());
    if (count < need)
        return 0;
    LoadDdbBits(b, bits, b->bitsPixel);
    return need;
}

// ---- regions ----

BOOL CRgn::CreateRectRgn(int l, int t, int r, int b) { return Attach(::CreateRectRgn(l, t, r, b)); }
BOOL CRgn::CreateRectRgnIndirect(const RECT* r) { return Attach(::CreateRectRgnIndirect(r)); }
BOOL CRgn::CreateEllipticRgn(int l, int t, int r, int b) { return Attach(::CreateEllipticRgn(l, t, r, b)); }
BOOL CRgn::CreateEllipticRgnIndirect(const RECT* r)
{
    return r ? CreateEllipticRgn(r->left, r->top, r->right, r->bottom) : FALSE;
}
BOOL CRgn::CreateRoundRectRgn(int l, int t, int r, int b, int w, int h)
{
    return Attach(::CreateRoundRectRgn(l, t, r, b, w, h));
}
BOOL CRgn::CreatePolygonRgn(const POINT* pts, int count, int fillMode)
{
    return Attach(::CreatePolygonRgn(pts, count, fillMode));
}
BOOL CRgn::CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int polyCount, int fillMode)
{
    return Attach(::CreatePolyPolygonRgn(pts, counts, polyCount, fillMode));
}
int CRgn::CombineRgn(CRgn* a, CRgn* b, int mode)
{
    return ::CombineRgn(*this, a ? HRGN(*a) : nullptr, b ? HRGN(*b) : nullptr, mode);
}
int CRgn::CopyRgn(CRgn* src)
{
    return ::CombineRgn(*this, src ? HRGN(*src) : nullptr, nullptr, RGN_COPY);
}
BOOL CRgn::EqualRgn(CRgn* other) const { return other && ::EqualRgn(*this, *other); }
int CRgn::OffsetRgn(int dx, int dy) { return ::OffsetRgn(*this, dx, dy); }
int CRgn::GetRgnBox(RECT* r) const { return ::GetRgnBox(*this, r); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
BOOL CRgn::RectInRegion(const RECT* r) const { return ::RectInRegion(*this, r); }
void CRgn::SetRectRgn(int l, int t, int r, int b) { ::SetRectRgn(*this, l, t, r, b); }

// ---- palettes ----

BOOL CPalette::CreatePalette(const LOGPALETTE* lp)
{
    return Attach(::CreatePalette(lp));
}

int CPalette::GetEntryCount() const
{
    auto* p = gdi::LookupAs<PaletteObj>(m_hObject, Kind::Palette);
    return p ? int(p->entries.size()) : 0;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const
{
    auto* p = gdi::LookupAs<PaletteObj>(m_hObject, Kind::Palette);
    if (!p || !entries || start >= p->entries.size())
        return 0;
    UINT n = std::min<UINT>(count, UINT(p->entries.size()) - start);
    std::copy_n(p->entries.begin() + start, n, entries);
    return n;
}

UINT CPalette::SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries)
{
    auto* p = gdi::LookupAs<PaletteObj>(m_hObject, Kind::Palette);
    if (!p || !entries || start >= p->entries.size())
        return 0;
    UINT n = std::min<UINT>(count, UINT(p->entries.size()) - start);
    std::copy_n(entries, n, p->entries.begin() + start);
    return n;
}
