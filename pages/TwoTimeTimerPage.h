// CTwoTimeTimerPage: the page of the timers with two times TH and TL: on-/off-delay 402, edge
// triggered wiping relay 405 (with its pulse cycles), asynchronous pulse generator 406 and
// random generator 407. Labels and layout follow the type.
#pragma once

#include "pages/BlockPage.h"
#include "pages/TimeReference.h"

class CTwoTimeTimerPage : public CBlockPage {
public:
    CTwoTimeTimerPage();

    TimeParam m_th;
    TimeParam m_tl;
    int m_nPulseCycles = 0;   // list position 0..8 of "1".."9"

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    void ApplyTypeLayout();
    void SetTabOrder();
    void OnReference(CTimeReference& ref, int k);
    void OnReferenceTH() { OnReference(m_refTH, 0); }
    void OnReferenceTL() { OnReference(m_refTL, 1); }
    void OnBlockTH();
    void OnBlockTL();
    void OnBase(CTimeReference& ref);
    void OnBaseTH() { OnBase(m_refTH); }
    void OnBaseTL() { OnBase(m_refTL); }
    void OnLowTH() { m_refTH.ClampLow(m_refTH.BasePosition()); }
    void OnLowTL() { m_refTL.ClampLow(m_refTL.BasePosition()); }
    void OnUnitChanged() { SetModified(TRUE); }
    DECLARE_MESSAGE_MAP()

    CTimeReference m_refTH;
    CTimeReference m_refTL;
};
