// CStopWatch: the layout follows the type; the factor stays within +-10000 however it is
// entered (typed, stepped or pasted).
#include "pages/StopWatch.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/ParamRecords.h"
#include "pages/RefBlockList.h"
#include "pages/TimerFields.h"
#include "resources/resource.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

#include <algorithm>

namespace {

constexpr UINT kList = 1277, kListLabel = 1278, kFactor = 1289, kFactorSpin = 1290, kFactorLabel = 1324;
constexpr UINT kReference = 1546, kProtect = 1269, kRetain = 1276;

}  // namespace

BEGIN_MESSAGE_MAP(CStopWatch, CBlockPage)
ON_CONTROL(EN_CHANGE, 1289, OnParamChanged)
ON_CONTROL(CBN_SELCHANGE, 1277, OnParamChanged)
ON_CONTROL(BN_CLICKED, 1276, OnParamChanged)
ON_CONTROL(BN_CLICKED, 1269, OnParamChanged)
ON_CONTROL(BN_CLICKED, 1546, OnReferenceClicked)
ON_CONTROL(CBN_SELCHANGE, 104, OnRefBlockSelected)
ON_CONTROL(EN_UPDATE, 1289, OnFactorUpdate)
END_MESSAGE_MAP()

CStopWatch::CStopWatch() : CBlockPage(IDD_STOP_WATCH) {}

BOOL CStopWatch::HasFactor() const
{
    return m_nBlockType == 864 || m_nBlockType == 865 || m_nBlockType == 869 || m_nBlockType == 870 ||
           (m_nBlockType >= 873 && m_nBlockType <= 878);
}

void CStopWatch::DoDataExchange(CDataExchange* pDX)
{
    if (!pDX->m_bSaveAndValidate && SendDlgItemMessage(kList, CB_GETCOUNT, 0, 0) == 0) {
        std::vector<CString> items;
        if (m_nBlockType == 820) {
            for (int k = 0; k < 6; ++k) {
                CString text;
                text.Format(L"%d", 8 << k);
                items.push_back(text);
            }
        } else if (m_nBlockType == 864) {
            items = {L"e", L"2", L"10"};
        } else if (m_nBlockType == 871 || m_nBlockType == 872) {
            for (int k = 0; k <= 5; ++k) {
                CString text;
                text.Format(L"%d", k);
                items.push_back(text);
            }
        } else {
            for (UINT id = IDS_STOPWATCH_HOURS; id <= IDS_STOPWATCH_10MS; ++id) {
                CString text;
                text.LoadString(id);
                items.push_back(text);
            }
        }
        for (const CString& item : items)
            SendDlgItemMessage(kList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.GetString()));
    }
    CBlockPage::DoDataExchange(pDX);
    DDX_Check(pDX, kProtect, m_bProtection);
    DDX_Check(pDX, kRetain, m_bRetentivity);
    if (m_nBlockType == 413 || m_nBlockType == 820 || HasReference())
        DDX_CBIndex(pDX, kList, m_nBase);
    DDX_Control(pDX, kFactor, m_editFactor);
    if (!pDX->m_bSaveAndValidate) {
        m_editFactor.SetDouble(m_dFactor, TRUE);
    } else if (HasFactor()) {
        // Whatever way the factor got into the edit, a value out of bounds is refused.
        m_dFactor = m_editFactor.GetDouble();
        if (m_dFactor < -kFactorLimit || m_dFactor > kFactorLimit) {
            CString format, text;
            format.LoadString(IDS_NUMBER_RANGE_REAL);
            text.Format(format.GetString(), -kFactorLimit, kFactorLimit);
            AfxMessageBox(text, MB_ICONHAND);
            pDX->PrepareEditCtrl(kFactor);
            pDX->Fail();
        }
    }
}

void CStopWatch::ShowChoice()
{
    ShowLiteralOrList(*this, {kList}, m_cbRefBlock, m_bRef);
}

void CStopWatch::ApplyTypeLayout()
{
    auto hide = [this](std::initializer_list<UINT> ids) {
        for (UINT id : ids)
            if (CWnd* p = GetDlgItem(int(id)))
                p->ShowWindow(SW_HIDE);
    };
    CString label;
    if (m_nBlockType == 413) {
        hide({kReference, kFactorLabel, kFactor, kFactorSpin});
        return;
    }
    if (m_nBlockType == 820) {
        hide({kReference, kFactorLabel, kFactor, kFactorSpin});
        label.LoadString(IDS_STOPWATCH_SAMPLES);
        SetDlgItemText(kListLabel, label);
        HideRetentivity(kRetain, kProtect);
        return;
    }
    if (!HasReference()) {
        hide({kListLabel, kList, kReference});
        HideRetentivity(kRetain, kProtect);
        return;
    }
    if (m_nBlockType != 864)
        hide({kFactorLabel, kFactor, kFactorSpin});
    label.LoadString(IDS_STOPWATCH_BASE);
    SetDlgItemText(kListLabel, label);
    if (CWnd* p = GetDlgItem(kReference))
        p->EnableWindow(m_bRefAllowed);
    ShowChoice();
    HideRetentivity(kRetain, kProtect);
}

void CStopWatch::InitPage()
{
    if (HasReference())
        if (CWnd* pList = GetDlgItem(kList); pList && GetDlgItem(kReference)) {
            CRect rc, rcButton;
            pList->GetWindowRect(&rc);
            GetDlgItem(kReference)->GetWindowRect(&rcButton);
            rc.right = rcButton.left - 3;
            ScreenToClient(&rc);
            rc.bottom = rc.top + 200;
            CreateBlockList(m_cbRefBlock, this, rc, 104, FALSE);
        }
    if (HasFactor()) {
        m_editFactor.SetMaxWholeDigits(5);
        m_editFactor.SetMaxDecimalPlaces(2);
        m_editFactor.AllowNegative(TRUE);
        m_editFactor.ModifyFlags(CEditBehavior::DecimalAfterWholeDigits, 0);
        SendDlgItemMessage(kFactorSpin, UDM_SETRANGE32, WPARAM(-10000), 10000);
        SendDlgItemMessage(kFactorSpin, UDM_SETPOS32, 0, LPARAM(int(m_dFactor * 100) & 0xFFFF));
    }
    ApplyTypeLayout();
    if (HasReference()) {
        FillBlockList(m_cbRefBlock, GetDocument(), m_nBlockNumber, m_pRefBlock);
        SetTabOrder();
    }
}

void CStopWatch::AddTips()
{
    if (HasFactor())
        AddRangeTip(kFactor, -kFactorLimit, kFactorLimit);
}

void CStopWatch::SetTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_BLOCK_NAME);
    ChainTabOrder(pAfter, {m_bRef ? static_cast<CWnd*>(&m_cbRefBlock) : GetDlgItem(kList), GetDlgItem(kReference)});
}

void CStopWatch::OnReferenceClicked()
{
    ToggleReference(m_bRef, m_pRefBlock, m_cbRefBlock, GetDocument());
    ShowChoice();
    SetTabOrder();
    SetModified(TRUE);
}

void CStopWatch::OnRefBlockSelected()
{
    m_pRefBlock = SelectedBlock(m_cbRefBlock, GetDocument());
    SetModified(TRUE);
}

void CStopWatch::OnFactorUpdate()
{
    const double value = m_editFactor.GetDouble();
    if (value > kFactorLimit)
        m_editFactor.SetDouble(kFactorLimit, TRUE);
    else if (value < -kFactorLimit)
        m_editFactor.SetDouble(-kFactorLimit, TRUE);
}

BOOL CStopWatch::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr && pHdr->idFrom == kFactorSpin && pHdr->code == UDN_DELTAPOS && m_editFactor.GetSafeHwnd()) {
        // One step is a hundredth; the sum is held within the bounds like a typed value.
        const auto* pUpDown = reinterpret_cast<const NMUPDOWN*>(lParam);
        const double value = std::clamp(m_editFactor.GetDouble() + pUpDown->iDelta * 0.01, -kFactorLimit, kFactorLimit);
        m_editFactor.SetDouble(value, TRUE);
        *pResult = 0;
        return TRUE;
    }
    return CBlockPage::OnNotify(wParam, lParam, pResult);
}

void CStopWatch::OnOK()
{
    if (m_pRefBlock) {
        m_dFactor = 0.0;
        m_nBase = m_nBlockType == 864 ? 2 : 0;
        m_bRef = 1;
    } else {
        m_bRef = 0;
    }
    CBlockPage::OnOK();
}

void CStopWatch::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_bProtection = block.m_bProtected;
    m_bRetentivity = block.m_bRetentive;
    m_nBase = block.m_nTime1Base;
    m_dFactor = block.m_dParam;
    m_pRefBlock = block.m_pRefBlock[0];
    m_bRef = m_pRefBlock != nullptr;
}


void CStopWatch::FillTimeRecord(CTimeParamRecord& record) const
{
    record.bProtection = m_bProtection;
    record.bRetentivity = m_bRetentivity;
    record.nTime1Base = m_nBase;
    record.dFactor = m_dFactor;
    FillReference(record.ref[0], m_bRef, m_pRefBlock);
}
