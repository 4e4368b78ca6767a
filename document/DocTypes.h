// Small records the document keeps per program: port settings, ladder simulation settings and
// the caller's counter record of the device-limit check.
#pragma once

#include "platform/base/WinTypes.h"

// Function blocks are numbered 9000 up to this number.
constexpr int kLastFunctionNumber = 10999;

// One communication port of the program (twelve ints, stored as they stand):
// [0] mode (1 Modbus master), [1] protocol, [2] device address, [3] baud index 0-15,
// [4] parity entry, [5]-[7] parity, data and stop bits, [8] time-out ms, [9] poll delay ms,
// [10] data register index, [11] not edited.
struct PortSettings {
    int m_nValue[12] = {1, 0, 1, 3, 0, 0, 1, 0, 200, 0, 0, 0};

    int& operator[](int i) { return m_nValue[i]; }
    int operator[](int i) const { return m_nValue[i]; }
};

// Simulation settings of one ladder operand; stored as 20 raw bytes.
struct SimSettingRecord {
    int m_bAutoRange = 0;
    int m_nValue = 0;
    int m_nMin = 0;
    int m_nMax = 0;
    int m_nKind = 0;
};
static_assert(sizeof(SimSettingRecord) == 20, "stored as 20 raw bytes");

// The caller's record for CTavixDoc::CanAddBlock: how many elements are to be added, and the
// operand counts the check fills for coils (Q, M, X) and ladder analog outputs (AQ, AM).
struct BlockCounts {
    int m_nUnused = 0;
    int m_nToAdd = 0;
    int m_nCount[3] = {0, 0, 0};
};
