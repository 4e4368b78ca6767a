// Text exchange of the edit controls' cut, copy and paste. By default a store inside the
// process; the program connects the system clipboard with CtlSetClipboardHandlers.
#pragma once

#include <functional>
#include <string>

using CtlClipboardGet = std::function<bool(std::wstring& text)>;
using CtlClipboardSet = std::function<bool(const std::wstring& text)>;

// Replaces the handlers (null functions restore the in-process store).
void CtlSetClipboardHandlers(CtlClipboardGet get, CtlClipboardSet set);

namespace ctl {
bool ClipboardGetText(std::wstring& text);
bool ClipboardSetText(const std::wstring& text);
}  // namespace ctl
