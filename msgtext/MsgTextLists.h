// The block and value lists the message-text dialogs and pages share: block entries "B<n><name>"
// read back to block numbers, the blocks that have actual values, and the names of a type's
// analog values.
#pragma once

#include "platform/base/Afx.h"

#include <vector>

class CBlockObj;
class CComboBox;
class CTavixDoc;

namespace msgtext {

// "B%d%s": the block number minus 9000 and the bracketed name of the block's type.
CString BlockEntry(const CBlockObj* pBlock);
// The bracketed display name of a type, empty when it has none.
CString BracketedTypeName(int nType);
// The decimal number after the entry's first character (reading stops at the first non-digit)
// plus 9000; -1 when no digit follows.
int BlockNumberOfEntry(const CString& entry);
// The document's blocks whose actual values a bar, scope, pointer or scale-time field can show.
std::vector<CBlockObj*> ActualValueBlocks(const CTavixDoc* pDoc);
// The names of the analog values (list B) of a block type; empty for a type without a row.
std::vector<CString> AnalogValueNames(int nType);
// The name of an item code; empty outside the table.
CString ParamName(int nItem);
// The text of a resource string.
CString Res(UINT nId);

} // namespace msgtext
