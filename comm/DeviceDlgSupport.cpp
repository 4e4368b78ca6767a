// Helpers of the device dialogs.
#include "comm/DeviceDlgSupport.h"

#include "platform/gdi/DC.h"
#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/WinUser.h"
#include "platform/ui/core/Wnd.h"

#include <cwchar>
#include "platform/ui/framework/App.h"
#include "shell/MainFrame.h"

namespace {

CWnd* DeviceOperationTarget(CWnd* pDialog)
{
    if (CWnd* main = AfxGetMainWnd())
        return main;
    return pDialog ? pDialog->GetOwner() : nullptr;
}

} // namespace

void PostDeviceOperation(CWnd* pDialog, int nOperation, LPARAM flags)
{
    if (CWnd* target = DeviceOperationTarget(pDialog))
        target->PostMessage(WM_DEVICE_OPERATION, WPARAM(nOperation), flags);
}

void SendDeviceOperation(CWnd* pDialog, int nOperation, LPARAM flags)
{
    if (CWnd* target = DeviceOperationTarget(pDialog))
        target->SendMessage(WM_DEVICE_OPERATION, WPARAM(nOperation), flags);
}

CString DeviceText(UINT nId)
{
    CString text;
    text.LoadString(nId);
    return text;
}

int FirstCharacterNotIn(const CString& text, bool (*allowed)(wchar_t))
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (!allowed(text[i]))
            return i;
    return -1;
}

bool IsLetterOrDigit(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9');
}

bool IsKeyDigit(wchar_t c)
{
    return c >= L'1' && c <= L'6';
}

void CheckTypedCharacters(CWnd* pDialog, int nId, bool (*allowed)(wchar_t), UINT nMessageId)
{
    CWnd* field = pDialog->GetDlgItem(nId);
    if (!field || CWnd::GetFocus() != field)
        return;
    CString text;
    field->GetWindowText(text);
    const int bad = FirstCharacterNotIn(text, allowed);
    if (bad < 0)
        return;
    field->SetWindowText(text.Left(bad));
    field->SendMessage(EM_SETSEL, WPARAM(bad), LPARAM(bad));  // typing goes on at the end
    AfxMessageBox(DeviceText(nMessageId), MB_ICONINFORMATION);
    field->SetFocus();
}

void SetUpSpin(CWnd* pDialog, int nSpinId, int nBuddyId, int nLower, int nUpper, int nPos)
{
    CWnd* spin = pDialog->GetDlgItem(nSpinId);
    CWnd* buddy = pDialog->GetDlgItem(nBuddyId);
    if (!spin)
        return;
    if (buddy)
        spin->SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->m_hWnd), 0);
    spin->SendMessage(UDM_SETRANGE32, WPARAM(nLower), LPARAM(nUpper));
    spin->SendMessage(UDM_SETPOS32, 0, LPARAM(nPos));
}

int ClampNumberField(CWnd* pDialog, int nId, int nLower, int nUpper)
{
    CWnd* field = pDialog->GetDlgItem(nId);
    if (!field)
        return nLower;
    CString text;
    field->GetWindowText(text);
    const long value = text.IsEmpty() ? long(nLower) - 1 : std::wcstol(LPCTSTR(text), nullptr, 10);
    long clamped = value;
    if (value < nLower)
        clamped = nLower;
    if (value > nUpper)
        clamped = nUpper;
    if (clamped != value || text.IsEmpty()) {
        CString fixed;
        fixed.Format(L"%ld", clamped);
        if (fixed != text)
            field->SetWindowText(fixed);
    }
    return int(clamped);
}

void LimitField(CWnd* pDialog, int nId, int n)
{
    if (CWnd* field = pDialog->GetDlgItem(nId))
        field->SendMessage(EM_LIMITTEXT, WPARAM(n), 0);
}

void FillDropList(CWnd* pDialog, int nId, const std::vector<CString>& items, int* pSelect)
{
    CWnd* list = pDialog->GetDlgItem(nId);
    list->SendMessage(CB_RESETCONTENT);
    for (const CString& item : items)
        list->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LPCTSTR(item)));
    if (*pSelect < 0 || *pSelect >= int(items.size()))
        *pSelect = 0;
    list->SendMessage(CB_SETCURSEL, WPARAM(*pSelect));
}

std::vector<CString> NumberTexts(int nFirst, int nLast)
{
    std::vector<CString> texts;
    for (int i = nFirst; i <= nLast; ++i) {
        CString text;
        text.Format(L"%d", i);
        texts.push_back(text);
    }
    return texts;
}

void EnterMovesToNextField(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        pMsg->wParam = VK_TAB;
}

void PlaceOnScreen(CWnd* pDialog, int dx, int dy, bool bTopAtSixth)
{
    if (!pDialog || !pDialog->m_hWnd)
        return;
    HDC screen = ::GetDC(nullptr);
    const int cx = ::GetDeviceCaps(screen, HORZRES);
    const int cy = ::GetDeviceCaps(screen, VERTRES);
    ::ReleaseDC(nullptr, screen);
    if (cx == 0 && cy == 0)
        return;
    const int x = cx / 2 + dx;
    const int y = bTopAtSixth ? cy / 6 : cy / 2 + dy;
    pDialog->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
