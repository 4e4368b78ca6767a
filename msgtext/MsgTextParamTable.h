// Which parameters of which block types a message-text field can show, and which of them other
// blocks (the memory block, the data log) and the analog fields can address.
#pragma once

#include <vector>

constexpr int kMsgTextParamRows = 85;  // 83 block types, then two rows of zeros
constexpr int kMsgTextParamCols = 30;

extern const int g_anMsgTextParams[kMsgTextParamRows][kMsgTextParamCols];

// The row of a block type; null when the type offers nothing.
const int* FindMsgTextParamRow(int nType);
// Item codes (indices into g_astrParamNames) a field offers for a block of the type, in offer
// order, on the given machine type.
std::vector<int> GetShownItems(int nType, int nMachineType);
// List A: the parameters other blocks can address by block and parameter.
std::vector<int> GetAddressableItems(int nType);
// List B: the analog values a bar, scope, pointer or scale-time field can show.
std::vector<int> GetAnalogValueItems(int nType);
