// CString::Format against the Microsoft C runtime's wide printf rules the editor's texts rely on.
#include "platform/base/CString.h"
#include "tests/platform/base_test_print.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <clocale>
#include <functional>
#include <system_error>

namespace {

struct FormatCase {
    const char* name;
    std::function<CString()> make;
    const wchar_t* expected;
};

// Test names carry the case's name; keep gtest from printing the raw bytes of the case
// (pointers), which would make the registered test names differ from run to run.
void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

template <typename... Args>
std::function<CString()> F(const wchar_t* fmt, Args... args)
{
    return [=] {
        CString s;
        s.Format(fmt, args...);
        return s;
    };
}

const FormatCase kCases[] = {
    // Integers: width, flags, precision, hex and octal.
    {"d", F(L"%d", 42), L"42"},
    {"negative d", F(L"%d", -7), L"-7"},
    {"i", F(L"%i", 13), L"13"},
    {"width right", F(L"%6d", 42), L"    42"},
    {"width left", F(L"%-6d|", 42), L"42    |"},
    {"zero pad", F(L"%02d:%02d", 5, 7), L"05:07"},
    {"zero pad negative", F(L"%05d", -42), L"-0042"},
    {"plus", F(L"%+d", 5), L"+5"},
    {"space", F(L"% d", 5), L" 5"},
    {"precision int", F(L"%.3d", 7), L"007"},
    {"u of negative", F(L"%u", -1), L"4294967295"},
    {"X", F(L"0x%04X", 0xAB), L"0x00AB"},
    {"x", F(L"%x", 255), L"ff"},
    {"alt x", F(L"%#x", 255), L"0xff"},
    {"o", F(L"%o", 8), L"10"},
    {"alt o", F(L"%#o", 8), L"010"},
    {"X of DWORD", F(L"%08X", DWORD(0xDEADBEEF)), L"DEADBEEF"},
    {"d of unsigned max", F(L"%d", 0xFFFFFFFFu), L"-1"},
    // The l prefix is 32 bits (Windows long), whatever the argument's width.
    {"ld of int", F(L"%6ld", 123), L"   123"},
    {"ld of 64-bit", F(L"%ld", 0x100000005LL), L"5"},
    {"ld of 64-bit negative low half", F(L"%ld", 0x1FFFFFFFFLL), L"-1"},
    {"lx of 64-bit", F(L"ID=0x%08lx", 0x1234567890ABCDEFLL), L"ID=0x90abcdef"},
    {"d of long", F(L"%d", 0x100000002L), L"2"},
    {"lld keeps 64 bits", F(L"%lld", 0x100000000LL), L"4294967296"},
    {"I64d keeps 64 bits", F(L"%I64d", -0x100000000LL), L"-4294967296"},
    {"I64X", F(L"%I64X", 0xABCDEF0123ULL), L"ABCDEF0123"},
    {"hd truncates to 16", F(L"%hd", 0x18000), L"-32768"},
    {"hu truncates to 16", F(L"%hu", -1), L"65535"},
    {"hhx truncates to 8", F(L"%hhx", 0x1FF), L"ff"},
    {"zu is 64 bits", F(L"%zu", static_cast<size_t>(1) << 40), L"1099511627776"},
    {"composite", F(L"MI=%4ldh%2ldm", 12L, 5L), L"MI=  12h 5m"},
    {"I/O range", F(L"I%d%02d-I%d%02d", 1, 2, 3, 4), L"I102-I304"},
    {"DL stamp", F(L"DL%04d%02d%02d%02d%02d%02d", 2024, 1, 2, 3, 4, 5), L"DL20240102030405"},
    // Floating point.
    {"f default six", F(L"%f", 1.5), L"1.500000"},
    {"lf is double", F(L"%lf", 2.25), L"2.250000"},
    {"5.2f", F(L"KC=%5.2f", 3.14159), L"KC= 3.14"},
    {"6.0f rounds", F(L"%6.0f ", 2.5), L"     2 "},
    {"7.3f", F(L"%7.3f", -1.0005), L" -1.000"},
    {"zero pad f", F(L"%08.2f", -3.5), L"-0003.50"},
    {"e", F(L"%e", 12345.678), L"1.234568e+04"},
    {"E", F(L"%.2E", 0.000123), L"1.23E-04"},
    {"g", F(L"%g", 0.0001), L"0.0001"},
    {"G large", F(L"%G", 1e20), L"1E+20"},
    {"f of int argument", F(L"%.1f", 3), L"3.0"},
    {"d of double argument", F(L"%d", 7.9), L"7"},
    {"d of huge double saturates", F(L"%lld", 1e300), L"9223372036854775807"},
    // Strings: %s is wide; narrow text with %hs/%S; precision cuts; 0 flag pads with zeros.
    {"s wide literal", F(L"[%s]", L"abc"), L"[abc]"},
    {"s CString", F(L"B%d%s", 3, CString(L"x")), L"B3x"},
    {"ls", F(L"%ls", L"w"), L"w"},
    {"ws", F(L"%ws", L"w"), L"w"},
    {"S narrow", F(L"%S", "nar"), L"nar"},
    {"hs narrow UTF-8", F(L"%hs", "\xC3\xA9t\xC3\xA9"), L"\u00e9t\u00e9"},
    {"s of narrow argument", F(L"%s", "n"), L"n"},
    {"S of wide argument", F(L"%S", L"w"), L"w"},
    {"s width", F(L"%5s|", L"ab"), L"   ab|"},
    {"s left", F(L"%-25ls|", L"ab"), L"ab                       |"},
    {"s zero pad", F(L"%02s", L"5"), L"05"},
    {"s precision", F(L"%.2s", L"abcdef"), L"ab"},
    {"s null", F(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)"},
    {"s non-BMP", F(L"%s", L"\U0001F600"), L"\U0001F600"},
    {"Chinese", F(L"%s%d", L"\u4e2d\u6587", 1), L"\u4e2d\u65871"},
    // Characters.
    {"c", F(L"%c", L'A'), L"A"},
    {"c of int", F(L"%c", 0x4E2D), L"\u4e2d"},
    {"c width", F(L"%3c", L'x'), L"  x"},
    {"C narrow", F(L"%C", 'z'), L"z"},
    {"c zero ends text", F(L"ab%ccd", 0), L"ab"},
    // Star width and precision, negative star width.
    {"star width", F(L"%*d", 5, 42), L"   42"},
    {"star precision", F(L"%.*f", 2, 1.0), L"1.00"},
    {"negative star width", F(L"%*d|", -4, 1), L"1   |"},
    {"negative star precision", F(L"%.*s", -1, L"abc"), L"abc"},
    // Percent signs and two-stage formats.
    {"percent", F(L"%d%%", 50), L"50%"},
    {"two-stage build", F(L"%%%ds", 8), L"%8s"},
    {"two-stage MI", F(L"MI=%%%ds%dh", 3, 7), L"MI=%3s7h"},
    {"only percent", F(L"100%%"), L"100%"},
    // Pointers.
    {"p", F(L"%p", reinterpret_cast<void*>(0xABCDEF)), L"0000000000ABCDEF"},
    {"p null", F(L"%p", nullptr), L"0000000000000000"},
    // Unusual and damaged formats never read past the arguments.
    {"missing int", F(L"%d,%d", 1), L"1,0"},
    {"missing string", F(L"%s"), L"(null)"},
    {"trailing percent", F(L"abc%"), L"abc"},
    {"trailing spec", F(L"abc%-5"), L"abc"},
    {"unknown conversion", F(L"a%yb", 1), L"a%yb"},
    {"n prints nothing", F(L"a%nb", 0), L"ab"},
    {"zero precision string", F(L"%.0s|", L"x"), L"|"},
    {"enum", F(L"%d", std::errc::io_error), L"5"},
    {"bool", F(L"%d", true), L"1"},
};

class FormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTable, ProducesMicrosoftRuntimeText)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(std::wstring(c.make().GetString()), std::wstring(c.expected)) << c.name;
}

std::string CaseName(const ::testing::TestParamInfo<FormatCase>& info)
{
    std::string n;
    for (const char* p = info.param.name; *p; ++p)
        n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return n + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Conversions, FormatTable, ::testing::ValuesIn(kCases), CaseName);

TEST(Format, TwoStageFormatUsesBuiltWidth)
{
    CString fmt;
    fmt.Format(L"%%%ds", 8);
    CString s;
    s.Format(fmt, L"ab");
    EXPECT_EQ(s, L"      ab");
}

TEST(Format, ArgumentMayBeTheTargetString)
{
    CString s(L"abc");
    s.Format(L"<%s|%s>", s, s);
    EXPECT_EQ(s, L"<abc|abc>");
    s.AppendFormat(L"%d", 1);
    EXPECT_EQ(s, L"<abc|abc>1");
}

TEST(Format, HugeWidthIsCappedNotAllocated)
{
    CString s;
    s.Format(L"%2147483647d", 1);
    EXPECT_LE(s.GetLength(), 65536);
    EXPECT_EQ(s.Right(1), L"1");
    s.Format(L"%.2147483647f", 1.0);
    EXPECT_LE(s.GetLength(), 2000);
}

TEST(Format, FromStringResource)
{
    AfxSetStringLoader([](UINT id, CString& out) {
        if (id != 7)
            return false;
        out = L"Page %d of %d";
        return true;
    });
    CString s;
    s.Format(7u, 2, 5);
    EXPECT_EQ(s, L"Page 2 of 5");
    AfxSetStringLoader(nullptr);
}

TEST(Format, FloatFollowsTheCLocaleDecimalPoint)
{
    // The decimal point is the current C locale's, as the C runtime's is; "C" gives '.'.
    std::setlocale(LC_NUMERIC, "C");
    CString s;
    s.Format(L"%.2f", 1.5);
    EXPECT_EQ(s, L"1.50");
}

}  // namespace
