// CPWM: the high-speed output and the period of the PWM page; the scaling and the threshold
// range are the analog page's.
#include "pages/PWM.h"

#include "document/TavixDoc.h"
#include "elements/BlockAnalog.h"
#include "pages/TimerFields.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

namespace {

enum : UINT { IDC_OUTPUT = 1325, IDC_PERIOD_HIGH = 1550, IDC_PERIOD_LOW = 1549, IDC_PERIOD_BASE = 1548,
              IDC_PERIOD_REFERENCE = 1546, IDC_PERIOD_UNIT = 102, IDC_PERIOD_BLOCK = 104 };

constexpr TimeControlIds kIds{IDC_PERIOD_HIGH, 1552, 1184, IDC_PERIOD_LOW, 1551, IDC_PERIOD_BASE,
                              IDC_PERIOD_REFERENCE, IDC_PERIOD_UNIT, IDC_PERIOD_BLOCK};
constexpr int kOutputDisabled = 4;

}  // namespace

BEGIN_MESSAGE_MAP(CPWM, CAnalogComparator)
ON_CONTROL(EN_CHANGE, IDC_PERIOD_HIGH, OnParamChanged)
ON_CONTROL(EN_CHANGE, IDC_PERIOD_LOW, OnParamChanged)
ON_CONTROL(EN_UPDATE, IDC_PERIOD_LOW, OnLowPartUpdate)
ON_CONTROL(CBN_SELCHANGE, IDC_OUTPUT, OnSelchangeOutput)
ON_CONTROL(CBN_SELCHANGE, IDC_PERIOD_BASE, OnBaseChanged)
ON_CONTROL(BN_CLICKED, IDC_PERIOD_REFERENCE, OnReferenceClicked)
ON_CONTROL(CBN_SELCHANGE, IDC_PERIOD_UNIT, OnUnitChanged)
ON_CONTROL(CBN_SELCHANGE, IDC_PERIOD_BLOCK, OnRefBlockSelected)
END_MESSAGE_MAP()

CPWM::CPWM() : CAnalogComparator(IDD_PWM), m_ref(*this, kIds, m_period) {}

BOOL CPWM::OnInitDialog()
{
    AttachControl(m_cbBase, IDC_PERIOD_BASE);
    if (AttachControl(m_cbOutput, IDC_OUTPUT) && m_cbOutput.GetCount() == 0) {
        for (int q = 0; q < kOutputDisabled; ++q) {
            CString item;
            item.Format(L"Q%d", q);
            m_cbOutput.AddString(item);
        }
        CString item;
        item.LoadString(IDS_PWM_OUTPUT_DISABLE);
        m_cbOutput.AddString(item);
    }
    return CAnalogComparator::OnInitDialog();
}

void CPWM::DoDataExchange(CDataExchange* pDX)
{
    // The base list holds its names before the first exchange selects one.
    if (!pDX->m_bSaveAndValidate && SendDlgItemMessage(IDC_PERIOD_BASE, CB_GETCOUNT) == 0)
        m_ref.FillBaseList();
    CAnalogComparator::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_OUTPUT, m_nHighSpeedOut);
    DDX_CBIndex(pDX, IDC_PERIOD_BASE, m_period.nBase);
    DDX_Text(pDX, IDC_PERIOD_HIGH, m_period.nHigh);
    DDV_MinMaxInt(pDX, m_period.nHigh, 0, kTimePartLimit);
    DDX_Text(pDX, IDC_PERIOD_LOW, m_period.nLow);
    // Under hours and minutes the low part counts minutes or seconds.
    DDV_MinMaxInt(pDX, m_period.nLow, 0, m_period.nBase >= 2 ? kTimePartLimit : 59);
}

void CPWM::InitPage()
{
    CAnalogComparator::InitPage();
    m_ref.CreateLists(nullptr);
    m_ref.LimitParts();
    if (CWnd* p = GetDlgItem(IDC_PERIOD_REFERENCE))
        p->EnableWindow(m_period.bRefAllowed);
    m_ref.ShowReferenced(m_period.pRefBlock != nullptr);
    UpdateBaseItem();
    m_ref.FillBlockList(GetDocument(), m_nBlockNumber);
    SetPeriodTabOrder();
}

void CPWM::AddTips()
{
    CAnalogComparator::AddTips();
    AddRangeTip(IDC_PERIOD_HIGH, 0, kTimePartLimit);
    if (CWnd* p = GetDlgItem(IDC_PERIOD_LOW))
        m_toolTip.AddTool(p, CToolTipWnd::TextFromParent);
}

BOOL CPWM::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (RangeTipRequestId(lParam) == IDC_PERIOD_LOW)
        AnswerRangeTip(lParam, nullptr, 0, m_ref.LowMaximum());
    return CAnalogComparator::OnNotify(wParam, lParam, pResult);
}

void CPWM::UpdateBaseItem()
{
    const int sel = m_ref.BasePosition();
    const int output = int(SendDlgItemMessage(IDC_OUTPUT, CB_GETCURSEL));
    CString item;
    if (output >= 0 && output < kOutputDisabled)
        item.LoadString(IDS_PWM_BASE_100MS);
    else
        item = TimeBaseName(2);
    SendDlgItemMessage(IDC_PERIOD_BASE, CB_DELETESTRING, 2);
    SendDlgItemMessage(IDC_PERIOD_BASE, CB_INSERTSTRING, 2, reinterpret_cast<LPARAM>(item.GetString()));
    SendDlgItemMessage(IDC_PERIOD_BASE, CB_SETCURSEL, WPARAM(sel));
}

void CPWM::SetPeriodTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_OUTPUT);
    m_ref.ChainTabOrder(pAfter);
}

void CPWM::OnSelchangeOutput()
{
    UpdateBaseItem();
    SetModified(TRUE);
}

void CPWM::OnBaseChanged()
{
    m_ref.TakeBase();
    SetModified(TRUE);
}

void CPWM::OnLowPartUpdate() { m_ref.ClampLow(m_ref.BasePosition()); }

void CPWM::OnReferenceClicked()
{
    m_ref.Toggle(GetDocument());
    if (!m_period.bRef)
        UpdateBaseItem();
    SetPeriodTabOrder();
    SetModified(TRUE);
}

void CPWM::OnRefBlockSelected()
{
    m_ref.TakeSelectedBlock(GetDocument());
    SetModified(TRUE);
}

void CPWM::OnOK()
{
    // A referenced period carries no literal time, only the unit of the block's value.
    m_ref.SettleForOk();
    // Range, gain and offset are made to agree here as on the other analog pages, so the
    // block never keeps a maximum its gain does not give.
    CAnalogComparator::OnOK();
}

void CPWM::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    // The period holds reference 1; the threshold range is never referenced.
    LoadTime(m_period, block, 0);
    m_period.bRefAllowed = m_bRefAllowed;
    for (int k = 0; k < 2; ++k) {
        m_bRef[k] = 0;
        m_pRefBlock[k] = nullptr;
    }
    if (const auto* pPWM = dynamic_cast<const CBlockAnalog*>(&block))
        m_nHighSpeedOut = pPWM->m_nOption >= 0 && pPWM->m_nOption <= kOutputDisabled ? pPWM->m_nOption : kOutputDisabled;
}


void CPWM::FillAnalogRecord(CAnalogParamRecord& record) const
{
    const bool bRef = m_period.bRef && m_period.pRefBlock;
    record.nPWM[0] = m_period.nLow, record.nPWM[1] = m_period.nHigh, record.nPWM[2] = m_period.nBase;
    record.nPWM[3] = bRef ? m_period.nUnit : 0;
    record.ref[0].nUnit = record.nPWM[3];
    record.ref[0].bFlag = bRef ? 1 : 0;
    record.ref[0].pBlock = bRef ? m_period.pRefBlock : nullptr;
    record.nPI[4] = m_nHighSpeedOut;
}
