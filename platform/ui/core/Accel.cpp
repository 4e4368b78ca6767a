// Accelerator tables and their translation.
#include "platform/ui/core/Accel.h"

#include "platform/base/ResourceTables.h"
#include "platform/ui/framework/MenuTypes.h"

#include <map>
#include <memory>
#include <vector>

namespace {

std::map<HACCEL, std::vector<ACCEL>>& Tables()
{
    static auto* t = new std::map<HACCEL, std::vector<ACCEL>>;
    return *t;
}

HACCEL NewTable(std::vector<ACCEL> entries)
{
    static UINT_PTR next = 0x20000;
    HACCEL h = reinterpret_cast<HACCEL>(next += 4);
    Tables()[h] = std::move(entries);
    return h;
}

bool Matches(const ACCEL& a, const MSG& m)
{
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool alt = GetKeyState(VK_MENU) < 0;
    if (a.fVirt & FVIRTKEY) {
        if (m.message != WM_KEYDOWN && m.message != WM_SYSKEYDOWN)
            return false;
        if (WORD(m.wParam) != a.key)
            return false;
        return shift == ((a.fVirt & FSHIFT) != 0) && ctrl == ((a.fVirt & FCONTROL) != 0) &&
               alt == ((a.fVirt & FALT) != 0);
    }
    // Character entries match the typed character; Alt must agree (WM_SYSCHAR carries it).
    if (m.message != WM_CHAR && m.message != WM_SYSCHAR)
        return false;
    if (WORD(m.wParam) != a.key)
        return false;
    return alt == ((a.fVirt & FALT) != 0);
}

}  // namespace

HACCEL CreateAcceleratorTableW(const ACCEL* entries, int count)
{
    if (!entries || count <= 0 || count > 0x10000)
        return nullptr;
    return NewTable(std::vector<ACCEL>(entries, entries + count));
}

BOOL DestroyAcceleratorTable(HACCEL table) { return Tables().erase(table) ? TRUE : FALSE; }

int CopyAcceleratorTableW(HACCEL table, LPACCEL entries, int count)
{
    auto it = Tables().find(table);
    if (it == Tables().end())
        return 0;
    if (!entries)
        return int(it->second.size());
    int n = std::min<int>(count, int(it->second.size()));
    for (int i = 0; i < n; ++i)
        entries[i] = it->second[size_t(i)];
    return n;
}

HACCEL LoadAcceleratorsW(HINSTANCE, LPCWSTR name)
{
    if (!IS_INTRESOURCE(name))
        return nullptr;
    UINT id = UINT(reinterpret_cast<UINT_PTR>(name));
    static auto* loaded = new std::map<UINT, HACCEL>;
    auto found = loaded->find(id);
    if (found != loaded->end() && Tables().count(found->second))
        return found->second;
    const ResourceFinder& f = AfxGetResourceFinder();
    const AcceleratorTable* t = f.findAccelerators ? f.findAccelerators(id) : nullptr;
    if (!t || t->entries.empty())
        return nullptr;
    std::vector<ACCEL> entries;
    for (const Accelerator& a : t->entries)
        entries.push_back(ACCEL{BYTE(a.flags), WORD(a.key), WORD(a.command)});
    HACCEL h = NewTable(std::move(entries));
    (*loaded)[id] = h;
    return h;
}

int TranslateAcceleratorW(HWND hwnd, HACCEL table, LPMSG msg)
{
    if (!msg || !hwnd)
        return 0;
    auto it = Tables().find(table);
    if (it == Tables().end())
        return 0;
    for (const ACCEL& a : it->second) {
        if (!Matches(a, *msg))
            continue;
        if (a.cmd >= 0xF000) {
            SendMessageW(hwnd, WM_SYSCOMMAND, a.cmd, 0);
        } else {
            // The window's command handling skips commands whose update handler disables them.
            SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
        }
        return 1;
    }
    return 0;
}
