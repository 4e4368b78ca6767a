#include "elements/BlockObj.h"
#include "elements/BlockFactory.h"
#include "elements/ElementTextCache.h"

#include "view/TavixView.h"
#include "shell/ChildFrame.h"

#include <algorithm>
#include <cwchar>

IMPLEMENT_SERIAL(CBlockObj, CObject, 0)

namespace {

// Largest pin count a record may state: inputs live in slots 0-9, outputs in 10-19.
constexpr int kMaxPinsPerSide = 10;

void WriteInts(CArchive& ar, const int* values, int count)
{
    for (int i = 0; i < count; ++i)
        ar << values[i];
}

void ReadInts(CArchive& ar, int* values, int count)
{
    for (int i = 0; i < count; ++i)
        ar >> values[i];
}

// A loaded element whose type code its class does not have: the message names the block, so
// the user learns what in the program is damaged.
class CElementTypeException : public CArchiveException {
public:
    CElementTypeException(int nType, int nNumber, const char* className)
        : CArchiveException(genericException)
    {
        CString who;
        if (nNumber >= 9000 && nNumber <= 10999)
            who.Format(L"block B%d", nNumber - 9000);
        else
            who.Format(L"the element numbered %d", nNumber);
        m_strMessage.Format(L"The program data is damaged: %s has the type code %d, which an "
                            L"element of its class (%s) cannot have. Nothing was loaded.",
                            who.GetString(), nType, CString(className).GetString());
    }
    BOOL GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext = nullptr) const override
    {
        if (helpContext)
            *helpContext = 0;
        if (error == nullptr || maxChars == 0)
            return FALSE;
        const int n = std::min<int>(m_strMessage.GetLength(), int(maxChars) - 1);
        std::wmemcpy(error, m_strMessage.GetString(), size_t(n));
        error[n] = 0;
        return TRUE;
    }
    using CException::GetErrorMessage;

private:
    CString m_strMessage;
};

} // namespace

void CBlockObj::InitDefaults()
{
    for (int& v : m_nLastInput)
        v = 0;
    m_dLastFactor = 0.0;
    m_nType = 0;
    m_nWidth = 0;
    m_nHeight = 0;
    m_nNumber = 0;
    for (int i = 0; i < kPinCount; ++i) {
        m_nLink[i] = 0;
        m_nPinKind[i] = PIN_NONE;
        m_nPinValue[i] = 0;
        m_bPinChanged[i] = FALSE;
        m_bNegate[i] = FALSE;
    }
    m_nOperand = 0;
    m_bRetentive = FALSE;
    m_bProtected = FALSE;
    m_nMonthly = 0;
    m_nPulse = 0;
    m_nYearly = 1;
    m_nYearEnd = 2099;
    m_nYearStart = 2000;
    m_nStartValue = 0;
    m_nTime1Low = 0;
    m_nTime1High = 0;
    m_nTime1Base = 2;
    m_nRefUnit1 = 0;
    m_nRefUnit2 = 0;
    for (int k = 0; k < 4; ++k) {
        m_bRef[k] = FALSE;
        m_nRefNumber[k] = -1;
        m_pRefBlock[k] = nullptr;
        m_nPreWarn[k] = 0;
    }
    m_nOperandCount = 0;
    m_nTime2Low = 0;
    m_nTime2High = 0;
    m_nTime2Base = 2;
    m_nCount = 0;
    m_bStdPreWarning = TRUE;
    m_nExtra1 = 0;
    m_nExtra2 = 0;
    m_nExtra3 = 0;
    m_nSimKind = 0;
    m_nExtra4 = 1;
    m_nExtra5 = 1;
    m_nCodeSize = 0;
    m_nIndex = -1;
    m_bShowComment = TRUE;
    m_bAutoRange = TRUE;
    m_nSimValue = 0;
    m_nSimMin = 0;
    m_nSimMax = 9999;
    m_nSimState = 0;
    m_bSelected = FALSE;
    m_bMark = FALSE;
    m_nContactState = 0;
    m_nInputs = 4;
    m_nOutputs = 1;
    m_nReserved1 = 1;
    m_nReserved2 = 1;
    // Until a view stamps them with its simulated clock, the start stamps hold the PC's time.
    GetLocalTime(&m_tmStart);
    m_tmStart2 = m_tmStart;
    m_dElapsed = 0.0;
    m_dValue2 = 0.0;
    m_dValue3 = 0.0;
    m_bLoopFound = FALSE;
    m_pLoopStart = nullptr;
    m_nLoopMark = 0;
    m_tmHold = SYSTEMTIME{};
    m_bRunning = FALSE;
    m_bRunning2 = FALSE;
    m_nSchema = 0;
    m_dParam = 0.0;
    m_byOptions = kDefaultOptions;
    m_nLastValue = 0;
}

CBlockObj::CBlockObj()
{
    InitDefaults();
}

CBlockObj::CBlockObj(int nType, int nInputs)
{
    InitDefaults();
    m_nType = nType;
    m_nInputs = (nInputs < 0) ? 0 : (nInputs > kMaxPinsPerSide ? kMaxPinsPerSide : nInputs);
    m_nOutputs = 1;
    for (int i = 0; i < m_nInputs; ++i)
        m_nLink[i] = LINK_OPEN;
    if (const int* row = GetPinKindRow(nType))
        for (int i = 0; i < kPinCount; ++i)
            m_nPinKind[i] = row[i];
}

CBlockObj::~CBlockObj() = default;

ElementTextCache& CBlockObj::TextCache() const
{
    if (!m_pTextCache)
        m_pTextCache = std::make_unique<ElementTextCache>();
    return *m_pTextCache;
}

void CBlockObj::ApplyTypeConstants()
{
    if (const BlockTypeInfo* info = FindBlockTypeInfo(m_nType)) {
        m_nCodeSize = info->nCodeSize;
        m_nOperandCount = info->nOperandCount;
        m_byOptions = info->byOptions;
    }
}

void CBlockObj::StampStartTimes(CTavixView* pView)
{
    if (pView && pView->GetParentFrame()) {
        pView->GetParentFrame()->GetSimTime(&m_tmStart);
        m_tmStart2 = m_tmStart;
    }
}

void CBlockObj::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        // A set reference whose block the program does not hold keeps the number it was
        // loaded with; a reference without its flag and without a block is none (-1).
        for (int k = 0; k < 4; ++k) {
            if (m_pRefBlock[k] != nullptr)
                m_nRefNumber[k] = m_pRefBlock[k]->m_nNumber;
            else if (!m_bRef[k])
                m_nRefNumber[k] = -1;
        }

        ar << m_nType;
        ar << int(m_ptOrigin.x) << int(m_ptOrigin.y);
        ar << int(m_ptSaved.x) << int(m_ptSaved.y);
        ar << m_nWidth << m_nHeight << m_nNumber;
        ar << WORD(m_bShowComment);
        WriteInts(ar, m_nLink, kPinCount);
        ar << m_strText << m_nOperand << m_strName;
        ar << m_nCodeSize;
        ar << m_strComment;
        ar << WORD(m_nContactState);
        ar << m_nInputs << m_nOutputs << m_nReserved1 << m_nReserved2;
        ar << m_nMonthly << m_bRetentive << m_bProtected;
        ar << m_nTime1Low << m_nTime1High << m_nTime1Base << m_nRefUnit1;
        ar << m_bRef[0];
        ar << m_nTime2Low << m_nTime2High << m_nTime2Base << m_nCount << m_bStdPreWarning;
        WriteInts(ar, m_nPreWarn, 4);
        ar << m_nExtra1;
        ar << m_nExtra3 << m_nSimKind << m_nExtra4;
        ar << m_nRefNumber[0] << m_bRef[1] << m_nRefNumber[1];
        ar << m_nOperandCount;
        ar << m_bAutoRange << m_nSimValue << m_nSimMin << m_nSimMax;
        WriteInts(ar, m_bNegate, kPinCount);
        WriteInts(ar, m_nPinKind, kPinCount);
        ar << m_nRefUnit2 << m_nPulse << m_nYearStart << m_nYearEnd << m_nYearly;
        ar << m_strParam;
        ar << m_nStartValue << m_bRef[2] << m_nRefNumber[2] << m_bRef[3] << m_nRefNumber[3]
           << m_nExtra2;
        ar << m_dParam;
        return;
    }

    int x, y;
    WORD w;
    ar >> m_nType;
    ar >> x >> y;
    m_ptOrigin = CPoint(x, y);
    ar >> x >> y;
    m_ptSaved = CPoint(x, y);
    ar >> m_nWidth >> m_nHeight >> m_nNumber;
    // The painters, texts and simulation of a class index their tables by the codes the class
    // has; a damaged record must not bring in another.
    if (!IsTypeOfClass(m_nType, GetRuntimeClass()))
        throw new CElementTypeException(m_nType, m_nNumber, GetRuntimeClass()->m_lpszClassName);
    ar >> w;
    m_bShowComment = w;
    ReadInts(ar, m_nLink, kPinCount);
    ar >> m_strText >> m_nOperand >> m_strName;
    ar >> m_nCodeSize;
    ar >> m_strComment;
    ar >> w;
    m_nContactState = w;
    ar >> m_nInputs >> m_nOutputs >> m_nReserved1 >> m_nReserved2;
    // Every loop over the pins is bounded by these counts: a damaged record must not reach
    // beyond the twenty slots.
    if (m_nInputs < 0 || m_nInputs > kMaxPinsPerSide || m_nOutputs < 0 ||
        m_nOutputs > kMaxPinsPerSide)
        AfxThrowArchiveException(CArchiveException::genericException);
    ar >> m_nMonthly >> m_bRetentive >> m_bProtected;
    ar >> m_nTime1Low >> m_nTime1High >> m_nTime1Base >> m_nRefUnit1;
    ar >> m_bRef[0];
    ar >> m_nTime2Low >> m_nTime2High >> m_nTime2Base >> m_nCount >> m_bStdPreWarning;
    ReadInts(ar, m_nPreWarn, 4);
    ar >> m_nExtra1;
    ar >> m_nExtra3 >> m_nSimKind >> m_nExtra4;
    ar >> m_nRefNumber[0] >> m_bRef[1] >> m_nRefNumber[1];
    ar >> m_nOperandCount;
    ar >> m_bAutoRange >> m_nSimValue >> m_nSimMin >> m_nSimMax;

    m_nSchema = int(ar.GetObjectSchema());
    if (m_nSchema != 0 && m_nSchema != 1)
        AfxThrowArchiveException(CArchiveException::badSchema);

    ReadInts(ar, m_bNegate, kPinCount);
    ReadInts(ar, m_nPinKind, kPinCount);
    // A plain element (types 601 and 811) carries the schema-0 tag of this class, but its
    // record always holds the schema-1 items as well: read what was written.
    const bool bPlainElement = GetRuntimeClass() == RUNTIME_CLASS(CBlockObj);
    if (m_nSchema == 0 && !bPlainElement)
        return;
    ar >> m_nRefUnit2 >> m_nPulse >> m_nYearStart >> m_nYearEnd >> m_nYearly;
    ar >> m_strParam;
    ar >> m_nStartValue >> m_bRef[2] >> m_nRefNumber[2] >> m_bRef[3] >> m_nRefNumber[3]
       >> m_nExtra2;
    ar >> m_dParam;
}

void CBlockObj::CopyTo(CBlockObj* pDst, BOOL bGeometry, int nMachineType)
{
    if (!pDst)
        return;
    pDst->m_nNumber = m_nNumber;
    pDst->m_bShowComment = m_bShowComment;
    pDst->m_strComment = m_strComment;
    pDst->m_strText = m_strText;
    pDst->m_nOperand = m_nOperand;
    pDst->m_strName = m_strName;
    pDst->m_bRetentive = m_bRetentive;
    pDst->m_bProtected = m_bProtected;
    pDst->m_nMonthly = m_nMonthly;
    pDst->m_nTime1Low = m_nTime1Low;
    pDst->m_nTime1High = m_nTime1High;
    pDst->m_nTime1Base = m_nTime1Base;
    pDst->m_nRefUnit1 = m_nRefUnit1;
    for (int k = 0; k < 2; ++k) {
        pDst->m_bRef[k] = m_bRef[k];
        pDst->m_nRefNumber[k] = m_nRefNumber[k];
        pDst->m_pRefBlock[k] = m_pRefBlock[k];
    }
    pDst->m_nTime2Low = m_nTime2Low;
    pDst->m_nTime2High = m_nTime2High;
    pDst->m_nTime2Base = m_nTime2Base;
    pDst->m_nCount = m_nCount;
    pDst->m_bStdPreWarning = m_bStdPreWarning;
    for (int k = 0; k < 4; ++k)
        pDst->m_nPreWarn[k] = m_nPreWarn[k];
    pDst->m_nExtra1 = m_nExtra1;
    pDst->m_nExtra3 = m_nExtra3;
    pDst->m_nSimKind = m_nSimKind;
    pDst->m_nExtra4 = m_nExtra4;
    pDst->m_nExtra5 = m_nExtra5;

    if (nMachineType >= kMachineTypeQ) {
        // The newer fields, by the destination's type (one type per class here).
        const int t = pDst->m_nType;
        if (t == 408 || t == 815 || t == 816) {
            for (int k = 2; k < 4; ++k) {
                pDst->m_bRef[k] = m_bRef[k];
                pDst->m_pRefBlock[k] = m_pRefBlock[k];
            }
        } else if (t == 410) {
            pDst->m_nPulse = m_nPulse;
        } else if (t == 411 || t == 855) {
            pDst->m_nPulse = m_nPulse;
            pDst->m_nYearly = m_nYearly;
            pDst->m_nYearEnd = m_nYearEnd;
            pDst->m_nYearStart = m_nYearStart;
        } else if (t == 800 || t == 848) {
            pDst->m_nStartValue = m_nStartValue;
        } else if (t == 812 || t == 830) {
            pDst->m_nExtra2 = m_nExtra2;
        } else if (t == 412 || (t >= 838 && t <= 843)) {
            pDst->m_strParam = m_strParam;
        } else if (t == 864 || t == 865 || (t >= 869 && t <= 879)) {
            pDst->m_dParam = m_dParam;
        }
    }

    if (bGeometry) {
        pDst->m_ptOrigin = m_ptOrigin;
        for (int i = 0; i < m_nInputs && i < kMaxPinsPerSide; ++i)
            pDst->m_nLink[i] = m_nLink[i];
        for (int i = kFirstOutputPin; i < kFirstOutputPin + m_nOutputs && i < kPinCount; ++i)
            pDst->m_nLink[i] = m_nLink[i];
        pDst->m_ptSaved = m_ptSaved;
        pDst->m_nWidth = m_nWidth;
        pDst->m_nHeight = m_nHeight;
    }
}


BOOL CBlockObj::Simulate(CTavixView*)
{
    return TRUE;
}

void CBlockObj::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    Simulate(pView);
    Draw(pView, pDC, 1, m_nPinValue[kOutputPin] == 1 ? RGB(255, 0, 0) : RGB(0, 0, 255));
}
