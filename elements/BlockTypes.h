// Block type codes, element kinds, pin kinds, link marks, option bits and block number ranges:
// the numbers that tie elements, wires, the document, the program file and the device together.
#pragma once

#include "platform/base/WinTypes.h"

// ---- pins ----
constexpr int kPinCount = 20;        // pin slots 0-19 of every element
constexpr int kFirstInputPin = 0;    // slots 0-9 are inputs
constexpr int kFirstOutputPin = 10;  // slots 10-19 are outputs
constexpr int kOutputPin = 10;       // the output Q of a block
constexpr int kBodyHit = 20;         // CBlockObj::HitTest result for a point on the body
constexpr int kPinRectSize = 5;      // pin size the callers pass to CBlockObj::GetPinRect

enum PinKind {
    PIN_NONE = 0,   // no pin: nothing drawn, nothing wired
    PIN_BIT = 1,    // digital signal
    PIN_WORD = 2,   // 16-bit value
    PIN_PARAM = 3,  // parameter pin ("Par")
};

// ---- values of a link slot (m_nLink) that are not block numbers ----
constexpr int LINK_NONE = 0;         // output slot without a wire
constexpr int LINK_OPEN = 52;        // input not wired
constexpr int LINK_END = 53;         // end of a block's parameter operand list
constexpr int LINK_PARAM = 55;       // parameter pin with nothing wired to it
constexpr int LINK_FIRST_CODE = 52;  // 52-75 in an input slot is never a block number
constexpr int LINK_LAST_CODE = 75;
constexpr int LINK_FIRST_OPERAND = 56;  // parameter operand codes 56-101
constexpr int LINK_LAST_OPERAND = 101;

inline bool IsLinkCode(int nLink) { return nLink >= LINK_FIRST_CODE && nLink <= LINK_LAST_CODE; }

// ---- option bits (m_byOptions) ----
enum BlockOptionBits : BYTE {
    OPT_REFERABLE = 0x01,    // its value may be referenced by another block's parameter
    OPT_COUNT_1 = 0x02,      // counted into the program image
    OPT_COUNT_2 = 0x04,      // counted into the program image
    OPT_STORABLE = 0x08,     // its value may be stored by a memory block or the data log
    OPT_ACTUAL_VALUE = 0x10, // it has an actual value that a message-text field can show
    OPT_WORD_OUTPUT = 0x20,  // its output is a word value
};
constexpr BYTE kDefaultOptions = 0x0F;

// ---- element kinds (CTavixDoc::GetBlockKind) ----
enum BlockKind {
    KIND_OTHER = 0,
    KIND_IO = 1,         // 600-799: inputs, outputs, keys, markers, constants, ladder elements
    KIND_FUNCTION = 2,   // 300-413 and 800-899: function blocks
    KIND_CONNECTOR = 3,  // 900-901: page connectors
    KIND_DATALOG = 4,    // 911
};
int GetBlockKindOfType(int nType);

// ---- a few type codes named where the code tests them ----
constexpr int TYPE_AND = 300, TYPE_AND_EDGE = 301, TYPE_NAND = 302, TYPE_NAND_EDGE = 303;
constexpr int TYPE_OR = 304, TYPE_NOR = 305, TYPE_XOR = 306, TYPE_NOT = 307;
constexpr int TYPE_INPUT = 600, TYPE_CURSOR_KEY = 601, TYPE_SHIFT_BIT = 602, TYPE_LOW = 603;
constexpr int TYPE_HIGH = 604, TYPE_OUTPUT = 605, TYPE_OPEN_X = 606, TYPE_FLAG = 607;
constexpr int TYPE_ANALOG_IN = 608, TYPE_ANALOG_OUT = 609, TYPE_ANALOG_FLAG = 610;
constexpr int TYPE_FKEY = 611;
constexpr int TYPE_MAKE = 700, TYPE_BREAK = 701, TYPE_ACONTACT = 702, TYPE_COIL = 703;
constexpr int TYPE_INV_OUT = 704, TYPE_AOUT_LAD = 705;
constexpr int TYPE_MSGTEXT = 810, TYPE_811 = 811;
constexpr int TYPE_MALE = 900, TYPE_FEMALE = 901, TYPE_DATALOG = 911, TYPE_POWERBUS = 951;

// ---- block numbers ----
constexpr int NUM_INPUT = 100;         // I, 256 (32 per module, positions 0-15 used)
constexpr int NUM_OUTPUT = 600;        // Q, 128 (16 per module, positions 0-7 used)
constexpr int NUM_SHIFT_BIT = 1000;    // S, 16; 64 on machine types 'Q' and above
constexpr int NUM_CURSOR_KEY = 1280;   // C, 4
constexpr int NUM_FKEY = 1300;         // F, 5
constexpr int NUM_FLAG = 1316;         // M, 512
constexpr int NUM_LOW = 1870;          // constant 0, 1000
constexpr int NUM_HIGH = 2900;         // constant 1, 1000
constexpr int NUM_ANALOG_IN = 4000;    // AI, 64 (8 per module)
constexpr int NUM_ANALOG_OUT = 4230;   // AQ, 32 (4 per module)
constexpr int NUM_ANALOG_FLAG = 4288;  // AM, 512
constexpr int NUM_OPEN_X = 4800;       // X, 128
constexpr int NUM_MALE = 5000;         // page connector, receiving end, 1900
constexpr int NUM_FEMALE = 7000;       // page connector, source end, 1900
constexpr int kConnectorPartnerOffset = 2000;  // female number = male number + 2000
constexpr int NUM_DATALOG = 8950;      // L, 1
constexpr int NUM_FUNCTION = 9000;     // B
constexpr int NUM_MAKE = 12000;        // make contacts, 2560
constexpr int NUM_BREAK = 15000;       // break contacts, 2560
constexpr int NUM_ACONTACT = 18000;    // analog contacts, 2560
constexpr int NUM_COIL = 21000;        // relay coils and inverted outputs, 768
constexpr int NUM_AOUT_LAD = 22000;    // ladder analog outputs, 544
constexpr int NUM_POWERBUS = -1;       // the ladder power bus

// The number of a page connector's other end (female number = male number + offset).
inline int ConnectorPartnerNumber(int nType, int nNumber)
{
    return nType == TYPE_FEMALE ? nNumber - kConnectorPartnerOffset : nNumber + kConnectorPartnerOffset;
}

// Machine type = high byte of the hardware code; 'Q' and above are the newer device families.
constexpr int kMachineTypeQ = 0x51;
inline int MachineTypeOf(WORD wHardwareCode) { return wHardwareCode >> 8; }

// ---- per-type constants ----
struct BlockTypeInfo {
    int nType;
    const char* pszClass;  // class the factory creates; null: a plain base element
    int nInputs;
    int nOutputs;
    int nPinKinds[5];      // pins 0-3, then pin 10; every other pin is PIN_NONE
    WORD nCodeSize;        // bytes in the device program area
    int nOperandCount;     // link slots that the device instruction encodes
    BYTE byOptions;
};

constexpr int kTypeRowCount = 118;

// Row of the pin-kind table for a type code by the offset rule of its range (0 outside 300-999).
int GetPinKindRowIndex(int nType);
// The 20 pin kinds of a type code; null when the code has no row of its own in the table.
const int* GetPinKindRow(int nType);
// The constants of a type code; null when the code is not in the table (951, 0, 1000, ...).
const BlockTypeInfo* FindBlockTypeInfo(int nType);
// All rows, in ascending order of the type code.
const BlockTypeInfo* GetBlockTypeTable();
