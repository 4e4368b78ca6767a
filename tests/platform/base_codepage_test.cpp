#include "platform/base/CodePage.h"
#include "platform/base/FileSystem.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Encode(UINT cp, const std::wstring& text, bool* usedDefault = nullptr)
{
    char buf[64] = {};
    BOOL used = FALSE;
    int n = WideCharToMultiByte(cp, 0, text.c_str(), static_cast<int>(text.size()), buf, sizeof buf, nullptr,
                                cp == CP_UTF8 ? nullptr : &used);
    if (usedDefault != nullptr)
        *usedDefault = used != FALSE;
    return std::string(buf, static_cast<size_t>(n));
}

std::wstring Decode(UINT cp, const std::string& bytes)
{
    wchar_t buf[64] = {};
    int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), buf, 64);
    return std::wstring(buf, static_cast<size_t>(n));
}

// Characters whose bytes differ between the variants of GBK and Big5: these pin the tables to
// the Windows code pages 936 and 950.
struct CodePageCase {
    UINT cp;
    const char* bytes;
    const wchar_t* text;
};

const CodePageCase kWindowsTables[] = {
    {936, "A", L"A"},
    {936, "\x80", L"\u20ac"},          // euro sign, single byte in 936 only
    {936, "\xA1\xA4", L"\u00b7"},      // middle dot (GB2312 tables say U+30FB)
    {936, "\xA1\xAA", L"\u2014"},      // em dash (GB2312 tables say U+2015)
    {936, "\xA8\x44", L"\u2015"},      // horizontal bar, GBK extension
    {936, "\xD6\xD0\xCE\xC4", L"\u4e2d\u6587"},
    {950, "\xA1\x45", L"\u2027"},      // hyphenation point (plain Big5 tables say U+2022)
    {950, "\xA1\xC3", L"\uffe3"},      // fullwidth macron
    {950, "\xA3\xE1", L"\u20ac"},      // euro sign
    {950, "\xA4\xA4\xA4\xE5", L"\u4e2d\u6587"},
    {950, "z", L"z"},
    {CP_UTF8, "\xE4\xB8\xAD\xF0\x9F\x98\x80", L"\u4e2d\U0001F600"},
};

TEST(CodePage, WindowsTablesBothWays)
{
    for (const auto& c : kWindowsTables) {
        EXPECT_EQ(Decode(c.cp, c.bytes), c.text) << c.cp << " " << c.bytes;
        EXPECT_EQ(Encode(c.cp, c.text), c.bytes) << c.cp << " " << c.bytes;
    }
    // The ETEN box-drawing row decodes; U+2550 has two codes and encodes to the first one.
    EXPECT_EQ(Decode(950, "\xF9\xF9"), L"\u2550");
    EXPECT_EQ(Encode(950, L"\u2550"), "\xA2\xA4");
}

TEST(CodePage, OneCharacterAtATime)
{
    // The device image encoder converts each character separately into at most two bytes.
    char buf[2];
    const wchar_t ch = L'\u6587';
    EXPECT_EQ(WideCharToMultiByte(936, 0, &ch, 1, buf, 2, nullptr, nullptr), 2);
    EXPECT_EQ(std::string(buf, 2), "\xCE\xC4");
    EXPECT_EQ(WideCharToMultiByte(950, 0, &ch, 1, buf, 2, nullptr, nullptr), 2);
    EXPECT_EQ(std::string(buf, 2), "\xA4\xE5");
}

TEST(CodePage, UnmappableAndInvalidInput)
{
    bool used = false;
    EXPECT_EQ(Encode(936, L"a\U0001F600b", &used), "a?b");
    EXPECT_TRUE(used);
    EXPECT_EQ(Encode(936, L"ab", &used), "ab");
    EXPECT_FALSE(used);
    char buf[8];
    BOOL usedFlag = FALSE;
    const wchar_t korean[] = L"\uAC00";
    EXPECT_EQ(WideCharToMultiByte(950, 0, korean, 1, buf, 8, "#", &usedFlag), 1);
    EXPECT_EQ(buf[0], '#');
    EXPECT_TRUE(usedFlag);

    // A lone lead byte at the end and a byte outside the table become U+FFFD.
    EXPECT_EQ(Decode(936, "a\xD6"), L"a\uFFFD");
    EXPECT_EQ(Decode(936, "\xFFz"), L"\uFFFDz");
    EXPECT_EQ(Decode(CP_UTF8, "a\x80"), L"a\uFFFD");
    wchar_t wbuf[8];
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\x80", 2, wbuf, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, "a\xD6", 2, wbuf, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(CodePage, SizesTerminatorsAndErrors)
{
    // -1 counts include the terminator; a zero output size asks for the size needed.
    EXPECT_EQ(MultiByteToWideChar(936, 0, "\xD6\xD0x", -1, nullptr, 0), 3);
    EXPECT_EQ(WideCharToMultiByte(936, 0, L"\u4e2dx", -1, nullptr, 0, nullptr, nullptr), 4);
    wchar_t w[3];
    EXPECT_EQ(MultiByteToWideChar(936, 0, "\xD6\xD0x", -1, w, 3), 3);
    EXPECT_EQ(std::wstring(w), L"\u4e2dx");
    char small[2];
    EXPECT_EQ(WideCharToMultiByte(936, 0, L"\u4e2dx", -1, small, 2, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(MultiByteToWideChar(12345678, 0, "a", 1, w, 3), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(MultiByteToWideChar(936, 0, "a", 0, w, 3), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    BOOL used;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"a", 1, small, 2, nullptr, &used), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CodePage, AnsiCodePageIsSettable)
{
    const UINT saved = GetACP();
    SetACP(936);
    EXPECT_EQ(CodePageToWide(CP_ACP, "\xD6\xD0"), L"\u4e2d");
    SetACP(1252);
    EXPECT_EQ(CodePageToWide(CP_ACP, "\x80\xE9"), L"\u20ac\u00e9");
    EXPECT_EQ(WideToCodePage(CP_ACP, L"\u00e9\u4e2d"), "\xE9?");
    SetACP(saved);
}

}  // namespace
