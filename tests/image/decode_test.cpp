// Decoding uploaded images: the walk's ends, operand words, time words, and damaged or hostile
// images that must fail cleanly without reading outside the buffers.
#include "ImageTestSupport.h"

#include "elements/BlockDataLog.h"

#include <map>

namespace {

// An upload of the given instruction bytes (the rest of area J at 0xFF) on a machine type.
struct Upload {
    CTavixCoreRule rule;
    std::unique_ptr<CTavixDoc> doc = std::make_unique<CTavixDoc>();

    Upload(const Bytes& j, int jSize = 128, WORD hardware = kNewHardware)
    {
        rule.m_nJSize = jSize;
        rule.SetDocument(doc.get());
        EXPECT_TRUE(rule.AllocImageBuffers(CTavixCoreRule::modeUpload, 0));
        std::copy(j.begin(), j.begin() + std::min<size_t>(j.size(), rule.m_areaJ.size()),
                  rule.m_areaJ.begin());
        PutU16(rule.SectionPtr("M1"), hardware);
        EXPECT_TRUE(rule.DecodeSettings());
    }
    std::map<int, CBlockObj*> Blocks() const
    {
        std::map<int, CBlockObj*> m;
        for (POSITION pos = doc->m_blocks.GetHeadPosition(); pos != nullptr;) {
            CBlockObj* p = static_cast<CBlockObj*>(doc->m_blocks.GetNext(pos));
            m[p->m_nNumber] = p;
        }
        return m;
    }
};

Bytes Repeat(const Bytes& unit, int count)
{
    Bytes out;
    for (int i = 0; i < count; ++i)
        out.insert(out.end(), unit.begin(), unit.end());
    return out;
}

} // namespace

TEST(DecodeProgram, EndsOfTheWalk)
{
    Upload empty({0xFF, 0xFF, 0x03, 0x00});
    EXPECT_TRUE(empty.rule.DecodeImage());
    EXPECT_TRUE(empty.Blocks().empty());

    // 32 NOT gates fill 128 bytes exactly: no 0xFFFF unit follows the last one.
    Upload full(Repeat({0x03, 0x00, 0xFF, 0xFF}, 32));
    EXPECT_TRUE(full.rule.DecodeImage()) << (const wchar_t*)full.rule.GetLastError();
    EXPECT_EQ(full.Blocks().size(), 32u);
    EXPECT_EQ(full.Blocks().rbegin()->first, 9031);

    // An odd byte behind the last instruction ends the walk.
    Upload odd(Repeat({0x03, 0x00, 0xFF, 0xFF}, 31), 125);
    EXPECT_TRUE(odd.rule.DecodeImage());
    EXPECT_EQ(odd.Blocks().size(), 31u);
}

TEST(DecodeProgram, DamagedImagesFailWithAMessage)
{
    struct Case {
        const char* what;
        Bytes j;
        int jSize;
        const wchar_t* message;
        size_t blocksKept;
    };
    Bytes truncated = Repeat({0x03, 0x00, 0xFF, 0xFF}, 28);
    truncated.insert(truncated.end(), {0x2B, 0x40, 0xFF, 0xFF});  // a 24-byte counter at 112
    const Case cases[] = {
        {"unknown opcode", {0x03, 0x00, 0xFF, 0xFF, 0x77, 0x40}, 128, L"Unknown instruction", 1},
        {"logic byte without a gate", {0x09, 0x00}, 128, L"Unknown instruction", 0},
        {"instruction past the end", truncated, 128, L"past the end", 28},
        {"too many instructions", Repeat({0x03, 0x00, 0xFF, 0xFF}, 0x1800), 0x6000,
         L"more instructions", 1024},
    };
    for (const Case& c : cases) {
        Upload up(c.j, c.jSize);
        EXPECT_FALSE(up.rule.DecodeImage()) << c.what;
        EXPECT_NE(up.rule.GetLastError().Find(c.message), -1)
            << c.what << ": " << (const wchar_t*)up.rule.GetLastError();
        EXPECT_EQ(up.Blocks().size(), c.blocksKept) << c.what;
    }
    // A J size the device cannot have is refused before anything is allocated.
    CTavixCoreRule rule;
    auto doc = MakeDoc();
    rule.SetDocument(doc.get());
    rule.m_nJSize = 0x6002;
    EXPECT_FALSE(rule.AllocImageBuffers(CTavixCoreRule::modeUpload, 0));
    rule.m_nJSize = -4;
    EXPECT_FALSE(rule.AllocImageBuffers(CTavixCoreRule::modeUpload, 0));
    EXPECT_FALSE(rule.DecodeImage());
}

TEST(DecodeProgram, OperandWords)
{
    // AND 9000: open, open and negated, block 9001 negated, input 103 negated.
    // AND 9001: input 103 again, class 12 (no element), analog marker 4290, status high.
    Upload up({0x01, 0x00, 0xFF, 0xFF, 0x00, 0xF4, 0x01, 0x74, 0x03, 0x04, 0xFF, 0xFF,
               0x01, 0x00, 0x03, 0x00, 0x05, 0xC0, 0x02, 0xA0, 0x07, 0x40, 0xFF, 0xFF});
    ASSERT_TRUE(up.rule.DecodeImage());
    auto blocks = up.Blocks();
    const CBlockObj* a = blocks.at(9000);
    EXPECT_EQ(a->m_nLink[0], LINK_OPEN);
    EXPECT_FALSE(a->m_bNegate[0]);
    EXPECT_EQ(a->m_nLink[1], LINK_OPEN);
    EXPECT_TRUE(a->m_bNegate[1]);
    EXPECT_EQ(a->m_nLink[2], 9001);
    EXPECT_TRUE(a->m_bNegate[2]);
    EXPECT_EQ(a->m_nLink[3], 103);
    EXPECT_TRUE(a->m_bNegate[3]);
    EXPECT_EQ(a->m_nIndex, 2);  // the first input that received a link
    const CBlockObj* b = blocks.at(9001);
    EXPECT_EQ(b->m_nLink[0], 103);
    EXPECT_FALSE(b->m_bNegate[0]);
    EXPECT_EQ(b->m_nLink[1], LINK_OPEN);
    EXPECT_EQ(b->m_nLink[2], 4290);
    EXPECT_EQ(b->m_nLink[3], 2900);
    // One input element for both readers, its output naming the first of them.
    ASSERT_TRUE(blocks.count(103));
    EXPECT_EQ(blocks.at(103)->m_nType, 600);
    EXPECT_EQ(blocks.at(103)->m_nOperand, 3);
    EXPECT_EQ(blocks.at(103)->m_nLink[kOutputPin], 9000);
    EXPECT_EQ(blocks.at(4290)->m_nType, 610);
    EXPECT_EQ(blocks.at(2900)->m_nType, 604);
    // Analog markers are roots of the layout; inputs are not.
    EXPECT_EQ(up.rule.m_rootList.GetCount(), 1);
    EXPECT_EQ(blocks.size(), 5u);
}

TEST(DecodeProgram, LinksToBlocksThatNoInstructionMadeAreOpened)
{
    Upload up({0x03, 0x00, 0x30, 0x70, 0x03, 0x00, 0x00, 0x70});
    ASSERT_TRUE(up.rule.DecodeImage());
    auto blocks = up.Blocks();
    EXPECT_EQ(blocks.at(9000)->m_nLink[0], LINK_OPEN);
    EXPECT_EQ(blocks.at(9001)->m_nLink[0], 9000);
    ASSERT_EQ(up.rule.GetWarnings().GetSize(), 1);
    EXPECT_NE(up.rule.GetWarnings()[0].Find(L"B048"), -1);
}

TEST(DecodeProgram, TimeWords)
{
    // On-Delay 9000: 1:30 h:m. On-/Off-Delay 9001: a first word with top bits 00 (base 0,
    // nothing subtracted, divisor 60), then 2.50 s. Off-Delay 9002 with reference flag 1:
    // unit 1, B012.
    Upload up({0x21, 0x40, 0xFF, 0xFF, 0x5A, 0xC0, 0x00, 0x00,
               0x2F, 0x40, 0xFF, 0xFF, 0x7D, 0x00, 0xFA, 0x40, 0x01, 0x00, 0x00, 0x00,
               0x22, 0x60, 0xFF, 0xFF, 0xFF, 0xFF, 0x0C, 0x80, 0x02, 0x00, 0x00, 0x00});
    ASSERT_TRUE(up.rule.DecodeImage()) << (const wchar_t*)up.rule.GetLastError();
    auto blocks = up.Blocks();
    const CBlockObj* a = blocks.at(9000);
    EXPECT_EQ(a->m_nTime1Base, 0);
    EXPECT_EQ(a->m_nTime1High, 1);
    EXPECT_EQ(a->m_nTime1Low, 30);
    const CBlockObj* b = blocks.at(9001);
    EXPECT_EQ(b->m_nTime1Base, 0);
    EXPECT_EQ(b->m_nTime1High, 2);  // 125 / 60
    EXPECT_EQ(b->m_nTime1Low, 5);
    EXPECT_EQ(b->m_nTime2Base, 2);
    EXPECT_EQ(b->m_nTime2High, 2);
    EXPECT_EQ(b->m_nTime2Low, 50);
    const CBlockObj* c = blocks.at(9002);
    EXPECT_TRUE(c->m_bRef[0]);
    EXPECT_EQ(c->m_nRefUnit1, 1);
    EXPECT_EQ(c->m_nRefNumber[0], 9012);
    EXPECT_FALSE(c->m_bProtected);
}

TEST(DecodeProgram, BlockNamesFromSectionsAAndB)
{
    for (WORD hardware : {kOldHardware, kNewHardware}) {
        Upload up(Repeat({0x03, 0x00, 0xFF, 0xFF}, 3), 128, hardware);
        BYTE* a = up.rule.SectionPtr("A");
        BYTE* b = up.rule.SectionPtr("B");
        PutU16(a, 0);
        PutU16(a + 2, 2);
        const bool old = hardware == kOldHardware;
        const Bytes first = old ? Bytes{'P', 124, 'Q', 0x5B, 0x5B, 0x5B, 0x5B, 0x5B}
                                : Bytes{'P', '-', 'Q', ' ', ' ', ' ', ' ', ' '};
        std::copy(first.begin(), first.end(), b);
        const Bytes third = {'T', 'h', 'i', 'r', 'd', '_', 'n', 'm'};
        std::copy(third.begin(), third.end(), b + 8);
        if (old)
            b[8 + 5] = 131;
        ASSERT_TRUE(up.rule.DecodeImage());
        auto blocks = up.Blocks();
        EXPECT_EQ(blocks.at(9000)->m_strName, L"P-Q");
        EXPECT_EQ(blocks.at(9001)->m_strName, L"");
        EXPECT_EQ(blocks.at(9002)->m_strName, L"Third_nm");
    }
}

TEST(DecodeProgram, OlderYearlyTimerWithMonthlyMarker)
{
    Upload up({0x2E, 0x00, 0x05, 0xFF, 0x14, 0xFF, 0x00, 0x00}, 128, kOldHardware);
    ASSERT_TRUE(up.rule.DecodeImage());
    const CBlockObj* yt = up.Blocks().at(9000);
    EXPECT_EQ(yt->m_nCodeSize, 8);
    EXPECT_EQ(yt->m_nMonthly, 1);
    EXPECT_EQ(yt->m_nTime1Low, 5);
    EXPECT_EQ(yt->m_nTime1High, 1);
    EXPECT_EQ(yt->m_nTime2Low, 20);
    EXPECT_EQ(yt->m_nTime2High, 12);
}

TEST(DecodeSettings, DataLogCountIsBoundedBySection)
{
    Upload up({0xFF, 0xFF});
    BYTE* dl = up.rule.SectionPtr("DL");
    PutU16(dl, 0x6000);      // enable input fed by marker 1316
    PutU16(dl + 2, 1);       // protection
    PutU16(dl + 4, 0xFFFF);  // item count far beyond the section
    for (int i = 0; i < 188; ++i) {
        PutU16(dl + 16 + 4 * i, 0xFF0A);
        PutU16(dl + 18 + 4 * i, unsigned(i));
    }
    ASSERT_TRUE(up.rule.DecodeSettings());
    ASSERT_TRUE(up.rule.DecodeImage());
    const auto* log = dynamic_cast<const CBlockDataLog*>(up.Blocks().at(8950));
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->m_aItems.GetSize(), 188);
    EXPECT_EQ(log->m_nTime1High, 188);
    EXPECT_EQ(log->m_aItems[187].m_nOperand, 4288 + 187);
    EXPECT_EQ(log->m_aItems[187].m_strOperand, L"AM187");
    EXPECT_EQ(log->m_nLink[0], 1316);
    EXPECT_GE(up.rule.GetWarnings().GetSize(), 1);
}

TEST(DecodeSettings, OutputTablesCreateOutputsAndTheirSources)
{
    Upload up({0xFF, 0xFF});
    PutU16(up.rule.SectionPtr("E") + 8, 0x6002);   // Q604 fed by M1318
    PutU16(up.rule.SectionPtr("F") + 2, 0x7005);   // M1317 fed by B005
    PutU16(up.rule.SectionPtr("H"), 0xC000);       // X4800 fed by class 12: no source
    ASSERT_TRUE(up.rule.DecodeImage());
    auto blocks = up.Blocks();
    EXPECT_EQ(blocks.at(604)->m_nType, 605);
    EXPECT_EQ(blocks.at(604)->m_nOperand, 4);
    EXPECT_EQ(blocks.at(604)->m_nLink[0], 1318);
    EXPECT_EQ(blocks.at(1318)->m_nLink[kOutputPin], 604);
    EXPECT_EQ(blocks.at(1317)->m_nLink[0], LINK_OPEN);  // B005 was never decoded
    EXPECT_EQ(blocks.at(4800)->m_nType, 606);
    EXPECT_EQ(blocks.size(), 4u);
    // Roots in ascending number: Q604, M1317, M1318, X4800.
    std::vector<int> roots;
    for (POSITION pos = up.rule.m_rootList.GetHeadPosition(); pos != nullptr;)
        roots.push_back(static_cast<CBlockObj*>(up.rule.m_rootList.GetNext(pos))->m_nNumber);
    EXPECT_EQ(roots, (std::vector<int>{604, 1317, 1318, 4800}));
}
