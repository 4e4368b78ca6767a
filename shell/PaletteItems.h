// The block types the WorkBox palette offers: the item lists, which list a tab shows for the
// active document's kind and machine type, and the caption string of each type.
#pragma once

#include "platform/base/Afx.h"

#include <vector>

extern CUIntArray g_arrBscItems;
extern CUIntArray g_arrTmrItems;
extern CUIntArray g_arrLadderItems;
extern CUIntArray g_arrIoItems;
extern CUIntArray g_arrIoItemsQ;
extern CUIntArray g_arrMiscItems;
extern CUIntArray g_arrMiscItemsQ;
extern CUIntArray g_arrMiscItemsR;
extern CUIntArray g_arrAuxItems;
extern CUIntArray g_arrMathItems;
extern CUIntArray g_arrProfileItems;

// Fills the eleven lists (done once, by the main frame's construction; again does no harm).
void BuildPaletteArrays();

// Palette groups: the tab index.
enum PaletteGroup { groupBsc, groupTmr, groupIo, groupMisc, groupAux, groupMath, groupProfile, groupCount };

// The block types that group nGroup lists for a document of kind nDocKind (1 function block
// diagram, 2 ladder) and machine type nMachine, in display order; empty when the group offers
// nothing for that machine.
std::vector<UINT> PaletteGroupItems(int nGroup, int nDocKind, int nMachine);

// String ids of a type's caption: English and Chinese (0 when the type has none).
UINT PaletteCaptionId(UINT nType, BOOL bChinese);
