// CUpDownCounter: a threshold shows its edit or, while its flag is set, the list of blocks it may
// take its value from; the list selects the referenced block by its whole number.
#include "pages/UpDownCounter.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/ParamRecords.h"
#include "pages/RefBlockList.h"
#include "pages/TimerFields.h"
#include "resources/resource.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

BEGIN_MESSAGE_MAP(CUpDownCounter, CBlockPage)
ON_CONTROL(EN_CHANGE, 1076, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1131, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1133, OnParamChanged)
ON_CONTROL(CBN_SELCHANGE, 1328, OnParamChanged)
ON_CONTROL(BN_CLICKED, 1080, OnReferenceOn)
ON_CONTROL(BN_CLICKED, 1014, OnReferenceOff)
ON_CONTROL(CBN_SELCHANGE, 105, OnBlockOn)
ON_CONTROL(CBN_SELCHANGE, 106, OnBlockOff)
END_MESSAGE_MAP()

CUpDownCounter::CUpDownCounter() : CBlockPage(IDD_UP_DOWN_COUNTER) {}

void CUpDownCounter::DoDataExchange(CDataExchange* pDX)
{
    if (!pDX->m_bSaveAndValidate && SendDlgItemMessage(1328, CB_GETCOUNT, 0, 0) == 0)
        for (const wchar_t* item : {L"I0 & I1", L"I2 & I3"})
            SendDlgItemMessage(1328, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    CBlockPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, 1328, m_nSource);
    const int lo = LowestValue();
    DDX_Text(pDX, 1076, m_nOnValue);
    DDV_MinMaxInt(pDX, m_nOnValue, lo, 999999);
    DDX_Text(pDX, 1131, m_nOffValue);
    DDV_MinMaxInt(pDX, m_nOffValue, lo, 999999);
    DDX_Text(pDX, 1133, m_nStartValue);
    DDV_MinMaxInt(pDX, m_nStartValue, lo, 999999);
}

void CUpDownCounter::ShowThreshold(BOOL bOn)
{
    const BOOL bRef = bOn ? m_bRefOn : m_bRefOff;
    const UINT edit = bOn ? 1076 : 1131, spin = bOn ? 1078 : 1132;
    ShowLiteralOrList(*this, {edit, spin}, bOn ? m_cbRefOn : m_cbRefOff, bRef);
    if (!bRef)
        SendDlgItemMessage(int(edit), EM_LIMITTEXT, m_nBlockType == 800 ? 6 : 7, 0);
}

void CUpDownCounter::InitPage()
{
    for (BOOL bOn : {TRUE, FALSE}) {
        CWnd* pEdit = GetDlgItem(bOn ? 1076 : 1131);
        CWnd* pSpin = GetDlgItem(bOn ? 1078 : 1132);
        if (pEdit == nullptr || pSpin == nullptr)
            continue;
        CRect rc, rcSpin;
        pEdit->GetWindowRect(&rc);
        pSpin->GetWindowRect(&rcSpin);
        ScreenToClient(&rc);
        rc.right += rcSpin.Width() * 3 / 2;
        rc.bottom = rc.top + 100;
        CreateBlockList(bOn ? m_cbRefOn : m_cbRefOff, this, rc, bOn ? 105 : 106, FALSE);
    }
    for (UINT id : {1080u, 1014u})
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(m_bRefAllowed);
    for (UINT spin : {1078u, 1132u, 1134u})
        SendDlgItemMessage(int(spin), UDM_SETRANGE32, WPARAM(LowestValue()), 999999);
    ShowThreshold(TRUE);
    ShowThreshold(FALSE);
    const CTavixDoc* pDoc = GetDocument();
    const BOOL bNew = pDoc == nullptr || pDoc->IsNewModel();
    for (UINT id : {1239u, 1328u})
        if (CWnd* p = GetDlgItem(int(id)))
            p->ShowWindow(bNew && m_nBlockType != 800 ? SW_SHOW : SW_HIDE);
    for (UINT id : {1238u, 1133u, 1134u})
        if (CWnd* p = GetDlgItem(int(id)))
            p->ShowWindow(bNew ? SW_SHOW : SW_HIDE);
    SendDlgItemMessage(1133, EM_LIMITTEXT, m_nBlockType == 800 ? 6 : 7, 0);
    // A flag without a block shows the first entry; OK then takes no reference.
    FillBlockList(m_cbRefOn, pDoc, m_nBlockNumber, m_bRefOn ? m_pRefBlockOn : nullptr);
    FillBlockList(m_cbRefOff, pDoc, m_nBlockNumber, m_bRefOff ? m_pRefBlockOff : nullptr);
    SetTabOrder();
}

void CUpDownCounter::AddTips()
{
    for (UINT id : {1076u, 1131u, 1133u})
        AddRangeTip(id, LowestValue(), 999999);
}

void CUpDownCounter::SetTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_BLOCK_NAME);
    ChainTabOrder(pAfter, {m_bRefOn ? static_cast<CWnd*>(&m_cbRefOn) : GetDlgItem(1076), GetDlgItem(1080),
                           m_bRefOff ? static_cast<CWnd*>(&m_cbRefOff) : GetDlgItem(1131), GetDlgItem(1014),
                           GetDlgItem(1133)});
}

void CUpDownCounter::OnReference(BOOL bOn)
{
    if (bOn)
        ToggleReference(m_bRefOn, m_pRefBlockOn, m_cbRefOn, GetDocument());
    else
        ToggleReference(m_bRefOff, m_pRefBlockOff, m_cbRefOff, GetDocument());
    ShowThreshold(bOn);
    SetTabOrder();
    SetModified(TRUE);
}

void CUpDownCounter::OnBlockOn()
{
    m_pRefBlockOn = SelectedBlock(m_cbRefOn, GetDocument());
    SetModified(TRUE);
}

void CUpDownCounter::OnBlockOff()
{
    m_pRefBlockOff = SelectedBlock(m_cbRefOff, GetDocument());
    SetModified(TRUE);
}

void CUpDownCounter::OnOK()
{
    if (!m_bRefOn)
        m_pRefBlockOn = nullptr;
    if (!m_bRefOff)
        m_pRefBlockOff = nullptr;
    CBlockPage::OnOK();
}

void CUpDownCounter::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_bRetentivity = block.m_bRetentive;
    m_bProtection = block.m_bProtected;
    m_nOnValue = block.m_nTime1High;
    m_nOffValue = block.m_nTime2High;
    m_nStartValue = block.m_nStartValue;
    m_nSource = block.m_nPreWarn[1] == 1 ? 1 : 0;
    m_bRefOn = block.m_bRef[0] ? 1 : 0;
    m_bRefOff = block.m_bRef[1] ? 1 : 0;
    m_pRefBlockOn = block.m_pRefBlock[0];
    m_pRefBlockOff = block.m_pRefBlock[1];
}


void CUpDownCounter::FillTimeRecord(CTimeParamRecord& record) const
{
    record.bProtection = m_bProtection;
    record.bRetentivity = m_bRetentivity;
    record.nTime1High = m_nOnValue;
    record.nTime2High = m_nOffValue;
    record.nStartValue = m_nStartValue;
    record.nExtra[1] = m_nSource;
    FillReference(record.ref[0], m_bRefOn, m_pRefBlockOn);
    FillReference(record.ref[1], m_bRefOff, m_pRefBlockOff);
}
