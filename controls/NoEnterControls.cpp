// CNoEnterButton and CNoEnterEdit: Enter is swallowed; every other message takes its ordinary
// way, and an error on that way is not hidden.
#include "controls/NoEnterControls.h"

IMPLEMENT_DYNAMIC(CNoEnterButton, CButton)
IMPLEMENT_DYNAMIC(CNoEnterEdit, CEdit)

BOOL IsEnterKeyDown(const MSG* pMsg)
{
    return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN;
}

BOOL CNoEnterButton::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterKeyDown(pMsg))
        return TRUE;
    return CButton::PreTranslateMessage(pMsg);
}

BOOL CNoEnterEdit::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterKeyDown(pMsg))
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}
