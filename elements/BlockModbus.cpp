#include "elements/BlockModbus.h"

#include "elements/BlockStep.h"

IMPLEMENT_SERIAL(CBlockMR, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockMW, CBlockMR, VERSIONABLE_SCHEMA | 1)

// The loading constructor leaves the request fields to the record.
CBlockMR::CBlockMR()
    : m_bySlave(0), m_byCommand(0), m_byFunction(0), m_byWriteMode(0), m_nPort(0),
      m_wRegister(0), m_wCount(0), m_wData1(0), m_wData2(0), m_wDataAddress(0), m_nDataArea(0)
{
    m_byOptions = 0x00;
}

CBlockMR::CBlockMR(int nType)
    : CBlockObj(nType, 3), m_bySlave(1), m_byCommand(0), m_byFunction(0), m_byWriteMode(0),
      m_nPort(0), m_wRegister(0), m_wCount(1), m_wData1(0), m_wData2(0), m_wDataAddress(0),
      m_nDataArea(0), m_strData1(L"0"), m_strData2(L"0")
{
    ApplyTypeConstants();
    BlockStep::SetLinkItems(*this, 2, {55, 82, 83, 84, 85, 86, 57, 53});
    m_nTime1Base = 0;  // cycle
}

CBlockMW::CBlockMW() = default;
CBlockMW::CBlockMW(int nType) : CBlockMR(nType) {}

void CBlockMR::Serialize(CArchive& ar)
{
    CBlockObj::Serialize(ar);
    // The same part in schema 0 and 1 records.
    if (ar.IsStoring()) {
        ar << m_bySlave << m_byCommand << m_byFunction << m_wRegister << m_wCount << m_wData1
           << m_wData2 << m_nPort << m_byWriteMode << m_nDataArea << m_wDataAddress
           << m_strData1 << m_strData2;
    } else {
        ar >> m_bySlave >> m_byCommand >> m_byFunction >> m_wRegister >> m_wCount >> m_wData1 >>
            m_wData2 >> m_nPort >> m_byWriteMode >> m_nDataArea >> m_wDataAddress >>
            m_strData1 >> m_strData2;
    }
}

void CBlockMR::CopyTo(CBlockObj* pDst, BOOL bGeometry, int nMachineType)
{
    if (!pDst)
        return;
    CBlockObj::CopyTo(pDst, bGeometry, nMachineType);
    CBlockMR* pTo = dynamic_cast<CBlockMR*>(pDst);
    if (!pTo)
        return;
    // Whatever the machine type.
    pTo->m_bySlave = m_bySlave;
    pTo->m_byCommand = m_byCommand;
    pTo->m_byFunction = m_byFunction;
    pTo->m_byWriteMode = m_byWriteMode;
    pTo->m_nPort = m_nPort;
    pTo->m_wRegister = m_wRegister;
    pTo->m_wCount = m_wCount;
    pTo->m_wData1 = m_wData1;
    pTo->m_wData2 = m_wData2;
    pTo->m_wDataAddress = m_wDataAddress;
    pTo->m_nDataArea = m_nDataArea;
    pTo->m_strData1 = m_strData1;
    pTo->m_strData2 = m_strData2;
}

BOOL CBlockMR::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    BlockStep::SetOutput(*this, pView, m_nPinValue[1] == 1 ? 0 : m_nPinValue[0]);
    BlockStep::EndStep(*this, pView);
    return TRUE;
}
