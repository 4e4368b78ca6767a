#include "platform/base/WinTypes.h"

#include <gtest/gtest.h>

TEST(WinTypes, MulDivRoundsHalfAwayFromZero)
{
    struct Case { int a, b, c, want; };
    const Case cases[] = {
        {12, 96, 72, 16}, {5, 1, 2, 3}, {-5, 1, 2, -3}, {5, -1, 2, -3}, {7, 1, 3, 2},
        {8, 1, 3, 3}, {1, 1, 0, -1}, {0x40000000, 4, 2, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.want) << c.a << "*" << c.b << "/" << c.c;
}

TEST(WinTypes, PackingHelpers)
{
    EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
    EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
    EXPECT_EQ(MAKELONG(0x1234, 0xABCD), LONG(0xABCD1234u));
    EXPECT_EQ(GET_X_LPARAM(MAKELPARAM(WORD(-5), 7)), -5);
    EXPECT_EQ(GET_Y_LPARAM(MAKELPARAM(WORD(-5), 7)), 7);
}
