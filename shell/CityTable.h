// The locations of the astronomical clock block: twelve built in, then the user's own, kept in
// the city file "Astro.Property" (UTF-16 little-endian, one 44-character line per user city:
// the name padded to 25 characters, nine values as two hexadecimal digits each, a line feed).
#pragma once

#include "platform/base/Afx.h"

#include <cstdint>
#include <vector>

struct CCityRecord {
    CString m_strName;      // at most 25 characters
    int m_nEastWest = 0;    // 0 east, 1 west
    int m_nLongDeg = 0;
    int m_nLongMin = 0;
    int m_nLongSec = 0;
    int m_nNorthSouth = 0;  // 0 north, 1 south
    int m_nLatDeg = 0;
    int m_nLatMin = 0;
    int m_nLatSec = 0;
    int m_nTimeZone = 0;    // 0 UTC, 1..12 hours east, 13.. hours west

    bool operator==(const CCityRecord& o) const;
};

class CCityArray : public CArray<CCityRecord, const CCityRecord&>
{
};

extern CCityArray g_arrAstroCities;

// Number of built-in records at the head of the table.
constexpr int kBuiltInCities = 12;

// Resets the table to the built-in records.
void ResetCityTable(CCityArray& table);
// Appends the user records of a city file's bytes to the table; lines that are not well formed
// are skipped and counted in *pSkipped.
void ParseCityFile(const std::vector<std::uint8_t>& bytes, CCityArray& table, int* pSkipped = nullptr);
// The bytes of a city file for the user records (from index 12) of the table.
std::vector<std::uint8_t> FormatCityFile(const CCityArray& table);

CString GetCityFilePath();
// Loads g_arrAstroCities (built-in records, then the file's). A damaged file leaves the good
// lines and sets *pMessage to a text for the user.
void LoadCityTable(CString* pMessage);
// Writes the user records when they differ from what was loaded: the file is deleted when none
// is left. FALSE with a message for the user when the file could not be written.
BOOL SaveCityTable(CString* pMessage);
