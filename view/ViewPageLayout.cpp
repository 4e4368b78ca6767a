// View > Page Layout: the printer pages across and down that the diagram area spans.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "view/PageLayoutDlg.h"

void CTavixView::OnViewPageLayout()
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || IsEditLocked())
        return;
    CPageLayoutDlg dlg(pDoc, this);
    dlg.m_nAcross = pDoc->m_nPageLayout[0];
    dlg.m_nDown = pDoc->m_nPageLayout[1];
    if (dlg.DoModal() != IDOK)
        return;
    pDoc->m_rcExtent = CRect(0, 0, pDoc->m_nPageWidth * dlg.m_nAcross, pDoc->m_nPageHeight * dlg.m_nDown);
    pDoc->m_nPageLayout[0] = dlg.m_nAcross;
    pDoc->m_nPageLayout[1] = dlg.m_nDown;
    pDoc->SetModifiedFlag(TRUE);
    UpdateScrollSizes();
    InvalidateAll();
}
