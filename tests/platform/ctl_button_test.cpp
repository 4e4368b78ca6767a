// Buttons and statics: clicks take the focus before BN_CLICKED, automatic kinds change their
// check, code-set checks stay silent, radio groups, owner drawing and the look.
#include "ctl_support.h"

#include <functional>

using namespace ctltest;
using Ev = std::vector<std::string>;

namespace {

class ButtonTest : public CtlTest {};

TEST_F(ButtonTest, ClickTakesFocusBeforeClickedAndReleaseOutsideCancels)
{
    HWND other = Make(L"Button", L"Other", BS_PUSHBUTTON | WS_TABSTOP, 10, 60, 80, 24, 102);
    HWND b = Make(L"Button", L"OK", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 80, 24, 101);
    SetFocus(other);
    Take();
    Click(b, 5, 5);
    EXPECT_EQ(Take(), (Ev{"cmd 101 BN_CLICKED focus=101"}));

    // pressed on the button, released outside it: nothing
    drv.MouseDown(CHeadlessDriver::At(b, POINT{5, 5}));
    drv.Pump();
    EXPECT_TRUE(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
    drv.MouseMove(CHeadlessDriver::At(b, POINT{200, 5}));
    drv.MouseUp(CHeadlessDriver::At(b, POINT{200, 5}));
    drv.Pump();
    EXPECT_TRUE(Take().empty());
    EXPECT_FALSE(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED);

    // space presses the focused button
    Key(VK_SPACE);
    EXPECT_EQ(Take(), (Ev{"cmd 101 BN_CLICKED focus=101"}));
}

TEST_F(ButtonTest, SpaceHeldDownPushesAndHoldsTheMouseUntilReleased)
{
    HWND other = Make(L"Button", L"Other", BS_PUSHBUTTON | WS_TABSTOP, 10, 60, 80, 24, 104);
    HWND b = Make(L"Button", L"OK", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 80, 24, 103);
    SetFocus(b);
    Take();
    struct Step {
        const char* what;
        std::function<void()> act;
        bool pushed, captured;
        Ev events;
    } steps[] = {
        {"space down", [&] { drv.KeyDown(VK_SPACE); drv.Pump(); }, true, true, {}},
        {"space up clicks", [&] { drv.KeyUp(VK_SPACE); drv.Pump(); }, false, false, {"cmd 103 BN_CLICKED focus=103"}},
        {"space down again", [&] { drv.KeyDown(VK_SPACE); drv.Pump(); }, true, true, {}},
        {"the focus leaves meanwhile: no click", [&] { SetFocus(other); }, false, false, {}},
        {"and the late release does nothing", [&] { drv.KeyUp(VK_SPACE); drv.Pump(); }, false, false, {}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        EXPECT_EQ((SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0, s.pushed);
        EXPECT_EQ(GetCapture() == b, s.captured);
        EXPECT_EQ(Take(), s.events);
    }
}

TEST_F(ButtonTest, ClickFromCodeIsAPressAndARelease)
{
    HWND other = Make(L"Button", L"Other", BS_PUSHBUTTON | WS_TABSTOP, 10, 60, 80, 24, 106);
    struct Case {
        DWORD style;
        bool enabled;
        Ev events;
        UINT check;
    } cases[] = {
        {BS_PUSHBUTTON | BS_NOTIFY, true,
         {"cmd 105 BN_SETFOCUS focus=105", "cmd 105 BN_HILITE focus=105", "cmd 105 BN_UNHILITE focus=105",
          "cmd 105 BN_CLICKED focus=105"},
         BST_UNCHECKED},
        {BS_AUTOCHECKBOX, true, {"cmd 105 BN_CLICKED focus=105"}, BST_CHECKED},
        {BS_PUSHBUTTON | BS_NOTIFY, false, {}, BST_UNCHECKED},  // a disabled button ignores it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        HWND b = Make(L"Button", L"B", c.style | WS_TABSTOP, 10, 10, 80, 24, 105);
        EnableWindow(b, c.enabled);
        SetFocus(other);
        Take();
        SendMessageW(b, BM_CLICK, 0, 0);
        EXPECT_EQ(Take(), c.events);
        EXPECT_EQ(UINT(SendMessageW(b, BM_GETCHECK, 0, 0)), c.check);
        EXPECT_NE(GetCapture(), b);  // the press's capture ends with the release
        EXPECT_FALSE(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
        DestroyWindow(b);
    }
}

TEST_F(ButtonTest, AutomaticChecksFollowClicksButCodeSetsSilently)
{
    struct Case {
        DWORD style;
        std::vector<UINT> afterClicks;
    };
    const Case cases[] = {
        {BS_AUTOCHECKBOX, {BST_CHECKED, BST_UNCHECKED, BST_CHECKED}},
        {BS_AUTO3STATE, {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}},
        {BS_CHECKBOX, {BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED}},
        {BS_AUTOCHECKBOX | BS_PUSHLIKE, {BST_CHECKED, BST_UNCHECKED, BST_CHECKED}},
    };
    int id = 200;
    for (const Case& c : cases) {
        HWND b = Make(L"Button", L"Check", c.style, 10, 10, 120, 20, ++id);
        for (UINT expected : c.afterClicks) {
            Click(b, 4, 10);
            EXPECT_EQ(UINT(SendMessageW(b, BM_GETCHECK, 0, 0)), expected) << "style " << c.style;
        }
        Take();
        SendMessageW(b, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_TRUE(Take().empty());
        DestroyWindow(b);
    }
}

TEST_F(ButtonTest, AutomaticRadiosClearTheirGroupOnly)
{
    HWND a = Make(L"Button", L"A", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 100, 20, 1);
    HWND b = Make(L"Button", L"B", BS_AUTORADIOBUTTON, 10, 30, 100, 20, 2);
    HWND c = Make(L"Button", L"C", BS_AUTORADIOBUTTON | WS_GROUP, 10, 50, 100, 20, 3);
    SendMessageW(a, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(c, BM_SETCHECK, BST_CHECKED, 0);
    Take();
    Click(b, 4, 10);
    EXPECT_EQ(SendMessageW(a, BM_GETCHECK, 0, 0), LRESULT(BST_UNCHECKED));
    EXPECT_EQ(SendMessageW(b, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED));
    EXPECT_EQ(SendMessageW(c, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED));
    EXPECT_EQ(Take(), (Ev{"cmd 2 BN_CLICKED focus=2"}));
    // the checked radio is the group's tab stop
    EXPECT_TRUE(GetWindowLong(b, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLong(a, GWL_STYLE) & WS_TABSTOP);

    // an unchecked radio reached from the keyboard reports a click; its check stays as it was
    SetFocus(a);
    drv.Pump();
    EXPECT_EQ(SendMessageW(a, BM_GETCHECK, 0, 0), LRESULT(BST_UNCHECKED));
    EXPECT_EQ(SendMessageW(b, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED));
    EXPECT_EQ(Take(), (Ev{"cmd 1 BN_CLICKED focus=1"}));
}

TEST_F(ButtonTest, RadiosOfBothKindsMoveTheTabStopAndReportTheFocus)
{
    struct Case {
        DWORD type;
        bool checkedFirst;  // the radio is checked before it gets the focus
        Ev events;
    };
    const Case cases[] = {
        {BS_RADIOBUTTON, false, {"cmd 5 BN_CLICKED focus=5"}},
        {BS_AUTORADIOBUTTON, false, {"cmd 5 BN_CLICKED focus=5"}},
        {BS_RADIOBUTTON, true, {}},
        {BS_AUTORADIOBUTTON, true, {}},
    };
    for (const Case& c : cases) {
        HWND r = Make(L"Button", L"R", c.type | WS_GROUP, 10, 80, 100, 20, 5);
        SendMessageW(r, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_TRUE(GetWindowLong(r, GWL_STYLE) & WS_TABSTOP) << c.type;
        SendMessageW(r, BM_SETCHECK, BST_UNCHECKED, 0);
        EXPECT_FALSE(GetWindowLong(r, GWL_STYLE) & WS_TABSTOP) << c.type;
        SendMessageW(r, BM_SETCHECK, c.checkedFirst ? BST_CHECKED : BST_UNCHECKED, 0);
        SetFocus(parent);
        Take();
        SetFocus(r);
        drv.Pump();
        EXPECT_EQ(Take(), c.events) << c.type << " " << c.checkedFirst;
        EXPECT_EQ(SendMessageW(r, BM_GETCHECK, 0, 0), LRESULT(c.checkedFirst ? BST_CHECKED : BST_UNCHECKED));
        // a click on it reports once, when the button is released
        SetFocus(parent);
        Take();
        Click(r, 4, 10);
        EXPECT_EQ(Take(), (Ev{"cmd 5 BN_CLICKED focus=5"})) << c.type;
        DestroyWindow(r);
    }
}

TEST_F(ButtonTest, DialogCodesTellButtonKinds)
{
    struct Case {
        DWORD style;
        LRESULT code;
    };
    const Case cases[] = {
        {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {BS_OWNERDRAW, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_AUTOCHECKBOX, DLGC_BUTTON},
        {BS_GROUPBOX, DLGC_STATIC},
    };
    for (const Case& c : cases) {
        HWND b = Make(L"Button", L"x", c.style, 0, 0, 50, 20, 1);
        EXPECT_EQ(SendMessageW(b, WM_GETDLGCODE, 0, 0), c.code) << c.style;
        DestroyWindow(b);
    }
    // an owner-drawn button made default stays owner-drawn and says so
    HWND o = Make(L"Button", L"x", BS_OWNERDRAW, 0, 0, 50, 20, 1);
    SendMessageW(o, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLong(o, GWL_STYLE) & BS_TYPEMASK, LONG(BS_OWNERDRAW));
    EXPECT_EQ(SendMessageW(o, WM_GETDLGCODE, 0, 0), LRESULT(DLGC_BUTTON | DLGC_DEFPUSHBUTTON));
}

class DrawingButton : public CButton {
public:
    std::vector<UINT> states;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        states.push_back(dis->itemState);
        FillRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
};

TEST_F(ButtonTest, OwnerDrawnButtonDrawsItselfOrAsksTheParent)
{
    std::vector<UINT> parentStates;
    rec.SetHook(parent, [&](HWND, UINT msg, WPARAM, LPARAM l, LRESULT* r) {
        if (msg != WM_DRAWITEM)
            return false;
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
        EXPECT_EQ(dis->CtlType, ODT_BUTTON);
        parentStates.push_back(dis->itemState);
        *r = TRUE;
        return true;
    });
    HWND plain = Make(L"Button", L"", BS_OWNERDRAW, 10, 10, 40, 20, 7);
    UpdateWindow(parent);
    ASSERT_FALSE(parentStates.empty());
    drv.MouseDown(CHeadlessDriver::At(plain, POINT{5, 5}));
    drv.Pump();
    EXPECT_TRUE(parentStates.back() & ODS_SELECTED);
    EXPECT_TRUE(parentStates.back() & ODS_FOCUS);
    drv.MouseUp(CHeadlessDriver::At(plain, POINT{5, 5}));
    drv.Pump();

    DrawingButton own;
    ASSERT_TRUE(own.Create(L"", BS_OWNERDRAW | WS_CHILD | WS_VISIBLE, CRect(100, 10, 140, 30), CWnd::FromHandle(parent), 8));
    size_t before = parentStates.size();
    UpdateWindow(parent);
    drv.Pump();
    EXPECT_FALSE(own.states.empty());
    EXPECT_EQ(parentStates.size(), before);
    EXPECT_EQ(PixelAt(own.m_hWnd, 20, 10), RGB(0, 0, 0));
}

TEST_F(ButtonTest, StaticNotifiesOnlyWithNotifyStyle)
{
    HWND quiet = Make(L"Static", L"label", SS_LEFT, 10, 10, 100, 20, 11);
    HWND loud = Make(L"Static", L"label", SS_LEFT | SS_NOTIFY, 10, 40, 100, 20, 12);
    Take();
    Click(quiet, 5, 5);
    Click(loud, 5, 5);
    EXPECT_EQ(Take(), (Ev{"cmd 12 STN_CLICKED focus=0"}));
}

}  // namespace
