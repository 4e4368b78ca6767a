// Writes compiled resources as a C++ source file that defines a function returning them.
#pragma once

#include "resources/ResourceTables.h"

#include <ostream>
#include <string>
#include <vector>

namespace rc {

// inputs name the scripts in the file's banner; function is the name of the function that
// returns the set (CompiledResources for the program's own resources).
void EmitCpp(const ResourceSet& set, const std::vector<std::string>& inputs, std::ostream& out,
             const std::string& function = "CompiledResources");

// A wide string literal (L"...") for text, safe for any character.
std::string WideLiteral(const std::wstring& text);

} // namespace rc
