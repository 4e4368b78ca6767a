// The WiFi, UDC and Modbus pages through the view: each mode shows its own lists, hexadecimal
// texts hold hexadecimal digits however they arrive, and the Modbus words come out as the
// worked values say.
#include "SecondSetSupport.h"

#include "elements/BlockModbus.h"
#include "pages/BlockPage.h"
#include "elements/BlockWifi.h"

namespace pagestest {
namespace {

class CommPagesTest : public PagesTest {};

TEST_F(CommPagesTest, WifiModesShowTheirOwnListsAndStoreTheirPositions)
{
    Program& p = Open();
    auto* pRead = dynamic_cast<CBlockWIFI*>(AddBlock(p, 824));
    ASSERT_NE(pRead, nullptr);
    RunSheet(p, pRead, {[&](CAllPropertySheet& s) {
                            CWnd* pPage = s.m_pPage;
                            EXPECT_TRUE(Shown(pPage, 1112));
                            Pick(pPage, 1435, 2);
                            Pick(pPage, 1319, 1);
                            EXPECT_EQ(Entry(pPage, 1550, 0), L"Q0");
                            EXPECT_EQ(Count(pPage, 1550), 16);
                            Pick(pPage, 1319, 0);
                            EXPECT_EQ(Count(pPage, 1550), 32);
                            Pick(pPage, 1550, 12);
                            Press(s, IDOK);
                        }});
    EXPECT_EQ(pRead->m_nWifiSource, 0);
    EXPECT_EQ(pRead->m_nWifiId, 2);
    EXPECT_EQ(pRead->m_nWifiBlockType, 0);
    EXPECT_EQ(pRead->m_nWifiBlockNumber, 12);
    RunSheet(p, pRead, {[&](CAllPropertySheet& s) {
                            CWnd* pPage = s.m_pPage;
                            EXPECT_EQ(Text(pPage, 1550), L"I12");
                            Click(pPage, 1112);
                            EXPECT_FALSE(Shown(pPage, 1435));
                            EXPECT_EQ(Count(pPage, 1319), 7);
                            EXPECT_EQ(Entry(pPage, 1319, 2), L"WiFi ID3 communication status");
                            Click(pPage, 1433);
                            EXPECT_EQ(Text(pPage, 1435), L"1");
                            EXPECT_EQ(Text(pPage, 1550), L"I0");
                            Click(pPage, 1112);
                            Pick(pPage, 1319, 4);
                            Press(s, IDOK);
                        }});
    EXPECT_EQ(pRead->m_nWifiSource, 2);
    EXPECT_EQ(pRead->m_nWifiBlockType, 4);
    EXPECT_EQ(pRead->m_nWifiId, 0);

    auto* pWrite = dynamic_cast<CBlockWIFI*>(AddBlock(p, 827));
    RunSheet(p, pWrite, {[&](CAllPropertySheet& s) {
                             CWnd* pPage = s.m_pPage;
                             EXPECT_FALSE(Shown(pPage, 1112));
                             EXPECT_EQ(Text(pPage, 1434), L"VAM");
                             Click(pPage, 1434);
                             EXPECT_FALSE(Shown(pPage, 1435));
                             EXPECT_FALSE(Shown(pPage, 1319));
                             EXPECT_EQ(Entry(pPage, 1550, 31), L"VAM31");
                             Pick(pPage, 1550, 31);
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pWrite->m_nWifiSource, 1);
    EXPECT_EQ(pWrite->m_nWifiBlockNumber, 31);
    auto reloaded = SaveAndReload(p);
    EXPECT_EQ(dynamic_cast<CBlockWIFI*>(reloaded->FindBlockByNumber(pRead->m_nNumber))->m_nWifiBlockType, 4);
}

TEST_F(CommPagesTest, UdcCharactersAreHexadecimalHoweverTheyArrive)
{
    Program& p = Open();
    CBlockObj* pUdc = AddBlock(p, 855);
    pUdc->m_nPreWarn[3] = pUdc->m_nPreWarn[2] = 1;
    RunSheet(p, pUdc, {[&](CAllPropertySheet& s) {
                           CWnd* pPage = s.m_pPage;
                           EXPECT_FALSE(Enabled(pPage, 1308));
                           Click(pPage, 1232);
                           EXPECT_TRUE(Enabled(pPage, 1308));
                           pPage->SetDlgItemText(1308, L"ff");  // pasted lower case
                           EXPECT_EQ(Text(pPage, 1308), L"FF");
                           Click(pPage, 1234);
                           pPage->SetDlgItemText(1089, L"g1");
                           EXPECT_EQ(Text(pPage, 1089), L"1");
                           Pick(pPage, 1310, 1);
                           pPage->SetDlgItemText(1314, L"40");
                           EXPECT_EQ(Text(pPage, 1314), L"31");
                           Type(pPage, 1309, L"127");
                           Type(pPage, 1307, L"250");
                           Pick(pPage, 1178, 2);
                           Press(s, IDOK);
                       }});
    EXPECT_EQ(pUdc->m_nYearly, 1);
    EXPECT_EQ(pUdc->m_nPulse, 1);
    EXPECT_EQ(pUdc->m_nTime1High, 0xFF);
    EXPECT_EQ(pUdc->m_nTime2Low, 1);
    EXPECT_EQ(pUdc->m_nPreWarn[1], 1);
    EXPECT_EQ(pUdc->m_nYearEnd, 31);
    EXPECT_EQ(pUdc->m_nPreWarn[3], 127);
    EXPECT_EQ(pUdc->m_nTime1Base, 250);
    EXPECT_EQ(pUdc->m_nTime2Base, 2);
    auto reloaded = SaveAndReload(p);
    EXPECT_EQ(reloaded->FindBlockByNumber(pUdc->m_nNumber)->m_nTime1High, 0xFF);
}

TEST_F(CommPagesTest, ModbusWordsFollowTheWorkedValues)
{
    struct Case {
        int type, command;
        bool manual;
        const wchar_t *count, *first, *second;
        int dataType;
        const wchar_t* address;
        int word1, word2, function;
    };
    const Case cases[] = {
        {814, 2, true, L"20", L"FFFF", L"FFFF", 0, nullptr, 0xFFFF, 0x000F, 15},
        {814, 2, true, L"5", L"FF", L"0", 0, nullptr, 0x1F, 0, 15},
        {814, 3, true, L"3", L"12", L"34", 0, nullptr, 0x12, 0x34, 16},
        {814, 1, false, nullptr, nullptr, nullptr, 1, L"40", 595, 0, 6},
        {814, 1, false, nullptr, nullptr, nullptr, 2, L"10", 510, 0, 6},
        {814, 0, false, nullptr, nullptr, nullptr, 2, L"7", 7, 0, 5},
        {813, 0, false, L"200", nullptr, nullptr, 1, L"5", 261, 0, 1},
    };
    for (const Case& c : cases) {
        Program& p = Open();
        auto* pBlock = dynamic_cast<CBlockMR*>(AddBlock(p, c.type));
        ASSERT_NE(pBlock, nullptr);
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 CWnd* pPage = s.m_pPage;
                                 Pick(pPage, 1179, c.command);
                                 if (c.type == 814)
                                     Click(pPage, c.manual ? 1181 : 1180);
                                 if (c.count)
                                     Type(pPage, 1084, c.count);
                                 if (c.first) {
                                     Type(pPage, 1087, c.first);
                                     Type(pPage, 1086, c.second);
                                 }
                                 if (c.address) {
                                     Pick(pPage, 1182, c.dataType);
                                     Type(pPage, 1085, c.address);
                                 }
                                 Press(s, IDOK);
                             }});
        EXPECT_EQ(pBlock->m_byFunction, c.function) << c.type << " " << c.command;
        EXPECT_EQ(pBlock->m_wData1, c.word1) << c.type << " " << c.command;
        EXPECT_EQ(pBlock->m_wData2, c.word2) << c.type << " " << c.command;
        if (c.type == 813) {
            EXPECT_EQ(pBlock->m_wCount, 128);
        }
        auto reloaded = SaveAndReload(p);
        EXPECT_EQ(dynamic_cast<CBlockMR*>(reloaded->FindBlockByNumber(pBlock->m_nNumber))->m_wData1, c.word1);
    }
}

TEST_F(CommPagesTest, ModbusListsFollowTheCommandAndHexTextsStayHexadecimal)
{
    Program& p = Open();
    auto* pRead = dynamic_cast<CBlockMR*>(AddBlock(p, 813));
    RunSheet(p, pRead, {[&](CAllPropertySheet& s) {
                            CWnd* pPage = s.m_pPage;
                            Pick(pPage, 1179, 0);
                            Pick(pPage, 1182, 1);
                            Pick(pPage, 1179, 1);
                            EXPECT_EQ(Text(pPage, 1182), L"Q");
                            Pick(pPage, 1179, 2);
                            EXPECT_EQ(Text(pPage, 1182), L"AM");
                            Type(pPage, 1084, L"0");
                            EXPECT_EQ(Text(pPage, 1084), L"1");
                            Press(s, IDCANCEL);
                        }});
    auto* pWrite = dynamic_cast<CBlockMR*>(AddBlock(p, 814));
    pWrite->m_byFunction = 15;
    pWrite->m_byCommand = 0;
    RunSheet(p, pWrite, {[&](CAllPropertySheet& s) {
                             CWnd* pPage = s.m_pPage;
                             EXPECT_EQ(Selection(pPage, 1179), 2);
                             Click(pPage, 1181);
                             Type(pPage, 1087, L"bG");
                             EXPECT_EQ(Text(pPage, 1087), L"B");
                             Pick(pPage, 1179, 3);
                             Type(pPage, 1084, L"3");
                             EXPECT_EQ(Text(pPage, 1084), L"2");
                             Pick(pPage, 1179, 0);
                             EXPECT_EQ(Text(pPage, 1084), L"1");
                             EXPECT_FALSE(Enabled(pPage, 1084));
                             EXPECT_TRUE(Enabled(pPage, 1183));
                             Press(s, IDCANCEL);
                         }});
}

}  // namespace
}  // namespace pagestest
