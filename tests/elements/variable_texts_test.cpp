// Detail and display texts of block variables in message-text fields.
#include "elements/BlockAnalog.h"
#include "elements/BlockFactory.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockTime.h"

#include "DiagramFixture.h"
#include "TimeFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Texts { CString detail, display; };

Texts Ask(CBlockObj& b, CTavixView* view, int variable, int kind)
{
    Texts t;
    b.GetVariableDetailText(view, &t.detail, variable, kind);
    b.GetVariableDisplayText(view, &t.display, variable, kind);
    return t;
}

std::unique_ptr<CBlockObj> Make(int type)
{
    return std::unique_ptr<CBlockObj>(NewBlockOfType(type));
}

} // namespace

TEST(VariableTexts, SpecialFieldKinds)
{
    auto b = Make(800);
    struct Case { int kind; const wchar_t* detail; } cases[] = {
        {-99, L"Bar"}, {-102, L"Scope 12 X 3"}, {-103, L"Pointer 12 X 3"}, {-104, L"Graph 12 X 4"},
        {-100, L""}, {-101, L""},
    };
    for (const Case& c : cases) {
        CString text;
        b->GetVariableDetailText(nullptr, &text, 16, c.kind);
        EXPECT_EQ(text, CString(c.detail)) << c.kind;
    }
}

TEST(VariableTexts, DelayTimerPresets)
{
    Diagram d;
    auto timer = Make(400);
    ASSERT_TRUE(timer->IsKindOf(RUNTIME_CLASS(CBlockTime)));
    timer->m_nTime1High = 5;
    timer->m_nTime1Low = 30;
    timer->m_nTime1Base = 2;
    timer->m_nLastValue = 1;
    Texts t = Ask(*timer, &d.view, 4, 1);
    EXPECT_EQ(t.detail, CString(L"05:30 Seconds.."));
    EXPECT_EQ(t.display, CString(L"05:30s"));

    // The preset taken from block B3 whose value is 90, in seconds.
    CBlockObj* counter = d.Add(Make(800).release(), 9003);
    counter->m_dElapsed = 90;
    timer->m_bRef[0] = TRUE;
    timer->m_pRefBlock[0] = counter;
    timer->m_nRefUnit1 = 1;
    timer->m_nLastValue = -1;
    t = Ask(*timer, &d.view, 4, 1);
    EXPECT_EQ(t.detail, CString(L"01:30 Minutes(.."));
    EXPECT_EQ(t.display, CString(L"B3s"));
}

TEST(VariableTexts, CounterThresholdFromAReference)
{
    Diagram d;
    auto counter = Make(800);
    counter->m_nTime2High = 12;
    Texts t = Ask(*counter, &d.view, 18, 2);
    EXPECT_EQ(t.detail, CString(L"12"));
    EXPECT_EQ(t.display, CString(L"12"));
    CBlockObj* source = d.Add(Make(800).release(), 9017);
    source->m_dElapsed = 345;
    counter->m_pRefBlock[1] = source;
    counter->m_bRef[1] = TRUE;
    t = Ask(*counter, &d.view, 18, 2);
    EXPECT_EQ(t.detail, CString(L"345"));
    EXPECT_EQ(t.display, CString(L"B17"));
}

TEST(VariableTexts, AnalogDecimals)
{
    auto comparator = Make(803);
    ASSERT_TRUE(comparator->IsKindOf(RUNTIME_CLASS(CBlockAnalog)));
    auto* a = static_cast<CBlockAnalog*>(comparator.get());
    a->m_nThreshold1 = 1234;
    struct Case { int decimals; const wchar_t* text; } cases[] = {
        {2, L"  12.34"}, {0, L"  1234 "}, {3, L"  1.234"}, {4, L""}, {-1, L""},
    };
    for (const Case& c : cases) {
        a->m_nDecimals = c.decimals;
        EXPECT_EQ(Ask(*comparator, nullptr, 24, 0).detail, CString(c.text)) << c.decimals;
    }
}

TEST(VariableTexts, WeeklyTimerCamByFieldKind)
{
    auto weekly = Make(410);
    auto* t = static_cast<CBlockTime*>(weekly.get());
    t->m_bCamDays[0][1] = 1;  // cam 1: Monday
    t->m_bCamDays[1][0] = 1;  // cam 2: Sunday
    t->m_bCamDays[1][3] = 1;  //        Wednesday
    t->m_nCamOn[1][0] = 7;
    t->m_nCamOn[1][1] = 5;
    EXPECT_EQ(Ask(*weekly, nullptr, 44, 3).detail, CString(L"--W---S"));
    EXPECT_EQ(Ask(*weekly, nullptr, 15, 3).display, CString(L"--W---S"));  // the kind decides
    EXPECT_EQ(Ask(*weekly, nullptr, 15, -5).display, CString(L"M------"));
    EXPECT_EQ(Ask(*weekly, nullptr, 15, -5).detail, CString(L""));
    Texts on = Ask(*weekly, nullptr, 45, 4);
    EXPECT_EQ(on.detail, CString(L"07:05 Hours"));
    EXPECT_EQ(on.display, CString(L"07:05"));
}

TEST(VariableTexts, EmptyAndUnhandledVariables)
{
    struct Case { int type, variable; } cases[] = {
        {413, 81}, {413, 82}, {413, 83}, {818, 111}, {800, 99}, {300, 16}, {605, 133},
    };
    for (const Case& c : cases) {
        auto b = Make(c.type);
        CString detail = L"as passed", display = L"as passed";
        b->GetVariableDetailText(nullptr, &detail, c.variable, 0);
        b->GetVariableDisplayText(nullptr, &display, c.variable, 0);
        EXPECT_EQ(detail, CString(L"as passed")) << c.type << " " << c.variable;
        EXPECT_EQ(display, CString(L"as passed")) << c.type << " " << c.variable;
    }
}

TEST(VariableTexts, HoursCounterAndWordResults)
{
    auto bcd = Make(832);
    bcd->m_dElapsed = 0x1234;
    EXPECT_EQ(Ask(*bcd, nullptr, 114, 1).display, CString(L"0x1234"));
    auto shl = Make(836);
    shl->m_nTime1High = 20;
    shl->m_nLastValue = 1;
    Texts t = Ask(*shl, nullptr, 119, 1);
    EXPECT_EQ(t.detail, CString(L"20"));  // a literal is shown as it stands
    auto analogIn = Make(608);
    analogIn->m_nSimValue = 250;
    t = Ask(*analogIn, nullptr, 131, 0);
    EXPECT_EQ(t.detail, CString(L" 250.0"));
    EXPECT_EQ(t.display, CString(L""));
}

TEST(VariableTexts, MessageTextClockAndCapturedEnableTime)
{
    Diagram d;
    d.view.m_nEditMode = CTavixView::modeSimulate;
    SYSTEMTIME st = St(2026, 12, 9, 15, 7, 5);
    st.wDayOfWeek = 3;
    d.frame.SetSimTime(st);
    auto msg = Make(TYPE_MSGTEXT);
    ASSERT_TRUE(msg->IsKindOf(RUNTIME_CLASS(CBlockMSGTEXT)));
    auto* m = static_cast<CBlockMSGTEXT*>(msg.get());

    Texts now = Ask(*msg, &d.view, 34, 0);
    EXPECT_EQ(now.detail, CString(L"PM 03:07:05"));
    EXPECT_EQ(now.display, CString(L"We 15:07"));
    EXPECT_EQ(Ask(*msg, &d.view, 1, 1).detail, CString(L"2026-12-09"));

    m->m_bCaptureEnableTime = 1;
    m->m_bCaptureEnableDate = 1;
    CString first, date;
    msg->GetVariableDetailText(&d.view, &first, 2, 2);
    msg->GetVariableDetailText(&d.view, &date, 3, 3);
    EXPECT_EQ(first, CString(L"PM 03:07:05"));
    EXPECT_EQ(date, CString(L"2026-12-09"));
    EXPECT_EQ(m->m_bCaptureEnableTime, 0);
    d.frame.AdvanceSimTime(60000);
    CString second;
    msg->GetVariableDetailText(&d.view, &second, 2, 2);
    EXPECT_EQ(second, first);  // the captured time stays

    m->m_bCaptureEnableTime = 1;
    CString shortForm;
    msg->GetVariableDisplayText(&d.view, &shortForm, 2, 2);
    EXPECT_EQ(shortForm, CString(L"We 15:08"));
    EXPECT_EQ(m->m_strEnableTime, CString(L"PM 03:08:05"));
}
