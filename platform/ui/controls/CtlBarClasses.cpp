// Creation and range helpers of the progress, trackbar and up-down objects.
#include "platform/ui/controls/CtlBarClasses.h"

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

namespace {
BOOL CreateControl(CWnd* w, LPCTSTR cls, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return w->CWnd::Create(cls, L"", style, rect, parent, id);
}
}  // namespace

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, PROGRESS_CLASSW, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE r{0, 0};
    SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&r));
    nLower = r.iLow;
    nUpper = r.iHigh;
}

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, TRACKBAR_CLASSW, dwStyle, rect, pParentWnd, nID);
}

void CSliderCtrl::GetSelection(int& nMin, int& nMax) const
{
    nMin = int(SendMessage(TBM_GETSELSTART));
    nMax = int(SendMessage(TBM_GETSELEND));
}

void CSliderCtrl::SetSelection(int nMin, int nMax)
{
    SendMessage(TBM_SETSELSTART, FALSE, LPARAM(nMin));
    SendMessage(TBM_SETSELEND, TRUE, LPARAM(nMax));
}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, UPDOWN_CLASSW, dwStyle, rect, pParentWnd, nID);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(
        SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->m_hWnd : nullptr))));
}

int CSpinButtonCtrl::GetPos() const
{
    LRESULT r = SendMessage(UDM_GETPOS);
    return HIWORD(r) ? int(r) : int(SHORT(LOWORD(r)));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    LRESULT r = SendMessage(UDM_GETRANGE);
    upper = int(SHORT(LOWORD(r)));
    lower = int(SHORT(HIWORD(r)));
}
