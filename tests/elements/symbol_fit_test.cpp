// Every mnemonic stays inside its element's body: the timer family draws them in fonts of fixed
// cell sizes, and a text wider than the body sticks out over the pins and the neighbouring wires.
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "elements/SymbolPainters.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// Pixels painted beside the body, in the band of its mnemonic, by an element drawn with
// `painter` on a white canvas; -1 for a type code that names no element.
int InkOutsideBody(int type, void (*painter)(const CBlockObj&, CDC*))
{
    std::unique_ptr<CBlockObj> b(NewBlockOfType(type));
    if (!b)
        return -1;
    b->m_ptOrigin = CPoint(40, 40);
    b->m_nWidth = 25;  // the body every inserted block gets
    b->m_nHeight = b->m_nInputs == 4 ? 40 : 36;
    const CRect body(b->m_ptOrigin, CSize(b->m_nWidth, b->m_nHeight));
    const int w = body.right + 40, h = body.bottom + 40;
    CDC dc;
    dc.CreateForImage(w, h);
    dc.FillSolidRect(0, 0, w, h, kWhite);
    dc.SetBkMode(TRANSPARENT);
    painter(*b, &dc);
    // The mnemonic's band: the bottom quarter of the body, where each mnemonic stands.
    const int textTop = body.bottom - 3 - body.Height() / 4;
    int outside = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            outside += y >= textTop && !body.PtInRect(CPoint(x, y)) && dc.GetPixel(x, y) != kWhite;
    return outside;
}

TEST(SymbolFit, EveryTimerMnemonicStaysInsideItsBody)
{
    const struct {
        int first, last;
        void (*painter)(const CBlockObj&, CDC*);
    } families[] = {
        {400, 413, &symbols::DrawTimer},
    };
    for (const auto& f : families)
        for (int type = f.first; type <= f.last; ++type) {
            const int ink = InkOutsideBody(type, f.painter);
            if (ink >= 0) {
                EXPECT_EQ(ink, 0) << "type " << type;
            }
        }
}

}  // namespace
