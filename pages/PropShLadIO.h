// CPropShLadIO: the property sheet of a ladder element: its operand, the comment the document
// keeps for that operand, and for contacts on an input, a function key or an analog input the
// simulation page. Modal while editing (StoreIntoElement after OK); modeless while the view
// simulates, when Apply sends the record to the view.
#pragma once

#include "pages/Comment.h"
#include "pages/ParamRecords.h"
#include "pages/PropPageLadIO.h"
#include "pages/Simulation.h"

class CBlockObj;
class CTavixView;

class CPropShLadIO : public CPropertySheet {
public:
    CPropShLadIO(CBlockObj* pElement, LPCTSTR lpszCaption, CTavixView* pView, UINT iSelectPage = 0);
    ~CPropShLadIO() override;

    // Fills the pages from the element and the document's maps.
    void FillFromElement();
    // After OK of the modal sheet: comment and simulation settings into the document, the new
    // operand into the element.
    void StoreIntoElement();
    // The record Apply sends (the active page's exchange done), with the simulation values set
    // right: an automatic input range is 0..9999, a reversed range is swapped, and the current
    // value lies inside.
    void FillRecord(CIOParamRecord& record);
    BOOL OnApply();

    CComment m_pagComment;
    CSimulation* m_pSimPage = nullptr;
    CPropPageLadIO* m_pOperandPage = nullptr;
    CTavixView* m_pView = nullptr;
    CBlockObj* m_pElement = nullptr;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    BOOL IsSimulating() const;
    // The operand under which the document keeps the comment (a contact on a coil or analog
    // output element: that element's operand).
    int CommentOperand(int nOperand) const;
    void CorrectSimulation();
};

// Operands whose contacts get the simulation page.
BOOL IsSimulatedOperand(int nOperand);
