// Private messages between controls of this layer: a combo box and its drop-down list
// ("ComboLBox"), a list view and its header.
#pragma once

#include "platform/ui/core/WinUser.h"

namespace ctl {
// list -> combo: the user picked item wParam (mouse released on it)
constexpr UINT kComboListPicked = WM_USER + 0x7C0;
// list -> combo: the user clicked outside the list (the drop-down closes without a choice)
constexpr UINT kComboListCancel = WM_USER + 0x7C1;
// combo -> list: mouse tracking starts (the list takes the capture)
constexpr UINT kComboListTrack = WM_USER + 0x7C2;
// list view -> header: the horizontal scroll offset (wParam) of the columns
constexpr UINT kHeaderScroll = WM_USER + 0x7D0;
}  // namespace ctl
