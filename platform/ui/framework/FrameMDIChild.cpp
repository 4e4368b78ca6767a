// CMDIChildWnd: a document frame inside the MDI client.
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/View.h"
#include "platform/ui/framework/detail/FrameMDIClient.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

bool AfxMdiRoutingFromFrame();

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_MOUSEACTIVATE()
    ON_WM_SYSCOMMAND()
    ON_WM_NCLBUTTONDOWN()
    {WM_MDIACTIVATE, 0, 0, 0, nullptr, TVX_THUNK_(
        HWND deact = reinterpret_cast<HWND>(c.wParam);
        HWND act = reinterpret_cast<HWND>(c.lParam);
        self->OnMDIActivate(act == self->m_hWnd, CWnd::FromHandle(act), CWnd::FromHandle(deact));
        return TRUE;)},
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD | WS_CLIPSIBLINGS;
    cs.dwExStyle |= WS_EX_MDICHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (!pParentWnd)
        pParentWnd = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (!pParentWnd || !pParentWnd->m_hWndMDIClient)
        return FALSE;
    HWND client = pParentWnd->m_hWndMDIClient;
    RECT r = rect;
    if (rect.left == CW_USEDEFAULT)
        r = ui::MdiDefaultChildRect(client);
    m_strTitle = lpszWindowName ? lpszWindowName : L"";
    // Created hidden; ActivateFrame shows it once its view has had the initial update.
    BOOL visible = (dwStyle & WS_VISIBLE) != 0;
    (void)visible;
    if (!CreateEx(WS_EX_MDICHILD, lpszClassName, lpszWindowName, (dwStyle & ~WS_VISIBLE) | WS_CHILD, r.left, r.top,
                  r.right - r.left, r.bottom - r.top, client, nullptr, pContext))
        return FALSE;
    ui::MdiAddChild(client, m_hWnd);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString title = AfxLoadString(nIDResource);
    int nl = title.Find(L'\n');
    if (nl >= 0)
        title = title.Left(nl);
    auto* parent = dynamic_cast<CMDIFrameWnd*>(pParentWnd);
    if (!Create(nullptr, title, dwDefaultStyle, rectDefault, parent, pContext))
        return FALSE;
    // The template's menu and accelerators serve all its document frames.
    if (pContext)
        if (auto* tpl = dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate))
            SetHandles(tpl->m_hMenuShared, tpl->m_hAccelTable);
    return TRUE;
}

void CMDIChildWnd::SetHandles(HMENU hMenu, HACCEL hAccel)
{
    m_hMenuShared = hMenu;
    m_hAccelTable = hAccel;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND client = ::GetParent(m_hWnd);
    HWND frame = client ? ::GetParent(client) : nullptr;
    return dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(frame));
}

void CMDIChildWnd::MDIDestroy() { DestroyWindow(); }

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* f = GetMDIFrame())
        f->MDIActivate(this);
}

void CMDIChildWnd::MDIMaximize()
{
    if (CMDIFrameWnd* f = GetMDIFrame())
        f->MDIMaximize(this);
}

void CMDIChildWnd::MDIRestore()
{
    if (CMDIFrameWnd* f = GetMDIFrame())
        f->MDIRestore(this);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    return CFrameWnd::DestroyWindow();
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame)
        return;
    if (nCmdShow == -1) {
        BOOL maximized = FALSE;
        frame->MDIGetActive(&maximized);
        DWORD style = GetStyle();
        if (maximized || (style & WS_MAXIMIZE))
            nCmdShow = SW_SHOWMAXIMIZED;
        else if (style & WS_MINIMIZE)
            nCmdShow = SW_SHOWMINIMIZED;
        else
            nCmdShow = SW_SHOWNORMAL;
    }
    if (!IsWindowVisible())
        ShowWindow(SW_SHOWNA);
    if (nCmdShow == SW_SHOWMAXIMIZED)
        frame->MDIMaximize(this);
    else if (nCmdShow == SW_SHOWMINIMIZED)
        ShowWindow(SW_SHOWMINNOACTIVE);
    frame->MDIActivate(this);
    ::SendMessageW(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    CView* view = GetActiveView();
    if (!bActivate && view)
        view->OnActivateView(FALSE, view, view);
    OnUpdateFrameTitle(bActivate || pActivateWnd != nullptr);
    if (bActivate && view)
        view->OnActivateView(TRUE, view, view);
    OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd*, HMENU hMenuAlt)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame || !bActivate)
        return;
    HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuShared;
    if (menu && ::IsMenu(menu))
        ::SendMessageW(frame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                       reinterpret_cast<LPARAM>(frame->GetWindowMenuPopup(menu)));
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (GetStyle() & FWS_ADDTOTITLE) {
        CDocument* doc = GetActiveDocument();
        CString text = doc ? doc->GetTitle() : m_strTitle;
        CString old;
        GetWindowText(old);
        if (old != text) {
            SetWindowText(text);
            if (frame)
                ::SendMessageW(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
        }
    }
    if (frame && frame->MDIGetActive() == this)
        frame->OnUpdateFrameTitle(bAddToTitle);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG*)
{
    // The MDI frame translates keys with this frame's accelerators.
    return FALSE;
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int result = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame && frame->MDIGetActive() != this)
        MDIActivate();
    return result;
}

void CMDIChildWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame && frame->MDIGetActive() != this)
        MDIActivate();
    CFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMDIChildWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    switch (nID & 0xFFF0) {
    case SC_MAXIMIZE:
        MDIMaximize();
        return;
    case SC_RESTORE:
        if (IsZoomed()) {
            MDIRestore();
            return;
        }
        break;
    case SC_CLOSE:
        SendMessage(WM_CLOSE);
        return;
    case SC_MINIMIZE:
        if (IsZoomed())
            MDIRestore();
        break;
    default:
        break;
    }
    CFrameWnd::OnSysCommand(nID, lParam);
}

void CMDIChildWnd::OnWindowPosChanging(WINDOWPOS* lpWndPos) { CFrameWnd::OnWindowPosChanging(lpWndPos); }

BOOL CMDIChildWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CView* view = GetActiveView(); view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (AfxMdiRoutingFromFrame())
        return FALSE;  // the MDI frame goes on with itself and the application
    // Sent to this frame directly: the MDI frame's own handlers, then the application.
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame && frame->CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
