// CPaneControlStatusBar: panes by id and the windows they host.
#include "controls/PaneControlStatusBar.h"

#include "platform/ui/framework/Frame.h"

#include <algorithm>

namespace {
constexpr DWORD kSizeGrip = 0x0100;  // SBARS_SIZEGRIP
}  // namespace

IMPLEMENT_DYNAMIC(CPaneControlStatusBar, CStatusBar)

CPaneControlStatusBar::CPaneControlStatusBar() = default;

CPaneControlStatusBar::~CPaneControlStatusBar()
{
    for (const PaneControl& pc : m_controls) {
        if (!::IsWindow(pc.hWnd))
            continue;
        ::ShowWindow(pc.hWnd, SW_HIDE);
        if (pc.bAutoDestroy)
            ::DestroyWindow(pc.hWnd);
    }
    m_controls.clear();
}

BOOL CPaneControlStatusBar::AddPane(UINT nID, int nIndex)
{
    if (nIndex < 0 || nIndex > GetCount() || CommandToIndex(nID) >= 0)
        return FALSE;
    if (!InsertPane(nIndex, nID, 0, 0))
        return FALSE;
    RepositionControls();
    return TRUE;
}

BOOL CPaneControlStatusBar::RemovePane(UINT nID)
{
    const int nIndex = CommandToIndex(nID);
    if (nIndex < 0 || GetCount() <= 1)
        return FALSE;
    if (!CStatusBar::RemovePane(nIndex))
        return FALSE;
    auto it = std::find_if(m_controls.begin(), m_controls.end(), [nID](const PaneControl& pc) { return pc.nPaneID == nID; });
    if (it != m_controls.end()) {
        if (::IsWindow(it->hWnd)) {
            ::ShowWindow(it->hWnd, SW_HIDE);
            if (it->bAutoDestroy)
                ::DestroyWindow(it->hWnd);
        }
        m_controls.erase(it);
    }
    RepositionControls();
    return TRUE;
}

BOOL CPaneControlStatusBar::AddPaneControl(HWND hWnd, UINT nID, BOOL bAutoDestroy)
{
    if (CommandToIndex(nID) < 0)
        return FALSE;
    m_controls.push_back({hWnd, nID, bAutoDestroy});
    RepositionControls();
    return TRUE;
}

BOOL CPaneControlStatusBar::GetPaneInfoEx(int nIndex, CPaneInfoEx* pInfo) const
{
    if (pInfo == nullptr || nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    GetPaneInfo(nIndex, pInfo->nID, pInfo->nStyle, pInfo->cxWidth);
    pInfo->strText = GetPaneText(nIndex);
    return TRUE;
}

BOOL CPaneControlStatusBar::SetPaneInfoEx(int nIndex, const CPaneInfoEx* pInfo)
{
    if (pInfo == nullptr || nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    SetPaneInfo(nIndex, pInfo->nID, pInfo->nStyle, pInfo->cxWidth);
    const BOOL bEnable = !(pInfo->nStyle & SBPS_DISABLED);
    for (const PaneControl& pc : m_controls) {
        if (pc.nPaneID == pInfo->nID && ::IsWindow(pc.hWnd))
            ::EnableWindow(pc.hWnd, bEnable);
    }
    SetPaneText(nIndex, pInfo->strText, TRUE);
    RepositionControls();
    return TRUE;
}

void CPaneControlStatusBar::SetMinControlHeight(int cy)
{
    if (m_hWnd == nullptr)
        return;
    // The bar's height counts its frame; the control loses the bar's borders and the pane's edges.
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    const int frame = rcWindow.Height() - rcClient.Height();
    const CRect borders = GetBorders();
    const int needed = cy + 2 * ::GetSystemMetrics(SM_CXEDGE) + borders.top + borders.bottom + frame;
    if (needed <= m_cyHeight)
        return;
    m_cyHeight = needed;
    if (CFrameWnd* frameWnd = AfxGetParentFrame(this))
        frameWnd->RecalcLayout();
    RepositionControls();
}

void CPaneControlStatusBar::RepositionControls()
{
    if (m_hWnd == nullptr || m_controls.empty())
        return;
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    CRect rcClient;
    GetClientRect(&rcClient);
    HDWP hdwp = ::BeginDeferWindowPos(int(m_controls.size()));
    for (const PaneControl& pc : m_controls) {
        const int nIndex = CommandToIndex(pc.nPaneID);
        if (nIndex < 0 || !::IsWindow(pc.hWnd))
            continue;
        CRect rc;
        GetItemRect(nIndex, &rc);
        UINT nID = 0, nStyle = 0;
        int cxWidth = 0;
        GetPaneInfo(nIndex, nID, nStyle, cxWidth);
        if (nIndex == GetCount() - 1) {
            if (nStyle & SBPS_STRETCH)
                rc.right = rcClient.right - ((GetStyle() & kSizeGrip) ? cxEdge + ::GetSystemMetrics(SM_CXSMICON) : 0);
            else
                rc.right = rc.left + cxWidth + 3 * cxEdge;
        }
        if (nStyle & SBPS_NOBORDERS)
            rc.DeflateRect(cxEdge, 1);
        else
            rc.DeflateRect(cxEdge, cxEdge);
        const UINT flags = SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;
        if (hdwp)
            hdwp = ::DeferWindowPos(hdwp, pc.hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), flags);
        else
            ::SetWindowPos(pc.hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), flags);
    }
    if (hdwp)
        ::EndDeferWindowPos(hdwp);
    for (const PaneControl& pc : m_controls) {
        if (::IsWindow(pc.hWnd))
            ::RedrawWindow(pc.hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
    }
}

LRESULT CPaneControlStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A pane control's command (a click on the series label) is the frame's to handle.
    if (message == WM_COMMAND && lParam != 0) {
        if (CWnd* owner = GetOwner())
            return owner->SendMessage(message, wParam, lParam);
    }
    const LRESULT r = CStatusBar::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE)
        RepositionControls();
    return r;
}
