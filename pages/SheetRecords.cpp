// CAllPropertySheet: the parameter records that Apply sends, filled from the pages.
#include "pages/AMathMux.h"
#include "pages/AllPropertySheet.h"
#include "pages/AnalogComparator.h"
#include "pages/BlockPage.h"
#include "pages/Boolean.h"
#include "pages/Mask.h"
#include "pages/MathErr.h"
#include "pages/MaxMin.h"

#include <algorithm>

void CAllPropertySheet::FillRecord(CIOParamRecord& record) const
{
    record.nBlockNumber = m_nBlockNumber;
    record.strComment = m_pagComment.m_strComment;
    if (m_pPage) {
        record.strName = m_pPage->m_strBlockName;
        m_pPage->FillIORecord(record);
    }
}

void CAllPropertySheet::FillRecord(CWeeklyParamRecord& record) const
{
    record.nBlockNumber = m_nBlockNumber;
    record.strComment = m_pagComment.m_strComment;
    if (m_pPage) {
        record.strName = m_pPage->m_strBlockName;
        record.bProtection = m_pPage->m_bProtection;
        m_pPage->FillWeeklyRecord(record);
    }
}

void CAllPropertySheet::FillRecord(CModbusParamRecord& record) const
{
    record.nBlockNumber = m_nBlockNumber;
    record.strComment = m_pagComment.m_strComment;
    if (m_pPage) {
        record.strName = m_pPage->m_strBlockName;
        m_pPage->FillModbusRecord(record);
    }
}

void CAllPropertySheet::FillRecord(CMsgTextParamRecord& record) const
{
    record.nBlockNumber = m_nBlockNumber;
    record.strComment = m_pagComment.m_strComment;
    if (m_pPage) {
        record.strName = m_pPage->m_strBlockName;
        record.bProtection = m_pPage->m_bProtection;
        m_pPage->FillMsgTextRecord(record);
    }
}

void CAllPropertySheet::FillRecord(CMiscParamRecord& record) const
{
    record.nBlockNumber = m_nBlockNumber;
    record.strComment = m_pagComment.m_strComment;
    if (m_pPage == nullptr)
        return;
    record.strName = m_pPage->m_strBlockName;
    record.bRetentivity = m_pPage->m_bRetentivity;
    record.bProtection = m_pPage->m_bProtection;
    if (auto* pBoolean = dynamic_cast<const CBoolean*>(m_pPage))
        record.nMisc3 = pBoolean->m_nTruthTable;
    m_pPage->FillMiscRecord(record);
}

void CAllPropertySheet::FillRecord(CAnalogParamRecord& record) const
{
    record.nBlockNumber = m_nBlockNumber;
    record.strComment = m_pagComment.m_strComment;
    if (const auto* pMath = dynamic_cast<const CAMathMux*>(m_pPage)) {
        record.strName = pMath->m_strBlockName;
        record.bProtection = pMath->m_bProtection;
        for (int i = 0; i < 4; ++i) {
            record.nAnalog[1 + i] = pMath->m_nValue[i];
            const bool bRef = pMath->m_bRef[i] && pMath->m_pRefBlock[i];
            record.ref[i].bFlag = bRef ? 1 : 0;
            record.ref[i].pBlock = bRef ? pMath->m_pRefBlock[i] : nullptr;
        }
        record.nAnalog[5] = pMath->m_nDecimals;
        record.nAnalog[0] = pMath->m_nEnOutput;
        record.nSensor = pMath->m_nOperator[0], record.nMin = pMath->m_nOperator[1], record.nMax = pMath->m_nOperator[2];
        std::copy(pMath->m_nPriority, pMath->m_nPriority + 3, record.nXYZ);
        return;
    }
    const auto* pPage = dynamic_cast<const CAnalogComparator*>(m_pPage);
    if (pPage == nullptr) {
        if (m_pPage) {
            record.strName = m_pPage->m_strBlockName;
            record.bProtection = m_pPage->m_bProtection;
            record.bRetentivity = m_pPage->m_bRetentivity;
            m_pPage->FillAnalogRecord(record);
        }
        return;
    }
    record.strName = pPage->m_strBlockName;
    record.nSensor = pPage->m_nSensor;
    record.nMin = pPage->m_nMin;
    record.nMax = pPage->m_nMax;
    record.dGain = pPage->m_dGain;
    const int analog[6] = {pPage->m_nOffset, pPage->m_nValue1, pPage->m_nValue2, pPage->m_nDecimals,
                           pPage->m_nTempUnit, pPage->m_nResolution};
    std::copy(analog, analog + 6, record.nAnalog);
    record.bProtection = pPage->m_bProtection;
    record.bRetentivity = pPage->m_bRetentivity;
    record.nOutput = pPage->m_nActualValue;
    record.nOutput2 = pPage->m_nCapturedValue;
    for (int k = 0; k < 2; ++k) {
        // A reference whose flag is clear carries no block.
        record.ref[k].bFlag = pPage->m_bRef[k] && pPage->m_pRefBlock[k] ? 1 : 0;
        record.ref[k].pBlock = record.ref[k].bFlag ? pPage->m_pRefBlock[k] : nullptr;
    }
    pPage->FillAnalogRecord(record);
}

void CAllPropertySheet::FillRecord(CTimeParamRecord& record) const
{
    record.nBlockNumber = m_nBlockNumber;
    record.strComment = m_pagComment.m_strComment;
    if (m_pPage == nullptr)
        return;
    record.strName = m_pPage->m_strBlockName;
    record.bProtection = m_pPage->m_bProtection;
    record.bRetentivity = m_pPage->m_bRetentivity;
    if (const auto* pMask = dynamic_cast<const CMask*>(m_pPage)) {
        const bool bRef = pMask->m_bRef && pMask->m_pRefBlock;
        // A mask taken from another block carries no literal value.
        record.nTime1High = bRef ? 0 : pMask->m_nMask;
        record.ref[0].bFlag = bRef ? 1 : 0;
        record.ref[0].pBlock = bRef ? pMask->m_pRefBlock : nullptr;
    }
    if (const auto* pErr = dynamic_cast<const CMathErr*>(m_pPage)) {
        record.nTime1High = pErr->m_pRefBlock ? 0 : pErr->m_nListIndex;
        record.nTime1Low = pErr->m_nErrorKind;
        record.nCheck = pErr->m_bAutoReset;
        record.ref[0].bFlag = pErr->m_pRefBlock ? 1 : 0;
        record.ref[0].pBlock = pErr->m_pRefBlock;
    }
    if (const auto* pMath = dynamic_cast<const CMaxMin*>(m_pPage)) {
        const bool bRef = pMath->m_bRef && pMath->m_pRefBlock;
        record.nTime1High = bRef ? pMath->ReferencePlaceholder() : pMath->m_nValue;
        record.nCheck = pMath->m_bResetOnDisable;
        record.ref[0].bFlag = bRef ? 1 : 0;
        record.ref[0].pBlock = bRef ? pMath->m_pRefBlock : nullptr;
    }
    m_pPage->FillTimeRecord(record);
}
