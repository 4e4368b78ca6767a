// CBlockComment: a free text on the diagram with its own font and colour. It takes no part in
// wiring or simulation and is not sent to the device. The document owns its comments.
#pragma once

#include "platform/base/Afx.h"
#include "platform/gdi/GdiTypes.h"

class CDC;

class CBlockComment : public CObject
{
    DECLARE_SERIAL(CBlockComment)

public:
    CBlockComment();
    ~CBlockComment() override = default;

    // The comment record (schema 1; schema 0 records hold an 8-bit face name).
    void Serialize(CArchive& ar) override;

    // The text line by line in its font and colour; DrawSelected adds the corner handles.
    virtual void Draw(CDC* pDC);
    virtual void DrawSelected(CDC* pDC);
    void DrawText(CDC* pDC);
    void DrawHandles(CDC* pDC);

    // The lines of the text and the y offset of each from the origin, as Draw places them:
    // lines split at "\r\n", line k at (height * k) / line count; an empty last line is dropped.
    // Nothing when the line count is 0.
    void GetTextLines(CStringArray* pLines, CArray<int, int>* pOffsets) const;
    // Four 8 x 8 handles centred on the corners: top-left, bottom-left, bottom-right, top-right.
    void GetHandleRects(CRect rects[4]) const;

    CPoint m_ptOrigin;
    CPoint m_ptSecond;
    int m_nWidth;
    int m_nHeight;
    CString m_strText;
    int m_nLines;
    COLORREF m_crText;
    LOGFONTW m_logFont;
    BOOL m_bSelected;  // selection state of the view, not stored
};
