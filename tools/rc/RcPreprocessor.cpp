#include "tools/rc/RcPreprocessor.h"

#include "tools/rc/RcError.h"
#include "tools/rc/RcExpr.h"
#include "tools/rc/RcLexer.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace rc {

namespace {

constexpr int kMaxIncludeDepth = 32;
constexpr std::size_t kMaxMacroDepth = 200;
constexpr std::size_t kMaxScriptBytes = 16u << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

bool IsHeaderName(const std::string& path)
{
    std::string ext = fs::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".h" || ext == ".hh" || ext == ".hpp" || ext == ".c";
}

// Splits directive text (after '#') into tokens; a '<file>' include name is handled by the caller.
std::vector<RcToken> Tokenize(const std::string& text, std::size_t pos, const std::shared_ptr<const std::string>& file,
                              int line)
{
    std::vector<RcToken> out;
    while (pos < text.size()) {
        if (IsBlank(text[pos])) { ++pos; continue; }
        out.push_back(LexToken(text, pos, file, line));
    }
    return out;
}

} // namespace

std::string ReadWholeFile(const std::string& path, std::size_t maxBytes, const std::string& fromFile, int fromLine,
                          const char* what)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw RcError(fromFile, fromLine, std::string("cannot open ") + what + " '" + path + "'");
    const auto size = fs::file_size(path, ec);
    if (ec) throw RcError(fromFile, fromLine, std::string("cannot read ") + what + " '" + path + "'");
    if (size > maxBytes)
        throw RcError(fromFile, fromLine, std::string(what) + " '" + path + "' is too large");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw RcError(fromFile, fromLine, std::string("cannot open ") + what + " '" + path + "'");
    std::string data(static_cast<std::size_t>(size), '\0');
    in.read(data.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size))
        throw RcError(fromFile, fromLine, std::string("cannot read ") + what + " '" + path + "'");
    return data;
}

void RcPreprocessor::processFile(const std::string& path)
{
    const std::string text = ReadWholeFile(path, kMaxScriptBytes, path, 0, "script");
    m_filesRead.insert(path);
    process(text, std::make_shared<const std::string>(path), fs::path(path).parent_path().string(), false, 0);
}

void RcPreprocessor::processText(const std::string& text, const std::string& name, const std::string& baseDir)
{
    process(text, std::make_shared<const std::string>(name), baseDir, false, 0);
}

void RcPreprocessor::process(const std::string& text, const std::shared_ptr<const std::string>& file,
                             const std::string& dir, bool directivesOnly, int depth)
{
    std::vector<Conditional> conds;
    const auto active = [&] { return conds.empty() || conds.back().active; };
    std::size_t pos = 0;
    int line = 1;
    bool lineStart = true;
    // A UTF-8 byte order mark at the start is not text.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;

    while (pos < text.size()) {
        const char c = text[pos];
        if (IsBlank(c)) { ++pos; continue; }
        if (c == '\n') { ++line; ++pos; lineStart = true; continue; }
        if (c == '\\' && pos + 1 < text.size() && (text[pos + 1] == '\n' || text[pos + 1] == '\r')) {
            pos += text[pos + 1] == '\r' && pos + 2 < text.size() && text[pos + 2] == '\n' ? 3 : 2;
            ++line;
            continue;
        }
        if (c == '/' && pos + 1 < text.size() && text[pos + 1] == '/') {
            while (pos < text.size() && text[pos] != '\n') ++pos;
            continue;
        }
        if (c == '/' && pos + 1 < text.size() && text[pos + 1] == '*') {
            const int startLine = line;
            pos += 2;
            while (pos < text.size() && text.compare(pos, 2, "*/") != 0) {
                if (text[pos] == '\n') ++line;
                ++pos;
            }
            if (pos >= text.size()) throw RcError(*file, startLine, "unterminated comment");
            pos += 2;
            continue;
        }
        if (c == '#' && lineStart) {
            // Gather the logical directive line: continuations joined, comments dropped,
            // string literals kept as written.
            const int dirLine = line;
            std::string body;
            ++pos;
            while (pos < text.size() && text[pos] != '\n') {
                if (text[pos] == '\\' && pos + 1 < text.size() && (text[pos + 1] == '\n' || text[pos + 1] == '\r')) {
                    pos += text[pos + 1] == '\r' && pos + 2 < text.size() && text[pos + 2] == '\n' ? 3 : 2;
                    ++line;
                    body += ' ';
                } else if (text.compare(pos, 2, "//") == 0) {
                    while (pos < text.size() && text[pos] != '\n') ++pos;
                } else if (text.compare(pos, 2, "/*") == 0) {
                    pos += 2;
                    while (pos < text.size() && text.compare(pos, 2, "*/") != 0) {
                        if (text[pos] == '\n') ++line;
                        ++pos;
                    }
                    if (pos >= text.size()) throw RcError(*file, dirLine, "unterminated comment");
                    pos += 2;
                    body += ' ';
                } else if (text[pos] == '"') {
                    body += text[pos++];
                    while (pos < text.size() && text[pos] != '"' && text[pos] != '\n') body += text[pos++];
                    if (pos < text.size() && text[pos] == '"') body += text[pos++];
                } else {
                    body += text[pos++];
                }
            }
            directive(body, file, dirLine, dir, conds, depth);
            continue;
        }
        lineStart = false;
        if (!active() || directivesOnly) {
            // Skipped text and the C++ part of headers need not be script tokens.
            while (pos < text.size() && text[pos] != '\n') ++pos;
            continue;
        }
        RcToken tok = LexToken(text, pos, file, line);
        std::set<std::string> busy;
        expand(tok, m_tokens, busy);
    }
    if (!conds.empty()) throw RcError(*file, conds.back().line, "#if without #endif");
}

void RcPreprocessor::expand(const RcToken& tok, std::vector<RcToken>& out, std::set<std::string>& busy) const
{
    if (tok.kind == RcToken::Ident) {
        const auto it = m_macros.find(tok.text);
        if (it != m_macros.end() && !it->second.functionLike && !busy.count(tok.text)) {
            if (busy.size() >= kMaxMacroDepth)
                throw RcError(tok.fileName(), tok.line, "macro '" + tok.text + "' nested too deeply");
            busy.insert(tok.text);
            for (RcToken t : it->second.body) {
                t.file = tok.file;
                t.line = tok.line;
                expand(t, out, busy);
            }
            busy.erase(tok.text);
            return;
        }
    }
    out.push_back(tok);
}

bool RcPreprocessor::evalCondition(std::vector<RcToken> tokens, const std::string& file, int line) const
{
    // "defined NAME" and "defined(NAME)" are answered before macros are expanded.
    std::vector<RcToken> resolved;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == RcToken::Ident && tokens[i].text == "defined") {
            std::size_t j = i + 1;
            const bool paren = j < tokens.size() && tokens[j].isPunct("(");
            if (paren) ++j;
            if (j >= tokens.size() || tokens[j].kind != RcToken::Ident)
                throw RcError(file, line, "'defined' needs a macro name");
            RcToken value = tokens[j];
            value.kind = RcToken::Number;
            value.value = isDefined(tokens[j].text) ? 1 : 0;
            ++j;
            if (paren) {
                if (j >= tokens.size() || !tokens[j].isPunct(")")) throw RcError(file, line, "')' expected after 'defined('");
                ++j;
            }
            resolved.push_back(value);
            i = j - 1;
        } else {
            resolved.push_back(tokens[i]);
        }
    }
    std::vector<RcToken> expanded;
    for (const RcToken& t : resolved) {
        std::set<std::string> busy;
        expand(t, expanded, busy);
    }
    if (expanded.empty()) throw RcError(file, line, "#if without an expression");
    TokenCursor cursor(expanded);
    // As in C, identifiers that are not macros count as 0.
    const std::int64_t v = ParseExpression(cursor, [](const std::string&) { return std::optional<std::int64_t>(0); });
    if (!cursor.atEnd()) throw RcError(file, line, "unexpected '" + cursor.peek().text + "' in #if expression");
    return v != 0;
}

std::string RcPreprocessor::findInclude(const std::string& name, const std::string& dir, bool quoted) const
{
    std::error_code ec;
    if (fs::path(name).is_absolute()) return fs::is_regular_file(name, ec) ? name : std::string();
    if (quoted) {
        const fs::path p = fs::path(dir.empty() ? "." : dir) / name;
        if (fs::is_regular_file(p, ec)) return p.string();
    }
    for (const std::string& d : m_includeDirs) {
        const fs::path p = fs::path(d) / name;
        if (fs::is_regular_file(p, ec)) return p.string();
    }
    return std::string();
}

void RcPreprocessor::directive(const std::string& text, const std::shared_ptr<const std::string>& file, int line,
                               const std::string& dir, std::vector<Conditional>& conds, int depth)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    std::size_t end = pos;
    while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) ++end;
    const std::string name = text.substr(pos, end - pos);
    pos = end;
    const bool active = conds.empty() || conds.back().active;

    if (name == "if" || name == "ifdef" || name == "ifndef") {
        bool value = false;
        if (active) {
            std::vector<RcToken> toks = Tokenize(text, pos, file, line);
            if (name == "if") {
                value = evalCondition(toks, *file, line);
            } else {
                if (toks.size() != 1 || toks[0].kind != RcToken::Ident)
                    throw RcError(*file, line, "#" + name + " needs one macro name");
                value = isDefined(toks[0].text) == (name == "ifdef");
            }
        }
        conds.push_back({active, value, active && value, false, line});
        return;
    }
    if (name == "elif") {
        if (conds.empty() || conds.back().seenElse) throw RcError(*file, line, "#elif without #if");
        Conditional& c = conds.back();
        if (c.parentActive && !c.taken) {
            c.active = evalCondition(Tokenize(text, pos, file, line), *file, line);
            c.taken = c.active;
        } else {
            c.active = false;
        }
        return;
    }
    if (name == "else") {
        if (conds.empty() || conds.back().seenElse) throw RcError(*file, line, "#else without #if");
        Conditional& c = conds.back();
        c.active = c.parentActive && !c.taken;
        c.taken = true;
        c.seenElse = true;
        return;
    }
    if (name == "endif") {
        if (conds.empty()) throw RcError(*file, line, "#endif without #if");
        conds.pop_back();
        return;
    }
    if (!active) return;

    if (name.empty()) return;   // a lone '#'
    if (name == "include") {
        while (pos < text.size() && IsBlank(text[pos])) ++pos;
        std::string target;
        bool quoted = true;
        if (pos < text.size() && text[pos] == '<') {
            const std::size_t close = text.find('>', pos);
            if (close == std::string::npos) throw RcError(*file, line, "malformed #include");
            target = text.substr(pos + 1, close - pos - 1);
            quoted = false;
        } else if (pos < text.size() && text[pos] == '"') {
            const std::size_t close = text.find('"', pos + 1);
            if (close == std::string::npos) throw RcError(*file, line, "malformed #include");
            target = text.substr(pos + 1, close - pos - 1);
        } else {
            throw RcError(*file, line, "#include needs a \"file\" or <file> name");
        }
        std::replace(target.begin(), target.end(), '\\', '/');
        if (depth + 1 > kMaxIncludeDepth) throw RcError(*file, line, "#include nested too deeply");
        const std::string path = findInclude(target, dir, quoted);
        if (path.empty()) throw RcError(*file, line, "cannot open include file '" + target + "'");
        const std::string included = ReadWholeFile(path, kMaxScriptBytes, *file, line, "include file");
        m_filesRead.insert(path);
        process(included, std::make_shared<const std::string>(path), fs::path(path).parent_path().string(),
                IsHeaderName(path), depth + 1);
        return;
    }
    if (name == "define") {
        while (pos < text.size() && IsBlank(text[pos])) ++pos;
        std::size_t nameEnd = pos;
        while (nameEnd < text.size() && (std::isalnum(static_cast<unsigned char>(text[nameEnd])) || text[nameEnd] == '_'))
            ++nameEnd;
        if (nameEnd == pos || std::isdigit(static_cast<unsigned char>(text[pos])))
            throw RcError(*file, line, "#define needs a macro name");
        const std::string macro = text.substr(pos, nameEnd - pos);
        Macro m;
        if (nameEnd < text.size() && text[nameEnd] == '(') {
            // Function-like macros are kept only as "defined"; the scripts never call them.
            m.functionLike = true;
        } else {
            m.body = Tokenize(text, nameEnd, file, line);
        }
        m_macros[macro] = std::move(m);
        return;
    }
    if (name == "undef") {
        std::vector<RcToken> toks = Tokenize(text, pos, file, line);
        if (toks.size() != 1 || toks[0].kind != RcToken::Ident) throw RcError(*file, line, "#undef needs one macro name");
        m_macros.erase(toks[0].text);
        return;
    }
    if (name == "pragma") return;
    if (name == "error") {
        std::string message = text.substr(pos);
        message.erase(0, message.find_first_not_of(" \t"));
        throw RcError(*file, line, "#error " + message);
    }
    throw RcError(*file, line, "unknown directive '#" + name + "'");
}

} // namespace rc
