// CIconButton: icons and their derived copies, hot tracking, check-box mode, and drawing.
#include "controls/IconButton.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"
#include "platform/ui/dialogs/DlgManager.h"
#include "platform/ui/framework/App.h"

#include <algorithm>
#include <vector>

namespace {

constexpr UINT kButtonTypeMask = 0x1F;
constexpr UINT kOwnerDraw = 0x0B;
constexpr UINT kDefPushButton = 1;
constexpr UINT kCheckBit = 2;
constexpr UINT kToolId = 1;
constexpr int kMaxTipWidth = 400;

}  // namespace

BEGIN_MESSAGE_MAP(CIconButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

BOOL CIconButton::OnClicked()
{
    SetFocus();
    if (m_bIsCheckBox) {
        m_nCheck = !m_nCheck;
        Invalidate();
    }
    return FALSE;  // the parent hears of the click too
}

CIconButton::CIconButton()
{
    ResetColours(FALSE);
    SetPushedLook(0, FALSE);
}

CIconButton::~CIconButton()
{
    FreeIcons();
}

// ---------------------------------------------------------------------------------------------
// Icons

void CIconButton::FreeIcons()
{
    for (IconRecord& icon : m_icons) {
        if (icon.hIcon && icon.bOwned)
            ::DestroyIcon(icon.hIcon);
        icon = IconRecord();
    }
}

HICON CIconButton::DerivedIcon(HICON hIcon, BOOL bGray)
{
    ICONINFO info{};
    if (!::GetIconInfo(hIcon, &info))
        return nullptr;
    HICON hNew = nullptr;
    BITMAP bm{};
    if (info.hbmColor && ::GetObject(info.hbmColor, sizeof bm, &bm) && bm.bmWidth > 0 && bm.bmHeight > 0) {
        CClientDC screen(nullptr);
        CDC src, dst;
        src.CreateCompatibleDC(&screen);
        dst.CreateCompatibleDC(&screen);
        CBitmap out;
        out.CreateCompatibleBitmap(&screen, bm.bmWidth, bm.bmHeight);
        CBitmap* pOldSrc = src.SelectObject(CBitmap::FromHandle(info.hbmColor));
        CBitmap* pOldDst = dst.SelectObject(&out);
        for (int y = 0; y < bm.bmHeight; ++y) {
            for (int x = 0; x < bm.bmWidth; ++x) {
                const COLORREF c = src.GetPixel(x, y);
                COLORREF n = c;
                if (c != RGB(0, 0, 0)) {
                    if (bGray) {
                        const int g = int(0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c));
                        n = RGB(g, g, g);
                    } else {
                        auto darker = [](int v) { return int(v - 0.25 * v); };
                        n = RGB(darker(GetRValue(c)), darker(GetGValue(c)), darker(GetBValue(c)));
                    }
                }
                dst.SetPixel(x, y, n);
            }
        }
        src.SelectObject(pOldSrc);
        dst.SelectObject(pOldDst);
        ICONINFO made = info;
        made.hbmColor = static_cast<HBITMAP>(out.GetSafeHandle());
        hNew = ::CreateIconIndirect(&made);
    }
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return hNew;
}

int CIconButton::SetIcon(HICON hIconIn, HICON hIconOut)
{
    FreeIcons();
    if (hIconIn == nullptr) {
        Invalidate();
        return ResultOk;
    }
    SIZE size{};
    if (!::GetIconSize(hIconIn, &size))
        return ResultNoIconInfo;
    m_icons[0] = IconRecord{hIconIn, int(size.cx), int(size.cy), TRUE};
    const auto special = reinterpret_cast<INT_PTR>(hIconOut);
    if (special == IconGray || special == IconDarker) {
        HICON hDerived = DerivedIcon(hIconIn, special == IconGray);
        if (hDerived == nullptr) {
            FreeIcons();
            return ResultNoIconInfo;
        }
        m_icons[1] = IconRecord{hDerived, int(size.cx), int(size.cy), TRUE};
    } else if (hIconOut) {
        SIZE sizeOut{};
        if (!::GetIconSize(hIconOut, &sizeOut)) {
            FreeIcons();
            return ResultNoIconInfo;
        }
        m_icons[1] = IconRecord{hIconOut, int(sizeOut.cx), int(sizeOut.cy), TRUE};
    }
    if (m_hWnd)
        Invalidate();
    return ResultOk;
}

int CIconButton::SetIcon(int nIconIn, int nIconOut)
{
    return SetIcon(nIconIn, 0, 0, nIconOut, 0, 0);
}

int CIconButton::SetIcon(int nIconIn, int /*cxIn*/, int /*cyIn*/, int nIconOut, int /*cxOut*/, int /*cyOut*/)
{
    // Resource icons are shared: the button keeps them without owning them.
    HICON hIn = ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCE(nIconIn));
    HICON hOut = nullptr;
    if (nIconOut == IconGray || nIconOut == IconDarker)
        hOut = reinterpret_cast<HICON>(static_cast<INT_PTR>(nIconOut));
    else if (nIconOut != IconNone)
        hOut = ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCE(nIconOut));
    const int result = SetIcon(hIn, hOut);
    if (result == ResultOk) {
        m_icons[0].bOwned = FALSE;
        if (nIconOut != IconGray && nIconOut != IconDarker)
            m_icons[1].bOwned = FALSE;
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// Look

int CIconButton::SetFlat(BOOL bFlat, BOOL bRepaint)
{
    m_bIsFlat = bFlat;
    if (bRepaint && m_hWnd)
        Invalidate();
    return ResultOk;
}

int CIconButton::SetAlign(BYTE byAlign, BOOL bRepaint)
{
    if (byAlign > AlignOverlap)
        return ResultBadAlign;
    m_byAlign = byAlign;
    if (bRepaint && m_hWnd)
        Invalidate();
    return ResultOk;
}

int CIconButton::SetPushedLook(BYTE byStyle, BOOL bRepaint)
{
    if (byStyle > 1)
        return ResultBadPressedStyle;
    m_pressedOffset = byStyle == 0 ? CSize(1, 1) : CSize(0, 2);
    if (bRepaint && m_hWnd)
        Invalidate();
    return ResultOk;
}

int CIconButton::SetCheck(int nCheck, BOOL bRepaint)
{
    if (m_bIsCheckBox) {
        m_nCheck = nCheck != 0;
        if (bRepaint && m_hWnd)
            Invalidate();
    }
    return ResultOk;
}

void CIconButton::SetFlatFocus(BOOL bDrawFlatFocus, BOOL bRepaint)
{
    m_bDrawFlatFocus = bDrawFlatFocus;
    if (bRepaint && m_hWnd)
        Invalidate();
}

void CIconButton::SetBorder(BOOL bBorder, BOOL bRepaint)
{
    m_bDrawBorder = bBorder;
    if (bRepaint && m_hWnd)
        Invalidate();
}

int CIconButton::ResetColours(BOOL bRepaint)
{
    for (int i = 0; i < ColorCount; ++i)
        m_crColors[i] = ::GetSysColor(i % 2 == 0 ? COLOR_BTNFACE : COLOR_BTNTEXT);
    if (bRepaint && m_hWnd)
        Invalidate();
    return ResultOk;
}

int CIconButton::SetColor(BYTE byColorIndex, COLORREF crColor, BOOL bRepaint)
{
    if (byColorIndex >= ColorCount)
        return ResultBadColorIndex;
    m_crColors[byColorIndex] = crColor;
    if (bRepaint && m_hWnd)
        Invalidate();
    return ResultOk;
}

int CIconButton::OffsetColor(BYTE byColorIndex, short shOffset, BOOL bRepaint)
{
    if (byColorIndex >= ColorCount)
        return ResultBadColorIndex;
    if (shOffset < -255 || shOffset > 255)
        return ResultBadOffset;
    const COLORREF c = m_crColors[byColorIndex];
    const int channels[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    // The same amount on every channel, shortened so that none leaves 0..255.
    int offset = shOffset;
    for (int v : channels)
        offset = offset > 0 ? std::min(offset, 255 - v) : std::max(offset, -v);
    m_crColors[byColorIndex] = RGB(channels[0] + offset, channels[1] + offset, channels[2] + offset);
    if (bRepaint && m_hWnd)
        Invalidate();
    return ResultOk;
}

// ---------------------------------------------------------------------------------------------
// Tooltip

void CIconButton::InitToolTip()
{
    if (m_ToolTip.GetSafeHwnd())
        return;
    if (!m_ToolTip.Create(this, m_dwToolTipStyle))
        return;
    m_ToolTip.Activate(FALSE);
    m_ToolTip.SetMaxTipWidth(kMaxTipWidth);
}

void CIconButton::SetTooltipText(LPCTSTR lpszText, BOOL bActivate)
{
    if (lpszText == nullptr || m_hWnd == nullptr)
        return;
    InitToolTip();
    if (m_ToolTip.GetToolCount() == 0) {
        CRect rc;
        GetClientRect(&rc);
        m_ToolTip.AddTool(this, lpszText, &rc, kToolId);
    }
    m_ToolTip.UpdateTipText(lpszText, this, kToolId);
    m_ToolTip.Activate(bActivate);
}

BOOL CIconButton::PreTranslateMessage(MSG* pMsg)
{
    InitToolTip();
    if (m_ToolTip.GetSafeHwnd())
        m_ToolTip.RelayEvent(pMsg);
    // A double click acts as a second click.
    if (pMsg->message == WM_LBUTTONDBLCLK && pMsg->hwnd == m_hWnd)
        pMsg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------------------------
// Messages

void CIconButton::TakeType(UINT nType)
{
    if (nType & kCheckBit)
        m_bIsCheckBox = TRUE;
    if (nType == kDefPushButton) {
        m_bIsDefault = TRUE;
        nType = 0;
    }
    m_nTypeStyle = nType;
}

void CIconButton::PreSubclassWindow()
{
    TakeType(UINT(GetStyle()) & kButtonTypeMask);
    CButton::PreSubclassWindow();
    ModifyStyle(kButtonTypeMask, kOwnerDraw, SWP_FRAMECHANGED);
}

BOOL CIconButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    TakeType(UINT(dwStyle) & kButtonTypeMask);
    return CButton::Create(lpszCaption, (dwStyle & ~DWORD(kButtonTypeMask)) | kOwnerDraw, rect, pParentWnd, nID);
}

void CIconButton::CancelHover()
{
    if (m_bIsFlat && m_bMouseOnButton) {
        m_bMouseOnButton = FALSE;
        Invalidate();
    }
}

LRESULT CIconButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return CButton::WindowProc(message, wParam, lParam) | (m_bIsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE: {
        const UINT type = UINT(wParam) & kButtonTypeMask;
        if (type == kDefPushButton)
            m_bIsDefault = TRUE;
        else if (type == 0)
            m_bIsDefault = FALSE;
        // Always owner-drawn.
        return CButton::WindowProc(message, (wParam & ~WPARAM(kButtonTypeMask)) | kOwnerDraw, lParam);
    }
    case BM_SETCHECK:
        SetCheck(wParam == BST_CHECKED || wParam == BST_INDETERMINATE ? 1 : 0, TRUE);
        return 0;
    case BM_GETCHECK:
        return m_nCheck;
    case WM_SYSCOLORCHANGE: {
        const LRESULT r = CButton::WindowProc(message, wParam, lParam);
        ResetColours(TRUE);
        return r;
    }
    case WM_ENABLE: {
        const LRESULT r = CButton::WindowProc(message, wParam, lParam);
        if (!wParam) {
            // A disabled button gives the focus to the next control.
            // Disabling a focused window leaves the focus nowhere.
            if (CWnd::GetFocus() == this || CWnd::GetFocus() == nullptr) {
                CWnd* pParent = GetParent();
                HWND hNext = pParent ? ::GetNextDlgTabItem(pParent->GetSafeHwnd(), m_hWnd, FALSE) : nullptr;
                if (hNext && hNext != m_hWnd)
                    ::SetFocus(hNext);
                else if (pParent)
                    pParent->SetFocus();
            }
            CancelHover();
        }
        return r;
    }
    case WM_KILLFOCUS:
    case WM_CANCELMODE: {
        const LRESULT r = CButton::WindowProc(message, wParam, lParam);
        CancelHover();
        return r;
    }
    case WM_ACTIVATE: {
        const LRESULT r = CButton::WindowProc(message, wParam, lParam);
        if (LOWORD(wParam) == WA_INACTIVE)
            CancelHover();
        return r;
    }
    case WM_MOUSEMOVE: {
        const LRESULT r = CButton::WindowProc(message, wParam, lParam);
        if (!m_bIsFlat || ((wParam & MK_LBUTTON) && !m_bMouseOnButton))
            return r;
        CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        ClientToScreen(&pt);
        CWnd* pUnder = CWnd::WindowFromPoint(pt);
        const BOOL bAvailable = m_bAlwaysTrack || ::GetActiveWindow() != nullptr;
        if (pUnder == this && bAvailable) {
            if (!m_bMouseOnButton) {
                m_bMouseOnButton = TRUE;
                Invalidate();
                TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_hWnd, 0};
                ::TrackMouseEvent(&tme);
            }
        } else {
            CancelHover();
        }
        return r;
    }
    case WM_MOUSELEAVE:
        CancelHover();
        return CButton::WindowProc(message, wParam, lParam);
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void CIconButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    m_bIsPressed = (lpDIS->itemState & ODS_SELECTED) != 0;
    if (m_bIsCheckBox)
        m_bIsPressed = m_bIsPressed || m_nCheck;
    m_bIsFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
    m_bIsDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;

    CRect itemRect(lpDIS->rcItem);
    pDC->SetBkMode(TRANSPARENT);
    PaintBackground(pDC, &itemRect);
    PaintBorder(pDC, &itemRect);

    CString title;
    GetWindowText(title);
    CRect captionRect(lpDIS->rcItem);
    if (m_icons[0].hIcon)
        PaintIcon(pDC, !title.IsEmpty(), &lpDIS->rcItem, &captionRect);
    if (!title.IsEmpty())
        PaintCaption(pDC, title, &lpDIS->rcItem, &captionRect);

    if ((!m_bIsFlat || m_bDrawFlatFocus) && m_bIsFocused) {
        CRect focusRect(lpDIS->rcItem);
        focusRect.DeflateRect(3, 3);
        pDC->DrawFocusRect(&focusRect);
    }
}

DWORD CIconButton::PaintBackground(CDC* pDC, CRect* pRect)
{
    if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault)) {
        CBrush black(RGB(0, 0, 0));
        pDC->FrameRect(pRect, &black);
        pRect->DeflateRect(1, 1);
    }
    const COLORREF crBk = m_bMouseOnButton || m_bIsPressed ? m_crColors[ColorBkIn]
                          : m_bIsFocused                  ? m_crColors[ColorBkFocus]
                                                          : m_crColors[ColorBkOut];
    pDC->FillSolidRect(pRect, crBk);
    return 0;
}

DWORD CIconButton::PaintBorder(CDC* pDC, CRect* pRect)
{
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_bIsPressed) {
        if (!m_bIsFlat) {
            CBrush frame(shadow);
            pDC->FrameRect(pRect, &frame);
        } else if (m_bDrawBorder) {
            pDC->Draw3dRect(pRect, shadow, hilite);
        }
        return 0;
    }
    if (!m_bIsFlat) {
        // A raised two-pixel bevel.
        const CRect& r = *pRect;
        const COLORREF light = ::GetSysColor(COLOR_3DLIGHT);
        const COLORREF dark = ::GetSysColor(COLOR_3DDKSHADOW);
        pDC->FillSolidRect(r.left, r.top, r.Width() - 1, 1, hilite);
        pDC->FillSolidRect(r.left, r.top, 1, r.Height() - 1, hilite);
        pDC->FillSolidRect(r.left + 1, r.top + 1, r.Width() - 3, 1, light);
        pDC->FillSolidRect(r.left + 1, r.top + 1, 1, r.Height() - 3, light);
        pDC->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, dark);
        pDC->FillSolidRect(r.right - 1, r.top, 1, r.Height(), dark);
        pDC->FillSolidRect(r.left + 1, r.bottom - 2, r.Width() - 2, 1, shadow);
        pDC->FillSolidRect(r.right - 2, r.top + 1, 1, r.Height() - 2, shadow);
    } else if (m_bMouseOnButton && m_bDrawBorder) {
        pDC->Draw3dRect(pRect, hilite, shadow);
    }
    return 0;
}

void CIconButton::PlaceImage(BOOL bHasTitle, const RECT* rpItem, CRect* rpCaption, CSize size, CRect* rpImage) const
{
    CRect item(rpItem);
    CRect image(0, 0, size.cx, size.cy);
    auto centreX = [&] { return item.left + (item.Width() - size.cx) / 2; };
    auto centreY = [&] { return item.top + (item.Height() - size.cy) / 2; };
    switch (m_byAlign) {
    case AlignLeft:
        if (bHasTitle) {
            image.OffsetRect(item.left + m_margin.cx, centreY());
            rpCaption->left = item.left + m_margin.cx + size.cx;
        } else {
            image.OffsetRect(centreX(), centreY());
        }
        break;
    case AlignTop:
        if (bHasTitle) {
            image.OffsetRect(centreX(), item.top + m_margin.cy);
            rpCaption->top = image.bottom;
        } else {
            image.OffsetRect(centreX(), centreY());
        }
        break;
    case AlignRight:
        if (bHasTitle) {
            image.OffsetRect(item.right - m_margin.cx - size.cx, centreY());
            rpCaption->left = item.left + m_margin.cx;
            rpCaption->right = image.left;
        } else {
            image.OffsetRect(centreX(), item.top);
        }
        break;
    default:
        image.OffsetRect(item.left, item.top);
        break;
    }
    if (m_bIsPressed && !m_bIsCheckBox)
        image.OffsetRect(m_pressedOffset.cx, m_pressedOffset.cy);
    *rpImage = image;
}

void CIconButton::PaintIcon(CDC* pDC, BOOL bHasTitle, RECT* rpItem, CRect* rpCaption)
{
    const BOOL bIn = (m_bIsCheckBox && m_bIsPressed) || (!m_bIsCheckBox && (m_bIsPressed || m_bMouseOnButton));
    const IconRecord& icon = bIn || m_icons[1].hIcon == nullptr ? m_icons[0] : m_icons[1];
    CRect image;
    PlaceImage(bHasTitle, rpItem, rpCaption, CSize(icon.cx, icon.cy), &image);
    if (!m_bIsDisabled) {
        ::DrawIconEx(pDC->GetSafeHdc(), image.left, image.top, icon.hIcon, icon.cx, icon.cy, 0, nullptr, DI_NORMAL);
        return;
    }
    // Disabled: the icon's shape embossed in the 3-D colours.
    ICONINFO info{};
    if (::GetIconInfo(icon.hIcon, &info) && info.hbmMask)
        pDC->DrawState(image.TopLeft(), image.Size(), info.hbmMask, DST_BITMAP | DSS_DISABLED);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
}

void CIconButton::PaintCaption(CDC* pDC, const CString& title, RECT* /*rpItem*/, CRect* rpCaption)
{
    CRect rc = *rpCaption;
    if (m_bIsPressed && !m_bIsCheckBox)
        rc.OffsetRect(m_pressedOffset.cx, m_pressedOffset.cy);
    CRect measured = rc;
    pDC->DrawText(title, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    measured.OffsetRect((rc.Width() - measured.Width()) / 2, (rc.Height() - measured.Height()) / 2);
    if (m_bIsDisabled) {
        measured.OffsetRect(1, 1);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        pDC->DrawText(title, &measured, DT_WORDBREAK | DT_CENTER);
        measured.OffsetRect(-1, -1);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
        pDC->DrawText(title, &measured, DT_WORDBREAK | DT_CENTER);
        return;
    }
    const int fg = m_bMouseOnButton || m_bIsPressed ? ColorFgIn : m_bIsFocused ? ColorFgFocus : ColorFgOut;
    pDC->SetTextColor(m_crColors[fg]);
    pDC->SetBkColor(m_crColors[fg - 1]);
    pDC->DrawText(title, &measured, DT_WORDBREAK | DT_CENTER);
}
