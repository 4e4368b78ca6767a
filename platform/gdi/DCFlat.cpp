// The Win32 drawing functions on DC handles, forwarding to CDC.
#include "platform/gdi/DC.h"

namespace {

CDC* D(HDC hdc)
{
    return CDC::FromHandle(hdc);
}

template <class T>
T* W(HGDIOBJ h)
{
    return static_cast<T*>(CGdiObject::FromHandle(h));
}

// The *Ex setters: change the DC behind hdc and hand back, when asked, what was there before.
template <class Old, class Set>
BOOL SetReturningOld(HDC hdc, Old* old, Set set)
{
    CDC* dc = D(hdc);
    if (!dc)
        return FALSE;
    const auto prev = set(*dc);
    if (old)
        *old = prev;
    return TRUE;
}

}  // namespace

int SaveDC(HDC hdc) { CDC* dc = D(hdc); return dc ? dc->SaveDC() : 0; }
BOOL RestoreDC(HDC hdc, int saved) { CDC* dc = D(hdc); return dc ? dc->RestoreDC(saved) : FALSE; }
int SetBkMode(HDC hdc, int mode) { CDC* dc = D(hdc); return dc ? dc->SetBkMode(mode) : 0; }
COLORREF SetBkColor(HDC hdc, COLORREF c) { CDC* dc = D(hdc); return dc ? dc->SetBkColor(c) : CLR_INVALID; }
COLORREF GetBkColor(HDC hdc) { CDC* dc = D(hdc); return dc ? dc->GetBkColor() : CLR_INVALID; }
COLORREF SetTextColor(HDC hdc, COLORREF c) { CDC* dc = D(hdc); return dc ? dc->SetTextColor(c) : CLR_INVALID; }
COLORREF GetTextColor(HDC hdc) { CDC* dc = D(hdc); return dc ? dc->GetTextColor() : CLR_INVALID; }
int SetROP2(HDC hdc, int mode) { CDC* dc = D(hdc); return dc ? dc->SetROP2(mode) : 0; }
UINT SetTextAlign(HDC hdc, UINT flags) { CDC* dc = D(hdc); return dc ? dc->SetTextAlign(flags) : 0xFFFFFFFF; }
int SetMapMode(HDC hdc, int mode) { CDC* dc = D(hdc); return dc ? dc->SetMapMode(mode) : 0; }

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old)
{
    return SetReturningOld(hdc, old, [&](CDC& dc) { return dc.SetViewportOrg(x, y); });
}

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old)
{
    return SetReturningOld(hdc, old, [&](CDC& dc) { return dc.SetWindowOrg(x, y); });
}

BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT old)
{
    return SetReturningOld(hdc, old, [&](CDC& dc) { return dc.OffsetViewportOrg(dx, dy); });
}

BOOL SetViewportExtEx(HDC hdc, int cx, int cy, SIZE* old)
{
    return SetReturningOld(hdc, old, [&](CDC& dc) { return dc.SetViewportExt(cx, cy); });
}

BOOL SetWindowExtEx(HDC hdc, int cx, int cy, SIZE* old)
{
    return SetReturningOld(hdc, old, [&](CDC& dc) { return dc.SetWindowExt(cx, cy); });
}

BOOL LPtoDP(HDC hdc, LPPOINT pts, int count)
{
    CDC* dc = D(hdc);
    if (!dc || !pts)
        return FALSE;
    dc->LPtoDP(pts, count);
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT pts, int count)
{
    CDC* dc = D(hdc);
    if (!dc || !pts)
        return FALSE;
    dc->DPtoLP(pts, count);
    return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old)
{
    return SetReturningOld(hdc, old, [&](CDC& dc) { return dc.MoveTo(x, y); });
}

BOOL LineTo(HDC hdc, int x, int y) { CDC* dc = D(hdc); return dc ? dc->LineTo(x, y) : FALSE; }
BOOL Rectangle(HDC hdc, int l, int t, int r, int b) { CDC* dc = D(hdc); return dc ? dc->Rectangle(l, t, r, b) : FALSE; }
BOOL Ellipse(HDC hdc, int l, int t, int r, int b) { CDC* dc = D(hdc); return dc ? dc->Ellipse(l, t, r, b) : FALSE; }
BOOL Polygon(HDC hdc, const POINT* pts, int count) { CDC* dc = D(hdc); return dc ? dc->Polygon(pts, count) : FALSE; }
BOOL Polyline(HDC hdc, const POINT* pts, int count) { CDC* dc = D(hdc); return dc ? dc->Polyline(pts, count) : FALSE; }

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush)
{
    CDC* dc = D(hdc);
    CBrush* b = W<CBrush>(brush);
    if (!dc || !rect || !b)
        return 0;
    dc->FillRect(rect, b);
    return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush)
{
    CDC* dc = D(hdc);
    CBrush* b = W<CBrush>(brush);
    if (!dc || !rect || !b)
        return 0;
    dc->FrameRect(rect, b);
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rect)
{
    CDC* dc = D(hdc);
    if (!dc || !rect)
        return FALSE;
    dc->InvertRect(rect);
    return TRUE;
}

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags)
{
    CDC* dc = D(hdc);
    return dc ? dc->DrawEdge(rect, edge, flags) : FALSE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect)
{
    CDC* dc = D(hdc);
    if (!dc || !rect)
        return FALSE;
    dc->DrawFocusRect(rect);
    return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush)
{
    CDC* dc = D(hdc);
    return dc ? dc->FillRgn(W<CRgn>(rgn), W<CBrush>(brush)) : FALSE;
}

BOOL FrameRgn(HDC hdc, HRGN rgn, HBRUSH brush, int w, int h)
{
    CDC* dc = D(hdc);
    return dc ? dc->FrameRgn(W<CRgn>(rgn), W<CBrush>(brush), w, h) : FALSE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF c)
{
    CDC* dc = D(hdc);
    return dc ? dc->SetPixel(x, y, c) : CLR_INVALID;
}

BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop)
{
    CDC* dc = D(dst);
    return dc ? dc->StretchBlt(x, y, w, h, D(src), xSrc, ySrc, wSrc, hSrc, rop) : FALSE;
}

int SelectClipRgn(HDC hdc, HRGN rgn)
{
    CDC* dc = D(hdc);
    if (!dc)
        return ERROR;
    return dc->SelectClipRgn(rgn ? W<CRgn>(rgn) : nullptr);
}

int IntersectClipRect(HDC hdc, int l, int t, int r, int b)
{
    CDC* dc = D(hdc);
    return dc ? dc->IntersectClipRect(l, t, r, b) : ERROR;
}

int ExcludeClipRect(HDC hdc, int l, int t, int r, int b)
{
    CDC* dc = D(hdc);
    return dc ? dc->ExcludeClipRect(l, t, r, b) : ERROR;
}

int GetClipBox(HDC hdc, LPRECT rect)
{
    CDC* dc = D(hdc);
    return dc ? dc->GetClipBox(rect) : ERROR;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    CDC* dc = D(hdc);
    if (!dc)
        return nullptr;
    CGdiObject* o = nullptr;
    switch (type) {
    case OBJ_PEN: o = dc->GetCurrentPen(); break;
    case OBJ_BRUSH: o = dc->GetCurrentBrush(); break;
    case OBJ_FONT: o = dc->GetCurrentFont(); break;
    case OBJ_BITMAP: o = dc->GetCurrentBitmap(); break;
    case OBJ_PAL: o = dc->GetCurrentPalette(); break;
    default: break;
    }
    return o ? o->m_hObject : nullptr;
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int count)
{
    CDC* dc = D(hdc);
    return dc ? dc->TextOut(x, y, text, count) : FALSE;
}

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const INT* dx)
{
    CDC* dc = D(hdc);
    return dc ? dc->ExtTextOut(x, y, options, rect, text, count, dx) : FALSE;
}

int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format)
{
    CDC* dc = D(hdc);
    return dc ? dc->DrawText(text, count, rect, format) : 0;
}

int DrawTextExW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params)
{
    CDC* dc = D(hdc);
    return dc ? dc->DrawTextEx(text, count, rect, format, params) : 0;
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, SIZE* size)
{
    CDC* dc = D(hdc);
    if (!dc || !size)
        return FALSE;
    *size = dc->GetTextExtent(text, count);
    return TRUE;
}

BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRIC tm)
{
    CDC* dc = D(hdc);
    return dc ? dc->GetTextMetrics(tm) : FALSE;
}
