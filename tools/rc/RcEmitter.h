// Writes compiled resources as a C++ source file that defines CompiledResources().
#pragma once

#include "resources/ResourceTables.h"

#include <ostream>
#include <string>
#include <vector>

namespace rc {

// inputs name the scripts in the file's banner.
void EmitCpp(const ResourceSet& set, const std::vector<std::string>& inputs, std::ostream& out);

// A wide string literal (L"...") for text, safe for any character.
std::string WideLiteral(const std::wstring& text);

} // namespace rc
