// CWnd and message maps: handler arguments, command and update routing, notifications and
// their reflection, registered messages, the pre-translate chain, lifetime and modal loops.
#include "ui_support.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

#include <string>
#include <vector>

using namespace uitest;

namespace {

constexpr UINT ID_CMD_ON = 100;
constexpr UINT ID_CMD_OFF = 101;
constexpr UINT ID_CMD_NONE = 102;
constexpr UINT NM_TEST = UINT(-530);  // a negative notification code, as tool-tip requests use

UINT g_registered = RegisterWindowMessageW(L"TestRegisteredMessage");

class CBaseWnd : public CWnd {
public:
    std::vector<std::string> log;
    CPoint lastPoint;
    UINT lastFlags = 0;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        log.push_back("base:LBUTTONDOWN");
        lastFlags = nFlags;
        lastPoint = point;
    }
    void OnRButtonDown(UINT, CPoint) { log.push_back("base:RBUTTONDOWN"); }
    void OnSize(UINT nType, int cx, int cy) { log.push_back("size " + std::to_string(nType) + " " + std::to_string(cx) + "x" + std::to_string(cy)); }
    void OnCmdOn() { log.push_back("cmd on"); }
    void OnUpdateCmdOff(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnCmdOff() { log.push_back("cmd off"); }
    LRESULT OnUser(WPARAM w, LPARAM l) { return LRESULT(w + l); }
    LRESULT OnRegistered(WPARAM w, LPARAM) { return LRESULT(w * 2); }
    void OnTestNotify(NMHDR* hdr, LRESULT* result)
    {
        log.push_back("notify " + std::to_string(hdr->idFrom));
        *result = -1;
    }
    void OnChildClicked() { log.push_back("parent saw click"); }
    BOOL OnMouseWheel(UINT, short zDelta, CPoint) { log.push_back("wheel " + std::to_string(zDelta)); return TRUE; }
    void OnTimer(UINT_PTR id) { log.push_back("timer " + std::to_string(id)); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_SIZE()
    ON_WM_MOUSEWHEEL()
    ON_WM_TIMER()
    ON_COMMAND(ID_CMD_ON, OnCmdOn)
    ON_COMMAND(ID_CMD_OFF, OnCmdOff)
    ON_UPDATE_COMMAND_UI(ID_CMD_OFF, OnUpdateCmdOff)
    ON_MESSAGE(WM_USER + 5, OnUser)
    ON_REGISTERED_MESSAGE(g_registered, OnRegistered)
    ON_NOTIFY(NM_TEST, 7, OnTestNotify)
    ON_CONTROL(5, 8, OnChildClicked)
END_MESSAGE_MAP()

// A derived class overrides one handler of its base and inherits the rest.
class CDerivedWnd : public CBaseWnd {
protected:
    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        log.push_back("derived:LBUTTONDOWN");
        CBaseWnd::OnLButtonDown(nFlags, point);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// A control that handles its own notifications first.
class CReflectingCtrl : public CWnd {
public:
    BOOL passOn = FALSE;
    std::vector<std::string> log;

protected:
    BOOL OnReflectedClick()
    {
        log.push_back("control saw click");
        return !passOn;
    }
    void OnUpdateSelf(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnReflectedNotify(NMHDR*, LRESULT* result)
    {
        log.push_back("control saw notify");
        *result = 5;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingCtrl, CWnd)
    ON_UPDATE_COMMAND_UI_REFLECT(OnUpdateSelf)
    ON_CONTROL_REFLECT_EX(5, OnReflectedClick)
    ON_NOTIFY_REFLECT(NM_TEST, OnReflectedNotify)
END_MESSAGE_MAP()

class CSelfDeleting : public CWnd {
public:
    explicit CSelfDeleting(bool* deleted) : m_deleted(deleted) {}
    ~CSelfDeleting() override { *m_deleted = true; }
    void PostNcDestroy() override { delete this; }

private:
    bool* m_deleted;
};

class MsgMapTest : public UiTest {
protected:
    HWND top = nullptr;
    void SetUp() override
    {
        top = rec.Make("top", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300);
        drv.Pump();
    }
};

TEST_F(MsgMapTest, HandlersGetUnpackedArgumentsAndDerivedMapsComeFirst)
{
    CDerivedWnd w;
    ASSERT_TRUE(w.Create(nullptr, L"w", WS_VISIBLE, CRect(10, 10, 110, 90), CWnd::FromHandle(top), 3));
    EXPECT_EQ(w.log, (std::vector<std::string>{"size 0 100x80"}));
    w.log.clear();
    drv.KeyDown(VK_SHIFT);
    drv.Click(CHeadlessDriver::At(w.m_hWnd, POINT{12, 34}));
    drv.Click(CHeadlessDriver::At(w.m_hWnd, POINT{12, 34}), 1);
    drv.Wheel(CHeadlessDriver::At(w.m_hWnd, POINT{1, 1}), -240);
    w.SetFocus();
    drv.Wheel(CHeadlessDriver::At(w.m_hWnd, POINT{1, 1}), -240);
    drv.Pump();
    EXPECT_EQ(w.log, (std::vector<std::string>{"derived:LBUTTONDOWN", "base:LBUTTONDOWN", "base:RBUTTONDOWN", "wheel -240",
                                               "wheel -240"}));
    EXPECT_EQ(w.lastPoint, CPoint(12, 34));
    EXPECT_EQ(w.lastFlags, UINT(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(w.SendMessage(WM_USER + 5, 3, 4), 7);
    EXPECT_EQ(w.SendMessage(g_registered, 21, 0), 42);
    w.SetTimer(4, 100);
    drv.AdvanceClock(100);
    EXPECT_EQ(w.log.back(), "timer 4");
}

TEST_F(MsgMapTest, CommandsRunUnlessTheirUpdateHandlerDisablesThem)
{
    CBaseWnd w;
    ASSERT_TRUE(w.Create(nullptr, L"w", WS_VISIBLE, CRect(0, 0, 50, 50), CWnd::FromHandle(top), 3));
    w.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_ON, 0), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_OFF, 0), 0);  // menu or accelerator: disabled
    w.log.erase(w.log.begin());                               // the WM_SIZE of creation
    EXPECT_EQ(w.log, (std::vector<std::string>{"cmd on"}));

    struct Case { UINT id; BOOL disableIfNoHandler; BOOL expectedEnabled; BOOL handled; };
    const Case cases[] = {
        {ID_CMD_ON, TRUE, TRUE, FALSE},     // command handler, no update handler
        {ID_CMD_OFF, TRUE, FALSE, TRUE},    // update handler disables
        {ID_CMD_NONE, TRUE, FALSE, FALSE},  // nothing at all: disabled
        {ID_CMD_NONE, FALSE, TRUE, FALSE},  // ... unless asked not to
    };
    for (const Case& c : cases) {
        CWnd button;
        ASSERT_TRUE(button.Create(nullptr, L"b", WS_VISIBLE, CRect(0, 0, 5, 5), CWnd::FromHandle(top), c.id));
        CCmdUI ui;
        ui.m_nID = c.id;
        ui.m_pOther = &button;
        EXPECT_EQ(ui.DoUpdate(&w, c.disableIfNoHandler), c.handled) << c.id;
        EXPECT_EQ(button.IsWindowEnabled(), c.expectedEnabled) << c.id;
    }
}

TEST_F(MsgMapTest, DialogControlsTakeTheirStateFromUpdateHandlers)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        // A push button answers as one; the style's low bits tell its type.
        if (m == WM_GETDLGCODE)
            return (GetWindowLongPtrW(h, GWL_STYLE) & 0x0F) == 0x0F ? 0 : DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        return DefWindowProcW(h, m, w, l);
    };
    wc.lpszClassName = L"TestButtonLike";
    RegisterClassW(&wc);
    CBaseWnd target;
    ASSERT_TRUE(target.Create(nullptr, L"t", WS_VISIBLE, CRect(0, 0, 10, 10), CWnd::FromHandle(top), 1));
    CWnd bar;
    ASSERT_TRUE(bar.Create(nullptr, L"bar", WS_VISIBLE, CRect(0, 20, 300, 60), CWnd::FromHandle(top), 2));
    struct Case { UINT id; DWORD type; BOOL expectedEnabled; };
    const Case cases[] = {
        {ID_CMD_ON, 0, TRUE},     // push button with a command handler
        {ID_CMD_OFF, 0, FALSE},   // its update handler disables it
        {ID_CMD_NONE, 0, FALSE},  // push button, no handler at all
        {ID_CMD_NONE + 1, 3, TRUE},   // auto check box without a handler stays
        {ID_CMD_NONE + 2, 0xF, TRUE}, // not a button
    };
    std::vector<HWND> controls;
    for (const Case& c : cases)
        controls.push_back(CreateWindowExW(0, L"TestButtonLike", L"", WS_CHILD | WS_VISIBLE | c.type, 0, 0, 10, 10,
                                           bar.m_hWnd, reinterpret_cast<HMENU>(UINT_PTR(c.id)), nullptr, nullptr));
    CReflectingCtrl self;  // updates itself, whatever the target says
    ASSERT_TRUE(self.Create(nullptr, L"self", WS_VISIBLE, CRect(0, 0, 5, 5), &bar, ID_CMD_ON));
    bar.UpdateDialogControls(&target, TRUE);
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(IsWindowEnabled(controls[i]), cases[i].expectedEnabled) << cases[i].id;
    EXPECT_FALSE(self.IsWindowEnabled());
}

TEST_F(MsgMapTest, NotificationsReachTheControlFirstAndThenTheParent)
{
    CBaseWnd parent;
    ASSERT_TRUE(parent.Create(nullptr, L"p", WS_VISIBLE, CRect(0, 0, 200, 200), CWnd::FromHandle(top), 1));
    CReflectingCtrl ctrl;
    ASSERT_TRUE(ctrl.Create(nullptr, L"c", WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 8));
    parent.log.clear();
    // The control keeps the click to itself...
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(8, 5), reinterpret_cast<LPARAM>(ctrl.m_hWnd));
    EXPECT_EQ(ctrl.log, (std::vector<std::string>{"control saw click"}));
    EXPECT_TRUE(parent.log.empty());
    // ... or lets the parent have it too.
    ctrl.passOn = TRUE;
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(8, 5), reinterpret_cast<LPARAM>(ctrl.m_hWnd));
    EXPECT_EQ(parent.log, (std::vector<std::string>{"parent saw click"}));

    NMHDR hdr{ctrl.m_hWnd, 8, NM_TEST};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 8, reinterpret_cast<LPARAM>(&hdr)), 5);  // reflected answer
    CWnd other;
    ASSERT_TRUE(other.Create(nullptr, L"o", WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 7));
    NMHDR hdr7{other.m_hWnd, 7, NM_TEST};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&hdr7)), -1);
    EXPECT_EQ(parent.log.back(), "notify 7");
}

class CFilterWnd : public CWnd {
public:
    std::vector<std::string>* log = nullptr;
    std::string name;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        log->push_back(name + " pre " + std::to_string(pMsg->wParam));
        if (name == "page" && pMsg->wParam == VK_RETURN)
            pMsg->wParam = VK_TAB;  // rewritten in place, then dispatched
        return name == "page" && pMsg->wParam == VK_ESCAPE;
    }

protected:
    void OnKeyDown(UINT nChar, UINT, UINT) { log->push_back(name + " key " + std::to_string(nChar)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFilterWnd, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

TEST_F(MsgMapTest, PreTranslationRunsFromTheTargetUpAndMayRewriteOrSwallow)
{
    std::vector<std::string> log;
    CFilterWnd page, edit;
    page.log = edit.log = &log;
    page.name = "page";
    edit.name = "edit";
    ASSERT_TRUE(page.Create(nullptr, L"page", WS_VISIBLE, CRect(0, 0, 200, 200), CWnd::FromHandle(top), 1));
    ASSERT_TRUE(edit.Create(nullptr, L"edit", WS_VISIBLE, CRect(0, 0, 50, 20), &page, 2));
    edit.SetFocus();
    drv.Key(VK_RETURN);
    drv.Key(VK_ESCAPE);
    drv.Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"edit pre 13", "page pre 13", "edit key 9", "edit pre 27", "page pre 27"}));
}

TEST_F(MsgMapTest, ObjectsFollowTheirWindows)
{
    bool deleted = false;
    auto* w = new CSelfDeleting(&deleted);
    ASSERT_TRUE(w->Create(nullptr, L"s", WS_VISIBLE, CRect(0, 0, 10, 10), CWnd::FromHandle(top), 1));
    HWND h = w->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(h), w);
    w->DestroyWindow();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    EXPECT_EQ(CWnd::FromHandle(h), nullptr);

    // A window made elsewhere gets a temporary object; attaching a permanent one replaces it.
    HWND raw = rec.Make("raw", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
    CWnd* temp = CWnd::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    {
        CWnd attached;
        EXPECT_TRUE(attached.SubclassWindow(raw));
        EXPECT_EQ(CWnd::FromHandle(raw), &attached);
        EXPECT_EQ(attached.GetDlgCtrlID(), 0);
        EXPECT_EQ(attached.UnsubclassWindow(), raw);
    }
    EXPECT_TRUE(IsWindow(raw));
    // An object going out of scope takes its window with it.
    HWND gone;
    {
        CWnd scoped;
        scoped.Create(nullptr, L"x", WS_VISIBLE, CRect(0, 0, 5, 5), CWnd::FromHandle(top), 9);
        gone = scoped.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(gone));
}

class CModalWnd : public CWnd {
protected:
    LRESULT OnFinish(WPARAM w, LPARAM) { EndModalLoop(int(w)); return 0; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CModalWnd, CWnd)
    ON_MESSAGE(WM_USER + 9, OnFinish)
END_MESSAGE_MAP()

TEST_F(MsgMapTest, ModalLoopRunsUntilEnded)
{
    CModalWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, L"modal", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    int clicks = 0;
    rec.Watch({WM_LBUTTONDOWN});
    drv.Host().QueueIdleStep([&] {
        drv.Click(CHeadlessDriver::At(top, POINT{5, 5}));  // other windows keep working meanwhile
        ++clicks;
    });
    drv.Host().QueueIdleStep([&] { w.PostMessage(WM_USER + 9, 17, 0); });
    EXPECT_EQ(w.RunModalLoop(), 17);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"top:LBUTTONDOWN"}));
    // A loop whose window goes away ends instead of hanging.
    drv.Host().QueueIdleStep([&] { w.DestroyWindow(); });
    EXPECT_EQ(w.RunModalLoop(), -1);
}

class CPainter : public CWnd {
public:
    COLORREF colour = RGB(255, 0, 0);

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, colour);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPainter, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST_F(MsgMapTest, PaintDcDrawsIntoTheWindowOnly)
{
    CPainter p;
    ASSERT_TRUE(p.Create(nullptr, L"p", WS_VISIBLE, CRect(10, 10, 30, 30), CWnd::FromHandle(top), 1));
    drv.Pump();
    EXPECT_EQ(drv.Pixel(top, 15, 15), RGB(255, 0, 0));
    EXPECT_EQ(drv.Pixel(top, 30, 30), GetSysColor(COLOR_WINDOW));
    {
        CClientDC dc(&p);
        dc.FillSolidRect(-10, -10, 100, 100, RGB(0, 0, 255));  // clipped to the client area
    }
    EXPECT_EQ(drv.Pixel(top, 29, 29), RGB(0, 0, 255));
    EXPECT_EQ(drv.Pixel(top, 9, 9), GetSysColor(COLOR_WINDOW));
}

}  // namespace
