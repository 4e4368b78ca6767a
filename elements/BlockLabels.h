// The texts painted around an element: the label above it (block number, I/O operand, ladder
// operand) and the comment lines (its own comment, or for ladder elements the comment of the
// operand they switch on).
#pragma once

#include "platform/base/Afx.h"

class CBlockObj;
class CTavixDoc;

// Label above the element: "B3 Pump", "L0", "I101", "S1.1", "AQ003", ladder operands "M20",
// "Q101", "High". A ladder operand naming a coil, analog output or block that the document no
// longer holds is labelled as it stands. Without a document ladder operands are not followed.
CString BuildElementLabel(const CBlockObj& block, const CTavixDoc* pDoc);

// BuildElementLabel kept in the element's text cache: a label made from the element's own type,
// number and name is built again only when one of them changes; ladder operand labels, which
// follow other elements of the document, are built every time.
const CString& CachedElementLabel(const CBlockObj& block, const CTavixDoc* pDoc);

// Comment shown above the element; empty when there is none or the operand has no entry.
CString GetElementCommentText(const CBlockObj& block, const CTavixDoc* pDoc);
