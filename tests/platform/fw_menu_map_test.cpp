// The system menu the menu layer keeps per window goes with the window: a long session opening
// and closing windows must not grow the map.
#include "ui_support.h"

#include "platform/ui/framework/detail/MenuData.h"

namespace uitest {
namespace {

TEST_F(UiTest, SystemMenusAreFreedWithTheirWindows)
{
    HWND host = rec.Make("host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300);
    const size_t before = ui::KeptWindowMenuCount();
    HMENU lastSystem = nullptr;
    for (int i = 0; i < 1000; ++i) {
        // A frame with a menu bar and its system menu, and a child (as an MDI child) with one.
        HWND frame = rec.Make("frame", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150);
        HWND child = rec.Make("child", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 80, host);
        HMENU bar = ::CreateMenu();
        ::AppendMenuW(bar, MF_STRING, 100, L"&File");
        ASSERT_TRUE(::SetMenu(frame, bar));
        ASSERT_NE(::GetSystemMenu(frame, FALSE), nullptr);
        lastSystem = ::GetSystemMenu(child, FALSE);
        ASSERT_NE(lastSystem, nullptr);
        EXPECT_GT(ui::KeptWindowMenuCount(), before);
        ::DestroyWindow(child);
        ::DestroyWindow(frame);
        ::DestroyMenu(bar);
        drv.Pump();
    }
    EXPECT_EQ(ui::KeptWindowMenuCount(), before);
    EXPECT_FALSE(::IsMenu(lastSystem));
}

} // namespace
} // namespace uitest
