// CIOSN: the bit an ON/OFF field follows (an input, output, flag, function key, shift-register
// bit or function-block output) and the names of its FALSE and TRUE states, eight cells each.
#pragma once

#include "controls/GridCtrl.h"
#include "platform/ui/controls/CtlStdClasses.h"
#include "platform/ui/dialogs/Dlg.h"

class CTavixDoc;
class CWidget;

class CIOSN : public CDialog, public CGridFieldOwner
{
public:
    explicit CIOSN(CTavixDoc* pDoc, CWnd* pParent = nullptr);

    enum { kRows = 3, kCols = 9 };
    // Bit types of the type list, in list order.
    static const int kTypeCodes[6];

    // The operand or block number of an entry of the number list; -1 when it names none. In a
    // function block diagram nType (a type code, 9000 for blocks) decides, in a ladder diagram
    // the entry's first letter.
    static int NumberOfEntry(const CString& entry, int nType, BOOL bLadder);
    // The entry of an operand or block number for a type code (9000: function block).
    static CString EntryOfNumber(int nNumber, int nType, int nBlockType);
    // The type code of an operand number of a ladder diagram; 0 outside the ranges.
    static int TypeOfOperand(int nNumber);

    int m_nNumber = -1;
    CWidget* m_pWidget = nullptr;
    int m_nTypeIndex = 0;
    int m_nNumberIndex = -1;
    int m_nSet = 0;                        // the character set edited (0 or 1)
    CString m_strStatusName[kRows * kCols];  // row 1 FALSE, row 2 TRUE, columns 1-8
    CGridCtrl m_grid;

    // Character rules of the name cells (the document's character set).
    int GetMachineType() const override;
    int GetAcceptedCharClass() const override;
    int GetCharClass(wchar_t ch) const override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnTypeSelChange();
    void OnEditCopy() { m_grid.OnEditCopy(); }
    void OnEditCut() { m_grid.OnEditCut(); }
    void OnEditPaste() { m_grid.OnEditPaste(); }
    void OnGridLabelEdit(NMHDR*, LRESULT* pResult) { *pResult = 0; }
    DECLARE_MESSAGE_MAP()

private:
    CTavixDoc* m_pDoc;
    CComboBox m_cbType;
    CComboBox m_cbNumber;
};
