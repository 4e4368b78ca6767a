// Resource ids of the program: string-table entries, dialogs, menus, toolbars, bitmaps, icons
// and cursors. Shared by the resource scripts and the C++ code.
#ifndef TAVIX_RESOURCE_H
#define TAVIX_RESOURCE_H

#define IDS_INSUFFICIENT_RESOURCES      612

#endif
