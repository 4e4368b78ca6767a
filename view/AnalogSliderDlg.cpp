#include "view/AnalogSliderDlg.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"
#include "view/TavixView.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CAnalogSliderDlg, CDialog)

BEGIN_MESSAGE_MAP(CAnalogSliderDlg, CDialog)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

CAnalogSliderDlg::CAnalogSliderDlg(CTavixView* pView, CBlockObj* pBlock, int nValue, int nMin, int nMax)
    : CDialog(IDD_ANALOG_SLIDER, pView), m_pView(pView), m_pBlock(pBlock), m_nValue(nValue),
      m_nMin(std::min(nMin, nMax)), m_nMax(std::max(nMin, nMax))
{
}

BOOL CAnalogSliderDlg::CreateAt(int x, int y)
{
    m_nX = x;
    m_nY = y;
    if (!CDialog::Create(IDD_ANALOG_SLIDER, m_pView))
        return FALSE;
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CAnalogSliderDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_slider.SubclassDlgItem(IDC_SLIDER_TRACK, this);
    CString text;
    text.Format(L"%d", m_nMin);
    SetDlgItemText(IDC_SLIDER_MIN, text);
    text.Format(L"%d", m_nMax);
    SetDlgItemText(IDC_SLIDER_MAX, text);
    m_slider.SetRange(m_nMin, m_nMax, FALSE);
    m_slider.SetPageSize(std::max(1, (m_nMax - m_nMin) / 10));
    m_slider.SetPos(std::clamp(m_nValue, m_nMin, m_nMax));
    SetWindowPos(nullptr, m_nX, m_nY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return TRUE;
}

void CAnalogSliderDlg::TakePosition(int nPos)
{
    m_nValue = std::clamp(nPos, m_nMin, m_nMax);
    if (m_pView)
        m_pView->SetPopupValue(m_pBlock, m_nValue);
}

void CAnalogSliderDlg::OnHScroll(UINT, UINT, CScrollBar*)
{
    if (m_slider.GetSafeHwnd())
        TakePosition(m_slider.GetPos());
}

BOOL CAnalogSliderDlg::PreTranslateMessage(MSG* pMsg)
{
    const bool key = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
    if (key && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_MENU)) {
        if (m_pView)
            m_pView->PostMessage(WM_CLOSE_VALUE_POPUP, 0, 0);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CAnalogSliderDlg::OnOK()
{
    if (m_pView)
        m_pView->PostMessage(WM_CLOSE_VALUE_POPUP, 0, 0);
}

void CAnalogSliderDlg::OnCancel()
{
    OnOK();
}
