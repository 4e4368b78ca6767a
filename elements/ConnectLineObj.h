// CConnectLineObj: one wire of a diagram, a polyline of axis-parallel segments from a pin of one
// element to a pin of another (or to the ladder power bus). The document owns its wires.
#pragma once

#include "platform/base/Afx.h"

class CBlockObj;
class CTavixDoc;
class CDC;

class CConnectLineObj : public CObject
{
    DECLARE_SERIAL(CConnectLineObj)

public:
    enum { kJunctionCount = 6, kNoJunction = -9999 };

    CConnectLineObj();
    ~CConnectLineObj() override;

    // The wire record. Loading resolves both ends by number in the archive's document; an end
    // that names no element stays null (in ladder documents the power bus stands in for it).
    void Serialize(CArchive& ar) override;

    // The polyline in the colour, as wide as the wider pin kind of its ends, with a junction
    // dot on every marked vertex; DrawSelected adds the vertex handles.
    void Draw(CDC* pDC, COLORREF colour, int pass);
    void DrawSelected(CDC* pDC, COLORREF colour);
    // The area (logical units) that holds the polyline, its junction dots and its handles;
    // empty when the wire has no vertices.
    CRect GetPaintBounds() const;

    // TRUE when (x, y) lies within 4 units of a segment; *pSegment gets the index of the
    // segment's end vertex, *pOrientation 0 vertical, 1 horizontal, -1 an end segment. With a
    // vertical move delta (x 0, y not 0) on a 6-vertex wire only the middle segment 3 counts.
    BOOL HitTest(int x, int y, int* pSegment, int* pOrientation,
                 const POINT* pMoveDelta = nullptr) const;
    // The same walk with the given tolerance, without the move-delta rule.
    BOOL HitTestTol(int x, int y, int* pSegment, int* pOrientation, int tolerance) const;

    // The first wire of the document's list that holds the point, else null.
    static CConnectLineObj* FindLineAt(const CTavixDoc* pDoc, int x, int y);
    // The number of the document's wires within 1 unit of the point.
    static int CountLinesAt(const CTavixDoc* pDoc, int x, int y);

    // Copies the ends, their elements, numbers and pins, m_nReserved1 and the vertices.
    void CopyFrom(const CConnectLineObj* pOther);

    CPoint m_ptStart;
    CPoint m_ptEnd;
    int m_nStartNumber;
    int m_nEndNumber;
    int m_nStartPin;              // 0-9 input, 10-19 output
    int m_nEndPin;
    CArray<CPoint, CPoint> m_points;     // vertices: first = start point, last = end point
    CBlockObj* m_pStartBlock;     // not owned
    CBlockObj* m_pEndBlock;       // not owned
    CTavixDoc* m_pDoc;            // set when the wire is loaded
    int m_bMoved;
    int m_bSelected;
    int m_nReserved1;
    int m_nReserved2;
    CArray<CPoint, CPoint> m_junctions;  // junction marker per vertex, (-9999, -9999) when none
    int m_bEndDrag;
    int m_nDragEnd;               // 1 the end, -1 the start

private:
    BOOL Walk(int x, int y, int* pSegment, int* pOrientation, int tolerance,
              const POINT* pMoveDelta) const;
};
