// The colour, font, print and page-setup dialogs.
#include "platform/ui/dialogs/CommonDlg.h"

#include "platform/gdi/DC.h"

#include <algorithm>
#include <cwchar>

namespace {

HWND OwnerOf(CWnd* parent) { return parent ? parent->m_hWnd : ::GetActiveWindow(); }

}  // namespace

// ---- colour ----

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF colors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return colors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    m_cc.Flags = dwFlags | (clrInit ? CC_RGBINIT : 0);
    m_cc.rgbResult = clrInit;
    m_cc.lpCustColors = GetSavedCustomColors();
}

INT_PTR CColorDialog::DoModal()
{
    CommonDlgQuery q;
    q.kind = CommonDlgQuery::Color;
    q.owner = OwnerOf(m_pParentWnd);
    q.title = m_strTitle.GetString();
    q.flags = m_cc.Flags;
    q.color = m_cc.rgbResult;
    if (m_cc.lpCustColors)
        std::copy_n(m_cc.lpCustColors, 16, q.customColors);
    if (!RunQuery(q))
        return IDCANCEL;
    m_cc.rgbResult = q.color & 0x00FFFFFF;
    if (m_cc.lpCustColors)
        std::copy_n(q.customColors, 16, m_cc.lpCustColors);
    return IDOK;
}

// ---- font ----

CFontDialog::CFontDialog(const LOGFONTW* lplfInitial, DWORD dwFlags, CDC*, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    m_cf.Flags = dwFlags;
    if (lplfInitial) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    m_cf.lpLogFont = &m_lf;
}

INT_PTR CFontDialog::DoModal()
{
    CommonDlgQuery q;
    q.kind = CommonDlgQuery::Font;
    q.owner = OwnerOf(m_pParentWnd);
    q.title = m_strTitle.GetString();
    q.flags = m_cf.Flags;
    q.font = m_cf.lpLogFont ? *m_cf.lpLogFont : m_lf;
    q.color = m_cf.rgbColors;
    // Heights are pixels at 96 dots per inch; sizes tenths of a point.
    q.pointSize = q.font.lfHeight ? int(std::abs(q.font.lfHeight)) * 720 / 96 : 0;
    if (!RunQuery(q))
        return IDCANCEL;
    m_lf = q.font;
    if (q.pointSize > 0)
        m_lf.lfHeight = -((q.pointSize * 96 + 360) / 720);
    m_cf.iPointSize = q.pointSize > 0 ? q.pointSize : int(std::abs(m_lf.lfHeight)) * 720 / 96;
    m_cf.rgbColors = q.color & 0x00FFFFFF;
    if (m_cf.lpLogFont && m_cf.lpLogFont != &m_lf)
        *m_cf.lpLogFont = m_lf;
    return IDOK;
}

// ---- print ----

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bPrintSetupOnly(bPrintSetupOnly)
{
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : 0);
}

INT_PTR CPrintDialog::DoModal()
{
    CommonDlgQuery q;
    q.kind = CommonDlgQuery::Print;
    q.owner = OwnerOf(m_pParentWnd);
    q.title = m_strTitle.GetString();
    q.flags = m_pd.Flags;
    q.deviceName = m_strDevice.GetString();
    q.orientation = m_nOrientation;
    q.paperSize = m_nPaperSize;
    q.copies = m_pd.nCopies;
    q.fromPage = m_pd.nFromPage;
    q.toPage = m_pd.nToPage;
    q.minPage = m_pd.nMinPage;
    q.maxPage = m_pd.nMaxPage;
    if (!RunQuery(q))
        return IDCANCEL;
    m_strDevice = q.deviceName.c_str();
    m_nOrientation = q.orientation == 2 ? 2 : 1;
    m_nPaperSize = q.paperSize;
    m_pd.nCopies = WORD(std::clamp(q.copies, 1, 9999));
    m_pd.Flags = q.flags;
    m_pd.nFromPage = WORD(std::clamp(q.fromPage, 0, 0xFFFF));
    m_pd.nToPage = WORD(std::clamp(q.toPage, 0, 0xFFFF));
    m_strOutputFile = q.outputFile.c_str();
    if (q.printToFile)
        m_pd.Flags |= PD_PRINTTOFILE;
    return IDOK;
}

// ---- page setup ----

CPageSetupDialog::CPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    m_psd.Flags = dwFlags;
}

INT_PTR CPageSetupDialog::DoModal()
{
    CommonDlgQuery q;
    q.kind = CommonDlgQuery::PageSetup;
    q.owner = OwnerOf(m_pParentWnd);
    q.title = m_strTitle.GetString();
    q.flags = m_psd.Flags;
    q.deviceName = m_strDevice.GetString();
    q.orientation = m_nOrientation;
    q.paperSize = m_nPaperSize;
    q.paper = SIZE{m_psd.ptPaperSize.x, m_psd.ptPaperSize.y};
    q.margins = m_psd.rtMargin;
    q.minMargins = m_psd.rtMinMargin;
    if (!RunQuery(q))
        return IDCANCEL;
    m_strDevice = q.deviceName.c_str();
    m_nOrientation = q.orientation == 2 ? 2 : 1;
    m_nPaperSize = q.paperSize;
    m_psd.ptPaperSize = POINT{q.paper.cx, q.paper.cy};
    // Margins never below the printer's minimum.
    RECT m = q.margins;
    if (m_psd.Flags & PSD_MINMARGINS) {
        m.left = std::max(m.left, q.minMargins.left);
        m.top = std::max(m.top, q.minMargins.top);
        m.right = std::max(m.right, q.minMargins.right);
        m.bottom = std::max(m.bottom, q.minMargins.bottom);
    }
    m_psd.rtMargin = m;
    return IDOK;
}

void CPageSetupDialog::GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const
{
    if (lpRectMargins)
        *lpRectMargins = m_psd.rtMargin;
    if (lpRectMinMargins)
        *lpRectMinMargins = m_psd.rtMinMargin;
}
