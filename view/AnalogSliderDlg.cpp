#include "view/AnalogSliderDlg.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/AppIds.h"
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

namespace {

// The editor's shortcut keys while the popup has the focus: each first ends the simulation
// (the Simulation command toggles it off), then runs the command the key stands for; "main"
// marks the commands the main window handles.
struct Shortcut {
    UINT message;  // WM_KEYDOWN (or system key down) or WM_CHAR
    WPARAM key;    // virtual key, or the control character of Ctrl+letter
    bool ctrl;
    UINT command;  // 0: the Simulation command alone
    bool main;
};

const Shortcut kShortcuts[] = {
    {WM_KEYDOWN, VK_F3, false, 0, false},
    {WM_KEYDOWN, VK_F5, false, ID_MODE_CONNECT, false},
    {WM_KEYDOWN, VK_F9, false, ID_MODE_INSERT_COMMENT, false},
    {WM_KEYDOWN, VK_F11, false, ID_MODE_CUT_JOIN, false},
    {WM_KEYDOWN, VK_F4, true, ID_FILE_CLOSE, true},
    {WM_CHAR, 14, true, ID_FILE_NEW, true},
    {WM_CHAR, 15, true, ID_FILE_OPEN, true},
    {WM_CHAR, 18, true, ID_TRANSFER_DEVICE_TO_PC, false},
    {WM_CHAR, 23, true, ID_TRANSFER_PC_TO_DEVICE, false},
};

}  // namespace

BOOL CAnalogSliderDlg::PreTranslateMessage(MSG* pMsg)
{
    const bool key = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
    if (key && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_MENU)) {
        if (m_pView)
            m_pView->PostMessage(WM_CLOSE_VALUE_POPUP, 0, 0);
        return TRUE;
    }
    if (m_pView && (key || pMsg->message == WM_CHAR)) {
        const UINT kind = key ? UINT(WM_KEYDOWN) : UINT(WM_CHAR);
        const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
        for (const Shortcut& s : kShortcuts) {
            if (s.message != kind || s.key != pMsg->wParam || (s.ctrl && !ctrl))
                continue;
            m_pView->PostMessage(WM_COMMAND, ID_TOOLS_SIMULATION, 0);
            CWnd* target = s.main ? AfxGetMainWnd() : m_pView;
            if (s.command && target)
                target->PostMessage(WM_COMMAND, s.command, 0);
            return TRUE;
        }
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
