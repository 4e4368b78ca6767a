// Device limits and counts: elements per type, program code size, named and referable blocks,
// and the code sizes that depend on the device model.
#include "document/TavixDoc.h"

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

BOOL CTavixDoc::CanAddBlock(int nType, BlockCounts* pCounts) const
{
    const CRuntimeClass* counted = nullptr;
    const CRuntimeClass* excluded = nullptr;
    int limit = 0;
    const bool newModel = IsNewModel();
    switch (nType) {
    case 600: counted = RUNTIME_CLASS(CBlockIn); limit = 128; break;
    case 602: counted = RUNTIME_CLASS(CBlockShift); limit = newModel ? 64 : 16; break;
    case 603:
        counted = RUNTIME_CLASS(CBlockLow);
        excluded = RUNTIME_CLASS(CBlockHigh);
        limit = 1000;
        break;
    case 604: counted = RUNTIME_CLASS(CBlockHigh); limit = 1000; break;
    case 605: counted = RUNTIME_CLASS(CBlockOut); limit = 64; break;
    case 606: counted = RUNTIME_CLASS(CBlockOpenX); limit = 128; break;
    case 607: counted = RUNTIME_CLASS(CBlockFlag); limit = 512; break;
    case 608: counted = RUNTIME_CLASS(CBlockAnalogIn); limit = 64; break;
    case 609: counted = RUNTIME_CLASS(CBlockAnalogOut); limit = 32; break;
    case 610: counted = RUNTIME_CLASS(CBlockAnalogFlag); limit = 512; break;
    case 611: counted = RUNTIME_CLASS(CBlockFKey); limit = 5; break;
    case 700:
        counted = RUNTIME_CLASS(CBlockMake);
        excluded = RUNTIME_CLASS(CBlockBreak);
        limit = 2560;
        break;
    case 701: counted = RUNTIME_CLASS(CBlockBreak); limit = 2560; break;
    case 702: counted = RUNTIME_CLASS(CBlockAContact); limit = 2560; break;
    case 703:
    case 704: counted = RUNTIME_CLASS(CBlockRelayCoil); limit = 768; break;
    case 705: counted = RUNTIME_CLASS(CBlockAOutLAD); limit = 544; break;
    case 810: counted = RUNTIME_CLASS(CBlockMSGTEXT); limit = 16; break;
    case 812: counted = RUNTIME_CLASS(CBlockSREG); limit = newModel ? 4 : 1; break;
    case 820: counted = RUNTIME_CLASS(CBlockAFILTER); limit = 8; break;
    case 900: counted = RUNTIME_CLASS(CBlockMale); limit = 1900; break;
    case 901: counted = RUNTIME_CLASS(CBlockFemale); limit = 1900; break;
    case 911: counted = RUNTIME_CLASS(CBlockDataLog); limit = 1; break;
    default: return FALSE;
    }

    int count = 0;
    int operands[3] = {0, 0, 0};
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (!pBlock->IsKindOf(counted) || (excluded != nullptr && pBlock->IsKindOf(excluded)))
            continue;
        ++count;
        const int op = pBlock->m_nOperand;
        if (nType == 703 || nType == 704) {
            if (op >= NUM_OPEN_X)
                ++operands[2];
            else if (op >= NUM_FLAG)
                ++operands[1];
            else if (op >= NUM_OUTPUT)
                ++operands[0];
        } else if (nType == 705) {
            if (op >= NUM_ANALOG_FLAG)
                ++operands[1];
            else if (op >= NUM_ANALOG_OUT)
                ++operands[0];
        }
    }
    if (pCounts != nullptr && (nType == 703 || nType == 704 || nType == 705)) {
        for (int i = 0; i < 3; ++i)
            pCounts->m_nCount[i] = operands[i];
    }
    if (count >= limit)
        return FALSE;
    if (pCounts != nullptr && count + pCounts->m_nToAdd > limit)
        return FALSE;
    return TRUE;
}
