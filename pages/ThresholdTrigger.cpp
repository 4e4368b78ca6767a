// CThresholdTrigger: the gate time is literal or referenced; older devices keep it literal.
#include "pages/ThresholdTrigger.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/ParamRecords.h"
#include "pages/RefBlockList.h"
#include "pages/TimerFields.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

BEGIN_MESSAGE_MAP(CThresholdTrigger, CBlockPage)
ON_CONTROL(EN_CHANGE, 1076, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1243, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1131, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1550, OnParamChanged)
ON_CONTROL(BN_CLICKED, 1546, OnReferenceClicked)
ON_CONTROL(CBN_SELCHANGE, 125, OnRefBlockSelected)
END_MESSAGE_MAP()

CThresholdTrigger::CThresholdTrigger() : CBlockPage(IDD_THRESHOLD_TRIGGER) {}

void CThresholdTrigger::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1243, m_nOffThreshold);
    DDV_MinMaxInt(pDX, m_nOffThreshold, 0, 9999);
    DDX_Text(pDX, 1076, m_nOnThreshold);
    DDV_MinMaxInt(pDX, m_nOnThreshold, 0, 9999);
    DDX_Text(pDX, 1550, m_nLow);
    DDV_MinMaxInt(pDX, m_nLow, 0, 99);
    DDX_Text(pDX, 1131, m_nHigh);
    DDV_MinMaxInt(pDX, m_nHigh, 0, 99);
    CBlockPage::DoDataExchange(pDX);
}

void CThresholdTrigger::ShowTime()
{
    ShowLiteralOrList(*this, {1131, 1132, 1185, 1550, 1552}, m_cbRefBlock, m_bRef);
    CString label;
    label.LoadString(m_bRef ? IDS_TRIGGER_MILLISECONDS : IDS_TRIGGER_SECONDS);
    SetDlgItemText(1245, label);
}

void CThresholdTrigger::InitPage()
{
    CreateBlockListOver(m_cbRefBlock, this, 1131, 1552, 125);
    LimitNumberEdit(1076, 1078, 0, 9999, 4);
    LimitNumberEdit(1243, 1244, 0, 9999, 4);
    LimitNumberEdit(1131, 1132, 0, 99, 2);
    LimitNumberEdit(1550, 1552, 0, 99, 2);
    const CTavixDoc* pDoc = GetDocument();
    if (pDoc && !pDoc->IsNewModel()) {
        m_bRef = 0;
        m_pRefBlock = nullptr;
        if (CWnd* p = GetDlgItem(1546))
            p->ShowWindow(SW_HIDE);
    }
    ShowTime();
    if (CWnd* p = GetDlgItem(1546))
        p->EnableWindow(m_bRefAllowed);
    FillBlockList(m_cbRefBlock, pDoc, m_nBlockNumber, m_pRefBlock);
    SetTabOrder();
}

void CThresholdTrigger::AddTips()
{
    AddRangeTip(1076, 0, 9999);
    AddRangeTip(1243, 0, 9999);
    AddRangeTip(1131, 0, 99);
    AddRangeTip(1550, 0, 99);
}

void CThresholdTrigger::SetTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_BLOCK_NAME);
    ChainTabOrder(pAfter, {GetDlgItem(1076), GetDlgItem(1243), m_bRef ? static_cast<CWnd*>(&m_cbRefBlock) : GetDlgItem(1131),
                           m_bRef ? nullptr : GetDlgItem(1550), GetDlgItem(1546), GetDlgItem(IDC_PROTECTION)});
}

void CThresholdTrigger::OnReferenceClicked()
{
    ToggleReference(m_bRef, m_pRefBlock, m_cbRefBlock, GetDocument());
    ShowTime();
    SetTabOrder();
    SetModified(TRUE);
}

void CThresholdTrigger::OnRefBlockSelected()
{
    m_pRefBlock = SelectedBlock(m_cbRefBlock, GetDocument());
    SetModified(TRUE);
}

void CThresholdTrigger::OnOK()
{
    if (m_bRef && m_pRefBlock) {
        m_nHigh = m_nLow = 0;
    } else {
        m_bRef = 0;
        m_pRefBlock = nullptr;
    }
    CBlockPage::OnOK();
}

void CThresholdTrigger::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_bProtection = block.m_bProtected;
    m_nOnThreshold = block.m_nTime1High, m_nOffThreshold = block.m_nTime1Low;
    m_nHigh = block.m_nTime2High, m_nLow = block.m_nTime2Low;
    m_pRefBlock = block.m_pRefBlock[0];
    m_bRef = m_pRefBlock != nullptr;
}


void CThresholdTrigger::FillTimeRecord(CTimeParamRecord& record) const
{
    record.bProtection = m_bProtection;
    record.nTime1High = m_nOnThreshold, record.nTime1Low = m_nOffThreshold;
    record.nTime2High = m_nHigh, record.nTime2Low = m_nLow;
    FillReference(record.ref[0], m_bRef, m_pRefBlock);
}
