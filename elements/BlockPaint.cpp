// Painting of the base element: pin stubs, the pin under the cursor, negation marks, the body,
// the family symbol, the label, the comment lines above the element, the selection handles and
// the output state text. Every length is in diagram units; the view's mapping does the zoom.
#include "elements/BlockObj.h"

#include "document/TavixDoc.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockLadder.h"
#include "elements/BlockLabels.h"
#include "elements/ConnectLineObj.h"
#include "elements/PaintTools.h"
#include "platform/ui/core/Wnd.h"
#include "view/TavixView.h"

#include <algorithm>
#include <climits>

using namespace paint;

namespace {

constexpr int kStub = 5;             // length of a pin stub
constexpr int kLabelCharWidth = 6;   // width of a label character
constexpr int kLineHeight = 12;      // height of a comment line
constexpr int kLabelRise = 12 * 4 / 3;

// Colour of an input's stub and negation mark: black while editing, else by the pin's value.
COLORREF InputColour(COLORREF colour, int value)
{
    if (colour == 0)
        return kBlack;
    return value != 0 ? kRed : kBlue;
}

// Ladder analog elements keep wired inputs out of the highlight in ladder documents.
bool IsLadderHighlightExcluded(const CBlockObj& b, int pin)
{
    switch (b.m_nType) {
    case 803:
    case 804:
    case 805:
    case 807:
    case TYPE_AOUT_LAD: return true;
    case 806: return pin == 1;
    default: return false;
    }
}

}  // namespace

CRect paint::PaintReach(const CBlockObj& b)
{
    // Parameter texts reach about 16 characters left of the body and their rows 9 lines below
    // the pin; value boxes are at most 3 bodies wide and 38 high; labels stand 16 above.
    CRect bounds(b.m_ptOrigin.x - 200, b.m_ptOrigin.y - 24, b.m_ptOrigin.x + b.m_nWidth * 4 + 300,
                 b.m_ptOrigin.y + b.m_nHeight + 160);
    if (b.m_bShowComment) {
        // Comment lines stack upwards from 24 above the body; a generous height and width.
        bounds.top -= 12 * 40;
        bounds.right += 12 * 200;
    }
    return bounds;
}

CRect paint::TightPaintReach(const CBlockObj& b, const CTavixDoc* pDoc)
{
    CRect reach = PaintReach(b);
    if (b.m_bShowComment) {
        const CString text = GetElementCommentText(b, pDoc);
        long long lines = 0, longest = 0;
        for (int start = 0; !text.IsEmpty();) {
            const int sep = text.Find(L"\r\n", start);
            ++lines;
            longest = std::max<long long>(longest, (sep < 0 ? text.GetLength() : sep) - start);
            if (sep < 0)
                break;
            start = sep + 2;
        }
        // The last line stands 24 above the body, the others 12 apart above it; no character is
        // wider than two label characters (those of a wide script are). Kept within an int for a
        // comment of any size.
        constexpr long long kFar = INT_MAX / 4;
        reach.top = LONG(std::max(-kFar, b.m_ptOrigin.y - 24 - kLineHeight * lines));
        const long long right = std::min(kFar, b.m_ptOrigin.x + 2 * kLabelCharWidth * longest);
        reach.right = LONG(std::max<long long>(reach.right, right));
    }
    return reach;
}

bool paint::IsOutsideClip(CDC* pDC, const CBlockObj& b, const CTavixDoc* pDoc)
{
    // The generous reach settles nearly every element; only a comment can reach past it, higher
    // or further right, and then its lines are measured.
    if (!IsRectOutsideClip(pDC, PaintReach(b)))
        return false;
    return !b.m_bShowComment || IsRectOutsideClip(pDC, TightPaintReach(b, pDoc));
}

void paint::DrawCornerHandles(CDC* pDC, int l, int t, int r, int b)
{
    Pen pen(pDC, 1, kBlack);
    Brush brush(pDC, kRed);
    const int mode = pDC->SetPolyFillMode(ALTERNATE);
    const POINT corners[4] = {{l, t}, {l, b}, {r, b}, {r, t}};
    for (const POINT& c : corners)
        Quad(pDC, c.x - 4, c.y - 4, c.x + 4, c.y + 4);
    pDC->SetPolyFillMode(mode);
}

BOOL CBlockObj::IsPinHighlighted(CTavixView* pView, int pin, CDC* pDC) const
{
    if (!pView)
        return FALSE;
    const int mode = pView->m_nEditMode;
    const bool dragging = mode == CTavixView::modeDragWire && pView->m_pCurWire && pView->m_pCurWire->m_bEndDrag;
    if (mode != CTavixView::modeInsert && mode != CTavixView::modeConnect && !dragging)
        return FALSE;
    return IsCursorOverPin(pView, pin, pDC);
}

BOOL CBlockObj::IsCursorOverPin(CTavixView* pView, int pin, CDC* pDC) const
{
    CRect rect;
    if (!pView || !pView->GetSafeHwnd() || !GetPinRect(&rect, pin, kPinRectSize))
        return FALSE;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    pView->ScreenToClient(&cursor);
    pDC->LPtoDP(&rect);
    rect.OffsetRect(pView->m_ptPaintOrigin);
    rect.NormalizeRect();
    return rect.PtInRect(cursor);
}

void CBlockObj::Draw(CTavixView* pView, CDC* pDC, int /*nFlag*/, COLORREF colour)
{
    CTavixDoc* pDoc = pView ? pView->GetDocument() : nullptr;
    if (IsOutsideClip(pDC, *this, pDoc))
        return;
    const bool ladderDoc = pDoc && pDoc->IsLadder();
    const int x0 = m_ptOrigin.x, y0 = m_ptOrigin.y;
    const int spacingIn = m_nHeight / (m_nInputs + 1);
    const int spacingOut = m_nHeight / (m_nOutputs + 1);

    Pen blockPen(pDC, 1, colour);
    Font font(pDC, 12, 6, L"Arial");
    const int bkMode = pDC->SetBkMode(TRANSPARENT);

    auto drawPin = [&](int pin) {
        if (m_nPinKind[pin] == PIN_NONE)
            return;
        const bool input = pin < kFirstOutputPin;
        const int y = input ? y0 + (pin + 1) * spacingIn : y0 + (pin - kFirstOutputPin + 1) * spacingOut;
        // Stub.
        if (input) {
            if (m_nPinKind[pin] == PIN_BIT) {
                Pen pen(pDC, 1, InputColour(colour, m_nPinValue[pin]));
                Line(pDC, x0 - kStub, y, x0, y);
            } else if (m_nPinKind[pin] == PIN_WORD) {
                Pen pen(pDC, 2, kBlack);
                Line(pDC, x0 - kStub, y, x0, y);
            } else {
                DrawParameterText(pView, pDC, pin, spacingIn, kLabelCharWidth, kLineHeight);
            }
        } else if (m_nPinKind[pin] == PIN_WORD) {
            Pen pen(pDC, 2, kBlack);
            Line(pDC, x0 + m_nWidth + kStub, y, x0 + m_nWidth, y);
        } else {
            Line(pDC, x0 + m_nWidth + kStub, y, x0 + m_nWidth, y);
        }
        // Highlight of the pin under the cursor while wiring.
        bool excluded = false;
        if (input && m_nLink[pin] != LINK_OPEN)
            excluded = ladderDoc ? IsLadderHighlightExcluded(*this, pin) : true;
        if (!excluded && IsPinHighlighted(pView, pin, pDC)) {
            CRect r;
            GetPinRect(&r, pin, kPinRectSize);
            const POINT pts[5] = {{r.left, r.top}, {r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top},
                                  {r.left, r.top}};
            pDC->Polyline(pts, 5);
        }
        // Negation mark next to the body.
        if (m_bNegate[pin])
            Dot(pDC, input ? x0 - 2 : x0 + m_nWidth + 2, y, 5, InputColour(colour, m_nPinValue[pin]));
    };
    for (int pin = 0; pin < m_nInputs && pin < kFirstOutputPin; ++pin)
        drawPin(pin);
    for (int pin = kFirstOutputPin; pin < kFirstOutputPin + m_nOutputs && pin < kPinCount; ++pin)
        drawPin(pin);

    const bool blackOutline = m_nType == TYPE_OPEN_X || m_nType == TYPE_ANALOG_IN ||
                              m_nType == TYPE_ANALOG_OUT || m_nType == TYPE_ANALOG_FLAG;
    const bool ladderElement = m_nType >= TYPE_MAKE && m_nType <= TYPE_AOUT_LAD;
    const bool simulating = pView && pView->m_nEditMode == CTavixView::modeSimulate;
    DrawBody(pDC, blackOutline ? kBlack : colour, !ladderElement || simulating);
    DrawSymbol(pView, pDC);

    const CString& label = CachedElementLabel(*this, pDoc);
    pDC->TextOut(x0 + (m_nWidth - kLabelCharWidth * label.GetLength()) / 2, y0 - kLabelRise, label);
    DrawComment(pView, pDC, kLineHeight);
    pDC->SetBkMode(bkMode);
}

void CBlockObj::DrawSelected(CTavixView* pView, CDC* pDC)
{
    COLORREF colour = kBlack;
    if (pView && pView->m_nEditMode == CTavixView::modeSimulate)
        colour = m_nPinValue[kOutputPin] == 1 ? kRed : kBlue;
    Draw(pView, pDC, 1, colour);
    DrawSelectionHandles(pDC);
}

void CBlockObj::DrawOutputState(CTavixView* pView, CDC* pDC)
{
    Draw(pView, pDC, 1, 0);
    CRect pin;
    if (m_nPinKind[kOutputPin] == PIN_NONE || m_nOutputs < 1 || !GetPinRect(&pin, kOutputPin, kPinRectSize))
        return;
    if (m_nType == TYPE_OPEN_X || m_nType == TYPE_FLAG)
        return;
    Font font(pDC, 12, 6, L"", FontKind::Fixed, 0);
    const bool on = m_nPinValue[kOutputPin] == 1;
    TextColour text(pDC, on ? kRed : kBlack);
    const int bkMode = pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(pin.left + 3, pin.bottom + 3, on ? CString(L"ON") : CString(L"OFF"));
    pDC->SetBkMode(bkMode);
}

void CBlockObj::DrawBody(CDC* pDC, COLORREF colour, BOOL bBorder)
{
    const int x0 = m_ptOrigin.x, y0 = m_ptOrigin.y;
    Brush brush(pDC, kBodyFill);
    const int mode = pDC->SetPolyFillMode(ALTERNATE);
    if (bBorder) {
        Pen pen(pDC, 1, colour);
        Quad(pDC, x0, y0, x0 + m_nWidth, y0 + m_nHeight);
    } else {
        NullPen pen(pDC);
        Quad(pDC, x0, y0, x0 + m_nWidth, y0 + m_nHeight);
    }
    pDC->SetPolyFillMode(mode);
}

void CBlockObj::DrawSelectionHandles(CDC* pDC)
{
    DrawCornerHandles(pDC, m_ptOrigin.x, m_ptOrigin.y, m_ptOrigin.x + m_nWidth, m_ptOrigin.y + m_nHeight);
}

void CBlockObj::DrawComment(CTavixView* pView, CDC* pDC, const int& lineHeight)
{
    if (!m_bShowComment)
        return;
    const CString text = GetElementCommentText(*this, pView ? pView->GetDocument() : nullptr);
    if (text.IsEmpty())
        return;
    CStringArray lines;
    int start = 0;
    for (;;) {
        const int sep = text.Find(L"\r\n", start);
        if (sep < 0) {
            lines.Add(text.Mid(start));
            break;
        }
        lines.Add(text.Mid(start, sep - start));
        start = sep + 2;
    }
    const int n = int(lines.GetSize()) - 1;
    for (int k = 0; k <= n; ++k)
        pDC->TextOut(m_ptOrigin.x, m_ptOrigin.y - 2 * lineHeight - (n - k) * lineHeight, lines[k]);
}

void CBlockMake::Draw(CTavixView* pView, CDC* pDC, int /*nFlag*/, COLORREF colour)
{
    CTavixDoc* pDoc = pView ? pView->GetDocument() : nullptr;
    if (IsOutsideClip(pDC, *this, pDoc))
        return;
    const int x0 = m_ptOrigin.x, y0 = m_ptOrigin.y;
    const int spacingIn = m_nHeight / (m_nInputs + 1);
    const int spacingOut = m_nHeight / (m_nOutputs + 1);
    Pen blockPen(pDC, 1, colour);
    Font font(pDC, 12, 6, L"Arial");
    const int bkMode = pDC->SetBkMode(TRANSPARENT);

    auto drawPin = [&](int pin) {
        if (m_nPinKind[pin] == PIN_NONE)
            return;
        const bool input = pin < kFirstOutputPin;
        if (input) {
            const int y = y0 + (pin + 1) * spacingIn;
            const COLORREF c = colour == 0 ? kBlack : (m_nPinValue[pin] == 1 ? kRed : kBlue);
            Pen pen(pDC, 1, c);
            Line(pDC, x0 - kStub, y, x0, y);
        } else {
            const int y = y0 + (pin - kFirstOutputPin + 1) * spacingOut;
            Line(pDC, x0 + m_nWidth + kStub, y, x0 + m_nWidth, y);
        }
        if (IsPinHighlighted(pView, pin, pDC)) {
            CRect r;
            GetPinRect(&r, pin, kPinRectSize);
            const POINT pts[5] = {{r.left, r.top}, {r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top},
                                  {r.left, r.top}};
            pDC->Polyline(pts, 5);
        }
    };
    for (int pin = 0; pin < m_nInputs && pin < kFirstOutputPin; ++pin)
        drawPin(pin);
    for (int pin = kFirstOutputPin; pin < kFirstOutputPin + m_nOutputs && pin < kPinCount; ++pin)
        drawPin(pin);

    if (pView && pView->m_nEditMode == CTavixView::modeSimulate)
        DrawBody(pDC, m_nContactState == 1 ? kRed : kBlue, TRUE);
    else
        DrawBody(pDC, colour, FALSE);
    DrawSymbol(pView, pDC);

    const CString& label = CachedElementLabel(*this, pDoc);
    pDC->TextOut(x0 + (m_nWidth - kLabelCharWidth * label.GetLength()) / 2, y0 - 12, label);
    DrawComment(pView, pDC, kLineHeight);
    pDC->SetBkMode(bkMode);
}
