// Painting that families add to the base element: the value boxes of timers, counters and
// analog inputs, and the state texts of inputs, shift bits and constants.
#include "elements/BlockCounters.h"
#include "elements/BlockIO.h"
#include "elements/BlockTime.h"
#include "elements/PaintTools.h"
#include "elements/ValueBoxes.h"

#include <cmath>

using namespace paint;

namespace {

long Trunc(double v) { return std::isnan(v) ? 0 : long(std::trunc(v)); }

template <typename... Args>
CString Fmt(const wchar_t* format, const Args&... args)
{
    CString s;
    s.Format(format, args...);
    return s;
}

// "ON"/"OFF" (with the voltage for the device's own inputs) beside output pin 10.
void DrawInputState(CBlockObj& b, CDC* pDC, bool withVoltage, float voltage)
{
    CRect pin;
    if (!b.GetPinRect(&pin, kOutputPin, kPinRectSize))
        return;
    const bool on = b.m_nPinValue[kOutputPin] == 1;
    CString text = on ? L"ON" : L"OFF";
    if (withVoltage)
        text = Fmt(on ? L"ON---%.1f v" : L"OFF---%.1f v", double(voltage));
    Font font(pDC, 12, 6, L"", FontKind::Fixed, 0);
    TextColour colour(pDC, on ? kRed : kBlack);
    const int bkMode = pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(pin.left + 3, pin.bottom + 3, text);
    pDC->SetBkMode(bkMode);
}

}  // namespace

void CBlockTime::DrawValueText(CDC* pDC, CTavixView* pView)
{
    GetTimeText(pView, &m_strValueText);
    const double k = m_nType == 411 ? 3.0 : 1.5;
    DrawValueBox(pDC, *this, int(k * m_nWidth), 14, {m_strValueText});
}

void CBlockCOUNTER::DrawValueText(CDC* pDC, CTavixView*)
{
    if (!IsValueBoxVisible(pDC, *this, 3 * m_nWidth / 2, 14))
        return;
    DrawValueBox(pDC, *this, 3 * m_nWidth / 2, 14, {Fmt(L"%6ld", Trunc(m_dElapsed))});
}

void CBlockHCOUNTER::DrawValueText(CDC* pDC, CTavixView*)
{
    if (!IsValueBoxVisible(pDC, *this, 3 * m_nWidth, 38))
        return;
    CString mi = Fmt(L"MI=%5ldh%2ldm", m_nTime1High, m_nTime1Low);
    if (m_bRef[0] && m_pRefBlock[0]) {
        const int n = m_pRefBlock[0]->m_nNumber - NUM_FUNCTION;
        const int digits = Fmt(L"%d", n).GetLength();
        // "B" and the digits of n right-aligned in 8 characters.
        const CString format = Fmt(L"MI=%%%ds%dh", 8 - digits, n);
        mi = Fmt(format.GetString(), L"B");
    }
    DrawValueBox(pDC, *this, 3 * m_nWidth, 38,
                 {mi, Fmt(L"MN=%5ldh%2ldm", m_nMn / 60, m_nMn % 60), Fmt(L"OT=%5ldh%2ldm", m_nOt / 60, m_nOt % 60)});
}

void CBlockTHTRG::DrawValueText(CDC* pDC, CTavixView*)
{
    if (!IsValueBoxVisible(pDC, *this, int(1.5 * m_nWidth), 26))
        return;
    const long e = Trunc(m_dElapsed * 0.1);
    DrawValueBox(pDC, *this, int(1.5 * m_nWidth), 26,
                 {Fmt(L"%6ld", m_nFa), Fmt(L"%02d:%02d%s", int(e / 100), int(e % 100), L"s")});
}

void CBlockAnalogIn::DrawValueText(CDC* pDC, CTavixView*)
{
    const int right = int(1.5 * m_nWidth);
    if (!IsValueBoxVisible(pDC, *this, right, m_nSimState >= 0 ? 26 : 14))
        return;
    if (m_nSimState >= 0)
        DrawValueBox(pDC, *this, right, 26, {Fmt(L"%-6d", m_nSimValue), Fmt(L"%-6d", m_nSimState)});
    else
        DrawValueBox(pDC, *this, right, 14, {Fmt(L"%-6d", m_nSimValue)});
}

void CBlockIn::DrawOutputState(CTavixView* pView, CDC* pDC)
{
    Draw(pView, pDC, 1, 0);
    DrawInputState(*this, pDC, m_nNumber >= 100 && m_nNumber <= 355, m_fVoltage);
}

void CBlockAnalogIn::DrawOutputState(CTavixView* pView, CDC* pDC)
{
    Draw(pView, pDC, 1, 0);
    DrawInputState(*this, pDC, m_nNumber >= 4000 && m_nNumber <= 4127, m_fVoltage);
}

void CBlockShift::DrawOutputState(CTavixView* pView, CDC* pDC)
{
    Draw(pView, pDC, 1, 0);
}

void CBlockLow::DrawOutputState(CTavixView* pView, CDC* pDC)
{
    Draw(pView, pDC, 1, 0);
    CRect pin;
    if (m_nPinKind[0] == PIN_NONE || !GetPinRect(&pin, 0, kPinRectSize))
        return;
    const bool on = m_nPinValue[0] == 1;
    Font font(pDC, 12, 6, L"", FontKind::Fixed, 0);
    TextColour colour(pDC, on ? kRed : RGB(255, 255, 0));
    const int bkMode = pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(pin.left - 10, pin.top, on ? CString(L"ON") : CString());
    pDC->SetBkMode(bkMode);
}
