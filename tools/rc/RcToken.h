// Tokens of a resource script after preprocessing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace rc {

struct RcToken {
    enum Kind { Ident, Number, String, Punct, End };
    Kind kind = End;
    std::string text;          // identifier, punctuator or the number as written
    std::wstring str;          // decoded value of a string literal
    std::uint32_t value = 0;   // value of a number
    std::shared_ptr<const std::string> file;
    int line = 0;

    bool is(Kind k, const char* t) const { return kind == k && text == t; }
    bool isPunct(const char* t) const { return is(Punct, t); }
    // Identifiers compare without regard to case, as keywords of resource scripts do.
    bool isKeyword(const char* word) const;
    std::string fileName() const { return file ? *file : std::string("<input>"); }
};

} // namespace rc
