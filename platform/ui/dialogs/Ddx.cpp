// The exchange object, the standard refusal messages and the exchanges of buttons, lists and
// other controls (edits are in DdxText.cpp).
#include "platform/ui/dialogs/Ddx.h"

#include "platform/ui/dialogs/DlgInternal.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// Messages of the list, trackbar, date-time and IP-address controls.
constexpr UINT kCbGetLbText = 0x0148;
constexpr UINT kCbGetLbTextLen = 0x0149;
constexpr UINT kCbSelectString = 0x014D;
constexpr UINT kCbSetCurSel = 0x014E;
constexpr UINT kCbGetCurSel = 0x0147;
constexpr UINT kCbFindStringExact = 0x0158;
constexpr UINT kCbLimitText = 0x0141;
constexpr UINT kLbSetCurSel = 0x0186;
constexpr UINT kLbGetCurSel = 0x0188;
constexpr UINT kLbGetText = 0x0189;
constexpr UINT kLbGetTextLen = 0x018A;
constexpr UINT kLbSelectString = 0x018C;
constexpr UINT kLbFindStringExact = 0x01A2;
constexpr UINT kTbmGetPos = WM_USER;
constexpr UINT kTbmSetPos = WM_USER + 5;
constexpr UINT kDtmGetSystemTime = 0x1001;
constexpr UINT kDtmSetSystemTime = 0x1002;
constexpr WPARAM kGdtValid = 0;
constexpr WPARAM kGdtNone = 1;
constexpr UINT kIpmSetAddress = WM_USER + 101;
constexpr UINT kIpmGetAddress = WM_USER + 102;

CString WindowText(HWND h)
{
    int n = ::GetWindowTextLengthW(h);
    std::wstring s(size_t(n > 0 ? n : 0) + 1, L'\0');
    n = ::GetWindowTextW(h, &s[0], int(s.size()));
    s.resize(size_t(n > 0 ? n : 0));
    return CString(s.c_str());
}

CString ItemText(HWND h, UINT lenMsg, UINT textMsg, int index)
{
    LRESULT n = ::SendMessageW(h, lenMsg, WPARAM(index), 0);
    if (n < 0 || n > 0x100000)
        return CString();
    std::wstring s(size_t(n) + 1, L'\0');
    ::SendMessageW(h, textMsg, WPARAM(index), reinterpret_cast<LPARAM>(&s[0]));
    return CString(s.c_str());
}

bool ClassIs(HWND h, const wchar_t* name)
{
    wchar_t buf[64] = {};
    ::GetClassNameW(h, buf, 64);
    return ::wcscasecmp(buf, name) == 0;
}

}  // namespace

// ---- the exchange ----

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND h = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    if (!h) {
        std::fprintf(stderr, "data exchange: the dialog has no control %d\n", nIDC);
        return nullptr;
    }
    m_idLastControl = UINT(nIDC);
    m_bEditLastControl = FALSE;
    return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND h = PrepareCtrl(nIDC);
    if (h)
        m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl && m_pDlgWnd) {
        HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, int(m_idLastControl));
        if (h) {
            // Through the dialog, so that the default button and saved focus follow.
            HWND top = m_pDlgWnd->m_hWnd;
            ::SendMessageW(top, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(h), TRUE);
            if (::GetFocus() != h)
                ::SetFocus(h);
            if (m_bEditLastControl)
                ::SendMessageW(h, dlgi::kEmSetSel, 0, -1);
        }
    }
    AfxThrowUserException();
}

CString DdxMessageText(UINT nID, LPCTSTR arg1, LPCTSTR arg2)
{
    CString text;
    auto find = AfxGetResourceFinder().findString;
    if (const ResString* s = find ? find(nID) : nullptr)
        text = s->text.c_str();
    if (text.IsEmpty()) {
        switch (nID) {
        case AFX_IDP_PARSE_INT: text = L"Please enter an integer."; break;
        case AFX_IDP_PARSE_REAL: text = L"Please enter a number."; break;
        case AFX_IDP_PARSE_INT_RANGE: text = L"Please enter an integer between %1 and %2."; break;
        case AFX_IDP_PARSE_REAL_RANGE: text = L"Please enter a number between %1 and %2."; break;
        case AFX_IDP_PARSE_STRING_SIZE: text = L"Please enter no more than %1 characters."; break;
        case AFX_IDP_PARSE_RADIO_BUTTON: text = L"Please select a button."; break;
        case AFX_IDP_PARSE_BYTE: text = L"Please enter an integer between 0 and 255."; break;
        case AFX_IDP_PARSE_UINT: text = L"Please enter a positive integer."; break;
        case AFX_IDP_PARSE_DATETIME: text = L"Please enter a valid date and/or time."; break;
        default: break;
        }
    }
    // %1 and %2 in one pass, so that an argument holding "%2" stays as it is.
    std::wstring out;
    const wchar_t* p = text.GetString();
    for (; *p; ++p) {
        if (p[0] == L'%' && (p[1] == L'1' || p[1] == L'2')) {
            LPCTSTR a = p[1] == L'1' ? arg1 : arg2;
            out += a ? a : L"";
            ++p;
        } else {
            out += *p;
        }
    }
    return CString(out.c_str());
}

// ---- buttons ----

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = int(::SendMessageW(h, dlgi::kBmGetCheck, 0, 0));
    } else {
        if (value < 0 || value > 2)
            value = 0;  // not a check state: shown as unchecked
        ::SendMessageW(h, dlgi::kBmSetCheck, WPARAM(value), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    // The group: this button and the following siblings up to the next WS_GROUP control.
    for (HWND c = h; c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (c != h && (::GetWindowLongPtrW(c, GWL_STYLE) & WS_GROUP))
            break;
        if (!(dlgi::DlgCode(c) & DLGC_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (value == -1 && ::SendMessageW(c, dlgi::kBmGetCheck, 0, 0))
                value = index;
        } else {
            ::SendMessageW(c, dlgi::kBmSetCheck, index == value ? 1 : 0, 0);
        }
        ++index;
    }
}

// ---- lists ----

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate)
        index = int(::SendMessageW(h, kCbGetCurSel, 0, 0));
    else
        ::SendMessageW(h, kCbSetCurSel, WPARAM(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate) {
        if (::GetWindowTextLengthW(h) > 0) {
            value = WindowText(h);
        } else {
            // A drop-down list may answer no text: the selected item's then.
            int i = int(::SendMessageW(h, kCbGetCurSel, 0, 0));
            value = i >= 0 ? ItemText(h, kCbGetLbTextLen, kCbGetLbText, i) : CString();
        }
    } else if (int(::SendMessageW(h, kCbSelectString, WPARAM(-1), reinterpret_cast<LPARAM>(value.GetString()))) < 0) {
        ::SetWindowTextW(h, value.GetString());
    }
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate) {
        DDX_CBString(pDX, nIDC, value);
        return;
    }
    int i = int(::SendMessageW(h, kCbFindStringExact, WPARAM(-1), reinterpret_cast<LPARAM>(value.GetString())));
    if (i < 0)
        ::SetWindowTextW(h, value.GetString());
    else
        ::SendMessageW(h, kCbSetCurSel, WPARAM(i), 0);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate)
        index = int(::SendMessageW(h, kLbGetCurSel, 0, 0));
    else
        ::SendMessageW(h, kLbSetCurSel, WPARAM(index), 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate) {
        int i = int(::SendMessageW(h, kLbGetCurSel, 0, 0));
        value = i >= 0 ? ItemText(h, kLbGetTextLen, kLbGetText, i) : CString();
    } else if (int(::SendMessageW(h, kLbSelectString, WPARAM(-1), reinterpret_cast<LPARAM>(value.GetString()))) < 0) {
        ::SendMessageW(h, kLbSetCurSel, WPARAM(-1), 0);
    }
}

void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate) {
        DDX_LBString(pDX, nIDC, value);
        return;
    }
    int i = int(::SendMessageW(h, kLbFindStringExact, WPARAM(-1), reinterpret_cast<LPARAM>(value.GetString())));
    ::SendMessageW(h, kLbSetCurSel, WPARAM(i < 0 ? -1 : i), 0);
}

// ---- other controls ----

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (!rControl.SubclassWindow(h))
        std::fprintf(stderr, "data exchange: control %d could not be attached\n", nIDC);
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate)
        value = int(::SendMessageW(h, kTbmGetPos, 0, 0));
    else
        ::SendMessageW(h, kTbmSetPos, TRUE, value);
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, COleDateTime& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    SYSTEMTIME st{};
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessageW(h, kDtmGetSystemTime, 0, reinterpret_cast<LPARAM>(&st)) == LRESULT(kGdtValid))
            value = COleDateTime(st);
        else
            value.SetStatus(COleDateTime::null);
    } else if (value.GetStatus() == COleDateTime::valid && value.GetAsSystemTime(st)) {
        ::SendMessageW(h, kDtmSetSystemTime, kGdtValid, reinterpret_cast<LPARAM>(&st));
    } else {
        ::SendMessageW(h, kDtmSetSystemTime, kGdtNone, 0);
    }
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate)
        value = WindowText(h);
    else
        ::SetWindowTextW(h, value.GetString());
}

void DDX_IPAddress(CDataExchange* pDX, int nIDC, DWORD& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate)
        ::SendMessageW(h, kIpmGetAddress, 0, reinterpret_cast<LPARAM>(&value));
    else
        ::SendMessageW(h, kIpmSetAddress, 0, LPARAM(value));
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_idLastControl && pDX->m_pDlgWnd) {
            HWND h = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, int(pDX->m_idLastControl));
            if (h)
                ::SendMessageW(h, ClassIs(h, L"ComboBox") ? kCbLimitText : dlgi::kEmLimitText, WPARAM(nChars), 0);
        }
        return;
    }
    if (value.GetLength() > nChars) {
        std::wstring n = std::to_wstring(nChars);
        AfxMessageBox(DdxMessageText(AFX_IDP_PARSE_STRING_SIZE, n.c_str()).GetString(), MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}
