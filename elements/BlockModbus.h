// Modbus Read (813) and Modbus Write (814): the device acts as Modbus master on one of its serial
// ports. The editor carries the request's parameters into the program file and the device
// program; the simulation only shows the output following En.
#pragma once

#include "elements/BlockObj.h"

class CBlockMR : public CBlockObj
{
    DECLARE_SERIAL(CBlockMR)
public:
    CBlockMR();
    explicit CBlockMR(int nType);

    void Serialize(CArchive& ar) override;
    void CopyTo(CBlockObj* pDst, BOOL bGeometry, int nMachineType) override;
    // Q := En, or 0 while R is 1; no request is simulated.
    BOOL Simulate(CTavixView* pView) override;

public:
    BYTE m_bySlave;        // "Slave Address" 0..255
    BYTE m_byCommand;      // index of the command in the page's list, 0..3
    BYTE m_byFunction;     // Modbus function code: 1-4 (813), 5, 6, 15, 16 (814)
    BYTE m_byWriteMode;    // 0 "Auto", 1 "Manual"
    int m_nPort;           // 0 "COM0(RS232)", 1 "COM1(RS485)", 2 "COM2(RS485)"
    WORD m_wRegister;      // "Register Address" in the slave
    WORD m_wCount;         // number of coils, inputs or registers
    WORD m_wData1;         // auto: device address of the local operand; manual: first data word
    WORD m_wData2;         // manual: second data word
    WORD m_wDataAddress;   // "Data Address" of the local operand within its area
    int m_nDataArea;       // coils/inputs 0 "M", 1 "Q", 2 "I"; registers 0 "AM", 1 "AQ", 2 "AI"
    CString m_strData1;    // manual: first data word as typed (up to 4 hex digits)
    CString m_strData2;    // manual: second data word as typed
};

class CBlockMW : public CBlockMR
{
    DECLARE_SERIAL(CBlockMW)
public:
    CBlockMW();
    explicit CBlockMW(int nType);
};
