// Up-down, trackbar, progress bar and scroll bar controls: what they report to the parent, in
// which order, and with which positions.
#include "ctl_support.h"

using namespace ctltest;
using Ev = std::vector<std::string>;

namespace {

class BarTest : public CtlTest {};

TEST_F(BarTest, SpinClickFocusesBuddyAsksThenWritesAndReports)
{
    HWND edit = Make(L"Edit", L"", ES_AUTOHSCROLL | WS_TABSTOP, 10, 10, 80, 22, 601, WS_EX_CLIENTEDGE);
    HWND spin = Make(L"msctls_updown32", L"", UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0,
                     16, 10, 602);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)), edit);
    RECT er{}, sr{};
    GetWindowRect(edit, &er);
    GetWindowRect(spin, &sr);
    EXPECT_EQ(sr.left, er.right);  // placed against the buddy's right side
    EXPECT_EQ(sr.bottom - sr.top, er.bottom - er.top);
    SendMessageW(spin, UDM_SETRANGE32, WPARAM(-20000), 20000);
    SendMessageW(spin, UDM_SETPOS32, 0, 999);
    EXPECT_EQ(Text(edit), L"999");
    Take();

    Click(spin, 4, 2);  // the upper arrow
    EXPECT_EQ(Text(edit), L"1,000");
    EXPECT_EQ(Take(), (Ev{"cmd 601 EN_SETFOCUS focus=601", "notify 602 UDN_DELTAPOS focus=601",
                          "cmd 601 EN_UPDATE focus=601", "cmd 601 EN_CHANGE focus=601",
                          "vscroll 602 code=4 pos=1000 focus=601", "vscroll 602 code=8 pos=1000 focus=601"}));

    // a non-zero answer to UDN_DELTAPOS refuses the step
    onNotify = [](NMHDR*) -> LRESULT { return 1; };
    Key(VK_DOWN);
    EXPECT_EQ(Text(edit), L"1,000");
    onNotify = nullptr;
    // arrow keys in the buddy step; the typed text is read back first
    SetWindowTextW(edit, L"-5");
    Key(VK_DOWN);
    EXPECT_EQ(Text(edit), L"-6");
    BOOL err = TRUE;
    EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&err)), -6);
    EXPECT_FALSE(err);
    SetWindowTextW(edit, L"abc");
    SendMessageW(spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&err));
    EXPECT_TRUE(err);
}

TEST_F(BarTest, SpinRangesLimitsAndDirection)
{
    HWND spin = Make(L"msctls_updown32", L"", 0, 10, 10, 16, 30, 603);
    // the default range runs from 100 down to 0, so the up arrow lowers the position
    EXPECT_EQ(SendMessageW(spin, UDM_GETRANGE, 0, 0), MAKELONG(0, 100));
    SendMessageW(spin, UDM_SETPOS, 0, MAKELPARAM(50, 0));
    Click(spin, 4, 2);
    EXPECT_EQ(LOWORD(SendMessageW(spin, UDM_GETPOS, 0, 0)), 49);
    struct Case {
        short lower, upper, start;
        int clicksUp;
        int expected;
    };
    const Case cases[] = {
        {-32768, 32767, 32766, 3, 32767},  // stops at the upper end
        {-1000, 1000, -999, -5, -1000},    // and at the lower one
        {0, 10, 5, 2, 7},
    };
    for (const Case& c : cases) {
        SendMessageW(spin, UDM_SETRANGE, 0, MAKELPARAM(WORD(c.upper), WORD(c.lower)));
        SendMessageW(spin, UDM_SETPOS, 0, MAKELPARAM(WORD(c.start), 0));
        for (int i = 0; i < std::abs(c.clicksUp); ++i)
            Click(spin, 4, c.clicksUp > 0 ? 2 : 27);
        EXPECT_EQ(SHORT(LOWORD(SendMessageW(spin, UDM_GETPOS, 0, 0))), c.expected) << c.lower << ".." << c.upper;
    }
}

TEST_F(BarTest, SpinReadsItsBuddyAndKeepsItsPositionInTheRange)
{
    HWND edit = Make(L"Edit", L"", ES_AUTOHSCROLL, 10, 10, 80, 22, 604);
    HWND spin = Make(L"msctls_updown32", L"", UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0, 0, 16, 22, 605);
    SendMessageW(spin, UDM_SETRANGE, 0, MAKELPARAM(100, 0));
    SendMessageW(spin, UDM_SETPOS, 0, MAKELPARAM(40, 0));
    // UDM_GETPOS reads the buddy: a number of the range becomes the position, anything else is an
    // error and leaves the position as it was
    struct Case {
        const wchar_t* text;
        WORD pos;
        bool error;
    };
    const Case cases[] = {
        {L"57", 57, false}, {L"60", 60, false}, {L"150", 60, true}, {L"-1", 60, true},
        {L"abc", 60, true}, {L"", 60, true},      {L"0", 0, false},
    };
    for (const Case& c : cases) {
        SetWindowTextW(edit, c.text);
        LRESULT r = SendMessageW(spin, UDM_GETPOS, 0, 0);
        EXPECT_EQ(LOWORD(r), c.pos) << c.text;
        EXPECT_EQ(HIWORD(r) != 0, c.error) << c.text;
    }
    // a step after an out-of-range text goes on from the last good position
    SetWindowTextW(edit, L"7");
    SendMessageW(spin, UDM_GETPOS, 0, 0);
    SetWindowTextW(edit, L"900");
    Click(spin, 4, 2);
    EXPECT_EQ(Text(edit), L"8");
    // UDM_SETPOS holds the position in the range and answers the old one
    EXPECT_EQ(SendMessageW(spin, UDM_SETPOS, 0, MAKELPARAM(WORD(500), 0)), 8);
    EXPECT_EQ(Text(edit), L"100");
    EXPECT_EQ(SendMessageW(spin, UDM_SETPOS32, 0, -5), 100);
    EXPECT_EQ(Text(edit), L"0");
    // hexadecimal
    EXPECT_EQ(SendMessageW(spin, UDM_SETBASE, 16, 0), 10);
    EXPECT_EQ(SendMessageW(spin, UDM_SETBASE, 8, 0), 0);  // only 10 and 16
    SendMessageW(spin, UDM_SETPOS32, 0, 26);
    EXPECT_EQ(Text(edit), L"0x001A");
    SetWindowTextW(edit, L"0x1F");
    EXPECT_EQ(LOWORD(SendMessageW(spin, UDM_GETPOS, 0, 0)), 31);
    // UDS_WRAP: past an end to the other end
    HWND wrap = Make(L"msctls_updown32", L"", UDS_WRAP, 120, 10, 16, 30, 606);
    SendMessageW(wrap, UDM_SETRANGE32, 0, 3);
    SendMessageW(wrap, UDM_SETPOS32, 0, 3);
    Click(wrap, 4, 2);
    EXPECT_EQ(SendMessageW(wrap, UDM_GETPOS32, 0, 0), 0);
    Click(wrap, 4, 27);
    EXPECT_EQ(SendMessageW(wrap, UDM_GETPOS32, 0, 0), 3);
    int lo = 0, hi = 0;
    SendMessageW(wrap, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 3);
}

TEST_F(BarTest, SpinLeavesABuddyTextThatAlreadyReadsThePosition)
{
    HWND edit = Make(L"Edit", L"", ES_AUTOHSCROLL, 10, 10, 80, 22, 607);
    HWND spin = Make(L"msctls_updown32", L"", UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0, 0, 16, 22, 608);
    SendMessageW(spin, UDM_SETRANGE32, 0, 100);
    SendMessageW(spin, UDM_SETPOS32, 0, 40);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 1, 1);  // the user's caret inside "40"
    Take();
    struct Step {
        int pos;
        Ev events;  // what the buddy reports
        std::wstring text;
    } steps[] = {
        {40, {}, L"40"},  // the same number: the text, and the caret in it, stay
        {41, {"cmd 607 EN_UPDATE focus=607", "cmd 607 EN_CHANGE focus=607"}, L"41"},
        {41, {}, L"41"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.pos);
        SendMessageW(spin, UDM_SETPOS32, 0, s.pos);
        EXPECT_EQ(Take(), s.events);
        EXPECT_EQ(Text(edit), s.text);
        if (s.events.empty() && s.pos == 40) {
            DWORD a = 0, b = 0;
            SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
            EXPECT_EQ(a, 1u);
            EXPECT_EQ(b, 1u);
        }
    }
}

TEST_F(BarTest, TrackbarReportsEveryMoveAfterChangingPosition)
{
    HWND tb = Make(L"msctls_trackbar32", L"", TBS_HORZ | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP, 10, 10, 200, 24, 701);
    SendMessageW(tb, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendMessageW(tb, TBM_SETPAGESIZE, 0, 10);
    SendMessageW(tb, TBM_SETPOS, TRUE, 50);
    Take();
    std::vector<int> seen;
    onCommand = nullptr;
    SetFocus(tb);
    Take();
    struct Case {
        UINT vk;
        int pos;
        UINT code;
    };
    const Case cases[] = {
        {VK_RIGHT, 51, TB_LINEDOWN}, {VK_LEFT, 50, TB_LINEUP}, {VK_NEXT, 60, TB_PAGEDOWN},
        {VK_PRIOR, 50, TB_PAGEUP},   {VK_END, 100, TB_BOTTOM}, {VK_HOME, 0, TB_TOP},
    };
    for (const Case& c : cases) {
        Key(c.vk);
        EXPECT_EQ(SendMessageW(tb, TBM_GETPOS, 0, 0), c.pos);
        EXPECT_EQ(Take(), (Ev{"hscroll 701 code=" + std::to_string(c.code) + " pos=0 focus=701",
                              "hscroll 701 code=8 pos=0 focus=701"}));
    }
    // drag the thumb: track on each move, then position and end
    RECT th{};
    SendMessageW(tb, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&th));
    POINT c{(th.left + th.right) / 2, (th.top + th.bottom) / 2};
    RECT ch{};
    SendMessageW(tb, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&ch));
    drv.MouseDown(CHeadlessDriver::At(tb, c));
    drv.MouseMove(CHeadlessDriver::At(tb, POINT{(ch.left + ch.right) / 2, c.y}));
    drv.MouseUp(CHeadlessDriver::At(tb, POINT{(ch.left + ch.right) / 2, c.y}));
    drv.Pump();
    EXPECT_EQ(SendMessageW(tb, TBM_GETPOS, 0, 0), 50);
    EXPECT_EQ(Take(), (Ev{"hscroll 701 code=5 pos=50 focus=701", "hscroll 701 code=4 pos=50 focus=701",
                          "hscroll 701 code=8 pos=0 focus=701"}));
    // a click on the channel beyond the thumb pages towards it
    Click(tb, ch.right - 2, c.y);
    EXPECT_EQ(SendMessageW(tb, TBM_GETPOS, 0, 0), 60);
    EXPECT_EQ(Take(), (Ev{"hscroll 701 code=3 pos=0 focus=701", "hscroll 701 code=8 pos=0 focus=701"}));
}

TEST_F(BarTest, ProgressPaintsAtOnceAndStepsRoundTheRange)
{
    HWND pb = Make(L"msctls_progress32", L"", PBS_SMOOTH, 10, 10, 200, 20, 801);
    UpdateWindow(parent);
    drv.Pump();
    COLORREF before = PixelAt(pb, 150, 10);
    SendMessageW(pb, PBM_SETPOS, 90, 0);  // no message loop between: the bar shows it already
    POINT s = CHeadlessDriver::At(pb, POINT{150, 10});
    RECT wr{};
    GetWindowRect(parent, &wr);
    EXPECT_NE(drv.Pixel(parent, s.x - wr.left, s.y - wr.top), before);
    EXPECT_EQ(drv.Pixel(parent, s.x - wr.left, s.y - wr.top), GetSysColor(COLOR_HIGHLIGHT));

    EXPECT_EQ(SendMessageW(pb, PBM_SETRANGE32, 0, 50), MAKELONG(0, 100));
    EXPECT_EQ(SendMessageW(pb, PBM_GETPOS, 0, 0), 50);  // clamped into the new range
    SendMessageW(pb, PBM_SETSTEP, 20, 0);
    SendMessageW(pb, PBM_SETPOS, 40, 0);
    SendMessageW(pb, PBM_STEPIT, 0, 0);
    EXPECT_EQ(SendMessageW(pb, PBM_GETPOS, 0, 0), 10);  // past the end it starts again
    PBRANGE r{};
    EXPECT_EQ(SendMessageW(pb, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&r)), 50);
    EXPECT_EQ(r.iLow, 0);
}

TEST_F(BarTest, ProgressStepWrapsByTheRangeWidthAtEitherEnd)
{
    HWND pb = Make(L"msctls_progress32", L"", 0, 10, 10, 200, 20, 802);
    struct Case {
        int lo, hi, start, step, after;
    };
    const Case cases[] = {
        {3, 15, 3, 50, 5},     // 3 + 50 % 12
        {3, 15, 3, -50, 13},   // likewise downwards
        {3, 15, 13, 5, 6},     {3, 15, 4, -5, 11},
        {3, 15, 10, 5, 15},    // reaching an end exactly does not wrap
        {3, 15, 15, 12, 3},    {3, 15, 5, -2, 3},
        {5, 5, 5, 1, 5},       // an empty range stays put
        {-3, -2, -3, -5, -2},  {0, 100, 90, 10, 100},
    };
    for (const Case& c : cases) {
        SendMessageW(pb, PBM_SETRANGE32, WPARAM(c.lo), LPARAM(c.hi));
        SendMessageW(pb, PBM_SETPOS, WPARAM(c.start), 0);
        SendMessageW(pb, PBM_SETSTEP, WPARAM(c.step), 0);
        EXPECT_EQ(SendMessageW(pb, PBM_STEPIT, 0, 0), c.start);  // the old position
        EXPECT_EQ(SendMessageW(pb, PBM_GETPOS, 0, 0), c.after) << c.lo << ".." << c.hi << " " << c.start << "+" << c.step;
    }
    // a position set or moved past the range is held at its end
    SendMessageW(pb, PBM_SETRANGE32, 0, 10);
    SendMessageW(pb, PBM_SETPOS, 50, 0);
    EXPECT_EQ(SendMessageW(pb, PBM_GETPOS, 0, 0), 10);
    EXPECT_EQ(SendMessageW(pb, PBM_DELTAPOS, WPARAM(-30), 0), 10);
    EXPECT_EQ(SendMessageW(pb, PBM_GETPOS, 0, 0), 0);
}

TEST_F(BarTest, TrackbarPageTicksAndSelectionFollowTheRange)
{
    HWND tb = Make(L"msctls_trackbar32", L"", TBS_HORZ | TBS_AUTOTICKS, 10, 10, 200, 30, 702);
    HWND plain = Make(L"msctls_trackbar32", L"", TBS_HORZ, 10, 50, 200, 30, 703);
    HWND none = Make(L"msctls_trackbar32", L"", TBS_HORZ | TBS_NOTICKS, 10, 90, 200, 30, 704);
    HWND sel = Make(L"msctls_trackbar32", L"", TBS_HORZ | TBS_ENABLESELRANGE, 10, 130, 200, 30, 705);
    // the page is a fifth of the range until set; -1 gives that back
    EXPECT_EQ(SendMessageW(tb, TBM_GETPAGESIZE, 0, 0), 20);
    SendMessageW(tb, TBM_SETRANGE, TRUE, MAKELPARAM(0, 50));
    EXPECT_EQ(SendMessageW(tb, TBM_GETPAGESIZE, 0, 0), 10);
    EXPECT_EQ(SendMessageW(tb, TBM_SETPAGESIZE, 0, 7), 10);
    SendMessageW(tb, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    EXPECT_EQ(SendMessageW(tb, TBM_GETPAGESIZE, 0, 0), 7);
    EXPECT_EQ(SendMessageW(tb, TBM_SETPAGESIZE, 0, -1), 7);
    EXPECT_EQ(SendMessageW(tb, TBM_GETPAGESIZE, 0, 0), 20);

    // ticks: the two ends always, the automatic ones every frequency steps, and those set
    struct Case {
        HWND h;
        int freq;      // 0: leave it
        int setTic;    // -1: none
        LRESULT count;
    };
    const Case cases[] = {
        {tb, 0, -1, 101},  // frequency 1 over 0..100
        {tb, 25, -1, 5},   // 25, 50, 75 and the ends
        {plain, 25, -1, 2},  // no TBS_AUTOTICKS: the frequency does nothing
        {plain, 0, 30, 3},
        {none, 0, 30, 0},  // no ticks at all
    };
    for (const Case& c : cases) {
        if (c.freq)
            SendMessageW(c.h, TBM_SETTICFREQ, WPARAM(c.freq), 0);
        if (c.setTic >= 0) {
            EXPECT_TRUE(SendMessageW(c.h, TBM_SETTIC, 0, c.setTic));
        }
        EXPECT_EQ(SendMessageW(c.h, TBM_GETNUMTICS, 0, 0), c.count) << GetDlgCtrlID(c.h) << " " << c.freq;
    }
    auto* tics = reinterpret_cast<const DWORD*>(SendMessageW(tb, TBM_GETPTICS, 0, 0));
    ASSERT_NE(tics, nullptr);
    EXPECT_EQ(tics[0], 25u);
    EXPECT_EQ(tics[2], 75u);
    EXPECT_EQ(SendMessageW(tb, TBM_GETTIC, 1, 0), 50);
    EXPECT_EQ(SendMessageW(tb, TBM_GETTIC, 3, 0), -1);
    SendMessageW(tb, TBM_SETRANGE, TRUE, MAKELPARAM(0, 50));  // the automatic ticks follow the range
    EXPECT_EQ(SendMessageW(tb, TBM_GETNUMTICS, 0, 0), 3);
    EXPECT_FALSE(SendMessageW(plain, TBM_SETTIC, 0, 101));  // outside the range
    SendMessageW(plain, TBM_CLEARTICS, TRUE, 0);
    EXPECT_EQ(SendMessageW(plain, TBM_GETPTICS, 0, 0), 0);

    // the selection is held inside the range, and exists only with TBS_ENABLESELRANGE
    SendMessageW(sel, TBM_SETSEL, TRUE, MAKELPARAM(WORD(-5), 120));
    EXPECT_EQ(SendMessageW(sel, TBM_GETSELSTART, 0, 0), 0);
    EXPECT_EQ(SendMessageW(sel, TBM_GETSELEND, 0, 0), 100);
    SendMessageW(sel, TBM_SETSELSTART, TRUE, 30);
    EXPECT_EQ(SendMessageW(sel, TBM_GETSELSTART, 0, 0), 30);
    SendMessageW(plain, TBM_SETSEL, TRUE, MAKELPARAM(10, 20));
    EXPECT_EQ(SendMessageW(plain, TBM_GETSELEND, 0, 0), 0);
}

TEST_F(BarTest, ScrollBarReportsAndLeavesThePositionToTheParent)
{
    HWND sb = Make(L"ScrollBar", L"", SBS_VERT, 10, 10, 17, 150, 901);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 200, 0};
    EXPECT_EQ(SetScrollInfo(sb, SB_CTL, &si, TRUE), 90);  // clamped to max - page + 1
    Take();
    Click(sb, 8, 145);  // the lower arrow
    EXPECT_EQ(Take(), (Ev{"vscroll 901 code=1 pos=0 focus=0", "vscroll 901 code=8 pos=0 focus=0"}));
    EXPECT_EQ(GetScrollPos(sb, SB_CTL), 90);
    SetScrollPos(sb, SB_CTL, 0, TRUE);
    Click(sb, 8, 100);  // the track below the thumb
    EXPECT_EQ(Take(), (Ev{"vscroll 901 code=3 pos=0 focus=0", "vscroll 901 code=8 pos=0 focus=0"}));
}

}  // namespace
