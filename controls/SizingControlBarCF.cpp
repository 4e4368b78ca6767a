// CSizingControlBarCF: the caption band with the bar's title, in the active or inactive
// caption colours, plain or as a gradient.
#include "controls/SizingControlBarCF.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CSizingControlBarCF, CSizingControlBarG)

BEGIN_MESSAGE_MAP(CSizingControlBarCF, CSizingControlBarG)
    ON_MESSAGE(WM_SETTEXT, OnSetTextCF)
END_MESSAGE_MAP()

namespace {

int FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    *reinterpret_cast<BOOL*>(lParam) = TRUE;
    return 0;
}

BOOL FontFamilyInstalled(LPCWSTR face)
{
    CClientDC dc(nullptr);
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    BOOL bFound = FALSE;
    ::EnumFontFamiliesEx(dc.GetSafeHdc(), &lf, FoundFace, reinterpret_cast<LPARAM>(&bFound), 0);
    return bFound;
}

}  // namespace

CSizingControlBarCF::CSizingControlBarCF()
{
    m_sFontFace = FontFamilyInstalled(L"Tahoma") ? L"Tahoma" : L"Arial";
}

LRESULT CSizingControlBarCF::OnSetTextCF(WPARAM wParam, LPARAM lParam)
{
    const LRESULT r = OnSetText(wParam, lParam);
    // The caption shows the new title.
    SendMessage(WM_NCPAINT);
    return r;
}

void CSizingControlBarCF::PaintGripper(CDC* pDC, CRect rcClient)
{
    if (!ShowsGripper())
        return;
    const BOOL bHorz = IsDockedHorizontally();
    CRect band;
    if (bHorz)
        band = CRect(rcClient.left - 14, m_biHide.m_ptOrg.y + 14, rcClient.left - 1, rcClient.bottom);
    else
        band = CRect(rcClient.left, rcClient.top - 14, m_biHide.m_ptOrg.x - 3, rcClient.top - 1);

    const COLORREF clrStart = ::GetSysColor(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    BOOL bGradient = FALSE;
    ::SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &bGradient, 0);
    if (bGradient && band.Width() > 0 && band.Height() > 0) {
        const COLORREF clrEnd =
            ::GetSysColor(m_bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
        // 64 steps from the start colour to the end colour: left to right along a horizontal
        // band, bottom to top along a vertical one.
        const int nLength = bHorz ? band.Height() : band.Width();
        for (int i = 0; i < 64; ++i) {
            const int from = i * nLength / 64, to = (i + 1) * nLength / 64;
            if (to <= from)
                continue;
            auto mix = [i](int a, int b) { return (a * (64 - i) + b * i) / 64; };
            const COLORREF clr = RGB(mix(GetRValue(clrStart), GetRValue(clrEnd)),
                                     mix(GetGValue(clrStart), GetGValue(clrEnd)),
                                     mix(GetBValue(clrStart), GetBValue(clrEnd)));
            CRect step = bHorz ? CRect(band.left, band.bottom - to, band.right, band.bottom - from)
                               : CRect(band.left + from, band.top, band.left + to, band.bottom);
            pDC->FillSolidRect(&step, clr);
        }
    } else {
        pDC->FillSolidRect(&band, clrStart);
    }

    // The title, clipped to the band; reading upwards along a vertical band.
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = ::MulDiv(85, 96, pDC->GetDeviceCaps(LOGPIXELSX));
    lf.lfWeight = FW_NORMAL;
    std::wcsncpy(lf.lfFaceName, m_sFontFace, LF_FACESIZE - 1);
    if (bHorz)
        lf.lfEscapement = lf.lfOrientation = 900;
    CFont font;
    if (font.CreatePointFontIndirect(&lf, pDC)) {
        CString title;
        GetWindowText(title);
        const int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(&band);
        CFont* pOldFont = pDC->SelectObject(&font);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        if (bHorz)
            pDC->TextOut(band.left - 1, band.bottom - 3, title);
        else
            pDC->TextOut(band.left + 3, band.top - 1, title);
        pDC->SelectObject(pOldFont);
        pDC->RestoreDC(nSaved);
    }
    m_biHide.Paint(pDC);
}

void CSizingControlBarCF::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CSizingControlBarG::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    if (!ShowsGripper())
        return;
    CWnd* pFocus = CWnd::GetFocus();
    const BOOL bActive = pFocus != nullptr && ::IsChild(m_hWnd, pFocus->GetSafeHwnd());
    if (bActive != m_bActive) {
        m_bActive = bActive;
        SendMessage(WM_NCPAINT);
    }
}
