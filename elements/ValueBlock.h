// Helpers shared by the blocks whose result is a number (word functions, math functions, device
// functions): the simulate-and-draw sequence with a value box, and the conversions of real
// results to simulated 16-bit words.
#pragma once

#include "elements/BlockObj.h"

namespace ValueBlock {

// Simulate, draw the block (red or blue by its output with bColourByOutput, else with colour 0,
// which leaves the pins uncoloured), draw the value box, then let the view refresh the block's
// open monitor sheets.
void SimulateAndDraw(CBlockObj& block, CTavixView* pView, CDC* pDC, bool bColourByOutput);

// The signed 16-bit value of word input `pin` (an open input reads 0).
int InputWord(CBlockObj& block, CTavixView* pView, int pin);

// A real value held within -32767..32767 (NaN gives 0), fraction kept.
double ClampWord(double v);
// Truncated toward zero and kept as a signed 16-bit value (a larger integer keeps its low 16
// bits; NaN gives 0).
int TruncateToShort(double v);
// The low 16 bits of an int as a signed value.
inline int ToShort(long long v) { return static_cast<SHORT>(static_cast<WORD>(v & 0xFFFF)); }

// The change test of the word and math families: compares the inputs and parameter with the
// last-input words (and the factor with the last factor); stores them when they differ.
// Returns the change marker: 0 unchanged, 1 changed.
int UpdateChangeMarker(CBlockObj& block, int a, int b, int c, double factor = 0.0);
// Sets the last-input words to a value no input can take, so the first step reports a change.
void ResetLastInputs(CBlockObj& block);

} // namespace ValueBlock
