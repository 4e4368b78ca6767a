// Chooses the display host at start-up: GTK when a display is there, headless when there is
// none or when TAVIX_HEADLESS=1 asks for it (tests).
#pragma once

#include "platform/ui/core/Host.h"

// Installs the host and returns it. argc/argv go to GTK (which may take its own options).
CUiHost* AfxInitHost(int* argc = nullptr, char*** argv = nullptr);
bool AfxHostIsHeadless();
