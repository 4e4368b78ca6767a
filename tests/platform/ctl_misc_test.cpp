// Date-time picker, month calendar, IP address and tooltip controls, and image lists.
#include "ctl_support.h"

#include "platform/ui/controls/CtlToolTipFilter.h"

using namespace ctltest;
using Ev = std::vector<std::string>;

namespace {

SYSTEMTIME Date(int y, int m, int d, int h = 0, int mi = 0, int s = 0)
{
    SYSTEMTIME st{};
    st.wYear = WORD(y);
    st.wMonth = WORD(m);
    st.wDay = WORD(d);
    st.wHour = WORD(h);
    st.wMinute = WORD(mi);
    st.wSecond = WORD(s);
    return st;
}

class MiscTest : public CtlTest {};

TEST_F(MiscTest, DateTimeKeepsInsideItsRangeAndReportsUserChanges)
{
    CDateTimeCtrl dt;
    ASSERT_TRUE(dt.Create(WS_CHILD | WS_VISIBLE | DTS_SHORTDATEFORMAT | DTS_UPDOWN, CRect(10, 10, 170, 34),
                          CWnd::FromHandle(parent), 1300));
    SYSTEMTIME lo = Date(2000, 1, 1), hi = Date(2099, 12, 31);
    ASSERT_TRUE(dt.SetRange(&lo, &hi));
    SYSTEMTIME got{};
    SYSTEMTIME in = Date(2150, 6, 1);
    EXPECT_TRUE(dt.SetTime(&in));
    EXPECT_EQ(dt.GetTime(&got), GDT_VALID);
    EXPECT_EQ(got.wYear, 2099);  // held to the range
    EXPECT_EQ(got.wMonth, 12);
    SYSTEMTIME bad = Date(2020, 2, 30);
    EXPECT_FALSE(dt.SetTime(&bad));  // refused, the old value stays
    dt.GetTime(&got);
    EXPECT_EQ(got.wYear, 2099);
    Take();
    in = Date(2020, 1, 31);
    dt.SetTime(&in);
    EXPECT_TRUE(Take().empty());

    // the first field is the year: up steps it; the month then wraps inside its field
    SetFocus(dt.m_hWnd);
    Take();
    Key(VK_UP);
    dt.GetTime(&got);
    EXPECT_EQ(got.wYear, 2021);
    EXPECT_EQ(Take(), (Ev{"notify 1300 DTN_DATETIMECHANGE focus=1300"}));
    Key(VK_RIGHT);
    Key(VK_DOWN);
    dt.GetTime(&got);
    EXPECT_EQ(got.wMonth, 12);
    EXPECT_EQ(got.wYear, 2021);
    Key(VK_UP);
    Key(VK_UP);  // 12 -> 1 -> 2: the 31st becomes the last day of February
    dt.GetTime(&got);
    EXPECT_EQ(got.wMonth, 2);
    EXPECT_EQ(got.wDay, 28);
    // typing a day
    Key(VK_RIGHT);
    drv.Key('1', L'1');
    drv.Key('5', L'5');
    drv.Pump();
    dt.GetTime(&got);
    EXPECT_EQ(got.wDay, 15);
}

TEST_F(MiscTest, DateTimeSetAndGetEdgeCases)
{
    CDateTimeCtrl dt, none;
    ASSERT_TRUE(dt.Create(WS_CHILD | WS_VISIBLE | DTS_UPDOWN, CRect(10, 10, 170, 34), CWnd::FromHandle(parent), 1303));
    ASSERT_TRUE(none.Create(WS_CHILD | WS_VISIBLE | DTS_SHOWNONE, CRect(10, 40, 170, 64), CWnd::FromHandle(parent), 1304));
    struct Case {
        CDateTimeCtrl* ctl;
        DWORD flag;            // GDT_VALID or GDT_NONE
        SYSTEMTIME in;
        BOOL accepted;
        LRESULT got;           // what DTM_GETSYSTEMTIME answers afterwards
        WORD year;             // of the time read back (valid ones)
    };
    const Case cases[] = {
        {&dt, GDT_VALID, Date(2024, 2, 29), TRUE, GDT_VALID, 2024},
        {&dt, GDT_VALID, Date(2023, 2, 29), FALSE, GDT_VALID, 2024},  // no such day: the old value stays
        {&dt, GDT_VALID, Date(2024, 13, 1), FALSE, GDT_VALID, 2024},
        {&dt, GDT_NONE, {}, FALSE, GDT_VALID, 2024},                  // "no date" needs DTS_SHOWNONE
        {&none, GDT_NONE, {}, TRUE, GDT_NONE, 0},
        {&none, GDT_VALID, Date(2010, 1, 1), TRUE, GDT_VALID, 2010},  // a date checks the box again
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.ctl->SendMessage(DTM_SETSYSTEMTIME, c.flag, reinterpret_cast<LPARAM>(&c.in)), c.accepted)
            << c.in.wYear << "-" << c.in.wMonth;
        SYSTEMTIME got{};
        EXPECT_EQ(c.ctl->SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&got)), c.got);
        if (c.got == GDT_VALID) {
            EXPECT_EQ(got.wYear, c.year);
        }
    }
    // the range: limits not given are no limits and read as zeros
    SYSTEMTIME r[2] = {Date(2010, 1, 1), Date(2036, 12, 31)};
    EXPECT_TRUE(dt.SendMessage(DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(r)));
    EXPECT_TRUE(dt.SendMessage(DTM_SETRANGE, GDTR_MIN, reinterpret_cast<LPARAM>(r)));
    SYSTEMTIME back[2] = {};
    EXPECT_EQ(dt.SendMessage(DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(back)), LRESULT(GDTR_MIN));
    EXPECT_EQ(back[0].wYear, 2010);
    EXPECT_EQ(back[1].wYear, 0);
    SYSTEMTIME late = Date(2090, 1, 1), early = Date(2000, 1, 1);
    EXPECT_TRUE(dt.SetTime(&late));  // no upper limit any more
    SYSTEMTIME got{};
    dt.GetTime(&got);
    EXPECT_EQ(got.wYear, 2090);
    EXPECT_TRUE(dt.SetTime(&early));  // held to the lower one
    dt.GetTime(&got);
    EXPECT_EQ(got.wYear, 2010);
}

TEST_F(MiscTest, DateTimeDropDownCalendarPicksADay)
{
    CDateTimeCtrl dt;
    ASSERT_TRUE(dt.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 170, 34), CWnd::FromHandle(parent), 1301));
    SYSTEMTIME in = Date(2024, 5, 10);
    dt.SetTime(&in);
    Take();
    Click(dt.m_hWnd, 155, 10);  // the drop button
    HWND cal = dt.GetMonthCalCtrl();
    ASSERT_NE(cal, nullptr);
    EXPECT_EQ(Take(), (Ev{"notify 1301 NM_SETFOCUS focus=1301", "notify 1301 DTN_DROPDOWN focus=1301"}));
    // pick the 20th through the calendar's own keyboard (10 + 7 + 3 days)
    SendMessageW(cal, WM_KEYDOWN, VK_DOWN, 0);
    SYSTEMTIME got{};
    dt.GetTime(&got);
    EXPECT_EQ(got.wDay, 17);
    EXPECT_EQ(dt.GetMonthCalCtrl(), nullptr);  // a choice closes it
    Ev ev = Take();
    EXPECT_EQ(ev, (Ev{"notify 1301 DTN_CLOSEUP focus=1301", "notify 1301 DTN_DATETIMECHANGE focus=1301"}));
}

TEST_F(MiscTest, MonthCalendarRefusesDatesOutsideItsRange)
{
    CMonthCalCtrl mc;
    ASSERT_TRUE(mc.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 230, 190), CWnd::FromHandle(parent), 1302));
    SYSTEMTIME lo = Date(2010, 1, 1), hi = Date(2036, 12, 31);
    ASSERT_TRUE(mc.SetRange(&lo, &hi));
    SYSTEMTIME in = Date(2009, 12, 31);
    EXPECT_FALSE(mc.SetCurSel(&in));
    in = Date(2024, 2, 29);
    EXPECT_TRUE(mc.SetCurSel(&in));
    SYSTEMTIME got{};
    mc.GetCurSel(&got);
    EXPECT_EQ(got.wDayOfWeek, 4);  // a Thursday
    SYSTEMTIME r[2] = {};
    EXPECT_EQ(mc.GetRange(&r[0], &r[1]), GDTR_MIN | GDTR_MAX);
}

TEST_F(MiscTest, IpAddressFieldsAndRanges)
{
    CIPAddressCtrl ip;
    ASSERT_TRUE(ip.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 170, 32), CWnd::FromHandle(parent), 1400));
    EXPECT_TRUE(ip.IsBlank());
    ip.SetAddress(192, 168, 1, 1);
    BYTE a, b, c, d;
    EXPECT_EQ(ip.GetAddress(a, b, c, d), 4);
    EXPECT_EQ(std::vector<int>({a, b, c, d}), std::vector<int>({192, 168, 1, 1}));
    ip.ClearAddress();
    SetFocus(ip.m_hWnd);
    Take();
    Type(L"10.0.300");  // 300 is above the field's range: it becomes 255
    DWORD addr = 0;
    EXPECT_EQ(ip.GetAddress(addr), 3);
    EXPECT_EQ(addr, MAKEIPADDRESS(10, 0, 255, 0));
    EXPECT_EQ(SendMessageW(ip.m_hWnd, IPM_ISBLANK, 0, 0), FALSE);
    Ev ev = Take();
    EXPECT_EQ(ev.front(), "cmd 1400 EN_CHANGE focus=1400");
    EXPECT_NE(std::find(ev.begin(), ev.end(), "notify 1400 IPN_FIELDCHANGED focus=1400"), ev.end());
    ip.SetFieldRange(0, 1, 223);
    ip.GetAddress(addr);
    EXPECT_EQ(FIRST_IPADDRESS(addr), 10);
    ip.SetAddress(0, 0, 0, 0);
    ip.GetAddress(addr);
    EXPECT_EQ(FIRST_IPADDRESS(addr), 1);  // held to the field's range
}

TEST_F(MiscTest, IpAddressReportsEveryFieldItLeaves)
{
    CIPAddressCtrl ip;
    ASSERT_TRUE(ip.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 170, 32), CWnd::FromHandle(parent), 1401));
    std::vector<std::pair<int, int>> left;  // (field, value) of each IPN_FIELDCHANGED
    int replaceField = -1;
    onNotify = [&](NMHDR* h) -> LRESULT {
        if (h->code == IPN_FIELDCHANGED) {
            auto* nm = reinterpret_cast<NMIPADDRESS*>(h);
            left.push_back({nm->iField, nm->iValue});
            if (nm->iField == replaceField)
                nm->iValue = 7;  // the parent's answer becomes the field's value
        }
        return 0;
    };
    struct Case {
        const wchar_t* typed;  // into a cleared control, then the focus leaves it
        int replace;
        DWORD address;
        std::vector<std::pair<int, int>> left;
    };
    const Case cases[] = {
        {L"1.2", -1, MAKEIPADDRESS(1, 2, 0, 0), {{0, 1}, {1, 2}}},
        {L"123", -1, MAKEIPADDRESS(123, 0, 0, 0), {{0, 123}, {1, -1}}},  // three digits move on
        {L"1..", -1, MAKEIPADDRESS(1, 0, 0, 0), {{0, 1}, {1, -1}}},      // a dot in a blank field stays
        {L"9.8", 0, MAKEIPADDRESS(7, 8, 0, 0), {{0, 9}, {1, 8}}},
    };
    for (const Case& c : cases) {
        ip.ClearAddress();
        replaceField = c.replace;
        SendMessageW(ip.m_hWnd, IPM_SETFOCUS, 0, 0);
        left.clear();
        Type(c.typed);
        SetFocus(parent);
        DWORD a = 0;
        ip.GetAddress(a);
        EXPECT_EQ(a, c.address) << c.typed;
        EXPECT_EQ(left, c.left) << c.typed;
        left.clear();
    }
    // ranges: a bad field or an upside-down range is refused
    EXPECT_FALSE(SendMessageW(ip.m_hWnd, IPM_SETRANGE, 4, MAKEIPRANGE(0, 10)));
    EXPECT_FALSE(SendMessageW(ip.m_hWnd, IPM_SETRANGE, 1, MAKEIPRANGE(10, 0)));
    EXPECT_TRUE(SendMessageW(ip.m_hWnd, IPM_SETRANGE, 1, MAKEIPRANGE(10, 20)));
    ip.SetAddress(1, 30, 3, 4);
    DWORD a = 0;
    EXPECT_EQ(ip.GetAddress(a), 4);
    EXPECT_EQ(a, MAKEIPADDRESS(1, 20, 3, 4));
}

TEST_F(MiscTest, ToolTipShowsAfterDelayAsksForTextAndPops)
{
    HWND btn = Make(L"Button", L"Tip me", BS_PUSHBUTTON, 20, 20, 100, 30, 1501);
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(CWnd::FromHandle(parent)));
    ASSERT_TRUE(tip.AddTool(CWnd::FromHandle(btn)));  // the whole button, text on request
    EXPECT_EQ(tip.GetToolCount(), 1);
    std::wstring asked;
    onNotify = [&](NMHDR* h) -> LRESULT {
        if (h->code == TTN_GETDISPINFOW) {
            auto* di = reinterpret_cast<NMTTDISPINFOW*>(h);
            // the tool is the button itself: idFrom is its handle
            EXPECT_EQ(reinterpret_cast<HWND>(h->idFrom), btn);
            wcscpy(di->szText, L"Button help");
        }
        return 0;
    };
    POINT inside = CHeadlessDriver::At(btn, POINT{10, 10});
    drv.MouseMove(inside);
    drv.Pump();
    MSG m{btn, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), 0, inside};
    tip.RelayEvent(&m);
    EXPECT_FALSE(tip.IsWindowVisible());
    drv.AdvanceClock(600);
    drv.Pump();
    EXPECT_TRUE(tip.IsWindowVisible());
    // the request names the button by handle (idFrom), as tools over whole windows do
    const std::string byHandle = "notify " + std::to_string(reinterpret_cast<UINT_PTR>(btn));
    EXPECT_EQ(Take(), (Ev{byHandle + " TTN_GETDISPINFO focus=0", byHandle + " TTN_SHOW focus=0"}));
    drv.AdvanceClock(6000);
    drv.Pump();
    EXPECT_FALSE(tip.IsWindowVisible());
    onNotify = nullptr;

    // a fixed text, changed later
    tip.UpdateTipText(L"Changed", CWnd::FromHandle(btn));
    TTTOOLINFOW ti{};
    wchar_t buf[80] = {};
    ti.lpszText = buf;
    ASSERT_TRUE(tip.GetToolInfo(ti, CWnd::FromHandle(btn)));
    EXPECT_EQ(std::wstring(buf), L"Changed");
    tip.DelTool(CWnd::FromHandle(btn));
    EXPECT_EQ(tip.GetToolCount(), 0);
}

TEST_F(MiscTest, ToolTipFilterAsksTheOwnerAboutTheControlUnderTheMouse)
{
    HWND btn = Make(L"Button", L"A", BS_PUSHBUTTON, 20, 20, 80, 24, 1601);
    Make(L"Button", L"B", BS_PUSHBUTTON, 120, 20, 80, 24, 1602);
    std::vector<HWND> asked;
    onNotify = [&](NMHDR* h) -> LRESULT {
        if (h->code == TTN_NEEDTEXTW) {
            asked.push_back(reinterpret_cast<HWND>(h->idFrom));
            EXPECT_TRUE(reinterpret_cast<NMTTDISPINFOW*>(h)->uFlags & TTF_IDISHWND);
            wcscpy(reinterpret_cast<NMTTDISPINFOW*>(h)->szText, L"tip");
        }
        return 0;
    };
    POINT s = CHeadlessDriver::At(btn, POINT{5, 5});
    drv.MouseMove(s);
    drv.Pump();
    MSG m{btn, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, s};
    AfxFilterToolTipMessage(parent, &m);
    drv.AdvanceClock(600);
    drv.Pump();
    EXPECT_EQ(asked, std::vector<HWND>{btn});
    ASSERT_NE(AfxGetThreadToolTip(), nullptr);
    EXPECT_TRUE(IsWindowVisible(AfxGetThreadToolTip()));
    AfxCancelToolTips(parent);
    EXPECT_FALSE(IsWindowVisible(AfxGetThreadToolTip()));
    onNotify = nullptr;
}

TEST_F(MiscTest, ImageListMasksTheKeyColour)
{
    // two 4x4 images side by side: red with a magenta corner, and blue
    CBitmap bmp;
    HDC screen = GetDC(parent);
    bmp.Attach(CreateCompatibleBitmap(screen, 8, 4));
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT left{0, 0, 4, 4}, right{4, 0, 8, 4};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(mem, &left, red);
    FillRect(mem, &right, blue);
    SetPixel(mem, 0, 0, RGB(255, 0, 255));
    SelectObject(mem, old);
    DeleteObject(red);
    DeleteObject(blue);
    CImageList il;
    ASSERT_TRUE(il.Create(4, 4, ILC_COLOR24 | ILC_MASK, 2, 0));
    EXPECT_EQ(il.Add(&bmp, RGB(255, 0, 255)), 0);
    EXPECT_EQ(il.GetImageCount(), 2);
    // draw onto green: the masked corner shows the green below
    HBITMAP target = CreateCompatibleBitmap(screen, 8, 4);
    old = SelectObject(mem, target);
    RECT all{0, 0, 8, 4};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(mem, &all, green);
    DeleteObject(green);
    EXPECT_TRUE(il.Draw(CDC::FromHandle(mem), 0, POINT{0, 0}, ILD_TRANSPARENT));
    EXPECT_TRUE(il.Draw(CDC::FromHandle(mem), 1, POINT{4, 0}, ILD_NORMAL));
    EXPECT_EQ(GetPixel(mem, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(mem, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(mem, 5, 1), RGB(0, 0, 255));
    EXPECT_FALSE(il.Draw(CDC::FromHandle(mem), 7, POINT{0, 0}, ILD_NORMAL));  // no such image
    SelectObject(mem, old);
    DeleteObject(target);
    DeleteDC(mem);
    ReleaseDC(parent, screen);
    EXPECT_TRUE(il.Remove(0));
    EXPECT_EQ(il.GetImageCount(), 1);
    EXPECT_EQ(ImageList_Create(0, 16, ILC_COLOR24, 1, 1), nullptr);  // nonsense sizes are refused
}

}  // namespace
