// CStatusBar: panes laid out from the right, the first stretching pane taking what is left.
#include "platform/ui/framework/StatusBar.h"

#include "platform/gdi/DC.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {
constexpr int kPaneBorder = 3;  // each side of a pane's text
constexpr int kPaneGap = 2;

// Status-bar panes as the update handlers see them.
class CStatusCmdUI : public CCmdUI {
public:
    CStatusBar* bar = nullptr;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT style = bar->GetPaneStyle(int(m_nIndex)) & ~SBPS_DISABLED;
        bar->SetPaneStyle(int(m_nIndex), bOn ? style : (style | SBPS_DISABLED));
    }
    void SetCheck(int nCheck) override
    {
        UINT style = bar->GetPaneStyle(int(m_nIndex)) & ~SBPS_POPOUT;
        bar->SetPaneStyle(int(m_nIndex), nCheck ? (style | SBPS_POPOUT) : style);
    }
    void SetText(LPCTSTR lpszText) override { bar->SetPaneText(int(m_nIndex), lpszText); }
};
}  // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CStatusBar::CStatusBar()
{
    m_cxLeftBorder = 2;
    m_cxRightBorder = 2;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 1;
}

CStatusBar::~CStatusBar()
{
    for (Pane& p : m_panes)
        if (p.autoDestroy && p.hwndChild && ::IsWindow(p.hwndChild))
            ::DestroyWindow(p.hwndChild);
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) { return CreateEx(pParentWnd, 0, dwStyle, nID); }

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_BTNFACE + 1)));
    DWORD wndStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS;
    if (!CWnd::Create(cls, L"", wndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    // Room for the text of the bar's font.
    CClientDC dc(this);
    CFont* old = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    m_cyHeight = std::max(20, int(tm.tmHeight) + 2 * kPaneBorder + m_cyTopBorder + m_cyBottomBorder);
    return TRUE;
}

int CStatusBar::TextWidth(const CString& text) const
{
    if (!m_hWnd)
        return 0;
    CClientDC dc(const_cast<CStatusBar*>(this));
    CFont* old = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    int w = dc.GetTextExtent(text).cx;
    dc.SelectObject(old);
    return w;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || (nIDCount > 0 && !lpIDArray))
        return FALSE;
    BOOL result = TRUE;
    std::vector<Pane> panes;
    for (int i = 0; i < nIDCount; ++i) {
        Pane p;
        p.nID = lpIDArray[i];
        if (p.nID == ID_SEPARATOR) {
            p.nStyle = SBPS_STRETCH | SBPS_NOBORDERS;
            p.cxText = 1;
        } else {
            p.strText = AfxLoadString(p.nID);
            if (p.strText.IsEmpty())
                result = FALSE;  // the pane stays, without text
            p.cxText = TextWidth(p.strText);
        }
        panes.push_back(p);
    }
    for (Pane& old : m_panes)
        if (old.autoDestroy && old.hwndChild && ::IsWindow(old.hwndChild))
            ::DestroyWindow(old.hwndChild);
    m_panes = std::move(panes);
    m_nCount = int(m_panes.size());
    if (m_hWnd) {
        PlacePaneWindows();
        Invalidate();
    }
    return result;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].nID == nIDFind)
            return int(i);
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && size_t(nIndex) < m_panes.size() ? m_panes[size_t(nIndex)].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    *lpRect = RECT{0, 0, 0, 0};
    if (nIndex < 0 || size_t(nIndex) >= m_panes.size() || !m_hWnd)
        return;
    CRect inside;
    GetClientRect(&inside);
    inside.DeflateRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
    // Fixed panes from the right; the stretching pane gets the rest.
    int fixed = 0, stretch = -1;
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if ((m_panes[i].nStyle & SBPS_STRETCH) && stretch < 0)
            stretch = int(i);
        else
            fixed += m_panes[i].cxText + 2 * kPaneBorder;
        if (i > 0)
            fixed += kPaneGap;
    }
    int extra = std::max(0, inside.Width() - fixed);
    int x = inside.left;
    for (size_t i = 0; i < m_panes.size(); ++i) {
        int w = int(i) == stretch ? extra : m_panes[i].cxText + 2 * kPaneBorder;
        if (int(i) == nIndex) {
            *lpRect = RECT{x, inside.top, std::min(x + w, int(inside.right)), inside.bottom};
            return;
        }
        x += w + kPaneGap;
    }
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || size_t(nIndex) >= m_panes.size()) {
        nID = 0, nStyle = 0, cxWidth = 0;
        return;
    }
    const Pane& p = m_panes[size_t(nIndex)];
    nID = p.nID;
    nStyle = p.nStyle;
    cxWidth = p.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || size_t(nIndex) >= m_panes.size())
        return;
    Pane& p = m_panes[size_t(nIndex)];
    bool changed = p.nID != nID || p.nStyle != nStyle || p.cxText != cxWidth;
    p.nID = nID;
    p.nStyle = nStyle;
    p.cxText = std::max(0, cxWidth);
    if (changed && m_hWnd) {
        PlacePaneWindows();
        Invalidate();
    }
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && size_t(nIndex) < m_panes.size() ? m_panes[size_t(nIndex)].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || size_t(nIndex) >= m_panes.size() || m_panes[size_t(nIndex)].nStyle == nStyle)
        return;
    bool disabledChanged = ((m_panes[size_t(nIndex)].nStyle ^ nStyle) & SBPS_DISABLED) != 0;
    m_panes[size_t(nIndex)].nStyle = nStyle;
    if (disabledChanged && m_panes[size_t(nIndex)].hwndChild)
        PlacePaneWindows();
    if (m_hWnd) {
        CRect r;
        GetItemRect(nIndex, &r);
        InvalidateRect(&r);
    }
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && size_t(nIndex) < m_panes.size() ? m_panes[size_t(nIndex)].strText : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || size_t(nIndex) >= m_panes.size())
        return FALSE;
    Pane& p = m_panes[size_t(nIndex)];
    CString text = lpszNewText ? lpszNewText : L"";
    if (p.strText == text)
        return TRUE;
    p.strText = text;
    if (bUpdate && m_hWnd) {
        CRect r;
        GetItemRect(nIndex, &r);
        InvalidateRect(&r);
    }
    return TRUE;
}

BOOL CStatusBar::InsertPane(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || size_t(nIndex) > m_panes.size() || CommandToIndex(nID) >= 0)
        return FALSE;
    Pane p;
    p.nID = nID;
    p.nStyle = nStyle;
    p.cxText = std::max(0, cxWidth);
    m_panes.insert(m_panes.begin() + nIndex, p);
    m_nCount = int(m_panes.size());
    if (m_hWnd) {
        PlacePaneWindows();
        Invalidate();
    }
    return TRUE;
}

BOOL CStatusBar::RemovePane(int nIndex)
{
    if (nIndex < 0 || size_t(nIndex) >= m_panes.size() || m_panes.size() <= 1)
        return FALSE;
    Pane p = m_panes[size_t(nIndex)];
    m_panes.erase(m_panes.begin() + nIndex);
    m_nCount = int(m_panes.size());
    if (p.autoDestroy && p.hwndChild && ::IsWindow(p.hwndChild))
        ::DestroyWindow(p.hwndChild);
    if (m_hWnd) {
        PlacePaneWindows();
        Invalidate();
    }
    return TRUE;
}

BOOL CStatusBar::SetPaneWindow(int nIndex, CWnd* pWnd, BOOL bAutoDestroy)
{
    if (nIndex < 0 || size_t(nIndex) >= m_panes.size())
        return FALSE;
    Pane& p = m_panes[size_t(nIndex)];
    if (p.autoDestroy && p.hwndChild && p.hwndChild != (pWnd ? pWnd->m_hWnd : nullptr) && ::IsWindow(p.hwndChild))
        ::DestroyWindow(p.hwndChild);
    p.hwndChild = pWnd ? pWnd->m_hWnd : nullptr;
    p.autoDestroy = bAutoDestroy != FALSE;
    PlacePaneWindows();
    return TRUE;
}

CWnd* CStatusBar::GetPaneWindow(int nIndex) const
{
    if (nIndex < 0 || size_t(nIndex) >= m_panes.size())
        return nullptr;
    return CWnd::FromHandle(m_panes[size_t(nIndex)].hwndChild);
}

void CStatusBar::PlacePaneWindows()
{
    if (!m_hWnd)
        return;
    for (size_t i = 0; i < m_panes.size(); ++i) {
        HWND child = m_panes[i].hwndChild;
        if (!child || !::IsWindow(child))
            continue;
        // A hosted window follows its pane's disabled style.
        BOOL enable = (m_panes[i].nStyle & SBPS_DISABLED) == 0;
        if (::IsWindowEnabled(child) != enable)
            ::EnableWindow(child, enable);
        CRect r;
        GetItemRect(int(i), &r);
        r.DeflateRect(1, 1);
        ::SetWindowPos(child, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    PlacePaneWindows();
    Invalidate();
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL) { return CSize(32767, m_cyHeight); }

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CStatusCmdUI state;
    state.bar = this;
    state.m_pOther = this;
    state.m_nIndexMax = UINT(m_panes.size());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = m_panes[state.m_nIndex].nID;
        if (state.m_nID == ID_SEPARATOR)
            continue;
        // Panes without a handler keep their state (the message pane, panes set by code).
        state.DoUpdate(pTarget, FALSE);
        (void)bDisableIfNoHndler;
    }
}

void CStatusBar::DoPaint(CDC* pDC)
{
    CControlBar::DoPaint(pDC);
    CFont* old = pDC->SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    for (size_t i = 0; i < m_panes.size(); ++i) {
        const Pane& p = m_panes[i];
        CRect r;
        GetItemRect(int(i), &r);
        if (r.IsRectEmpty())
            continue;
        if (!(p.nStyle & SBPS_NOBORDERS)) {
            if (p.nStyle & SBPS_POPOUT)
                pDC->Draw3dRect(&r, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
            else
                pDC->Draw3dRect(&r, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        }
        // A disabled pane shows no text (the key indicators when their key is off).
        if ((p.nStyle & SBPS_DISABLED) || p.hwndChild)
            continue;
        CRect t = r;
        t.DeflateRect(kPaneBorder, 0);
        pDC->DrawText(p.strText, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    pDC->SelectObject(old);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    // The window text is the message pane (the first one).
    int index = CommandToIndex(ID_SEPARATOR);
    if (index < 0)
        index = 0;
    return SetPaneText(index, reinterpret_cast<LPCTSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    int index = std::max(0, CommandToIndex(ID_SEPARATOR));
    CString text = GetPaneText(index);
    auto* buf = reinterpret_cast<LPWSTR>(lParam);
    if (!buf || wParam == 0)
        return 0;
    int n = std::min(text.GetLength(), int(wParam) - 1);
    std::copy(LPCTSTR(text), LPCTSTR(text) + n, buf);
    buf[n] = 0;
    return n;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    return GetPaneText(std::max(0, CommandToIndex(ID_SEPARATOR))).GetLength();
}
