// What a load does after the lists are read: references become pointers (or are cleared when
// they name nothing), data-log items find their blocks, and wires without both ends are dropped.
#include "document/TavixDoc.h"

#include "document/ClassTest.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"

namespace {

// Classes whose four references are resolved after loading a new-model file.
const char* const kReferencingClasses[] = {
    "CBlockTime", "CBlockAnalog", "CBlockCOUNTER", "CBlockHCOUNTER", "CBlockTHTRG",
    "CBlockMATHERR", "CBlockROL", "CBlockROR", "CBlockSHL", "CBlockSHR", "CBlockANDM",
    "CBlockORM", "CBlockNOTM", "CBlockNANDM", "CBlockNORM", "CBlockXORM", "CBlockARRMXIV",
    "CBlockACMXIV", "CBlockRAND", "CBlockMOD", "CBlockREM", "CBlockLOG", "CBlockFIX",
    "CBlockROUND", "CBlockENCODER", "CBlockWORD2BIT", "CBlockSMC", "CBlockSMCE", "CBlockPTO",
    "CBlockPTOE", "CBlockMEM",
};
const char* const kNonReferencingClasses[] = {
    "CBlockAAMP", "CBlockADTRG", "CBlockAFILTER", "CBlockMAXMIN",
};

bool ResolvesReferencesNewModel(const CBlockObj* pBlock)
{
    if (pBlock->m_nType >= 410 && pBlock->m_nType <= 413)
        return false;
    for (const char* name : kNonReferencingClasses) {
        if (IsObjectOfClass(pBlock, name))
            return false;
    }
    for (const char* name : kReferencingClasses) {
        if (IsObjectOfClass(pBlock, name))
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
            // A reference to an element the file does not hold is cleared, not left dangling.
            CString warning;
            warning.Format(L"Block %d: reference %d names block %d, which does not exist",
                           pBlock->m_nNumber, k + 1, number);
            m_loadWarnings.Add(warning);
        }
        pBlock->m_pRefBlock[k] = nullptr;
        pBlock->m_bRef[k] = FALSE;
    };

    const bool newModel = IsNewModel();
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* pBlock = static_cast<CBlockObj*>(m_blocks.GetNext(pos));
        if (newModel && IsObjectOfClass(pBlock, "CBlockDataLog")) {
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
        } else if (IsObjectOfClass(pBlock, "CBlockCOUNTER")) {
            resolve(pBlock, 0);
            resolve(pBlock, 1);
        } else if (IsObjectOfClass(pBlock, "CBlockDPR") || IsObjectOfClass(pBlock, "CBlockDDR") ||
                   IsObjectOfClass(pBlock, "CBlockPLR")) {
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
