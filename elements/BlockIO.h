// Elements at the edges of a program: digital inputs, function keys, shift-register bits,
// analog inputs, digital and analog outputs, open connectors, flags, analog flags and the two
// constant levels. Inputs are set by the simulation front end; their steps only keep the
// Inputs bar in step. Outputs read their source and keep the Outputs bar in step.
#pragma once

#include "elements/BlockObj.h"

// Digital input I (600).
class CBlockIn : public CBlockObj
{
    DECLARE_SERIAL(CBlockIn)
public:
    CBlockIn();
    explicit CBlockIn(int nType);
    void Serialize(CArchive& ar) override;
    BOOL Simulate(CTavixView* pView) override;
    void DrawOutputState(CTavixView* pView, CDC* pDC) override;

    float m_fVoltage = 0.0f;   // voltage shown beside the input; nothing sets it yet
    int m_nLastSimValue = 0;   // m_nSimValue as last reported to the Inputs bar
    BOOL m_bHighSpeed = FALSE; // "High Speed"
};

// Function key F (611).
class CBlockFKey : public CBlockObj
{
    DECLARE_SERIAL(CBlockFKey)
public:
    CBlockFKey();
    explicit CBlockFKey(int nType);
    BOOL Simulate(CTavixView* pView) override;

    int m_nLastSimValue = 0;
};

// Shift-register bit S (602); the shift register block writes its output.
class CBlockShift : public CBlockObj
{
    DECLARE_SERIAL(CBlockShift)
public:
    CBlockShift();
    explicit CBlockShift(int nType);
    void DrawOutputState(CTavixView* pView, CDC* pDC) override;
};

// Analog input AI (608).
class CBlockAnalogIn : public CBlockObj
{
    DECLARE_SERIAL(CBlockAnalogIn)
public:
    CBlockAnalogIn();
    explicit CBlockAnalogIn(int nType);
    BOOL Simulate(CTavixView* pView) override;
    void SimulateAndDraw(CTavixView* pView, CDC* pDC) override;
    void DrawOutputState(CTavixView* pView, CDC* pDC) override;
    void DrawValueText(CDC* pDC, CTavixView* pView) override;

    float m_fVoltage = 0.0f;
    int m_nLastSimValue = 0;
};

// Analog output AQ (609).
class CBlockAnalogOut : public CBlockObj
{
    DECLARE_SERIAL(CBlockAnalogOut)
public:
    CBlockAnalogOut();
    explicit CBlockAnalogOut(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

// Analog flag AM (610).
class CBlockAnalogFlag : public CBlockObj
{
    DECLARE_SERIAL(CBlockAnalogFlag)
public:
    CBlockAnalogFlag();
    explicit CBlockAnalogFlag(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

// Digital output Q (605).
class CBlockOut : public CBlockObj
{
    DECLARE_SERIAL(CBlockOut)
public:
    CBlockOut();
    explicit CBlockOut(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

// Open connector X (606): one input, no output.
class CBlockOpenX : public CBlockObj
{
    DECLARE_SERIAL(CBlockOpenX)
public:
    CBlockOpenX();
    explicit CBlockOpenX(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

// Flag M (607).
class CBlockFlag : public CBlockObj
{
    DECLARE_SERIAL(CBlockFlag)
public:
    CBlockFlag();
    explicit CBlockFlag(int nType);
    BOOL Simulate(CTavixView* pView) override;
};

// Constant 0 (603).
class CBlockLow : public CBlockObj
{
    DECLARE_SERIAL(CBlockLow)
public:
    CBlockLow();
    explicit CBlockLow(int nType);
    void DrawOutputState(CTavixView* pView, CDC* pDC) override;
};

// Constant 1 (604): a new one is 1 at once; one read from a file becomes 1 when the
// simulation starts.
class CBlockHigh : public CBlockLow
{
    DECLARE_SERIAL(CBlockHigh)
public:
    CBlockHigh();
    explicit CBlockHigh(int nType);
};

// Shared steps of this family, also used by the ladder analog output and the page connectors.
namespace IOStep {
// Analog flag step: input 0 (signed 16-bit) into m_nSimState; a change raises pin 0's flag.
void AnalogFlagStep(CBlockObj& block, CTavixView* pView);
// Each input takes its source's output value (0 when open or missing), no negation.
void ReadingStep(CBlockObj& block, CTavixView* pView);
// Signed 16-bit value of a word input.
int ReadWordInput(CBlockObj& block, CTavixView* pView, int pin);
} // namespace IOStep
