// One tooltip control per thread serves every window that wants tips on its child controls.
#include "platform/ui/controls/CtlToolTipFilter.h"

namespace {

struct TipState {
    HWND tip = nullptr;
    HWND owner = nullptr;
    TTTOOLINFOW tool{};
    bool hasTool = false;
};
thread_local TipState t_tips;

bool SameTool(const TTTOOLINFOW& a, const TTTOOLINFOW& b) { return a.hwnd == b.hwnd && a.uId == b.uId; }

// The default tool: the visible child control under the point, named by its handle.
INT_PTR DefaultHitTest(HWND owner, POINT client, TTTOOLINFOW* ti)
{
    HWND child = ChildWindowFromPointEx(owner, client, CWP_SKIPINVISIBLE);
    if (!child || child == owner)
        return -1;
    int id = GetDlgCtrlID(child);
    if (id == 0 || id == 0xFFFF || id == -1)
        return -1;
    ti->uFlags = TTF_IDISHWND;
    ti->hwnd = owner;
    ti->uId = reinterpret_cast<UINT_PTR>(child);
    ti->lpszText = LPSTR_TEXTCALLBACKW;
    return id;
}

void DropTool()
{
    TipState& s = t_tips;
    if (s.hasTool && IsWindow(s.tip)) {
        SendMessageW(s.tip, TTM_POP, 0, 0);
        SendMessageW(s.tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&s.tool));
    }
    s.hasTool = false;
}

}  // namespace

HWND AfxGetThreadToolTip() { return IsWindow(t_tips.tip) ? t_tips.tip : nullptr; }

void AfxCancelToolTips(HWND owner)
{
    if (t_tips.owner == owner) {
        DropTool();
        t_tips.owner = nullptr;
    }
}

void AfxFilterToolTipMessage(HWND owner, const MSG* msg, CtlToolHitTest hitTest)
{
    if (!msg || !IsWindow(owner))
        return;
    bool mouse = (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) ||
                 (msg->message >= WM_NCMOUSEMOVE && msg->message <= WM_NCMBUTTONDBLCLK);
    if (!mouse)
        return;
    TipState& s = t_tips;
    if (!IsWindow(s.tip)) {
        AfxRegisterControlClasses();
        s.tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                GetAncestor(owner, GA_ROOT), nullptr, nullptr, nullptr);
        s.hasTool = false;
        if (!s.tip)
            return;
        SendMessageW(s.tip, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    if (s.owner != owner) {
        DropTool();
        s.owner = owner;
    }
    POINT pt = msg->pt;
    if (msg->message < WM_NCMOUSEMOVE || msg->message > WM_NCMBUTTONDBLCLK) {
        pt = POINT{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        ClientToScreen(msg->hwnd, &pt);
    }
    POINT client = pt;
    ScreenToClient(owner, &client);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    INT_PTR hit = (hitTest ? hitTest : DefaultHitTest)(owner, client, &ti);
    if (hit < 0) {
        DropTool();
        return;
    }
    if (!s.hasTool || !SameTool(s.tool, ti)) {
        DropTool();
        s.tool = ti;
        SendMessageW(s.tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&s.tool));
        s.hasTool = true;
    }
    // the tooltip tracks the mouse over the owner's coordinates
    MSG relay = *msg;
    relay.hwnd = owner;
    relay.lParam = MAKELPARAM(WORD(SHORT(client.x)), WORD(SHORT(client.y)));
    if (relay.message >= WM_NCMOUSEMOVE && relay.message <= WM_NCMBUTTONDBLCLK)
        relay.message = relay.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE;
    SendMessageW(s.tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
}
