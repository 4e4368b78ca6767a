#include "elements/BlockMSGTEXT.h"

#include "elements/BlockStep.h"
#include "msgtext/Widget.h"

IMPLEMENT_SERIAL(CBlockMSGTEXT, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMSGTEXT::CBlockMSGTEXT()
    : m_bAckLatch(0), m_bCaptureEnableTime(1), m_bCaptureEnableDate(1), m_nCurrentSet(0),
      m_bSet1Enabled(1), m_bSet2Enabled(0), m_nTickerMode1(0), m_nTickerMode2(0),
      m_bTickerLine{}, m_bShowDetails(0)
{
    m_byOptions = 0x04;
    InitCells();
}

CBlockMSGTEXT::CBlockMSGTEXT(int nType)
    : CBlockObj(nType, 3), m_bAckLatch(0), m_bCaptureEnableTime(1), m_bCaptureEnableDate(1),
      m_nCurrentSet(0), m_bSet1Enabled(1), m_bSet2Enabled(0), m_nTickerMode1(0),
      m_nTickerMode2(0), m_bTickerLine{}, m_bShowDetails(0)
{
    ApplyTypeConstants();
    BlockStep::SetLinkItems(*this, 1, {LINK_PARAM, LINK_PARAM, LINK_END});
    Priority() = -1;
    AcknowledgeRequired() = FALSE;
    InitCells();
}

CBlockMSGTEXT::~CBlockMSGTEXT()
{
    for (int i = 0; i < kLines; ++i) {
        DeleteFields(m_aLines1[i]);
        DeleteFields(m_aLines2[i]);
    }
}

void CBlockMSGTEXT::InitCells()
{
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const bool bHeader = row == 0 || column == 0;
            m_astrCells1[CellIndex(row, column)] = bHeader ? L"W" : L"";
            m_astrCells2[CellIndex(row, column)] = bHeader ? L"W" : L"";
        }
    }
}

void CBlockMSGTEXT::ApplyDocumentSettings(int nMachineType, int nCurrentSet)
{
    if (nMachineType >= kMachineTypeQ) {
        m_nCurrentSet = nCurrentSet;
        m_bSet1Enabled = nCurrentSet == 0;
        m_bSet2Enabled = nCurrentSet != 0;
    } else {
        m_nCurrentSet = 0;
        m_bSet1Enabled = 1;
        m_bSet2Enabled = 0;
    }
}

void CBlockMSGTEXT::DeleteFields(CObArray& line)
{
    for (INT_PTR i = 0; i < line.GetSize(); ++i)
        delete line[i];
    line.RemoveAll();
}

// ---- record ----

void CBlockMSGTEXT::SerializeSettings(CArchive& ar)
{
    int* const settings[] = {&m_nCurrentSet, &m_bSet1Enabled, &m_bSet2Enabled, &m_nTickerMode1,
                             &m_nTickerMode2, &m_bTickerLine[0], &m_bTickerLine[1],
                             &m_bTickerLine[2], &m_bTickerLine[3], &m_bTickerLine[4],
                             &m_bTickerLine[5], &m_bTickerLine[6], &m_bTickerLine[7],
                             &m_bShowDetails};
    for (int* p : settings) {
        if (ar.IsStoring())
            ar << *p;
        else
            ar >> *p;
    }
}

void CBlockMSGTEXT::Serialize(CArchive& ar)
{
    CBlockObj::Serialize(ar);
    if (ar.IsStoring()) {
        for (int cell = 0; cell < kCells; ++cell)
            ar << m_astrCells1[cell] << m_astrCells2[cell];
        SerializeSettings(ar);
        return;
    }
    if (m_nSchema == 0) {
        // Older files hold the 13 columns of set 1 that the older devices show.
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kOldColumns; ++column)
                ar >> m_astrCells1[CellIndex(row, column)];
        return;
    }
    if (m_nSchema != 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
    for (int cell = 0; cell < kCells; ++cell)
        ar >> m_astrCells1[cell] >> m_astrCells2[cell];
    SerializeSettings(ar);
}

// ---- copy ----

void CBlockMSGTEXT::CopyFields(const CObArray& from, CObArray& to)
{
    for (INT_PTR i = 0; i < from.GetSize(); ++i) {
        const CWidget* pField = static_cast<const CWidget*>(from[i]);
        if (!pField)
            continue;
        CWidget* pCopy = new CWidget();
        pField->CopyTo(pCopy);
        // The field the destination held at this index is replaced, so it is freed first.
        if (i < to.GetSize())
            delete to[i];
        to.SetAtGrow(i, pCopy);
    }
}

void CBlockMSGTEXT::CopyTo(CBlockObj* pDst, BOOL bGeometry, int nMachineType)
{
    if (!pDst || pDst == this)
        return;
    CBlockObj::CopyTo(pDst, bGeometry, nMachineType);
    CBlockMSGTEXT* pTo = dynamic_cast<CBlockMSGTEXT*>(pDst);
    if (!pTo)
        return;
    for (int i = 0; i < kLines; ++i)
        CopyFields(m_aLines1[i], pTo->m_aLines1[i]);
    if (nMachineType < kMachineTypeQ) {
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kOldColumns; ++column)
                pTo->m_astrCells1[CellIndex(row, column)] = m_astrCells1[CellIndex(row, column)];
        return;
    }
    for (int i = 0; i < kLines; ++i)
        CopyFields(m_aLines2[i], pTo->m_aLines2[i]);
    for (int cell = 0; cell < kCells; ++cell) {
        pTo->m_astrCells1[cell] = m_astrCells1[cell];
        pTo->m_astrCells2[cell] = m_astrCells2[cell];
    }
    pTo->m_nCurrentSet = m_nCurrentSet;
    pTo->m_bSet1Enabled = m_bSet1Enabled;
    pTo->m_bSet2Enabled = m_bSet2Enabled;
    pTo->m_nTickerMode1 = m_nTickerMode1;
    pTo->m_nTickerMode2 = m_nTickerMode2;
    for (int i = 0; i < 8; ++i)
        pTo->m_bTickerLine[i] = m_bTickerLine[i];
    pTo->m_bShowDetails = m_bShowDetails;
}

// ---- simulation ----

BOOL CBlockMSGTEXT::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    const int en = m_nPinValue[0];
    int q = m_nPinValue[kOutputPin];
    if (m_bPinChanged[0]) {
        if (en == 1) {
            q = 1;
            if (AcknowledgeRequired() && !AcknowledgePending())
                AcknowledgePending() = TRUE;
        } else {
            q = m_bAckLatch ? 1 : 0;
        }
    } else if (!m_bAckLatch) {
        q = en;
    }
    BlockStep::SetOutput(*this, pView, q);
    BlockStep::EndStep(*this, pView);
    return TRUE;
}

void CBlockMSGTEXT::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    // The view's message-text refresh (which also opens and closes the display) is not there
    // yet; the block steps itself meanwhile.
    Simulate(pView);
    Draw(pView, pDC, 1, m_nPinValue[kOutputPin] == 1 ? RGB(255, 0, 0) : RGB(0, 0, 255));
}
