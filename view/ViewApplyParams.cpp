// CTavixView: the values an open block sheet applies while the view simulates (and, outside
// simulation, into the current block), and the live values the view pushes into open sheets.
// The sheet sends one record per Apply; the record lives only during the send.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockCounters.h"
#include "elements/BlockIO.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockLogic.h"
#include "elements/BlockModbus.h"
#include "elements/BlockObj.h"
#include "elements/BlockTime.h"
#include "elements/BlockWifi.h"
#include "msgtext/AllDisplayMsgTxts.h"
#include "pages/AllPropertySheet.h"
#include "pages/BlockPage.h"
#include "pages/IoFields.h"
#include "pages/PropShLadIO.h"
#include "pages/ParamRecords.h"
#include "pages/WeeklyCams1.h"
#include "shell/ChildFrame.h"

#include <cmath>

namespace {

constexpr int kOutputPin = 10;

bool In(int nType, int lo, int hi) { return nType >= lo && nType <= hi; }

// Terminals that message-text fields name by their number: inputs, shift bits, outputs, flags,
// analog inputs, analog flags and function keys. After a move such a field would name another
// terminal, so it goes.
bool FieldsGoWithOldNumber(int nType)
{
    return nType == 600 || nType == 602 || nType == 605 || nType == 607 || nType == 608 || nType == 610 ||
           nType == 611;
}

// Which bar shows an element: the Inputs bar its inputs, keys, analog inputs and contacts, the
// Outputs bar its outputs, analog outputs and coils.
bool ShownInInputsBar(int nType) { return nType == 600 || nType == 608 || nType == 611 || In(nType, 700, 702); }
bool ShownInOutputsBar(int nType) { return nType == 605 || nType == 609 || In(nType, 703, 705); }

// Reference k of a block from a record: the pointer and its flag; the stored number follows.
void TakeReference(CBlockObj& block, int k, const ParamReference& ref)
{
    block.m_bRef[k] = ref.bFlag;
    block.m_pRefBlock[k] = ref.pBlock;
    block.m_nRefNumber[k] = ref.pBlock ? ref.pBlock->m_nNumber : -1;
}

void TakeTime1(CBlockObj& b, const CTimeParamRecord& r)
{
    b.m_nTime1Low = r.nTime1Low, b.m_nTime1High = r.nTime1High, b.m_nTime1Base = r.nTime1Base;
}

void TakeTime2(CBlockObj& b, const CTimeParamRecord& r)
{
    b.m_nTime2Low = r.nTime2Low, b.m_nTime2High = r.nTime2High, b.m_nTime2Base = r.nTime2Base;
}

// Words A to E, in the block's order.
void TakeWords(CBlockObj& b, const CTimeParamRecord& r)
{
    using R = CTimeParamRecord;
    b.m_nMonthly = r.nWord[R::kMonthly], b.m_nPulse = r.nWord[R::kPulse], b.m_nYearly = r.nWord[R::kYearly];
    b.m_nYearEnd = r.nWord[R::kYearEnd], b.m_nYearStart = r.nWord[R::kYearStart];
}

void TakeExtras(CBlockObj& b, const CTimeParamRecord& r)
{
    for (int i = 0; i < 4; ++i)
        b.m_nPreWarn[i] = r.nExtra[i];
}

// A stairway or multiple function switch whose pre-warning words equal the standard values
// counts as using them.
void ApplyStandardPreWarning(CBlockObj& b)
{
    if (b.m_bStdPreWarning || b.m_pRefBlock[2] || b.m_pRefBlock[3])
        return;
    const int* w = b.m_nPreWarn;
    if (b.m_nType == 408) {
        const int unit = b.m_pRefBlock[0] ? b.m_nRefUnit1 : b.m_nTime1Base;
        if ((unit < 2 && w[0] == 15 && w[1] == 0 && w[2] == 1 && w[3] == 0) ||
            (unit == 2 && w[0] == 75 && w[1] == 0 && w[2] == 5 && w[3] == 0))
            b.m_bStdPreWarning = 1;
    } else if (b.m_nType == 409 && w[0] == 0 && w[1] == 0 && w[2] == 0 && w[3] == 0) {
        b.m_bStdPreWarning = 1;
    }
}

// The output of a simulated input follows a change of its behaviour.
void ApplyBehaviour(CBlockObj& b, int nBehaviour)
{
    int& out = b.m_nPinValue[kOutputPin];
    const int before = out;
    if (nBehaviour == 2)
        out = 1;
    else if (nBehaviour == 1 || nBehaviour == 3 || (nBehaviour == 0 && b.m_nSimKind == 2))
        out = 0;
    if (out != before)
        b.m_bPinChanged[kOutputPin] = TRUE;
}

// Both elements exist and their outputs are 1.
bool BothOn(const CTavixDoc& doc, int a, int b)
{
    const CBlockObj* pA = doc.FindBlockByNumber(a);
    const CBlockObj* pB = doc.FindBlockByNumber(b);
    return pA && pB && pA->m_nPinValue[kOutputPin] == 1 && pB->m_nPinValue[kOutputPin] == 1;
}

// The encoder reads its pulses from I2/I3 or I0/I1; a change of source sets the input it now
// counts from by the present state of that pair.
void ApplyEncoderSource(CBlockObj& b, const CTimeParamRecord& r, const CTavixDoc& doc)
{
    if (r.nExtra[1] == b.m_nPreWarn[1])
        return;
    if (r.nExtra[1] != 0)
        b.m_nPinValue[3] = BothOn(doc, 102, 103) ? 1 : 0;
    else
        b.m_nPinValue[2] = BothOn(doc, 100, 101) ? 1 : 0;
}

// A running hours counter restarts its remaining interval from the new interval; a reset
// (input 2) also clears the operating time, an enabled counter (input 0) keeps it.
void ApplyHoursCounter(CBlockHCOUNTER& b, const CTimeParamRecord& r)
{
    const bool bRef = r.ref[0].bFlag && r.ref[0].pBlock;
    auto remaining = [&](int high) { return bRef ? b.m_nMiCached : r.nTime1Low + high * 60; };
    if (b.m_nPinValue[2]) {
        b.m_nTime1High = r.nTime1High;
        b.m_nMn = remaining(r.nTime1High);
        b.m_nTime2High = 0, b.m_nTime2Low = 0;
        b.m_nOt = b.m_nOtBase = 0;
    } else if (b.m_nPinValue[0]) {
        b.m_nTime1High = r.nTime1High;
        b.m_nMn = remaining(r.nTime1High);
        b.m_nOt = b.m_nOtBase = b.m_nTime2Low + b.m_nTime2High * 60;
    } else {
        b.m_nTime1High = r.nTime1High, b.m_nTime2High = r.nTime2High;
        b.m_nMn = remaining(r.nTime1High);
    }
}

void ApplyTime(CBlockObj& b, const CTimeParamRecord& r, const CTavixDoc& doc, bool bSimulating)
{
    const int t = b.m_nType;
    if (t != 911)
        b.m_strName = r.strName;
    if (In(t, 400, 404) && t != 402) {
        b.m_bRetentive = r.bRetentivity, b.m_bProtected = r.bProtection;
        TakeTime1(b, r);
        b.m_nRefUnit1 = r.ref[0].nUnit;
        TakeReference(b, 0, r.ref[0]);
    } else if (t == 402 || In(t, 405, 407)) {
        if (t != 407)
            b.m_bRetentive = r.bRetentivity;
        b.m_bProtected = r.bProtection;
        TakeTime1(b, r), TakeTime2(b, r);
        b.m_nRefUnit1 = r.ref[0].nUnit, b.m_nRefUnit2 = r.ref[1].nUnit;
        TakeReference(b, 0, r.ref[0]), TakeReference(b, 1, r.ref[1]);
        if (t == 405)
            b.m_nCount = r.nPulseCount;
    } else if (t == 408 || t == 409) {
        b.m_bRetentive = r.bRetentivity, b.m_bProtected = r.bProtection;
        if (t == 409) {
            TakeTime1(b, r);
            b.m_nRefUnit1 = r.ref[0].nUnit;
            TakeReference(b, 0, r.ref[0]);
        }
        TakeTime2(b, r);
        b.m_bStdPreWarning = r.nCheck;
        TakeExtras(b, r);
        b.m_nRefUnit2 = r.ref[1].nUnit;
        for (int k = 1; k < 4; ++k)
            TakeReference(b, k, r.ref[k]);
        ApplyStandardPreWarning(b);
    } else if (t == 411) {
        b.m_bProtected = r.bProtection;
        b.m_nTime1Low = r.nTime1Low, b.m_nTime1High = r.nTime1High;
        b.m_nTime2Low = r.nTime2Low, b.m_nTime2High = r.nTime2High;
        b.m_nMonthly = r.nWord[CTimeParamRecord::kMonthly];
        // The older devices have no yearly, pulse or year settings: the page does not show them.
        if (doc.IsNewModel())
            TakeWords(b, r);
    } else if (t == 412) {
        b.m_bProtected = r.bProtection;
        TakeTime1(b, r), TakeTime2(b, r), TakeExtras(b, r);
        b.m_strParam = r.strParam;
    } else if (t == 413 || t == 820 || t == 864 || t == 865 || In(t, 869, 878)) {
        b.m_nTime1Base = r.nTime1Base;
        b.m_bRetentive = r.bRetentivity, b.m_bProtected = r.bProtection;
        b.m_dParam = r.dFactor;
        TakeReference(b, 0, r.ref[0]);
    } else if (t == 879) {
        b.m_nTime1High = r.nTime1High, b.m_nTime1Base = r.nTime1Base, b.m_nTime2High = r.nTime2High;
        b.m_nPreWarn[1] = r.nExtra[1];
        b.m_bRetentive = r.bRetentivity, b.m_bProtected = r.bProtection;
        b.m_dParam = r.dFactor;
    } else if (t == 800 || t == 848) {
        if (t == 848)
            ApplyEncoderSource(b, r, doc);
        b.m_nTime1High = r.nTime1High, b.m_nTime2High = r.nTime2High;
        b.m_nStartValue = r.nStartValue;
        b.m_nPreWarn[1] = r.nExtra[1];
        TakeReference(b, 0, r.ref[0]), TakeReference(b, 1, r.ref[1]);
        b.m_bRetentive = r.bRetentivity, b.m_bProtected = r.bProtection;
    } else if (t == 801 || t == 802) {
        auto* pHours = dynamic_cast<CBlockHCOUNTER*>(&b);
        if (pHours && bSimulating) {
            ApplyHoursCounter(*pHours, r);
        } else {
            b.m_nTime1High = r.nTime1High, b.m_nTime2High = r.nTime2High;
        }
        b.m_nTime1Low = r.nTime1Low, b.m_nTime2Low = r.nTime2Low;
        if (t == 801)
            b.m_bStdPreWarning = r.nCheck;
        TakeReference(b, 0, r.ref[0]);
        b.m_bProtected = r.bProtection;
    } else if (t == 822) {
        TakeTime1(b, r);
        b.m_bRetentive = r.bRetentivity, b.m_bProtected = r.bProtection;
    } else if (In(t, 838, 843)) {
        // The masks: the mask word (or the block it comes from) and Protection.
        b.m_nTime1High = r.nTime1High;
        b.m_bProtected = r.bProtection;
        TakeReference(b, 0, r.ref[0]);
    } else if (t == 821 || In(t, 834, 837) || t == 846 || t == 862 || t == 863 || t == 854) {
        b.m_strParam = r.strParam;
        b.m_nTime1High = r.nTime1High;
        // RAND keeps its reset and retentivity flags: its page shows neither.
        if (t != 846) {
            b.m_bStdPreWarning = r.nCheck;
            b.m_bRetentive = r.bRetentivity;
        }
        b.m_bProtected = r.bProtection;
        TakeReference(b, 0, r.ref[0]);
    } else if (t == 823) {
        b.m_nTime1Low = r.nTime1Low, b.m_nTime1High = r.nTime1High;
        b.m_bStdPreWarning = r.nCheck;
        b.m_bRetentive = r.bRetentivity, b.m_bProtected = r.bProtection;
        TakeReference(b, 0, r.ref[0]);
    } else if (t == 847) {
        b.m_nTime1Low = r.nTime1Low, b.m_nTime1High = r.nTime1High;
        b.m_bRetentive = r.bRetentivity;
        TakeReference(b, 0, r.ref[0]);
    } else if (t == 844 || t == 845 || t == 856 || In(t, 849, 852)) {
        b.m_nTime1Low = r.nTime1Low, b.m_nTime1High = r.nTime1High;
        b.m_nTime2Low = r.nTime2Low, b.m_nTime2High = r.nTime2High;
        b.m_nPreWarn[1] = r.nExtra[1];
        TakeReference(b, 0, r.ref[0]), TakeReference(b, 1, r.ref[1]);
        b.m_bProtected = r.bProtection;
    } else if (t == 855) {
        TakeWords(b, r);
        TakeTime1(b, r), TakeTime2(b, r);
        b.m_bStdPreWarning = r.nCheck;
        TakeExtras(b, r);
        b.m_bProtected = r.bProtection;
    } else if (t == 911) {
        b.m_bProtected = r.bProtection;
        b.m_nTime1High = b.m_nStartValue;
    }
    b.m_strComment = r.strComment;
}

void ApplyAnalog(CBlockAnalog& b, const CAnalogParamRecord& r)
{
    const int t = b.m_nType;
    b.m_strName = r.strName;
    if (t == 815 || t == 816) {
        b.m_nTime1High = r.nAnalog[1], b.m_nTime2High = r.nAnalog[2];
        b.m_nPreWarn[1] = r.nAnalog[3], b.m_nPreWarn[3] = r.nAnalog[4];
        b.m_nDecimals = r.nAnalog[5];
        b.m_bProtected = r.bProtection;
        for (int k = 0; k < 4; ++k)
            TakeReference(b, k, r.ref[k]);
        if (t == 815) {
            b.m_nTime1Low = r.nSensor, b.m_nTime2Low = r.nMin, b.m_nPreWarn[0] = r.nMax;
            b.m_nTime1Base = r.nXYZ[0], b.m_nTime2Base = r.nXYZ[1], b.m_nPreWarn[2] = r.nXYZ[2];
            // The output while En is off lives where the modal sheet, the file and the device
            // image keep it.
            b.m_nExtra3 = r.nAnalog[0];
        }
    } else {
        // The analog set.
        b.m_nSensor = r.nSensor, b.m_nRangeMin = r.nMin, b.m_nRangeMax = r.nMax;
        b.m_dGain = r.dGain;
        b.m_nOffset = r.nAnalog[0], b.m_nThreshold1 = r.nAnalog[1], b.m_nThreshold2 = r.nAnalog[2];
        b.m_nDecimals = r.nAnalog[3], b.m_nTempUnit = r.nAnalog[4], b.m_nResolution = r.nAnalog[5];
        b.m_bProtected = r.bProtection;
        // The running output and the watchdog's captured reference belong to the simulation:
        // the values the sheet held when it opened are old by now.
        TakeReference(b, 0, r.ref[0]);
        if (t != 819)
            TakeReference(b, 1, r.ref[1]);
        if (In(t, 803, 807) || t == 818)
            b.m_bRetentive = r.bRetentivity;
        if (t == 817) {
            b.m_nTime1High = r.nXYZ[0], b.m_nTime2High = r.nXYZ[1], b.m_nPreWarn[1] = r.nXYZ[2];
        } else if (t == 818) {
            b.m_nParamSet = r.nPI1;
            b.m_dKC = double(r.nPI[0]) / 100.0;
            b.m_bUseTI = r.nPI[1], b.m_nTIMinutes = r.nPI[2], b.m_nTISeconds = r.nPI[3];
            b.m_nOption = r.nPI[4];
        } else if (t == 819) {
            b.m_nTime1Low = r.nPWM[0], b.m_nTime1High = r.nPWM[1], b.m_nTime1Base = r.nPWM[2];
            b.m_nRefUnit1 = r.nPWM[3];
            b.m_nOption = r.nPI[4];  // the high-speed output shares the PI's direction word
        }
    }
    b.m_strComment = r.strComment;
}

void ApplyMisc(CBlockObj& b, const CMiscParamRecord& r)
{
    b.m_strName = r.strName;
    if (b.m_nType == 830) {
        b.m_nExtra2 = r.nMisc3;
        b.m_bProtected = r.bProtection;
    } else if (auto* pWifi = dynamic_cast<CBlockWIFI*>(&b)) {
        pWifi->m_nWifiSource = r.nMisc2;
        pWifi->m_nWifiId = r.nWifi[0], pWifi->m_nWifiBlockType = r.nWifi[1], pWifi->m_nWifiBlockNumber = r.nWifi[2];
    } else {
        // The R/S priority of the pulse relay and the shift register's output bit and index;
        // the other types keep their extra words.
        if (b.m_nType == 809)
            b.m_nExtra3 = r.nMisc3;
        if (b.m_nType == 812) {
            b.m_nExtra1 = r.nMisc1;
            if (r.nMisc2 >= 0 && r.nMisc2 < 4)
                b.m_nExtra2 = r.nMisc2;
        }
        b.m_bRetentive = r.bRetentivity;
    }
    b.m_strComment = r.strComment;
}

void ApplyWeekly(CBlockObj& b, const CWeeklyParamRecord& r)
{
    b.m_strName = r.strName;
    b.m_bProtected = r.bProtection;
    b.m_nPulse = r.bPulseOutput;
    if (auto* pTime = dynamic_cast<CBlockTime*>(&b))
        for (int c = 0; c < 3; ++c) {
            for (int d = 0; d < 7; ++d)
                pTime->m_bCamDays[c][d] = r.bDays[c][d];
            pTime->m_nCamOn[c][0] = r.nOn[c][0], pTime->m_nCamOn[c][1] = r.nOn[c][1];
            pTime->m_bCamOnOff[c] = r.bOnOff[c];
            pTime->m_nCamOff[c][0] = r.nOff[c][0], pTime->m_nCamOff[c][1] = r.nOff[c][1];
            pTime->m_bCamOffOff[c] = r.bOffOff[c];
        }
    b.m_strComment = r.strComment;
}

void ApplyModbus(CBlockMR& b, const CModbusParamRecord& r)
{
    b.m_strName = r.strName;
    b.m_nTime1Base = r.nCycle;
    b.m_bySlave = r.byModbus[0], b.m_byCommand = r.byModbus[1], b.m_byFunction = r.byModbus[2];
    b.m_byWriteMode = r.byModbus4[0];
    b.m_wRegister = r.wModbus[0], b.m_wCount = r.wModbus[1], b.m_wData1 = r.wModbus[2];
    b.m_wData2 = r.wModbus4, b.m_wDataAddress = r.wModbus5;
    b.m_nPort = r.nModbus1, b.m_nDataArea = r.nModbus2;
    b.m_strData1 = r.strModbus1, b.m_strData2 = r.strModbus2;
    b.m_strComment = r.strComment;
}

// A ladder element: the comment and the simulation settings belong to its operand in the
// document, so every contact and coil of one operand shares them.
void ApplyLadder(CBlockObj& b, const CIOParamRecord& r, CTavixDoc& doc)
{
    int commentOperand = b.m_nOperand;
    if (commentOperand >= 21000)
        if (const CBlockObj* pCoil = doc.FindBlockByNumber(commentOperand))
            commentOperand = pCoil->m_nOperand;
    if (r.strComment.IsEmpty())
        doc.m_operandComments.RemoveKey(commentOperand);
    else
        doc.m_operandComments.SetAt(commentOperand, r.strComment);
    if (IsSimulatedOperand(b.m_nOperand)) {
        const SimSettingRecord sim{r.bAutoRange, r.nValue, r.nMin, r.nMax, r.nBehaviour};
        doc.m_simSettings.SetAt(b.m_nOperand, sim);
        if (b.m_nOperand < 4000 || b.m_nOperand > 4127)
            ApplyBehaviour(b, r.nBehaviour);
    }
    b.m_nOperand = r.nOperand;
}

void ApplyIO(CBlockObj& b, const CIOParamRecord& r)
{
    CObject* o = &b;
    b.m_strComment = r.strComment;
    if (dynamic_cast<CBlockLogic*>(o)) {
        b.m_strName = r.strName;
        return;
    }
    const bool bIn = dynamic_cast<CBlockIn*>(o) || dynamic_cast<CBlockFKey*>(o);
    if (bIn || dynamic_cast<CBlockAnalogIn*>(o)) {
        b.m_bAutoRange = r.bAutoRange;
        b.m_nSimValue = r.nValue, b.m_nSimMin = r.nMin, b.m_nSimMax = r.nMax;
    }
    if (bIn) {
        ApplyBehaviour(b, r.nBehaviour);
        b.m_nSimKind = r.nBehaviour;
    }
}

}  // namespace

LRESULT CTavixView::ApplySheetParams(WPARAM wParam, LPARAM lParam)
{
    CTavixDoc* pDoc = GetDocument();
    if (pDoc == nullptr || lParam == 0)
        return 0;
    const ParamRecordKind kind = ParamRecordKindOf(int(wParam));
    // Each record starts with the block number except the time record, which holds it later.
    int nNumber = -1;
    switch (kind) {
    case ParamRecordKind::IO: nNumber = reinterpret_cast<const CIOParamRecord*>(lParam)->nBlockNumber; break;
    case ParamRecordKind::Time: nNumber = reinterpret_cast<const CTimeParamRecord*>(lParam)->nBlockNumber; break;
    case ParamRecordKind::Weekly: nNumber = reinterpret_cast<const CWeeklyParamRecord*>(lParam)->nBlockNumber; break;
    case ParamRecordKind::Analog: nNumber = reinterpret_cast<const CAnalogParamRecord*>(lParam)->nBlockNumber; break;
    case ParamRecordKind::Misc: nNumber = reinterpret_cast<const CMiscParamRecord*>(lParam)->nBlockNumber; break;
    case ParamRecordKind::Modbus: nNumber = reinterpret_cast<const CModbusParamRecord*>(lParam)->nBlockNumber; break;
    case ParamRecordKind::MsgText: nNumber = reinterpret_cast<const CMsgTextParamRecord*>(lParam)->nBlockNumber; break;
    }
    // While simulating the record names its block: several sheets may be open, block and ladder
    // sheets alike, and the current block may be another one.
    CBlockObj* const pSaved = m_pCurBlock;
    CBlockObj* pTarget = m_pCurBlock;
    if (IsSimulating())
        pTarget = pDoc->FindBlockByNumber(nNumber);
    // A record whose type is not the target's belongs to another block: nothing is taken.
    if (pTarget == nullptr || pTarget->m_nType != int(wParam))
        return 0;
    m_pCurBlock = pTarget;
    TakeSheetRecord(*pTarget, int(wParam), lParam);
    if (IsSimulating())
        m_pCurBlock = pSaved;
    InvalidateAll();
    return 0;
}

void CTavixView::TakeSheetRecord(CBlockObj& target, int nType, LPARAM lParam)
{
    CTavixDoc* pDoc = GetDocument();
    if (pDoc == nullptr || lParam == 0)
        return;
    CBlockObj* pTarget = &target;
    switch (ParamRecordKindOf(nType)) {
    case ParamRecordKind::IO: {
        const auto& r = *reinterpret_cast<const CIOParamRecord*>(lParam);
        const int oldNumber = pTarget->m_nNumber, oldKind = pTarget->m_nSimKind;
        if (pTarget->m_nNumber >= 12000 && pTarget->m_nNumber <= 22543) {
            const int oldOperand = pTarget->m_nOperand;
            SimSettingRecord before;
            const BOOL hadSim = pDoc->m_simSettings.Lookup(oldOperand, before);
            ApplyLadder(*pTarget, r, *pDoc);
            SimSettingRecord after;
            const BOOL hasSim = pDoc->m_simSettings.Lookup(oldOperand, after);
            if (pTarget->m_nOperand != oldOperand || hadSim != hasSim || before.m_nKind != after.m_nKind)
                RefreshSimulationBars(*pTarget);
            break;
        }
        ApplyIO(*pTarget, r);
        ApplyIONumber(*pTarget, r);
        // Only I0..I3 of the main module count fast pulses, wherever the element ended up.
        if (auto* pIn = dynamic_cast<CBlockIn*>(pTarget))
            pIn->m_bHighSpeed = r.bHighSpeed && pTarget->m_nOperand <= 3 ? 1 : 0;
        // An analog input's simulated range follows its sensor settings.
        if (nType == 608)
            ComputeAnalogRange(pTarget);
        AfterIoElementChanged(*pTarget, oldNumber, oldKind);
        break;
    }
    case ParamRecordKind::Time:
        ApplyTime(*pTarget, *reinterpret_cast<const CTimeParamRecord*>(lParam), *pDoc, IsSimulating() != FALSE);
        break;
    case ParamRecordKind::Weekly:
        ApplyWeekly(*pTarget, *reinterpret_cast<const CWeeklyParamRecord*>(lParam));
        break;
    case ParamRecordKind::Analog:
        if (auto* pAnalog = dynamic_cast<CBlockAnalog*>(pTarget)) {
            ApplyAnalog(*pAnalog, *reinterpret_cast<const CAnalogParamRecord*>(lParam));
            if (IsSimulating() && (In(nType, 803, 807) || In(nType, 818, 819)))
                UpdateAnalogSources(pTarget);
        }
        break;
    case ParamRecordKind::Misc:
        ApplyMisc(*pTarget, *reinterpret_cast<const CMiscParamRecord*>(lParam));
        break;
    case ParamRecordKind::Modbus:
        if (auto* pModbus = dynamic_cast<CBlockMR*>(pTarget))
            ApplyModbus(*pModbus, *reinterpret_cast<const CModbusParamRecord*>(lParam));
        break;
    case ParamRecordKind::MsgText:
        ApplyMsgText(*pTarget, *reinterpret_cast<const CMsgTextParamRecord*>(lParam));
        break;
    }
}

void CTavixView::ApplyMsgText(CBlockObj& block, const CMsgTextParamRecord& r)
{
    block.m_strName = r.strName;
    if (auto* pText = dynamic_cast<CBlockMSGTEXT*>(&block)) {
        // A new priority frees the old slot and takes the new one.
        const int old = pText->Priority();
        if (r.nPriority != old && r.nPriority >= 0 && r.nPriority < kMessageTextSlots) {
            if (old >= 0 && old < kMessageTextSlots)
                m_bMsgTextSlotUsed[old] = FALSE;
            m_bMsgTextSlotUsed[r.nPriority] = TRUE;
        }
        if (r.bAcknowledge != pText->AcknowledgeRequired()) {
            pText->AcknowledgePending() = r.bAcknowledge && pText->m_nPinValue[10] == 1;  // output Q active
            pText->m_bAckLatch = r.bAcknowledge;
        }
        // The texts, settings, priority and acknowledge option as the grid page holds them.
        CPropertyPage* pPage = r.pNewPage ? r.pNewPage : r.pOldPage;
        if (auto* pGridPage = dynamic_cast<CBlockPage*>(pPage))
            pGridPage->ReadIntoBlock(*pText);
        pText->Priority() = r.nPriority;
        pText->AcknowledgeRequired() = r.bAcknowledge;
        // An open live display orders and fronts its pages by priority: it is built anew.
        if (r.nPriority != old && IsSimulating())
            RebuildMessageTextDisplay(this);
    }
    block.m_bProtected = r.bProtection;
    block.m_strComment = r.strComment;
}

void CTavixView::ApplyIONumber(CBlockObj& block, const CIOParamRecord& record)
{
    const IoRange* pRange = FindIoRange(block.m_nType);
    CTavixDoc* pDoc = GetDocument();
    if (pRange == nullptr || pDoc == nullptr)
        return;
    // An index outside the range or one that another element of the type holds is refused:
    // the element keeps its number, and no two elements ever share one.
    if (!MoveIoBlock(block, *pDoc, *pRange, record.nOperand))
        ::MessageBeep(MB_ICONEXCLAMATION);
}

void CTavixView::AfterIoElementChanged(CBlockObj& block, int nOldNumber, int nOldKind)
{
    CTavixDoc* pDoc = GetDocument();
    const bool renumbered = block.m_nNumber != nOldNumber;
    if (renumbered && pDoc) {
        if (CAllPropertySheet* pSheet = FindOpenSheet(nOldNumber))
            pSheet->m_nBlockNumber = block.m_nNumber;
        // Message-text fields bound to a moved terminal would name another one now; the fields
        // that stay on the element keep its number for the file.
        if (pDoc->GetMachineType() > 0x50 && FieldsGoWithOldNumber(block.m_nType))
            RemoveBlockFields(&block);
        else
            RefreshFieldNumbers();
    }
    if (renumbered || block.m_nSimKind != nOldKind)
        RefreshSimulationBars(block);
}

void CTavixView::RefreshSimulationBars(CBlockObj& block)
{
    CChildFrame* pFrame = IsSimulating() ? GetParentFrame() : nullptr;
    if (pFrame == nullptr || !pFrame->HasSimulationBars())
        return;
    // The number or the kind of control may have changed: the bar is built anew.
    if (ShownInInputsBar(block.m_nType))
        pFrame->m_wndInputsBar.Refresh(&block);
    if (ShownInOutputsBar(block.m_nType))
        pFrame->m_wndOutputsBar.Refresh(&block);
}

void CTavixView::UpdateMonitorSheets(CBlockObj* pBlock)
{
    if (pBlock == nullptr || m_sheets.empty())
        return;
    CAllPropertySheet* pSheet = FindOpenSheet(pBlock->m_nNumber);
    if (pSheet == nullptr || pSheet->m_pPage == nullptr || pSheet->GetSafeHwnd() == nullptr)
        return;
    const int t = pBlock->m_nType;
    // The weekly timer's time goes to the cam page on show; its general page has no place for it.
    if (t == 410) {
        if (auto* pCam = dynamic_cast<CWeeklyCams1*>(pSheet->GetActivePage())) {
            CString time;
            pBlock->GetTimeText(this, &time);
            if (!time.IsEmpty())
                pCam->ShowCurrentValue(time);
        }
        return;
    }
    // A sheet that shows its comment page is left as it is.
    if (pSheet->GetActivePage() != pSheet->m_pPage)
        return;
    const int value = int(pBlock->m_dElapsed);
    const auto* pAnalog = dynamic_cast<const CBlockAnalog*>(pBlock);
    const int output = pBlock->GetAnalogOutputWord();
    CString text;
    if (In(t, 864, 865) || In(t, 869, 878)) {
        // The math functions show their result as a plain number.
        text.Format(L"%d", value);
    } else if (In(t, 400, 413) || t == 823) {
        pBlock->GetTimeText(this, &text);
    } else if (t == 800 || t == 848) {
        text.Format(L"%6ld", long(value));
    } else if (In(t, 803, 805) || In(t, 815, 822)) {
        text.Format(L"%6ld", long(output));
    } else if (t == 806 && pAnalog) {
        text.Format(L"%6ld/%6ld", long(pAnalog->m_nActualValue), long(pAnalog->m_nCapturedValue));
    } else if (t == 807 && pAnalog) {
        // The two levels the page shows beside the output.
        text.Format(L"%6ld/%d", long(pAnalog->m_nActualValue), pAnalog->m_nThreshold1 + pAnalog->m_nThreshold2);
    } else if (In(t, 834, 843) || t == 846 || t == 862 || t == 863) {
        text.Format(L"%-6d", value);
    } else if (t == 844 || t == 845 || t == 879) {
        text.Format(L"%d", value);
    } else if (t == 856 || t == 832) {
        text.Format(L"0x%04X", unsigned(value) & 0xFFFFu);
    } else if (t == 831) {
        text = pBlock->m_strValueText;  // the captured date and time, empty until captured
    } else if (t == 833) {
        text.Format(L"%4d", value);
    } else if (t == 853) {
        text.Format(L"0x%02X", unsigned(value) & 0xFFu);
    } else if (In(t, 866, 868)) {
        text.Format(L"%6d", value);
    } else if (auto* hc = dynamic_cast<CBlockHCOUNTER*>(pBlock)) {
        // Interval preset, time left to maintenance and operating time, all in minutes.
        const int mi = hc->ComputeInterval();
        text.Format(L"MI=%4ldh%2ldm/MN=%5ldh%2ldm/OT=%5ldh%2ldm", long(mi / 60), long(mi % 60),
                    long(hc->m_nMn / 60), long(hc->m_nMn % 60), long(hc->m_nOt / 60), long(hc->m_nOt % 60));
    } else if (auto* th = dynamic_cast<CBlockTHTRG*>(pBlock)) {
        // The last measured count and the running gate time in seconds and hundredths.
        const int c = int(pBlock->m_dElapsed * 0.1);
        text.Format(L"%6ld/%02d:%02ds", long(th->m_nFa), c / 100, c % 100);
    }
    if (!text.IsEmpty())
        pSheet->m_pPage->ShowCurrentValue(text);
}
