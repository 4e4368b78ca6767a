#include "elements/ConnectLineObj.h"

#include "elements/BlockObj.h"
#include "document/TavixDoc.h"

#include <algorithm>

IMPLEMENT_SERIAL(CConnectLineObj, CObject, 0)

namespace {

void WritePoints(CArchive& ar, const CArray<CPoint, CPoint>& points)
{
    ar.WriteCount(DWORD(points.GetSize()));
    for (INT_PTR i = 0; i < points.GetSize(); ++i)
        ar << int(points[i].x) << int(points[i].y);
}

void ReadPoints(CArchive& ar, CArray<CPoint, CPoint>& points)
{
    const DWORD count = ar.ReadCount();
    // Eight bytes per point must still be there: a damaged count fails here, before any
    // allocation.
    ar.EnsureAvailable(ULONGLONG(count) * 8);
    points.RemoveAll();
    points.SetSize(INT_PTR(count));
    for (DWORD i = 0; i < count; ++i) {
        int x, y;
        ar >> x >> y;
        points[INT_PTR(i)] = CPoint(x, y);
    }
}

CBlockObj* FirstPowerBus(CTavixDoc* pDoc)
{
    if (!pDoc || pDoc->m_powerBus.IsEmpty())
        return nullptr;
    return static_cast<CBlockObj*>(pDoc->m_powerBus.GetHead());
}

} // namespace

CConnectLineObj::CConnectLineObj()
    : m_nStartNumber(0), m_nEndNumber(0), m_nStartPin(0), m_nEndPin(0), m_pStartBlock(nullptr),
      m_pEndBlock(nullptr), m_pDoc(nullptr), m_bMoved(0), m_bSelected(0), m_nReserved1(1),
      m_nReserved2(0), m_bEndDrag(0), m_nDragEnd(0)
{
    m_junctions.SetSize(kJunctionCount);
    for (int i = 0; i < kJunctionCount; ++i)
        m_junctions[i] = CPoint(kNoJunction, kNoJunction);
}

CConnectLineObj::~CConnectLineObj()
{
    m_points.RemoveAll();
    m_junctions.RemoveAll();
}

void CConnectLineObj::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << int(m_ptStart.x) << int(m_ptStart.y) << int(m_ptEnd.x) << int(m_ptEnd.y);
        ar << m_nStartNumber << m_nEndNumber << m_nStartPin << m_nEndPin;
        ar << m_nReserved1 << m_nReserved2 << m_bEndDrag << m_nDragEnd;
        WritePoints(ar, m_points);
        WritePoints(ar, m_junctions);
        return;
    }
    int x, y;
    ar >> x >> y;
    m_ptStart = CPoint(x, y);
    ar >> x >> y;
    m_ptEnd = CPoint(x, y);
    ar >> m_nStartNumber >> m_nEndNumber >> m_nStartPin >> m_nEndPin;
    ar >> m_nReserved1 >> m_nReserved2 >> m_bEndDrag >> m_nDragEnd;
    ReadPoints(ar, m_points);
    ReadPoints(ar, m_junctions);

    m_pDoc = static_cast<CTavixDoc*>(ar.m_pDocument);
    m_pStartBlock = m_pDoc ? m_pDoc->FindBlockByNumber(m_nStartNumber) : nullptr;
    m_pEndBlock = m_pDoc ? m_pDoc->FindBlockByNumber(m_nEndNumber) : nullptr;
    if (m_pDoc && m_pDoc->IsLadder()) {
        if (!m_pStartBlock)
            m_pStartBlock = FirstPowerBus(m_pDoc);
        else if (!m_pEndBlock)
            m_pEndBlock = FirstPowerBus(m_pDoc);
    }
}

BOOL CConnectLineObj::Walk(int x, int y, int* pSegment, int* pOrientation, int tol,
                           const POINT* pMoveDelta) const
{
    const INT_PTR n = m_points.GetSize();
    if (n < 2)
        return FALSE;
    const CPoint pt(x, y);
    const bool bMiddleOnly = pMoveDelta && n == 6 && pMoveDelta->x == 0 && pMoveDelta->y != 0;
    int a = m_ptStart.x, b = m_ptStart.y;
    CRect rc;
    const CPoint* points = m_points.GetData();
    for (INT_PTR i = 1; i < n; ++i) {
        const int c = points[i].x, d = points[i].y;
        int orientation = 0;
        if (a == c) {
            rc.SetRect(a - tol, b, a + tol, d);
            orientation = 0;
        } else if (b == d) {
            rc.SetRect(std::min(a, c), b - tol, std::max(a, c), b + tol);
            if (n == 2 || i == 1 || i == 3 || i == n - 1)
                rc.InflateRect(tol, 0);
            orientation = 1;
        }
        // A slanted segment keeps the rectangle and orientation of the one before it.
        else if (pOrientation) {
            orientation = *pOrientation;
        }
        if ((a == m_ptStart.x && b == m_ptStart.y) || (c == m_ptEnd.x && d == m_ptEnd.y))
            orientation = -1;
        if (pOrientation)
            *pOrientation = orientation;
        rc.NormalizeRect();
        if (rc.PtInRect(pt) && (!bMiddleOnly || i == 3)) {
            if (pSegment)
                *pSegment = int(i);
            return TRUE;
        }
        a = c;
        b = d;
    }
    return FALSE;
}

BOOL CConnectLineObj::HitTest(int x, int y, int* pSegment, int* pOrientation,
                              const POINT* pMoveDelta) const
{
    return Walk(x, y, pSegment, pOrientation, 4, pMoveDelta);
}

BOOL CConnectLineObj::HitTestTol(int x, int y, int* pSegment, int* pOrientation,
                                 int tolerance) const
{
    return Walk(x, y, pSegment, pOrientation, tolerance, nullptr);
}

CConnectLineObj* CConnectLineObj::FindLineAt(const CTavixDoc* pDoc, int x, int y)
{
    if (!pDoc)
        return nullptr;
    int segment = 0, orientation = 0;
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
        auto* pWire = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
        if (pWire && pWire->HitTest(x, y, &segment, &orientation))
            return pWire;
    }
    return nullptr;
}

int CConnectLineObj::CountLinesAt(const CTavixDoc* pDoc, int x, int y)
{
    if (!pDoc)
        return 0;
    int count = 0, segment = 0, orientation = 0;
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
        auto* pWire = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
        if (pWire && pWire->HitTestTol(x, y, &segment, &orientation, 1))
            ++count;
    }
    return count;
}

void CConnectLineObj::CopyFrom(const CConnectLineObj* pOther)
{
    if (!pOther || pOther == this)
        return;
    m_ptStart = pOther->m_ptStart;
    m_ptEnd = pOther->m_ptEnd;
    m_pStartBlock = pOther->m_pStartBlock;
    m_pEndBlock = pOther->m_pEndBlock;
    m_nStartNumber = pOther->m_nStartNumber;
    m_nEndNumber = pOther->m_nEndNumber;
    m_nStartPin = pOther->m_nStartPin;
    m_nEndPin = pOther->m_nEndPin;
    m_nReserved1 = pOther->m_nReserved1;
    m_points.SetSize(pOther->m_points.GetSize());
    for (INT_PTR i = 0; i < pOther->m_points.GetSize(); ++i)
        m_points[i] = pOther->m_points[i];
}
