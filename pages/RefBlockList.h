// The block lists of parameters that take their value from another block: entries "B<n>[type]"
// for block 9000 + n, matched by their whole number.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"

class CBlockObj;
class CTavixDoc;

// The number an entry names: 9000 + the digits after its first character; -1 when it names none.
int BlockNumberOfEntry(const CString& text);
// Selects the entry of a block (exactly its number, so B12 never matches B120); the first entry
// when the block has none or is null. Returns the selected position (-1 for an empty list).
int SelectBlockEntry(CComboBox& combo, const CBlockObj* pBlock);
// The block of the selected entry, null when nothing is selected or the block is gone.
CBlockObj* SelectedBlock(CComboBox& combo, const CTavixDoc* pDoc);
// A run-time block list: a drop-down list with a scroll bar, child of the page, in its font.
void CreateBlockList(CComboBox& combo, CWnd* pParent, const CRect& rc, UINT nID, BOOL bVisible);
