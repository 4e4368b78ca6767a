// The menu bar with no menu open: the item under the mouse is drawn raised, and drawn flat
// again when the mouse moves to another item or leaves the bar.
#include "ui_support.h"

#include "platform/gdi/DC.h"
#include "platform/ui/framework/MenuTypes.h"
#include "platform/ui/framework/detail/MenuData.h"
#include "platform/ui/framework/detail/MenuTrack.h"

using namespace uitest;

namespace {

class PolishMenuBarTest : public UiTest {
protected:
    HWND top = nullptr;
    HWND bar = nullptr;
    void SetUp() override
    {
        top = rec.Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 40, 400, 300);
        HMENU menu = CreateMenu();
        for (const wchar_t* name : {L"&File", L"&Edit", L"&View"}) {
            HMENU sub = CreatePopupMenu();
            AppendMenuW(sub, MF_STRING, 100, L"&Item");
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), name);
        }
        SetMenu(top, menu);
        bar = ui::MenuBarWindowOf(top);
        drv.Pump();
    }
    // Screen point inside item `i`, and the colours of its left and right edge as shown.
    POINT Middle(int i) const
    {
        RECT r = ui::BarItemRect(bar, i);
        return CHeadlessDriver::At(bar, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    std::pair<COLORREF, COLORREF> Edges(int i) const
    {
        RECT r = ui::BarItemRect(bar, i);
        RECT wr;
        GetWindowRect(top, &wr);
        POINT l = CHeadlessDriver::At(bar, POINT{r.left, (r.top + r.bottom) / 2});
        POINT rt = CHeadlessDriver::At(bar, POINT{r.right - 1, (r.top + r.bottom) / 2});
        return {drv.Pixel(top, l.x - wr.left, l.y - wr.top), drv.Pixel(top, rt.x - wr.left, rt.y - wr.top)};
    }
};

TEST_F(PolishMenuBarTest, ItemUnderTheMouseIsRaisedUntilTheMouseLeaves)
{
    ASSERT_NE(bar, nullptr);
    const std::pair<COLORREF, COLORREF> flat{GetSysColor(COLOR_MENU), GetSysColor(COLOR_MENU)};
    const std::pair<COLORREF, COLORREF> raised{GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
    ASSERT_NE(flat, raised);
    EXPECT_EQ(Edges(1), flat);

    struct Step {
        const char* name;
        POINT to;
        std::vector<std::pair<COLORREF, COLORREF>> want;  // items 0..2
    };
    RECT wr;
    GetWindowRect(top, &wr);
    const Step steps[] = {
        {"over Edit", Middle(1), {flat, raised, flat}},
        {"over View", Middle(2), {flat, flat, raised}},
        {"into the client area", POINT{wr.left + 200, wr.top + 200}, {flat, flat, flat}},
        {"back over File", Middle(0), {raised, flat, flat}},
        {"off the window", POINT{wr.right + 50, wr.bottom + 50}, {flat, flat, flat}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        drv.MouseMove(s.to);
        drv.Pump();
        drv.Pump();  // a move over no window yields no message: Pump stops before the leave
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Edges(i), s.want[size_t(i)]) << "item " << i;
    }
}

TEST_F(PolishMenuBarTest, OpenItemIsSelectedNotRaised)
{
    COLORREF seen = CLR_INVALID;
    drv.Host().QueueIdleStep([&] {
        drv.Pump();
        seen = Edges(1).first;
        drv.Key(VK_ESCAPE, 0x1B);
    });
    drv.Host().QueueIdleStep([&] { drv.Key(VK_ESCAPE, 0x1B); });
    drv.MouseMove(Middle(1));
    drv.MouseDown(Middle(1));
    drv.Pump();
    EXPECT_EQ(seen, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ui::MenuTracker::Active(), nullptr);
}

TEST_F(PolishMenuBarTest, HelpItemSitsAtTheRightEnd)
{
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, 101, L"&About");
    HMENU menu = GetMenu(top);
    AppendMenuW(menu, MF_POPUP | MF_RIGHTJUSTIFY, reinterpret_cast<UINT_PTR>(help), L"&Help");
    DrawMenuBar(top);
    drv.Pump();
    RECT c, view = ui::BarItemRect(bar, 2), h = ui::BarItemRect(bar, 3);
    GetClientRect(bar, &c);
    EXPECT_EQ(h.right, c.right);
    EXPECT_GT(h.left, view.right);
    EXPECT_EQ(ui::BarItemRect(bar, 0).left, 0);  // the others stay on the left
    // The mouse finds it there and opens it.
    POINT at = Middle(3);
    UINT opened = 0;
    drv.Host().QueueIdleStep([&] {
        opened = ui::MenuTracker::Active() ? UINT(ui::MenuTracker::Active()->BarSelection()) : 99;
        drv.Key(VK_ESCAPE, 0x1B);
    });
    drv.Host().QueueIdleStep([&] { drv.Key(VK_ESCAPE, 0x1B); });
    drv.MouseMove(at);
    drv.MouseDown(at);
    drv.Pump();
    EXPECT_EQ(opened, 3u);
}

}  // namespace
