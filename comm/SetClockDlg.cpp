#include "comm/SetClockDlg.h"

#include "comm/DeviceDispatcher.h"
#include "comm/DeviceDlgSupport.h"
#include "comm/TransferEngine.h"
#include "platform/ui/controls/CommCtrlDateTime.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CSetClockDlg, CDialog)
    ON_CONTROL(BN_CLICKED, IDC_DEV_CLOCK_WRITE, OnWrite)
    ON_CONTROL(BN_CLICKED, IDC_DEV_CLOCK_READ, OnRead)
    ON_CONTROL(BN_CLICKED, IDC_DEV_CALIBRATION_SET, OnCalibrationSet)
    ON_CONTROL(BN_CLICKED, IDC_DEV_CALIBRATION_GET, OnCalibrationGet)
    ON_CONTROL(BN_CLICKED, IDC_DEV_CURRENT_TIME, OnCurrentTime)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_DEV_DATE_PICKER, OnDateChange)
    ON_CONTROL(EN_UPDATE, IDC_DEV_HOUR, OnHourUpdate)
    ON_CONTROL(EN_UPDATE, IDC_DEV_MINUTE, OnMinuteUpdate)
    ON_CONTROL(EN_UPDATE, IDC_DEV_SECOND, OnSecondUpdate)
END_MESSAGE_MAP()

CSetClockDlg::CSetClockDlg(ClockSettings& data) : m_data(data) {}

void CSetClockDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_DEV_HOUR, m_data.nHour);
    DDV_MinMaxInt(pDX, m_data.nHour, 0, 23);
    DDX_Text(pDX, IDC_DEV_MINUTE, m_data.nMinute);
    DDV_MinMaxInt(pDX, m_data.nMinute, 0, 59);
    DDX_Text(pDX, IDC_DEV_SECOND, m_data.nSecond);
    DDV_MinMaxInt(pDX, m_data.nSecond, 0, 59);
    DDX_Text(pDX, IDC_DEV_CALIBRATION, m_data.nCalibration);
    DDV_MinMaxInt(pDX, m_data.nCalibration, -30, 30);
}

BOOL CSetClockDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Near the screen's middle, clear of the menu bar.
    PlaceOnScreen(this, -100, -100);
    SetWindowText(DeviceText(IDS_DEV_CLOCK_CAPTION));
    SetUpSpin(this, IDC_DEV_HOUR_SPIN, IDC_DEV_HOUR, 0, 23, m_data.nHour);
    SetUpSpin(this, IDC_DEV_MINUTE_SPIN, IDC_DEV_MINUTE, 0, 59, m_data.nMinute);
    SetUpSpin(this, IDC_DEV_SECOND_SPIN, IDC_DEV_SECOND, 0, 59, m_data.nSecond);
    SetUpSpin(this, IDC_DEV_CALIBRATION_SPIN, IDC_DEV_CALIBRATION, -30, 30, m_data.nCalibration);
    if (CWnd* picker = GetDlgItem(IDC_DEV_DATE_PICKER)) {
        SYSTEMTIME first{};
        first.wYear = 2010;
        first.wMonth = 1;
        first.wDay = 1;
        first.wSecond = 1;
        SYSTEMTIME last{};
        last.wYear = 2036;
        last.wMonth = 12;
        last.wDay = 31;
        last.wHour = 23;
        last.wMinute = 59;
        last.wSecond = 59;
        SYSTEMTIME range[2] = {first, last};
        picker->SendMessage(DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
    }
    OnCurrentTime();
    for (int id : {IDC_DEV_HOUR, IDC_DEV_MINUTE, IDC_DEV_SECOND})
        LimitField(this, id, 2);
    return TRUE;
}

void CSetClockDlg::ShowDate()
{
    CWnd* picker = GetDlgItem(IDC_DEV_DATE_PICKER);
    if (!picker)
        return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SYSTEMTIME st = now;  // day of week and milliseconds stay the PC's
    st.wYear = WORD(m_data.nYear);
    st.wMonth = WORD(m_data.nMonth);
    st.wDay = WORD(m_data.nDay);
    st.wHour = WORD(m_data.nHour);
    st.wMinute = WORD(m_data.nMinute);
    st.wSecond = WORD(m_data.nSecond);
    picker->SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

void CSetClockDlg::ShowValues()
{
    if (!m_hWnd)
        return;
    ShowDate();
    UpdateData(FALSE);
}

void CSetClockDlg::OnCurrentTime()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    m_data.nYear = now.wYear;
    m_data.nMonth = now.wMonth;
    m_data.nDay = now.wDay;
    m_data.nDayOfWeek = now.wDayOfWeek;
    m_data.nHour = now.wHour;
    m_data.nMinute = now.wMinute;
    m_data.nSecond = now.wSecond;
    ShowDate();
    UpdateData(FALSE);
}

void CSetClockDlg::OnDateChange(NMHDR*, LRESULT* pResult)
{
    if (CWnd* picker = GetDlgItem(IDC_DEV_DATE_PICKER)) {
        SYSTEMTIME st{};
        picker->SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
        m_data.nYear = st.wYear;
        m_data.nMonth = st.wMonth;
        m_data.nDay = st.wDay;
        m_data.nDayOfWeek = st.wDayOfWeek;
    }
    if (pResult)
        *pResult = 0;
}

void CSetClockDlg::OnHourUpdate()
{
    ClampNumberField(this, IDC_DEV_HOUR, 0, 23);
}

void CSetClockDlg::OnMinuteUpdate()
{
    ClampNumberField(this, IDC_DEV_MINUTE, 0, 59);
}

void CSetClockDlg::OnSecondUpdate()
{
    ClampNumberField(this, IDC_DEV_SECOND, 0, 59);
}

void CSetClockDlg::OnWrite()
{
    if (UpdateData(TRUE))
        PostDeviceOperation(this, DEVICE_OP_SETTINGS, SETTINGS_CLOCK_WRITE);
}

void CSetClockDlg::OnRead()
{
    PostDeviceOperation(this, DEVICE_OP_SETTINGS, SETTINGS_CLOCK_READ);
}

void CSetClockDlg::OnCalibrationSet()
{
    if (UpdateData(TRUE))
        PostDeviceOperation(this, DEVICE_OP_SETTINGS, SETTINGS_CALIBRATION_WRITE);
}

void CSetClockDlg::OnCalibrationGet()
{
    PostDeviceOperation(this, DEVICE_OP_SETTINGS, SETTINGS_CALIBRATION_READ);
}

void CSetClockDlg::OnOK()
{
    if (UpdateData(TRUE))
        DestroyWindow();
}

void CSetClockDlg::OnCancel()
{
    DestroyWindow();
}
