#include "shell/ChineseTexts.h"

#include "platform/base/ResourceTables.h"
#include "platform/ui/framework/Menu.h"
#include "shell/EditorApp.h"

CMap<CString, const CString&, CString, const CString&> g_mapMenuCaption(10);
CMap<UINT, UINT, CString, LPCTSTR> g_mapChineseText(10);

namespace {

bool IsMapId(UINT id)
{
    return id == 1 || id == 2 || id == 9 || (id >= 132 && id <= 183) || (id >= 1014 && id <= 1554) ||
           id == 12321 || (id >= 32709 && id <= 32856) || (id >= 57600 && id <= 57667) || id == 59392 ||
           id == 59393 || id == 59580 || id == 32824 || id == 3015;
}

// Pairs the captions of an English and a Chinese menu (same shape) and takes the Chinese texts
// of the commands.
void TakeMenuTexts(const std::vector<MenuItem>& en, const std::vector<MenuItem>& zh)
{
    for (size_t i = 0; i < zh.size(); ++i) {
        const MenuItem& z = zh[i];
        if (z.flags & kMenuPopup) {
            if (i < en.size() && (en[i].flags & kMenuPopup)) {
                g_mapMenuCaption.SetAt(CString(en[i].text.c_str()), CString(z.text.c_str()));
                TakeMenuTexts(en[i].children, z.children);
            } else {
                TakeMenuTexts({}, z.children);
            }
        } else if (z.id != 0 && IsMapId(z.id)) {
            g_mapChineseText.SetAt(z.id, z.text.c_str());
        }
    }
}

const MenuTemplate* MenuOf(const ResourceSet& set, UINT id, LANGID language)
{
    for (const MenuTemplate& m : set.menus)
        if (m.id == id && m.language == language)
            return &m;
    return nullptr;
}

// Replaces the captions and command texts of one popup level.
void TranslateLevel(CMenu* pMenu, bool topLevel, int nFirst, int nCount)
{
    const int count = int(pMenu->GetMenuItemCount());
    for (int pos = 0; pos < count; ++pos) {
        const UINT id = pMenu->GetMenuItemID(pos);
        if (CMenu* sub = pMenu->GetSubMenu(pos)) {
            CString caption;
            pMenu->GetMenuString(UINT(pos), caption, MF_BYPOSITION);
            CString chinese;
            const bool inRange = !topLevel || (pos >= nFirst && pos < nFirst + nCount);
            if (inRange && g_mapMenuCaption.Lookup(caption, chinese))
                pMenu->ModifyMenu(UINT(pos), MF_BYPOSITION | MF_STRING | MF_POPUP,
                                  reinterpret_cast<UINT_PTR>(sub->GetSafeHmenu()), chinese);
            TranslateLevel(sub, false, 0, 0);
            continue;
        }
        CString text;
        if (id != 0 && id != UINT(-1) && g_mapChineseText.Lookup(id, text)) {
            const UINT state = pMenu->GetMenuState(UINT(pos), MF_BYPOSITION);
            pMenu->ModifyMenu(UINT(pos), MF_BYPOSITION | MF_STRING | (state & (MF_GRAYED | MF_CHECKED)), id, text);
        }
    }
}

} // namespace

void BuildChineseTextMaps()
{
    g_mapMenuCaption.RemoveAll();
    g_mapChineseText.RemoveAll();
    g_mapChineseText.InitHashTable(241);
    const ResourceSet& set = CompiledResources();
    for (UINT menuId : {128u, 129u}) {
        const MenuTemplate* en = MenuOf(set, menuId, kLangIdEnglish);
        const MenuTemplate* zh = MenuOf(set, menuId, kLangIdChinese);
        if (zh)
            TakeMenuTexts(en ? en->items : std::vector<MenuItem>{}, zh->items);
    }
    for (const DialogTemplate& d : set.dialogs) {
        if (d.language != kLangIdChinese)
            continue;
        for (const DialogItem& item : d.items)
            if (IsMapId(item.id) && !item.text.empty())
                g_mapChineseText.SetAt(item.id, item.text.c_str());
    }
    for (const ResString& s : set.strings)
        if (s.language == kLangIdChinese && s.id >= 132 && s.id <= 183)
            g_mapChineseText.SetAt(s.id, s.text.c_str());
}

CString ChineseTextOr(UINT nID, LPCTSTR english)
{
    CString text;
    return g_mapChineseText.Lookup(nID, text) ? text : CString(english);
}

void CEditorApp::BuildChineseTexts()
{
    BuildChineseTextMaps();
}

void CEditorApp::TranslateMenus(int nMode, int nFirst)
{
    CWnd* main = m_pMainWnd;
    HMENU hMenu = main ? ::GetMenu(main->m_hWnd) : nullptr;
    if (!hMenu)
        return;
    TranslateLevel(CMenu::FromHandle(hMenu), true, nFirst, nMode == 0 ? 5 : 7);
    ::DrawMenuBar(main->m_hWnd);
}

int GetCharClass(wchar_t ch)
{
    const unsigned c = unsigned(ch);
    if ((c >= 0x3105 && c <= 0x3129) || c == 0x32A3 || (c >= 0x4E00 && c <= 0x9FA5))
        return 1;
    static const unsigned ranges[][2] = {{0x00A0, 0x017F}, {0x01A0, 0x01CF}, {0x01F0, 0x01FF}, {0x0210, 0x021F},
                                         {0x0370, 0x03CF}, {0x0400, 0x045F}, {0x0490, 0x04FF}, {0x0590, 0x05FF},
                                         {0x0E00, 0x0E5F}, {0x1EA0, 0x1EFF}};
    for (const auto& r : ranges)
        if (c >= r[0] && c <= r[1])
            return 2;
    return 0;
}
