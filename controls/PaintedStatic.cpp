// CPaintedStatic: the embossed text.
#include "controls/PaintedStatic.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

IMPLEMENT_DYNAMIC(CPaintedStatic, CStatic)

BEGIN_MESSAGE_MAP(CPaintedStatic, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CPaintedStatic::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;  // the painting fills the whole client area
}

UINT CPaintedStatic::FormatOf(DWORD dwStyle, const CString& text)
{
    UINT format = 0;
    if (dwStyle & SS_CENTERIMAGE) {
        format = DT_CENTER;
        if (text.Find(L"\r\n") < 0)
            format |= DT_SINGLELINE | DT_VCENTER;
    } else {
        switch (dwStyle & SS_TYPEMASK) {
        case SS_CENTER:
            format = DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format = DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_LEFTNOWORDWRAP:
            format = DT_LEFT;
            break;
        default:
            format = DT_WORDBREAK;
            break;
        }
        if (text.Find(L'\t') >= 0)
            format |= DT_EXPANDTABS;
    }
    return format | DT_VCENTER | DT_END_ELLIPSIS;
}

namespace {
// The label's own font, whatever font the window is given.
void MakeLabelFont(CFont& font)
{
    LOGFONTW lf{};
    lf.lfHeight = 16;
    lf.lfWeight = 600;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"Arial");
    font.CreateFontIndirect(&lf);
}
}  // namespace

int CPaintedStatic::TextHeight()
{
    CClientDC dc(this);
    CFont font;
    MakeLabelFont(font);
    CFont* old = dc.SelectObject(&font);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    return int(tm.tmHeight);
}

void CPaintedStatic::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* pDC = BeginPaint(&ps);
    if (pDC == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    CString text;
    GetWindowText(text);
    const UINT format = FormatOf(GetStyle(), text);

    CFont font;
    MakeLabelFont(font);
    pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    // Highlight raised by 3, shadow right 2 and up 1, the text itself right 1 and up 2.
    const struct {
        COLORREF color;
        CSize offset;
    } layers[] = {
        {::GetSysColor(COLOR_BTNHIGHLIGHT), CSize(0, -3)},
        {::GetSysColor(COLOR_BTNSHADOW), CSize(2, -1)},
        {RGB(0, 0, 255), CSize(1, -2)},
    };
    for (const auto& layer : layers) {
        CRect r = rc;
        r.OffsetRect(layer.offset);
        pDC->SetTextColor(layer.color);
        pDC->DrawText(text, &r, format);
    }
    pDC->RestoreDC(nSaved);
    EndPaint(&ps);
}
