// Every type code from 300 to 999 that a block class takes is painted at a quarter, full and
// four times size in a program of a newer model (where the word, math and data-log symbols are
// drawn); the codes of no class are painted as plain elements. Nothing may read out of bounds
// (the sanitizer build reports it), and a block whose family draws a symbol must show one: pixels
// other than the body fill inside its body.
#include "ViewTestSupport.h"

#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"

#include <algorithm>
#include <map>

namespace viewtest {
namespace {

constexpr uint32_t kBodyFill = 0xFFDE8C;

// The families whose painters draw a symbol inside the body.
bool DrawsSymbol(int type)
{
    return (type >= 300 && type <= 307) || (type >= 400 && type <= 413) || (type >= 600 && type <= 611) ||
           (type >= 700 && type <= 705) || (type >= 800 && type <= 827 && type != 811) ||
           (type >= 830 && type <= 856) || (type >= 860 && type <= 879) || type == 911;
}

TEST_F(ViewTest, EveryTypeCodePaintsItsSymbolAtEveryZoom)
{
    auto doc = NewDocument(1, 0x5188);
    std::vector<CBlockObj*> blocks;
    // Codes the loader refuses still reach the painters as plain elements here.
    std::vector<int> types = {857, 858, 859};
    for (int type = 300; type <= 999; ++type) {
        std::unique_ptr<CBlockObj> probe(NewBlockOfType(type));
        if (probe && (probe->GetRuntimeClass() != RUNTIME_CLASS(CBlockObj) || type == 601 || type == 811))
            types.push_back(type);
    }
    Open(std::move(doc), 800, 600);
    int x = 60, y = 60, rowHeight = 0;
    for (int type : types) {
        CBlockObj* b = view->CreateBlockByType(type);
        ASSERT_NE(b, nullptr) << type;
        if (x + b->m_nWidth + 150 > 1800) {
            x = 60;
            y += rowHeight + 60;
            rowHeight = 0;
        }
        b->m_ptOrigin = CPoint(x, y);
        b->m_nNumber = 9000 + int(blocks.size());
        document->m_blocks.AddTail(b);
        blocks.push_back(b);
        x += b->m_nWidth + 150; // room for the parameter texts at the left of the next one
        rowHeight = std::max(rowHeight, b->m_nHeight);
    }
    document->m_rcExtent = CRect(0, 0, 1900, y + rowHeight + 100);
    view->UpdateScrollSizes();

    for (float zoom : {0.25f, 1.0f, 4.0f}) {
        SCOPED_TRACE(zoom);
        view->ZoomTo(zoom);
        view->ScrollToPosition(CPoint(0, 0));
        Repaint();
        Image img = Capture();
        CPoint scroll = view->GetDeviceScrollPosition();
        for (CBlockObj* b : blocks) {
            // The body's inside in window pixels, clear of the outline.
            auto box = [&] {
                return CRect(int(b->m_ptOrigin.x * zoom) - scroll.x + 2, int(b->m_ptOrigin.y * zoom) - scroll.y + 2,
                             int((b->m_ptOrigin.x + b->m_nWidth) * zoom) - scroll.x - 2,
                             int((b->m_ptOrigin.y + b->m_nHeight) * zoom) - scroll.y - 2);
            };
            CRect r = box();
            if (r.left < 0 || r.top < 0 || r.right > img.width || r.bottom > img.height) {
                view->ScrollToPosition(CPoint(int(b->m_ptOrigin.x * zoom) - 20, int(b->m_ptOrigin.y * zoom) - 20));
                Repaint();
                img = Capture();
                scroll = view->GetDeviceScrollPosition();
                r = box();
            }
            ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= img.width && r.bottom <= img.height) << b->m_nType;
            int fill = 0, marks = 0;
            for (int py = r.top; py < r.bottom; ++py)
                for (int px = r.left; px < r.right; ++px)
                    (img.At(px, py) == kBodyFill ? fill : marks)++;
            EXPECT_GT(fill, 0) << "no body: type " << b->m_nType;
            // At a quarter a symbol may round away; from full size on it must show.
            if (zoom >= 1.0f && DrawsSymbol(b->m_nType)) {
                EXPECT_GT(marks, 0) << "no symbol: type " << b->m_nType;
            }
        }
    }
}

} // namespace
} // namespace viewtest
