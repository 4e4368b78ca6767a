// CAVGVAL: the unit decides the range of the sampling time, and the sampling time the number of
// samples; both are held within them as they are typed, stepped or the unit changes.
#include "pages/AVGVAL.h"

#include "elements/BlockObj.h"
#include "pages/ParamRecords.h"
#include "resources/resource.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

#include <algorithm>

namespace {

constexpr int kMaxSamples = 32767;

}  // namespace

int AvgValMaxTime(int nUnit)
{
    switch (nUnit) {
    case kAvgDays: return 365;
    case kAvgHours: return 23;
    default: return 59;
    }
}

int AvgValMaxSamples(int nUnit, int nTime)
{
    const int t = std::clamp(nTime, 1, AvgValMaxTime(nUnit));
    if (nUnit == kAvgMinutes && t <= 5)
        return t * 6000;
    if (nUnit == kAvgSeconds)
        return t * 100;
    return kMaxSamples;
}

BEGIN_MESSAGE_MAP(CAVGVAL, CBlockPage)
ON_CONTROL(CBN_SELCHANGE, IDC_AVGVAL_UNIT, OnUnitSelected)
ON_CONTROL(EN_UPDATE, IDC_AVGVAL_TIME, OnTimeUpdate)
ON_CONTROL(EN_UPDATE, IDC_AVGVAL_SAMPLES, OnSamplesUpdate)
ON_CONTROL(EN_CHANGE, IDC_AVGVAL_TIME, OnChanged)
ON_CONTROL(EN_CHANGE, IDC_AVGVAL_SAMPLES, OnChanged)
ON_CONTROL(BN_CLICKED, IDC_AVGVAL_RETENTIVITY, OnChanged)
ON_CONTROL(BN_CLICKED, IDC_AVGVAL_PROTECTION, OnChanged)
END_MESSAGE_MAP()

CAVGVAL::CAVGVAL() : CBlockPage(IDD_AVGVAL) {}

BOOL CAVGVAL::OnInitDialog()
{
    // The units are listed before the exchange selects one.
    if (AttachControl(m_cbUnit, IDC_AVGVAL_UNIT) && m_cbUnit.GetCount() == 0)
        for (UINT id = IDS_AVGVAL_DAYS; id <= IDS_AVGVAL_SECONDS; ++id) {
            CString text;
            text.LoadString(id);
            m_cbUnit.AddString(text);
        }
    return CBlockPage::OnInitDialog();
}

void CAVGVAL::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_AVGVAL_PROTECTION, m_bProtection);
    DDX_Check(pDX, IDC_AVGVAL_RETENTIVITY, m_bRetentivity);
    DDX_Text(pDX, IDC_AVGVAL_SAMPLES, m_nSamples);
    DDX_Text(pDX, IDC_AVGVAL_TIME, m_nSamplingTime);
    DDX_CBIndex(pDX, IDC_AVGVAL_UNIT, m_nTimeUnit);
}

void CAVGVAL::InitPage()
{
    if (CWnd* pButton = GetDlgItem(IDC_AVGVAL_REFERENCE))
        pButton->ShowWindow(SW_HIDE);
    ApplyUnit();
}

int CAVGVAL::CurrentUnit() const
{
    const int sel = m_cbUnit.GetSafeHwnd() ? m_cbUnit.GetCurSel() : m_nTimeUnit;
    return std::clamp(sel, int(kAvgDays), int(kAvgSeconds));
}

void CAVGVAL::ApplyUnit()
{
    // A unit outside the list (a damaged file) is shown and kept as days.
    if (m_cbUnit.GetSafeHwnd() && m_cbUnit.GetCurSel() < 0)
        m_cbUnit.SetCurSel(kAvgDays);
    const int unit = CurrentUnit();
    const int maxTime = AvgValMaxTime(unit);
    SendDlgItemMessage(IDC_AVGVAL_TIME, EM_LIMITTEXT, unit == kAvgDays ? 3 : 2, 0);
    SendDlgItemMessage(IDC_AVGVAL_TIME_SPIN, UDM_SETRANGE32, 1, maxTime);
    BOOL bOk = FALSE;
    const int shown = int(GetDlgItemInt(IDC_AVGVAL_TIME, &bOk, TRUE));
    const int t = std::clamp(bOk ? shown : 1, 1, maxTime);
    if (!bOk || t != shown)
        SetDlgItemInt(IDC_AVGVAL_TIME, UINT(t), TRUE);
    ClampSamples(t);
}

void CAVGVAL::ClampSamples(int t)
{
    const int maxSamples = AvgValMaxSamples(CurrentUnit(), t);
    SendDlgItemMessage(IDC_AVGVAL_SAMPLES_SPIN, UDM_SETRANGE32, 1, maxSamples);
    BOOL bOk = FALSE;
    const int samples = int(GetDlgItemInt(IDC_AVGVAL_SAMPLES, &bOk, TRUE));
    if (!bOk)
        return;  // nothing to hold yet; the exchange refuses an empty number
    const int held = std::clamp(samples, 1, maxSamples);
    if (held != samples)
        SetDlgItemInt(IDC_AVGVAL_SAMPLES, UINT(held), TRUE);
}

void CAVGVAL::OnUnitSelected()
{
    ApplyUnit();
    SetModified(TRUE);
}

void CAVGVAL::OnTimeUpdate()
{
    BOOL bOk = FALSE;
    const int t = int(GetDlgItemInt(IDC_AVGVAL_TIME, &bOk, TRUE));
    if (!bOk)
        return;  // being retyped: the samples wait for the new time
    const int held = std::clamp(t, 1, AvgValMaxTime(CurrentUnit()));
    if (held != t) {
        SetDlgItemInt(IDC_AVGVAL_TIME, UINT(held), TRUE);
        return;  // the corrected text comes back here
    }
    ClampSamples(t);
}

void CAVGVAL::OnSamplesUpdate()
{
    BOOL bOk = FALSE;
    const int t = int(GetDlgItemInt(IDC_AVGVAL_TIME, &bOk, TRUE));
    if (bOk)
        ClampSamples(t);
}

void CAVGVAL::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_nSamplingTime = block.m_nTime1High;
    m_nSamples = block.m_nTime1Low;
    m_nTimeUnit = block.m_nTime1Base;
    m_bRetentivity = block.m_bRetentive;
    m_bProtection = block.m_bProtected;
}


void CAVGVAL::FillTimeRecord(CTimeParamRecord& record) const
{
    record.nTime1High = m_nSamplingTime;
    record.nTime1Low = m_nSamples;
    record.nTime1Base = m_nTimeUnit;
    record.bRetentivity = m_bRetentivity;
    record.bProtection = m_bProtection;
}
