// The statement parser behind ParseScript: one object per script, reading tokens left to right
// and appending resources to a set. Its statements are split over RcStatementParser.cpp (common
// helpers, STRINGTABLE, image files), RcDialogParser.cpp and RcMenuParser.cpp (menus,
// accelerators, toolbars).
#pragma once

#include "resources/ResourceTables.h"
#include "tools/rc/RcExpr.h"
#include "tools/rc/RcParser.h"
#include "tools/rc/RcToken.h"

#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace rc {

// Resource kinds for the duplicate check.
enum Kind { KString, KDialog, KMenu, KAccel, KToolbar, KBitmap, KIcon, KCursor };

// Window style bits the parser applies itself.
constexpr std::uint32_t WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000, WS_TABSTOP = 0x00010000,
                        WS_GROUP = 0x00020000, WS_BORDER = 0x00800000, WS_POPUP = 0x80000000,
                        WS_SYSMENU = 0x00080000, WS_CAPTION = 0x00C00000, DS_SETFONT = 0x40;

class StatementParser {
public:
    StatementParser(const std::vector<RcToken>& tokens, const ParseOptions& options, ResourceSet& set);
    void run();

private:
    [[noreturn]] void fail(const RcToken& at, const std::string& message);
    const RcToken& take() { return m_cur.next(); }
    static std::string describe(const RcToken& tok);
    std::int64_t expr();
    StyleValue styleExpr();
    int intValue(const char* what);
    std::uint32_t ctrlId();
    std::uint32_t dword();
    std::uint32_t ordinal(const char* what);
    std::wstring string(const char* what);
    void comma(const char* after);
    bool optionalComma();
    bool isBegin(const RcToken& tok) const { return tok.isKeyword("BEGIN") || tok.isPunct("{"); }
    bool isEnd(const RcToken& tok) const { return tok.isKeyword("END") || tok.isPunct("}"); }
    void begin(const char* what);
    // True (and consumed) at END; an error at the end of input.
    bool atEnd(const char* what);
    LANGID parseLanguage();
    void skipMemoryOptions();
    // LANGUAGE, CHARACTERISTICS and VERSION may appear among any resource's options.
    bool commonOption(LANGID& language);
    void claim(Kind kind, std::uint32_t id, LANGID language, const RcToken& at, const char* what);
    static std::string hex(unsigned v);
    void stringTable();
    void resource();
    void dialog(std::uint32_t id, const RcToken& at, bool extended);
    void text(DialogItem& item);
    // "x, y, width, height" of a dialog or of one of its controls.
    template <class T>
    void rectangle(T& r)
    {
        r.x = intValue("x");
        comma("x");
        r.y = intValue("y");
        comma("y");
        r.cx = intValue("width");
        comma("width");
        r.cy = intValue("height");
    }
    void trailing(DialogItem& item, std::uint32_t defaults);
    DialogItem control();
    void menu(std::uint32_t id, const RcToken& at, bool extended);
    // An optional numeric field of MENUEX items; empty between commas means 0.
    std::uint32_t optionalField();
    void menuItems(std::vector<MenuItem>& items, bool extended, int depth = 0);
    std::uint32_t menuOptions();
    void accelerators(std::uint32_t id, const RcToken& at);
    void toolbar(std::uint32_t id, const RcToken& at);
    void binary(std::uint32_t id, const RcToken& at, Kind kind, std::vector<ResBinary>& out, const char* what);
    void checkMagic(const std::vector<unsigned char>& bytes, Kind kind, const RcToken& at, const std::string& name);
    std::string locate(const std::string& name, const RcToken& at) const;

    TokenCursor m_cur;
    const ParseOptions& m_options;
    ResourceSet& m_set;
    LANGID m_language;
    std::set<std::tuple<int, std::uint32_t, LANGID>> m_seen;
};

} // namespace rc
