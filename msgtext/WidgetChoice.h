// The block and value choice that the bar/scope/pointer and the scale-time dialogs share: the
// combo of blocks that have actual values, the combo of the chosen block's analog values, and
// the clamp of a signed edit to -32768..32767.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"

class CBlockObj;
class CTavixDoc;
class CWidget;

class CWidgetChoice
{
public:
    // Fills the block list; selects the entry of pSelect when given.
    static void FillBlocks(const CTavixDoc* pDoc, CComboBox& blocks, const CBlockObj* pSelect);
    // Fills the value list with the analog values of the block's type (empty without a block).
    static void FillValues(const CBlockObj* pBlock, CComboBox& values);
    // The block of the selected entry; null when nothing is selected or the block is gone.
    static CBlockObj* SelectedBlock(const CTavixDoc* pDoc, const CComboBox& blocks, int* pNumber);
    // Both lists as a dialog opens: the field's block selected (none without a field), its
    // values listed and the value at nValueIndex selected.
    static void FillChoice(const CTavixDoc* pDoc, CComboBox& blocks, CComboBox& values, const CWidget* pField,
                           int nValueIndex);
    // The choice as OK takes it: a block with values to show, the first value when none is
    // selected. Without one, tells the user so in pDlg and returns FALSE.
    static BOOL TakeChoice(CWnd* pDlg, const CTavixDoc* pDoc, const CComboBox& blocks, CComboBox& values,
                           CBlockObj** ppBlock, int* pNumber);
    // Block choice changed: refill the values and select the first when none is selected.
    static void OnBlockChanged(const CTavixDoc* pDoc, CComboBox& blocks, CComboBox& values);
    // Points the field at the block and the item at the value position (the item is kept when
    // the type has no value at that position).
    static void PointField(CWidget* pField, CBlockObj* pBlock, int nNumber, int nValueIndex);
    // Replaces a signed edit's text by the nearer bound when it lies outside -32768..32767.
    static void ClampEdit(CWnd* pDlg, int nId);
};
