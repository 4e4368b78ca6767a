// CDC lifetime, object selection, attributes, saved states and device capabilities.
#include "platform/gdi/DC.h"

#include "platform/gdi/detail/DcImpl.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unordered_map>
#include <utility>

using gdi::DcImpl;
using gdi::DcType;
using gdi::Kind;

namespace {

std::unordered_map<DcImpl*, std::unique_ptr<CDC>>& TempDcs()
{
    // never destroyed: wrappers must not outlive it, and temporary wrappers never own a DC
    static auto* map = new std::unordered_map<DcImpl*, std::unique_ptr<CDC>>();
    return *map;
}

void DropTemp(DcImpl* dc)
{
    auto& temp = TempDcs();
    auto it = temp.find(dc);
    if (it != temp.end()) {
        it->second->m_hDC = it->second->m_hAttribDC = nullptr;
        temp.erase(it);
    }
}

DcImpl* I(const CDC* dc)
{
    return gdi::Impl(dc->m_hDC);
}

template <class T>
T* Wrap(HGDIOBJ h)
{
    return static_cast<T*>(CGdiObject::FromHandle(h));
}

}  // namespace

IMPLEMENT_DYNAMIC(CDC, CObject)

// ---- lifetime ----

CDC::~CDC()
{
    if (m_hDC)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC)
{
    DcImpl* dc = gdi::Impl(hDC);
    if (!dc)
        return nullptr;
    if (dc->owner)
        return dc->owner;
    auto& temp = TempDcs();
    auto it = temp.find(dc);
    if (it != temp.end())
        return it->second.get();
    auto w = std::make_unique<CDC>();
    w->m_hDC = w->m_hAttribDC = hDC;
    w->m_bPrinting = dc->type == DcType::Printer;
    CDC* raw = w.get();
    temp.emplace(dc, std::move(w));
    return raw;
}

void CDC::DeleteTempMap()
{
    auto& temp = TempDcs();
    for (auto& kv : temp)
        kv.second->m_hDC = kv.second->m_hAttribDC = nullptr;
    temp.clear();
}

BOOL CDC::Attach(HDC hDC)
{
    DcImpl* dc = gdi::Impl(hDC);
    if (!dc || m_hDC)
        return FALSE;
    DropTemp(dc);
    dc->owner = this;
    m_hDC = m_hAttribDC = hDC;
    m_bPrinting = dc->type == DcType::Printer;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (DcImpl* dc = gdi::Impl(h))
        if (dc->owner == this)
            dc->owner = nullptr;
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    if (m_hDC)
        return FALSE;
    return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr));
}

BOOL CDC::CreateDC(LPCWSTR, LPCWSTR, LPCWSTR, const void*)
{
    if (m_hDC)
        return FALSE;
    return Attach(gdi::HandleOf(gdi::NewDc(DcType::Display)));
}

BOOL CDC::CreateForImage(int width, int height)
{
    if (m_hDC)
        return FALSE;
    HBITMAP bmp = ::CreateBitmap(width, height, 1, 32, nullptr);
    if (!bmp)
        return FALSE;
    DcImpl* dc = gdi::NewDc(DcType::Memory);
    ::SelectObject(gdi::HandleOf(dc), bmp);
    ::DeleteObject(bmp);  // lives on while selected, goes with the DC
    return Attach(gdi::HandleOf(dc));
}

BOOL CDC::CreatePrinterDC(int width, int height, int dpi, const std::wstring& outputPath)
{
    if (m_hDC)
        return FALSE;
    if (width <= 0 || height <= 0 || dpi <= 0 || dpi > 4800)
        return FALSE;
    DcImpl* dc = gdi::NewDc(DcType::Printer);
    dc->printerCaps = true;
    dc->page = SIZE{width, height};
    dc->dpi = dpi;
    dc->outputPath = outputPath;
    return Attach(gdi::HandleOf(dc));
}

BOOL CDC::CreatePrinterImageDC(int width, int height, int dpi)
{
    if (m_hDC || dpi <= 0 || dpi > 4800)
        return FALSE;
    auto image = gdi::Surface::Create(width, height);
    if (!image)
        return FALSE;
    DcImpl* dc = gdi::NewDc(DcType::Printer);
    dc->printerCaps = true;
    dc->page = SIZE{width, height};
    dc->dpi = dpi;
    dc->pageImage = std::move(image);
    return Attach(gdi::HandleOf(dc));
}

int CDC::GetDeviceCaps(int index) const
{
    return ::GetDeviceCaps(m_hDC, index);
}

int CDC::SaveDC()
{
    DcImpl* dc = I(this);
    if (!dc)
        return 0;
    dc->saved.push_back(dc->st);
    return int(dc->saved.size());
}

BOOL CDC::RestoreDC(int savedDC)
{
    DcImpl* dc = I(this);
    if (!dc || dc->saved.empty())
        return FALSE;
    int n = int(dc->saved.size());
    int index = savedDC < 0 ? n + savedDC : savedDC - 1;  // -1 = the latest
    if (index < 0 || index >= n)
        return FALSE;
    dc->st = dc->saved[size_t(index)];
    dc->saved.resize(size_t(index));
    dc->TargetChanged();
    return TRUE;
}

// ---- objects ----

CPen* CDC::SelectObject(CPen* pen)
{
    return pen ? Wrap<CPen>(SelectObject(pen->m_hObject)) : nullptr;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return brush ? Wrap<CBrush>(SelectObject(brush->m_hObject)) : nullptr;
}

CFont* CDC::SelectObject(CFont* font)
{
    return font ? Wrap<CFont>(SelectObject(font->m_hObject)) : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return bitmap ? Wrap<CBitmap>(SelectObject(bitmap->m_hObject)) : nullptr;
}

int CDC::SelectObject(CRgn* rgn)
{
    return SelectClipRgn(rgn);
}

CGdiObject* CDC::SelectObject(CGdiObject* obj)
{
    return obj ? CGdiObject::FromHandle(SelectObject(obj->m_hObject)) : nullptr;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ h)
{
    return ::SelectObject(m_hDC, h);
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return CGdiObject::FromHandle(SelectObject(::GetStockObject(index)));
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL)
{
    return palette ? Wrap<CPalette>(SelectObject(palette->m_hObject)) : nullptr;
}

UINT CDC::RealizePalette()
{
    return 0;  // true colour: nothing to map
}

CPen* CDC::GetCurrentPen() const
{
    DcImpl* dc = I(this);
    return dc ? Wrap<CPen>(dc->st.pen.get()) : nullptr;
}

CBrush* CDC::GetCurrentBrush() const
{
    DcImpl* dc = I(this);
    return dc ? Wrap<CBrush>(dc->st.brush.get()) : nullptr;
}

CFont* CDC::GetCurrentFont() const
{
    DcImpl* dc = I(this);
    return dc ? Wrap<CFont>(dc->st.font.get()) : nullptr;
}

CBitmap* CDC::GetCurrentBitmap() const
{
    DcImpl* dc = I(this);
    return dc ? Wrap<CBitmap>(dc->st.bitmap.get()) : nullptr;
}

CPalette* CDC::GetCurrentPalette() const
{
    DcImpl* dc = I(this);
    return dc ? Wrap<CPalette>(dc->st.palette.get()) : nullptr;
}

// ---- attributes ----

COLORREF CDC::SetTextColor(COLORREF c)
{
    DcImpl* dc = I(this);
    if (!dc)
        return CLR_INVALID;
    return std::exchange(dc->st.textColor, c & 0xFFFFFF);
}

COLORREF CDC::GetTextColor() const
{
    DcImpl* dc = I(this);
    return dc ? dc->st.textColor : CLR_INVALID;
}

COLORREF CDC::SetBkColor(COLORREF c)
{
    DcImpl* dc = I(this);
    if (!dc)
        return CLR_INVALID;
    return std::exchange(dc->st.bkColor, c & 0xFFFFFF);
}

COLORREF CDC::GetBkColor() const
{
    DcImpl* dc = I(this);
    return dc ? dc->st.bkColor : CLR_INVALID;
}

int CDC::SetBkMode(int mode)
{
    DcImpl* dc = I(this);
    if (!dc || (mode != OPAQUE && mode != TRANSPARENT))
        return 0;
    return std::exchange(dc->st.bkMode, mode);
}

int CDC::SetROP2(int mode)
{
    DcImpl* dc = I(this);
    if (!dc || mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    return std::exchange(dc->st.rop2, mode);
}

int CDC::SetPolyFillMode(int mode)
{
    DcImpl* dc = I(this);
    if (!dc || (mode != ALTERNATE && mode != WINDING))
        return 0;
    return std::exchange(dc->st.polyFillMode, mode);
}

int CDC::SetArcDirection(int dir)
{
    DcImpl* dc = I(this);
    if (!dc || (dir != AD_CLOCKWISE && dir != AD_COUNTERCLOCKWISE))
        return 0;
    return std::exchange(dc->st.arcDirection, dir);
}

int CDC::SetStretchBltMode(int mode)
{
    DcImpl* dc = I(this);
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return std::exchange(dc->st.stretchMode, mode);
}

UINT CDC::SetTextAlign(UINT flags)
{
    DcImpl* dc = I(this);
    if (!dc)
        return 0xFFFFFFFF;  // GDI_ERROR
    return std::exchange(dc->st.textAlign, flags);
}

int CDC::GetBkMode() const { DcImpl* dc = I(this); return dc ? dc->st.bkMode : 0; }
int CDC::GetROP2() const { DcImpl* dc = I(this); return dc ? dc->st.rop2 : 0; }
int CDC::GetPolyFillMode() const { DcImpl* dc = I(this); return dc ? dc->st.polyFillMode : 0; }
int CDC::GetArcDirection() const { DcImpl* dc = I(this); return dc ? dc->st.arcDirection : 0; }
int CDC::GetStretchBltMode() const { DcImpl* dc = I(this); return dc ? dc->st.stretchMode : 0; }
UINT CDC::GetTextAlign() const { DcImpl* dc = I(this); return dc ? dc->st.textAlign : 0; }

CPoint CDC::SetBrushOrg(int x, int y)
{
    DcImpl* dc = I(this);
    if (!dc)
        return CPoint();
    return CPoint(std::exchange(dc->st.brushOrg, POINT{x, y}));
}

CPoint CDC::GetBrushOrg() const
{
    DcImpl* dc = I(this);
    return dc ? CPoint(dc->st.brushOrg) : CPoint();
}

BOOL CDC::SaveAsPng(const std::wstring& path) const
{
    DcImpl* dc = I(this);
    gdi::Surface* s = dc ? dc->Image() : nullptr;
    return s && s->WritePng(ToUtf8(path.c_str(), path.size())) ? TRUE : FALSE;
}

// ---- Win32 functions ----

HDC CreateCompatibleDC(HDC hdc)
{
    DcImpl* mem = gdi::NewDc(DcType::Memory);
    if (DcImpl* like = gdi::Impl(hdc); like && like->printerCaps) {
        mem->printerCaps = true;
        mem->dpi = like->dpi;
        mem->page = like->page;
    }
    return gdi::HandleOf(mem);
}

BOOL DeleteDC(HDC hdc)
{
    DcImpl* dc = gdi::Impl(hdc);
    if (!dc)
        return FALSE;
    DropTemp(dc);
    if (dc->owner) {
        dc->owner->m_hDC = dc->owner->m_hAttribDC = nullptr;
        dc->owner = nullptr;
    }
    gdi::FreeDc(dc);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    DcImpl* dc = gdi::Impl(hdc);
    gdi::Object* o = gdi::Lookup(h);
    if (!dc || !o)
        return nullptr;
    gdi::ObjRef* slot = nullptr;
    switch (o->kind) {
    case Kind::Pen: slot = &dc->st.pen; break;
    case Kind::Brush: slot = &dc->st.brush; break;
    case Kind::Font: slot = &dc->st.font; break;
    case Kind::Palette: slot = &dc->st.palette; break;
    case Kind::Bitmap:
        if (dc->type != DcType::Memory)
            return nullptr;
        slot = &dc->st.bitmap;
        break;
    case Kind::Region: {
        auto* r = static_cast<gdi::RegionObj*>(o);
        dc->st.hasClip = true;
        dc->st.clip = r->rgn;
        dc->ClipChanged();
        return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(dc->st.clip.Complexity()));
    }
    }
    gdi::Object* prev = slot->get();
    // Painters select the object in place again and again: nothing changes then.
    if (prev == o && o->kind != Kind::Bitmap)
        return h;
    // keep prev alive until the caller gets its handle back
    gdi::ObjRef hold(prev);
    *slot = gdi::ObjRef(o);
    if (o->kind == Kind::Bitmap)
        dc->TargetChanged();
    // a previous object whose handle was deleted while selected is gone now: no handle to return
    return prev && !prev->deleted ? gdi::HandleOf(prev) : nullptr;
}

int GetDeviceCaps(HDC hdc, int index)
{
    DcImpl* dc = gdi::Impl(hdc);
    if (!dc)
        return 0;
    bool printer = dc->printerCaps;
    int dpi = printer ? dc->dpi : gdi::DisplayDpi();
    int w = printer ? dc->page.cx : gdi::DisplayWidth();
    int h = printer ? dc->page.cy : gdi::DisplayHeight();
    switch (index) {
    case TECHNOLOGY: return printer ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZSIZE: return MulDiv(w, 254, dpi * 10);
    case VERTSIZE: return MulDiv(h, 254, dpi * 10);
    case HORZRES: return w;
    case VERTRES: return h;
    case BITSPIXEL: return printer ? 24 : 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS: return RC_BITBLT | RC_STRETCHBLT | RC_STRETCHDIB | RC_DI_BITMAP;
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    case SIZEPALETTE: return 0;
    case PHYSICALWIDTH: return printer ? w : 0;
    case PHYSICALHEIGHT: return printer ? h : 0;
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return 0;
    default: return 0;
    }
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height)
{
    return ::CreateBitmap(width, height, 1, 32, nullptr);
}

int SetStretchBltMode(HDC hdc, int mode)
{
    CDC* dc = CDC::FromHandle(hdc);
    return dc ? dc->SetStretchBltMode(mode) : 0;
}
