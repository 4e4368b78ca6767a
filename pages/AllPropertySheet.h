// CAllPropertySheet: the property sheet of one block: the parameter page of the block's type,
// the comment page, and (for inputs) the simulation page. Outside simulation the view shows it
// modally and reads the pages after OK; while the view simulates it is modeless, one per block,
// and Apply sends the edited values to the view that opened it.
#pragma once

#include "pages/Comment.h"
#include "pages/ParamRecords.h"

#include <functional>

class CTavixView;
class CBlockPage;

class CAllPropertySheet : public CPropertySheet {
public:
    CAllPropertySheet(int nType, LPCTSTR lpszCaption, CTavixView* pView, UINT iSelectPage = 0);
    ~CAllPropertySheet() override;

    CTavixView* GetView() const { return m_pView; }
    BOOL IsSimulating() const;
    // Collects the pages into the record of the type's family and sends it to the view; one
    // undo step. FALSE when the active page refused a value (nothing is sent).
    BOOL OnApply();
    // Settles the values that depend on others (ranges, gain and offset), fills the record of
    // the type's family and hands its address to `take` for the length of the call: Apply sends
    // it to the view, the modal OK gives it to the view's taking routine. The active page's
    // exchange must be done.
    void DeliverRecord(const std::function<void(LPARAM)>& take);
    // Fills the record of the type's family from the pages (the active page's exchange done).
    void FillRecord(CIOParamRecord& record) const;
    void FillRecord(CMiscParamRecord& record) const;
    void FillRecord(CAnalogParamRecord& record) const;
    void FillRecord(CTimeParamRecord& record) const;
    void FillRecord(CWeeklyParamRecord& record) const;
    void FillRecord(CModbusParamRecord& record) const;
    void FillRecord(CMsgTextParamRecord& record) const;

    CTavixView* m_pView;
    int m_nBlockType;
    int m_nBlockNumber = -1;
    CComment m_pagComment;
    CBlockPage* m_pPage = nullptr;           // the type's parameter page, owned; null for none
    CPropertyPage* m_pSimPage = nullptr;     // the simulation page of inputs, owned

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;
    void OnHelp();
};

// The parameter page of a block type, null for types without one. `bNewModel` says whether the
// program the block belongs to is of the newer device families (pages whose layout differs).
CBlockPage* CreateBlockPage(int nType, BOOL bNewModel);
// Whether a page of the type shows the live value box in simulation.
BOOL HasCurrentValueBox(int nType);
