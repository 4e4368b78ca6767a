// CInsCommentsPropSh: the free comment's sheet with its button row set up for one modal page.
#include "pages/InsCommentsPropSh.h"

#include "resources/resource.h"

#include "platform/ui/framework/App.h"

CInsCommentsPropSh::CInsCommentsPropSh(LPCTSTR lpszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(lpszCaption, pParentWnd, iSelectPage)
{
    m_psh.dwFlags |= PSH_HASHELP;
    AddPage(&m_pagComments);
}

BOOL CInsCommentsPropSh::OnInitDialog()
{
    const BOOL result = CPropertySheet::OnInitDialog();
    if (CPropertyPage* pActive = GetActivePage(); pActive == &m_pagComments && pActive->GetSafeHwnd())
        m_pagComments.GetWindowRect(&m_pagComments.m_rcPage);
    if (CWnd* pApply = GetDlgItem(ID_APPLY_NOW))
        pApply->ShowWindow(SW_HIDE);
    if (CWnd* pHelp = GetDlgItem(IDHELP))
        pHelp->EnableWindow(TRUE);
    SetDlgItemText(IDOK, AfxLoadString(IDS_INS_COMMENTS_OK).GetString());
    SetDlgItemText(IDCANCEL, AfxLoadString(IDS_INS_COMMENTS_CANCEL).GetString());
    SetDlgItemText(IDHELP, AfxLoadString(IDS_INS_COMMENTS_HELP).GetString());
    // OK and Cancel close the gap the hidden Apply button leaves.
    for (int id : {IDOK, IDCANCEL})
        if (CWnd* pButton = GetDlgItem(id)) {
            CRect rc;
            pButton->GetWindowRect(&rc);
            ScreenToClient(&rc);
            pButton->SetWindowPos(nullptr, rc.left + rc.Width() + 6, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    return result;
}

BOOL CInsCommentsPropSh::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Help is offered but has nothing to show.
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDHELP)
        return TRUE;
    return CPropertySheet::OnCommand(wParam, lParam);
}
