// COneTimeTimerPage: one time, literal or referenced; OK folds the reference into the members.
#include "pages/OneTimeTimerPage.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/AllPropertySheet.h"
#include "pages/ParamRecords.h"
#include "pages/TimerFields.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

namespace {

constexpr TimeControlIds kIds{1550, 1552, 1184, 1549, 1551, 1548, 1546, 102, 104};

}  // namespace

BEGIN_MESSAGE_MAP(COneTimeTimerPage, CBlockPage)
ON_CONTROL(EN_CHANGE, 1549, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1550, OnParamChanged)
ON_CONTROL(BN_CLICKED, 1546, OnReferenceClicked)
ON_CONTROL(CBN_SELCHANGE, 1548, OnBaseChanged)
ON_CONTROL(EN_UPDATE, 1549, OnLowPartUpdate)
ON_CONTROL(CBN_SELCHANGE, 102, OnUnitChanged)
ON_CONTROL(CBN_SELCHANGE, 104, OnRefBlockSelected)
END_MESSAGE_MAP()

COneTimeTimerPage::COneTimeTimerPage() : CBlockPage(IDD_SPECIAL_FUN_PAR), m_ref(*this, kIds, m_time) {}

void COneTimeTimerPage::DoDataExchange(CDataExchange* pDX)
{
    // The base list holds its three names before the first exchange selects one.
    if (!pDX->m_bSaveAndValidate && SendDlgItemMessage(1548, CB_GETCOUNT, 0, 0) == 0)
        m_ref.FillBaseList();
    CBlockPage::DoDataExchange(pDX);
    DDX_Text(pDX, 1549, m_time.nLow);
    DDX_Text(pDX, 1550, m_time.nHigh);
    DDV_MinMaxInt(pDX, m_time.nHigh, 0, kTimePartLimit);
    DDX_CBIndex(pDX, 1548, m_time.nBase);
}

void COneTimeTimerPage::InitPage()
{
    UINT label = IDS_TIMER_ON_DELAY;
    if (m_nBlockType == 401)
        label = IDS_TIMER_OFF_DELAY;
    else if (m_nBlockType == 404)
        label = IDS_TIMER_OFF_TIME_TL;
    CString text;
    text.LoadString(label);
    SetDlgItemText(1007, text);

    m_ref.CreateLists(nullptr);
    m_ref.LimitParts();
    if (CWnd* p = GetDlgItem(1546))
        p->EnableWindow(m_time.bRefAllowed);
    m_ref.ShowReferenced(m_time.pRefBlock != nullptr);
    const CTavixDoc* pDoc = GetDocument();
    const BOOL bOld = pDoc && !pDoc->IsNewModel();
    if (bOld && m_nBlockType == 404) {
        if (CWnd* p = GetDlgItem(1546))
            p->ShowWindow(SW_HIDE);
    } else {
        m_ref.FillBlockList(pDoc, m_nBlockNumber);
        ApplyNameRule();
    }
    SetTabOrder();
}

void COneTimeTimerPage::AddTips()
{
    AddRangeTip(1550, 0, kTimePartLimit);
    if (CWnd* p = GetDlgItem(1549))
        m_toolTip.AddTool(p, CToolTipWnd::TextFromParent);
}

BOOL COneTimeTimerPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (RangeTipRequestId(lParam) == 1549)
        AnswerRangeTip(lParam, nullptr, 0, m_ref.LowMaximum());
    return CBlockPage::OnNotify(wParam, lParam, pResult);
}

void COneTimeTimerPage::SetTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_BLOCK_NAME);
    m_ref.ChainTabOrder(pAfter);
}

void COneTimeTimerPage::OnReferenceClicked()
{
    m_ref.Toggle(GetDocument());
    SetTabOrder();
    SetModified(TRUE);
}

void COneTimeTimerPage::OnRefBlockSelected()
{
    m_ref.TakeSelectedBlock(GetDocument());
    SetModified(TRUE);
}

void COneTimeTimerPage::OnBaseChanged()
{
    m_ref.TakeBase();
    SetModified(TRUE);
}

void COneTimeTimerPage::OnLowPartUpdate() { m_ref.ClampLow(m_ref.BasePosition()); }

void COneTimeTimerPage::OnOK()
{
    m_ref.SettleForOk();
    CBlockPage::OnOK();
}

void COneTimeTimerPage::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_bRetentivity = block.m_bRetentive;
    m_bProtection = block.m_bProtected;
    LoadTime(m_time, block, 0);
    m_time.bRefAllowed = m_bRefAllowed;
}


void COneTimeTimerPage::FillTimeRecord(CTimeParamRecord& record) const
{
    record.bProtection = m_bProtection;
    record.bRetentivity = m_bRetentivity;
    record.nTime1Low = m_time.nLow, record.nTime1High = m_time.nHigh, record.nTime1Base = m_time.nBase;
    record.ref[0].nUnit = m_time.nUnit;
    record.ref[0].bFlag = m_time.bRef && m_time.pRefBlock;
    record.ref[0].pBlock = record.ref[0].bFlag ? m_time.pRefBlock : nullptr;
}
