// Construction, class hierarchy and element records of the I/O, logic, timer, clock, counter,
// relay and ladder families.
#include "elements/BlockClocks.h"
#include "elements/BlockCounters.h"
#include "elements/BlockFactory.h"
#include "elements/BlockIO.h"
#include "elements/BlockLadder.h"
#include "elements/BlockLogic.h"
#include "elements/BlockRelays.h"
#include "elements/BlockSwitches.h"
#include "elements/BlockTimers.h"

#include "ArchiveHelpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

const int kFamilyTypes[] = {300, 301, 302, 303, 304, 305, 306, 307, 400, 401, 402, 403, 404, 405, 406,
                            407, 408, 409, 410, 411, 412, 413, 600, 602, 603, 604, 605, 606, 607, 608,
                            609, 610, 611, 700, 701, 702, 703, 704, 705, 800, 801, 802, 808, 809, 812, 823};

std::vector<BYTE> StoreObject(const CObject* pObj)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteObject(pObj);
        ar.Close();
    }
    const BYTE* p = file.GetData();
    return std::vector<BYTE>(p, p + file.GetLength());
}

CObject* LoadObject(std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    return ar.ReadObject(nullptr);
}

// Gives the family fields a value that differs from every default.
void FillFamilyFields(CBlockObj* p)
{
    if (auto* pLogic = dynamic_cast<CBlockLogic*>(p))
        pLogic->m_nLogicExtra = 7;
    if (auto* pIn = dynamic_cast<CBlockIn*>(p))
        pIn->m_bHighSpeed = TRUE;
    if (auto* pTime = dynamic_cast<CBlockTime*>(p)) {
        int n = 0;
        for (auto& cam : pTime->m_bCamDays)
            for (int& d : cam)
                d = ++n % 2;
        pTime->m_nCamOn[2][1] = 59;
        pTime->m_nCamOff[1][0] = 23;
        pTime->m_bCamOnOff[1] = 0;
        pTime->m_bCamOffOff[2] = 0;
    }
    p->m_nTime1High = 12;
    p->m_nExtra2 = 3;
    p->m_strName = L"Pump";
}

} // namespace

TEST(FamilyClasses, ConstructorsMatchTheTypeTable)
{
    for (int type : kFamilyTypes) {
        std::unique_ptr<CBlockObj> p(NewBlockOfType(type));
        const BlockTypeInfo* info = FindBlockTypeInfo(type);
        ASSERT_TRUE(p && info) << type;
        EXPECT_STREQ(p->GetRuntimeClass()->m_lpszClassName, info->pszClass) << type;
        EXPECT_EQ(p->m_nType, type);
        EXPECT_EQ(p->m_nInputs, info->nInputs) << type;
        EXPECT_EQ(p->m_nOutputs, info->nOutputs) << type;
        EXPECT_EQ(p->m_nCodeSize, info->nCodeSize) << type;
        EXPECT_EQ(p->m_nOperandCount, info->nOperandCount) << type;
        EXPECT_EQ(p->m_byOptions, info->byOptions) << type;
        // The class sets its option bits again when it is created for loading.
        std::unique_ptr<CObject> loaded(p->GetRuntimeClass()->CreateObject());
        EXPECT_EQ(static_cast<CBlockObj*>(loaded.get())->m_byOptions, info->byOptions) << type;
    }
}

TEST(FamilyClasses, HierarchyAndParameterItems)
{
    struct Case { int type; const CRuntimeClass* base; } cases[] = {
        {604, RUNTIME_CLASS(CBlockLow)}, {701, RUNTIME_CLASS(CBlockMake)}, {704, RUNTIME_CLASS(CBlockRelayCoil)},
        {400, RUNTIME_CLASS(CBlockTime)}, {406, RUNTIME_CLASS(CBlockTime)}, {413, RUNTIME_CLASS(CBlockTime)},
        {800, RUNTIME_CLASS(CBlockObj)},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CBlockObj> p(NewBlockOfType(c.type));
        EXPECT_EQ(p->GetRuntimeClass()->m_pBaseClass, c.base) << c.type;
    }
    std::unique_ptr<CBlockObj> pAContact(NewBlockOfType(702));
    EXPECT_FALSE(pAContact->IsKindOf(RUNTIME_CLASS(CBlockMake)));

    // Parameter item codes after the inputs; the output slot 10 is skipped.
    struct Items { int type; int first; std::vector<int> links; } items[] = {
        {300, 4, {53}},          {306, 2, {53}},          {307, 1, {0}},
        {400, 1, {55, 53}},      {405, 2, {55, 55, 58, 53, 53}},
        {410, 0, {55, 55, 55, 55, 55, 55, 54, 54, 54, 56}},
        {412, 8, {92, 93, 0, 53}},
        {800, 3, {55, 59, 53}},  {823, 2, {55, 58, 59, 53}},
    };
    for (const Items& it : items) {
        std::unique_ptr<CBlockObj> p(NewBlockOfType(it.type));
        for (size_t k = 0; k < it.links.size(); ++k)
            EXPECT_EQ(p->m_nLink[it.first + int(k)], it.links[k]) << it.type << " slot " << it.first + k;
    }
    EXPECT_TRUE(CBlockLogic(302).m_bNegate[kOutputPin]);
    EXPECT_FALSE(CBlockLogic(301).m_bNegate[kOutputPin]);
    EXPECT_EQ(CBlockSLS(408).m_nPreWarn[0], 15);
    EXPECT_EQ(CBlockTHTRG(802).m_nTime2High, 1);
    EXPECT_EQ(CBlockHCOUNTER(801).m_bRetentive, TRUE);
    EXPECT_EQ(CBlockAnalogIn(608).m_nSimMax, 1000);
    EXPECT_EQ(CBlockDPR(400).m_nSimMax, 99);
}

TEST(FamilyRecords, RoundTripIsByteExact)
{
    for (int type : kFamilyTypes) {
        std::unique_ptr<CBlockObj> p(NewBlockOfType(type));
        FillFamilyFields(p.get());
        const std::vector<BYTE> bytes = StoreObject(p.get());
        std::unique_ptr<CObject> loaded(LoadObject(bytes));
        ASSERT_TRUE(loaded) << type;
        EXPECT_EQ(loaded->GetRuntimeClass(), p->GetRuntimeClass()) << type;
        EXPECT_EQ(StoreObject(loaded.get()), bytes) << type;
        EXPECT_EQ(static_cast<CBlockObj*>(loaded.get())->m_byOptions, p->m_byOptions) << type;
    }
}

TEST(FamilyRecords, ClassPartsFollowTheCommonFields)
{
    // Bytes a class adds after the common element record.
    CBlockObj plain(605, 1);
    const size_t common = StoreBody(plain).size();

    CBlockIn in(600);
    in.m_bHighSpeed = TRUE;
    std::vector<BYTE> inBytes = StoreBody(in);
    ASSERT_EQ(inBytes.size(), common + 4);
    EXPECT_EQ(IntAt(inBytes, common), 1);

    CBlockLogic gate(300);
    std::vector<BYTE> gateBytes = StoreBody(gate);
    ASSERT_EQ(gateBytes.size(), common + 4);
    EXPECT_EQ(IntAt(gateBytes, common), 1);

    // Every timer carries the 39 ints of the cam table: days, on times, no-on flags, off
    // times, no-off flags.
    CBlockWT wt(410);
    wt.m_bCamDays[1][3] = 1;
    wt.m_nCamOn[2][0] = 7;
    wt.m_bCamOnOff[0] = 0;
    wt.m_nCamOff[0][1] = 30;
    std::vector<BYTE> wtBytes = StoreBody(wt);
    ASSERT_EQ(wtBytes.size(), common + 39 * 4);
    EXPECT_EQ(IntAt(wtBytes, common + 4 * (7 + 3)), 1);
    EXPECT_EQ(IntAt(wtBytes, common + 4 * (21 + 4)), 7);
    EXPECT_EQ(IntAt(wtBytes, common + 4 * 27), 0);
    EXPECT_EQ(IntAt(wtBytes, common + 4 * 28), 1);
    EXPECT_EQ(IntAt(wtBytes, common + 4 * (30 + 1)), 30);
    EXPECT_EQ(IntAt(wtBytes, common + 4 * 36), 1);

    CBlockWT loaded;
    EXPECT_EQ(LoadBody(loaded, wtBytes, 1), 0u);
    EXPECT_EQ(loaded.m_nCamOn[2][0], 7);
    EXPECT_EQ(loaded.m_bCamOnOff[0], 0);

    // Ladder elements, relays and counters add nothing.
    for (int type : {700, 701, 703, 800, 808, 812}) {
        std::unique_ptr<CBlockObj> p(NewBlockOfType(type));
        EXPECT_EQ(StoreBody(*p).size(), common) << type;
    }
}

TEST(FamilyRecords, TruncatedRecordIsRefused)
{
    CBlockMFS mfs(409);
    std::vector<BYTE> bytes = StoreObject(&mfs);
    for (size_t cut : {size_t(1), size_t(10), size_t(150)}) {
        std::vector<BYTE> shorter(bytes.begin(), bytes.end() - std::ptrdiff_t(cut));
        bool refused = false;
        try {
            std::unique_ptr<CObject> p(LoadObject(shorter));
        } catch (CArchiveException* e) {
            refused = e->m_cause == CArchiveException::endOfFile;
            e->Delete();
        }
        EXPECT_TRUE(refused) << cut;
    }
}

#include "FamilySim.h"

TEST(FamilyRecords, DamagedParametersStepSafely)
{
    // Parameter words as a damaged or hand-edited file may hold them: every step keeps to
    // defined arithmetic and valid indexes (the sanitizer builds check it).
    const int extremes[] = {INT_MIN, -1, INT_MAX};
    for (int type : kFamilyTypes) {
        for (int v : extremes) {
            SimBench bench;
            CBlockObj* p = bench.Make(type);
            int* words[] = {&p->m_nTime1Low, &p->m_nTime1High, &p->m_nTime1Base, &p->m_nTime2Low,
                            &p->m_nTime2High, &p->m_nTime2Base, &p->m_nRefUnit1, &p->m_nRefUnit2,
                            &p->m_nCount, &p->m_nExtra1, &p->m_nExtra2, &p->m_nExtra3, &p->m_nStartValue,
                            &p->m_nSimMax, &p->m_nMonthly, &p->m_nOperand, &p->m_nPreWarn[0],
                            &p->m_nPreWarn[1], &p->m_nPreWarn[2], &p->m_nPreWarn[3]};
            for (int* w : words)
                *w = v;
            if (auto* pTime = dynamic_cast<CBlockTime*>(p)) {
                for (auto& cam : pTime->m_bCamDays)
                    for (int& d : cam)
                        d = v;
                for (int c = 0; c < 3; ++c) {
                    pTime->m_nCamOn[c][0] = pTime->m_nCamOff[c][1] = v;
                    pTime->m_bCamOnOff[c] = pTime->m_bCamOffOff[c] = 0;
                }
            }
            CBlockObj* pRef = bench.Make(800, 9001);
            pRef->m_dElapsed = double(v) * 1e6;
            for (int k = 0; k < 4; ++k)
                p->m_pRefBlock[k] = (v == -1) ? nullptr : pRef;
            std::vector<CBlockIn*> sources;
            for (int i = 0; i < p->m_nInputs && i < 4; ++i)
                if (p->m_nLink[i] != LINK_PARAM)
                    sources.push_back(bench.Source(i, 0, p, i));
            for (int n = 0; n < 40; ++n) {
                for (size_t i = 0; i < sources.size(); ++i)
                    sources[i]->m_nPinValue[kOutputPin] = (n >> i) & 1;
                bench.Step();
                bench.Advance(n % 2 ? 25 : 3600000);
            }
            EXPECT_TRUE(p->m_nPinValue[kOutputPin] == 0 || p->m_nPinValue[kOutputPin] == 1) << type;
        }
    }
}
