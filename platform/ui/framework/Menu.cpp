// CMenu: the object wrapper of HMENU handles.
#include "platform/ui/framework/Menu.h"

#include "platform/ui/core/Wnd.h"

#include <map>
#include <memory>

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {
std::map<HMENU, CMenu*>& Permanent()
{
    static auto* m = new std::map<HMENU, CMenu*>;
    return *m;
}
std::map<HMENU, std::unique_ptr<CMenu>>& Temporary()
{
    static auto* m = new std::map<HMENU, std::unique_ptr<CMenu>>;
    return *m;
}
}  // namespace

CMenu::~CMenu()
{
    if (m_hMenu)
        Permanent().erase(m_hMenu);
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!hMenu || !::IsMenu(hMenu))
        return nullptr;
    auto p = Permanent().find(hMenu);
    if (p != Permanent().end())
        return p->second;
    auto& t = Temporary()[hMenu];
    if (!t) {
        t = std::make_unique<CMenu>();
        t->m_hMenu = hMenu;  // not registered as permanent
    }
    return t.get();
}

void CMenu::DeleteTempMap()
{
    for (auto& [h, m] : Temporary())
        m->m_hMenu = nullptr;
    Temporary().clear();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (!hMenu || m_hMenu)
        return FALSE;
    m_hMenu = hMenu;
    Permanent()[hMenu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    if (h)
        Permanent().erase(h);
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(UINT nIDResource) { return Attach(::LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCE(nIDResource))); }

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT f, UINT_PTR id, LPCTSTR s) { return ::AppendMenuW(m_hMenu, f, id, s); }
BOOL CMenu::InsertMenu(UINT p, UINT f, UINT_PTR id, LPCTSTR s) { return ::InsertMenuW(m_hMenu, p, f, id, s); }
BOOL CMenu::ModifyMenu(UINT p, UINT f, UINT_PTR id, LPCTSTR s) { return ::ModifyMenuW(m_hMenu, p, f, id, s); }
BOOL CMenu::RemoveMenu(UINT p, UINT f) { return ::RemoveMenu(m_hMenu, p, f); }
BOOL CMenu::DeleteMenu(UINT p, UINT f) { return ::DeleteMenu(m_hMenu, p, f); }
UINT CMenu::EnableMenuItem(UINT id, UINT e) { return ::EnableMenuItem(m_hMenu, id, e); }
UINT CMenu::CheckMenuItem(UINT id, UINT c) { return UINT(::CheckMenuItem(m_hMenu, id, c)); }
BOOL CMenu::CheckMenuRadioItem(UINT a, UINT b, UINT i, UINT f) { return ::CheckMenuRadioItem(m_hMenu, a, b, i, f); }
BOOL CMenu::SetDefaultItem(UINT i, BOOL p) { return ::SetMenuDefaultItem(m_hMenu, i, p); }
UINT CMenu::GetMenuItemCount() const { return UINT(::GetMenuItemCount(m_hMenu)); }
UINT CMenu::GetMenuItemID(int p) const { return ::GetMenuItemID(m_hMenu, p); }
UINT CMenu::GetMenuState(UINT id, UINT f) const { return ::GetMenuState(m_hMenu, id, f); }
int CMenu::GetMenuString(UINT id, LPTSTR s, int n, UINT f) const { return ::GetMenuStringW(m_hMenu, id, s, n, f); }

int CMenu::GetMenuString(UINT id, CString& s, UINT f) const
{
    int n = ::GetMenuStringW(m_hMenu, id, nullptr, 0, f);
    LPTSTR buf = s.GetBuffer(n + 1);
    n = ::GetMenuStringW(m_hMenu, id, buf, n + 1, f);
    s.ReleaseBuffer(n);
    return n;
}

BOOL CMenu::GetMenuItemInfo(UINT i, LPMENUITEMINFO info, BOOL p) { return ::GetMenuItemInfoW(m_hMenu, i, p, info); }
BOOL CMenu::SetMenuItemInfo(UINT i, LPMENUITEMINFO info, BOOL p) { return ::SetMenuItemInfoW(m_hMenu, i, p, info); }
CMenu* CMenu::GetSubMenu(int p) const { return FromHandle(::GetSubMenu(m_hMenu, p)); }

BOOL CMenu::TrackPopupMenu(UINT f, int x, int y, CWnd* pWnd, LPCRECT r)
{
    return ::TrackPopupMenu(m_hMenu, f, x, y, 0, pWnd ? pWnd->GetSafeHwnd() : nullptr, r);
}
