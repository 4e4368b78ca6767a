// Holding the button on a scroll bar arrow or page area repeats the scroll code: once on the
// press, again after a pause, then quickly until release, which ends with SB_ENDSCROLL. Window
// bars repeat inside their tracking loop, the scroll bar control from its own timer.
#include "ui_support.h"

#include "platform/ui/controls/CtlStd.h"

using namespace uitest;

namespace {

class PolishScrollTest : public UiTest {
protected:
    HWND top = nullptr;
    void SetUp() override
    {
        AfxRegisterControlClasses();
        top = rec.Make("top", WS_POPUP | WS_VISIBLE, 100, 50, 400, 300);
        rec.Watch({WM_VSCROLL});
        drv.Pump();
    }

    // Presses at `pt`, moves the virtual clock by each of `steps` and releases. Returns the
    // number of scroll messages after the press and after each step.
    std::vector<size_t> Hold(POINT pt, const std::vector<DWORD>& steps, bool trackingLoop)
    {
        drv.MouseMove(pt);
        drv.Pump();
        rec.Clear();
        std::vector<size_t> counts;
        CHeadlessHost& host = drv.Host();
        if (trackingLoop) {
            for (DWORD ms : steps)
                host.QueueIdleStep([&, ms] {
                    counts.push_back(rec.Log().size());
                    host.AdvanceClockTo(host.NowMs() + ms);
                });
            host.QueueIdleStep([&] {
                counts.push_back(rec.Log().size());
                drv.MouseUp(pt);
            });
            drv.MouseDown(pt);
            drv.Pump();
        } else {
            drv.MouseDown(pt);
            drv.Pump();
            counts.push_back(rec.Log().size());
            for (DWORD ms : steps) {
                drv.AdvanceClock(ms);
                counts.push_back(rec.Log().size());
            }
            drv.MouseUp(pt);
            drv.Pump();
        }
        return counts;
    }

    std::vector<UINT> Codes() const
    {
        std::vector<UINT> codes;
        for (const Rec& r : rec.Log())
            codes.push_back(LOWORD(r.wParam));
        return codes;
    }
};

struct HoldCase {
    const char* name;
    bool control;  // the scroll bar control rather than the window's own bar
    int y;         // along the 100-pixel bar
    UINT code;
};

TEST_F(PolishScrollTest, HeldArrowRepeatsAfterAPauseThenQuickly)
{
    const HoldCase cases[] = {
        {"window down arrow", false, 96, SB_LINEDOWN},
        {"window up arrow", false, 3, SB_LINEUP},
        {"control down arrow", true, 96, SB_LINEDOWN},
        {"control up arrow", true, 3, SB_LINEUP},
    };
    for (const HoldCase& c : cases) {
        SCOPED_TRACE(c.name);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 40, 0};
        HWND w;
        POINT pt;
        if (c.control) {
            w = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 16, 100, top,
                                HMENU(7), nullptr, nullptr);
            SetScrollInfo(w, SB_CTL, &si, TRUE);
            pt = CHeadlessDriver::At(w, POINT{8, c.y});
        } else {
            w = rec.Make("view", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
            SetScrollInfo(w, SB_VERT, &si, TRUE);
            pt = CHeadlessDriver::At(w, POINT{100 - 8, c.y});  // client coordinates of the bar
        }
        drv.Pump();
        // Nothing more before 400 ms, one after it, then one every 50 ms.
        std::vector<size_t> counts = Hold(pt, {399, 1, 49, 1, 50, 50}, !c.control);
        EXPECT_EQ(counts, (std::vector<size_t>{1, 1, 2, 2, 3, 4, 5}));
        std::vector<UINT> want(5, c.code);
        want.push_back(SB_ENDSCROLL);
        EXPECT_EQ(Codes(), want);
        // Released: the clock moving on sends nothing more.
        rec.Clear();
        drv.AdvanceClock(1000);
        EXPECT_TRUE(rec.Log().empty());
        DestroyWindow(w);
        drv.Pump();
    }
}

TEST_F(PolishScrollTest, HeldPageAreaStopsWhenTheThumbReachesThePointer)
{
    HWND w = rec.Make("view", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 0, 0};
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    rec.SetHook(w, [](HWND h, UINT msg, WPARAM wp, LPARAM, LRESULT* r) {
        if (msg == WM_VSCROLL && LOWORD(wp) == SB_PAGEDOWN)
            SetScrollPos(h, SB_VERT, GetScrollPos(h, SB_VERT) + 20, TRUE);
        *r = 0;
        return msg == WM_VSCROLL;
    });
    drv.Pump();
    Hold(CHeadlessDriver::At(w, POINT{100 - 8, 80}), {400, 50, 50, 50, 50, 50, 50}, true);
    std::vector<UINT> codes = Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), UINT(SB_ENDSCROLL));
    codes.pop_back();
    // Paging stopped under the pointer: far fewer pages than ticks, the thumb now at y = 80.
    EXPECT_EQ(codes, std::vector<UINT>(4, SB_PAGEDOWN));
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 80);
}

}  // namespace
