// CPropPageLadIO: the operand page of a ladder element (contacts 700-702, coils 703-705): the
// operands the element may take, listed by name, and the chosen entry turned into an operand
// number.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"
#include "platform/ui/dialogs/PropSheet.h"

#include <map>
#include <vector>

class CTavixDoc;

class CPropPageLadIO : public CPropertyPage {
public:
    CPropPageLadIO();

    int m_nOperand = 0;
    int m_nElementNumber = 0;
    int m_nBlockType = 0;

    void SetDocument(CTavixDoc* pDoc) { m_pDoc = pDoc; }
    // The operand the selected entry names; the operand stays when nothing is selected or the
    // text is not recognised.
    void GetSelectedOperand();
    // The operand an entry text names for an element type; -1 when it names none.
    int OperandOfEntry(const CString& text) const;
    // The name of the current operand, as its entry begins.
    CString OperandName() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void FillList();
    void AddSorted(std::multimap<int, CString>& entries) const;
    void OnOperandDblClk();
    void OnFindTextChanged();
    void OnSelChange() { SetModified(TRUE); }
    DECLARE_MESSAGE_MAP()

    CTavixDoc* m_pDoc = nullptr;
    CFont m_font;
};
