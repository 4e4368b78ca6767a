// What a decoded message-text field or data-log item shows, looked up in the message-text
// parameter table: the item code at a stored position and its caption.
#pragma once

#include "platform/base/Afx.h"

class CWidget;

// Item code at position nIndex of a block type's shown items on a machine type, of its
// addressable list (the data log's parameter positions) or of its analog-value list (bar,
// scope, pointer and scale-time fields); -1 when the type or the position has none.
int ShownItemAt(int nType, int nMachineType, int nIndex);
int AddressableItemAt(int nType, int nIndex);
int AnalogValueItemAt(int nType, int nIndex);

// Caption of an item code; empty outside the name table.
CString ParamCaption(int nItem);

// Gives a decoded field its item code, caption and width from the block type it shows
// (nType -1 when unknown): value fields by their position in the shown items, gauges by their
// value index, ON/OFF names by the type's first item, AI and AM values by their operand rows.
// A position the table does not know leaves the field as the image gave it.
void ApplyFieldParams(CWidget* pField, int nType, int nMachineType);
