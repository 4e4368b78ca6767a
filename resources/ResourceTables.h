// The table structs live with the platform layer, which reads dialogs, menus and
// accelerators from them; this header keeps the resource code's include working.
#pragma once

#include "platform/base/ResourceTables.h"
