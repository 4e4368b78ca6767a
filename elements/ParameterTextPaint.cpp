// Painting of a parameter pin: its stub and, beside the body, the block's parameter texts.
#include "elements/BlockObj.h"

#include "document/TavixDoc.h"
#include "elements/ElementTextCache.h"
#include "elements/PaintTools.h"
#include "elements/ParameterTexts.h"
#include "shell/MainFrame.h"
#include "view/TavixView.h"

#include <utility>

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
    const bool bNew = machine >= kMachineTypeQ;
    // The column is built again only when a setting it shows differs from the last time.
    ElementTextCache& cache = TextCache();
    ParameterTextKey key;
    const bool keyed = GetParameterTextKey(*this, bNew, cw, &key);
    if (!keyed || !cache.paramSet || cache.paramKey != key) {
        const ParameterTextColumn col = BuildParameterTexts(
            *this, bNew, cw, [pDC](const CString& text) { return pDC->GetTextExtent(Printable(text)).cx; });
        cache.paramSet = keyed;
        cache.paramKey = key;
        cache.paramDx = col.x - x0;
        cache.paramRows.clear();
        for (const ParameterTextRow& row : col.rows) {
            CString text = Printable(row.text);
            if (!text.IsEmpty())
                cache.paramRows.push_back({row.row, std::move(text)});
        }
    }
    for (const ParameterTextRow& row : cache.paramRows)
        pDC->TextOut(x0 + cache.paramDx, yp - 3 + row.row * lh, row.text);
}
