// The field tables of the block families: which block field goes to which page member. The way
// back goes through the family's parameter record (the sheet fills it, the view takes it).
#include "pages/BlockExchange.h"

#include "document/TavixDoc.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockObj.h"
#include "pages/AMathMux.h"
#include "pages/AllPropertySheet.h"
#include "pages/AnalogComparator.h"
#include "pages/BasicFunPar.h"
#include "pages/Boolean.h"
#include "pages/Mask.h"
#include "pages/MathErr.h"
#include "pages/MaxMin.h"

#include <algorithm>

namespace {

// The analog set of the analog pages, with Retentivity and the two level references.
void FillAnalog(CAnalogComparator& page, const CBlockAnalog& block)
{
    page.m_nSensor = block.m_nSensor;
    page.m_nMin = block.m_nRangeMin;
    page.m_nMax = block.m_nRangeMax;
    page.m_dGain = block.m_dGain;
    page.m_nOffset = block.m_nOffset;
    page.m_nValue1 = block.m_nThreshold1;
    page.m_nValue2 = block.m_nThreshold2;
    page.m_nDecimals = block.m_nDecimals;
    page.m_nTempUnit = block.m_nTempUnit;
    page.m_nResolution = block.m_nResolution;
    page.m_bProtection = block.m_bProtected;
    page.m_bRetentivity = block.m_bRetentive;
    page.m_nActualValue = block.m_nActualValue;
    page.m_nCapturedValue = block.m_nCapturedValue;
    for (int k = 0; k < 2; ++k) {
        page.m_pRefBlock[k] = block.m_pRefBlock[k];
        page.m_bRef[k] = block.m_pRefBlock[k] != nullptr;
    }
}

}  // namespace

void FillSheetFromBlock(CAllPropertySheet& sheet, const CBlockObj& block, const CTavixDoc& doc, bool bSimulating)
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
    if (auto* pMask = dynamic_cast<CMask*>(pPage)) {
        pMask->m_nMask = block.m_nTime1High;
        pMask->m_strMask.Format(L"%04X", block.m_nTime1High & 0xFFFF);
        pMask->m_bProtection = block.m_bProtected;
        pMask->m_pRefBlock = block.m_pRefBlock[0];
        pMask->m_bRef = block.m_pRefBlock[0] != nullptr;
    }
    if (auto* pMath = dynamic_cast<CMaxMin*>(pPage)) {
        pMath->m_nValue = block.m_nTime1High;
        pMath->m_bProtection = block.m_bProtected;
        pMath->m_pRefBlock = block.m_pRefBlock[0];
        pMath->m_bRef = block.m_pRefBlock[0] != nullptr;
        if (block.m_nType != 846) {
            pMath->m_bResetOnDisable = block.m_bStdPreWarning;
            pMath->m_bRetentivity = block.m_bRetentive;
        }
    }
    if (auto* pMath = dynamic_cast<CAMathMux*>(pPage); pMath && dynamic_cast<const CBlockAnalog*>(&block)) {
        pMath->m_nDecimals = static_cast<const CBlockAnalog&>(block).m_nDecimals;
        pMath->m_bProtection = block.m_bProtected;
        const int values[4] = {block.m_nTime1High, block.m_nTime2High, block.m_nPreWarn[1], block.m_nPreWarn[3]};
        std::copy(values, values + 4, pMath->m_nValue);
        if (block.m_nType == 815) {
            pMath->m_nOperator[0] = block.m_nTime1Low, pMath->m_nOperator[1] = block.m_nTime2Low;
            pMath->m_nOperator[2] = block.m_nPreWarn[0];
            pMath->m_nPriority[0] = block.m_nTime1Base, pMath->m_nPriority[1] = block.m_nTime2Base;
            pMath->m_nPriority[2] = block.m_nPreWarn[2];
            pMath->m_nEnOutput = block.m_nExtra3;
        }
        for (int k = 0; k < 4; ++k) {
            pMath->m_pRefBlock[k] = block.m_pRefBlock[k];
            pMath->m_bRef[k] = block.m_pRefBlock[k] != nullptr;
        }
    }
    if (auto* pErr = dynamic_cast<CMathErr*>(pPage)) {
        pErr->m_nListIndex = block.m_nTime1High;
        pErr->m_nErrorKind = block.m_nTime1Low;
        pErr->m_bAutoReset = block.m_bStdPreWarning;
        pErr->m_bRetentivity = block.m_bRetentive;
        pErr->m_bProtection = block.m_bProtected;
        pErr->m_pRefBlock = block.m_pRefBlock[0];
        pErr->m_bRef = block.m_pRefBlock[0] != nullptr;
    }
    auto* pAnalogPage = dynamic_cast<CAnalogComparator*>(pPage);
    auto* pAnalog = dynamic_cast<const CBlockAnalog*>(&block);
    if (pAnalogPage && pAnalog)
        FillAnalog(*pAnalogPage, *pAnalog);
    // The page's own fields last, so a page may settle what the family's table filled.
    pPage->FillFromBlock(block, doc, bSimulating);
}
