// The controls' clipboard text: the program's handlers, else a store inside the process.
#include "platform/ui/controls/CtlClipboard.h"

#include <mutex>

namespace {
std::mutex g_lock;
CtlClipboardGet g_get;
CtlClipboardSet g_set;
std::wstring g_store;
bool g_has = false;
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
        if (!g_get) {
            text = g_store;
            return g_has;
        }
        get = g_get;
    }
    return get(text);
}

bool ClipboardSetText(const std::wstring& text)
{
    CtlClipboardSet set;
    {
        std::lock_guard<std::mutex> l(g_lock);
        if (!g_set) {
            g_store = text;
            g_has = true;
            return true;
        }
        set = g_set;
    }
    return set(text);
}

}  // namespace ctl
