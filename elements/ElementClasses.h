// Every class of the diagram elements (blocks of all families, connectors, the power bus, wires,
// comments) in one explicit list. A class record enters the class registry only when its
// object file is linked, and a static library gives the linker only the object files something
// names; a program that reads elements by class name (files, the clipboard, undo snapshots)
// registers this list, which names every record, so no family can go missing.
#pragma once

#include "platform/base/Afx.h"

// The runtime classes of every element class; *pnCount receives their number.
CRuntimeClass* const* GetElementClasses(int* pnCount);
// Adds every element class to the class registry.
void RegisterElementClasses();
