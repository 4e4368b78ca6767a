#include "elements/PowerBus.h"

IMPLEMENT_SERIAL(CPowerBusObj, CBlockHigh, VERSIONABLE_SCHEMA | 1)

CPowerBusObj::CPowerBusObj() : CBlockHigh(TYPE_POWERBUS)
{
    m_ptOrigin = CPoint(kLeft, kTop);
    m_ptSaved = m_ptOrigin;
    m_nNumber = NUM_POWERBUS;
    m_nInputs = 0;
    m_nOutputs = 0;
    m_nWidth = kRailWidth;
}
