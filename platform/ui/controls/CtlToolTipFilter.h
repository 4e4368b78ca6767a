// Tooltips over the child controls of a window that asked for them (the work behind
// CWnd::EnableToolTips): each mouse message bound for the window or its children is shown to
// AfxFilterToolTipMessage, which keeps one tooltip control per thread on the tool under the
// mouse. The texts are asked for with TTN_NEEDTEXTW (TTN_GETDISPINFOW) from the window, with
// idFrom the control's handle and TTF_IDISHWND set, or through a hit-test function of the
// window's own.
#pragma once

#include "platform/ui/controls/CtlCommCtrl.h"

// Fills `ti` with the tool at `client` (a point of `owner`) and returns its id, or -1 for none.
using CtlToolHitTest = INT_PTR (*)(HWND owner, POINT client, TTTOOLINFOW* ti);

void AfxFilterToolTipMessage(HWND owner, const MSG* msg, CtlToolHitTest hitTest = nullptr);
// Hides the tip and forgets the tools of `owner` (when it stops wanting tips or goes away).
void AfxCancelToolTips(HWND owner);
// The thread's tooltip window (created on first use; null before).
HWND AfxGetThreadToolTip();
