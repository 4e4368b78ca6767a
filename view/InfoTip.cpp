#include "view/InfoTip.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

BEGIN_MESSAGE_MAP(CInfoTip, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CInfoTip::CInfoTip() : m_pszClass(AfxRegisterWndClass(0)) {}

CInfoTip::~CInfoTip()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CInfoTip::Create(CWnd* pParentWnd)
{
    m_pFont = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    return CreateEx(0, m_pszClass, nullptr, WS_POPUP, 0, 0, 0, 0, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr,
                    nullptr);
}

void CInfoTip::SetIcon(HICON hIcon)
{
    m_hIcon = hIcon;
    m_nIconWidth = m_nIconHeight = 0;
    if (!hIcon)
        return;
    ICONINFO info{};
    if (::GetIconInfo(hIcon, &info)) {
        m_nIconWidth = BYTE(info.xHotspot * 2);
        m_nIconHeight = BYTE(info.yHotspot * 2);
        if (info.hbmMask)
            ::DeleteObject(info.hbmMask);
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
    }
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CInfoTip::SetTipFont(CFont* pFont)
{
    m_pFont = pFont ? pFont : CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CInfoTip::Show(LPCTSTR lpszText, const POINT* pPoint)
{
    if (pPoint)
        m_ptDisplay = *pPoint;
    else
        ::GetCursorPos(&m_ptDisplay);
    m_strText = lpszText ? lpszText : L"";
    if (!m_hWnd)
        return;
    if (!m_strText.IsEmpty()) {
        m_nTimer = SetTimer(kShowTimer, m_nDelay, nullptr);
    } else if (m_nTimer) {
        KillTimer(kShowTimer);
        m_nTimer = 0;
    }
}

void CInfoTip::Hide()
{
    if (m_hWnd && IsWindowVisible())
        ShowWindow(SW_HIDE);
}

void CInfoTip::RelayEvent(MSG* pMsg)
{
    if (!pMsg || !m_hWnd)
        return;
    switch (pMsg->message) {
    case WM_MOUSEMOVE: {
        CPoint pt;
        ::GetCursorPos(&pt);
        // No window has a text of its own here, so nothing is shown for the window below.
        if (pt != m_ptDisplay)
            Hide();
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: Hide(); break;
    default: break;
    }
}

CSize CInfoTip::MeasureBody() const
{
    CClientDC dc(const_cast<CInfoTip*>(this));
    CFont* pOld = dc.SelectObject(m_pFont);
    CRect text(0, 0, 0, 0);
    dc.DrawText(m_strText, &text, DT_CALCRECT);
    dc.SelectObject(pOld);
    CSize body(text.Width() + 24, text.Height() + 20);
    if (m_hIcon) {
        body.cx += m_nIconWidth + 5;
        body.cy = std::max<LONG>(body.cy, m_nIconHeight);
    }
    return body;
}

CSize CInfoTip::GetBalloonSize() const
{
    const CSize body = MeasureBody();
    return CSize(body.cx, body.cy + 25);
}

void CInfoTip::MakeRegion(CRgn* pRgn, const CSize& body) const
{
    const int W = body.cx, H = body.cy;
    pRgn->CreateRoundRectRgn(0, 0, W, H, 12, 10);
    CRgn pointer;
    const POINT tri[3] = {{W - 12, H - 10}, {W - 12, H + 15}, {W - 37, H - 10}};
    pointer.CreatePolygonRgn(tri, 3, ALTERNATE);
    pRgn->CombineRgn(pRgn, &pointer, RGN_OR);
}

void CInfoTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kShowTimer) {
        KillTimer(kShowTimer);
        const CSize body = MeasureBody();
        CRgn rgn;
        MakeRegion(&rgn, body);
        SetWindowRgn(static_cast<HRGN>(rgn.Detach()), TRUE);
        // The pointer's tip lands exactly on the display point.
        ::SetWindowPos(m_hWnd, HWND_TOP, m_ptDisplay.x - body.cx + 12, m_ptDisplay.y - (body.cy + 25) + 10, body.cx,
                     body.cy + 25, SWP_SHOWWINDOW | SWP_NOACTIVATE);
        Invalidate();
        m_nTimer = SetTimer(kPollTimer, 500, nullptr);
    } else if (nIDEvent == kPollTimer) {
        CPoint pt;
        ::GetCursorPos(&pt);
        if (pt != m_ptDisplay) {
            KillTimer(kPollTimer);
            m_nTimer = 0;
            Hide();
        }
    }
    Default();
}

void CInfoTip::OnPaint()
{
    CPaintDC dc(this);
    const CSize body = MeasureBody();
    CRgn rgn;
    MakeRegion(&rgn, body);
    CBrush fill, frame, outline;
    fill.CreateSysColorBrush(COLOR_WINDOW);
    frame.CreateSysColorBrush(COLOR_SCROLLBAR);
    outline.CreateSysColorBrush(COLOR_WINDOWTEXT);
    dc.FillRgn(&rgn, &fill);
    dc.FrameRgn(&rgn, &frame, 3, 3);
    dc.FrameRgn(&rgn, &outline, 1, 1);
    CFont* pOld = dc.SelectObject(m_pFont);
    const int bkMode = dc.SetBkMode(TRANSPARENT);
    CRect client;
    GetClientRect(&client);
    client.left += 12 + (m_hIcon ? m_nIconWidth + 5 : 0);
    client.top += 10;
    dc.DrawText(m_strText, &client, 0);
    if (m_hIcon)
        ::DrawIconEx(dc.GetSafeHdc(), 12, 10, m_hIcon, 0, 0, 0, nullptr, DI_NORMAL);
    dc.SetBkMode(bkMode);
    dc.SelectObject(pOld);
}

void CInfoTip::OnDestroy()
{
    if (m_nTimer) {
        KillTimer(kShowTimer);
        KillTimer(kPollTimer);
        m_nTimer = 0;
    }
    CWnd::OnDestroy();
}
