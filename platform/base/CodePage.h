// Win32-shaped conversions between wide text and code-page bytes, through glibc iconv.
//
// Our wchar_t is 32 bits: wide counts are in code points, not UTF-16 units; use ToUtf16 in
// CString.h where UTF-16 units are laid out. Supported code pages: CP_UTF8, 936 (the Windows
// GBK table: iconv "CP936", which maps 0x80 to the euro sign), 950 (the Windows Big5 table:
// iconv "CP950", with the ETEN box-drawing row and the euro sign at 0xA3E1), 1252, and any
// other n that iconv knows as "CPn". CP_ACP and CP_OEMCP mean the code page set with SetACP
// (1252 until set).
#pragma once

#include "platform/base/WinTypes.h"

#include <string>

#ifndef CP_ACP
#define CP_ACP 0u
#endif
#ifndef CP_OEMCP
#define CP_OEMCP 1u
#endif
#ifndef CP_UTF8
#define CP_UTF8 65001u
#endif
#ifndef MB_ERR_INVALID_CHARS
#define MB_ERR_INVALID_CHARS 0x08u
#endif
#ifndef ERROR_INSUFFICIENT_BUFFER
#define ERROR_INSUFFICIENT_BUFFER 122u
#endif
#ifndef ERROR_NO_UNICODE_TRANSLATION
#define ERROR_NO_UNICODE_TRANSLATION 1113u
#endif

// The code page CP_ACP stands for (what the Windows "ANSI" code page is), and setting it.
UINT GetACP();
void SetACP(UINT codePage);

// Decodes `mb` (byteCount bytes, or up to and including the terminator when -1). Writes up to
// wideCount characters into `wide` and returns the number written; with wideCount == 0 returns
// the number needed. Returns 0 on failure with the last error set: ERROR_INVALID_PARAMETER
// (unknown code page, bad arguments), ERROR_INSUFFICIENT_BUFFER, or, with
// MB_ERR_INVALID_CHARS, ERROR_NO_UNICODE_TRANSLATION. Without that flag, bytes that are not
// valid in the code page become U+FFFD.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR mb, int byteCount, LPWSTR wide, int wideCount);

// Encodes `wide` (wideCount characters, or up to and including the terminator when -1).
// Characters the code page lacks become `defaultChar` (first byte; '?' when null) and set
// *usedDefaultChar; for CP_UTF8 both must be null, as on Windows. Counts as above.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR mb, int byteCount,
                        LPCSTR defaultChar, BOOL* usedDefaultChar);

// Whole-string conveniences; unmappable characters become '?' / U+FFFD. Empty for an unknown
// code page.
std::string WideToCodePage(UINT codePage, const std::wstring& text);
std::wstring CodePageToWide(UINT codePage, const std::string& bytes);
