// Dynamic layout: children follow the dialog's edges by their shares, the dialog is never
// smaller than its template, the sizing guard stays with its own window, and a bar dialog fills
// its docking bar and never ends on Enter, Esc or Close.
#include "BarTestSupport.h"

#include "controls/DynamicBar.h"
#include "platform/ui/controls/CtlClasses.h"
#include "platform/ui/core/MessageMap.h"

namespace bartest {
namespace {

constexpr UINT kDialog = 9101, kBarDialog = 9102;
constexpr UINT kMove = 11, kStretch = 12, kCentre = 13, kFixed = 14, kSqueeze = 15;

const std::vector<DialogTemplate>& Templates()
{
    static const std::vector<DialogTemplate> templates = [] {
        auto item = [](UINT id, int x, int y, int cx, int cy) {
            DialogItem it;
            it.className = L"Button";
            it.text = L"B";
            it.id = id;
            it.style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
            it.x = x;
            it.y = y;
            it.cx = cx;
            it.cy = cy;
            return it;
        };
        DialogTemplate dlg;
        dlg.id = kDialog;
        dlg.caption = L"Dynamic";
        dlg.style = WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE;
        dlg.cx = 200;
        dlg.cy = 100;
        dlg.items = {item(kMove, 10, 20, 50, 20), item(kStretch, 10, 50, 50, 20), item(kCentre, 80, 50, 30, 14),
                     item(kFixed, 150, 10, 20, 14), item(kSqueeze, 120, 80, 8, 8)};
        DialogTemplate bar;
        bar.id = kBarDialog;
        bar.style = WS_CHILD | WS_VISIBLE;
        bar.cx = 120;
        bar.cy = 60;
        bar.items = {item(kMove, 10, 40, 40, 14)};
        return std::vector<DialogTemplate>{dlg, bar};
    }();
    return templates;
}

const DialogTemplate* FindTemplate(std::uint32_t id)
{
    for (const DialogTemplate& t : Templates())
        if (t.id == id)
            return &t;
    return nullptr;
}

// The hosted dialog and its bar, as the simulation bars pair them.
class CTestBarDlg : public cdxCDynamicBarDlg {
public:
    CTestBarDlg() : cdxCDynamicBarDlg(kBarDialog, nullptr, FreeBoth, WithSizingGuard) {}
    int m_nCommands = 0;
    BOOL m_bEnable = FALSE;
    BOOL OnInitDialog() override
    {
        cdxCDynamicBarDlg::OnInitDialog();
        // The button keeps its horizontal place and follows the bottom edge.
        AddSzControl(kMove, 0, 100, 0, 100);
        return TRUE;
    }
    void OnButton() { ++m_nCommands; }
    void OnUpdateButton(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnable); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestBarDlg, cdxCDynamicBarDlg)
    ON_COMMAND(kMove, OnButton)
    ON_UPDATE_COMMAND_UI(kMove, OnUpdateButton)
END_MESSAGE_MAP()

class CTestDynamicBar : public cdxCDynamicBar {
public:
    CTestDynamicBar() : cdxCDynamicBar(&m_dlg) {}
    CTestBarDlg m_dlg;
};

class DynamicLayoutTest : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        m_previous = AfxGetResourceFinder();
        ResourceFinder finder = m_previous;
        finder.findDialog = &FindTemplate;
        AfxSetResourceFinder(finder);
        // No stored place: the dialog keeps its template size and position.
        m_dlg.m_strClassName.Empty();
    }
    void TearDown() override
    {
        if (m_dlg.GetSafeHwnd())
            m_dlg.DestroyWindow();
        BarTest::TearDown();
        m_bar.reset();
        AfxSetResourceFinder(m_previous);
    }
    CRect ChildRect(CWnd& parent, UINT id)
    {
        CRect rc;
        parent.GetDlgItem(int(id))->GetWindowRect(&rc);
        parent.ScreenToClient(&rc);
        return rc;
    }
    // Grows the dialog's window (and so its client area) by d.
    void Grow(CSize d)
    {
        CRect rc;
        m_dlg.GetWindowRect(&rc);
        m_dlg.SetWindowPos(nullptr, 0, 0, rc.Width() + d.cx, rc.Height() + d.cy, SWP_NOMOVE | SWP_NOZORDER);
        drv.Pump();
    }

    ResourceFinder m_previous;
    cdxCDynamicDialog m_dlg{kDialog, nullptr, cdxCDynamicWnd::FreeBoth, 0};
    std::unique_ptr<CTestDynamicBar> m_bar;
};

TEST_F(DynamicLayoutTest, ChildrenFollowTheEdgesByTheirShares)
{
    ASSERT_TRUE(m_dlg.Create(kDialog, nullptr));
    std::map<UINT, CRect> before;
    for (UINT id : {kMove, kStretch, kCentre, kFixed, kSqueeze})
        before[id] = ChildRect(m_dlg, id);
    ASSERT_TRUE(m_dlg.AddSzControl(kMove, 100, 100, 100, 100));
    ASSERT_TRUE(m_dlg.AddSzControl(kStretch, 0, 0, 100, 0));
    ASSERT_TRUE(m_dlg.AddSzControl(kCentre, 50, 50, 50, 50));
    ASSERT_TRUE(m_dlg.AddSzControl(kSqueeze, 0, 0, -100, 0));  // loses width as the dialog grows

    Grow(CSize(30, 12));
    EXPECT_EQ(ChildRect(m_dlg, kMove), before[kMove] + CPoint(30, 12));
    CRect stretched = before[kStretch];
    stretched.right += 30;
    EXPECT_EQ(ChildRect(m_dlg, kStretch), stretched);
    EXPECT_EQ(ChildRect(m_dlg, kCentre), before[kCentre] + CPoint(15, 6));
    EXPECT_EQ(ChildRect(m_dlg, kFixed), before[kFixed]);  // not registered: stays
    // A child whose width comes to nothing is moved out of view, ending at x = -10.
    EXPECT_EQ(ChildRect(m_dlg, kSqueeze).right, -10);
    EXPECT_EQ(ChildRect(m_dlg, kSqueeze).left, -10);

    Grow(CSize(1, 1));  // growth 31 by 13: a centred child moves by 15 and 6
    EXPECT_EQ(ChildRect(m_dlg, kCentre), before[kCentre] + CPoint(15, 6));
    Grow(CSize(-31, -13));
    for (UINT id : {kMove, kStretch, kCentre, kFixed, kSqueeze})
        EXPECT_EQ(ChildRect(m_dlg, id), before[id]) << id;
}

TEST_F(DynamicLayoutTest, TheDialogIsNeverSmallerThanItsTemplateAndKeepsAFixedDimension)
{
    ASSERT_TRUE(m_dlg.Create(kDialog, nullptr));
    CRect rcWnd;
    m_dlg.GetWindowRect(&rcWnd);
    MINMAXINFO mmi{};
    mmi.ptMaxTrackSize = CPoint(5000, 5000);
    m_dlg.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(CSize(mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y), rcWnd.Size());
    EXPECT_EQ(mmi.ptMaxTrackSize.x, 5000);

    m_dlg.m_nFreedom = cdxCDynamicWnd::FreeVertical;
    m_dlg.m_szMax = CSize(0, 300);
    mmi = MINMAXINFO{};
    mmi.ptMaxTrackSize = CPoint(5000, 5000);
    m_dlg.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMaxTrackSize.x, mmi.ptMinTrackSize.x);
    CRect rcClient;
    m_dlg.GetClientRect(&rcClient);
    EXPECT_EQ(mmi.ptMaxTrackSize.y, rcWnd.Height() - rcClient.Height() + 300);
}

TEST_F(DynamicLayoutTest, TheSizingGuardBelongsToItsWindowAndEndsAfterTheLastStep)
{
    cdxCDynamicDialog other(kDialog, nullptr, cdxCDynamicWnd::FreeBoth, cdxCDynamicWnd::WithSizingGuard);
    other.m_strClassName.Empty();
    m_dlg.m_nLayoutFlags |= cdxCDynamicWnd::WithSizingGuard;
    ASSERT_TRUE(m_dlg.Create(kDialog, nullptr));
    ASSERT_TRUE(other.Create(kDialog, nullptr));
    const DWORD classStyle = ::GetClassLongW(m_dlg.GetSafeHwnd(), GCL_STYLE);
    CRect rc;
    m_dlg.GetWindowRect(&rc);
    m_dlg.SendMessage(WM_SIZING, 1 /* left edge */, reinterpret_cast<LPARAM>(&rc));
    EXPECT_TRUE(m_dlg.IsSizingGuardActive());
    EXPECT_FALSE(other.IsSizingGuardActive());
    EXPECT_EQ(::GetClassLongW(other.GetSafeHwnd(), GCL_STYLE), classStyle);
    drv.AdvanceClock(100);
    EXPECT_TRUE(m_dlg.IsSizingGuardActive());
    drv.AdvanceClock(100);
    EXPECT_FALSE(m_dlg.IsSizingGuardActive());
    other.DestroyWindow();
}

TEST_F(DynamicLayoutTest, ADestroyedChildLosesItsEntry)
{
    ASSERT_TRUE(m_dlg.Create(kDialog, nullptr));
    // A button made at run time, as the bar dialogs make theirs.
    CButton button;
    ASSERT_TRUE(button.Create(L"x", WS_CHILD | WS_VISIBLE, CRect(5, 5, 40, 25), &m_dlg, 77));
    ASSERT_TRUE(m_dlg.AddSzControl(button, 100, 100, 100, 100));
    HWND hChild = button.GetSafeHwnd();
    EXPECT_TRUE(m_dlg.IsRegistered(hChild));
    ::DestroyWindow(hChild);
    EXPECT_FALSE(m_dlg.IsRegistered(hChild));
    EXPECT_EQ(m_dlg.GetControlCount(), 0);
}

TEST_F(DynamicLayoutTest, ABarDialogFillsItsBarFollowsItsSizeAndNeverEnds)
{
    m_bar = std::make_unique<CTestDynamicBar>();
    ASSERT_TRUE(m_bar->Create(L"Inputs", m_pFrame, 59426, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    m_bar->SetBarStyle(m_bar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    m_bar->EnableDocking(CBRS_ALIGN_BOTTOM);
    m_pFrame->DockControlBar(m_bar.get(), AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    Idle();
    CTestBarDlg& dlg = m_bar->m_dlg;
    ASSERT_TRUE(::IsWindow(dlg.GetSafeHwnd()));
    // The bar's sizes start at the dialog's template size plus the bar's frame.
    CRect rcBar, rcClient, rcDlg;
    m_bar->GetWindowRect(&rcBar);
    m_bar->GetClientRect(&rcClient);
    EXPECT_EQ(m_bar->m_szHorz.cy, dlg.m_szMin.cy + rcBar.Height() - rcClient.Height());
    EXPECT_EQ(m_bar->m_szMinHorz.cy, m_bar->m_szHorz.cy);
    // The dialog fills the client area.
    dlg.GetWindowRect(&rcDlg);
    m_bar->ClientToScreen(&rcClient);
    EXPECT_EQ(rcDlg, rcClient);

    // Thicker by 40: the registered button follows the bottom edge.
    const CRect before = ChildRect(dlg, kMove);
    m_bar->m_szHorz.cy += 40;
    Layout();
    Idle();
    EXPECT_EQ(ChildRect(dlg, kMove), before + CPoint(0, 40));

    // The dialog's buttons take their states from its update handlers.
    Idle();
    EXPECT_FALSE(dlg.GetDlgItem(int(kMove))->IsWindowEnabled());
    dlg.m_bEnable = TRUE;
    Idle();
    EXPECT_TRUE(dlg.GetDlgItem(int(kMove))->IsWindowEnabled());
    // A command sent to the bar reaches the dialog first (once its update handler enables it).
    m_bar->SendMessage(WM_COMMAND, MAKEWPARAM(kMove, 0), 0);
    EXPECT_EQ(dlg.m_nCommands, 1);

    // Enter, Esc and Close leave it alone.
    dlg.GetDlgItem(int(kMove))->SetFocus();
    drv.Key(VK_ESCAPE);
    drv.Key(VK_RETURN);
    drv.Pump();
    dlg.SendMessage(WM_CLOSE);
    drv.Pump();
    EXPECT_TRUE(::IsWindow(dlg.GetSafeHwnd()));
    EXPECT_TRUE(dlg.IsWindowVisible());
}

}  // namespace
}  // namespace bartest
