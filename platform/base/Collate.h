// CompareStringW: linguistic comparison of two texts in the user's locale, as sorted lists and
// their searches order items. The collation is ICU's for the locale named by LC_ALL,
// LC_COLLATE or LANG (the root collation for "C", "POSIX" or none), so letters with accents sort
// next to their base letter, Chinese sorts by pinyin, and hyphens and apostrophes decide only
// between texts that are otherwise equal.
#pragma once

#include "platform/base/Locale.h"

#ifndef NORM_IGNORECASE
#define NORM_IGNORECASE 0x00000001u
#endif
#ifndef SORT_STRINGSORT
#define SORT_STRINGSORT 0x00001000u
#endif
#ifndef CSTR_LESS_THAN
#define CSTR_LESS_THAN 1
#define CSTR_EQUAL 2
#define CSTR_GREATER_THAN 3
#endif

// Lengths of -1 mean "up to the terminating zero". Returns CSTR_LESS_THAN, CSTR_EQUAL or
// CSTR_GREATER_THAN; 0 with ERROR_INVALID_PARAMETER for a null text. NORM_IGNORECASE ignores
// case (accents still count); SORT_STRINGSORT makes punctuation count like letters.
int CompareStringW(LCID locale, DWORD flags, LPCWSTR a, int aLen, LPCWSTR b, int bLen);
