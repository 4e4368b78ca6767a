// CToolTipWnd: tools are hit-tested by their control and rectangle; timer 1 shows the tip after
// the show delay, timer 2 polls the pointer and hides the tip when it leaves the tool or the
// auto-hide time has passed. A text with a carriage return has two parts, switched by a click.
#include "controls/ToolTipWnd.h"

#include "platform/ui/core/MessageMap.h"

#include "platform/gdi/DC.h"
#include "platform/ui/controls/CommCtrlToolTip.h"
#include "platform/ui/core/WndDC.h"

#include <algorithm>

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPollTimer = 2;
constexpr COLORREF kSystemColour = 0xFF000000;

bool StatusFont(LOGFONTW& lf)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return false;
    lf = metrics.lfStatusFont;
    return true;
}

}  // namespace

BEGIN_MESSAGE_MAP(CToolTipWnd, CWnd)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_SETFOCUS()
ON_WM_DESTROY()
ON_WM_SETTINGCHANGE()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_SETFONT, OnSetFontMsg)
ON_MESSAGE(WM_GETFONT, OnGetFontMsg)
END_MESSAGE_MAP()

CToolTipWnd::CToolTipWnd() = default;

CToolTipWnd::~CToolTipWnd()
{
    m_font.DeleteObject();
    for (CToolTipItem* pTool : m_tools)
        delete pTool;
    m_tools.clear();
    m_pCurrent = nullptr;
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CToolTipWnd::Create(CWnd* pParent)
{
    m_pParent = pParent;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC, ::LoadCursor(nullptr, IDC_ARROW));
    if (!CreateEx(WS_EX_TOPMOST, lpszClass, L"", WS_POPUP, 0, 0, 10, 10, pParent ? pParent->GetSafeHwnd() : nullptr,
                  nullptr))
        return FALSE;
    TakeSystemFont(FALSE);
    return TRUE;
}

BOOL CToolTipWnd::AddTool(CWnd* pCtrl, LPCTSTR lpszText, const RECT* lpRect, UINT nId)
{
    if (pCtrl == nullptr || pCtrl->GetSafeHwnd() == nullptr)
        return FALSE;
    auto* pTool = new CToolTipItem;
    pTool->hWndCtrl = pCtrl->GetSafeHwnd();
    pTool->nId = nId;
    if (lpszText == TextFromParent)
        pTool->nTextSource = -1;
    else if (lpszText)
        pTool->strText = lpszText;
    pTool->nWrapWidth = m_nWrapWidth;
    pTool->crText = m_crText;
    pTool->crBackground = m_crBackground;
    CRect rc;
    if (lpRect) {
        rc = *lpRect;
        pCtrl->ClientToScreen(&rc);
    } else {
        pCtrl->GetWindowRect(&rc);
    }
    if (m_pParent)
        m_pParent->ScreenToClient(&rc);
    pTool->rect = rc;
    m_tools.push_back(pTool);
    return TRUE;
}

void CToolTipWnd::DelTool(CWnd* pCtrl, UINT nId)
{
    const HWND hWnd = pCtrl ? pCtrl->GetSafeHwnd() : nullptr;
    auto it = std::find_if(m_tools.begin(), m_tools.end(),
                           [&](const CToolTipItem* t) { return t->hWndCtrl == hWnd && t->nId == nId; });
    if (it == m_tools.end())
        return;
    if (*it == m_pCurrent) {
        Hide();
        m_pCurrent = nullptr;
    }
    delete *it;
    m_tools.erase(it);
}

HWND CToolTipWnd::WindowAt(CPoint point) const
{
    const HWND hParent = m_pParent->GetSafeHwnd();
    CPoint screen = point;
    m_pParent->ClientToScreen(&screen);
    HWND hWnd = ::WindowFromPoint(screen);
    if (hWnd == hParent)
        hWnd = ::ChildWindowFromPointEx(hParent, point, CWP_ALL);
    if (hWnd == nullptr || hWnd == hParent || !::IsChild(hParent, hWnd))
        return nullptr;
    return hWnd;
}

CToolTipItem* CToolTipWnd::HitTest(HWND hWnd, CPoint point) const
{
    if (hWnd == nullptr)
        return nullptr;
    for (CToolTipItem* pTool : m_tools) {
        if (pTool->hWndCtrl != hWnd && !::IsChild(pTool->hWndCtrl, hWnd))
            continue;
        // Only the first tool of a control is tested.
        const HWND hUnder = WindowAt(point);
        const bool bOver = hUnder && (hUnder == pTool->hWndCtrl || ::IsChild(pTool->hWndCtrl, hUnder));
        return bOver && ::PtInRect(&pTool->rect, point) ? pTool : nullptr;
    }
    return nullptr;
}

CToolTipItem* CToolTipWnd::ToolAt(CPoint point) const
{
    const CToolTipItem* pHit = HitTest(WindowAt(point), point);
    if (pHit == nullptr)
        return nullptr;
    for (CToolTipItem* pTool : m_tools)
        if (pTool->hWndCtrl == pHit->hWndCtrl && pTool->nId == pHit->nId)
            return pTool;
    return nullptr;
}

bool CToolTipWnd::PointerOnTool(const CToolTipItem* pTool) const
{
    if (pTool == nullptr || m_pParent == nullptr)
        return false;
    CPoint point;
    ::GetCursorPos(&point);
    m_pParent->ScreenToClient(&point);
    return HitTest(pTool->hWndCtrl, point) != nullptr;
}

bool CToolTipWnd::PointerInTip() const
{
    if (m_bCancelled || GetSafeHwnd() == nullptr || (GetStyle() & WS_VISIBLE) == 0)
        return false;
    CPoint point;
    ::GetCursorPos(&point);
    CRect rc;
    GetWindowRect(&rc);
    return rc.PtInRect(point) != FALSE;
}

void CToolTipWnd::Hide()
{
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
    m_bCancelled = TRUE;
}

void CToolTipWnd::RelayEvent(MSG* pMsg)
{
    if (m_pParent == nullptr || GetSafeHwnd() == nullptr || pMsg == nullptr)
        return;
    switch (pMsg->message) {
    case WM_MOUSEMOVE: {
        CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &point);
        m_pParent->ScreenToClient(&point);
        CToolTipItem* pTool = ToolAt(point);
        if (pTool == nullptr) {
            if (m_bCancelled)
                m_pCurrent = nullptr;
            return;
        }
        if (pTool == m_pCurrent || PointerInTip())
            return;
        KillTimer(kShowTimer);
        KillTimer(kPollTimer);
        Hide();
        m_bCancelled = FALSE;
        m_pCurrent = pTool;
        SetTimer(kShowTimer, m_nShowDelay);
        return;
    }
    case WM_LBUTTONDOWN:
        if (!PointerInTip())
            Hide();
        return;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        Hide();
        return;
    default:
        if (pMsg->message >= WM_KEYDOWN && pMsg->message <= WM_SYSDEADCHAR)
            Hide();
        return;
    }
}

void CToolTipWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kShowTimer && nIDEvent != kPollTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (m_pCurrent == nullptr || m_bCancelled) {
        KillTimer(nIDEvent);
        Hide();
        return;
    }
    if (nIDEvent == kShowTimer) {
        KillTimer(kShowTimer);
        if (!PointerOnTool(m_pCurrent))
            return;  // the tool stays current: it shows again after another tool was visited
        CPoint point;
        ::GetCursorPos(&point);
        ShowAt(point + m_ptOffset, FALSE);
        m_nTimeShown = 0;
        SetTimer(kPollTimer, m_nPollInterval);
        return;
    }
    m_nTimeShown += m_nPollInterval;
    CPoint point;
    ::GetCursorPos(&point);
    m_pParent->ScreenToClient(&point);
    const CToolTipItem* pUnder = ToolAt(point);
    bool bKeep = false;
    if (pUnder == nullptr || pUnder == m_pCurrent)
        bKeep = (PointerOnTool(m_pCurrent) && m_nTimeShown < m_nAutoHide) || PointerInTip();
    if (!bKeep) {
        KillTimer(kPollTimer);
        Hide();
    }
}

CString CToolTipWnd::TipText()
{
    if (m_pCurrent == nullptr)
        return CString();
    CString text;
    if (m_pCurrent->nTextSource != -1) {
        text = m_pCurrent->strText;
    } else if (m_pParent) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = GetSafeHwnd();
        info.hdr.idFrom = UINT_PTR(::GetDlgCtrlID(m_pCurrent->hWndCtrl));
        info.hdr.code = TTN_NEEDTEXTW;
        m_pParent->SendMessage(WM_NOTIFY, m_pCurrent->nId, reinterpret_cast<LPARAM>(&info));
        if (info.hinst) {
            text.LoadString(UINT(reinterpret_cast<UINT_PTR>(info.lpszText)));
        } else if (info.lpszText) {
            text = info.lpszText;
        } else {
            text = info.szText;
        }
    }
    const int nReturn = text.Find(L'\r');
    if (nReturn < 0) {
        m_bTwoParts = FALSE;
        return text;
    }
    m_bTwoParts = TRUE;
    CString second = text.Mid(nReturn + 1);
    const int nNext = second.Find(L'\r');
    if (nNext >= 0)
        second = second.Left(nNext);
    return m_bSecondPart ? L"  " + second : text.Left(nReturn) + L"  ";
}

void CToolTipWnd::ShowAt(CPoint point, BOOL bSecondPart)
{
    if (!m_bEnabled || m_pCurrent == nullptr)
        return;
    m_bSecondPart = bSecondPart;
    const CString text = TipText();
    if (text.IsEmpty())
        return;
    CRect rc = CalcTipSize(text, m_pCurrent->nWrapWidth);
    PositionTip(point, m_pCurrent, rc);
    ShowWindow(SW_HIDE);
    SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
}

CRect CToolTipWnd::CalcTipSize(const CString& text, int nWidth)
{
    CClientDC dc(nullptr);
    CFont* pOld = dc.SelectObject(&m_font);
    if (nWidth == 0) {
        int nStart = 0;
        while (nStart <= text.GetLength()) {
            int nEnd = text.Find(L'\n', nStart);
            if (nEnd < 0)
                nEnd = text.GetLength();
            nWidth = std::max(nWidth, int(dc.GetTextExtent(text.Mid(nStart, nEnd - nStart) + L"  ").cx));
            nStart = nEnd + 1;
        }
    }
    CRect rc(0, 0, std::max(nWidth, 0), 0);
    dc.DrawText(text, &rc, m_nFormat | DT_CALCRECT);
    dc.SelectObject(pOld);
    rc.right += m_rcMargins.left + m_rcMargins.right;
    rc.bottom += m_rcMargins.top + m_rcMargins.bottom;
    rc.OffsetRect(-rc.left, -rc.top);
    return rc;
}

void CToolTipWnd::PositionTip(CPoint point, const CToolTipItem* pTool, CRect& rect)
{
    rect.OffsetRect(point - rect.TopLeft());
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    if (rect.right > cxScreen)
        rect.OffsetRect(cxScreen - rect.right, 0);
    if (rect.left < 0)
        rect.OffsetRect(-rect.left, 0);
    if (rect.bottom > cyScreen && pTool) {
        CRect rcCtrl;
        ::GetWindowRect(pTool->hWndCtrl, &rcCtrl);
        rect.OffsetRect(0, rcCtrl.top - rect.bottom);
    }
}

void CToolTipWnd::OnPaint()
{
    CPaintDC dc(this);
    const CString text = TipText();
    if (m_pCurrent == nullptr || text.IsEmpty())
        return;
    CRect rc;
    GetClientRect(&rc);
    const COLORREF crBack = m_pCurrent->crBackground == kSystemColour ? ::GetSysColor(COLOR_INFOBK)
                                                                        : m_pCurrent->crBackground;
    const COLORREF crText = m_pCurrent->crText == kSystemColour ? ::GetSysColor(COLOR_INFOTEXT)
                                                                  : m_pCurrent->crText;
    dc.FillSolidRect(&rc, crBack);
    CGdiObject* pOldPen = dc.SelectStockObject(BLACK_PEN);
    CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(&rc);
    CFont* pOldFont = dc.SelectObject(&m_font);
    CRect rcText(rc.left + m_rcMargins.left, rc.top + m_rcMargins.top, rc.right - m_rcMargins.right,
                 rc.bottom - m_rcMargins.bottom);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(crText);
    dc.DrawText(text, &rcText, m_nFormat);
    if (m_bTwoParts) {
        // A black triangle in the room of the two blanks points to the other part.
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        const int m = std::max(int(tm.tmInternalLeading + tm.tmExternalLeading), int(tm.tmDescent));
        const CSize blanks = dc.GetTextExtent(CString(L"  "));
        const int cy = blanks.cy & ~1, h = tm.tmAveCharWidth / 2;
        POINT pts[3];
        if (!m_bSecondPart) {
            const int x = rcText.right - blanks.cx + h;
            pts[0] = {rcText.right, rcText.top + cy / 2};
            pts[1] = {x, rcText.top + m};
            pts[2] = {x, rcText.top + cy - m};
        } else {
            const int x = rcText.left + blanks.cx - h;
            pts[0] = {rcText.left, rcText.top + cy / 2};
            pts[1] = {x, rcText.top + m};
            pts[2] = {x, rcText.top + cy - m};
        }
        dc.SelectStockObject(BLACK_BRUSH);
        dc.Polygon(pts, 3);
    }
    dc.SelectObject(pOldFont);
    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldBrush);
}

void CToolTipWnd::OnLButtonDown(UINT, CPoint)
{
    if (m_pCurrent == nullptr || m_bCancelled)
        return;
    if (m_bTwoParts) {
        CRect rc;
        GetWindowRect(&rc);
        ShowAt(rc.TopLeft(), !m_bSecondPart);
    }
    if (m_hPrevFocus && ::IsWindow(m_hPrevFocus))
        ::SetFocus(m_hPrevFocus);
}

void CToolTipWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    m_hPrevFocus = pOldWnd ? pOldWnd->GetSafeHwnd() : nullptr;
}

void CToolTipWnd::OnDestroy()
{
    KillTimer(kShowTimer);
    KillTimer(kPollTimer);
    CWnd::OnDestroy();
}

int CToolTipWnd::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

void CToolTipWnd::TakeSystemFont(BOOL bRedraw)
{
    LOGFONTW lf{};
    if (StatusFont(lf))
        SetTipFont(lf, bRedraw);
}

void CToolTipWnd::SetTipFont(const LOGFONTW& lf, BOOL bRedraw)
{
    m_lf = lf;
    LOGFONTW sys{};
    m_bSystemFont = StatusFont(sys) && sys.lfWeight == lf.lfWeight && sys.lfItalic == lf.lfItalic &&
                    sys.lfHeight == lf.lfHeight && sys.lfCharSet == lf.lfCharSet &&
                    wcscmp(sys.lfFaceName, lf.lfFaceName) == 0;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
    if (bRedraw && GetSafeHwnd())
        Invalidate();
}

void CToolTipWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    if (m_bSystemFont)
        TakeSystemFont(TRUE);
}

LRESULT CToolTipWnd::OnSetFontMsg(WPARAM wParam, LPARAM)
{
    Default();
    LOGFONTW lf{};
    if (wParam && ::GetObject(reinterpret_cast<HGDIOBJ>(wParam), sizeof(lf), &lf) > 0)
        SetTipFont(lf, TRUE);
    else
        TakeSystemFont(TRUE);
    return 0;
}

LRESULT CToolTipWnd::OnGetFontMsg(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_font.GetSafeHandle()); }
