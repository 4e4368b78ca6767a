// The statement parser of resource scripts: LANGUAGE, STRINGTABLE, DIALOG/DIALOGEX with their
// controls, MENU/MENUEX, ACCELERATORS, TOOLBAR, and BITMAP/ICON/CURSOR file references. It
// fills the tables of resources/ResourceTables.h.
#pragma once

#include "resources/ResourceTables.h"
#include "tools/rc/RcToken.h"

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace rc {

struct ParseOptions {
    std::vector<std::string> includeDirs;   // searched for bitmap/icon/cursor files after the script's folder
    LANGID defaultLanguage = kLangIdEnglish; // until a LANGUAGE statement says otherwise
    std::set<std::string>* filesRead = nullptr; // when set, receives the paths of the files embedded
};

// Parses the preprocessed tokens of one script and appends its resources to set. A resource
// whose type, id and language are already in set is an error. Throws RcError.
void ParseScript(const std::vector<RcToken>& tokens, const ParseOptions& options, ResourceSet& set);

// Preprocesses and parses script text (for tests and small tools); includes and files are
// looked up next to baseDir.
ResourceSet CompileScriptText(const std::string& text, const std::string& name, const std::string& baseDir,
                              const ParseOptions& options = {});

} // namespace rc
