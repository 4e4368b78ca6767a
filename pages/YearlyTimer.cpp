// CYearlyTimer: dates that cannot exist are refused when the page is left; the calendar writes
// its choice into the date's edits.
#include "pages/YearlyTimer.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/DateSelectDlg.h"
#include "pages/ParamRecords.h"
#include "resources/resource.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "platform/ui/dialogs/MsgBox.h"

namespace {

constexpr UINT kYearControls[] = {1239, 1240, 1078, 1079, 1062, 1241, 1080, 1081, 1077, 1076};

}  // namespace

void CheckDayOfMonth(CDataExchange* pDX, int nDay, int nMonth)
{
    if (!pDX->m_bSaveAndValidate)
        return;
    const int length = CDateSelectDlg::MonthLength(nMonth, TRUE);
    if (nDay >= 1 && nDay <= length)
        return;
    CString format, text;
    format.LoadString(IDS_ENTER_INTEGER_RANGE);
    text.Format(format.GetString(), 1, length);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    pDX->Fail();
}

BEGIN_MESSAGE_MAP(CYearlyTimer, CBlockPage)
ON_CONTROL(EN_CHANGE, 1068, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1069, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1070, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1071, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1078, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1080, OnParamChanged)
ON_CONTROL(BN_CLICKED, 1066, OnMonthlyClicked)
ON_CONTROL(BN_CLICKED, 1076, OnPulseOutputClicked)
ON_CONTROL(BN_CLICKED, 1322, OnOnCalendarClicked)
ON_CONTROL(BN_CLICKED, 1323, OnOffCalendarClicked)
END_MESSAGE_MAP()

CYearlyTimer::CYearlyTimer() : CBlockPage(IDD_YEARLY_TIMER) {}

BOOL CYearlyTimer::IsNewDevice() const
{
    const CTavixDoc* pDoc = GetDocument();
    return pDoc == nullptr || pDoc->IsNewModel();
}

void CYearlyTimer::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    DDX_Text(pDX, 1068, m_nOnMonth);
    DDV_MinMaxInt(pDX, m_nOnMonth, 1, 12);
    DDX_Text(pDX, 1069, m_nOnDay);
    CheckDayOfMonth(pDX, m_nOnDay, m_nOnMonth);
    DDX_Text(pDX, 1070, m_nOffMonth);
    DDV_MinMaxInt(pDX, m_nOffMonth, 1, 12);
    DDX_Text(pDX, 1071, m_nOffDay);
    CheckDayOfMonth(pDX, m_nOffDay, m_nOffMonth);
    DDX_Check(pDX, 1066, m_bMonthly);
    DDX_Check(pDX, 1076, m_bPulseOutput);
    DDX_Check(pDX, 1077, m_bYearly);
    // The years exist on the newer devices only; the older ones keep the stored years as they are.
    if (IsNewDevice()) {
        DDX_Text(pDX, 1078, m_nOnYear);
        DDV_MinMaxInt(pDX, m_nOnYear, 2000, 2099);
        DDX_Text(pDX, 1080, m_nOffYear);
        DDV_MinMaxInt(pDX, m_nOffYear, 2000, 2099);
    }
}

void CYearlyTimer::InitPage()
{
    SendDlgItemMessage(1072, UDM_SETRANGE32, 1, 12);
    SendDlgItemMessage(1074, UDM_SETRANGE32, 1, 12);
    SendDlgItemMessage(1073, UDM_SETRANGE32, 1, 31);
    SendDlgItemMessage(1075, UDM_SETRANGE32, 1, 31);
    for (UINT id : {1068u, 1069u, 1070u, 1071u})
        SendDlgItemMessage(int(id), EM_LIMITTEXT, 2, 0);
    OnMonthlyClicked();
    const BOOL bNew = IsNewDevice();
    for (UINT id : kYearControls)
        if (CWnd* p = GetDlgItem(int(id)))
            p->ShowWindow(bNew ? SW_SHOW : SW_HIDE);
    if (bNew) {
        OnPulseOutputClicked();
        SendDlgItemMessage(1078, EM_LIMITTEXT, 4, 0);
        SendDlgItemMessage(1080, EM_LIMITTEXT, 4, 0);
        SendDlgItemMessage(1079, UDM_SETRANGE32, 2000, 2099);
        SendDlgItemMessage(1081, UDM_SETRANGE32, 2000, 2099);
    }
    SetModified(FALSE);
}

void CYearlyTimer::AddTips()
{
    AddRangeTip(1068, 1, 12);
    AddRangeTip(1070, 1, 12);
    AddRangeTip(1069, 1, 31);
    AddRangeTip(1071, 1, 31);
    AddRangeTip(1078, 2000, 2099);
    AddRangeTip(1080, 2000, 2099);
    CString calendar;
    calendar.LoadString(IDS_YEARLY_CALENDAR);
    for (UINT id : {1322u, 1323u})
        if (CWnd* p = GetDlgItem(int(id)))
            m_toolTip.AddTool(p, calendar);
}

void CYearlyTimer::OnMonthlyClicked()
{
    m_bMonthly = IsDlgButtonChecked(1066) ? 1 : 0;
    for (UINT id : {1068u, 1072u, 1070u, 1074u})
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(!m_bMonthly);
    if (IsNewDevice())
        if (CWnd* p = GetDlgItem(1077))
            p->EnableWindow(!m_bMonthly);
    SetModified(TRUE);
}

void CYearlyTimer::OnPulseOutputClicked()
{
    m_bPulseOutput = IsDlgButtonChecked(1076) ? 1 : 0;
    for (UINT id : {1071u, 1075u})
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(!m_bPulseOutput);
    if (!m_bMonthly)
        for (UINT id : {1070u, 1074u})
            if (CWnd* p = GetDlgItem(int(id)))
                p->EnableWindow(!m_bPulseOutput);
    SetModified(TRUE);
}

void CYearlyTimer::OnCalendar(BOOL bOn)
{
    CDateSelectDlg dlg(this);
    dlg.m_bEditOn = bOn;
    const int monthId = bOn ? 1068 : 1070, dayId = bOn ? 1069 : 1071;
    BOOL bOk = FALSE;
    int& month = bOn ? dlg.m_nOnMonth : dlg.m_nOffMonth;
    int& day = bOn ? dlg.m_nOnDay : dlg.m_nOffDay;
    month = int(GetDlgItemInt(monthId, &bOk, TRUE));
    day = int(GetDlgItemInt(dayId, &bOk, TRUE));
    if (dlg.DoModal() != IDOK)
        return;
    SetDlgItemInt(monthId, UINT(month), FALSE);
    SetDlgItemInt(dayId, UINT(day), FALSE);
}

void CYearlyTimer::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_bProtection = block.m_bProtected;
    m_nOnMonth = block.m_nTime1High, m_nOnDay = block.m_nTime1Low;
    m_nOffMonth = block.m_nTime2High, m_nOffDay = block.m_nTime2Low;
    m_bMonthly = block.m_nMonthly ? 1 : 0;
    m_bYearly = block.m_nYearly ? 1 : 0;
    m_bPulseOutput = block.m_nPulse ? 1 : 0;
    // A block that never had its years set starts from the whole range.
    auto inRange = [](int y) { return y >= 2000 && y <= 2099; };
    m_nOnYear = inRange(block.m_nYearStart) ? block.m_nYearStart : 2000;
    m_nOffYear = inRange(block.m_nYearEnd) ? block.m_nYearEnd : 2099;
}


void CYearlyTimer::FillTimeRecord(CTimeParamRecord& record) const
{
    record.bProtection = m_bProtection;
    record.nTime1High = m_nOnMonth, record.nTime1Low = m_nOnDay;
    record.nTime2High = m_nOffMonth, record.nTime2Low = m_nOffDay;
    using R = CTimeParamRecord;
    record.nWord[R::kMonthly] = m_bMonthly;
    record.nWord[R::kYearly] = m_bYearly;
    record.nWord[R::kPulse] = m_bPulseOutput;
    record.nWord[R::kYearStart] = m_nOnYear;
    record.nWord[R::kYearEnd] = m_nOffYear;
}
