// CUDC: the page of the UDC block 855: the port, the cycle, and the transmit and receive frames
// (optional start and end characters in hexadecimal, the memory area, data address and count).
#pragma once

#include "pages/BlockPage.h"

class CUDC : public CBlockPage {
public:
    CUDC();

    int m_nPort = 0;
    int m_nCycle = 0;
    int m_bTxStartChar = 0, m_bTxEndChar = 0, m_bRxStartChar = 0, m_bRxEndChar = 0;
    int m_nRxArea = 0;
    int m_nTxArea = 0;          // 0 AM, 1 AQ, 2 AI
    int m_nTxCount = 1, m_nRxCount = 1;
    CString m_strTxStartChar, m_strTxEndChar, m_strRxStartChar, m_strRxEndChar;
    int m_nTxAddress = 0, m_nRxAddress = 0;
    BYTE m_abyChars[4] = {};    // transmit start, transmit end, receive start, receive end

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    BOOL HasValueBox() const override { return FALSE; }

    void OnCheckClicked(UINT nID);
    void OnCharChanged(UINT nID);
    void OnTxAddressUpdate();
    void OnRxAddressUpdate();
    void ClampAddress(UINT nID, int nMax);
    DECLARE_MESSAGE_MAP()
};

// The value of up to two hexadecimal digits, -1 for any other text (empty text is 0).
int ParseHexByte(const CString& text);
