// The analog ramp page: the three ramp values reach the block and the saved file, the ramp's
// clamps while typing (unsigned gain, levels from -10000), Retentivity left alone, and the
// reference lists filled on every machine.
#include "PagesTestSupport.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockObj.h"
#include "pages/BlockPage.h"

namespace pagestest {
namespace {

class RampPageTest : public PagesTest {};

TEST_F(RampPageTest, OkStoresTheRampValuesAndLevelsAndKeepsRetentivity)
{
    Program& p = Open();
    auto* pBlock = static_cast<CBlockAnalog*>(AddBlock(p, 817));
    pBlock->m_nTime1High = 10, pBlock->m_nTime2High = 1000, pBlock->m_nPreWarn[1] = 0;
    pBlock->m_bRetentive = TRUE;
    RunSheet(p, pBlock,
             {[this](CAllPropertySheet& s) {
                  CWnd* pPage = s.m_pPage;
                  EXPECT_EQ(Text(pPage, 1029), CString(L"10"));
                  EXPECT_EQ(Text(pPage, 1031), CString(L"1000"));
                  EXPECT_EQ(Text(pPage, 1033), CString(L"0"));
                  EXPECT_EQ(pPage->GetDlgItem(1024), nullptr);  // no Retentivity on this page
                  Type(pPage, 1029, L"250");
                  Type(pPage, 1031, L"-9000");
                  Type(pPage, 1033, L"35");
                  Type(pPage, 1023, L"150");
                  Type(pPage, 1026, L"-400");
                  Type(pPage, IDC_BLOCK_NAME, L"Ramp");
              },
              [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pBlock->m_nTime1High, 250);
    EXPECT_EQ(pBlock->m_nTime2High, -9000);
    EXPECT_EQ(pBlock->m_nPreWarn[1], 35);
    EXPECT_EQ(pBlock->m_nThreshold1, 150);
    EXPECT_EQ(pBlock->m_nThreshold2, -400);
    EXPECT_EQ(pBlock->m_bRetentive, TRUE);
    auto reloaded = SaveAndReload(p);
    auto* pSaved = dynamic_cast<CBlockAnalog*>(reloaded->FindBlockByNumber(pBlock->m_nNumber));
    ASSERT_NE(pSaved, nullptr);
    EXPECT_EQ(pSaved->m_strName, CString(L"Ramp"));
    EXPECT_EQ(pSaved->m_nTime1High, 250);
    EXPECT_EQ(pSaved->m_nTime2High, -9000);
    EXPECT_EQ(pSaved->m_nPreWarn[1], 35);
    EXPECT_EQ(pSaved->m_nThreshold2, -400);
}

TEST_F(RampPageTest, TypedValuesAreHeldToTheRampsRanges)
{
    struct Case {
        UINT id;
        const wchar_t* typed;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {1029, L"0", L"1"},         {1029, L"20000", L"10000"}, {1031, L"-20000", L"-10000"},
        {1031, L"25000", L"20000"}, {1033, L"-5", L"5"},        {1023, L"-15000", L"-10000"},
        {1026, L"30000", L"20000"}, {1021, L"10.5", L"10"},     {1021, L"-2", L"2"},
    };
    Program& p = Open();
    CBlockObj* pBlock = AddBlock(p, 817);
    const int speed = pBlock->m_nTime1High;
    RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                             for (const Case& c : cases) {
                                 Type(s.m_pPage, c.id, c.typed);
                                 EXPECT_EQ(Text(s.m_pPage, c.id), CString(c.shown)) << c.id << " " << c.typed;
                             }
                         },
                         [this](CAllPropertySheet& s) { Press(s, IDCANCEL); }});
    // Cancel changes nothing.
    EXPECT_EQ(pBlock->m_nTime1High, speed);
}

TEST_F(RampPageTest, ReferenceListsAreFilledEvenWhereTheButtonsAreHidden)
{
    for (WORD code : {WORD(0x5188), WORD(0x4188)}) {
        Program& p = Open();
        p.doc->m_nHardwareCode = code;
        CBlockObj* pSource = AddBlock(p, 805);
        CBlockObj* pRamp = AddBlock(p, 817);
        RunSheet(p, pRamp, {[&](CAllPropertySheet& s) {
                                CComboBox* pList = ComboOf(s.m_pPage, 105);
                                ASSERT_NE(pList, nullptr);
                                ASSERT_EQ(pList->GetCount(), 1) << code;
                                CString item;
                                pList->GetLBText(0, item);
                                CString key;
                                key.Format(L"B%d", pSource->m_nNumber - 9000);
                                EXPECT_EQ(item.Left(key.GetLength()), key);
                                EXPECT_EQ(s.m_pPage->GetDlgItem(1080)->IsWindowVisible() != FALSE, code == 0x5188);
                            },
                            [this](CAllPropertySheet& s) { Press(s, IDCANCEL); }});
    }
}

}  // namespace
}  // namespace pagestest
