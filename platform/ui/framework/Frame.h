// Frames: CFrameWnd (a top-level window with a menu bar, control bars around its client area,
// an active view and accelerators), CMDIFrameWnd (the main window of a multi-document program,
// whose client area is the MDI client holding the document frames) and CMDIChildWnd (a
// document frame inside the MDI client).
#pragma once

#include "platform/base/Array.h"
#include "platform/base/List.h"
#include "platform/ui/core/Accel.h"
#include "platform/ui/framework/AppIds.h"
#include "platform/ui/framework/ControlBar.h"
#include "platform/ui/framework/FrameContext.h"
#include "platform/ui/framework/Menu.h"
#include "platform/ui/core/Wnd.h"

class CControlBar;
class CDockBar;
class CMiniDockFrameWnd;
class CDocument;
class CView;

// Frame styles (in the window style's low word, as the frame keeps them).
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
constexpr DWORD FWS_PREFIXTITLE = 0x00004000;
constexpr DWORD FWS_SNAPTOBARS = 0x00002000;

// MDI messages
constexpr UINT WM_MDICREATE = 0x0220;
constexpr UINT WM_MDIDESTROY = 0x0221;
constexpr UINT WM_MDIACTIVATE = 0x0222;
constexpr UINT WM_MDIRESTORE = 0x0223;
constexpr UINT WM_MDINEXT = 0x0224;
constexpr UINT WM_MDIMAXIMIZE = 0x0225;
constexpr UINT WM_MDITILE = 0x0226;
constexpr UINT WM_MDICASCADE = 0x0227;
constexpr UINT WM_MDIICONARRANGE = 0x0228;
constexpr UINT WM_MDIGETACTIVE = 0x0229;
constexpr UINT WM_MDISETMENU = 0x0230;
constexpr UINT WM_MDIREFRESHMENU = 0x0234;
constexpr UINT MDITILE_VERTICAL = 0x0000;
constexpr UINT MDITILE_HORIZONTAL = 0x0001;
constexpr UINT MDITILE_SKIPDISABLED = 0x0002;

// WM_DROPFILES: the handle names the dropped paths.
struct HDROP__;
using HDROP = HDROP__*;
constexpr UINT WM_DROPFILES = 0x0233;
constexpr UINT WM_QUERYENDSESSION = 0x0011;
constexpr UINT WM_ENDSESSION = 0x0016;
// Number of files (iFile 0xFFFFFFFF) or the length / text of file iFile.
UINT DragQueryFileW(HDROP hDrop, UINT iFile, LPWSTR lpszFile, UINT cch);
inline UINT DragQueryFile(HDROP h, UINT i, LPWSTR f, UINT c) { return DragQueryFileW(h, i, f, c); }
void DragFinish(HDROP hDrop);
void DragAcceptFiles(HWND hWnd, BOOL fAccept);
// Delivers dropped files to a window as WM_DROPFILES (the host calls it; tests too).
void AfxDropFiles(HWND hWnd, const CStringArray& paths);

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Creates the frame with the caption (string nIDResource's first part), menu, accelerators
    // and icon of resource nIDResource.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    using CWnd::Create;

    // ---- active view and document ----
    // This frame, or the active MDI child for an MDI frame.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    // ---- layout ----
    // Lays the menu bar and the control bars out around the client and gives the rest to the
    // view (or the MDI client).
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefaultFlag,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
    static constexpr UINT reposDefaultFlag = 0;
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // ---- docking (DockFrame.cpp) ----
    // Makes the dock bars of the CBRS_ALIGN_* sides of dwDockStyle (top, bottom, left, right).
    void EnableDocking(DWORD dwDockStyle);
    // Docks pBar in dock bar nDockBarID (0: the side the bar is aligned to, else the first it
    // may use), in the row under lpRect (screen) or in a new last row when lpRect is null.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats pBar in a mini frame at point (screen); dwStyle's CBRS_ALIGN_* bits orient it.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = 0x2000 /* CBRS_ALIGN_TOP */);
    // The side (CBRS_ALIGN_* bit) among dwDockStyle whose dock bar rect touches; 0 for none.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
    // A floating frame of class m_pFloatingFrameClass.
    virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    CRuntimeClass* m_pFloatingFrameClass = nullptr;
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    CPtrList m_listControlBars;

    // ---- title ----
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }

    // ---- status text ----
    // The prompt of a command: the first line of its string resource.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    CWnd* GetMessageBar();

    // ---- routing ----
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    // The accelerator table used by PreTranslateMessage (the template's for document frames).
    virtual HACCEL GetDefaultAccelerator();
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    // Idle-time update of the bars' items (menus are updated when they open).
    virtual void OnIdleUpdate();
    void BeginModalState();
    void EndModalState();
    BOOL InModalState() const { return m_cModalStack > 0; }
    virtual BOOL IsFrameWnd() const { return TRUE; }
    virtual BOOL NegotiateBorderSpace(UINT, LPRECT) { return FALSE; }

    // ---- handlers ----
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    void OnEnterIdle(UINT nWhy, CWnd* pWho);
    // SC_KEYMENU (Alt, F10, Alt+letter not taken before) opens the menu bar.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnDropFiles(HDROP hDropInfo);
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL bEnding);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    // Caps Lock, Num Lock and Scroll Lock indicators of the status bar.
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    BOOL OnBarCheck(UINT nID);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);

    BOOL m_bAutoMenuEnable = TRUE;
    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;
    UINT m_nIDTracking = 0;
    UINT m_nIDLastMessage = 0;
    CView* m_pViewActive = nullptr;
    CString m_strTitle;
    DWORD m_dwDockStyle = 0;
    int m_nIdleFlags = 0;
    int m_cModalStack = 0;
    BOOL m_bInRecalcLayout = FALSE;
    CRect m_rectBorder;
    static const UINT idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8;

protected:
    DECLARE_MESSAGE_MAP()
};

// The nearest frame among pWnd's ancestors (not pWnd itself); null when none.
CFrameWnd* AfxGetParentFrame(const CWnd* pWnd);
// The outermost frame of pWnd's top-level window.
CFrameWnd* AfxGetTopLevelFrame(const CWnd* pWnd);

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // Creates the MDI client; pWindowMenu is the popup that lists the open documents.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The popup of hMenuBar that lists windows (the one holding the Window commands).
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    CFrameWnd* GetActiveFrame() override;
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDIPrev();
    void MDICascade();
    void MDITile(int nType = MDITILE_HORIZONTAL);
    void MDIIconArrange() {}
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    HACCEL GetDefaultAccelerator() override;
    void OnIdleUpdate() override;

    void OnWindowCascade() { MDICascade(); }
    void OnWindowTileHorz() { MDITile(MDITILE_HORIZONTAL); }
    void OnWindowTileVert() { MDITile(MDITILE_VERTICAL); }
    void OnWindowArrange() { MDIIconArrange(); }
    void OnWindowNew();
    void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);

    HWND m_hWndMDIClient = nullptr;

protected:
    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    using CFrameWnd::Create;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    void SetHandles(HMENU hMenu, HACCEL hAccel);

    void ActivateFrame(int nCmdShow = -1) override;
    // The view (and its document), this frame, then the MDI frame and the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    BOOL DestroyWindow() override;
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);

    void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);

    HMENU m_hMenuShared = nullptr;

protected:
    DECLARE_MESSAGE_MAP()
};
