#include "tools/rc/RcLexer.h"

#include "tools/rc/RcError.h"

#include <cctype>
#include <cstdint>

namespace rc {

namespace {

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes one UTF-8 sequence starting at text[pos]; returns the code point and advances pos.
char32_t DecodeOne(const std::string& text, std::size_t& pos, const std::string& file, int line)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) { ++pos; return lead; }
    if ((lead & 0xE0) == 0xC0) { extra = 1; cp = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; cp = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; cp = lead & 0x07; }
    else throw RcError(file, line, "invalid UTF-8 byte in text");
    if (pos + extra >= text.size())
        throw RcError(file, line, "truncated UTF-8 sequence in text");
    for (int i = 1; i <= extra; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) throw RcError(file, line, "invalid UTF-8 sequence in text");
        cp = (cp << 6) | (b & 0x3F);
    }
    static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        throw RcError(file, line, "invalid UTF-8 sequence in text");
    pos += extra + 1;
    return cp;
}

// Reads a string literal whose opening quote is at text[pos].
std::wstring LexString(const std::string& text, std::size_t& pos, const std::string& file, int line)
{
    std::wstring out;
    ++pos;   // opening quote
    for (;;) {
        if (pos >= text.size() || text[pos] == '\n' || text[pos] == '\r')
            throw RcError(file, line, "unterminated string literal");
        const char c = text[pos];
        if (c == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {   // "" stands for one quote
                out += L'"';
                pos += 2;
                continue;
            }
            ++pos;
            return out;
        }
        if (c != '\\') {
            out += static_cast<wchar_t>(DecodeOne(text, pos, file, line));
            continue;
        }
        ++pos;
        if (pos >= text.size()) throw RcError(file, line, "unterminated string literal");
        const char e = text[pos];
        switch (e) {
        case 'n': out += L'\n'; ++pos; break;
        case 't': out += L'\t'; ++pos; break;
        case 'r': out += L'\r'; ++pos; break;
        case 'a': out += L'\a'; ++pos; break;
        case 'b': out += L'\b'; ++pos; break;
        case 'f': out += L'\f'; ++pos; break;
        case 'v': out += L'\v'; ++pos; break;
        case '\\': out += L'\\'; ++pos; break;
        case '"': out += L'"'; ++pos; break;
        case '\'': out += L'\''; ++pos; break;
        case '?': out += L'?'; ++pos; break;
        case 'x': case 'X': {
            ++pos;
            std::uint32_t v = 0;
            int digits = 0;
            while (digits < 4 && pos < text.size() && HexDigit(text[pos]) >= 0) {
                v = v * 16 + HexDigit(text[pos]);
                ++pos;
                ++digits;
            }
            if (digits == 0) throw RcError(file, line, "\\x escape without hex digits");
            out += static_cast<wchar_t>(v);
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                std::uint32_t v = 0;
                for (int digits = 0; digits < 3 && pos < text.size() && text[pos] >= '0' && text[pos] <= '7'; ++digits)
                    v = v * 8 + (text[pos++] - '0');
                out += static_cast<wchar_t>(v);
            } else {
                // An unknown escape keeps its backslash, so paths written with single
                // backslashes survive.
                out += L'\\';
            }
            break;
        }
    }
}

} // namespace

bool RcToken::isKeyword(const char* word) const
{
    if (kind != Ident) return false;
    std::size_t i = 0;
    for (; word[i] && i < text.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != std::toupper(static_cast<unsigned char>(word[i])))
            return false;
    return word[i] == '\0' && i == text.size();
}

std::wstring DecodeUtf8(const std::string& bytes, const std::string& file, int line)
{
    std::wstring out;
    std::size_t pos = 0;
    while (pos < bytes.size()) out += static_cast<wchar_t>(DecodeOne(bytes, pos, file, line));
    return out;
}

RcToken LexToken(const std::string& text, std::size_t& pos, const std::shared_ptr<const std::string>& file, int line)
{
    RcToken tok;
    tok.file = file;
    tok.line = line;
    const std::string fileName = file ? *file : std::string("<input>");
    const char c = text[pos];

    if ((c == 'L' || c == 'l') && pos + 1 < text.size() && text[pos + 1] == '"') {
        ++pos;
        tok.kind = RcToken::String;
        tok.str = LexString(text, pos, fileName, line);
        return tok;
    }
    if (c == '"') {
        tok.kind = RcToken::String;
        tok.str = LexString(text, pos, fileName, line);
        return tok;
    }
    if (IsIdentStart(c)) {
        const std::size_t start = pos;
        while (pos < text.size() && IsIdentChar(text[pos])) ++pos;
        tok.kind = RcToken::Ident;
        tok.text = text.substr(start, pos - start);
        return tok;
    }
    if (std::isdigit(static_cast<unsigned char>(c))) {
        const std::size_t start = pos;
        std::uint64_t v = 0;
        if (c == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
            pos += 2;
            if (pos >= text.size() || HexDigit(text[pos]) < 0)
                throw RcError(fileName, line, "malformed hexadecimal number");
            while (pos < text.size() && HexDigit(text[pos]) >= 0) {
                v = v * 16 + HexDigit(text[pos++]);
                if (v > 0xFFFFFFFFull) throw RcError(fileName, line, "number too large");
            }
        } else {
            while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
                v = v * 10 + (text[pos++] - '0');
                if (v > 0xFFFFFFFFull) throw RcError(fileName, line, "number too large");
            }
        }
        while (pos < text.size() && (text[pos] == 'L' || text[pos] == 'l' || text[pos] == 'U' || text[pos] == 'u'))
            ++pos;
        if (pos < text.size() && IsIdentChar(text[pos]))
            throw RcError(fileName, line, "malformed number '" + text.substr(start, pos + 1 - start) + "'");
        tok.kind = RcToken::Number;
        tok.text = text.substr(start, pos - start);
        tok.value = static_cast<std::uint32_t>(v);
        return tok;
    }
    static const char* const kTwoChar[] = {"&&", "||", "==", "!=", "<=", ">=", "<<", ">>"};
    for (const char* op : kTwoChar) {
        if (text.compare(pos, 2, op) == 0) {
            pos += 2;
            tok.kind = RcToken::Punct;
            tok.text = op;
            return tok;
        }
    }
    if (std::string(",|&+-~()!{}<>*/%^=").find(c) != std::string::npos) {
        ++pos;
        tok.kind = RcToken::Punct;
        tok.text = std::string(1, c);
        return tok;
    }
    const unsigned char uc = static_cast<unsigned char>(c);
    std::string shown(1, c);
    if (uc < 0x20 || uc >= 0x7F) {
        static const char kHex[] = "0123456789ABCDEF";
        shown = std::string("\\x") + kHex[uc >> 4] + kHex[uc & 15];
    }
    throw RcError(fileName, line, "unexpected character '" + shown + "'");
}

} // namespace rc
