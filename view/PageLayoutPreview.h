// CPageLayoutPreview: the small picture of the page layout dialog, a static control painted by
// the program: the pages across and down as a grid of numbered cells, 24 x 16 pixels each,
// centred on a grey ground.
#pragma once

#include "platform/ui/core/Wnd.h"

class CPageLayoutPreview : public CWnd
{
    DECLARE_DYNAMIC(CPageLayoutPreview)
public:
    void SetPages(int nAcross, int nDown);
    int GetAcross() const { return m_nAcross; }
    int GetDown() const { return m_nDown; }

    enum { kCellWidth = 24, kCellHeight = 16 };
    // Top-left corner of the page grid in the picture.
    static CPoint GridOrigin(int nAcross, int nDown);

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void Draw(CDC* pDC, const CRect& client) const;

    int m_nAcross = 1;
    int m_nDown = 1;
};
