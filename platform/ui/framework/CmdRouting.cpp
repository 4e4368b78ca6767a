// Update handlers for menus and dialog controls.
#include "platform/ui/framework/CmdRouting.h"

#include "platform/ui/core/Wnd.h"

#include <string>

void CMenuCmdUI::Enable(BOOL bOn)
{
    HMENU menu = static_cast<HMENU>(m_pMenu);
    if (menu)
        ::EnableMenuItem(menu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    m_bEnableChanged = TRUE;
}

void CMenuCmdUI::SetCheck(int nCheck)
{
    if (HMENU menu = static_cast<HMENU>(m_pMenu))
        ::CheckMenuItem(menu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CMenuCmdUI::SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }

void CMenuCmdUI::SetText(LPCTSTR lpszText)
{
    HMENU menu = static_cast<HMENU>(m_pMenu);
    if (!menu || !lpszText || m_pSubMenu)
        return;
    // Keeps the item's id and state; only the text changes.
    UINT state = ::GetMenuState(menu, m_nIndex, MF_BYPOSITION);
    if (state == UINT(-1))
        return;
    UINT keep = state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT | MF_MENUBREAK | MF_MENUBARBREAK);
    ::ModifyMenuW(menu, m_nIndex, MF_BYPOSITION | MF_STRING | keep, m_nID, lpszText);
}

void AfxUpdateMenuPopup(CCmdTarget* pTarget, HMENU hMenu, BOOL bAutoMenuEnable)
{
    if (!pTarget || !::IsMenu(hMenu))
        return;
    CMenuCmdUI state;
    state.m_pMenu = hMenu;
    state.m_nIndexMax = UINT(::GetMenuItemCount(hMenu));
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = ::GetMenuItemID(hMenu, int(state.m_nIndex));
        if (state.m_nID == 0)
            continue;  // separator
        if (state.m_nID == UINT(-1)) {
            // A submenu: its first item's handler decides whether the submenu is enabled.
            HMENU sub = ::GetSubMenu(hMenu, int(state.m_nIndex));
            state.m_pSubMenu = sub;
            state.m_nID = sub ? ::GetMenuItemID(sub, 0) : 0;
            if (state.m_nID == 0 || state.m_nID == UINT(-1))
                continue;
            state.DoUpdate(pTarget, FALSE);
        } else {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(pTarget, bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // Handlers may add or remove items (the recent-file list): keep the index on the item.
        UINT count = UINT(::GetMenuItemCount(hMenu));
        if (count < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - count);
            while (state.m_nIndex < count && ::GetMenuItemID(hMenu, int(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = count;
    }
}

void AfxUpdateDialogControls(CWnd* pWnd, CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!pWnd || !pTarget || !pWnd->m_hWnd)
        return;
    CCmdUI state;
    for (HWND h = ::GetWindow(pWnd->m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        UINT id = UINT(::GetDlgCtrlID(h));
        if (id == 0 || id == 0xFFFF)
            continue;
        CWnd* ctrl = CWnd::FromHandle(h);
        state.m_pOther = ctrl;
        state.m_nID = id;
        // Static texts and group boxes have nothing to enable.
        wchar_t cls[32] = {};
        ::GetClassNameW(h, cls, 32);
        bool isStatic = std::wstring(cls) == L"Static";
        state.DoUpdate(pTarget, bDisableIfNoHndler && !isStatic);
    }
}
