// Fonts and text: face substitution, metrics, extents, alignment, DrawText formats.
#include "gdi_support.h"

#include "platform/gdi/detail/FontEngine.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

using namespace gditest;

namespace {

LOGFONTW Font(const wchar_t* face, int height, int width = 0, int weight = 0, BYTE pitch = 0)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfWeight = weight;
    lf.lfPitchAndFamily = pitch;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

TEST(GdiFonts, FaceNamesMapToInstalledFonts)
{
    struct Case {
        const wchar_t* face;
        BYTE pitch;
        const wchar_t* sample;
        const char* family;
    } cases[] = {
        {L"Arial", 0, L"A", "Liberation Sans"},
        {L"MS Sans Serif", 0, L"A", "Liberation Sans"},
        {L"", 0, L"A", "Liberation Sans"},
        {L"Courier New", 0, L"A", "Liberation Mono"},
        {L"Arial", FIXED_PITCH, L"A", "Liberation Mono"},
        {L"Times New Roman", 0, L"A", "Liberation Serif"},
        {L"\u5B8B\u4F53", 0, L"\u4E2D", "WenQuanYi Zen Hei"},  // SimSun written in Chinese
        {L"SimSun", 0, L"\u4E2D", "WenQuanYi Zen Hei"},
        {L"Microsoft YaHei", 0, L"\u4E2D", "WenQuanYi Zen Hei"},
        {L"Arial", 0, L"\u4E2D\u6587", "WenQuanYi Zen Hei"},  // Chinese text in a Latin face
    };
    for (const Case& c : cases) {
        LOGFONTW lf = Font(c.face, -12, 0, 0, c.pitch);
        EXPECT_EQ(gdi::ResolvedFamily(lf, c.sample), c.family) << c.family;
    }
}

TEST(GdiFonts, MetricsFollowCellAndCharacterHeights)
{
    CDC dc;
    MakeCanvas(dc, 4, 4);
    CFont charHeight, cellHeight;
    LOGFONTW lf = Font(L"Arial", -12);
    charHeight.CreateFontIndirect(&lf);
    cellHeight.CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, L"Arial");
    TEXTMETRIC tm;
    dc.SelectObject(&charHeight);
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    // Liberation Sans: ascent 0.905 em, descent 0.212 em
    EXPECT_NEAR(tm.tmAscent, 11, 1);
    EXPECT_NEAR(tm.tmHeight, 14, 1);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_NEAR(tm.tmInternalLeading, tm.tmHeight - 12, 1);
    EXPECT_NEAR(tm.tmAveCharWidth, 5, 1);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
    dc.SelectObject(&cellHeight);
    dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmHeight, 12);  // a positive height is the whole cell
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(dc.GetTextExtent(L"Comment", 7).cy, 12);
    dc.SelectStockObject(SYSTEM_FONT);
}

TEST(GdiFonts, WidthRequestStretchesToTheAverageCharacterWidth)
{
    CDC dc;
    MakeCanvas(dc, 4, 4);
    // the element label font: 12 x 6, fixed pitch -> every character advances 6 units
    CFont fixed;
    fixed.CreateFont(12, 6, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, FIXED_PITCH, L"Arial");
    dc.SelectObject(&fixed);
    EXPECT_EQ(dc.GetTextExtent(L"ABCDEFGH", 8), CSize(48, 12));
    EXPECT_EQ(dc.GetTextExtent(L"i", 1), CSize(6, 12));
    int widths[3];
    dc.GetCharWidth(L'a', L'c', widths);
    EXPECT_EQ(widths[0], 6);
    EXPECT_EQ(widths[2], 6);

    CFont narrow, wide;
    narrow.CreateFont(12, 5, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, L"Arial");
    wide.CreateFont(12, 10, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, L"Arial");
    TEXTMETRIC tm;
    dc.SelectObject(&narrow);
    dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmAveCharWidth, 5);
    int narrowWidth = dc.GetTextExtent(L"Timer", 5).cx;
    dc.SelectObject(&wide);
    int wideWidth = dc.GetTextExtent(L"Timer", 5).cx;
    EXPECT_NEAR(wideWidth, 2 * narrowWidth, 2);
    dc.SelectStockObject(SYSTEM_FONT);
}

TEST(GdiFonts, FontsCreatedPerPaintAreNotMixedUp)
{
    // painters create, select and delete their fonts on every paint; a new font may take the
    // memory of the one just deleted and must still be measured as itself
    CDC dc;
    MakeCanvas(dc, 4, 4);
    for (int round = 0; round < 6; ++round) {
        int height = round % 2 ? 30 : 10;
        CFont f;
        f.CreateFont(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
        CFont* old = dc.SelectObject(&f);
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        EXPECT_EQ(tm.tmHeight, height) << round;
        dc.SelectObject(old);
    }
}

TEST(GdiFonts, TextWidthIsTheSumOfCharacterWidths)
{
    // no kerning or ligatures: per-character layouts add up to the string's extent
    CDC dc;
    MakeCanvas(dc, 4, 4);
    CFont big;
    big.CreateFont(-100, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    dc.SelectObject(&big);
    for (const wchar_t* pair : {L"AV", L"To", L"fi"}) {
        int w[2];
        dc.GetCharWidth(pair[0], pair[0], &w[0]);
        dc.GetCharWidth(pair[1], pair[1], &w[1]);
        EXPECT_NEAR(dc.GetTextExtent(pair, 2).cx, w[0] + w[1], 1) << CString(pair).GetString()[0];
    }
    dc.SelectStockObject(SYSTEM_FONT);
}

TEST(GdiFonts, ExtentsScaleWithTheMapping)
{
    CDC dc;
    MakeCanvas(dc, 4, 4);
    CFont f;
    f.CreateFont(12, 6, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, FIXED_PITCH, L"Arial");
    dc.SelectObject(&f);
    CSize plain = dc.GetTextExtent(L"Comment", 7);
    for (int zoom : {25, 150, 400}) {
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(100, 100);
        dc.SetViewportExt(zoom, zoom);
        CSize z = dc.GetTextExtent(L"Comment", 7);
        EXPECT_NEAR(z.cx, plain.cx, 2) << zoom;
        EXPECT_NEAR(z.cy, plain.cy, 2) << zoom;
        dc.SetMapMode(MM_TEXT);
    }
    dc.SelectStockObject(SYSTEM_FONT);
}

class GdiTextOut : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeCanvas(dc, 120, 60);
        font.CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
        dc.SelectObject(&font);
        dc.GetTextMetrics(&tm);
    }
    void TearDown() override { dc.SelectStockObject(SYSTEM_FONT); }
    void Clear() { dc.FillSolidRect(0, 0, 120, 60, kWhite); }
    CDC dc;
    CFont font;
    TEXTMETRIC tm{};
};

TEST_F(GdiTextOut, ReferencePointFollowsTextAlign)
{
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(10, 20, L"EEE", 3);
    CRect top = InkBox(dc, 120, 60);
    EXPECT_GE(top.top, 20);
    EXPECT_LE(top.bottom, 20 + tm.tmAscent + 1);
    EXPECT_GE(top.bottom, 20 + tm.tmAscent - 1);  // capitals sit on the baseline
    EXPECT_NEAR(top.left, 11, 1);

    Clear();
    dc.SetTextAlign(TA_BASELINE | TA_RIGHT);
    dc.TextOut(100, 40, L"EEE", 3);
    CRect base = InkBox(dc, 120, 60);
    EXPECT_NEAR(base.bottom, 40, 1);
    EXPECT_NEAR(base.right, 100, 2);
    EXPECT_EQ(base.Size(), top.Size());

    Clear();
    dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    dc.TextOut(60, 50, L"EEE", 3);
    CRect centre = InkBox(dc, 120, 60);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 60, 1.5);
    EXPECT_NEAR(centre.bottom, 50 - tm.tmDescent, 1);
}

TEST_F(GdiTextOut, StylesChangeTheInk)
{
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(5, 5, L"Hello", 5);
    std::vector<COLORREF> plain = Snapshot(dc, 120, 60);
    CRect plainBox = InkBox(dc, 120, 60);
    int plainInk = CountPixels(dc, CRect(0, 0, 120, 60), kBlack);
    struct Case {
        const char* name;
        int weight;
        BYTE italic, underline, strike;
    } cases[] = {{"bold", FW_BOLD, 0, 0, 0}, {"italic", 0, 1, 0, 0}, {"underline", 0, 0, 1, 0}, {"strike", 0, 0, 0, 1}};
    for (const Case& c : cases) {
        CFont styled;
        styled.CreateFont(-16, 0, 0, 0, c.weight, c.italic, c.underline, c.strike, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
        dc.SelectObject(&styled);
        Clear();
        dc.TextOut(5, 5, L"Hello", 5);
        EXPECT_NE(Snapshot(dc, 120, 60), plain) << c.name;
        CRect box = InkBox(dc, 120, 60);
        if (c.underline) {
            EXPECT_GT(box.bottom, plainBox.bottom) << c.name;
        }
        if (c.weight == FW_BOLD) {
            EXPECT_GT(CountPixels(dc, CRect(0, 0, 120, 60), kBlack), plainInk) << c.name;
        }
        dc.SelectObject(&font);
    }
}

TEST_F(GdiTextOut, UpdateCpAdvancesTheCurrentPosition)
{
    dc.SetTextAlign(TA_UPDATECP);
    dc.MoveTo(10, 10);
    dc.TextOut(0, 0, L"ab", 2);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(10 + dc.GetTextExtent(L"ab", 2).cx, 10));
    EXPECT_GE(InkBox(dc, 120, 60).left, 10);
}

TEST_F(GdiTextOut, OpaqueBackgroundFillsTheTextCell)
{
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(0, 0, 255));
    dc.TextOut(5, 5, L"Ab", 2);
    CSize ext = dc.GetTextExtent(L"Ab", 2);
    int blue = CountPixels(dc, CRect(0, 0, 120, 60), RGB(0, 0, 255));
    EXPECT_GT(blue, ext.cx * ext.cy / 2);
    EXPECT_LE(blue, ext.cx * ext.cy);
    EXPECT_EQ(InkBox(dc, 120, 60), CRect(5, 5, 5 + ext.cx, 5 + ext.cy));
}

TEST_F(GdiTextOut, ControlCharactersAreNotDrawn)
{
    dc.TextOut(5, 5, L"On\n", 3);
    std::vector<COLORREF> withNewline = Snapshot(dc, 120, 60);
    EXPECT_EQ(dc.GetTextExtent(L"On\n", 3), dc.GetTextExtent(L"On", 2));
    Clear();
    dc.TextOut(5, 5, CString(L"On"));
    EXPECT_EQ(Snapshot(dc, 120, 60), withNewline);
}

TEST_F(GdiTextOut, TextColourIsUsed)
{
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.TextOut(5, 5, L"Hello", 5);
    EXPECT_GT(CountPixels(dc, CRect(0, 0, 120, 60), RGB(255, 0, 0)), 10);
    EXPECT_EQ(CountPixels(dc, CRect(0, 0, 120, 60), kBlack), 0);
}

TEST_F(GdiTextOut, VerticalTextRunsUpwards)
{
    CFont vertical;
    vertical.CreateFont(-16, 0, 900, 900, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    dc.SelectObject(&vertical);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(20, 55, L"Caption", 7);
    CRect box = InkBox(dc, 120, 60);
    EXPECT_GT(box.Height(), 2 * box.Width());
    EXPECT_LE(box.bottom, 56);
    EXPECT_GE(box.left, 19);  // the cell lies to the right of the reference point
    dc.SelectObject(&font);
}

TEST_F(GdiTextOut, ExtTextOutOpaqueAndClipped)
{
    dc.SetBkColor(RGB(0, 255, 0));
    CRect r(10, 10, 30, 20);
    dc.ExtTextOut(12, 8, ETO_OPAQUE | ETO_CLIPPED, &r, L"WWWWWW", 6, nullptr);
    EXPECT_EQ(InkBox(dc, 120, 60), r);
    EXPECT_GT(CountPixels(dc, r, RGB(0, 255, 0)), 0);
    // an empty string with ETO_OPAQUE just fills
    dc.SetBkColor(RGB(9, 9, 9));
    CRect f(50, 50, 54, 53);
    dc.ExtTextOut(0, 0, ETO_OPAQUE, &f, L"", 0, nullptr);
    EXPECT_EQ(CountPixels(dc, f, RGB(9, 9, 9)), 12);
}

TEST_F(GdiTextOut, DrawTextCentresASingleLine)
{
    CRect r(0, 0, 120, 60);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(L"Mid", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    CRect ink = InkBox(dc, 120, 60);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 60, 2);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 30, 4);

    Clear();
    dc.DrawText(L"Right", -1, &r, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    ink = InkBox(dc, 120, 60);
    EXPECT_NEAR(ink.right, 120, 2);
    EXPECT_GE(ink.bottom, 60 - tm.tmDescent - 1);
}

TEST_F(GdiTextOut, DrawTextMeasuresWrappedLines)
{
    CRect r(0, 0, 60, 0);
    int h = dc.DrawText(L"one two three four five", -1, &r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(h % tm.tmHeight, 0);
    EXPECT_GE(h / tm.tmHeight, 2);
    EXPECT_EQ(r.bottom, h);
    EXPECT_LE(r.right, 60);
    EXPECT_GT(r.right, 20);
    EXPECT_EQ(InkBox(dc, 120, 60), CRect());  // measuring draws nothing

    CRect lines(0, 0, 200, 0);
    EXPECT_EQ(dc.DrawText(L"a\r\nb\nc", -1, &lines, DT_CALCRECT), 3 * tm.tmHeight);
    CRect single(0, 0, 200, 0);
    EXPECT_EQ(dc.DrawText(L"a\r\nb\nc", -1, &single, DT_CALCRECT | DT_SINGLELINE), tm.tmHeight);
    // Chinese text breaks between characters
    CRect cjk(0, 0, 50, 0);
    int cjkHeight = dc.DrawText(L"\u4E2D\u6587\u6D4B\u8BD5\u4E2D\u6587\u6D4B\u8BD5", -1, &cjk, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GE(cjkHeight / tm.tmHeight, 2);
    EXPECT_LE(cjk.right, 50);
    // tabs expand to multiples of eight average character widths
    CRect tabs(0, 0, 400, 0), plain(0, 0, 400, 0);
    dc.DrawText(L"a\tb", -1, &tabs, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    dc.DrawText(L"b", -1, &plain, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(tabs.right, 8 * tm.tmAveCharWidth + plain.right);
    // a word longer than the line keeps a line of its own
    CRect narrow(0, 0, 10, 0);
    EXPECT_EQ(dc.DrawText(L"Extraordinary", -1, &narrow, DT_WORDBREAK | DT_CALCRECT), tm.tmHeight);
}

TEST_F(GdiTextOut, DrawTextPrefixesAndEllipsis)
{
    CRect a(0, 0, 200, 0), b(0, 0, 200, 0);
    dc.DrawText(L"&File", -1, &a, DT_CALCRECT | DT_SINGLELINE);
    dc.DrawText(L"File", -1, &b, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(a, b);
    CRect c(0, 0, 200, 0);
    dc.DrawText(L"&File", -1, &c, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(c.right, b.right);

    // the mnemonic underline adds ink below the baseline
    CRect box(0, 0, 120, 30);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(L"File", -1, &box, DT_SINGLELINE);
    CRect plain = InkBox(dc, 120, 60);
    Clear();
    dc.DrawText(L"&File", -1, &box, DT_SINGLELINE);
    EXPECT_GT(InkBox(dc, 120, 60).bottom, plain.bottom);

    Clear();
    CRect small(0, 0, 40, 20);
    dc.DrawText(L"A very long caption text", -1, &small, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(InkBox(dc, 120, 60).right, 40);
    EXPECT_GT(InkBox(dc, 120, 60).right, 20);  // as much of the text as fits

    // a path keeps its file name
    Clear();
    CRect path(0, 0, 110, 20);
    dc.DrawText(L"C:\\Programs\\Projects\\Plant\\x.yfb", -1, &path, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOCLIP);
    CRect tailOnly(0, 0, 200, 0);
    dc.DrawText(L"...\\x.yfb", -1, &tailOnly, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_LE(InkBox(dc, 120, 60).right, 110);
    EXPECT_GT(InkBox(dc, 120, 60).right, tailOnly.right);
}

TEST_F(GdiTextOut, DrawTextExKeepsToItsMarginsAndHandlesAgree)
{
    CRect r(0, 0, 120, 60);
    DRAWTEXTPARAMS params{sizeof(DRAWTEXTPARAMS), 0, 30, 10, 0};
    dc.SetBkMode(TRANSPARENT);
    dc.DrawTextEx(CString(L"Label"), &r, DT_SINGLELINE | DT_RIGHT, &params);
    EXPECT_EQ(params.uiLengthDrawn, 5u);
    CRect ink = InkBox(dc, 120, 60);
    EXPECT_NEAR(ink.right, 110, 2);
    // the Win32 functions on the handle answer as the members do
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32W(dc.GetSafeHdc(), L"Label", 5, &size));
    EXPECT_EQ(CSize(size), dc.GetTextExtent(L"Label", 5));
    TEXTMETRIC viaHandle{};
    ASSERT_TRUE(GetTextMetricsW(dc.GetSafeHdc(), &viaHandle));
    EXPECT_EQ(viaHandle.tmHeight, tm.tmHeight);
    EXPECT_EQ(GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT), font.m_hObject);
}

int CountFace(const LOGFONTW* lf, const TEXTMETRICW* tm, DWORD type, LPARAM param)
{
    auto* seen = reinterpret_cast<std::vector<std::wstring>*>(param);
    seen->push_back(lf->lfFaceName);
    EXPECT_EQ(type, TRUETYPE_FONTTYPE);
    EXPECT_GT(tm->tmHeight, 0);
    return seen->size() < 3 ? 1 : 0;  // stop after three
}

TEST(GdiFonts, FamilyEnumeration)
{
    CDC screen;
    screen.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr);
    std::vector<std::wstring> seen;
    LOGFONTW lf = Font(L"tahoma", 0);
    lf.lfCharSet = DEFAULT_CHARSET;
    EXPECT_EQ(EnumFontFamiliesEx(screen, &lf, &CountFace, LPARAM(&seen), 0), 1);
    EXPECT_EQ(seen, std::vector<std::wstring>{L"Tahoma"});
    seen.clear();
    lf = Font(L"No Such Face", 0);
    EXPECT_EQ(EnumFontFamiliesEx(screen, &lf, &CountFace, LPARAM(&seen), 0), 1);
    EXPECT_TRUE(seen.empty());
    lf = Font(L"", 0);
    EXPECT_EQ(EnumFontFamiliesEx(screen, &lf, &CountFace, LPARAM(&seen), 0), 0);
    EXPECT_EQ(seen.size(), 3u);
}

TEST(GdiFonts, StockFontsAndFaceQueries)
{
    CDC dc;
    MakeCanvas(dc, 4, 4);
    CFont* gui = static_cast<CFont*>(dc.SelectStockObject(DEFAULT_GUI_FONT));
    EXPECT_NE(gui, nullptr);  // the previous font: SYSTEM_FONT
    CString face;
    dc.GetTextFace(face);
    EXPECT_EQ(face, CString(L"MS Shell Dlg"));
    LOGFONTW lf{};
    EXPECT_EQ(dc.GetCurrentFont()->GetLogFont(&lf), int(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -11);

    CFont point;
    ASSERT_TRUE(point.CreatePointFont(90, L"Arial", &dc));
    point.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -12);  // 9 pt at 96 dpi
}

}  // namespace

// A text drawn again goes through its cached coverage mask; the pixels must be the very ones
// the first drawing gave, on a busy background, through a clip, at several scales and in
// Chinese. Each case uses a font height of its own so that its texts are new to the cache.
TEST(GdiFonts, RepeatedTextDrawsTheSamePixels)
{
    struct Case {
        const wchar_t* face;
        int height, width, weight;
        BYTE pitch;
        int zoom;  // viewport extent per 100 window units
        const wchar_t* text;
        COLORREF colour;
        bool masked;  // the repeat must take the cached mask
    } cases[] = {
        {L"Arial", 13, 6, 400, FIXED_PITCH, 100, L"T=00:10s Rem=off", RGB(0x40, 0x80, 0x40), true},
        {L"Arial", 17, 6, 400, FIXED_PITCH, 25, L"B017 On=12 Off=3", RGB(0, 0, 0), false},
        {L"Arial", 19, 0, 700, 0, 200, L"Wiping relay QW", RGB(255, 0, 0), true},
        {L"SimSun", 21, 0, 400, 0, 100, L"\u5B9A\u65F6\u5668 T1", RGB(0, 0, 255), false},
    };
    constexpr int kW = 240, kH = 90, kStriped = 120;
    for (const Case& c : cases) {
        CFont font;
        font.CreateFont(c.height, c.width, 0, 0, c.weight, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, c.pitch,
                        c.face);
        auto draw = [&](CDC& dc) {
            MakeCanvas(dc, kW, kH);
            for (int x = 0; x < kStriped; x += 3)  // stripes under the text: every blend shows
                dc.FillSolidRect(x, 0, 1, kH, RGB(x % 256, 180, 255 - x % 256));
            dc.IntersectClipRect(0, 0, kW - 37, kH);
            dc.SetMapMode(MM_ANISOTROPIC);
            dc.SetWindowExt(100, 100);
            dc.SetViewportExt(c.zoom, c.zoom);
            CFont* old = dc.SelectObject(&font);
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(c.colour);
            dc.TextOut(7 * 100 / c.zoom, 11 * 100 / c.zoom, c.text);
            // Another text on the plain part, cut by the clip.
            dc.TextOut((kStriped + 10) * 100 / c.zoom, 40 * 100 / c.zoom, (std::wstring(c.text) + L" 42").c_str());
            dc.SelectObject(old);
        };
        CDC first, again;
        draw(first);
        draw(again);
        int differing = 0, ink = 0, plainInk = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                differing += first.GetPixel(x, y) != again.GetPixel(x, y);
                (x < kStriped ? ink : plainInk) += x % 3 != 0 && first.GetPixel(x, y) != kWhite;
            }
        EXPECT_EQ(differing, 0) << c.height;
        EXPECT_GT(ink, 10) << c.height;
        EXPECT_GT(plainInk, 10) << c.height;
        if (c.masked) {
            LOGFONTW lf{};
            font.GetLogFont(&lf);
            const double scale = c.zoom / 100.0;
            EXPECT_NE(gdi::RealizeFont(lf, scale, scale).Mask(c.text), nullptr) << c.height;
        }
    }
}
