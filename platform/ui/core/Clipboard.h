// Global memory handles and the clipboard, in the shapes of the Win32 functions.
//
// Global memory: blocks addressed by handle, locked to reach their bytes. A handle the layer
// does not know (freed, made up) is refused, never dereferenced.
//
// Clipboard: data by format (standard ids such as CF_UNICODETEXT, or ids of names registered
// with RegisterClipboardFormat). SetClipboardData takes ownership of the handle. Text placed in
// one of CF_UNICODETEXT, CF_TEXT (the ANSI code page) and CF_OEMTEXT can be read in the others,
// which are made on request and listed after the formats placed, as Win32 synthesises them. What the
// program puts on the clipboard goes to the system clipboard when a bridge is installed (the
// GTK host's: text as UTF-8, registered formats under a private MIME type so that two running
// instances exchange them); without one, the clipboard lives inside the process.
#pragma once

#include "platform/ui/core/WinUser.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct HGLOBAL__;
using HGLOBAL = HGLOBAL__*;
using CLIPFORMAT = WORD;
using SIZE_T = std::size_t;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_SHARE = 0x2000;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// Blocks larger than this are refused (null handle), so bad sizes from damaged data cannot
// exhaust memory.
constexpr SIZE_T kGlobalMaxBytes = SIZE_T(256) << 20;

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// Keeps the handle; the bytes may move. Null on failure (the old block stays valid).
HGLOBAL GlobalReAlloc(HGLOBAL h, SIZE_T bytes, UINT flags);
LPVOID GlobalLock(HGLOBAL h);
BOOL GlobalUnlock(HGLOBAL h);
SIZE_T GlobalSize(HGLOBAL h);
// Null on success, the handle when it was not a live block.
HGLOBAL GlobalFree(HGLOBAL h);
// A new block with a copy of the bytes of h (null for an unknown handle).
HGLOBAL GlobalDuplicate(HGLOBAL h);

// ---- standard formats ----
constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_HDROP = 15;

UINT RegisterClipboardFormatW(LPCWSTR name);
inline UINT RegisterClipboardFormat(LPCWSTR name) { return RegisterClipboardFormatW(name); }
int GetClipboardFormatNameW(UINT format, LPWSTR buf, int max);

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// Takes ownership of `data`. Only while the clipboard is open by this program.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The clipboard keeps ownership of the handle returned.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
UINT EnumClipboardFormats(UINT format);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
// Changes each time the content changes.
DWORD GetClipboardSequenceNumber();

// ---- the system clipboard ----
struct ClipboardItem {
    UINT format = 0;          // CF_ id, or registered id
    std::wstring name;        // the registered name; empty for standard formats
    std::vector<BYTE> bytes;  // CF_UNICODETEXT: wchar_t characters with a terminating zero
};
struct ClipboardBridge {
    // The program closed the clipboard after changing it.
    std::function<void(const std::vector<ClipboardItem>&)> publish;
    // Reads what another program placed on the system clipboard; false when that is nothing
    // new (the program's own content stays).
    std::function<bool(std::vector<ClipboardItem>&)> fetch;
};
// Installs the bridge (empty functions: the clipboard stays inside the process).
void AfxSetClipboardBridge(ClipboardBridge bridge);

// ---- text ----
// CF_UNICODETEXT holds wide characters (wchar_t) with a terminating zero.
BOOL AfxSetClipboardText(const std::wstring& text);
BOOL AfxGetClipboardText(std::wstring& text);
// Makes the edit controls' cut, copy and paste use this clipboard again (and so the system one),
// dropping handlers a program installed with CtlSetClipboardHandlers.
void AfxConnectEditClipboard();
