// The records behind HMENU handles, shared by the menu calls, the menu bar and the tracker.
#pragma once

#include "platform/ui/framework/MenuTypes.h"

#include <string>
#include <vector>

namespace ui {

struct MenuEntry {
    UINT flags = 0;      // MF_* bits of the item (type and state)
    UINT id = 0;         // command id (0 for separators and popups)
    HMENU sub = nullptr; // submenu of a popup item
    std::wstring text;
    ULONG_PTR data = 0;  // item data (owner-drawn items get it back)
    UINT ownerWidth = 0; // measured size of an owner-drawn item (0: not measured yet)
    UINT ownerHeight = 0;
    bool IsSeparator() const { return (flags & MF_SEPARATOR) != 0; }
    bool IsPopup() const { return sub != nullptr; }
    bool IsDisabled() const { return (flags & (MF_GRAYED | MF_DISABLED)) != 0; }
};

struct MenuData {
    HMENU handle = nullptr;
    bool popup = false;
    HWND systemOf = nullptr;  // set for a window's system menu: its commands go as WM_SYSCOMMAND
    std::vector<MenuEntry> items;
};

MenuData* FindMenu(HMENU h);
// The item of `menu` named by position or command (searching submenus for commands); the menu
// that holds it goes to *holder.
MenuEntry* FindMenuItem(HMENU menu, UINT item, UINT flags, MenuData** holder = nullptr, int* index = nullptr);
// Index of the mnemonic character (after a single '&') in a menu text, -1 for none.
int MnemonicIndex(const std::wstring& text);
// The window showing `menu` as its menu bar, if any.
HWND MenuBarWindowOf(HWND frame);
// Reserved height of a window's menu bar (0 without a menu), for frames laying out the client.
int MenuBarHeight(HWND frame);
void RedrawMenuBar(HWND frame);
// How many system menus the menu layer keeps for windows (each freed with its window).
size_t KeptWindowMenuCount();

}  // namespace ui
