// Accelerator tables: keys that stand for commands. TranslateAccelerator turns a key message
// that matches an entry into WM_COMMAND (or WM_SYSCOMMAND) for a window.
#pragma once

#include "platform/ui/core/WinUser.h"

struct HACCEL__;
using HACCEL = HACCEL__*;

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};
using LPACCEL = ACCEL*;

HACCEL CreateAcceleratorTableW(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
// Copies up to `count` entries (all when `entries` is null: returns the count).
int CopyAcceleratorTableW(HACCEL table, LPACCEL entries, int count);
// The table of the program's accelerator resource `name` (MAKEINTRESOURCE id); tables loaded
// from resources live as long as the program.
HACCEL LoadAcceleratorsW(HINSTANCE inst, LPCWSTR name);
inline HACCEL LoadAccelerators(HINSTANCE inst, LPCWSTR name) { return LoadAcceleratorsW(inst, name); }
// When msg is a key-down (or character) matching an entry of the table: the command is sent
// to hwnd (WM_COMMAND with 1 in the high word of wParam) and TRUE returned.
int TranslateAcceleratorW(HWND hwnd, HACCEL table, LPMSG msg);
inline int TranslateAccelerator(HWND hwnd, HACCEL table, LPMSG msg) { return TranslateAcceleratorW(hwnd, table, msg); }
