// Ladder: a new ladder diagram drawn from the palette (two make contacts in series, a break
// contact in parallel with them, a coil), each element's operand chosen on its sheet, simulated
// over an input sequence from the Inputs bar; then converted with File > Convert to FBD and the
// function block diagram simulated over the same sequence: the outputs agree at every step.
#include "tests/journeys/JourneyTest.h"

#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/PaletteItems.h"

#include <utility>
#include <vector>

namespace journey {
namespace {

constexpr int kFind = 1040;  // the operand sheet's search field

class Ladder : public JourneyTest {
protected:
    // Places a ladder element from the palette and chooses its operand on its sheet: a contact's
    // sheet comes up as it is placed, a coil's with a double-click.
    CBlockObj* Element(int type, CPoint at, const wchar_t* operand)
    {
        bool shown = false;
        OnDialog([&](HWND sheet) {
            HWND page = ::GetWindow(sheet, GW_CHILD);
            while (page && !::GetDlgItem(page, kFind))
                page = ::GetWindow(page, GW_HWNDNEXT);
            ASSERT_NE(page, nullptr);
            shown = true;
            Type(page, kFind, operand);
            Press(sheet, IDOK);
        });
        CBlockObj* e = Place(groupIo, type, at);
        EXPECT_NE(e, nullptr) << type;
        if (e && !shown)
            DoubleClick(Centre(e));
        EXPECT_TRUE(shown) << "no sheet for " << type;
        return e;
    }

    // The outputs over the input steps: each step switches the inputs (bit i is input
    // I00i) from the Inputs bar and runs the simulated clock a little.
    std::vector<std::vector<bool>> Simulate(const std::vector<unsigned>& steps, const std::vector<int>& outputs)
    {
        std::vector<std::vector<bool>> trace;
        CTavixView* view = StartSimulation();
        EXPECT_NE(view, nullptr);
        if (view == nullptr)
            return trace;
        CChildFrame* frame = view->GetParentFrame();
        Tick(view, 2);
        unsigned now = 0;
        for (unsigned bits : steps) {
            for (int i = 0; i < 3; ++i) {
                if (((bits ^ now) >> i & 1) == 0)
                    continue;
                const CSimIOBar::Control* c = frame->m_wndInputsBar.FindControl(NUM_INPUT + i);
                EXPECT_NE(c, nullptr) << "input " << i;
                if (!c)
                    continue;
                CRect rc;
                c->wnd->GetClientRect(&rc);
                drv.Click(CHeadlessDriver::At(c->wnd->GetSafeHwnd(), rc.CenterPoint()));
                drv.Pump();
            }
            now = bits;
            Tick(view, 10);  // a ladder rung may take a cycle per contact
            // A ladder shows an output on its coil, a function block diagram on its output
            // block and the Outputs bar's lamp.
            std::vector<bool> lamps;
            CTavixDoc* doc = Doc();
            for (int q : outputs) {
                int value = -1;
                for (POSITION pos = doc->m_blocks.GetHeadPosition(); pos;) {
                    auto* p = static_cast<CBlockObj*>(doc->m_blocks.GetNext(pos));
                    if (doc->IsLadder() ? (p->m_nType == TYPE_COIL && p->m_nOperand == q) : p->m_nNumber == q)
                        value = p->m_nPinValue[kOutputPin];
                }
                EXPECT_NE(value, -1) << "output " << q;
                if (!doc->IsLadder()) {
                    const CSimIOBar::Control* c = frame->m_wndOutputsBar.FindControl(q);
                    EXPECT_TRUE(c && c->bOn == (value == 1)) << "lamp " << q;
                }
                lamps.push_back(value == 1);
            }
            trace.push_back(lamps);
        }
        Choose({L"&Tools", L"&Simulation"});
        EXPECT_FALSE(View()->IsSimulating());
        return trace;
    }
};

TEST_F(Ladder, ConvertedProgramAgreesWithTheLadderAtEveryStep)
{
    Start();
    Choose({L"&File", L"New", L"Ladder diagram(LAD)"});
    ASSERT_EQ(Documents(), 1);
    ASSERT_TRUE(Doc()->IsLadder());
    drv.Pump();
    CBlockObj* bus = View()->GetPowerBus();
    ASSERT_NE(bus, nullptr);

    // Q000 = (I000 and I001) or not I002.
    CBlockObj* a = Element(TYPE_MAKE, CPoint(120, 100), L"I000");
    CBlockObj* b = Element(TYPE_MAKE, CPoint(220, 100), L"I001");
    CBlockObj* c = Element(TYPE_BREAK, CPoint(120, 200), L"I002");
    CBlockObj* coil = Element(TYPE_COIL, CPoint(380, 100), L"Q000");
    ASSERT_TRUE(a && b && c && coil);
    EXPECT_EQ(a->m_nOperand, NUM_INPUT);
    EXPECT_EQ(b->m_nOperand, NUM_INPUT + 1);
    EXPECT_EQ(c->m_nOperand, NUM_INPUT + 2);
    EXPECT_EQ(coil->m_nOperand, NUM_OUTPUT);

    // Wires: from the power bus at the height of a contact's input, then pin to pin.
    auto fromBus = [&](CBlockObj* to) {
        const INT_PTR before = Doc()->m_wires.GetCount();
        Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MODE_CONNECT, 0), 0);
        drv.Pump();
        const CPoint pin = Pin(to, 0);
        Click(CPoint(bus->m_ptOrigin.x + 1, pin.y));
        Click(pin);
        Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MODE_SELECT, 0), 0);
        drv.Pump();
        return Doc()->m_wires.GetCount() == before + 1;
    };
    EXPECT_TRUE(fromBus(a));
    EXPECT_TRUE(fromBus(c));
    EXPECT_TRUE(Wire(a, kOutputPin, b, 0));
    EXPECT_TRUE(Wire(b, kOutputPin, coil, 0));
    EXPECT_TRUE(Wire(c, kOutputPin, coil, 0));
    ASSERT_EQ(Doc()->m_wires.GetCount(), 5);
    Shot("ladder");

    // Every combination of the three inputs, and back through some of them.
    const std::vector<unsigned> steps{0, 1, 3, 2, 6, 7, 5, 4, 0, 3, 7, 4};
    const std::vector<int> outputs{NUM_OUTPUT};
    const auto ladder = Simulate(steps, outputs);
    ASSERT_EQ(ladder.size(), steps.size());
    for (size_t i = 0; i < steps.size(); ++i) {
        const unsigned in = steps[i];
        const bool expected = ((in & 1) && (in & 2)) || !(in & 4);
        EXPECT_EQ(ladder[i][0], expected) << "ladder, inputs " << in;
    }

    CTavixDoc* ladderDoc = Doc();
    Choose({L"&File", L"Convert to FBD"});
    ASSERT_EQ(Documents(), 2);
    ASSERT_NE(Doc(), ladderDoc);
    ASSERT_FALSE(Doc()->IsLadder());
    EXPECT_TRUE(TakeBoxes().empty());
    Shot("converted");
    const auto converted = Simulate(steps, outputs);
    EXPECT_EQ(converted, ladder);
}

}  // namespace
}  // namespace journey
