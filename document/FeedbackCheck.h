// Feedback-loop tests of a new or moved wire. A function block diagram accepts a loop only where
// it passes an output or a flag, judged by a table of the two elements' signal classes; a ladder
// diagram refuses any loop through wires and through the implicit connection from a function
// block to the contacts that read its number. Both tests only read the document.
#pragma once

#include "platform/base/Afx.h"

class CTavixDoc;
class CBlockObj;
class CConnectLineObj;

namespace feedback {

// Class of the element at the fixed end of the wire (rows S0..S5 of the table).
int SourceClass(int nType);
// Class of the element at the other end (columns T0..T4, 5 for every other type).
int TargetClass(int nType);
// The table entry: 0 allowed, 1 or 2 refused.
int TableValue(int nSourceClass, int nTargetClass);

// Function block diagram: 0 when joining the fixed end (element and pin) to the target pin is
// acceptable, else the refusing table value. A connector at the fixed end stands for the first
// end of its partner's wire.
int CheckFbd(const CTavixDoc& doc, CBlockObj* pFixed, int nFixedPin, CBlockObj* pTarget,
             int nTargetPin);

// Ladder diagram: TRUE when the document's wires together with the given one (both ends set;
// it may or may not be in the document's list) contain a loop. pIgnore: a wire of the list that
// does not count (the wire whose end is being moved).
BOOL HasLadderLoop(const CTavixDoc& doc, const CConnectLineObj& wire, const CConnectLineObj* pIgnore = nullptr);

} // namespace feedback
