#include "shell/SimClockDlg.h"

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"

IMPLEMENT_DYNAMIC(CSimClockDlg, CDialog)

BEGIN_MESSAGE_MAP(CSimClockDlg, CDialog)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_CLOCK_DATE, OnDateChange)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_CLOCK_TIME, OnTimeChange)
    ON_CONTROL(BN_CLICKED, IDC_CLOCK_IMMEDIATE, OnApplyImmediatelyClicked)
    ON_CONTROL(BN_CLICKED, IDC_CLOCK_APPLY, OnApply)
END_MESSAGE_MAP()

CSimClockDlg::CSimClockDlg(CChildFrame* pFrame, CWnd* pParent) : CDialog(IDD_SIM_CLOCK, pParent), m_pFrame(pFrame) {}

BOOL CSimClockDlg::Create(CWnd* pOwnerButton, int* pApplyFlag)
{
    m_pOwnerButton = pOwnerButton;
    m_pApplyFlag = pApplyFlag;
    return CDialog::Create(IDD_SIM_CLOCK, nullptr);
}

void CSimClockDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLOCK_TIME, m_dtTime);
    DDX_Control(pDX, IDC_CLOCK_DATE, m_dtDate);
    DDX_Check(pDX, IDC_CLOCK_IMMEDIATE, m_bApplyImmediately);
}

BOOL CSimClockDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pFrame)
        m_pFrame->GetSimTime(&m_stTime);
    m_dtDate.SetTime(&m_stTime);
    m_dtTime.SetTime(&m_stTime);
    SYSTEMTIME first{}, last{};
    first.wYear = 2000, first.wMonth = 1, first.wDay = 1;
    last.wYear = 2099, last.wMonth = 12, last.wDay = 31, last.wHour = 23, last.wMinute = 59, last.wSecond = 59;
    m_dtDate.SetRange(&first, &last);
    ShowClockText();
    m_bApplyImmediately = m_pApplyFlag ? *m_pApplyFlag : FALSE;
    UpdateData(FALSE);
    return TRUE;
}

void CSimClockDlg::ShowClockText()
{
    CString text;
    if (m_pFrame)
        m_pFrame->FormatSimTime(&text, FALSE, 0);
    SetDlgItemText(IDC_CLOCK_TEXT, text);
}

SYSTEMTIME CSimClockDlg::CombinePickers() const
{
    SYSTEMTIME date{}, time{};
    m_dtDate.GetTime(&date);
    m_dtTime.GetTime(&time);
    date.wHour = time.wHour;
    date.wMinute = time.wMinute;
    date.wSecond = time.wSecond;
    return date;
}

// A picker holds the whole date and time it was given at opening, so an immediate change of
// one picker applies the other half as it was then.
void CSimClockDlg::ApplyPicker(const CDateTimeCtrl& picker)
{
    UpdateData(TRUE);
    if (!m_bApplyImmediately)
        return;
    picker.GetTime(&m_stTime);
    if (m_pFrame)
        m_pFrame->SetSimTime(m_stTime);
    ShowClockText();
}

void CSimClockDlg::OnDateChange(NMHDR*, LRESULT* pResult)
{
    ApplyPicker(m_dtDate);
    *pResult = 0;
}

void CSimClockDlg::OnTimeChange(NMHDR*, LRESULT* pResult)
{
    ApplyPicker(m_dtTime);
    *pResult = 0;
}

void CSimClockDlg::OnApply()
{
    m_stTime = CombinePickers();
    if (m_pFrame)
        m_pFrame->SetSimTime(m_stTime);
    ShowClockText();
    UpdateData(TRUE);
    if (m_pApplyFlag)
        *m_pApplyFlag = m_bApplyImmediately;
}

void CSimClockDlg::OnApplyImmediatelyClicked()
{
    UpdateData(TRUE);
    if (m_pApplyFlag)
        *m_pApplyFlag = m_bApplyImmediately;
}

void CSimClockDlg::ReleaseOwnerButton()
{
    if (m_pOwnerButton && ::IsWindow(m_pOwnerButton->GetSafeHwnd()))
        m_pOwnerButton->SendMessage(BM_SETCHECK, 0, 0);
    m_pOwnerButton = nullptr;
}

void CSimClockDlg::OnOK()
{
    UpdateData(TRUE);
    m_stTime = CombinePickers();
    if (m_pFrame)
        m_pFrame->SetSimTime(m_stTime);
    DestroyWindow();
    ReleaseOwnerButton();
}

void CSimClockDlg::OnCancel()
{
    DestroyWindow();
    ReleaseOwnerButton();
}
