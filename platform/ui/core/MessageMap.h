// Message-map macros (see CmdTarget.h). Each entry's function unpacks the message into the
// handler's arguments; `ThisClass` is the class whose map is being defined.
#pragma once

#include "platform/ui/core/Wnd.h"

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, nullptr, nullptr}}; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap; \
    }

// A handler call: `self` is the object, `c` the AFX_CALL.
#define TVX_THUNK_(...) \
    [](CCmdTarget* tvxTarget_, AFX_CALL& c) -> BOOL { \
        ThisClass* self = static_cast<ThisClass*>(tvxTarget_); \
        (void)c; \
        (void)self; \
        __VA_ARGS__ \
    }
#define TVX_MSG_(msg, ...) {msg, 0, 0, 0, nullptr, TVX_THUNK_(__VA_ARGS__ return TRUE;)},
#define TVX_PT_ CPoint(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam))
#define TVX_WND_(v) CWnd::FromHandle(reinterpret_cast<HWND>(v))

// ---- window messages ----
#define ON_WM_CREATE() TVX_MSG_(WM_CREATE, c.result = LRESULT(self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(c.lParam)));)
#define ON_WM_DESTROY() TVX_MSG_(WM_DESTROY, self->OnDestroy();)
#define ON_WM_NCDESTROY() TVX_MSG_(WM_NCDESTROY, self->OnNcDestroy();)
#define ON_WM_CLOSE() TVX_MSG_(WM_CLOSE, self->OnClose();)
#define ON_WM_PAINT() TVX_MSG_(WM_PAINT, self->OnPaint();)
#define ON_WM_NCPAINT() TVX_MSG_(WM_NCPAINT, self->OnNcPaint();)
#define ON_WM_ERASEBKGND() TVX_MSG_(WM_ERASEBKGND, c.result = LRESULT(self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam))));)
#define ON_WM_SIZE() TVX_MSG_(WM_SIZE, self->OnSize(UINT(c.wParam), int(LOWORD(c.lParam)), int(HIWORD(c.lParam)));)
#define ON_WM_SIZING() TVX_MSG_(WM_SIZING, self->OnSizing(UINT(c.wParam), reinterpret_cast<LPRECT>(c.lParam));)
#define ON_WM_MOVE() TVX_MSG_(WM_MOVE, self->OnMove(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam));)
#define ON_WM_TIMER() TVX_MSG_(WM_TIMER, self->OnTimer(UINT_PTR(c.wParam));)
#define ON_WM_SHOWWINDOW() TVX_MSG_(WM_SHOWWINDOW, self->OnShowWindow(BOOL(c.wParam), UINT(c.lParam));)
#define ON_WM_ENABLE() TVX_MSG_(WM_ENABLE, self->OnEnable(BOOL(c.wParam));)
#define ON_WM_ACTIVATE() TVX_MSG_(WM_ACTIVATE, self->OnActivate(UINT(LOWORD(c.wParam)), TVX_WND_(c.lParam), BOOL(HIWORD(c.wParam)));)
#define ON_WM_NCACTIVATE() TVX_MSG_(WM_NCACTIVATE, c.result = LRESULT(self->OnNcActivate(BOOL(c.wParam)));)
#define ON_WM_MOUSEACTIVATE() TVX_MSG_(WM_MOUSEACTIVATE, c.result = LRESULT(self->OnMouseActivate(TVX_WND_(c.wParam), UINT(LOWORD(c.lParam)), UINT(HIWORD(c.lParam))));)
#define ON_WM_SETFOCUS() TVX_MSG_(WM_SETFOCUS, self->OnSetFocus(TVX_WND_(c.wParam));)
#define ON_WM_KILLFOCUS() TVX_MSG_(WM_KILLFOCUS, self->OnKillFocus(TVX_WND_(c.wParam));)
#define ON_WM_SETCURSOR() TVX_MSG_(WM_SETCURSOR, c.result = LRESULT(self->OnSetCursor(TVX_WND_(c.wParam), UINT(LOWORD(c.lParam)), UINT(HIWORD(c.lParam))));)
#define ON_WM_CAPTURECHANGED() TVX_MSG_(WM_CAPTURECHANGED, self->OnCaptureChanged(TVX_WND_(c.lParam));)
#define ON_WM_CANCELMODE() TVX_MSG_(WM_CANCELMODE, self->OnCancelMode();)
#define ON_WM_GETDLGCODE() TVX_MSG_(WM_GETDLGCODE, c.result = LRESULT(self->OnGetDlgCode());)
#define ON_WM_CONTEXTMENU() TVX_MSG_(WM_CONTEXTMENU, self->OnContextMenu(TVX_WND_(c.wParam), TVX_PT_);)
#define ON_WM_WINDOWPOSCHANGING() TVX_MSG_(WM_WINDOWPOSCHANGING, self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(c.lParam));)
#define ON_WM_WINDOWPOSCHANGED() TVX_MSG_(WM_WINDOWPOSCHANGED, self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(c.lParam));)
#define ON_WM_GETMINMAXINFO() TVX_MSG_(WM_GETMINMAXINFO, self->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(c.lParam));)
#define ON_WM_SETTINGCHANGE() TVX_MSG_(WM_SETTINGCHANGE, self->OnSettingChange(UINT(c.wParam), reinterpret_cast<LPCTSTR>(c.lParam));)
#define ON_WM_SYSCOLORCHANGE() TVX_MSG_(WM_SYSCOLORCHANGE, self->OnSysColorChange();)
#define ON_WM_SYSCOMMAND() TVX_MSG_(WM_SYSCOMMAND, self->OnSysCommand(UINT(c.wParam), c.lParam);)
#define ON_WM_PARENTNOTIFY() TVX_MSG_(WM_PARENTNOTIFY, self->OnParentNotify(UINT(c.wParam), c.lParam);)
#define ON_WM_CTLCOLOR() \
    {WM_CTLCOLOR, 0, 0, 0, nullptr, TVX_THUNK_(c.result = reinterpret_cast<LRESULT>(self->OnCtlColor( \
        CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)), TVX_WND_(c.lParam), c.nCode)); return TRUE;)},
#define ON_WM_CTLCOLOR_REFLECT() \
    {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, nullptr, TVX_THUNK_( \
        HBRUSH tvxB_ = self->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)), c.nCode); \
        c.result = reinterpret_cast<LRESULT>(tvxB_); return tvxB_ != nullptr;)},
#define ON_WM_HSCROLL() TVX_MSG_(WM_HSCROLL, self->OnHScroll(UINT(LOWORD(c.wParam)), UINT(HIWORD(c.wParam)), reinterpret_cast<CScrollBar*>(TVX_WND_(c.lParam)));)
#define ON_WM_VSCROLL() TVX_MSG_(WM_VSCROLL, self->OnVScroll(UINT(LOWORD(c.wParam)), UINT(HIWORD(c.wParam)), reinterpret_cast<CScrollBar*>(TVX_WND_(c.lParam)));)
#define ON_WM_HSCROLL_REFLECT() {WM_REFLECT_BASE + WM_HSCROLL, 0, 0, 0, nullptr, TVX_THUNK_(self->HScroll(UINT(LOWORD(c.wParam)), UINT(HIWORD(c.wParam))); return TRUE;)},
#define ON_WM_VSCROLL_REFLECT() {WM_REFLECT_BASE + WM_VSCROLL, 0, 0, 0, nullptr, TVX_THUNK_(self->VScroll(UINT(LOWORD(c.wParam)), UINT(HIWORD(c.wParam))); return TRUE;)},
#define ON_WM_NCHITTEST() TVX_MSG_(WM_NCHITTEST, c.result = LRESULT(self->OnNcHitTest(TVX_PT_));)
#define ON_WM_NCCALCSIZE() TVX_MSG_(WM_NCCALCSIZE, self->OnNcCalcSize(BOOL(c.wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(c.lParam));)

// ---- mouse ----
#define TVX_MOUSE_(msg, fn) TVX_MSG_(msg, self->fn(UINT(c.wParam), TVX_PT_);)
#define ON_WM_MOUSEMOVE() TVX_MOUSE_(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() TVX_MOUSE_(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() TVX_MOUSE_(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() TVX_MOUSE_(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() TVX_MOUSE_(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() TVX_MOUSE_(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() TVX_MOUSE_(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() TVX_MOUSE_(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() TVX_MOUSE_(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() TVX_MOUSE_(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_NCMOUSEMOVE() TVX_MOUSE_(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() TVX_MOUSE_(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() TVX_MOUSE_(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() TVX_MOUSE_(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() TVX_MOUSE_(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() TVX_MOUSE_(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCRBUTTONDBLCLK() TVX_MOUSE_(WM_NCRBUTTONDBLCLK, OnNcRButtonDblClk)
#define ON_WM_NCMBUTTONDOWN() TVX_MOUSE_(WM_NCMBUTTONDOWN, OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP() TVX_MOUSE_(WM_NCMBUTTONUP, OnNcMButtonUp)
#define ON_WM_NCMBUTTONDBLCLK() TVX_MOUSE_(WM_NCMBUTTONDBLCLK, OnNcMButtonDblClk)
#define ON_WM_MOUSEWHEEL() \
    TVX_MSG_(WM_MOUSEWHEEL, c.result = LRESULT(self->OnMouseWheel(UINT(GET_KEYSTATE_WPARAM(c.wParam)), \
        short(GET_WHEEL_DELTA_WPARAM(c.wParam)), TVX_PT_));)
#define ON_WM_MOUSELEAVE() TVX_MSG_(WM_MOUSELEAVE, self->OnMouseLeave();)

// ---- keyboard ----
#define TVX_KEY_(msg, fn) TVX_MSG_(msg, self->fn(UINT(c.wParam), UINT(LOWORD(c.lParam)), UINT(HIWORD(c.lParam)));)
#define ON_WM_KEYDOWN() TVX_KEY_(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() TVX_KEY_(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() TVX_KEY_(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() TVX_KEY_(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() TVX_KEY_(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() TVX_KEY_(WM_SYSCHAR, OnSysChar)

// ---- user and registered messages: LRESULT fn(WPARAM, LPARAM) ----
#define ON_MESSAGE(msg, fn) {UINT(msg), 0, 0, 0, nullptr, TVX_THUNK_(c.result = self->fn(c.wParam, c.lParam); return TRUE;)},
#define ON_REGISTERED_MESSAGE(var, fn) {0xC000, 0, 0, 0, &var, TVX_THUNK_(c.result = self->fn(c.wParam, c.lParam); return TRUE;)},
#define ON_THREAD_MESSAGE(msg, fn) {UINT(msg), 0, 0, 0, nullptr, TVX_THUNK_(self->fn(c.wParam, c.lParam); return TRUE;)},

// ---- commands: void fn(); update handlers: void fn(CCmdUI*) ----
#define ON_COMMAND(id, fn) {WM_COMMAND, UINT(CN_COMMAND), UINT(id), UINT(id), nullptr, TVX_THUNK_(self->fn(); return TRUE;)},
#define ON_COMMAND_EX(id, fn) {WM_COMMAND, UINT(CN_COMMAND), UINT(id), UINT(id), nullptr, TVX_THUNK_(return self->fn(c.nID) ? TRUE : FALSE;)},
#define ON_COMMAND_RANGE(id, idLast, fn) {WM_COMMAND, UINT(CN_COMMAND), UINT(id), UINT(idLast), nullptr, TVX_THUNK_(self->fn(c.nID); return TRUE;)},
#define ON_UPDATE_COMMAND_UI(id, fn) \
    {WM_COMMAND, UINT(CN_UPDATE_COMMAND_UI), UINT(id), UINT(id), nullptr, TVX_THUNK_(self->fn(static_cast<CCmdUI*>(c.pExtra)); return TRUE;)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, fn) \
    {WM_COMMAND, UINT(CN_UPDATE_COMMAND_UI), UINT(id), UINT(idLast), nullptr, TVX_THUNK_(self->fn(static_cast<CCmdUI*>(c.pExtra)); return TRUE;)},

// A control's own update handler, asked before its parent's by UpdateDialogControls.
#define ON_UPDATE_COMMAND_UI_REFLECT(fn) \
    {WM_REFLECT_BASE + WM_COMMAND, 0xFFFF, 0, 0, nullptr, TVX_THUNK_(self->fn(static_cast<CCmdUI*>(c.pExtra)); return TRUE;)},

// ---- control notifications through WM_COMMAND: void fn() ----
#define ON_CONTROL(code, id, fn) {WM_COMMAND, UINT(WORD(code)), UINT(id), UINT(id), nullptr, TVX_THUNK_(self->fn(); return TRUE;)},
#define ON_CONTROL_RANGE(code, id, idLast, fn) {WM_COMMAND, UINT(WORD(code)), UINT(id), UINT(idLast), nullptr, TVX_THUNK_(self->fn(c.nID); return TRUE;)},
#define ON_CONTROL_REFLECT(code, fn) {WM_REFLECT_BASE + WM_COMMAND, UINT(WORD(code)), 0, 0, nullptr, TVX_THUNK_(self->fn(); return TRUE;)},
// FALSE from fn lets the parent handle the notification too.
#define ON_CONTROL_REFLECT_EX(code, fn) {WM_REFLECT_BASE + WM_COMMAND, UINT(WORD(code)), 0, 0, nullptr, TVX_THUNK_(return self->fn() ? TRUE : FALSE;)},

// ---- WM_NOTIFY: void fn(NMHDR*, LRESULT*); codes compare as 16-bit values ----
#define TVX_NOTIFY_ static_cast<AFX_NOTIFY*>(c.pExtra)
#define ON_NOTIFY(code, id, fn) \
    {WM_NOTIFY, UINT(WORD(code)), UINT(id), UINT(id), nullptr, TVX_THUNK_(self->fn(TVX_NOTIFY_->pNMHDR, TVX_NOTIFY_->pResult); return TRUE;)},
#define ON_NOTIFY_RANGE(code, id, idLast, fn) \
    {WM_NOTIFY, UINT(WORD(code)), UINT(id), UINT(idLast), nullptr, TVX_THUNK_(self->fn(c.nID, TVX_NOTIFY_->pNMHDR, TVX_NOTIFY_->pResult); return TRUE;)},
#define ON_NOTIFY_EX(code, id, fn) \
    {WM_NOTIFY, UINT(WORD(code)), UINT(id), UINT(id), nullptr, TVX_THUNK_(return self->fn(c.nID, TVX_NOTIFY_->pNMHDR, TVX_NOTIFY_->pResult) ? TRUE : FALSE;)},
#define ON_NOTIFY_EX_RANGE(code, id, idLast, fn) \
    {WM_NOTIFY, UINT(WORD(code)), UINT(id), UINT(idLast), nullptr, TVX_THUNK_(return self->fn(c.nID, TVX_NOTIFY_->pNMHDR, TVX_NOTIFY_->pResult) ? TRUE : FALSE;)},
#define ON_NOTIFY_REFLECT(code, fn) \
    {WM_REFLECT_BASE + WM_NOTIFY, UINT(WORD(code)), 0, 0, nullptr, TVX_THUNK_(self->fn(TVX_NOTIFY_->pNMHDR, TVX_NOTIFY_->pResult); return TRUE;)},
#define ON_NOTIFY_REFLECT_EX(code, fn) \
    {WM_REFLECT_BASE + WM_NOTIFY, UINT(WORD(code)), 0, 0, nullptr, TVX_THUNK_(return self->fn(TVX_NOTIFY_->pNMHDR, TVX_NOTIFY_->pResult) ? TRUE : FALSE;)},
