// The help topic of each block type.
#pragma once

// Help id (a key of the application's help topic map) of a block type; the inputs topic for
// types without one of their own.
unsigned BlockHelpId(int nType);
