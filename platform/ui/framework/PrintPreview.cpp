// Print preview window and the view's preview command.
#include "platform/ui/framework/PrintPreview.h"

#include "platform/ui/framework/App.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/View.h"
#include "platform/ui/core/WndDC.h"

#include <algorithm>

namespace {
// Preview pages are drawn at a lower resolution than printed ones; OnPrint scales to the
// printable area it is given.
constexpr int kPreviewDpi = 96;
constexpr int kButtonBar = 28;
CPreviewView* g_active = nullptr;

CString ButtonText(int index)
{
    switch (index) {
    case CPreviewView::kPrint: return AfxLoadStringOr(AFX_IDS_PREVIEW_PRINT, L"Print...");
    case CPreviewView::kPrev: return AfxLoadStringOr(AFX_IDS_PREVIEW_PREV, L"Prev Page");
    case CPreviewView::kNext: return AfxLoadStringOr(AFX_IDS_PREVIEW_NEXT, L"Next Page");
    default: return AfxLoadStringOr(AFX_IDS_PREVIEW_CLOSE, L"Close");
    }
}
}  // namespace

BEGIN_MESSAGE_MAP(CPreviewView, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CPreviewView* CPreviewView::GetActive() { return g_active; }

CPreviewView::~CPreviewView()
{
    if (g_active == this)
        g_active = nullptr;
}

BOOL CPreviewView::Create(CView* pView, std::unique_ptr<CPrintInfo> info)
{
    m_pView = pView;
    m_pInfo = std::move(info);
    DEVMODE dm;
    CWinApp* app = AfxGetApp();
    if (!(app ? app->GetPrinterDeviceDefaults(&dm) : AfxGetDefaultDevMode(&dm)))
        return FALSE;
    CSize page = AfxPrinterPageSize(dm);
    m_page = CSize(page.cx * kPreviewDpi / kPrinterDpi, page.cy * kPreviewDpi / kPrinterDpi);
    if (!m_pageDC.CreatePrinterImageDC(m_page.cx, m_page.cy, kPreviewDpi))
        return FALSE;
    DOCINFO di{int(sizeof(DOCINFO)), L"Preview", nullptr, nullptr, 0};
    m_pageDC.StartDoc(&di);
    pView->OnBeginPrinting(&m_pageDC, m_pInfo.get());
    CWnd* top = pView->GetTopLevelParent();
    CRect rect(40, 40, 840, 680);
    if (top)
        top->GetWindowRect(&rect);
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateEx(0, cls, AfxLoadStringOr(AFX_IDS_PREVIEW_TITLE, L"Print Preview"),
                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE, rect.left, rect.top,
                  rect.Width(), rect.Height(), top ? top->m_hWnd : nullptr, nullptr)) {
        pView->OnEndPrinting(&m_pageDC, m_pInfo.get());
        m_ended = true;
        return FALSE;
    }
    g_active = this;
    SetCurrentPage(std::max(m_pInfo->GetMinPage(), m_pInfo->GetFromPage()));
    SetFocus();
    return TRUE;
}

UINT CPreviewView::GetPageCount() const
{
    if (!m_pInfo)
        return 0;
    UINT max = m_pInfo->GetMaxPage();
    return max == 0xFFFF ? 1 : max - m_pInfo->GetMinPage() + 1;
}

void CPreviewView::SetCurrentPage(UINT nPage)
{
    if (!m_pInfo)
        return;
    m_pInfo->m_nCurPage = std::clamp(nPage, m_pInfo->GetMinPage(), LastPage());
    RenderPage();
    Invalidate(FALSE);
}

void CPreviewView::RenderPage()
{
    if (!m_pView || !::IsWindow(m_pView->m_hWnd))
        return;
    m_pInfo->m_bContinuePrinting = TRUE;
    m_pInfo->m_bPreview = TRUE;
    m_pageDC.StartPage();
    m_pView->OnPrepareDC(&m_pageDC, m_pInfo.get());
    m_pInfo->m_rectDraw.SetRect(0, 0, m_pageDC.GetDeviceCaps(HORZRES), m_pageDC.GetDeviceCaps(VERTRES));
    m_pageDC.DPtoLP(&m_pInfo->m_rectDraw);
    if (m_pInfo->m_bContinuePrinting)
        m_pView->OnPrint(&m_pageDC, m_pInfo.get());
    m_pageDC.EndPage();
}

CRect CPreviewView::ButtonRect(int index) const { return CRect(4 + index * 88, 4, 4 + index * 88 + 84, kButtonBar - 4); }

UINT CPreviewView::LastPage() const
{
    if (!m_pInfo)
        return 0;
    return std::max(m_pInfo->GetMinPage(), m_pInfo->GetMaxPage() == 0xFFFF ? m_pInfo->GetMinPage() : m_pInfo->GetMaxPage());
}

bool CPreviewView::IsButtonEnabled(int index) const
{
    switch (index) {
    case kPrev: return m_pInfo && GetCurrentPage() > m_pInfo->GetMinPage();
    case kNext: return m_pInfo && GetCurrentPage() < LastPage();
    default: return index >= 0 && index < kButtons;
    }
}

void CPreviewView::PressButton(int index)
{
    if (!IsButtonEnabled(index))
        return;
    switch (index) {
    case kPrint: {
        // The job prints from the view: close the preview first, as the printed pages are the
        // ones it showed and the view's print command asks for the printer itself.
        CView* view = m_pView;
        ClosePreview();
        if (view && ::IsWindow(view->m_hWnd))
            view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT, 0), 0);
        break;
    }
    case kPrev: SetCurrentPage(GetCurrentPage() - 1); break;
    case kNext: SetCurrentPage(GetCurrentPage() + 1); break;
    default: ClosePreview(); break;
    }
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) { return TRUE; }

void CPreviewView::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_APPWORKSPACE));
    dc.FillSolidRect(0, 0, client.Width(), kButtonBar, ::GetSysColor(COLOR_BTNFACE));
    dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < kButtons; ++i) {
        CRect b = ButtonRect(i);
        dc.Draw3dRect(&b, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        dc.SetTextColor(::GetSysColor(IsButtonEnabled(i) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        dc.DrawText(ButtonText(i), &b, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    // Which page shows, of how many.
    CString page;
    page.Format(LPCTSTR(AfxLoadStringOr(AFX_IDS_PREVIEW_PAGE, L"Page %u of %u")), GetCurrentPage(), GetPageCount());
    CRect label = ButtonRect(kButtons);
    label.right = std::max(label.right, client.right - 4);
    dc.DrawText(page, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    // The page, scaled to fit below the buttons with a margin.
    CRect area(client.left + 10, kButtonBar + 10, client.right - 10, client.bottom - 10);
    if (area.Width() <= 0 || area.Height() <= 0 || m_page.cx <= 0 || m_page.cy <= 0)
        return;
    double scale = std::min(double(area.Width()) / m_page.cx, double(area.Height()) / m_page.cy);
    int w = std::max(1, int(m_page.cx * scale)), h = std::max(1, int(m_page.cy * scale));
    int x = area.left + (area.Width() - w) / 2, y = area.top + (area.Height() - h) / 2;
    dc.FillSolidRect(x + 3, y + 3, w, h, RGB(0, 0, 0));
    dc.SetStretchBltMode(HALFTONE);
    dc.StretchBlt(x, y, w, h, &m_pageDC, 0, 0, m_page.cx, m_page.cy, SRCCOPY);
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_NEXT:
    case VK_DOWN:
    case VK_RIGHT:
        SetCurrentPage(GetCurrentPage() + 1);
        break;
    case VK_PRIOR:
    case VK_UP:
    case VK_LEFT:
        PressButton(kPrev);
        break;
    case VK_ESCAPE:
        ClosePreview();
        break;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

BOOL CPreviewView::PreTranslateMessage(MSG* pMsg)
{
    // The preview's keys are its own: the main window would otherwise take Esc and the function
    // keys for the diagram view behind the preview.
    const UINT msg = pMsg->message;
    if (pMsg->hwnd == m_hWnd && msg >= WM_KEYFIRST && msg <= WM_KEYLAST) {
        ::TranslateMessage(pMsg);
        ::DispatchMessageW(pMsg);
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CPreviewView::OnLButtonDown(UINT, CPoint point)
{
    for (int i = 0; i < kButtons; ++i)
        if (ButtonRect(i).PtInRect(point)) {
            PressButton(i);
            return;
        }
}

void CPreviewView::ClosePreview()
{
    if (m_hWnd)
        DestroyWindow();
}

void CPreviewView::OnClose() { ClosePreview(); }

void CPreviewView::OnDestroy()
{
    if (!m_ended && m_pView && ::IsWindow(m_pView->m_hWnd)) {
        m_ended = true;
        m_pageDC.EndDoc();
        m_pView->OnEndPrintPreview(&m_pageDC, m_pInfo.get(), CPoint(0, 0), this);
    }
    if (g_active == this)
        g_active = nullptr;
    CWnd::OnDestroy();
}

void CPreviewView::PostNcDestroy() { delete this; }

// ---- the view's side ----

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView*)
{
    OnEndPrinting(pDC, pInfo);
    if (CWnd* top = GetTopLevelParent())
        top->SetActiveWindow();
}

void CView::OnFilePrintPreview()
{
    if (CPreviewView* open = CPreviewView::GetActive())
        open->ClosePreview();
    auto info = std::make_unique<CPrintInfo>();
    info->m_bPreview = TRUE;
    if (!OnPreparePrinting(info.get()))
        return;
    auto* preview = new CPreviewView;
    if (!preview->Create(this, std::move(info))) {
        if (!preview->m_hWnd)
            delete preview;
        AfxMessageBox(AfxLoadStringOr(AFX_IDP_PREVIEW_FAILED, L"The print preview could not be shown."), MB_ICONEXCLAMATION);
    }
}
