// Number ranges of the terminal and marker blocks: the block number is the type's base plus the
// index that the I/O pages choose and the block keeps as its operand.
#pragma once

#include "platform/base/Afx.h"

struct IoRange {
    int nType;
    const wchar_t* prefix;
    int nBase;
    int nCount;
    int nPerModule;     // 0: numbered straight through
    int nOldCount;      // indexes (or numbers per module) listed below machine type 0x51
};

// The range of a type; null for a type without one.
const IoRange* FindIoRange(int nType);
// The list text of an index ("I5" for module 0, "S2.5", "M12").
CString IoIndexText(const IoRange& r, int nIndex);
// The index a list text names (with the module position for modular types); -1 when the text
// is not of the range.
int IoIndexOfText(const IoRange& r, const CString& text, int nModule);

// The eight module names, "Main" and "Ext.1" .. "Ext.7".
extern const wchar_t* const g_astrIOModuleNames[8];
