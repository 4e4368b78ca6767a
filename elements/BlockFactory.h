// The block factory: a new element of the class of a type code, built with that class's typed
// constructor. Codes without a class of their own (601, 811, 900, 901, 951 and every code
// outside the type table) give a plain base element with four inputs and one output.
#pragma once

class CBlockObj;

// A new element (owned by the caller) or null when memory runs out. Size, number, position and
// links are the caller's to set; CTavixView::CreateBlockByType does the sizing.
CBlockObj* NewBlockOfType(int nType);
