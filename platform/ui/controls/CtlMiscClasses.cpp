// Creation and helpers of the date-time, month calendar, IP address and tooltip objects.
#include "platform/ui/controls/CtlMiscClasses.h"

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CMonthCalCtrl, CWnd)
IMPLEMENT_DYNAMIC(CIPAddressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {
BOOL CreateControl(CWnd* w, LPCTSTR cls, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return w->CWnd::Create(cls, L"", style, rect, parent, id);
}

DWORD GetRangeOf(const CWnd* w, UINT msg, SYSTEMTIME* lo, SYSTEMTIME* hi)
{
    SYSTEMTIME r[2] = {};
    DWORD flags = DWORD(w->SendMessage(msg, 0, reinterpret_cast<LPARAM>(r)));
    if (lo)
        *lo = r[0];
    if (hi)
        *hi = r[1];
    return flags;
}

BOOL SetRangeOf(CWnd* w, UINT msg, const SYSTEMTIME* lo, const SYSTEMTIME* hi)
{
    SYSTEMTIME r[2] = {};
    DWORD flags = 0;
    if (lo) {
        r[0] = *lo;
        flags |= GDTR_MIN;
    }
    if (hi) {
        r[1] = *hi;
        flags |= GDTR_MAX;
    }
    return BOOL(w->SendMessage(msg, flags, reinterpret_cast<LPARAM>(r)));
}
}  // namespace

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, DATETIMEPICK_CLASSW, dwStyle, rect, pParentWnd, nID);
}

BOOL CDateTimeCtrl::SetTime(const SYSTEMTIME* pTimeNew)
{
    return BOOL(SendMessage(DTM_SETSYSTEMTIME, pTimeNew ? GDT_VALID : GDT_NONE, reinterpret_cast<LPARAM>(pTimeNew)));
}

DWORD CDateTimeCtrl::GetRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange) const
{
    return GetRangeOf(this, DTM_GETRANGE, pMinRange, pMaxRange);
}

BOOL CDateTimeCtrl::SetRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange)
{
    return SetRangeOf(this, DTM_SETRANGE, pMinRange, pMaxRange);
}

BOOL CMonthCalCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, MONTHCAL_CLASSW, dwStyle, rect, pParentWnd, nID);
}

DWORD CMonthCalCtrl::GetRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange) const
{
    return GetRangeOf(this, MCM_GETRANGE, pMinRange, pMaxRange);
}

BOOL CMonthCalCtrl::SetRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange)
{
    return SetRangeOf(this, MCM_SETRANGE, pMinRange, pMaxRange);
}

BOOL CIPAddressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_IPADDRESSW, dwStyle, rect, pParentWnd, nID);
}

int CIPAddressCtrl::GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const
{
    DWORD a = 0;
    int n = GetAddress(a);
    nField0 = FIRST_IPADDRESS(a);
    nField1 = SECOND_IPADDRESS(a);
    nField2 = THIRD_IPADDRESS(a);
    nField3 = FOURTH_IPADDRESS(a);
    return n;
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    AfxRegisterControlClasses();
    return CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", WS_POPUP | dwStyle, 0, 0, 0, 0,
                          pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr, nullptr);
}

namespace {
TTTOOLINFOW ToolOf(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT rect, LPWSTR text)
{
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    ti.uId = nIDTool;
    ti.lpszText = text;
    if (rect) {
        ti.rect = *rect;
    } else if (nIDTool == 0 && pWnd) {
        // the whole window is the tool; its notifications go to its parent
        ti.uFlags |= TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(pWnd->GetSafeHwnd());
        HWND parent = ::GetParent(ti.hwnd);
        ti.hwnd = parent ? parent : ti.hwnd;
    } else if (pWnd) {
        ::GetClientRect(pWnd->GetSafeHwnd(), &ti.rect);
    }
    return ti;
}
}  // namespace

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (!pWnd)
        return FALSE;
    TTTOOLINFOW ti = ToolOf(pWnd, nIDTool, lpRectTool, const_cast<LPWSTR>(lpszText));
    return BOOL(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    return AddTool(pWnd, MAKEINTRESOURCE(nIDText), lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti = ToolOf(pWnd, nIDTool, nullptr, nullptr);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti = ToolOf(pWnd, nIDTool, nullptr, const_cast<LPWSTR>(lpszText));
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    if (!lpRect)
        return;
    TTTOOLINFOW ti = ToolOf(pWnd, nIDTool, lpRect, nullptr);
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::GetToolInfo(TTTOOLINFOW& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ToolInfo = ToolOf(pWnd, nIDTool, nullptr, ToolInfo.lpszText);  // the caller's text buffer stays
    return BOOL(SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ToolInfo)));
}
