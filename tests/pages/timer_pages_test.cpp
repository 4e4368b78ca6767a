// The pages of the timers with one or two times and of the pre-warning switches, worked through
// the view's Block Properties: every field reaches the block and the saved file, low parts
// follow their base, references replace the literal time, and the standard pre-warning values
// follow T.
#include "SecondSetSupport.h"

#include "elements/BlockObj.h"
#include "pages/OneTimeTimerPage.h"
#include "pages/TwoTimeTimerPage.h"
#include "pages/StairwaySwitchPage.h"

namespace pagestest {
namespace {

class TimerPagesTest : public PagesTest {};

TEST_F(TimerPagesTest, EveryFieldOfTheTimePagesReachesTheBlockAndTheFile)
{
    for (int type : {400, 401, 403, 404, 402, 405, 406, 407}) {
        const bool two = type == 402 || type >= 405;
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, type);
        pBlock->m_bRetentive = type == 407;  // the random generator keeps whatever it had
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 Type(s.m_pPage, IDC_BLOCK_NAME, L"Lamp");
                                 Type(s.m_pPage, 1550, L"12");
                                 Type(s.m_pPage, 1549, L"34");
                                 Pick(s.m_pPage, 1548, 1);
                                 if (two) {
                                     Type(s.m_pPage, 1017, L"5");
                                     Type(s.m_pPage, 1019, L"75");
                                     Pick(s.m_pPage, 1016, 2);
                                     if (type == 405)
                                         Pick(s.m_pPage, 1013, 3);
                                     EXPECT_EQ(Shown(s.m_pPage, 1013), type == 405) << type;
                                 }
                                 EXPECT_EQ(Shown(s.m_pPage, IDC_RETENTIVITY), type != 407) << type;
                                 if (type != 407)
                                     Click(s.m_pPage, IDC_RETENTIVITY);
                                 Click(s.m_pPage, IDC_PROTECTION);
                                 Press(s, IDOK);
                             }});
        auto reloaded = SaveAndReload(p);
        const CBlockObj* pSaved = reloaded->FindBlockByNumber(pBlock->m_nNumber);
        for (const CBlockObj* b : {static_cast<const CBlockObj*>(pBlock), pSaved}) {
            ASSERT_NE(b, nullptr) << type;
            EXPECT_EQ(b->m_strName, CString(L"Lamp")) << type;
            EXPECT_EQ(b->m_nTime1High, 12) << type;
            EXPECT_EQ(b->m_nTime1Low, 34) << type;
            EXPECT_EQ(b->m_nTime1Base, 1) << type;
            EXPECT_EQ(b->m_bRetentive, TRUE) << type;
            EXPECT_EQ(b->m_bProtected, TRUE) << type;
            if (two) {
                EXPECT_EQ(b->m_nTime2High, 5) << type;
                EXPECT_EQ(b->m_nTime2Low, 75) << type;
                EXPECT_EQ(b->m_nTime2Base, 2) << type;
            }
            if (type == 405) {
                EXPECT_EQ(b->m_nCount, 3);
            }
        }
    }
}

TEST_F(TimerPagesTest, LowPartsFollowTheirBase)
{
    Program& p = Open();
    CBlockObj* pBlock = AddBlock(p, 402);
    RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                             Pick(s.m_pPage, 1548, 2);
                             Type(s.m_pPage, 1549, L"75");
                             EXPECT_EQ(Text(s.m_pPage, 1549), L"75");
                             Pick(s.m_pPage, 1548, 1);
                             EXPECT_EQ(Text(s.m_pPage, 1549), L"59");
                             Pick(s.m_pPage, 1548, 2);
                             EXPECT_EQ(Text(s.m_pPage, 1549), L"59");
                             Pick(s.m_pPage, 1016, 0);
                             Type(s.m_pPage, 1019, L"75");
                             EXPECT_EQ(Text(s.m_pPage, 1019), L"59");
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pBlock->m_nTime1Low, 59);
    EXPECT_EQ(pBlock->m_nTime2Low, 59);
    EXPECT_EQ(pBlock->m_nTime2Base, 0);
}

TEST_F(TimerPagesTest, AReferencedTimeKeepsNoLiteralAndSwitchingOffDropsTheBlock)
{
    Program& p = Open();
    CBlockObj* pCounter = AddBlock(p, 800);
    CBlockObj* pTimer = AddBlock(p, 400);
    pTimer->m_nTime1High = 3;
    ASSERT_GT(p.doc->CountFlaggedBlocks(pTimer->m_nNumber), 0);
    RunSheet(p, pTimer, {[&](CAllPropertySheet& s) {
                             ASSERT_TRUE(Enabled(s.m_pPage, 1546));
                             Click(s.m_pPage, 1546);
                             EXPECT_FALSE(Shown(s.m_pPage, 1550));
                             EXPECT_TRUE(Shown(s.m_pPage, 104));
                             Pick(s.m_pPage, 102, 1);
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pTimer->m_pRefBlock[0], pCounter);
    EXPECT_TRUE(pTimer->m_bRef[0]);
    EXPECT_EQ(pTimer->m_nRefNumber[0], pCounter->m_nNumber);
    EXPECT_EQ(pTimer->m_nTime1High, 0);
    EXPECT_EQ(pTimer->m_nRefUnit1, 1);
    auto reloaded = SaveAndReload(p);
    EXPECT_EQ(reloaded->FindBlockByNumber(pTimer->m_nNumber)->m_nRefNumber[0], pCounter->m_nNumber);

    RunSheet(p, pTimer, {[&](CAllPropertySheet& s) {
                             EXPECT_TRUE(Shown(s.m_pPage, 104));
                             Click(s.m_pPage, 1546);
                             EXPECT_TRUE(Shown(s.m_pPage, 1550));
                             EXPECT_EQ(Count(s.m_pPage, 1548), 3);
                             Type(s.m_pPage, 1550, L"7");
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pTimer->m_pRefBlock[0], nullptr);
    EXPECT_FALSE(pTimer->m_bRef[0]);
    EXPECT_EQ(pTimer->m_nRefNumber[0], -1);
    EXPECT_EQ(pTimer->m_nTime1High, 7);
    EXPECT_EQ(pTimer->m_nRefUnit1, 0);
}

TEST_F(TimerPagesTest, OlderDevicesTakeNoTimeFromAnotherBlock)
{
    Program& p = Open();
    p.doc->m_nHardwareCode = 0x4088;
    CBlockObj* pCounter = AddBlock(p, 800);
    CBlockObj* pPulse = AddBlock(p, 406);
    pPulse->m_pRefBlock[1] = pCounter;
    pPulse->m_bRef[1] = TRUE;
    pPulse->m_nRefNumber[1] = pCounter->m_nNumber;
    RunSheet(p, pPulse, {[&](CAllPropertySheet& s) {
                             EXPECT_FALSE(Shown(s.m_pPage, 1546));
                             EXPECT_FALSE(Shown(s.m_pPage, 1547));
                             EXPECT_TRUE(Shown(s.m_pPage, 1017));
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pPulse->m_pRefBlock[1], nullptr);
    EXPECT_EQ(pPulse->m_nRefNumber[1], -1);
}

TEST_F(TimerPagesTest, StandardPreWarningValuesFollowTheBaseOfT)
{
    Program& p = Open();
    CBlockObj* pStair = AddBlock(p, 408);
    pStair->m_bStdPreWarning = TRUE;
    pStair->m_nTime2Base = 2;
    pStair->m_nTime1High = 44;  // T lives in the second time; the first stays as it is
    RunSheet(p, pStair, {[&](CAllPropertySheet& s) {
                             EXPECT_EQ(Text(s.m_pPage, 1028), L"75");
                             EXPECT_EQ(Text(s.m_pPage, 1035), L"5");
                             EXPECT_FALSE(Enabled(s.m_pPage, 1028));
                             Pick(s.m_pPage, 1016, 1);
                             EXPECT_EQ(Text(s.m_pPage, 1028), L"15");
                             EXPECT_EQ(Text(s.m_pPage, 1035), L"1");
                             EXPECT_EQ(Text(s.m_pPage, 1237), L"Minutes(m:s)");
                             // Typed by hand, the standard values still count as such.
                             Click(s.m_pPage, 1026);
                             EXPECT_TRUE(Enabled(s.m_pPage, 1028));
                             Type(s.m_pPage, 1017, L"3");
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pStair->m_bStdPreWarning, TRUE);
    EXPECT_EQ(pStair->m_nPreWarn[0], 15);
    EXPECT_EQ(pStair->m_nPreWarn[2], 1);
    EXPECT_EQ(pStair->m_nTime2High, 3);
    EXPECT_EQ(pStair->m_nTime2Base, 1);
    EXPECT_EQ(pStair->m_nTime1High, 44);

    CBlockObj* pSwitch = AddBlock(p, 409);
    RunSheet(p, pSwitch, {[&](CAllPropertySheet& s) {
                              Click(s.m_pPage, 1026);
                              Type(s.m_pPage, 1023, L"2");
                              Type(s.m_pPage, 1028, L"30");
                              Type(s.m_pPage, 1017, L"8");
                              Type(s.m_pPage, 1550, L"9");
                              Press(s, IDOK);
                          }});
    EXPECT_EQ(pSwitch->m_bStdPreWarning, FALSE);
    EXPECT_EQ(pSwitch->m_nPreWarn[1], 2);
    EXPECT_EQ(pSwitch->m_nPreWarn[0], 30);
    EXPECT_EQ(pSwitch->m_nTime2High, 8);
    EXPECT_EQ(pSwitch->m_nTime1High, 9);
    auto reloaded = SaveAndReload(p);
    const CBlockObj* pSaved = reloaded->FindBlockByNumber(pSwitch->m_nNumber);
    EXPECT_EQ(pSaved->m_nPreWarn[0], 30);
    EXPECT_EQ(pSaved->m_nTime1High, 9);
}

TEST_F(TimerPagesTest, RefusedValuesKeepTheSheetOpenAndTheBlockAsItWas)
{
    struct Case {
        int type;
        UINT id;
        const wchar_t* typed;
    };
    const Case cases[] = {{400, 1550, L""}, {400, IDC_BLOCK_NAME, L"NineChars"}, {402, 1019, L""},
                          {408, 1017, L""}, {409, 1549, L""}};
    for (const Case& c : cases) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, c.type);
        pBlock->m_nTime1High = 4;
        pBlock->m_strName = L"Old";
        drv.Host().ClearMessageBoxes();
        bool stillOpen = false;
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 Type(s.m_pPage, IDC_BLOCK_NAME, L"New");
                                 s.m_pPage->SetDlgItemText(int(c.id), c.typed);
                                 Press(s, IDOK);
                             },
                             [&](CAllPropertySheet& s) {
                                 stillOpen = true;
                                 Press(s, IDCANCEL);
                             }});
        EXPECT_TRUE(stillOpen) << c.type << " " << c.id;
        EXPECT_EQ(drv.Host().MessageBoxes().size(), 1u) << c.type << " " << c.id;
        EXPECT_EQ(pBlock->m_nTime1High, 4) << c.type;
        EXPECT_EQ(pBlock->m_strName, CString(L"Old")) << c.type;
    }
}

}  // namespace
}  // namespace pagestest
