// Floating frames: CMiniFrameWnd, a frame with a small tool-window caption, and
// CMiniDockFrameWnd, the one a floating control bar lives in. The dock frame holds a floating
// CDockBar (id AFX_IDW_DOCKBAR_FLOAT) and sizes itself to it; dragging its caption drags the
// bar (to dock it again), double-clicking the caption docks it, and its close box hides the
// bars. A frame can make floating frames of its own class (CFrameWnd::m_pFloatingFrameClass,
// which must derive from CMiniDockFrameWnd).
#pragma once

#include "platform/ui/framework/DockBar.h"
#include "platform/ui/framework/Frame.h"

#include <vector>

// Mini frame styles (window style low word).
constexpr DWORD MFS_SYNCACTIVE = 0x0100;    // active together with its owner
constexpr DWORD MFS_4THICKFRAME = 0x0200;   // sizing border on all four sides
constexpr DWORD MFS_THICKFRAME = 0x0400;    // sizing border
constexpr DWORD MFS_MOVEFRAME = 0x0800;     // the border moves the frame
constexpr DWORD MFS_BLOCKSYSMENU = 0x1000;  // no system menu from the caption

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();

    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = nullptr, UINT nID = 0);
    using CFrameWnd::Create;

    // Grows a client rectangle to the window rectangle of a mini frame with these styles.
    static void CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION, DWORD dwExStyle = 0);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    LRESULT OnNcHitTestMini(CPoint point);

    DECLARE_MESSAGE_MAP()
};

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    // Creates the frame owned by pParent and its floating dock bar, oriented by dwBarStyle's
    // CBRS_ALIGN_* bits; CBRS_SIZE_DYNAMIC gives a frame without the moving border.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    using CMiniFrameWnd::Create;

    // Sizes the dock bar to its bars and the frame to the dock bar.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    BOOL IsFrameWnd() const override { return TRUE; }

    // The single bar of the frame, or null when it holds none or several.
    CControlBar* GetSingleBar() const;

    CDockBar m_wndDockBar;

    ~CMiniDockFrameWnd() override;

protected:
    void OnClose();
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);

    DECLARE_MESSAGE_MAP()
};

// The floating frames whose bars belong to pDockSite, live ones only.
std::vector<CMiniDockFrameWnd*> AfxGetFloatingFrames(const CFrameWnd* pDockSite);
