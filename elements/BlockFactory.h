// The block factory: a new element of the class of a type code, built with that class's typed
// constructor. Codes without a class of their own (601, 811, 900, 901, 951 and every code
// outside the type table) give a plain base element with four inputs and one output.
#pragma once

class CBlockObj;
struct CRuntimeClass;

// A new element (owned by the caller) or null when memory runs out. Size, number, position and
// links are the caller's to set; CTavixView::CreateBlockByType does the sizing.
CBlockObj* NewBlockOfType(int nType);

// Whether an element of class pClass may carry the type code nType: the code's class in the
// factory, the connectors' and the power bus's own codes, and for the plain element the codes
// without a class of their own (601, 811, 900, 901, 951). A loaded record that fails this is refused (its painters and simulation index
// tables by the type code of their own class).
bool IsTypeOfClass(int nType, const CRuntimeClass* pClass);
