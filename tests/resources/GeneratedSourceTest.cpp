// The C++ source the resource compiler writes holds exactly what the script says: a script is
// compiled at build time (FixtureResources) and again here in-process, and the two must agree.

#include "resources/ResourceTables.h"
#include "tools/rc/RcParser.h"
#include "tools/rc/RcPreprocessor.h"

#include <gtest/gtest.h>

const ResourceSet& FixtureResources();

namespace {

const std::string kScript = std::string(TAVIX_SOURCE_DIR) + "/tests/resources/data/awkward.rc";

ResourceSet CompileInProcess()
{
    rc::RcPreprocessor pp;
    pp.processFile(kScript);
    ResourceSet set;
    rc::ParseScript(pp.tokens(), {}, set);
    return set;
}

void ExpectSameItems(const std::vector<MenuItem>& a, const std::vector<MenuItem>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].text, b[i].text);
        EXPECT_EQ(a[i].id, b[i].id);
        EXPECT_EQ(a[i].flags, b[i].flags);
        EXPECT_EQ(a[i].helpId, b[i].helpId);
        ExpectSameItems(a[i].children, b[i].children);
    }
}

void ExpectSameBinaries(const std::vector<ResBinary>& a, const std::vector<ResBinary>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].id, b[i].id);
        EXPECT_EQ(a[i].language, b[i].language);
        EXPECT_EQ(a[i].fileName, b[i].fileName);
        EXPECT_EQ(a[i].bytes, b[i].bytes);
    }
}

TEST(GeneratedSourceTest, BuiltTablesEqualTheParsedScript)
{
    const ResourceSet& built = FixtureResources();
    const ResourceSet parsed = CompileInProcess();

    ASSERT_EQ(built.strings.size(), parsed.strings.size());
    for (std::size_t i = 0; i < built.strings.size(); ++i) {
        SCOPED_TRACE(parsed.strings[i].id);
        EXPECT_EQ(built.strings[i].id, parsed.strings[i].id);
        EXPECT_EQ(built.strings[i].language, parsed.strings[i].language);
        EXPECT_EQ(built.strings[i].text, parsed.strings[i].text);
    }

    ASSERT_EQ(built.dialogs.size(), 1u);
    ASSERT_EQ(parsed.dialogs.size(), 1u);
    const DialogTemplate& bd = built.dialogs[0];
    const DialogTemplate& pd = parsed.dialogs[0];
    EXPECT_EQ(bd.caption, pd.caption);
    EXPECT_EQ(bd.fontFace, pd.fontFace);
    EXPECT_EQ(bd.fontSize, pd.fontSize);
    EXPECT_EQ(bd.style, pd.style);
    EXPECT_EQ(bd.extended, pd.extended);
    EXPECT_EQ((std::vector<int>{bd.x, bd.y, bd.cx, bd.cy}), (std::vector<int>{pd.x, pd.y, pd.cx, pd.cy}));
    ASSERT_EQ(bd.items.size(), pd.items.size());
    for (std::size_t i = 0; i < bd.items.size(); ++i) {
        EXPECT_EQ(bd.items[i].className, pd.items[i].className);
        EXPECT_EQ(bd.items[i].text, pd.items[i].text);
        EXPECT_EQ(bd.items[i].id, pd.items[i].id);
        EXPECT_EQ(bd.items[i].style, pd.items[i].style);
        EXPECT_EQ(bd.items[i].exStyle, pd.items[i].exStyle);
        EXPECT_EQ((std::vector<int>{bd.items[i].x, bd.items[i].y, bd.items[i].cx, bd.items[i].cy}),
                  (std::vector<int>{pd.items[i].x, pd.items[i].y, pd.items[i].cx, pd.items[i].cy}));
    }

    ASSERT_EQ(built.menus.size(), parsed.menus.size());
    for (std::size_t i = 0; i < built.menus.size(); ++i) ExpectSameItems(built.menus[i].items, parsed.menus[i].items);

    ASSERT_EQ(built.accelerators.size(), 1u);
    ASSERT_EQ(built.accelerators[0].entries.size(), 1u);
    EXPECT_EQ(built.accelerators[0].entries[0].flags, parsed.accelerators[0].entries[0].flags);
    EXPECT_EQ(built.accelerators[0].entries[0].key, parsed.accelerators[0].entries[0].key);
    EXPECT_EQ(built.accelerators[0].entries[0].command, parsed.accelerators[0].entries[0].command);

    ASSERT_EQ(built.toolbars.size(), 1u);
    EXPECT_EQ(built.toolbars[0].items, parsed.toolbars[0].items);
    EXPECT_EQ(built.toolbars[0].buttonWidth, parsed.toolbars[0].buttonWidth);

    ExpectSameBinaries(built.bitmaps, parsed.bitmaps);
}

// The characters that are easy to get wrong in a C++ literal, checked against their values.
TEST(GeneratedSourceTest, AwkwardCharactersSurvive)
{
    const ResourceSet& built = FixtureResources();
    ASSERT_GE(built.strings.size(), 6u);
    const wchar_t* const expected[] = {
        L"\u00E9" L"9 then \u4E2D\u6587 and \U0001F600!",
        L"\001" L"7 octal then digit",
        L"?\?= ?\?/ trigraphs",
        L"back\\slash \"quoted\" \t\r\n",
        L"\u0085 and \x7f and \u00A0",
        L"",
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(built.strings[i].text, expected[i]);
    }
    EXPECT_EQ(built.dialogs.at(0).caption, L"Caption \"q\"");
    EXPECT_EQ(built.dialogs.at(0).fontFace, L"\u5B8B\u4F53");
    ASSERT_EQ(built.bitmaps.size(), 1u);
    EXPECT_EQ(built.bitmaps[0].bytes.size(), 58u);
}

} // namespace
