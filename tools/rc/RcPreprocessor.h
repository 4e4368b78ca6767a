// The preprocessor of resource scripts: #include, object-like #define and #undef, the
// #if/#ifdef/#ifndef/#elif/#else/#endif family, #pragma (ignored) and #error. It turns a script
// into tokens with their file and line, with macros expanded. Included C headers (.h, .hh,
// .hpp, .c) contribute only their directives, as with the usual resource compilers, so the
// ids header can be shared with C++ code.
#pragma once

#include "tools/rc/RcToken.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace rc {

class RcPreprocessor {
public:
    explicit RcPreprocessor(std::vector<std::string> includeDirs = {}) : m_includeDirs(std::move(includeDirs)) {}

    // Preprocesses a script file; appends its tokens to the result of earlier calls.
    void processFile(const std::string& path);
    // Preprocesses script text; includes are searched next to baseDir, then in the include dirs.
    void processText(const std::string& text, const std::string& name, const std::string& baseDir);

    const std::vector<RcToken>& tokens() const { return m_tokens; }
    // Every file read, the scripts themselves included (for build dependencies).
    const std::set<std::string>& filesRead() const { return m_filesRead; }
    bool isDefined(const std::string& name) const { return m_macros.count(name) != 0; }

private:
    struct Macro {
        std::vector<RcToken> body;
        bool functionLike = false;
    };
    struct Conditional {
        bool parentActive;
        bool taken;       // some branch of this group has been active
        bool active;
        bool seenElse;
        int line;         // of the #if, for "#if without #endif"
    };

    void process(const std::string& text, const std::shared_ptr<const std::string>& file, const std::string& dir,
                 bool directivesOnly, int depth);
    void directive(const std::string& text, const std::shared_ptr<const std::string>& file, int line,
                   const std::string& dir, std::vector<Conditional>& conds, int depth);
    void expand(const RcToken& tok, std::vector<RcToken>& out, std::set<std::string>& busy) const;
    bool evalCondition(std::vector<RcToken> tokens, const std::string& file, int line) const;
    std::string findInclude(const std::string& name, const std::string& dir, bool quoted) const;

    std::vector<std::string> m_includeDirs;
    std::map<std::string, Macro> m_macros;
    std::vector<RcToken> m_tokens;
    std::set<std::string> m_filesRead;
};

// Reads a whole file, refusing files larger than maxBytes. Throws RcError(file, line) on failure.
std::string ReadWholeFile(const std::string& path, std::size_t maxBytes, const std::string& fromFile, int fromLine,
                          const char* what);

} // namespace rc
