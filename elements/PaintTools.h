// Small helpers of the element painters: pens, brushes and fonts that are created, selected
// for the length of a scope and then deselected and deleted, so that every painter leaves the
// device context's objects as it found them.
#pragma once

#include "platform/gdi/DC.h"

class CBlockObj;
class CTavixDoc;

namespace paint {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBodyFill = RGB(255, 222, 140);
constexpr COLORREF kClockFill = RGB(255, 223, 140);
constexpr COLORREF kValueBoxFill = RGB(255, 255, 204);
constexpr COLORREF kParamText = RGB(0x40, 0x80, 0x40);

enum class FontKind {
    Fixed,  // default character set, TrueType output precision, fixed pitch
    Swiss,  // swiss family, every other parameter 0
};

// Pens, brushes and fonts of the painters, made on first use and kept for the program's life:
// every element selects a few of them at every repaint, and making and deleting them each
// time cost more than the drawing. They are logical objects, the same at every zoom. Null once
// a kind holds its limit of different objects; the caller then makes its own.
CPen* KeptPen(int style, int width, COLORREF colour);
CBrush* KeptBrush(COLORREF colour);
CFont* KeptFont(int height, int width, const wchar_t* face, FontKind kind, int weight);

// The scopes below select by handle: the context's object wrappers are not needed to put the
// previous object back, and looking them up at every selection cost a good part of a repaint.
inline void Restore(CDC* pDC, HGDIOBJ hOld)
{
    if (hOld)
        pDC->SelectObject(hOld);
}

// A solid pen selected until the end of the scope.
class Pen {
public:
    Pen(CDC* pDC, int width, COLORREF colour, int style = PS_SOLID) : m_pDC(pDC)
    {
        CPen* pPen = KeptPen(style, width, colour);
        if (!pPen) {
            m_pen.CreatePen(style, width, colour);
            pPen = &m_pen;
        }
        m_hOld = pDC->SelectObject(pPen->m_hObject);
    }
    ~Pen() { Restore(m_pDC, m_hOld); }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;

private:
    CDC* m_pDC;
    CPen m_pen;
    HGDIOBJ m_hOld;
};

// The null pen selected until the end of the scope.
class NullPen {
public:
    explicit NullPen(CDC* pDC) : m_pDC(pDC), m_hOld(pDC->SelectObject(::GetStockObject(NULL_PEN))) {}
    ~NullPen() { Restore(m_pDC, m_hOld); }
    NullPen(const NullPen&) = delete;
    NullPen& operator=(const NullPen&) = delete;

private:
    CDC* m_pDC;
    HGDIOBJ m_hOld;
};

// A solid brush selected until the end of the scope.
class Brush {
public:
    Brush(CDC* pDC, COLORREF colour) : m_pDC(pDC)
    {
        CBrush* pBrush = KeptBrush(colour);
        if (!pBrush) {
            m_brush.CreateSolidBrush(colour);
            pBrush = &m_brush;
        }
        m_hOld = pDC->SelectObject(pBrush->m_hObject);
    }
    ~Brush() { Restore(m_pDC, m_hOld); }
    Brush(const Brush&) = delete;
    Brush& operator=(const Brush&) = delete;

private:
    CDC* m_pDC;
    CBrush m_brush;
    HGDIOBJ m_hOld;
};

// The font of the painters' texts: fixed pitch, or of the swiss family.
void MakeFont(CFont* pFont, int height, int width, const wchar_t* face, FontKind kind, int weight);

// A font selected until the end of the scope.
class Font {
public:
    Font(CDC* pDC, int height, int width, const wchar_t* face, FontKind kind = FontKind::Fixed, int weight = 400)
        : m_pDC(pDC)
    {
        CFont* pFont = KeptFont(height, width, face, kind, weight);
        if (!pFont) {
            MakeFont(&m_font, height, width, face, kind, weight);
            pFont = &m_font;
        }
        m_hOld = pDC->SelectObject(pFont->m_hObject);
    }
    ~Font() { Restore(m_pDC, m_hOld); }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

private:
    CDC* m_pDC;
    CFont m_font;
    HGDIOBJ m_hOld;
};

// The text colour set until the end of the scope.
class TextColour {
public:
    TextColour(CDC* pDC, COLORREF colour) : m_pDC(pDC), m_old(pDC->SetTextColor(colour)) {}
    ~TextColour() { m_pDC->SetTextColor(m_old); }
    TextColour(const TextColour&) = delete;
    TextColour& operator=(const TextColour&) = delete;

private:
    CDC* m_pDC;
    COLORREF m_old;
};

inline void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

// A round dot: a zero-length line drawn with a wide pen.
inline void Dot(CDC* pDC, int x, int y, int diameter, COLORREF colour)
{
    Pen pen(pDC, diameter, colour);
    pDC->MoveTo(x, y);
    pDC->LineTo(x, y);
}

// The filled four-point polygon of a rectangle: left-top, left-bottom, right-bottom, right-top.
inline void Quad(CDC* pDC, int l, int t, int r, int b)
{
    const POINT pts[4] = {{l, t}, {l, b}, {r, b}, {r, t}};
    pDC->Polygon(pts, 4);
}

// The four red 8 x 8 handles centred on the corners of a rectangle (top-left, bottom-left,
// bottom-right, top-right), outlined in black.
void DrawCornerHandles(CDC* pDC, int l, int t, int r, int b);

// The area (logical units) that holds everything the element paints: body, pins, label,
// comment lines, parameter texts, value box and selection handles.
CRect PaintReach(const CBlockObj& block);
// The same area with the element's comment lines counted and measured instead of allowed for
// (the comment is looked up in pDoc): most elements show no comment, or a short one, and a long
// one reaches past the allowance.
CRect TightPaintReach(const CBlockObj& block, const CTavixDoc* pDoc);

// TRUE when nothing the element paints, its comment (looked up in pDoc) included, can fall
// inside the context's clip area, so that painting it may be skipped.
bool IsOutsideClip(CDC* pDC, const CBlockObj& block, const CTavixDoc* pDoc);

// TRUE when the rectangle (logical units) lies wholly outside the context's clip area.
bool IsRectOutsideClip(CDC* pDC, const RECT& rect);

// While it lives, the clip tests above answer for pDC from its clip box taken once, grown by
// two device pixels, instead of asking the context for every element: a repaint tests thousands
// of elements against a clip area and a mapping that do not change while it paints. The box
// holds the whole clip area, so an element it keeps is still clipped exactly when it paints.
class ClipBoxScope {
public:
    explicit ClipBoxScope(CDC* pDC);
    ~ClipBoxScope();
    ClipBoxScope(const ClipBoxScope&) = delete;
    ClipBoxScope& operator=(const ClipBoxScope&) = delete;

    // The scope in force for pDC; null when there is none.
    static const ClipBoxScope* For(const CDC* pDC);
    bool Misses(const RECT& rect) const
    {
        return m_empty || rect.right <= m_box.left || rect.left >= m_box.right || rect.bottom <= m_box.top ||
               rect.top >= m_box.bottom;
    }

private:
    const CDC* m_pDC;
    const ClipBoxScope* m_pOuter;
    RECT m_box{};
    bool m_empty = false;
};

// Text width in the font currently selected.
inline int TextWidth(CDC* pDC, const CString& text) { return pDC->GetTextExtent(text).cx; }

}  // namespace paint
