// Drop targets and the modal drag loop.
#include "platform/ui/core/Ole.h"

namespace {

std::map<HWND, COleDropTarget*>& Targets()
{
    static auto* m = new std::map<HWND, COleDropTarget*>;
    return *m;
}

// The target registered on exactly this window, if it is still there.
COleDropTarget* TargetOf(HWND h)
{
    auto it = Targets().find(h);
    if (it == Targets().end())
        return nullptr;
    if (!::IsWindow(h)) {
        Targets().erase(it);
        return nullptr;
    }
    return it->second;
}

CPoint ToClient(HWND h, POINT screen)
{
    POINT p = screen;
    ::ScreenToClient(h, &p);
    return CPoint(p.x, p.y);
}

// Of what the target offers and the source allows, the effect the keys ask for: Ctrl copies,
// otherwise a move is preferred.
DROPEFFECT Choose(DROPEFFECT offered, DWORD allowed, DWORD keyState)
{
    DROPEFFECT e = offered & allowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    if (!e)
        return DROPEFFECT_NONE;
    if ((keyState & MK_CONTROL) && (e & DROPEFFECT_COPY))
        return DROPEFFECT_COPY;
    if (e & DROPEFFECT_MOVE)
        return DROPEFFECT_MOVE;
    if (e & DROPEFFECT_COPY)
        return DROPEFFECT_COPY;
    return DROPEFFECT_LINK;
}

}  // namespace

// ---- targets ----

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (!pWnd || !::IsWindow(pWnd->m_hWnd))
        return FALSE;
    Revoke();
    m_pWnd = pWnd;
    m_hWnd = pWnd->m_hWnd;
    Targets()[m_hWnd] = this;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd) {
        auto it = Targets().find(m_hWnd);
        if (it != Targets().end() && it->second == this)
            Targets().erase(it);
    }
    m_hWnd = nullptr;
    m_pWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) { return DROPEFFECT_NONE; }

COleDropTarget* COleDropTarget::FindTarget(HWND hwnd)
{
    for (HWND h = hwnd; h; h = ::GetParent(h))
        if (COleDropTarget* t = TargetOf(h))
            return t;
    return nullptr;
}

// ---- the loop ----

DROPEFFECT OleDoDragDrop(std::shared_ptr<OleDataCache> cache, DWORD dwEffects, LPCRECT lpRectStartDrag)
{
    HWND capture = ::GetCapture();
    if (!capture)
        capture = ::GetFocus();
    if (!capture)
        capture = ::GetActiveWindow();
    if (!capture || !cache)
        return DROPEFFECT_NONE;
    ::SetCapture(capture);

    COleDataObject data;
    data.Attach(cache);
    bool started = lpRectStartDrag == nullptr;
    bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    bool shift = ::GetKeyState(VK_SHIFT) < 0;
    HWND curWnd = nullptr;  // window the current target is registered on
    COleDropTarget* cur = nullptr;
    DROPEFFECT effect = DROPEFFECT_NONE;
    DROPEFFECT result = DROPEFFECT_NONE;
    POINT last{0, 0};
    ::GetCursorPos(&last);
    HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    HCURSOR no = ::LoadCursorW(nullptr, IDC_NO);

    auto keyState = [&]() {
        DWORD k = MK_LBUTTON;
        if (ctrl)
            k |= MK_CONTROL;
        if (shift)
            k |= MK_SHIFT;
        return k;
    };
    auto current = [&]() { return curWnd && TargetOf(curWnd) == cur ? cur : nullptr; };
    auto leave = [&]() {
        if (COleDropTarget* t = current())
            t->OnDragLeave(CWnd::FromHandle(curWnd));
        cur = nullptr;
        curWnd = nullptr;
        effect = DROPEFFECT_NONE;
    };
    auto update = [&](POINT pt) {
        last = pt;
        HWND under = ::WindowFromPoint(pt);
        COleDropTarget* t = under ? COleDropTarget::FindTarget(under) : nullptr;
        HWND tWnd = t ? t->GetRegisteredWindow()->m_hWnd : nullptr;
        DWORD ks = keyState();
        if (t != current() || tWnd != curWnd) {
            leave();
            if (t) {
                cur = t;
                curWnd = tWnd;
                effect = Choose(t->OnDragEnter(CWnd::FromHandle(tWnd), &data, ks, ToClient(tWnd, pt)), dwEffects, ks);
            }
        } else if (t) {
            t->OnDragScroll(CWnd::FromHandle(tWnd), ks, ToClient(tWnd, pt));
            if (current() == t)
                effect = Choose(t->OnDragOver(CWnd::FromHandle(tWnd), &data, ks, ToClient(tWnd, pt)), dwEffects, ks);
        }
        ::SetCursor(effect == DROPEFFECT_NONE ? no : arrow);
    };

    MSG msg;
    for (;;) {
        if (::GetCapture() != capture) {
            leave();  // the capture went elsewhere: cancelled
            break;
        }
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(int(msg.wParam));
            leave();
            break;
        }
        bool done = false;
        switch (msg.message) {
        case WM_MOUSEMOVE:
            if (!started) {
                if (::PtInRect(lpRectStartDrag, msg.pt))
                    break;
                started = true;
            }
            update(msg.pt);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            done = true;
            if (!started)
                break;
            update(msg.pt);
            if (COleDropTarget* t = current()) {
                if (effect != DROPEFFECT_NONE) {
                    HWND w = curWnd;
                    result = t->OnDrop(CWnd::FromHandle(w), &data, effect, ToClient(w, msg.pt)) ? effect : DROPEFFECT_NONE;
                    cur = nullptr;
                    curWnd = nullptr;
                } else {
                    leave();
                }
            }
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (msg.wParam == VK_ESCAPE && msg.message == WM_KEYDOWN) {
                leave();
                done = true;
            } else if (msg.wParam == VK_CONTROL || msg.wParam == VK_SHIFT) {
                (msg.wParam == VK_CONTROL ? ctrl : shift) = msg.message == WM_KEYDOWN;
                if (started)
                    update(last);
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_CHAR:
            break;  // swallowed while dragging
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            break;
        }
        if (done)
            break;
    }
    if (::GetCapture() == capture)
        ::ReleaseCapture();
    return result;
}
