// What the program means the display to show, written out for desktop checks that compare it
// with what the X server shows.
#pragma once

#include <string>

// The key under which each GTK window of a top-level window keeps that window's HWND.
extern const char* const kGtkHwndKey;

// With TAVIX_WINDOW_IMAGES=<folder> in the environment, the signal SIGUSR1 makes the program
// write, for every top-level window on the display, its own image (the window layer's picture
// for the program's windows, GTK's for GTK's own dialogs) as <folder>/<X window id>.png, and
// then <folder>/index with one line "<X window id> <width> <height>" per window. Each window is
// first brought onto the display, so the X server shows the same image unless something is
// drawn in between. Nothing happens without the variable.
void GtkListenForWindowImageRequests();
