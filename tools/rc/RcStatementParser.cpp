#include "tools/rc/RcStatementParser.h"

#include "tools/rc/RcConstants.h"
#include "tools/rc/RcError.h"
#include "tools/rc/RcPreprocessor.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace rc {

namespace {

constexpr std::size_t kMaxBinaryBytes = 8u << 20;

} // namespace

StatementParser::StatementParser(const std::vector<RcToken>& tokens, const ParseOptions& options, ResourceSet& set)
    : m_cur(tokens), m_options(options), m_set(set), m_language(options.defaultLanguage)
{
    for (const auto& s : set.strings) m_seen.insert({KString, s.id, s.language});
    for (const auto& d : set.dialogs) m_seen.insert({KDialog, d.id, d.language});
    for (const auto& m : set.menus) m_seen.insert({KMenu, m.id, m.language});
    for (const auto& a : set.accelerators) m_seen.insert({KAccel, a.id, a.language});
    for (const auto& t : set.toolbars) m_seen.insert({KToolbar, t.id, t.language});
    for (const auto& b : set.bitmaps) m_seen.insert({KBitmap, b.id, b.language});
    for (const auto& b : set.icons) m_seen.insert({KIcon, b.id, b.language});
    for (const auto& b : set.cursors) m_seen.insert({KCursor, b.id, b.language});
}

void StatementParser::run()
{
    while (!m_cur.atEnd()) {
        const RcToken& tok = m_cur.peek();
        if (tok.isKeyword("LANGUAGE")) {
            m_cur.next();
            m_language = parseLanguage();
        } else if (tok.isKeyword("STRINGTABLE")) {
            m_cur.next();
            stringTable();
        } else {
            resource();
        }
    }
}

void StatementParser::fail(const RcToken& at, const std::string& message)
{
    const RcToken* where = &at;
    if (at.kind == RcToken::End && m_cur.previous()) where = m_cur.previous();
    throw RcError(where->fileName(), where->line, message);
}

std::string StatementParser::describe(const RcToken& tok)
{
    switch (tok.kind) {
    case RcToken::End: return "end of input";
    case RcToken::String: return "a string";
    default: return "'" + tok.text + "'";
    }
}

std::int64_t StatementParser::expr()
{
    if (m_cur.peek().kind == RcToken::End) fail(m_cur.peek(), "number expected at end of input");
    return ParseExpression(m_cur, &BuiltinConstant);
}

StyleValue StatementParser::styleExpr()
{
    if (m_cur.peek().kind == RcToken::End) fail(m_cur.peek(), "style expected at end of input");
    return ParseStyleExpression(m_cur, &BuiltinConstant);
}

int StatementParser::intValue(const char* what)
{
    const RcToken& at = m_cur.peek();
    const std::int64_t v = expr();
    if (v < -32768 || v > 65535) fail(at, std::string(what) + " out of range");
    return static_cast<int>(v);
}

std::uint32_t StatementParser::ctrlId()
{
    const RcToken& at = m_cur.peek();
    const std::int64_t v = expr();
    if (v < -1 || v > 0xFFFF) fail(at, "control id out of range");
    return static_cast<std::uint32_t>(v);
}

std::uint32_t StatementParser::dword()
{
    const RcToken& at = m_cur.peek();
    const std::int64_t v = expr();
    if (v < INT32_MIN || v > 0xFFFFFFFFll) fail(at, "value out of range");
    return static_cast<std::uint32_t>(v);
}

std::uint32_t StatementParser::ordinal(const char* what)
{
    const RcToken& tok = m_cur.peek();
    if (tok.kind == RcToken::Ident && !BuiltinConstant(tok.text))
        fail(tok, std::string("undefined ") + what + " '" + tok.text + "'");
    if (tok.kind != RcToken::Number && tok.kind != RcToken::Ident && !tok.isPunct("("))
        fail(tok, std::string(what) + " expected, found " + describe(tok));
    const std::int64_t v = expr();
    if (v < 0 || v > 0xFFFF) fail(tok, std::string(what) + " out of range (0-65535)");
    return static_cast<std::uint32_t>(v);
}

std::wstring StatementParser::string(const char* what)
{
    const RcToken& tok = m_cur.peek();
    if (tok.kind != RcToken::String) fail(tok, std::string(what) + " expected, found " + describe(tok));
    return take().str;
}

void StatementParser::comma(const char* after)
{
    const RcToken& tok = m_cur.peek();
    if (!tok.isPunct(",")) fail(tok, std::string("',' expected after ") + after + ", found " + describe(tok));
    take();
}

bool StatementParser::optionalComma()
{
    if (!m_cur.peek().isPunct(",")) return false;
    take();
    return true;
}

void StatementParser::begin(const char* what)
{
    const RcToken& tok = m_cur.peek();
    if (!isBegin(tok)) fail(tok, std::string("BEGIN expected in ") + what + ", found " + describe(tok));
    take();
}

bool StatementParser::atEnd(const char* what)
{
    const RcToken& tok = m_cur.peek();
    if (tok.kind == RcToken::End) fail(tok, std::string("END of ") + what + " missing");
    if (!isEnd(tok)) return false;
    take();
    return true;
}

LANGID StatementParser::parseLanguage()
{
    const RcToken& at = m_cur.peek();
    const std::int64_t primary = expr();
    comma("the language");
    const std::int64_t sub = expr();
    if (primary < 0 || primary > 0x3FF || sub < 0 || sub > 0x3F) fail(at, "language out of range");
    return MakeLangId(static_cast<unsigned>(primary), static_cast<unsigned>(sub));
}

void StatementParser::skipMemoryOptions()
{
    static const char* const kOptions[] = {"DISCARDABLE", "MOVEABLE", "FIXED", "PURE", "IMPURE",
                                           "PRELOAD", "LOADONCALL", "SHARED", "NONSHARED"};
    for (;;) {
        const RcToken& tok = m_cur.peek();
        bool matched = false;
        for (const char* o : kOptions) matched = matched || tok.isKeyword(o);
        if (!matched) return;
        take();
    }
}

bool StatementParser::commonOption(LANGID& language)
{
    const RcToken& tok = m_cur.peek();
    if (tok.isKeyword("LANGUAGE")) {
        take();
        language = parseLanguage();
        return true;
    }
    if (tok.isKeyword("CHARACTERISTICS") || tok.isKeyword("VERSION")) {
        take();
        dword();
        return true;
    }
    return false;
}

void StatementParser::claim(Kind kind, std::uint32_t id, LANGID language, const RcToken& at, const char* what)
{
    if (!m_seen.insert({kind, id, language}).second)
        fail(at, std::string("duplicate ") + what + " " + std::to_string(id) + " for language 0x" + hex(language));
}

std::string StatementParser::hex(unsigned v)
{
    static const char kHex[] = "0123456789abcdef";
    std::string s;
    for (int shift = 12; shift >= 0; shift -= 4) s += kHex[(v >> shift) & 15];
    return s;
}

void StatementParser::stringTable()
{
    skipMemoryOptions();
    LANGID language = m_language;
    while (commonOption(language)) {}
    begin("STRINGTABLE");
    while (!atEnd("STRINGTABLE")) {
        const RcToken& at = m_cur.peek();
        const std::uint32_t id = ordinal("string id");
        optionalComma();
        ResString s;
        s.id = id;
        s.language = language;
        s.text = string("string text");
        while (m_cur.peek().kind == RcToken::String) s.text += take().str;   // adjacent literals join
        claim(KString, id, language, at, "string");
        m_set.strings.push_back(std::move(s));
    }
}

void StatementParser::resource()
{
    const RcToken& idTok = m_cur.peek();
    if (idTok.kind == RcToken::Ident && !BuiltinConstant(idTok.text)) {
        const RcToken& typeTok = m_cur.peek(1);
        if (typeTok.kind == RcToken::Ident)
            fail(idTok, "undefined resource id '" + idTok.text + "' (missing #define?)");
        fail(idTok, "unknown statement '" + idTok.text + "'");
    }
    if (idTok.kind != RcToken::Number)
        fail(idTok, "resource id or statement expected, found " + describe(idTok));
    const std::uint32_t id = ordinal("resource id");
    const RcToken& type = m_cur.peek();
    if (type.kind != RcToken::Ident) fail(type, "resource type expected after id " + std::to_string(id));
    take();
    if (type.isKeyword("DIALOG") || type.isKeyword("DIALOGEX")) return dialog(id, type, type.isKeyword("DIALOGEX"));
    if (type.isKeyword("MENU") || type.isKeyword("MENUEX")) return menu(id, type, type.isKeyword("MENUEX"));
    if (type.isKeyword("ACCELERATORS")) return accelerators(id, type);
    if (type.isKeyword("TOOLBAR")) return toolbar(id, type);
    if (type.isKeyword("BITMAP")) return binary(id, type, KBitmap, m_set.bitmaps, "bitmap");
    if (type.isKeyword("ICON")) return binary(id, type, KIcon, m_set.icons, "icon");
    if (type.isKeyword("CURSOR")) return binary(id, type, KCursor, m_set.cursors, "cursor");
    fail(type, "unsupported resource type '" + type.text + "'");
}

void StatementParser::binary(std::uint32_t id, const RcToken& at, Kind kind, std::vector<ResBinary>& out, const char* what)
{
    skipMemoryOptions();
    const RcToken& fileTok = m_cur.peek();
    ResBinary b;
    b.id = id;
    b.language = m_language;
    std::wstring wname = string("file name");
    std::string name;
    for (wchar_t c : wname) {
        if (c < 0x20 || c >= 0x7F) fail(fileTok, std::string(what) + " file names must be printable ASCII");
        name += c == L'\\' ? '/' : static_cast<char>(c);
    }
    b.fileName = name;
    const std::string path = locate(name, fileTok);
    if (path.empty()) fail(fileTok, std::string("cannot find ") + what + " file '" + name + "'");
    const std::string data = ReadWholeFile(path, kMaxBinaryBytes, fileTok.fileName(), fileTok.line,
                                           (std::string(what) + " file").c_str());
    b.bytes.assign(data.begin(), data.end());
    if (m_options.filesRead) m_options.filesRead->insert(path);
    checkMagic(b.bytes, kind, fileTok, name);
    claim(kind, id, b.language, at, what);
    out.push_back(std::move(b));
}

void StatementParser::checkMagic(const std::vector<unsigned char>& bytes, Kind kind, const RcToken& at, const std::string& name)
{
    const auto has = [&](std::initializer_list<unsigned char> magic) {
        return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
    };
    if (kind == KBitmap && !has({'B', 'M'})) fail(at, "'" + name + "' is not a .bmp file");
    if (kind == KIcon && !has({0, 0, 1, 0})) fail(at, "'" + name + "' is not a .ico file");
    if (kind == KCursor && !has({0, 0, 2, 0}) && !has({'R', 'I', 'F', 'F'}))
        fail(at, "'" + name + "' is not a .cur or .ani file");
}

std::string StatementParser::locate(const std::string& name, const RcToken& at) const
{
    std::error_code ec;
    if (fs::path(name).is_absolute()) return fs::is_regular_file(name, ec) ? name : std::string();
    std::vector<fs::path> dirs;
    if (at.file) dirs.push_back(fs::path(*at.file).parent_path());
    for (const std::string& d : m_options.includeDirs) dirs.push_back(d);
    for (const fs::path& d : dirs) {
        const fs::path p = (d.empty() ? fs::path(".") : d) / name;
        if (fs::is_regular_file(p, ec)) return p.string();
    }
    return std::string();
}

void ParseScript(const std::vector<RcToken>& tokens, const ParseOptions& options, ResourceSet& set)
{
    StatementParser(tokens, options, set).run();
}

ResourceSet CompileScriptText(const std::string& text, const std::string& name, const std::string& baseDir,
                              const ParseOptions& options)
{
    RcPreprocessor pp(options.includeDirs);
    pp.processText(text, name, baseDir);
    ResourceSet set;
    ParseScript(pp.tokens(), options, set);
    return set;
}

} // namespace rc
