// Simulation in the whole editor, driven headless: the Simulation command opens the Inputs,
// Outputs and Simulation bars of the child frame, the Inputs bar's buttons and fields drive the
// inputs, the Outputs bar's lamps follow the outputs, the clock dialog sets the simulated clock,
// and leaving takes the bars away.
#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockIO.h"
#include "elements/BlockObj.h"
#include "elements/SimTime.h"
#include "platform/base/Profile.h"
#include "platform/host/HeadlessHost.h"
#include "resources/Resources.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"
#include "controls/DynamicBar.h"
#include "pages/AllPropertySheet.h"
#include "pages/BlockPage.h"
#include "shell/SimClockDlg.h"
#include "view/TavixView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

class SimulationBarsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/shellsimXXXXXX";
        m_dir = ::mkdtemp(tmpl);
        ::setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
        AfxGetProfileStore().SetPath(CString((m_dir + "/profile.ini").c_str()));
        g_nLanguage = 0;
        g_wHardwareCode = 0x5188;
        g_bShowPropertiesAtNew = 0;
        m_app = std::make_unique<CEditorApp>();
        ASSERT_TRUE(m_app->InitInstance());
        m_drv.Pump();
        Command(57600);
        m_view = Main()->GetActiveDiagramView();
        ASSERT_NE(m_view, nullptr);
        m_doc = m_view->GetDocument();
        m_frame = m_view->GetParentFrame();
        ASSERT_NE(m_frame, nullptr);
    }
    void TearDown() override
    {
        if (CWnd* main = m_app->m_pMainWnd; main && ::IsWindow(main->m_hWnd)) {
            if (m_doc)
                m_doc->SetModifiedFlag(FALSE);
            m_app->CloseAllDocuments(TRUE);
            main->DestroyWindow();
        }
        m_drv.Pump();
        m_app.reset();
        g_bShowPropertiesAtNew = 1;
        const std::string cmd = "rm -rf '" + m_dir + "'";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }
    CMainFrame* Main() const { return dynamic_cast<CMainFrame*>(m_app->m_pMainWnd); }
    void Command(UINT id)
    {
        Main()->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
        m_drv.Pump();
    }
    CBlockObj* Add(int type, int number)
    {
        CBlockObj* p = NewBlockOfType(type);
        m_doc->m_blocks.AddTail(p);
        p->m_nNumber = number;
        return p;
    }
    // Enters simulation and stops the clock's timer: the test ticks the clock itself.
    void Enter()
    {
        Command(ID_TOOLS_SIMULATION);
        ASSERT_TRUE(m_view->IsSimulating());
        m_view->StopSimClock();
    }
    void Tick(int n = 1)
    {
        for (int k = 0; k < n; ++k) {
            m_frame->SimClockTick();
            m_view->InvalidateAll();
            m_drv.Pump();
        }
    }
    // The program's idle-time work: the frames' delayed layouts and the bars' buttons.
    void Idle()
    {
        m_drv.Pump();
        m_app->OnIdle(0);
        m_drv.Pump();
    }
    POINT CentreOf(const CSimIOBar::Control* c) const
    {
        CRect rc;
        c->wnd->GetClientRect(&rc);
        return CHeadlessDriver::At(c->wnd->GetSafeHwnd(), rc.CenterPoint());
    }
    // Pixels of one colour that a control shows on the screen.
    int CountColour(const CWnd* pWnd, COLORREF colour) const
    {
        CRect top, rc;
        Main()->GetWindowRect(&top);
        pWnd->GetWindowRect(&rc);
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += m_drv.Pixel(Main()->GetSafeHwnd(), x - top.left, y - top.top) == colour;
        return n;
    }
    CRect RectInFrame(const CWnd* pWnd) const
    {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        m_frame->ScreenToClient(&rc);
        return rc;
    }
    CString Labels(const CSimIOBar& bar) const
    {
        CString out;
        for (const auto& c : bar.GetControls())
            if (c.bButton || c.bLabel)
                out += c.strText + L" ";
        return out;
    }

    std::string m_dir;
    CHeadlessDriver m_drv;
    std::unique_ptr<CEditorApp> m_app;
    CTavixView* m_view = nullptr;
    CTavixDoc* m_doc = nullptr;
    CChildFrame* m_frame = nullptr;
};

TEST_F(SimulationBarsTest, InputsDriveOutputsThroughTheBars)
{
    CBlockObj* toggle = Add(TYPE_INPUT, 102);
    CBlockObj* make = Add(TYPE_INPUT, 101);
    make->m_nSimKind = 1;
    Add(TYPE_INPUT, 140);  // beyond the bar's inputs: no control
    CBlockObj* ai = Add(TYPE_ANALOG_IN, 4000);
    ai->m_bAutoRange = TRUE;
    Add(TYPE_FKEY, 1302);
    CBlockObj* q0 = Add(TYPE_OUTPUT, 600);
    q0->m_nLink[0] = 102;
    CBlockObj* q1 = Add(TYPE_OUTPUT, 601);
    q1->m_nLink[0] = 101;
    Enter();

    ASSERT_TRUE(m_frame->HasSimulationBars());
    for (CWnd* bar : std::initializer_list<CWnd*>{m_frame->m_pInputsBar, m_frame->m_pOutputsBar, m_frame->m_pSimulationBar})
        EXPECT_TRUE(bar->IsWindowVisible());
    // Analog inputs, then keys, then inputs, each in ascending number.
    EXPECT_EQ(Labels(m_frame->m_wndInputsBar), CString(L"AI0 F2 I1 I2 "));
    EXPECT_EQ(Labels(m_frame->m_wndOutputsBar), CString(L"Q0 Q1 "));

    // A switch toggles at each click; its output's lamp follows at the next step.
    const CSimIOBar::Control* i2 = m_frame->m_wndInputsBar.FindControl(102);
    ASSERT_NE(i2, nullptr);
    m_drv.Click(CentreOf(i2));
    m_drv.Pump();
    EXPECT_EQ(toggle->m_nPinValue[kOutputPin], 1);
    EXPECT_TRUE(i2->bOn);
    Tick();
    EXPECT_TRUE(m_frame->m_wndOutputsBar.FindControl(600)->bOn);
    m_drv.Click(CentreOf(i2));
    Tick();
    EXPECT_EQ(toggle->m_nPinValue[kOutputPin], 0);
    EXPECT_FALSE(m_frame->m_wndOutputsBar.FindControl(600)->bOn);

    // A momentary make button is on exactly while it is held.
    const CSimIOBar::Control* i1 = m_frame->m_wndInputsBar.FindControl(101);
    ASSERT_NE(i1, nullptr);
    m_drv.MouseDown(CentreOf(i1));
    Tick();
    EXPECT_EQ(make->m_nPinValue[kOutputPin], 1);
    EXPECT_TRUE(m_frame->m_wndOutputsBar.FindControl(601)->bOn);
    m_drv.MouseUp(CentreOf(i1));
    Tick();
    EXPECT_EQ(make->m_nPinValue[kOutputPin], 0);
    EXPECT_FALSE(m_frame->m_wndOutputsBar.FindControl(601)->bOn);

    // A typed analog value takes effect at each keystroke.
    const CSimIOBar::Control* field = m_frame->m_wndInputsBar.FindControl(4000);
    ASSERT_NE(field, nullptr);
    m_drv.Click(CentreOf(field));
    m_drv.Pump();
    field->wnd->SendMessage(EM_SETSEL, 0, -1);
    m_drv.Type(L"25");
    m_drv.Pump();
    EXPECT_EQ(ai->m_nSimValue, 25);
    m_drv.Type(L"0");
    m_drv.Pump();
    EXPECT_EQ(ai->m_nSimValue, 250);

    // F3 in a bar leaves simulation: the bars go.
    m_drv.Key(VK_F3);
    m_drv.Pump();
    EXPECT_FALSE(m_view->IsSimulating());
    EXPECT_FALSE(m_frame->HasSimulationBars());
    EXPECT_TRUE(m_frame->m_wndInputsBar.GetControls().empty());
}

TEST_F(SimulationBarsTest, ButtonsFollowTheStateAndTheClockDialogSetsTheClock)
{
    Add(TYPE_INPUT, 100);
    Enter();
    CSimulationBar& bar = m_frame->m_wndSimBar;
    m_drv.Pump();
    auto enabled = [&](UINT id) { return bar.GetDlgItem(int(id))->IsWindowEnabled() != FALSE; };
    // A new bar runs freely: Start and Step disabled.
    Idle();
    EXPECT_FALSE(enabled(IDC_SIM_START));
    EXPECT_TRUE(enabled(IDC_SIM_STOP));
    EXPECT_TRUE(enabled(IDC_SIM_SUSPEND));
    EXPECT_FALSE(enabled(IDC_SIM_STEP));
    EXPECT_TRUE(enabled(IDC_SIM_POWER));
    bar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SIM_STOP, BN_CLICKED), LPARAM(bar.GetDlgItem(IDC_SIM_STOP)->GetSafeHwnd()));
    Idle();
    EXPECT_TRUE(enabled(IDC_SIM_START));
    EXPECT_TRUE(enabled(IDC_SIM_STEP));
    EXPECT_TRUE(enabled(IDC_SIM_CYCLES));
    EXPECT_TRUE(enabled(IDC_SIM_UNIT));

    // The clock dialog: Apply sets the clock from both pickers and keeps the dialog open.
    CWnd* clockButton = bar.GetDlgItem(IDC_SIM_CLOCK_BUTTON);
    clockButton->SendMessage(BM_SETCHECK, 1, 0);
    bar.OnClockButton();
    CSimClockDlg* dlg = bar.GetClockDlg();
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(::IsWindow(dlg->GetSafeHwnd()));
    SYSTEMTIME date{}, time{};
    date.wYear = 2030, date.wMonth = 6, date.wDay = 15;
    time = date;
    time.wHour = 13, time.wMinute = 5, time.wSecond = 9;
    static_cast<CDateTimeCtrl*>(dlg->GetDlgItem(IDC_CLOCK_DATE))->SetTime(&date);
    static_cast<CDateTimeCtrl*>(dlg->GetDlgItem(IDC_CLOCK_TIME))->SetTime(&time);
    dlg->OnApply();
    SYSTEMTIME now{};
    m_frame->GetSimTime(&now);
    EXPECT_EQ(now.wYear, 2030);
    EXPECT_EQ(now.wDay, 15);
    EXPECT_EQ(now.wHour, 13);
    EXPECT_EQ(now.wMinute, 5);
    EXPECT_TRUE(::IsWindow(dlg->GetSafeHwnd()));
    CString text;
    dlg->GetDlgItemText(IDC_CLOCK_TEXT, text);
    EXPECT_EQ(text, CString(L"Saturday, June 15, 2030 1:5:9 PM"));
    // OK closes it and pops the bar's clock button out.
    dlg->OnOK();
    m_drv.Pump();
    EXPECT_FALSE(::IsWindow(dlg->GetSafeHwnd()));
    EXPECT_EQ(clockButton->SendMessage(BM_GETCHECK), 0);
    Command(ID_TOOLS_SIMULATION);
    EXPECT_FALSE(m_frame->HasSimulationBars());

    // Closing the program while it simulates with the clock dialog open takes the dialog along.
    Enter();
    bar.GetDlgItem(IDC_SIM_CLOCK_BUTTON)->SendMessage(BM_SETCHECK, 1, 0);
    bar.OnClockButton();
    ASSERT_NE(bar.GetClockDlg(), nullptr);
    const HWND hClock = bar.GetClockDlg()->GetSafeHwnd();
    m_doc->SetModifiedFlag(FALSE);
    m_app->CloseAllDocuments(FALSE);
    m_drv.Pump();
    EXPECT_FALSE(::IsWindow(hClock));
    EXPECT_EQ(g_pSimulatingView, nullptr);
    m_doc = nullptr;
}

TEST_F(SimulationBarsTest, AnInputOrOutputRenumberedByApplyIsShownAndDrivenUnderItsNewNumber)
{
    CBlockObj* in = Add(TYPE_INPUT, 101);
    in->m_nOperand = 1;
    CBlockObj* other = Add(TYPE_INPUT, 102);
    other->m_nOperand = 2;
    CBlockObj* out = Add(TYPE_OUTPUT, 601);
    out->m_nOperand = 1;
    out->m_nLink[0] = 101;
    Enter();
    // I2 is on before the bar is rebuilt; it stays on afterwards.
    m_frame->m_wndInputsBar.SetSwitch(102, TRUE);

    struct Case {
        CBlockObj* block;
        const wchar_t* choice;
        int number;
        const CSimIOBar* bar;
        const wchar_t* labels;
    };
    const Case cases[] = {{in, L"I5", 105, &m_frame->m_wndInputsBar, L"I2 I5 "},
                          {out, L"Q5", 605, &m_frame->m_wndOutputsBar, L"Q5 "}};
    for (const Case& c : cases) {
        const int old = c.block->m_nNumber;
        m_view->m_pCurBlock = c.block;
        m_view->SendMessage(WM_COMMAND, ID_EDIT_BLOCK_PROPERTIES);
        m_drv.Pump();
        CAllPropertySheet* sheet = m_view->FindOpenSheet(old);
        ASSERT_NE(sheet, nullptr) << old;
        CWnd* list = sheet->m_pPage->GetDlgItem(1001);
        ASSERT_NE(list, nullptr);
        const LRESULT pos = list->SendMessage(CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(c.choice));
        ASSERT_GE(pos, 0) << old;
        list->SendMessage(CB_SETCURSEL, WPARAM(pos), 0);
        sheet->m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(1001, CBN_SELCHANGE), LPARAM(list->GetSafeHwnd()));
        sheet->SendMessage(WM_COMMAND, MAKEWPARAM(ID_APPLY_NOW, BN_CLICKED), LPARAM(sheet->GetDlgItem(ID_APPLY_NOW)->GetSafeHwnd()));
        m_drv.Pump();
        EXPECT_EQ(c.block->m_nNumber, c.number);
        EXPECT_EQ(Labels(*c.bar), CString(c.labels));
        EXPECT_EQ(c.bar->FindControl(old), nullptr);
        EXPECT_EQ(m_view->FindOpenSheet(c.number), sheet);
        sheet->DestroyWindow();
        m_drv.Pump();
    }
    ASSERT_NE(m_frame->m_wndInputsBar.FindControl(102), nullptr);
    EXPECT_TRUE(m_frame->m_wndInputsBar.FindControl(102)->bOn);

    // The new I5 button drives the renumbered input, and the new Q5 lamp follows its output.
    const CSimIOBar::Control* i5 = m_frame->m_wndInputsBar.FindControl(105);
    ASSERT_NE(i5, nullptr);
    m_drv.Click(CentreOf(i5));
    Tick();
    EXPECT_EQ(in->m_nPinValue[kOutputPin], 1);
    ASSERT_NE(m_frame->m_wndOutputsBar.FindControl(605), nullptr);
    EXPECT_TRUE(m_frame->m_wndOutputsBar.FindControl(605)->bOn);
}

TEST_F(SimulationBarsTest, TheOutputsBarOfALadderProgramShowsItsCoils)
{
    m_doc->SetModifiedFlag(FALSE);
    Command(ID_FILE_NEW_LAD);
    m_view = Main()->GetActiveDiagramView();
    ASSERT_NE(m_view, nullptr);
    m_doc = m_view->GetDocument();
    ASSERT_TRUE(m_doc->IsLadder());
    m_frame = m_view->GetParentFrame();
    auto element = [&](int type, int number, int operand, int link) {
        CBlockObj* p = Add(type, number);
        p->m_nOperand = operand;
        p->m_nLink[0] = link;
        return p;
    };
    element(700, 12000, 100, NUM_POWERBUS);  // I0 switches Q1
    CBlockObj* coil = element(703, 21000, 601, 12000);
    element(703, 21001, 601, 12000);  // a second coil of Q1: one lamp
    element(704, 21002, 603, 12000);  // Q3 inverted: on while I0 is off
    Enter();
    Tick();
    EXPECT_EQ(Labels(m_frame->m_wndOutputsBar), CString(L"Q1 Q3 "));
    ASSERT_NE(m_frame->m_wndOutputsBar.FindControl(601), nullptr);
    EXPECT_FALSE(m_frame->m_wndOutputsBar.FindControl(601)->bOn);
    EXPECT_TRUE(m_frame->m_wndOutputsBar.FindControl(603)->bOn);

    m_frame->m_wndInputsBar.SetSwitch(100, TRUE);
    Tick(2);
    EXPECT_EQ(coil->m_nPinValue[kOutputPin], 1);
    EXPECT_TRUE(m_frame->m_wndOutputsBar.FindControl(601)->bOn);
    EXPECT_FALSE(m_frame->m_wndOutputsBar.FindControl(603)->bOn);
}

TEST_F(SimulationBarsTest, LampsAndButtonsShowTheirPictures)
{
    CBlockObj* in = Add(TYPE_INPUT, 102);
    CBlockObj* out = Add(TYPE_OUTPUT, 600);
    out->m_nLink[0] = 102;
    Enter();
    Tick();
    // The lamp's glass: grey while off, yellow while lit.
    const COLORREF grey = RGB(208, 208, 208), lit = RGB(255, 230, 0);
    const CSimIOBar::Control* button = m_frame->m_wndInputsBar.FindControl(102);
    const CSimIOBar::Control* lamp = m_frame->m_wndOutputsBar.FindControl(600);
    ASSERT_TRUE(button && lamp);
    for (const CSimIOBar::Control* c : {button, lamp}) {
        EXPECT_GT(CountColour(c->wnd.get(), grey), 20) << c->nNumber;
        EXPECT_EQ(CountColour(c->wnd.get(), lit), 0) << c->nNumber;
    }
    m_drv.Click(CentreOf(button));
    Tick();
    ASSERT_EQ(in->m_nPinValue[kOutputPin], 1);
    for (const CSimIOBar::Control* c : {button, lamp}) {
        EXPECT_GT(CountColour(c->wnd.get(), lit), 20) << c->nNumber;
        EXPECT_EQ(CountColour(c->wnd.get(), grey), 0) << c->nNumber;
    }

    // The Simulation bar while running: Power, Stop and Suspend in colour; Start and Step are
    // disabled and show only the outline of their pictures.
    CSimulationBar& bar = m_frame->m_wndSimBar;
    Idle();
    const COLORREF green = RGB(0, 170, 0), red = RGB(220, 0, 0), blue = RGB(0, 70, 200);
    auto shows = [&](UINT id, COLORREF colour) { return CountColour(bar.GetDlgItem(int(id)), colour) > 10; };
    EXPECT_TRUE(shows(IDC_SIM_POWER, green));
    EXPECT_FALSE(shows(IDC_SIM_START, green));
    EXPECT_TRUE(shows(IDC_SIM_STOP, red));
    EXPECT_TRUE(shows(IDC_SIM_SUSPEND, blue));
    EXPECT_FALSE(shows(IDC_SIM_STEP, blue));
    // After Stop, Start shows its green triangle and Stop is the disabled one.
    bar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SIM_STOP, BN_CLICKED), LPARAM(bar.GetDlgItem(IDC_SIM_STOP)->GetSafeHwnd()));
    Idle();
    EXPECT_TRUE(shows(IDC_SIM_START, green));
    EXPECT_FALSE(shows(IDC_SIM_STOP, red));
    EXPECT_TRUE(shows(IDC_SIM_STEP, blue));
}

TEST_F(SimulationBarsTest, TheThreeBarsShareOneBottomRowInANarrowFrame)
{
    // A frame far narrower than the three bars' templates side by side: the Inputs and Outputs
    // bars give way down to what their controls take.
    m_drv.Resize(Main()->GetSafeHwnd(), CRect(0, 0, 760, 600));
    m_drv.Pump();
    CBlockObj* first = Add(TYPE_INPUT, 100);
    for (int n = 101; n < 104; ++n)
        Add(TYPE_INPUT, n);
    Add(TYPE_OUTPUT, 600);
    Enter();
    m_drv.Pump();
    CRect client;
    m_frame->GetClientRect(&client);
    ASSERT_LT(client.Width(), m_frame->m_pInputsBar->m_szMinHorz.cx + m_frame->m_pOutputsBar->m_szMinHorz.cx);
    // As created, and after an input became a value field (a wider group) when the Inputs bar
    // had no room to spare.
    for (int phase = 0; phase < 2; ++phase) {
        if (phase == 1) {
            first->m_nSimKind = 3;
            m_frame->m_wndInputsBar.Refresh(first);
            ASSERT_NE(m_frame->m_wndInputsBar.FindControl(100), nullptr);
            ASSERT_FALSE(m_frame->m_wndInputsBar.FindControl(100)->bButton);
        }
        Idle();
        const CRect in = RectInFrame(m_frame->m_pInputsBar);
        const CRect out = RectInFrame(m_frame->m_pOutputsBar);
        const CRect sim = RectInFrame(m_frame->m_pSimulationBar);
        // Inputs, Outputs, Simulation from left to right along the bottom edge, each touching
        // the next (neighbours overlap by the dock bar's 2 pixels).
        EXPECT_EQ(in.top, out.top) << phase;
        EXPECT_EQ(in.top, sim.top) << phase;
        EXPECT_NEAR(sim.bottom, client.bottom, 2) << phase;
        EXPECT_NEAR(in.left, client.left, 2) << phase;
        EXPECT_EQ(out.left, in.right - 2) << phase;
        EXPECT_EQ(sim.left, out.right - 2) << phase;
        EXPECT_NEAR(sim.right, client.right, 2) << phase;
        // Every control of every bar lies inside its bar.
        for (cdxCDynamicBar* pBar : {m_frame->m_pInputsBar, m_frame->m_pOutputsBar, m_frame->m_pSimulationBar}) {
            const CRect rcBar = RectInFrame(pBar);
            for (CWnd* pChild = pBar->m_pDynDlg->GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
                if (!pChild->IsWindowVisible())
                    continue;
                const CRect rc = RectInFrame(pChild);
                EXPECT_TRUE(rcBar.PtInRect(rc.TopLeft()) && rc.right <= rcBar.right)
                    << phase << " " << pBar->GetDlgCtrlID() << " " << pChild->GetDlgCtrlID();
            }
        }
    }
}

}  // namespace
