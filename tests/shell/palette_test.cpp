// What the WorkBox offers per document kind and machine type, where its cells are hit, and the
// character classes of the message-text layout.
#include "shell/ChineseTexts.h"
#include "shell/PaletteItems.h"
#include "shell/WorkspaceView.h"

#include <gtest/gtest.h>

namespace {

TEST(Palette, ItemsPerGroupKindAndMachine)
{
    BuildPaletteArrays();
    struct Case { int group; int kind; int machine; size_t count; UINT first; UINT last; };
    const Case cases[] = {
        {groupBsc, 1, 0x51, 8, 300, 307},     {groupTmr, 1, 0x51, 14, 400, 413},
        {groupIo, 1, 0x51, 11, 600, 610},     {groupMisc, 1, 0x51, 23, 800, 814},
        {groupAux, 1, 0x51, 27, 830, 856},    {groupMath, 1, 0x51, 20, 860, 879},
        {groupProfile, 1, 0x51, 1, 911, 911}, {groupBsc, 2, 0x51, 2, 301, 303},
        {groupIo, 2, 0x51, 6, 700, 705},      {groupTmr, 2, 0x51, 14, 400, 413},
        {groupTmr, 1, 0x11, 12, 400, 411},    {groupIo, 1, 0x21, 10, 600, 610},
        {groupMisc, 1, 0x11, 14, 800, 814},   {groupAux, 1, 0x11, 0, 0, 0},
        {groupMath, 1, 0x50, 0, 0, 0},        {groupProfile, 1, 0x21, 0, 0, 0},
        {groupMisc, 1, 0x52, 27, 800, 827},   {groupIo, 1, 0x10, 0, 0, 0},
        {groupMisc, 1, 0x10, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const std::vector<UINT> items = PaletteGroupItems(c.group, c.kind, c.machine);
        ASSERT_EQ(items.size(), c.count) << c.group << " " << c.kind << " " << c.machine;
        if (c.count) {
            EXPECT_EQ(items.front(), c.first);
            EXPECT_EQ(items.back(), c.last);
        }
    }
    // Function keys only from machine type 0x51; type 811 is offered nowhere.
    const std::vector<UINT> io = PaletteGroupItems(groupIo, 1, 0x21);
    EXPECT_EQ(std::count(io.begin(), io.end(), 611u), 0);
    for (int g = 0; g < groupCount; ++g)
        for (UINT t : PaletteGroupItems(g, 1, 0x52))
            EXPECT_NE(t, 811u);
}

TEST(Palette, EveryOfferedTypeHasCaptionsInBothLanguages)
{
    BuildPaletteArrays();
    for (int kind : {1, 2})
        for (int g = 0; g < groupCount; ++g)
            for (UINT t : PaletteGroupItems(g, kind, 0x52)) {
                EXPECT_NE(PaletteCaptionId(t, FALSE), 0u) << t;
                EXPECT_NE(PaletteCaptionId(t, TRUE), 0u) << t;
            }
    EXPECT_EQ(PaletteCaptionId(824, TRUE), 645u);  // the WiFi blocks keep their English captions
    EXPECT_EQ(PaletteCaptionId(303, TRUE), 1574u);
}

TEST(Palette, CellGeometry)
{
    // Cells are 25 x 36 with 10 pixels between them; the longest list ends inside the scroll
    // height of 1300.
    EXPECT_EQ(CWorkspaceView::GetItemRect(0), CRect(10, 15, 35, 51));
    EXPECT_EQ(CWorkspaceView::GetItemRect(26).bottom, 1247);
    const CRect r = CWorkspaceView::GetItemRect(1);
    EXPECT_FALSE(r.PtInRect(CPoint(20, 55)));  // the gap between cells 0 and 1
    EXPECT_FALSE(r.PtInRect(CPoint(35, 70)));  // right edge is outside
    EXPECT_TRUE(r.PtInRect(CPoint(34, 61)));
}

TEST(ChineseTexts, CharacterClasses)
{
    struct Case { wchar_t ch; int cls; };
    const Case cases[] = {{0x4E00, 1}, {0x9FA5, 1}, {0x3105, 1}, {0x32A3, 1}, {0x0041, 0}, {0x00E9, 2},
                          {0x3220, 0}, {0x0410, 2}, {0x0E01, 2}, {0x1EA0, 2}, {0x0180, 0}, {0x9FA6, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(GetCharClass(c.ch), c.cls) << std::hex << unsigned(c.ch);
}

} // namespace
