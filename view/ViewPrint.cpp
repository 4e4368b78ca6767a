// Printing of the diagram: File > Print and File > Print Preview, and the view's side of the
// print job. The whole diagram area at zoom 1.0, without selection marks, is cut into the pages
// of the program's page layout; each page shows its tile stretched over the printable area
// (the page inside the margins of Page Setup), drawn as lines and text, not as a picture.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/Print.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/EditorApp.h"
#include "view/PrintSetupDlg.h"

#include <algorithm>

namespace {

BOOL CheckPrinter()
{
    BOOL present = FALSE;
    if (auto* app = dynamic_cast<CEditorApp*>(AfxGetApp())) {
        present = app->HasDefaultPrinter();
    } else {
        DEVMODE dm;
        present = AfxGetDefaultDevMode(&dm);
    }
    if (!present)
        AfxMessageBox(AfxLoadString(IDS_NO_PRINTER), MB_ICONINFORMATION);
    return present;
}

// The printout shows no selection, and the view goes to zoom 1.0 (and stays there).
void PrepareView(CTavixView* pView)
{
    pView->ClearSelection(0);
    pView->m_pCurBlock = nullptr;
    pView->m_pCurWire = nullptr;
    pView->m_pCurComment = nullptr;
    if (pView->GetZoom() != 1.0f)
        pView->ZoomTo(1.0f);
    pView->InvalidateAll();
}

// The print setup dialog; on OK the view keeps its choices and the paper goes to the printer
// settings (the orientation is there already).
BOOL RunPrintSetup(CTavixView* pView)
{
    CPrintSetupDlg dlg(pView);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    CTavixView::PrintSettings& s = pView->m_printSettings;
    s.bPrintParams = dlg.m_bPrintParams;
    s.nPaper = dlg.m_nPaper;
    s.dScale = dlg.m_dScale;
    s.nScaleMode = dlg.m_nScaleMode;
    s.nOrientation = dlg.m_nOrientation;
    if (CWinApp* app = AfxGetApp())
        if (DEVMODE* dm = app->GetDevMode()) {
            dm->dmPaperSize = s.nPaper == CPrintSetupDlg::paperA2   ? DMPAPER_A2
                              : s.nPaper == CPrintSetupDlg::paperA3 ? DMPAPER_A3
                                                                    : DMPAPER_A4;
            dm->dmFields |= DM_PAPERSIZE;
        }
    return TRUE;
}

// Drawing a page reads the simulated clock and ends a clock jump as a repaint does; a page must
// leave the frame's clock as it found it.
class CKeepSimClock
{
public:
    explicit CKeepSimClock(CChildFrame* pFrame) : m_pFrame(pFrame)
    {
        if (m_pFrame && m_pFrame->IsClockSet()) {
            m_bSet = TRUE;
            m_pFrame->GetPrevSimTime(&m_prev);
            m_pFrame->GetSimTime(&m_now);
        }
    }
    ~CKeepSimClock()
    {
        if (m_bSet && !m_pFrame->IsClockSet()) {
            m_pFrame->SetSimTime(m_prev);
            m_pFrame->SetSimTime(m_now);
        }
    }
    CKeepSimClock(const CKeepSimClock&) = delete;
    CKeepSimClock& operator=(const CKeepSimClock&) = delete;

private:
    CChildFrame* m_pFrame;
    BOOL m_bSet = FALSE;
    SYSTEMTIME m_prev{}, m_now{};
};

// The part of the page a tile fills: the printable area less the margins of Page Setup
// (thousandths of an inch), unless they leave less than half the page.
CRect PrintableArea(CDC* pDC, const CTavixDoc& doc)
{
    const CRect page(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    const int dpiX = std::max(1, pDC->GetDeviceCaps(LOGPIXELSX)), dpiY = std::max(1, pDC->GetDeviceCaps(LOGPIXELSY));
    const CRect& m = doc.m_rcPrintMargins;
    if (m.left < 0 || m.top < 0 || m.right < 0 || m.bottom < 0)
        return page;
    const CRect area(int(static_cast<long long>(m.left) * dpiX / 1000), int(static_cast<long long>(m.top) * dpiY / 1000),
                     page.right - int(static_cast<long long>(m.right) * dpiX / 1000),
                     page.bottom - int(static_cast<long long>(m.bottom) * dpiY / 1000));
    if (area.Width() < page.Width() / 2 || area.Height() < page.Height() / 2)
        return page;
    return area;
}

}  // namespace

void CTavixView::OnFilePrintDiagram()
{
    if (!CheckPrinter())
        return;
    PrepareView(this);
    if (m_bAskPrintSetup) {
        if (!RunPrintSetup(this))
            return;
    } else {
        m_bAskPrintSetup = TRUE;
    }
    CScrollView::OnFilePrint();
}

void CTavixView::OnFilePrintPreviewDiagram()
{
    PrepareView(this);
    if (!RunPrintSetup(this))
        return;
    m_bAskPrintSetup = FALSE;
    CScrollView::OnFilePrintPreview();
}

namespace {

// The pages of the program's layout over its diagram area; a damaged file's counts are held to
// 1..100 each.
void SetPages(CTavixView* pView, CPrintInfo* pInfo)
{
    const CTavixDoc* pDoc = pView->GetDocument();
    const int across = pDoc ? std::clamp(pDoc->m_nPageLayout[0], 1, 100) : 1;
    const int down = pDoc ? std::clamp(pDoc->m_nPageLayout[1], 1, 100) : 1;
    pView->m_printTiles.SetLayout(across, down, pDoc ? pDoc->m_rcExtent.Size() : CSize(0, 0));
    if (pInfo) {
        pInfo->SetMinPage(1);
        pInfo->SetMaxPage(UINT(pView->m_printTiles.GetPageCount()));
    }
}

}  // namespace

BOOL CTavixView::OnPreparePrinting(CPrintInfo* pInfo)
{
    if (!CheckPrinter())
        return FALSE;
    // The print dialog offers the pages of the layout.
    SetPages(this, pInfo);
    return DoPreparePrinting(pInfo);
}

void CTavixView::OnBeginPrinting(CDC*, CPrintInfo* pInfo) { SetPages(this, pInfo); }

void CTavixView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pInfo || !pDoc)
        return;
    CRect tile = m_printTiles.GetTile(int(pInfo->m_nCurPage));
    if (tile.IsRectEmpty())
        return;
    tile.OffsetRect(pDoc->m_rcExtent.TopLeft());
    const CRect area = PrintableArea(pDC, *pDoc);
    const int saved = pDC->SaveDC();
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowOrg(tile.left, tile.top);
    pDC->SetWindowExt(tile.Width(), tile.Height());
    pDC->SetViewportOrg(area.left, area.top);
    pDC->SetViewportExt(area.Width(), area.Height());
    pDC->IntersectClipRect(&tile);
    pDC->FillSolidRect(&tile, RGB(255, 255, 255));
    if (pDoc->IsLadder() && !pDoc->m_powerBus.IsEmpty())
        static_cast<CBlockObj*>(pDoc->m_powerBus.GetHead())->Draw(this, pDC, 0, 0);
    {
        // A running simulation is printed as it shows, without stepping the program.
        CKeepSimClock keep(GetParentFrame());
        const int mode = m_nEditMode;
        if (mode == modeSimulate)
            m_nEditMode = modeSelect;
        DrawDiagram(pDC, 0);
        m_nEditMode = mode;
    }
    pDC->RestoreDC(saved);
}

void CTavixView::OnEndPrinting(CDC*, CPrintInfo*) {}
