// The window-style, control-style, virtual-key, dialog-result, language and menu constants that
// resource scripts use by name, with their Win32 values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace rc {

std::optional<std::int64_t> BuiltinConstant(const std::string& name);

} // namespace rc
