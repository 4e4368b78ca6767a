// Value boxes of the families whose classes keep the base operation: the analog functions, the
// word and bit functions, the device functions and the math functions. The other families
// (timers, counters, analog inputs) draw theirs in their own override with DrawValueBox.
#include "elements/ValueBoxes.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockObj.h"
#include "elements/PaintTools.h"

#include <algorithm>
#include <cmath>

using namespace paint;

bool IsValueBoxVisible(CDC* pDC, const CBlockObj& b, int right, int boxBottom)
{
    const int x0 = b.m_ptOrigin.x, bottom = b.m_ptOrigin.y + b.m_nHeight;
    // The texts may run beyond the box.
    const CRect reach(x0, bottom + 2, x0 + std::max(right, 120), bottom + std::max(boxBottom, 40));
    return !IsRectOutsideClip(pDC, reach);
}

void DrawValueBox(CDC* pDC, const CBlockObj& b, int right, int boxBottom, std::initializer_list<CString> lines)
{
    const int x0 = b.m_ptOrigin.x, bottom = b.m_ptOrigin.y + b.m_nHeight;
    // A value box out of sight is skipped.
    if (!IsValueBoxVisible(pDC, b, right, boxBottom))
        return;
    {
        const CRect box(x0, bottom + 2, x0 + right, bottom + boxBottom);
        Brush fill(pDC, kValueBoxFill);
        pDC->FillRect(&box, pDC->GetCurrentBrush());
    }
    Font font(pDC, 12, 6, L"", FontKind::Fixed, 0);
    const int bkMode = pDC->SetBkMode(TRANSPARENT);
    int y = bottom + 2;
    for (const CString& line : lines) {
        pDC->TextOut(x0, y, line);
        y += 12;
    }
    pDC->SetBkMode(bkMode);
}

namespace {

CString Int(const wchar_t* format, long long v)
{
    CString s;
    s.Format(format, int(v));
    return s;
}

long long Trunc(double v) { return std::isnan(v) ? 0 : (long long)std::trunc(v); }

}  // namespace

void CBlockObj::DrawValueText(CDC* pDC, CTavixView*)
{
    const int t = m_nType, W = m_nWidth;
    const long long v = Trunc(m_dElapsed);
    if (const auto* a = dynamic_cast<const CBlockAnalog*>(this)) {
        CString first, second;
        first.Format(L"%-6ld", a->m_nActualValue);
        if (t == 806)
            second.Format(L"%-6ld", a->m_nCapturedValue);
        else if (t == 807)
            second.Format(L"%-6d", a->m_nThreshold1 + a->m_nThreshold2);
        if (t == 806 || t == 807)
            DrawValueBox(pDC, *this, W * 3 / 2, 26, {first, second});
        else
            DrawValueBox(pDC, *this, W * 3 / 2, 14, {first});
        return;
    }
    switch (t) {
    case 831:
        if (!m_strValueText.IsEmpty())
            DrawValueBox(pDC, *this, 3 * W, 14, {m_strValueText});
        break;
    case 832: DrawValueBox(pDC, *this, W * 3 / 2, 14, {Int(L"0x%04X", v & 0xFFFF)}); break;
    case 833: DrawValueBox(pDC, *this, W * 3 / 2, 14, {Int(L"%-4d", v)}); break;
    case 834: case 835: case 836: case 837: case 838: case 839: case 840: case 841: case 842: case 843:
        DrawValueBox(pDC, *this, W * 3 / 2, 14, {Int(L"%-6d", v)});
        break;
    case 844:
    case 845: DrawValueBox(pDC, *this, W * 3 / 2, 14, {Int(L"%d", v)}); break;
    case 846: DrawValueBox(pDC, *this, W * 5 / 2, 14, {Int(L"%d", v)}); break;
    case 848: DrawValueBox(pDC, *this, W * 2, 14, {Int(L"%-7ld", v)}); break;
    case 853: DrawValueBox(pDC, *this, W * 5 / 2, 14, {Int(L"0x%02X", v & 0xFF)}); break;
    case 856: DrawValueBox(pDC, *this, W * 3 / 2, 14, {Int(L"0x%04X", v & 0xFFFF)}); break;
    case 862: case 863: case 866: case 867: case 868:
        DrawValueBox(pDC, *this, W * 3 / 2, 14, {Int(L"%-6d", v)});
        break;
    case 871:
    case 872: DrawValueBox(pDC, *this, W * 3 / 2, 14, {Int(L"%-d", v)}); break;
    case 864: case 865: case 869: case 870: case 873: case 874: case 875: case 876: case 877: case 878: case 879:
        DrawValueBox(pDC, *this, W * 5 / 2, 14, {Int(L"%d", v)});
        break;
    default: break;
    }
}
