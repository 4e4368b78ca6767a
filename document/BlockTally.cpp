#include "document/BlockTally.h"

#include "document/TavixDoc.h"

CBlockTally::CBlockTally(CTavixDoc& doc) : m_doc(doc)
{
    if (doc.m_pTally != nullptr)
        return;
    doc.m_pTally = this;
    m_bOwner = true;
}

CBlockTally::~CBlockTally()
{
    if (m_bOwner)
        m_doc.m_pTally = nullptr;
}

void CBlockTally::Recount()
{
    if (m_doc.m_pTally == nullptr)
        return;
    m_doc.m_pTally->m_counts.clear();
    m_doc.m_pTally->m_numbers.clear();
}
