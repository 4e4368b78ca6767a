// Collation through ICU. One collator per strength is opened on first use and shared: ICU's
// comparison on an opened collator is safe from several threads.
#include "platform/base/Collate.h"

#include "platform/base/FileSystem.h"

#include <unicode/ucol.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <mutex>
#include <string>

namespace {

// The locale the user's environment names, in ICU's spelling ("zh_CN.UTF-8" -> "zh_CN").
std::string UserCollationLocale()
{
    for (const char* var : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* v = std::getenv(var);
        if (!v || !*v)
            continue;
        std::string s = v;
        s = s.substr(0, s.find_first_of(".@"));
        if (s == "C" || s == "POSIX")
            return "";
        return s;
    }
    return "";
}

enum Kind { kIgnoreCase, kIgnoreCaseAllChars, kWithCase, kWithCaseAllChars, kKinds };

UCollator* Collator(Kind k)
{
    static UCollator* collators[kKinds] = {};
    static std::once_flag once;
    std::call_once(once, [] {
        std::string loc = UserCollationLocale();
        for (int i = 0; i < kKinds; ++i) {
            UErrorCode err = U_ZERO_ERROR;
            UCollator* c = ucol_open(loc.c_str(), &err);
            if (U_FAILURE(err)) {
                err = U_ZERO_ERROR;
                c = ucol_open("", &err);
            }
            if (U_FAILURE(err) || !c)
                continue;
            bool ignoreCase = i == kIgnoreCase || i == kIgnoreCaseAllChars;
            bool allChars = i == kIgnoreCaseAllChars || i == kWithCaseAllChars;
            ucol_setStrength(c, ignoreCase ? UCOL_SECONDARY : UCOL_TERTIARY);
            ucol_setAttribute(c, UCOL_ALTERNATE_HANDLING, allChars ? UCOL_NON_IGNORABLE : UCOL_SHIFTED, &err);
            collators[i] = c;
        }
    });
    return collators[k];
}

// wchar_t (UTF-32 here) to ICU's UTF-16.
std::u16string Utf16(LPCWSTR s, int len)
{
    size_t n = len < 0 ? std::wcslen(s) : size_t(len);
    std::u16string out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        auto c = char32_t(s[i]);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out += char16_t(c > 0x10FFFF ? 0xFFFD : c);
        }
    }
    return out;
}

int Compare(UCollator* c, const std::u16string& a, const std::u16string& b)
{
    if (!c)
        return a.compare(b);
    UCollationResult r = ucol_strcoll(c, reinterpret_cast<const UChar*>(a.data()), int32_t(a.size()),
                                      reinterpret_cast<const UChar*>(b.data()), int32_t(b.size()));
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

}  // namespace

int CompareStringW(LCID, DWORD flags, LPCWSTR a, int aLen, LPCWSTR b, int bLen)
{
    if (!a || !b) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::u16string x = Utf16(a, aLen), y = Utf16(b, bLen);
    bool ignoreCase = (flags & NORM_IGNORECASE) != 0;
    int r;
    if (flags & SORT_STRINGSORT) {
        r = Compare(Collator(ignoreCase ? kIgnoreCaseAllChars : kWithCaseAllChars), x, y);
    } else {
        // word sort: punctuation is left out first and only breaks the tie
        r = Compare(Collator(ignoreCase ? kIgnoreCase : kWithCase), x, y);
        if (r == 0)
            r = Compare(Collator(ignoreCase ? kIgnoreCaseAllChars : kWithCaseAllChars), x, y);
    }
    return r < 0 ? CSTR_LESS_THAN : r > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL;
}
