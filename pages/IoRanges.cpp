// The number ranges of the I/O blocks and the texts the pages list them by.
#include "pages/IoRanges.h"

#include <cwchar>
#include <cwctype>

const wchar_t* const g_astrIOModuleNames[8] = {L"Main", L"Ext.1", L"Ext.2", L"Ext.3", L"Ext.4", L"Ext.5", L"Ext.6", L"Ext.7"};

namespace {

const IoRange kRanges[] = {
    {600, L"I", 100, 256, 32, 16}, {605, L"Q", 600, 128, 16, 8}, {608, L"AI", 4000, 64, 8, 8},
    {609, L"AQ", 4230, 32, 4, 4},  {602, L"S", 1000, 64, 0, 16}, {606, L"X", 4800, 128, 0, 128},
    {607, L"M", 1316, 512, 0, 512}, {610, L"AM", 4288, 512, 0, 512}, {611, L"F", 1300, 5, 0, 5},
};

// The decimal number at the start of s; -1 without one.
int LeadingNumber(const wchar_t* s, const wchar_t** pEnd)
{
    if (!std::iswdigit(*s))
        return -1;
    wchar_t* end = nullptr;
    const long v = std::wcstol(s, &end, 10);
    if (pEnd)
        *pEnd = end;
    return v > 100000 ? -1 : int(v);
}

}  // namespace

const IoRange* FindIoRange(int nType)
{
    for (const IoRange& r : kRanges)
        if (r.nType == nType)
            return &r;
    return nullptr;
}

CString IoIndexText(const IoRange& r, int nIndex)
{
    CString text;
    if (r.nType == 602)
        text.Format(L"%s%d.%d", r.prefix, nIndex / 16, nIndex % 16);
    else if (r.nPerModule)
        text.Format(L"%s%d", r.prefix, nIndex % r.nPerModule);
    else
        text.Format(L"%s%d", r.prefix, nIndex);
    return text;
}

int IoIndexOfText(const IoRange& r, const CString& text, int nModule)
{
    const size_t len = std::wcslen(r.prefix);
    if (text.GetLength() <= int(len) || std::wcsncmp(text.GetString(), r.prefix, len) != 0)
        return -1;
    const wchar_t* end = nullptr;
    const int n = LeadingNumber(text.GetString() + len, &end);
    if (n < 0)
        return -1;
    int index = n;
    if (r.nType == 602) {
        if (*end != L'.')
            return -1;
        const int bit = LeadingNumber(end + 1, nullptr);
        if (bit < 0 || bit > 15)
            return -1;
        index = n * 16 + bit;
    } else if (r.nPerModule) {
        if (n >= r.nPerModule || nModule < 0 || nModule > 7)
            return -1;
        index = n + nModule * r.nPerModule;
    }
    return index < r.nCount ? index : -1;
}
