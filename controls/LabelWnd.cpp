// CLabelWnd: painting with an ellipsis.
#include "controls/LabelWnd.h"

#include "platform/ui/core/MessageMap.h"

IMPLEMENT_DYNAMIC(CLabelWnd, CWnd)

BEGIN_MESSAGE_MAP(CLabelWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

BOOL CLabelWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;  // the painting fills the client area
}

LRESULT CLabelWnd::OnSetText(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    const LRESULT r = Default();
    Invalidate();
    return r;
}

void CLabelWnd::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* pDC = BeginPaint(&ps);
    if (pDC) {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
        CFont* pOldFont = nullptr;
        if (CWnd* pParent = GetParent()) {
            if (HFONT hFont = reinterpret_cast<HFONT>(pParent->SendMessage(WM_GETFONT)))
                pOldFont = pDC->SelectObject(CFont::FromHandle(hFont));
        }
        CString text;
        GetWindowText(text);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        const UINT format = m_nFormat | (m_bPathEllipsis ? DT_PATH_ELLIPSIS : DT_END_ELLIPSIS);
        ::DrawTextExW(pDC->GetSafeHdc(), const_cast<LPWSTR>(static_cast<LPCWSTR>(text)), text.GetLength(), &rc,
                      format, nullptr);
        if (pOldFont)
            pDC->SelectObject(pOldFont);
    }
    EndPaint(&ps);
}
