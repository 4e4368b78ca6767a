// Window classes, creation and destruction, with Win32's message order:
// WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_PARENTNOTIFY on creation;
// WM_PARENTNOTIFY, WM_DESTROY (parent before children), WM_NCDESTROY (children before parent)
// on destruction.
#include "platform/ui/core/Host.h"
#include "platform/ui/core/detail/WndData.h"

#include "platform/gdi/GdiObjects.h"

#include "platform/base/FileSystem.h"

#include <algorithm>
#include <cwctype>

namespace ui {

namespace {

std::mutex& ClassMutex()
{
    static std::mutex m;
    return m;
}

std::map<std::wstring, std::shared_ptr<WndClass>>& Classes()
{
    static auto* c = new std::map<std::wstring, std::shared_ptr<WndClass>>;
    return *c;
}

std::wstring ClassKey(LPCWSTR name)
{
    std::wstring k;
    if (IS_INTRESOURCE(name)) {
        k = L"#" + std::to_wstring(reinterpret_cast<UINT_PTR>(name));
    } else {
        for (const wchar_t* p = name; *p; ++p)
            k += wchar_t(std::towlower(*p));  // class names are case-insensitive
    }
    return k;
}

std::shared_ptr<WndClass> FindClass(LPCWSTR name)
{
    if (!name)
        return nullptr;
    std::lock_guard<std::mutex> lock(ClassMutex());
    auto it = Classes().find(ClassKey(name));
    return it == Classes().end() ? nullptr : it->second;
}

void SendDestroy(HWND h)
{
    Wnd* w = Find(h);
    if (!w)
        return;
    Send(w, WM_DESTROY, 0, 0);
    std::vector<HWND> kids;
    if ((w = Find(h)) != nullptr)
        for (Wnd* c : w->children)
            kids.push_back(c->handle);
    for (HWND k : kids) {
        if (Wnd* c = Find(k)) {
            c->destroying = true;
            SendDestroy(k);
        }
    }
}

void Unlink(Wnd* w)
{
    if (w->parent) {
        auto& v = w->parent->children;
        v.erase(std::remove(v.begin(), v.end(), w), v.end());
    } else if (w->queue) {
        auto& v = w->queue->topLevels;
        v.erase(std::remove(v.begin(), v.end(), w), v.end());
    }
    w->parent = nullptr;
}

void FreeTree(HWND h)
{
    Wnd* w = Find(h);
    if (!w)
        return;
    std::vector<HWND> kids;
    for (Wnd* c : w->children)
        kids.push_back(c->handle);
    for (HWND k : kids)
        FreeTree(k);
    if ((w = Find(h)) == nullptr)
        return;
    Send(w, WM_NCDESTROY, 0, 0);
    if ((w = Find(h)) == nullptr)
        return;
    auto& timers = w->queue->timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [h](const Timer& t) { return t.hwnd == h; }),
                 timers.end());
    bool top = w->IsTopLevel();
    Unlink(w);
    Unregister(w);
    ForgetWindowMenus(h);
    if (g_onWindowFreed)
        g_onWindowFreed(h);
    if (top)
        AfxGetHost()->TopLevelDestroyed(h);
    if (w->rgnHandle)
        ::DeleteObject(w->rgnHandle);
    delete w;
}

}  // namespace

std::shared_ptr<WndClass> ClassOf(LPCWSTR name) { return FindClass(name); }

}  // namespace ui

using namespace ui;

ATOM RegisterClassW(const WNDCLASSW* wc)
{
    if (!wc || !wc->lpszClassName || (!IS_INTRESOURCE(wc->lpszClassName) && !*wc->lpszClassName)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto c = std::make_shared<WndClass>();
    c->name = IS_INTRESOURCE(wc->lpszClassName) ? ClassKey(wc->lpszClassName) : wc->lpszClassName;
    c->style = wc->style;
    c->proc = wc->lpfnWndProc ? wc->lpfnWndProc : ::DefWindowProcW;
    c->cursor = wc->hCursor;
    c->icon = wc->hIcon;
    c->background = wc->hbrBackground;
    c->wndExtra = std::clamp(wc->cbWndExtra, 0, 4096);
    std::lock_guard<std::mutex> lock(ClassMutex());
    auto key = ClassKey(wc->lpszClassName);
    if (Classes().count(key)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    Classes()[key] = c;
    static ATOM next = 0xC000;
    return next++;
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE)
{
    if (!className)
        return FALSE;
    std::lock_guard<std::mutex> lock(ClassMutex());
    return Classes().erase(ClassKey(className)) ? TRUE : FALSE;
}

BOOL GetClassInfoW(HINSTANCE, LPCWSTR className, WNDCLASSW* wc)
{
    auto c = FindClass(className);
    if (!c || !wc)
        return FALSE;
    *wc = WNDCLASSW{};
    wc->style = c->style;
    wc->lpfnWndProc = c->proc;
    wc->cbWndExtra = c->wndExtra;
    wc->hCursor = c->cursor;
    wc->hIcon = c->icon;
    wc->hbrBackground = c->background;
    wc->lpszClassName = className;
    return TRUE;
}

int GetClassNameW(HWND hwnd, LPWSTR buf, int max)
{
    Wnd* w = Find(hwnd);
    if (!w || !buf || max <= 0)
        return 0;
    int n = std::min<int>(int(w->cls->name.size()), max - 1);
    std::copy_n(w->cls->name.begin(), n, buf);
    buf[n] = 0;
    return n;
}

DWORD GetClassLongW(HWND hwnd, int index)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return 0;
    if (index == GCL_STYLE)
        return w->cls->style;
    return 0;
}

DWORD SetClassLongW(HWND hwnd, int index, LONG value)
{
    Wnd* w = Find(hwnd);
    if (!w || index != GCL_STYLE)
        return 0;
    DWORD old = w->cls->style;
    w->cls->style = UINT(value);
    return old;
}

HINSTANCE AfxGetInstanceHandle()
{
    static int s_module;
    return reinterpret_cast<HINSTANCE>(&s_module);
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int cx, int cy, HWND parent, HMENU menuOrId, HINSTANCE inst, LPVOID param)
{
    auto cls = FindClass(className);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    Wnd* parentW = nullptr;
    if (parent && parent != HWND_MESSAGE) {
        parentW = Find(parent);
        if (!parentW) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
    }
    bool child = (style & WS_CHILD) != 0;
    if (child && !parentW) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    auto* w = new Wnd;
    w->cls = cls;
    w->proc = cls->proc;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->queue = CurrentQueue();
    w->extra.assign(size_t(cls->wndExtra), 0);
    if (child) {
        w->id = reinterpret_cast<UINT_PTR>(menuOrId);
        w->parent = parentW;
    } else {
        w->menu = menuOrId;
        if (parentW)
            w->owner = TopLevelOf(parentW)->handle;  // popups and overlapped windows are owned
        if (!(style & WS_POPUP))
            w->style |= WS_CLIPSIBLINGS | WS_CAPTION;  // overlapped windows always have both
    }
    if (x == CW_USEDEFAULT) {
        x = child ? 0 : 100;
        y = child ? 0 : 100;
    }
    if (cx == CW_USEDEFAULT) {
        cx = child ? 0 : 800;
        cy = child ? 0 : 600;
    }
    cx = std::clamp(cx, 0, 32767);
    cy = std::clamp(cy, 0, 32767);
    w->rect = RECT{x, y, x + cx, y + cy};
    w->normalRect = w->rect;
    Register(w);
    HWND h = w->handle;
    if (child)
        parentW->children.push_back(w);  // new children go to the bottom of the z-order
    else
        w->queue->topLevels.insert(w->queue->topLevels.begin(), w);  // owned windows too
    if (!child) {
        EnsureSurface(w);
        AfxGetHost()->TopLevelCreated(h);
    }
    if (g_onWindowAllocated)
        g_onWindowAllocated(h);

    CREATESTRUCTW cs{param, inst, menuOrId, parent, cy, cx, y, x, LONG(style), windowName, className, exStyle};
    if (!Send(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyWindow(h);
        return nullptr;
    }
    if (!(w = Find(h)))
        return nullptr;
    ComputeClient(w);
    if (Send(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(h);
        return nullptr;
    }
    if (!(w = Find(h)))
        return nullptr;
    Send(w, WM_SIZE, SIZE_RESTORED,
         MAKELPARAM(WORD(w->client.right - w->client.left), WORD(w->client.bottom - w->client.top)));
    if (!(w = Find(h)))
        return nullptr;
    Send(w, WM_MOVE, 0, MAKELPARAM(WORD(w->rect.left + w->client.left), WORD(w->rect.top + w->client.top)));
    if (!(w = Find(h)))
        return nullptr;
    if (child && !(exStyle & WS_EX_NOPARENTNOTIFY))
        Send(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, WORD(w->id)), LPARAM(h));
    if ((style & WS_VISIBLE) && Find(h))
        ShowWindow(h, child ? SW_SHOWNA : SW_SHOW);
    return Find(h) ? h : nullptr;
}

BOOL DestroyWindow(HWND hwnd)
{
    Wnd* w = Find(hwnd);
    if (!w || w->destroying)
        return FALSE;
    // Owned windows go first.
    if (w->IsTopLevel()) {
        std::vector<HWND> owned;
        for (Wnd* t : w->queue->topLevels)
            if (t->owner == hwnd)
                owned.push_back(t->handle);
        for (HWND o : owned)
            DestroyWindow(o);
        if (!(w = Find(hwnd)))
            return TRUE;
    }
    w->destroying = true;
    if (w->style & WS_VISIBLE)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!(w = Find(hwnd)))
        return TRUE;
    ForgetWindowInput(w);
    if (!(w = Find(hwnd)))
        return TRUE;
    if (w->IsChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY))
        Send(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, WORD(w->id)), LPARAM(hwnd));
    SendDestroy(hwnd);
    FreeTree(hwnd);
    return TRUE;
}

// ---- window data ----

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_STYLE: return LONG_PTR(LONG(w->style));
    case GWL_EXSTYLE: return LONG_PTR(LONG(w->exStyle));
    case GWLP_ID: return LONG_PTR(w->id);
    case GWLP_USERDATA: return w->userData;
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->parent ? w->parent->handle : w->owner);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(AfxGetInstanceHandle());
    default: break;
    }
    if (index >= 0 && size_t(index) + sizeof(LONG_PTR) <= w->extra.size()) {
        LONG_PTR v;
        std::copy_n(w->extra.data() + index, sizeof v, reinterpret_cast<BYTE*>(&v));
        return v;
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return 0;
    LONG_PTR old = GetWindowLongPtrW(hwnd, index);
    switch (index) {
    case GWLP_WNDPROC:
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        struct { DWORD oldStyle, newStyle; } ss{DWORD(old), DWORD(value)};
        Send(w, WM_STYLECHANGING, WPARAM(index), reinterpret_cast<LPARAM>(&ss));
        if (!(w = Find(hwnd)))
            return old;
        (index == GWL_STYLE ? w->style : w->exStyle) = ss.newStyle;
        Send(w, WM_STYLECHANGED, WPARAM(index), reinterpret_cast<LPARAM>(&ss));
        return old;
    }
    case GWLP_ID: w->id = UINT_PTR(value); return old;
    case GWLP_USERDATA: w->userData = value; return old;
    case GWLP_HWNDPARENT:
        if (w->IsTopLevel())
            w->owner = reinterpret_cast<HWND>(value);
        return old;
    default: break;
    }
    if (index >= 0 && size_t(index) + sizeof(LONG_PTR) <= w->extra.size()) {
        std::copy_n(reinterpret_cast<const BYTE*>(&value), sizeof value, w->extra.data() + index);
        return old;
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

int GetWindowTextW(HWND hwnd, LPWSTR buf, int max)
{
    if (!buf || max <= 0 || !Find(hwnd))
        return 0;
    buf[0] = 0;
    return int(SendMessageW(hwnd, WM_GETTEXT, WPARAM(max), reinterpret_cast<LPARAM>(buf)));
}

int GetWindowTextLengthW(HWND hwnd)
{
    return Find(hwnd) ? int(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text)
{
    if (!Find(hwnd))
        return FALSE;
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")) ? TRUE : FALSE;
}

int GetDlgCtrlID(HWND hwnd)
{
    Wnd* w = Find(hwnd);
    return w && w->IsChild() ? int(w->id) : 0;
}

HWND GetDlgItem(HWND dlg, int id)
{
    Wnd* w = Find(dlg);
    if (!w)
        return nullptr;
    for (Wnd* c : w->children)
        if (int(c->id) == id)
            return c->handle;
    return nullptr;
}

BOOL SetPropW(HWND hwnd, LPCWSTR name, HANDLE data)
{
    Wnd* w = Find(hwnd);
    if (!w || !name)
        return FALSE;
    w->props[ClassKey(name)] = data;
    return TRUE;
}

HANDLE GetPropW(HWND hwnd, LPCWSTR name)
{
    Wnd* w = Find(hwnd);
    if (!w || !name)
        return nullptr;
    auto it = w->props.find(ClassKey(name));
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemovePropW(HWND hwnd, LPCWSTR name)
{
    Wnd* w = Find(hwnd);
    if (!w || !name)
        return nullptr;
    auto it = w->props.find(ClassKey(name));
    if (it == w->props.end())
        return nullptr;
    HANDLE h = it->second;
    w->props.erase(it);
    return h;
}

// ---- relations ----

HWND GetParent(HWND hwnd)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return nullptr;
    if (w->IsChild())
        return w->parent->handle;
    return (w->style & WS_POPUP) ? w->owner : nullptr;  // Win32: the owner of a popup
}

HWND SetParent(HWND child, HWND newParent)
{
    Wnd* w = Find(child);
    Wnd* p = newParent ? Find(newParent) : nullptr;
    if (!w || (newParent && !p) || (p && IsAncestor(w, p)))
        return nullptr;
    HWND old = w->parent ? w->parent->handle : nullptr;
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    if (wasVisible)
        ShowWindow(child, SW_HIDE);
    if (!(w = Find(child)))
        return nullptr;
    Unlink(w);
    if (p) {
        w->parent = p;
        p->children.insert(p->children.begin(), w);
    } else {
        w->queue->topLevels.insert(w->queue->topLevels.begin(), w);
        EnsureSurface(w);
        AfxGetHost()->TopLevelCreated(child);
    }
    if (wasVisible)
        ShowWindow(child, SW_SHOWNA);
    return old;
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return nullptr;
    switch (flags) {
    case GA_PARENT: return w->parent ? w->parent->handle : nullptr;
    case GA_ROOT: return TopLevelOf(w)->handle;
    case GA_ROOTOWNER: {
        Wnd* t = TopLevelOf(w);
        while (t && t->owner) {
            Wnd* o = Find(t->owner);
            if (!o)
                break;
            t = TopLevelOf(o);
        }
        return t->handle;
    }
    default: return nullptr;
    }
}

HWND GetWindow(HWND hwnd, UINT cmd)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return nullptr;
    if (cmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front()->handle;
    if (cmd == GW_OWNER)
        return w->IsTopLevel() ? w->owner : nullptr;
    const std::vector<Wnd*>& sib = w->parent ? w->parent->children : w->queue->topLevels;
    auto it = std::find(sib.begin(), sib.end(), w);
    if (it == sib.end())
        return nullptr;
    switch (cmd) {
    case GW_HWNDFIRST: return sib.front()->handle;
    case GW_HWNDLAST: return sib.back()->handle;
    case GW_HWNDNEXT: return it + 1 == sib.end() ? nullptr : (*(it + 1))->handle;
    case GW_HWNDPREV: return it == sib.begin() ? nullptr : (*(it - 1))->handle;
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd)
{
    if (!hwnd) {
        auto q = CurrentQueue();
        return q->topLevels.empty() ? nullptr : q->topLevels.front()->handle;
    }
    return GetWindow(hwnd, GW_CHILD);
}

HWND GetDesktopWindow() { return nullptr; }

BOOL IsChild(HWND parent, HWND hwnd)
{
    Wnd* p = Find(parent);
    Wnd* w = Find(hwnd);
    if (!p || !w || p == w)
        return FALSE;
    for (Wnd* c = w; c->IsChild(); c = c->parent)
        if (c->parent == p)
            return TRUE;
    return FALSE;
}

namespace {
bool EnumDescendants(HWND parent, BOOL (*fn)(HWND, LPARAM), LPARAM lParam)
{
    std::vector<HWND> kids;
    if (Wnd* p = Find(parent))
        for (Wnd* c : p->children)
            kids.push_back(c->handle);
    for (HWND k : kids) {
        if (!Find(k))
            continue;
        if (!fn(k, lParam) || !EnumDescendants(k, fn, lParam))
            return false;
    }
    return true;
}
}  // namespace

BOOL EnumChildWindows(HWND parent, BOOL (*fn)(HWND, LPARAM), LPARAM lParam)
{
    if (!fn || !Find(parent))
        return FALSE;
    return EnumDescendants(parent, fn, lParam) ? TRUE : FALSE;
}

BOOL EnumThreadTopLevelWindows(BOOL (*fn)(HWND, LPARAM), LPARAM lParam)
{
    std::vector<HWND> list;
    for (Wnd* t : CurrentQueue()->topLevels)
        list.push_back(t->handle);
    for (HWND h : list)
        if (Find(h) && !fn(h, lParam))
            return FALSE;
    return TRUE;
}
