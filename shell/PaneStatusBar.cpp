#include "shell/PaneStatusBar.h"

#include "platform/gdi/DC.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

IMPLEMENT_DYNAMIC(CPaneControlStatusBar, CStatusBar)

BOOL CPaneControlStatusBar::AddPane(UINT nID, int nIndex)
{
    if (nIndex < 0 || nIndex > GetCount() || CommandToIndex(nID) >= 0)
        return FALSE;
    return InsertPane(nIndex, nID, SBPS_NORMAL, 0);
}

BOOL CPaneControlStatusBar::RemovePane(UINT nID)
{
    const int index = CommandToIndex(nID);
    if (index < 0 || GetCount() <= 1)
        return FALSE;
    return CStatusBar::RemovePane(index);
}

BOOL CPaneControlStatusBar::AddPaneControl(CWnd* pWnd, UINT nID, BOOL bAutoDestroy)
{
    const int index = CommandToIndex(nID);
    return index >= 0 && SetPaneWindow(index, pWnd, bAutoDestroy);
}

IMPLEMENT_DYNAMIC(CPaintedStatic, CStatic)

BEGIN_MESSAGE_MAP(CPaintedStatic, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CPaintedStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(rc, ::GetSysColor(COLOR_BTNFACE));
    CString text;
    GetWindowText(text);
    CFont* old = nullptr;
    if (CFont* f = GetFont())
        old = dc.SelectObject(f);
    dc.SetBkMode(TRANSPARENT);
    // Light copy one pixel down and right, the text in shadow colour on top: embossed.
    dc.SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    CRect shifted = rc;
    shifted.OffsetRect(1, 1);
    dc.DrawText(text, shifted, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
    dc.DrawText(text, rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (old)
        dc.SelectObject(old);
}
