// CWnd: attaching objects to windows, the window procedure that routes messages to the maps,
// reflection of control notifications, and the modal loop.
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/detail/WndData.h"

#include "platform/gdi/GdiObjects.h"

#include <cwctype>
#include <set>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

struct WndMaps {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
};

WndMaps& Maps()
{
    thread_local WndMaps m;  // windows belong to the thread that created them
    return m;
}

thread_local CWnd* t_pWndInit = nullptr;
thread_local MSG t_lastMsg{};
BOOL (*g_preTranslateHook)(MSG*) = nullptr;

void OnAllocated(HWND h)
{
    CWnd* p = t_pWndInit;
    if (!p)
        return;
    t_pWndInit = nullptr;
    p->Attach(h);
    ui::Wnd* w = ui::Find(h);
    if (w->proc != AfxWndProc) {
        p->m_pfnSuper = w->proc;
        w->proc = AfxWndProc;
    }
}

void OnFreed(HWND h)
{
    WndMaps& m = Maps();
    auto t = m.temporary.find(h);
    if (t != m.temporary.end()) {
        t->second->m_hWnd = nullptr;
        m.temporary.erase(t);
    }
    auto p = m.permanent.find(h);
    if (p != m.permanent.end()) {
        // Attached without its procedure: the object outlives its window, detached.
        p->second->m_hWnd = nullptr;
        m.permanent.erase(p);
    }
}

struct HookInstaller {
    HookInstaller()
    {
        ui::g_onWindowAllocated = OnAllocated;
        ui::g_onWindowFreed = OnFreed;
    }
} g_hookInstaller;

// An update target that only records whether the command is enabled.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

LPCTSTR DefaultClass()
{
    static LPCTSTR name = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW));
    return name;
}

}  // namespace

LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    MSG saved = t_lastMsg;
    t_lastMsg = MSG{hWnd, nMsg, wParam, lParam, 0, POINT{0, 0}};
    bool inModalLoop = nMsg == WM_NCDESTROY && (pWnd->m_nFlags & WF_MODALLOOP);
    LRESULT r = pWnd->WindowProc(nMsg, wParam, lParam);
    if (inModalLoop)
        ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);  // the loop sees its window gone
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        // WM_NCDESTROY did not reach CWnd::OnNcDestroy: detach here, then let the object go.
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    t_lastMsg = saved;
    return r;
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        HWND h = Detach();
        ::DestroyWindow(h);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    auto& p = Maps().permanent;
    auto it = p.find(hWnd);
    return it == p.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd))
        return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd))
        return p;
    auto& t = Maps().temporary;
    auto it = t.find(hWnd);
    if (it != t.end())
        return it->second.get();
    auto w = std::make_unique<CWnd>();
    w->m_hWnd = hWnd;
    CWnd* raw = w.get();
    t.emplace(hWnd, std::move(w));
    return raw;
}

void CWnd::DeleteTempMap()
{
    auto& t = Maps().temporary;
    for (auto& kv : t)
        kv.second->m_hWnd = nullptr;
    t.clear();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || FromHandlePermanent(hWndNew))
        return FALSE;
    auto& t = Maps().temporary;
    if (auto it = t.find(hWndNew); it != t.end()) {
        it->second->m_hWnd = nullptr;
        t.erase(it);
    }
    Maps().permanent[hWndNew] = this;
    m_hWnd = hWndNew;
    if (ui::Wnd* w = ui::Find(hWndNew))
        w->object = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h) {
        Maps().permanent.erase(h);
        if (ui::Wnd* w = ui::Find(h))
            w->object = nullptr;
    }
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent)
        return FALSE;
    HWND h = ::GetDlgItem(pParent->m_hWnd, int(nID));
    return h ? SubclassWindow(h) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, (dwStyle & ~WS_POPUP) | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(UINT_PTR(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(UINT_PTR(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTW cs{lpParam, AfxGetInstanceHandle(), nIDorHMenu, hWndParent, nHeight, nWidth, y, x,
                     LONG(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    if (!cs.lpszClass)
        cs.lpszClass = DefaultClass();
    t_pWndInit = this;
    HWND h = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, DWORD(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                               cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (t_pWndInit == this)
        t_pWndInit = nullptr;  // no window was made
    return h != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = DefaultClass();
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND h = m_hWnd;
    bool permanent = FromHandlePermanent(h) == this;
    BOOL r = ::DestroyWindow(h);
    if (!permanent && m_hWnd == h)
        m_hWnd = nullptr;
    return r;
}

// ---- message handling ----

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = 0;
    if (!OnWndMsg(message, wParam, lParam, &r))
        r = DefWindowProc(message, wParam, lParam);
    return r;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    UINT lookup = message;
    UINT code = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (!hdr || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    } else {
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
            if (child && child != this && child->OnChildNotify(message, wParam, lParam, &lResult)) {
                if (pResult)
                    *pResult = lResult;
                return TRUE;
            }
            lookup = WM_CTLCOLOR;
            code = message - WM_CTLCOLORMSGBOX;
        } else if ((message == WM_HSCROLL || message == WM_VSCROLL) && lParam) {
            CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
            if (child && child != this && child->OnChildNotify(message, wParam, lParam, &lResult)) {
                if (pResult)
                    *pResult = lResult;
                return TRUE;
            }
        }
        const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), lookup, 0, 0);
        if (!e)
            return FALSE;
        AFX_CALL c;
        c.message = message;
        c.wParam = wParam;
        c.lParam = lParam;
        c.nCode = code;
        e->pfn(this, c);
        lResult = c.result;
    }
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hWndCtrl) {
        // A menu item or accelerator: a disabled command does nothing.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;  // the control took its own notification
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr)
        return FALSE;
    if (hdr->hwndFrom && ReflectLastMsg(hdr->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, hdr};
    return OnCmdMsg(UINT(hdr->idFrom), MAKELONG(WORD(hdr->code), WORD(WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    AFX_CALL c;
    c.message = message;
    c.wParam = wParam;
    c.lParam = lParam;
    UINT lookup = WM_REFLECT_BASE + message;
    UINT code = 0;
    LRESULT dummy = 0;
    AFX_NOTIFY notify{pResult ? pResult : &dummy, nullptr};
    switch (message) {
    case WM_COMMAND:
        code = HIWORD(wParam);
        break;
    case WM_NOTIFY:
        notify.pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (!notify.pNMHDR)
            return FALSE;
        code = WORD(notify.pNMHDR->code);
        c.pExtra = &notify;
        break;
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            lookup = WM_REFLECT_BASE + WM_CTLCOLOR;
            c.nCode = message - WM_CTLCOLORMSGBOX;
        }
        break;
    }
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), lookup, code, 0);
    if (!e)
        return FALSE;
    c.nCode = message == WM_COMMAND || message == WM_NOTIFY ? code : c.nCode;
    BOOL handled = e->pfn(this, c);
    if (handled && pResult && message != WM_NOTIFY)
        *pResult = c.result;
    return handled;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* child = FromHandlePermanent(hWndChild);
    if (!child)
        return FALSE;
    const MSG* m = GetCurrentMessage();
    return child->OnChildNotify(m->message, m->wParam, m->lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        if (CWnd* w = FromHandlePermanent(h))
            if (w->PreTranslateMessage(pMsg))
                return TRUE;
        if (h == hWndStop)
            break;
    }
    return FALSE;
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }

const MSG* CWnd::GetCurrentMessage() { return &t_lastMsg; }

LRESULT CWnd::Default()
{
    const MSG* m = GetCurrentMessage();
    return DefWindowProc(m->message, m->wParam, m->lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND c = ::GetWindow(m_hWnd, GW_CHILD); c;) {
        HWND next = ::GetWindow(c, GW_HWNDNEXT);
        if (!bOnlyPerm || FromHandlePermanent(c))
            ::SendMessageW(c, message, wParam, lParam);
        if (bDeep && ::IsWindow(c)) {
            CWnd tmp;
            tmp.m_hWnd = c;
            tmp.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            tmp.m_hWnd = nullptr;
        }
        c = next;
    }
}

// ---- relations ----

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetOwner() const
{
    if (m_hWndOwner && ::IsWindow(m_hWndOwner))
        return FromHandle(m_hWndOwner);
    return GetParent();
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND h = m_hWnd;
    for (HWND p = ::GetParent(h); p; p = ::GetParent(p))
        h = p;
    return FromHandle(h);
}

CWnd* CWnd::GetTopLevelOwner() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOTOWNER)); }

CWnd* CWnd::GetParentOwner() const
{
    HWND h = m_hWnd;
    while (h && (::GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD))
        h = ::GetParent(h);
    return FromHandle(h);
}

CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    if (phWnd)
        *phWnd = ::GetDlgItem(m_hWnd, nID);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND c = ::GetWindow(m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(c) == nID && (!bOnlyPerm || FromHandlePermanent(c)))
            return FromHandle(c);
        CWnd tmp;
        tmp.m_hWnd = c;
        CWnd* found = tmp.GetDescendantWindow(nID, bOnlyPerm);
        tmp.m_hWnd = nullptr;
        if (found)
            return found;
    }
    return nullptr;
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return int(::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID)); }
BOOL CWnd::IsChild(const CWnd* pWnd) const { return pWnd ? ::IsChild(m_hWnd, pWnd->m_hWnd) : FALSE; }

// ---- state ----

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
DWORD CWnd::GetStyle() const { return DWORD(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return DWORD(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = DWORD(::GetWindowLongPtrW(hWnd, GWL_STYLE));
    DWORD next = (style & ~dwRemove) | dwAdd;
    if (style == next)
        return FALSE;
    ::SetWindowLongPtrW(hWnd, GWL_STYLE, LONG_PTR(LONG(next)));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = DWORD(::GetWindowLongPtrW(hWnd, GWL_EXSTYLE));
    DWORD next = (style & ~dwRemove) | dwAdd;
    if (style == next)
        return FALSE;
    ::SetWindowLongPtrW(hWnd, GWL_EXSTYLE, LONG_PTR(LONG(next)));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
BOOL CWnd::LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
void CWnd::UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
void CWnd::SetRedraw(BOOL bRedraw) { SendMessage(WM_SETREDRAW, WPARAM(bRedraw), 0); }

// ---- geometry ----

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
void CWnd::MoveWindow(LPCRECT r, BOOL bRepaint) { ::MoveWindow(m_hWnd, r->left, r->top, r->right - r->left, r->bottom - r->top, bRepaint); }

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    // &CWnd::wndTop style sentinels are passed as the handle values themselves.
    HWND after = reinterpret_cast<HWND>(const_cast<CWnd*>(pWndInsertAfter));
    if (pWndInsertAfter && after != HWND_TOP && after != HWND_BOTTOM && after != HWND_TOPMOST && after != HWND_NOTOPMOST)
        after = pWndInsertAfter->m_hWnd;
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, nFlags);
}

void CWnd::GetWindowRect(LPRECT r) const { ::GetWindowRect(m_hWnd, r); }
void CWnd::GetClientRect(LPRECT r) const { ::GetClientRect(m_hWnd, r); }
void CWnd::ClientToScreen(LPPOINT p) const { ::ClientToScreen(m_hWnd, p); }
void CWnd::ScreenToClient(LPPOINT p) const { ::ScreenToClient(m_hWnd, p); }

void CWnd::ClientToScreen(LPRECT r) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

void CWnd::ScreenToClient(LPRECT r) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT p, UINT n) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, p, n);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT r) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(r), 2);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    RECT me;
    GetWindowRect(&me);
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    bool child = (GetStyle() & WS_CHILD) != 0;
    HWND center = pAlternateOwner ? pAlternateOwner->m_hWnd : child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (child && center) {
        ::GetClientRect(center, &area);
        ::MapWindowPoints(center, nullptr, reinterpret_cast<LPPOINT>(&area), 2);
    } else if (center && ::IsWindowVisible(center)) {
        ::GetWindowRect(center, &area);
    }
    int w = me.right - me.left;
    int h = me.bottom - me.top;
    POINT pos{(area.left + area.right - w) / 2, (area.top + area.bottom - h) / 2};
    if (child)
        ::ScreenToClient(::GetParent(m_hWnd), &pos);
    ::SetWindowPos(m_hWnd, nullptr, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* p) const { return ::GetWindowPlacement(m_hWnd, p); }
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* p) { return ::SetWindowPlacement(m_hWnd, p); }
int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }
int CWnd::GetWindowRgn(HRGN hRgn) const { return ::GetWindowRgn(m_hWnd, hRgn); }
CWnd* CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const { return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags)); }

// ---- text and font ----

void CWnd::SetWindowText(LPCTSTR s) { ::SetWindowTextW(m_hWnd, s); }
int CWnd::GetWindowText(LPTSTR buf, int n) const { return ::GetWindowTextW(m_hWnd, buf, n); }
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }

void CWnd::GetWindowText(CString& rString) const
{
    int n = GetWindowTextLength();
    std::wstring buf(size_t(n) + 1, L'\0');
    int got = ::GetWindowTextW(m_hWnd, buf.data(), n + 1);
    rString = CString(buf.c_str(), got);
}

void CWnd::SetDlgItemText(int nID, LPCTSTR s) { ::SetWindowTextW(::GetDlgItem(m_hWnd, nID), s); }

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    CWnd* item = GetDlgItem(nID);
    if (!item)
        return 0;
    item->GetWindowText(rString);
    return rString.GetLength();
}

int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
{
    return ::GetWindowTextW(::GetDlgItem(m_hWnd, nID), lpStr, nMaxCount);
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    std::wstring s = bSigned ? std::to_wstring(int(nValue)) : std::to_wstring(nValue);
    SetDlgItemText(nID, s.c_str());
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    if (lpTrans)
        *lpTrans = FALSE;
    CString text;
    if (!GetDlgItem(nID))
        return 0;
    GetDlgItemText(nID, text);
    const wchar_t* p = text.GetString();
    while (*p && std::iswspace(*p))
        ++p;
    bool negative = false;
    if (bSigned && (*p == L'-' || *p == L'+'))
        negative = *p++ == L'-';
    if (*p < L'0' || *p > L'9')
        return 0;
    unsigned long long v = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        v = v * 10 + unsigned(*p - L'0');
        if (v > 0xFFFFFFFFull)
            return 0;
    }
    while (*p && std::iswspace(*p))
        ++p;
    if (*p)
        return 0;
    if (bSigned && v > (negative ? 0x80000000ull : 0x7FFFFFFFull))
        return 0;
    if (lpTrans)
        *lpTrans = TRUE;
    return negative ? UINT(-(long long)v) : UINT(v);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0)));
}

// ---- painting ----

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT r, BOOL bErase) { ::InvalidateRect(m_hWnd, r, bErase); }
void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) { ::InvalidateRgn(m_hWnd, pRgn ? HRGN(*pRgn) : nullptr, bErase); }
void CWnd::ValidateRect(LPCRECT r) { ::ValidateRect(m_hWnd, r); }
void CWnd::ValidateRgn(CRgn* pRgn) { ::ValidateRgn(m_hWnd, pRgn ? HRGN(*pRgn) : nullptr); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT r, CRgn* pRgn, UINT flags) { return ::RedrawWindow(m_hWnd, r, pRgn ? HRGN(*pRgn) : nullptr, flags); }
BOOL CWnd::GetUpdateRect(LPRECT r, BOOL bErase) { return ::GetUpdateRect(m_hWnd, r, bErase); }
CDC* CWnd::BeginPaint(LPPAINTSTRUCT ps) { return CDC::FromHandle(::BeginPaint(m_hWnd, ps)); }
void CWnd::EndPaint(LPPAINTSTRUCT ps) { ::EndPaint(m_hWnd, ps); }
CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags) { return CDC::FromHandle(::GetDCEx(m_hWnd, prgnClip ? HRGN(*prgnClip) : nullptr, flags)); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }
void CWnd::ScrollWindow(int x, int y, LPCRECT r, LPCRECT clip) { ::ScrollWindow(m_hWnd, x, y, r, clip); }

// ---- scroll bars ----

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO si, BOOL bRedraw)
{
    if (!si)
        return FALSE;
    ::SetScrollInfo(m_hWnd, nBar, si, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO si, UINT nMask)
{
    if (!si)
        return FALSE;
    si->cbSize = sizeof(SCROLLINFO);
    si->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, si);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
int CWnd::GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
void CWnd::SetScrollRange(int nBar, int nMin, int nMax, BOOL bRedraw) { ::SetScrollRange(m_hWnd, nBar, nMin, nMax, bRedraw); }
void CWnd::GetScrollRange(int nBar, LPINT lpMin, LPINT lpMax) const { ::GetScrollRange(m_hWnd, nBar, lpMin, lpMax); }

int CWnd::GetScrollLimit(int nBar)
{
    SCROLLINFO si{};
    if (!GetScrollInfo(nBar, &si, SIF_RANGE | SIF_PAGE))
        return 0;
    int limit = si.nMax;
    if (si.nPage > 1)
        limit -= int(si.nPage) - 1;
    return limit;
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) { ::ShowScrollBar(m_hWnd, int(nBar), bShow); }

void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable)
{
    if (nBar == SB_BOTH) {
        EnableScrollBarCtrl(SB_HORZ, bEnable);
        EnableScrollBarCtrl(SB_VERT, bEnable);
        return;
    }
    ::ShowScrollBar(m_hWnd, nBar, bEnable);
}

// ---- timers, caret, questions ----

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC fn) { return ::SetTimer(m_hWnd, nIDEvent, nElapse, fn); }
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
void CWnd::CreateSolidCaret(int w, int h) { ::CreateCaret(m_hWnd, nullptr, w, h); }
void CWnd::ShowCaret() { ::ShowCaret(m_hWnd); }
void CWnd::HideCaret() { ::HideCaret(m_hWnd); }
void CWnd::SetCaretPos(POINT p) { ::SetCaretPos(p.x, p.y); }

CPoint CWnd::GetCaretPos()
{
    POINT p{0, 0};
    ::GetCaretPos(&p);
    return CPoint(p);
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) { return ::MessageBoxW(m_hWnd, text, caption, type); }

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    constexpr DWORD kButtonTypeMask = 0x0F;
    constexpr DWORD kAutoCheck = 3, kAuto3State = 6, kGroupBox = 7, kAutoRadio = 9;  // BS_* types
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CCmdUI state;
        state.m_nID = UINT(::GetDlgCtrlID(child));
        state.m_pOther = FromHandle(child);
        if (state.m_nID == 0 || !state.m_pOther)
            continue;
        // The control's own update handler (reflected) comes first, then this window's.
        if (CWnd* own = FromHandlePermanent(child))
            if (own->CCmdTarget::OnCmdMsg(0, MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND), &state, nullptr))
                continue;
        if (CCmdTarget::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        BOOL disable = bDisableIfNoHndler;
        if (disable) {
            bool button = (::SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
            DWORD type = DWORD(::GetWindowLongPtrW(child, GWL_STYLE)) & kButtonTypeMask;
            if (!button || type == kAutoCheck || type == kAuto3State || type == kGroupBox || type == kAutoRadio)
                disable = FALSE;  // only push buttons go grey for want of a handler
        }
        state.DoUpdate(pTarget, disable);
    }
}

// ---- modal loops ----

int CWnd::RunModalLoop(DWORD dwFlags)
{
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    HWND self = m_hWnd;
    bool idle = true;
    LONG idleCount = 0;
    bool showIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND parent = ::GetParent(m_hWnd);
    MSG msg;
    int result = -1;
    for (;;) {
        while (idle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showIdle = false;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && parent && idleCount == 0)
                ::SendMessageW(parent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(self));
            if ((dwFlags & MLF_NOKICKIDLE) || !::SendMessageW(self, WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = false;
        }
        if (!::IsWindow(self))
            return -1;  // the window went away without ending the loop
        if (!AfxPumpMessage()) {
            ::PostQuitMessage(0);
            break;
        }
        if (!::IsWindow(self) || FromHandlePermanent(self) != this)
            return -1;
        if (!ContinueModal()) {
            result = m_nModalResult;
            break;
        }
        if (AfxIsIdleMessage(&msg)) {
            idle = true;
            idleCount = 0;
        }
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return result;
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) ? TRUE : FALSE; }

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wakes the loop
    }
}

BOOL AfxPumpMessage()
{
    MSG msg;
    if (!::GetMessageW(&msg, nullptr, 0, 0))
        return FALSE;
    if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (g_preTranslateHook)
        return g_preTranslateHook(pMsg);
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

void AfxSetPreTranslateHook(BOOL (*hook)(MSG*)) { g_preTranslateHook = hook; }

BOOL AfxIsIdleMessage(MSG* pMsg)
{
    // Mouse moves to the same place and the caret blink do not restart idle processing.
    static POINT last{-1, -1};
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (pMsg->pt.x == last.x && pMsg->pt.y == last.y)
            return FALSE;
        last = pMsg->pt;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;  // 0x0118: the caret timer
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::set<std::wstring> names;
    wchar_t buf[128];
    swprintf(buf, 128, L"Afx:%x:%llx:%llx:%llx", nClassStyle, (unsigned long long)reinterpret_cast<UINT_PTR>(hCursor),
             (unsigned long long)reinterpret_cast<UINT_PTR>(hbrBackground), (unsigned long long)reinterpret_cast<UINT_PTR>(hIcon));
    auto it = names.insert(buf).first;
    WNDCLASSW probe;
    if (!::GetClassInfoW(AfxGetInstanceHandle(), it->c_str(), &probe)) {
        WNDCLASSW wc{};
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = it->c_str();
        ::RegisterClassW(&wc);
    }
    return it->c_str();
}

namespace {
std::wstring& MessageBoxTitle()
{
    static std::wstring t;
    return t;
}
}  // namespace

void AfxSetMessageBoxTitle(LPCTSTR lpszTitle) { MessageBoxTitle() = lpszTitle ? lpszTitle : L""; }

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    if (!(nType & MB_ICONMASK)) {
        UINT kind = nType & MB_TYPEMASK;
        nType |= (kind == MB_YESNO || kind == MB_YESNOCANCEL) ? MB_ICONQUESTION
                 : (kind == MB_OKCANCEL || kind == MB_OK) ? MB_ICONEXCLAMATION : 0;
    }
    return ::MessageBoxW(::GetActiveWindow(), lpszText, MessageBoxTitle().c_str(), nType);
}

// ---- default handlers ----

int CWnd::OnCreate(LPCREATESTRUCT) { return int(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return BOOL(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return BOOL(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return int(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return BOOL(Default()); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
UINT CWnd::OnGetDlgCode() { return UINT(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return BOOL(Default()); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }

void CWnd::OnNcDestroy()
{
    Default();
    HWND h = m_hWnd;
    WNDPROC proc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(h, GWLP_WNDPROC));
    if (proc == AfxWndProc && m_pfnSuper)
        ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    Detach();
    PostNcDestroy();  // may delete this
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()
