// Drawing a message-text field: in description mode a coloured box with the block's pictogram,
// a label naming the block or operand and a caption; in value mode the characters the device
// shows in the field's cells; the selection frame and the drag outline.
#include "msgtext/Widget.h"

#include "document/TavixDoc.h"
#include "elements/BlockLadder.h"
#include "elements/BlockObj.h"
#include "msgtext/WidgetPictogram.h"
#include "view/TavixView.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>

namespace {

// A font of the field: bold Arial of a character height and width (0: the font's own width).
BOOL MakeArial(CFont& font, int height, int width)
{
    return font.CreateFont(height, width, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
}

// The type a field without a block stands for, from its operand number.
int TypeOfNumber(int n)
{
    if (n >= 4288)
        return 610;
    if (n >= 4000)
        return 608;
    if (n >= 1316)
        return 607;
    if (n >= 1300)
        return 611;
    if (n >= 1000)
        return 602;
    if (n >= 600)
        return 605;
    if (n >= 100)
        return 600;
    return 0;
}

// The label of an operand of a type; empty for any other type.
CString OperandLabel(int nType, int n)
{
    CString s;
    switch (nType) {
    case 600: s.Format(L"I%d%02d", (n - 100) / 32, (n - 100) % 32); break;
    case 602: s.Format(L"S%d.%d", (n - 1000) / 16, (n - 1000) % 16); break;
    case 605: s.Format(L"Q%d%02d", (n - 600) / 16, (n - 600) % 16); break;
    case 607: s.Format(L"M%d", n - 1316); break;
    case 608: s.Format(L"AI%d%02d", (n - 4000) / 8, (n - 4000) % 8); break;
    case 610: s.Format(L"AM%d", n - 4288); break;
    case 611: s.Format(L"F%d", n - 1300); break;
    default: break;
    }
    return s;
}

// Cuts a text to the characters that fit in `room` pixels by its average character width; a
// text or font of no width is left whole.
CString CutToWidth(CDC* pDC, const CString& text, int room)
{
    const int n = text.GetLength();
    if (n == 0)
        return text;
    const int w = pDC->GetTextExtent(text).cx;
    const int avg = w / n;
    if (avg <= 0)
        return text;
    const int fit = std::max(0, room / avg);
    return fit < n ? text.Left(fit) : text;
}

} // namespace

CString CWidget::GetLabel() const
{
    CString label;
    if (m_pBlock) {
        if (CTavixDoc::GetBlockKind(m_pBlock->m_nType) == 2)
            label.Format(L"B%d - %s", m_nNumber - 9000, m_strText.GetString());
        else
            label = OperandLabel(m_pBlock->m_nType, m_nNumber);
    } else if (m_nType == widgetGraph) {
        label = L"[Graph]";
    } else {
        label = OperandLabel(TypeOfNumber(m_nNumber), m_nNumber);
    }
    return label;
}

CString CWidget::GetCaption(CTavixView* pView) const
{
    CString caption;
    if (m_nType == widgetGraph) {
        caption = L"Graph 12 X 4";
    } else if (m_pBlock) {
        m_pBlock->GetVariableDetailText(pView, &caption, m_nItem, m_nType);
    } else if (m_nNumber >= 4000) {
        // An analog operand of a ladder program: the value of the element that holds it. The
        // copies the editor pages and the live display draw carry no document: the view's is
        // the one that holds the element.
        CTavixDoc* pDoc = m_pDoc ? m_pDoc : (pView ? pView->GetDocument() : nullptr);
        if (CBlockObj* p = pDoc ? pDoc->FindIOBlock(m_nNumber, m_nNumber < 4288 ? 702 : 705) : nullptr)
            caption.Format(L"%6.1f", p->m_dElapsed);
    }
    return caption;
}

int CWidget::GetOnOffState(CTavixView* pView) const
{
    if (m_pBlock)
        return m_pBlock->m_nPinValue[kOutputPin] != 0 ? 1 : 0;
    // An operand of a ladder program: a coil's output, else the input its contacts switch on
    // (a make contact closed, a break contact open).
    CTavixDoc* pDoc = m_pDoc ? m_pDoc : (pView ? pView->GetDocument() : nullptr);
    if (pDoc == nullptr)
        return -1;
    int state = -1;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        CObject* p = pDoc->m_blocks.GetNext(pos);
        if (auto* pCoil = dynamic_cast<CBlockRelayCoil*>(p); pCoil && pCoil->m_nOperand == m_nNumber)
            return pCoil->m_nPinValue[kOutputPin] != 0 ? 1 : 0;
        if (auto* pContact = dynamic_cast<CBlockMake*>(p); pContact && pContact->m_nOperand == m_nNumber && state < 0)
            state = (pContact->m_nContactState != 0) != (dynamic_cast<CBlockBreak*>(p) != nullptr) ? 1 : 0;
    }
    return state;
}

CString CWidget::GetValueText(CTavixView* pView) const
{
    CString value;
    if (m_nType == widgetOnOff) {
        // The name of the bit's present state, one character a cell: row 1 names FALSE, row 2 TRUE.
        const int state = GetOnOffState(pView);
        if (state >= 0)
            for (int c = 1; c < nameCols; ++c)
                value += m_strStatusName[(state ? 2 : 1) * nameCols + c];
        return value;
    }
    if (m_nType != widgetGraph && m_pBlock)
        m_pBlock->GetVariableDisplayText(pView, &value, m_nItem, m_nType);
    return value;
}

void CWidget::Draw(CTavixView* pView, CDC* pDC, BOOL bDescription)
{
    if (!pDC)
        return;
    if (bDescription)
        DrawDescription(pView, pDC);
    else
        DrawValue(pView, pDC);
}

void CWidget::DrawDescription(CTavixView* pView, CDC* pDC)
{
    const int L = m_rect.left, T = m_rect.top, R = m_rect.right, B = m_rect.bottom;
    const int H = B - T;
    CBrush fill(m_crColor);
    CBrush* pOldBrush = pDC->SelectObject(&fill);
    const POINT box[4] = {{L, T}, {R, T}, {R, B}, {L, B}};
    pDC->Polygon(box, 4);
    CPen black(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&black);

    CFont labelFont;
    const BOOL functionBlock = m_pBlock && CTavixDoc::GetBlockKind(m_pBlock->m_nType) == 2;
    if (m_nType == widgetOnOff)
        MakeArial(labelFont, functionBlock ? 10 : 12, functionBlock ? 4 : 8);
    else if (m_nType == widgetGraph)
        MakeArial(labelFont, 12, 8);
    else
        MakeArial(labelFont, 10, 4);
    CFont* pOldFont = pDC->SelectObject(&labelFont);
    if (m_nType != widgetOnOff && m_nType != widgetGraph) {
        const CRect pictogram(L + 1, T + 1, L + 24, T + 35);
        pDC->FillSolidRect(&pictogram, RGB(245, 217, 129));
        CWidgetPictogram::Draw(pDC, pictogram, m_pBlock ? m_pBlock->m_nType : TypeOfNumber(m_nNumber), m_pBlock != nullptr,
                               m_nNumber);
        pDC->SelectObject(&labelFont);
        pDC->SelectObject(&black);
    }

    const CString label = CutToWidth(pDC, GetLabel(), R - L - 25);
    const int h = pDC->GetTextExtent(label.IsEmpty() ? CString(L"X") : label).cy;
    pDC->SetBkColor(m_crColor);

    if (m_nType == widgetOnOff) {
        pDC->TextOut(L + 2, T + (H - h) / 2, label);
        CFont small;
        MakeArial(small, 8, 4);
        pDC->SelectObject(&small);
        CString off = L"0:", on = L"1:";
        for (int c = 1; c < nameCols; ++c) {
            off += m_strStatusName[nameCols + c];
            on += m_strStatusName[2 * nameCols + c];
        }
        const int x = L + 4 * ((R - L) / 8);
        const int y = T + (H / 2 - h) / 2;
        pDC->TextOut(x, y, off);
        pDC->TextOut(x, y + H / 2, on);
        pDC->SelectObject(&labelFont);
    } else if (m_nType == widgetScaleTime) {
        pDC->TextOut(L + 25, T + 2, label);
        static const wchar_t* const kMasks[4] = {L"00", L"00:00", L"00:00:00", L"00:00:00:00"};
        if (m_nSetting >= 0 && m_nSetting < 4) {
            CFont maskFont;
            MakeArial(maskFont, 12, 0);
            pDC->SelectObject(&maskFont);
            pDC->TextOut(L + 25, T + 18, CutToWidth(pDC, kMasks[m_nSetting], R - L - 25));
            pDC->SelectObject(&labelFont);
        }
    } else {
        pDC->TextOut(L + 25, T + 2, label);
        const CString caption = GetCaption(pView);
        if (!caption.IsEmpty()) {
            CFont captionFont;
            MakeArial(captionFont, 12, 0);
            pDC->SelectObject(&captionFont);
            pDC->TextOut(L + 25, T + 18, CutToWidth(pDC, caption, R - L - 25));
            pDC->SelectObject(&labelFont);
        }
    }
    pDC->SelectObject(pOldFont);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

void CWidget::DrawValue(CTavixView* pView, CDC* pDC)
{
    if (m_nWidth <= 0)
        return;
    const int c = (m_rect.right - m_rect.left + 1) / m_nWidth;
    CFont font;
    font.CreateFont((m_rect.bottom - m_rect.top + 1) - 3, std::max(0, c - 3), 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                    OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, nullptr);
    CFont* pOldFont = pDC->SelectObject(&font);
    CPen black(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&black);
    pDC->SetBkColor(RGB(85, 157, 85));
    CString value = GetValueText(pView);
    // Right-aligned in the field's cells; a longer value stays whole.
    while (value.GetLength() < m_nWidth)
        value.Insert(0, L' ');
    for (int i = 0; i < value.GetLength(); ++i) {
        const wchar_t ch[2] = {value[i], 0};
        const int wi = pDC->GetTextExtent(ch, 1).cx;
        pDC->TextOut(m_rect.left + i * c + (c - wi) / 2, m_rect.top, ch, 1);
    }
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldFont);
}

void CWidget::DrawFrame(CDC* pDC)
{
    CPen red(PS_SOLID, 2, RGB(255, 0, 0));
    CPen* pOld = pDC->SelectObject(&red);
    pDC->MoveTo(m_rect.left, m_rect.top);
    pDC->LineTo(m_rect.left, m_rect.bottom - 1);
    pDC->LineTo(m_rect.right - 1, m_rect.bottom - 1);
    pDC->LineTo(m_rect.right - 1, m_rect.top);
    pDC->LineTo(m_rect.left, m_rect.top);
    pDC->SelectObject(pOld);
}

void CWidget::DrawWithFrame(CTavixView* pView, CDC* pDC, BOOL bDescription)
{
    Draw(pView, pDC, bDescription);
    DrawFrame(pDC);
}

void CWidget::DrawTracker(CDC* pDC, POINT pt)
{
    if (!pDC)
        return;
    const int oldRop = pDC->SetROP2(R2_NOT);
    CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
    const int w = m_rect.right - m_rect.left, h = m_rect.bottom - m_rect.top;
    const POINT outline[4] = {{pt.x, pt.y}, {pt.x + w, pt.y}, {pt.x + w, pt.y + h}, {pt.x, pt.y + h}};
    pDC->Polygon(outline, 4);
    pDC->SelectObject(pOldBrush);
    pDC->SetROP2(oldRop);
}
