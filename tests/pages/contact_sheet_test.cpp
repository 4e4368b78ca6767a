// A contact sheet of the block pages and of the free comment's sheet: every page of every sheet
// served here, in English and Chinese, saved as one PNG per page next to the test binary for a
// person to look at. The test itself checks that each page shows something and that the two
// languages differ.
#include "PagesTestSupport.h"
#include "tests/support/BesideTheTests.h"

#include "elements/BlockComment.h"
#include "pages/BlockPage.h"
#include "pages/InsCommentsPropSh.h"
#include "resources/Resources.h"
#include "resources/resource.h"

#include <fstream>

namespace pagestest {
namespace {

class ContactSheetTest : public PagesTest {
protected:
    void TearDown() override
    {
        SetResourceLanguage(kLangIdEnglish);
        PagesTest::TearDown();
    }
};

TEST_F(ContactSheetTest, EveryPageInBothLanguages)
{
    const int types[] = {300, 830, 603, 803, 805, 806, 807, 815, 816, 817, 818, 819, 821, 822, 823, 834, 838, 840, 844,
                         845, 847, 849, 850, 851, 852, 856, 879};
    for (LANGID language : {kLangIdEnglish, kLangIdChinese}) {
        SetResourceLanguage(language);
        const std::string suffix = language == kLangIdChinese ? "zh" : "en";
        for (int type : types) {
            Program& p = Open();
            CBlockObj* pBlock = AddBlock(p, type);
            RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                // The sensor lists speak the interface's language.
                if (CComboBox* pSensors = type == 818 ? ComboOf(s.m_pPage, 1082) : nullptr) {
                    CString none;
                    pSensors->GetLBText(4, none);
                    EXPECT_EQ(none, CString(language == kLangIdChinese ? L"\u65e0\u4f20\u611f\u5668" : L"No sensor"));
                }
                for (int page = 0; page < s.GetPageCount(); ++page) {
                    ASSERT_TRUE(s.SetActivePage(page));
                    drv.Pump();
                    const std::string path = BesideTheTests("page_" + std::to_string(type) + "_" + std::to_string(page) + "_" + suffix + ".png");
                    EXPECT_TRUE(drv.SaveScreenshot(s.GetSafeHwnd(), path)) << path;
                    CRect rc;
                    s.GetActivePage()->GetWindowRect(&rc);
                    CRect top;
                    s.GetWindowRect(&top);
                    rc.OffsetRect(-top.left, -top.top);
                    EXPECT_GT(drv.DistinctColours(s.GetSafeHwnd(), rc), 1) << path;
                }
                Press(s, IDCANCEL);
            }});
        }
    }
    std::ifstream en("page_830_0_en.png", std::ios::binary), zh("page_830_0_zh.png", std::ios::binary);
    const std::string a((std::istreambuf_iterator<char>(en)), {}), b((std::istreambuf_iterator<char>(zh)), {});
    EXPECT_FALSE(a.empty());
    EXPECT_NE(a, b);
}

TEST_F(ContactSheetTest, TheFreeCommentSheetInBothLanguages)
{
    std::string pictures[2];
    for (LANGID language : {kLangIdEnglish, kLangIdChinese}) {
        SetResourceLanguage(language);
        const bool chinese = language == kLangIdChinese;
        Program& p = Open();
        CBlockComment* c = p.view->CreateComment(CPoint(100, 100));
        ASSERT_NE(c, nullptr);
        p.doc->AddComment(c);
        c->m_strText = L"Pump station\r\nline 2";
        const std::string path = BesideTheTests(std::string("page_free_comment_") + (chinese ? "zh" : "en") + ".png");
        bool shown = false;
        drv.Host().QueueIdleStep([&] {
            CWnd* pActive = CWnd::GetActiveWindow();
            auto* pSheet = pActive ? dynamic_cast<CInsCommentsPropSh*>(CWnd::FromHandlePermanent(pActive->GetSafeHwnd()))
                                   : nullptr;
            ASSERT_NE(pSheet, nullptr);
            shown = true;
            EXPECT_TRUE(drv.SaveScreenshot(pSheet->GetSafeHwnd(), path)) << path;
            CRect rc, top;
            pSheet->m_pagComments.GetWindowRect(&rc);
            pSheet->GetWindowRect(&top);
            rc.OffsetRect(-top.left, -top.top);
            EXPECT_GT(drv.DistinctColours(pSheet->GetSafeHwnd(), rc), 1) << path;
            pSheet->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        p.view->m_pCurComment = c;
        p.view->SendMessage(WM_COMMAND, ID_EDIT_BLOCK_PROPERTIES);
        drv.Pump();
        ASSERT_TRUE(shown);
        std::ifstream png(path, std::ios::binary);
        pictures[chinese] = std::string((std::istreambuf_iterator<char>(png)), {});
    }
    EXPECT_FALSE(pictures[0].empty());
    EXPECT_NE(pictures[0], pictures[1]);
}

}  // namespace
}  // namespace pagestest
