// CSelectHardware: the "Hardware" page of the program properties: the device model the
// program is made for, chosen in a tree of series and models, and a box that shows what the
// chosen model offers or which blocks of the program it cannot run. Confirming another model
// moves the program to it.
//
// Every model item stands for exactly one hardware code: "V2.XX" of the QX series for 0x5188,
// and one item for each other model (0x1188, 0x2188, 0x5288, 0x6188), so a program can keep
// its own code or move to an older family; moving there is refused while a block of the
// program has no counterpart in that family.
#pragma once

#include "platform/ui/controls/CtlViewClasses.h"
#include "platform/ui/dialogs/PropSheet.h"

#include <vector>

class CTavixDoc;

class CSelectHardware : public CPropertyPage
{
public:
    // Item data: odd values are models, even ones series. 15: a model code the editor does
    // not know, kept as it is.
    enum { dataQxSeries = 0, dataOtherSeries = 2, dataOwnUnknown = 15 };

    explicit CSelectHardware(CTavixDoc* pDoc = nullptr);

    // Item data of the model a hardware code belongs to (1, 3, 5, 7, 9; 15 unknown).
    static int ModelData(WORD wHardwareCode);
    // Hardware code of a model's item data; 0 for series and unknown models.
    static WORD ModelCode(int nData);
    // The text of a model's tree item.
    static CString ModelText(int nData);
    // The first block of the program that a model (by its item data) cannot run, as the text
    // shown for it; empty when the program can move to the model.
    static CString FindUnsupportedBlock(const CTavixDoc& doc, int nNewData);
    // What a program loses on its way to an older family: the Modbus blocks' master port and
    // the baud rates from index 10 on (they become 9600).
    static void AdaptToOlderFamily(CTavixDoc& doc);

    CString m_strResources;  // text of the resources box
    int m_nSelectedData = -1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    void OnSelChangedTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblClkTree(NMHDR* pNMHDR, LRESULT* pResult);
    void CheckCompatibility(int nOldData, int nNewData);
    void EnableSheetOK(BOOL bEnable);
    BOOL IsSheetOKEnabled() const;

    CTavixDoc* m_pDoc;
    CTreeCtrl m_tree;
    std::vector<HTREEITEM> m_items;  // inserted items, in order

    DECLARE_MESSAGE_MAP()
};
