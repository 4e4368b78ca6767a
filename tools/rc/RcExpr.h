// Integer expressions of resource scripts and of #if lines: C operators with C precedence, plus
// the "NOT x" term that style lists use to take bits away from a control's default style.
#pragma once

#include "tools/rc/RcToken.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rc {

// Reads tokens one after another; past the end it yields an End token.
class TokenCursor {
public:
    TokenCursor(const std::vector<RcToken>& tokens, std::size_t pos = 0) : m_tokens(tokens), m_pos(pos) {}
    const RcToken& peek(std::size_t ahead = 0) const;
    const RcToken& next();
    bool atEnd() const { return peek().kind == RcToken::End; }
    std::size_t position() const { return m_pos; }
    // The token read last, or null before the first; errors at the end of input point at it.
    const RcToken* previous() const { return m_pos > 0 && m_pos <= m_tokens.size() ? &m_tokens[m_pos - 1] : nullptr; }

private:
    const std::vector<RcToken>& m_tokens;
    std::size_t m_pos;
    RcToken m_end;
};

// A style value: the bits to set and the bits that NOT terms take away.
struct StyleValue {
    std::uint32_t set = 0;
    std::uint32_t clear = 0;
    std::uint32_t apply(std::uint32_t defaults) const { return (defaults | set) & ~clear; }
};

// Resolves an identifier to its value, or nothing when it is unknown.
using SymbolLookup = std::function<std::optional<std::int64_t>(const std::string&)>;

// Parses one expression at the cursor. Identifiers go through lookup; an unknown one is an
// error. Errors throw RcError with the line of the offending token.
StyleValue ParseStyleExpression(TokenCursor& cursor, const SymbolLookup& lookup);
std::int64_t ParseExpression(TokenCursor& cursor, const SymbolLookup& lookup);

} // namespace rc
