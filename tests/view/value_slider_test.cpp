// The analog value slider while simulating: keys on the real trackbar move the element's value,
// the blocks it feeds read the new value on the next step, and an analog contact without a
// stored setting gets a usable one (automatic range 0..1000, frequency kind) at its first move.
#include "EditTestSupport.h"

#include "document/TavixDoc.h"
#include "elements/BlockTypes.h"
#include "view/AnalogSliderDlg.h"

namespace viewtest {
namespace {

class ValueSliderTest : public EditTest {
protected:
    // Enters simulation with the clock held by the test.
    void Simulate()
    {
        view->ToggleSimulation();
        ASSERT_TRUE(view->IsSimulating());
        view->StopSimClock();
        Repaint();
    }
    // Clicks the element and returns its popup (null when none opened).
    CAnalogSliderDlg* OpenPopupOn(CPoint at)
    {
        Click(at);
        return view->GetValuePopup();
    }
    // Keys pressed on the popup's trackbar, as the user does after clicking it.
    void SliderKeys(CAnalogSliderDlg* popup, UINT vk, int times)
    {
        CWnd* track = popup->GetDlgItem(IDC_SLIDER_TRACK);
        ASSERT_NE(track, nullptr);
        track->SetFocus();
        for (int i = 0; i < times; ++i)
            drv.Key(vk);
        Pump();
    }
    static int WordAt(CBlockObj* consumer, CTavixView* v, int pin)
    {
        WORD w = 0;
        consumer->GetInputValue(v, &w, pin);
        return int(short(w));
    }
};

TEST_F(ValueSliderTest, MovingTheSliderOfAnAnalogInputReachesTheBlockItFeeds)
{
    Open(NewDocument(1));
    CBlockObj* ai = Insert(TYPE_ANALOG_IN, CPoint(60, 100));
    ASSERT_NE(ai, nullptr);
    CBlockObj* comp = Insert(803, CPoint(260, 100));
    ASSERT_NE(comp, nullptr);
    ASSERT_NE(Wire(ai, kOutputPin, comp, 0), nullptr);
    Simulate();
    CRect body;
    ASSERT_TRUE(ai->GetRect(&body));
    CAnalogSliderDlg* popup = OpenPopupOn(body.CenterPoint());
    ASSERT_NE(popup, nullptr);
    // It opens left of the element, level with its top, not at the click.
    CRect placed;
    popup->GetWindowRect(&placed);
    CPoint beside(ai->m_ptOrigin.x - 8 * ai->m_nWidth, ai->m_ptOrigin.y);
    view->ClientToScreen(&beside);
    EXPECT_EQ(placed.TopLeft(), beside);
    const int lo = popup->GetMin(), hi = popup->GetMax();
    ASSERT_LT(lo, hi);
    EXPECT_EQ(WordAt(comp, view, 0), 0);

    SliderKeys(popup, VK_END, 1);
    Repaint();
    EXPECT_EQ(ai->m_nSimValue, hi);
    EXPECT_EQ(WordAt(comp, view, 0), 1000) << "the full range scales to 1000 for the consumer";

    SliderKeys(popup, VK_HOME, 1);
    SliderKeys(popup, VK_RIGHT, 3);
    Repaint();
    EXPECT_EQ(ai->m_nSimValue, lo + 3);
    EXPECT_GT(WordAt(comp, view, 0), 0);
    EXPECT_LT(WordAt(comp, view, 0), 1000);
}

TEST_F(ValueSliderTest, FirstMoveOnAnAnalogContactStoresAUsableSetting)
{
    Open(NewDocument(2));
    // Placed directly: inserting a contact asks for its operand in a dialog.
    CBlockObj* contact = view->CreateBlockByType(TYPE_ACONTACT);
    ASSERT_NE(contact, nullptr);
    ASSERT_TRUE(document->AddBlock(contact));
    contact->m_ptOrigin = CPoint(120, 100);
    contact->m_nOperand = 4001;
    view->UpdateScrollSizes();
    SimSettingRecord none;
    ASSERT_FALSE(document->m_simSettings.Lookup(4001, none));
    Simulate();
    CRect body;
    ASSERT_TRUE(contact->GetRect(&body));
    CAnalogSliderDlg* popup = OpenPopupOn(body.CenterPoint());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetMin(), 0);
    EXPECT_EQ(popup->GetMax(), 1000);

    SliderKeys(popup, VK_RIGHT, 7);
    Repaint();
    SimSettingRecord rec;
    ASSERT_TRUE(document->m_simSettings.Lookup(4001, rec));
    EXPECT_EQ(rec.m_bAutoRange, 1);
    EXPECT_EQ(rec.m_nMin, 0);
    EXPECT_EQ(rec.m_nMax, 1000);
    EXPECT_EQ(rec.m_nKind, 3);
    EXPECT_EQ(rec.m_nValue, 7);
    EXPECT_EQ(contact->m_nSimValue, 7);
    EXPECT_EQ(contact->m_nSimState, 7) << "what the contact passes on";
}

TEST_F(ValueSliderTest, EditorShortcutsOnTheSliderEndTheSimulationAndRunTheirCommand)
{
    struct Case { UINT vk; int mode; } const cases[] = {
        {VK_F3, CTavixView::modeSelect},
        {VK_F5, CTavixView::modeConnect},
    };
    Open(NewDocument(1));
    CBlockObj* ai = Insert(TYPE_ANALOG_IN, CPoint(60, 100));
    ASSERT_NE(ai, nullptr);
    CRect body;
    ASSERT_TRUE(ai->GetRect(&body));
    for (const Case& c : cases) {
        // A click on empty paper, so the click on the element is not the second of a double.
        Click(CPoint(400, 300));
        Simulate();
        CAnalogSliderDlg* popup = OpenPopupOn(body.CenterPoint());
        ASSERT_NE(popup, nullptr) << c.vk;
        SliderKeys(popup, c.vk, 1);
        EXPECT_FALSE(view->IsSimulating()) << c.vk;
        EXPECT_EQ(view->GetValuePopup(), nullptr) << c.vk;
        EXPECT_EQ(view->m_nEditMode, c.mode) << c.vk;
        view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MODE_SELECT, 0), 0);
        Pump();
    }
}

}  // namespace
}  // namespace viewtest
