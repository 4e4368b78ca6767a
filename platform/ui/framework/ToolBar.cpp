// CToolBar: button layout, drawing, clicks, drop-downs, idle update, fly-by text and tooltips.
#include "platform/ui/framework/ToolBar.h"

#include "platform/base/ResourceTables.h"
#include "platform/gdi/DC.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/CmdRouting.h"
#include "platform/ui/controls/CtlCommCtrl.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {
constexpr int kSeparatorWidth = 8;
constexpr int kDropArrowWidth = 12;
constexpr UINT_PTR kTipTimer = 0xE101;
constexpr UINT kTipDelayMs = 500;

// Toolbar buttons as the update handlers see them.
class CToolCmdUI : public CCmdUI {
public:
    CToolBar* bar = nullptr;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT style = bar->GetButtonStyle(int(m_nIndex)) & ~TBBS_DISABLED;
        if (!bOn)
            style = (style | TBBS_DISABLED) & ~TBBS_PRESSED;
        bar->SetButtonStyle(int(m_nIndex), style);
    }
    void SetCheck(int nCheck) override
    {
        UINT style = bar->GetButtonStyle(int(m_nIndex)) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            style |= TBBS_CHECKED;
        else if (nCheck == 2)
            style |= TBBS_INDETERMINATE;
        bar->SetButtonStyle(int(m_nIndex), style | TBBS_CHECKBOX);
    }
    void SetText(LPCTSTR) override {}
};

LRESULT CALLBACK_TipProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(h, &ps);
        RECT r;
        ::GetClientRect(h, &r);
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_INFOBK));
        wchar_t text[128] = {};
        ::GetWindowTextW(h, text, 128);
        HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
        ::InflateRect(&r, -3, 0);
        ::DrawTextW(dc, text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        ::SelectObject(dc, old);
        ::EndPaint(h, &ps);
        return 0;
    }
    default:
        return ::DefWindowProcW(h, msg, wParam, lParam);
    }
}

LPCWSTR TipClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = CALLBACK_TipProc;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"TvxBarTip";
        ::RegisterClassW(&wc);
        registered = true;
    }
    return L"TvxBarTip";
}
}  // namespace

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_TIMER()
    ON_WM_CAPTURECHANGED()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// ---- the common-control view of the buttons ----

BOOL CToolBarButtons::IsButtonEnabled(int nID) const
{
    int i = m_bar->CommandToIndex(UINT(nID));
    return i >= 0 && !(m_bar->GetButtonStyle(i) & TBBS_DISABLED);
}

BOOL CToolBarButtons::IsButtonChecked(int nID) const
{
    int i = m_bar->CommandToIndex(UINT(nID));
    return i >= 0 && (m_bar->GetButtonStyle(i) & TBBS_CHECKED);
}

BOOL CToolBarButtons::IsButtonHidden(int nID) const
{
    int i = m_bar->CommandToIndex(UINT(nID));
    return i >= 0 && (m_bar->GetButtonStyle(i) & TBBS_HIDDEN);
}

BOOL CToolBarButtons::IsButtonPressed(int nID) const
{
    int i = m_bar->CommandToIndex(UINT(nID));
    return i >= 0 && (m_bar->GetButtonStyle(i) & TBBS_PRESSED);
}

BOOL CToolBarButtons::EnableButton(int nID, BOOL bEnable)
{
    int i = m_bar->CommandToIndex(UINT(nID));
    if (i < 0)
        return FALSE;
    UINT s = m_bar->GetButtonStyle(i) & ~TBBS_DISABLED;
    m_bar->SetButtonStyle(i, bEnable ? s : (s | TBBS_DISABLED));
    return TRUE;
}

BOOL CToolBarButtons::CheckButton(int nID, BOOL bCheck)
{
    int i = m_bar->CommandToIndex(UINT(nID));
    if (i < 0)
        return FALSE;
    UINT s = m_bar->GetButtonStyle(i) & ~TBBS_CHECKED;
    m_bar->SetButtonStyle(i, bCheck ? (s | TBBS_CHECKED) : s);
    return TRUE;
}

BOOL CToolBarButtons::HideButton(int nID, BOOL bHide)
{
    int i = m_bar->CommandToIndex(UINT(nID));
    if (i < 0)
        return FALSE;
    UINT s = m_bar->GetButtonStyle(i) & ~TBBS_HIDDEN;
    m_bar->SetButtonStyle(i, bHide ? (s | TBBS_HIDDEN) : s);
    return TRUE;
}

BOOL CToolBarButtons::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (nIndex < 0 || nIndex >= GetButtonCount())
        return FALSE;
    m_bar->GetItemRect(nIndex, lpRect);
    return TRUE;
}

int CToolBarButtons::GetButtonCount() const { return m_bar->GetCount(); }
DWORD CToolBarButtons::SetExtendedStyle(DWORD dwExStyle) { return m_bar->SetExtendedStyle(dwExStyle); }
DWORD CToolBarButtons::GetExtendedStyle() const { return m_bar->GetExtendedStyle(); }

// ---- creation and content ----

CToolBar::CToolBar()
{
    m_cxLeftBorder = 2;
    m_cxRightBorder = 2;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 2;
}

CToolBar::~CToolBar() = default;

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    SetBorders(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
    m_dwCtrlStyle = dwCtrlStyle;
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_BTNFACE + 1)));
    DWORD wndStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS;
    return CWnd::Create(cls, L"", wndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    const ResourceFinder& f = AfxGetResourceFinder();
    const ToolbarTemplate* t = f.findToolbar ? f.findToolbar(nIDResource) : nullptr;
    if (!t || t->buttonWidth <= 0 || t->buttonHeight <= 0 || t->buttonWidth > 256 || t->buttonHeight > 256)
        return FALSE;
    std::vector<UINT> ids(t->items.begin(), t->items.end());
    SetSizes(CSize(t->buttonWidth + 7, t->buttonHeight + 7), CSize(t->buttonWidth, t->buttonHeight));
    if (!SetButtons(ids.data(), int(ids.size())))
        return FALSE;
    return LoadBitmap(nIDResource);
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    m_bitmap.DeleteObject();
    BOOL ok = m_bitmap.LoadBitmap(nIDResource);
    if (m_hWnd)
        Invalidate();
    return ok;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || nIDCount > 1000 || (nIDCount > 0 && !lpIDArray))
        return FALSE;
    m_items.clear();
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        Button b;
        b.nID = lpIDArray[i];
        if (b.nID == ID_SEPARATOR) {
            b.fsStyle = TBSTYLE_SEP;
        } else {
            b.iImage = image++;
        }
        m_items.push_back(b);
    }
    m_nCount = int(m_items.size());
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
}

DWORD CToolBar::SetExtendedStyle(DWORD dwExStyle)
{
    DWORD old = m_dwExStyle;
    m_dwExStyle = dwExStyle;
    if (m_hWnd)
        Invalidate();
    return old;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].nID == nIDFind && !(m_items[i].fsStyle & TBSTYLE_SEP))
            return int(i);
    return -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && size_t(nIndex) < m_items.size() ? m_items[size_t(nIndex)].nID : 0;
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    if (nIndex < 0 || size_t(nIndex) >= m_items.size())
        return 0;
    const Button& b = m_items[size_t(nIndex)];
    // The state's enabled bit reads as "disabled" in the button style.
    return UINT(b.fsStyle) | (UINT(b.fsState ^ TBSTATE_ENABLED) << 16);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || size_t(nIndex) >= m_items.size())
        return;
    Button& b = m_items[size_t(nIndex)];
    BYTE style = BYTE(nStyle & 0xFF);
    BYTE state = BYTE((nStyle >> 16) & 0xFF) ^ TBSTATE_ENABLED;
    if (b.fsStyle == style && b.fsState == state)
        return;
    bool relayout = ((b.fsState ^ state) & TBSTATE_HIDDEN) || ((b.fsStyle ^ style) & (TBSTYLE_SEP | TBSTYLE_DROPDOWN));
    b.fsStyle = style;
    b.fsState = state;
    if (!m_hWnd)
        return;
    if (relayout) {
        Invalidate();
        if (CFrameWnd* frame = GetDockingFrame())
            frame->DelayRecalcLayout();
    } else {
        InvalidateButton(nIndex);
    }
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    nID = GetItemID(nIndex);
    nStyle = GetButtonStyle(nIndex);
    iImage = nIndex >= 0 && size_t(nIndex) < m_items.size() ? m_items[size_t(nIndex)].iImage : -1;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    if (nIndex < 0 || size_t(nIndex) >= m_items.size())
        return;
    m_items[size_t(nIndex)].nID = nID;
    m_items[size_t(nIndex)].iImage = iImage;
    SetButtonStyle(nIndex, nStyle);
    if (m_hWnd)
        Invalidate();
}

// ---- layout ----

bool CToolBar::IsVertical() const
{
    // Docked at the left or right side the buttons stand in a column.
    return (m_dwStyle & CBRS_ORIENT_VERT) && !(m_dwStyle & CBRS_ORIENT_HORZ) && !(m_dwStyle & CBRS_FLOATING);
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    *lpRect = RECT{0, 0, 0, 0};
    if (nIndex < 0 || size_t(nIndex) >= m_items.size())
        return;
    bool vertical = IsVertical();
    CRect inside(0, 0, 32767, 32767);
    CalcInsideRect(inside, !vertical);
    int pos = vertical ? inside.top : inside.left;
    for (size_t i = 0; i < m_items.size(); ++i) {
        const Button& b = m_items[i];
        int len = 0;
        if (!(b.fsState & TBSTATE_HIDDEN)) {
            if (b.fsStyle & TBSTYLE_SEP)
                len = kSeparatorWidth;
            else
                len = (vertical ? m_sizeButton.cy : m_sizeButton.cx) +
                      ((b.fsStyle & TBSTYLE_DROPDOWN) && (m_dwExStyle & TBSTYLE_EX_DRAWDDARROWS) && !vertical
                           ? kDropArrowWidth
                           : 0);
        }
        if (int(i) == nIndex) {
            if (len == 0)
                return;
            if (vertical)
                *lpRect = RECT{inside.left, pos, inside.left + m_sizeButton.cx, pos + len};
            else
                *lpRect = RECT{pos, inside.top, pos + len, inside.top + m_sizeButton.cy};
            return;
        }
        pos += len;
    }
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // The extent of the buttons plus the borders around them.
    int extent = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        CRect r;
        GetItemRect(int(i), &r);
        if (!r.IsRectEmpty())
            extent = std::max(extent, int(IsVertical() ? r.bottom : r.right));
    }
    CRect inside(0, 0, 1000, 1000);
    CalcInsideRect(inside, bHorz);
    int across = (m_cyForced ? m_cyForced : (bHorz ? m_sizeButton.cy : m_sizeButton.cx)) + (1000 - inside.Height());
    if (!bHorz)
        across = m_sizeButton.cx + (1000 - inside.Width());
    int along = std::max(extent, int(bHorz ? inside.left : inside.top)) + (bHorz ? 1000 - inside.right : 1000 - inside.bottom);
    if (bHorz)
        return CSize(bStretch ? 32767 : along, across);
    return CSize(across, bStretch ? 32767 : along);
}

CSize CToolBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

int CToolBar::IndexAt(CPoint point) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        CRect r;
        GetItemRect(int(i), &r);
        if (!r.IsRectEmpty() && r.PtInRect(point))
            return int(i);
    }
    return -1;
}

int CToolBar::HitTestItem(CPoint point) const
{
    int i = IndexAt(point);
    if (i < 0 || (m_items[size_t(i)].fsStyle & TBSTYLE_SEP))
        return -1;
    return int(m_items[size_t(i)].nID);
}

void CToolBar::InvalidateButton(int index)
{
    CRect r;
    GetItemRect(index, &r);
    if (!r.IsRectEmpty())
        InvalidateRect(&r);
}

// ---- drawing ----

void CToolBar::DoPaint(CDC* pDC)
{
    CControlBar::DoPaint(pDC);
    BITMAP bm{};
    bool haveImages = m_bitmap.GetSafeHandle() && m_bitmap.GetBitmap(&bm);
    CDC images;
    CBitmap* oldImages = nullptr;
    if (haveImages) {
        images.CreateCompatibleDC(pDC);
        oldImages = images.SelectObject(&m_bitmap);
    }
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    for (size_t i = 0; i < m_items.size(); ++i) {
        const Button& b = m_items[i];
        CRect r;
        GetItemRect(int(i), &r);
        if (r.IsRectEmpty())
            continue;
        if (b.fsStyle & TBSTYLE_SEP) {
            int x = r.left + r.Width() / 2 - 1;
            pDC->FillSolidRect(x, r.top + 2, 1, r.Height() - 4, shadow);
            pDC->FillSolidRect(x + 1, r.top + 2, 1, r.Height() - 4, light);
            continue;
        }
        bool enabled = (b.fsState & TBSTATE_ENABLED) != 0;
        bool down = (b.fsState & (TBSTATE_PRESSED | TBSTATE_CHECKED)) != 0;
        bool hot = int(i) == m_iHot && enabled;
        if (b.fsState & TBSTATE_CHECKED)
            pDC->FillSolidRect(&r, ::GetSysColor(COLOR_3DLIGHT));
        if (down)
            pDC->Draw3dRect(&r, shadow, light);
        else if (hot || !(m_dwCtrlStyle & TBSTYLE_FLAT))
            pDC->Draw3dRect(&r, light, shadow);
        int arrow = (b.fsStyle & TBSTYLE_DROPDOWN) && (m_dwExStyle & TBSTYLE_EX_DRAWDDARROWS) ? kDropArrowWidth : 0;
        CRect face(r.left, r.top, r.right - arrow, r.bottom);
        int x = face.left + (face.Width() - m_sizeImage.cx) / 2 + (down ? 1 : 0);
        int y = face.top + (face.Height() - m_sizeImage.cy) / 2 + (down ? 1 : 0);
        if (haveImages && b.iImage >= 0 && (b.iImage + 1) * m_sizeImage.cx <= bm.bmWidth) {
            if (enabled) {
                pDC->BitBlt(x, y, m_sizeImage.cx, m_sizeImage.cy, &images, b.iImage * m_sizeImage.cx, 0, SRCCOPY);
            } else {
                // The image embossed in the shadow colour.
                CBitmap one;
                one.CreateCompatibleBitmap(pDC, m_sizeImage.cx, m_sizeImage.cy);
                CDC oneDC;
                oneDC.CreateCompatibleDC(pDC);
                CBitmap* old = oneDC.SelectObject(&one);
                oneDC.BitBlt(0, 0, m_sizeImage.cx, m_sizeImage.cy, &images, b.iImage * m_sizeImage.cx, 0, SRCCOPY);
                oneDC.SelectObject(old);
                pDC->DrawState(CPoint(x, y), CSize(m_sizeImage.cx, m_sizeImage.cy), &one, DSS_DISABLED);
            }
        }
        if (arrow) {
            CRect a(r.right - arrow, r.top, r.right, r.bottom);
            if (hot || down)
                pDC->Draw3dRect(&a, light, shadow);
            COLORREF c = ::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
            int cx = a.left + a.Width() / 2, cy = a.top + a.Height() / 2;
            for (int k = 0; k < 3; ++k)
                pDC->FillSolidRect(cx - 2 + k, cy - 1 + k, 5 - 2 * k, 1, c);
        }
    }
    if (haveImages)
        images.SelectObject(oldImages);
}

// ---- mouse ----

void CToolBar::Notify(UINT code, int index)
{
    CWnd* owner = GetOwner();
    if (!owner)
        return;
    NMTOOLBARW nm{};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    nm.hdr.code = code;
    const Button& b = m_items[size_t(index)];
    nm.iItem = int(b.nID);
    nm.tbButton = TBBUTTON{b.iImage, int(b.nID), b.fsState, b.fsStyle, 0, 0};
    GetItemRect(index, &nm.rcButton);
    owner->SendMessage(WM_NOTIFY, WPARAM(nm.hdr.idFrom), reinterpret_cast<LPARAM>(&nm));
}

void CToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    HideTip();
    int i = IndexAt(point);
    if (i < 0 || (m_items[size_t(i)].fsStyle & TBSTYLE_SEP)) {
        CControlBar::OnLButtonDown(nFlags, point);  // the background drags a docking bar
        return;
    }
    Button& b = m_items[size_t(i)];
    if (!(b.fsState & TBSTATE_ENABLED))
        return;
    CRect r;
    GetItemRect(i, &r);
    bool arrowPart = (b.fsStyle & TBSTYLE_DROPDOWN) &&
                     (!(m_dwExStyle & TBSTYLE_EX_DRAWDDARROWS) || point.x >= r.right - kDropArrowWidth ||
                      (b.fsStyle & BTNS_WHOLEDROPDOWN));
    if (arrowPart) {
        // The drop-down part asks the owner for its menu; no command.
        b.fsState |= TBSTATE_PRESSED;
        InvalidateButton(i);
        UpdateWindow();
        Notify(TBN_DROPDOWN, i);
        if (size_t(i) < m_items.size()) {
            m_items[size_t(i)].fsState &= ~TBSTATE_PRESSED;
            InvalidateButton(i);
        }
        return;
    }
    m_iPressed = i;
    b.fsState |= TBSTATE_PRESSED;
    InvalidateButton(i);
    SetCapture();
}

void CToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A quick second click on a button is a click; on the background it toggles docking.
    int i = IndexAt(point);
    if (i >= 0 && !(m_items[size_t(i)].fsStyle & TBSTYLE_SEP))
        OnLButtonDown(nFlags, point);
    else
        CControlBar::OnLButtonDblClk(nFlags, point);
}

void CToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_iPressed < 0) {
        CControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    int i = m_iPressed;
    m_iPressed = -1;
    if (CWnd::GetCapture() == this)
        ::ReleaseCapture();
    if (size_t(i) >= m_items.size())
        return;
    Button& b = m_items[size_t(i)];
    b.fsState &= ~TBSTATE_PRESSED;
    InvalidateButton(i);
    if (IndexAt(point) != i || !(b.fsState & TBSTATE_ENABLED))
        return;  // released elsewhere: nothing happens
    if (b.fsStyle & TBSTYLE_CHECK)
        b.fsState ^= TBSTATE_CHECKED;
    UINT id = b.nID;
    if (CWnd* owner = GetOwner())
        owner->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), reinterpret_cast<LPARAM>(m_hWnd));
}

void CToolBar::OnCaptureChanged(CWnd* pWnd)
{
    if (m_iPressed >= 0 && pWnd != this) {
        if (size_t(m_iPressed) < m_items.size())
            m_items[size_t(m_iPressed)].fsState &= ~TBSTATE_PRESSED;
        InvalidateButton(m_iPressed);
        m_iPressed = -1;
    }
    CControlBar::OnCaptureChanged(pWnd);
}

void CToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_tracking) {
        TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
        m_tracking = true;
    }
    int i = IndexAt(point);
    if (i >= 0 && (m_items[size_t(i)].fsStyle & TBSTYLE_SEP))
        i = -1;
    if (i != m_iHot) {
        int old = m_iHot;
        m_iHot = i;
        if (old >= 0)
            InvalidateButton(old);
        if (i >= 0)
            InvalidateButton(i);
        HideTip();
        // The fly-by prompt of the button under the pointer goes to the status bar.
        SetStatusText(i >= 0 ? int(m_items[size_t(i)].nID) : -1);
        if (i >= 0 && (m_dwStyle & CBRS_TOOLTIPS)) {
            m_iTipPending = i;
            SetTimer(kTipTimer, kTipDelayMs);
        }
    }
    CControlBar::OnMouseMove(nFlags, point);
}

void CToolBar::OnMouseLeave()
{
    m_tracking = false;
    int old = m_iHot;
    m_iHot = -1;
    if (old >= 0)
        InvalidateButton(old);
    HideTip();
    SetStatusText(-1);
}

void CToolBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTipTimer) {
        CControlBar::OnTimer(nIDEvent);
        return;
    }
    KillTimer(kTipTimer);
    if (m_iTipPending >= 0 && m_iTipPending == m_iHot)
        ShowTip(m_iTipPending);
    m_iTipPending = -1;
}

CString CToolBar::GetTipText(UINT nID)
{
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = nID;
    info.hdr.code = TTN_NEEDTEXTW;
    if (CWnd* owner = GetOwner())
        owner->SendMessage(WM_NOTIFY, WPARAM(nID), reinterpret_cast<LPARAM>(&info));
    CString tip;
    if (info.lpszText && !IS_INTRESOURCE(info.lpszText))
        tip = info.lpszText;
    else if (info.lpszText)
        tip = AfxLoadString(UINT(reinterpret_cast<UINT_PTR>(info.lpszText)));
    else if (info.szText[0]) {
        info.szText[79] = 0;
        tip = info.szText;
    }
    if (tip.IsEmpty()) {
        CString full = AfxLoadString(nID);
        int nl = full.Find(L'\n');
        if (nl >= 0)
            tip = full.Mid(nl + 1);
    }
    return tip.Left(79);
}

void CToolBar::ShowTip(int index)
{
    if (index < 0 || size_t(index) >= m_items.size())
        return;
    CString tip = GetTipText(m_items[size_t(index)].nID);
    if (tip.IsEmpty())
        return;
    m_strTip = tip;
    CRect r;
    GetItemRect(index, &r);
    ClientToScreen(&r);
    int width;
    {
        CClientDC dc(this);
        CFont* old = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
        width = dc.GetTextExtent(tip).cx + 8;
        dc.SelectObject(old);
    }
    if (!m_hWndTip || !::IsWindow(m_hWndTip))
        m_hWndTip = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TipClass(), L"", WS_POPUP | WS_BORDER, 0, 0, 10,
                                      10, GetTopLevelParent() ? GetTopLevelParent()->m_hWnd : m_hWnd, nullptr, nullptr,
                                      nullptr);
    if (!m_hWndTip)
        return;
    ::SetWindowTextW(m_hWndTip, tip);
    // Raised to the top without taking the activation.
    ::SetWindowPos(m_hWndTip, HWND_TOP, r.left, r.bottom + 2, width, 20, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(m_hWndTip, nullptr, FALSE);
}

void CToolBar::HideTip()
{
    if (m_hWndTip && ::IsWindow(m_hWndTip))
        ::ShowWindow(m_hWndTip, SW_HIDE);
    m_strTip.Empty();
}

void CToolBar::OnDestroy()
{
    KillTimer(kTipTimer);
    if (m_hWndTip && ::IsWindow(m_hWndTip))
        ::DestroyWindow(m_hWndTip);
    m_hWndTip = nullptr;
    CControlBar::OnDestroy();
}

// ---- idle update ----

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.bar = this;
    state.m_pOther = this;
    state.m_nIndexMax = UINT(m_items.size());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        const Button& b = m_items[state.m_nIndex];
        if (b.fsStyle & TBSTYLE_SEP)
            continue;
        state.m_nID = b.nID;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    AfxUpdateDialogControls(this, pTarget, bDisableIfNoHndler);
}
