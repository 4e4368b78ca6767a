// Invalidation, WM_PAINT generation, BeginPaint/EndPaint and window device contexts. Every
// top-level window owns one pixel surface; child windows draw into it at their offset, clipped to
// what of them is visible.
#include "platform/ui/core/Host.h"
#include "platform/ui/core/detail/WndData.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/detail/DcImpl.h"
#include "platform/gdi/detail/GdiObjectImpl.h"

#include <algorithm>
#include <cstring>

namespace ui {

namespace {

HWND g_locked = nullptr;  // LockWindowUpdate

RECT ClientBox(const Wnd* w)
{
    return RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
}

bool UnderLock(const Wnd* w)
{
    Wnd* l = Find(g_locked);
    return l && IsAncestor(l, w);
}

// WM_SETREDRAW FALSE on the window or one of its parents: nothing of it paints meanwhile, not
// even what was invalid before drawing was turned off.
bool DrawingOff(const Wnd* w)
{
    for (; w; w = w->parent)
        if (w->redrawOff)
            return true;
    return false;
}

HDC MakeDc(Wnd* w, bool wholeWindow, bool clipChildren, bool clipSiblings, const gdi::RegionData* extraClip)
{
    Wnd* top = TopLevelOf(w);
    EnsureSurface(top);
    if (!top->surface)
        return nullptr;
    POINT org = OriginInTop(w);
    if (!wholeWindow) {
        org.x += w->client.left;
        org.y += w->client.top;
    }
    gdi::RegionData vis = IsVisibleChain(w) ? VisibleRegion(w, wholeWindow, clipChildren, clipSiblings)
                                            : gdi::RegionData();
    if (extraClip) {
        gdi::RegionData e = *extraClip;
        e.Offset(org.x, org.y);
        vis = gdi::RegionData::Combine(vis, e, RGN_AND);
    }
    RECT none{0, 0, 0, 0};
    HDC dc = gdi::CreateWindowDC(top->surface, org, &none);
    if (gdi::DcImpl* impl = gdi::Impl(dc)) {
        impl->sysClip = vis;
        impl->hasSysClip = true;
        impl->ClipChanged();
    }
    return dc;
}

}  // namespace

void EnsureSurface(Wnd* top)
{
    int w = std::max(1, top->Width());
    int h = std::max(1, top->Height());
    if (top->surface && top->surface->Width() == w && top->surface->Height() == h)
        return;
    auto s = gdi::Surface::Create(w, h);
    if (!s)
        return;
    s->BeginAccess();
    std::uint32_t fill = gdi::PixelFromColor(GetSysColor(COLOR_BTNFACE));
    for (int y = 0; y < h; ++y)
        std::fill_n(s->Row(y), w, fill);
    if (top->surface) {  // keep what was there; the grown parts get painted
        auto& old = top->surface;
        old->BeginAccess();
        int cw = std::min(w, old->Width());
        int ch = std::min(h, old->Height());
        for (int y = 0; y < ch; ++y)
            std::memcpy(s->Row(y), old->Row(y), size_t(cw) * 4);
        old->EndAccess();
    }
    s->EndAccess();
    top->surface = s;
    top->presentDirty = true;
}

void MarkPresent(Wnd* w)
{
    if (Wnd* t = TopLevelOf(w))
        t->presentDirty = true;
}

void InvalidateClient(Wnd* w, const gdi::RegionData& rgn, bool erase, bool allChildren)
{
    if (!(w->style & WS_VISIBLE) || w->redrawOff)
        return;  // WM_SETREDRAW FALSE: the program redraws once it turns drawing back on
    gdi::RegionData r = gdi::RegionData::Combine(rgn, gdi::RegionData::FromRect(ClientBox(w)), RGN_AND);
    if (r.IsEmpty())
        return;
    w->update = gdi::RegionData::Combine(w->update, r, RGN_OR);
    if (erase)
        w->erase = true;
    // Children are repainted with the parent unless the parent clips them out of its painting.
    if (!allChildren && (w->style & WS_CLIPCHILDREN))
        return;
    for (Wnd* c : w->children) {
        if (!(c->style & WS_VISIBLE))
            continue;
        gdi::RegionData cr = r;
        cr.Offset(-c->rect.left, -c->rect.top);  // window coordinates of the child
        cr = gdi::RegionData::Combine(cr, gdi::RegionData::FromRect(RECT{0, 0, c->Width(), c->Height()}), RGN_AND);
        if (cr.IsEmpty())
            continue;
        gdi::RegionData inner = gdi::RegionData::Combine(cr, gdi::RegionData::FromRect(c->client), RGN_AND);
        if (!(cr == inner))
            c->ncDirty = true;
        inner.Offset(-c->client.left, -c->client.top);
        InvalidateClient(c, inner, erase, allChildren);
    }
}

void InvalidateWhole(Wnd* w, bool erase)
{
    w->ncDirty = true;
    InvalidateClient(w, gdi::RegionData::FromRect(ClientBox(w)), erase, true);
}

namespace {

void ValidateTree(Wnd* w, const gdi::RegionData& rgn, bool allChildren)
{
    w->update = gdi::RegionData::Combine(w->update, rgn, RGN_DIFF);
    if (w->update.IsEmpty())
        w->erase = false;
    if (!allChildren)
        return;
    for (Wnd* c : w->children) {
        gdi::RegionData cr = rgn;
        cr.Offset(-c->rect.left - c->client.left, -c->rect.top - c->client.top);
        ValidateTree(c, cr, true);
    }
}

Wnd* FindPaintable(Wnd* w, HWND filter)
{
    if (!(w->style & WS_VISIBLE) || w->redrawOff || UnderLock(w))
        return nullptr;
    if (!filter || w->handle == filter) {
        if (!w->update.IsEmpty() || w->internalPaint)
            return w;
        if (w->ncDirty) {
            HWND h = w->handle;
            w->ncDirty = false;
            Send(w, WM_NCPAINT, 1, 0);
            if (!Find(h))
                return nullptr;
        }
    }
    std::vector<HWND> kids;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        kids.push_back((*it)->handle);  // bottom of the z-order first: upper siblings paint last
    for (HWND k : kids)
        if (Wnd* c = Find(k))
            if (Wnd* p = FindPaintable(c, filter))
                return p;
    return nullptr;
}

}  // namespace

HWND NextWindowToPaint(HWND filter)
{
    auto q = CurrentQueue();
    std::vector<HWND> tops;
    for (auto it = q->topLevels.rbegin(); it != q->topLevels.rend(); ++it)
        tops.push_back((*it)->handle);
    for (HWND t : tops)
        if (Wnd* w = Find(t))
            if (Wnd* p = FindPaintable(w, filter))
                return p->handle;
    return nullptr;
}

void PaintPending(Wnd* subtree)
{
    // Bounded: a window that never validates itself must not hang the caller.
    for (int guard = 0; guard < 10000; ++guard) {
        HWND h = nullptr;
        if (subtree) {
            Wnd* p = FindPaintable(subtree, nullptr);
            h = p ? p->handle : nullptr;
        } else {
            h = NextWindowToPaint(nullptr);
        }
        if (!h)
            return;
        Wnd* w = Find(h);
        Send(w, WM_PAINT, 0, 0);
        if ((w = Find(h)) != nullptr && !w->update.IsEmpty() && guard > 100)
            w->update = gdi::RegionData();
        if (w)
            w->internalPaint = false;
    }
}

void PresentDirty()
{
    auto q = CurrentQueue();
    std::vector<HWND> tops;
    for (Wnd* t : q->topLevels)
        if (t->presentDirty && (t->style & WS_VISIBLE))
            tops.push_back(t->handle);
    for (HWND h : tops) {
        Wnd* t = Find(h);
        if (!t)
            continue;
        t->presentDirty = false;
        AfxGetHost()->TopLevelPresent(h, RECT{0, 0, t->Width(), t->Height()});
    }
}

}  // namespace ui

using namespace ui;

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return FALSE;
    gdi::RegionData area;
    if (rgn) {
        gdi::RegionObj* r = gdi::LookupAs<gdi::RegionObj>(rgn, gdi::Kind::Region);
        if (!r)
            return FALSE;
        area = r->rgn;
    } else if (rect) {
        area = gdi::RegionData::FromRect(*rect);
    } else {
        area = gdi::RegionData::FromRect(ClientBox(w));
    }
    bool all = (flags & RDW_ALLCHILDREN) != 0;
    if (flags & RDW_INVALIDATE) {
        if (flags & RDW_FRAME)
            w->ncDirty = true;
        if (flags & RDW_INTERNALPAINT)
            w->internalPaint = true;
        if (flags & RDW_NOCHILDREN) {
            DWORD keep = w->style;
            w->style |= WS_CLIPCHILDREN;
            InvalidateClient(w, area, (flags & RDW_ERASE) != 0, false);
            w->style = keep;
        } else {
            InvalidateClient(w, area, (flags & RDW_ERASE) != 0, all);
        }
    } else if (flags & RDW_VALIDATE) {
        ValidateTree(w, area, all);
        if (flags & RDW_NOFRAME)
            w->ncDirty = false;
        if (flags & RDW_NOINTERNALPAINT)
            w->internalPaint = false;
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        if (all)
            PaintPending(w);
        else
            UpdateWindow(hwnd);
    }
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    if (!hwnd)
        return FALSE;
    auto q = QueueOfWindow(hwnd);
    if (!q)
        return FALSE;
    if (q->threadId != GetCurrentThreadId()) {
        // From another thread (the simulated clock): the window's thread does it.
        QItem it;
        it.kind = QItem::Invalidate;
        it.msg.hwnd = hwnd;
        it.hasRect = rect != nullptr;
        if (rect)
            it.rc = *rect;
        it.erase = erase != FALSE;
        {
            std::lock_guard<std::mutex> lock(q->mutex);
            q->posted.push_back(it);
        }
        q->cv.notify_all();
        AfxGetHost()->Wake();
        return TRUE;
    }
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase)
{
    if (!rgn)
        return InvalidateRect(hwnd, nullptr, erase);
    return RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOINTERNALPAINT);
}

BOOL ValidateRgn(HWND hwnd, HRGN rgn)
{
    return RedrawWindow(hwnd, nullptr, rgn, RDW_VALIDATE | RDW_NOINTERNALPAINT);
}

BOOL UpdateWindow(HWND hwnd)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return FALSE;
    if (!IsVisibleChain(w) || UnderLock(w) || DrawingOff(w))
        return TRUE;
    if (w->update.IsEmpty() && !w->internalPaint) {
        if (w->ncDirty) {
            w->ncDirty = false;
            Send(w, WM_NCPAINT, 1, 0);
        }
        return TRUE;
    }
    Send(w, WM_PAINT, 0, 0);
    if ((w = Find(hwnd)) != nullptr)
        w->internalPaint = false;
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return FALSE;
    RECT box = w->update.IsEmpty() ? RECT{0, 0, 0, 0} : w->update.Box();
    if (rect)
        *rect = box;
    if (erase && w->erase && !w->update.IsEmpty()) {
        w->erase = false;
        HDC dc = MakeDc(w, false, (w->style & WS_CLIPCHILDREN) != 0, (w->style & WS_CLIPSIBLINGS) != 0, &w->update);
        Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ::DeleteDC(dc);
        MarkPresent(w);
    }
    return w->update.IsEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase)
{
    Wnd* w = Find(hwnd);
    gdi::RegionObj* r = rgn ? gdi::LookupAs<gdi::RegionObj>(rgn, gdi::Kind::Region) : nullptr;
    if (!w || !r)
        return ERROR;
    GetUpdateRect(hwnd, nullptr, erase);
    r->rgn = w->update;
    return r->rgn.Complexity();
}

// A parent that does not clip its children paints over their frames and scroll bars too: a
// child whose frame lies under the painted area draws it again when it paints next (children
// paint after their parent), even if it drew its frame since the area was invalidated.
static void MarkChildFramesUnder(Wnd* w, const gdi::RegionData& area)
{
    for (Wnd* c : w->children) {
        if (!(c->style & WS_VISIBLE))
            continue;
        gdi::RegionData cr = area;
        cr.Offset(-c->rect.left, -c->rect.top);  // window coordinates of the child
        cr = gdi::RegionData::Combine(cr, gdi::RegionData::FromRect(RECT{0, 0, c->Width(), c->Height()}), RGN_AND);
        if (!cr.IsEmpty() && !(cr == gdi::RegionData::Combine(cr, gdi::RegionData::FromRect(c->client), RGN_AND)))
            c->ncDirty = true;
    }
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps)
{
    Wnd* w = Find(hwnd);
    if (!w || !ps)
        return nullptr;
    *ps = PAINTSTRUCT{};
    HideCaret(hwnd);
    if (w->ncDirty) {
        w->ncDirty = false;
        Send(w, WM_NCPAINT, 1, 0);
        if (!(w = Find(hwnd)))
            return nullptr;
    }
    gdi::RegionData area = w->update;
    bool erase = w->erase;
    w->update = gdi::RegionData();
    w->erase = false;
    w->internalPaint = false;
    w->inPaint = true;
    if (!(w->style & WS_CLIPCHILDREN))
        MarkChildFramesUnder(w, area);
    HDC dc = MakeDc(w, false, (w->style & WS_CLIPCHILDREN) != 0, (w->style & WS_CLIPSIBLINGS) != 0, &area);
    ps->hdc = dc;
    ps->rcPaint = area.IsEmpty() ? RECT{0, 0, 0, 0} : area.Box();
    ps->fErase = TRUE;
    if (erase && dc)
        ps->fErase = Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    MarkPresent(w);
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps)
{
    if (ps && ps->hdc)
        ::DeleteDC(ps->hdc);
    if (Wnd* w = Find(hwnd)) {
        w->inPaint = false;
        MarkPresent(w);
    }
    ShowCaret(hwnd);
    return TRUE;
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags)
{
    if (!hwnd) {
        CDC display;
        display.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr);
        return display.Detach();
    }
    Wnd* w = Find(hwnd);
    if (!w)
        return nullptr;
    bool whole = (flags & DCX_WINDOW) != 0;
    bool clipChildren = (flags & DCX_CLIPCHILDREN) || (w->style & WS_CLIPCHILDREN);
    bool clipSiblings = (flags & DCX_CLIPSIBLINGS) || (w->style & WS_CLIPSIBLINGS);
    gdi::RegionData extra;
    const gdi::RegionData* extraPtr = nullptr;
    if (UnderLock(w) && !(flags & DCX_LOCKWINDOWUPDATE)) {
        extraPtr = &extra;  // a locked window shows nothing drawn through ordinary DCs
    } else if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        if (gdi::RegionObj* r = gdi::LookupAs<gdi::RegionObj>(clip, gdi::Kind::Region)) {
            if (flags & DCX_INTERSECTRGN) {
                extra = r->rgn;
            } else {
                RECT all{-32768, -32768, 32767, 32767};
                extra = gdi::RegionData::Combine(gdi::RegionData::FromRect(all), r->rgn, RGN_DIFF);
            }
            extraPtr = &extra;
        }
    }
    MarkPresent(w);
    return MakeDc(w, whole, clipChildren, clipSiblings, extraPtr);
}

HDC GetDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, 0); }

HDC GetWindowDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, DCX_WINDOW); }

int ReleaseDC(HWND hwnd, HDC hdc)
{
    if (!hdc)
        return 0;
    ::DeleteDC(hdc);
    if (Wnd* w = Find(hwnd))
        MarkPresent(w);
    return 1;
}

BOOL LockWindowUpdate(HWND hwnd)
{
    if (hwnd && g_locked && Find(g_locked))
        return FALSE;  // one lock at a time, as in Win32
    HWND old = g_locked;
    g_locked = hwnd;
    if (!hwnd && old)
        if (Wnd* w = Find(old))
            InvalidateWhole(w, true);  // what was drawn meanwhile is repainted
    return TRUE;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scrollRect, const RECT* clipRect)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return FALSE;
    RECT area = scrollRect ? *scrollRect : ClientBox(w);
    if (clipRect)
        IntersectRect(&area, &area, clipRect);
    if (!scrollRect) {
        for (Wnd* c : w->children)
            OffsetRect(&c->rect, dx, dy);
    }
    Wnd* top = TopLevelOf(w);
    gdi::RegionData vis = IsVisibleChain(w) ? VisibleRegion(w, false, false, (w->style & WS_CLIPSIBLINGS) != 0)
                                            : gdi::RegionData();
    POINT org = OriginInTop(w);
    org.x += w->client.left;
    org.y += w->client.top;
    RECT srf = area;
    OffsetRect(&srf, org.x, org.y);
    bool simple = top->surface && !vis.IsEmpty() && vis.Complexity() == SIMPLEREGION &&
                  gdi::RegionData::Combine(gdi::RegionData::FromRect(srf), vis, RGN_DIFF).IsEmpty() &&
                  scrollRect == nullptr && clipRect == nullptr && std::abs(dx) < area.right - area.left &&
                  std::abs(dy) < area.bottom - area.top;
    if (!simple) {
        InvalidateClient(w, gdi::RegionData::FromRect(area), true, true);
        return TRUE;
    }
    // Move the pixels and repaint only the uncovered strips.
    gdi::Surface& s = *top->surface;
    s.BeginAccess();
    int width = area.right - area.left - std::abs(dx);
    int rows = area.bottom - area.top - std::abs(dy);
    int sx = srf.left + std::max(0, -dx);
    int tx = srf.left + std::max(0, dx);
    if (dy > 0) {
        for (int i = rows - 1; i >= 0; --i)
            std::memmove(s.Row(srf.top + dy + i) + tx, s.Row(srf.top + i) + sx, size_t(width) * 4);
    } else {
        for (int i = 0; i < rows; ++i)
            std::memmove(s.Row(srf.top + i) + tx, s.Row(srf.top - dy + i) + sx, size_t(width) * 4);
    }
    s.EndAccess();
    // The window's pending update region moves with its pixels.
    w->update.Offset(dx, dy);
    RECT kept{area.left + std::max(0, dx), area.top + std::max(0, dy), area.right + std::min(0, dx),
              area.bottom + std::min(0, dy)};
    gdi::RegionData exposed = gdi::RegionData::Combine(gdi::RegionData::FromRect(area),
                                                       gdi::RegionData::FromRect(kept), RGN_DIFF);
    InvalidateClient(w, exposed, true, true);
    if (!scrollRect)
        for (Wnd* c : w->children)
            if (c->style & WS_VISIBLE)
                InvalidateWhole(c, true);
    MarkPresent(w);
    return TRUE;
}
