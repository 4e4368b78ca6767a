// The device's opcode words: the word that names a block type at the head of each instruction,
// the inverse lookup from a stored opcode back to the type, and the class-and-index words that
// name an I/O element inside some parameter layouts.
#pragma once

#include "platform/base/WinTypes.h"

namespace OpcodeTables {

// Opcode word of a type as the table holds it (flag bits clear); FALSE for a type without one
// (828, 829, 857-859 and every type outside the table).
BOOL LookUpOpcode(int nType, WORD* pWord);
// Function-block type of an opcode key; -1 when the key names none.
int TypeOfKey(WORD key);
// Opcode key of a stored opcode unit (b0 first, b1 second): the table's opcode word of the
// type, whatever flag byte the block had.
WORD KeyOfOpcode(BYTE b0, BYTE b1);
// Index-map word of an I/O element (index x 256 + class code; markers and analog markers from
// index 256 on use class codes 0x61 / 0xA1 with the index minus 256). FALSE when the class has
// no entry for that index; open connectors give 0xFFFF.
BOOL LookUpIndexWord(int nType, int nIndex, WORD* pWord);
// Number of function-block entries in the opcode table (97).
int FunctionBlockOpcodeCount();

} // namespace OpcodeTables
