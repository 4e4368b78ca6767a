// Drawing of the classic control look with the GDI primitives.
#include "platform/ui/controls/CtlDraw.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>

namespace ctl {

void FillSolid(HDC dc, const RECT& r, COLORREF c)
{
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void DrawButtonFace(HDC dc, RECT r, bool pushed, bool isDefault, bool flat)
{
    if (isDefault) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        r = CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
    }
    if (pushed) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        r = CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    } else if (flat) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        r = CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);
    }
}

void DrawSunkenEdge(HDC dc, RECT& r) { DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST); }

namespace {
void Poly(HDC dc, const POINT* pts, int n, COLORREF c)
{
    HBRUSH b = CreateSolidBrush(c);
    HPEN p = CreatePen(PS_SOLID, 1, c);
    HGDIOBJ ob = SelectObject(dc, b), op = SelectObject(dc, p);
    Polygon(dc, pts, n);
    SelectObject(dc, ob);
    SelectObject(dc, op);
    DeleteObject(b);
    DeleteObject(p);
}
}  // namespace

void DrawCheckMark(HDC dc, int x, int y, int size, int state, bool pushed, bool enabled)
{
    RECT r{x, y, x + size, y + size};
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    COLORREF back = (pushed || !enabled || state == 2) ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW);
    FillSolid(dc, r, back);
    if (state == 0)
        return;
    COLORREF ink = enabled ? (state == 2 ? GetSysColor(COLOR_BTNSHADOW) : GetSysColor(COLOR_WINDOWTEXT))
                           : GetSysColor(COLOR_GRAYTEXT);
    // A tick of three strokes, scaled to the inner square.
    int w = r.right - r.left, s = std::max(1, w / 7);
    int l = r.left + std::max(1, w / 6), t = r.top + w / 2 - s;
    int mid = l + (w - 2 * std::max(1, w / 6)) / 3;
    int right = r.right - std::max(1, w / 6);
    POINT pts[] = {{l, t}, {mid, t + (mid - l)}, {right, t + (mid - l) - (right - mid)},
                   {right, t + (mid - l) - (right - mid) + 2 * s + 1}, {mid, t + (mid - l) + 2 * s + 1},
                   {l, t + 2 * s + 1}};
    Poly(dc, pts, 6, ink);
}

void DrawRadioMark(HDC dc, int x, int y, int size, bool checked, bool pushed, bool enabled)
{
    // Outer ring: shadow on the upper-left half, highlight on the lower-right, as the classic look.
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HBRUSH fill = CreateSolidBrush((pushed || !enabled) ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW));
    HGDIOBJ op = SelectObject(dc, light), ob = SelectObject(dc, fill);
    Ellipse(dc, x, y, x + size, y + size);
    SelectObject(dc, shadow);
    CDC::FromHandle(dc)->Arc(x, y, x + size, y + size, x + size, y, x, y + size);
    SelectObject(dc, GetStockObject(NULL_PEN));
    if (checked) {
        HBRUSH dot = CreateSolidBrush(enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
        SelectObject(dc, dot);
        int d = std::max(2, size * 4 / 12), c = size / 2;
        Ellipse(dc, x + c - d / 2, y + c - d / 2, x + c - d / 2 + d + 1, y + c - d / 2 + d + 1);
        SelectObject(dc, ob);
        DeleteObject(dot);
    }
    SelectObject(dc, op);
    SelectObject(dc, ob);
    DeleteObject(shadow);
    DeleteObject(light);
    DeleteObject(fill);
}

void DrawArrow(HDC dc, const RECT& r, int dir, bool enabled)
{
    int w = r.right - r.left, h = r.bottom - r.top;
    int half = std::max(2, std::min(w, h) / 4);
    int cx = r.left + w / 2, cy = r.top + h / 2;
    POINT pts[3];
    switch (dir) {
    case 0: pts[0] = {cx - half, cy + half / 2}; pts[1] = {cx + half, cy + half / 2}; pts[2] = {cx, cy - half / 2 - 1}; break;
    case 1: pts[0] = {cx - half, cy - half / 2}; pts[1] = {cx + half, cy - half / 2}; pts[2] = {cx, cy + half / 2 + 1}; break;
    case 2: pts[0] = {cx + half / 2, cy - half}; pts[1] = {cx + half / 2, cy + half}; pts[2] = {cx - half / 2 - 1, cy}; break;
    default: pts[0] = {cx - half / 2, cy - half}; pts[1] = {cx - half / 2, cy + half}; pts[2] = {cx + half / 2 + 1, cy}; break;
    }
    if (!enabled) {
        POINT sh[3];
        for (int i = 0; i < 3; ++i)
            sh[i] = {pts[i].x + 1, pts[i].y + 1};
        Poly(dc, sh, 3, GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    Poly(dc, pts, 3, enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
}

void DrawLabel(HDC dc, const wchar_t* text, RECT r, UINT format, bool enabled, COLORREF colour)
{
    SetBkMode(dc, TRANSPARENT);
    if (!enabled) {
        RECT s{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, text, -1, &s, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(dc, colour);
    }
    DrawTextW(dc, text, -1, &r, format);
}

}  // namespace ctl
