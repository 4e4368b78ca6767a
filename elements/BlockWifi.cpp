#include "elements/BlockWifi.h"

#include "elements/BlockStep.h"

IMPLEMENT_SERIAL(CBlockWIFI, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockWIFIIn, CBlockWIFI, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockWIFIOut, CBlockWIFI, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockWIFIAI, CBlockWIFI, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockWIFIAOut, CBlockWIFI, VERSIONABLE_SCHEMA | 1)

CBlockWIFI::CBlockWIFI()
    : m_nWifiSource(0), m_nWifiId(0), m_nWifiBlockType(0), m_nWifiBlockNumber(0)
{
    m_byOptions = 0x00;
}

CBlockWIFI::CBlockWIFI(int nType, int nInputs)
    : CBlockObj(nType, nInputs), m_nWifiSource(0), m_nWifiId(0), m_nWifiBlockType(0),
      m_nWifiBlockNumber(0)
{
    m_byOptions = 0x00;
}

void CBlockWIFI::Serialize(CArchive& ar)
{
    CBlockObj::Serialize(ar);
    if (ar.IsStoring())
        ar << m_nWifiSource << m_nWifiId << m_nWifiBlockType << m_nWifiBlockNumber;
    else
        ar >> m_nWifiSource >> m_nWifiId >> m_nWifiBlockType >> m_nWifiBlockNumber;
}

void CBlockWIFI::CopyTo(CBlockObj* pDst, BOOL bGeometry, int nMachineType)
{
    if (!pDst)
        return;
    CBlockObj::CopyTo(pDst, bGeometry, nMachineType);
    if (CBlockWIFI* pTo = dynamic_cast<CBlockWIFI*>(pDst)) {
        pTo->m_nWifiSource = m_nWifiSource;
        pTo->m_nWifiId = m_nWifiId;
        pTo->m_nWifiBlockType = m_nWifiBlockType;
        pTo->m_nWifiBlockNumber = m_nWifiBlockNumber;
    }
}

CBlockWIFIIn::CBlockWIFIIn() = default;
CBlockWIFIOut::CBlockWIFIOut() = default;
CBlockWIFIAI::CBlockWIFIAI() = default;
CBlockWIFIAOut::CBlockWIFIAOut() = default;

CBlockWIFIIn::CBlockWIFIIn(int nType) : CBlockWIFI(nType, 2)
{
    ApplyTypeConstants();
    BlockStep::SetLinkItems(*this, 1, {55, 98, 99, 100, 101, 58, 53});
}

CBlockWIFIOut::CBlockWIFIOut(int nType) : CBlockWIFI(nType, 3)
{
    ApplyTypeConstants();
    BlockStep::SetLinkItems(*this, 2, {55, 98, 99, 100, 53});
    m_nOutputs = 0;
}

CBlockWIFIAI::CBlockWIFIAI(int nType) : CBlockWIFI(nType, 2)
{
    ApplyTypeConstants();
    BlockStep::SetLinkItems(*this, 1, {55, 98, 99, 100, 53, 53});
}

CBlockWIFIAOut::CBlockWIFIAOut(int nType) : CBlockWIFI(nType, 3)
{
    ApplyTypeConstants();
    BlockStep::SetLinkItems(*this, 2, {55, 98, 99, 100, 53});
    m_nOutputs = 0;
}
