// A large area is painted band by band while editing: the picture is the one a single pass
// paints, with selections, a free comment and a highlighted pin, at a quarter and at full size.
#include "ViewTestSupport.h"

#include "elements/BlockComment.h"
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

}  // namespace
}  // namespace viewtest
