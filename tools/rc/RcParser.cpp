#include "tools/rc/RcParser.h"

#include "tools/rc/RcConstants.h"
#include "tools/rc/RcError.h"
#include "tools/rc/RcExpr.h"
#include "tools/rc/RcPreprocessor.h"

#include <algorithm>
#include <cctype>
#include <cwctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace rc {

namespace {

constexpr std::size_t kMaxBinaryBytes = 8u << 20;
constexpr int kMaxMenuDepth = 32;

constexpr std::uint32_t WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000, WS_TABSTOP = 0x00010000,
                        WS_GROUP = 0x00020000, WS_BORDER = 0x00800000, WS_POPUP = 0x80000000,
                        WS_SYSMENU = 0x00080000, WS_CAPTION = 0x00C00000, DS_SETFONT = 0x40;

// Resource kinds for the duplicate check.
enum Kind { KString, KDialog, KMenu, KAccel, KToolbar, KBitmap, KIcon, KCursor };

// The short control statements: class, default style and whether a text comes first.
struct ControlKind {
    const char* keyword;
    const wchar_t* className;
    std::uint32_t style;
    bool hasText;
};

const ControlKind kControlKinds[] = {
    {"LTEXT", L"Static", 0x0 | WS_GROUP, true},
    {"RTEXT", L"Static", 0x2 | WS_GROUP, true},
    {"CTEXT", L"Static", 0x1 | WS_GROUP, true},
    {"PUSHBUTTON", L"Button", 0x0 | WS_TABSTOP, true},
    {"DEFPUSHBUTTON", L"Button", 0x1 | WS_TABSTOP, true},
    {"PUSHBOX", L"Button", 0xA | WS_TABSTOP, true},
    {"CHECKBOX", L"Button", 0x2 | WS_TABSTOP, true},
    {"AUTOCHECKBOX", L"Button", 0x3 | WS_TABSTOP, true},
    {"STATE3", L"Button", 0x5 | WS_TABSTOP, true},
    {"AUTO3STATE", L"Button", 0x6 | WS_TABSTOP, true},
    {"RADIOBUTTON", L"Button", 0x4 | WS_TABSTOP, true},
    {"AUTORADIOBUTTON", L"Button", 0x9 | WS_TABSTOP, true},
    {"GROUPBOX", L"Button", 0x7, true},
    {"EDITTEXT", L"Edit", 0x0 | WS_BORDER | WS_TABSTOP, false},
    {"COMBOBOX", L"ComboBox", 0x1 | WS_TABSTOP, false},
    {"LISTBOX", L"ListBox", 0x1 | WS_BORDER, false},
    {"SCROLLBAR", L"ScrollBar", 0x0, false},
};

const wchar_t* const kStandardClasses[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};

bool EqualsNoCase(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(x) == std::towlower(y);
           });
}

class Parser {
public:
    Parser(const std::vector<RcToken>& tokens, const ParseOptions& options, ResourceSet& set)
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

    void run()
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

private:
    [[noreturn]] void fail(const RcToken& at, const std::string& message)
    {
        const RcToken* where = &at;
        if (at.kind == RcToken::End && m_cur.previous()) where = m_cur.previous();
        throw RcError(where->fileName(), where->line, message);
    }

    const RcToken& take() { return m_cur.next(); }

    static std::string describe(const RcToken& tok)
    {
        switch (tok.kind) {
        case RcToken::End: return "end of input";
        case RcToken::String: return "a string";
        default: return "'" + tok.text + "'";
        }
    }

    std::int64_t expr()
    {
        if (m_cur.peek().kind == RcToken::End) fail(m_cur.peek(), "number expected at end of input");
        return ParseExpression(m_cur, &BuiltinConstant);
    }

    StyleValue styleExpr()
    {
        if (m_cur.peek().kind == RcToken::End) fail(m_cur.peek(), "style expected at end of input");
        return ParseStyleExpression(m_cur, &BuiltinConstant);
    }

    int intValue(const char* what)
    {
        const RcToken& at = m_cur.peek();
        const std::int64_t v = expr();
        if (v < -32768 || v > 65535) fail(at, std::string(what) + " out of range");
        return static_cast<int>(v);
    }

    std::uint32_t ctrlId()
    {
        const RcToken& at = m_cur.peek();
        const std::int64_t v = expr();
        if (v < -1 || v > 0xFFFF) fail(at, "control id out of range");
        return static_cast<std::uint32_t>(v);
    }

    std::uint32_t dword()
    {
        const RcToken& at = m_cur.peek();
        const std::int64_t v = expr();
        if (v < INT32_MIN || v > 0xFFFFFFFFll) fail(at, "value out of range");
        return static_cast<std::uint32_t>(v);
    }

    std::uint32_t ordinal(const char* what)
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

    std::wstring string(const char* what)
    {
        const RcToken& tok = m_cur.peek();
        if (tok.kind != RcToken::String) fail(tok, std::string(what) + " expected, found " + describe(tok));
        std::wstring s = take().str;
        return s;
    }

    void comma(const char* after)
    {
        const RcToken& tok = m_cur.peek();
        if (!tok.isPunct(",")) fail(tok, std::string("',' expected after ") + after + ", found " + describe(tok));
        take();
    }

    bool optionalComma()
    {
        if (!m_cur.peek().isPunct(",")) return false;
        take();
        return true;
    }

    bool isBegin(const RcToken& tok) const { return tok.isKeyword("BEGIN") || tok.isPunct("{"); }
    bool isEnd(const RcToken& tok) const { return tok.isKeyword("END") || tok.isPunct("}"); }

    void begin(const char* what)
    {
        const RcToken& tok = m_cur.peek();
        if (!isBegin(tok)) fail(tok, std::string("BEGIN expected in ") + what + ", found " + describe(tok));
        take();
    }

    // True (and consumed) at END; an error at the end of input.
    bool atEnd(const char* what)
    {
        const RcToken& tok = m_cur.peek();
        if (tok.kind == RcToken::End) fail(tok, std::string("END of ") + what + " missing");
        if (!isEnd(tok)) return false;
        take();
        return true;
    }

    LANGID parseLanguage()
    {
        const RcToken& at = m_cur.peek();
        const std::int64_t primary = expr();
        comma("the language");
        const std::int64_t sub = expr();
        if (primary < 0 || primary > 0x3FF || sub < 0 || sub > 0x3F) fail(at, "language out of range");
        return MakeLangId(static_cast<unsigned>(primary), static_cast<unsigned>(sub));
    }

    void skipMemoryOptions()
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

    // LANGUAGE, CHARACTERISTICS and VERSION may appear among any resource's options.
    bool commonOption(LANGID& language)
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

    void claim(Kind kind, std::uint32_t id, LANGID language, const RcToken& at, const char* what)
    {
        if (!m_seen.insert({kind, id, language}).second)
            fail(at, std::string("duplicate ") + what + " " + std::to_string(id) + " for language 0x" + hex(language));
    }

    static std::string hex(unsigned v)
    {
        static const char kHex[] = "0123456789abcdef";
        std::string s;
        for (int shift = 12; shift >= 0; shift -= 4) s += kHex[(v >> shift) & 15];
        return s;
    }

    void stringTable()
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

    void resource()
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

    void dialog(std::uint32_t id, const RcToken& at, bool extended)
    {
        skipMemoryOptions();
        DialogTemplate d;
        d.id = id;
        d.language = m_language;
        d.extended = extended;
        d.x = intValue("x");
        comma("x");
        d.y = intValue("y");
        comma("y");
        d.cx = intValue("width");
        comma("width");
        d.cy = intValue("height");
        if (extended && optionalComma()) dword();   // help id of the dialog
        bool haveStyle = false;
        std::uint32_t style = 0;
        while (!isBegin(m_cur.peek())) {
            const RcToken& opt = m_cur.peek();
            if (commonOption(d.language)) continue;
            if (opt.kind == RcToken::End) fail(opt, "BEGIN expected in DIALOG");
            take();
            if (opt.isKeyword("STYLE")) {
                style = styleExpr().apply(0);
                haveStyle = true;
            } else if (opt.isKeyword("EXSTYLE")) {
                d.exStyle = dword();
            } else if (opt.isKeyword("CAPTION")) {
                d.caption = string("caption text");
            } else if (opt.isKeyword("FONT")) {
                d.fontSize = intValue("font size");
                comma("the font size");
                d.fontFace = string("font name");
                if (optionalComma()) {
                    d.fontWeight = intValue("font weight");
                    if (optionalComma()) {
                        d.fontItalic = intValue("font italic flag") != 0;
                        if (optionalComma()) d.fontCharset = intValue("font character set");
                    }
                }
            } else if (opt.isKeyword("MENU")) {
                d.menuId = ordinal("menu id");
            } else if (opt.isKeyword("CLASS")) {
                if (m_cur.peek().kind == RcToken::String) d.className = take().str;
                else d.className = std::to_wstring(ordinal("class"));
            } else {
                fail(opt, "unknown dialog option " + describe(opt));
            }
        }
        d.style = haveStyle ? style : (WS_POPUP | 0x00800000 /* WS_BORDER */ | WS_SYSMENU);
        if (!d.caption.empty()) d.style |= WS_CAPTION;
        if (!d.fontFace.empty()) d.style |= DS_SETFONT;
        begin("DIALOG");
        while (!atEnd("DIALOG")) d.items.push_back(control());
        claim(KDialog, id, d.language, at, "dialog");
        m_set.dialogs.push_back(std::move(d));
    }

    void text(DialogItem& item)
    {
        if (m_cur.peek().kind == RcToken::String) item.text = take().str;
        else item.textId = ordinal("control text or resource id");
    }

    void rectangle(DialogItem& item)
    {
        item.x = intValue("x");
        comma("x");
        item.y = intValue("y");
        comma("y");
        item.cx = intValue("width");
        comma("width");
        item.cy = intValue("height");
    }

    void trailing(DialogItem& item, std::uint32_t defaults)
    {
        StyleValue style;
        if (optionalComma()) style = styleExpr();
        item.style = style.apply(defaults);
        if (optionalComma()) {
            item.exStyle = dword();
            if (optionalComma()) item.helpId = dword();
        }
    }

    DialogItem control()
    {
        const RcToken& kw = m_cur.peek();
        if (kw.kind != RcToken::Ident) fail(kw, "control statement expected, found " + describe(kw));
        take();
        DialogItem item;
        const std::uint32_t base = WS_CHILD | WS_VISIBLE;
        if (kw.isKeyword("CONTROL")) {
            text(item);
            comma("the control text");
            item.id = ctrlId();
            comma("the control id");
            const RcToken& cls = m_cur.peek();
            if (cls.kind == RcToken::String) {
                item.className = take().str;
            } else if (cls.kind == RcToken::Ident) {
                item.className = std::wstring(cls.text.begin(), cls.text.end());
                take();
            } else {
                fail(cls, "control class expected, found " + describe(cls));
            }
            bool known = false;
            for (const wchar_t* standard : kStandardClasses) {
                if (EqualsNoCase(item.className, standard)) {
                    item.className = standard;
                    known = true;
                }
            }
            if (cls.kind == RcToken::Ident && !known) fail(cls, "unknown control class '" + cls.text + "'");
            comma("the control class");
            const StyleValue style = styleExpr();
            comma("the control style");
            rectangle(item);
            item.style = style.apply(base);
            if (optionalComma()) {
                item.exStyle = dword();
                if (optionalComma()) item.helpId = dword();
            }
            return item;
        }
        if (kw.isKeyword("ICON")) {
            item.className = L"Static";
            text(item);
            comma("the icon");
            item.id = ctrlId();
            comma("the control id");
            item.x = intValue("x");
            comma("x");
            item.y = intValue("y");
            if (optionalComma()) {
                item.cx = intValue("width");
                comma("width");
                item.cy = intValue("height");
                trailing(item, base | 0x3 /* SS_ICON */);
            } else {
                item.style = base | 0x3;
            }
            return item;
        }
        for (const ControlKind& k : kControlKinds) {
            if (!kw.isKeyword(k.keyword)) continue;
            item.className = k.className;
            if (k.hasText) {
                text(item);
                comma("the control text");
            }
            item.id = ctrlId();
            comma("the control id");
            rectangle(item);
            trailing(item, base | k.style);
            return item;
        }
        fail(kw, "unknown control statement '" + kw.text + "'");
    }

    void menu(std::uint32_t id, const RcToken& at, bool extended)
    {
        skipMemoryOptions();
        MenuTemplate m;
        m.id = id;
        m.language = m_language;
        m.extended = extended;
        while (commonOption(m.language)) {}
        menuItems(m.items, extended);
        claim(KMenu, id, m.language, at, "menu");
        m_set.menus.push_back(std::move(m));
    }

    // An optional numeric field of MENUEX items; empty between commas means 0.
    std::uint32_t optionalField()
    {
        if (m_cur.peek().isPunct(",") || isEnd(m_cur.peek()) || isBegin(m_cur.peek())) return 0;
        return dword();
    }

    void menuItems(std::vector<MenuItem>& items, bool extended, int depth = 0)
    {
        if (depth > kMaxMenuDepth) fail(m_cur.peek(), "menu nested too deeply");
        begin("MENU");
        while (!atEnd("MENU")) {
            const RcToken& kw = m_cur.peek();
            MenuItem item;
            if (kw.isKeyword("MENUITEM")) {
                take();
                if (m_cur.peek().isKeyword("SEPARATOR")) {
                    take();
                    item.flags = kMenuSeparator;
                    items.push_back(std::move(item));
                    continue;
                }
                item.text = string("menu item text");
                if (extended) {
                    if (optionalComma()) {
                        item.id = optionalField();
                        if (optionalComma()) {
                            item.flags |= optionalField();
                            if (optionalComma()) item.flags |= optionalField();
                        }
                    }
                } else {
                    comma("the menu item text");
                    item.id = ctrlId();
                    item.flags |= menuOptions();
                }
                items.push_back(std::move(item));
            } else if (kw.isKeyword("POPUP")) {
                take();
                item.text = string("popup text");
                if (extended) {
                    if (optionalComma()) {
                        item.id = optionalField();
                        if (optionalComma()) {
                            item.flags |= optionalField();
                            if (optionalComma()) {
                                item.flags |= optionalField();
                                if (optionalComma()) item.helpId = optionalField();
                            }
                        }
                    }
                } else {
                    item.flags |= menuOptions();
                }
                item.flags |= kMenuPopup;
                menuItems(item.children, extended, depth + 1);
                items.push_back(std::move(item));
            } else {
                fail(kw, "MENUITEM or POPUP expected, found " + describe(kw));
            }
        }
    }

    std::uint32_t menuOptions()
    {
        std::uint32_t flags = 0;
        for (;;) {
            const bool hadComma = optionalComma();
            const RcToken& tok = m_cur.peek();
            if (tok.isKeyword("GRAYED")) flags |= kMenuGrayed;
            else if (tok.isKeyword("INACTIVE")) flags |= kMenuDisabled;
            else if (tok.isKeyword("CHECKED")) flags |= kMenuChecked;
            else if (tok.isKeyword("MENUBARBREAK")) flags |= kMenuBarBreak;
            else if (tok.isKeyword("MENUBREAK")) flags |= kMenuBreak;
            else if (tok.isKeyword("HELP")) flags |= kMenuHelp;
            else {
                if (hadComma) fail(tok, "menu option expected, found " + describe(tok));
                return flags;
            }
            take();
        }
    }

    void accelerators(std::uint32_t id, const RcToken& at)
    {
        skipMemoryOptions();
        AcceleratorTable table;
        table.id = id;
        table.language = m_language;
        while (commonOption(table.language)) {}
        begin("ACCELERATORS");
        while (!atEnd("ACCELERATORS")) {
            const RcToken& eventTok = m_cur.peek();
            Accelerator a;
            std::wstring eventText;
            bool isString = false;
            std::int64_t key = 0;
            if (eventTok.kind == RcToken::String) {
                eventText = take().str;
                isString = true;
                if (eventText.size() == 2 && eventText[0] == L'^') {
                    const wchar_t c = static_cast<wchar_t>(std::towupper(eventText[1]));
                    if (c < L'@' || c > L'_') fail(eventTok, "invalid control character in accelerator");
                    key = c - L'@';
                } else if (eventText.size() == 1) {
                    key = eventText[0];
                } else {
                    fail(eventTok, "accelerator key must be one character or ^X");
                }
            } else {
                key = expr();
                if (key < 0 || key > 0xFFFF) fail(eventTok, "accelerator key out of range");
            }
            comma("the accelerator key");
            a.command = static_cast<std::uint32_t>(ctrlId());
            bool ascii = false;
            while (optionalComma()) {
                const RcToken& opt = m_cur.peek();
                if (opt.isKeyword("VIRTKEY")) a.flags |= kAccelVirtKey;
                else if (opt.isKeyword("ASCII")) ascii = true;
                else if (opt.isKeyword("NOINVERT")) a.flags |= kAccelNoInvert;
                else if (opt.isKeyword("SHIFT")) a.flags |= kAccelShift;
                else if (opt.isKeyword("CONTROL")) a.flags |= kAccelControl;
                else if (opt.isKeyword("ALT")) a.flags |= kAccelAlt;
                else fail(opt, "accelerator option expected, found " + describe(opt));
                take();
            }
            if (ascii && (a.flags & kAccelVirtKey)) fail(eventTok, "accelerator is both ASCII and VIRTKEY");
            if (!(a.flags & kAccelVirtKey) && (a.flags & (kAccelShift | kAccelControl)))
                fail(eventTok, "SHIFT and CONTROL need VIRTKEY");
            if (isString && (a.flags & kAccelVirtKey)) {
                if (eventText[0] == L'^') fail(eventTok, "^X keys cannot be VIRTKEY");
                key = std::towupper(static_cast<wint_t>(key));   // virtual keys of letters are the capitals
            }
            a.key = static_cast<std::uint16_t>(key);
            table.entries.push_back(a);
        }
        claim(KAccel, id, table.language, at, "accelerator table");
        m_set.accelerators.push_back(std::move(table));
    }

    void toolbar(std::uint32_t id, const RcToken& at)
    {
        skipMemoryOptions();
        ToolbarTemplate t;
        t.id = id;
        t.language = m_language;
        const RcToken& sizeTok = m_cur.peek();
        t.buttonWidth = intValue("button width");
        comma("the button width");
        t.buttonHeight = intValue("button height");
        if (t.buttonWidth <= 0 || t.buttonHeight <= 0) fail(sizeTok, "toolbar button size must be positive");
        while (commonOption(t.language)) {}
        begin("TOOLBAR");
        while (!atEnd("TOOLBAR")) {
            const RcToken& kw = m_cur.peek();
            if (kw.isKeyword("BUTTON")) {
                take();
                const RcToken& idTok = m_cur.peek();
                const std::uint32_t cmd = ctrlId();
                if (cmd == 0) fail(idTok, "toolbar button id 0 is reserved for separators");
                t.items.push_back(cmd);
            } else if (kw.isKeyword("SEPARATOR")) {
                take();
                t.items.push_back(0);
            } else {
                fail(kw, "BUTTON or SEPARATOR expected, found " + describe(kw));
            }
        }
        claim(KToolbar, id, t.language, at, "toolbar");
        m_set.toolbars.push_back(std::move(t));
    }

    void binary(std::uint32_t id, const RcToken& at, Kind kind, std::vector<ResBinary>& out, const char* what)
    {
        skipMemoryOptions();
        const RcToken& fileTok = m_cur.peek();
        ResBinary b;
        b.id = id;
        b.language = m_language;
        std::wstring wname = string("file name");
        std::string name;
        for (wchar_t c : wname) {
            if (c >= 0x80) fail(fileTok, std::string(what) + " file names must be ASCII");
            name += c == L'\\' ? '/' : static_cast<char>(c);
        }
        b.fileName = name;
        const std::string path = locate(name, fileTok);
        if (path.empty()) fail(fileTok, std::string("cannot find ") + what + " file '" + name + "'");
        b.bytes.clear();
        const std::string data = ReadWholeFile(path, kMaxBinaryBytes, fileTok.fileName(), fileTok.line,
                                               (std::string(what) + " file").c_str());
        b.bytes.assign(data.begin(), data.end());
        if (m_options.filesRead) m_options.filesRead->insert(path);
        checkMagic(b.bytes, kind, fileTok, name);
        claim(kind, id, b.language, at, what);
        out.push_back(std::move(b));
    }

    void checkMagic(const std::vector<unsigned char>& bytes, Kind kind, const RcToken& at, const std::string& name)
    {
        const auto has = [&](std::initializer_list<unsigned char> magic) {
            return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
        };
        if (kind == KBitmap && !has({'B', 'M'})) fail(at, "'" + name + "' is not a .bmp file");
        if (kind == KIcon && !has({0, 0, 1, 0})) fail(at, "'" + name + "' is not a .ico file");
        if (kind == KCursor && !has({0, 0, 2, 0}) && !has({'R', 'I', 'F', 'F'}))
            fail(at, "'" + name + "' is not a .cur or .ani file");
    }

    std::string locate(const std::string& name, const RcToken& at) const
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

    TokenCursor m_cur;
    const ParseOptions& m_options;
    ResourceSet& m_set;
    LANGID m_language;
    std::set<std::tuple<int, std::uint32_t, LANGID>> m_seen;
};

} // namespace

void ParseScript(const std::vector<RcToken>& tokens, const ParseOptions& options, ResourceSet& set)
{
    Parser(tokens, options, set).run();
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
