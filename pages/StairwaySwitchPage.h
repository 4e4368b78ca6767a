// CStairwaySwitchPage: the page of the stairway lighting switch 408: the off-delay T, the pre-warning
// time T! and the pre-warning period T!L, which may take the standard values. The multiple
// function switch (CMultiFunctionSwitchPage) adds the permanent-light time TL.
#pragma once

#include "pages/BlockPage.h"
#include "pages/TimeReference.h"

#include <vector>

class CStairwaySwitchPage : public CBlockPage {
public:
    CStairwaySwitchPage();

    int m_bUseStandard = 1;
    TimeParam m_t;     // T
    TimeParam m_tl;    // TL (409 only)
    TimeParam m_tw;    // T!
    TimeParam m_twl;   // T!L

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    CStairwaySwitchPage(UINT nIDTemplate, BOOL bPermanentLight);

    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Position of T's unit list while T is referenced, else of its base list.
    int TPosition();
    void UpdatePrewarnUnitLabels();
    void OnUseStandardValues();
    void ClampLowParts(int nPosition);
    void SetTabOrder();
    void OnReference(CTimeReference& ref);
    void OnReferenceT() { OnReference(m_refT); }
    void OnReferenceTL() { OnReference(m_refTL); }
    void OnReferenceTW() { OnReference(m_refTW); }
    void OnReferenceTWL() { OnReference(m_refTWL); }
    void OnBlock(CTimeReference& ref);
    void OnBlockT() { OnBlock(m_refT); }
    void OnBlockTL() { OnBlock(m_refTL); }
    void OnBlockTW() { OnBlock(m_refTW); }
    void OnBlockTWL() { OnBlock(m_refTWL); }
    void OnBaseT();
    void OnUnitT();
    void OnBaseTL();
    void OnLowT() { ClampLowParts(TPosition()); }
    void OnLowTL() { m_refTL.ClampLow(m_refTL.BasePosition()); }
    void OnUnitTL() { SetModified(TRUE); }
    void OnStandardClicked() { OnUseStandardValues(); }
    // The references of the page in reference order (T!, T!L after T and TL).
    std::vector<CTimeReference*> Times();
    DECLARE_MESSAGE_MAP()

    BOOL m_bPermanentLight;
    CTimeReference m_refT;
    CTimeReference m_refTL;
    CTimeReference m_refTW;
    CTimeReference m_refTWL;
};
