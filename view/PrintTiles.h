// CPrintTiles: how a printed diagram is cut into pages. The picture (the whole diagram area) is
// split into pages across times pages down; page p (from 1) is the tile in column (p - 1) mod
// across and row (p - 1) / across, pages running row by row from the top-left corner. Where the
// picture does not divide evenly the spare units go to the tiles one by one, so that every unit
// of the diagram lands on exactly one page.
#pragma once

#include "platform/base/Geometry.h"

class CPrintTiles
{
public:
    // Pages across and down of a job (each at least 1) over a picture of the given size.
    void SetLayout(int nAcross, int nDown, CSize picture);
    int GetAcross() const { return m_nAcross; }
    int GetDown() const { return m_nDown; }
    int GetPageCount() const { return m_nAcross * m_nDown; }
    // The part of the picture that page nPage shows; empty outside 1..GetPageCount().
    CRect GetTile(int nPage) const;

private:
    int m_nAcross = 1;
    int m_nDown = 1;
    CSize m_picture{0, 0};
};
