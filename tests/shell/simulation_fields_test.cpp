// The typed fields of the simulation bars take only what they can hold, as it is typed: the
// Simulation bar's duration is a "##:##" mask (the colon is filled in, Backspace writes 0,
// letters are refused), and the Inputs bar's analog values are whole numbers.
#include "document/TavixDoc.h"
#include "tests/shell/EditorAppTest.h"
#include "elements/BlockFactory.h"
#include "elements/BlockIO.h"
#include "elements/BlockObj.h"
#include "platform/base/Profile.h"
#include "platform/host/HeadlessHost.h"
#include "resources/Resources.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"
#include "view/TavixView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

class SimulationFieldsTest : public EditorAppTest {
protected:
    void SetUp() override
    {
        EditorAppTest::SetUp();
        Start();
        Command(57600);
        m_view = Frame()->GetActiveDiagramView();
        ASSERT_NE(m_view, nullptr);
        m_doc = m_view->GetDocument();
        m_frame = m_view->GetParentFrame();
    }
    void TearDown() override
    {
        if (m_doc)
            m_doc->SetModifiedFlag(FALSE);
        EditorAppTest::TearDown();
    }
    void Enter()
    {
        Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(ID_TOOLS_SIMULATION), 0), 0);
        m_drv.Pump();
        ASSERT_TRUE(m_view->IsSimulating());
        m_view->StopSimClock();
    }
    // Focuses a field with a click, selects its whole text and types the keys of a script:
    // characters as typed, '\b' as Backspace.
    std::wstring TypeInto(CWnd* field, const std::wstring& keys, bool selectAll = true)
    {
        CRect rc;
        field->GetClientRect(&rc);
        m_drv.Click(CHeadlessDriver::At(field->GetSafeHwnd(), rc.CenterPoint()));
        m_drv.Pump();
        if (selectAll)
            field->SendMessage(EM_SETSEL, 0, -1);
        for (wchar_t k : keys) {
            if (k == L'\b')
                m_drv.Key(VK_BACK, L'\b');
            else
                m_drv.Type(std::wstring(1, k));
            m_drv.Pump();
        }
        CString text;
        field->GetWindowText(text);
        return std::wstring(LPCTSTR(text));
    }

    CTavixView* m_view = nullptr;
    CTavixDoc* m_doc = nullptr;
    CChildFrame* m_frame = nullptr;
};

TEST_F(SimulationFieldsTest, TheDurationAndCycleFieldsTakeOnlyWhatTheyHold)
{
    CBlockObj* in = NewBlockOfType(TYPE_INPUT);
    in->m_nNumber = 100;
    m_doc->m_blocks.AddTail(in);
    Enter();
    CSimulationBar& bar = m_frame->m_wndSimBar;
    CWnd* duration = bar.GetDlgItem(IDC_SIM_DURATION);
    CWnd* cycles = bar.GetDlgItem(IDC_SIM_CYCLES);
    ASSERT_TRUE(duration && cycles);
    // The two fields share a place; the unit shows one of them.
    auto show = [&](CWnd* field) {
        duration->ShowWindow(field == duration ? SW_SHOW : SW_HIDE);
        cycles->ShowWindow(field == cycles ? SW_SHOW : SW_HIDE);
        field->EnableWindow(TRUE);
    };
    const struct {
        const char* what;
        CWnd* field;
        const wchar_t* keys;
        const wchar_t* expected;
    } cases[] = {
        {"four digits get their colon", duration, L"1234", L"12:34"},
        {"letters are refused", duration, L"1a2b", L"12"},
        {"a colon typed where it belongs is kept", duration, L"12:3", L"12:3"},
    };
    for (const auto& c : cases) {
        show(c.field);
        EXPECT_EQ(TypeInto(c.field, c.keys), std::wstring(c.expected)) << c.what;
    }
    // Backspace inside the time writes 0 where the digit was and keeps the shape.
    show(duration);
    duration->SetWindowText(L"12:34");
    CRect rc;
    duration->GetClientRect(&rc);
    m_drv.Click(CHeadlessDriver::At(duration->GetSafeHwnd(), rc.CenterPoint()));
    m_drv.Pump();
    duration->SendMessage(EM_SETSEL, 2, 2);
    m_drv.Key(VK_BACK, L'\b');
    m_drv.Pump();
    CString text;
    duration->GetWindowText(text);
    EXPECT_EQ(std::wstring(LPCTSTR(text)), L"10:34");
}

TEST_F(SimulationFieldsTest, AnAnalogValueFieldRefusesLetters)
{
    CBlockObj* ai = NewBlockOfType(TYPE_ANALOG_IN);
    ai->m_nNumber = 4000;
    m_doc->m_blocks.AddTail(ai);
    Enter();
    const CSimIOBar::Control* field = m_frame->m_wndInputsBar.FindControl(4000);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(TypeInto(field->wnd.get(), L"4x2"), L"42");
    EXPECT_EQ(ai->m_nSimValue, 42);
    EXPECT_EQ(TypeInto(field->wnd.get(), L"1b5"), L"15");
    EXPECT_EQ(ai->m_nSimValue, 15);
}

}  // namespace
