// Every fixture program opened in a view and painted at zoom 0.25, 1 and 4; scrolling and
// zooming away and back repaint the same pixels; a ladder program gets its power bus.
#include "ViewTestSupport.h"

#include "elements/BlockObj.h"
#include "elements/PowerBus.h"
#include "platform/ui/framework/AppIds.h"

#include <set>

namespace viewtest {
namespace {

constexpr uint32_t kOutsideGrey = 0x808080;
constexpr uint32_t kBackground = 0xB4B4B4;
constexpr uint32_t kBodyFill = 0xFFDE8C;

std::set<uint32_t> Colours(const Image& img) { return std::set<uint32_t>(img.pixels.begin(), img.pixels.end()); }

class FixturePaint : public ViewTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FixturePaint, PaintsAtEveryZoomStep)
{
    Open(Load(GetParam()), 640, 480);
    ASSERT_GT(document->m_blocks.GetCount(), 0);
    for (float zoom : {0.25f, 1.0f, 4.0f}) {
        view->ZoomTo(zoom);
        view->ScrollToPosition(CPoint(0, 0));
        Repaint();
        const Image img = Capture();
        const std::set<uint32_t> colours = Colours(img);
        EXPECT_TRUE(colours.count(kBackground)) << zoom;
        // The top-left corner of the diagram shows elements at every zoom but the largest.
        if (zoom < 4.0f) {
            EXPECT_TRUE(colours.count(kBodyFill)) << zoom;
        }
        // At a quarter the whole diagram fits and the grey surround shows beside it.
        if (zoom == 0.25f) {
            EXPECT_TRUE(colours.count(kOutsideGrey));
        }
    }
}

TEST_P(FixturePaint, ScrollAndZoomRoundTripsRepaintIdentically)
{
    Open(Load(GetParam()), 640, 480);
    view->ZoomTo(1.0f);
    view->ScrollToPosition(CPoint(40, 30));
    Repaint();
    const Image before = Capture();

    // Scrolling by the bars moves the old pixels and paints only the uncovered strip.
    view->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    view->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
    Pump();
    view->ScrollToPosition(CPoint(40, 30));
    Pump();
    EXPECT_EQ(FirstDifference(Capture(), before), "");

    view->ZoomTo(2.0f);
    Pump();
    view->ZoomTo(1.0f);
    view->ScrollToPosition(CPoint(40, 30));
    Pump();
    EXPECT_EQ(FirstDifference(Capture(), before), "");
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixturePaint,
                         ::testing::Values("program_fbd.yfb", "program_ladder.yld", "program_msgtext_datalog.yfb",
                                           "program_old_model.yfb"));

TEST_F(ViewTest, ALadderProgramWithoutPowerBusGetsOneOnItsFirstRepaint)
{
    auto doc = NewDocument(2);
    doc->m_rcExtent = CRect(0, 0, 900, 700);
    Open(std::move(doc), 400, 300);
    view->UpdateScrollSizes();
    while (!document->m_powerBus.IsEmpty())
        delete document->m_powerBus.RemoveHead();
    Repaint();
    ASSERT_EQ(document->m_powerBus.GetCount(), 1);
    const auto* bus = static_cast<CPowerBusObj*>(document->m_powerBus.GetHead());
    EXPECT_EQ(bus->m_nWidth, 4);
    EXPECT_EQ(bus->m_nHeight, 700 - 4);
    // The rail is black at x = 24 from y = 20 down.
    const Image img = Capture();
    EXPECT_EQ(img.At(24, 100), 0x000000u);
    EXPECT_EQ(img.At(24, 10), kBackground);
}

TEST_F(ViewTest, AnInactiveViewKeepsItsLastPicture)
{
    Open(Load("program_fbd.yfb"), 320, 240);
    const Image shown = Capture();
    frame->SetActiveView(nullptr, FALSE);
    document->m_rcExtent = CRect(0, 0, 10, 10);
    Repaint();
    EXPECT_EQ(FirstDifference(Capture(), shown), "");
}

TEST_F(ViewTest, ResizingAwayAndBackRepaintsTheSamePicture)
{
    Open(Load("program_fbd.yfb"), 500, 400);
    view->ScrollToPosition(CPoint(20, 20));
    Repaint();
    const Image before = Capture();
    CRect r;
    frame->GetWindowRect(&r);
    frame->SetWindowPos(nullptr, 0, 0, r.Width() / 2, r.Height() / 2, SWP_NOZORDER | SWP_NOMOVE);
    Pump();
    frame->SetWindowPos(nullptr, 0, 0, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOMOVE);
    Pump();
    view->ScrollToPosition(CPoint(20, 20));
    Pump();
    EXPECT_EQ(FirstDifference(Capture(), before), "");
}

TEST_F(ViewTest, UndoClearsTheSelectionAndRepaintsTheEarlierProgram)
{
    Open(Load("program_fbd.yfb"), 500, 400);
    ASSERT_TRUE(document->m_undo.PushSnapshot(document.get()));
    Repaint();
    const Image before = Capture();
    // An edit: every element moves right, the first one becomes current and selected.
    for (POSITION pos = document->m_blocks.GetHeadPosition(); pos;)
        static_cast<CBlockObj*>(document->m_blocks.GetNext(pos))->m_ptOrigin.x += 40;
    auto* first = static_cast<CBlockObj*>(document->m_blocks.GetHead());
    first->m_bSelected = TRUE;
    view->m_selBlocks.AddTail(first);
    view->m_pCurBlock = first;
    ASSERT_TRUE(document->m_undo.PushSnapshot(document.get()));
    Repaint();
    EXPECT_NE(FirstDifference(Capture(), before), "");

    view->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    Pump();
    EXPECT_EQ(view->m_pCurBlock, nullptr);
    EXPECT_TRUE(view->m_selBlocks.IsEmpty());
    EXPECT_EQ(FirstDifference(Capture(), before), "");
}

TEST_F(ViewTest, DamagedPageSizesPaintOnlyTheVisibleDivisions)
{
    auto doc = NewDocument(1);
    doc->m_rcExtent = CRect(0, 0, 2000000, 1500000);
    doc->m_nPageWidth = 1;
    doc->m_nPageHeight = 1;
    doc->m_nPageLayout[0] = 2000000000;
    doc->m_nPageLayout[1] = 2000000000;
    Open(std::move(doc), 200, 150);
    Repaint();
    // Every pixel column is a page division in the frame's green.
    EXPECT_EQ(Capture().At(50, 50), 0x00C462u);
}

}  // namespace
}  // namespace viewtest
