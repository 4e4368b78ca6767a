// The block sheet follows its own program and the interface language: with programs of two
// device families open each message-text sheet gets its device's page whatever program was
// opened last, and in Chinese the sheet's buttons, the analog watchdog's and differential
// trigger's level labels and the weekly timer's numbered cam tabs read in Chinese.
#include "PagesTestSupport.h"

#include "msgtext/MessageTexts.h"
#include "pages/BlockPage.h"
#include "resources/Resources.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"

namespace pagestest {
namespace {

constexpr WORD kNewer = 0x5188, kOlder = 0x2188;
constexpr UINT kValue1Label = 1108, kValue2Label = 1109;

class SheetLanguageTest : public PagesTest {
protected:
    void TearDown() override
    {
        SetResourceLanguage(kLangIdEnglish);
        PagesTest::TearDown();
    }
    Program& OpenFor(WORD hardware)
    {
        Program& p = Open();
        p.doc->m_nHardwareCode = hardware;
        return p;
    }
    void Cancel(CAllPropertySheet& s) { Press(s, IDCANCEL); }
};

// The tab texts of a sheet's tab strip, in order.
std::vector<CString> TabTexts(CAllPropertySheet& s)
{
    std::vector<CString> texts;
    CTabCtrl* pTabs = s.GetTabControl();
    for (int i = 0; pTabs && i < pTabs->GetItemCount(); ++i) {
        wchar_t buffer[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = 64;
        pTabs->GetItem(i, &item);
        texts.emplace_back(buffer);
    }
    return texts;
}

TEST_F(SheetLanguageTest, EachMessageTextSheetGetsThePageOfItsOwnProgramsDevice)
{
    Program& newer = OpenFor(kNewer);
    Program& older = OpenFor(kOlder);
    CBlockObj* pNewText = AddBlock(newer, 810);
    CBlockObj* pOldText = AddBlock(older, 810);
    ASSERT_NE(pNewText, nullptr);
    ASSERT_NE(pOldText, nullptr);
    // The last program opened (or set up) is of the other family each time.
    struct Case {
        Program* program;
        CBlockObj* block;
        WORD globalCode;
        bool wantOlderPage;
    } cases[] = {{&older, pOldText, kNewer, true}, {&newer, pNewText, kOlder, false}};
    for (const Case& c : cases) {
        g_wHardwareCode = c.globalCode;
        bool seen = false;
        RunSheet(*c.program, c.block,
                 {[&](CAllPropertySheet& s) {
                      seen = true;
                      ASSERT_NE(s.m_pPage, nullptr);
                      EXPECT_NE(dynamic_cast<CMessageTexts_New*>(s.m_pPage), nullptr);
                      EXPECT_EQ(dynamic_cast<CMessageTexts*>(s.m_pPage) != nullptr, c.wantOlderPage)
                          << std::hex << c.program->doc->m_nHardwareCode;
                  },
                  [this](CAllPropertySheet& s) { Cancel(s); }});
        EXPECT_TRUE(seen);
    }
}

TEST_F(SheetLanguageTest, InChineseTheButtonsAndLevelLabelsOfTheAnalogPagesAreChinese)
{
    SetResourceLanguage(kLangIdChinese);
    struct Case {
        WORD hardware;
        int type;
        const wchar_t* label1;  // null: the template's text stays
        const wchar_t* label2;
    } cases[] = {
        {kOlder, 806, nullptr, L"\u9608\u503c(\u5dee\u503c)"},
        {kNewer, 806, L"\u9608\u503c1(\u4e0a\u9650: +)", L"\u9608\u503c2(\u4e0b\u9650: -)"},
        {kNewer, 807, nullptr, L"\u504f\u5dee\u503c"},
    };
    for (const Case& c : cases) {
        Program& p = OpenFor(c.hardware);
        g_wHardwareCode = c.hardware;
        CBlockObj* pBlock = AddBlock(p, c.type);
        ASSERT_NE(pBlock, nullptr);
        bool seen = false;
        RunSheet(p, pBlock,
                 {[&](CAllPropertySheet& s) {
                      seen = true;
                      EXPECT_EQ(Text(&s, IDOK), CString(L"\u786e\u5b9a"));
                      EXPECT_EQ(Text(&s, IDCANCEL), CString(L"\u53d6\u6d88"));
                      EXPECT_EQ(Text(&s, IDHELP), CString(L"\u5e2e\u52a9"));
                      if (c.label1) {
                          EXPECT_EQ(Text(s.m_pPage, kValue1Label), CString(c.label1)) << c.type;
                      }
                      EXPECT_EQ(Text(s.m_pPage, kValue2Label), CString(c.label2)) << c.type;
                  },
                  [this](CAllPropertySheet& s) { Cancel(s); }});
        EXPECT_TRUE(seen) << c.type;
    }
}

TEST_F(SheetLanguageTest, InChineseTheRunningSheetsApplyButtonAndInEnglishTheButtonsStayEnglish)
{
    for (LANGID language : {kLangIdChinese, kLangIdEnglish}) {
        SetResourceLanguage(language);
        const bool zh = language == kLangIdChinese;
        Program& p = OpenFor(kNewer);
        CBlockObj* pBlock = AddBlock(p, 803);
        ASSERT_NE(pBlock, nullptr);
        CAllPropertySheet* pSheet = OpenModeless(p, pBlock);
        ASSERT_NE(pSheet, nullptr);
        EXPECT_EQ(Text(pSheet, ID_APPLY_NOW), CString(zh ? L"\u5e94\u7528(&A)" : L"&Apply"));
        EXPECT_EQ(Text(pSheet, IDOK), CString(zh ? L"\u786e\u5b9a" : L"OK"));
        EXPECT_EQ(Text(pSheet, IDHELP), CString(zh ? L"\u5e2e\u52a9" : L"Help"));
        EXPECT_TRUE(Shown(pSheet, ID_APPLY_NOW));
        Press(*pSheet, IDCANCEL);
        drv.Pump();
    }
}

TEST_F(SheetLanguageTest, TheWeeklyTimersCamTabsAreNumberedInChineseAndAlikeInEnglish)
{
    for (LANGID language : {kLangIdChinese, kLangIdEnglish}) {
        SetResourceLanguage(language);
        const bool zh = language == kLangIdChinese;
        Program& p = OpenFor(kNewer);
        CBlockObj* pBlock = AddBlock(p, 410);
        ASSERT_NE(pBlock, nullptr);
        std::vector<CString> tabs;
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) { tabs = TabTexts(s); }, [this](CAllPropertySheet& s) { Cancel(s); }});
        ASSERT_GE(tabs.size(), 4u);
        for (int cam = 0; cam < 3; ++cam) {
            const CString want = zh ? CString(L"\u51f8\u8f6e") + CString(std::to_wstring(cam + 1).c_str()) : CString(L"Cams");
            EXPECT_EQ(std::wstring(LPCTSTR(tabs[size_t(1 + cam)])), std::wstring(LPCTSTR(want))) << cam << (zh ? " zh" : " en");
        }
    }
}

}  // namespace
}  // namespace pagestest
