// Lookup of the program's compiled resources by id in the current interface language.
// English is the default language; with Simplified Chinese selected, an entry missing from the
// Chinese tables comes from the English ones.
#pragma once

#include "platform/base/WinTypes.h"
#include "resources/ResourceTables.h"

#include <unordered_map>
#include <vector>

// The interface language of the whole process (kLangIdEnglish or kLangIdChinese).
LANGID GetResourceLanguage();
void SetResourceLanguage(LANGID language);

// Finds a resource of the given id for language, falling back to another sublanguage of the
// same language, then to English, then to language-neutral entries, and last to any language.
// Null when there is no resource of that id.
const ResString* FindString(UINT id, LANGID language = GetResourceLanguage());
const DialogTemplate* FindDialog(UINT id, LANGID language = GetResourceLanguage());
const MenuTemplate* FindMenu(UINT id, LANGID language = GetResourceLanguage());
const AcceleratorTable* FindAccelerators(UINT id, LANGID language = GetResourceLanguage());
const ToolbarTemplate* FindToolbar(UINT id, LANGID language = GetResourceLanguage());
const ResBinary* FindBitmap(UINT id, LANGID language = GetResourceLanguage());
const ResBinary* FindIcon(UINT id, LANGID language = GetResourceLanguage());
const ResBinary* FindCursor(UINT id, LANGID language = GetResourceLanguage());

// Connects CString::LoadString to the string tables. Call once at start-up; calling it again
// does no harm.
void InitResources();

// An index over one resource set; the functions above use one over CompiledResources().
class ResourceIndex {
public:
    explicit ResourceIndex(const ResourceSet& set);

    const ResString* findString(UINT id, LANGID language) const { return find(m_strings, id, language); }
    const DialogTemplate* findDialog(UINT id, LANGID language) const { return find(m_dialogs, id, language); }
    const MenuTemplate* findMenu(UINT id, LANGID language) const { return find(m_menus, id, language); }
    const AcceleratorTable* findAccelerators(UINT id, LANGID language) const { return find(m_accels, id, language); }
    const ToolbarTemplate* findToolbar(UINT id, LANGID language) const { return find(m_toolbars, id, language); }
    const ResBinary* findBitmap(UINT id, LANGID language) const { return find(m_bitmaps, id, language); }
    const ResBinary* findIcon(UINT id, LANGID language) const { return find(m_icons, id, language); }
    const ResBinary* findCursor(UINT id, LANGID language) const { return find(m_cursors, id, language); }

private:
    template <typename T>
    using Table = std::unordered_map<UINT, std::vector<const T*>>;

    template <typename T>
    static void add(Table<T>& table, const std::vector<T>& items)
    {
        for (const T& item : items) table[item.id].push_back(&item);
    }

    // How well an entry's language serves the request; 0 means not at all.
    static int rank(LANGID have, LANGID want);

    template <typename T>
    static const T* find(const Table<T>& table, UINT id, LANGID language)
    {
        const auto it = table.find(id);
        if (it == table.end()) return nullptr;
        const T* best = nullptr;
        int bestRank = 0;
        for (const T* item : it->second) {
            const int r = rank(item->language, language);
            if (r > bestRank || (r == bestRank && r > 0 && item->language < best->language)) {
                best = item;
                bestRank = r;
            }
        }
        return best;
    }

    Table<ResString> m_strings;
    Table<DialogTemplate> m_dialogs;
    Table<MenuTemplate> m_menus;
    Table<AcceleratorTable> m_accels;
    Table<ToolbarTemplate> m_toolbars;
    Table<ResBinary> m_bitmaps;
    Table<ResBinary> m_icons;
    Table<ResBinary> m_cursors;
};
