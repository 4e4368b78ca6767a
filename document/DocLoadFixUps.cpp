// What a load does after the lists are read: references become pointers (a number below the
// function blocks clears the reference), data-log items find their blocks, and wires without
// both ends are dropped.
#include "document/TavixDoc.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockCounters.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockDevice.h"
#include "elements/BlockMath.h"
#include "elements/BlockObj.h"
#include "elements/BlockRelays.h"
#include "elements/BlockTimers.h"
#include "elements/BlockWord.h"
#include "elements/ConnectLineObj.h"

namespace {

// Classes whose four references are resolved after loading a new-model file.
const CRuntimeClass* const kReferencingClasses[] = {
    RUNTIME_CLASS(CBlockTime),    RUNTIME_CLASS(CBlockAnalog),   RUNTIME_CLASS(CBlockCOUNTER),
    RUNTIME_CLASS(CBlockHCOUNTER), RUNTIME_CLASS(CBlockTHTRG),   RUNTIME_CLASS(CBlockMATHERR),
    RUNTIME_CLASS(CBlockROL),     RUNTIME_CLASS(CBlockROR),      RUNTIME_CLASS(CBlockSHL),
    RUNTIME_CLASS(CBlockSHR),     RUNTIME_CLASS(CBlockANDM),     RUNTIME_CLASS(CBlockORM),
    RUNTIME_CLASS(CBlockNOTM),    RUNTIME_CLASS(CBlockNANDM),    RUNTIME_CLASS(CBlockNORM),
    RUNTIME_CLASS(CBlockXORM),    RUNTIME_CLASS(CBlockARRMXIV),  RUNTIME_CLASS(CBlockACMXIV),
    RUNTIME_CLASS(CBlockRAND),    RUNTIME_CLASS(CBlockMOD),      RUNTIME_CLASS(CBlockREM),
    RUNTIME_CLASS(CBlockLOG),     RUNTIME_CLASS(CBlockFIX),      RUNTIME_CLASS(CBlockROUND),
    RUNTIME_CLASS(CBlockENCODER), RUNTIME_CLASS(CBlockWORD2BIT), RUNTIME_CLASS(CBlockSMC),
    RUNTIME_CLASS(CBlockSMCE),    RUNTIME_CLASS(CBlockPTO),      RUNTIME_CLASS(CBlockPTOE),
    RUNTIME_CLASS(CBlockMEM),
};
const CRuntimeClass* const kNonReferencingClasses[] = {
    RUNTIME_CLASS(CBlockAAMP), RUNTIME_CLASS(CBlockADTRG), RUNTIME_CLASS(CBlockAFILTER),
    RUNTIME_CLASS(CBlockMAXMIN),
};

bool ResolvesReferencesNewModel(const CBlockObj* pBlock)
{
    if (pBlock->m_nType >= 410 && pBlock->m_nType <= 413)
        return false;
    for (const CRuntimeClass* pClass : kNonReferencingClasses) {
        if (pBlock->IsKindOf(pClass))
            return false;
    }
    for (const CRuntimeClass* pClass : kReferencingClasses) {
        if (pBlock->IsKindOf(pClass))
            return true;
    }
    return false;
}

} // namespace

void CTavixDoc::FixUpAfterLoad()
{
    auto resolve = [this](CBlockObj* pBlock, int k) {
        const int number = pBlock->m_nRefNumber[k];
        if (number >= NUM_FUNCTION) {
            pBlock->m_pRefBlock[k] = FindBlockByNumber(number);
            if (pBlock->m_pRefBlock[k] != nullptr)
                return;
            // A reference to an element the file does not hold keeps its flag and number with
            // no element behind it, so that saving writes it back as it was.
            CString warning;
            warning.Format(L"Block %d: reference %d names block %d, which does not exist",
                           pBlock->m_nNumber, k + 1, number);
            m_loadWarnings.Add(warning);
            return;
        }
        pBlock->m_pRefBlock[k] = nullptr;
        pBlock->m_bRef[k] = FALSE;
    };

    const bool newModel = IsNewModel();
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* pBlock = static_cast<CBlockObj*>(m_blocks.GetNext(pos));
        if (newModel && pBlock->IsKindOf(RUNTIME_CLASS(CBlockDataLog))) {
            CBlockDataLog* pLog = static_cast<CBlockDataLog*>(pBlock);
            if (pLog->m_aItems.GetSize() != pLog->m_nTime1High)
                AfxThrowArchiveException(CArchiveException::genericException);
            for (INT_PTR i = 0; i < pLog->m_aItems.GetSize(); ++i) {
                CDataLogItem& item = pLog->m_aItems[i];
                item.m_pBlock = item.m_strOperand.Left(1) == L"B"
                                    ? FindBlockByNumber(item.m_nOperand)
                                    : nullptr;
            }
        }
        if (newModel) {
            if (ResolvesReferencesNewModel(pBlock)) {
                for (int k = 0; k < 4; ++k)
                    resolve(pBlock, k);
            }
        } else if (pBlock->IsKindOf(RUNTIME_CLASS(CBlockCOUNTER))) {
            resolve(pBlock, 0);
            resolve(pBlock, 1);
        } else if (pBlock->IsKindOf(RUNTIME_CLASS(CBlockDPR)) ||
                   pBlock->IsKindOf(RUNTIME_CLASS(CBlockDDR)) ||
                   pBlock->IsKindOf(RUNTIME_CLASS(CBlockPLR))) {
            resolve(pBlock, 0);
        }
    }

    // A wire whose ends name no element cannot be drawn or simulated: drop it.
    for (POSITION pos = m_wires.GetHeadPosition(); pos != nullptr;) {
        const POSITION current = pos;
        CConnectLineObj* pWire = static_cast<CConnectLineObj*>(m_wires.GetNext(pos));
        if (pWire->m_pStartBlock != nullptr && pWire->m_pEndBlock != nullptr)
            continue;
        CString warning;
        warning.Format(L"Wire from block %d to block %d dropped: an end does not exist",
                       pWire->m_nStartNumber, pWire->m_nEndNumber);
        m_loadWarnings.Add(warning);
        m_wires.RemoveAt(current);
        delete pWire;
    }
}
