// The PRIMARY selection of the edit controls, as every Linux program has it: the text selected
// in the focused edit is offered as PRIMARY, and a middle click into an edit pastes PRIMARY at
// the point clicked.
#pragma once

#include "platform/ui/core/WinUser.h"

// Offers the focused edit's selected text as PRIMARY when the selection changed (called while
// the program waits for input).
void GtkOfferSelection();
// Pastes PRIMARY into the edit under `screen` at that point; false when there is no editable
// edit there (the click then goes to the program as it is).
bool GtkPastePrimaryAt(POINT screen);
