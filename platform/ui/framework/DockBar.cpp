// CDockBar: rows of docked bars, their insertion, removal and placeholders, and their layout.
#include "platform/ui/framework/DockBar.h"

#include "platform/ui/framework/DockContext.h"
#include "platform/ui/framework/DockMiniFrame.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/core/MessageMap.h"

#include <algorithm>
#include <climits>
#include <vector>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParentDock)
    {WM_NCCALCSIZE, 0, 0, 0, nullptr, TVX_THUNK_(self->OnNcCalcSizeDock(BOOL(c.wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(c.lParam)); return TRUE;)},
    {WM_PAINT, 0, 0, 0, nullptr, TVX_THUNK_(self->OnPaintDock(); return TRUE;)},
    {WM_ERASEBKGND, 0, 0, 0, nullptr, TVX_THUNK_(c.result = self->OnEraseBkgndDock(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam))); return TRUE;)},
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateDock)
    TVX_MSG_(WM_DESTROY, self->OnDestroyDock();)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_arrBars.Add(nullptr);
    // The bars' own borders meet the frame; the dock bar draws none.
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CDockBar::~CDockBar()
{
    // Bars still docked here must not point at a dock bar that is gone. (Bars deleted before
    // the dock bar took themselves out of the array, so every entry left is alive.)
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        if (CControlBar* pBar = GetDockedControlBar(i); pBar && pBar->m_pDockBar == this)
            pBar->m_pDockBar = nullptr;
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    const DWORD wndStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1)));
    if (!CWnd::Create(cls, nullptr, wndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    // The frame the bars dock at (a floating dock bar is made under it and then moved into its
    // mini frame).
    if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd))
        m_pDockSite = pFrame;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// The array

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    if (nPos < 0 || nPos >= m_arrBars.GetSize())
        return nullptr;
    void* p = m_arrBars[nPos];
    if (p == nullptr || IsPlaceHolder(p))
        return nullptr;
    return static_cast<CControlBar*>(p);
}

int CDockBar::GetDockedCount() const
{
    int n = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        n += GetDockedControlBar(i) != nullptr;
    return n;
}

int CDockBar::GetDockedVisibleCount() const
{
    int n = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        n += pBar != nullptr && pBar->IsVisible();
    }
    return n;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        if (i != nPosExclude && m_arrBars[i] == pBar)
            return i;
    }
    return -1;
}

int CDockBar::FindPlaceHolder(UINT nID) const
{
    if (nID == 0 || nID >= 0x10000)
        return -1;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        if (reinterpret_cast<UINT_PTR>(m_arrBars[i]) == nID)
            return i;
    }
    return -1;
}

void CDockBar::GetRowRange(int nPos, int& nFirst, int& nLast) const
{
    nFirst = nPos;
    while (nFirst > 0 && m_arrBars[nFirst - 1] != nullptr)
        --nFirst;
    nLast = nPos;
    while (nLast + 1 < m_arrBars.GetSize() && m_arrBars[nLast + 1] != nullptr)
        ++nLast;
}

void CDockBar::CompactRows()
{
    if (m_arrBars.GetSize() == 0 || m_arrBars[0] != nullptr)
        m_arrBars.InsertAt(0, static_cast<void*>(nullptr));
    for (int i = 1; i < m_arrBars.GetSize();) {
        if (m_arrBars[i] == nullptr && m_arrBars[i - 1] == nullptr)
            m_arrBars.RemoveAt(i);
        else
            ++i;
    }
    // Every row ends with a null.
    if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
        m_arrBars.Add(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Docking and removal

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    const UINT nID = UINT(pBar->GetDlgCtrlID());
    for (int nPos; (nPos = FindPlaceHolder(nID)) > 0;)
        m_arrBars.RemoveAt(nPos);
    CompactRows();
}

void CDockBar::ForgetBar(CControlBar* pBar)
{
    for (int nPos; (nPos = FindBar(pBar)) > 0;)
        m_arrBars.RemoveAt(nPos);
    CompactRows();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    if (nAddPlaceHolder == 1) {
        const UINT nID = UINT(pBar->GetDlgCtrlID());
        RemovePlaceHolder(pBar);  // one placeholder per bar
        const int nAt = FindBar(pBar, nPosExclude);
        if (nID != 0 && nID < 0x10000)
            m_arrBars[nAt] = reinterpret_cast<void*>(static_cast<UINT_PTR>(nID));
        else
            m_arrBars.RemoveAt(nAt);
    } else {
        m_arrBars.RemoveAt(nPos);
        if (nAddPlaceHolder == -1)
            RemovePlaceHolder(pBar);
    }
    CompactRows();
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;

    if (m_bFloating)
        HideOrDestroyFloatingFrame();
    else if (m_pDockSite && m_pDockSite->GetSafeHwnd())
        m_pDockSite->DelayRecalcLayout();
    return TRUE;
}

void CDockBar::HideOrDestroyFloatingFrame()
{
    CWnd* pFrame = GetParent();
    if (!pFrame || !pFrame->GetSafeHwnd())
        return;
    if (GetDockedCount() == 0)
        pFrame->DestroyWindow();       // an empty mini frame goes away
    else if (GetDockedVisibleCount() == 0)
        pFrame->ShowWindow(SW_HIDE);
    else if (auto* pMini = DYNAMIC_DOWNCAST(CFrameWnd, pFrame))
        pMini->DelayRecalcLayout();
}

void CDockBar::AdoptBar(CControlBar* pBar)
{
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    pBar->m_pDockBar = this;
    if (!m_bFloating && m_pDockSite)
        pBar->m_pDockSite = m_pDockSite;
    // The bar takes the side (and the floating state) of its dock bar.
    DWORD style = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY);
    style = m_bFloating ? (style | CBRS_FLOATING) : (style & ~CBRS_FLOATING);
    pBar->SetBarStyle(style);
}

// Takes pBar out of the dock bar that holds it now. A bar that leaves a docked place to float
// leaves a placeholder behind so that it can return there.
static void DetachFromOldDockBar(CDockBar* pNew, CControlBar* pBar)
{
    CDockBar* pOld = pBar->m_pDockBar;
    if (pOld == nullptr || pOld == pNew)
        return;
    pOld->RemoveControlBar(pBar, -1, (pNew->m_bFloating && !pOld->m_bFloating) ? 1 : 0);
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar == this)
        return;
    // A bar that is docked in a real side loses every placeholder it had there.
    if (!m_bFloating) {
        if (CFrameWnd* pSite = m_pDockSite) {
            for (UINT id = AFX_IDW_DOCKBAR_TOP; id <= AFX_IDW_DOCKBAR_BOTTOM; ++id) {
                if (auto* pDock = DYNAMIC_DOWNCAST(CDockBar, pSite->GetControlBar(id)))
                    pDock->RemovePlaceHolder(pBar);
            }
        }
    }

    CRect rectBar;
    if (lpRect) {
        rectBar = *lpRect;
        ScreenToClient(&rectBar);
    }

    // Docking again into the same dock bar moves the bar: take its old entry out first.
    const BOOL bHere = pBar->m_pDockBar == this;
    if (bHere) {
        const int nOld = FindBar(pBar);
        if (nOld > 0) {
            m_arrBars.RemoveAt(nOld);
            CompactRows();
        }
    } else {
        // Into this dock bar first: the old one may be a floating frame that goes away when
        // its last bar leaves, and with it every window still inside.
        if (pBar->GetParent() != this)
            pBar->SetParent(this);
        DetachFromOldDockBar(this, pBar);
    }

    if (lpRect == nullptr || m_bFloating) {
        // A row of its own at the end: the bar and the row end.
        CompactRows();
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
    } else {
        BOOL bNewRow = FALSE;
        const int nPos = Insert(pBar, rectBar, rectBar.CenterPoint(), &bNewRow);
        m_arrBars.InsertAt(nPos, pBar);
        if (bNewRow)
            m_arrBars.InsertAt(nPos + 1, static_cast<void*>(nullptr));
        CompactRows();
    }

    AdoptBar(pBar);
    if (lpRect) {
        // The bar keeps the place it was dropped at; the layout moves it no further than needed.
        pBar->SetWindowPos(nullptr, rectBar.left, rectBar.top, rectBar.Width(), rectBar.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    if (m_bFloating) {
        // The floating frame's caption shows the bar's title.
        CString title;
        pBar->GetWindowText(title);
        SetWindowText(title);
        if (CWnd* pFrame = GetParent(); pFrame && !pFrame->IsWindowVisible() && pBar->IsVisible())
            pFrame->ShowWindow(SW_SHOWNA);
    }
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    const int nHolder = FindPlaceHolder(UINT(pBar->GetDlgCtrlID()));
    if (nHolder <= 0 || m_bFloating) {
        DockControlBar(pBar, lpRect);
        return;
    }
    // The placeholder becomes the bar again: same row, same place in it.
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    DetachFromOldDockBar(this, pBar);
    const int nAt = FindPlaceHolder(UINT(pBar->GetDlgCtrlID()));
    m_arrBars[nAt > 0 ? nAt : nHolder] = pBar;
    RemovePlaceHolder(pBar);
    AdoptBar(pBar);
    if (lpRect) {
        CRect rect(*lpRect);
        ScreenToClient(&rect);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
}

BOOL CDockBar::InsertBarAfter(CControlBar* pBar, CControlBar* pAfter)
{
    if (pBar == nullptr || pBar == pAfter || FindBar(pAfter) <= 0)
        return FALSE;
    if (pBar->m_pDockBar != this)
        DockControlBar(pBar);
    const int nOld = FindBar(pBar);
    if (nOld > 0)
        m_arrBars.RemoveAt(nOld);
    CompactRows();
    m_arrBars.InsertAt(FindBar(pAfter) + 1, pBar);
    CompactRows();

    // Start it just past pAfter so the layout keeps the order.
    CRect rect;
    pAfter->GetWindowRect(&rect);
    ScreenToClient(&rect);
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const CPoint pt = bHorz ? CPoint(rect.right, rect.top) : CPoint(rect.left, rect.bottom);
    pBar->SetWindowPos(nullptr, pt.x, pt.y, rectBar.Width(), rectBar.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
    return TRUE;
}

int CDockBar::Insert(CControlBar* /*pBar*/, const CRect& rect, CPoint ptMid, BOOL* pbNewRow)
{
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int across = bHorz ? ptMid.y : ptMid.x;
    const int along = bHorz ? rect.left : rect.top;

    // Walk the rows; each row's extent across is that of its visible bars.
    int nRowStart = 1;
    for (int i = 1; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] != nullptr)
            continue;
        int lo = INT_MAX, hi = INT_MIN;
        for (int j = nRowStart; j < i; ++j) {
            CControlBar* pCur = GetDockedControlBar(j);
            if (!pCur || !pCur->IsVisible())
                continue;
            CRect r;
            pCur->GetWindowRect(&r);
            ScreenToClient(&r);
            lo = std::min(lo, int(bHorz ? r.top : r.left));
            hi = std::max(hi, int(bHorz ? r.bottom : r.right));
        }
        if (lo <= hi) {
            if (across < lo) {
                *pbNewRow = TRUE;  // a new row before this one
                return nRowStart;
            }
            if (across < hi) {
                // Into this row, before the first bar that starts further along.
                int nPos = i;
                for (int j = nRowStart; j < i; ++j) {
                    CControlBar* pCur = GetDockedControlBar(j);
                    if (!pCur || !pCur->IsVisible())
                        continue;
                    CRect r;
                    pCur->GetWindowRect(&r);
                    ScreenToClient(&r);
                    if ((bHorz ? r.left : r.top) > along) {
                        nPos = j;
                        break;
                    }
                }
                *pbNewRow = FALSE;
                return nPos;
            }
        }
        nRowStart = i + 1;
    }
    *pbNewRow = TRUE;
    return m_arrBars.GetSize();
}

void CDockBar::ShowAll(BOOL bShow)
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        if (CControlBar* pBar = GetDockedControlBar(i)) {
            if (m_pDockSite)
                m_pDockSite->ShowControlBar(pBar, bShow, TRUE);
            else
                pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Layout

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeMax = m_rectLayout.IsRectEmpty() ? CSize(32767, 32767) : m_rectLayout.Size();
    if (m_rectLayout.IsRectEmpty() && m_pDockSite && m_pDockSite->GetSafeHwnd()) {
        CRect rc;
        m_pDockSite->GetClientRect(&rc);
        sizeMax = rc.Size();
    }
    const int nOverlap = AFX_DOCK_OVERLAP;
    const int maxAlong = bHorz ? sizeMax.cx : sizeMax.cy;

    // Pending delayed shows and hides of the bars take effect with a layout that moves them.
    if (!m_bLayoutQuery) {
        for (int i = 0; i < m_arrBars.GetSize(); ++i) {
            if (CControlBar* pBar = GetDockedControlBar(i))
                pBar->CommitDelayedShow();
        }
    }
    struct Placement {
        CControlBar* pBar;
        CRect rect;
    };
    std::vector<Placement> moves;
    int posAcross = 0, maxReached = 0;
    BOOL bAny = FALSE;

    // A bar may insert row breaks into the array while it is measured (sizing bars sharing a
    // row): the layout then starts again on the new rows, a few times at most.
    constexpr int kMaxPasses = 4;
    for (int pass = 0;; ++pass) {
        moves.clear();
        posAcross = -nOverlap;  // start of the current row
        int rowThick = 0;       // thickest bar of the current row
        int posAlong = -nOverlap;
        maxReached = 0;         // furthest along of any row
        bAny = FALSE;
        BOOL bRestart = FALSE;
        for (int i = 1; i < m_arrBars.GetSize(); ++i) {
            void* p = m_arrBars[i];
            if (p == nullptr) {
                if (rowThick > 0) {
                    posAcross += rowThick - nOverlap;
                    bAny = TRUE;
                }
                rowThick = 0;
                posAlong = -nOverlap;
                continue;
            }
            CControlBar* pBar = GetDockedControlBar(i);
            if (pBar == nullptr || !pBar->IsVisible())
                continue;

            DWORD dwMode = 0;
            if ((pBar->m_dwStyle & CBRS_SIZE_FIXED) && (pBar->m_dwStyle & CBRS_FLOATING))
                dwMode = LM_HORZ | LM_MRUWIDTH;
            else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
                dwMode = LM_HORZ | LM_HORZDOCK;
            else
                dwMode = LM_VERTDOCK;
            if (m_bFloating && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC))
                dwMode = (bHorz ? LM_HORZ : 0) | LM_MRUWIDTH;
            const int nBefore = m_arrBars.GetSize();
            const CSize sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
            if (m_arrBars.GetSize() != nBefore && pass + 1 < kMaxPasses) {
                bRestart = TRUE;
                break;
            }

            CRect rect;
            pBar->GetWindowRect(&rect);
            ScreenToClient(&rect);
            const int barAlong = bHorz ? sizeBar.cx : sizeBar.cy;
            const int barThick = bHorz ? sizeBar.cy : sizeBar.cx;

            // Keep the place the user gave the bar, but never overlap the bar before it, and
            // stay inside the dock bar as long as the bar fits. (A floating dock bar packs its
            // bars.)
            int along = m_bFloating ? posAlong : std::max(posAlong, int(bHorz ? rect.left : rect.top));
            if (!m_bFloating && along + barAlong > maxAlong + nOverlap)
                along = std::max(posAlong, maxAlong + nOverlap - barAlong);
            // A bar that does not fit after the others goes to a new row.
            if (!m_bFloating && posAlong > -nOverlap && along + barAlong > maxAlong + nOverlap) {
                m_arrBars.InsertAt(i, static_cast<void*>(nullptr));
                --i;
                continue;
            }
            const CRect rcNew = bHorz ? CRect(CPoint(along, posAcross), sizeBar)
                                      : CRect(CPoint(posAcross, along), sizeBar);
            if (rcNew != rect)
                moves.push_back({pBar, rcNew});
            posAlong = along + barAlong - nOverlap;
            maxReached = std::max(maxReached, posAlong);
            rowThick = std::max(rowThick, barThick);
        }
        if (bRestart)
            continue;
        if (rowThick > 0) {
            posAcross += rowThick - nOverlap;
            bAny = TRUE;
        }
        break;
    }

    if (!m_bLayoutQuery && !moves.empty()) {
        HDWP hdwp = ::BeginDeferWindowPos(int(moves.size()));
        for (const Placement& m : moves) {
            if (hdwp)
                hdwp = ::DeferWindowPos(hdwp, m.pBar->GetSafeHwnd(), nullptr, m.rect.left, m.rect.top, m.rect.Width(),
                                        m.rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            else
                m.pBar->SetWindowPos(nullptr, m.rect.left, m.rect.top, m.rect.Width(), m.rect.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (hdwp)
            ::EndDeferWindowPos(hdwp);
    }

    // Without bars the dock bar is a line along its side: it takes no room, but a bar dragged
    // over it still docks there.
    const int thick = bAny ? posAcross : 0;
    int length = bAny ? maxReached : 0;
    if (bStretch && !m_bFloating)
        length = maxAlong;
    return bHorz ? CSize(length, thick) : CSize(thick, length);
}

LRESULT CDockBar::OnSizeParentDock(WPARAM wParam, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    m_rectLayout = lpLayout->rect;
    m_bLayoutQuery = lpLayout->hDWP == nullptr;
    const LRESULT r = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = FALSE;
    return r;
}

void CDockBar::OnNcCalcSizeDock(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/)
{
    // No non-client area: the whole window is the client.
}

void CDockBar::OnPaintDock()
{
    PAINTSTRUCT ps;
    BeginPaint(&ps);
    EndPaint(&ps);
}

BOOL CDockBar::OnEraseBkgndDock(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Floating frames follow their dock site

BOOL CDockBar::IsLeadDockBar() const
{
    // The first of the site's side dock bars speaks for all of them.
    if (m_bFloating || m_pDockSite == nullptr || m_pDockSite->GetSafeHwnd() == nullptr)
        return FALSE;
    for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
        if (HWND h = ::GetDlgItem(m_pDockSite->GetSafeHwnd(), int(id)))
            return h == m_hWnd;
    }
    return FALSE;
}

LRESULT CDockBar::OnIdleUpdateDock(WPARAM wParam, LPARAM lParam)
{
    const LRESULT r = CControlBar::OnIdleUpdateCmdUI(wParam, lParam);
    // Floating frames are top-level windows of their own: the idle update that reaches the
    // dock site's windows is passed on to them (their layout, their bars' items).
    if (IsLeadDockBar()) {
        for (CMiniDockFrameWnd* pFrame : AfxGetFloatingFrames(m_pDockSite)) {
            pFrame->SendMessage(WM_IDLEUPDATECMDUI, wParam, 0);
            pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, 0, TRUE, TRUE);
        }
    }
    return r;
}

void CDockBar::OnDestroyDock()
{
    // The site is going: its floating frames (owned by the top-level window, which may stay,
    // as for a document frame) go with it.
    if (IsLeadDockBar()) {
        for (CMiniDockFrameWnd* pFrame : AfxGetFloatingFrames(m_pDockSite))
            pFrame->DestroyWindow();
    }
    CControlBar::OnDestroy();
}
