// MENU, MENUEX, ACCELERATORS and TOOLBAR statements.

#include "tools/rc/RcStatementParser.h"

#include <cwctype>

namespace rc {

namespace {

constexpr int kMaxMenuDepth = 32;

} // namespace

void StatementParser::menu(std::uint32_t id, const RcToken& at, bool extended)
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

std::uint32_t StatementParser::optionalField()
{
    if (m_cur.peek().isPunct(",") || isEnd(m_cur.peek()) || isBegin(m_cur.peek())) return 0;
    return dword();
}

void StatementParser::menuItems(std::vector<MenuItem>& items, bool extended, int depth)
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

std::uint32_t StatementParser::menuOptions()
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

void StatementParser::accelerators(std::uint32_t id, const RcToken& at)
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

void StatementParser::toolbar(std::uint32_t id, const RcToken& at)
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

} // namespace rc
