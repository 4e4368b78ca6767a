// CDC: a device context drawing into a bitmap, a window surface or a printed (PDF) document,
// with GDI's coordinate mapping, pixel conventions and raster operations.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/base/Object.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/GdiTypes.h"

#include <string>

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // The CDC owning hDC, or a temporary wrapper. nullptr for invalid handles.
    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL DeleteDC();

    // A memory DC; starts with a 1x1 monochrome bitmap selected, as in GDI.
    BOOL CreateCompatibleDC(CDC* dc);
    // "DISPLAY": an information context answering for the screen (it draws nowhere).
    BOOL CreateDC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const void* initData);
    BOOL CreateIC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const void* initData)
    {
        return CreateDC(driver, device, output, initData);
    }
    // A memory DC with a width x height colour bitmap of its own selected (tests and screenshots).
    BOOL CreateForImage(int width, int height);
    // A printer DC whose pages are width x height device units at dpi dots per inch; StartDoc
    // writes them as a PDF file (DOCINFO::lpszOutput, or the path given here).
    BOOL CreatePrinterDC(int width, int height, int dpi, const std::wstring& outputPath = std::wstring());
    // A printer DC (for print preview) whose pages are drawn into a width x height image; each
    // StartPage clears it to white, and SaveAsPng / gdi::SurfaceOf read the current page.
    BOOL CreatePrinterImageDC(int width, int height, int dpi);

    BOOL IsPrinting() const { return m_bPrinting; }
    int GetDeviceCaps(int index) const;

    int SaveDC();
    BOOL RestoreDC(int savedDC);

    // ---- objects ----
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* rgn);
    CGdiObject* SelectObject(CGdiObject* obj);
    HGDIOBJ SelectObject(HGDIOBJ h);
    CGdiObject* SelectStockObject(int index);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    CPalette* GetCurrentPalette() const;

    // ---- attributes ----
    COLORREF SetTextColor(COLORREF c);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF c);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    int SetROP2(int mode);
    int GetROP2() const;
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const;
    int SetArcDirection(int dir);
    int GetArcDirection() const;
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const;
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT p) { return SetBrushOrg(p.x, p.y); }
    CPoint GetBrushOrg() const;

    // ---- coordinate mapping ----
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const;
    CPoint OffsetWindowOrg(int dx, int dy);
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const;
    CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const;
    CPoint OffsetViewportOrg(int dx, int dy);
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const;
    CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
    void LPtoDP(LPPOINT pts, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void LPtoDP(SIZE* size) const;
    void DPtoLP(LPPOINT pts, int count = 1) const;
    void DPtoLP(LPRECT rect) const;
    void DPtoLP(SIZE* size) const;

    // ---- clipping (rectangles in logical units; regions in device units) ----
    int GetClipBox(LPRECT rect) const;
    int SelectClipRgn(CRgn* rgn);
    int SelectClipRgn(CRgn* rgn, int mode);
    int IntersectClipRect(int l, int t, int r, int b);
    int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int ExcludeClipRect(int l, int t, int r, int b);
    int ExcludeClipRect(LPCRECT rect) { return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int OffsetClipRgn(int dx, int dy);
    BOOL PtVisible(int x, int y) const;
    BOOL PtVisible(POINT p) const { return PtVisible(p.x, p.y); }
    BOOL RectVisible(LPCRECT rect) const;

    // ---- lines and shapes ----
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* pts, int count);
    BOOL PolylineTo(const POINT* pts, int count);
    BOOL Polygon(const POINT* pts, int count);
    BOOL PolyPolygon(const POINT* pts, const INT* counts, int polyCount);
    BOOL PolyPolyline(const POINT* pts, const DWORD* counts, int polyCount);
    BOOL PolyBezier(const POINT* pts, int count);
    BOOL PolyBezierTo(const POINT* pts, int count);
    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(int l, int t, int r, int b, int w, int h);
    BOOL RoundRect(LPCRECT rect, POINT p) { return RoundRect(rect->left, rect->top, rect->right, rect->bottom, p.x, p.y); }
    BOOL Ellipse(int l, int t, int r, int b);
    BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4);
    BOOL Arc(LPCRECT rect, POINT start, POINT end);
    BOOL ArcTo(int l, int t, int r, int b, int x3, int y3, int x4, int y4);
    BOOL ArcTo(LPCRECT rect, POINT start, POINT end);
    BOOL Chord(int l, int t, int r, int b, int x3, int y3, int x4, int y4);
    BOOL Chord(LPCRECT rect, POINT start, POINT end);
    BOOL Pie(int l, int t, int r, int b, int x3, int y3, int x4, int y4);
    BOOL Pie(LPCRECT rect, POINT start, POINT end);

    // ---- fills and frames ----
    void FillRect(LPCRECT rect, CBrush* brush);
    // Also makes c the background colour, as the classic implementation does.
    void FillSolidRect(LPCRECT rect, COLORREF c);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF c);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    void DrawFocusRect(LPCRECT rect);
    // The 50% grey checkerboard brush of trackers (shared, never deleted).
    static CBrush* GetHalftoneBrush();
    // Inverts a frame of thickness `size` around rect with PATINVERT, first removing the frame
    // drawn at `last` (when given); null brushes mean the halftone brush.
    void DrawDragRect(LPCRECT rect, SIZE size, LPCRECT last, SIZE sizeLast, CBrush* brush = nullptr,
                      CBrush* brushLast = nullptr);
    // A bitmap (DST_BITMAP) or text (DST_TEXT, DST_PREFIXTEXT) at pt: plain, embossed
    // (DSS_DISABLED: highlight offset by one pixel under shadow) or in the brush's colour
    // (DSS_MONO). Dark pixels of the bitmap are the picture, light ones the background.
    BOOL DrawState(CPoint pt, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, CBitmap* bitmap, UINT flags, HBRUSH brush = nullptr)
    {
        return DrawState(pt, size, bitmap ? HBITMAP(*bitmap) : nullptr, flags, brush);
    }
    BOOL DrawState(CPoint pt, CSize size, LPCWSTR text, UINT flags, BOOL prefixText = TRUE, int count = 0,
                   HBRUSH brush = nullptr);
    // Painting regions take their coordinates as logical units.
    BOOL FillRgn(CRgn* rgn, CBrush* brush);
    BOOL FrameRgn(CRgn* rgn, CBrush* brush, int w, int h);
    BOOL InvertRgn(CRgn* rgn);
    BOOL PaintRgn(CRgn* rgn);
    COLORREF SetPixel(int x, int y, COLORREF c);
    COLORREF SetPixel(POINT p, COLORREF c) { return SetPixel(p.x, p.y, c); }
    BOOL SetPixelV(int x, int y, COLORREF c) { return SetPixel(x, y, c) != COLORREF(-1); }
    // CLR_INVALID (0xFFFFFFFF) outside the surface or the clip region.
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }
    // True colour: every colour is available as it is.
    COLORREF GetNearestColor(COLORREF c) const { return c & 0xFFFFFF; }

    // ---- bit blocks ----
    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop);
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop);
    // Moves the pixels of scrollRect (whole DC when null) by (dx, dy), keeping to clipRect (when
    // given); the uncovered part is returned in updateRgn / updateRect (logical units).
    BOOL ScrollDC(int dx, int dy, LPCRECT scrollRect, LPCRECT clipRect, CRgn* updateRgn, LPRECT updateRect);

    // ---- text ----
    BOOL TextOut(int x, int y, LPCWSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text.GetString(), text.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCWSTR text, UINT count, const INT* dx);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const INT* dx)
    {
        return ExtTextOut(x, y, options, rect, text.GetString(), UINT(text.GetLength()), dx);
    }
    // count -1: up to the terminating zero. Returns the text height (logical units).
    int DrawText(LPCWSTR text, int count, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format)
    {
        return DrawText(text.GetString(), text.GetLength(), rect, format);
    }
    // DrawText inside the left and right margins of params (logical units); uiLengthDrawn
    // receives the number of characters processed. The text is never modified.
    int DrawTextEx(LPCWSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params);
    int DrawTextEx(const CString& text, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params)
    {
        return DrawTextEx(text.GetString(), text.GetLength(), rect, format, params);
    }
    CSize GetTextExtent(LPCWSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text.GetString(), text.GetLength()); }
    CSize GetOutputTextExtent(LPCWSTR text, int count) const { return GetTextExtent(text, count); }
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
    BOOL GetTextMetrics(LPTEXTMETRIC tm) const;
    BOOL GetOutputTextMetrics(LPTEXTMETRIC tm) const { return GetTextMetrics(tm); }
    BOOL GetCharWidth(UINT first, UINT last, LPINT buffer) const;
    int GetTextFace(int count, LPWSTR face) const;
    int GetTextFace(CString& face) const;

    // ---- printing ----
    int StartDoc(LPCWSTR docName);
    int StartDoc(const DOCINFO* info);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    // Pages finished so far in the current or last document.
    int GetPrintedPageCount() const;

    // ---- pixels ----
    // Writes the selected bitmap (memory DC) or the surface (window DC) as a PNG file.
    BOOL SaveAsPng(const std::wstring& path) const;
};

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// ---- Win32 functions on DC handles ----
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
int GetDeviceCaps(HDC hdc, int index);
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, DWORD rop);
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
int SetStretchBltMode(HDC hdc, int mode);
COLORREF GetPixel(HDC hdc, int x, int y);

// DIBs (device-independent bitmaps): 1, 4, 8, 24 and 32 bits per pixel, BI_RGB; positive heights
// are bottom-up, negative top-down. Colour tables use the standard halftone palettes.
// Copies `lines` scan lines of bmp starting at `start` (counted from the DIB's first stored row)
// into bits in the format of info->bmiHeader; with bits null only fills the header.
int GetDIBits(HDC hdc, HBITMAP bmp, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);
int SetDIBits(HDC hdc, HBITMAP bmp, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
// ySrc counts from the bottom row of a bottom-up DIB, as in GDI.
int StretchDIBits(HDC hdc, int xDst, int yDst, int wDst, int hDst, int xSrc, int ySrc, int wSrc, int hSrc,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
int SetDIBitsToDevice(HDC hdc, int xDst, int yDst, DWORD w, DWORD h, int xSrc, int ySrc, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
// Only 32-bit top-down sections (negative biHeight) share their memory with the bitmap;
// other formats are refused.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
// Size in bytes of one stored row of a DIB.
inline int DibRowBytes(int width, int bitCount)
{
    return ((width * bitCount + 31) / 32) * 4;
}

// Enumerates the font families that can be requested by name: the faces the font mapper
// substitutes (Arial, Tahoma, MS Sans Serif, Courier New, Times New Roman, SimSun, ...) and the
// installed Liberation and WenQuanYi families. A face name in `filter` limits it to that family
// (case-insensitive); an empty one lists all. Returns the callback's last result (1 when it was
// never called).
int EnumFontFamiliesExW(HDC hdc, const LOGFONTW* filter, FONTENUMPROCW proc, LPARAM param, DWORD flags);
inline int EnumFontFamiliesEx(HDC hdc, const LOGFONTW* filter, FONTENUMPROCW proc, LPARAM param, DWORD flags)
{
    return EnumFontFamiliesExW(hdc, filter, proc, param, flags);
}

// ---- the Win32 drawing functions on DC handles (same behaviour as the CDC members) ----
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int saved);
int SetBkMode(HDC hdc, int mode);
COLORREF SetBkColor(HDC hdc, COLORREF c);
COLORREF GetBkColor(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF c);
COLORREF GetTextColor(HDC hdc);
int SetROP2(HDC hdc, int mode);
UINT SetTextAlign(HDC hdc, UINT flags);
int SetMapMode(HDC hdc, int mode);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old);
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT old);
BOOL SetViewportExtEx(HDC hdc, int cx, int cy, SIZE* old);
BOOL SetWindowExtEx(HDC hdc, int cx, int cy, SIZE* old);
BOOL LPtoDP(HDC hdc, LPPOINT pts, int count);
BOOL DPtoLP(HDC hdc, LPPOINT pts, int count);
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old);
BOOL LineTo(HDC hdc, int x, int y);
BOOL Rectangle(HDC hdc, int l, int t, int r, int b);
BOOL Ellipse(HDC hdc, int l, int t, int r, int b);
BOOL Polygon(HDC hdc, const POINT* pts, int count);
BOOL Polyline(HDC hdc, const POINT* pts, int count);
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC hdc, const RECT* rect);
BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags);
BOOL DrawFocusRect(HDC hdc, const RECT* rect);
BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush);
BOOL FrameRgn(HDC hdc, HRGN rgn, HBRUSH brush, int w, int h);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF c);
BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop);
int SelectClipRgn(HDC hdc, HRGN rgn);
int IntersectClipRect(HDC hdc, int l, int t, int r, int b);
int ExcludeClipRect(HDC hdc, int l, int t, int r, int b);
int GetClipBox(HDC hdc, LPRECT rect);
// OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP or OBJ_PAL
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int count);
BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const INT* dx);
int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format);
int DrawTextExW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params);
BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, SIZE* size);
BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRIC tm);
inline BOOL TextOut(HDC hdc, int x, int y, LPCWSTR text, int count) { return TextOutW(hdc, x, y, text, count); }
inline BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const INT* dx)
{
    return ExtTextOutW(hdc, x, y, options, rect, text, count, dx);
}
inline int DrawText(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format)
{
    return DrawTextW(hdc, text, count, rect, format);
}
inline int DrawTextEx(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params)
{
    return DrawTextExW(hdc, text, count, rect, format, params);
}
inline BOOL GetTextExtentPoint32(HDC hdc, LPCWSTR text, int count, SIZE* size)
{
    return GetTextExtentPoint32W(hdc, text, count, size);
}
inline BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC tm) { return GetTextMetricsW(hdc, tm); }
