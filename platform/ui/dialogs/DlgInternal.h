// Shared by the dialog manager's sources: per-dialog state and the control messages the
// dialog manager sends (the controls define the public names of these messages).
#pragma once

#include "platform/ui/core/WinUser.h"

#include <vector>

namespace dlgi {

// Messages and styles of the standard controls that dialogs use.
constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kBmSetCheck = 0x00F1;
constexpr UINT kBmSetStyle = 0x00F4;
constexpr UINT kBmClick = 0x00F5;
constexpr DWORD kBsTypeMask = 0x000F;
constexpr DWORD kBsPushButton = 0x0000;
constexpr DWORD kBsDefPushButton = 0x0001;
constexpr DWORD kBsGroupBox = 0x0007;
constexpr UINT kEmSetSel = 0x00B1;
constexpr UINT kEmLimitText = 0x00C5;
constexpr UINT kBnClicked = 0;

struct DlgState {
    HFONT font = nullptr;        // the dialog font (shared, owned by the font cache)
    SIZE baseUnits{0, 0};
    int defId = 0;               // 0: none set (IDOK is used)
    HWND savedFocus = nullptr;   // the control to give the focus back to on activation
    INT_PTR result = 0;
    bool ended = false;
};

// The state of a dialog window, made on first use; null for windows that are gone.
DlgState* State(HWND hDlg, bool create = true);
void DropState(HWND hDlg);

// The font of a template description (cached for the life of the program).
HFONT TemplateFont(const wchar_t* face, int pointSize, int weight, bool italic);
SIZE FontBaseUnits(HFONT font);

UINT DlgCode(HWND hwnd, MSG* msg = nullptr);
bool IsPushButton(HWND hwnd);
void SetFocusToControl(HWND hDlg, HWND hCtl);
// Every control of the dialog in z-order, children of WS_EX_CONTROLPARENT containers in place
// of the container.
void CollectControls(HWND hDlg, std::vector<HWND>& out);
// Whether the keyboard may reach a control: by its own WS_VISIBLE and WS_DISABLED style bits.
bool Reachable(HWND h);

}  // namespace dlgi
