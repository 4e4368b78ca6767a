#include "tools/rc/RcExpr.h"

#include "tools/rc/RcError.h"

namespace rc {

const RcToken& TokenCursor::peek(std::size_t ahead) const
{
    return m_pos + ahead < m_tokens.size() ? m_tokens[m_pos + ahead] : m_end;
}

const RcToken& TokenCursor::next()
{
    const RcToken& tok = peek();
    if (m_pos < m_tokens.size()) ++m_pos;
    return tok;
}

namespace {

// Values are 64-bit while computing; a value carrying NOT terms may only meet '|'.
struct Value {
    std::int64_t v = 0;
    std::uint32_t clear = 0;
    bool hasNot = false;
};

class ExprParser {
public:
    ExprParser(TokenCursor& cursor, const SymbolLookup& lookup) : m_cur(cursor), m_lookup(lookup) {}

    Value parse() { return logicalOr(); }

private:
    [[noreturn]] void fail(const RcToken& tok, const std::string& message)
    {
        int line = tok.line;
        std::string file = tok.fileName();
        if (tok.kind == RcToken::End && m_cur.previous()) {
            line = m_cur.previous()->line;
            file = m_cur.previous()->fileName();
        }
        throw RcError(file, line, message);
    }

    const RcToken& take() { return m_cur.next(); }

    Value plain(const RcToken& at, Value value)
    {
        if (value.hasNot) fail(at, "NOT may only be combined with '|'");
        return value;
    }

    Value logicalOr()
    {
        Value left = logicalAnd();
        while (m_cur.peek().isPunct("||")) {
            const RcToken& op = take();
            Value right = logicalAnd();
            left = Value{(plain(op, left).v != 0 || plain(op, right).v != 0) ? 1 : 0};
        }
        return left;
    }

    Value logicalAnd()
    {
        Value left = bitOr();
        while (m_cur.peek().isPunct("&&")) {
            const RcToken& op = take();
            Value right = bitOr();
            left = Value{(plain(op, left).v != 0 && plain(op, right).v != 0) ? 1 : 0};
        }
        return left;
    }

    Value bitOr()
    {
        Value left = bitXor();
        while (m_cur.peek().isPunct("|")) {
            take();
            Value right = bitXor();
            // A NOT term removes its bits from what the list has set so far and from the defaults.
            left.v = (left.v & ~static_cast<std::int64_t>(right.clear)) | right.v;
            left.clear = (left.clear & ~static_cast<std::uint32_t>(right.v)) | right.clear;
            left.hasNot = left.hasNot || right.hasNot;
        }
        return left;
    }

    template <typename Next, typename Apply>
    Value binary(const char* const* ops, Next next, Apply apply)
    {
        Value left = (this->*next)();
        for (;;) {
            const RcToken& peeked = m_cur.peek();
            const char* matched = nullptr;
            for (const char* const* op = ops; *op; ++op)
                if (peeked.isPunct(*op)) matched = *op;
            if (!matched) return left;
            const RcToken& opTok = take();
            Value right = (this->*next)();
            left = Value{apply(opTok, matched, plain(opTok, left).v, plain(opTok, right).v)};
        }
    }

    Value bitXor()
    {
        static const char* const ops[] = {"^", nullptr};
        return binary(ops, &ExprParser::bitAnd, [](const RcToken&, const std::string&, std::int64_t a, std::int64_t b) { return a ^ b; });
    }

    Value bitAnd()
    {
        static const char* const ops[] = {"&", nullptr};
        return binary(ops, &ExprParser::equality, [](const RcToken&, const std::string&, std::int64_t a, std::int64_t b) { return a & b; });
    }

    Value equality()
    {
        static const char* const ops[] = {"==", "!=", nullptr};
        return binary(ops, &ExprParser::relational, [](const RcToken&, const std::string& op, std::int64_t a, std::int64_t b) -> std::int64_t {
            return op == "==" ? a == b : a != b;
        });
    }

    Value relational()
    {
        static const char* const ops[] = {"<", ">", "<=", ">=", nullptr};
        return binary(ops, &ExprParser::shift, [](const RcToken&, const std::string& op, std::int64_t a, std::int64_t b) -> std::int64_t {
            if (op == "<") return a < b;
            if (op == ">") return a > b;
            if (op == "<=") return a <= b;
            return a >= b;
        });
    }

    Value shift()
    {
        static const char* const ops[] = {"<<", ">>", nullptr};
        return binary(ops, &ExprParser::additive, [this](const RcToken& at, const std::string& op, std::int64_t a, std::int64_t b) -> std::int64_t {
            if (b < 0 || b > 32) fail(at, "shift count out of range");
            return op == "<<" ? static_cast<std::int64_t>(static_cast<std::uint64_t>(a) << b) : (a >> b);
        });
    }

    Value additive()
    {
        static const char* const ops[] = {"+", "-", nullptr};
        return binary(ops, &ExprParser::multiplicative, [](const RcToken&, const std::string& op, std::int64_t a, std::int64_t b) {
            return static_cast<std::int64_t>(op == "+" ? static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b)
                                                       : static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
        });
    }

    Value multiplicative()
    {
        static const char* const ops[] = {"*", "/", "%", nullptr};
        return binary(ops, &ExprParser::unary, [this](const RcToken& at, const std::string& op, std::int64_t a, std::int64_t b) -> std::int64_t {
            if (op == "*") return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) * static_cast<std::uint64_t>(b));
            if (b == 0) fail(at, "division by zero");
            if (a == INT64_MIN && b == -1) fail(at, "arithmetic overflow");
            return op == "/" ? a / b : a % b;
        });
    }

    Value unary()
    {
        const RcToken& tok = m_cur.peek();
        // Unary operators and parentheses recurse; bound the depth so hostile input cannot
        // exhaust the stack.
        if (++m_depth > kMaxDepth) fail(tok, "expression nested too deeply");
        struct Leave {
            int& depth;
            ~Leave() { --depth; }
        } leave{m_depth};
        if (tok.isPunct("-") || tok.isPunct("+") || tok.isPunct("~") || tok.isPunct("!")) {
            const RcToken& op = take();
            const std::int64_t v = plain(op, unary()).v;
            if (op.text == "-") return Value{static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(v))};
            if (op.text == "+") return Value{v};
            if (op.text == "~") return Value{static_cast<std::int64_t>(~static_cast<std::uint32_t>(v))};
            return Value{v == 0 ? 1 : 0};
        }
        if (tok.isKeyword("NOT")) {
            const RcToken& op = take();
            Value operand = plain(op, unary());
            return Value{0, static_cast<std::uint32_t>(operand.v), true};
        }
        return primary();
    }

    Value primary()
    {
        const RcToken& tok = take();
        switch (tok.kind) {
        case RcToken::Number:
            return Value{tok.value};
        case RcToken::Ident: {
            const auto value = m_lookup(tok.text);
            if (!value) fail(tok, "undefined symbol '" + tok.text + "'");
            return Value{*value};
        }
        case RcToken::Punct:
            if (tok.text == "(") {
                Value inner = logicalOr();
                if (!m_cur.peek().isPunct(")")) fail(m_cur.peek(), "')' expected");
                take();
                return inner;
            }
            fail(tok, "number or symbol expected before '" + tok.text + "'");
        case RcToken::String:
            fail(tok, "number expected but found a string");
        case RcToken::End:
            fail(tok, "number expected at end of input");
        }
        fail(tok, "number expected");
    }

    static constexpr int kMaxDepth = 200;

    TokenCursor& m_cur;
    const SymbolLookup& m_lookup;
    int m_depth = 0;
};

} // namespace

StyleValue ParseStyleExpression(TokenCursor& cursor, const SymbolLookup& lookup)
{
    const Value v = ExprParser(cursor, lookup).parse();
    return StyleValue{static_cast<std::uint32_t>(v.v), v.clear};
}

std::int64_t ParseExpression(TokenCursor& cursor, const SymbolLookup& lookup)
{
    const RcToken& first = cursor.peek();
    const Value v = ExprParser(cursor, lookup).parse();
    if (v.hasNot) throw RcError(first.fileName(), first.line, "NOT is only allowed in style lists");
    return v.v;
}

} // namespace rc
