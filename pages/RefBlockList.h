// The block lists of parameters that take their value from another block: entries "B<n>[type]"
// for block 9000 + n, matched by their whole number.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"

#include <initializer_list>

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
// A hidden run-time block list laid over a page's controls from nFirst's left edge to nLast's
// right edge, dropping 200 pixels; none when the page lacks either control.
void CreateBlockListOver(CComboBox& combo, CWnd* pPage, UINT nFirst, UINT nLast, UINT nID);
// Empties the list and fills it with the blocks a parameter of block nBlockNumber may reference
// (none without a document), then selects the entry of pSelect as SelectBlockEntry does.
void FillBlockList(CComboBox& combo, const CTavixDoc* pDoc, int nBlockNumber, const CBlockObj* pSelect);
// A value that may come from another block shows its literal controls while it is typed and
// the block list in their place while it is referenced.
void ShowLiteralOrList(CWnd& page, std::initializer_list<UINT> literal, CComboBox& combo, BOOL bRef);
// The Reference button of such a value: flips the flag and takes the selected block while the
// flag is set, none while it is clear.
void ToggleReference(int& bRef, CBlockObj*& pBlock, CComboBox& combo, const CTavixDoc* pDoc);
