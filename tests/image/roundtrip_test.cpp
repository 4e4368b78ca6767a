// Compile, decode, compile again: the image comes back byte for byte, and the decoded program
// has the blocks, links, negations and parameters of the original.
#include "ProgramBuilder.h"

#include <map>

namespace {

std::map<int, const CBlockObj*> ByNumber(CTavixDoc& doc)
{
    std::map<int, const CBlockObj*> m;
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* p = static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos));
        m[p->m_nNumber] = p;
    }
    return m;
}

void ExpectSameImage(const CTavixCoreRule& a, const CTavixCoreRule& b)
{
    ASSERT_EQ(a.m_area0.size(), b.m_area0.size());
    for (size_t i = 0; i < a.m_area0.size(); ++i)
        ASSERT_EQ(a.m_area0[i], b.m_area0[i]) << "area 0 byte 0x" << std::hex << i;
    ASSERT_EQ(a.m_areaJ.size(), b.m_areaJ.size());
    for (size_t i = 0; i < a.m_areaJ.size(); ++i)
        ASSERT_EQ(a.m_areaJ[i], b.m_areaJ[i]) << "area J byte " << i;
    ASSERT_EQ(a.m_msgText.size(), b.m_msgText.size());
    for (size_t i = 0; i < a.m_msgText.size(); ++i)
        ASSERT_EQ(a.m_msgText[i], b.m_msgText[i]) << "message-text byte " << i;
}

class RoundTripTest : public ::testing::TestWithParam<WORD> {};

} // namespace

TEST_P(RoundTripTest, EveryFamilyComesBackUnchanged)
{
    const bool newer = GetParam() >= 0x5100;
    auto doc = MakeDoc(GetParam());
    BuildEveryFamilyProgram(*doc, newer);
    RoundTrip trip(*doc);
    ASSERT_TRUE(trip.compiled) << (const wchar_t*)trip.down.GetLastError();
    ASSERT_TRUE(trip.decodedOk) << (const wchar_t*)trip.up.GetLastError();
    EXPECT_EQ(trip.up.GetWarnings().GetSize(), 0);

    // The decoded program compiles into the same image.
    CTavixCoreRule again;
    ASSERT_TRUE(Compile(*trip.decoded, again)) << (const wchar_t*)again.GetLastError();
    ExpectSameImage(trip.down, again);

    // Same function blocks, links and negations.
    const auto original = ByNumber(*doc);
    const auto decoded = ByNumber(*trip.decoded);
    int blocks = 0;
    for (const auto& [number, b] : original) {
        if (number < 9000)
            continue;
        ++blocks;
        const auto it = decoded.find(number);
        ASSERT_NE(it, decoded.end()) << number;
        const CBlockObj* d = it->second;
        EXPECT_EQ(d->m_nType, b->m_nType) << number;
        EXPECT_EQ(d->m_strName, b->m_strName) << number;
        for (int pin = 0; pin < kFirstOutputPin; ++pin) {
            if (b->m_nLink[pin] != LINK_OPEN && (b->m_nLink[pin] < 100 || b->m_nLink[pin] > 20000))
                continue;
            EXPECT_EQ(d->m_nLink[pin], b->m_nLink[pin]) << number << " pin " << pin;
            EXPECT_EQ(d->m_bNegate[pin], b->m_bNegate[pin]) << number << " pin " << pin;
        }
        for (int k = 0; k < 4; ++k)
            if (b->m_bRef[k]) {
                EXPECT_TRUE(d->m_bRef[k]) << number;
                ASSERT_NE(d->m_pRefBlock[k], nullptr) << number;
                EXPECT_EQ(d->m_pRefBlock[k]->m_nNumber, b->m_pRefBlock[k]->m_nNumber) << number;
            }
    }
    EXPECT_EQ(blocks, int(EveryCompiledType().size()));
    EXPECT_EQ(blocks, 96);
    // Outputs come back with their sources; I/O sources are created once.
    for (int number : {600, 610, 1320, 4805, 4230, 4400}) {
        ASSERT_TRUE(decoded.count(number)) << number;
        EXPECT_EQ(decoded.at(number)->m_nLink[0], original.at(number)->m_nLink[0]) << number;
    }
    EXPECT_EQ(decoded.at(1316)->m_nType, 607);
    EXPECT_EQ(trip.decoded->m_strProgramName, L"ROUNDTRIP");
    EXPECT_EQ(trip.decoded->m_strPassword, L"ABCDEFGH");
    EXPECT_EQ(trip.decoded->m_nTempLow, -20);
    EXPECT_EQ(trip.decoded->m_nSyncTime, 3600000);
    EXPECT_EQ(trip.decoded->m_port[1][0], 0);  // mode 2 is sent as 0 and the address is not 0
    EXPECT_EQ(trip.decoded->m_port[0][0], doc->m_port[0][0]);
}

INSTANTIATE_TEST_SUITE_P(Families, RoundTripTest, ::testing::Values(kOldHardware, kNewHardware));

TEST(RoundTrip, ParametersOfTheDecodedBlocks)
{
    auto doc = MakeDoc(kNewHardware);
    BuildEveryFamilyProgram(*doc, true);
    RoundTrip trip(*doc);
    ASSERT_TRUE(trip.decodedOk) << (const wchar_t*)trip.up.GetLastError();
    const auto original = ByNumber(*doc);
    const auto decoded = ByNumber(*trip.decoded);
    auto find = [&](const std::map<int, const CBlockObj*>& m, int type) -> const CBlockObj* {
        for (const auto& [n, b] : m)
            if (b->m_nType == type)
                return b;
        return nullptr;
    };
    // Types whose encoded parameters include both times (or the fields they stand for).
    for (int type : {405, 406, 407, 409, 801, 830, 849, 862, 864, 879}) {
        const CBlockObj* a = find(original, type);
        const CBlockObj* b = find(decoded, type);
        ASSERT_TRUE(a && b) << type;
        EXPECT_EQ(b->m_nTime1High, a->m_nTime1High) << type;
        EXPECT_EQ(b->m_nTime1Low, a->m_nTime1Low) << type;
        EXPECT_EQ(b->m_nTime2High, a->m_nTime2High) << type;
        EXPECT_EQ(b->m_nTime2Low, a->m_nTime2Low) << type;
        EXPECT_EQ(b->m_bRetentive, a->m_bRetentive) << type;
        EXPECT_EQ(b->m_bProtected, a->m_bProtected) << type;
        EXPECT_DOUBLE_EQ(b->m_dParam, a->m_dParam) << type;
    }
    for (int type : {803, 806, 817, 818, 819}) {
        const auto* a = dynamic_cast<const CBlockAnalog*>(find(original, type));
        const auto* b = dynamic_cast<const CBlockAnalog*>(find(decoded, type));
        ASSERT_TRUE(a && b) << type;
        EXPECT_DOUBLE_EQ(b->m_dGain, a->m_dGain) << type;
        EXPECT_EQ(b->m_nOffset, a->m_nOffset) << type;
        EXPECT_EQ(b->m_nDecimals, a->m_nDecimals) << type;
        if (!a->m_pRefBlock[1]) {
            EXPECT_EQ(b->m_nThreshold2, a->m_nThreshold2) << type;
        }
    }
    const auto* pi = dynamic_cast<const CBlockAnalog*>(find(decoded, 818));
    EXPECT_EQ(pi->m_nRangeMin, -10);  // its range words are not overwritten by the offset
    EXPECT_EQ(pi->m_nRangeMax, 900);
    EXPECT_EQ(pi->m_nTIMinutes, 3);
    EXPECT_EQ(pi->m_nTISeconds, 41);
    for (int type : {824, 825, 826, 827}) {
        const auto* a = dynamic_cast<const CBlockWIFI*>(find(original, type));
        const auto* b = dynamic_cast<const CBlockWIFI*>(find(decoded, type));
        ASSERT_TRUE(a && b) << type;
        EXPECT_EQ(b->m_nWifiSource, a->m_nWifiSource) << type;
        EXPECT_EQ(b->m_nWifiId, a->m_nWifiId) << type;
        EXPECT_EQ(b->m_nWifiBlockType, a->m_nWifiBlockType) << type;
        EXPECT_EQ(b->m_nWifiBlockNumber, a->m_nWifiBlockNumber) << type;
    }
    const auto* ws = dynamic_cast<const CBlockTime*>(find(decoded, 410));
    EXPECT_EQ(ws->m_nCamOn[0][0], 7);
    EXPECT_EQ(ws->m_nCamOn[0][1], 30);
    EXPECT_EQ(ws->m_bCamOnOff[0], 0);
    EXPECT_EQ(ws->m_bCamOnOff[1], 1);
    EXPECT_EQ(ws->m_bCamDays[0][5], 1);
    EXPECT_EQ(ws->m_bCamDays[0][4], 0);
    const auto* mem = find(decoded, 847);
    ASSERT_NE(mem->m_pRefBlock[0], nullptr);
    EXPECT_EQ(mem->m_pRefBlock[0]->m_nType, 808);
    const auto* udc = find(decoded, 855);
    EXPECT_EQ(udc->m_nPreWarn[1], 1);  // the analog output it names stays an analog output
    EXPECT_EQ(udc->m_nYearEnd, 3);
    EXPECT_EQ(udc->m_nYearStart, 300);
    const auto* crc = find(decoded, 856);
    EXPECT_EQ(crc->m_nTime1Low, 2);  // an analog input source stays an analog input
    EXPECT_EQ(crc->m_nTime2Low, 7);
    EXPECT_EQ(trip.decoded->m_fv[3], -1.5);
    EXPECT_EQ(trip.decoded->m_nContrast, 2);
    EXPECT_EQ(trip.decoded->m_nScanTime, 2);
    const CBlockObj* log = decoded.at(8950);
    ASSERT_NE(log, nullptr);
    const auto* items = dynamic_cast<const CBlockDataLog*>(log);
    ASSERT_EQ(items->m_aItems.GetSize(), 2);
    EXPECT_EQ(items->m_aItems[0].m_nOperand, original.at(9005)->m_nNumber);
    EXPECT_EQ(items->m_aItems[0].m_nParamIndex, 2);
    EXPECT_EQ(items->m_aItems[0].m_pBlock, decoded.at(9005));
    EXPECT_EQ(items->m_aItems[1].m_nOperand, 4290);
    EXPECT_EQ(items->m_aItems[1].m_strOperand, L"AM2");
}
