// Header and static controls against Win32's documented behaviour: the header's custom drawing,
// column order and height; the static edge and collapsed size of etched lines and sunken
// statics, and a picture static without its picture.
#include "ctl_support.h"

using namespace ctltest;

namespace {

class HeaderStaticTest : public CtlTest {
protected:
    HWND MakeHeader(int n)
    {
        HWND h = Make(WC_HEADERW, L"", HDS_BUTTONS, 10, 10, 360, 24, 1600);
        for (int i = 0; i < n; ++i) {
            std::wstring t = L"H" + std::to_wstring(i);
            HDITEMW it{HDI_TEXT | HDI_WIDTH | HDI_LPARAM, 60 + 10 * i, t.data(), nullptr, 0, 0, LPARAM(10 + i), 0, 0};
            SendMessageW(h, HDM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&it));
        }
        return h;
    }
    int FontHeight()
    {
        HDC dc = GetDC(parent);
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(parent, dc);
        return tm.tmHeight;
    }
};

TEST_F(HeaderStaticTest, HeaderCustomDrawStagesInDisplayOrder)
{
    HWND h = MakeHeader(3);
    int order[3] = {2, 0, 1};
    ASSERT_TRUE(SendMessageW(h, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(order)));
    std::vector<std::string> stages;
    onNotify = [&](NMHDR* n) -> LRESULT {
        if (n->code != NM_CUSTOMDRAW)
            return 0;
        auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(n);
        stages.push_back(std::to_string(cd->dwDrawStage) + ":" + std::to_string(cd->dwItemSpec) + ":" +
                         std::to_string(cd->lItemlParam));
        switch (cd->dwDrawStage) {
        case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        case CDDS_ITEMPREPAINT:
            if (cd->dwItemSpec == 0) {
                FillRect(cd->hdc, &cd->rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
                return CDRF_SKIPDEFAULT;
            }
            return cd->dwItemSpec == 1 ? CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
        default: return CDRF_DODEFAULT;
        }
    };
    RECT r0{};
    SendMessageW(h, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r0));
    EXPECT_EQ(PixelAt(h, (r0.left + r0.right) / 2, (r0.top + r0.bottom) / 2), RGB(0, 0, 0));
    const std::string pre = std::to_string(CDDS_ITEMPREPAINT), post = std::to_string(CDDS_ITEMPOSTPAINT);
    ASSERT_GE(stages.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(stages.begin(), stages.begin() + 6),
              (std::vector<std::string>{"1:0:0", pre + ":2:12", pre + ":0:10", pre + ":1:11", post + ":1:11", "2:0:0"}));
    onNotify = nullptr;
}

TEST_F(HeaderStaticTest, HeaderOrderIsKept)
{
    HWND h = MakeHeader(3);
    struct Case {
        std::vector<int> order;
        BOOL accepted;
        std::vector<int> after;
    } cases[] = {
        {{2, 0, 1}, TRUE, {2, 0, 1}},
        {{0, 0, 1}, FALSE, {2, 0, 1}},  // not a permutation
        {{1, 0}, FALSE, {2, 0, 1}},     // wrong count
        {{0, 1, 2}, TRUE, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order.size());
        std::vector<int> in = c.order;
        EXPECT_EQ(SendMessageW(h, HDM_SETORDERARRAY, WPARAM(in.size()), reinterpret_cast<LPARAM>(in.data())), c.accepted);
        std::vector<int> got(3, -1);
        EXPECT_TRUE(SendMessageW(h, HDM_GETORDERARRAY, 3, reinterpret_cast<LPARAM>(got.data())));
        EXPECT_EQ(got, c.after);
    }
    // an item's iOrder moves it; the rectangles follow the order
    HDITEMW it{};
    it.mask = HDI_ORDER;
    it.iOrder = 0;
    EXPECT_TRUE(SendMessageW(h, HDM_SETITEMW, 2, reinterpret_cast<LPARAM>(&it)));
    EXPECT_EQ(SendMessageW(h, HDM_ORDERTOINDEX, 0, 0), 2);
    it.iOrder = -1;
    SendMessageW(h, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    EXPECT_EQ(it.iOrder, 1);
    RECT r2{}, r0{};
    SendMessageW(h, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r2));
    SendMessageW(h, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r0));
    EXPECT_EQ(r2.left, 0);
    EXPECT_EQ(r0.left, r2.right);
    // the height for the font: two pixels of room above and below the text
    RECT area{0, 0, 300, 200};
    WINDOWPOS wp{};
    HDLAYOUT layout{&area, &wp};
    EXPECT_TRUE(SendMessageW(h, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
    const int fh = FontHeight(), u = std::max(1, (fh + 6) / 13);
    EXPECT_EQ(wp.cy, fh + 4 * u);
    EXPECT_EQ(area.top, wp.cy);
}

TEST_F(HeaderStaticTest, EtchedAndSunkenStaticsGetAStaticEdge)
{
    struct Case {
        DWORD style;
        int cx, cy;
        bool edge;
        int wantCx, wantCy;
    } cases[] = {
        {SS_ETCHEDHORZ, 100, 20, true, 100, 2},
        {SS_ETCHEDVERT, 20, 100, true, 2, 100},
        {SS_LEFT | SS_SUNKEN, 100, 20, true, 100, 20},
        {SS_ETCHEDFRAME, 100, 20, false, 100, 20},
        {SS_LEFT, 100, 20, false, 100, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        HWND s = Make(WC_STATICW, L"x", c.style, 10, 10, c.cx, c.cy, 1700);
        EXPECT_EQ((GetWindowLongPtrW(s, GWL_EXSTYLE) & WS_EX_STATICEDGE) != 0, c.edge);
        RECT wr{};
        GetWindowRect(s, &wr);
        EXPECT_EQ(wr.right - wr.left, c.wantCx);
        EXPECT_EQ(wr.bottom - wr.top, c.wantCy);
        // a line stays a line when it is made larger
        SetWindowPos(s, nullptr, 0, 0, c.cx + 50, c.cy + 50, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(s, &wr);
        EXPECT_EQ(wr.bottom - wr.top, c.style == SS_ETCHEDHORZ ? 2 : c.cy + 50);
        EXPECT_EQ(wr.right - wr.left, c.style == SS_ETCHEDVERT ? 2 : c.cx + 50);
        DestroyWindow(s);
    }
}

TEST_F(HeaderStaticTest, PictureStaticWithoutPictureDrawsNothing)
{
    COLORREF before = PixelAt(parent, 60, 60);
    HWND s = Make(WC_STATICW, L"", SS_BITMAP, 40, 40, 50, 50, 1701);
    InvalidateRect(s, nullptr, TRUE);
    EXPECT_EQ(PixelAt(s, 20, 20), before);
}

TEST_F(HeaderStaticTest, NewPictureOfAStaticShowsAtOnce)
{
    // Two solid bitmaps; the static shows the second before any message is pumped.
    auto solid = [](COLORREF c) {
        HDC screen = GetDC(nullptr);
        HBITMAP b = CreateCompatibleBitmap(screen, 16, 16);
        HDC mem = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(mem, b);
        HBRUSH br = CreateSolidBrush(c);
        RECT r{0, 0, 16, 16};
        FillRect(mem, &r, br);
        DeleteObject(br);
        SelectObject(mem, old);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
        return b;
    };
    HBITMAP red = solid(RGB(220, 0, 0)), blue = solid(RGB(0, 0, 220));
    HWND s = Make(WC_STATICW, L"", SS_BITMAP, 40, 40, 16, 16, 1702);
    SendMessageW(s, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(red));
    ASSERT_EQ(PixelAt(s, 8, 8), RGB(220, 0, 0));
    SendMessageW(s, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(blue));
    RECT pending{};
    EXPECT_FALSE(GetUpdateRect(s, &pending, FALSE));  // nothing left to paint later
    POINT at = CHeadlessDriver::At(s, POINT{8, 8});
    RECT wr{};
    GetWindowRect(parent, &wr);
    EXPECT_EQ(drv.Pixel(parent, at.x - wr.left, at.y - wr.top), RGB(0, 0, 220));
    DestroyWindow(s);
    DeleteObject(red);
    DeleteObject(blue);
}

}  // namespace
