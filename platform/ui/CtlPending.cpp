// Classes still to come are registered with the default procedure meanwhile.
#include "platform/ui/CtlCommon.h"

namespace ctl {
namespace {
void Plain(LPCWSTR name)
{
    WNDCLASSW wc{};
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}
}  // namespace
void RegisterTab() { Plain(WC_TABCONTROLW); }
void RegisterTreeView() { Plain(WC_TREEVIEWW); }
void RegisterListView() { Plain(WC_LISTVIEWW); }
void RegisterHeader() { Plain(WC_HEADERW); }
void RegisterDateTime() { Plain(DATETIMEPICK_CLASSW); }
void RegisterMonthCal() { Plain(MONTHCAL_CLASSW); }
void RegisterIpAddress() { Plain(WC_IPADDRESSW); }
void RegisterToolTip() { Plain(TOOLTIPS_CLASSW); }
}  // namespace ctl
