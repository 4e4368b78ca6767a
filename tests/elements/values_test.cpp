// Values a block takes from another block, and the monitor time texts.
#include "elements/BlockAnalog.h"
#include "elements/BlockCounters.h"
#include "elements/BlockFactory.h"

#include "DiagramFixture.h"
#include "TimeFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<CBlockObj> Make(int type)
{
    return std::unique_ptr<CBlockObj>(NewBlockOfType(type));
}

double OutputOf(CBlockObj& b)
{
    double v = -123.0;
    b.GetOutputValue(&b, &v);
    return v;
}

} // namespace

TEST(OutputValue, ByFamily)
{
    auto onOff = Make(402);
    onOff->m_dElapsed = 120000;
    onOff->m_nTime1Base = 0;  // minutes
    onOff->m_nTime2Base = 1;  // seconds
    onOff->m_nPinValue[0] = 1;
    EXPECT_EQ(OutputOf(*onOff), 2.0);
    onOff->m_nPinValue[0] = 0;
    EXPECT_EQ(OutputOf(*onOff), 120.0);
    onOff->m_bRef[1] = TRUE;
    onOff->m_nRefUnit2 = 2;  // unit 2 shares the divisor 10 of the hundredths base
    EXPECT_EQ(OutputOf(*onOff), 12000.0);

    auto stairway = Make(408);  // always the second set
    stairway->m_dElapsed = 5000;
    stairway->m_nTime1Base = 0;
    stairway->m_nTime2Base = 1;
    EXPECT_EQ(OutputOf(*stairway), 5.0);

    auto counter = Make(800);
    counter->m_dElapsed = 42;
    EXPECT_EQ(OutputOf(*counter), 42.0);

    auto amplifier = Make(805);
    static_cast<CBlockAnalog*>(amplifier.get())->m_nActualValue = -17;
    EXPECT_EQ(OutputOf(*amplifier), -17.0);

    auto trigger = Make(802);
    static_cast<CBlockTHTRG*>(trigger.get())->m_nFa = 9;
    trigger->m_dElapsed = 500;
    EXPECT_EQ(OutputOf(*trigger), 9.0);

    auto hours = Make(801);  // not a referable value: left as it was
    hours->m_dElapsed = 77;
    EXPECT_EQ(OutputOf(*hours), -123.0);

    double v = 5;
    counter->GetOutputValue(nullptr, &v);
    EXPECT_EQ(v, 5.0);
}

TEST(TimeText, MonitorTexts)
{
    Diagram d;
    struct Case { int type; double elapsed; int base; const wchar_t* text; } cases[] = {
        {400, 5025, 2, L"05:02s"}, {400, 0, 2, L"00:00s"}, {401, 61000, 1, L"01:01m"},
        {404, 3660000, 0, L"01:01h"},
    };
    for (const Case& c : cases) {
        auto b = Make(c.type);
        b->m_dElapsed = c.elapsed;
        b->m_nTime1Base = c.base;
        CString text;
        b->GetTimeText(&d.view, &text);
        EXPECT_EQ(text, CString(c.text)) << c.type;
    }
    // One block asked again after each change: the text follows its time and unit every time.
    auto again = Make(400);
    const Case steps[] = {{400, 5025, 2, L"05:02s"}, {400, 5025, 2, L"05:02s"}, {400, 5030, 2, L"05:03s"},
                          {400, 5030, 1, L"00:05m"}, {400, 0, 1, L"00:00m"},    {400, 5030, 2, L"05:03s"}};
    for (const Case& c : steps) {
        again->m_dElapsed = c.elapsed;
        again->m_nTime1Base = c.base;
        CString text = L"other";
        again->GetTimeText(&d.view, &text);
        EXPECT_EQ(text, CString(c.text)) << c.elapsed << " " << c.base;
    }

    // A referenced preset of an on-delay shows in the reference's unit.
    auto onDelay = Make(400);
    onDelay->m_bRef[0] = TRUE;
    onDelay->m_nRefUnit1 = 1;
    onDelay->m_dElapsed = 61000;
    CString text;
    onDelay->GetTimeText(&d.view, &text);
    EXPECT_EQ(text, CString(L"01:01m"));

    // Blocks without a time keep the text as it was.
    auto counter = Make(800);
    text = L"kept";
    counter->GetTimeText(&d.view, &text);
    EXPECT_EQ(text, CString(L"kept"));

    // The yearly timer shows the simulated date.
    d.frame.SetSimTime(St(2026, 3, 4));
    auto yearly = Make(411);
    yearly->GetTimeText(&d.view, &text);
    EXPECT_EQ(text, CString(L"Mar 4, 2026"));
}
