// Icons in controls: icon statics (from a resource name or set by code), icon buttons in their
// states, the set/get messages and wrappers, and icons in image lists.
#include "ctl_support.h"

using namespace ctltest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

// 16 x 16: a red square from 2 to 13, clear around it.
HICON MakeIcon()
{
    std::vector<DWORD> px(16 * 16, 0);
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 14; ++x)
            px[size_t(y) * 16 + size_t(x)] = 0xFFFF0000u;
    return CreateIconFromArgb(px.data(), 16, 16);
}

HICON g_resourceIcon = nullptr;

class CtlIconTest : public CtlTest {
protected:
    void SetUp() override
    {
        CtlTest::SetUp();
        icon = MakeIcon();
        g_resourceIcon = icon;
        // the program's icon 7 is ours
        AfxSetResourceCursorLoader([](HINSTANCE, LPCWSTR name) -> HCURSOR {
            return IS_INTRESOURCE(name) && reinterpret_cast<UINT_PTR>(name) == 7 ? g_resourceIcon : nullptr;
        });
    }
    void TearDown() override
    {
        AfxSetResourceCursorLoader(nullptr);
        CtlTest::TearDown();
        DestroyIcon(icon);
    }
    SIZE ClientSize(HWND h)
    {
        RECT r{};
        GetClientRect(h, &r);
        return SIZE{r.right, r.bottom};
    }
    HICON icon = nullptr;
};

TEST_F(CtlIconTest, IconStaticLoadsItsNamedIconAndSizesToItUnlessTheStyleSaysOtherwise)
{
    struct Case {
        const char* what;
        LPCWSTR text;
        DWORD style;
        SIZE size;                 // of the control after creation (made 40 x 40)
        POINT red, notRed;         // client points
    };
    const Case cases[] = {
        {"number text", L"#7", 0, {16, 16}, {2, 2}, {1, 1}},
        {"integer name", MAKEINTRESOURCE(7), 0, {16, 16}, {13, 13}, {14, 14}},
        {"centred", L"#7", SS_CENTERIMAGE, {40, 40}, {14, 14}, {13, 13}},
        {"real size", L"#7", SS_REALSIZEIMAGE, {40, 40}, {2, 2}, {20, 20}},
        {"stretched", L"#7", SS_REALSIZECONTROL, {40, 40}, {34, 34}, {36, 36}},
        {"unknown icon", L"#8", 0, {40, 40}, {-1, -1}, {8, 8}},
    };
    int id = 300;
    for (const Case& c : cases) {
        HWND s = Make(L"Static", c.text, SS_ICON | c.style, 10, 10, 40, 40, ++id);
        SIZE sz = ClientSize(s);
        EXPECT_EQ(sz.cx, c.size.cx) << c.what;
        EXPECT_EQ(sz.cy, c.size.cy) << c.what;
        if (c.red.x >= 0) {
            EXPECT_EQ(PixelAt(s, c.red.x, c.red.y), kRed) << c.what;
        }
        EXPECT_NE(PixelAt(s, c.notRed.x, c.notRed.y), kRed) << c.what;
        DestroyWindow(s);
    }
}

TEST_F(CtlIconTest, IconButtonDrawsTheIconCentredPushedAndDisabled)
{
    // 40 x 40 button: the face's inside is 3..37, the icon at 12..28, its red at 14..26
    struct Case {
        const char* what;
        bool pushed, disabled;
        COLORREF at14, at26;  // on row 20
    };
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const Case cases[] = {
        {"normal", false, false, kRed, face},
        {"pushed: one pixel down and right", true, false, face, kRed},
        {"disabled: the shape embossed", false, true, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)},
    };
    int id = 400;
    for (const Case& c : cases) {
        HWND b = Make(L"Button", L"", BS_PUSHBUTTON | BS_ICON, 10, 10, 40, 40, ++id);
        SendMessageW(b, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
        SendMessageW(b, BM_SETSTATE, c.pushed, 0);
        EnableWindow(b, !c.disabled);
        EXPECT_EQ(PixelAt(b, 14, 20), c.at14) << c.what;
        EXPECT_EQ(PixelAt(b, 26, 20), c.at26) << c.what;
        EXPECT_NE(PixelAt(b, 20, 20), c.disabled ? kRed : face) << c.what;
        DestroyWindow(b);
    }
    // without BS_ICON the button keeps its caption
    HWND b = Make(L"Button", L"", BS_PUSHBUTTON, 10, 10, 40, 40, 499);
    SendMessageW(b, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    EXPECT_EQ(PixelAt(b, 20, 20), face);
    // a check box shows the icon in its caption's place, aligned as the caption
    HWND cb = Make(L"Button", L"Check", BS_AUTOCHECKBOX | BS_ICON | BS_RIGHT, 10, 60, 100, 40, 498);
    SendMessageW(cb, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    EXPECT_EQ(PixelAt(cb, 90, 20), kRed);
    EXPECT_NE(PixelAt(cb, 99, 20), kRed);
}

TEST_F(CtlIconTest, SettingAndGettingImagesRoundTripsSilently)
{
    HICON other = MakeIcon();
    HWND s = Make(L"Static", L"", SS_ICON | SS_NOTIFY, 10, 10, 40, 40, 501);
    HWND b = Make(L"Button", L"", BS_PUSHBUTTON | BS_ICON | BS_NOTIFY, 60, 10, 40, 40, 502);
    Take();
    auto L = [](HANDLE h) { return reinterpret_cast<LRESULT>(h); };
    struct Case {
        const char* what;
        HWND to;
        UINT msg;
        WPARAM w;
        LPARAM l;
        LRESULT expected;
    };
    const Case cases[] = {
        {"static first icon", s, STM_SETICON, WPARAM(icon), 0, 0},
        {"static get icon", s, STM_GETICON, 0, 0, L(icon)},
        {"static get image icon", s, STM_GETIMAGE, IMAGE_ICON, 0, L(icon)},
        {"static get image bitmap", s, STM_GETIMAGE, IMAGE_BITMAP, 0, 0},
        {"static set image bitmap refused", s, STM_SETIMAGE, IMAGE_BITMAP, L(icon), 0},
        {"static set image icon", s, STM_SETIMAGE, IMAGE_ICON, L(other), L(icon)},
        {"static icon after", s, STM_GETICON, 0, 0, L(other)},
        {"button first icon", b, BM_SETIMAGE, IMAGE_ICON, L(icon), 0},
        {"button get icon", b, BM_GETIMAGE, IMAGE_ICON, 0, L(icon)},
        {"button get bitmap", b, BM_GETIMAGE, IMAGE_BITMAP, 0, 0},
        {"button second icon", b, BM_SETIMAGE, IMAGE_ICON, L(other), L(icon)},
        {"button unknown kind", b, BM_SETIMAGE, 7, L(icon), 0},
        {"button icon after", b, BM_GETIMAGE, IMAGE_ICON, 0, L(other)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessageW(c.to, c.msg, c.w, c.l), c.expected) << c.what;
    EXPECT_EQ(ClientSize(s).cx, 16);  // the static took the icon's size

    // the wrappers
    CStatic st;
    st.Attach(s);
    EXPECT_EQ(st.SetIcon(icon), other);
    EXPECT_EQ(st.GetIcon(), icon);
    st.Detach();
    CButton bt;
    bt.Attach(b);
    EXPECT_EQ(bt.SetIcon(icon), other);
    EXPECT_EQ(bt.GetIcon(), icon);
    bt.Detach();
    EXPECT_TRUE(Take().empty());
    DestroyWindow(s);
    DestroyWindow(b);
    DestroyIcon(other);
}

TEST_F(CtlIconTest, ImageListTakesIconsWithTheirMaskScaledToItsSize)
{
    HIMAGELIST il = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2);
    EXPECT_EQ(ImageList_AddIcon(il, icon), 0);
    EXPECT_EQ(ImageList_ReplaceIcon(il, 0, icon), 0);
    EXPECT_EQ(ImageList_ReplaceIcon(il, 5, icon), -1);
    // a bigger icon is scaled to one image: green, its right half clear
    std::vector<DWORD> big(32 * 32, 0xFF00FF00u);
    for (int y = 0; y < 32; ++y)
        for (int x = 16; x < 32; ++x)
            big[size_t(y) * 32 + size_t(x)] = 0;
    HICON bigIcon = CreateIconFromArgb(big.data(), 32, 32);
    EXPECT_EQ(ImageList_AddIcon(il, bigIcon), 1);
    EXPECT_EQ(ImageList_GetImageCount(il), 2);
    EXPECT_EQ(ImageList_AddIcon(il, nullptr), -1);
    DestroyIcon(bigIcon);

    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateBitmap(20, 20, 1, 32, nullptr);
    CBitmap* old = mem.SelectObject(&bmp);
    mem.FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
    ImageList_Draw(il, 0, mem.GetSafeHdc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(mem.GetPixel(8, 8), kRed);
    EXPECT_EQ(mem.GetPixel(0, 0), RGB(255, 255, 255));  // masked out
    mem.FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
    ImageList_Draw(il, 1, mem.GetSafeHdc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(mem.GetPixel(7, 15), RGB(0, 255, 0));
    EXPECT_EQ(mem.GetPixel(8, 0), RGB(255, 255, 255));
    EXPECT_EQ(mem.GetPixel(16, 0), RGB(255, 255, 255));  // nothing beyond the image
    mem.SelectObject(old);
    ImageList_Destroy(il);
}

}  // namespace
