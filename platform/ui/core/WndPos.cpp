// Window placement, z-order, visibility, enabling and coordinate mapping.
#include "platform/ui/core/Host.h"
#include "platform/ui/core/detail/WndData.h"

#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/detail/GdiObjectImpl.h"

#include <algorithm>

namespace ui {

namespace {

std::vector<Wnd*>& Siblings(Wnd* w)
{
    return w->parent ? w->parent->children : w->queue->topLevels;
}

// Moves w within its sibling list; `after` as SetWindowPos takes it. Returns true when it moved.
bool Reorder(Wnd* w, HWND after)
{
    auto& sib = Siblings(w);
    auto it = std::find(sib.begin(), sib.end(), w);
    if (it == sib.end())
        return false;
    size_t oldIndex = size_t(it - sib.begin());
    sib.erase(it);
    size_t pos = 0;
    if (after == HWND_BOTTOM) {
        pos = sib.size();
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        if (w->IsTopLevel()) {
            if (after == HWND_TOPMOST)
                w->exStyle |= WS_EX_TOPMOST;
            else if (after == HWND_NOTOPMOST)
                w->exStyle &= ~WS_EX_TOPMOST;
            // Non-topmost windows stay below every topmost one.
            if (!(w->exStyle & WS_EX_TOPMOST))
                while (pos < sib.size() && (sib[pos]->exStyle & WS_EX_TOPMOST))
                    ++pos;
        }
    } else {
        auto a = std::find_if(sib.begin(), sib.end(), [after](Wnd* s) { return s->handle == after; });
        pos = a == sib.end() ? 0 : size_t(a - sib.begin()) + 1;
    }
    sib.insert(sib.begin() + std::ptrdiff_t(pos), w);
    if (w->IsTopLevel()) {
        // Owned windows stay above their owner: those below it come up to just above it.
        for (bool moved = true; moved;) {
            moved = false;
            auto self = std::find(sib.begin(), sib.end(), w);
            for (auto it = self + 1; it != sib.end(); ++it) {
                Wnd* o = Find((*it)->owner);
                bool ownedByW = false;
                for (int depth = 0; o && depth < 64; ++depth, o = Find(o->owner))
                    if (o == w) {
                        ownedByW = true;
                        break;
                    }
                if (ownedByW) {
                    Wnd* owned = *it;
                    sib.erase(it);
                    sib.insert(std::find(sib.begin(), sib.end(), w), owned);
                    moved = true;
                    break;
                }
            }
        }
    }
    return pos != oldIndex;
}

SIZE ClientSize(const Wnd* w)
{
    return SIZE{w->client.right - w->client.left, w->client.bottom - w->client.top};
}

// Invalidates the area a child covered in its parent, with the siblings underneath.
void ExposeInParent(Wnd* w, const RECT& oldRect)
{
    if (!w->parent)
        return;
    RedrawWindow(w->parent->handle, &oldRect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

}  // namespace ui

using namespace ui;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return FALSE;
    WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        wp.x = w->rect.left;
        wp.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        wp.cx = w->Width();
        wp.cy = w->Height();
    }
    if (!(flags & SWP_NOSENDCHANGING)) {
        Send(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        if (!(w = Find(hwnd)))
            return FALSE;
    }
    flags = wp.flags;
    wp.cx = std::clamp(wp.cx, 0, 32767);
    wp.cy = std::clamp(wp.cy, 0, 32767);
    const RECT oldRect = w->rect;
    const SIZE oldClient = ClientSize(w);
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    RECT newRect{wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy};
    bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
    bool sized = wp.cx != oldRect.right - oldRect.left || wp.cy != oldRect.bottom - oldRect.top;
    bool reordered = !(flags & SWP_NOZORDER) && Reorder(w, wp.hwndInsertAfter);
    w->rect = newRect;
    if (sized || (flags & SWP_FRAMECHANGED))
        ComputeClient(w);
    if (!(w = Find(hwnd)))
        return FALSE;
    if (flags & SWP_SHOWWINDOW)
        w->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW)
        w->style &= ~WS_VISIBLE;
    const bool visible = (w->style & WS_VISIBLE) != 0;
    if (w->IsTopLevel()) {
        if (sized)
            EnsureSurface(w);
        if (moved || sized)
            AfxGetHost()->TopLevelMoved(hwnd, w->rect);
        if (visible != wasVisible)
            AfxGetHost()->TopLevelShown(hwnd, visible);
    }
    bool changed = moved || sized || reordered || visible != wasVisible || (flags & SWP_FRAMECHANGED);
    if (changed && !(flags & SWP_NOREDRAW)) {
        if (wasVisible && (moved || sized || !visible || reordered))
            ExposeInParent(w, oldRect);
        if (visible && (moved || sized || !wasVisible || reordered || (flags & SWP_FRAMECHANGED))) {
            w->ncDirty = true;
            UINT cls = w->cls->style;
            SIZE nc = ClientSize(w);
            bool whole = !wasVisible || moved || reordered || (flags & SWP_FRAMECHANGED) ||
                         ((cls & CS_HREDRAW) && nc.cx != oldClient.cx) ||
                         ((cls & CS_VREDRAW) && nc.cy != oldClient.cy) || !w->IsChild();
            if (whole) {
                RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            } else if (nc.cx > oldClient.cx || nc.cy > oldClient.cy) {
                gdi::RegionData grown = gdi::RegionData::FromRect(RECT{0, 0, nc.cx, nc.cy});
                grown = gdi::RegionData::Combine(
                    grown, gdi::RegionData::FromRect(RECT{0, 0, oldClient.cx, oldClient.cy}), RGN_DIFF);
                InvalidateClient(w, grown, true, false);
            }
        }
    }
    if (!(w = Find(hwnd)))
        return TRUE;
    if (!moved)
        wp.flags |= SWP_NOMOVE;
    if (!sized)
        wp.flags |= SWP_NOSIZE;
    if (changed)
        Send(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, cx, cy,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hwnd, int cmd)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return FALSE;
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    bool show = cmd != SW_HIDE;
    bool activate = show && w->IsTopLevel() &&
                    !(cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE || cmd == SW_SHOWMINNOACTIVE) &&
                    !(w->exStyle & WS_EX_NOACTIVATE);
    if (show != wasVisible && !w->destroying) {
        Send(w, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if (!(w = Find(hwnd)))
            return FALSE;
    }
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    flags |= show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    const bool maximize = cmd == SW_MAXIMIZE && !w->maximized;
    const bool restore = (cmd == SW_RESTORE || cmd == SW_SHOWNORMAL) && (w->maximized || w->minimized);
    const bool minimize = (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE) && !w->minimized;
    if ((maximize || restore || minimize) && w->IsTopLevel() && AfxGetHost()->SetTopLevelState(hwnd, cmd)) {
        // The window manager changes the state; the geometry it gives comes back as input.
        if (maximize)
            w->normalRect = w->rect;
        w->maximized = maximize || (minimize && w->maximized);
        w->minimized = minimize;
        w->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
        w->style |= (w->maximized ? WS_MAXIMIZE : 0) | (w->minimized ? WS_MINIMIZE : 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, flags | SWP_FRAMECHANGED);
        // Shown maximised for the first time: the window takes the window manager's geometry
        // before anything of it paints, so that it lays itself out and paints once, at that size.
        RECT given{0, 0, 0, 0};
        if (maximize && !wasVisible && Find(hwnd) && AfxGetHost()->AwaitMaximisedGeometry(hwnd, &given) &&
            Find(hwnd))
            SetWindowPos(hwnd, nullptr, given.left, given.top, given.right - given.left, given.bottom - given.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (cmd == SW_MAXIMIZE && !w->maximized) {
        w->normalRect = w->rect;
        w->maximized = true;
        w->style |= WS_MAXIMIZE;
        RECT r{0, 0, 0, 0};
        if (w->parent) {
            r = w->parent->client;
            OffsetRect(&r, -r.left, -r.top);
        } else {
            SIZE s = AfxGetHost()->ScreenSize();
            r = RECT{0, 0, s.cx, s.cy};
        }
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     (flags & ~(SWP_NOMOVE | SWP_NOSIZE)) | SWP_FRAMECHANGED);
    } else if ((cmd == SW_RESTORE || cmd == SW_SHOWNORMAL) && (w->maximized || w->minimized)) {
        w->maximized = w->minimized = false;
        w->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
        RECT r = w->normalRect;
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     (flags & ~(SWP_NOMOVE | SWP_NOSIZE)) | SWP_FRAMECHANGED);
    } else if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE) {
        w->minimized = true;
        w->style |= WS_MINIMIZE;
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, flags);
    } else {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, flags);
    }
    if (!(w = Find(hwnd)))
        return wasVisible;
    if (activate)
        SetActiveWindow(hwnd);
    else if (!show && w->IsTopLevel() && GetActiveWindow() == hwnd) {
        // The next visible top-level window, the owner first, becomes active.
        HWND next = nullptr;
        if (Wnd* o = Find(w->owner); o && (o->style & WS_VISIBLE))
            next = o->handle;
        for (Wnd* t : w->queue->topLevels)
            if (!next && t != w && (t->style & WS_VISIBLE) && !(t->style & WS_CHILD))
                next = t->handle;
        SetActiveWindow(next);
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd)
{
    Wnd* w = Find(hwnd);
    return w && IsVisibleChain(w) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (bool(enable) == !wasDisabled)
        return wasDisabled;
    if (!enable) {
        Send(w, WM_CANCELMODE, 0, 0);
        if (!(w = Find(hwnd)))
            return wasDisabled;
        w->style |= WS_DISABLED;
        HWND focus = GetFocus();
        if (Wnd* f = Find(focus); f && IsAncestor(w, f))
            SetFocus(nullptr);
        if (GetCapture() == hwnd)
            ReleaseCapture();
    } else {
        w->style &= ~WS_DISABLED;
    }
    if ((w = Find(hwnd)) != nullptr) {
        w->ncDirty = true;
        Send(w, WM_ENABLE, enable ? TRUE : FALSE, 0);
    }
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    Wnd* w = Find(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd)
{
    Wnd* w = Find(hwnd);
    return w && w->minimized ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd)
{
    Wnd* w = Find(hwnd);
    return w && w->maximized ? TRUE : FALSE;
}

BOOL BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    Wnd* w = Find(hwnd);
    if (!w || !rect)
        return FALSE;
    *rect = ScreenRect(w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    Wnd* w = Find(hwnd);
    if (!w || !rect)
        return FALSE;
    *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt)
{
    Wnd* w = Find(hwnd);
    if (!w || !pt)
        return FALSE;
    RECT c = ScreenClient(w);
    pt->x += c.left;
    pt->y += c.top;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt)
{
    Wnd* w = Find(hwnd);
    if (!w || !pt)
        return FALSE;
    RECT c = ScreenClient(w);
    pt->x -= c.left;
    pt->y -= c.top;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count)
{
    POINT a{0, 0};
    POINT b{0, 0};
    if (from && !ClientToScreen(from, &a))
        return 0;
    if (to && !ClientToScreen(to, &b))
        return 0;
    int dx = a.x - b.x;
    int dy = a.y - b.y;
    for (UINT i = 0; pts && i < count; ++i) {
        pts[i].x += dx;
        pts[i].y += dy;
    }
    return MAKELONG(WORD(SHORT(dx)), WORD(SHORT(dy)));
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* wp)
{
    Wnd* w = Find(hwnd);
    if (!w || !wp)
        return FALSE;
    wp->flags = 0;
    wp->showCmd = w->maximized ? SW_SHOWMAXIMIZED
                  : w->minimized ? SW_SHOWMINIMIZED
                  : (w->style & WS_VISIBLE) ? SW_SHOWNORMAL : SW_HIDE;
    wp->ptMinPosition = POINT{-1, -1};
    wp->ptMaxPosition = POINT{-1, -1};
    wp->rcNormalPosition = (w->maximized || w->minimized) ? w->normalRect : w->rect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* wp)
{
    Wnd* w = Find(hwnd);
    if (!w || !wp)
        return FALSE;
    const RECT& r = wp->rcNormalPosition;
    if (w->maximized || w->minimized)
        w->normalRect = r;
    else
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd, int(wp->showCmd));
    return TRUE;
}

struct HDWP__ {
    std::vector<WINDOWPOS> ops;
};

HDWP BeginDeferWindowPos(int count)
{
    auto* d = new HDWP__;
    d->ops.reserve(size_t(std::clamp(count, 0, 256)));
    return d;
}

HDWP DeferWindowPos(HDWP info, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    if (!info)
        return nullptr;
    if (!Find(hwnd)) {
        delete info;  // as in Win32, a failed deferral frees the whole batch
        return nullptr;
    }
    info->ops.push_back(WINDOWPOS{hwnd, insertAfter, x, y, cx, cy, flags});
    return info;
}

BOOL EndDeferWindowPos(HDWP info)
{
    if (!info)
        return FALSE;
    std::unique_ptr<HDWP__> own(info);
    BOOL ok = TRUE;
    for (const WINDOWPOS& p : own->ops)
        if (!SetWindowPos(p.hwnd, p.hwndInsertAfter, p.x, p.y, p.cx, p.cy, p.flags))
            ok = FALSE;
    return ok;
}

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return 0;
    gdi::RegionObj* r = rgn ? gdi::LookupAs<gdi::RegionObj>(rgn, gdi::Kind::Region) : nullptr;
    if (rgn && !r)
        return 0;
    if (w->rgnHandle && w->rgnHandle != rgn)
        ::DeleteObject(w->rgnHandle);
    w->rgnHandle = rgn;
    w->hasRgn = r != nullptr;
    w->rgn = r ? r->rgn : gdi::RegionData();
    if (w->IsTopLevel())
        AfxGetHost()->TopLevelShapeChanged(hwnd);
    if (redraw && (w->style & WS_VISIBLE)) {
        if (w->parent)
            RedrawWindow(w->parent->handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn)
{
    Wnd* w = Find(hwnd);
    gdi::RegionObj* r = rgn ? gdi::LookupAs<gdi::RegionObj>(rgn, gdi::Kind::Region) : nullptr;
    if (!w || !r || !w->hasRgn)
        return ERROR;
    r->rgn = w->rgn;
    return r->rgn.Complexity();
}

namespace ui {

namespace {

bool ContainsScreen(const Wnd* w, POINT pt)
{
    RECT r = ScreenRect(w);
    if (!PtInRect(&r, pt))
        return false;
    return !w->hasRgn || w->rgn.Contains(pt.x - r.left, pt.y - r.top);
}

// Deepest visible, enabled window under the point below `w` (w itself when no child takes it).
Wnd* DeepestAt(Wnd* w, POINT pt)
{
    RECT c = ScreenClient(w);
    if (!PtInRect(&c, pt))
        return w;
    for (Wnd* ch : w->children) {
        if (!(ch->style & WS_VISIBLE) || !ContainsScreen(ch, pt))
            continue;
        if (ch->style & WS_DISABLED)
            return w;  // disabled controls leave the mouse to their parent
        HWND h = ch->handle;
        LRESULT hit = Send(ch, WM_NCHITTEST, 0, MAKELPARAM(WORD(SHORT(pt.x)), WORD(SHORT(pt.y))));
        Wnd* again = Find(h);
        if (!again)
            return w;
        if (hit == HTTRANSPARENT)
            continue;
        return DeepestAt(again, pt);
    }
    return w;
}

}  // namespace

Wnd* WindowAtScreen(POINT pt)
{
    auto q = CurrentQueue();
    std::vector<Wnd*> tops = q->topLevels;
    for (Wnd* t : tops) {
        if (!(t->style & WS_VISIBLE) || t->minimized || !ContainsScreen(t, pt))
            continue;
        return DeepestAt(t, pt);
    }
    return nullptr;
}

}  // namespace ui

HWND WindowFromPoint(POINT screenPt)
{
    Wnd* w = WindowAtScreen(screenPt);
    return w ? w->handle : nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, POINT clientPt, UINT flags)
{
    Wnd* p = Find(parent);
    if (!p)
        return nullptr;
    RECT c{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
    if (!PtInRect(&c, clientPt))
        return nullptr;
    for (Wnd* ch : p->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !(ch->style & WS_VISIBLE))
            continue;
        if ((flags & CWP_SKIPDISABLED) && (ch->style & WS_DISABLED))
            continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (ch->exStyle & WS_EX_TRANSPARENT))
            continue;
        POINT local{clientPt.x - ch->rect.left, clientPt.y - ch->rect.top};
        if (local.x >= 0 && local.y >= 0 && local.x < ch->Width() && local.y < ch->Height() &&
            (!ch->hasRgn || ch->rgn.Contains(local.x, local.y)))
            return ch->handle;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT clientPt)
{
    return ChildWindowFromPointEx(parent, clientPt, CWP_ALL);
}
