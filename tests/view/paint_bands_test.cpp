// A large area is painted band by band while editing, and a partial repaint paints only its
// update area: either way the picture is the one a single pass paints, with selections, a free
// comment, a highlighted pin and a block comment of any height and width.
#include "ViewTestSupport.h"

#include "elements/BlockComment.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"

#include <climits>

namespace viewtest {
namespace {

TEST_F(ViewTest, PaintingInBandsGivesTheSinglePassPicture)
{
    Open(Load("program_fbd.yfb"), 700, 520);
    ASSERT_GT(document->m_wires.GetCount(), 0);
    auto* pBlock = static_cast<CBlockObj*>(document->m_blocks.GetHead());
    pBlock->m_bSelected = TRUE;
    static_cast<CConnectLineObj*>(document->m_wires.GetHead())->m_bSelected = TRUE;
    auto* pComment = new CBlockComment;
    pComment->m_ptOrigin = CPoint(60, 90);
    pComment->m_strText = L"Pump station\r\nline 2";
    pComment->m_nLines = 2, pComment->m_nWidth = 80, pComment->m_nHeight = 30;
    document->AddComment(pComment);
    // Connecting highlights the pin under the cursor.
    view->m_nEditMode = CTavixView::modeConnect;
    for (float zoom : {0.25f, 1.0f}) {
        view->ZoomTo(zoom);
        view->ScrollToPosition(CPoint(0, 0));
        CRect pin;
        ASSERT_TRUE(pBlock->GetPinRect(&pin, kOutputPin, kPinRectSize));
        CPoint cursor(int(float(pin.CenterPoint().x) * zoom), int(float(pin.CenterPoint().y) * zoom));
        view->ClientToScreen(&cursor);
        ::SetCursorPos(cursor.x, cursor.y);
        view->m_nPaintBandRows = INT_MAX;
        Repaint();
        const Image single = Capture();
        // Bands of a few rows cut through every element; 64 rows through some.
        for (int rows : {7, 64}) {
            view->m_nPaintBandRows = rows;
            Repaint();
            EXPECT_EQ(FirstDifference(Capture(), single), "") << zoom << " " << rows;
        }
    }
    view->m_nEditMode = CTavixView::modeSelect;
}

// A block's comment stacks its lines upwards from above the block, as many as it has, each as
// long as it is: a repaint of only its top lines, or of the far end of its longest line, or a
// band through them must still paint them.
TEST_F(ViewTest, AnAreaOrBandHoldingOnlyTheTopOfALongBlockCommentPaintsIt)
{
    auto doc = NewDocument(1);
    doc->m_rcExtent = CRect(0, 0, 3800, 1000);
    CBlockObj* pGate = NewBlockOfType(301);
    ASSERT_NE(pGate, nullptr);
    pGate->m_nNumber = 9001;
    pGate->m_ptOrigin = CPoint(40, 800);
    pGate->m_nWidth = 25, pGate->m_nHeight = 36;
    pGate->m_bShowComment = TRUE;
    // 60 lines, the first 560 characters long: 68 .. 80 above the top of the view at x 40 .. 3400.
    CString comment;
    for (int k = 0; k < 56; ++k)
        comment += L"Long text ";
    for (int line = 2; line <= 60; ++line)
        comment.AppendFormat(L"\r\nline %d", line);
    pGate->m_strComment = comment;
    doc->m_blocks.AddTail(pGate);
    Open(std::move(doc), 1800, 480);
    view->ZoomTo(0.5f);
    view->ScrollToPosition(CPoint(0, 0));
    view->m_nPaintBandRows = INT_MAX;
    pGate->m_bShowComment = FALSE;
    Repaint();
    const Image without = Capture();
    pGate->m_bShowComment = TRUE;
    Repaint();
    const Image single = Capture();
    // Device areas: the top five lines across the view, and the end of the first line alone.
    for (const CRect& area : {CRect(0, 0, 1800, 60), CRect(1470, 0, 1800, 60)}) {
        bool shows = false;
        for (int y = area.top; y < area.bottom && !shows; ++y)
            for (int x = area.left; x < area.right && !shows; ++x)
                shows = single.At(x, y) != without.At(x, y);
        ASSERT_TRUE(shows) << area.left;
        view->InvalidateRect(&area, FALSE);
        view->UpdateWindow();
        Pump();
        EXPECT_EQ(FirstDifference(Capture(), single), "") << area.left;
    }
    view->m_nPaintBandRows = 7;
    Repaint();
    EXPECT_EQ(FirstDifference(Capture(), single), "");
}

}  // namespace
}  // namespace viewtest
