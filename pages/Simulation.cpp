// CSimulation: the value controls are live only for the "Frequency" behaviour, the range only
// without automatic range; analog inputs keep their value within -32767..32767.
#include "pages/Simulation.h"

#include "document/TavixDoc.h"
#include "pages/TimeReference.h"
#include "resources/resource.h"
#include "view/TavixView.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

#include <algorithm>

#include <algorithm>

namespace {

constexpr UINT kRadios[] = {1116, 1141, 1118, 1119};
constexpr UINT kAnalogMoved[] = {1137, 1142, 1139, 1140, 1553, 1554, 1322, 1133, 1134, 1323, 1135, 1136, 1324};

}  // namespace

BEGIN_MESSAGE_MAP(CSimulation, CPropertyPage)
ON_CONTROL_RANGE(BN_CLICKED, 1116, 1116, OnBehaviour)
ON_CONTROL_RANGE(BN_CLICKED, 1141, 1141, OnBehaviour)
ON_CONTROL_RANGE(BN_CLICKED, 1118, 1119, OnBehaviour)
ON_CONTROL(BN_CLICKED, 1137, OnAutoRangeClicked)
ON_CONTROL(EN_CHANGE, 1553, OnValueChanged)
ON_CONTROL(EN_CHANGE, 1133, OnValueChanged)
ON_CONTROL(EN_CHANGE, 1135, OnValueChanged)
ON_CONTROL_RANGE(EN_UPDATE, 1553, 1553, OnAnalogValueUpdate)
ON_CONTROL_RANGE(EN_UPDATE, 1133, 1133, OnAnalogValueUpdate)
ON_CONTROL_RANGE(EN_UPDATE, 1135, 1135, OnAnalogValueUpdate)
END_MESSAGE_MAP()

CSimulation::CSimulation() : CPropertyPage(IDD_SIMULATION) { m_psp.dwFlags |= PSP_HASHELP; }

void CSimulation::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, 1137, m_bAutoRange);
    DDX_Text(pDX, 1553, m_nCurrent);
    DDX_Text(pDX, 1133, m_nMin);
    DDX_Text(pDX, 1135, m_nMax);
    if (!IsAnalog())
        DDX_Radio(pDX, 1116, m_nBehaviour);
    DDX_Control(pDX, 1553, m_editCurrent);
    DDX_Control(pDX, 1133, m_editMin);
    DDX_Control(pDX, 1135, m_editMax);
}

BOOL CSimulation::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    const BOOL bAnalog = IsAnalog();
    const int lo = bAnalog ? -32767 : 0, hi = bAnalog ? 32767 : 9999;
    for (UINT spin : {1554u, 1134u, 1136u})
        SendDlgItemMessage(int(spin), UDM_SETRANGE32, WPARAM(lo), hi);
    for (CIntegerEdit* pEdit : {&m_editCurrent, &m_editMin, &m_editMax})
        pEdit->SetMaxWholeDigits(bAnalog ? 5 : -4);
    if (bAnalog) {
        m_nBehaviour = 3;
        for (UINT id : kRadios)
            if (CWnd* p = GetDlgItem(int(id)))
                p->ShowWindow(SW_HIDE);
        for (UINT id : kAnalogMoved)
            if (CWnd* p = GetDlgItem(int(id))) {
                CRect rc;
                p->GetWindowRect(&rc);
                ScreenToClient(&rc);
                rc.OffsetRect(0, -60);
                p->MoveWindow(&rc);
            }
    } else {
        UpdateBehaviourControls();
    }
    UpdateRangeControls(m_bAutoRange);
    m_toolTip.Create(this);
    if (CWnd* p = GetDlgItem(1553))
        m_toolTip.AddTool(p, CToolTipWnd::TextFromParent);
    int rangeLo = lo, rangeHi = hi;
    if (bAnalog && m_pView)
        if (CTavixDoc* pDoc = m_pView->GetDocument())
            if (CBlockObj* pBlock = pDoc->FindBlockByNumber(m_nBlockNumber))
                m_pView->GetAnalogRange(pBlock, &rangeLo, &rangeHi);
    CString format, text;
    format.LoadString(IDS_NUMBER_RANGE_INT);
    text.Format(format.GetString(), rangeLo, rangeHi);
    for (UINT id : {1133u, 1135u})
        if (CWnd* p = GetDlgItem(int(id)))
            m_toolTip.AddTool(p, text);
    return TRUE;
}

BOOL CSimulation::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

BOOL CSimulation::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (RangeTipRequestId(lParam) == 1553) {
        BOOL bOk = FALSE;
        const int a = int(GetDlgItemInt(1133, &bOk, TRUE)), b = int(GetDlgItemInt(1135, &bOk, TRUE));
        AnswerRangeTip(lParam, nullptr, std::min(a, b), std::max(a, b));
    }
    return CPropertyPage::OnNotify(wParam, lParam, pResult);
}

void CSimulation::UpdateBehaviourControls()
{
    if (IsAnalog())
        return;
    for (int k = 0; k < 4; ++k)
        CheckDlgButton(int(kRadios[k]), k == m_nBehaviour ? BST_CHECKED : BST_UNCHECKED);
    for (UINT id : {1142u, 1553u, 1554u, 1137u})
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(m_nBehaviour == 3);
}

void CSimulation::UpdateRangeControls(int nAuto)
{
    for (UINT id : {1139u, 1140u, 1133u, 1135u, 1134u, 1136u})
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(nAuto == 0 && m_nBehaviour == 3);
}

void CSimulation::OnBehaviour(UINT nID)
{
    for (int k = 0; k < 4; ++k)
        if (kRadios[k] == nID)
            m_nBehaviour = k;
    SetModified(TRUE);
    UpdateBehaviourControls();
    UpdateRangeControls(m_nBehaviour == 3 ? m_bAutoRange : 1);
}

void CSimulation::OnAutoRangeClicked()
{
    SetModified(TRUE);
    m_bAutoRange = IsDlgButtonChecked(1137) ? 1 : 0;
    UpdateRangeControls(m_bAutoRange);
}

void CSimulation::OnAnalogValueUpdate(UINT nID)
{
    if (m_nBlockType != 608)
        return;
    BOOL bOk = FALSE;
    const int value = int(GetDlgItemInt(int(nID), &bOk, TRUE));
    if (bOk && value < -32767)
        SetDlgItemInt(int(nID), UINT(-32767), TRUE);
    else if (bOk && value > 32767)
        SetDlgItemInt(int(nID), 32767, TRUE);
}

void CSimulation::SettleRange()
{
    if (!IsAnalog() && m_bAutoRange && m_nBehaviour == 3)
        m_nMin = 0, m_nMax = 9999;
    if (m_nMax < m_nMin)
        std::swap(m_nMin, m_nMax);
    m_nCurrent = std::clamp(m_nCurrent, m_nMin, m_nMax);
    if (GetSafeHwnd() == nullptr)
        return;
    const int values[3][2] = {{1553, m_nCurrent}, {1133, m_nMin}, {1135, m_nMax}};
    for (const auto& v : values)
        if (GetDlgItem(v[0]))
            SetDlgItemInt(v[0], UINT(v[1]), TRUE);
}
