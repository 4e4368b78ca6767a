// From scratch: a new function block diagram drawn from the palette (two inputs, an AND, an
// on-delay timer, an output), wired, the timer's time set, saved, closed and opened again as the
// same file, then simulated: the inputs switched from the Inputs bar and the simulated clock run
// past the delay, with the output and the timer's value box following. The same again in
// Chinese after the language is switched and the program restarted.
#include "tests/journeys/JourneyTest.h"

#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "pages/AllPropertySheet.h"
#include "pages/BlockPage.h"
#include "resources/Resources.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"

namespace journey {
namespace {

// The captions of the menu items the journey chooses, in one language.
struct Menus {
    const wchar_t* file;
    const wchar_t* newPopup;
    const wchar_t* fbd;
    const wchar_t* open;
    const wchar_t* close;
    const wchar_t* saveAs;
    const wchar_t* tools;
    const wchar_t* simulation;
};

const Menus kEnglish{L"&File", L"New", L"Function block diagram(FBD)", L"&Open...", L"&Close", L"Save &As...",
                     L"&Tools", L"&Simulation"};
const Menus kChinese{L"文件(&F)", L"新建", L"功能块图(FBD)", L"打开(&O)...", L"关闭(&C)", L"另存为(&A)...",
                     L"工具(&T)", L"仿真(&S)"};

class FromScratch : public JourneyTest {
protected:
    // The journey; `name` is the program's file name.
    void Run(const Menus& m, const char* name, const std::string& shots)
    {
        Choose({m.file, m.newPopup, m.fbd});
        ASSERT_EQ(Documents(), 1);
        const Drawn drawn = DrawTimedGate();
        ASSERT_NE(drawn.q, nullptr);
        EXPECT_EQ(Doc()->m_wires.GetCount(), 4);

        // The gate's sheet, opened with a double-click: it gets a name.
        bool sheetShown = false;
        OnDialog([&](HWND sheet) {
            sheetShown = dynamic_cast<CAllPropertySheet*>(CWnd::FromHandlePermanent(sheet)) != nullptr;
            ASSERT_TRUE(sheetShown);
            HWND page = PageWith(sheet, IDC_BLOCK_NAME);
            ASSERT_NE(page, nullptr);
            Type(page, IDC_BLOCK_NAME, L"Both");
            Press(sheet, IDOK);
        });
        DoubleClick(Centre(drawn.gate));
        EXPECT_TRUE(sheetShown);
        EXPECT_EQ(drawn.gate->m_strName, CString(L"Both"));

        // The timer's time on its own sheet: 3 s.
        sheetShown = false;
        OnDialog([&](HWND sheet) {
            sheetShown = true;
            HWND page = PageWith(sheet, 1550);
            ASSERT_NE(page, nullptr);
            Pick(page, 1548, Text(IDS_TIME_BASE_SECONDS));
            Type(page, 1550, L"3");
            Type(page, 1549, L"0");
            Shot(shots + "sheet", sheet);
            Press(sheet, IDOK);
        });
        DoubleClick(Centre(drawn.timer));
        EXPECT_TRUE(sheetShown);
        EXPECT_EQ(drawn.timer->m_nTime1Base, 2);
        EXPECT_EQ(drawn.timer->m_nTime1High, 3);
        EXPECT_EQ(drawn.timer->m_nTime1Low, 0);
        Shot(shots + "program");

        // Saved, closed, opened again: the same file.
        const CString path = Temp(name);
        fileDialogs.QueueFiles({std::wstring(LPCTSTR(path))});
        Choose({m.file, m.saveAs});
        ASSERT_FALSE(Doc()->IsModified());
        const std::vector<BYTE> saved = ReadBytes(path);
        ASSERT_FALSE(saved.empty());
        Choose({m.file, m.close});
        ASSERT_EQ(Documents(), 0);
        fileDialogs.QueueFiles({std::wstring(LPCTSTR(path))});
        Choose({m.file, m.open});
        ASSERT_EQ(Documents(), 1);
        const CString again = Temp("again.yfb");
        fileDialogs.QueueFiles({std::wstring(LPCTSTR(again))});
        Choose({m.file, m.saveAs});
        EXPECT_EQ(ReadBytes(again), saved);
        EXPECT_TRUE(TakeBoxes().empty());

        // Simulation, with the clock in the test's hands.
        CTavixView* view = StartSimulation({m.tools, m.simulation});
        ASSERT_NE(view, nullptr);
        CChildFrame* frame = view->GetParentFrame();
        ASSERT_TRUE(frame->HasSimulationBars());
        CTavixDoc* doc = Doc();
        auto block = [doc](int type, int nth) {
            for (POSITION pos = doc->m_blocks.GetHeadPosition(); pos;) {
                auto* b = static_cast<CBlockObj*>(doc->m_blocks.GetNext(pos));
                if (b->m_nType == type && nth-- == 0)
                    return b;
            }
            return static_cast<CBlockObj*>(nullptr);
        };
        CBlockObj* i1 = block(TYPE_INPUT, 0);
        CBlockObj* i2 = block(TYPE_INPUT, 1);
        CBlockObj* q = block(TYPE_OUTPUT, 0);
        CBlockObj* delay = block(400, 0);
        ASSERT_TRUE(i1 && i2 && q && delay);
        auto toggle = [&](CBlockObj* input) {
            const CSimIOBar::Control* c = frame->m_wndInputsBar.FindControl(input->m_nNumber);
            ASSERT_NE(c, nullptr) << input->m_nNumber;
            CRect rc;
            c->wnd->GetClientRect(&rc);
            drv.Click(CHeadlessDriver::At(c->wnd->GetSafeHwnd(), rc.CenterPoint()));
            drv.Pump();
        };
        auto lamp = [&]() {
            const CSimIOBar::Control* c = frame->m_wndOutputsBar.FindControl(q->m_nNumber);
            return c && c->bOn;
        };
        Tick(view, 4);
        const CString idle = delay->m_strValueText;
        EXPECT_FALSE(idle.IsEmpty()) << "the timer shows its value box";
        toggle(i1);
        Tick(view, 40);  // 1 s: one input is not enough
        EXPECT_EQ(q->m_nPinValue[kOutputPin], 0);
        EXPECT_EQ(delay->m_strValueText, idle);
        toggle(i2);
        Tick(view, 40);  // 1 s into the delay
        const CString running = delay->m_strValueText;
        EXPECT_NE(running, idle);
        EXPECT_EQ(q->m_nPinValue[kOutputPin], 0);
        EXPECT_FALSE(lamp());
        Tick(view, 84);  // past 3 s
        EXPECT_EQ(q->m_nPinValue[kOutputPin], 1);
        EXPECT_TRUE(lamp());
        EXPECT_NE(delay->m_strValueText, running);
        // The idle-time update greys the Simulation bar's buttons that do not apply while running.
        app->OnIdle(0);
        drv.Pump();
        Shot(shots + "simulation");
        toggle(i1);
        Tick(view, 2);
        EXPECT_EQ(q->m_nPinValue[kOutputPin], 0);
        EXPECT_FALSE(lamp());
        Choose({m.tools, m.simulation});
        EXPECT_FALSE(View()->IsSimulating());
        EXPECT_FALSE(Doc()->IsModified());
    }
};

TEST_F(FromScratch, English)
{
    Start();
    Run(kEnglish, "scratch.yfb", "");
}

TEST_F(FromScratch, ChineseAfterTheLanguageIsSwitched)
{
    Start();
    OnDialog([this](HWND dlg) {
        Pick(dlg, IDC_LANGUAGE_COMBO, L"Simple Chinese");
        Press(dlg, IDOK);
    });
    Choose({L"&Options", L"Language..."});
    EXPECT_EQ(TakeBoxes().size(), 1u) << "the change waits for the restart";
    Stop();
    Start();
    EXPECT_EQ(g_nLanguage, 1);
    Run(kChinese, "从零开始.yfb", "zh_");
}

}  // namespace
}  // namespace journey
