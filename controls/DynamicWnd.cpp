// cdxCDynamicWnd and DynamicLayoutBase: registration of children, the layout pass, the sizing
// guard, the size limits and the position store.
#include "controls/DynamicWnd.h"

#include "controls/SizeIconCtrl.h"
#include "platform/ui/framework/App.h"

#include <algorithm>
#include <memory>

namespace {

constexpr UINT_PTR kGuardTimer = 0x7164;
constexpr UINT kGuardTimerMs = 120;
// WM_SIZING edges that leave the top-left corner in place.
constexpr UINT kSizingRight = 2, kSizingBottom = 6, kSizingBottomRight = 8;

}  // namespace

cdxCDynamicWnd::cdxCDynamicWnd(int nFreedom, UINT nFlags) : m_nLayoutFlags(nFlags), m_nFreedom(nFreedom) {}

cdxCDynamicWnd::~cdxCDynamicWnd()
{
    DoOnDestroy();
}

CSize cdxCDynamicWnd::GetCurrentClientSize() const
{
    if (!IsWindowLive())
        return CSize(0, 0);
    CRect rc;
    m_pWnd->GetClientRect(&rc);
    return rc.Size();
}

BOOL cdxCDynamicWnd::ChildRect(HWND hwnd, RECT& rect)
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!::GetWindowPlacement(hwnd, &wp))
        return FALSE;
    rect = wp.rcNormalPosition;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Registration

BOOL cdxCDynamicWnd::AddSzControl(HWND hwnd, const ControlEntry& entry, BOOL bReposNow)
{
    if (!IsWindowLive() || !::IsWindow(hwnd))
        return FALSE;
    m_controls[hwnd] = entry;
    if (bReposNow)
        UpdateControlPosition(hwnd);
    return TRUE;
}

BOOL cdxCDynamicWnd::AddSzControl(CWnd& ctrl, signed char left, signed char top, signed char right,
                                  signed char bottom, CSize szMin, BOOL bReposNow)
{
    ControlEntry entry;
    if (!ctrl.GetSafeHwnd() || !ChildRect(ctrl.GetSafeHwnd(), entry.rectInitial))
        return FALSE;
    entry.shares[0] = left;
    entry.shares[1] = top;
    entry.shares[2] = right;
    entry.shares[3] = bottom;
    entry.szMin = szMin;
    return AddSzControl(ctrl.GetSafeHwnd(), entry, bReposNow);
}

BOOL cdxCDynamicWnd::AddSzControl(UINT nID, signed char left, signed char top, signed char right,
                                  signed char bottom, CSize szMin, BOOL bReposNow)
{
    if (!IsWindowLive())
        return FALSE;
    CWnd* pCtrl = m_pWnd->GetDlgItem(int(nID));
    return pCtrl ? AddSzControl(*pCtrl, left, top, right, bottom, szMin, bReposNow) : FALSE;
}

void cdxCDynamicWnd::RemoveSzControl(HWND hwnd)
{
    m_controls.erase(hwnd);
}

void cdxCDynamicWnd::AddAllControls(const signed char shares[4], BOOL bOverwrite, BOOL bLayout)
{
    if (!IsWindowLive())
        return;
    BOOL bAdded = FALSE;
    for (HWND h = ::GetWindow(m_pWnd->GetSafeHwnd(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (!bOverwrite && IsRegistered(h))
            continue;
        ControlEntry entry;
        if (!ChildRect(h, entry.rectInitial))
            continue;
        std::copy(shares, shares + 4, entry.shares);
        bAdded |= AddSzControl(h, entry, TRUE);
    }
    if (bAdded && bLayout)
        Layout();
}

// ---------------------------------------------------------------------------------------------
// Layout

cdxCDynamicLayoutInfo* cdxCDynamicWnd::CreateLayoutInfo() const
{
    auto* pInfo = new cdxCDynamicLayoutInfo;
    if (!IsWindowLive() || m_pWnd->IsIconic())
        return pInfo;
    pInfo->m_szCurrent = GetCurrentClientSize();
    pInfo->m_szInitial = m_szInitial;
    pInfo->m_szDelta = pInfo->m_szCurrent - m_szInitial;
    pInfo->m_nCtrlCnt = GetControlCount();
    pInfo->m_bUseScrollPos = m_bUseScrollPos;
    if (m_bUseScrollPos)
        pInfo->m_pntScrollPos = CPoint(m_pWnd->GetScrollPos(SB_HORZ), m_pWnd->GetScrollPos(SB_VERT));
    return pInfo;
}

BOOL cdxCDynamicWnd::CalcControlRect(HWND hwnd, UINT /*nID*/, RECT& rect, const cdxCDynamicLayoutInfo& li) const
{
    auto it = m_controls.find(hwnd);
    if (it == m_controls.end())
        return FALSE;
    const ControlEntry& e = it->second;
    const int dx = li.m_szDelta.cx, dy = li.m_szDelta.cy;
    CRect rc(e.rectInitial);
    if (li.m_bUseScrollPos) {
        // A window smaller than its initial size scrolls instead of moving its children.
        rc.OffsetRect(-li.m_pntScrollPos.x, -li.m_pntScrollPos.y);
        if (dx >= 0) {
            rc.left += dx * e.shares[0] / 100;
            rc.right += dx * e.shares[2] / 100;
        }
        if (dy >= 0) {
            rc.top += dy * e.shares[1] / 100;
            rc.bottom += dy * e.shares[3] / 100;
        }
    } else {
        rc.left += dx * e.shares[0] / 100;
        rc.right += dx * e.shares[2] / 100;
        rc.top += dy * e.shares[1] / 100;
        rc.bottom += dy * e.shares[3] / 100;
    }
    // Too small to show: moved out of view.
    if (rc.left + e.szMin.cx >= rc.right) {
        rc.right = -10;
        rc.left = -10 - e.szMin.cx;
    }
    if (rc.top + e.szMin.cy >= rc.bottom) {
        rc.bottom = -10;
        rc.top = -10 - e.szMin.cy;
    }
    rect = rc;
    return TRUE;
}

void cdxCDynamicWnd::Layout()
{
    if (!IsWindowLive())
        return;
    std::unique_ptr<cdxCDynamicLayoutInfo> pInfo(CreateLayoutInfo());
    HDWP hdwp = ::BeginDeferWindowPos(std::max(1, GetControlCount()));
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (!(m_nLayoutFlags & WithCopyBits))
        flags |= SWP_NOCOPYBITS;
    for (HWND h = ::GetWindow(m_pWnd->GetSafeHwnd(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        RECT now;
        if (!ChildRect(h, now))
            continue;
        RECT rc = now;
        if (!CalcControlRect(h, UINT(::GetDlgCtrlID(h)), rc, *pInfo) || ::EqualRect(&rc, &now))
            continue;
        if (hdwp) {
            hdwp = ::DeferWindowPos(hdwp, h, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, flags);
            if (hdwp)
                continue;
        }
        // Without a batch, one by one.
        ::SetWindowPos(h, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, flags);
    }
    if (hdwp)
        ::EndDeferWindowPos(hdwp);
}

BOOL cdxCDynamicWnd::UpdateControlPosition(HWND hwnd)
{
    if (!IsWindowLive() || !::IsWindow(hwnd))
        return FALSE;
    std::unique_ptr<cdxCDynamicLayoutInfo> pInfo(CreateLayoutInfo());
    if (pInfo->IsInitial())
        return TRUE;
    RECT now;
    if (!ChildRect(hwnd, now))
        return TRUE;
    RECT rc = now;
    if (CalcControlRect(hwnd, UINT(::GetDlgCtrlID(hwnd)), rc, *pInfo) && !::EqualRect(&rc, &now))
        ::SetWindowPos(hwnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Attaching and detaching

void cdxCDynamicWnd::DoInitWindow(CWnd* pWnd)
{
    m_pWnd = pWnd;
    m_iDisabled = 0;
    m_szInitial = m_szMin = GetCurrentClientSize();
    const int nBefore = GetControlCount();

    if (const ControlTableEntry* pTable = GetControlTable()) {
        static const signed char kModeShares[4][2] = {{0, 0}, {0, 100}, {100, 100}, {50, 50}};
        for (const ControlTableEntry* e = pTable; e->nKind != 0; ++e) {
            signed char shares[4] = {0, 0, 0, 0};
            if (e->nKind == 1) {
                std::copy(e->values, e->values + 4, shares);
            } else if (e->nKind == 2) {
                const int h = e->values[0] >= 0 && e->values[0] <= 3 ? e->values[0] : 0;
                const int v = e->values[1] >= 0 && e->values[1] <= 3 ? e->values[1] : 0;
                shares[0] = kModeShares[h][0];
                shares[2] = kModeShares[h][1];
                shares[1] = kModeShares[v][0];
                shares[3] = kModeShares[v][1];
            } else {
                continue;  // unknown kinds register nothing
            }
            if (e->nID == 0) {
                AddAllControls(shares, FALSE, FALSE);
                continue;
            }
            CWnd* pCtrl = m_pWnd->GetDlgItem(e->nID);
            if (pCtrl == nullptr)
                continue;
            AddSzControl(*pCtrl, shares[0], shares[1], shares[2], shares[3], CSize(0, 0), FALSE);
        }
    }

    if (m_nLayoutFlags & WithSizeGrip) {
        m_pSizeIcon = new cdxCSizeIconCtrl;
        if (m_pSizeIcon->Create(m_pWnd, AFX_IDW_SIZE_BOX)) {
            AddSzControl(*m_pSizeIcon, 100, 100, 100, 100, CSize(0, 0), FALSE);
            m_pSizeIcon->ShowWindow(SW_SHOW);
        }
    }

    m_bGuardActive = FALSE;
    m_idTimer = kGuardTimer;
    OnWindowInitialized();
    if (GetControlCount() > nBefore)
        Layout();
}

void cdxCDynamicWnd::DoOnDestroy()
{
    if (IsWindowLive()) {
        OnWindowDestroying();
        if (m_bGuardActive)
            m_pWnd->KillTimer(m_idTimer);
    }
    m_iDisabled = 1;
    m_pWnd = nullptr;
    m_bGuardActive = FALSE;
    m_controls.clear();
    if (m_pSizeIcon) {
        if (m_pSizeIcon->GetSafeHwnd())
            m_pSizeIcon->DestroyWindow();
        delete m_pSizeIcon;
        m_pSizeIcon = nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// Message handlers

void cdxCDynamicWnd::HandleSize(UINT nType, int /*cx*/, int /*cy*/)
{
    if (m_iDisabled > 0 || !IsWindowLive() || nType == SIZE_MINIMIZED)
        return;
    Layout();
    // While a border that moves the top-left corner is dragged, everything moves on screen.
    if (m_bGuardActive && m_bGuardRedrawAll)
        m_pWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void cdxCDynamicWnd::HandleSizing(UINT fwSide, LPRECT /*pRect*/)
{
    if (m_iDisabled > 0 || !IsWindowLive() || m_idTimer == 0 || !(m_nLayoutFlags & WithSizingGuard))
        return;
    BeginSizingGuard(fwSide == kSizingRight || fwSide == kSizingBottom || fwSide == kSizingBottomRight);
}

void cdxCDynamicWnd::BeginSizingGuard(BOOL bTopLeftFixed)
{
    // The guard is this window's own: other windows of its class are not touched.
    m_pWnd->KillTimer(m_idTimer);
    m_pWnd->SetTimer(m_idTimer, kGuardTimerMs);
    if (!m_bGuardActive) {
        m_bGuardRedrawAll = !bTopLeftFixed;
        m_bGuardActive = TRUE;
    }
}

void cdxCDynamicWnd::HandleTimer(UINT_PTR nID)
{
    if (!IsWindowLive() || nID != m_idTimer || m_idTimer == 0)
        return;
    m_pWnd->KillTimer(m_idTimer);
    m_bGuardActive = FALSE;
    m_bGuardRedrawAll = FALSE;
}

void cdxCDynamicWnd::HandleGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (m_iDisabled > 0 || !IsWindowLive())
        return;
    CSize szNC(0, 0);
    if (!m_pWnd->IsIconic()) {
        CRect rcWnd, rcClient;
        m_pWnd->GetWindowRect(&rcWnd);
        m_pWnd->GetClientRect(&rcClient);
        szNC = rcWnd.Size() - rcClient.Size();
    }
    lpMMI->ptMinTrackSize.x = szNC.cx + m_szMin.cx;
    lpMMI->ptMinTrackSize.y = szNC.cy + m_szMin.cy;
    if (m_nFreedom & FreeHorizontal) {
        if (m_szMax.cx > 0)
            lpMMI->ptMaxTrackSize.x = szNC.cx + m_szMax.cx;
    } else {
        lpMMI->ptMaxTrackSize.x = lpMMI->ptMinTrackSize.x;
    }
    if (m_nFreedom & FreeVertical) {
        if (m_szMax.cy > 0)
            lpMMI->ptMaxTrackSize.y = szNC.cy + m_szMax.cy;
    } else {
        lpMMI->ptMaxTrackSize.y = lpMMI->ptMinTrackSize.y;
    }
}

void cdxCDynamicWnd::HandleParentNotify(UINT message, LPARAM lParam)
{
    // A child that goes loses its entry: a later window with the same handle starts afresh.
    if (LOWORD(message) == WM_DESTROY && lParam != 0)
        RemoveSzControl(reinterpret_cast<HWND>(lParam));
}

// ---------------------------------------------------------------------------------------------
// DynamicLayoutBase: the position store

CString DynamicLayoutBase::PositionSection() const
{
    if (m_strClassName.IsEmpty())
        return CString();
    CString section = L"WindowPositions";
    if (section.Right(1) != L"\\")
        section += L"\\";
    return section + m_strClassName;
}

void DynamicLayoutBase::AutoRestorePosition()
{
    if (m_strClassName.IsEmpty())
        return;
    if (!RestoreWindowPosition(PositionSection(), 1 | 2)) {
        m_pWnd->CenterWindow();
        GrowWindow(10);
    }
}

void DynamicLayoutBase::AutoStorePosition()
{
    if (!m_strClassName.IsEmpty() && IsWindowLive())
        StoreWindowPosition(PositionSection());
}

BOOL DynamicLayoutBase::StoreWindowPosition(LPCTSTR lpszProfileSection)
{
    CWinApp* pApp = AfxGetApp();
    if (!IsWindowLive() || lpszProfileSection == nullptr || !*lpszProfileSection || pApp == nullptr ||
        pApp->m_pszRegistryKey == nullptr)
        return FALSE;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    m_pWnd->GetWindowPlacement(&wp);
    const int state = m_pWnd->IsIconic() ? 0 : m_pWnd->IsZoomed() ? 1 : -1;
    const struct {
        LPCTSTR entry;
        int value;
    } values[] = {
        {L"(valid)", 0},
        {L"Left", int(wp.rcNormalPosition.left)},
        {L"Right", int(wp.rcNormalPosition.right)},
        {L"Top", int(wp.rcNormalPosition.top)},
        {L"Bottom", int(wp.rcNormalPosition.bottom)},
        {L"Visibility", m_pWnd->IsWindowVisible() ? 1 : 0},
        {L"State", state},
        {L"(valid)", 1},
    };
    for (const auto& v : values) {
        if (!pApp->WriteProfileInt(lpszProfileSection, v.entry, v.value))
            return FALSE;
    }
    return TRUE;
}

BOOL DynamicLayoutBase::RestoreWindowPosition(LPCTSTR lpszProfileSection, UINT what)
{
    CWinApp* pApp = AfxGetApp();
    if (!IsWindowLive() || lpszProfileSection == nullptr || !*lpszProfileSection || pApp == nullptr ||
        pApp->m_pszRegistryKey == nullptr || pApp->GetProfileInt(lpszProfileSection, L"(valid)", 0) != 1)
        return FALSE;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    m_pWnd->GetWindowPlacement(&wp);
    const int state = pApp->GetProfileInt(lpszProfileSection, L"State", -1);
    CRect rc(pApp->GetProfileInt(lpszProfileSection, L"Left", wp.rcNormalPosition.left),
             pApp->GetProfileInt(lpszProfileSection, L"Top", wp.rcNormalPosition.top),
             pApp->GetProfileInt(lpszProfileSection, L"Right", wp.rcNormalPosition.right),
             pApp->GetProfileInt(lpszProfileSection, L"Bottom", wp.rcNormalPosition.bottom));
    rc.NormalizeRect();
    int nShow = -1;
    if (what & 1) {
        if (state == 1)
            nShow = SW_SHOWMAXIMIZED;
        else if (state == 0)
            nShow = SW_MINIMIZE;
    }
    m_pWnd->MoveWindow(&rc, nShow == -1);
    if (nShow != -1) {
        m_pWnd->GetWindowPlacement(&wp);
        wp.showCmd = UINT(nShow);
        m_pWnd->SetWindowPlacement(&wp);
    }
    if (what & 2) {
        const int visible = pApp->GetProfileInt(lpszProfileSection, L"Visibility", -1);
        if (visible == 1)
            m_pWnd->ShowWindow(SW_SHOW);
        else if (visible == 0)
            m_pWnd->ShowWindow(SW_HIDE);
    }
    return TRUE;
}

BOOL DynamicLayoutBase::GrowWindow(int nPercent)
{
    if (!IsWindowLive())
        return FALSE;
    CRect rc;
    m_pWnd->GetWindowRect(&rc);
    return GrowWindow(CSize(rc.Width() * nPercent / 100, rc.Height() * nPercent / 100));
}

BOOL DynamicLayoutBase::GrowWindow(CSize szDelta)
{
    if (!IsWindowLive())
        return FALSE;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    m_pWnd->GetWindowPlacement(&wp);
    CRect rc(wp.rcNormalPosition);
    rc.left -= szDelta.cx / 2;
    rc.right += (szDelta.cx + 1) / 2;
    rc.top -= szDelta.cy / 2;
    rc.bottom += (szDelta.cy + 1) / 2;
    if (rc.IsRectEmpty())
        return FALSE;
    m_pWnd->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    return TRUE;
}
