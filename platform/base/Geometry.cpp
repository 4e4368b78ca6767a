#include "platform/base/Geometry.h"

#include <algorithm>
#include <utility>

namespace {

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

bool CRect::EqualRect(const RECT* r) const
{
    return r != nullptr && left == r->left && top == r->top && right == r->right && bottom == r->bottom;
}

void CRect::InflateRect(const RECT* r)
{
    InflateRect(r->left, r->top, r->right, r->bottom);
}

void CRect::InflateRect(int l, int t, int r, int b)
{
    left -= l;
    top -= t;
    right += r;
    bottom += b;
}

void CRect::DeflateRect(const RECT* r)
{
    InflateRect(-r->left, -r->top, -r->right, -r->bottom);
}

void CRect::OffsetRect(int dx, int dy)
{
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

bool CRect::IntersectRect(const RECT* a, const RECT* b)
{
    return ::IntersectRect(this, a, b) != FALSE;
}

bool CRect::UnionRect(const RECT* a, const RECT* b)
{
    return ::UnionRect(this, a, b) != FALSE;
}

bool CRect::SubtractRect(const RECT* a, const RECT* b)
{
    return ::SubtractRect(this, a, b) != FALSE;
}

BOOL SetRect(RECT* r, int l, int t, int rt, int b)
{
    if (r == nullptr)
        return FALSE;
    *r = RECT{l, t, rt, b};
    return TRUE;
}

BOOL SetRectEmpty(RECT* r) { return SetRect(r, 0, 0, 0, 0); }

BOOL CopyRect(RECT* dst, const RECT* src)
{
    if (dst == nullptr || src == nullptr)
        return FALSE;
    *dst = *src;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* r) { return r == nullptr || Empty(*r) ? TRUE : FALSE; }

BOOL EqualRect(const RECT* a, const RECT* b)
{
    if (a == nullptr || b == nullptr)
        return FALSE;
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL PtInRect(const RECT* r, POINT p)
{
    if (r == nullptr)
        return FALSE;
    return p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom;
}

BOOL OffsetRect(RECT* r, int dx, int dy)
{
    if (r == nullptr)
        return FALSE;
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
    return TRUE;
}

BOOL InflateRect(RECT* r, int dx, int dy)
{
    if (r == nullptr)
        return FALSE;
    r->left -= dx;
    r->right += dx;
    r->top -= dy;
    r->bottom += dy;
    return TRUE;
}

BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b)
{
    if (dst == nullptr || a == nullptr || b == nullptr)
        return FALSE;
    // Work on copies: dst may be one of the inputs.
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (Empty(*a) || Empty(*b) || Empty(r)) {
        *dst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b)
{
    if (dst == nullptr || a == nullptr || b == nullptr)
        return FALSE;
    // An empty rectangle does not take part in the union.
    RECT ra = *a;
    RECT rb = *b;
    if (Empty(ra) && Empty(rb)) {
        *dst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    if (Empty(ra)) {
        *dst = rb;
    } else if (Empty(rb)) {
        *dst = ra;
    } else {
        *dst = RECT{std::min(ra.left, rb.left), std::min(ra.top, rb.top), std::max(ra.right, rb.right),
                    std::max(ra.bottom, rb.bottom)};
    }
    return TRUE;
}

BOOL SubtractRect(RECT* dst, const RECT* a, const RECT* b)
{
    if (dst == nullptr || a == nullptr || b == nullptr)
        return FALSE;
    RECT r = *a;
    if (Empty(r)) {
        *dst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    RECT cut;
    // Only a cut that spans a whole side of `a` shrinks it; otherwise `a` stays as it is.
    if (IntersectRect(&cut, a, b)) {
        if (cut.top == r.top && cut.bottom == r.bottom) {
            if (cut.left == r.left)
                r.left = cut.right;
            else if (cut.right == r.right)
                r.right = cut.left;
        } else if (cut.left == r.left && cut.right == r.right) {
            if (cut.top == r.top)
                r.top = cut.bottom;
            else if (cut.bottom == r.bottom)
                r.bottom = cut.top;
        }
    }
    if (Empty(r)) {
        *dst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *dst = r;
    return TRUE;
}
