#include "resources/Resources.h"

#include "platform/base/CString.h"

void InitResources()
{
    AfxSetStringLoader([](UINT id, CString& out) {
        const ResString* s = FindString(id);
        if (!s) return false;
        out = CString(s->text);
        return true;
    });

    // The platform layer (dialogs, menus, accelerators, toolbars, images) finds the program's
    // resources through these, always in the current interface language.
    ResourceFinder finder;
    finder.findString = [](std::uint32_t id) { return FindString(id); };
    finder.findDialog = [](std::uint32_t id) { return FindDialog(id); };
    finder.findMenu = [](std::uint32_t id) { return FindMenu(id); };
    finder.findAccelerators = [](std::uint32_t id) { return FindAccelerators(id); };
    finder.findToolbar = [](std::uint32_t id) { return FindToolbar(id); };
    finder.findBitmap = [](std::uint32_t id) { return FindBitmap(id); };
    finder.findIcon = [](std::uint32_t id) { return FindIcon(id); };
    finder.findCursor = [](std::uint32_t id) { return FindCursor(id); };
    AfxSetResourceFinder(finder);
}

namespace {

// Whenever this file is part of the program, LoadString and the finder work from the start.
const bool g_installed = (InitResources(), true);

} // namespace
