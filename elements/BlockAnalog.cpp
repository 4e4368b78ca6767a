#include "elements/BlockAnalog.h"

#include "document/TavixDoc.h"
#include "elements/BlockConnectors.h"
#include "elements/BlockStep.h"
#include "view/TavixView.h"

#include <cmath>
#include <unordered_set>

IMPLEMENT_SERIAL(CBlockAnalog, CBlockObj, 0)
IMPLEMENT_SERIAL(CBlockACOMP, CBlockAnalog, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockATHTRG, CBlockAnalog, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAAMP, CBlockAnalog, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAWDOG, CBlockAnalog, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockADTRG, CBlockAnalog, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAMATH, CBlockAnalog, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAMUX, CBlockAnalog, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockARAMP, CBlockAnalog, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockPI, CBlockAnalog, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockPWM, CBlockAnalog, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAFILTER, CBlockAnalog, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockMAXMIN, CBlockAnalog, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAVGVAL, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kPwmOutputDisabled = 4;

} // namespace

// ---- construction ----

CBlockAnalog::CBlockAnalog()
{
    InitAnalogDefaults();
}

CBlockAnalog::CBlockAnalog(int nType, int nInputs) : CBlockObj(nType, nInputs)
{
    InitAnalogDefaults();
    m_nSimMin = -20000;
    m_nSimMax = 20000;
}

void CBlockAnalog::InitAnalogDefaults()
{
    m_nSensor = 0;
    m_nRangeMin = 0;
    m_nRangeMax = 1000;
    m_dGain = 1.0;
    m_nOffset = 0;
    m_nThreshold1 = 0;
    m_nThreshold2 = 0;
    m_nDecimals = 0;
    m_nTempUnit = 0;
    m_nResolution = 1;
    m_nActualValue = 0;
    m_nCapturedValue = 0;
    m_nScaledAx = 0;
    m_nScaledAy = 0;
    m_nParamSet = 0;
    m_dKC = 0.5;
    m_bUseTI = 1;
    m_nTIMinutes = 0;
    m_nTISeconds = 30;
    m_nOption = 0;
}

void CBlockAnalog::SetupLinks(int firstPin, std::initializer_list<int> items)
{
    ApplyTypeConstants();
    BlockStep::SetLinkItems(*this, firstPin, items);
}

// Loading constructors set the class's option bits (never stored); everything else comes
// from the record.
#define TAVIX_ANALOG_LOAD_CTOR(name, options) \
    name::name() { m_byOptions = options; }

TAVIX_ANALOG_LOAD_CTOR(CBlockACOMP, 0x1F)
TAVIX_ANALOG_LOAD_CTOR(CBlockATHTRG, 0x1F)
TAVIX_ANALOG_LOAD_CTOR(CBlockAAMP, 0x3F)
TAVIX_ANALOG_LOAD_CTOR(CBlockAWDOG, 0x1E)
TAVIX_ANALOG_LOAD_CTOR(CBlockADTRG, 0x1E)
TAVIX_ANALOG_LOAD_CTOR(CBlockAMATH, 0x3F)
TAVIX_ANALOG_LOAD_CTOR(CBlockAMUX, 0x3F)
TAVIX_ANALOG_LOAD_CTOR(CBlockARAMP, 0x3F)
TAVIX_ANALOG_LOAD_CTOR(CBlockPI, 0x3F)
TAVIX_ANALOG_LOAD_CTOR(CBlockAFILTER, 0x3F)
TAVIX_ANALOG_LOAD_CTOR(CBlockMAXMIN, 0x3F)
TAVIX_ANALOG_LOAD_CTOR(CBlockAVGVAL, 0x3F)
#undef TAVIX_ANALOG_LOAD_CTOR

// A schema-0 PWM record predates the high-speed output choice: it stays disabled.
CBlockPWM::CBlockPWM()
{
    m_byOptions = 0x1E;
    m_nOption = kPwmOutputDisabled;
}

CBlockACOMP::CBlockACOMP(int nType) : CBlockAnalog(nType, 3)
{
    SetupLinks(2, {55, 71, 72, 73, 74, 53});
}

CBlockATHTRG::CBlockATHTRG(int nType) : CBlockAnalog(nType, 2)
{
    SetupLinks(1, {55, 71, 72, 73, 74, 53});
}

CBlockAAMP::CBlockAAMP(int nType) : CBlockAnalog(nType, 2)
{
    SetupLinks(1, {72, 73, 74, 53});
}

CBlockAWDOG::CBlockAWDOG(int nType) : CBlockAnalog(nType, 3)
{
    SetupLinks(2, {55, 72, 73, 74, 53});
    m_bRetentive = FALSE;
}

CBlockADTRG::CBlockADTRG(int nType) : CBlockAnalog(nType, 2)
{
    SetupLinks(1, {55, 75, 72, 73, 74, 53});
}

CBlockAMATH::CBlockAMATH(int nType) : CBlockAnalog(nType, 2)
{
    SetupLinks(1, {55, 70, 71, 73, 61, 62, 63, 64, 74, 53});
    // A new formula has the priorities L, M, L.
    FormulaPriority(0) = 0;
    FormulaPriority(1) = 1;
    FormulaPriority(2) = 0;
}

CBlockAMUX::CBlockAMUX(int nType) : CBlockAnalog(nType, 4)
{
    SetupLinks(3, {55, 70, 71, 73, 74, 53});
}

CBlockARAMP::CBlockARAMP(int nType) : CBlockAnalog(nType, 4)
{
    SetupLinks(3, {55, 71, 76, 77, 78, 72, 73, 74, 53});
    m_nTime1High = 10;    // speed of change
    m_nTime2High = 1000;  // largest output value
}

CBlockPI::CBlockPI(int nType) : CBlockAnalog(nType, 4)
{
    SetupLinks(3, {55, 71, 76, 77, 89, 79, 72, 73, 78, 74, 53});
    m_bRetentive = TRUE;
}

CBlockPWM::CBlockPWM(int nType) : CBlockAnalog(nType, 3)
{
    SetupLinks(2, {55, 72, 73, 89, 79, 95, 96, 74, 53});
    m_nOption = kPwmOutputDisabled;
}

CBlockAFILTER::CBlockAFILTER(int nType) : CBlockAnalog(nType, 2)
{
    SetupLinks(1, {55, 94, 53});
    m_nTime1Base = 3;  // 64 samples
}

CBlockMAXMIN::CBlockMAXMIN(int nType) : CBlockAnalog(nType, 4)
{
    SetupLinks(3, {55, 72, 53});
    m_bStdPreWarning = FALSE;  // "When Enable=0,reset Max/Min" off
}

CBlockAVGVAL::CBlockAVGVAL(int nType) : CBlockAnalog(nType, 4)
{
    SetupLinks(3, {55, 72, 53});
    m_nTime1Low = 1;   // number of samples
    m_nTime1High = 1;  // sampling time
    m_nTime1Base = 0;  // in days
}

// ---- record ----

void CBlockAnalog::Serialize(CArchive& ar)
{
    CBlockObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nSensor << m_nRangeMin << m_nRangeMax << m_dGain << m_nOffset << m_nThreshold1
           << m_nThreshold2 << m_nDecimals << m_nTempUnit << m_nResolution;
        ar << m_nParamSet << m_dKC << m_bUseTI << m_nTIMinutes << m_nTISeconds << m_nOption;
        return;
    }
    ar >> m_nSensor >> m_nRangeMin >> m_nRangeMax >> m_dGain >> m_nOffset >> m_nThreshold1 >>
        m_nThreshold2 >> m_nDecimals >> m_nTempUnit >> m_nResolution;
    if (m_nSchema == 0)
        return;  // older records end here; the PI/PWM fields keep their defaults
    if (m_nSchema != 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
    ar >> m_nParamSet >> m_dKC >> m_bUseTI >> m_nTIMinutes >> m_nTISeconds >> m_nOption;
}

void CBlockAnalog::CopyTo(CBlockObj* pDst, BOOL bGeometry, int nMachineType)
{
    if (!pDst)
        return;
    CBlockObj::CopyTo(pDst, bGeometry, nMachineType);
    CBlockAnalog* pTo = dynamic_cast<CBlockAnalog*>(pDst);
    if (!pTo)
        return;
    pTo->m_nSensor = m_nSensor;
    pTo->m_nRangeMin = m_nRangeMin;
    pTo->m_nRangeMax = m_nRangeMax;
    pTo->m_dGain = m_dGain;
    pTo->m_nOffset = m_nOffset;
    pTo->m_nThreshold1 = m_nThreshold1;
    pTo->m_nThreshold2 = m_nThreshold2;
    pTo->m_nDecimals = m_nDecimals;
    pTo->m_nTempUnit = m_nTempUnit;
    pTo->m_nResolution = m_nResolution;
    if (m_nType == typePI) {
        pTo->m_nParamSet = m_nParamSet;
        pTo->m_dKC = m_dKC;
        pTo->m_bUseTI = m_bUseTI;
        pTo->m_nTIMinutes = m_nTIMinutes;
        pTo->m_nTISeconds = m_nTISeconds;
        pTo->m_nOption = m_nOption;
    } else if (m_nType == typePWM) {
        pTo->m_nOption = m_nOption;
    }
}

// ---- arithmetic ----

int CBlockAnalog::ScaleValue(int raw, double gain, int offset)
{
    long double x = static_cast<long double>(raw) * gain + offset;
    if (std::isnan(x))
        return 0;  // a damaged gain must not make the conversion undefined
    if (x != 0 && std::isfinite(x)) {
        const long double d = std::fmod(std::trunc(x * 10), 10.0L);
        if (std::fabs(d) >= 5)
            x += (x >= 0) ? 1 : -1;
    }
    if (x > kWordMax)
        x = kWordMax;
    if (x < kWordMin)
        x = kWordMin;
    return static_cast<int>(x);
}

int CBlockAnalog::ClampReference(double value)
{
    if (std::isnan(value))
        return 0;
    if (value > kWordMax)
        return kWordMax;
    if (value < kWordMin)
        return kWordMin;
    return static_cast<int>(value);
}

int CBlockAnalog::ApplyTrigger(int q, long long on, long long off, long long x)
{
    if (on >= off) {
        if (x > on)
            return 1;
        if (x <= off)
            return 0;
        return q;
    }
    return (x >= on && x < off) ? 1 : 0;
}

int CBlockAnalog::ScaledInput(CTavixView* pView, int pin)
{
    WORD raw = 0;
    GetInputValue(pView, &raw, pin);
    return ScaleValue(static_cast<SHORT>(raw), m_dGain, m_nOffset);
}

int CBlockAnalog::ThresholdOrReference(int& literal, int k)
{
    if (m_pRefBlock[k])
        literal = ClampReference(BlockStep::ReferenceValue(*this, k));
    return literal;
}

// ---- simulation ----

BOOL CBlockAnalog::Simulate(CTavixView* pView)
{
    switch (m_nType) {
    case typeACOMP: StepComparator(pView); break;
    case typeATHTRG: StepThresholdTrigger(pView); break;
    case typeAAMP: StepAmplifier(pView); break;
    case typeAWDOG: StepWatchdog(pView); break;
    case typeADTRG: StepDifferentialTrigger(pView); break;
    case typeAMUX: StepMultiplexer(pView); break;
    case typeAMATH: StepMathInstruction(pView); break;
    default: break;  // ramp, PI, PWM, filter, max/min, average: not simulated on the PC
    }
    BlockStep::EndStep(*this, pView);
    return TRUE;
}

void CBlockAnalog::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    Simulate(pView);
    const bool bBitOutput = m_nType == typeACOMP || m_nType == typeATHTRG ||
                            m_nType == typeAWDOG || m_nType == typeADTRG;
    COLORREF colour = 0;
    if (bBitOutput)
        colour = m_nPinValue[kOutputPin] == 1 ? RGB(255, 0, 0) : RGB(0, 0, 255);
    Draw(pView, pDC, 1, colour);
    DrawValueText(pDC, pView);
    if (pView)
        pView->UpdateMonitorSheets(this);
}

void CBlockAnalog::StepComparator(CTavixView* pView)
{
    m_nScaledAx = ScaledInput(pView, 0);
    m_nScaledAy = ScaledInput(pView, 1);
    long long diff = static_cast<long long>(m_nScaledAx) - m_nScaledAy;
    if (diff > kWordMax)
        diff = kWordMax;
    if (diff < kWordMin)
        diff = kWordMin;
    m_nActualValue = static_cast<int>(diff);
    const int on = ThresholdOrReference(m_nThreshold1, 0);
    const int off = ThresholdOrReference(m_nThreshold2, 1);
    BlockStep::SetOutput(*this, pView,
                         ApplyTrigger(m_nPinValue[kOutputPin], on, off, m_nActualValue));
}

void CBlockAnalog::StepThresholdTrigger(CTavixView* pView)
{
    m_nActualValue = m_nScaledAx = ScaledInput(pView, 0);
    const int on = ThresholdOrReference(m_nThreshold1, 0);
    const int off = ThresholdOrReference(m_nThreshold2, 1);
    BlockStep::SetOutput(*this, pView,
                         ApplyTrigger(m_nPinValue[kOutputPin], on, off, m_nActualValue));
}

void CBlockAnalog::StepAmplifier(CTavixView* pView)
{
    m_nActualValue = m_nScaledAx = ScaledInput(pView, 0);
    m_bLoopFound = FALSE;
    m_pLoopStart = this;
    int steps = 0;
    CheckRecursion(pView, this, m_nIndex, &steps);
    if (m_bLoopFound)
        RecomputeFromUpstream(pView);
}

void CBlockAnalog::RecomputeFromUpstream(CTavixView* pView)
{
    CTavixDoc* pDoc = pView ? pView->GetDocument() : nullptr;
    int raw = 0;
    if (pDoc) {
        // Each element is visited at most once, so wiring that cycles without passing an
        // analog block ends the walk (with r = 0) instead of running forever.
        std::unordered_set<const CBlockObj*> visited;
        const CBlockObj* pAt = this;
        for (;;) {
            CBlockObj* pSrc = IsLinkCode(pAt->m_nLink[0]) ? nullptr
                                                           : pDoc->FindBlockByNumber(pAt->m_nLink[0]);
            if (pSrc && pSrc->IsKindOf(RUNTIME_CLASS(CBlockFemale))) {
                // The source end of a page connector stands for what feeds its receiving end.
                CBlockObj* pMale = pDoc->FindBlockByNumber(pSrc->m_nNumber - kConnectorPartnerOffset);
                if (!pMale || !visited.insert(pSrc).second)
                    break;
                pAt = pMale;
                if (!visited.insert(pAt).second)
                    break;
                continue;
            }
            if (!pSrc || !visited.insert(pSrc).second)
                break;
            if (const CBlockAnalog* pAnalog = dynamic_cast<const CBlockAnalog*>(pSrc)) {
                raw = pAnalog->m_nActualValue;
                break;
            }
            pAt = pSrc;
        }
    }
    m_nActualValue = ScaleValue(raw, m_dGain, m_nOffset);
}

void CBlockAnalog::StepWatchdog(CTavixView* pView)
{
    const int ax = ScaledInput(pView, 1);
    m_nActualValue = m_nScaledAx = ax;
    ReadInputs(pView);
    const int en = m_nPinValue[0];
    if (m_bPinChanged[0]) {
        m_nCapturedValue = en == 1 ? ax : 0;
        m_bPinChanged[0] = FALSE;
    }
    if (en == 0) {
        BlockStep::SetOutput(*this, pView, 0);
        return;
    }
    const long long delta1 = ThresholdOrReference(m_nThreshold1, 0);
    const long long delta2 = ThresholdOrReference(m_nThreshold2, 1);
    const long long captured = m_nCapturedValue;
    const bool bOut = ax < captured - delta2 || ax > captured + delta1;
    BlockStep::SetOutput(*this, pView, bOut ? 1 : 0);
}

void CBlockAnalog::StepDifferentialTrigger(CTavixView* pView)
{
    m_nActualValue = m_nScaledAx = ScaledInput(pView, 0);
    const long long on = m_nThreshold1;
    const long long off = on + m_nThreshold2;
    BlockStep::SetOutput(*this, pView,
                         ApplyTrigger(m_nPinValue[kOutputPin], on, off, m_nActualValue));
}

void CBlockAnalog::StepMultiplexer(CTavixView* pView)
{
    ReadInputs(pView);
    if (m_nPinValue[0] == 0) {
        m_nActualValue = 0;
        return;
    }
    const int k = (m_nPinValue[1] ? 2 : 0) + (m_nPinValue[2] ? 1 : 0);
    m_nActualValue = m_pRefBlock[k] ? ClampReference(BlockStep::ReferenceValue(*this, k))
                                    : FormulaOperand(k);
}

void CBlockAnalog::StepMathInstruction(CTavixView* pView)
{
    ReadInputs(pView);
    if (m_nPinValue[0] == 1) {
        for (int k = 0; k < 4; ++k)
            if (m_pRefBlock[k])
                FormulaOperand(k) = ClampReference(BlockStep::ReferenceValue(*this, k));
        EvalFormula();
    } else if (m_nExtra3 != 1) {
        m_nActualValue = 0;  // "When En = 0, output is 0"; "Last Value" keeps it
    }
}

// ---- parameter words of the formula and the multiplexer ----

int& CBlockAnalog::FormulaOperand(int k)
{
    switch (k) {
    case 0: return m_nTime1High;
    case 1: return m_nTime2High;
    case 2: return m_nPreWarn[1];
    default: return m_nPreWarn[3];
    }
}

int& CBlockAnalog::FormulaOperator(int k)
{
    switch (k) {
    case 0: return m_nTime1Low;
    case 1: return m_nTime2Low;
    default: return m_nPreWarn[0];
    }
}

int& CBlockAnalog::FormulaPriority(int k)
{
    switch (k) {
    case 0: return m_nTime1Base;
    case 1: return m_nTime2Base;
    default: return m_nPreWarn[2];
    }
}
