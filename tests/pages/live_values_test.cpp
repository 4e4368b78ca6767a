// Live values in the open modeless sheet while simulating: each block type whose page has a
// "current value" box gets its running value in the format of that type.
#include "PagesTestSupport.h"

#include "elements/BlockCounters.h"
#include "elements/BlockObj.h"
#include "pages/BlockPage.h"

#include <functional>

namespace pagestest {
namespace {

class LiveValuesTest : public PagesTest {};

TEST_F(LiveValuesTest, EachTypeShowsItsRunningValueInItsFormat)
{
    struct Case {
        int type;
        std::function<void(CBlockObj&)> run;  // puts the block in a running state
        const wchar_t* shown;
    };
    const auto elapsed = [](double v) { return [v](CBlockObj& b) { b.m_dElapsed = v; }; };
    const Case cases[] = {
        {801, [](CBlockObj& b) {
             auto& hc = static_cast<CBlockHCOUNTER&>(b);
             hc.m_nMn = 65, hc.m_nOt = 121;
         }, nullptr},
        {802, [](CBlockObj& b) {
             static_cast<CBlockTHTRG&>(b).m_nFa = 37;
             b.m_dElapsed = 12345;  // ms into the gate
         }, L"    37/12:34s"},
        {831, [](CBlockObj& b) { b.m_strValueText = L"261211190523"; }, L"261211190523"},
        {832, elapsed(0x1ABCD), L"0xABCD"},
        {833, elapsed(42), L"  42"},
        {853, elapsed(0x1A5), L"0xA5"},
        {866, elapsed(-5), L"    -5"},
        {867, elapsed(12), L"    12"},
        {868, elapsed(300), L"   300"},
    };
    for (const Case& c : cases) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, c.type);
        CAllPropertySheet* pSheet = OpenModeless(p, pBlock);
        ASSERT_NE(pSheet, nullptr) << c.type;
        ASSERT_NE(pSheet->m_pPage->GetValueBox(), nullptr) << c.type << ": no value box";
        c.run(*pBlock);
        p.view->UpdateMonitorSheets(pBlock);
        const CString shown = pSheet->m_pPage->GetShownValue();
        if (c.type == 801) {
            // The interval preset comes from the parameters; the counts from the run.
            const int mi = static_cast<CBlockHCOUNTER*>(pBlock)->ComputeInterval();
            CString want;
            want.Format(L"MI=%4dh%2dm/MN=    1h 5m/OT=    2h 1m", mi / 60, mi % 60);
            EXPECT_EQ(shown, want);
        } else {
            EXPECT_EQ(shown, CString(c.shown)) << c.type;
        }
        pSheet->DestroyWindow();
        drv.Pump();
    }
}

TEST_F(LiveValuesTest, WeeklyTimerTimeGoesToTheCamPageOnShow)
{
    Program& p = Open();
    CBlockObj* pBlock = AddBlock(p, 410);
    CAllPropertySheet* pSheet = OpenModeless(p, pBlock);
    ASSERT_NE(pSheet, nullptr);
    CString time;
    pBlock->GetTimeText(p.view, &time);
    ASSERT_FALSE(time.IsEmpty());
    // On the general page nothing is shown.
    p.view->UpdateMonitorSheets(pBlock);
    EXPECT_TRUE(pSheet->m_pPage->GetShownValue().IsEmpty());
    for (int cam = 1; cam <= 3; ++cam) {
        ASSERT_TRUE(pSheet->SetActivePage(cam));
        auto* pCam = dynamic_cast<CBlockPage*>(pSheet->GetActivePage());
        ASSERT_NE(pCam, nullptr);
        ASSERT_NE(pCam->GetValueBox(), nullptr) << cam;
        p.view->UpdateMonitorSheets(pBlock);
        EXPECT_EQ(pCam->GetShownValue(), time) << cam;
    }
    pSheet->DestroyWindow();
    drv.Pump();
}

}  // namespace
}  // namespace pagestest
