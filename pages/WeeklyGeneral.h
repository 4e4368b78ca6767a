// CWeeklyGeneral: the first page of the weekly timer 410: name, Protection and Pulse Output. It
// brings the three cam pages along and moves the cam records between them and the block.
#pragma once

#include "pages/SheetCompanions.h"
#include "pages/BlockPage.h"
#include "pages/WeeklyCams1.h"

class CWeeklyGeneral : public CBlockPage, public ISheetCompanions {
public:
    CWeeklyGeneral();

    int m_bPulseOutput = 0;
    CWeeklyCams1 m_cams[3];

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void AddPagesBeforeComment(CPropertySheet& sheet) override;
    void FillWeeklyRecord(CWeeklyParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    BOOL HasValueBox() const override { return FALSE; }
    void OnPulseOutputClicked();
    DECLARE_MESSAGE_MAP()
};
