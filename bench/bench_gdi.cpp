// One full paint of a diagram-sized client: background, 300 filled boxes with 8-character
// labels and 600 orthogonal wires drawn into a memory DC, then copied to the window surface.
#include "platform/gdi/DC.h"
#include "platform/gdi/detail/DcImpl.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void BM_FullPaint(benchmark::State& state)
{
    auto windowSurface = gdi::Surface::Create(kWidth, kHeight);
    CDC window;
    window.Attach(gdi::CreateWindowDC(windowSurface, POINT{0, 0}, nullptr));
    CDC mem;
    mem.CreateCompatibleDC(&window);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&window, kWidth, kHeight);
    CBitmap* oldBmp = mem.SelectObject(&bmp);

    CBrush body(RGB(255, 222, 140));
    CPen wire(PS_SOLID, 1, RGB(0, 0, 0));
    CFont label;
    label.CreateFont(12, 6, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, FIXED_PITCH, L"Arial");
    wchar_t texts[300][9];
    for (int i = 0; i < 300; ++i)
        std::swprintf(texts[i], 9, L"B%03d AND", i);

    for (auto _ : state) {
        mem.FillSolidRect(0, 0, kWidth, kHeight, RGB(180, 180, 180));
        CBrush* oldBrush = mem.SelectObject(&body);
        CPen* oldPen = mem.SelectObject(&wire);
        CFont* oldFont = mem.SelectObject(&label);
        mem.SetBkMode(TRANSPARENT);
        for (int i = 0; i < 300; ++i) {
            int x = 20 + (i % 20) * 94, y = 30 + (i / 20) * 70;
            mem.Rectangle(x, y, x + 60, y + 40);
            mem.TextOut(x + 6, y - 16, texts[i], 8);
        }
        for (int i = 0; i < 600; ++i) {
            int x = 80 + (i % 20) * 94, y = 40 + (i / 40) * 70 + (i % 2) * 10;
            mem.MoveTo(x, y);
            mem.LineTo(x + 34, y);
            mem.LineTo(x + 34, y + 20);
        }
        mem.SelectObject(oldFont);
        mem.SelectObject(oldPen);
        mem.SelectObject(oldBrush);
        window.BitBlt(0, 0, kWidth, kHeight, &mem, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(windowSurface->Row(0));
    }
    mem.SelectObject(oldBmp);
}

}  // namespace

BENCHMARK(BM_FullPaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
