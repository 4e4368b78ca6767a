#include "view/PageLayoutDlg.h"

#include "document/TavixDoc.h"
#include "elements/BlockComment.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CPageLayoutDlg, CDialog)

BEGIN_MESSAGE_MAP(CPageLayoutDlg, CDialog)
    ON_CONTROL(EN_UPDATE, IDC_PL_ACROSS, OnUpdateAcross)
    ON_CONTROL(EN_UPDATE, IDC_PL_DOWN, OnUpdateDown)
END_MESSAGE_MAP()

CPageLayoutDlg::CPageLayoutDlg(CTavixDoc* pDoc, CWnd* pParent) : CDialog(IDD_PAGE_LAYOUT, pParent), m_pDoc(pDoc) {}

void CPageLayoutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PL_USE_AS_DEFAULT, m_bUseAsDefault);
    DDX_Text(pDX, IDC_PL_ACROSS, m_nAcross);
    DDX_Text(pDX, IDC_PL_DOWN, m_nDown);
}

BOOL CPageLayoutDlg::OnInitDialog()
{
    m_nAcross = std::clamp(m_nAcross, 1, 100);
    m_nDown = std::clamp(m_nDown, 1, 100);
    m_preview.SubclassDlgItem(IDC_PL_PREVIEW, this);
    m_preview.SetPages(m_nAcross, m_nDown);
    return CDialog::OnInitDialog();
}

void CPageLayoutDlg::OnUpdateAcross() { KeepInRange(IDC_PL_ACROSS); }

void CPageLayoutDlg::OnUpdateDown() { KeepInRange(IDC_PL_DOWN); }

void CPageLayoutDlg::KeepInRange(int nID)
{
    BOOL ok = FALSE;
    const int value = int(GetDlgItemInt(nID, &ok, TRUE));
    const int kept = std::clamp(ok ? value : 0, 1, 100);
    if (!ok || kept != value)
        SetDlgItemInt(nID, UINT(kept), TRUE);
    (nID == IDC_PL_ACROSS ? m_nAcross : m_nDown) = kept;
    m_preview.SetPages(m_nAcross, m_nDown);
}

UINT CPageLayoutDlg::FindContentOutside(const CTavixDoc& doc, int nAcross, int nDown)
{
    const long long right = static_cast<long long>(doc.m_nPageWidth) * nAcross;
    const long long bottom = static_cast<long long>(doc.m_nPageHeight) * nDown;
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;) {
        const auto* pBlock = static_cast<const CBlockObj*>(doc.m_blocks.GetNext(pos));
        if (pBlock->m_ptOrigin.y + pBlock->m_nHeight >= bottom || pBlock->m_ptOrigin.x + pBlock->m_nWidth >= right)
            return IDS_PAGE_LAYOUT_BLOCKS_OUTSIDE;
    }
    for (POSITION pos = doc.m_wires.GetHeadPosition(); pos;) {
        const auto* pWire = static_cast<const CConnectLineObj*>(doc.m_wires.GetNext(pos));
        for (INT_PTR i = 0; i < pWire->m_points.GetSize(); ++i) {
            const CPoint& pt = pWire->m_points[i];
            if (pt.y >= bottom)
                return IDS_PAGE_LAYOUT_WIRES_OUTSIDE;
            if (pt.x >= right)
                return IDS_PAGE_LAYOUT_BLOCKS_OUTSIDE;
        }
    }
    // A comment left outside the area could no longer be reached either.
    for (POSITION pos = doc.m_comments.GetHeadPosition(); pos;) {
        const auto* pComment = static_cast<const CBlockComment*>(doc.m_comments.GetNext(pos));
        if (pComment->m_ptOrigin.y + pComment->m_nHeight >= bottom || pComment->m_ptOrigin.x + pComment->m_nWidth >= right)
            return IDS_PAGE_LAYOUT_BLOCKS_OUTSIDE;
    }
    return 0;
}

void CPageLayoutDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_nAcross * m_nDown > 100) {
        AfxMessageBox(AfxLoadString(IDS_PAGE_LAYOUT_TOO_MANY), MB_ICONEXCLAMATION);
        return;
    }
    if (m_pDoc && (m_nAcross < m_pDoc->m_nPageLayout[0] || m_nDown < m_pDoc->m_nPageLayout[1])) {
        if (const UINT refusal = FindContentOutside(*m_pDoc, m_nAcross, m_nDown)) {
            MessageBox(AfxLoadString(refusal), AfxLoadString(IDS_PAGE_LAYOUT_TITLE), MB_ICONERROR);
            EndDialog(IDCANCEL);
            return;
        }
    }
    EndDialog(IDOK);
}
