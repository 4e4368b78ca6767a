// The analog function family: comparator, threshold trigger, amplifier, watchdog, differential
// trigger, mathematical instruction, multiplexer, ramp, PI controller, PWM, filter, max/min and
// average value. One abstract base, CBlockAnalog, holds the channel's measuring and scaling
// parameters, the runtime values and the few PI/PWM extras, and carries the record part, the
// copy and the simulation step of all thirteen classes.
#pragma once

#include "elements/BlockObj.h"

#include <initializer_list>
#include <vector>

class CExprStack;

class CBlockAnalog : public CBlockObj
{
    DECLARE_SERIAL(CBlockAnalog)
public:
    // Type codes of the family.
    enum {
        typeACOMP = 803, typeATHTRG = 804, typeAAMP = 805, typeAWDOG = 806, typeADTRG = 807,
        typeAMATH = 815, typeAMUX = 816, typeARAMP = 817, typePI = 818, typePWM = 819,
        typeAFILTER = 820, typeMAXMIN = 821, typeAVGVAL = 822,
    };
    // Limits of a simulated analog word (the lower bound is -32767, not -32768).
    enum { kWordMax = 32767, kWordMin = -32767 };

    CBlockAnalog();
    CBlockAnalog(int nType, int nInputs);

    void Serialize(CArchive& ar) override;
    void CopyTo(CBlockObj* pDst, BOOL bGeometry, int nMachineType) override;
    BOOL Simulate(CTavixView* pView) override;
    void SimulateAndDraw(CTavixView* pView, CDC* pDC) override;
    int GetAnalogOutputWord() const override { return m_nActualValue; }

    // ---- scaling ----
    // raw x gain + offset, rounded half away from zero on the first decimal, held within
    // -32767..32767 and truncated toward zero.
    static int ScaleValue(int raw, double gain, int offset);
    // A referenced value: held within -32767..32767 and truncated, without rounding.
    static int ClampReference(double value);
    // The trigger rule: with on >= off, x > on sets and x <= off clears (state kept between);
    // with on < off, the output is 1 exactly for on <= x < off.
    static int ApplyTrigger(int q, long long on, long long off, long long x);

    // ---- formula of the mathematical instruction ----
    // Fills the token array (V1 op1 V2 op2 V3 op3 V4 with the parentheses of the priorities),
    // appends the tokens to *pFormula and sizes the array to 20. Only for type 815.
    void BuildFormulaTokens(CString* pFormula, std::vector<CString>* pTokens) const;
    // Evaluates the formula into m_nActualValue.
    void EvalFormula();
    // Postfix order of the infix tokens (up to the first empty one), from index 0 of *pPostfix.
    static void InfixToPostfix(const std::vector<CString>& infix, std::vector<CString>* pPostfix,
                               CExprStack* pStack);
    // Evaluates postfix tokens into m_nActualValue: every intermediate result is truncated
    // toward zero, a division by 0 gives 32767, the result is held within -32768..32767.
    void EvalPostfix(const std::vector<CString>& postfix, CExprStack* pStack);

    // Operands, operators (0 "+", 1 "-", 2 "*", 3 "/") and priorities (0 L, 1 M, 2 H) of the
    // formula, in the parameter words that hold them.
    int& FormulaOperand(int k);
    int& FormulaOperator(int k);
    int& FormulaPriority(int k);
    int FormulaOperand(int k) const { return const_cast<CBlockAnalog*>(this)->FormulaOperand(k); }
    int FormulaOperator(int k) const { return const_cast<CBlockAnalog*>(this)->FormulaOperator(k); }
    int FormulaPriority(int k) const { return const_cast<CBlockAnalog*>(this)->FormulaPriority(k); }

public:
    int m_nSensor;       // 0 "0 ... 10 V", 1 "0 ... 20 mA", 2 "4 ... 20 mA", 3 PT100/PT1000, 4 none
    int m_nRangeMin;
    int m_nRangeMax;
    double m_dGain;
    int m_nOffset;
    int m_nThreshold1;
    int m_nThreshold2;
    int m_nDecimals;     // decimals of the value in a message text, 0..3
    int m_nTempUnit;     // 0 Celsius, 1 Fahrenheit
    int m_nResolution;   // 0 "x 1", 1 "x 0.1"
    int m_nActualValue;  // runtime: the word output, or the compared value
    int m_nCapturedValue;  // runtime (806): comparison value captured when En changes
    int m_nScaledAx;     // runtime: scaled first analog input
    int m_nScaledAy;     // runtime (803): scaled second analog input
    int m_nParamSet;     // PI: parameter set 0..6
    double m_dKC;        // PI: amplification KC
    int m_bUseTI;        // PI: integration time in use
    int m_nTIMinutes;    // PI: TI minutes 0..99
    int m_nTISeconds;    // PI: TI seconds 0..59
    int m_nOption;       // PI: direction 0 up, 1 down; PWM: high-speed output Q0..Q3, 4 disabled

protected:
    // Sets the class constants of a typed construction: code size, operand count, option bits,
    // and the parameter operand list from the first non-input slot.
    void SetupLinks(int firstPin, std::initializer_list<int> items);

private:
    void InitAnalogDefaults();
    // Scaled value of word input `pin` with this block's gain and offset.
    int ScaledInput(CTavixView* pView, int pin);
    // Literal threshold replaced by reference k (written back into the literal) when set.
    int ThresholdOrReference(int& literal, int k);
    // Amplifier: when its output feeds back into itself, the value comes from the nearest
    // analog block up the chain of first inputs.
    void RecomputeFromUpstream(CTavixView* pView);

    void StepComparator(CTavixView* pView);
    void StepThresholdTrigger(CTavixView* pView);
    void StepAmplifier(CTavixView* pView);
    void StepWatchdog(CTavixView* pView);
    void StepDifferentialTrigger(CTavixView* pView);
    void StepMultiplexer(CTavixView* pView);
    void StepMathInstruction(CTavixView* pView);
};

// The thirteen classes: each only chooses its inputs, links and defaults.
#define TAVIX_ANALOG_CLASS(name)          \
    class name : public CBlockAnalog      \
    {                                     \
        DECLARE_SERIAL(name)              \
    public:                               \
        name();                           \
        explicit name(int nType);         \
    };

TAVIX_ANALOG_CLASS(CBlockACOMP)
TAVIX_ANALOG_CLASS(CBlockATHTRG)
TAVIX_ANALOG_CLASS(CBlockAAMP)
TAVIX_ANALOG_CLASS(CBlockAWDOG)
TAVIX_ANALOG_CLASS(CBlockADTRG)
TAVIX_ANALOG_CLASS(CBlockAMATH)
TAVIX_ANALOG_CLASS(CBlockAMUX)
TAVIX_ANALOG_CLASS(CBlockARAMP)
TAVIX_ANALOG_CLASS(CBlockPI)
TAVIX_ANALOG_CLASS(CBlockPWM)
TAVIX_ANALOG_CLASS(CBlockAFILTER)
TAVIX_ANALOG_CLASS(CBlockMAXMIN)
TAVIX_ANALOG_CLASS(CBlockAVGVAL)

#undef TAVIX_ANALOG_CLASS
