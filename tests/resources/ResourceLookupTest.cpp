// Finding resources by id and language, and CString::LoadString on the program's tables.

#include "ScriptFixture.h"

#include "platform/base/CString.h"
#include "resources/Resources.h"
#include "resources/resource.h"

namespace {

using ResourceIndexTest = ScriptFixture;

TEST_F(ResourceIndexTest, LanguageFallbackOrder)
{
    const ResourceSet set = compile(R"(
LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US
STRINGTABLE BEGIN 1 "en"  2 "en only"  6 "en" END
20 MENU BEGIN MENUITEM "en", 1 END
LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED
STRINGTABLE BEGIN 1 "zh"  3 "zh only" END
20 MENU BEGIN MENUITEM "zh", 1 END
LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL
STRINGTABLE BEGIN 6 "tw" END
LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_UK
STRINGTABLE BEGIN 4 "uk" END
LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL
STRINGTABLE BEGIN 5 "neutral" END
LANGUAGE 0x07, 1
STRINGTABLE BEGIN 5 "german" END
)");
    const ResourceIndex index(set);
    const LANGID zhTw = MakeLangId(kLangChinese, 1);
    const struct {
        UINT id;
        LANGID want;
        const wchar_t* text;   // null: not found
    } cases[] = {
        {1, kLangIdChinese, L"zh"},
        {1, kLangIdEnglish, L"en"},
        {1, zhTw, L"zh"},                 // same language, other sublanguage
        {2, kLangIdChinese, L"en only"},  // missing in Chinese: English
        {3, kLangIdEnglish, L"zh only"},  // present in one language only
        {4, kLangIdChinese, L"uk"},       // any English before other languages
        {5, kLangIdChinese, L"neutral"},  // neutral before a foreign language
        {6, kLangIdChinese, L"tw"},       // own language's sublanguage before English
        {99, kLangIdEnglish, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const ResString* s = index.findString(c.id, c.want);
        if (!c.text) {
            EXPECT_EQ(s, nullptr);
            continue;
        }
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->text, c.text);
    }
    ASSERT_NE(index.findMenu(20, kLangIdChinese), nullptr);
    EXPECT_EQ(index.findMenu(20, kLangIdChinese)->items.at(0).text, L"zh");
    EXPECT_EQ(index.findMenu(20, kLangIdEnglish)->items.at(0).text, L"en");
    EXPECT_EQ(index.findDialog(20, kLangIdEnglish), nullptr);
}

// A program that links the library can load strings without calling InitResources itself.
TEST(ResourceStartupTest, StringsLoadWithoutExplicitInit)
{
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_ZOOM));
    EXPECT_EQ(std::wstring(s.GetString()), L"Zoom:%d");

    // The platform layer's finder is installed as well.
    const ResourceFinder& finder = AfxGetResourceFinder();
    ASSERT_NE(finder.findMenu, nullptr);
    EXPECT_EQ(finder.findMenu(IDR_VIEW_CONTEXT), FindMenu(IDR_VIEW_CONTEXT));
    EXPECT_EQ(finder.findDialog(IDD_SIM_CLOCK), FindDialog(IDD_SIM_CLOCK));
    EXPECT_EQ(finder.findAccelerators(IDR_MAINFRAME), FindAccelerators(IDR_MAINFRAME));
    ASSERT_NE(finder.findString(IDS_ZOOM), nullptr);
    EXPECT_EQ(finder.findString(IDS_ZOOM)->text, L"Zoom:%d");
}

// The program's own tables, through the process-wide language.
class CompiledResourcesTest : public ::testing::Test {
protected:
    void SetUp() override { InitResources(); }
    void TearDown() override { SetResourceLanguage(kLangIdEnglish); }
};

TEST_F(CompiledResourcesTest, LoadStringInBothLanguages)
{
    EXPECT_EQ(GetResourceLanguage(), kLangIdEnglish);
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_NO_PRINTER));
    EXPECT_EQ(std::wstring(s.GetString()),
              L"No printer installed!\n\nSelect the Control Panel printer icon to install a printer.");
    ASSERT_TRUE(s.LoadString(IDS_TOO_MANY_BLOCKS));
    s.Format(s.GetString(), 1024);
    EXPECT_EQ(std::wstring(s.GetString()), L"your program has taken 1024 blocks,can't  add new block");

    SetResourceLanguage(kLangIdChinese);
    ASSERT_TRUE(s.LoadString(1579));
    EXPECT_EQ(std::wstring(s.GetString()), L"\u63A5\u901A\u5EF6\u65F6\u5B9A\u65F6\u5668");
    // Not in the Chinese table: the English text.
    ASSERT_TRUE(s.LoadString(IDS_INSUFFICIENT_RESOURCES));
    EXPECT_EQ(std::wstring(s.GetString()), L"Insufficient Resources to create/paste the blocks.");
    EXPECT_FALSE(s.LoadString(65000));
}

TEST_F(CompiledResourcesTest, MainFrameAccelerators)
{
    const AcceleratorTable* table = FindAccelerators(IDR_MAINFRAME);
    ASSERT_NE(table, nullptr);
    const auto commandFor = [&](std::uint8_t flags, std::uint16_t key) -> std::uint32_t {
        for (const Accelerator& a : table->entries)
            if (a.flags == flags && a.key == key) return a.command;
        return 0;
    };
    EXPECT_EQ(commandFor(kAccelVirtKey, 0x72 /* F3 */), UINT(ID_TOOLS_SIMULATION));
    EXPECT_EQ(commandFor(kAccelVirtKey, 0x74 /* F5 */), UINT(ID_MODE_CONNECT));
    EXPECT_EQ(commandFor(kAccelVirtKey | kAccelControl, 'Z'), 57643u);
    EXPECT_EQ(commandFor(kAccelVirtKey | kAccelControl, 'D'), UINT(ID_TRANSFER_PC_TO_DEVICE));
    // The Chinese interface uses the same table.
    EXPECT_EQ(FindAccelerators(IDR_MAINFRAME, kLangIdChinese), table);
}

TEST_F(CompiledResourcesTest, SliderPopupTemplate)
{
    const DialogTemplate* d = FindDialog(IDD_ANALOG_SLIDER, kLangIdChinese);   // English template serves both
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->fontFace, L"MS Sans Serif");
    EXPECT_EQ(d->fontSize, 8);
    EXPECT_EQ((std::vector<int>{d->cx, d->cy}), (std::vector<int>{153, 16}));
    EXPECT_TRUE(d->caption.empty());
    EXPECT_EQ(d->style & 0x90000080u, 0x90000080u);   // popup, visible, modal frame
    ASSERT_EQ(d->items.size(), 3u);
    const struct {
        const wchar_t* cls;
        const wchar_t* text;
        UINT id;
        int x, y, cx, cy;
    } expected[] = {
        {L"Static", L"Min", 1139, 1, 2, 23, 9},
        {L"msctls_trackbar32", L"", 1143, 25, 0, 107, 13},
        {L"Static", L"Max", 1140, 133, 2, 19, 9},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const DialogItem& item = d->items[i];
        EXPECT_EQ(item.className, expected[i].cls);
        EXPECT_EQ(item.text, expected[i].text);
        EXPECT_EQ(item.id, expected[i].id);
        EXPECT_EQ((std::vector<int>{item.x, item.y, item.cx, item.cy}),
                  (std::vector<int>{expected[i].x, expected[i].y, expected[i].cx, expected[i].cy}));
    }
    EXPECT_EQ(d->items[0].style & 0x3u, 0x2u);        // right-aligned
    EXPECT_EQ(d->items[1].style & 0x1Au, 0x18u);      // horizontal, both ways, no ticks
}

TEST_F(CompiledResourcesTest, ViewContextMenuTree)
{
    const MenuTemplate* menu = FindMenu(IDR_VIEW_CONTEXT);
    ASSERT_NE(menu, nullptr);
    const wchar_t* const popups[] = {L"Edit", L"Edit1", L"Edit2", L"Clip", L"Join", L"GoToPartner"};
    ASSERT_EQ(menu->items.size(), std::size(popups));
    for (std::size_t i = 0; i < std::size(popups); ++i) {
        EXPECT_EQ(menu->items[i].text, popups[i]);
        EXPECT_TRUE(menu->items[i].flags & kMenuPopup);
        ASSERT_FALSE(menu->items[i].children.empty());
        EXPECT_EQ(menu->items[i].children.back().id, 57642u);   // every popup ends with Select All
    }
    std::vector<std::uint32_t> partner;
    for (const MenuItem& item : menu->items[5].children) partner.push_back(item.id);
    EXPECT_EQ(partner, (std::vector<std::uint32_t>{ID_EDIT_GOTO_PARTNER, ID_EDIT_JOIN, 57632, 57642}));
}

} // namespace
