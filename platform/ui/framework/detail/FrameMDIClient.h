// The MDI client: the window inside an MDI frame that holds the document frames, keeps which
// one is active and whether they are maximized, and the list of them in the Window menu.
#pragma once

#include "platform/ui/core/WinUser.h"

#include <vector>

namespace ui {

// Registers the "MDICLIENT" class (once).
LPCWSTR MdiClientClass();

// Registers a new MDI child with its client (called when the child window is created).
void MdiAddChild(HWND client, HWND child);
// The place and size for a new child (cascaded below the previous ones).
RECT MdiDefaultChildRect(HWND client);
// The index-th entry of the window list (visible children in creation order); null if none.
HWND MdiChildByIndex(HWND client, int index);

}  // namespace ui
