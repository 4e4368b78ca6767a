// The controls' clipboard text: the program's handlers, else the window layer's clipboard, so
// a paste always gives what was last placed there, by the controls or by SetClipboardData.
#include "platform/ui/controls/CtlClipboard.h"

#include "platform/ui/core/Clipboard.h"

#include <mutex>

namespace {
std::mutex g_lock;
CtlClipboardGet g_get;
CtlClipboardSet g_set;
}  // namespace

void CtlSetClipboardHandlers(CtlClipboardGet get, CtlClipboardSet set)
{
    std::lock_guard<std::mutex> l(g_lock);
    g_get = std::move(get);
    g_set = std::move(set);
}

namespace ctl {

bool ClipboardGetText(std::wstring& text)
{
    CtlClipboardGet get;
    {
        std::lock_guard<std::mutex> l(g_lock);
        get = g_get;
    }
    return get ? get(text) : AfxGetClipboardText(text) != FALSE;
}

bool ClipboardSetText(const std::wstring& text)
{
    CtlClipboardSet set;
    {
        std::lock_guard<std::mutex> l(g_lock);
        set = g_set;
    }
    return set ? set(text) : AfxSetClipboardText(text) != FALSE;
}

}  // namespace ctl
