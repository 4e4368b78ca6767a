// The help topic map: help id (the block property sheet's ids, 1000-1116) -> topic page.
#pragma once

#include "platform/base/Afx.h"

extern CMap<UINT, UINT, CString, LPCTSTR> g_mapHelpTopic;

// How a help page is shown: the desktop's default handler unless tests put another in place.
using HelpPageOpener = BOOL (*)(const CString& path);
HelpPageOpener SetHelpPageOpener(HelpPageOpener opener);
