// Win32 scalar types, geometry structs and small helpers that the editor's code is written in.
#pragma once

#include <cstdint>
#include <cstddef>
#include <climits>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using PUINT = UINT*;
using INT = int;
using LONG = std::int32_t;   // 32 bits as on Windows, not the LP64 long
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using LONG_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using COLORREF = DWORD;
using WCHAR = wchar_t;
using TCHAR = wchar_t;
using LPVOID = void*;
using LPCVOID = const void*;
using LPBYTE = BYTE*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = wchar_t*;
using LPCWSTR = const wchar_t*;
using LPTSTR = wchar_t*;
using LPCTSTR = const wchar_t*;
using POSITION = struct __POSITION*;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif
#ifndef _T
#define _T(x) L##x
#endif
#ifndef MAX_PATH
#define MAX_PATH 260
#endif

constexpr COLORREF RGB(int r, int g, int b)
{
    return COLORREF(BYTE(r)) | (COLORREF(BYTE(g)) << 8) | (COLORREF(BYTE(b)) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return BYTE(c); }
constexpr BYTE GetGValue(COLORREF c) { return BYTE(c >> 8); }
constexpr BYTE GetBValue(COLORREF c) { return BYTE(c >> 16); }

constexpr LONG MAKELONG(WORD lo, WORD hi) { return LONG(DWORD(lo) | (DWORD(hi) << 16)); }
constexpr WORD MAKEWORD(BYTE lo, BYTE hi) { return WORD(lo | (WORD(hi) << 8)); }
constexpr WORD LOWORD(DWORD_PTR v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(DWORD_PTR v) { return WORD((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(DWORD_PTR v) { return BYTE(v & 0xFF); }
constexpr BYTE HIBYTE(DWORD_PTR v) { return BYTE((v >> 8) & 0xFF); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return WPARAM(DWORD(MAKELONG(lo, hi))); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return LPARAM(MAKELONG(lo, hi)); }
// Signed coordinates packed in an LPARAM (mouse messages).
constexpr int GET_X_LPARAM(LPARAM lp) { return int(SHORT(LOWORD(DWORD_PTR(lp)))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return int(SHORT(HIWORD(DWORD_PTR(lp)))); }

// a * b / c with a 64-bit intermediate, rounded half away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

struct POINT { LONG x; LONG y; };
struct SIZE { LONG cx; LONG cy; };
struct RECT { LONG left; LONG top; LONG right; LONG bottom; };
using LPPOINT = POINT*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
using LPSYSTEMTIME = SYSTEMTIME*;

// Local wall-clock time with milliseconds.
void GetLocalTime(SYSTEMTIME* st);
// Milliseconds since an arbitrary start, monotonic.
DWORD GetTickCount();
