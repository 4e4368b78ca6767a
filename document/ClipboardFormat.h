// The private clipboard format of diagram content: three object lists written one after the
// other with their class tags (the selected elements, the selected wires, the selected
// comments), nothing else. Whatever another process places under the format's name is checked
// before use: counts are bounded, every object must be of its list's class and make sense for
// it, and damaged content is refused whole, never half read.
#pragma once

#include "platform/base/Afx.h"

namespace clipformat {

// Most objects one list may hold.
constexpr DWORD_PTR kMaxElements = 15360;
constexpr DWORD_PTR kMaxWires = 65536;
constexpr DWORD_PTR kMaxComments = 4096;

// Writes the three lists (their objects stay the caller's).
void WriteLists(CArchive& ar, const CObList& blocks, const CObList& wires, const CObList& comments);

// Reads the three lists into new objects appended to the caller's lists (which take
// ownership). Wires keep their ends as stored numbers (no element pointers). On damaged or
// hostile content FALSE: nothing is appended, everything read is freed.
BOOL ReadLists(CFile& file, CObList& blocks, CObList& wires, CObList& comments);

} // namespace clipformat
