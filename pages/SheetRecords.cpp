// CAllPropertySheet: the parameter records that Apply sends, filled from the pages.
#include "pages/AllPropertySheet.h"
#include "pages/BlockPage.h"
#include "pages/Boolean.h"

void CAllPropertySheet::FillRecord(CIOParamRecord& record) const
{
    record.nBlockNumber = m_nBlockNumber;
    record.strComment = m_pagComment.m_strComment;
    if (m_pPage)
        record.strName = m_pPage->m_strBlockName;
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
}
