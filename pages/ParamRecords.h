// The parameter records that an open block sheet sends to its view while the view simulates:
// WM_APPLY_BLOCK_PARAMS with wParam the block type code and lParam the address of the record of
// the type's family, filled on the sheet's stack for the one synchronous send. The sheet fills
// them, the view copies them into the block; both sides use these layouts. The modal sheet's OK
// goes the same way (filled by the pages, taken by the view), so a field has one meaning only.
#pragma once

#include "platform/base/Afx.h"

class CBlockObj;

// Applied block parameters: wParam the type code, lParam a record below.
constexpr UINT WM_APPLY_BLOCK_PARAMS = 0x0500;  // WM_USER + 0x100

// A parameter that may take its value from another block.
struct ParamReference {
    int nUnit = 0;                  // 0 minutes, 1 seconds, 2 milliseconds (time references only)
    int bFlag = 0;                  // the parameter comes from the block below
    int nNumber = -1;               // not read by the view
    CBlockObj* pBlock = nullptr;
};

// Inputs, outputs, flags, logic gates, ladder elements and every type not named below.
struct CIOParamRecord {
    int nBlockNumber = -1;
    CString strComment;
    CString strLabel;               // operand letters and the number within the module
    CString strName;
    int bAutoRange = 0;
    int nValue = 0;
    int nMin = 0;
    int nMax = 0;
    int nBehaviour = 0;             // 0 switch, 1 momentary make, 2 momentary break, 3 frequency
    int bHighSpeed = 0;
    CString strModule;              // "Main", "Ext.1" .. "Ext.7"
    int nOperand = 0;               // operand of a ladder element
};

// Timers, clocks, counters and the word and math blocks.
struct CTimeParamRecord {
    CString strComment;
    CString strUnused;
    CString strName;
    // Words A to E: the five words before the start value, in the block's order.
    enum Word { kMonthly, kPulse, kYearly, kYearEnd, kYearStart };
    int nWord[5] = {};
    int nStartValue = 0;
    int bProtection = 0;
    int bRetentivity = 0;
    int nTime1Low = 0, nTime1High = 0, nTime1Base = 0;
    int nTime2Low = 0, nTime2High = 0, nTime2Base = 0;
    int nPulseCount = 0;
    int nBlockNumber = -1;
    int nCheck = 0;                 // the block's word after the pulse count (m_bStdPreWarning)
    int nExtra[4] = {};             // the four words after it (m_nPreWarn)
    ParamReference ref[4];          // units only for references 1 and 2
    CString strParam;               // the block's text parameter
    double dFactor = 0.0;           // the block's real parameter
};

// The weekly timer; weekdays in the block's order, Sunday first.
struct CWeeklyParamRecord {
    int nBlockNumber = -1;
    CString strComment;
    CString strUnused;
    CString strName;
    int bPulseOutput = 0;           // the general page's "Pulse Output"
    int bProtection = 0;
    int nUnused2 = 0;
    int bDays[3][7] = {};
    int nOn[3][2] = {};
    int bOnOff[3] = {};
    int nOff[3][2] = {};
    int bOffOff[3] = {};
};

// The analog blocks, the analog math and the multiplexer.
struct CAnalogParamRecord {
    int nBlockNumber = -1;
    CString strName;
    int nSensor = 0;
    int nMin = 0;
    int nMax = 0;
    int nUnused1 = 0;
    double dGain = 0.0;
    int nAnalog[6] = {};            // words a to f: offset, threshold 1, threshold 2, decimals, unit, resolution
    int bProtection = 0;
    int nOutput = 0;                // the running output values as the sheet holds them
    int nOutput2 = 0;
    CString strComment;
    ParamReference ref[4];          // flag, number (not read), block
    int nXYZ[3] = {};
    int bRetentivity = 0;
    int nPI1 = 0;
    int nUnused2 = 0;
    int nPI[6] = {};                // PI words 2 to 7
    int nPWM[4] = {};
};

// Relays, shift register, word conversions, the Boolean function and the WiFi blocks.
struct CMiscParamRecord {
    int nBlockNumber = -1;
    CString strName;
    int nMisc1 = 0;                 // misc words 1 to 3: the block's extra words 1 to 3
    int nMisc2 = 0;                 // WiFi word 1 for the WiFi blocks
    int nWifi[3] = {};              // WiFi words 2 to 4
    int bRetentivity = 0;
    int bProtection = 0;
    CString strComment;
    int nMisc3 = 0;
};

struct CModbusParamRecord {
    int nBlockNumber = -1;
    CString strName;
    int nCycle = 0;                 // the polling cycle
    BYTE byModbus[4] = {};          // bytes 1 to 3, the fourth not read
    WORD wModbus[4] = {};           // words 1 to 3, the fourth not read
    int nModbus1 = 0;
    WORD wModbus5 = 0, wModbus4 = 0;
    CString strModbus1, strModbus2;
    int nModbus2 = 0;
    BYTE byModbus4[4] = {};         // byte 4, three not read
    CString strComment;
};

class CPropertyPage;

struct CMsgTextParamRecord {
    int nBlockNumber = -1;
    CString strName;
    int nPriority = 0;
    int bAcknowledge = 0;
    int bProtection = 0;
    CString strComment;
    CPropertyPage* pOldPage = nullptr;   // the grid page of devices below machine type 0x51
    CPropertyPage* pNewPage = nullptr;   // the grid page of the newer devices
    int nSettings[14] = {};
};

// The record family of a type code.
enum class ParamRecordKind { IO, Time, Weekly, Analog, Misc, Modbus, MsgText };
ParamRecordKind ParamRecordKindOf(int nType);
