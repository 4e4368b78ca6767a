// CMiniFrameWnd and CMiniDockFrameWnd: the small frames floating bars live in.
#include "platform/ui/framework/DockMiniFrame.h"

#include "platform/ui/framework/App.h"
#include "platform/ui/framework/DockContext.h"
#include "platform/ui/core/MessageMap.h"

#include <algorithm>

namespace {

// Width of the band along a mini frame's edge that sizes it.
constexpr int kSizingBand = 4;
// The system menu entry that replaces Close: the frame hides its bars, it is not destroyed.
constexpr UINT kIdsHide = 0xF011;

// Every floating frame object in existence (UI thread only).
std::vector<CMiniDockFrameWnd*>& FloatingFrames()
{
    static std::vector<CMiniDockFrameWnd*> frames;
    return frames;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// CMiniFrameWnd

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    TVX_MSG_(WM_NCHITTEST, c.result = self->OnNcHitTestMini(TVX_PT_);)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1)));
    return CWnd::PreCreateWindow(cs);
}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName ? lpWindowName : L"";
    // The default rectangle leaves the place to the caller (a floating frame is placed and
    // sized when its bar moves in).
    const CRect rc = rect.left == CW_USEDEFAULT ? CRect(0, 0, 0, 0) : CRect(rect);
    // A mini frame is a tool window: a small caption and no task-bar entry.
    dwExStyle |= WS_EX_TOOLWINDOW;
    // The parent of a pop-up is its owner; a child mini frame keeps its id.
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rc, pParentWnd,
                          (dwStyle & WS_CHILD) ? nID : 0);
}

void CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle)
{
    ::AdjustWindowRectEx(lpClientRect, dwStyle & ~WS_POPUP, FALSE, dwExStyle | WS_EX_TOOLWINDOW);
}

LRESULT CMiniFrameWnd::OnNcHitTestMini(CPoint point)
{
    const LRESULT hit = Default();
    const DWORD style = GetStyle();
    if (!(style & (MFS_4THICKFRAME | MFS_THICKFRAME)) || hit == HTNOWHERE || hit == HTCLOSE)
        return hit;
    // The sizing band of the mini frame's border.
    CRect rc;
    GetWindowRect(&rc);
    const BOOL left = point.x < rc.left + kSizingBand, right = point.x >= rc.right - kSizingBand;
    const BOOL top = point.y < rc.top + kSizingBand, bottom = point.y >= rc.bottom - kSizingBand;
    if (style & MFS_4THICKFRAME) {
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
        return hit;
    }
    if (top && left)
        return HTTOPLEFT;
    if (top && right)
        return HTTOPRIGHT;
    if (bottom && left)
        return HTBOTTOMLEFT;
    if (bottom && right)
        return HTBOTTOMRIGHT;
    if (left)
        return HTLEFT;
    if (right)
        return HTRIGHT;
    if (top)
        return HTTOP;
    if (bottom)
        return HTBOTTOM;
    return hit;
}

// ---------------------------------------------------------------------------------------------
// CMiniDockFrameWnd

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_MOUSEACTIVATE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE)
{
    FloatingFrames().push_back(this);
}

CMiniDockFrameWnd::~CMiniDockFrameWnd()
{
    auto& frames = FloatingFrames();
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
}

std::vector<CMiniDockFrameWnd*> AfxGetFloatingFrames(const CFrameWnd* pDockSite)
{
    std::vector<CMiniDockFrameWnd*> out;
    for (CMiniDockFrameWnd* pFrame : FloatingFrames()) {
        if (pFrame->GetSafeHwnd() && ::IsWindow(pFrame->GetSafeHwnd()) && pFrame->m_wndDockBar.m_pDockSite == pDockSite)
            out.push_back(pFrame);
    }
    return out;
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    // No layout while the frame and its dock bar are half made.
    m_bInRecalcLayout = TRUE;
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                    MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        dwStyle &= ~MFS_MOVEFRAME;
    if (!CMiniFrameWnd::CreateEx(0, nullptr, L"", dwStyle, CRect(0, 0, 0, 0), pParent)) {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    if (HMENU hSys = ::GetSystemMenu(m_hWnd, FALSE)) {
        const CString hide = AfxLoadStringOr(kIdsHide, L"&Hide");
        ::ModifyMenu(hSys, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, hide);
    }

    DWORD dwDockStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    // Made as a child of the dock site (which it serves), then moved into this frame.
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetSingleBar() const
{
    if (m_wndDockBar.GetDockedCount() != 1)
        return nullptr;
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i) {
        if (CControlBar* pBar = m_wndDockBar.GetDockedControlBar(i))
            return pBar;
    }
    return nullptr;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL /*bNotify*/)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr || m_wndDockBar.GetSafeHwnd() == nullptr)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~idleLayout;

    // The frame snaps to its bars: the dock bar's size is the client size.
    m_wndDockBar.m_rectLayout.SetRectEmpty();
    const BOOL bHorz = (m_wndDockBar.m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const CSize size = m_wndDockBar.CalcFixedLayout(FALSE, bHorz);
    m_wndDockBar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rc(0, 0, size.cx, size.cy);
    ::AdjustWindowRectEx(&rc, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, rc.Width(), rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // The caption shows the dock bar's text (the title of the bar that moved in last).
    CString title;
    m_wndDockBar.GetWindowText(title);
    CString now;
    GetWindowText(now);
    if (now != title)
        SetWindowText(title);
    m_bInRecalcLayout = FALSE;
}

void CMiniDockFrameWnd::OnClose()
{
    // Closing hides the bars; the frame stays for their return.
    CFrameWnd* pSite = m_wndDockBar.m_pDockSite;
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i) {
        if (CControlBar* pBar = m_wndDockBar.GetDockedControlBar(i)) {
            if (pSite)
                pSite->ShowControlBar(pBar, FALSE, FALSE);
            else
                pBar->ShowWindow(SW_HIDE);
        }
    }
    if (m_hWnd && IsWindowVisible() && m_wndDockBar.GetDockedVisibleCount() == 0)
        ShowWindow(SW_HIDE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetSingleBar();
    if (pBar && pBar->m_pDockContext) {
        if (nHitTest == HTCAPTION) {
            // Dragging the caption drags the bar: it may dock again.
            pBar->m_pDockContext->StartDrag(point);
            return;
        }
        if (nHitTest >= UINT(HTLEFT) && nHitTest <= UINT(HTBOTTOMRIGHT) && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
            pBar->m_pDockContext->StartResize(int(nHitTest), point);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION) {
        CControlBar* pBar = GetSingleBar();
        if (pBar && pBar->m_pDockContext) {
            pBar->m_pDockContext->ToggleDocking();
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

int CMiniDockFrameWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    // A click into a floating bar leaves the main window active.
    if (nHitTest == HTCLIENT)
        return MA_NOACTIVATE;
    return CMiniFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CMiniFrameWnd::OnGetMinMaxInfo(lpMMI);
    // Not smaller than its caption.
    CRect rc(0, 0, 0, 0);
    ::AdjustWindowRectEx(&rc, GetStyle(), FALSE, GetExStyle());
    lpMMI->ptMinTrackSize.x = std::max<LONG>(lpMMI->ptMinTrackSize.x, rc.Width());
    lpMMI->ptMinTrackSize.y = std::max<LONG>(lpMMI->ptMinTrackSize.y, rc.Height());
}
