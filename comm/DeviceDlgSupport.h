// What the device dialogs share: the progress message, the way their buttons ask the main frame
// for device work, and text checks of their fields.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

#include <vector>

class CWnd;
struct MSG;

// Progress of a transfer to the progress dialog: wParam the percentage, lParam the phase.
constexpr UINT WM_TRANSFER_PROGRESS = 1224;

// Posts WM_DEVICE_OPERATION (op, flags) to the main window (the dialog's owner when there is no
// main window), so the operation runs after the button's handler has returned.
void PostDeviceOperation(CWnd* pDialog, int nOperation, LPARAM flags);
// Sends it instead: the operation is done when this returns.
void SendDeviceOperation(CWnd* pDialog, int nOperation, LPARAM flags);
// A string of the string table.
CString DeviceText(UINT nId);
// The position of the first character of `text` that is not in `allowed`, or -1.
int FirstCharacterNotIn(const CString& text, bool (*allowed)(wchar_t));
bool IsLetterOrDigit(wchar_t c);
bool IsKeyDigit(wchar_t c);
// The check of a text field while the user types: the field is cut before its first character
// that is not allowed, and the message is shown. Only the focused field is checked.
void CheckTypedCharacters(CWnd* pDialog, int nId, bool (*allowed)(wchar_t), UINT nMessageId);
// Binds a spin control to its edit with a range and a position.
void SetUpSpin(CWnd* pDialog, int nSpinId, int nBuddyId, int nLower, int nUpper, int nPos);
// The clamp of a number field while the user types: a value below nLower (or an empty field)
// becomes nLower, one above nUpper becomes nUpper. Returns the value the field holds.
int ClampNumberField(CWnd* pDialog, int nId, int nLower, int nUpper);
// Limits an edit to n characters.
void LimitField(CWnd* pDialog, int nId, int n);
// Fills a drop list with `items` and selects *pSelect, which becomes 0 when it names no item.
void FillDropList(CWnd* pDialog, int nId, const std::vector<CString>& items, int* pSelect);
// The numbers nFirst..nLast as texts, for a drop list of numbers.
std::vector<CString> NumberTexts(int nFirst, int nLast);
// In a dialog of many fields Enter moves to the next field, like Tab; it never closes the
// dialog. Called from the dialog's PreTranslateMessage.
void EnterMovesToNextField(MSG* pMsg);
// Where a device dialog opens, from the display's size: its top-left corner at (dx, dy) from
// the screen's centre, or, with bTopAtSixth, its left edge dx from the centre and its top at a
// sixth of the screen's height. Its size is kept; nothing moves when the display reports no size.
void PlaceOnScreen(CWnd* pDialog, int dx, int dy, bool bTopAtSixth = false);
