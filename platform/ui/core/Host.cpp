// The host in use and the minimal one used before a real host is installed.
#include "platform/ui/core/Host.h"

#include "platform/ui/core/detail/WndData.h"

#include <atomic>
#include <chrono>

bool CUiHost::Screenshot(HWND top, const std::string& pngPath)
{
    ui::Wnd* w = ui::Find(top);
    return w && w->surface && w->surface->WritePng(pngPath);
}

namespace {

// No display: windows exist only in memory, time is the monotonic clock, questions are answered
// with the default button.
class MinimalHost : public CUiHost {
public:
    const char* Name() const override { return "minimal"; }
    DWORD NowMs() override
    {
        using namespace std::chrono;
        return DWORD(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void WaitForEvents(int timeoutMs) override { ui::WaitOnQueue(timeoutMs); }
    void Wake() override {}
    int MessageBox(HWND, LPCWSTR, LPCWSTR, UINT type) override
    {
        switch (type & MB_TYPEMASK) {
        case MB_YESNO:
        case MB_YESNOCANCEL: return (type & MB_DEFMASK) == MB_DEFBUTTON2 ? IDNO : IDYES;
        case MB_OKCANCEL: return (type & MB_DEFMASK) == MB_DEFBUTTON2 ? IDCANCEL : IDOK;
        case MB_RETRYCANCEL: return (type & MB_DEFMASK) == MB_DEFBUTTON2 ? IDCANCEL : IDRETRY;
        case MB_ABORTRETRYIGNORE: return IDABORT;
        default: return IDOK;
        }
    }
};

MinimalHost g_minimal;
std::atomic<CUiHost*> g_host{nullptr};

}  // namespace

CUiHost* AfxGetHost()
{
    CUiHost* h = g_host.load();
    return h ? h : &g_minimal;
}

CUiHost* AfxSetHost(CUiHost* host)
{
    CUiHost* old = g_host.exchange(host);
    return old ? old : &g_minimal;
}
