// Device limits and counts: elements per type, program code size, named and referable blocks,
// and the code sizes that depend on the device model.
#include "document/TavixDoc.h"

#include "document/BlockTally.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockConnectors.h"
#include "elements/BlockCounters.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockIO.h"
#include "elements/BlockLadder.h"
#include "elements/BlockLogic.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "elements/BlockRelays.h"

int CTavixDoc::GetProgramCodeSize() const
{
    int size = 0;
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (GetBlockKind(pBlock->m_nType) == KIND_FUNCTION)
            size += pBlock->m_nCodeSize;
    }
    return size;
}

int CTavixDoc::CountNamedBlocks() const
{
    int count = 0;
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (GetBlockKind(pBlock->m_nType) == KIND_FUNCTION && !pBlock->m_strName.IsEmpty())
            ++count;
    }
    return count;
}

int CTavixDoc::CountFlaggedBlocks(int nExcludeNumber) const
{
    int count = 0;
    const bool newModel = IsNewModel();
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (pBlock->m_nNumber == nExcludeNumber)
            continue;
        if (newModel) {
            if (GetBlockKind(pBlock->m_nType) == KIND_FUNCTION &&
                !pBlock->IsKindOf(RUNTIME_CLASS(CBlockLogic)) &&
                (pBlock->m_byOptions & OPT_REFERABLE))
                ++count;
        } else if (pBlock->IsKindOf(RUNTIME_CLASS(CBlockCOUNTER)) ||
                   pBlock->IsKindOf(RUNTIME_CLASS(CBlockACOMP)) ||
                   pBlock->IsKindOf(RUNTIME_CLASS(CBlockATHTRG)) ||
                   pBlock->IsKindOf(RUNTIME_CLASS(CBlockAAMP))) {
            ++count;
        }
    }
    return count;
}

void CTavixDoc::UpdateBlockSizesForHardware()
{
    const bool newer = m_nHardwareCode >= 0x5188;
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* pBlock = static_cast<CBlockObj*>(m_blocks.GetNext(pos));
        WORD size;
        switch (pBlock->m_nType) {
        case 411: size = newer ? 14 : 8; break;
        case 812: size = newer ? 16 : 12; break;
        case 814: size = newer ? 22 : 18; break;
        default: continue;
        }
        if (pBlock->m_nCodeSize != size)
            pBlock->m_nCodeSize = size;
    }
}

namespace {

// The elements a device limit counts: those of one class, less those of a derived class.
struct LimitRule {
    const CRuntimeClass* counted = nullptr;
    const CRuntimeClass* excluded = nullptr;
    int limit = 0;
};

// FALSE for a type without a limit of its own.
bool GetLimitRule(int nType, bool newModel, LimitRule& r)
{
    switch (nType) {
    case 600: r = {RUNTIME_CLASS(CBlockIn), nullptr, 128}; break;
    case 602: r = {RUNTIME_CLASS(CBlockShift), nullptr, newModel ? 64 : 16}; break;
    case 603: r = {RUNTIME_CLASS(CBlockLow), RUNTIME_CLASS(CBlockHigh), 1000}; break;
    case 604: r = {RUNTIME_CLASS(CBlockHigh), nullptr, 1000}; break;
    case 605: r = {RUNTIME_CLASS(CBlockOut), nullptr, 64}; break;
    case 606: r = {RUNTIME_CLASS(CBlockOpenX), nullptr, 128}; break;
    case 607: r = {RUNTIME_CLASS(CBlockFlag), nullptr, 512}; break;
    case 608: r = {RUNTIME_CLASS(CBlockAnalogIn), nullptr, 64}; break;
    case 609: r = {RUNTIME_CLASS(CBlockAnalogOut), nullptr, 32}; break;
    case 610: r = {RUNTIME_CLASS(CBlockAnalogFlag), nullptr, 512}; break;
    case 611: r = {RUNTIME_CLASS(CBlockFKey), nullptr, 5}; break;
    case 700: r = {RUNTIME_CLASS(CBlockMake), RUNTIME_CLASS(CBlockBreak), 2560}; break;
    case 701: r = {RUNTIME_CLASS(CBlockBreak), nullptr, 2560}; break;
    case 702: r = {RUNTIME_CLASS(CBlockAContact), nullptr, 2560}; break;
    case 703:
    case 704: r = {RUNTIME_CLASS(CBlockRelayCoil), nullptr, 768}; break;
    case 705: r = {RUNTIME_CLASS(CBlockAOutLAD), nullptr, 544}; break;
    case 810: r = {RUNTIME_CLASS(CBlockMSGTEXT), nullptr, 16}; break;
    case 812: r = {RUNTIME_CLASS(CBlockSREG), nullptr, newModel ? 4 : 1}; break;
    case 820: r = {RUNTIME_CLASS(CBlockAFILTER), nullptr, 8}; break;
    case 900: r = {RUNTIME_CLASS(CBlockMale), nullptr, 1900}; break;
    case 901: r = {RUNTIME_CLASS(CBlockFemale), nullptr, 1900}; break;
    case 911: r = {RUNTIME_CLASS(CBlockDataLog), nullptr, 1}; break;
    default: return false;
    }
    return true;
}

// Counts one element under the limit of nType when the rule counts it.
void CountUnder(const CBlockObj* pBlock, int nType, const LimitRule& rule, CBlockTally::Count& c)
{
    if (!pBlock->IsKindOf(rule.counted) || (rule.excluded != nullptr && pBlock->IsKindOf(rule.excluded)))
        return;
    ++c.n;
    const int op = pBlock->m_nOperand;
    if (nType == 703 || nType == 704) {
        if (op >= NUM_OPEN_X)
            ++c.operands[2];
        else if (op >= NUM_FLAG)
            ++c.operands[1];
        else if (op >= NUM_OUTPUT)
            ++c.operands[0];
    } else if (nType == 705) {
        if (op >= NUM_ANALOG_FLAG)
            ++c.operands[1];
        else if (op >= NUM_ANALOG_OUT)
            ++c.operands[0];
    }
}

} // namespace

void CTavixDoc::TallyLimitClasses(const CBlockObj* pBlock)
{
    LimitRule rule;
    for (auto& [type, count] : m_pTally->m_counts)
        if (GetLimitRule(type, IsNewModel(), rule))
            CountUnder(pBlock, type, rule, count);
}

BOOL CTavixDoc::CanAddBlock(int nType, BlockCounts* pCounts) const
{
    LimitRule rule;
    if (!GetLimitRule(nType, IsNewModel(), rule))
        return FALSE;
    auto countAll = [&] {
        CBlockTally::Count c;
        for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;)
            CountUnder(static_cast<const CBlockObj*>(m_blocks.GetNext(pos)), nType, rule, c);
        return c;
    };
    CBlockTally::Count c;
    if (m_pTally != nullptr) {
        auto it = m_pTally->m_counts.find(nType);
        if (it == m_pTally->m_counts.end())
            it = m_pTally->m_counts.emplace(nType, countAll()).first;
        c = it->second;
    } else {
        c = countAll();
    }
    if (pCounts != nullptr && (nType == 703 || nType == 704 || nType == 705)) {
        for (int i = 0; i < 3; ++i)
            pCounts->m_nCount[i] = c.operands[i];
    }
    if (c.n >= rule.limit)
        return FALSE;
    if (pCounts != nullptr && c.n + pCounts->m_nToAdd > rule.limit)
        return FALSE;
    return TRUE;
}
