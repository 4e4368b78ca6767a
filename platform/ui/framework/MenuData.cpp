// Menus as data: creation, items by position or command, states, strings.
#include "platform/ui/framework/detail/MenuData.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace ui {
namespace {

std::map<HMENU, std::unique_ptr<MenuData>>& Menus()
{
    static auto* menus = new std::map<HMENU, std::unique_ptr<MenuData>>;
    return *menus;
}

HMENU NewMenu(bool popup)
{
    // Handles are never reused, so a stale handle finds nothing instead of another menu.
    static UINT_PTR next = 0x10000;
    auto d = std::make_unique<MenuData>();
    d->handle = reinterpret_cast<HMENU>(next += 4);
    d->popup = popup;
    HMENU h = d->handle;
    Menus()[h] = std::move(d);
    return h;
}

MenuEntry* FindIn(MenuData* m, UINT id, MenuData** holder, int* index, int depth)
{
    if (!m || depth > 32)
        return nullptr;
    for (size_t i = 0; i < m->items.size(); ++i) {
        MenuEntry& e = m->items[i];
        if (!e.IsPopup() && !e.IsSeparator() && e.id == id) {
            if (holder)
                *holder = m;
            if (index)
                *index = int(i);
            return &e;
        }
    }
    for (MenuEntry& e : m->items)
        if (e.IsPopup())
            if (MenuEntry* f = FindIn(FindMenu(e.sub), id, holder, index, depth + 1))
                return f;
    return nullptr;
}

MenuEntry MakeEntry(UINT flags, UINT_PTR idOrPopup, LPCWSTR text)
{
    MenuEntry e;
    e.flags = flags & ~(MF_BYPOSITION | MF_POPUP);  // MF_APPEND, MF_CHANGE ... share bits with item flags
    if (flags & MF_POPUP) {
        e.sub = reinterpret_cast<HMENU>(idOrPopup);
        if (MenuData* sub = FindMenu(e.sub))
            sub->popup = true;
    } else {
        e.id = UINT(idOrPopup);
    }
    if (flags & MF_OWNERDRAW)
        e.data = reinterpret_cast<ULONG_PTR>(text);
    else if (!(flags & (MF_SEPARATOR | MF_BITMAP)) && text)
        e.text = text;
    else if ((flags & MF_BITMAP) && text && !IS_INTRESOURCE(text))
        e.text = text;
    return e;
}

void DestroyTree(HMENU h, int depth)
{
    auto it = Menus().find(h);
    if (it == Menus().end() || depth > 32)
        return;
    std::unique_ptr<MenuData> d = std::move(it->second);
    Menus().erase(it);
    for (MenuEntry& e : d->items)
        if (e.sub)
            DestroyTree(e.sub, depth + 1);
}

}  // namespace

MenuData* FindMenu(HMENU h)
{
    auto it = Menus().find(h);
    return it == Menus().end() ? nullptr : it->second.get();
}

MenuEntry* FindMenuItem(HMENU menu, UINT item, UINT flags, MenuData** holder, int* index)
{
    MenuData* m = FindMenu(menu);
    if (!m)
        return nullptr;
    if (flags & MF_BYPOSITION) {
        if (item >= m->items.size())
            return nullptr;
        if (holder)
            *holder = m;
        if (index)
            *index = int(item);
        return &m->items[item];
    }
    return FindIn(m, item, holder, index, 0);
}

int MnemonicIndex(const std::wstring& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == L'\t')
            break;
        if (text[i] == L'&') {
            if (text[i + 1] == L'&') {
                ++i;
                continue;
            }
            return int(i + 1);
        }
    }
    return -1;
}

}  // namespace ui

using namespace ui;

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }

BOOL DestroyMenu(HMENU menu)
{
    if (!FindMenu(menu))
        return FALSE;
    DestroyTree(menu, 0);
    return TRUE;
}

BOOL IsMenu(HMENU menu) { return FindMenu(menu) != nullptr; }

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCWSTR text)
{
    MenuData* m = FindMenu(menu);
    if (!m || ((flags & MF_POPUP) && !FindMenu(reinterpret_cast<HMENU>(idOrPopup))))
        return FALSE;
    m->items.push_back(MakeEntry(flags, idOrPopup, text));
    return TRUE;
}

BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCWSTR text)
{
    MenuData* m = FindMenu(menu);
    if (!m || ((flags & MF_POPUP) && !FindMenu(reinterpret_cast<HMENU>(idOrPopup))))
        return FALSE;
    MenuEntry e = MakeEntry(flags, idOrPopup, text);
    if (flags & MF_BYPOSITION) {
        // A position past the end (or -1) appends, as Win32 does.
        size_t at = position >= m->items.size() ? m->items.size() : position;
        m->items.insert(m->items.begin() + long(at), std::move(e));
        return TRUE;
    }
    MenuData* holder = nullptr;
    int index = 0;
    if (!FindMenuItem(menu, position, MF_BYCOMMAND, &holder, &index))
        return FALSE;
    holder->items.insert(holder->items.begin() + index, std::move(e));
    return TRUE;
}

BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCWSTR text)
{
    MenuEntry* e = FindMenuItem(menu, position, flags);
    if (!e || ((flags & MF_POPUP) && !FindMenu(reinterpret_cast<HMENU>(idOrPopup))))
        return FALSE;
    MenuEntry n = MakeEntry(flags, idOrPopup, text);
    if (e->sub && e->sub != n.sub)
        DestroyTree(e->sub, 0);  // the replaced submenu goes, as in Win32
    *e = std::move(n);
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags)
{
    MenuData* holder = nullptr;
    int index = 0;
    if (!FindMenuItem(menu, position, flags, &holder, &index))
        return FALSE;
    holder->items.erase(holder->items.begin() + index);
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags)
{
    MenuData* holder = nullptr;
    int index = 0;
    MenuEntry* e = FindMenuItem(menu, position, flags, &holder, &index);
    if (!e)
        return FALSE;
    HMENU sub = e->sub;
    holder->items.erase(holder->items.begin() + index);
    if (sub)
        DestroyTree(sub, 0);
    return TRUE;
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT flags)
{
    MenuEntry* e = FindMenuItem(menu, item, flags);
    if (!e)
        return UINT(-1);
    UINT old = e->flags & (MF_GRAYED | MF_DISABLED);
    e->flags = (e->flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return old;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags)
{
    MenuEntry* e = FindMenuItem(menu, item, flags);
    if (!e)
        return DWORD(-1);
    DWORD old = e->flags & MF_CHECKED;
    e->flags = (e->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
    return old;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags)
{
    BOOL found = FALSE;
    for (UINT i = first; i <= last; ++i) {
        if (MenuEntry* e = FindMenuItem(menu, i, flags)) {
            e->flags = (e->flags & ~MF_CHECKED) | (i == check ? MF_CHECKED : 0);
            found = TRUE;
        }
        if (i == 0xFFFFFFFFu)
            break;
    }
    return found;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPos)
{
    MenuData* m = FindMenu(menu);
    if (!m)
        return FALSE;
    for (MenuEntry& e : m->items)
        e.flags &= ~MF_DEFAULT;
    if (item == UINT(-1))
        return TRUE;
    MenuEntry* e = FindMenuItem(menu, item, byPos ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!e)
        return FALSE;
    e->flags |= MF_DEFAULT;
    return TRUE;
}

int GetMenuItemCount(HMENU menu)
{
    MenuData* m = FindMenu(menu);
    return m ? int(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int pos)
{
    MenuData* m = FindMenu(menu);
    if (!m || pos < 0 || size_t(pos) >= m->items.size() || m->items[size_t(pos)].IsPopup())
        return UINT(-1);
    return m->items[size_t(pos)].id;
}

HMENU GetSubMenu(HMENU menu, int pos)
{
    MenuData* m = FindMenu(menu);
    if (!m || pos < 0 || size_t(pos) >= m->items.size())
        return nullptr;
    return m->items[size_t(pos)].sub;
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR buf, int max, UINT flags)
{
    MenuEntry* e = FindMenuItem(menu, item, flags);
    if (!e)
        return 0;
    if (!buf || max <= 0)
        return int(e->text.size());
    int n = std::min<int>(int(e->text.size()), max - 1);
    std::copy(e->text.begin(), e->text.begin() + n, buf);
    buf[n] = 0;
    return n;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags)
{
    MenuEntry* e = FindMenuItem(menu, item, flags);
    if (!e)
        return UINT(-1);
    UINT state = e->flags & ~MF_POPUP;
    if (e->IsPopup()) {
        MenuData* sub = FindMenu(e->sub);
        // Popups: the low byte of the flags and the item count above it.
        state = (state & 0xFF) | MF_POPUP | (UINT(sub ? sub->items.size() : 0) << 8);
    }
    return state;
}

BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOW info)
{
    MenuEntry* e = FindMenuItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!e || !info)
        return FALSE;
    if (info->fMask & (MIIM_FTYPE | MIIM_TYPE))
        info->fType = e->flags & (MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP | MF_RIGHTJUSTIFY | MF_MENUBREAK | MF_MENUBARBREAK);
    if (info->fMask & MIIM_STATE)
        info->fState = e->flags & (MFS_GRAYED | MF_CHECKED | MF_DEFAULT | MF_HILITE);
    if (info->fMask & MIIM_ID)
        info->wID = e->id;
    if (info->fMask & MIIM_SUBMENU)
        info->hSubMenu = e->sub;
    if (info->fMask & MIIM_DATA)
        info->dwItemData = e->data;
    if (info->fMask & (MIIM_STRING | MIIM_TYPE)) {
        if (info->dwTypeData && info->cch > 0) {
            UINT n = std::min<UINT>(UINT(e->text.size()), info->cch - 1);
            std::copy(e->text.begin(), e->text.begin() + n, info->dwTypeData);
            info->dwTypeData[n] = 0;
        }
        info->cch = UINT(e->text.size());
    }
    return TRUE;
}

BOOL SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info)
{
    MenuEntry* e = FindMenuItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!e || !info)
        return FALSE;
    if (info->fMask & (MIIM_FTYPE | MIIM_TYPE)) {
        constexpr UINT typeBits = MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP | MF_RIGHTJUSTIFY | MF_MENUBREAK | MF_MENUBARBREAK;
        e->flags = (e->flags & ~typeBits) | (info->fType & typeBits);
    }
    if (info->fMask & MIIM_STATE) {
        constexpr UINT stateBits = MFS_GRAYED | MF_CHECKED | MF_DEFAULT | MF_HILITE;
        e->flags = (e->flags & ~stateBits) | (info->fState & stateBits);
    }
    if (info->fMask & MIIM_ID)
        e->id = info->wID;
    if (info->fMask & MIIM_SUBMENU) {
        if (info->hSubMenu && !FindMenu(info->hSubMenu))
            return FALSE;
        e->sub = info->hSubMenu;
        e->flags = info->hSubMenu ? (e->flags | MF_POPUP) : (e->flags & ~MF_POPUP);
    }
    if (info->fMask & MIIM_DATA)
        e->data = info->dwItemData;
    if ((info->fMask & (MIIM_STRING | MIIM_TYPE)) && info->dwTypeData && !(e->flags & MF_OWNERDRAW))
        e->text = info->dwTypeData;
    e->ownerWidth = e->ownerHeight = 0;
    return TRUE;
}

BOOL SetMenuItemData(HMENU menu, UINT item, BOOL byPosition, ULONG_PTR data)
{
    MenuEntry* e = FindMenuItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!e)
        return FALSE;
    e->data = data;
    return TRUE;
}
