// The texts painted around blocks (labels, parameter texts, value boxes) follow every change of
// what they show at the next repaint, while editing and while simulating.
#include "ViewTestSupport.h"

#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"

#include <functional>

namespace viewtest {
namespace {

class RepaintTextsTest : public ViewTest {
protected:
    CBlockObj* Add(int type, int number, CPoint at)
    {
        CBlockObj* p = NewBlockOfType(type);
        EXPECT_NE(p, nullptr) << type;
        p->m_nNumber = number;
        p->m_ptOrigin = at;
        p->m_nWidth = 25;
        p->m_nHeight = p->m_nInputs == 4 ? 40 : 36;
        document->m_blocks.AddTail(p);
        return p;
    }
    struct Change {
        const char* what;
        std::function<void()> make, takeBack;
    };
    // Each change shows at the next repaint; taken back, the picture is the one before.
    void ExpectEveryChangeShows(const std::vector<Change>& changes)
    {
        Repaint();
        const Image before = Capture();
        for (const Change& c : changes) {
            c.make();
            Repaint();
            EXPECT_NE(FirstDifference(Capture(), before), "") << c.what;
            c.takeBack();
            Repaint();
            EXPECT_EQ(FirstDifference(Capture(), before), "") << c.what;
        }
    }
};

TEST_F(RepaintTextsTest, EditedSettingsNamesAndNumbersShowAtTheNextRepaint)
{
    Open(NewDocument(1));
    CBlockObj* timer = Add(400, 9001, CPoint(150, 100));
    timer->m_nTime1High = 5, timer->m_nTime1Base = 2;
    CBlockObj* counter = Add(800, 9002, CPoint(350, 100));
    CBlockObj* delay = Add(401, 9003, CPoint(150, 250));
    delay->m_bRef[0] = TRUE;
    delay->m_pRefBlock[0] = counter;
    ExpectEveryChangeShows({
        {"preset", [&] { timer->m_nTime1High = 6; }, [&] { timer->m_nTime1High = 5; }},
        {"time base", [&] { timer->m_nTime1Base = 1; }, [&] { timer->m_nTime1Base = 2; }},
        {"retentive", [&] { timer->m_bRetentive = TRUE; }, [&] { timer->m_bRetentive = FALSE; }},
        {"protected", [&] { timer->m_bProtected = TRUE; }, [&] { timer->m_bProtected = FALSE; }},
        {"name", [&] { timer->m_strName = L"Pump"; }, [&] { timer->m_strName.Empty(); }},
        {"number", [&] { timer->m_nNumber = 9004; }, [&] { timer->m_nNumber = 9001; }},
        {"counter threshold", [&] { counter->m_nTime2High = 12; }, [&] { counter->m_nTime2High = 0; }},
        // The delay shows the number of the block its preset comes from.
        {"referenced block renumbered", [&] { counter->m_nNumber = 9005; }, [&] { counter->m_nNumber = 9002; }},
    });
}

TEST_F(RepaintTextsTest, SimulatedValuesShowAtTheNextRepaint)
{
    Open(NewDocument(1));
    CBlockObj* counter = Add(800, 9001, CPoint(150, 100));
    counter->m_nTime1High = 100, counter->m_nTime2High = 50;
    view->ToggleSimulation();
    ASSERT_TRUE(view->IsSimulating());
    view->StopSimClock();
    ExpectEveryChangeShows({
        {"count", [&] { counter->m_dElapsed = 7; }, [&] { counter->m_dElapsed = 0; }},
        {"count again", [&] { counter->m_dElapsed = 8; }, [&] { counter->m_dElapsed = 0; }},
    });
    view->ToggleSimulation();
}

}  // namespace
}  // namespace viewtest
