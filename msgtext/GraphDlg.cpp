#include "msgtext/GraphDlg.h"

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CGraphDlg, CDialog)
    ON_CONTROL_RANGE(BN_CLICKED, CGraphDlg::kFirstButton, CGraphDlg::kFirstButton + CGraphDlg::kPictures - 1, OnPicture)
END_MESSAGE_MAP()

CGraphDlg::CGraphDlg(CWnd* pParent) : CDialog(IDD_MT_GRAPH, pParent) {}

BOOL CGraphDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Each button shows the number the device knows its picture by.
    for (int i = 0; i < kPictures; ++i) {
        CString text;
        text.Format(L"%d", i);
        SetDlgItemText(kFirstButton + i, text);
    }
    const int picture = m_pWidget && m_nPicture >= 0 && m_nPicture < kPictures ? m_nPicture : 0;
    m_nCurrentId = kFirstButton + picture;
    ShowPreview();
    return TRUE;
}

void CGraphDlg::ShowPreview()
{
    CString text;
    text.Format(L"%d", m_nCurrentId - kFirstButton);
    SetDlgItemText(kPreview, text);
}

void CGraphDlg::OnPicture(UINT nId)
{
    m_nCurrentId = int(nId);
    ShowPreview();
}

void CGraphDlg::OnOK()
{
    m_nPicture = m_nCurrentId - kFirstButton;
    EndDialog(IDOK);
}
