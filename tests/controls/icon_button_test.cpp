// The icon button: lit under the pointer when flat, its grey second icon, the check-box mode,
// double clicks as two clicks, colour offsets and the focus leaving a disabled button.
#include "controls/IconButton.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/core/MessageMap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kFlat = 201, kSolid = 202, kNext = 203;

class CButtonHost : public CWnd {
public:
    std::vector<UINT> m_clicks;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == BN_CLICKED)
            m_clicks.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

class IconButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_BTNFACE + 1))),
                                    L"Host", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300), nullptr, 0));
        ASSERT_TRUE(m_flat.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(10, 10, 50, 50), &m_host, kFlat));
        ASSERT_TRUE(m_solid.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(60, 10, 100, 50), &m_host, kSolid));
        m_solid.SetFlat(FALSE);
        ASSERT_TRUE(m_next.Create(L"Next", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(110, 10, 170, 50), &m_host, kNext));
        drv.Pump();
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        drv.Pump();
    }
    COLORREF Pixel(CWnd& wnd, CPoint client) const
    {
        const POINT pt = CHeadlessDriver::At(wnd.GetSafeHwnd(), client);
        CRect rc;
        m_host.GetWindowRect(&rc);
        return drv.Pixel(m_host.GetSafeHwnd(), pt.x - rc.left, pt.y - rc.top);
    }
    CPoint Centre(CWnd& wnd) { return CHeadlessDriver::At(wnd.GetSafeHwnd(), CPoint(20, 20)); }
    CPoint Outside() { return CHeadlessDriver::At(m_host.GetSafeHwnd(), CPoint(250, 150)); }

    CHeadlessDriver drv;
    CButtonHost m_host;
    CIconButton m_flat, m_solid;
    CButton m_next;
};

TEST_F(IconButtonTest, AFlatButtonLightsUpUnderThePointerAndANonFlatOneNever)
{
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_NE(Pixel(m_flat, CPoint(0, 10)), hilite);
    drv.MouseMove(Centre(m_flat));
    drv.Pump();
    EXPECT_TRUE(m_flat.IsHot());
    EXPECT_EQ(Pixel(m_flat, CPoint(0, 10)), hilite);  // the raised border
    drv.MouseMove(Outside());
    drv.Pump();
    EXPECT_FALSE(m_flat.IsHot());
    EXPECT_NE(Pixel(m_flat, CPoint(0, 10)), hilite);

    drv.MouseMove(Centre(m_solid));
    drv.Pump();
    EXPECT_FALSE(m_solid.IsHot());
    // Losing the focus also ends the lit look.
    drv.MouseMove(Centre(m_flat));
    drv.Pump();
    m_flat.SetFocus();
    m_next.SetFocus();
    drv.Pump();
    EXPECT_FALSE(m_flat.IsHot());
}

TEST_F(IconButtonTest, AGreySecondIconShowsUntilThePointerComes)
{
    std::vector<DWORD> red(16 * 16, 0xFFFF0000);
    HICON hIcon = ::CreateIconFromArgb(red.data(), 16, 16);
    ASSERT_NE(hIcon, nullptr);
    // The button takes the icon over and destroys it with its grey copy.
    ASSERT_EQ(m_flat.SetIcon(hIcon, reinterpret_cast<HICON>(INT_PTR(CIconButton::IconGray))), CIconButton::ResultOk);
    drv.Pump();
    const int grey = int(0.299 * 255);
    EXPECT_EQ(Pixel(m_flat, CPoint(20, 20)), RGB(grey, grey, grey));
    drv.MouseMove(Centre(m_flat));
    drv.Pump();
    EXPECT_EQ(Pixel(m_flat, CPoint(20, 20)), RGB(255, 0, 0));
    EXPECT_EQ(m_flat.SetIcon(nullptr), CIconButton::ResultOk);
}

TEST_F(IconButtonTest, InCheckBoxModeEachClickTogglesAndADoubleClickIsTwoClicks)
{
    CIconButton box;
    ASSERT_TRUE(box.Create(L"", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 60, 50, 100), &m_host, 204));
    EXPECT_TRUE(box.IsCheckBox());
    drv.Click(CHeadlessDriver::At(box.GetSafeHwnd(), CPoint(10, 10)));
    drv.Pump();
    EXPECT_EQ(box.GetCheck(), 1);
    drv.Click(CHeadlessDriver::At(box.GetSafeHwnd(), CPoint(10, 10)));
    drv.Pump();
    EXPECT_EQ(box.GetCheck(), 0);
    box.SendMessage(BM_SETCHECK, 2);
    EXPECT_EQ(box.SendMessage(BM_GETCHECK), 1);
    box.SendMessage(BM_SETCHECK, 0);

    m_host.m_clicks.clear();
    drv.DoubleClick(CHeadlessDriver::At(box.GetSafeHwnd(), CPoint(10, 10)));
    drv.Pump();
    EXPECT_EQ(m_host.m_clicks, std::vector<UINT>(2, 204u));
    EXPECT_EQ(box.GetCheck(), 0);
    // A button that is no check box keeps no check.
    m_flat.SetCheck(1);
    EXPECT_EQ(m_flat.GetCheck(), 0);
}

TEST_F(IconButtonTest, ColourOffsetsStopAtTheEndsOfEveryChannel)
{
    struct Case {
        COLORREF start;
        int index;
        short offset;
        int result;
        COLORREF expect;
    } cases[] = {
        {RGB(240, 240, 240), 0, 30, CIconButton::ResultOk, RGB(255, 255, 255)},
        {RGB(10, 20, 30), 2, -30, CIconButton::ResultOk, RGB(0, 10, 20)},
        {RGB(100, 100, 100), 5, 0, CIconButton::ResultOk, RGB(100, 100, 100)},
        {RGB(100, 100, 100), 6, 10, CIconButton::ResultBadColorIndex, RGB(100, 100, 100)},
        {RGB(100, 100, 100), 1, 256, CIconButton::ResultBadOffset, RGB(100, 100, 100)},
        {RGB(100, 100, 100), 1, -256, CIconButton::ResultBadOffset, RGB(100, 100, 100)},
    };
    for (const Case& c : cases) {
        const BYTE index = BYTE(c.index < CIconButton::ColorCount ? c.index : 0);
        m_flat.SetColor(index, c.start);
        EXPECT_EQ(m_flat.OffsetColor(BYTE(c.index), c.offset), c.result) << c.index << " " << c.offset;
        EXPECT_EQ(m_flat.GetColor(index), c.expect) << c.index << " " << c.offset;
    }
    EXPECT_EQ(m_flat.SetAlign(4), CIconButton::ResultBadAlign);
    EXPECT_EQ(m_flat.SetPushedLook(2), CIconButton::ResultBadPressedStyle);
}

TEST_F(IconButtonTest, DisablingTheFocusedButtonMovesTheFocusOn)
{
    m_solid.SetFocus();
    ASSERT_EQ(CWnd::GetFocus(), &m_solid);
    m_solid.EnableWindow(FALSE);
    ASSERT_NE(CWnd::GetFocus(), nullptr);
    EXPECT_EQ(CWnd::GetFocus()->GetSafeHwnd(), m_next.GetSafeHwnd());
}

}  // namespace
