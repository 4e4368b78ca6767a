// The look of the controls: sizes that follow the font (100 % and 200 %), and a gallery of one
// of each control saved as a picture next to the tests (ctl_gallery.png, ctl_gallery_200.png).
#include "ctl_support.h"
#include "tests/support/BesideTheTests.h"

#include <filesystem>

using namespace ctltest;

namespace {

// A path next to the test program (in the build tree), whatever the current folder is.
class LookTest : public CtlTest {
protected:
    // A font of the classic dialog size times `scale`.
    HFONT Font(int scale)
    {
        LOGFONTW lf{};
        lf.lfHeight = -11 * scale;
        lf.lfWeight = FW_NORMAL;
        wcscpy(lf.lfFaceName, L"Liberation Sans");
        fonts.push_back(CreateFontIndirect(&lf));
        return fonts.back();
    }
    void TearDown() override
    {
        CtlTest::TearDown();
        for (HFONT f : fonts)
            DeleteObject(f);
    }
    HWND MakeScaled(int scale, LPCWSTR cls, LPCWSTR text, DWORD style, int x, int y, int cx, int cy, int id, DWORD ex = 0)
    {
        HWND h = Make(cls, text, style, x * scale, y * scale, cx * scale, cy * scale, id, ex);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(Font(scale)), TRUE);
        return h;
    }
    // Width of the run of `colour` pixels through (x, y) of a control, going right.
    int RunRight(HWND h, int x, int y, COLORREF colour)
    {
        int n = 0;
        while (PixelAt(h, x + n, y) == colour && n < 400)
            ++n;
        return n;
    }
    void Gallery(int scale, const char* file);
    std::vector<HFONT> fonts;
};

TEST_F(LookTest, CheckBoxAndRadioGrowWithTheFont)
{
    for (int scale : {1, 2}) {
        HWND c = MakeScaled(scale, L"Button", L"Check", BS_AUTOCHECKBOX, 10, 10, 100, 20, 10 + scale);
        HWND r = MakeScaled(scale, L"Button", L"Radio", BS_AUTORADIOBUTTON, 10, 40, 100, 20, 20 + scale);
        RECT cr{};
        GetClientRect(c, &cr);
        int mid = cr.bottom / 2;
        // the box's white inside: 13 units less the two-pixel sunken edge on each side
        EXPECT_EQ(RunRight(c, 2, mid, GetSysColor(COLOR_WINDOW)), 13 * scale - 4) << "scale " << scale;
        SendMessageW(c, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(PixelAt(c, 13 * scale / 2, mid), GetSysColor(COLOR_WINDOWTEXT)) << "tick, scale " << scale;
        // the radio's dot appears in the middle of its circle when checked
        EXPECT_EQ(PixelAt(r, 13 * scale / 2, cr.bottom / 2), GetSysColor(COLOR_WINDOW));
        SendMessageW(r, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(PixelAt(r, 13 * scale / 2, cr.bottom / 2), GetSysColor(COLOR_WINDOWTEXT));
        DestroyWindow(c);
        DestroyWindow(r);
    }
}

TEST_F(LookTest, PushButtonFrameAndComboFieldFollowTheScale)
{
    for (int scale : {1, 2}) {
        HWND b = MakeScaled(scale, L"Button", L"OK", BS_DEFPUSHBUTTON, 10, 10, 75, 23, 30 + scale);
        // a default button has a dark outer line, then the raised edge's light line
        EXPECT_EQ(PixelAt(b, 10, 0), GetSysColor(COLOR_WINDOWFRAME));
        EXPECT_EQ(PixelAt(b, 10 * scale, 11 * scale), GetSysColor(COLOR_BTNFACE));
        HWND cb = MakeScaled(scale, L"ComboBox", L"", CBS_DROPDOWNLIST, 10, 50, 100, 100, 40 + scale);
        RECT r{};
        GetWindowRect(cb, &r);
        int field = r.bottom - r.top;
        EXPECT_GE(field, 18 * scale);
        EXPECT_LE(field, 26 * scale);
        DestroyWindow(b);
        DestroyWindow(cb);
    }
}

void LookTest::Gallery(int scale, const char* file)
{
    MoveWindow(parent, 0, 0, 660 * scale, 440 * scale, TRUE);
    int id = 100;
    auto make = [&](LPCWSTR cls, LPCWSTR text, DWORD style, int x, int y, int cx, int cy, DWORD ex = 0) {
        return MakeScaled(scale, cls, text, style, x, y, cx, cy, ++id, ex);
    };
    make(L"Static", L"Static label", SS_LEFT, 10, 10, 120, 16);
    make(L"Static", L"", SS_ETCHEDHORZ, 10, 30, 120, 2);
    make(L"Button", L"Push", BS_PUSHBUTTON, 10, 40, 75, 23);
    make(L"Button", L"Default", BS_DEFPUSHBUTTON, 90, 40, 75, 23);
    HWND chk = make(L"Button", L"Check box", BS_AUTOCHECKBOX, 10, 70, 120, 18);
    SendMessageW(chk, BM_SETCHECK, BST_CHECKED, 0);
    HWND tri = make(L"Button", L"Three states", BS_AUTO3STATE, 10, 90, 120, 18);
    SendMessageW(tri, BM_SETCHECK, BST_INDETERMINATE, 0);
    make(L"Button", L"Group", BS_GROUPBOX, 170, 10, 140, 80);
    HWND r1 = make(L"Button", L"Radio one", BS_AUTORADIOBUTTON | WS_GROUP, 180, 30, 110, 18);
    make(L"Button", L"Radio two", BS_AUTORADIOBUTTON, 180, 52, 110, 18);
    SendMessageW(r1, BM_SETCHECK, BST_CHECKED, 0);
    HWND e = make(L"Edit", L"", ES_AUTOHSCROLL, 10, 115, 150, 22, WS_EX_CLIENTEDGE);
    SetWindowTextW(e, L"Edit text 中文");
    HWND ml = make(L"Edit", L"", ES_MULTILINE | WS_VSCROLL, 10, 145, 150, 60, WS_EX_CLIENTEDGE);
    SetWindowTextW(ml, L"Multi-line\r\nedit control\r\nwith a scroll bar\r\nand more lines");
    HWND edit2 = make(L"Edit", L"", ES_AUTOHSCROLL | ES_NUMBER, 170, 100, 60, 22, WS_EX_CLIENTEDGE);
    HWND spin = make(L"msctls_updown32", L"", UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 16, 22);
    SendMessageW(spin, UDM_SETRANGE32, 0, 100);
    SendMessageW(spin, UDM_SETPOS32, 0, 42);
    (void)edit2;
    HWND cb = make(L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 170, 130, 140, 120);
    for (const wchar_t* s : {L"Combo item", L"Second"})
        SendMessageW(cb, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessageW(cb, CB_SETCURSEL, 0, 0);
    HWND cbe = make(L"ComboBox", L"", CBS_DROPDOWN, 170, 160, 140, 120);
    SetWindowTextW(cbe, L"Editable");
    HWND lb = make(L"ListBox", L"", LBS_NOTIFY | WS_VSCROLL, 10, 215, 150, 70, WS_EX_CLIENTEDGE);
    for (const wchar_t* s : {L"List item 1", L"List item 2", L"List item 3", L"List item 4", L"List item 5", L"List item 6"})
        SendMessageW(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessageW(lb, LB_SETCURSEL, 1, 0);
    HWND pb = make(L"msctls_progress32", L"", 0, 10, 295, 150, 16);
    SendMessageW(pb, PBM_SETPOS, 60, 0);
    HWND tb = make(L"msctls_trackbar32", L"", TBS_AUTOTICKS, 170, 190, 140, 30);
    SendMessageW(tb, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendMessageW(tb, TBM_SETPOS, TRUE, 4);
    make(L"ScrollBar", L"", SBS_HORZ, 170, 230, 140, 17);
    HWND vs = make(L"ScrollBar", L"", SBS_VERT, 315, 10, 17, 120);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 100, 20, 30, 0};
    SetScrollInfo(vs, SB_CTL, &si, TRUE);
    HWND ip = make(L"SysIPAddress32", L"", 0, 170, 255, 140, 22, WS_EX_CLIENTEDGE);
    SendMessageW(ip, IPM_SETADDRESS, 0, LPARAM(MAKEIPADDRESS(192, 168, 1, 1)));
    HWND dt = make(L"SysDateTimePick32", L"", DTS_SHORTDATEFORMAT, 170, 285, 140, 22, WS_EX_CLIENTEDGE);
    SYSTEMTIME st{2024, 5, 0, 17, 10, 30, 0, 0};
    SendMessageW(dt, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    HWND tm = make(L"SysDateTimePick32", L"", DTS_TIMEFORMAT, 170, 312, 140, 22, WS_EX_CLIENTEDGE);
    SendMessageW(tm, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    HWND tab = make(L"SysTabControl32", L"", 0, 345, 10, 300, 100);
    for (const wchar_t* s : {L"General", L"Inputs", L"Outputs"}) {
        TCITEMW it{TCIF_TEXT, 0, 0, const_cast<LPWSTR>(s), 0, -1, 0};
        SendMessageW(tab, TCM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&it));
    }
    HWND lv = make(L"SysListView32", L"", LVS_REPORT | LVS_SHOWSELALWAYS, 345, 120, 300, 110, WS_EX_CLIENTEDGE);
    SendMessageW(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    for (int c = 0; c < 2; ++c) {
        LVCOLUMNW col{LVCF_TEXT | LVCF_WIDTH, 0, (c ? 100 : 150) * scale, const_cast<LPWSTR>(c ? L"Value" : L"Name"), 0, 0, 0, 0};
        SendMessageW(lv, LVM_INSERTCOLUMNW, WPARAM(c), reinterpret_cast<LPARAM>(&col));
    }
    for (int i = 0; i < 4; ++i) {
        std::wstring n = L"Row " + std::to_wstring(i + 1), v = std::to_wstring((i + 1) * 25);
        LVITEMW it{LVIF_TEXT, i, 0, 0, 0, const_cast<LPWSTR>(n.c_str()), 0, 0, 0, 0};
        SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
        it.iSubItem = 1;
        it.pszText = const_cast<LPWSTR>(v.c_str());
        SendMessageW(lv, LVM_SETITEMTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(&it));
    }
    LVITEMW sel{};
    sel.state = sel.stateMask = LVIS_SELECTED;
    SendMessageW(lv, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&sel));
    HWND tv = make(L"SysTreeView32", L"", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 345, 240,
                   140, 110, WS_EX_CLIENTEDGE);
    auto add = [&](HTREEITEM p, const wchar_t* t) {
        TVINSERTSTRUCTW ins{p, TVI_LAST, {TVIF_TEXT, nullptr, 0, 0, const_cast<LPWSTR>(t), 0, 0, 0, 0, 0}};
        return reinterpret_cast<HTREEITEM>(SendMessageW(tv, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    };
    HTREEITEM root = add(TVI_ROOT, L"Project");
    add(root, L"Inputs");
    HTREEITEM outs = add(root, L"Outputs");
    add(outs, L"Q1");
    add(TVI_ROOT, L"Library");
    SendMessageW(tv, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    SendMessageW(tv, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(outs));
    HWND mc = make(L"SysMonthCal32", L"", 0, 495, 240, 155, 150);
    SendMessageW(mc, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    HWND hd = make(L"SysHeader32", L"", HDS_BUTTONS, 10, 320, 150, 20);
    for (const wchar_t* s : {L"Header", L"Item"}) {
        HDITEMW h{HDI_TEXT | HDI_WIDTH | HDI_FORMAT, 75 * scale, const_cast<LPWSTR>(s), nullptr, 0, HDF_STRING, 0, 0, 0};
        SendMessageW(hd, HDM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&h));
    }
    make(L"ScrollBar", L"", SBS_SIZEBOX | SBS_SIZEBOXBOTTOMRIGHTALIGN, 10, 350, 17, 17);
    // an icon (a blue disc with a clear surround) on a button and on a static
    std::vector<DWORD> px(16 * 16, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if ((x - 8) * (x - 8) + (y - 8) * (y - 8) < 42)
                px[size_t(y) * 16 + size_t(x)] = 0xFF2060E0u;
    HICON icon = CreateIconFromArgb(px.data(), 16, 16);
    HWND iconButton = make(L"Button", L"", BS_PUSHBUTTON | BS_ICON, 40, 350, 40, 40);
    SendMessageW(iconButton, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    HWND iconStatic = make(L"Static", L"", SS_ICON, 90, 362, 16, 16);
    SendMessageW(iconStatic, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    SetFocus(e);
    UpdateWindow(parent);
    drv.Pump();
    EXPECT_TRUE(drv.SaveScreenshot(parent, BesideTheTests(file)));
    DestroyWindow(iconButton);
    DestroyWindow(iconStatic);
    DestroyIcon(icon);
    // the gallery is not blank where the controls are
    RECT wr{};
    GetWindowRect(parent, &wr);
    EXPECT_GT(drv.DistinctColours(parent, RECT{0, 0, wr.right - wr.left, wr.bottom - wr.top}), 8);
}

TEST_F(LookTest, GalleryAtOneHundredPercent) { Gallery(1, "ctl_gallery.png"); }
TEST_F(LookTest, GalleryAtTwoHundredPercent) { Gallery(2, "ctl_gallery_200.png"); }

}  // namespace
