#include "controls/ComboListWnd.h"

#include "platform/ui/core/MessageMap.h"

#include <algorithm>
#include <cwctype>

const UINT WM_XCOMBOLIST_VK_RETURN = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_VK_RETURN");
const UINT WM_XCOMBOLIST_VK_ESCAPE = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_VK_ESCAPE");
const UINT WM_XCOMBOLIST_KEYDOWN = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_KEYDOWN");
const UINT WM_XCOMBOLIST_LBUTTONUP = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_LBUTTONUP");

namespace {
constexpr UINT_PTR kHoverTimer = 1;
}

BEGIN_MESSAGE_MAP(CComboListWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_VSCROLL()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CComboListWnd::CComboListWnd(CWnd* pParent) : m_pParent(pParent) {}

CComboListWnd::~CComboListWnd()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

int CComboListWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CRect empty(0, 0, 0, 0);
    if (!m_ListBox.Create(WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_NOTIFY, empty, this, 1))
        return -1;
    if (!m_wndSBVert.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, empty, this, 2))
        return -1;
    if (CWnd* pParent = m_pParent ? m_pParent : GetParent())
        if (CFont* pFont = pParent->GetFont()) {
            m_ListBox.SetFont(pFont);
            m_wndSBVert.SetFont(pFont);
        }
    return 0;
}

CScrollBar* CComboListWnd::GetScrollBarCtrl(int nBar) const
{
    return const_cast<CScrollBar*>(&m_wndSBVert);
}

void CComboListWnd::ShowList(int nScrollBarWidth)
{
    if (!m_ListBox.GetSafeHwnd())
        return;
    m_ListBox.SetFocus();
    if (!m_bFirstTime)
        return;
    m_bFirstTime = 0;
    const int itemHeight = std::max(1, m_ListBox.GetItemHeight(0));
    CRect window;
    GetWindowRect(&window);
    const int rows = std::max(1, window.Height() / itemHeight);
    SetWindowPos(nullptr, 0, 0, window.Width(), rows * itemHeight + 4, SWP_NOMOVE | SWP_NOZORDER);
    CRect client;
    GetClientRect(&client);
    m_ListBox.MoveWindow(1, 1, std::max(0, int(client.right) - nScrollBarWidth - 1), rows * itemHeight);
    m_wndSBVert.MoveWindow(client.right - nScrollBarWidth, 1, nScrollBarWidth, rows * itemHeight);
    const int selection = std::max(0, m_ListBox.GetCurSel());
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = m_ListBox.GetCount();
    si.nPage = UINT(rows);
    si.nPos = selection;
    m_wndSBVert.SetScrollInfo(&si, TRUE);
    m_ListBox.SetTopIndex(std::max(0, selection - 1));
    SetTimer(kHoverTimer, 80);
}

void CComboListWnd::Report(UINT nMessage)
{
    if (m_pParent && m_pParent->GetSafeHwnd())
        m_pParent->SendMessage(nMessage, 0, 0);
}

void CComboListWnd::SetScrollPosition(int nPos)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE;
    m_wndSBVert.GetScrollInfo(&si, SIF_RANGE);
    m_wndSBVert.SetScrollPos(std::clamp(nPos, 0, std::max(0, si.nMax)), TRUE);
}

BOOL CComboListWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        const UINT vk = UINT(pMsg->wParam);
        const int selection = m_ListBox.GetCurSel();
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        m_wndSBVert.GetScrollInfo(&si, SIF_RANGE | SIF_PAGE);
        const int page = int(si.nPage);
        bool bMoved = true;
        switch (vk) {
        case VK_RETURN:
            Report(WM_XCOMBOLIST_VK_RETURN);
            bMoved = false;
            break;
        case VK_ESCAPE:
            Report(WM_XCOMBOLIST_VK_ESCAPE);
            bMoved = false;
            break;
        case VK_PRIOR:
            SetScrollPosition(selection - page + 1);
            break;
        case VK_NEXT:
            SetScrollPosition(selection + page - 1);
            break;
        case VK_UP:
            SetScrollPosition(selection - 1);
            break;
        case VK_DOWN:
            SetScrollPosition(selection + 1);
            break;
        case VK_HOME:
            SetScrollPosition(0);
            break;
        case VK_END:
            SetScrollPosition(si.nMax);
            break;
        default:
            if (vk >= 'A' && vk <= 'Z') {
                // The next item beginning with the letter, searching on from the selection.
                const int count = m_ListBox.GetCount();
                int found = -1;
                for (int i = 1; i <= count && found < 0; ++i) {
                    const int index = (std::max(0, selection) + i) % std::max(1, count);
                    CString text;
                    m_ListBox.GetText(index, text);
                    if (!text.IsEmpty() && std::towupper(wint_t(text[0])) == wint_t(vk))
                        found = index;
                }
                if (found >= 0)
                    SetScrollPosition(found);
                else
                    bMoved = false;
            } else {
                bMoved = false;
            }
            break;
        }
        if (bMoved)
            Report(WM_XCOMBOLIST_KEYDOWN);
    } else if (pMsg->message == WM_LBUTTONUP) {
        Report(WM_XCOMBOLIST_LBUTTONUP);
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CComboListWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    Report(WM_XCOMBOLIST_LBUTTONUP);
    CWnd::DefWindowProc(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

void CComboListWnd::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::DefWindowProc(WM_KILLFOCUS, WPARAM(pNewWnd ? pNewWnd->GetSafeHwnd() : nullptr), 0);
    if (++m_nKillFocusCount >= 3)
        Report(WM_XCOMBOLIST_VK_ESCAPE);
}

void CComboListWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    m_ListBox.SendMessage(WM_VSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    m_wndSBVert.GetScrollInfo(&si, SIF_ALL);
    int pos = si.nPos;
    switch (nSBCode) {
    case SB_LINEUP:
        pos -= 1;
        break;
    case SB_LINEDOWN:
        pos += 1;
        break;
    case SB_PAGEUP:
        pos -= int(si.nPage);
        break;
    case SB_PAGEDOWN:
        pos += int(si.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = int(nPos);
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = si.nMax;
        break;
    default:
        return;
    }
    SetScrollPosition(pos);
}

void CComboListWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHoverTimer || !m_ListBox.GetSafeHwnd())
        return;
    CPoint pt;
    GetCursorPos(&pt);
    m_ListBox.ScreenToClient(&pt);
    CRect client;
    m_ListBox.GetClientRect(&client);
    if (!client.PtInRect(pt))
        return;
    BOOL bOutside = TRUE;
    const int item = int(m_ListBox.ItemFromPoint(pt, bOutside));
    if (!bOutside && item >= 0 && item < m_ListBox.GetCount() && item != m_ListBox.GetCurSel())
        m_ListBox.SetCurSel(item);
}

void CComboListWnd::OnDestroy()
{
    KillTimer(kHoverTimer);
    if (m_ListBox.GetSafeHwnd())
        m_ListBox.DestroyWindow();
    CWnd::OnDestroy();
}
