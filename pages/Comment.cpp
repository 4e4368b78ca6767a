// CComment: the comment edit sized to the sheet's parameter page; Escape in the multi-line
// edit cancels the sheet as it does elsewhere.
#include "pages/Comment.h"

#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

BEGIN_MESSAGE_MAP(CComment, CPropertyPage)
ON_CONTROL(EN_CHANGE, IDC_COMMENT_TEXT, OnTextChanged)
END_MESSAGE_MAP()

CComment::CComment() : CPropertyPage(IDD_COMMENT) { m_psp.dwFlags |= PSP_HASHELP; }

void CComment::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_COMMENT_TEXT, m_strComment);
}

BOOL CComment::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (CWnd* pEdit = GetDlgItem(IDC_COMMENT_TEXT)) {
        CRect rc;
        pEdit->GetWindowRect(&rc);
        ScreenToClient(&rc);
        CSize size = m_rcFit.IsRectEmpty() ? CSize(rc.Width() + 120, rc.Height())
                                           : CSize(m_rcFit.Width() - 25, m_rcFit.Height() - 20);
        pEdit->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pEdit->ShowWindow(SW_SHOW);
    }
    return TRUE;
}

void TargetEscapeAtPage(CWnd* pPage, MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
        pMsg->hwnd = pPage->GetSafeHwnd();
}

BOOL CComment::PreTranslateMessage(MSG* pMsg)
{
    TargetEscapeAtPage(this, pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}
