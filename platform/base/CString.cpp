#include "platform/base/CString.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <mutex>
#include <utility>

namespace {

// Clamps a (first, count) pair to the string, the way MFC's extraction functions do.
std::pair<std::size_t, std::size_t> ClampRange(std::size_t len, long long first, long long count)
{
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (static_cast<unsigned long long>(first) >= len)
        return {len, 0};
    std::size_t f = static_cast<std::size_t>(first);
    std::size_t c = std::min<std::size_t>(static_cast<std::size_t>(count), len - f);
    return {f, c};
}

bool InSet(wchar_t ch, const wchar_t* set)
{
    return set != nullptr && ch != L'\0' && std::wcschr(set, ch) != nullptr;
}

bool IsSpace(wchar_t ch) { return std::iswspace(static_cast<wint_t>(ch)) != 0; }

std::function<bool(UINT, CString&)>& StringLoader()
{
    static std::function<bool(UINT, CString&)> loader;
    return loader;
}
std::mutex& StringLoaderMutex()
{
    static std::mutex m;
    return m;
}

constexpr char32_t kReplacement = 0xFFFD;

bool IsValidScalar(unsigned long cp) { return cp < 0xD800 || (cp > 0xDFFF && cp <= 0x10FFFF); }

void AppendUtf8(std::string& out, unsigned long cp)
{
    if (!IsValidScalar(cp))
        cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

CString::CString(const wchar_t* text)
{
    if (text != nullptr)
        m_str = text;
}

CString::CString(const wchar_t* text, int count)
{
    if (text != nullptr && count > 0)
        m_str.assign(text, static_cast<std::size_t>(count));
}

CString::CString(const char* utf8)
{
    if (utf8 != nullptr)
        m_str = FromUtf8(utf8, std::strlen(utf8)).m_str;
}

CString::CString(wchar_t ch, int repeat)
{
    if (repeat > 0)
        m_str.assign(static_cast<std::size_t>(repeat), ch);
}

CString& CString::operator=(const wchar_t* text)
{
    if (text == nullptr)
        m_str.clear();
    else
        m_str = std::wstring(text);  // copy first: text may point into this string
    return *this;
}

CString& CString::operator=(const char* utf8)
{
    *this = CString(utf8);
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    m_str.assign(1, ch);
    return *this;
}

wchar_t CString::GetAt(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_str.size())
        return L'\0';
    return m_str[static_cast<std::size_t>(index)];
}

void CString::SetAt(int index, wchar_t ch)
{
    if (index >= 0 && static_cast<std::size_t>(index) < m_str.size())
        m_str[static_cast<std::size_t>(index)] = ch;
}

CString& CString::operator+=(const wchar_t* s)
{
    if (s != nullptr)
        m_str += std::wstring(s);
    return *this;
}

int CString::Compare(const wchar_t* s) const
{
    int r = std::wcscmp(m_str.c_str(), s != nullptr ? s : L"");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const wchar_t* s) const
{
    const wchar_t* a = m_str.c_str();
    const wchar_t* b = s != nullptr ? s : L"";
    for (;; ++a, ++b) {
        wint_t ca = std::towlower(static_cast<wint_t>(*a));
        wint_t cb = std::towlower(static_cast<wint_t>(*b));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

CString CString::Left(int count) const
{
    auto [f, c] = ClampRange(m_str.size(), 0, count);
    return CString(m_str.substr(f, c));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    auto [f, c] = ClampRange(m_str.size(), first, count);
    return CString(m_str.substr(f, c));
}

CString CString::Right(int count) const
{
    if (count <= 0)
        return CString();
    std::size_t c = std::min<std::size_t>(static_cast<std::size_t>(count), m_str.size());
    return CString(m_str.substr(m_str.size() - c));
}

CString CString::SpanIncluding(const wchar_t* charSet) const
{
    std::size_t n = 0;
    while (n < m_str.size() && InSet(m_str[n], charSet))
        ++n;
    return CString(m_str.substr(0, n));
}

CString CString::SpanExcluding(const wchar_t* charSet) const
{
    std::size_t n = 0;
    while (n < m_str.size() && !InSet(m_str[n], charSet))
        ++n;
    return CString(m_str.substr(0, n));
}

int CString::Find(wchar_t ch, int start) const
{
    if (start < 0 || ch == L'\0')
        return -1;
    std::size_t pos = m_str.find(ch, static_cast<std::size_t>(start));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const wchar_t* sub, int start) const
{
    if (sub == nullptr || start < 0 || static_cast<std::size_t>(start) > m_str.size())
        return -1;
    std::size_t pos = m_str.find(sub, static_cast<std::size_t>(start));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const
{
    if (ch == L'\0')
        return -1;
    std::size_t pos = m_str.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(const wchar_t* charSet) const
{
    for (std::size_t i = 0; i < m_str.size(); ++i)
        if (InSet(m_str[i], charSet))
            return static_cast<int>(i);
    return -1;
}

int CString::Replace(wchar_t oldCh, wchar_t newCh)
{
    int n = 0;
    for (wchar_t& c : m_str)
        if (c == oldCh) {
            c = newCh;
            ++n;
        }
    return n;
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText)
{
    if (oldText == nullptr || *oldText == L'\0')
        return 0;
    const std::wstring from(oldText);
    const std::wstring to(newText != nullptr ? newText : L"");
    std::wstring out;
    int n = 0;
    std::size_t pos = 0;
    for (;;) {
        std::size_t hit = m_str.find(from, pos);
        if (hit == std::wstring::npos)
            break;
        out.append(m_str, pos, hit - pos);
        out += to;
        pos = hit + from.size();
        ++n;
    }
    if (n > 0) {
        out.append(m_str, pos, std::wstring::npos);
        m_str.swap(out);
    }
    return n;
}

int CString::Remove(wchar_t ch)
{
    std::size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int index, wchar_t ch)
{
    std::size_t i = std::min<std::size_t>(static_cast<std::size_t>(std::max(index, 0)), m_str.size());
    m_str.insert(i, 1, ch);
    return GetLength();
}

int CString::Insert(int index, const wchar_t* text)
{
    if (text != nullptr) {
        std::size_t i = std::min<std::size_t>(static_cast<std::size_t>(std::max(index, 0)), m_str.size());
        m_str.insert(i, std::wstring(text));
    }
    return GetLength();
}

int CString::Delete(int index, int count)
{
    auto [f, c] = ClampRange(m_str.size(), index, count);
    m_str.erase(f, c);
    return GetLength();
}

CString& CString::MakeUpper()
{
    for (wchar_t& c : m_str)
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::MakeLower()
{
    for (wchar_t& c : m_str)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

CString& CString::TrimLeft()
{
    std::size_t n = 0;
    while (n < m_str.size() && IsSpace(m_str[n]))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(wchar_t target)
{
    std::size_t n = 0;
    while (n < m_str.size() && m_str[n] == target)
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(const wchar_t* targets)
{
    std::size_t n = 0;
    while (n < m_str.size() && InSet(m_str[n], targets))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    std::size_t n = m_str.size();
    while (n > 0 && IsSpace(m_str[n - 1]))
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::TrimRight(wchar_t target)
{
    std::size_t n = m_str.size();
    while (n > 0 && m_str[n - 1] == target)
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::TrimRight(const wchar_t* targets)
{
    std::size_t n = m_str.size();
    while (n > 0 && InSet(m_str[n - 1], targets))
        --n;
    m_str.resize(n);
    return *this;
}

wchar_t* CString::GetBuffer(int minLength)
{
    if (minLength > 0 && static_cast<std::size_t>(minLength) > m_str.size()) {
        // The extra room is filled with terminators so that ReleaseBuffer(-1) after a write
        // of fewer characters finds the end.
        m_str.resize(static_cast<std::size_t>(minLength), L'\0');
    }
    return m_str.data();
}

wchar_t* CString::GetBufferSetLength(int length)
{
    m_str.resize(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    return m_str.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(std::wcslen(m_str.c_str()));
    if (static_cast<std::size_t>(newLength) < m_str.size())
        m_str.resize(static_cast<std::size_t>(newLength));
}

BOOL CString::LoadString(UINT id)
{
    std::function<bool(UINT, CString&)> loader;
    {
        std::lock_guard<std::mutex> lock(StringLoaderMutex());
        loader = StringLoader();
    }
    if (!loader)
        return FALSE;
    CString text;
    if (!loader(id, text))
        return FALSE;
    *this = std::move(text);
    return TRUE;
}

void AfxSetStringLoader(std::function<bool(UINT, CString&)> loader)
{
    std::lock_guard<std::mutex> lock(StringLoaderMutex());
    StringLoader() = std::move(loader);
}

CString operator+(const CString& a, const CString& b) { return CString(a.str() + b.str()); }
CString operator+(const CString& a, const wchar_t* b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const wchar_t* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, wchar_t b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(wchar_t a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

// ---- UTF conversions ---------------------------------------------------------------------

std::u16string ToUtf16(const wchar_t* s, std::size_t count)
{
    std::u16string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        unsigned long cp = static_cast<unsigned long>(static_cast<std::make_unsigned_t<wchar_t>>(s[i]));
        if (!IsValidScalar(cp))
            cp = kReplacement;
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 | (cp >> 10));
            out += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
        }
    }
    return out;
}

std::u16string ToUtf16(const CString& s) { return ToUtf16(s.GetString(), static_cast<std::size_t>(s.GetLength())); }

CString FromUtf16(const char16_t* s, std::size_t count)
{
    std::wstring out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        char32_t u = s[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            out += static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (s[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            out += static_cast<wchar_t>(kReplacement);
        } else {
            out += static_cast<wchar_t>(u);
        }
    }
    return CString(out);
}

std::string ToUtf8(const wchar_t* s, std::size_t count)
{
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        AppendUtf8(out, static_cast<unsigned long>(static_cast<std::make_unsigned_t<wchar_t>>(s[i])));
    return out;
}

std::string ToUtf8(const CString& s) { return ToUtf8(s.GetString(), static_cast<std::size_t>(s.GetLength())); }

CString FromUtf8(const char* s, std::size_t count)
{
    std::wstring out;
    out.reserve(count);
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    std::size_t i = 0;
    while (i < count) {
        unsigned char b = p[i];
        int extra;
        unsigned long cp;
        unsigned long minimum;
        if (b < 0x80) {
            out += static_cast<wchar_t>(b);
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1, cp = b & 0x1F, minimum = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2, cp = b & 0x0F, minimum = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3, cp = b & 0x07, minimum = 0x10000;
        } else {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        for (int k = 0; k < extra && j < count && (p[j] & 0xC0) == 0x80; ++k, ++j)
            cp = (cp << 6) | (p[j] & 0x3F);
        if (j - i != static_cast<std::size_t>(extra) + 1 || cp < minimum || !IsValidScalar(cp)) {
            // A malformed sequence: one replacement character for the bytes consumed.
            out += static_cast<wchar_t>(kReplacement);
            i = j;
            continue;
        }
        out += static_cast<wchar_t>(cp);
        i = j;
    }
    return CString(out);
}

CString FromUtf8(const std::string& s) { return FromUtf8(s.data(), s.size()); }

// ---- Number conversions ------------------------------------------------------------------

namespace {

// Parses [space][sign]digits, saturating at the limits of long long.
long long ParseInteger(const wchar_t* s)
{
    if (s == nullptr)
        return 0;
    while (IsSpace(*s))
        ++s;
    bool negative = false;
    if (*s == L'+' || *s == L'-') {
        negative = (*s == L'-');
        ++s;
    }
    unsigned long long value = 0;
    const unsigned long long limit = negative ? 0x8000000000000000ULL : 0x7FFFFFFFFFFFFFFFULL;
    for (; *s >= L'0' && *s <= L'9'; ++s) {
        unsigned digit = static_cast<unsigned>(*s - L'0');
        if (value > (limit - digit) / 10) {
            value = limit;
            // Skip the remaining digits; the value is saturated.
            continue;
        }
        value = value * 10 + digit;
    }
    if (negative)
        return value == 0x8000000000000000ULL ? LLONG_MIN : -static_cast<long long>(value);
    return static_cast<long long>(value);
}

}  // namespace

long long _wtoi64(const wchar_t* s) { return ParseInteger(s); }

int _wtoi(const wchar_t* s)
{
    long long v = ParseInteger(s);
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

LONG _wtol(const wchar_t* s) { return static_cast<LONG>(_wtoi(s)); }

double _wtof(const wchar_t* s)
{
    if (s == nullptr)
        return 0.0;
    return std::wcstod(s, nullptr);
}
