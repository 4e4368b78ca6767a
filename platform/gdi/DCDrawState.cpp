// Tracker frames and state drawing (embossed and single-colour pictures and text).
#include "platform/gdi/DC.h"

#include "platform/gdi/detail/DcImpl.h"

#include <algorithm>
#include <cwchar>

using gdi::RegionData;

namespace {

RegionData FrameRegion(const RECT& r, SIZE size)
{
    RECT inner{r.left + size.cx, r.top + size.cy, r.right - size.cx, r.bottom - size.cy};
    return RegionData::Combine(RegionData::FromRect(r), RegionData::FromRect(inner), RGN_DIFF);
}

void Invert(CDC& dc, const RegionData& rgn, CBrush* brush)
{
    CBrush* old = dc.SelectObject(brush);
    for (const RECT& r : rgn.Rects())
        dc.PatBlt(r.left, r.top, r.right - r.left, r.bottom - r.top, PATINVERT);
    if (old)
        dc.SelectObject(old);
}

// Paints `colour` wherever mask is set, shifted by (dx, dy).
void PaintMask(CDC& dc, CPoint pt, const std::vector<bool>& mask, int w, int h, int dx, int dy, COLORREF colour)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mask[size_t(y) * size_t(w) + size_t(x)])
                dc.SetPixel(pt.x + x + dx, pt.y + y + dy, colour);
}

// Draws a picture given as an ink mask in the requested state.
void DrawMaskState(CDC& dc, CPoint pt, const std::vector<bool>& mask, int w, int h, UINT flags, HBRUSH brush)
{
    if (flags & DSS_DISABLED) {
        PaintMask(dc, pt, mask, w, h, 1, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        PaintMask(dc, pt, mask, w, h, 0, 0, GetSysColor(COLOR_BTNSHADOW));
        return;
    }
    LOGBRUSH lb{BS_SOLID, GetSysColor(COLOR_WINDOWTEXT), 0};
    if (brush)
        GetObject(brush, sizeof lb, &lb);
    PaintMask(dc, pt, mask, w, h, 0, 0, lb.lbColor);
}

bool IsInk(COLORREF c)
{
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 192;
}

}  // namespace

CBrush* CDC::GetHalftoneBrush()
{
    static CBrush* brush = [] {
        BYTE bits[16] = {};
        for (int i = 0; i < 8; ++i)
            bits[2 * i] = BYTE((i & 1) ? 0xAA : 0x55);
        CBitmap pattern;
        pattern.CreateBitmap(8, 8, 1, 1, bits);
        auto* b = new CBrush;
        b->CreatePatternBrush(&pattern);
        return b;
    }();
    return brush;
}

void CDC::DrawDragRect(LPCRECT rect, SIZE size, LPCRECT last, SIZE sizeLast, CBrush* brush, CBrush* brushLast)
{
    if (!rect)
        return;
    if (!brush)
        brush = GetHalftoneBrush();
    if (!brushLast)
        brushLast = brush;
    // monochrome patterns take these colours; black text and white background invert the
    // set pixels only
    COLORREF oldText = SetTextColor(RGB(0, 0, 0)), oldBk = SetBkColor(RGB(255, 255, 255));
    RegionData now = FrameRegion(*rect, size);
    if (last && brush == brushLast) {
        Invert(*this, RegionData::Combine(now, FrameRegion(*last, sizeLast), RGN_XOR), brush);
    } else {
        if (last)
            Invert(*this, FrameRegion(*last, sizeLast), brushLast);
        Invert(*this, now, brush);
    }
    SetTextColor(oldText);
    SetBkColor(oldBk);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush)
{
    auto* b = gdi::LookupAs<gdi::BitmapObj>(bitmap, gdi::Kind::Bitmap);
    if (!m_hDC || !b || !b->surface)
        return FALSE;
    gdi::Surface& s = *b->surface;
    int w = size.cx > 0 ? std::min(int(size.cx), s.Width()) : s.Width();
    int h = size.cy > 0 ? std::min(int(size.cy), s.Height()) : s.Height();
    if ((flags & (DSS_DISABLED | DSS_MONO)) == 0) {
        CDC mem;
        mem.CreateCompatibleDC(this);
        HGDIOBJ old = mem.SelectObject(static_cast<HGDIOBJ>(bitmap));
        BOOL ok = BitBlt(pt.x, pt.y, w, h, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
        return ok;
    }
    std::vector<bool> mask(size_t(w) * size_t(h));
    s.BeginAccess();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mask[size_t(y) * size_t(w) + size_t(x)] = IsInk(gdi::ColorFromPixel(s.Row(y)[x] & 0xFFFFFF));
    DrawMaskState(*this, pt, mask, w, h, flags, brush);
    return TRUE;
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCWSTR text, UINT flags, BOOL prefixText, int count, HBRUSH brush)
{
    if (!m_hDC || !text)
        return FALSE;
    int n = count > 0 ? count : int(std::wcslen(text));
    UINT format = DT_SINGLELINE | DT_NOCLIP | (prefixText ? 0 : DT_NOPREFIX);
    CSize ext = size.cx > 0 && size.cy > 0 ? CSize(size) : GetTextExtent(text, n);
    if ((flags & (DSS_DISABLED | DSS_MONO)) == 0) {
        CRect r(pt, ext);
        int oldMode = SetBkMode(TRANSPARENT);
        DrawText(text, n, &r, format);
        SetBkMode(oldMode);
        return TRUE;
    }
    // render the text black on white off-screen, then draw its ink in the state's colours
    CDC mem;
    if (!mem.CreateForImage(std::max<LONG>(1, ext.cx), std::max<LONG>(1, ext.cy)))
        return FALSE;
    mem.FillSolidRect(0, 0, ext.cx, ext.cy, RGB(255, 255, 255));
    CFont* font = GetCurrentFont();
    CFont* oldFont = font ? mem.SelectObject(font) : nullptr;
    mem.SetBkMode(TRANSPARENT);
    mem.SetTextColor(RGB(0, 0, 0));
    CRect r(0, 0, ext.cx, ext.cy);
    mem.DrawText(text, n, &r, format);
    std::vector<bool> mask(size_t(ext.cx) * size_t(ext.cy));
    for (int y = 0; y < ext.cy; ++y)
        for (int x = 0; x < ext.cx; ++x)
            mask[size_t(y) * size_t(ext.cx) + size_t(x)] = mem.GetPixel(x, y) != RGB(255, 255, 255);
    if (oldFont)
        mem.SelectObject(oldFont);
    DrawMaskState(*this, pt, mask, ext.cx, ext.cy, flags, brush);
    return TRUE;
}
