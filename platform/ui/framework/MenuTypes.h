// Menu flags, the owner-draw records and the Win32 menu calls. Menus are our own objects behind
// HMENU handles; the menu bar of a window and popup menus are drawn and tracked by this layer.
#pragma once

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/WinUser.h"

// ---- item flags (MF_*) ----
constexpr UINT MF_INSERT = 0x0000;
constexpr UINT MF_CHANGE = 0x0080;
constexpr UINT MF_APPEND = 0x0100;
constexpr UINT MF_DELETE = 0x0200;
constexpr UINT MF_REMOVE = 0x1000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_USECHECKBITMAPS = 0x0200;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_UNHILITE = 0x0000;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_SYSMENU = 0x2000;
constexpr UINT MF_HELP = 0x4000;
constexpr UINT MF_RIGHTJUSTIFY = 0x4000;
constexpr UINT MF_MOUSESELECT = 0x8000;
constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = MF_CHECKED;
constexpr UINT MFS_HILITE = MF_HILITE;
constexpr UINT MFS_ENABLED = MF_ENABLED;
constexpr UINT MFS_DEFAULT = MF_DEFAULT;
constexpr UINT MFT_STRING = MF_STRING;
constexpr UINT MFT_BITMAP = MF_BITMAP;
constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
constexpr UINT MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;
constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_FTYPE = 0x0100;
constexpr UINT MIIM_TYPE = 0x0010;

// ---- TrackPopupMenu flags ----
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

// The owner-draw codes and records (ODT_MENU, DRAWITEMSTRUCT, MEASUREITEMSTRUCT) are those of
// the controls.

struct MENUITEMINFOW {
    UINT cbSize;
    UINT fMask;
    UINT fType;
    UINT fState;
    UINT wID;
    HMENU hSubMenu;
    HBITMAP hbmpChecked;
    HBITMAP hbmpUnchecked;
    ULONG_PTR dwItemData;
    LPWSTR dwTypeData;
    UINT cch;
    HBITMAP hbmpItem;
};
using MENUITEMINFO = MENUITEMINFOW;
using LPMENUITEMINFOW = MENUITEMINFOW*;
using LPMENUITEMINFO = MENUITEMINFOW*;

// ---- menus ----
HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and its submenus.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// A menu (bar or popup) built from the program's menu resource `name` (MAKEINTRESOURCE id).
HMENU LoadMenuW(HINSTANCE inst, LPCWSTR name);
inline HMENU LoadMenu(HINSTANCE inst, LPCWSTR name) { return LoadMenuW(inst, name); }
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCWSTR text);
BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCWSTR text);
BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCWSTR text);
// RemoveMenu keeps a submenu alive; DeleteMenu destroys it. By command the submenus are searched.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
// Previous state (MF_ENABLED/MF_GRAYED/MF_DISABLED), -1 when the item does not exist.
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPos);
int GetMenuItemCount(HMENU menu);
// The command id at a position; -1 (as UINT) for popups and missing items.
UINT GetMenuItemID(HMENU menu, int pos);
HMENU GetSubMenu(HMENU menu, int pos);
int GetMenuStringW(HMENU menu, UINT item, LPWSTR buf, int max, UINT flags);
// The item's flags; for popups the item count in the high byte. -1 when missing.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOW info);
BOOL SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info);
BOOL SetMenuItemData(HMENU menu, UINT item, BOOL byPosition, ULONG_PTR data);
inline BOOL AppendMenu(HMENU m, UINT f, UINT_PTR id, LPCWSTR t) { return AppendMenuW(m, f, id, t); }
inline BOOL InsertMenu(HMENU m, UINT p, UINT f, UINT_PTR id, LPCWSTR t) { return InsertMenuW(m, p, f, id, t); }
inline BOOL ModifyMenu(HMENU m, UINT p, UINT f, UINT_PTR id, LPCWSTR t) { return ModifyMenuW(m, p, f, id, t); }
inline int GetMenuString(HMENU m, UINT i, LPWSTR b, int n, UINT f) { return GetMenuStringW(m, i, b, n, f); }

// The menu bar of a top-level window (a frame shows it above its client area).
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
BOOL DrawMenuBar(HWND hwnd);
// The window's system menu (Restore, Move, Size, Minimize, Maximize, Close); bRevert drops a
// changed copy and returns null.
HMENU GetSystemMenu(HWND hwnd, BOOL bRevert);

// Shows a popup menu at a screen point and tracks it until the user chooses or cancels. With
// TPM_RETURNCMD the chosen command is returned (0 for none) and nothing is sent; otherwise the
// choice is posted to `owner` as WM_COMMAND (WM_SYSCOMMAND for a system menu) and TRUE returned.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, void* params);
// Ends the menu tracking in progress.
BOOL EndMenu();
