// A contact sheet of the timer, clock, counter, I/O and relay pages: every page of each sheet in
// English and Chinese, saved as one PNG per page next to the test binary for a person to look
// at. The test checks that each page shows something and that the two languages differ.
#include "PagesTestSupport.h"

#include "resources/Resources.h"
#include "shell/CityTable.h"

#include <fstream>

namespace pagestest {
namespace {

class SecondSetContactSheetTest : public PagesTest, public ::testing::WithParamInterface<LANGID> {
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
    const int types[] = {400, 402, 408, 409, 410, 411, 412, 413, 800, 801, 802, 600, 607, 812};
    for (LANGID language : {GetParam()}) {
        SetResourceLanguage(language);
        const std::string suffix = language == kLangIdChinese ? "zh" : "en";
        for (int type : types) {
            Program& p = Open();
            CBlockObj* pBlock = AddBlock(p, type);
            RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                for (int page = 0; page < s.GetPageCount(); ++page) {
                    ASSERT_TRUE(s.SetActivePage(page));
                    drv.Pump();
                    const std::string path = "page2_" + std::to_string(type) + "_" + std::to_string(page) + "_" + suffix + ".png";
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
    if (GetParam() != kLangIdChinese)
        return;
    // Both runs write the stairway lighting page; the Chinese one must differ.
    std::ifstream en("page2_408_0_en.png", std::ios::binary), zh("page2_408_0_zh.png", std::ios::binary);
    const std::string a((std::istreambuf_iterator<char>(en)), {}), b((std::istreambuf_iterator<char>(zh)), {});
    if (!a.empty()) {
        EXPECT_NE(a, b);
    }
    EXPECT_FALSE(b.empty());
}

INSTANTIATE_TEST_SUITE_P(Languages, SecondSetContactSheetTest, ::testing::Values(kLangIdEnglish, kLangIdChinese));

}  // namespace
}  // namespace pagestest
