// The I/O constant pages, the input simulation page and the relay page through the view: only
// free terminals are offered, a new terminal renumbers the block and what is wired to it, the
// simulation range comes back in order, and a shift register always keeps a valid index.
#include "SecondSetSupport.h"

#include "elements/BlockIO.h"
#include "elements/BlockMSGTEXT.h"
#include "msgtext/Widget.h"
#include "resources/resource.h"
#include "pages/ConstantsIOPar.h"

namespace pagestest {
namespace {

class IoPagesTest : public PagesTest {
protected:
    CBlockObj* AddAt(Program& p, int type, int index, int base)
    {
        CBlockObj* pBlock = AddBlock(p, type);
        pBlock->m_nOperand = index;
        pBlock->m_nNumber = base + index;
        return pBlock;
    }
    std::vector<std::wstring> Entries(CWnd* pPage, UINT id)
    {
        std::vector<std::wstring> out;
        for (int i = 0; i < Count(pPage, id); ++i)
            out.push_back(Entry(pPage, id, i));
        return out;
    }
};

TEST_F(IoPagesTest, AnInputIsOfferedTheFreeNumbersAndMovesWithItsWires)
{
    Program& p = Open();
    AddAt(p, 600, 0, 100);
    CBlockObj* pSecond = AddAt(p, 600, 2, 100);
    CBlockObj* pThird = AddAt(p, 600, 4, 100);
    CBlockObj* pGate = AddBlock(p, 300);
    pGate->m_nLink[0] = pThird->m_nNumber;
    RunSheet(p, pSecond, {[&](CAllPropertySheet& s) {
                              const auto numbers = Entries(s.m_pPage, 1001);
                              ASSERT_GE(numbers.size(), 3u);
                              EXPECT_EQ(numbers[0], L"I1");
                              EXPECT_EQ(numbers[1], L"I2");
                              EXPECT_EQ(numbers[2], L"I3");
                              EXPECT_EQ(numbers.size(), 30u);  // 32 less the two others
                              EXPECT_EQ(Text(s.m_pPage, 1001), L"I2");
                              EXPECT_TRUE(Shown(s.m_pPage, 1215));
                              Press(s, IDCANCEL);
                          }});
    RunSheet(p, pThird, {[&](CAllPropertySheet& s) {
                             ASSERT_EQ(s.GetPageCount(), 3);  // number, comment, simulation
                             Pick(s.m_pPage, 1002, 1);      // Ext.1 keeps number 4
                             EXPECT_EQ(Text(s.m_pPage, 1001), L"I4");
                             const int i5 = int(s.m_pPage->GetDlgItem(1001)->SendMessage(CB_FINDSTRINGEXACT, WPARAM(-1),
                                                                                          reinterpret_cast<LPARAM>(L"I5")));
                             Pick(s.m_pPage, 1001, i5);
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pThird->m_nOperand, 37);
    EXPECT_EQ(pThird->m_nNumber, 137);
    EXPECT_EQ(pThird->m_strText, CString(L"I5"));
    EXPECT_EQ(pGate->m_nLink[0], 137);
    auto reloaded = SaveAndReload(p);
    ASSERT_NE(reloaded->FindBlockByNumber(137), nullptr);
    EXPECT_EQ(reloaded->FindBlockByNumber(137)->m_nOperand, 37);
}

TEST_F(IoPagesTest, MessageTextFieldsOfAMovedTerminalGoTheSameWayOnOkAndOnApply)
{
    struct Case {
        int type, base;
        const wchar_t* choice;
        int index;
        bool fieldStays;  // an analog output keeps its fields, under its new number
    };
    const Case cases[] = {{600, 100, L"I5", 5, false}, {605, 600, L"Q3", 3, false}, {609, 4230, L"AQ3", 3, true}};
    for (const bool simulating : {false, true})
        for (const Case& c : cases) {
            Program& p = Open();
            CBlockObj* pBlock = AddAt(p, c.type, 1, c.base);
            auto* pText = dynamic_cast<CBlockMSGTEXT*>(AddBlock(p, 810));
            ASSERT_NE(pText, nullptr);
            auto* pField = new CWidget();
            pField->m_pBlock = pBlock;
            pField->m_nNumber = pBlock->m_nNumber;
            pText->m_aLines1[0].Add(pField);
            auto pick = [&](CAllPropertySheet& s) {
                const int pos = int(s.m_pPage->GetDlgItem(1001)->SendMessage(CB_FINDSTRINGEXACT, WPARAM(-1),
                                                                             reinterpret_cast<LPARAM>(c.choice)));
                ASSERT_GE(pos, 0) << c.choice;
                Pick(s.m_pPage, 1001, pos);
            };
            if (!simulating) {
                RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                         pick(s);
                                         Press(s, IDOK);
                                     }});
            } else {
                CAllPropertySheet* pSheet = OpenModeless(p, pBlock);
                ASSERT_NE(pSheet, nullptr);
                pick(*pSheet);
                Press(*pSheet, ID_APPLY_NOW);
                pSheet->DestroyWindow();
                drv.Pump();
            }
            const char* road = simulating ? "Apply" : "OK";
            EXPECT_EQ(pBlock->m_nNumber, c.base + c.index) << c.type << " " << road;
            ASSERT_EQ(pText->m_aLines1[0].GetSize(), c.fieldStays ? 1 : 0) << c.type << " " << road;
            if (c.fieldStays) {
                EXPECT_EQ(static_cast<CWidget*>(pText->m_aLines1[0][0])->m_nNumber, c.base + c.index) << road;
            }
        }
}

TEST_F(IoPagesTest, OlderDevicesListFewerTerminals)
{
    struct Case {
        int code, type, base;
        const wchar_t* last;
    };
    const Case cases[] = {{0x1188, 600, 100, L"I15"}, {0x5188, 600, 100, L"I31"}, {0x1188, 605, 600, L"Q7"},
                          {0x5188, 605, 600, L"Q15"}, {0x1188, 602, 1000, L"S0.15"}, {0x5188, 602, 1000, L"S3.15"}};
    for (const Case& c : cases) {
        Program& p = Open();
        p.doc->m_nHardwareCode = WORD(c.code);
        CBlockObj* pBlock = AddAt(p, c.type, 0, c.base);
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 const auto numbers = Entries(s.m_pPage, 1001);
                                 ASSERT_FALSE(numbers.empty());
                                 EXPECT_EQ(numbers.back(), c.last) << c.type << " " << c.code;
                                 Press(s, IDCANCEL);
                             }});
    }
}

TEST_F(IoPagesTest, HighSpeedIsForTheFirstFourInputsOfTheMainModuleOnly)
{
    Program& p = Open();
    auto* pInput = dynamic_cast<CBlockIn*>(AddAt(p, 600, 3, 100));
    ASSERT_NE(pInput, nullptr);
    RunSheet(p, pInput, {[&](CAllPropertySheet& s) {
                             EXPECT_TRUE(Shown(s.m_pPage, 1215));
                             Click(s.m_pPage, 1215);
                             Press(s, IDOK);
                         }});
    EXPECT_TRUE(pInput->m_bHighSpeed);
    RunSheet(p, pInput, {[&](CAllPropertySheet& s) {
                             Pick(s.m_pPage, 1002, 1);
                             EXPECT_FALSE(Shown(s.m_pPage, 1215));
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pInput->m_nNumber, 135);
    EXPECT_FALSE(pInput->m_bHighSpeed);
}

TEST_F(IoPagesTest, StraightThroughRangesAndTheFlagNote)
{
    struct Case {
        int type, base;
        const wchar_t* choice;
        int index;
    };
    const Case cases[] = {{602, 1000, L"S2.5", 37}, {607, 1316, L"M511", 511}, {610, 4288, L"AM17", 17}, {606, 4800, L"X9", 9}};
    for (const Case& c : cases) {
        Program& p = Open();
        CBlockObj* pBlock = AddAt(p, c.type, 0, c.base);
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 const int pos = int(s.m_pPage->GetDlgItem(1001)->SendMessage(
                                     CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(c.choice)));
                                 ASSERT_GE(pos, 0) << c.choice;
                                 Pick(s.m_pPage, 1001, pos);
                                 Press(s, IDOK);
                             }});
        EXPECT_EQ(pBlock->m_nOperand, c.index) << c.choice;
        EXPECT_EQ(pBlock->m_nNumber, c.base + c.index) << c.choice;
    }
}

TEST_F(IoPagesTest, TheSimulationRangeComesBackInOrder)
{
    Program& p = Open();
    CBlockObj* pInput = AddAt(p, 600, 1, 100);
    pInput->m_nSimKind = 0;
    RunSheet(p, pInput, {[&](CAllPropertySheet& s) {
                             ASSERT_TRUE(s.SetActivePage(2));
                             CWnd* pSim = s.GetActivePage();
                             EXPECT_TRUE(Checked(pSim, 1116));
                             EXPECT_FALSE(Enabled(pSim, 1553));
                             EXPECT_FALSE(Enabled(pSim, 1133));
                             Click(pSim, 1119);
                             EXPECT_TRUE(Enabled(pSim, 1553));
                             EXPECT_FALSE(Enabled(pSim, 1133));
                             Click(pSim, 1137);
                             EXPECT_TRUE(Enabled(pSim, 1133));
                             Type(pSim, 1133, L"500");
                             Type(pSim, 1135, L"200");
                             Type(pSim, 1553, L"9000");
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pInput->m_nSimKind, 3);
    EXPECT_EQ(pInput->m_bAutoRange, 0);
    EXPECT_EQ(pInput->m_nSimMin, 200);
    EXPECT_EQ(pInput->m_nSimMax, 500);
    EXPECT_EQ(pInput->m_nSimValue, 500);

    CBlockObj* pAnalog = AddAt(p, 608, 0, 4000);
    RunSheet(p, pAnalog, {[&](CAllPropertySheet& s) {
                              ASSERT_TRUE(s.SetActivePage(2));
                              CWnd* pSim = s.GetActivePage();
                              EXPECT_FALSE(Shown(pSim, 1116));
                              pSim->SetDlgItemText(1553, L"40000");
                              EXPECT_EQ(Text(pSim, 1553), L"32767");
                              Press(s, IDCANCEL);
                          }});
}

TEST_F(IoPagesTest, RelayControlsFollowTheTypeAndAShiftRegisterKeepsAValidIndex)
{
    Program& p = Open();
    CBlockObj* pPulse = AddBlock(p, 809);
    RunSheet(p, pPulse, {[&](CAllPropertySheet& s) {
                             EXPECT_TRUE(Shown(s.m_pPage, 1110));
                             EXPECT_TRUE(Shown(s.m_pPage, IDC_RETENTIVITY));
                             Click(s.m_pPage, 1111);
                             Click(s.m_pPage, IDC_RETENTIVITY);
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pPulse->m_nExtra3, 1);
    EXPECT_TRUE(pPulse->m_bRetentive);

    CBlockObj* shift[4];
    for (int k = 0; k < 4; ++k) {
        shift[k] = AddBlock(p, 812);
        shift[k]->m_nExtra2 = k;
    }
    RunSheet(p, shift[2], {[&](CAllPropertySheet& s) {
                               EXPECT_FALSE(Shown(s.m_pPage, 1110));
                               ASSERT_EQ(Count(s.m_pPage, 1114), 1);
                               EXPECT_EQ(Entry(s.m_pPage, 1114, 0), L"2");
                               EXPECT_EQ(Selection(s.m_pPage, 1114), 0);
                               Pick(s.m_pPage, 1112, 9);
                               Press(s, IDOK);
                           }});
    EXPECT_EQ(shift[2]->m_nExtra2, 2);
    EXPECT_EQ(shift[2]->m_nExtra1, 9);
    // A later register on the same index leaves none free: the register keeps its own, never -1.
    CBlockObj* pFifth = AddBlock(p, 812);
    pFifth->m_nExtra2 = 2;
    RunSheet(p, shift[2], {[&](CAllPropertySheet& s) {
                               EXPECT_EQ(Count(s.m_pPage, 1114), 0);
                               Press(s, IDOK);
                           }});
    EXPECT_EQ(shift[2]->m_nExtra2, 2);
    auto reloaded = SaveAndReload(p);
    EXPECT_EQ(reloaded->FindBlockByNumber(shift[2]->m_nNumber)->m_nExtra1, 9);
}

}  // namespace
}  // namespace pagestest
