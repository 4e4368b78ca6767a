// CModbusPropPage: the page of the Modbus read 813 and write 814 blocks: slave, port, command,
// register and count, and for the write block either a device memory address (automatic) or
// the data words themselves (manual, set bit by bit for coils).
#pragma once

#include "pages/BlockPage.h"

class CModbusPropPage : public CBlockPage {
public:
    CModbusPropPage();

    int m_nCycle = 0;
    int m_nSlaveAddress = 1;
    int m_nPort = 0;
    int m_nCommand = 0;
    int m_nFunctionCode = 0;
    int m_nRegister = 0;
    int m_nCount = 1;
    int m_nWriteMode = 0;       // 0 automatic, 1 manual
    int m_nDataType = 0;
    int m_nDataAddress = 0;
    CString m_strDataLow = L"0";
    CString m_strDataHigh = L"0";
    WORD m_wWord1 = 0;
    WORD m_wWord2 = 0;

    // The function code of the chosen command, and the words OK stores.
    void ComputeFunctionCode();
    void ComputeDataAddress();
    // Highest count and data address the chosen command and data type allow.
    int CountMaximum() const;
    int DataAddressMaximum() const;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillModbusRecord(CModbusParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;
    BOOL HasValueBox() const override { return FALSE; }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int Selection(UINT nID) const;
    void OnCommandChange();
    void ClampCount();
    void ClampDataAddress();
    void OnDataTypeChanged();
    void ApplyWriteMode();
    void OnAuto();
    void OnManual();
    void OnHexChanged(UINT nID);
    void OnConfig();
    DECLARE_MESSAGE_MAP()
};

// The value of up to four hexadecimal digits, -1 for any other text (empty text is 0).
int ParseHexWord(const CString& text);
