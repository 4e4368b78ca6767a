// The dialog manager: the dialog window class ("#32770") and its default procedure, dialogs
// built from templates, dialog units, keyboard navigation between controls (IsDialogMessage)
// and the helper functions that address controls by id.
#pragma once

#include "platform/base/ResourceTables.h"
#include "platform/ui/core/WinUser.h"

#include <cstdint>
#include <string>
#include <vector>

// ---- dialog messages and styles ----
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr UINT DM_REPOSITION = WM_USER + 2;
constexpr WORD DC_HASDEFID = 0x534B;

constexpr DWORD DS_ABSALIGN = 0x0001;
constexpr DWORD DS_SYSMODAL = 0x0002;
constexpr DWORD DS_3DLOOK = 0x0004;
constexpr DWORD DS_FIXEDSYS = 0x0008;
constexpr DWORD DS_NOFAILCREATE = 0x0010;
constexpr DWORD DS_LOCALEDIT = 0x0020;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_NOIDLEMSG = 0x0100;
constexpr DWORD DS_SETFOREGROUND = 0x0200;
constexpr DWORD DS_CONTROL = 0x0400;
constexpr DWORD DS_CENTER = 0x0800;
constexpr DWORD DS_CENTERMOUSE = 0x1000;
constexpr DWORD DS_CONTEXTHELP = 0x2000;
constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

constexpr int IDHELP = 9;

// The class name of dialog windows.
#define WC_DIALOG L"#32770"

// ---- the dialog class ----
// Registers the dialog class on first use (idempotent).
void DlgRegisterClass();
// The default procedure of dialog windows: default button, focus kept across activation,
// WM_NEXTDLGCTL, WM_CLOSE as IDCANCEL, the dialog font.
LRESULT DefDlgProcW(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
inline LRESULT DefDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) { return DefDlgProcW(hDlg, msg, wParam, lParam); }
// True for windows made by the dialog manager (of the dialog class or built from a template).
BOOL DlgIsDialog(HWND hwnd);

// Builds the controls of a template inside a dialog window that already exists (the window
// must be of the dialog class or pass its messages to DefDlgProc), sets their font and returns
// the first tab stop. FALSE (and the controls made so far destroyed) when a control's class is
// not registered or its window cannot be made.
BOOL DlgCreateControls(HWND hDlg, const DialogTemplate& tmpl);
// The window rectangle (in the coordinates CreateWindowEx wants for its parent/owner) of a
// dialog made from the template: dialog units through the template font, plus the frame.
RECT DlgWindowRect(const DialogTemplate& tmpl, HWND hParent);
// Prepares the dialog's font and base units from the template (before DlgWindowRect uses them
// for a window that does not exist yet, the template's font is measured directly).
void DlgSetTemplateFont(HWND hDlg, const DialogTemplate& tmpl);
// Sends WM_INITDIALOG and sets the focus as Win32 does after it (the first tab stop when the
// answer is TRUE). Returns the answer.
LRESULT DlgSendInitDialog(HWND hDlg, LPARAM initParam);

// ---- initial list data of templates ----
// One item a template puts into a list or combo box before the dialog initialises (what a
// DLGINIT resource holds): the control, LB_ADDSTRING or CB_ADDSTRING, and the item text.
struct DlgInitItem {
    std::uint32_t controlId = 0;
    UINT message = 0;
    std::wstring text;
};
// The resource library installs the lookup (by template id, in the interface language).
using DlgInitFinder = const std::vector<DlgInitItem>* (*)(std::uint32_t templateId);
void AfxSetDlgInitFinder(DlgInitFinder finder);
// Sends the template's items to their controls; FALSE when a control is missing.
BOOL DlgExecuteInit(HWND hDlg, std::uint32_t templateId);

// ---- dialog units ----
// Base units of the dialog's font: cx = average character width, cy = character height.
SIZE DlgGetBaseUnits(HWND hDlg);
// Base units of a font described by face and point size (empty face: the system font).
SIZE DlgMeasureBaseUnits(const wchar_t* face, int pointSize, int weight = 0, bool italic = false);
LONG GetDialogBaseUnits();
BOOL MapDialogRect(HWND hDlg, LPRECT rect);

// ---- navigation ----
// Handles the keyboard interface of dialogs for a message meant for hDlg or one of its
// controls: Tab/Shift+Tab, arrows in groups, Enter, Escape and mnemonics. Messages it does not
// use itself are translated and dispatched. TRUE when the message belonged to the dialog.
BOOL IsDialogMessageW(HWND hDlg, LPMSG msg);
inline BOOL IsDialogMessage(HWND hDlg, LPMSG msg) { return IsDialogMessageW(hDlg, msg); }
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
// Ends a modal dialog made with CDialog (its modal loop returns nResult); a modeless dialog is
// hidden.
BOOL EndDialog(HWND hDlg, INT_PTR nResult);

// ---- controls by id ----
LRESULT SendDlgItemMessageW(HWND hDlg, int id, UINT msg, WPARAM wParam, LPARAM lParam);
inline LRESULT SendDlgItemMessage(HWND hDlg, int id, UINT msg, WPARAM wParam, LPARAM lParam) { return SendDlgItemMessageW(hDlg, id, msg, wParam, lParam); }
BOOL SetDlgItemTextW(HWND hDlg, int id, LPCWSTR text);
UINT GetDlgItemTextW(HWND hDlg, int id, LPWSTR buf, int max);
BOOL SetDlgItemInt(HWND hDlg, int id, UINT value, BOOL bSigned);
UINT GetDlgItemInt(HWND hDlg, int id, BOOL* translated, BOOL bSigned);
BOOL CheckDlgButton(HWND hDlg, int id, UINT check);
UINT IsDlgButtonChecked(HWND hDlg, int id);
// Checks `idCheck` and clears the other buttons of idFirst..idLast.
BOOL CheckRadioButton(HWND hDlg, int idFirst, int idLast, int idCheck);
