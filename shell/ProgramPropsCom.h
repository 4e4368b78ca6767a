// CComSetting: one communication port page of the program properties ("COM0" .. "COM2"): the
// port's Modbus role, protocol, address, line settings and timing, which the program carries
// to the device. The members mirror one port record of the program (see FromRecord/ToRecord).
#pragma once

#include "platform/ui/dialogs/PropSheet.h"

struct PortSettings;

class CComSetting : public CPropertyPage
{
public:
    enum { modeSlave = 0, modeMaster = 1, modeAtp = 2 };
    enum { protoRtu = 0, protoAsc = 1, protoUdc = 2 };
    // Baud indexes from this one exist only on the newer families.
    enum { firstNewBaud = 10, baud9600 = 3, baud115200 = 9 };

    CComSetting();

    // nMachineType: high byte of the program's hardware code (decides the baud list and UDC).
    void SetMachineType(int nMachineType) { m_nMachineType = nMachineType; }
    // Fields 0-10 of a port record; field 11 is not on the page.
    void FromRecord(const PortSettings& rec);
    void ToRecord(PortSettings& rec) const;

    int m_nMode = modeSlave;
    int m_nProtocol = protoRtu;
    int m_nAddress = 1;
    int m_nBaud = baud9600;
    int m_nParityEntry = 0;
    int m_nTimeout = 200;
    int m_nPollDelay = 0;
    int m_nRegisterIndex = 0;   // 0 "High Low", 1 "Low High"
    int m_nParity = 0;          // 0 none, 1 odd, 2 even
    int m_nDataBits = 1;        // 0 seven bits, 1 eight bits
    int m_nStopBits = 0;        // 0 one bit, 1 two bits
    CString m_strParity = L"None,8,1";

    // Parity, data bits and stop bits of a parity list text such as "Odd,7,2".
    static void ParseParity(const CString& text, int* pParity, int* pDataBits, int* pStopBits);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSelChangeMode();
    void OnSelChangeProtocol();
    void OnSelEndOkParity();
    void OnUpdateAddress();
    void OnUpdatePollDelay();

    bool IsNewFamily() const { return m_nMachineType >= 0x51; }
    void FillProtocols(bool bWithUdc);
    void ClampEdit(int nID, int nMin, int nMax);
    void TakeParitySelection();

    int m_nMachineType = 0x51;

    DECLARE_MESSAGE_MAP()
};
