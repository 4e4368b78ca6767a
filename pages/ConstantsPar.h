// CConstantsPar: the page of the terminals numbered straight through: shift register bit 602,
// open connector 606, flag 607, analog flag 610, function key 611 (and the cursor key 601, which
// it shows nothing for). Only numbers no other block of the type holds are offered.
#pragma once

#include "pages/SheetCompanions.h"
#include "pages/BlockPage.h"
#include "pages/Simulation.h"

class CConstantsPar : public CBlockPage, public ISheetCompanions {
public:
    CConstantsPar();
    ~CConstantsPar() override;

    CString m_strIONumber;
    int m_nIOIndex = 0;
    CSimulation m_pagSimulation;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void AddPagesAfterComment(CPropertySheet& sheet) override;
    void SettleBeforeRecord() override;
    void FillIORecord(CIOParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    BOOL HasValueBox() const override { return FALSE; }

    void ShowFlagNote();
    void OnNumberChanged();
    DECLARE_MESSAGE_MAP()

    CStatic* m_pNoteStatic = nullptr;
};
