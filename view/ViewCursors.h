// The pointer shapes of the diagram view's edit modes: connecting (off and over a pin),
// inserting comments, cutting and joining wires, and the hand of block insertion. They are
// drawn from small pixel patterns once per run and shared by every view.
#pragma once

#include "platform/ui/core/WinUser.h"

enum class ViewCursor {
    ConnectOff,    // connect mode, the pointer is not over a pin
    ConnectOnPin,  // connect mode, a pin lies under the pointer
    Comment,       // insert comment mode
    CutJoin,       // cut/join mode
    InsertHand,    // insert mode away from a block (when the application has no hand of its own)
};

// The shared cursor of a shape; never destroyed by its users.
HCURSOR GetViewCursor(ViewCursor which);
