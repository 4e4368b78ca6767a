// The main frame of the editor: owns the device link and the program-wide bars.
// A plain class until the framework's MDI frame exists; members are added by the code that uses
// them, each group in its own section below.
#pragma once

#include "platform/base/WinTypes.h"

class CMainFrame
{
public:
    CMainFrame() = default;
    virtual ~CMainFrame() = default;

    // ---- services used by the diagram elements and the document ----

    // ---- serial port operations (implemented in comm/) ----
};
