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
}

namespace {

// Whenever this file is part of the program, LoadString works from the start.
const bool g_installed = (InitResources(), true);

} // namespace
