#include "elements/BlockDataLog.h"

#include "elements/BlockStep.h"

IMPLEMENT_SERIAL(CBlockDataLog, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockDataLog::CBlockDataLog()
{
    m_byOptions = 0x00;
}

CBlockDataLog::CBlockDataLog(int nType) : CBlockObj(nType, 2)
{
    ApplyTypeConstants();
    m_byOptions = 0x00;
    m_nOutputs = 0;
    BlockStep::SetLinkItems(*this, 1, {LINK_PARAM});
    m_nTime1High = 0;
}

void CBlockDataLog::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        // The count travels in the element record; it is always the array's size.
        m_nTime1High = static_cast<int>(m_aItems.GetSize());
        CBlockObj::Serialize(ar);
        for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i) {
            const CDataLogItem& item = m_aItems[i];
            ar << item.m_strOperand << item.m_strParam << item.m_nOperand << item.m_nParamIndex;
        }
        return;
    }
    CBlockObj::Serialize(ar);
    m_aItems.RemoveAll();
    if (m_nTime1High < 0 || m_nTime1High > kMaxItems)
        AfxThrowArchiveException(CArchiveException::genericException);
    m_aItems.SetSize(m_nTime1High);
    for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i) {
        CDataLogItem& item = m_aItems[i];
        ar >> item.m_strOperand >> item.m_strParam >> item.m_nOperand >> item.m_nParamIndex;
        item.m_pBlock = nullptr;
    }
}
