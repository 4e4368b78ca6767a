// The counter, hours counter, threshold trigger and stopwatch pages through the view: every
// field reaches the block and the file, references pick their block by its whole number, and
// the factor stays within its bounds however it is entered.
#include "SecondSetSupport.h"

#include "elements/BlockObj.h"
#include "pages/RefBlockList.h"
#include "pages/StopWatch.h"

#include "platform/ui/controls/CommCtrlUpDown.h"

namespace pagestest {
namespace {

class CounterPagesTest : public PagesTest {};

TEST_F(CounterPagesTest, CounterFieldsReachTheBlockAndTheFile)
{
    for (int type : {800, 848}) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, type);
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 EXPECT_EQ(Shown(s.m_pPage, 1328), type == 848);
                                 Type(s.m_pPage, 1076, type == 848 ? L"-999999" : L"999999");
                                 Type(s.m_pPage, 1131, L"20");
                                 Type(s.m_pPage, 1133, L"5");
                                 if (type == 848)
                                     Pick(s.m_pPage, 1328, 1);
                                 Click(s.m_pPage, IDC_RETENTIVITY);
                                 Click(s.m_pPage, IDC_PROTECTION);
                                 Press(s, IDOK);
                             }});
        auto reloaded = SaveAndReload(p);
        const CBlockObj* pSaved = reloaded->FindBlockByNumber(pBlock->m_nNumber);
        for (const CBlockObj* b : {static_cast<const CBlockObj*>(pBlock), pSaved}) {
            EXPECT_EQ(b->m_nTime1High, type == 848 ? -999999 : 999999) << type;
            EXPECT_EQ(b->m_nTime2High, 20) << type;
            EXPECT_EQ(b->m_nStartValue, 5) << type;
            EXPECT_TRUE(b->m_bRetentive && b->m_bProtected) << type;
        }
        if (type == 848) {
            EXPECT_EQ(pBlock->m_nPreWarn[1], 1);
        }
    }
}

TEST_F(CounterPagesTest, HoursCounterAndTriggerFieldsReachTheBlock)
{
    Program& p = Open();
    CBlockObj* pHours = AddBlock(p, 801);
    pHours->m_bRetentive = FALSE;
    RunSheet(p, pHours, {[&](CAllPropertySheet& s) {
                             EXPECT_TRUE(Checked(s.m_pPage, IDC_RETENTIVITY));
                             EXPECT_FALSE(Enabled(s.m_pPage, IDC_RETENTIVITY));
                             Type(s.m_pPage, 1076, L"9999");
                             Type(s.m_pPage, 1243, L"30");
                             Type(s.m_pPage, 1131, L"99999");
                             Type(s.m_pPage, 1550, L"59");
                             Click(s.m_pPage, 1026);
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pHours->m_nTime1High, 9999);
    EXPECT_EQ(pHours->m_nTime1Low, 30);
    EXPECT_EQ(pHours->m_nTime2High, 99999);
    EXPECT_EQ(pHours->m_nTime2Low, 59);
    EXPECT_EQ(pHours->m_bStdPreWarning, 1);
    EXPECT_FALSE(pHours->m_bRetentive);  // the page shows it but never stores it

    CBlockObj* pTrigger = AddBlock(p, 802);
    RunSheet(p, pTrigger, {[&](CAllPropertySheet& s) {
                               Type(s.m_pPage, 1076, L"1200");
                               Type(s.m_pPage, 1243, L"800");
                               Type(s.m_pPage, 1131, L"2");
                               Type(s.m_pPage, 1550, L"50");
                               Click(s.m_pPage, IDC_PROTECTION);
                               Press(s, IDOK);
                           }});
    auto reloaded = SaveAndReload(p);
    const CBlockObj* pSaved = reloaded->FindBlockByNumber(pTrigger->m_nNumber);
    EXPECT_EQ(pSaved->m_nTime1High, 1200);
    EXPECT_EQ(pSaved->m_nTime1Low, 800);
    EXPECT_EQ(pSaved->m_nTime2High, 2);
    EXPECT_EQ(pSaved->m_nTime2Low, 50);
    EXPECT_TRUE(pSaved->m_bProtected);
}

TEST_F(CounterPagesTest, AReferenceIsFoundByItsWholeNumber)
{
    Program& p = Open();
    CComboBox list;
    CreateBlockList(list, p.view, CRect(0, 0, 120, 200), 105, FALSE);
    for (const wchar_t* entry : {L"B120[Max/Min]", L"B1[Up/Down Counter]", L"B12[Up/Down Counter]"})
        list.AddString(entry);
    struct Case {
        int number;
        int selected;
    };
    for (Case c : {Case{9012, 2}, Case{9120, 0}, Case{9001, 1}, Case{9999, 0}}) {
        CBlockObj block(800, 2);
        block.m_nNumber = c.number;
        EXPECT_EQ(SelectBlockEntry(list, &block), c.selected) << c.number;
    }
    EXPECT_EQ(SelectBlockEntry(list, nullptr), 0);
    list.DestroyWindow();
}

TEST_F(CounterPagesTest, ThresholdReferencesAreStoredWithTheirBlockOrNotAtAll)
{
    Program& p = Open();
    CBlockObj* pSource = AddBlock(p, 800);
    CBlockObj* pCounter = AddBlock(p, 800);
    // A flag without its block (a damaged file) opens without failing and stores no reference.
    pCounter->m_bRef[1] = TRUE;
    RunSheet(p, pCounter, {[&](CAllPropertySheet& s) {
                               EXPECT_TRUE(Shown(s.m_pPage, 106));
                               Click(s.m_pPage, 1080);
                               EXPECT_TRUE(Shown(s.m_pPage, 105));
                               Press(s, IDOK);
                           }});
    EXPECT_EQ(pCounter->m_pRefBlock[0], pSource);
    EXPECT_TRUE(pCounter->m_bRef[0]);
    EXPECT_EQ(pCounter->m_nRefNumber[0], pSource->m_nNumber);
    EXPECT_FALSE(pCounter->m_bRef[1]);
    EXPECT_EQ(pCounter->m_nRefNumber[1], -1);
    // Switched off and back on keeps the literal; switched off at OK loses the block.
    RunSheet(p, pCounter, {[&](CAllPropertySheet& s) {
                               Click(s.m_pPage, 1080);
                               Type(s.m_pPage, 1076, L"77");
                               Press(s, IDOK);
                           }});
    EXPECT_EQ(pCounter->m_pRefBlock[0], nullptr);
    EXPECT_EQ(pCounter->m_nTime1High, 77);
}

TEST_F(CounterPagesTest, StopwatchLayoutAndFieldsFollowTheType)
{
    struct Case {
        int type;
        bool list, factor, reference, retentivity;
        int choose;
        const wchar_t* factorText;
    };
    const Case cases[] = {
        {413, true, false, false, true, 3, nullptr}, {820, true, false, false, false, 5, nullptr},
        {864, true, true, true, false, 1, L"2.5"},   {874, false, true, false, false, -1, L"-3.25"},
        {871, true, false, true, false, 4, nullptr},
    };
    for (const Case& c : cases) {
        Program& p = Open();
        AddBlock(p, 800);
        CBlockObj* pBlock = AddBlock(p, c.type);
        pBlock->m_nTime1Base = 0;
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 EXPECT_EQ(Shown(s.m_pPage, 1277), c.list) << c.type;
                                 EXPECT_EQ(Shown(s.m_pPage, 1289), c.factor) << c.type;
                                 EXPECT_EQ(Shown(s.m_pPage, 1546), c.reference) << c.type;
                                 EXPECT_EQ(Shown(s.m_pPage, 1276), c.retentivity) << c.type;
                                 if (c.type == 820) {
                                     EXPECT_EQ(Entry(s.m_pPage, 1277, 5), L"256");
                                 }
                                 if (c.choose >= 0)
                                     Pick(s.m_pPage, 1277, c.choose);
                                 if (c.factorText)
                                     Type(s.m_pPage, 1289, c.factorText);
                                 Click(s.m_pPage, 1269);
                                 Press(s, IDOK);
                             }});
        EXPECT_EQ(pBlock->m_nTime1Base, c.choose >= 0 ? c.choose : 0) << c.type;
        if (c.factorText) {
            EXPECT_DOUBLE_EQ(pBlock->m_dParam, _wtof(c.factorText)) << c.type;
        }
        EXPECT_TRUE(pBlock->m_bProtected) << c.type;
        auto reloaded = SaveAndReload(p);
        EXPECT_DOUBLE_EQ(reloaded->FindBlockByNumber(pBlock->m_nNumber)->m_dParam, pBlock->m_dParam) << c.type;
    }
}

TEST_F(CounterPagesTest, TheFactorStaysWithinItsBoundsHoweverItIsEntered)
{
    Program& p = Open();
    CBlockObj* pSource = AddBlock(p, 800);
    CBlockObj* pLog = AddBlock(p, 864);
    RunSheet(p, pLog, {[&](CAllPropertySheet& s) {
                           Type(s.m_pPage, 1289, L"12345");
                           EXPECT_EQ(Text(s.m_pPage, 1289), L"10000");
                           // Stepped past the bound, it stays at the bound.
                           NMUPDOWN step{};
                           step.hdr.hwndFrom = s.m_pPage->GetDlgItem(1290)->GetSafeHwnd();
                           step.hdr.idFrom = 1290;
                           step.hdr.code = UDN_DELTAPOS;
                           step.iDelta = 1;
                           s.m_pPage->SendMessage(WM_NOTIFY, 1290, reinterpret_cast<LPARAM>(&step));
                           EXPECT_EQ(Text(s.m_pPage, 1289), L"10000");
                           step.iDelta = -1;
                           s.m_pPage->SendMessage(WM_NOTIFY, 1290, reinterpret_cast<LPARAM>(&step));
                           EXPECT_EQ(Text(s.m_pPage, 1289), L"9999.99");
                           s.m_pPage->SetDlgItemText(1289, L"-20000");
                           EXPECT_EQ(Text(s.m_pPage, 1289), L"-10000");
                           Click(s.m_pPage, 1546);
                           Press(s, IDOK);
                       }});
    // A referenced base stores no literal choice or factor.
    EXPECT_EQ(pLog->m_pRefBlock[0], pSource);
    EXPECT_TRUE(pLog->m_bRef[0]);
    EXPECT_EQ(pLog->m_nTime1Base, 2);
    EXPECT_DOUBLE_EQ(pLog->m_dParam, 0.0);
}

}  // namespace
}  // namespace pagestest
