// CDateSelectDlg: the chosen month and day carry an asterisk; impossible dates cannot be OK'd.
#include "pages/DateSelectDlg.h"

#include "resources/resource.h"

namespace {

constexpr UINT kFirstMonth = 1322, kFirstDay = 1334, kLastDay = 1364;

}  // namespace

CDateSelectDlg::CDateSelectDlg(CWnd* pParent) : CDialog(IDD_DATE_SELECT, pParent) {}

int CDateSelectDlg::MonthLength(int nMonth, BOOL bAllowFeb29)
{
    switch (nMonth) {
    case 4: case 6: case 9: case 11: return 30;
    case 2: return bAllowFeb29 ? 29 : 28;
    default: return 31;
    }
}

BOOL CDateSelectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect rc;
    GetWindowRect(&rc);
    SetWindowPos(nullptr, rc.left, rc.top + 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (UINT id = kFirstMonth; id <= kLastDay; ++id)
        if (CWnd* p = GetDlgItem(int(id)))
            p->ModifyStyle(0x0F, BS_DEFPUSHBUTTON);
    ApplyMonthRule(Month(), Day());
    return TRUE;
}

BOOL CDateSelectDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id >= kFirstMonth && id <= kLastDay) {
        OnDateButton(id);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CDateSelectDlg::OnDateButton(UINT nID)
{
    CString text;
    const BOOL bMonth = nID < kFirstDay;
    int& value = bMonth ? Month() : Day();
    const UINT first = bMonth ? kFirstMonth : kFirstDay;
    if (value >= 1 && value <= (bMonth ? 12 : 31)) {
        text.Format(L"%d", value);
        SetDlgItemText(int(first + UINT(value) - 1), text);
    }
    value = int(nID - first) + 1;
    text.Format(L"%d*", value);
    SetDlgItemText(int(nID), text);
    ApplyMonthRule(Month(), Day());
}

void CDateSelectDlg::ApplyMonthRule(int nMonth, int nDay)
{
    // The month and the day together decide: 31 April and, where the caller allows no leap
    // day, 29 February cannot be chosen in either order.
    const int length = MonthLength(nMonth, m_bAllowFeb29);
    for (int d = 29; d <= 31; ++d)
        if (CWnd* p = GetDlgItem(int(kFirstDay) + d - 1))
            p->EnableWindow(d <= length);
    if (CWnd* pOk = GetDlgItem(IDOK))
        pOk->EnableWindow(nDay >= 1 && nDay <= length);
}
