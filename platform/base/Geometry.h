// CPoint, CSize and CRect: the Win32 POINT/SIZE/RECT structs with their usual helpers, plus the
// free Win32 rectangle functions. Rectangles are half-open: right and bottom are outside.
#pragma once

#include "platform/base/WinTypes.h"

class CSize;
class CRect;

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int x_, int y_) : POINT{x_, y_} {}
    CPoint(POINT p) : POINT(p) {}
    explicit CPoint(SIZE s) : POINT{s.cx, s.cy} {}

    void Offset(int dx, int dy) { x += dx; y += dy; }
    void Offset(POINT p) { Offset(p.x, p.y); }
    void Offset(SIZE s) { Offset(s.cx, s.cy); }
    void SetPoint(int x_, int y_) { x = x_; y = y_; }

    bool operator==(POINT p) const { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const { return !(*this == p); }
    CPoint& operator+=(SIZE s) { Offset(s); return *this; }
    CPoint& operator-=(SIZE s) { Offset(-s.cx, -s.cy); return *this; }
    CPoint& operator+=(POINT p) { Offset(p); return *this; }
    CPoint& operator-=(POINT p) { Offset(-p.x, -p.y); return *this; }
    CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
    CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
    CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
    CSize operator-(POINT p) const;
    CPoint operator-() const { return CPoint(-x, -y); }
    CRect operator+(const RECT& r) const;
    CRect operator-(const RECT& r) const;
};

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int cx_, int cy_) : SIZE{cx_, cy_} {}
    CSize(SIZE s) : SIZE(s) {}
    explicit CSize(POINT p) : SIZE{p.x, p.y} {}

    void SetSize(int cx_, int cy_) { cx = cx_; cy = cy_; }
    bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const { return !(*this == s); }
    CSize& operator+=(SIZE s) { cx += s.cx; cy += s.cy; return *this; }
    CSize& operator-=(SIZE s) { cx -= s.cx; cy -= s.cy; return *this; }
    CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CPoint operator+(POINT p) const { return CPoint(cx + p.x, cy + p.y); }
    CPoint operator-(POINT p) const { return CPoint(cx - p.x, cy - p.y); }
};

inline CSize CPoint::operator-(POINT p) const { return CSize(x - p.x, y - p.y); }

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}
    CRect(const RECT* r) : RECT(*r) {}
    CRect(POINT topLeft, SIZE size) : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    operator RECT*() { return this; }
    operator const RECT*() const { return this; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    // Centre in integer halves, truncated toward zero: ((l + r) / 2, (t + b) / 2).
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool EqualRect(const RECT* r) const;

    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(const RECT* r) { *static_cast<RECT*>(this) = *r; }
    // Inline: the hit tests and the diagram index call these in their innermost loops.
    void NormalizeRect()
    {
        if (left > right) {
            const LONG t = left;
            left = right;
            right = t;
        }
        if (top > bottom) {
            const LONG t = top;
            top = bottom;
            bottom = t;
        }
    }

    void InflateRect(int dx, int dy)
    {
        left -= dx;
        top -= dy;
        right += dx;
        bottom += dy;
    }
    void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
    void InflateRect(const RECT* r);
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(SIZE s) { InflateRect(-s.cx, -s.cy); }
    void DeflateRect(const RECT* r);
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int dx, int dy);
    void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToXY(POINT p) { MoveToXY(p.x, p.y); }

    // Set operations as in Win32: return false (and leave an empty rectangle) when the result is empty.
    bool IntersectRect(const RECT* a, const RECT* b);
    bool UnionRect(const RECT* a, const RECT* b);
    bool SubtractRect(const RECT* a, const RECT* b);

    bool operator==(const RECT& r) const { return EqualRect(&r); }
    bool operator!=(const RECT& r) const { return !EqualRect(&r); }
    CRect& operator+=(POINT p) { OffsetRect(p); return *this; }
    CRect& operator+=(SIZE s) { OffsetRect(s); return *this; }
    CRect& operator+=(const RECT* r) { InflateRect(r); return *this; }
    CRect& operator-=(POINT p) { OffsetRect(-p.x, -p.y); return *this; }
    CRect& operator-=(SIZE s) { OffsetRect(-s.cx, -s.cy); return *this; }
    CRect& operator-=(const RECT* r) { DeflateRect(r); return *this; }
    CRect& operator&=(const RECT& r) { IntersectRect(this, &r); return *this; }
    CRect& operator|=(const RECT& r) { UnionRect(this, &r); return *this; }
    CRect operator+(POINT p) const { CRect c(*this); c += p; return c; }
    CRect operator+(SIZE s) const { CRect c(*this); c += s; return c; }
    CRect operator+(const RECT* r) const { CRect c(*this); c += r; return c; }
    CRect operator-(POINT p) const { CRect c(*this); c -= p; return c; }
    CRect operator-(SIZE s) const { CRect c(*this); c -= s; return c; }
    CRect operator-(const RECT* r) const { CRect c(*this); c -= r; return c; }
    CRect operator&(const RECT& r) const { CRect c; c.IntersectRect(this, &r); return c; }
    CRect operator|(const RECT& r) const { CRect c; c.UnionRect(this, &r); return c; }
};

inline CRect CPoint::operator+(const RECT& r) const { CRect c(r); c.OffsetRect(x, y); return c; }
inline CRect CPoint::operator-(const RECT& r) const { CRect c(r); c.OffsetRect(-x, -y); return c; }

// Win32 free functions on RECT. All return FALSE for a null rectangle pointer.
BOOL SetRect(RECT* r, int l, int t, int rt, int b);
BOOL SetRectEmpty(RECT* r);
BOOL CopyRect(RECT* dst, const RECT* src);
BOOL IsRectEmpty(const RECT* r);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* r, POINT p);
BOOL OffsetRect(RECT* r, int dx, int dy);
BOOL InflateRect(RECT* r, int dx, int dy);
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b);
BOOL SubtractRect(RECT* dst, const RECT* a, const RECT* b);
