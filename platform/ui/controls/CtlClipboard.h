// Text exchange of the edit controls' cut, copy and paste: the window layer's clipboard
// (CF_UNICODETEXT, or a text format made from another one), unless a program installs its own
// handlers with CtlSetClipboardHandlers.
#pragma once

#include <functional>
#include <string>

using CtlClipboardGet = std::function<bool(std::wstring& text)>;
using CtlClipboardSet = std::function<bool(const std::wstring& text)>;

// Replaces the handlers (null functions restore the window layer's clipboard).
void CtlSetClipboardHandlers(CtlClipboardGet get, CtlClipboardSet set);

namespace ctl {
bool ClipboardGetText(std::wstring& text);
bool ClipboardSetText(const std::wstring& text);
}  // namespace ctl
