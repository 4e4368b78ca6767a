// Painting of a parameter pin: its stub and, beside the body, the block's parameter texts.
#include "elements/BlockObj.h"

#include "document/TavixDoc.h"
#include "elements/PaintTools.h"
#include "elements/ParameterTexts.h"
#include "shell/MainFrame.h"
#include "view/TavixView.h"

using namespace paint;

namespace {

// The text without the line breaks some of the rows end with: TextOut draws no line break.
CString Printable(const CString& text)
{
    CString out;
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] >= L' ')
            out += text[i];
    return out;
}

}  // namespace

void CBlockObj::DrawParameterText(CTavixView* pView, CDC* pDC, int pin, int spacing, int cw, int lh)
{
    const int x0 = m_ptOrigin.x;
    const int yp = m_ptOrigin.y + (pin + 1) * spacing;
    {
        Pen pen(pDC, 1, kParamText);
        Line(pDC, x0 - 5, yp, x0, yp);
    }
    if ((m_nType == 410 || m_nType == TYPE_MSGTEXT) && pin < 2)
        return;
    const CTavixDoc* pDoc = pView ? pView->GetDocument() : nullptr;
    const int machine = pDoc ? pDoc->GetMachineType() : MachineTypeOf(g_wHardwareCode);
    TextColour colour(pDC, kParamText);
    const ParameterTextColumn col = BuildParameterTexts(
        *this, machine >= kMachineTypeQ, cw, [pDC](const CString& text) { return pDC->GetTextExtent(Printable(text)).cx; });
    for (const ParameterTextRow& row : col.rows) {
        const CString text = Printable(row.text);
        if (!text.IsEmpty())
            pDC->TextOut(col.x, yp - 3 + row.row * lh, text);
    }
}
