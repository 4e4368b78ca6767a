// CARRMXIV: the page of the data array (844), data Max/Min/Avg (845), stepping motor (849, 850),
// pulse train (851, 852) and CRC16 (856) blocks: one layout of a mode, an address, a count and
// a number of steps that each type shows, names and bounds in its own way. Two values may come
// from other blocks: slot 1 (the mode, or the steps of 850 and 852) and slot 2 (the count).
#pragma once

#include "pages/BlockPage.h"

class CARRMXIV : public CBlockPage {
public:
    CARRMXIV();

    int m_nMode = 0;        // list position of 1317
    int m_nArea = 0;        // list position of 1319: data area or output group
    int m_nAddress = 0;     // 0..511 (by area: AM 511, AQ 31, AI 63)
    int m_nCount = 1;       // count, speed or pulse width
    int m_nSteps = 0;       // 0..99999999: steps or pulses
    int m_bRef[2] = {};     // slot 1, slot 2
    CBlockObj* m_pRefBlock[2] = {};

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

    // Bounds of the count by type; FALSE for the type without a count (845).
    static BOOL CountBounds(int nType, int* pLo, int* pHi);
    // Highest address of a data area (list position of 1319).
    static int AddressLimit(int nArea);
    // The count written in place of a referenced one.
    static int CountPlaceholder(int nType);
    // The speed (849, 850) or frequency (851, 852) text of a count.
    static CString RateText(int nType, int nCount);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL HasValueBox() const override { return !IsMotorOrPulse(); }

    BOOL IsMotor() const { return m_nBlockType == 849 || m_nBlockType == 850; }
    BOOL IsMotorOrPulse() const { return m_nBlockType >= 849 && m_nBlockType <= 852; }
    // Slot 1 stands for the steps edit on 850 and 852, for the mode list otherwise.
    BOOL SlotOneIsSteps() const { return m_nBlockType == 850 || m_nBlockType == 852; }
    UINT SlotLiteral(int k) const;
    void FillLists();
    void ArrangeForType();
    void CreateReferenceLists();
    void ShowSlots();
    void UpdateRateText();
    void UpdateStepTimeText();
    void SetTabOrder();
    BOOL ClampEdit(UINT nID, int nMin, int nMax);

    void OnUpdateAddress();
    void OnUpdateCount();
    void OnUpdateSteps();
    void OnChangeCount();
    void OnSelchangeMode();
    void OnReference(int k);
    void OnReference1() { OnReference(0); }
    void OnReference2() { OnReference(1); }
    void OnSelchangeRefBlock(UINT nID);
    DECLARE_MESSAGE_MAP()

    CComboBox m_cbMode, m_cbArea;
    CComboBox m_cbRefBlock[2];
};
