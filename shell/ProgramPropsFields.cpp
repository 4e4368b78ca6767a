#include "shell/ProgramPropsFields.h"

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/dialogs/MsgBox.h"
#include "platform/ui/framework/App.h"
#include "resources/resource.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cwchar>

CString FieldName(CWnd* pPage, int nLabelID)
{
    CString text;
    if (pPage != nullptr && nLabelID != 0)
        pPage->GetDlgItemText(nLabelID, text);
    text.Remove(L'&');
    text.Trim();
    text.TrimRight(L": \uFF1A");
    return text;
}

void FailField(CDataExchange* pDX, int nIDC, int nLabelID, const CString& text)
{
    pDX->PrepareEditCtrl(nIDC);
    CString message;
    const CString name = FieldName(pDX->m_pDlgWnd, nLabelID);
    if (name.IsEmpty())
        message = text;
    else
        message.Format(AfxLoadString(IDS_PROPS_FIELD_REFUSED), LPCTSTR(name), LPCTSTR(text));
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDX_FieldInt(CDataExchange* pDX, int nIDC, int nLabelID, int& value, int nMin, int nMax)
{
    pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(L"%d", value);
        pDX->m_pDlgWnd->SetDlgItemText(nIDC, text);
        return;
    }
    CString text;
    pDX->m_pDlgWnd->GetDlgItemText(nIDC, text);
    text.Trim();
    wchar_t* end = nullptr;
    errno = 0;
    const long long v = std::wcstoll(text.GetString(), &end, 10);
    const bool whole = !text.IsEmpty() && end != nullptr && *end == 0 && errno == 0;
    if (!whole || v < nMin || v > nMax) {
        CString lo, hi;
        lo.Format(L"%d", nMin);
        hi.Format(L"%d", nMax);
        FailField(pDX, nIDC, nLabelID, DdxMessageText(AFX_IDP_PARSE_INT_RANGE, lo, hi));
    }
    value = int(v);
}

void DDX_FieldDouble(CDataExchange* pDX, int nIDC, int nLabelID, double& value, double dMin, double dMax)
{
    pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(L"%.2f", value);
        pDX->m_pDlgWnd->SetDlgItemText(nIDC, text);
        return;
    }
    CString text;
    pDX->m_pDlgWnd->GetDlgItemText(nIDC, text);
    text.Trim();
    wchar_t* end = nullptr;
    const double v = std::wcstod(text.GetString(), &end);
    const bool number = !text.IsEmpty() && end != nullptr && *end == 0 && std::isfinite(v);
    if (!number || v < dMin || v > dMax) {
        CString lo, hi;
        lo.Format(L"%.1f", dMin);
        hi.Format(L"%.1f", dMax);
        FailField(pDX, nIDC, nLabelID, DdxMessageText(AFX_IDP_PARSE_REAL_RANGE, lo, hi));
    }
    value = v;
}

void DDX_ListIndex(CDataExchange* pDX, int nIDC, int& value)
{
    HWND list = pDX->PrepareCtrl(nIDC);
    if (list == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate) {
        ::SendMessageW(list, CB_SETCURSEL, WPARAM(value), 0);
        return;
    }
    const LRESULT sel = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (sel >= 0)
        value = int(sel);
}
