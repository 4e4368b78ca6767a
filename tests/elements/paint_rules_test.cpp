// The painting rules a user sees on an element, read as pixels at the places they apply to: the
// stub and outline colours of editing and simulation, the black outline of the analog I/O, the
// ladder elements' border only while simulating, the selection handles and colours, and the
// ON/OFF text of an output state.
#include "DiagramFixture.h"

#include "elements/BlockFactory.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kBlack = RGB(0, 0, 0);
constexpr COLORREF kFill = RGB(255, 222, 140), kGround = RGB(180, 180, 180);
constexpr int kX0 = 60, kY0 = 40, kW = 30, kH = 40;

// A 200 x 150 picture in a memory context, grey as the diagram's background.
struct Picture {
    CDC dc;
    CBitmap bmp;
    CBitmap* old = nullptr;
    Picture()
    {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&dc, 200, 150);
        old = dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, 200, 150, kGround);
    }
    ~Picture() { dc.SelectObject(old); }
    // Pixels of the rectangle the test accepts (text is smoothed: its pixels are shades).
    int Count(CRect r, const std::function<bool(COLORREF)>& accept) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += accept(dc.GetPixel(x, y));
        return n;
    }
};

std::unique_ptr<CBlockObj> Make(int type, int inputs)
{
    std::unique_ptr<CBlockObj> b(NewBlockOfType(type));
    b->m_ptOrigin = CPoint(kX0, kY0);
    b->m_nWidth = kW;
    b->m_nHeight = kH;
    b->m_nInputs = inputs;
    b->m_nNumber = 9001;
    return b;
}

int PinY(int k, int count) { return kY0 + (k + 1) * (kH / (count + 1)); }

} // namespace

TEST(PaintRules, ColoursAtTheirPlaces)
{
    struct Case {
        const char* what;
        int type;
        int inputs;
        int editMode;
        std::function<void(CBlockObj&, CTavixView&, CDC&)> draw;
        CPoint at;
        COLORREF expected;
    };
    auto plain = [](COLORREF colour) {
        return [colour](CBlockObj& b, CTavixView& v, CDC& dc) { b.Draw(&v, &dc, 1, colour); };
    };
    auto simulated = [](CBlockObj& b, CTavixView& v, CDC& dc) {
        b.m_nPinValue[0] = 1;
        b.m_nPinValue[1] = 0;
        b.Draw(&v, &dc, 1, kRed);
    };
    auto selected = [](int q) {
        return [q](CBlockObj& b, CTavixView& v, CDC& dc) {
            b.m_nPinValue[10] = q;
            b.DrawSelected(&v, &dc);
        };
    };
    const int yOut = kY0 + kH / 2;
    const Case cases[] = {
        {"editing: input stub black", 300, 2, 0, plain(0), {kX0 - 3, PinY(0, 2)}, kBlack},
        {"editing: outline black", 300, 2, 0, plain(0), {kX0, kY0 + 5}, kBlack},
        {"editing: body filled", 300, 2, 0, plain(0), {kX0 + 3, kY0 + 3}, kFill},
        {"simulation: input at 1 red", 300, 2, 100, simulated, {kX0 - 3, PinY(0, 2)}, kRed},
        {"simulation: input at 0 blue", 300, 2, 100, simulated, {kX0 - 3, PinY(1, 2)}, kBlue},
        {"simulation: outline in the output's colour", 300, 2, 100, simulated, {kX0, kY0 + 5}, kRed},
        {"simulation: output stub in the output's colour", 300, 2, 100, simulated, {kX0 + kW + 3, yOut}, kRed},
        {"analog input: outline stays black", 608, 0, 100, plain(kRed), {kX0, kY0 + 5}, kBlack},
        {"analog output: outline stays black", 609, 1, 100, plain(kBlue), {kX0, kY0 + 5}, kBlack},
        {"ladder coil: no border while editing", 703, 1, 0, plain(0), {kX0, kY0 + 5}, kFill},
        {"ladder coil: border while simulating", 703, 1, 100, plain(kRed), {kX0, kY0 + 5}, kRed},
        {"selected: handle red at a corner", 300, 2, 0, selected(0), {kX0 + kW + 2, kY0 + kH + 2}, kRed},
        {"selected while simulating, Q at 1: red", 300, 2, 100, selected(1), {kX0 + kW, kY0 + kH / 2}, kRed},
        {"selected while simulating, Q at 0: blue", 300, 2, 100, selected(0), {kX0 + kW, kY0 + kH / 2}, kBlue},
    };
    for (const Case& c : cases) {
        Diagram d;
        d.view.m_nEditMode = c.editMode;
        auto b = Make(c.type, c.inputs);
        Picture pic;
        c.draw(*b, d.view, pic.dc);
        EXPECT_EQ(pic.dc.GetPixel(c.at), c.expected) << c.what;
    }
}

// The output state text below and right of the output stub: "ON" in red for a 1, "OFF" in black
// otherwise; a flag shows none.
TEST(PaintRules, OutputStateTexts)
{
    const CRect below(kX0 + kW + 1, kY0 + kH / 2 + 5, kX0 + kW + 40, kY0 + kH / 2 + 22);
    const struct { int type; int q; int red; int black; } cases[] = {
        {300, 1, 1, 0}, {300, 0, 0, 1}, {607, 1, 0, 0},
    };
    for (const auto& c : cases) {
        Diagram d;
        auto b = Make(c.type, c.type == 607 ? 1 : 2);
        b->m_nPinValue[10] = c.q;
        Picture pic;
        b->DrawOutputState(&d.view, &pic.dc);
        auto reddish = [](COLORREF p) { return GetRValue(p) > 0xC0 && GetGValue(p) < 0x60 && GetBValue(p) < 0x60; };
        auto dark = [](COLORREF p) { return GetRValue(p) < 0x40 && GetGValue(p) < 0x40 && GetBValue(p) < 0x40; };
        EXPECT_EQ(pic.Count(below, reddish) > 0, c.red > 0) << c.type << " Q " << c.q;
        EXPECT_EQ(pic.Count(below, dark) > 0, c.black > 0) << c.type << " Q " << c.q;
    }
}
