// CString: a value-semantics wide string (wchar_t, UTF-32 on Linux) with the MFC-shaped interface
// the editor's code is written against, plus Microsoft-C-runtime-compatible Format.
#pragma once

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <functional>
#include <string>
#include <type_traits>

class CString;

// One argument of a Format call. Format packs its arguments into an array of these, so the
// formatter knows each argument's real type and never reads past the supplied arguments.
struct FormatArg {
    enum Kind { Int, UInt, LongLong, ULongLong, Double, WideStr, NarrowStr, Pointer };
    Kind kind;
    union {
        long long i;
        unsigned long long u;
        double d;
        const wchar_t* ws;
        const char* ns;
        const void* p;
    };

    FormatArg(int v) : kind(Int), i(v) {}
    FormatArg(short v) : kind(Int), i(v) {}
    FormatArg(signed char v) : kind(Int), i(v) {}
    FormatArg(char v) : kind(Int), i(v) {}
    FormatArg(wchar_t v) : kind(Int), i(v) {}
    FormatArg(char16_t v) : kind(Int), i(v) {}
    FormatArg(bool v) : kind(Int), i(v ? 1 : 0) {}
    FormatArg(unsigned char v) : kind(UInt), u(v) {}
    FormatArg(unsigned short v) : kind(UInt), u(v) {}
    FormatArg(unsigned int v) : kind(UInt), u(v) {}
    FormatArg(long v) : kind(LongLong), i(v) {}
    FormatArg(long long v) : kind(LongLong), i(v) {}
    FormatArg(unsigned long v) : kind(ULongLong), u(v) {}
    FormatArg(unsigned long long v) : kind(ULongLong), u(v) {}
    FormatArg(double v) : kind(Double), d(v) {}
    FormatArg(float v) : kind(Double), d(v) {}
    FormatArg(long double v) : kind(Double), d(static_cast<double>(v)) {}
    FormatArg(const wchar_t* v) : kind(WideStr), ws(v) {}
    FormatArg(const char* v) : kind(NarrowStr), ns(v) {}
    FormatArg(const CString& v);
    FormatArg(const std::wstring& v) : kind(WideStr), ws(v.c_str()) {}
    FormatArg(std::nullptr_t) : kind(Pointer), p(nullptr) {}
    template <typename T, typename = std::enable_if_t<!std::is_same_v<std::remove_cv_t<T>, char> &&
                                                      !std::is_same_v<std::remove_cv_t<T>, wchar_t>>>
    FormatArg(T* v) : kind(Pointer), p(v) {}
    // Enumerations format as their underlying integer, as they would through a C varargs call.
    template <typename E, typename = std::enable_if_t<std::is_enum_v<E>>, typename = void>
    FormatArg(E v) : FormatArg(static_cast<std::underlying_type_t<E>>(v)) {}
};

// Formats like the Microsoft C runtime's wide printf (see StringFormat.cpp for the rules).
std::wstring FormatToString(const wchar_t* format, const FormatArg* args, std::size_t count);

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const wchar_t* text);          // null gives an empty string
    CString(const wchar_t* text, int count);
    CString(const char* utf8);             // UTF-8 text; null gives an empty string
    CString(wchar_t ch, int repeat = 1);
    CString(const std::wstring& text) : m_str(text) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const wchar_t* text);
    CString& operator=(const char* utf8);
    CString& operator=(wchar_t ch);

    // Length and access
    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    wchar_t GetAt(int index) const;
    void SetAt(int index, wchar_t ch);
    template <typename I, typename = std::enable_if_t<std::is_integral_v<I>>>
    wchar_t operator[](I index) const { return GetAt(static_cast<int>(index)); }
    operator const wchar_t*() const { return m_str.c_str(); }
    const wchar_t* GetString() const { return m_str.c_str(); }
    const std::wstring& str() const { return m_str; }

    // Concatenation
    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(const wchar_t* s);
    CString& operator+=(wchar_t ch) { m_str += ch; return *this; }
    CString& operator+=(char ch) { m_str += static_cast<wchar_t>(static_cast<unsigned char>(ch)); return *this; }

    // Comparison: ordinal (code point order), like wcscmp.
    int Compare(const wchar_t* s) const;
    int CompareNoCase(const wchar_t* s) const;
    int Collate(const wchar_t* s) const { return Compare(s); }

    // Extraction: out-of-range starts and counts are clamped, never an error.
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const wchar_t* charSet) const;
    CString SpanExcluding(const wchar_t* charSet) const;

    // Searching: index of the match or -1.
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* charSet) const;

    // Modification
    int Replace(wchar_t oldCh, wchar_t newCh);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t ch);
    int Insert(int index, wchar_t ch);
    int Insert(int index, const wchar_t* text);
    int Delete(int index, int count = 1);
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& TrimLeft();
    CString& TrimLeft(wchar_t target);
    CString& TrimLeft(const wchar_t* targets);
    CString& TrimRight();
    CString& TrimRight(wchar_t target);
    CString& TrimRight(const wchar_t* targets);
    CString& Trim() { TrimRight(); return TrimLeft(); }
    CString& Trim(wchar_t target) { TrimRight(target); return TrimLeft(target); }
    CString& Trim(const wchar_t* targets) { TrimRight(targets); return TrimLeft(targets); }

    // Direct buffer access. GetBuffer returns room for at least minLength characters plus a
    // terminator; ReleaseBuffer(-1) takes the length up to the first null character.
    wchar_t* GetBuffer(int minLength = 0);
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);
    void FreeExtra() { m_str.shrink_to_fit(); }

    // Resources: loads string `id` through the loader the resource layer installs.
    BOOL LoadString(UINT id);

    // Formatting
    template <typename... Args>
    void Format(const wchar_t* format, const Args&... args)
    {
        const FormatArg packed[] = {FormatArg(args)..., FormatArg(0)};
        m_str = FormatToString(format, packed, sizeof...(Args));
    }
    template <typename... Args>
    void Format(UINT formatId, const Args&... args)
    {
        CString fmt;
        fmt.LoadString(formatId);
        Format(fmt.GetString(), args...);
    }
    template <typename... Args>
    void AppendFormat(const wchar_t* format, const Args&... args)
    {
        const FormatArg packed[] = {FormatArg(args)..., FormatArg(0)};
        m_str += FormatToString(format, packed, sizeof...(Args));
    }
    void FormatV(const wchar_t* format, const FormatArg* args, std::size_t count)
    {
        m_str = FormatToString(format, args, count);
    }

private:
    std::wstring m_str;
};

inline FormatArg::FormatArg(const CString& v) : kind(WideStr), ws(v.GetString()) {}

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const wchar_t* b);
CString operator+(const wchar_t* a, const CString& b);
CString operator+(const CString& a, wchar_t b);
CString operator+(wchar_t a, const CString& b);

inline bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
inline bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
inline bool operator==(const wchar_t* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
inline bool operator!=(const wchar_t* a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.str() < b.str(); }
inline bool operator<(const CString& a, const wchar_t* b) { return a.Compare(b) < 0; }
inline bool operator<(const wchar_t* a, const CString& b) { return b.Compare(a) > 0; }
inline bool operator>(const CString& a, const CString& b) { return b < a; }
inline bool operator<=(const CString& a, const CString& b) { return !(b < a); }
inline bool operator>=(const CString& a, const CString& b) { return !(a < b); }

namespace std {
template <>
struct hash<CString> {
    size_t operator()(const CString& s) const noexcept { return hash<wstring>()(s.str()); }
};
}  // namespace std

// The resource layer installs the loader that LoadString uses; without one LoadString fails.
void AfxSetStringLoader(std::function<bool(UINT id, CString& out)> loader);

// UTF conversions. Invalid input (unpaired surrogates, bad UTF-8 sequences, code points beyond
// U+10FFFF) becomes U+FFFD instead of failing, so no text is silently dropped.
std::u16string ToUtf16(const CString& s);
std::u16string ToUtf16(const wchar_t* s, std::size_t count);
CString FromUtf16(const char16_t* s, std::size_t count);
std::string ToUtf8(const CString& s);
std::string ToUtf8(const wchar_t* s, std::size_t count);
CString FromUtf8(const char* s, std::size_t count);
CString FromUtf8(const std::string& s);

// Wide C-runtime number conversions: leading white space, optional sign, digits up to the first
// other character; 0 when there are none. Results beyond the type's range saturate.
int _wtoi(const wchar_t* s);
LONG _wtol(const wchar_t* s);
long long _wtoi64(const wchar_t* s);
double _wtof(const wchar_t* s);

// The TCHAR names of the same functions (TCHAR is wchar_t).
#define _ttoi _wtoi
#define _tstoi _wtoi
#define _ttol _wtol
#define _ttoi64 _wtoi64
#define _tstof _wtof
