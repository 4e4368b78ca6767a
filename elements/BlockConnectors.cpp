#include "elements/BlockConnectors.h"

#include "elements/ConnectLineObj.h"
#include "document/TavixDoc.h"
#include "view/TavixView.h"

IMPLEMENT_SERIAL(CBlockMale, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockFemale, CBlockObj, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kConnectorWidth = 15;
constexpr int kConnectorHeight = 10;

// The element at the far end of the wire whose end block is pConnector.
CConnectLineObj* WireInto(CTavixDoc* pDoc, CBlockObj* pConnector)
{
    if (!pDoc || !pConnector)
        return nullptr;
    return pDoc->FindWireOnConnector(pConnector);
}

} // namespace

// ---- CBlockMale ----

CBlockMale::CBlockMale() : CBlockObj(TYPE_MALE, 1)
{
    m_nOutputs = 0;
    m_nWidth = kConnectorWidth;
    m_nHeight = kConnectorHeight;
}

CBlockObj* CBlockMale::FindPartner(CTavixDoc* pDoc) const
{
    return pDoc ? pDoc->FindBlockByNumber(m_nNumber + kConnectorPartnerOffset) : nullptr;
}

CString CBlockMale::GetLabel(CTavixDoc* pDoc) const
{
    CString label;
    CConnectLineObj* pWire = WireInto(pDoc, FindPartner(pDoc));
    if (pWire && pWire->m_pStartBlock)
        label.Format(L"%s/%d", (LPCTSTR)pDoc->GetBlockLabel(pWire->m_pStartBlock),
                     pWire->m_nStartPin);
    return label;
}

BOOL CBlockMale::Simulate(CTavixView* pView)
{
    CTavixDoc* pDoc = pView ? pView->GetDocument() : nullptr;
    for (int i = 0; i < m_nInputs && i < kFirstOutputPin; ++i) {
        CBlockObj* pSrc = (m_nLink[i] != LINK_OPEN && pDoc) ? pDoc->FindBlockByNumber(m_nLink[i])
                                                             : nullptr;
        m_nPinValue[i] = pSrc ? pSrc->m_nPinValue[kOutputPin] : 0;
    }
    return TRUE;
}

void CBlockMale::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    Simulate(pView);
    Draw(pView, pDC, 1, m_nPinValue[0] == 1 ? RGB(255, 0, 0) : RGB(0, 0, 255));
}

// ---- CBlockFemale ----

CBlockFemale::CBlockFemale() : CBlockObj(TYPE_FEMALE, 0)
{
    m_nOutputs = 1;
    m_nWidth = kConnectorWidth;
    m_nHeight = kConnectorHeight;
}

CBlockObj* CBlockFemale::FindPartner(CTavixDoc* pDoc) const
{
    return pDoc ? pDoc->FindBlockByNumber(m_nNumber - kConnectorPartnerOffset) : nullptr;
}

CString CBlockFemale::GetLabel(CTavixDoc* pDoc) const
{
    CConnectLineObj* pWire = WireInto(pDoc, FindPartner(pDoc));
    if (pWire && pWire->m_pStartBlock)
        return pDoc->GetBlockLabel(pWire->m_pStartBlock);
    return CString();
}

BOOL CBlockFemale::Simulate(CTavixView* pView)
{
    CTavixDoc* pDoc = pView ? pView->GetDocument() : nullptr;
    for (int pin = kFirstOutputPin; pin < kFirstOutputPin + m_nOutputs && pin < kPinCount; ++pin) {
        int value = 0;
        if (m_nLink[pin] != LINK_NONE) {
            CConnectLineObj* pWire = WireInto(pDoc, FindPartner(pDoc));
            if (pWire && pWire->m_pStartBlock)
                value = pWire->m_pStartBlock->m_nPinValue[kOutputPin];
        }
        m_nPinValue[pin] = value;
    }
    return TRUE;
}

