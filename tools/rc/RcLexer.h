// Lexing of resource-script text: identifiers, numbers, string literals (UTF-8 source, with the
// "" and backslash escapes of resource scripts) and punctuators.
#pragma once

#include "tools/rc/RcToken.h"

#include <cstddef>
#include <string>

namespace rc {

// Reads one token from text at pos (which must point at a non-blank character) and advances pos.
// Throws RcError naming file and line for bad input.
RcToken LexToken(const std::string& text, std::size_t& pos, const std::shared_ptr<const std::string>& file,
                 int line);

// Decodes UTF-8 into wide characters; throws RcError on malformed sequences.
std::wstring DecodeUtf8(const std::string& bytes, const std::string& file, int line);

} // namespace rc
