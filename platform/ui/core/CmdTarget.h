// CCmdTarget: objects that receive commands and messages through message maps, and CCmdUI, the
// record a command-update handler gets to enable, check or relabel a command's user interface.
//
// A message map is a table of entries that bind a message, command or notification to a member
// function of the class. Each entry holds a small function that calls the handler with the
// arguments unpacked from the message, so handlers are ordinary (non-virtual) members with the
// usual signatures, e.g. `void OnLButtonDown(UINT nFlags, CPoint point)`:
//
//     class CMyView : public CWnd {
//         ...
//         DECLARE_MESSAGE_MAP()
//     };
//     BEGIN_MESSAGE_MAP(CMyView, CWnd)
//         ON_WM_LBUTTONDOWN()
//         ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
//         ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
//         ON_MESSAGE(WM_USER + 1, OnMyMessage)
//     END_MESSAGE_MAP()
//
// The macros are in platform/ui/MessageMap.h.
#pragma once

#include "platform/base/Object.h"
#include "platform/ui/core/WinUser.h"

// Declares the message map of a class (at the end of its definition).
#if defined(__clang__)
#define TVX_MAP_DECL_BEGIN_ \
    _Pragma("clang diagnostic push") \
    _Pragma("clang diagnostic ignored \"-Winconsistent-missing-override\"")
#define TVX_MAP_DECL_END_ _Pragma("clang diagnostic pop")
#else
#define TVX_MAP_DECL_BEGIN_
#define TVX_MAP_DECL_END_
#endif

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    TVX_MAP_DECL_BEGIN_ \
    virtual const AFX_MSGMAP* GetMessageMap() const; \
    TVX_MAP_DECL_END_ \
private:

class CCmdTarget;
class CCmdUI;
class CWnd;

// One call through a message map: the message and what the handler gets.
struct AFX_CALL {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT nID = 0;            // command or control id
    UINT nCode = 0;          // notification code
    void* pExtra = nullptr;  // CCmdUI* for update handlers, AFX_NOTIFY* for WM_NOTIFY
    LRESULT result = 0;
};

// Calls the handler; returns TRUE when the message counts as handled.
using AFX_THUNK = BOOL (*)(CCmdTarget* target, AFX_CALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;              // WM_xxx, WM_COMMAND, WM_NOTIFY, or reflected (WM_REFLECT_BASE + ...)
    UINT nCode;                 // notification / command code
    UINT nID;                   // first control or command id
    UINT nLastID;               // last id of a range
    const UINT* pnMessage;      // registered messages: the variable holding the number
    AFX_THUNK pfn;              // null marks the end of a table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What WM_NOTIFY handlers get through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by OnCmdMsg when asked only whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

// Command codes of OnCmdMsg
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;
// Reflected messages arrive at the control with this offset.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
// The classic catch-all colour message; ON_WM_CTLCOLOR handles every WM_CTLCOLORxxx through it.
constexpr UINT WM_CTLCOLOR = 0x0019;
// Private messages of the framework: idle processing of modal loops.
constexpr UINT WM_KICKIDLE = 0x036A;
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Routes a command (nCode CN_COMMAND or a control notification), an update request
    // (CN_UPDATE_COMMAND_UI) or a notification (MAKELONG(code, WM_NOTIFY)) to this object's map.
    // With pHandlerInfo only tells whether a handler exists.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Looks for an entry, most derived map first.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT nMessage, UINT nCode, UINT nID);

    // The hourglass while something long runs; nested calls count. Windows that leave
    // WM_SETCURSOR to the default keep showing it.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();
};

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    void* m_pMenu = nullptr;     // the menu being updated (menus), else null
    void* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;    // the control being updated (bars), else null
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE) { SetCheck(bOn ? 1 : 0); }
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's update handler; without one, disables the item when bDisableIfNoHandler
    // and no command handler exists either.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};
