// CGridURLCell: a cell that shows text containing a link (web, mail and the like) in the link
// colour, with the hand cursor over a link. It cannot be edited. A click on a link opens
// nothing by itself: it goes to the opener the host installs (none by default), so a grid
// never starts a program or opens a file on its own.
#pragma once

#include "controls/GridCell.h"

class CGridURLCell : public CGridCell {
    DECLARE_DYNCREATE(CGridURLCell)
public:
    // The host's handler of a clicked link; FALSE when it did not open it.
    using LinkOpener = BOOL (*)(LPCTSTR szLink);
    static void SetLinkOpener(LinkOpener pfn) { s_pfnOpener = pfn; }

    CGridURLCell();

    void SetAutoLaunchUrl(BOOL bLaunch = TRUE) { m_bLaunchUrl = bLaunch; }
    BOOL GetAutoLaunchUrl() const { return m_bLaunchUrl; }
    void SetUrlColour(COLORREF clr) { m_clrUrl = clr; }
    COLORREF GetUrlColour() const { return m_clrUrl; }
    // Whether a text contains one of the link prefixes.
    static BOOL HasUrl(const CString& str);

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL Edit(int, int, CRect, CPoint, UINT, UINT) override { return FALSE; }
    BOOL ValidateEdit(LPCTSTR) override { return FALSE; }
    void OnClick(CPoint PointCellRelative) override;
    BOOL OnSetCursor() override;

protected:
    // The link under a point relative to the cell, empty when there is none.
    CString GetUrlAt(CPoint PointCellRelative);

    COLORREF m_clrUrl;
    BOOL m_bLaunchUrl = TRUE;
    CRect m_Rect;  // the cell rectangle of the last drawing

private:
    static LinkOpener s_pfnOpener;
};
