#include "platform/base/OleDateTime.h"
#include "tests/platform/base_test_print.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

TEST(OleDateTime, FieldsAndOleDays)
{
    const struct {
        int y, mo, d, h, mi, s;
        double ole;
        int dayOfWeek;  // 1 = Sunday
    } cases[] = {
        {1899, 12, 30, 0, 0, 0, 0.0, 7},
        {1900, 1, 1, 6, 0, 0, 2.25, 2},
        {1899, 12, 29, 6, 0, 0, -1.25, 6},
        {2000, 2, 29, 12, 0, 0, 36585.5, 3},
        {2024, 12, 31, 23, 59, 59, 45657.0 + 86399.0 / 86400.0, 3},
    };
    for (const auto& c : cases) {
        COleDateTime t(c.y, c.mo, c.d, c.h, c.mi, c.s);
        ASSERT_EQ(t.GetStatus(), COleDateTime::valid) << c.y;
        EXPECT_NEAR(static_cast<DATE>(t), c.ole, 1e-9) << c.y;
        COleDateTime back(c.ole);
        EXPECT_EQ(back.GetYear(), c.y);
        EXPECT_EQ(back.GetMonth(), c.mo);
        EXPECT_EQ(back.GetDay(), c.d);
        EXPECT_EQ(back.GetHour(), c.h);
        EXPECT_EQ(back.GetMinute(), c.mi);
        EXPECT_EQ(back.GetSecond(), c.s);
        EXPECT_EQ(back.GetDayOfWeek(), c.dayOfWeek) << c.y << '-' << c.mo << '-' << c.d;
    }
}

TEST(OleDateTime, FormatWithFixedEnglishNames)
{
    // Names stay English whatever the process locale.
    std::setlocale(LC_TIME, "");
    const COleDateTime t(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(t.Format(L"%p %I:%M:%S"), L"PM 02:07:09");
    EXPECT_EQ(t.Format(L"%a"), L"Tue");
    EXPECT_EQ(t.Format(L"%H:%M"), L"14:07");
    EXPECT_EQ(t.Format(L"%Y-%m-%d"), L"2024-03-05");
    EXPECT_EQ(COleDateTime(2024, 3, 5, 0, 0, 0).Format(L"%p %I"), L"AM 12");
    std::setlocale(LC_TIME, "C");
}

TEST(OleDateTime, InvalidValuesFormatEmpty)
{
    const int bad[][6] = {{2023, 2, 29, 0, 0, 0}, {2024, 13, 1, 0, 0, 0}, {2024, 1, 1, 24, 0, 0},
                          {99, 1, 1, 0, 0, 0},    {2024, 0, 1, 0, 0, 0},  {2024, 4, 31, 0, 0, 0}};
    for (const auto& b : bad) {
        COleDateTime t(b[0], b[1], b[2], b[3], b[4], b[5]);
        EXPECT_EQ(t.GetStatus(), COleDateTime::invalid) << b[0] << '-' << b[1] << '-' << b[2];
        EXPECT_EQ(t.Format(L"%Y"), L"");
        EXPECT_EQ(t.GetYear(), -1);
    }
    EXPECT_EQ(COleDateTime(1e12).Format(L"%Y"), L"");  // beyond year 9999
    COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_EQ(now.GetStatus(), COleDateTime::valid);
    EXPECT_GE(now.GetYear(), 2024);
}

}  // namespace
