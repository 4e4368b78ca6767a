// The shell's own files: the settings file (language) and the city file of the astronomical
// clock, read with bounds checks and written only when something changed.
#include "shell/CityTable.h"
#include "shell/SettingsFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::vector<std::uint8_t> Utf16(const wchar_t* text) { return EncodeUtf16Le(CString(text)); }

TEST(SettingsFile, LanguageOfTheFile)
{
    struct Case { std::vector<std::uint8_t> bytes; int language; bool damaged; };
    const Case cases[] = {
        {Utf16(L"language=zh_CN\n"), 1, false},
        {Utf16(L"x=1\nlanguage=zh_CN\ny=2\n"), 1, false},
        {Utf16(L"language=en_US\n"), 0, false},
        {{}, 0, false},                                // empty: English, nothing to say
        {Utf16(L"garbage without the key"), 0, true},
        {{0x6C, 0x00, 0x61}, 0, true},                 // odd length
    };
    for (const Case& c : cases) {
        bool damaged = !c.damaged;
        EXPECT_EQ(ParseLanguageSetting(c.bytes, &damaged), c.language);
        EXPECT_EQ(damaged, c.damaged);
    }
}

TEST(SettingsFile, ChoosingALanguageRewritesOnlyItsLine)
{
    // The key is replaced in place; a file without it gets the line instead of an error.
    EXPECT_EQ(DecodeUtf16Le(UpdateLanguageSetting(Utf16(L"a=1\nlanguage=en_US\nb=2\n"), 1)),
              CString(L"a=1\nlanguage=zh_CN\nb=2\n"));
    EXPECT_EQ(DecodeUtf16Le(UpdateLanguageSetting(Utf16(L"a=1"), 0)), CString(L"a=1\nlanguage=en_US\n"));
    EXPECT_EQ(DecodeUtf16Le(UpdateLanguageSetting({}, 1)), CString(L"language=zh_CN\n"));
}

CCityRecord Home()
{
    CCityRecord r;
    r.m_strName = L"Home";
    r.m_nEastWest = 1;
    r.m_nLongDeg = 0;
    r.m_nLongMin = 7;
    r.m_nLongSec = 34;
    r.m_nNorthSouth = 0;
    r.m_nLatDeg = 51;
    r.m_nLatMin = 30;
    r.m_nLatSec = 1;
    r.m_nTimeZone = 0;
    return r;
}

TEST(CityFile, UserRecordsAreFortyFourCharacterLinesThatReadBack)
{
    CCityArray table;
    ResetCityTable(table);
    ASSERT_EQ(table.GetSize(), kBuiltInCities);
    EXPECT_EQ(table[7].m_strName, CString(L"China - Beijing"));
    table.Add(Home());
    CCityRecord far = Home();
    far.m_strName = L"Far";
    far.m_nLongDeg = 116;
    table.Add(far);
    const std::vector<std::uint8_t> bytes = FormatCityFile(table);
    EXPECT_EQ(DecodeUtf16Le(bytes), CString(L"Home                     010007220033"
                                            L"1E0100\n"
                                            L"Far                      017407220033"
                                            L"1E0100\n"));
    CCityArray back;
    ResetCityTable(back);
    int skipped = -1;
    ParseCityFile(bytes, back, &skipped);
    EXPECT_EQ(skipped, 0);
    ASSERT_EQ(back.GetSize(), kBuiltInCities + 2);
    EXPECT_TRUE(back[12] == Home());
    EXPECT_EQ(back[13].m_nLongDeg, 116);
}

TEST(CityFile, DamagedLinesAreSkippedAndNothingIsReadPastTheEnd)
{
    const wchar_t* good = L"Good                     000102030004050601\n";
    struct Case { CString text; int records; int skipped; };
    const Case cases[] = {
        {CString(good) + L"Short\n", 1, 1},
        {CString(good) + L"Bad hex                  0001020300040506ZZ\n", 1, 1},
        {CString(good) + L"Good                     0001020300040506", 1, 1},   // cut short
        {CString(good) + L"Last                     000102030004050601", 2, 0}, // no final line feed
        {CString(L"\n\n"), 0, 2},
    };
    for (const Case& c : cases) {
        CCityArray table;
        ResetCityTable(table);
        int skipped = -1;
        ParseCityFile(EncodeUtf16Le(c.text), table, &skipped);
        EXPECT_EQ(table.GetSize() - kBuiltInCities, c.records) << LPCTSTR(c.text);
        EXPECT_EQ(skipped, c.skipped) << LPCTSTR(c.text);
    }
    // An odd number of bytes ends at the last whole character.
    CCityArray table;
    ResetCityTable(table);
    std::vector<std::uint8_t> bytes = EncodeUtf16Le(good);
    bytes.push_back(0x41);
    ParseCityFile(bytes, table);
    EXPECT_EQ(table.GetSize(), kBuiltInCities + 1);
}

class CityTableFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/shellcityXXXXXX";
        m_dir = ::mkdtemp(tmpl);
        ::setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
    }
    void TearDown() override
    {
        ResetCityTable(g_arrAstroCities);
        const std::string cmd = "rm -rf '" + m_dir + "'";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }
    std::string m_dir;
};

TEST_F(CityTableFile, WrittenOnlyWhenChangedAndDeletedWhenTheLastUserCityGoes)
{
    CString message;
    LoadCityTable(&message);
    EXPECT_TRUE(message.IsEmpty());
    EXPECT_TRUE(SaveCityTable(&message));
    EXPECT_FALSE(PathFileExistsW(GetCityFilePath()));  // nothing changed, nothing written

    g_arrAstroCities.Add(Home());
    EXPECT_TRUE(SaveCityTable(&message));
    ASSERT_TRUE(PathFileExistsW(GetCityFilePath()));
    LoadCityTable(&message);
    ASSERT_EQ(g_arrAstroCities.GetSize(), kBuiltInCities + 1);

    g_arrAstroCities.SetSize(kBuiltInCities);
    EXPECT_TRUE(SaveCityTable(&message));
    EXPECT_FALSE(PathFileExistsW(GetCityFilePath()));
}

TEST_F(CityTableFile, ADamagedFileSaysSoAndStaysUntilTheCitiesChange)
{
    const CString path = GetCityFilePath();
    const std::vector<std::uint8_t> damaged = EncodeUtf16Le(L"Good                     000102030004050601\nbroken\n");
    ASSERT_TRUE(WriteWholeFile(path, damaged));
    CString message;
    LoadCityTable(&message);
    EXPECT_FALSE(message.IsEmpty());
    EXPECT_EQ(g_arrAstroCities.GetSize(), kBuiltInCities + 1);
    EXPECT_TRUE(SaveCityTable(&message));
    std::vector<std::uint8_t> now;
    ASSERT_TRUE(ReadWholeFile(path, now));
    EXPECT_EQ(now, damaged);
}

} // namespace
