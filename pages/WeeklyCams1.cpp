// CWeeklyCams1: hours and minutes are held to 0..23 and 0..59 while typed; with Pulse Output on
// no cam has an Off time.
#include "pages/WeeklyCams1.h"

#include "document/TavixDoc.h"
#include "resources/resource.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

int g_nWeeklyPulseOutput = 0;

namespace {

constexpr UINT kOnControls[] = {1058, 1060, 1019, 1020};
constexpr UINT kOffControls[] = {1062, 1063, 1021, 1022};

}  // namespace

BEGIN_MESSAGE_MAP(CWeeklyCams1, CBlockPage)
ON_CONTROL(BN_CLICKED, 1056, OnOnDisableClicked)
ON_CONTROL(BN_CLICKED, 1065, OnOffDisableClicked)
ON_CONTROL_RANGE(EN_UPDATE, 1058, 1058, OnHourUpdate)
ON_CONTROL_RANGE(EN_UPDATE, 1062, 1062, OnHourUpdate)
ON_CONTROL_RANGE(EN_UPDATE, 1019, 1019, OnMinuteUpdate)
ON_CONTROL_RANGE(EN_UPDATE, 1021, 1021, OnMinuteUpdate)
ON_CONTROL(EN_CHANGE, 1058, OnChanged)
ON_CONTROL(EN_CHANGE, 1062, OnChanged)
ON_CONTROL(EN_CHANGE, 1019, OnChanged)
ON_CONTROL(EN_CHANGE, 1021, OnChanged)
ON_CONTROL_RANGE(BN_CLICKED, 1049, 1055, OnChangedRange)
ON_MESSAGE(PSM_QUERYSIBLINGS, OnQuerySiblings)
END_MESSAGE_MAP()

CWeeklyCams1::CWeeklyCams1() : CBlockPage(IDD_WEEKLY_CAMS) {}

void CWeeklyCams1::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    for (int d = 0; d < 7; ++d)
        DDX_Check(pDX, 1049 + d, m_bDay[d]);
    DDX_Text(pDX, 1058, m_nOnHour);
    DDX_Text(pDX, 1019, m_nOnMinute);
    DDX_Check(pDX, 1056, m_bOnDisabled);
    DDX_Text(pDX, 1062, m_nOffHour);
    DDX_Text(pDX, 1021, m_nOffMinute);
    DDX_Check(pDX, 1065, m_bOffDisabled);
}

void CWeeklyCams1::EnableOn()
{
    for (UINT id : kOnControls)
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(!m_bOnDisabled);
}

void CWeeklyCams1::EnableOff()
{
    for (UINT id : kOffControls)
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(!m_bOffDisabled);
}

void CWeeklyCams1::InitPage()
{
    SendDlgItemMessage(1060, UDM_SETRANGE32, 0, 23);
    SendDlgItemMessage(1063, UDM_SETRANGE32, 0, 23);
    SendDlgItemMessage(1020, UDM_SETRANGE32, 0, 59);
    SendDlgItemMessage(1022, UDM_SETRANGE32, 0, 59);
    for (UINT id : {1058u, 1019u, 1062u, 1021u})
        SendDlgItemMessage(int(id), EM_LIMITTEXT, 2, 0);
    const CTavixDoc* pDoc = GetDocument();
    if (pDoc && pDoc->IsNewModel()) {
        for (UINT id : kOffControls)
            if (CWnd* p = GetDlgItem(int(id)))
                p->EnableWindow(!g_nWeeklyPulseOutput);
        if (CWnd* p = GetDlgItem(1065))
            p->EnableWindow(!g_nWeeklyPulseOutput);
    }
    EnableOn();
    if (!(pDoc && pDoc->IsNewModel() && g_nWeeklyPulseOutput))
        EnableOff();
}

void CWeeklyCams1::AddTips()
{
    AddRangeTip(1058, 0, 23);
    AddRangeTip(1062, 0, 23);
    AddRangeTip(1019, 0, 59);
    AddRangeTip(1021, 0, 59);
}

void CWeeklyCams1::OnOnDisableClicked()
{
    m_bOnDisabled = !m_bOnDisabled;
    EnableOn();
    SetModified(TRUE);
}

void CWeeklyCams1::OnOffDisableClicked()
{
    m_bOffDisabled = !m_bOffDisabled;
    EnableOff();
    SetModified(TRUE);
}

void CWeeklyCams1::OnHourUpdate(UINT nID)
{
    BOOL bOk = FALSE;
    const int value = int(GetDlgItemInt(int(nID), &bOk, TRUE));
    if (bOk && value > 23)
        SetDlgItemInt(int(nID), 23, FALSE);
}

void CWeeklyCams1::OnMinuteUpdate(UINT nID)
{
    BOOL bOk = FALSE;
    const int value = int(GetDlgItemInt(int(nID), &bOk, TRUE));
    if (bOk && value >= 60)
        SetDlgItemInt(int(nID), 59, FALSE);
}

LRESULT CWeeklyCams1::OnQuerySiblings(WPARAM wParam, LPARAM)
{
    // Pulse Output on: the Off time and its Disable check go for every cam.
    for (UINT id : kOffControls)
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(wParam == 0);
    if (CWnd* p = GetDlgItem(1065))
        p->EnableWindow(wParam == 0);
    return 0;
}
