// Handle registry, per-thread queues and the window-tree helpers the other sources share.
#include "platform/ui/core/detail/WndData.h"

#include <algorithm>
#include <atomic>
#include <unordered_map>

#include <sys/syscall.h>
#include <unistd.h>

namespace ui {

void (*g_onWindowAllocated)(HWND) = nullptr;
void (*g_onWindowFreed)(HWND) = nullptr;

namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<HWND, Wnd*> windows;
    std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> queues;
};

Registry& Reg()
{
    static Registry* r = new Registry;  // lives to the end of the process: other threads may post late
    return *r;
}

}  // namespace

Wnd* Find(HWND h)
{
    if (!h)
        return nullptr;
    Registry& r = Reg();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.windows.find(h);
    return it == r.windows.end() ? nullptr : it->second;
}

std::shared_ptr<ThreadQueue> QueueOfWindow(HWND h)
{
    if (!h)
        return nullptr;
    Registry& r = Reg();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.windows.find(h);
    return it == r.windows.end() ? nullptr : it->second->queue;
}

std::shared_ptr<ThreadQueue> QueueOfThread(DWORD threadId)
{
    Registry& r = Reg();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.queues.find(threadId);
    return it == r.queues.end() ? nullptr : it->second;
}

std::shared_ptr<ThreadQueue> CurrentQueue()
{
    thread_local std::shared_ptr<ThreadQueue> t_queue;
    if (!t_queue) {
        t_queue = std::make_shared<ThreadQueue>();
        t_queue->threadId = ::GetCurrentThreadId();
        Registry& r = Reg();
        std::lock_guard<std::mutex> lock(r.mutex);
        r.queues[t_queue->threadId] = t_queue;
    }
    return t_queue;
}

void Register(Wnd* w)
{
    static std::atomic<std::uintptr_t> next{0x10000};
    Registry& r = Reg();
    // Handles are never reused, so a stale handle is always recognised as dead.
    w->handle = reinterpret_cast<HWND>(next.fetch_add(4));
    std::lock_guard<std::mutex> lock(r.mutex);
    r.windows[w->handle] = w;
}

void Unregister(Wnd* w)
{
    Registry& r = Reg();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.windows.erase(w->handle);
}

Wnd* TopLevelOf(Wnd* w)
{
    while (w && w->parent)
        w = w->parent;
    return w;
}

RECT ScreenRect(const Wnd* w)
{
    RECT r = w->rect;
    for (const Wnd* p = w->parent; p; p = p->parent) {
        int dx = p->rect.left + p->client.left;
        int dy = p->rect.top + p->client.top;
        OffsetRect(&r, dx, dy);
    }
    return r;
}

POINT OriginInTop(const Wnd* w)
{
    POINT o{0, 0};
    for (const Wnd* c = w; c->parent; c = c->parent) {
        o.x += c->rect.left + c->parent->client.left;
        o.y += c->rect.top + c->parent->client.top;
    }
    return o;
}

RECT ScreenClient(const Wnd* w)
{
    RECT r = ScreenRect(w);
    return RECT{r.left + w->client.left, r.top + w->client.top, r.left + w->client.right,
                r.top + w->client.bottom};
}

bool IsVisibleChain(const Wnd* w)
{
    for (; w; w = w->parent)
        if (!(w->style & WS_VISIBLE))
            return false;
    return true;
}

bool IsAncestor(const Wnd* ancestor, const Wnd* w)
{
    for (; w; w = w->parent)
        if (w == ancestor)
            return true;
    return false;
}

namespace {

gdi::RegionData WindowArea(const Wnd* w, POINT org)
{
    RECT r{org.x, org.y, org.x + w->Width(), org.y + w->Height()};
    gdi::RegionData area = gdi::RegionData::FromRect(r);
    if (w->hasRgn) {
        gdi::RegionData shape = w->rgn;
        shape.Offset(org.x, org.y);
        area = gdi::RegionData::Combine(area, shape, RGN_AND);
    }
    return area;
}

}  // namespace

gdi::RegionData VisibleRegion(const Wnd* w, bool wholeWindow, bool clipChildren, bool clipSiblings)
{
    POINT org = OriginInTop(w);
    gdi::RegionData vis = WindowArea(w, org);
    if (!wholeWindow) {
        RECT c = w->client;
        OffsetRect(&c, org.x, org.y);
        vis = gdi::RegionData::Combine(vis, gdi::RegionData::FromRect(c), RGN_AND);
    }
    // Ancestors' client areas bound what a child can show.
    for (const Wnd* c = w; c->parent; c = c->parent) {
        const Wnd* p = c->parent;
        POINT po = OriginInTop(p);
        RECT pc = p->client;
        OffsetRect(&pc, po.x, po.y);
        vis = gdi::RegionData::Combine(vis, gdi::RegionData::FromRect(pc), RGN_AND);
        if (p->hasRgn) {
            gdi::RegionData shape = p->rgn;
            shape.Offset(po.x, po.y);
            vis = gdi::RegionData::Combine(vis, shape, RGN_AND);
        }
        // Siblings above clip the window when it (or the ancestor on the way) asks for it.
        if (c == w ? clipSiblings : (c->style & WS_CLIPSIBLINGS) != 0) {
            for (const Wnd* s : p->children) {
                if (s == c)
                    break;
                if (s->style & WS_VISIBLE)
                    vis = gdi::RegionData::Combine(vis, WindowArea(s, OriginInTop(s)), RGN_DIFF);
            }
        }
        if (vis.IsEmpty())
            return vis;
    }
    if (clipChildren) {
        for (const Wnd* ch : w->children)
            if (ch->style & WS_VISIBLE)
                vis = gdi::RegionData::Combine(vis, WindowArea(ch, OriginInTop(ch)), RGN_DIFF);
    }
    return vis;
}

LRESULT CallProc(Wnd* w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC proc = w->proc ? w->proc : ::DefWindowProcW;
    return proc(w->handle, msg, wParam, lParam);
}

}  // namespace ui

DWORD GetCurrentThreadId()
{
    thread_local DWORD t_id = DWORD(::syscall(SYS_gettid));
    return t_id;
}

BOOL IsWindow(HWND hwnd)
{
    // Still TRUE while WM_DESTROY and WM_NCDESTROY run, as in Win32.
    return ui::Find(hwnd) ? TRUE : FALSE;
}
