// Command user-interface updates: the CCmdUI kinds for menu items and bar items, and the
// update of a dialog's (or dialog bar's) controls against a command target.
#pragma once

#include "platform/ui/core/CmdTarget.h"
#include "platform/ui/framework/MenuTypes.h"

// A menu item by position in m_pMenu (an HMENU).
class CMenuCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCTSTR lpszText) override;
};

// Runs the update handlers of every item of a popup menu (WM_INITMENUPOPUP): items without a
// handler are disabled when bAutoMenuEnable and no command handler exists either.
void AfxUpdateMenuPopup(CCmdTarget* pTarget, HMENU hMenu, BOOL bAutoMenuEnable);

// Runs the update handlers of the child controls of pWnd (those with a command id) against
// pTarget, disabling controls without handlers when bDisableIfNoHndler.
void AfxUpdateDialogControls(CWnd* pWnd, CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
