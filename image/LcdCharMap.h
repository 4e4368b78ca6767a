// The LCD font codes of the older device families: the byte the display shows for a character,
// used for their message texts and block names.
#pragma once

#include "platform/base/WinTypes.h"

// Code of a character; 0 when the font has none.
BYTE LcdCodeOf(wchar_t ch);
// Character of a code; 0 when no character has it.
wchar_t LcdCharOf(BYTE code);

constexpr BYTE kLcdSpace = 0x5B;
