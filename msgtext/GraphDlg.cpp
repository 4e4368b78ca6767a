#include "msgtext/GraphDlg.h"

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CGraphDlg, CDialog)
    ON_CONTROL_RANGE(BN_CLICKED, CGraphDlg::kFirstButton, CGraphDlg::kFirstButton + CGraphDlg::kPictures - 1, OnPicture)
END_MESSAGE_MAP()

CGraphDlg::CGraphDlg(CWnd* pParent) : CDialog(IDD_MT_GRAPH, pParent) {}

void CGraphDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i <= kPictures; ++i)
        DDX_Control(pDX, kFirstButton + i, m_btnPictures[i]);
}

BOOL CGraphDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Button i shows picture i, the image the device knows by that number.
    for (int i = 0; i < kPictures; ++i) {
        m_btnPictures[i].SetIcon(IDI_MT_PICTURE_FIRST + i);
        m_btnPictures[i].SetIconId(IDI_MT_PICTURE_FIRST + i);
        m_btnPictures[i].SetFlat(FALSE, TRUE);
    }
    m_btnPictures[kPictures].SetFlat(FALSE, TRUE);
    const int picture = m_pWidget && m_nPicture >= 0 && m_nPicture < kPictures ? m_nPicture : 0;
    m_nCurrentId = kFirstButton + picture;
    ShowPreview();
    return TRUE;
}

void CGraphDlg::ShowPreview()
{
    CIconButton& preview = m_btnPictures[kPictures];
    const int icon = IDI_MT_PICTURE_FIRST + m_nCurrentId - kFirstButton;
    preview.SetIcon(icon);
    preview.SetIconId(icon);
    preview.Invalidate();
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
