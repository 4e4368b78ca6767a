// GDI objects: pens, brushes, fonts, bitmaps, regions and palettes, as handles with the Win32
// functions and as the C++ wrapper classes that own them.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/base/Object.h"
#include "platform/gdi/GdiTypes.h"

class CDC;

// ---- Win32 functions on handles ----
HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ h);
// Fills LOGPEN, LOGBRUSH, LOGFONTW, BITMAP or a WORD entry count (palettes); returns the bytes
// written, or the size needed when buf is null.
int GetObject(HGDIOBJ h, int count, void* buf);
DWORD GetObjectType(HGDIOBJ h);
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
BOOL SetSysColors(int count, const int* indices, const COLORREF* colors);

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* lp);
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* lb, DWORD styleCount, const DWORD* styles);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreatePatternBrush(HBITMAP bmp);
HBRUSH CreateBrushIndirect(const LOGBRUSH* lb);
HFONT CreateFontIndirect(const LOGFONTW* lf);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, LPCWSTR face);
// A bitmap of width x height; bitsPixel 1 gives a monochrome bitmap, anything else colour.
// bits (optional) are rows of WORD-aligned scan lines, top-down, in that depth.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits);
HRGN CreateRectRgn(int l, int t, int r, int b);
HRGN CreateRectRgnIndirect(const RECT* r);
HRGN CreateEllipticRgn(int l, int t, int r, int b);
HRGN CreateRoundRectRgn(int l, int t, int r, int b, int w, int h);
HRGN CreatePolygonRgn(const POINT* pts, int count, int fillMode);
HRGN CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int polyCount, int fillMode);
int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
int GetRgnBox(HRGN rgn, RECT* r);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* r);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL SetRectRgn(HRGN rgn, int l, int t, int r, int b);
HPALETTE CreatePalette(const LOGPALETTE* lp);
// True-colour display: there is no hardware palette; returns the standard 20 entries (rest black).
UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries);

// ---- wrapper classes ----
class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // The wrapper attached to h, or a temporary one that lives until h is deleted or the
    // temporary map is emptied. nullptr for null or invalid handles.
    static CGdiObject* FromHandle(HGDIOBJ h);
    static void DeleteTempMap();

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    BOOL Attach(HGDIOBJ h);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int count, void* buf) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int index);
    BOOL UnrealizeObject() { return m_hObject != nullptr; }
    bool operator==(const CGdiObject& o) const { return m_hObject == o.m_hObject; }
    bool operator!=(const CGdiObject& o) const { return m_hObject != o.m_hObject; }
};

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color);
    CPen(int style, int width, const LOGBRUSH* lb, int styleCount = 0, const DWORD* styles = nullptr);
    static CPen* FromHandle(HPEN h) { return static_cast<CPen*>(CGdiObject::FromHandle(h)); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL CreatePen(int style, int width, const LOGBRUSH* lb, int styleCount = 0, const DWORD* styles = nullptr);
    BOOL CreatePenIndirect(const LOGPEN* lp);
    int GetLogPen(LOGPEN* lp) const { return GetObject(sizeof(LOGPEN), lp); }
};

class CBitmap;

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF color);
    CBrush(int hatch, COLORREF color);
    explicit CBrush(CBitmap* bmp);
    static CBrush* FromHandle(HBRUSH h) { return static_cast<CBrush*>(CGdiObject::FromHandle(h)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int hatch, COLORREF color);
    BOOL CreatePatternBrush(CBitmap* bmp);
    BOOL CreateBrushIndirect(const LOGBRUSH* lb);
    BOOL CreateSysColorBrush(int index);
    int GetLogBrush(LOGBRUSH* lb) const { return GetObject(sizeof(LOGBRUSH), lb); }
};

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    static CFont* FromHandle(HFONT h) { return static_cast<CFont*>(CGdiObject::FromHandle(h)); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    BOOL CreateFontIndirect(const LOGFONTW* lf);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCWSTR face);
    // pointSize in tenths of a point; the height is converted with the DC's vertical resolution
    // (96 dpi without a DC).
    BOOL CreatePointFont(int pointSize, LPCWSTR face, CDC* dc = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONTW* lf, CDC* dc = nullptr);
    int GetLogFont(LOGFONTW* lf) const { return GetObject(sizeof(LOGFONTW), lf); }
};

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    static CBitmap* FromHandle(HBITMAP h) { return static_cast<CBitmap*>(CGdiObject::FromHandle(h)); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits);
    BOOL CreateBitmapIndirect(const BITMAP* bm);
    // Always a colour bitmap, even for a memory DC (whose own default bitmap is monochrome).
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL CreateDiscardableBitmap(CDC* dc, int width, int height) { return CreateCompatibleBitmap(dc, width, height); }
    // Bitmap resource `id` through the loader the resource layer installs (BmpFile.h).
    BOOL LoadBitmap(UINT id);
    // Integer resource names only (MAKEINTRESOURCE).
    BOOL LoadBitmap(LPCWSTR name);
    // System bitmaps drawn in the current system colours: OBM_SIZE, the 12 x 12 size grip
    // (diagonal ridges on the button face).
    BOOL LoadOEMBitmap(UINT id);
    int GetBitmap(BITMAP* bm) const { return GetObject(sizeof(BITMAP), bm); }
    CSize GetBitmapDimension() const;
    // Bits as CreateBitmap takes them (32 bpp xRGB rows for colour bitmaps).
    DWORD GetBitmapBits(DWORD count, void* bits) const;
    DWORD SetBitmapBits(DWORD count, const void* bits);
};

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    static CRgn* FromHandle(HRGN h) { return static_cast<CRgn*>(CGdiObject::FromHandle(h)); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    BOOL CreateRectRgn(int l, int t, int r, int b);
    BOOL CreateRectRgnIndirect(const RECT* r);
    BOOL CreateEllipticRgn(int l, int t, int r, int b);
    BOOL CreateEllipticRgnIndirect(const RECT* r);
    BOOL CreateRoundRectRgn(int l, int t, int r, int b, int w, int h);
    BOOL CreatePolygonRgn(const POINT* pts, int count, int fillMode);
    BOOL CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int polyCount, int fillMode);
    int CombineRgn(CRgn* a, CRgn* b, int mode);
    int CopyRgn(CRgn* src);
    BOOL EqualRgn(CRgn* other) const;
    int OffsetRgn(int dx, int dy);
    int OffsetRgn(POINT p) { return OffsetRgn(p.x, p.y); }
    int GetRgnBox(RECT* r) const;
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    BOOL RectInRegion(const RECT* r) const;
    void SetRectRgn(int l, int t, int r, int b);
    void SetRectRgn(const RECT* r) { SetRectRgn(r->left, r->top, r->right, r->bottom); }
};

class CPalette : public CGdiObject {
    DECLARE_DYNAMIC(CPalette)
public:
    static CPalette* FromHandle(HPALETTE h) { return static_cast<CPalette*>(CGdiObject::FromHandle(h)); }
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
    BOOL CreatePalette(const LOGPALETTE* lp);
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;
    UINT SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries);
};
