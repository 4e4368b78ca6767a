// The window layer's own costs: posting and dispatching messages (the simulated clock posts one
// every 25 ms), and repainting a dialog-sized window with 200 child controls after an
// invalidation of the whole window (headless host, the pixels drawn into the window's image).
#include "platform/host/HeadlessHost.h"
#include "platform/gdi/DC.h"
#include "platform/ui/core/WinUser.h"

#include <benchmark/benchmark.h>

namespace {

LRESULT CALLBACK_Paint(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m != WM_PAINT)
        return DefWindowProcW(h, m, w, l);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT r;
    GetClientRect(h, &r);
    CDC* cdc = CDC::FromHandle(dc);
    cdc->FillSolidRect(&r, RGB(230, 230, 230));
    cdc->TextOut(2, 2, CString(L"Label 12"));
    EndPaint(h, &ps);
    return 0;
}

void RegisterOnce()
{
    static bool done = false;
    if (done)
        return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = CALLBACK_Paint;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_BTNFACE + 1));
    wc.lpszClassName = L"BenchPainted";
    RegisterClassW(&wc);
    done = true;
}

void BM_PostAndDispatch(benchmark::State& state)
{
    CHeadlessDriver drv;
    RegisterOnce();
    HWND top = CreateWindowExW(0, L"BenchPainted", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            PostMessageW(top, WM_USER, WPARAM(i), 0);
        drv.Pump();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    DestroyWindow(top);
}
BENCHMARK(BM_PostAndDispatch);

void BM_RepaintDialogWith200Controls(benchmark::State& state)
{
    CHeadlessDriver drv;
    RegisterOnce();
    HWND top = CreateWindowExW(0, L"BenchPainted", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800, 600,
                               nullptr, nullptr, nullptr, nullptr);
    for (int i = 0; i < 200; ++i)
        CreateWindowExW(0, L"BenchPainted", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10 + (i % 10) * 78,
                        10 + (i / 10) * 29, 74, 25, top, reinterpret_cast<HMENU>(UINT_PTR(1000 + i)), nullptr, nullptr);
    drv.Pump();
    for (auto _ : state) {
        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        drv.Pump();
    }
    DestroyWindow(top);
}
BENCHMARK(BM_RepaintDialogWith200Controls)->Unit(benchmark::kMillisecond);

}  // namespace
