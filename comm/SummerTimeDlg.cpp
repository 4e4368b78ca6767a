#include "comm/SummerTimeDlg.h"

#include "comm/DeviceDispatcher.h"
#include "comm/DeviceDlgSupport.h"
#include "comm/TransferEngine.h"
#include "pages/DateSelectDlg.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"

#include <cwchar>

namespace {

const wchar_t* const kPresets[] = {L"EU", L"UK", L"US", L"Australia", L"Tasmania", L"New Zealand",
                                   L"Freely adjustable"};

int FieldNumber(CWnd* dlg, int id, bool* pEmpty)
{
    CString text;
    dlg->GetDlgItemText(id, text);
    *pEmpty = text.IsEmpty();
    return int(std::wcstol(LPCTSTR(text), nullptr, 10));
}

void SetFieldNumber(CWnd* dlg, int id, int value)
{
    CString text;
    text.Format(L"%d", value);
    CString old;
    dlg->GetDlgItemText(id, old);
    if (old != text)
        dlg->SetDlgItemText(id, text);
}

} // namespace

BEGIN_MESSAGE_MAP(CSummerTimeDlg, CDialog)
    ON_CONTROL(BN_CLICKED, IDC_DEV_SUMMER_ACTIVE, UpdateEnabling)
    ON_CONTROL(CBN_SELCHANGE, IDC_DEV_SUMMER_PRESET, OnPresetChange)
    ON_CONTROL(EN_UPDATE, IDC_DEV_START_MONTH, OnStartMonthUpdate)
    ON_CONTROL(EN_UPDATE, IDC_DEV_END_MONTH, OnEndMonthUpdate)
    ON_CONTROL(EN_UPDATE, IDC_DEV_START_DAY, OnStartDayUpdate)
    ON_CONTROL(EN_UPDATE, IDC_DEV_END_DAY, OnEndDayUpdate)
    ON_CONTROL(EN_UPDATE, IDC_DEV_DIFFERENCE, OnDifferenceUpdate)
    ON_CONTROL(BN_CLICKED, IDC_DEV_PICK_START, OnPickStart)
    ON_CONTROL(BN_CLICKED, IDC_DEV_PICK_END, OnPickEnd)
END_MESSAGE_MAP()

CSummerTimeDlg::CSummerTimeDlg(SummerTimeSettings& data) : m_data(data) {}

int CSummerTimeDlg::MonthLength(int nMonth)
{
    switch (nMonth) {
    case 2: return 28;
    case 4: case 6: case 9: case 11: return 30;
    default: return 31;
    }
}

void CSummerTimeDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_DEV_SUMMER_ACTIVE, m_data.bActive);
    DDX_Text(pDX, IDC_DEV_END_DAY, m_data.nEndDay);
    DDV_MinMaxInt(pDX, m_data.nEndDay, 1, 31);
    DDX_Text(pDX, IDC_DEV_END_MONTH, m_data.nEndMonth);
    DDV_MinMaxInt(pDX, m_data.nEndMonth, 1, 12);
    DDX_Text(pDX, IDC_DEV_START_DAY, m_data.nStartDay);
    DDV_MinMaxInt(pDX, m_data.nStartDay, 1, 31);
    DDX_Text(pDX, IDC_DEV_START_MONTH, m_data.nStartMonth);
    DDV_MinMaxInt(pDX, m_data.nStartMonth, 1, 12);
    DDX_Text(pDX, IDC_DEV_DIFFERENCE, m_data.nDifference);
    DDV_MinMaxInt(pDX, m_data.nDifference, 0, 180);
    if (GetDlgItem(IDC_DEV_SUMMER_PRESET)->SendMessage(CB_GETCOUNT) > 0)
        DDX_CBIndex(pDX, IDC_DEV_SUMMER_PRESET, m_data.nPreset);
}

BOOL CSummerTimeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    PlaceOnScreen(this, -100, -100);
    SetUpSpin(this, IDC_DEV_START_MONTH_SPIN, IDC_DEV_START_MONTH, 1, 12, m_data.nStartMonth);
    SetUpSpin(this, IDC_DEV_END_MONTH_SPIN, IDC_DEV_END_MONTH, 1, 12, m_data.nEndMonth);
    SetUpSpin(this, IDC_DEV_START_DAY_SPIN, IDC_DEV_START_DAY, 1, 31, m_data.nStartDay);
    SetUpSpin(this, IDC_DEV_END_DAY_SPIN, IDC_DEV_END_DAY, 1, 31, m_data.nEndDay);
    SetUpSpin(this, IDC_DEV_DIFFERENCE_SPIN, IDC_DEV_DIFFERENCE, 0, 180, m_data.nDifference);
    for (int id : {IDC_DEV_START_MONTH, IDC_DEV_START_DAY, IDC_DEV_END_MONTH, IDC_DEV_END_DAY})
        LimitField(this, id, 2);
    LimitField(this, IDC_DEV_DIFFERENCE, 3);
    CWnd* presets = GetDlgItem(IDC_DEV_SUMMER_PRESET);
    for (const wchar_t* p : kPresets)
        presets->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p));
    presets->SendMessage(CB_SETCURSEL, WPARAM(m_data.nPreset), 0);
    UpdateEnabling();
    return TRUE;
}

void CSummerTimeDlg::UpdateEnabling()
{
    const bool active = IsDlgButtonChecked(IDC_DEV_SUMMER_ACTIVE) != 0;
    const BOOL free = active && m_data.nPreset == SummerTimeSettings::kFreePreset;
    for (int id = IDC_DEV_START_MONTH; id <= IDC_DEV_END_DAY_SPIN; ++id)
        if (CWnd* w = GetDlgItem(id))
            w->EnableWindow(free);
    for (int id : {IDC_DEV_DIFFERENCE, IDC_DEV_DIFFERENCE_SPIN})
        if (CWnd* w = GetDlgItem(id))
            w->EnableWindow(free);
}

void CSummerTimeDlg::OnPresetChange()
{
    const int index = int(GetDlgItem(IDC_DEV_SUMMER_PRESET)->SendMessage(CB_GETCURSEL));
    if (index >= 0)
        m_data.nPreset = index;
    UpdateEnabling();
}

void CSummerTimeDlg::ClampMonth(int nMonthId, int nDayId)
{
    bool empty = false;
    const int month = FieldNumber(this, nMonthId, &empty);
    const int fixed = ClampNumberField(this, nMonthId, 1, 12);
    // After a correction the month's length is taken as 31.
    const int length = fixed != month ? 31 : MonthLength(fixed);
    const int day = FieldNumber(this, nDayId, &empty);
    if (!empty && day > length)
        SetFieldNumber(this, nDayId, length);
}

void CSummerTimeDlg::ClampDay(int nMonthId, int nDayId)
{
    bool empty = false;
    ClampNumberField(this, nDayId, 1, MonthLength(FieldNumber(this, nMonthId, &empty)));
}

void CSummerTimeDlg::OnStartMonthUpdate() { ClampMonth(IDC_DEV_START_MONTH, IDC_DEV_START_DAY); }
void CSummerTimeDlg::OnEndMonthUpdate() { ClampMonth(IDC_DEV_END_MONTH, IDC_DEV_END_DAY); }
void CSummerTimeDlg::OnStartDayUpdate() { ClampDay(IDC_DEV_START_MONTH, IDC_DEV_START_DAY); }
void CSummerTimeDlg::OnEndDayUpdate() { ClampDay(IDC_DEV_END_MONTH, IDC_DEV_END_DAY); }

void CSummerTimeDlg::OnDifferenceUpdate()
{
    ClampNumberField(this, IDC_DEV_DIFFERENCE, 0, 180);
}

void CSummerTimeDlg::OnPickStart() { PickDate(TRUE); }
void CSummerTimeDlg::OnPickEnd() { PickDate(FALSE); }

void CSummerTimeDlg::PickDate(BOOL bStart)
{
    // The calendar edits the first of its two dates for the start, the second for the end;
    // the device knows no 29 February.
    CDateSelectDlg dlg(this);
    dlg.m_bEditOn = bStart;
    dlg.m_bAllowFeb29 = FALSE;
    const int monthId = bStart ? IDC_DEV_START_MONTH : IDC_DEV_END_MONTH;
    const int dayId = bStart ? IDC_DEV_START_DAY : IDC_DEV_END_DAY;
    int& month = bStart ? dlg.m_nOnMonth : dlg.m_nOffMonth;
    int& day = bStart ? dlg.m_nOnDay : dlg.m_nOffDay;
    bool empty = false;
    month = FieldNumber(this, monthId, &empty);
    day = FieldNumber(this, dayId, &empty);
    if (dlg.DoModal() != IDOK)
        return;
    SetFieldNumber(this, monthId, month);
    SetFieldNumber(this, dayId, day);
}

void CSummerTimeDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    PostDeviceOperation(this, DEVICE_OP_SETTINGS, SETTINGS_SUMMER_WRITE);
    DestroyWindow();
}

void CSummerTimeDlg::OnCancel()
{
    DestroyWindow();
}
