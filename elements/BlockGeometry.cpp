// Body, pin and handle rectangles of an element, its hit test, and its pin kinds.
#include "elements/BlockObj.h"

#include "elements/HandleRects.h"
#include "elements/PowerBus.h"
#include "document/TavixDoc.h"

namespace {

bool KeepsOutputPinInLadder(int nType)
{
    return nType == TYPE_MAKE || nType == TYPE_BREAK || nType == TYPE_ACONTACT ||
           nType == TYPE_FEMALE;
}

} // namespace

void CBlockObj::ClearLadderOutputPins()
{
    if (KeepsOutputPinInLadder(m_nType))
        return;
    for (int i = kFirstOutputPin; i < kPinCount; ++i)
        m_nPinKind[i] = PIN_NONE;
}

void CBlockObj::ResetPinKinds(CTavixDoc* pDoc)
{
    const int* row = GetPinKindRow(m_nType);
    for (int i = 0; i < m_nInputs && i < kFirstOutputPin; ++i)
        m_nPinKind[i] = row ? row[i] : PIN_NONE;
    for (int i = kFirstOutputPin; i < kFirstOutputPin + m_nOutputs && i < kPinCount; ++i)
        m_nPinKind[i] = row ? row[i] : PIN_NONE;
    if (pDoc && pDoc->IsLadder())
        ClearLadderOutputPins();
}

BOOL CBlockObj::GetRect(CRect* pRect) const
{
    if (pRect)
        pRect->SetRect(m_ptOrigin.x, m_ptOrigin.y, m_ptOrigin.x + m_nWidth,
                       m_ptOrigin.y + m_nHeight);
    return TRUE;
}

BOOL CBlockObj::GetPinRect(CRect* pRect, int pin, int size) const
{
    const bool bInput = pin >= 0 && pin < m_nInputs && pin < kFirstOutputPin;
    const bool bOutput =
        pin >= kFirstOutputPin && pin < kFirstOutputPin + m_nOutputs && pin < kPinCount;
    if (!bInput && !bOutput) {
        if (pRect)
            pRect->SetRectEmpty();
        return FALSE;
    }
    const int w = size >= 2 ? 3 * size / 2 : 0;
    const int t = size >= 2 ? size : 0;
    const int e = size >= 2 ? 2 : 1;
    const int n = bInput ? m_nInputs : m_nOutputs;
    const int d = m_nHeight / (n + 1);
    const int k = bInput ? pin + 1 : pin - 9;
    const int x = m_ptOrigin.x, y = m_ptOrigin.y;
    const int top = y + d * k - t / 2 - e;
    const int bottom = y + d * k + t / 2 + e;
    if (pRect) {
        if (bInput)
            pRect->SetRect(x - w - 2, top, x + 2, bottom);
        else
            pRect->SetRect(x + m_nWidth - 2, top, x + m_nWidth + w, bottom);
    }
    return TRUE;
}

int CBlockObj::HitTest(CPoint pt) const
{
    CRect body;
    GetRect(&body);
    if (IsKindOf(RUNTIME_CLASS(CPowerBusObj)))
        body.InflateRect(5, 0);
    if (body.PtInRect(pt))
        return kBodyHit;
    CRect pinRect;
    for (int i = 0; i < kFirstOutputPin; ++i)
        if (m_nPinKind[i] != PIN_NONE && GetPinRect(&pinRect, i, kPinRectSize) &&
            pinRect.PtInRect(pt))
            return i;
    for (int i = kFirstOutputPin; i < kPinCount; ++i)
        if (m_nPinKind[i] != PIN_NONE && GetPinRect(&pinRect, i, kPinRectSize) &&
            pinRect.PtInRect(pt))
            return i;
    return -1;
}

void CBlockObj::GetHandleRects(CRect rects[4]) const
{
    GetCornerHandleRects(m_ptOrigin, m_nWidth, m_nHeight, rects);
}
