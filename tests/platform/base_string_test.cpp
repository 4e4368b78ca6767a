#include "platform/base/CString.h"
#include "tests/platform/base_test_print.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <map>

namespace {

TEST(CString, ConstructionAndValueSemantics)
{
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString(L"abcdef", 3), L"abc");
    EXPECT_EQ(CString(L'x', 3), L"xxx");
    EXPECT_TRUE(CString(L'x', -1).IsEmpty());
    EXPECT_EQ(CString("\xE4\xB8\xAD"), L"\u4e2d");  // narrow text is UTF-8

    CString a(L"one");
    CString b = a;
    b.SetAt(0, L'O');
    EXPECT_EQ(a, L"one");
    EXPECT_EQ(b, L"One");
    a = a.GetString();  // self-assignment through the pointer
    EXPECT_EQ(a, L"one");
    a = static_cast<const wchar_t*>(a) + 1;  // assignment from a pointer into itself
    EXPECT_EQ(a, L"ne");
}

TEST(CString, AccessOutOfRangeIsHarmless)
{
    CString s(L"abc");
    EXPECT_EQ(s.GetAt(1), L'b');
    EXPECT_EQ(s[2u], L'c');
    EXPECT_EQ(s.GetAt(3), L'\0');
    EXPECT_EQ(s.GetAt(-1), L'\0');
    s.SetAt(2, L' ');  // "third character replaced by a space"
    s.SetAt(9, L'z');
    EXPECT_EQ(s, L"ab ");
    EXPECT_EQ(std::wcslen(s), 3u);
}

TEST(CString, ConcatenationAndComparison)
{
    CString s = CString(L"a") + L"b" + L'c';
    s += L"d";
    s += CString(L"e");
    s += L'f';
    EXPECT_EQ(s, L"abcdef");
    EXPECT_EQ(L"x" + CString(L"y"), L"xy");
    EXPECT_EQ(L'x' + CString(L"y"), L"xy");

    EXPECT_TRUE(CString(L"abc") == L"abc");
    EXPECT_TRUE(L"abc" == CString(L"abc"));
    EXPECT_TRUE(CString(L"abc") != L"abd");
    EXPECT_LT(CString(L"abc").Compare(L"abd"), 0);
    EXPECT_GT(CString(L"b").Compare(L"abc"), 0);
    EXPECT_EQ(CString(L"ABC").CompareNoCase(L"abc"), 0);
    EXPECT_LT(CString(L"ABC").CompareNoCase(L"abd"), 0);
    EXPECT_LT(CString(L"abc"), CString(L"abd"));
    // First character >= U+0080 is tested by ordinal comparison with L"\x80".
    EXPECT_GE(CString(L"\u4e2d").Compare(L"\x80"), 0);
    EXPECT_LT(CString(L"z").Compare(L"\x80"), 0);

    std::map<CString, int> m{{L"b", 2}, {L"a", 1}};
    EXPECT_EQ(m.begin()->second, 1);
}

struct ExtractCase {
    const wchar_t* what;
    CString result;
    const wchar_t* expected;
};

TEST(CString, ExtractionClampsRanges)
{
    const CString s(L"Hello");
    const ExtractCase cases[] = {
        {L"Left 2", s.Left(2), L"He"},
        {L"Left 99", s.Left(99), L"Hello"},
        {L"Left -1", s.Left(-1), L""},
        {L"Mid 1", s.Mid(1), L"ello"},
        {L"Mid 1,2", s.Mid(1, 2), L"el"},
        {L"Mid 4,9", s.Mid(4, 9), L"o"},
        {L"Mid 9", s.Mid(9), L""},
        {L"Mid -3,2", s.Mid(-3, 2), L"He"},
        {L"Right 3", s.Right(3), L"llo"},
        {L"Right 99", s.Right(99), L"Hello"},
        {L"Right 0", s.Right(0), L""},
        {L"SpanIncluding", CString(L"123abc").SpanIncluding(L"0123456789"), L"123"},
        {L"SpanExcluding", CString(L"key=value").SpanExcluding(L"=;"), L"key"},
        {L"SpanIncluding none", CString(L"abc").SpanIncluding(L"0"), L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.result, c.expected) << c.what;
}

TEST(CString, Searching)
{
    const CString s(L"line one\r\nline two");
    EXPECT_EQ(s.Find(L"\r\n"), 8);
    EXPECT_EQ(s.Find(L'l', 1), 10);
    EXPECT_EQ(s.Find(L"line", 1), 10);
    EXPECT_EQ(s.Find(L"zz"), -1);
    EXPECT_EQ(s.Find(L'x'), -1);
    EXPECT_EQ(s.Find(L'l', 99), -1);
    EXPECT_EQ(s.Find(L"l", 99), -1);
    EXPECT_EQ(s.Find(L"", 0), 0);
    EXPECT_EQ(s.ReverseFind(L'e'), 13);
    EXPECT_EQ(s.ReverseFind(L'#'), -1);
    EXPECT_EQ(s.FindOneOf(L"\r\n"), 8);
    EXPECT_EQ(s.FindOneOf(L"#@"), -1);
}

TEST(CString, Modification)
{
    CString s(L"a-b-c");
    EXPECT_EQ(s.Replace(L'-', L'+'), 2);
    EXPECT_EQ(s, L"a+b+c");
    EXPECT_EQ(s.Replace(L"+", L"--"), 2);
    EXPECT_EQ(s, L"a--b--c");
    EXPECT_EQ(s.Replace(L"--", L""), 2);
    EXPECT_EQ(s, L"abc");
    EXPECT_EQ(s.Replace(L"", L"x"), 0);
    CString r(L"aaa");
    EXPECT_EQ(r.Replace(L"a", L"aa"), 3);  // replacement text is not rescanned
    EXPECT_EQ(r, L"aaaaaa");

    CString t(L"12h30m");
    EXPECT_EQ(t.Remove(L'h'), 1);
    EXPECT_EQ(t, L"1230m");
    EXPECT_EQ(t.Insert(0, L'<'), 6);
    EXPECT_EQ(t.Insert(99, L">"), 7);
    EXPECT_EQ(t, L"<1230m>");
    EXPECT_EQ(t.Delete(1, 4), 3);
    EXPECT_EQ(t, L"<m>");
    EXPECT_EQ(t.Delete(2, 99), 2);
    EXPECT_EQ(t.Delete(9), 2);
    EXPECT_EQ(t, L"<m");

    // Case mapping beyond ASCII follows the C runtime locale; ASCII maps in every locale.
    CString u(L"MiXed 1\u4e2d");
    EXPECT_EQ(CString(u).MakeUpper(), L"MIXED 1\u4e2d");
    EXPECT_EQ(CString(u).MakeLower(), L"mixed 1\u4e2d");
    EXPECT_EQ(CString(L"abc").MakeReverse(), L"cba");
}

TEST(CString, Trimming)
{
    EXPECT_EQ(CString(L" \t\r\n x y \n").Trim(), L"x y");
    EXPECT_EQ(CString(L"  x  ").TrimLeft(), L"x  ");
    EXPECT_EQ(CString(L"  x  ").TrimRight(), L"  x");
    EXPECT_EQ(CString(L"\\tmp\\\\").TrimRight(L'\\'), L"\\tmp");
    EXPECT_EQ(CString(L"xxaxx").Trim(L'x'), L"a");
    EXPECT_EQ(CString(L"-+a+-").Trim(L"+-"), L"a");
    EXPECT_EQ(CString(L"   ").Trim(), L"");
}

TEST(CString, BufferAccess)
{
    CString s;
    wchar_t* p = s.GetBuffer(10);
    std::wcscpy(p, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s, L"abc");

    p = s.GetBuffer(0);  // existing text stays in the buffer
    EXPECT_EQ(p[1], L'b');
    s.ReleaseBuffer(2);
    EXPECT_EQ(s, L"ab");

    p = s.GetBufferSetLength(4);
    p[2] = L'c';
    p[3] = L'd';
    s.ReleaseBuffer(4);
    EXPECT_EQ(s, L"abcd");
}

TEST(CString, LoadStringNeedsALoader)
{
    CString s(L"keep");
    EXPECT_FALSE(s.LoadString(100));
    EXPECT_EQ(s, L"keep");
    AfxSetStringLoader([](UINT id, CString& out) {
        if (id != 100)
            return false;
        out = L"Loaded";
        return true;
    });
    EXPECT_TRUE(s.LoadString(100));
    EXPECT_EQ(s, L"Loaded");
    EXPECT_FALSE(s.LoadString(101));
    EXPECT_EQ(s, L"Loaded");
    AfxSetStringLoader(nullptr);
}

TEST(Utf, SixteenBitRoundTripWithSurrogates)
{
    const CString s(L"A\u00e9\u4e2d\U0001F600");
    const std::u16string u = ToUtf16(s);
    EXPECT_EQ(u, std::u16string(u"A\u00e9\u4e2d\xD83D\xDE00"));
    EXPECT_EQ(FromUtf16(u.data(), u.size()), s);
}

TEST(Utf, EightBitRoundTrip)
{
    const CString s(L"A\u00e9\u4e2d\U0001F600");
    const std::string u = ToUtf8(s);
    EXPECT_EQ(u, "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(FromUtf8(u), s);
}

TEST(Utf, InvalidInputBecomesReplacementCharacters)
{
    // Lone surrogates, a truncated pair at the end.
    const char16_t bad16[] = {u'a', 0xDC00, u'b', 0xD800};
    EXPECT_EQ(FromUtf16(bad16, 4), L"a\uFFFDb\uFFFD");
    // Stray continuation byte, overlong '/', truncated sequence, encoded surrogate, 0xFF.
    const struct {
        const char* bytes;
        const wchar_t* expected;
    } cases[] = {
        {"a\x80z", L"a\uFFFDz"},
        {"\xC0\xAF", L"\uFFFD\uFFFD"},
        {"x\xE4\xB8", L"x\uFFFD"},
        {"\xED\xA0\x80!", L"\uFFFD!"},
        {"\xFF", L"\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FromUtf8(std::string(c.bytes)), c.expected) << c.bytes;
    // A wide value beyond Unicode cannot be encoded.
    const wchar_t beyond[] = {static_cast<wchar_t>(0x110000), 0};
    EXPECT_EQ(ToUtf8(CString(beyond)), "\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf16(CString(beyond)), std::u16string(u"\uFFFD"));
}

TEST(NumberConversion, AtoiFamily)
{
    const struct {
        const wchar_t* text;
        int expected;
    } cases[] = {
        {L"42", 42},       {L"  -17xyz", -17}, {L"+8", 8},      {L"3.999", 3},   {L"", 0},
        {L"abc", 0},       {L"- 5", 0},        {L"\t\n9", 9},   {L"007", 7},     {L"12 34", 12},
        {L"99999999999", INT_MAX},             {L"-99999999999", INT_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(_wtoi(c.text), c.expected) << c.text;
        EXPECT_EQ(_wtol(c.text), c.expected) << c.text;
    }
    EXPECT_EQ(_wtoi(nullptr), 0);
    EXPECT_EQ(_wtoi64(L"-9223372036854775808"), LLONG_MIN);
    EXPECT_EQ(_wtoi64(L"99999999999999999999"), LLONG_MAX);
    EXPECT_DOUBLE_EQ(_wtof(L" 2.5e1x"), 25.0);
    EXPECT_DOUBLE_EQ(_wtof(L"abc"), 0.0);
    // "%f" output read back as an integer stops at the decimal point.
    CString f;
    f.Format(L"%f", 12.0);
    EXPECT_EQ(_wtoi(f), 12);
}

}  // namespace
