// The settings sections: written from the document at download and read back at upload.
#include "ImageTestSupport.h"

#include "elements/BlockDataLog.h"

TEST(SystemSections, WrittenAsTheDeviceReadsThem)
{
    auto doc = MakeDoc();
    doc->m_strProgramName = L"ABCDEFGHIJKLM";
    doc->m_strPassword = L"PASSWORDXY";
    doc->m_port[0][0] = 2;
    doc->m_port[0][2] = 5;
    doc->m_port[2][4] = 7;   // not carried
    doc->m_port[2][11] = 9;  // carried towards the device only
    doc->m_nScanTime = 7;
    doc->m_nContrast = 2;
    doc->m_fv.SetSize(32);
    doc->m_fv[0] = -1.5;
    doc->m_fv[1] = 0.29;
    doc->m_nRedundancy = 2;
    doc->m_nSyncTime = 0x12345;
    doc->m_nTempHigh = 70;
    doc->m_nTempLow = -25;
    doc->m_nOptionCount[0] = 3;
    doc->m_nOptionCount[2] = 9;
    doc->m_nTextTime1 = 700;
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));

    const Bytes k = Section(rule, "K");
    EXPECT_EQ(Bytes(k.begin(), k.begin() + 13), Bytes({'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M'}));
    EXPECT_EQ(Bytes(k.begin() + 13, k.end()), Bytes(3, 0xFF));
    const Bytes l = Section(rule, "L");
    EXPECT_EQ(Bytes(l.begin(), l.begin() + 9), Bytes({'P', 'A', 'S', 'S', 'W', 'O', 'R', 'D', 0xFF}));
    const Bytes cm = Section(rule, "CM");
    EXPECT_EQ(GetU16(&cm[0]), 0u);  // mode 2 is sent as 0
    EXPECT_EQ(GetU16(&cm[4]), 5u);
    EXPECT_EQ(GetU16(&cm[2 * (22 + 4)]), 0u);   // port 3, int 5 (int 4 is skipped)
    EXPECT_EQ(GetU16(&cm[2 * (22 + 10)]), 9u);  // port 3, int 11
    EXPECT_EQ(cm[66], 0xFF);
    EXPECT_EQ(Section(rule, "RD"), Bytes({0x02, 0x00, 0x45, 0x23, 0x01, 0x00}));
    // "DL20261209080503", each pair exchanged.
    EXPECT_EQ(Section(rule, "ID"), Bytes({'L', 'D', '0', '2', '6', '2', '2', '1', '9', '0', '8', '0',
                                          '5', '0', '3', '0'}));
    EXPECT_EQ(GetU16(rule.SectionPtr("LT")), 0xFFE7u);
    EXPECT_EQ(GetU16(rule.SectionPtr("M1")), kNewHardware);
    const Bytes c = Section(rule, "C");
    EXPECT_EQ(GetU16(&c[0]), 1000u);  // scope time code 7
    EXPECT_EQ(GetU16(&c[2]), 700u);
    EXPECT_EQ(GetU16(rule.SectionPtr("FV")), 0xFF6Au);
    EXPECT_EQ(GetU16(rule.SectionPtr("FV") + 2), 29u);
    const Bytes rv = Section(rule, "RV");
    EXPECT_EQ(rv[8], 38);  // contrast 2
    EXPECT_EQ(GetU16(&rv[0]), 3u);
    EXPECT_EQ(GetU16(&rv[4]), 9u);
    EXPECT_EQ(rv[10], 0xFF);

    std::unique_ptr<CTavixDoc> back;
    ReadBack(rule, 0, &back);
    EXPECT_EQ(back->m_strProgramName, L"ABCDEFGHIJKLM");
    EXPECT_EQ(back->m_strPassword, L"PASSWORD");
    EXPECT_EQ(back->m_port[0][0], 0);  // the address is not 0: the mode stays 0
    EXPECT_EQ(back->m_nScanTime, 4);
    EXPECT_EQ(back->m_nContrast, 2);
    EXPECT_DOUBLE_EQ(back->m_fv[0], -1.5);  // signed, not 653.86
    EXPECT_DOUBLE_EQ(back->m_fv[1], 0.29);
    EXPECT_EQ(back->m_nSyncTime, 0x12345);
    EXPECT_EQ(back->m_nTempLow, -25);
    EXPECT_EQ(back->m_nTextTime2, 7000);
    EXPECT_EQ(back->m_nHardwareCode, kNewHardware);
    EXPECT_EQ(back->m_strHardwareName, L"QX Series V2.XX");
}

TEST(SystemSections, PortWithoutAddressComesBackAsMode2)
{
    auto doc = MakeDoc();
    doc->m_port[1][0] = 1;
    doc->m_port[1][2] = 0;
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    std::unique_ptr<CTavixDoc> back;
    ReadBack(rule, 0, &back);
    EXPECT_EQ(back->m_port[1][0], 2);
}

TEST(SystemSections, OlderFamiliesKeepTheNewerSectionsAtTheFill)
{
    auto doc = MakeDoc(kOldHardware);
    doc->m_nScanTime = 1;
    doc->m_bKeepLastAQ = TRUE;
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    for (const char* name : {"KV", "QT", "FV", "RV", "DL"}) {
        const Bytes s = Section(rule, name);
        EXPECT_EQ(s, Bytes(s.size(), 0xFF)) << name;
    }
    EXPECT_EQ(GetU16(rule.SectionPtr("C")), 0xFFu);  // byte 0 fill, byte 1 zero
    EXPECT_EQ(rule.m_msgText.size(), 0u);
}

TEST(SystemSections, DataLogLayout)
{
    auto doc = MakeDoc();
    CBlockObj* fb = nullptr;
    for (int i = 0; i < 4; ++i)
        fb = Add(*doc, i == 3 ? 800 : 307);
    auto* log = static_cast<CBlockDataLog*>(NewBlockOfType(911));
    log->m_nNumber = 8950;
    log->m_bProtected = TRUE;
    log->m_bNegate[0] = TRUE;
    doc->m_blocks.AddTail(log);
    const int numbers[] = {fb->m_nNumber, 4290, 4231, 4003, 1400, 605, 117, 50};
    for (int n : numbers) {
        CDataLogItem item;
        item.m_nOperand = n;
        item.m_nParamIndex = n == fb->m_nNumber ? 3 : 0;
        log->m_aItems.Add(item);
    }
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    const Bytes dl = Section(rule, "DL");
    EXPECT_EQ(Bytes(dl.begin(), dl.begin() + 6), Bytes({0x00, 0xF4, 0x01, 0x00, 0x08, 0x00}));
    EXPECT_EQ(Bytes(dl.begin() + 6, dl.begin() + 16), Bytes(10, 0xFF));
    const Bytes items(dl.begin() + 16, dl.begin() + 48);
    EXPECT_EQ(items, Bytes({0x07, 0x2B, 0x03, 0x30,  0x0A, 0xFF, 0x02, 0x00,  0x09, 0xFF, 0x01, 0x00,
                            0x08, 0xFF, 0x03, 0x00,  0x06, 0xFF, 0x54, 0x00,  0x05, 0xFF, 0x05, 0x00,
                            0x00, 0xFF, 0x11, 0x00,  0x00, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(dl[48], 0xFF);

    std::unique_ptr<CTavixDoc> back;
    ReadBack(rule, 0, &back);
    CBlockObj* decoded = back->FindBlockByNumber(8950);
    ASSERT_NE(decoded, nullptr);
    const auto* backLog = dynamic_cast<const CBlockDataLog*>(decoded);
    ASSERT_EQ(backLog->m_aItems.GetSize(), 8);
    EXPECT_TRUE(backLog->m_bNegate[0]);
    EXPECT_TRUE(backLog->m_bProtected);
    const wchar_t* texts[] = {nullptr, L"AM2", L"AQ001", L"AI003", L"M84-M91", L"Q005-Q012", L"I017-I024", L"I000-I007"};
    for (int i = 1; i < 8; ++i)
        EXPECT_EQ(backLog->m_aItems[i].m_strOperand, texts[i]) << i;
    EXPECT_EQ(backLog->m_aItems[0].m_nOperand, fb->m_nNumber);
    EXPECT_EQ(backLog->m_aItems[0].m_nParamIndex, 3);
    EXPECT_EQ(backLog->m_aItems[0].m_strOperand.Left(2), L"B3");
}
