// CQUAD: A is never 0; the amplification stays within +-10000 however it is entered (typed,
// pasted or stepped in hundredths).
#include "pages/QUAD.h"

#include "elements/BlockObj.h"
#include "pages/ParamRecords.h"
#include "resources/resource.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

#include <algorithm>
#include <cmath>

BEGIN_MESSAGE_MAP(CQUAD, CBlockPage)
ON_CONTROL(EN_CHANGE, IDC_QUAD_A, OnChanged)
ON_CONTROL(EN_CHANGE, IDC_QUAD_B, OnChanged)
ON_CONTROL(EN_CHANGE, IDC_QUAD_C, OnChanged)
ON_CONTROL(EN_CHANGE, IDC_QUAD_AMPLIFICATION, OnChanged)
ON_CONTROL(EN_UPDATE, IDC_QUAD_AMPLIFICATION, OnAmplificationUpdate)
ON_CONTROL(CBN_SELCHANGE, IDC_QUAD_DIR, OnChanged)
ON_CONTROL(BN_CLICKED, IDC_QUAD_PROTECTION, OnChanged)
END_MESSAGE_MAP()

CQUAD::CQUAD() : CBlockPage(IDD_QUAD) {}

BOOL CQUAD::OnInitDialog()
{
    // The two roots are listed before the exchange selects one.
    if (AttachControl(m_cbDir, IDC_QUAD_DIR) && m_cbDir.GetCount() == 0) {
        m_cbDir.AddString(L"0");
        m_cbDir.AddString(L"1");
    }
    return CBlockPage::OnInitDialog();
}

void CQUAD::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_QUAD_PROTECTION, m_bProtection);
    DDX_CBIndex(pDX, IDC_QUAD_DIR, m_nDir);
    DDX_Text(pDX, IDC_QUAD_B, m_nB);
    DDV_MinMaxInt(pDX, m_nB, -kQuadCoefficientLimit, kQuadCoefficientLimit);
    DDX_Text(pDX, IDC_QUAD_C, m_nC);
    DDV_MinMaxInt(pDX, m_nC, -kQuadCoefficientLimit, kQuadCoefficientLimit);
    DDX_Control(pDX, IDC_QUAD_AMPLIFICATION, m_editAmplification);
    if (pDX->m_bSaveAndValidate) {
        DDX_Text(pDX, IDC_QUAD_AMPLIFICATION, m_dAmplification);
        DDV_MinMaxDouble(pDX, m_dAmplification, -kQuadAmplificationLimit, kQuadAmplificationLimit);
    } else {
        m_editAmplification.SetDouble(m_dAmplification, TRUE);
    }
    DDX_Text(pDX, IDC_QUAD_A, m_nA);
    DDV_MinMaxInt(pDX, m_nA, -kQuadCoefficientLimit, kQuadCoefficientLimit);
    // Only what the user leaves is refused: a block that holds 0 still opens its page.
    if (pDX->m_bSaveAndValidate && m_nA == 0) {
        CString text;
        text.LoadString(IDS_INTEGER_NOT_ZERO);
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        pDX->PrepareEditCtrl(IDC_QUAD_A);
        pDX->Fail();
    }
}

void CQUAD::InitPage()
{
    m_editAmplification.SetMaxWholeDigits(5);
    m_editAmplification.SetMaxDecimalPlaces(2);
    m_editAmplification.AllowNegative(TRUE);
    m_editAmplification.ModifyFlags(CEditBehavior::DecimalAfterWholeDigits, 0);
    SendDlgItemMessage(IDC_QUAD_AMPLIFICATION_SPIN, UDM_SETRANGE32, WPARAM(-10000), 10000);
    SendDlgItemMessage(IDC_QUAD_AMPLIFICATION_SPIN, UDM_SETPOS32, 0, LPARAM(int(m_dAmplification * 100) & 0xFFFF));
    for (UINT id : {IDC_QUAD_A_SPIN, IDC_QUAD_B_SPIN, IDC_QUAD_C_SPIN})
        SendDlgItemMessage(int(id), UDM_SETRANGE32, WPARAM(-kQuadCoefficientLimit), kQuadCoefficientLimit);
}

void CQUAD::AddTips()
{
    AddRangeTip(IDC_QUAD_AMPLIFICATION, -kQuadAmplificationLimit, kQuadAmplificationLimit);
    for (UINT id : {IDC_QUAD_A, IDC_QUAD_B, IDC_QUAD_C})
        AddRangeTip(id, -kQuadCoefficientLimit, kQuadCoefficientLimit);
}

void CQUAD::OnAmplificationUpdate()
{
    if (!m_editAmplification.GetSafeHwnd())
        return;
    const double value = m_editAmplification.GetDouble();
    if (value > kQuadAmplificationLimit)
        m_editAmplification.SetDouble(kQuadAmplificationLimit, TRUE);
    else if (!(value >= -kQuadAmplificationLimit))
        m_editAmplification.SetDouble(-kQuadAmplificationLimit, TRUE);
}

BOOL CQUAD::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr && pHdr->idFrom == IDC_QUAD_AMPLIFICATION_SPIN && pHdr->code == UDN_DELTAPOS &&
        m_editAmplification.GetSafeHwnd()) {
        // One step is a hundredth, counted in whole hundredths so that steps do not drift; the
        // sum is held within the bounds like a typed value.
        const auto* pUpDown = reinterpret_cast<const NMUPDOWN*>(lParam);
        const double value = std::clamp(std::round(m_editAmplification.GetDouble() * 100 + pUpDown->iDelta) / 100,
                                        -kQuadAmplificationLimit, kQuadAmplificationLimit);
        m_editAmplification.SetDouble(value, TRUE);
        *pResult = 0;
        return TRUE;
    }
    return CBlockPage::OnNotify(wParam, lParam, pResult);
}

void CQUAD::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_nA = block.m_nTime1High;
    m_nB = block.m_nTime2High;
    m_nC = block.m_nPreWarn[1];
    m_nDir = block.m_nTime1Base;
    m_dAmplification = block.m_dParam;
    m_bProtection = block.m_bProtected;
    // Not shown; carried so that Apply, whose record holds the flag, leaves it as it is.
    m_bRetentivity = block.m_bRetentive;
}


void CQUAD::FillTimeRecord(CTimeParamRecord& record) const
{
    record.nTime1High = m_nA;
    record.nTime1Base = m_nDir;
    record.nTime2High = m_nB;
    record.nExtra[1] = m_nC;
    record.dFactor = m_dAmplification;
    record.bProtection = m_bProtection;
    record.bRetentivity = m_bRetentivity;
}
