// GetLocaleInfoW for the number characters of the user's locale. The values come from the C
// runtime's current LC_NUMERIC locale, so they always match what the runtime's number
// formatting and parsing (Format "%f", _wtof) use.
#pragma once

#include "platform/base/WinTypes.h"

using LCID = DWORD;
using LCTYPE = DWORD;

#ifndef LOCALE_USER_DEFAULT
#define LOCALE_USER_DEFAULT 0x0400u
#endif
#ifndef LOCALE_SYSTEM_DEFAULT
#define LOCALE_SYSTEM_DEFAULT 0x0800u
#endif
#ifndef LOCALE_SDECIMAL
#define LOCALE_SDECIMAL 0x0000000Eu
#endif
#ifndef LOCALE_STHOUSAND
#define LOCALE_STHOUSAND 0x0000000Fu
#endif
#ifndef LOCALE_SPOSITIVESIGN
#define LOCALE_SPOSITIVESIGN 0x00000050u
#endif
#ifndef LOCALE_SNEGATIVESIGN
#define LOCALE_SNEGATIVESIGN 0x00000051u
#endif

// Writes the value with its terminator into `data` and returns the characters written
// (terminator included); with dataCount == 0 returns the size needed. Returns 0 with
// ERROR_INVALID_PARAMETER for another LCTYPE, ERROR_INSUFFICIENT_BUFFER when it does not fit.
// LOCALE_STHOUSAND may be an empty string (locales without grouping, such as "C").
int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int dataCount);
