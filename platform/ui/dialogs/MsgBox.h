// Message boxes drawn as dialogs of this layer: an icon (stop, question, exclamation,
// information), the text wrapped to a comfortable width, and the button set of the MB_ type
// with its default button. ::MessageBox asks the display host; a host that has no message box
// of its own, or a program that wants the same look everywhere, uses this one.
#pragma once

#include "platform/ui/core/WinUser.h"

// Runs the box modally over owner's top-level window (disabled meanwhile). Returns IDOK,
// IDCANCEL, IDYES ... Escape and the close box answer IDCANCEL when there is a Cancel button,
// IDOK when OK is the only button, and do nothing otherwise.
int AfxDrawnMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// The button ids of a box type, left to right.
void MsgBoxButtons(UINT type, int ids[3], int& count);
