// CWIFI: the page of the WiFi blocks 824-827: where the value comes from or goes to: a terminal
// of another station, a virtual memory cell or (digital read only) a station's communication
// status. The choice is kept as a mode and three list positions.
#pragma once

#include "pages/BlockPage.h"

class CWIFI : public CBlockPage {
public:
    CWIFI();

    int m_nWifiId = 0;
    int m_nTypeIndex = 0;
    int m_nNumberIndex = 0;
    int m_nMode = 0;          // 0 Station, 1 VM/VAM, 2 Diagnostic

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillMiscRecord(CMiscParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    BOOL HasValueBox() const override { return FALSE; }

    void OnMode(UINT nID);
    void OnTypeChanged();
    void OnListChanged() { SetModified(TRUE); }
    void Show(UINT nID, BOOL bShow);
    void Fill(UINT nID, const wchar_t* prefix, int nFirst, int nCount, int nSelect);
    void FillNumbers(int nTypeIndex, int nSelect);
    DECLARE_MESSAGE_MAP()
};
