// CMDIFrameWnd: the main window of a multi-document program.
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/View.h"
#include "platform/ui/framework/detail/FrameMDIClient.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_COMMAND(ID_WINDOW_CASCADE, OnWindowCascade)
    ON_COMMAND(ID_WINDOW_TILE_HORZ, OnWindowTileHorz)
    ON_COMMAND(ID_WINDOW_TILE_VERT, OnWindowTileVert)
    ON_COMMAND(ID_WINDOW_ARRANGE, OnWindowArrange)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

namespace {
// Set while the MDI frame routes a command through its active child, so that the child does
// not route it on to the frame and the application a second time.
int g_routingFromMdiFrame = 0;
}  // namespace

bool AfxMdiRoutingFromFrame() { return g_routingFromMdiFrame > 0; }

CMDIFrameWnd::CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    HMENU menu = ::GetMenu(m_hWnd);
    CMenu* window = menu ? CMenu::FromHandle(GetWindowMenuPopup(menu)) : nullptr;
    return CreateClient(lpcs, window);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu)
{
    HMENU window = pWindowMenu ? pWindowMenu->m_hMenu : nullptr;
    m_hWndMDIClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, ui::MdiClientClass(), L"",
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                        m_hWnd, reinterpret_cast<HMENU>(UINT_PTR(AFX_IDW_PANE_FIRST)),
                                        AfxGetInstanceHandle(), &window);
    return m_hWndMDIClient != nullptr;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (!hMenuBar || !::IsMenu(hMenuBar))
        return nullptr;
    // The last popup holding one of the Window commands.
    for (int i = ::GetMenuItemCount(hMenuBar) - 1; i >= 0; --i) {
        HMENU sub = ::GetSubMenu(hMenuBar, i);
        if (!sub)
            continue;
        int n = ::GetMenuItemCount(sub);
        for (int j = 0; j < n; ++j) {
            UINT id = ::GetMenuItemID(sub, j);
            if (id >= AFX_IDM_WINDOW_FIRST && id <= AFX_IDM_WINDOW_LAST)
                return sub;
        }
    }
    return nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL maximized = FALSE;
    HWND h = m_hWndMDIClient ? reinterpret_cast<HWND>(::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                                     reinterpret_cast<LPARAM>(&maximized)))
                             : nullptr;
    if (pbMaximized)
        *pbMaximized = maximized;
    return dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(h));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWnd)
{
    if (m_hWndMDIClient && pWnd)
        ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (m_hWndMDIClient && pWnd)
        ::SendMessageW(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (m_hWndMDIClient && pWnd)
        ::SendMessageW(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDINext()
{
    if (m_hWndMDIClient)
        ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    if (m_hWndMDIClient)
        ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDICascade()
{
    if (m_hWndMDIClient)
        ::SendMessageW(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    if (m_hWndMDIClient)
        ::SendMessageW(m_hWndMDIClient, WM_MDITILE, WPARAM(nType), 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    if (!m_hWndMDIClient)
        return nullptr;
    HMENU old = reinterpret_cast<HMENU>(::SendMessageW(
        m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(pFrameMenu ? pFrameMenu->m_hMenu : nullptr),
        reinterpret_cast<LPARAM>(pWindowMenu ? pWindowMenu->m_hMenu : nullptr)));
    return CMenu::FromHandle(old);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active document frame (its view, document and the frame itself) first.
    if (CMDIChildWnd* child = MDIGetActive()) {
        ++g_routingFromMdiFrame;
        BOOL handled = child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        --g_routingFromMdiFrame;
        if (handled)
            return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    if (lParam == 0 && id >= AFX_IDM_FIRST_MDICHILD) {
        // An entry of the window list: activate that document window.
        HWND child = ui::MdiChildByIndex(m_hWndMDIClient, int(id - AFX_IDM_FIRST_MDICHILD));
        if (child)
            ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
        return TRUE;
    }
    return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CFrameWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // The document windows' own keys: Ctrl+F4 closes the active one, Ctrl+F6 (Shift: back)
    // and Ctrl+Tab move to the next one.
    if (pMsg->message == WM_KEYDOWN && ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0) {
        CMDIChildWnd* child = MDIGetActive();
        if (child && pMsg->wParam == WPARAM(VK_F4)) {
            child->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
            return TRUE;
        }
        if (child && (pMsg->wParam == WPARAM(VK_F6) || pMsg->wParam == WPARAM(VK_TAB))) {
            if (::GetKeyState(VK_SHIFT) < 0)
                MDIPrev();
            else
                MDINext();
            return TRUE;
        }
    }
    return FALSE;
}

HACCEL CMDIFrameWnd::GetDefaultAccelerator()
{
    // The active document's template table, else the frame's own.
    CMDIChildWnd* child = MDIGetActive();
    if (child && child->m_hAccelTable)
        return child->m_hAccelTable;
    return m_hAccelTable;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    BOOL maximized = FALSE;
    CMDIChildWnd* child = MDIGetActive(&maximized);
    CString text = m_strTitle;
    if (bAddToTitle && child) {
        CString name;
        if (maximized) {
            child->GetWindowText(name);
            if (!name.IsEmpty())
                text += L" - [" + name + L"]";
        } else if (CDocument* doc = child->GetActiveDocument()) {
            name = doc->GetTitle();
            if (!name.IsEmpty())
                text += L" - " + name;
        }
    }
    CString old;
    GetWindowText(old);
    if (old != text)
        SetWindowText(text);
}

void CMDIFrameWnd::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
}

void CMDIFrameWnd::OnIdleUpdate()
{
    CFrameWnd::OnIdleUpdate();
}

void CMDIFrameWnd::OnWindowNew()
{
    // One frame per document in this program: a new window for the active document is not made.
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr && pCmdUI->m_nID != ID_WINDOW_NEW);
}

void CMDIFrameWnd::OnDestroy()
{
    // The MDI client goes with the frame; the menu the frame shows may be a template's.
    HMENU current = ::GetMenu(m_hWnd);
    if (current && current != m_hMenuDefault)
        ::SetMenu(m_hWnd, nullptr);
    CFrameWnd::OnDestroy();
}

void CMDIFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
}
