// DIALOG and DIALOGEX statements with their controls.

#include "tools/rc/RcStatementParser.h"

#include <algorithm>
#include <cwctype>

namespace rc {

namespace {

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

} // namespace

void StatementParser::dialog(std::uint32_t id, const RcToken& at, bool extended)
{
    skipMemoryOptions();
    DialogTemplate d;
    d.id = id;
    d.language = m_language;
    d.extended = extended;
    rectangle(d);
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

void StatementParser::text(DialogItem& item)
{
    if (m_cur.peek().kind == RcToken::String) item.text = take().str;
    else item.textId = ordinal("control text or resource id");
}

void StatementParser::trailing(DialogItem& item, std::uint32_t defaults)
{
    StyleValue style;
    if (optionalComma()) style = styleExpr();
    item.style = style.apply(defaults);
    if (optionalComma()) {
        item.exStyle = dword();
        if (optionalComma()) item.helpId = dword();
    }
}

DialogItem StatementParser::control()
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

} // namespace rc
