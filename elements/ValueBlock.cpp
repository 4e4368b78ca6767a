#include "elements/ValueBlock.h"

#include "view/TavixView.h"

#include <climits>
#include <cmath>

namespace ValueBlock {

void SimulateAndDraw(CBlockObj& block, CTavixView* pView, CDC* pDC, bool bColourByOutput)
{
    block.Simulate(pView);
    COLORREF colour = 0;
    if (bColourByOutput)
        colour = block.m_nPinValue[kOutputPin] == 1 ? RGB(255, 0, 0) : RGB(0, 0, 255);
    block.Draw(pView, pDC, 1, colour);
    block.DrawValueText(pDC, pView);
    if (pView)
        pView->UpdateMonitorSheets(&block);
}

int InputWord(CBlockObj& block, CTavixView* pView, int pin)
{
    WORD raw = 0;
    block.GetInputValue(pView, &raw, pin);
    return static_cast<SHORT>(raw);
}

double ClampWord(double v)
{
    if (std::isnan(v))
        return 0.0;
    if (v > 32767.0)
        return 32767.0;
    if (v < -32767.0)
        return -32767.0;
    return v;
}

int TruncateToShort(double v)
{
    if (std::isnan(v))
        return 0;
    const double whole = std::trunc(v);
    // Beyond the 64-bit range the low 16 bits are all zero anyway.
    if (std::fabs(whole) >= 9.2e18)
        return 0;
    return ToShort(static_cast<long long>(whole));
}

int UpdateChangeMarker(CBlockObj& block, int a, int b, int c, double factor)
{
    if (block.m_nLastInput[0] == a && block.m_nLastInput[1] == b && block.m_nLastInput[2] == c &&
        block.m_dLastFactor == factor)
        return 0;
    block.m_nLastInput[0] = a;
    block.m_nLastInput[1] = b;
    block.m_nLastInput[2] = c;
    block.m_dLastFactor = factor;
    return 1;
}

void ResetLastInputs(CBlockObj& block)
{
    block.m_nLastInput[0] = block.m_nLastInput[1] = block.m_nLastInput[2] = INT_MIN;
    block.m_dLastFactor = NAN;
}

} // namespace ValueBlock
