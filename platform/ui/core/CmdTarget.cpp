// Message-map lookup, command routing of CCmdTarget, and CCmdUI.
#include "platform/ui/core/CmdTarget.h"

#include "platform/ui/core/Wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* map, UINT nMessage, UINT nCode, UINT nID)
{
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->pfn; ++e) {
            if (nMessage >= 0xC000 && e->pnMessage) {
                if (*e->pnMessage == nMessage)
                    return e;
                continue;
            }
            if (e->pnMessage)
                continue;
            if (e->nMessage == nMessage && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID)
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = WM_COMMAND;
    UINT code = UINT(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI) {
        // Notifications and reflected commands carry their message in the high word.
        if (HIWORD(UINT(nCode)))
            nMsg = HIWORD(UINT(nCode));
        code = LOWORD(UINT(nCode));
    }
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), nMsg, code, nID);
    if (!e)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = e;
        return TRUE;
    }
    AFX_CALL c;
    c.message = nMsg;
    c.nID = nID;
    c.nCode = code;
    c.pExtra = pExtra;
    if (nCode != CN_UPDATE_COMMAND_UI || !pExtra)
        return e->pfn(this, c);
    // An update handler that asks to go on routing (a frame without the control bar of a
    // View menu item) leaves the item to the next target, e.g. the main frame that has it.
    auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
    pCmdUI->m_bContinueRouting = FALSE;
    e->pfn(this, c);
    const BOOL handled = !pCmdUI->m_bContinueRouting;
    pCmdUI->m_bContinueRouting = FALSE;
    return handled;
}

void CCmdTarget::BeginWaitCursor() { AfxDoWaitCursor(1); }
void CCmdTarget::EndWaitCursor() { AfxDoWaitCursor(-1); }
void CCmdTarget::RestoreWaitCursor() { AfxDoWaitCursor(0); }

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pOther) {
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            // The focus must not stay on a control that is being disabled.
            if (HWND parent = ::GetParent(m_pOther->m_hWnd))
                ::SetFocus(parent);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    constexpr UINT kSetCheck = 0x00F1;  // BM_SETCHECK
    if (m_pOther)
        m_pOther->SendMessage(kSetCheck, WPARAM(nCheck), 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pOther && lpszText)
        m_pOther->SetWindowText(lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (!pTarget || m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;  // separators and unnamed items are left alone
    m_bEnableChanged = FALSE;
    BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{nullptr, nullptr};
        BOOL hasHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(hasHandler);
    }
    return handled;
}
