// View > Page Layout: the printer pages across and down that the diagram area spans, and their
// growth when an edit places something beyond them.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "view/PageLayoutDlg.h"

#include <algorithm>

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

void CTavixView::GrowPagesToReach(int right, int bottom)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    const int pw = std::max(1, pDoc->m_nPageWidth), ph = std::max(1, pDoc->m_nPageHeight);
    if (right <= pw && bottom <= ph)
        return;
    pDoc->m_nPageLayout[0] = std::max(pDoc->m_nPageLayout[0], right / pw + 1);
    pDoc->m_nPageLayout[1] = std::max(pDoc->m_nPageLayout[1], bottom / ph + 1);
    pDoc->m_rcExtent = CRect(0, 0, pw * pDoc->m_nPageLayout[0], ph * pDoc->m_nPageLayout[1]);
    UpdateScrollSizes();
}
