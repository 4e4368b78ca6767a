// Text on the clipboard, which the edit controls use for cut, copy and paste.
#include "platform/ui/core/Clipboard.h"

#include "platform/ui/controls/CtlClipboard.h"

#include <cstring>

BOOL AfxSetClipboardText(const std::wstring& text)
{
    SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!h)
        return FALSE;
    std::memcpy(GlobalLock(h), text.c_str(), bytes);
    GlobalUnlock(h);
    if (!::OpenClipboard(nullptr)) {
        GlobalFree(h);
        return FALSE;
    }
    ::EmptyClipboard();
    BOOL ok = ::SetClipboardData(CF_UNICODETEXT, h) != nullptr;
    if (!ok)
        GlobalFree(h);
    ::CloseClipboard();
    return ok;
}

BOOL AfxGetClipboardText(std::wstring& text)
{
    text.clear();
    if (!::OpenClipboard(nullptr))
        return FALSE;
    auto h = static_cast<HGLOBAL>(::GetClipboardData(CF_UNICODETEXT));
    BOOL ok = FALSE;
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
        // Up to the terminating zero, never past the block (damaged data may lack it).
        size_t n = GlobalSize(h) / sizeof(wchar_t);
        size_t len = 0;
        while (len < n && p[len])
            ++len;
        text.assign(p, len);
        GlobalUnlock(h);
        ok = TRUE;
    }
    ::CloseClipboard();
    return ok;
}

void AfxConnectEditClipboard() { CtlSetClipboardHandlers(nullptr, nullptr); }
