// The C++ wrappers of GDI objects: ownership of handles, temporary wrappers for foreign handles
// and the MFC-shaped creation members.
#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/BmpFile.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/detail/GdiObjectImpl.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <memory>
#include <unordered_map>

using gdi::BitmapObj;
using gdi::DdbRowBytes;
using gdi::Kind;
using gdi::PaletteObj;

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

// Wrappers found lately, by handle: painters select a few objects over and over and get the
// wrappers of the ones they replace. Emptied whenever a wrapper comes or goes or a handle dies.
struct RecentWrapper {
    HGDIOBJ handle;
    CGdiObject* wrapper;
};
constexpr unsigned kRecentBits = 5;
RecentWrapper g_recent[1u << kRecentBits] = {};

RecentWrapper& RecentSlot(HGDIOBJ h)
{
    const std::uint64_t mixed = std::uint64_t(reinterpret_cast<std::uintptr_t>(h)) * 0x9E3779B97F4A7C15ull;
    return g_recent[mixed >> (64 - kRecentBits)];
}

void ForgetRecent()
{
    for (RecentWrapper& r : g_recent)
        r = RecentWrapper{};
}

// A deleted handle leaves its wrappers without an object.
void OnHandleDeleted(HGDIOBJ h)
{
    ForgetRecent();
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

}  // namespace

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

// ---- CGdiObject ----

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h)
{
    if (!h)
        return nullptr;
    RecentWrapper& recent = RecentSlot(h);
    if (recent.handle == h)
        return recent.wrapper;
    gdi::Object* o = gdi::Lookup(h);
    if (!o)
        return nullptr;
    auto& perm = Permanent();
    auto it = perm.find(h);
    if (it != perm.end()) {
        recent = RecentWrapper{h, it->second};
        return it->second;
    }
    auto& temp = Temporary();
    auto jt = temp.find(h);
    if (jt != temp.end()) {
        recent = RecentWrapper{h, jt->second.get()};
        return jt->second.get();
    }
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
    recent = RecentWrapper{h, raw};
    return raw;
}

void CGdiObject::DeleteTempMap()
{
    ForgetRecent();
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
    ForgetRecent();
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
        ForgetRecent();
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

BOOL CBitmap::LoadOEMBitmap(UINT id)
{
    if (id != OBM_SIZE || m_hObject)
        return FALSE;
    constexpr int kSize = 12;
    if (!CreateBitmap(kSize, kSize, 1, 32, nullptr))
        return FALSE;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(this);
    dc.FillSolidRect(0, 0, kSize, kSize, GetSysColor(COLOR_BTNFACE));
    // three ridges from the bottom edge to the right edge: a light line above two dark ones
    for (int k = 0; k < 3; ++k) {
        int start = 4 * k + 1;
        const COLORREF colours[3] = {GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW),
                                     GetSysColor(COLOR_BTNSHADOW)};
        for (int j = 0; j < 3; ++j)
            for (int i = 0; start + j + i < kSize; ++i)
                dc.SetPixel(start + j + i, kSize - 1 - i, colours[j]);
    }
    dc.SelectObject(old);
    return TRUE;
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
    gdi::LoadDdbBits(b, bits, b->bitsPixel);
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
