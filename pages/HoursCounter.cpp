// CHoursCounter: older devices count whole hours and take no interval from another block.
#include "pages/HoursCounter.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/ParamRecords.h"
#include "pages/RefBlockList.h"
#include "pages/TimerFields.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

BEGIN_MESSAGE_MAP(CHoursCounter, CBlockPage)
ON_CONTROL(BN_CLICKED, 1026, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1076, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1131, OnParamChanged)
ON_CONTROL(BN_CLICKED, 1546, OnReferenceClicked)
ON_CONTROL(CBN_SELCHANGE, 104, OnRefBlockSelected)
END_MESSAGE_MAP()

CHoursCounter::CHoursCounter() : CBlockPage(IDD_HOURS_COUNTER) { m_bRetentivity = 1; }

BOOL CHoursCounter::IsNewDevice() const
{
    const CTavixDoc* pDoc = GetDocument();
    return pDoc == nullptr || pDoc->IsNewModel();
}

void CHoursCounter::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    DDX_Text(pDX, 1076, m_nMIHours);
    DDV_MinMaxInt(pDX, m_nMIHours, 0, kMIHoursLimit);
    DDX_Text(pDX, 1131, m_nOTHours);
    DDV_MinMaxInt(pDX, m_nOTHours, 0, 99999);
    DDX_Check(pDX, 1026, m_bOutputKept);
    DDX_Text(pDX, 1243, m_nMIMinutes);
    DDV_MinMaxInt(pDX, m_nMIMinutes, 0, 59);
    DDX_Text(pDX, 1550, m_nOTMinutes);
    DDV_MinMaxInt(pDX, m_nOTMinutes, 0, 59);
}

void CHoursCounter::ShowInterval()
{
    const BOOL bRef = m_bRef && IsNewDevice();
    ShowLiteralOrList(*this, {1076, 1078, 1184, 1243, 1244}, m_cbRefBlock, bRef);
    CString label;
    label.LoadString(bRef ? IDS_HOURS_UNIT : IDS_TIME_BASE_HOURS);
    SetDlgItemText(1245, label);
}

void CHoursCounter::InitPage()
{
    CreateBlockListOver(m_cbRefBlock, this, 1076, 1244, 104);
    LimitNumberEdit(1076, 1078, 0, kMIHoursLimit, 4);
    LimitNumberEdit(1131, 1132, 0, 99999, 5);
    LimitNumberEdit(1243, 1244, 0, 59, 2);
    LimitNumberEdit(1550, 1552, 0, 59, 2);
    if (IsNewDevice()) {
        ShowInterval();
        FillBlockList(m_cbRefBlock, GetDocument(), m_nBlockNumber, m_pRefBlock);
    } else {
        // Whole hours only, and no interval from another block.
        m_bRef = 0;
        m_pRefBlock = nullptr;
        for (UINT id : {1546u, 1184u, 1243u, 1244u, 1245u, 1185u, 1550u, 1552u, 1348u})
            if (CWnd* p = GetDlgItem(int(id)))
                p->ShowWindow(SW_HIDE);
    }
    if (CWnd* p = GetDlgItem(1546))
        p->EnableWindow(m_bRefAllowed);
    if (CWnd* p = GetDlgItem(IDC_RETENTIVITY))
        p->EnableWindow(FALSE);
    SetTabOrder();
}

void CHoursCounter::AddTips()
{
    AddRangeTip(1076, 0, kMIHoursLimit);
    AddRangeTip(1131, 0, 99999);
    AddRangeTip(1243, 0, 59);
    AddRangeTip(1550, 0, 59);
}

void CHoursCounter::SetTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_BLOCK_NAME);
    const BOOL bRef = m_cbRefBlock.GetSafeHwnd() && m_cbRefBlock.IsWindowVisible();
    ChainTabOrder(pAfter, {bRef ? static_cast<CWnd*>(&m_cbRefBlock) : GetDlgItem(1076), bRef ? nullptr : GetDlgItem(1243),
                           GetDlgItem(1546), GetDlgItem(1131), GetDlgItem(1550), GetDlgItem(1026),
                           GetDlgItem(IDC_PROTECTION)});
}

void CHoursCounter::OnReferenceClicked()
{
    ToggleReference(m_bRef, m_pRefBlock, m_cbRefBlock, GetDocument());
    ShowInterval();
    SetTabOrder();
    SetModified(TRUE);
}

void CHoursCounter::OnRefBlockSelected()
{
    m_pRefBlock = SelectedBlock(m_cbRefBlock, GetDocument());
    SetModified(TRUE);
}

void CHoursCounter::OnOK()
{
    if (m_bRef && m_pRefBlock) {
        m_nMIHours = m_nMIMinutes = 0;
    } else {
        m_bRef = 0;
        m_pRefBlock = nullptr;
    }
    CBlockPage::OnOK();
}

void CHoursCounter::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_bProtection = block.m_bProtected;
    m_nMIHours = block.m_nTime1High, m_nMIMinutes = block.m_nTime1Low;
    m_nOTHours = block.m_nTime2High, m_nOTMinutes = block.m_nTime2Low;
    m_bOutputKept = block.m_bStdPreWarning ? 1 : 0;
    m_pRefBlock = block.m_pRefBlock[0];
    m_bRef = m_pRefBlock != nullptr;
}


void CHoursCounter::FillTimeRecord(CTimeParamRecord& record) const
{
    record.bProtection = m_bProtection;
    record.nTime1High = m_nMIHours, record.nTime1Low = m_nMIMinutes;
    record.nTime2High = m_nOTHours, record.nTime2Low = m_nOTMinutes;
    record.nCheck = m_bOutputKept;
    FillReference(record.ref[0], m_bRef, m_pRefBlock);
}
