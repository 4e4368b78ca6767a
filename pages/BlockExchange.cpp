// The field tables of the block families: which block field goes to which page member and
// which comes back.
#include "pages/BlockExchange.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/AllPropertySheet.h"
#include "pages/BasicFunPar.h"
#include "pages/Boolean.h"

void FillSheetFromBlock(CAllPropertySheet& sheet, const CBlockObj& block, const CTavixDoc& doc, bool /*bSimulating*/)
{
    sheet.m_nBlockNumber = block.m_nNumber;
    sheet.m_pagComment.m_strComment = block.m_strComment;
    CBlockPage* pPage = sheet.m_pPage;
    if (pPage == nullptr)
        return;
    pPage->m_strBlockName = block.m_strName;
    pPage->m_nBlockNumber = block.m_nNumber;
    pPage->m_bRefAllowed = doc.CountFlaggedBlocks(block.m_nNumber) >= 1;
    if (auto* pBoolean = dynamic_cast<CBoolean*>(pPage)) {
        pBoolean->m_nTruthTable = block.m_nExtra2;
        pBoolean->m_bProtection = block.m_bProtected;
    }
}

void ReadSheetIntoBlock(const CAllPropertySheet& sheet, CBlockObj& block)
{
    if (const CBlockPage* pPage = sheet.m_pPage) {
        block.m_strName = pPage->m_strBlockName;
        if (auto* pBoolean = dynamic_cast<const CBoolean*>(pPage)) {
            block.m_nExtra2 = pBoolean->m_nTruthTable;
            block.m_bProtected = pBoolean->m_bProtection;
        }
    }
    block.m_strComment = sheet.m_pagComment.m_strComment;
}
