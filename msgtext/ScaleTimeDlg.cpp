#include "msgtext/ScaleTimeDlg.h"

#include "msgtext/MsgTextLists.h"
#include "msgtext/Widget.h"
#include "msgtext/WidgetChoice.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"

namespace {
constexpr int kIdBlock = 1331;
constexpr int kIdValue = 1396;
constexpr int kIdTimeBase = 1277;
} // namespace

BEGIN_MESSAGE_MAP(CScaleTimeDlg, CDialog)
    ON_CONTROL(CBN_SELCHANGE, kIdBlock, OnBlockSelChange)
END_MESSAGE_MAP()

CScaleTimeDlg::CScaleTimeDlg(CTavixDoc* pDoc, CWnd* pParent) : CDialog(IDD_MT_SCALE_TIME, pParent), m_pDoc(pDoc) {}

void CScaleTimeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdBlock, m_cbBlock);
    DDX_Control(pDX, kIdValue, m_cbValue);
    DDX_Control(pDX, kIdTimeBase, m_cbTimeBase);
    DDX_CBIndex(pDX, kIdValue, m_nValueIndex);
    DDX_CBIndex(pDX, kIdTimeBase, m_nTimeBase);
}

BOOL CScaleTimeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWidgetChoice::FillChoice(m_pDoc, m_cbBlock, m_cbValue, m_pWidget, m_nValueIndex);
    m_cbTimeBase.ResetContent();
    for (UINT i = 0; i < 4; ++i)
        m_cbTimeBase.AddString(msgtext::Res(IDS_MT_TIMEBASE_FIRST + i));
    m_cbTimeBase.SetCurSel(m_nTimeBase);
    return TRUE;
}

void CScaleTimeDlg::OnBlockSelChange()
{
    CWidgetChoice::OnBlockChanged(m_pDoc, m_cbBlock, m_cbValue);
}

void CScaleTimeDlg::OnOK()
{
    int number = -1;
    CBlockObj* pBlock = nullptr;
    if (!CWidgetChoice::TakeChoice(this, m_pDoc, m_cbBlock, m_cbValue, &pBlock, &number))
        return;
    if (m_cbTimeBase.GetCurSel() < 0)
        m_cbTimeBase.SetCurSel(3);
    if (!UpdateData(TRUE))
        return;
    m_nBlockNumber = number;
    if (m_pWidget)
        CWidgetChoice::PointField(m_pWidget, pBlock, number, m_nValueIndex);
    EndDialog(IDOK);
}
