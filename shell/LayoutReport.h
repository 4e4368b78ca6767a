// The layout report of a run under test: where the controls a desktop check clicks stand on the
// screen, and the state it waits for, written as text lines whenever they change. A run writes
// it only when TAVIX_LAYOUT_REPORT names the file (shell/main.cpp).
#pragma once

#include "platform/base/CString.h"

class CMainFrame;

// The report's text for the main window as it is now.
CString MakeLayoutReport(CMainFrame& frame);
