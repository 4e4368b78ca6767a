// Text exchanges with edits (strings and numbers) and the range checks.
//
// Numbers are written and read in one fixed convention whatever the process locale: decimal
// digits, '.' as decimal point. Leading and trailing blanks are allowed; anything else, or a
// value outside the member's type, is refused.
#include "platform/ui/dialogs/Ddx.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <limits>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

CString WindowText(HWND h)
{
    int n = ::GetWindowTextLengthW(h);
    std::wstring s(size_t(n > 0 ? n : 0) + 1, L'\0');
    n = ::GetWindowTextW(h, &s[0], int(s.size()));
    s.resize(size_t(n > 0 ? n : 0));
    return CString(s.c_str());
}

// Sets the text only when it differs, so that an unchanged field sends no change notification
// and keeps its selection.
void SetTextIfChanged(HWND h, const wchar_t* text)
{
    if (WindowText(h) != text)
        ::SetWindowTextW(h, text);
}

// The text without blanks around it, in ASCII; false when it holds other characters.
bool Trimmed(const CString& text, std::string& out)
{
    const wchar_t* p = text.GetString();
    size_t n = size_t(text.GetLength());
    size_t b = 0, e = n;
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };
    while (b < e && blank(p[b]))
        ++b;
    while (e > b && blank(p[e - 1]))
        --e;
    out.clear();
    for (size_t i = b; i < e; ++i) {
        if (p[i] > 0x7E)
            return false;
        out += char(p[i]);
    }
    return !out.empty();
}

bool ParseSigned(const CString& text, long long lo, long long hi, long long& v)
{
    std::string s;
    if (!Trimmed(text, s))
        return false;
    const char* b = s.data();
    if (*b == '+')
        ++b;
    auto r = std::from_chars(b, s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && v >= lo && v <= hi;
}

// Unsigned: a minus sign is refused (not wrapped round).
bool ParseUnsigned(const CString& text, unsigned long long hi, unsigned long long& v)
{
    std::string s;
    if (!Trimmed(text, s))
        return false;
    const char* b = s.data();
    if (*b == '+')
        ++b;
    if (*b == '-')
        return false;
    auto r = std::from_chars(b, s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && v <= hi;
}

bool ParseReal(const CString& text, double& v)
{
    std::string s;
    if (!Trimmed(text, s))
        return false;
    const char* b = s.data();
    if (*b == '+')
        ++b;
    auto r = std::from_chars(b, s.data() + s.size(), v, std::chars_format::general);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(v);
}

std::wstring RealText(double v, int digits)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits);
    return std::wstring(buf, r.ptr);
}

void Refuse(CDataExchange* pDX, UINT nID, LPCTSTR a1 = nullptr, LPCTSTR a2 = nullptr)
{
    AfxMessageBox(DdxMessageText(nID, a1, a2).GetString(), MB_ICONEXCLAMATION);
    pDX->Fail();
}

template <class T>
void SignedText(CDataExchange* pDX, int nIDC, T& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseSigned(WindowText(h), (long long)std::numeric_limits<T>::min(), (long long)std::numeric_limits<T>::max(), v))
            Refuse(pDX, AFX_IDP_PARSE_INT);
        value = T(v);
    } else {
        SetTextIfChanged(h, std::to_wstring((long long)value).c_str());
    }
}

template <class T>
void UnsignedText(CDataExchange* pDX, int nIDC, T& value, UINT refusal)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate) {
        unsigned long long v = 0;
        if (!ParseUnsigned(WindowText(h), (unsigned long long)std::numeric_limits<T>::max(), v))
            Refuse(pDX, refusal);
        value = T(v);
    } else {
        SetTextIfChanged(h, std::to_wstring((unsigned long long)value).c_str());
    }
}

template <class T>
void RealTextExchange(CDataExchange* pDX, int nIDC, T& value, int digits)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate) {
        double v = 0;
        if (!ParseReal(WindowText(h), v) || std::fabs(v) > double(std::numeric_limits<T>::max()))
            Refuse(pDX, AFX_IDP_PARSE_REAL);
        value = T(v);
    } else {
        SetTextIfChanged(h, RealText(double(value), digits).c_str());
    }
}

template <class T>
void MinMax(CDataExchange* pDX, T value, T lo, T hi, UINT nID)
{
    if (!pDX->m_bSaveAndValidate || (value >= lo && value <= hi))
        return;
    std::wstring a = std::to_wstring(lo), b = std::to_wstring(hi);
    Refuse(pDX, nID, a.c_str(), b.c_str());
}

void MinMaxReal(CDataExchange* pDX, double value, double lo, double hi, int digits)
{
    if (!pDX->m_bSaveAndValidate || (value >= lo && value <= hi))
        return;
    std::wstring a = RealText(lo, digits), b = RealText(hi, digits);
    Refuse(pDX, AFX_IDP_PARSE_REAL_RANGE, a.c_str(), b.c_str());
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate)
        value = WindowText(h);
    else
        SetTextIfChanged(h, value.GetString());
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { SignedText(pDX, nIDC, value); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { SignedText(pDX, nIDC, value); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { SignedText(pDX, nIDC, value); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { UnsignedText(pDX, nIDC, value, AFX_IDP_PARSE_UINT); }
void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value) { UnsignedText(pDX, nIDC, value, AFX_IDP_PARSE_UINT); }
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { UnsignedText(pDX, nIDC, value, AFX_IDP_PARSE_BYTE); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { RealTextExchange(pDX, nIDC, value, DBL_DIG); }
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { RealTextExchange(pDX, nIDC, value, FLT_DIG); }

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) { MinMax(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE); }
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) { MinMax(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE); }
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) { MinMax(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE); }
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) { MinMax(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE); }
void DDV_MinMaxSlider(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) { MinMax(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE); }

void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    MinMax(pDX, int(value), int(minVal), int(maxVal), AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    MinMax(pDX, UINT(value), UINT(minVal), UINT(maxVal), AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    MinMaxReal(pDX, value, minVal, maxVal, DBL_DIG);
}

void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal)
{
    MinMaxReal(pDX, double(value), double(minVal), double(maxVal), FLT_DIG);
}
