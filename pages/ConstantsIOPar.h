// CConstantsIOPar: the page of the terminals grouped by module: input 600, output 605, analog
// input 608, analog output 609. The user picks a module and a free number within it; inputs
// I0..I3 of the main module may be high-speed inputs.
#pragma once

#include "pages/SheetCompanions.h"
#include "pages/BlockPage.h"
#include "pages/Simulation.h"

class CConstantsIOPar : public CBlockPage, public ISheetCompanions {
public:
    CConstantsIOPar();

    CString m_strModule = L"Main";
    CString m_strIONumber;
    int m_bHighSpeed = 0;
    int m_nIOIndex = 0;
    CSimulation m_pagSimulation;

    // The index that the selected module and number give.
    void ComputeIONumber();

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void AddPagesAfterComment(CPropertySheet& sheet) override;
    void SettleBeforeRecord() override;
    void FillIORecord(CIOParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    BOOL HasValueBox() const override { return FALSE; }
    void OnOK() override;

    // Per index of the type's range: 0 free, 1 held by another block, 2 this block's own.
    std::vector<int> Occupancy() const;
    void FillNumbers(int nModule, const std::vector<int>& slots);
    // The module the module list shows (the first when it shows none), and the index that
    // module and the number shown give (-1 without a window or a valid number).
    int ShownModule() const;
    int ShownIndex() const;
    void UpdateHighSpeedCheck();
    void OnModuleChanged();
    void OnNumberChanged();
    void OnAnalogOutputSettings();
    DECLARE_MESSAGE_MAP()
};
