#include "resources/Resources.h"

#include <atomic>

namespace {

std::atomic<LANGID> g_language{kLangIdEnglish};

const ResourceIndex& CompiledIndex()
{
    static const ResourceIndex index(CompiledResources());
    return index;
}

} // namespace

ResourceIndex::ResourceIndex(const ResourceSet& set)
{
    add(m_strings, set.strings);
    add(m_dialogs, set.dialogs);
    add(m_menus, set.menus);
    add(m_accels, set.accelerators);
    add(m_toolbars, set.toolbars);
    add(m_bitmaps, set.bitmaps);
    add(m_icons, set.icons);
    add(m_cursors, set.cursors);
}

int ResourceIndex::rank(LANGID have, LANGID want)
{
    if (have == want) return 6;
    if (PrimaryLangId(have) == PrimaryLangId(want)) return 5;
    if (have == kLangIdEnglish) return 4;
    if (PrimaryLangId(have) == kLangEnglish) return 3;
    if (PrimaryLangId(have) == kLangNeutral) return 2;
    // As a last resort any language will do: an entry that exists in one language only (the
    // Chinese block names) is still found.
    return 1;
}

LANGID GetResourceLanguage() { return g_language.load(); }
void SetResourceLanguage(LANGID language) { g_language.store(language); }

const ResString* FindString(UINT id, LANGID language) { return CompiledIndex().findString(id, language); }
const DialogTemplate* FindDialog(UINT id, LANGID language) { return CompiledIndex().findDialog(id, language); }
const MenuTemplate* FindMenu(UINT id, LANGID language) { return CompiledIndex().findMenu(id, language); }
const AcceleratorTable* FindAccelerators(UINT id, LANGID language) { return CompiledIndex().findAccelerators(id, language); }
const ToolbarTemplate* FindToolbar(UINT id, LANGID language) { return CompiledIndex().findToolbar(id, language); }
const ResBinary* FindBitmap(UINT id, LANGID language) { return CompiledIndex().findBitmap(id, language); }
const ResBinary* FindIcon(UINT id, LANGID language) { return CompiledIndex().findIcon(id, language); }
const ResBinary* FindCursor(UINT id, LANGID language) { return CompiledIndex().findCursor(id, language); }
