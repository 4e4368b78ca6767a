#include "platform/base/FileSystem.h"
#include "platform/base/Locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwchar>

namespace {

TEST(Locale, NumberCharactersFollowTheRuntimeLocale)
{
    std::setlocale(LC_NUMERIC, "C");
    wchar_t buf[8];
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8), 2);
    EXPECT_STREQ(buf, L".");
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SNEGATIVESIGN, buf, 8), 2);
    EXPECT_STREQ(buf, L"-");
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buf, 8), 1);  // "C" has no grouping
    EXPECT_STREQ(buf, L"");

    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, nullptr, 0), 2);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 1), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, 0x1234, buf, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
