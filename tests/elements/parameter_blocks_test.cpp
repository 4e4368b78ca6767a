// Records, copies and steps of the blocks that mostly carry settings: Modbus, WiFi, the data log
// and the message text; and the archive round trip of every class of the analog, word, math,
// device, Modbus, WiFi, data log and message-text families.
#include "ValueBench.h"

#include "elements/BlockDataLog.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockModbus.h"
#include "elements/BlockWifi.h"
#include "msgtext/Widget.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// Writes the element with its class tag and reads it back as a new object.
std::unique_ptr<CBlockObj> ThroughArchive(CBlockObj* p, std::vector<BYTE>* pBytes = nullptr)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteObject(p);
        ar.Close();
    }
    std::vector<BYTE> bytes(file.GetData(), file.GetData() + file.GetLength());
    if (pBytes)
        *pBytes = bytes;
    CMemFile in(bytes.data(), UINT(bytes.size()));
    CArchive ar(&in, CArchive::load);
    return std::unique_ptr<CBlockObj>(
        static_cast<CBlockObj*>(ar.ReadObject(RUNTIME_CLASS(CBlockObj))));
}

} // namespace

TEST(ValueFamilyRecords, EveryClassReadsBackAsItselfWithTheSameRecord)
{
    std::vector<int> types = {803, 804, 805, 806, 807, 810, 813, 814, 815, 816, 817, 818, 819,
                              820, 821, 822, 824, 825, 826, 827, 911};
    for (int t = 830; t <= 856; ++t)
        types.push_back(t);
    for (int t = 860; t <= 879; ++t)
        types.push_back(t);
    for (int nType : types) {
        std::unique_ptr<CBlockObj> p(NewBlockOfType(nType));
        ASSERT_TRUE(p) << nType;
        p->m_nNumber = 9000 + nType;
        p->m_nTime1High = 3;  // a few parameter words off their defaults
        p->m_dParam = 2.5;
        if (nType == 911)
            p->m_nTime1High = 0;
        std::vector<BYTE> bytes;
        std::unique_ptr<CBlockObj> back = ThroughArchive(p.get(), &bytes);
        ASSERT_TRUE(back) << nType;
        EXPECT_STREQ(back->GetRuntimeClass()->m_lpszClassName,
                     p->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(back->m_byOptions, p->m_byOptions) << nType;  // from the class, not the file
        EXPECT_EQ(StoreBody(*back), StoreBody(*p)) << nType;
    }
}

TEST(ModbusBlock, RecordLayoutRoundTripAndCopy)
{
    CBlockMW mw(814);
    EXPECT_EQ(mw.m_bySlave, 1);
    EXPECT_EQ(mw.m_wCount, 1);
    EXPECT_EQ(mw.m_strData1, CString(L"0"));
    const int links[] = {52, 52, 55, 82, 83, 84, 85, 86, 57, 53};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(mw.m_nLink[i], links[i]) << i;
    mw.m_bySlave = 247;
    mw.m_byCommand = 3;
    mw.m_byFunction = 16;
    mw.m_byWriteMode = 1;
    mw.m_nPort = 2;
    mw.m_wRegister = 0xBEEF;
    mw.m_wCount = 2;
    mw.m_wData1 = 0x1234;
    mw.m_wData2 = 0xABCD;
    mw.m_wDataAddress = 77;
    mw.m_nDataArea = 1;
    mw.m_strData1 = L"1234";
    mw.m_strData2 = L"ABCD";

    const std::vector<BYTE> body = StoreBody(mw);
    CBlockObj plain(814, 3);
    const size_t base = StoreBody(plain).size();
    // 22 bytes: slave, command, function, register, count, data 1, data 2, port, write mode,
    // data area, data address; then the two strings.
    const BYTE part[] = {247, 3, 16, 0xEF, 0xBE, 2, 0, 0x34, 0x12, 0xCD, 0xAB, 2, 0, 0, 0,
                         1, 1, 0, 0, 0, 77, 0};
    ASSERT_GE(body.size(), base + sizeof(part));
    EXPECT_EQ(0, std::memcmp(body.data() + base, part, sizeof(part)));

    std::unique_ptr<CBlockObj> back = ThroughArchive(&mw);
    auto* pBack = dynamic_cast<CBlockMW*>(back.get());
    ASSERT_NE(pBack, nullptr);
    EXPECT_EQ(pBack->m_strData2, CString(L"ABCD"));
    EXPECT_EQ(pBack->m_wRegister, 0xBEEF);

    CBlockMW copy(814);
    mw.CopyTo(&copy, FALSE, 0x11);  // whatever the machine type
    EXPECT_EQ(copy.m_strData1, CString(L"1234"));
    EXPECT_EQ(copy.m_nPort, 2);
    EXPECT_EQ(copy.m_wData2, 0xABCD);

    std::vector<BYTE> cut(body.begin(), body.end() - 3);
    CBlockMW shortRecord;
    EXPECT_EQ(LoadFailure(shortRecord, cut, 1), CArchiveException::endOfFile);
}

TEST(ModbusBlock, OutputFollowsEnableUnlessReset)
{
    struct Case { int en; int r; int q; };
    const Case cases[] = {{1, 0, 1}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}};
    for (const Case& c : cases) {
        ValueBench b;
        b.doc.m_nDocKind = CTavixDoc::kindLadder;
        CBlockObj* p = b.Make(813);
        ValueBench::Wire(p, 0, b.Bit(101, c.en));
        ValueBench::Wire(p, 1, b.Bit(102, c.r));
        CBlockObj* pContact = b.Add(TYPE_MAKE, NUM_MAKE, 1);
        pContact->m_nOperand = p->m_nNumber;
        pContact->m_nPinValue[0] = 1;
        pContact->m_nPinValue[kOutputPin] = 1;
        p->m_nPinValue[kOutputPin] = 1 - c.q;
        EXPECT_TRUE(p->Simulate(&b.view));
        EXPECT_EQ(p->m_nPinValue[kOutputPin], c.q);
        EXPECT_EQ(pContact->m_nPinValue[kOutputPin], c.q);  // passed on in the same step
        EXPECT_EQ(p->m_dElapsed, 0);
    }
}

TEST(WifiBlock, FourSelectionWordsStoredAndCopied)
{
    CBlockWIFIAOut w(827);
    EXPECT_EQ(w.m_nOutputs, 0);  // a write block has no output pin
    CRect r;
    EXPECT_FALSE(w.GetPinRect(&r, kOutputPin, kPinRectSize));
    const std::vector<BYTE> fresh = StoreBody(w);
    EXPECT_EQ(std::vector<BYTE>(fresh.end() - 16, fresh.end()), std::vector<BYTE>(16, 0));

    w.m_nWifiSource = 2;
    w.m_nWifiId = 3;
    w.m_nWifiBlockType = 4;
    w.m_nWifiBlockNumber = 5;
    std::unique_ptr<CBlockObj> back = ThroughArchive(&w);
    auto* pBack = dynamic_cast<CBlockWIFIAOut*>(back.get());
    ASSERT_NE(pBack, nullptr);
    EXPECT_EQ(pBack->m_nWifiSource, 2);
    EXPECT_EQ(pBack->m_nWifiId, 3);
    EXPECT_EQ(pBack->m_nWifiBlockType, 4);
    EXPECT_EQ(pBack->m_nWifiBlockNumber, 5);

    // A copy keeps the settings (the ladder to function block conversion copies blocks).
    CBlockWIFIAOut copy(827);
    w.CopyTo(&copy, TRUE, 0x51);
    EXPECT_EQ(copy.m_nWifiBlockType, 4);
    EXPECT_EQ(copy.m_nWifiBlockNumber, 5);

    CBlockWIFIIn in(824);
    const int links[] = {52, 55, 98, 99, 100, 101, 58, 53};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(in.m_nLink[i], links[i]) << i;
}

TEST(DataLogBlock, ItemsFollowTheCountInTheElementRecord)
{
    CBlockDataLog log(911);
    EXPECT_EQ(log.m_nOutputs, 0);
    EXPECT_EQ(log.m_nLink[1], LINK_PARAM);
    const size_t empty = StoreBody(log).size();
    CBlockDataLog emptyBack;
    EXPECT_EQ(LoadBody(emptyBack, StoreBody(log), 1), 0u);
    EXPECT_EQ(emptyBack.m_aItems.GetSize(), 0);

    const CDataLogItem items[] = {
        {L"B12", L"Count", 9012, 2, nullptr},
        {L"AM3", L"", 4291, 0, nullptr},
        {L"I001", L"", 101, 0, nullptr},
    };
    for (const CDataLogItem& item : items)
        log.m_aItems.Add(item);
    // The count is taken from the items when storing, even if an edit left it stale.
    log.m_nTime1High = 1;
    const std::vector<BYTE> bytes = StoreBody(log);
    EXPECT_GT(bytes.size(), empty);
    EXPECT_EQ(log.m_nTime1High, 3);

    CBlockDataLog back;
    EXPECT_EQ(LoadBody(back, bytes, 1), 0u);
    ASSERT_EQ(back.m_aItems.GetSize(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.m_aItems[i].m_strOperand, items[i].m_strOperand);
        EXPECT_EQ(back.m_aItems[i].m_strParam, items[i].m_strParam);
        EXPECT_EQ(back.m_aItems[i].m_nOperand, items[i].m_nOperand);
        EXPECT_EQ(back.m_aItems[i].m_nParamIndex, items[i].m_nParamIndex);
        EXPECT_EQ(back.m_aItems[i].m_pBlock, nullptr);
    }

    // A damaged count is refused instead of sizing a huge array or reading past the items.
    // (A plain element record carries the count as it stands.)
    CBlockObj marker(911, 2);
    marker.m_nTime1High = 0x5A5A5A5A;
    const std::vector<BYTE> withCount = StoreBody(marker);
    CBlockDataLog huge;
    EXPECT_EQ(LoadFailure(huge, withCount, 1), CArchiveException::genericException);
    marker.m_nTime1High = -1;
    CBlockDataLog negative;
    EXPECT_EQ(LoadFailure(negative, StoreBody(marker), 1), CArchiveException::genericException);
    marker.m_nTime1High = 2;  // claims two items, holds none
    CBlockDataLog missing;
    EXPECT_EQ(LoadFailure(missing, StoreBody(marker), 1), CArchiveException::endOfFile);
}

TEST(DataLogBlock, SimulationChangesNothing)
{
    ValueBench b;
    CBlockDataLog* p = b.Make<CBlockDataLog>(911, NUM_DATALOG);
    p->m_aItems.Add(CDataLogItem{L"AM0", L"", 4288, 0, nullptr});
    ValueBench::Wire(p, 0, b.Bit(101, 1));
    EXPECT_TRUE(p->Simulate(&b.view));
    EXPECT_EQ(p->m_nPinValue[kOutputPin], 0);
    EXPECT_EQ(p->m_aItems.GetSize(), 1);
}

TEST(MessageText, RecordOfBothSetsAndOlderRecords)
{
    CBlockMSGTEXT text(810);
    EXPECT_EQ(text.m_nCount, -1);
    EXPECT_EQ(text.m_astrCells1[0], CString(L"W"));
    EXPECT_EQ(text.m_astrCells2[CBlockMSGTEXT::CellIndex(3, 0)], CString(L"W"));
    EXPECT_TRUE(text.m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)].IsEmpty());
    text.m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)] = L"H";
    text.m_astrCells1[CBlockMSGTEXT::CellIndex(4, 24)] = L"z";
    text.m_astrCells2[CBlockMSGTEXT::CellIndex(2, 5)] = L"\x4e2d";
    text.m_nCurrentSet = 1;
    text.m_bTickerLine[7] = 1;
    text.m_bShowDetails = 1;
    const std::vector<BYTE> bytes = StoreBody(text);
    CBlockMSGTEXT back;
    EXPECT_EQ(LoadBody(back, bytes, 1), 0u);
    EXPECT_EQ(StoreBody(back), bytes);
    EXPECT_EQ(back.m_astrCells2[CBlockMSGTEXT::CellIndex(2, 5)], CString(L"\x4e2d"));
    EXPECT_EQ(back.m_bTickerLine[7], 1);

    // A schema-0 record: the element record without its schema-1 items, then 65 set-1 cells.
    CBlockObj plain(810, 3);
    std::vector<BYTE> old = StoreBody(plain);
    old.resize(old.size() - 56);
    CMemFile cells;
    {
        CArchive ar(&cells, CArchive::store);
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 13; ++column)
                ar << CString(row == 1 && column == 12 ? L"Q" : L"x");
        ar.Close();
    }
    old.insert(old.end(), cells.GetData(), cells.GetData() + cells.GetLength());
    CBlockMSGTEXT older;
    EXPECT_EQ(LoadBody(older, old, 0), 0u);
    EXPECT_EQ(older.m_astrCells1[CBlockMSGTEXT::CellIndex(1, 12)], CString(L"Q"));
    EXPECT_EQ(older.m_astrCells1[CBlockMSGTEXT::CellIndex(0, 0)], CString(L"x"));
    EXPECT_EQ(older.m_astrCells1[CBlockMSGTEXT::CellIndex(0, 13)], CString(L"W"));
    EXPECT_TRUE(older.m_astrCells1[CBlockMSGTEXT::CellIndex(1, 13)].IsEmpty());
    EXPECT_EQ(older.m_astrCells2[CBlockMSGTEXT::CellIndex(0, 3)], CString(L"W"));
    EXPECT_EQ(older.m_bSet1Enabled, 1);
    EXPECT_EQ(older.m_bSet2Enabled, 0);
}

TEST(MessageText, SettingsOfANewBlockComeFromTheDocument)
{
    struct Case { int machine; int current; int set; int set1; int set2; };
    const Case cases[] = {{0x51, 1, 1, 0, 1}, {0x51, 0, 0, 1, 0}, {0x11, 1, 0, 1, 0}};
    for (const Case& c : cases) {
        CBlockMSGTEXT text(810);
        text.ApplyDocumentSettings(c.machine, c.current);
        EXPECT_EQ(text.m_nCurrentSet, c.set);
        EXPECT_EQ(text.m_bSet1Enabled, c.set1);
        EXPECT_EQ(text.m_bSet2Enabled, c.set2);
    }
}

TEST(MessageText, CopyByMachineType)
{
    CBlockMSGTEXT src(810);
    for (int line = 0; line < 4; ++line) {
        auto* pField = new CWidget();
        pField->m_nItem = 10 + line;
        src.m_aLines1[line].Add(pField);
        auto* pField2 = new CWidget();
        pField2->m_nItem = 20 + line;
        src.m_aLines2[line].Add(pField2);
    }
    src.m_astrCells1[CBlockMSGTEXT::CellIndex(1, 12)] = L"a";
    src.m_astrCells1[CBlockMSGTEXT::CellIndex(1, 13)] = L"b";
    src.m_astrCells2[CBlockMSGTEXT::CellIndex(1, 1)] = L"c";
    src.m_bShowDetails = 1;

    CBlockMSGTEXT oldDst(810);
    oldDst.m_aLines1[0].Add(new CWidget());  // replaced by the copy, not leaked
    src.CopyTo(&oldDst, FALSE, 0x11);
    ASSERT_EQ(oldDst.m_aLines1[2].GetSize(), 1);
    EXPECT_EQ(static_cast<CWidget*>(oldDst.m_aLines1[2][0])->m_nItem, 12);
    EXPECT_NE(oldDst.m_aLines1[2][0], src.m_aLines1[2][0]);  // a copy, not shared
    EXPECT_EQ(oldDst.m_aLines2[0].GetSize(), 0);
    EXPECT_EQ(oldDst.m_astrCells1[CBlockMSGTEXT::CellIndex(1, 12)], CString(L"a"));
    EXPECT_TRUE(oldDst.m_astrCells1[CBlockMSGTEXT::CellIndex(1, 13)].IsEmpty());
    EXPECT_TRUE(oldDst.m_astrCells2[CBlockMSGTEXT::CellIndex(1, 1)].IsEmpty());
    EXPECT_EQ(oldDst.m_bShowDetails, 0);

    CBlockMSGTEXT newDst(810);
    src.CopyTo(&newDst, FALSE, 0x51);
    EXPECT_EQ(static_cast<CWidget*>(newDst.m_aLines2[3][0])->m_nItem, 23);
    EXPECT_EQ(newDst.m_astrCells1[CBlockMSGTEXT::CellIndex(1, 13)], CString(L"b"));
    EXPECT_EQ(newDst.m_astrCells2[CBlockMSGTEXT::CellIndex(1, 1)], CString(L"c"));
    EXPECT_EQ(newDst.m_bShowDetails, 1);
}

TEST(MessageText, OutputWithAcknowledgement)
{
    struct Step { int en; int latch; int q; int pending; };
    struct Case { BOOL ack; std::vector<Step> steps; };
    const Case cases[] = {
        {FALSE, {{1, 0, 1, 0}, {1, 0, 1, 0}, {0, 0, 0, 0}}},
        {TRUE, {{1, 0, 1, 1}, {1, 1, 1, 1}, {0, 1, 1, 1}, {0, 1, 1, 1}, {0, 0, 0, 1}}},
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockMSGTEXT* p = b.Make<CBlockMSGTEXT>(810);
        CBlockObj* pEn = b.Bit(101, 0);
        ValueBench::Wire(p, 0, pEn);
        p->AcknowledgeRequired() = c.ack;
        for (const Step& s : c.steps) {
            pEn->m_nPinValue[kOutputPin] = s.en;
            p->m_bAckLatch = s.latch;
            EXPECT_TRUE(p->Simulate(&b.view));
            EXPECT_EQ(p->m_nPinValue[kOutputPin], s.q) << c.ack << " en " << s.en;
            EXPECT_EQ(p->AcknowledgePending(), s.pending) << c.ack << " en " << s.en;
        }
    }
}
