#include "shell/WorkspaceView.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/App.h"
#include "document/TavixDoc.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"
#include "shell/PaletteItems.h"

IMPLEMENT_DYNCREATE(CWorkspaceView, CScrollView)

BEGIN_MESSAGE_MAP(CWorkspaceView, CScrollView)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONUP()
    ON_WM_NCLBUTTONUP()
END_MESSAGE_MAP()

CWorkspaceView::CWorkspaceView() = default;

void CWorkspaceView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, m_sizeTotal);
    m_strCaptions.clear();
    const BOOL chinese = g_nLanguage == 1;
    for (int group = 0; group < groupCount; ++group)
        for (UINT type : PaletteGroupItems(group, 1, 0x52))
            m_strCaptions[type] = AfxLoadString(PaletteCaptionId(type, chinese));
    for (UINT type : PaletteGroupItems(groupIo, 2, 0x52))
        m_strCaptions[type] = AfxLoadString(PaletteCaptionId(type, chinese));
}

CString CWorkspaceView::Caption(UINT nType) const
{
    const auto it = m_strCaptions.find(nType);
    if (it != m_strCaptions.end())
        return it->second;
    return AfxLoadString(PaletteCaptionId(nType, g_nLanguage == 1));
}

void CWorkspaceView::GetActiveDocumentModel(int* pnDocKind, int* pnMachine)
{
    int kind = 1;
    int machine = (g_wHardwareCode >> 8) & 0xFF;
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        if (CTavixDoc* doc = frame->GetActiveDiagramDocument()) {
            kind = doc->m_nDocKind == 2 ? 2 : 1;
            machine = doc->GetMachineType();
        }
    if (pnDocKind)
        *pnDocKind = kind;
    if (pnMachine)
        *pnMachine = machine;
}

CRect CWorkspaceView::GetItemRect(int i)
{
    return CRect(10, 15 + 46 * i, 35, 51 + 46 * i);
}

BOOL CWorkspaceView::HitTest(int* pnTool, int* pnType, CPoint pt)
{
    *pnTool = 1;
    int kind = 1, machine = 0;
    GetActiveDocumentModel(&kind, &machine);
    const std::vector<UINT> items = PaletteGroupItems(m_nGroup, kind, machine);
    for (size_t i = 0; i < items.size(); ++i) {
        if (GetItemRect(int(i)).PtInRect(pt)) {
            *pnType = int(items[i]);
            return TRUE;
        }
    }
    return FALSE;
}

void CWorkspaceView::DrawItemFrame(CDC* pDC, int left, int top, int right, int bottom, BOOL bOutline)
{
    if (bOutline) {
        pDC->MoveTo(left, top);
        pDC->LineTo(left, bottom);
        pDC->LineTo(right, bottom);
        pDC->LineTo(right, top);
        pDC->LineTo(left, top);
    }
    pDC->FillSolidRect(CRect(left + 1, top + 1, right, bottom), RGB(245, 217, 129));
}

void CWorkspaceView::DrawCells(CDC* pDC, const std::vector<UINT>& items, BOOL bOutline, int nDocKind)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    CFont font;
    font.CreateFont(14, 8, 0, 0, 400, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, 32, L"Arial");
    CPen* oldPen = pDC->SelectObject(&pen);
    CFont* oldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    for (size_t i = 0; i < items.size(); ++i) {
        const CRect r = GetItemRect(int(i));
        DrawItemFrame(pDC, r.left, r.top, r.right, r.bottom, bOutline);
        if (int(items[i]) == m_nChosenType) {
            CPen red;
            red.CreatePen(PS_SOLID, 1, RGB(200, 0, 0));
            CPen* prev = pDC->SelectObject(&red);
            pDC->MoveTo(r.left - 4, r.top - 4);
            pDC->LineTo(r.left - 4, r.bottom + 4);
            pDC->LineTo(r.right + 4, r.bottom + 4);
            pDC->LineTo(r.right + 4, r.top - 4);
            pDC->LineTo(r.left - 4, r.top - 4);
            pDC->SelectObject(prev);
        }
        const int captionY = DrawPaletteSymbol(pDC, items[i], nDocKind, r.left, r.top);
        pDC->SelectObject(&font);
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->TextOut(r.right + 5, captionY, Caption(items[i]));
    }
    pDC->SelectObject(oldFont);
    pDC->SelectObject(oldPen);
}

void CWorkspaceView::DrawGroup(CDC* pDC, int nDocKind)
{
    int kind = 1, machine = 0;
    GetActiveDocumentModel(&kind, &machine);
    const std::vector<UINT> items = PaletteGroupItems(m_nGroup, nDocKind, machine);
    const BOOL outline = !(m_nGroup == groupIo && nDocKind == 2);
    DrawCells(pDC, items, outline, nDocKind);
}

void CWorkspaceView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CDC mem;
    mem.CreateCompatibleDC(pDC);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(pDC, std::max(1, client.Width()), std::max(1, client.Height()));
    CBitmap* oldBmp = mem.SelectObject(&bmp);
    COLORREF background = RGB(255, 255, 255);
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        background = frame->m_crFrameBackground;
    mem.FillSolidRect(client, background);
    const CPoint scroll = GetScrollPosition();
    mem.SetViewportOrg(-scroll.x, -scroll.y);
    CRect target = client;
    target.OffsetRect(scroll);
    int kind = 1;
    GetActiveDocumentModel(&kind, nullptr);
    DrawGroup(&mem, kind);
    mem.SetViewportOrg(0, 0);
    pDC->BitBlt(target.left, target.top, target.Width(), target.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(oldBmp);
}

BOOL CWorkspaceView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CWorkspaceView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CScrollView::OnLButtonDown(nFlags, point);
    int tool = 0, type = 0;
    if (!HitTest(&tool, &type, point + GetScrollPosition()))
        return;
    m_nChosenType = type;
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(WM_PALETTE_TOOL, WPARAM(tool), LPARAM(type));
    Invalidate(FALSE);
}

void CWorkspaceView::OnMouseMove(UINT nFlags, CPoint point)
{
    int tool = 0, type = 0;
    const BOOL over = HitTest(&tool, &type, point + GetScrollPosition());
    if (auto* app = dynamic_cast<CEditorApp*>(AfxGetApp())) {
        HCURSOR want = over && app->m_hBlockCursor ? app->m_hBlockCursor : app->m_hArrowCursor;
        if (want && ::GetCursor() != want)
            ::SetCursor(want);
    }
    CScrollView::OnMouseMove(nFlags, point);
}

void CWorkspaceView::OnLButtonUp(UINT nFlags, CPoint point)
{
    CScrollView::OnLButtonUp(nFlags, point);
}

void CWorkspaceView::OnTabBarNcLButtonUp(UINT, CPoint)
{
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->ReleaseHeldPower();
}

void CWorkspaceView::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->ReleaseHeldPower();
    CScrollView::OnNcLButtonUp(nHitTest, point);
}
