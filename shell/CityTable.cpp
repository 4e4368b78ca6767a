#include "shell/CityTable.h"

#include "platform/base/FileSystem.h"
#include "platform/ui/framework/App.h"
#include "resources/resource.h"
#include "shell/SettingsFile.h"

#include <cwctype>

CCityArray g_arrAstroCities;

namespace {

constexpr int kLineChars = 44;  // 25 name characters, 9 x 2 hex digits, the line feed

// The user records as loaded, to write the file only when they changed.
std::vector<CCityRecord> s_loadedUserCities;

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}

std::vector<CCityRecord> UserRecords(const CCityArray& table)
{
    std::vector<CCityRecord> out;
    for (int i = kBuiltInCities; i < table.GetSize(); ++i)
        out.push_back(table[i]);
    return out;
}

} // namespace

bool CCityRecord::operator==(const CCityRecord& o) const
{
    return m_strName == o.m_strName && m_nEastWest == o.m_nEastWest && m_nLongDeg == o.m_nLongDeg &&
           m_nLongMin == o.m_nLongMin && m_nLongSec == o.m_nLongSec && m_nNorthSouth == o.m_nNorthSouth &&
           m_nLatDeg == o.m_nLatDeg && m_nLatMin == o.m_nLatMin && m_nLatSec == o.m_nLatSec &&
           m_nTimeZone == o.m_nTimeZone;
}

void ResetCityTable(CCityArray& table)
{
    struct Builtin { const wchar_t* name; int v[9]; };
    static const Builtin builtins[kBuiltInCities] = {
        {L"User-defined", {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {L"Germany - Berlin", {0, 13, 24, 41, 0, 52, 31, 24, 1}},
        {L"US - Washington", {1, 77, 2, 10, 0, 38, 53, 42, 17}},
        {L"UK - London", {1, 0, 7, 34, 0, 51, 30, 1, 0}},
        {L"France - Paris", {0, 2, 21, 4, 0, 48, 51, 24, 1}},
        {L"Russia - Moscow", {0, 37, 37, 3, 0, 55, 45, 21, 3}},
        {L"Netherland - Amsterdam", {0, 4, 53, 32, 0, 52, 22, 23, 1}},
        {L"China - Beijing", {0, 116, 24, 27, 0, 39, 54, 15, 8}},
        {L"Japan - Tokyo", {0, 139, 41, 30, 0, 35, 41, 22, 9}},
        {L"Turkey - Ankara", {0, 32, 51, 15, 0, 39, 55, 15, 2}},
        {L"Italy - Rome", {0, 12, 28, 56, 0, 41, 53, 44, 1}},
        {L"Spain - Madrid", {1, 3, 42, 1, 0, 40, 25, 0, 1}},
    };
    table.SetSize(kBuiltInCities);
    for (int i = 0; i < kBuiltInCities; ++i) {
        const Builtin& b = builtins[i];
        CCityRecord r;
        r.m_strName = b.name;
        r.m_nEastWest = b.v[0];
        r.m_nLongDeg = b.v[1];
        r.m_nLongMin = b.v[2];
        r.m_nLongSec = b.v[3];
        r.m_nNorthSouth = b.v[4];
        r.m_nLatDeg = b.v[5];
        r.m_nLatMin = b.v[6];
        r.m_nLatSec = b.v[7];
        r.m_nTimeZone = b.v[8];
        table[i] = r;
    }
}

void ParseCityFile(const std::vector<std::uint8_t>& bytes, CCityArray& table, int* pSkipped)
{
    int skipped = 0;
    const CString text = DecodeUtf16Le(bytes);
    int start = 0;
    while (start < text.GetLength()) {
        int end = text.Find(L'\n', start);
        const bool terminated = end >= 0;
        if (!terminated)
            end = text.GetLength();
        const CString line = text.Mid(start, end - start);
        start = end + 1;
        if (!terminated && line.IsEmpty())
            break;
        // A line is the 25-character name and 18 hexadecimal digits; anything else is skipped.
        bool good = line.GetLength() == kLineChars - 1;
        int values[9] = {};
        for (int k = 0; good && k < 9; ++k) {
            const int hi = HexDigit(line[25 + 2 * k]);
            const int lo = HexDigit(line[26 + 2 * k]);
            good = hi >= 0 && lo >= 0;
            values[k] = hi * 16 + lo;
        }
        if (!good) {
            ++skipped;
            continue;
        }
        CCityRecord r;
        r.m_strName = line.Left(25);
        r.m_strName.TrimRight(L' ');
        int* fields[9] = {&r.m_nEastWest, &r.m_nLongDeg, &r.m_nLongMin, &r.m_nLongSec, &r.m_nNorthSouth,
                          &r.m_nLatDeg,   &r.m_nLatMin,  &r.m_nLatSec,  &r.m_nTimeZone};
        for (int k = 0; k < 9; ++k)
            *fields[k] = values[k];
        table.Add(r);
    }
    table.FreeExtra();
    if (pSkipped)
        *pSkipped = skipped;
}

std::vector<std::uint8_t> FormatCityFile(const CCityArray& table)
{
    CString text;
    for (int i = kBuiltInCities; i < table.GetSize(); ++i) {
        const CCityRecord& r = table[i];
        CString line;
        line.Format(L"%-25ls%02X%02X%02X%02X%02X%02X%02X%02X%02X\n", LPCTSTR(r.m_strName.Left(25)),
                    r.m_nEastWest & 0xFF, r.m_nLongDeg & 0xFF, r.m_nLongMin & 0xFF, r.m_nLongSec & 0xFF,
                    r.m_nNorthSouth & 0xFF, r.m_nLatDeg & 0xFF, r.m_nLatMin & 0xFF, r.m_nLatSec & 0xFF,
                    r.m_nTimeZone & 0xFF);
        text += line;
    }
    return EncodeUtf16Le(text);
}

CString GetCityFilePath()
{
    return GetShellConfigFolder() + L"Astro.Property";
}

void LoadCityTable(CString* pMessage)
{
    ResetCityTable(g_arrAstroCities);
    std::vector<std::uint8_t> bytes;
    CString error;
    const CString path = GetCityFilePath();
    if (ReadWholeFile(path, bytes, &error)) {
        int skipped = 0;
        ParseCityFile(bytes, g_arrAstroCities, &skipped);
        if (skipped > 0 && pMessage)
            pMessage->Format(AfxLoadString(IDS_CITY_FILE_DAMAGED), LPCTSTR(path), skipped);
    } else if (!error.IsEmpty() && pMessage) {
        pMessage->Format(AfxLoadString(IDS_CITY_FILE_DAMAGED), LPCTSTR(path), 0);
    }
    s_loadedUserCities = UserRecords(g_arrAstroCities);
}

BOOL SaveCityTable(CString* pMessage)
{
    if (g_arrAstroCities.GetSize() < kBuiltInCities)
        ResetCityTable(g_arrAstroCities);
    const std::vector<CCityRecord> now = UserRecords(g_arrAstroCities);
    if (now == s_loadedUserCities)
        return TRUE;  // unchanged: a damaged file stays as it is until the user changes the cities
    const CString path = GetCityFilePath();
    CString error;
    BOOL ok = TRUE;
    if (now.empty()) {
        if (PathFileExistsW(path) && !DeleteFileW(path))
            ok = FALSE, error = L"the file could not be deleted";
    } else {
        ok = WriteWholeFile(path, FormatCityFile(g_arrAstroCities), &error);
    }
    if (ok)
        s_loadedUserCities = now;
    else if (pMessage)
        pMessage->Format(AfxLoadString(IDS_CITY_FILE_NOT_SAVED), LPCTSTR(path), LPCTSTR(error));
    return ok;
}
