// A contact sheet of the timer, clock, counter, I/O and relay pages: every page of each sheet in
// English and Chinese, saved as one PNG per page next to the test binary for a person to look
// at. The test checks that each page shows something and that the two languages differ.
#include "PagesTestSupport.h"
#include "tests/support/BesideTheTests.h"

#include "resources/Resources.h"
#include "shell/CityTable.h"

#include <fstream>
#include <tuple>
#include <vector>

namespace pagestest {
namespace {

class SecondSetContactSheetTest : public PagesTest, public ::testing::WithParamInterface<std::tuple<LANGID, int>> {
protected:
    void TearDown() override
    {
        SetResourceLanguage(kLangIdEnglish);
        PagesTest::TearDown();
    }
};

TEST_P(SecondSetContactSheetTest, EveryPage)
{
    ResetCityTable(g_arrAstroCities);
    // Two groups of types per language keep each run short.
    const std::vector<int> groups[2] = {{400, 402, 408, 409, 410, 411, 412}, {413, 800, 801, 802, 600, 607, 812, 824, 855, 814}};
    const std::vector<int>& types = groups[std::get<1>(GetParam())];
    for (LANGID language : {std::get<0>(GetParam())}) {
        SetResourceLanguage(language);
        const std::string suffix = language == kLangIdChinese ? "zh" : "en";
        for (int type : types) {
            Program& p = Open();
            CBlockObj* pBlock = AddBlock(p, type);
            RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                for (int page = 0; page < s.GetPageCount(); ++page) {
                    ASSERT_TRUE(s.SetActivePage(page));
                    drv.Pump();
                    const std::string path = BesideTheTests("page2_" + std::to_string(type) + "_" + std::to_string(page) + "_" + suffix + ".png");
                    EXPECT_TRUE(drv.SaveScreenshot(s.GetSafeHwnd(), path)) << path;
                    CRect rc, top;
                    s.GetActivePage()->GetWindowRect(&rc);
                    s.GetWindowRect(&top);
                    rc.OffsetRect(-top.left, -top.top);
                    EXPECT_GT(drv.DistinctColours(s.GetSafeHwnd(), rc), 1) << path;
                }
                Press(s, IDCANCEL);
            }});
        }
    }
    if (std::get<0>(GetParam()) != kLangIdChinese || std::get<1>(GetParam()) != 0)
        return;
    // Both runs write the stairway lighting page; the Chinese one must differ.
    std::ifstream en(BesideTheTests("page2_408_0_en.png"), std::ios::binary), zh(BesideTheTests("page2_408_0_zh.png"), std::ios::binary);
    const std::string a((std::istreambuf_iterator<char>(en)), {}), b((std::istreambuf_iterator<char>(zh)), {});
    if (!a.empty()) {
        EXPECT_NE(a, b);
    }
    EXPECT_FALSE(b.empty());
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndGroups, SecondSetContactSheetTest,
                         ::testing::Combine(::testing::Values(kLangIdEnglish, kLangIdChinese), ::testing::Values(0, 1)));

}  // namespace
}  // namespace pagestest
