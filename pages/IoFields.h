// The block side of the I/O pages: moving a terminal block to another index of its range, and
// its simulation settings.
#pragma once

#include "pages/IoRanges.h"

class CBlockObj;
class CSimulation;
class CTavixDoc;
class CTavixView;

// Gives the block the index (operand, number and label text) when no other block of its type
// holds it; wires and links that named the old number follow. FALSE when refused.
BOOL MoveIoBlock(CBlockObj& block, CTavixDoc& doc, const IoRange& r, int nIndex);
// The simulation settings of an input, function key or analog input into the page (they come
// back through the sheet's record, ordered by the page).
void LoadSimulation(CSimulation& page, const CBlockObj& block);
// Whether the type's sheet ends with the simulation page.
BOOL HasSimulationPage(int nType);
