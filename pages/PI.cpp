// CPI: the controller part of the PI page; the scaling, SP and Mq are the analog page's.
#include "pages/PI.h"

#include "elements/BlockAnalog.h"
#include "resources/resource.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

#include <algorithm>
#include <cmath>

namespace {

enum : UINT {
    IDC_PARAM_SET = 1099, IDC_KC = 1029, IDC_KC_SPIN = 1030, IDC_TI_CHECK = 1031, IDC_TI_MINUTES = 1032,
    IDC_TI_MINUTES_SPIN = 1033, IDC_TI_SECONDS = 1034, IDC_TI_SECONDS_SPIN = 1035, IDC_UPWARDS = 1100,
    IDC_DOWNWARDS = 1101, IDC_KC_LABEL = 1297, IDC_DIRECTION_LABEL = 1298, IDC_TI_COLON = 1299, IDC_TI_UNIT = 1300,
};

constexpr double kKCMax = 99.99;
constexpr int kUserSet = 6;
// TI 99:59 means the controller does not integrate.
constexpr int kNoTIMinutes = 99, kNoTISeconds = 59;

}  // namespace

const CPI::ParamSet CPI::kParamSets[6] = {{0.5, 0, 30}, {1.0, 2, 0}, {3.0, 0, 5}, {1.2, 0, 12}, {1.0, 99, 59}, {0.7, 0, 20}};

BEGIN_MESSAGE_MAP(CPI, CAnalogComparator)
ON_CONTROL(CBN_SELCHANGE, IDC_PARAM_SET, OnSelchangeParamSet)
ON_CONTROL(BN_CLICKED, IDC_TI_CHECK, OnIntegrationClicked)
ON_CONTROL(EN_UPDATE, IDC_KC, OnUpdateKC)
ON_CONTROL(EN_CHANGE, IDC_KC, OnControllerChanged)
ON_CONTROL(EN_CHANGE, IDC_TI_MINUTES, OnControllerChanged)
ON_CONTROL(EN_CHANGE, IDC_TI_SECONDS, OnControllerChanged)
ON_CONTROL_RANGE(BN_CLICKED, IDC_UPWARDS, IDC_DOWNWARDS, OnDirection)
END_MESSAGE_MAP()

CPI::CPI() : CAnalogComparator(IDD_PI) {}

void CPI::ValueBounds(int k, int* pLo, int* pHi) const
{
    // SP spans the scaled range, Mq the output's 0..1000.
    *pLo = k == 0 ? -10000 : 0;
    *pHi = k == 0 ? 20000 : 1000;
}

void CPI::PlaceRetentivity()
{
    // The controller's Retentivity is shown but not the user's to change.
    if (CWnd* p = GetDlgItem(IDC_RETENTIVITY))
        p->EnableWindow(FALSE);
}

BOOL CPI::OnInitDialog()
{
    if (AttachControl(m_cbParamSet, IDC_PARAM_SET) && m_cbParamSet.GetCount() == 0)
        for (UINT id = IDS_PI_SET_TEMP_FAST; id <= IDS_PI_SET_USER; ++id) {
            CString item;
            item.LoadString(id);
            m_cbParamSet.AddString(item);
        }
    return CAnalogComparator::OnInitDialog();
}

void CPI::DoDataExchange(CDataExchange* pDX)
{
    CAnalogComparator::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_PARAM_SET, m_nParamSet);
    DDX_Check(pDX, IDC_TI_CHECK, m_bIntegration);
    DDX_Radio(pDX, IDC_UPWARDS, m_nDirection);
    DDX_Text(pDX, IDC_TI_MINUTES, m_nTIMinutes);
    DDV_MinMaxInt(pDX, m_nTIMinutes, 0, 99);
    DDX_Text(pDX, IDC_TI_SECONDS, m_nTISeconds);
    DDV_MinMaxInt(pDX, m_nTISeconds, 0, 59);
    DDX_Text(pDX, IDC_KC, m_dKC);
    DDV_MinMaxDouble(pDX, m_dKC, 0.0, kKCMax);
    DDX_Control(pDX, IDC_KC, m_editKC);
    DDX_Control(pDX, IDC_TI_MINUTES, m_editTIMinutes);
    DDX_Control(pDX, IDC_TI_SECONDS, m_editTISeconds);
}

void CPI::InitPage()
{
    m_nSavedTIMinutes = m_nTIMinutes, m_nSavedTISeconds = m_nTISeconds;
    CAnalogComparator::InitPage();
    m_editKC.AllowNegative(FALSE);
    m_editKC.SetMaxWholeDigits(2);
    m_editKC.SetMaxDecimalPlaces(2);
    m_editKC.ModifyFlags(CEditBehavior::DecimalAfterWholeDigits, 0);
    m_editKC.SetDouble(m_dKC, TRUE);
    for (CIntegerEdit* pEdit : {&m_editTIMinutes, &m_editTISeconds})
        pEdit->AllowNegative(FALSE);
    SendDlgItemMessage(IDC_KC_SPIN, UDM_SETRANGE32, 0, 100);
    SendDlgItemMessage(IDC_TI_MINUTES_SPIN, UDM_SETRANGE32, 0, 99);
    SendDlgItemMessage(IDC_TI_SECONDS_SPIN, UDM_SETRANGE32, 0, 59);
    SendDlgItemMessage(IDC_TI_MINUTES, EM_LIMITTEXT, 2);
    SendDlgItemMessage(IDC_TI_SECONDS, EM_LIMITTEXT, 2);
    ApplyParameterSet();
}

void CPI::AddTips()
{
    CAnalogComparator::AddTips();
    AddRangeTip(IDC_TI_MINUTES, 0, 99);
    AddRangeTip(IDC_TI_SECONDS, 0, 59);
    AddRangeTip(IDC_KC, 0.0, kKCMax);
}

void CPI::ApplyParameterSet()
{
    const int set = m_cbParamSet.GetSafeHwnd() ? m_cbParamSet.GetCurSel() : m_nParamSet;
    auto enable = [this](std::initializer_list<UINT> ids, BOOL bEnable) {
        for (UINT id : ids)
            if (CWnd* p = GetDlgItem(int(id)))
                p->EnableWindow(bEnable);
    };
    if (set >= 0 && set < kUserSet) {
        const ParamSet& row = kParamSets[set];
        m_editKC.SetDouble(row.kc, TRUE);
        SetDlgItemInt(IDC_TI_MINUTES, UINT(row.minutes), FALSE);
        SetDlgItemInt(IDC_TI_SECONDS, UINT(row.seconds), FALSE);
        CheckDlgButton(IDC_TI_CHECK, BST_CHECKED);
        CheckRadioButton(IDC_UPWARDS, IDC_DOWNWARDS, IDC_UPWARDS);
        enable({IDC_KC_LABEL, IDC_KC, IDC_KC_SPIN, IDC_TI_CHECK, IDC_TI_MINUTES, IDC_TI_MINUTES_SPIN, IDC_TI_COLON,
                IDC_TI_SECONDS, IDC_TI_SECONDS_SPIN, IDC_TI_UNIT, IDC_DIRECTION_LABEL, IDC_UPWARDS, IDC_DOWNWARDS},
               FALSE);
        return;
    }
    const BOOL bTI = IsDlgButtonChecked(IDC_TI_CHECK) == BST_CHECKED;
    if (bTI) {
        m_nSavedTIMinutes = int(GetDlgItemInt(IDC_TI_MINUTES, nullptr, FALSE));
        m_nSavedTISeconds = int(GetDlgItemInt(IDC_TI_SECONDS, nullptr, FALSE));
    }
    enable({IDC_KC_LABEL, IDC_KC, IDC_KC_SPIN, IDC_TI_CHECK, IDC_TI_UNIT, IDC_DIRECTION_LABEL, IDC_UPWARDS,
            IDC_DOWNWARDS},
           TRUE);
    enable({IDC_TI_MINUTES, IDC_TI_MINUTES_SPIN, IDC_TI_COLON, IDC_TI_SECONDS, IDC_TI_SECONDS_SPIN}, bTI);
}

void CPI::OnSelchangeParamSet()
{
    ApplyParameterSet();
    SetModified(TRUE);
}

void CPI::OnIntegrationClicked()
{
    m_bIntegration = IsDlgButtonChecked(IDC_TI_CHECK) == BST_CHECKED;
    if (m_bIntegration) {
        SetDlgItemInt(IDC_TI_MINUTES, UINT(m_nSavedTIMinutes), FALSE);
        SetDlgItemInt(IDC_TI_SECONDS, UINT(m_nSavedTISeconds), FALSE);
    } else {
        m_nSavedTIMinutes = int(GetDlgItemInt(IDC_TI_MINUTES, nullptr, FALSE));
        m_nSavedTISeconds = int(GetDlgItemInt(IDC_TI_SECONDS, nullptr, FALSE));
        SetDlgItemInt(IDC_TI_MINUTES, kNoTIMinutes, FALSE);
        SetDlgItemInt(IDC_TI_SECONDS, kNoTISeconds, FALSE);
    }
    for (UINT id : {IDC_TI_MINUTES, IDC_TI_MINUTES_SPIN, IDC_TI_COLON, IDC_TI_SECONDS, IDC_TI_SECONDS_SPIN})
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(m_bIntegration);
    SetModified(TRUE);
}

void CPI::OnUpdateKC()
{
    if (!m_editKC.GetSafeHwnd())
        return;
    const double kc = m_editKC.GetDouble();
    if (kc > kKCMax)
        m_editKC.SetDouble(kKCMax, TRUE);
    else if (kc < 0)
        m_editKC.SetDouble(0.0, TRUE);
}

void CPI::OnDirection(UINT nID)
{
    m_nDirection = nID == IDC_DOWNWARDS ? 1 : 0;
    SetModified(TRUE);
}

BOOL CPI::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr && pHdr->idFrom == IDC_KC_SPIN && pHdr->code == UDN_DELTAPOS && m_editKC.GetSafeHwnd()) {
        // One step is a hundredth, held within the bounds like a typed value.
        const auto* pUpDown = reinterpret_cast<const NMUPDOWN*>(lParam);
        const double kc = std::clamp(std::round(m_editKC.GetDouble() * 100 + pUpDown->iDelta) / 100, 0.0, kKCMax);
        m_editKC.SetDouble(kc, TRUE);
        SetModified(TRUE);
        *pResult = 0;
        return TRUE;
    }
    return CAnalogComparator::OnNotify(wParam, lParam, pResult);
}

void CPI::OnOK()
{
    CAnalogComparator::OnOK();
    // A user set whose integration time was left at 99:59 does not integrate.
    if (m_nParamSet == kUserSet && m_bIntegration && m_nTIMinutes == kNoTIMinutes && m_nTISeconds == kNoTISeconds)
        m_bIntegration = 0;
}

void CPI::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    const auto* pPI = dynamic_cast<const CBlockAnalog*>(&block);
    if (pPI == nullptr)
        return;
    m_nParamSet = std::clamp(pPI->m_nParamSet, 0, kUserSet);
    m_dKC = pPI->m_dKC;
    m_bIntegration = pPI->m_bUseTI;
    m_nTIMinutes = pPI->m_nTIMinutes;
    m_nTISeconds = pPI->m_nTISeconds;
    m_nDirection = pPI->m_nOption == 1 ? 1 : 0;
}


void CPI::FillAnalogRecord(CAnalogParamRecord& record) const
{
    record.nPI1 = m_nParamSet;
    record.nPI[0] = int(std::lround(m_dKC * 100));
    record.nPI[1] = m_bIntegration;
    record.nPI[2] = m_nTIMinutes;
    record.nPI[3] = m_nTISeconds;
    record.nPI[4] = m_nDirection;
}
