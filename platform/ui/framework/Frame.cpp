// CFrameWnd: creation from resources, layout of the menu bar and control bars, active view,
// command routing, accelerators, status texts and titles.
#include "platform/ui/framework/Frame.h"

#include "platform/ui/framework/App.h"
#include "platform/ui/framework/CmdRouting.h"
#include "platform/ui/framework/ControlBar.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/View.h"
#include "platform/ui/framework/detail/MenuData.h"
#include "platform/ui/framework/detail/MenuTrack.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOMMAND()
    {WM_INITMENUPOPUP, 0, 0, 0, nullptr, TVX_THUNK_(
        self->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(c.wParam)), UINT(LOWORD(c.lParam)),
                              BOOL(HIWORD(c.lParam))); return TRUE;)},
    {WM_MENUSELECT, 0, 0, 0, nullptr, TVX_THUNK_(
        self->OnMenuSelect(UINT(LOWORD(c.wParam)), UINT(HIWORD(c.wParam)), reinterpret_cast<HMENU>(c.lParam));
        return TRUE;)},
    {WM_DROPFILES, 0, 0, 0, nullptr, TVX_THUNK_(self->OnDropFiles(reinterpret_cast<HDROP>(c.wParam)); return TRUE;)},
    {WM_QUERYENDSESSION, 0, 0, 0, nullptr, TVX_THUNK_(c.result = self->OnQueryEndSession(); return TRUE;)},
    {WM_ENDSESSION, 0, 0, 0, nullptr, TVX_THUNK_(self->OnEndSession(BOOL(c.wParam)); return TRUE;)},
    {WM_MEASUREITEM, 0, 0, 0, nullptr, TVX_THUNK_(
        self->OnMeasureItem(int(c.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam)); c.result = TRUE; return TRUE;)},
    {WM_DRAWITEM, 0, 0, 0, nullptr, TVX_THUNK_(
        self->OnDrawItem(int(c.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam)); c.result = TRUE; return TRUE;)},
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

CFrameWnd* AfxGetParentFrame(const CWnd* pWnd)
{
    if (!pWnd || !pWnd->m_hWnd)
        return nullptr;
    for (HWND h = ::GetParent(pWnd->m_hWnd); h; h = ::GetParent(h))
        if (auto* f = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(h)))
            return f;
    return nullptr;
}

CFrameWnd* AfxGetTopLevelFrame(const CWnd* pWnd)
{
    if (!pWnd || !pWnd->m_hWnd)
        return nullptr;
    CFrameWnd* top = dynamic_cast<CFrameWnd*>(const_cast<CWnd*>(pWnd));
    for (HWND h = ::GetParent(pWnd->m_hWnd); h; h = ::GetParent(h))
        if (auto* f = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(h)))
            top = f;
    return top;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_WINDOW + 1)));
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU menu = nullptr;
    if (lpszMenuName)
        menu = ::LoadMenuW(AfxGetInstanceHandle(), lpszMenuName);  // a frame without one has no menu bar
    m_strTitle = lpszWindowName ? lpszWindowName : L"";
    int x = rect.left, y = rect.top, cx = CW_USEDEFAULT, cy = CW_USEDEFAULT;
    if (rect.left != CW_USEDEFAULT) {
        cx = rect.right - rect.left;
        cy = rect.bottom - rect.top;
    }
    HWND parent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, parent, menu, pContext)) {
        if (menu && ::IsMenu(menu))
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString title = AfxLoadString(nIDResource);
    int nl = title.Find(L'\n');
    if (nl >= 0)
        title = title.Left(nl);
    if (!Create(nullptr, title, dwDefaultStyle, rectDefault, pParentWnd, MAKEINTRESOURCE(nIDResource), 0, pContext))
        return FALSE;
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable)
        return FALSE;
    m_hAccelTable = ::LoadAcceleratorsW(AfxGetInstanceHandle(), lpszResourceName);
    return m_hAccelTable != nullptr;
}

HACCEL CFrameWnd::GetDefaultAccelerator() { return m_hAccelTable; }

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!(GetStyle() & WS_CHILD)) {
        // The menu given at creation becomes the menu bar.
        if (HMENU menu = ::GetMenu(m_hWnd)) {
            m_hMenuDefault = menu;
            ::SetMenu(m_hWnd, menu);
        }
    }
    auto* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (!OnCreateClient(lpcs, context))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    CObject* obj = pContext->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CWnd*>(obj);
    if (!view) {
        delete obj;
        return nullptr;
    }
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID, pContext)) {
        if (!view->m_hWnd)
            delete view;  // a view that got a window deleted itself when it went
        return nullptr;
    }
    return view;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    CView* view = GetActiveView();
    if (!view) {
        if (CWnd* w = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE))
            if ((view = dynamic_cast<CView*>(w)) != nullptr)
                SetActiveView(view, FALSE);
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        int nCmdShow = -1;
        CWinApp* app = AfxGetApp();
        if (app && !app->m_pMainWnd) {
            nCmdShow = app->m_nCmdShow;
            app->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (view)
            view->OnActivateView(TRUE, view, view);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (!(GetStyle() & WS_CHILD)) {
        BringWindowToTop();
        SetActiveWindow();
    }
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* old = m_pViewActive;
    if (pViewNew == old)
        return;
    m_pViewActive = nullptr;
    if (bNotify && old)
        old->OnActivateView(FALSE, pViewNew, old);
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew)
        pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

// ---- layout ----

void CFrameWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                               LPCRECT lpRectClient, BOOL bStretch)
{
    AfxRepositionBars(this, nIDFirst, nIDLast, nIDLeftOver, nFlag, lpRectParam, lpRectClient, bStretch);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || !m_hWnd)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~idleLayout;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (int h = ui::MenuBarHeight(m_hWnd)) {
        ::DrawMenuBar(m_hWnd);  // the bar spans the width at the top
        client.top += h;
    }
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, reposDefault, nullptr,
                   &client);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL) { m_nIdleFlags |= idleLayout; }

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (bar->m_hWnd && UINT(bar->GetDlgCtrlID()) == nID)
            return bar;
    }
    CWnd* w = GetDescendantWindow(int(nID), TRUE);
    return dynamic_cast<CControlBar*>(w);
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar && !m_listControlBars.Find(pBar))
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    if (POSITION pos = m_listControlBars.Find(pBar))
        m_listControlBars.RemoveAt(pos);
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    if (bDelay) {
        // Shown or hidden with the next layout (or the bar's next idle update).
        pBar->DelayShow(bShow);
        DelayRecalcLayout();
        return;
    }
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* bar = GetControlBar(pCmdUI->m_nID);
    if (!bar) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) != 0);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int vk = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK : VK_SCROLL;
    pCmdUI->Enable((::GetKeyState(vk) & 1) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* bar = GetControlBar(nID);
    if (!bar)
        return FALSE;
    ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

// ---- titles ----

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && doc)
        UpdateFrameTitleForDocument(doc->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString text;
    if (GetStyle() & FWS_PREFIXTITLE) {
        if (lpszDocName && *lpszDocName)
            text = CString(lpszDocName) + L" - ";
        text += m_strTitle;
    } else {
        text = m_strTitle;
        if (lpszDocName && *lpszDocName)
            text += CString(L" - ") + lpszDocName;
    }
    CString old;
    GetWindowText(old);
    if (old != text)
        SetWindowText(text);
}

// ---- status texts ----

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage = nID == AFX_IDS_IDLEMESSAGE ? AfxLoadStringOr(nID, L"Ready") : AfxLoadString(nID);
    int nl = rMessage.Find(L'\n');
    if (nl >= 0)
        rMessage = rMessage.Left(nl);
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::SetMessageText(LPCTSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText)); }
void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, WPARAM(nID), 0); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT last = m_nIDLastMessage;
    m_nIDLastMessage = UINT(wParam);
    // A document frame shows its texts in the status bar of the frame above it.
    CWnd* bar = GetMessageBar();
    if (!bar) {
        if (CFrameWnd* parent = AfxGetParentFrame(this))
            return parent->SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
        return LRESULT(last);
    }
    CString text;
    if (lParam)
        text = reinterpret_cast<LPCTSTR>(lParam);
    else if (wParam)
        GetMessageString(UINT(wParam), text);
    bar->SetWindowText(text);
    m_nIDTracking = UINT(wParam);
    return LRESULT(last);
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    return OnSetMessageString(wParam ? wParam : AFX_IDS_IDLEMESSAGE, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    UINT id;
    if (nFlags == 0xFFFF && !hSysMenu)
        id = AFX_IDS_IDLEMESSAGE;  // the menu closed
    else if (nFlags & (MF_SEPARATOR | MF_POPUP))
        id = 0;
    else if (nItemID >= 0xF000 || (nItemID >= AFX_IDM_FIRST_MDICHILD))
        id = 0;
    else
        id = nItemID;
    if (id != m_nIDTracking || id == AFX_IDS_IDLEMESSAGE) {
        m_nIDTracking = id;
        if (id)
            SetMessageText(id);
        else
            SetMessageText(L"");
    }
}

void CFrameWnd::OnEnterIdle(UINT, CWnd*) {}

void CFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    HMENU menu = (GetStyle() & WS_CHILD) ? nullptr : ::GetMenu(m_hWnd);
    if ((nID & 0xFFF0) != SC_KEYMENU || !menu) {
        CWnd::OnSysCommand(nID, lParam);
        return;
    }
    if (lParam == 0) {
        ui::TrackMenuBar(m_hWnd, 0, false, true);
        return;
    }
    // Alt+letter: the bar item with that mnemonic.
    MSG msg{m_hWnd, WM_SYSCHAR, WPARAM(lParam), 0, 0, {0, 0}};
    if (!ui::MenuBarKey(m_hWnd, &msg))
        ::MessageBeep(0);
}

// ---- idle ----

void CFrameWnd::OnIdleUpdate()
{
    if (m_nIdleFlags & idleLayout)
        RecalcLayout();
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    m_nIdleFlags = 0;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    OnIdleUpdate();
    return 0;
}

// ---- routing ----

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active view (and through it the document) first, then the frame, then the application.
    if (CView* view = GetActiveView(); view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) { return CWnd::OnCommand(wParam, lParam); }

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL accel = GetDefaultAccelerator();
        if (accel && ::TranslateAcceleratorW(m_hWnd, accel, pMsg))
            return TRUE;
        // The keyboard ways into the menu bar (Alt, F10, Alt+letter).
        if (!(GetStyle() & WS_CHILD) && ui::MenuBarKey(m_hWnd, pMsg))
            return TRUE;
    }
    return FALSE;
}

void CFrameWnd::BeginModalState()
{
    if (m_cModalStack++ == 0)
        EnableWindow(FALSE);
}

void CFrameWnd::EndModalState()
{
    if (m_cModalStack > 0 && --m_cModalStack == 0)
        EnableWindow(TRUE);
}

// ---- handlers ----

void CFrameWnd::OnDestroy()
{
    HMENU current = ::GetMenu(m_hWnd);
    CWnd::OnDestroy();
    // The frame's own menu goes with it; shared template menus stay with their templates.
    if (m_hMenuDefault && ::IsMenu(m_hMenuDefault)) {
        if (current && current != m_hMenuDefault)
            ::SetMenu(m_hWnd, nullptr);
        ::DestroyMenu(m_hMenuDefault);
    }
    m_hMenuDefault = nullptr;
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    delete this;
}

void CFrameWnd::OnClose()
{
    CWinApp* app = AfxGetApp();
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;
    if (app && app->m_pMainWnd == this) {
        if (!doc && !app->SaveAllModified())
            return;
        app->CloseAllDocuments(FALSE);
        if (!::IsWindow(m_hWnd))
            return;
    } else if (doc) {
        // The document goes when its last frame does.
        doc->PreCloseFrame(this);
        BOOL onlyFrame = TRUE;
        for (POSITION pos = doc->GetFirstViewPosition(); pos;)
            if (doc->GetNextView(pos)->GetParentFrame() != this)
                onlyFrame = FALSE;
        if (onlyFrame) {
            doc->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (CFrameWnd* active = GetActiveFrame(); active && active != this) {
        active->SetFocus();
        return;
    }
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CFrameWnd* active = GetActiveFrame();
    if (active && active->m_pViewActive)
        active->m_pViewActive->OnActivateFrame(nState, active);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // A view covers the client: nothing to erase beneath it.
    if (m_pViewActive)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || !pPopupMenu)
        return;
    AfxUpdateMenuPopup(this, pPopupMenu->m_hMenu, m_bAutoMenuEnable);
}

void CFrameWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT) {}
void CFrameWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) {}

BOOL CFrameWnd::OnQueryEndSession()
{
    CWinApp* app = AfxGetApp();
    return !(app && app->m_pMainWnd == this) || app->SaveAllModified();
}

void CFrameWnd::OnEndSession(BOOL bEnding)
{
    CWinApp* app = AfxGetApp();
    if (bEnding && app && app->m_pMainWnd == this) {
        app->CloseAllDocuments(TRUE);
        app->ExitInstance();
    }
}
