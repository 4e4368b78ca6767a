// The simulated clock's tick reaches the view as a posted message and is counted on the
// user-interface thread; the balloon tip appears after its delay with its pointer on the given
// point and goes away when the pointer moves.
#include "ViewTestSupport.h"

#include "elements/BlockObj.h"
#include "elements/SimTime.h"
#include "view/InfoTip.h"

#include <chrono>
#include <thread>

namespace viewtest {
namespace {

std::int64_t SimMs(CChildFrame& frame)
{
    SYSTEMTIME st;
    frame.GetSimTime(&st);
    return SystemTimeToMsec(&st);
}

TEST_F(ViewTest, TheClockAdvancesOnlyWhenTheViewHandlesItsTicks)
{
    Open(NewDocument(1), 200, 150);
    SYSTEMTIME st{};
    st.wYear = 2024, st.wMonth = 1, st.wDay = 1;
    childFrame.SetSimTime(st);
    const std::int64_t start = SimMs(childFrame);
    view->StartSimClock();
    ASSERT_TRUE(view->IsSimClockRunning());
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    // The timer thread has only posted: nothing moved before the queue runs.
    EXPECT_EQ(SimMs(childFrame), start);
    Pump();
    const std::int64_t advanced = SimMs(childFrame) - start;
    EXPECT_GE(advanced, 75);
    EXPECT_EQ(advanced % 25, 0);
    view->StopSimClock();
    Pump();
    const std::int64_t stopped = SimMs(childFrame);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    Pump();
    EXPECT_EQ(SimMs(childFrame), stopped);
}

TEST_F(ViewTest, ARunningClockStopsWithTheView)
{
    Open(NewDocument(1), 200, 150);
    view->StartSimClock();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    frame->DestroyWindow();
    frame = nullptr;
    // No tick may reach the destroyed view (the sanitizer build would see it).
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    Pump();
}

TEST_F(ViewTest, BalloonTipShowsAfterItsDelayAtThePointAndHidesOnMove)
{
    Open(NewDocument(1), 400, 300);
    CInfoTip* tip = view->GetInfoTip();
    ASSERT_NE(tip, nullptr);
    const POINT at{500, 400};
    drv.MouseMove(at);
    Pump();
    tip->Show(L"Incompatible connectors!", &at);
    drv.AdvanceClock(490);
    Pump();
    EXPECT_FALSE(tip->IsWindowVisible());
    drv.AdvanceClock(20);
    Pump();
    ASSERT_TRUE(tip->IsWindowVisible());
    CRect r;
    tip->GetWindowRect(&r);
    const CSize size = tip->GetBalloonSize();
    EXPECT_EQ(r.Size(), size);
    // The pointer's tip: 12 left of the right edge, 15 below the body.
    EXPECT_EQ(r.right - 12, at.x);
    EXPECT_EQ(r.bottom - 10, at.y);

    // Moving the mouse over the view takes it away.
    drv.MouseMove(CHeadlessDriver::At(view->GetSafeHwnd(), POINT{20, 20}));
    Pump();
    EXPECT_FALSE(tip->IsWindowVisible());
}

TEST_F(ViewTest, BalloonTipEmptyTextCancelsAndMoreLinesMakeItTaller)
{
    Open(NewDocument(1), 400, 300);
    CInfoTip* tip = view->GetInfoTip();
    const POINT at{300, 300};
    tip->Show(L"Recursions only allowed via outputs and flags!", &at);
    tip->Show(L"", &at);
    drv.AdvanceClock(600);
    Pump();
    EXPECT_FALSE(tip->IsWindowVisible());

    tip->Show(L"In1", &at);
    const CSize one = tip->GetBalloonSize();
    tip->Show(L"In1\nIn2", &at);
    const CSize two = tip->GetBalloonSize();
    EXPECT_GT(two.cy, one.cy);
    EXPECT_EQ(one.cy - 25 - 20, two.cy - 25 - 20 - (two.cy - one.cy));
}

TEST_F(ViewTest, TheViewsBalloonWritesInAFixedPitchFontTwelveHighAndSixWide)
{
    Open(NewDocument(1), 400, 300);
    CInfoTip* tip = view->GetInfoTip();
    const POINT at{300, 300};
    // The body is the text widened by 12 and heightened by 10 on each side, and by the 16-pixel
    // icon and 5 more; the pointer adds 25.
    const struct {
        const wchar_t* text;
        CSize balloon;
    } cases[] = {
        {L"In1", CSize(3 * 6 + 24 + 21, 12 + 20 + 25)},
        {L"Incompatible connectors!", CSize(24 * 6 + 24 + 21, 12 + 20 + 25)},
        {L"Trg\nR\nT", CSize(3 * 6 + 24 + 21, 3 * 12 + 20 + 25)},
    };
    for (const auto& c : cases) {
        tip->Show(c.text, &at);
        EXPECT_EQ(tip->GetBalloonSize(), c.balloon) << c.text;
    }
    tip->Show(L"", &at);
}

TEST_F(ViewTest, TheViewsBalloonShowsItsInformationIconLeftOfTheText)
{
    Open(NewDocument(1), 400, 300);
    CInfoTip* tip = view->GetInfoTip();
    const POINT at{300, 300};
    drv.MouseMove(at);
    Pump();
    tip->Show(L"In1", &at);
    drv.AdvanceClock(510);
    Pump();
    ASSERT_TRUE(tip->IsWindowVisible());
    // The 16 x 16 icon at (12, 10): a blue disc with a white letter i in its middle column.
    const HWND hTip = tip->GetSafeHwnd();
    EXPECT_EQ(drv.Pixel(hTip, 12 + 2, 10 + 8), RGB(30, 90, 200));
    EXPECT_EQ(drv.Pixel(hTip, 12 + 13, 10 + 8), RGB(30, 90, 200));
    EXPECT_EQ(drv.Pixel(hTip, 12 + 8, 10 + 9), RGB(255, 255, 255));
    // The corners of its square stay the balloon's own colour; the text starts after the icon.
    const COLORREF fill = ::GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(drv.Pixel(hTip, 12, 10), fill);
    for (int y = 10; y < 26; ++y)
        for (int x = 12 + 16; x < 12 + 21; ++x)
            EXPECT_EQ(drv.Pixel(hTip, x, y), fill) << x << "," << y;
    int textPixels = 0;
    for (int y = 10; y < 22; ++y)
        for (int x = 12 + 21; x < 12 + 21 + 18; ++x)
            textPixels += drv.Pixel(hTip, x, y) != fill;
    EXPECT_GT(textPixels, 10);
}

TEST_F(ViewTest, PinCaptionsFollowTheTypeRows)
{
    Open(NewDocument(1), 200, 150);
    const struct {
        int type;
        int column;
        const wchar_t* caption;
    } cases[] = {{300, 0, L"In1"},  {300, 3, L"In4"},  {300, 20, L"AND"}, {401, 1, L"R"},
                 {401, 20, L"Off-Delay(Trg,R,T)"}, {605, 0, L"In"}, {800, 3, L"Par"}, {911, 1, L"Par"},
                 {300, 10, L""},    {900, 0, L""},     {901, 20, L""}};
    for (const auto& c : cases) {
        std::unique_ptr<CBlockObj> b(view->CreateBlockByType(c.type));
        ASSERT_TRUE(b) << c.type;
        EXPECT_EQ(view->GetPinCaption(b.get(), c.column), CString(c.caption)) << c.type << " " << c.column;
    }
}

}  // namespace
}  // namespace viewtest
