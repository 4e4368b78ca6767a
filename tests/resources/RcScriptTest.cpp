// The resource compiler on small scripts: every statement kind and what it produces.

#include "ScriptFixture.h"

#include <gmock/gmock.h>

namespace {

using ::testing::HasSubstr;

const ResString* StringById(const ResourceSet& set, std::uint32_t id, LANGID lang = kLangIdEnglish)
{
    for (const ResString& s : set.strings)
        if (s.id == id && s.language == lang) return &s;
    return nullptr;
}

using RcStringTest = ScriptFixture;

// How string literals of a script become texts.
TEST_F(RcStringTest, LiteralsDecodeEscapesAndUtf8)
{
    const struct {
        const char* literal;
        const wchar_t* text;
    } cases[] = {
        {R"("plain")", L"plain"},
        {R"("say ""hi""")", L"say \"hi\""},
        {R"("a\nb\tc")", L"a\nb\tc"},
        {R"("q\"q\\")", L"q\"q\\"},
        {R"("\x41\x4e2d!")", L"A\x4e2d!"},
        {R"("\101\0619")", L"A19"},
        {R"("中文 text")", L"\x4e2d\x6587 text"},
        {R"(L"wide")", L"wide"},
        {R"("joined " "text")", L"joined text"},
        {R"("")", L""},
        {R"("unknown \p escape")", L"unknown \\p escape"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.literal);
        const ResourceSet set = compile(std::string("STRINGTABLE BEGIN 7 ") + c.literal + " END");
        ASSERT_EQ(set.strings.size(), 1u);
        EXPECT_EQ(set.strings[0].text, c.text);
    }
}

TEST_F(RcStringTest, PreprocessorDefinesIncludesAndConditionals)
{
    writeFile("ids.h",
              "#pragma once\n"
              "// ids header shared with C++ code\n"
              "#define IDS_ONE 101\n"
              "#define IDS_TWO (IDS_ONE + 1)   /* expression */\n"
              "#define IDS_THREE \\\n    103\n"
              "#ifdef APSTUDIO_INVOKED\n#define IDS_ONE 999\n#endif\n"
              "int cppOnly(); // C++ content of a header is not script\n");
    const ResourceSet set = compile(
        "#include \"ids.h\"\n"
        "#define ENGLISH 1\n"
        "#if defined(ENGLISH) && ENGLISH > 0\n"
        "STRINGTABLE BEGIN IDS_ONE \"one\" END\n"
        "#elif 1\n"
        "STRINGTABLE BEGIN IDS_ONE \"wrong\" END\n"
        "#else\n"
        "this text is skipped, it's not lexed\n"
        "#endif\n"
        "#ifndef ENGLISH\n STRINGTABLE BEGIN 1 \"skipped\" END\n#endif\n"
        "#undef ENGLISH\n"
        "#if !defined ENGLISH\n"
        "STRINGTABLE BEGIN IDS_TWO, \"two\"\n IDS_THREE \"three\" END\n"
        "#endif\n");
    ASSERT_EQ(set.strings.size(), 3u);
    EXPECT_EQ(set.strings[0].id, 101u);
    EXPECT_EQ(set.strings[0].text, L"one");
    EXPECT_EQ(set.strings[1].id, 102u);
    EXPECT_EQ(set.strings[2].id, 103u);
}

TEST_F(RcStringTest, LanguageStatementsTagResources)
{
    const ResourceSet set = compile(
        "STRINGTABLE BEGIN 1 \"default\" END\n"
        "LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED\n"
        "STRINGTABLE BEGIN 1 \"zh\" END\n"
        "STRINGTABLE LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_UK BEGIN 1 \"uk\" END\n"
        "STRINGTABLE BEGIN 2 \"zh again\" END\n");
    ASSERT_NE(StringById(set, 1, kLangIdEnglish), nullptr);
    EXPECT_EQ(StringById(set, 1, kLangIdChinese)->text, L"zh");
    EXPECT_EQ(StringById(set, 1, MakeLangId(kLangEnglish, 2))->text, L"uk");
    EXPECT_EQ(StringById(set, 2, kLangIdChinese)->text, L"zh again");
}

TEST_F(RcStringTest, WindowsLineEndingsAndByteOrderMark)
{
    const ResourceSet set = compile("\xEF\xBB\xBF#define X 5\r\nSTRINGTABLE\r\nBEGIN\r\n  X \"five\"\r\nEND\r\n");
    ASSERT_EQ(set.strings.size(), 1u);
    EXPECT_EQ(set.strings[0].id, 5u);
    EXPECT_EQ(set.strings[0].text, L"five");
}

using RcDialogTest = ScriptFixture;

constexpr std::uint32_t WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000, WS_TABSTOP = 0x10000, WS_GROUP = 0x20000,
                        WS_BORDER = 0x800000, WS_POPUP = 0x80000000, WS_CAPTION = 0xC00000, WS_SYSMENU = 0x80000,
                        DS_SETFONT = 0x40, DS_MODALFRAME = 0x80, WS_VSCROLL = 0x200000;

TEST_F(RcDialogTest, TemplateAndEveryControlKind)
{
    const ResourceSet set = compile(R"(
#define IDD_TEST 4565
#define IDC_EDIT 1013
IDD_TEST DIALOGEX 10, 20, 239, 155
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
EXSTYLE WS_EX_TOOLWINDOW
CAPTION "Parameter"
FONT 8, "MS Sans Serif", 400, 0, 0x1
MENU 129
CLASS "MyDialogClass"
BEGIN
    LTEXT           "Left",-1,1,2,3,4
    RTEXT           "Right",-1,1,2,3,4,SS_NOTIFY
    CTEXT           "Centre",-1,1,2,3,4,NOT WS_GROUP
    PUSHBUTTON      "Push",10,1,2,3,4
    DEFPUSHBUTTON   "OK",IDOK,1,2,3,4
    EDITTEXT        IDC_EDIT,5,6,7,8,ES_AUTOHSCROLL | NOT WS_BORDER,WS_EX_CLIENTEDGE
    COMBOBOX        11,1,2,3,40,CBS_DROPDOWNLIST | WS_VSCROLL
    LISTBOX         12,1,2,3,4,LBS_SORT
    GROUPBOX        "Group",13,1,2,3,4
    CHECKBOX        "Check",14,1,2,3,4
    AUTOCHECKBOX    "Auto",15,1,2,3,4
    AUTO3STATE      "Three",16,1,2,3,4
    RADIOBUTTON     "Radio",17,1,2,3,4
    AUTORADIOBUTTON "AutoRadio",18,1,2,3,4
    ICON            133,19,1,2
    SCROLLBAR       20,1,2,3,4,SBS_VERT
    CONTROL         "",21,"msctls_trackbar32",TBS_BOTH | TBS_NOTICKS | WS_TABSTOP,1,2,3,4
    CONTROL         "Custom",22,"MFCGridCtrl",WS_TABSTOP,1,2,3,4,WS_EX_CLIENTEDGE,77
    CONTROL         "B",23,button,BS_AUTOCHECKBOX,1,2,3,4
END
)");
    ASSERT_EQ(set.dialogs.size(), 1u);
    const DialogTemplate& d = set.dialogs[0];
    EXPECT_EQ(d.id, 4565u);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(d.caption, L"Parameter");
    EXPECT_EQ(d.fontFace, L"MS Sans Serif");
    EXPECT_EQ(d.fontSize, 8);
    EXPECT_EQ(d.fontWeight, 400);
    EXPECT_EQ(d.fontCharset, 1);
    EXPECT_EQ(d.style, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT);
    EXPECT_EQ(d.exStyle, 0x80u);
    EXPECT_EQ(d.menuId, 129u);
    EXPECT_EQ(d.className, L"MyDialogClass");
    EXPECT_EQ((std::vector<int>{d.x, d.y, d.cx, d.cy}), (std::vector<int>{10, 20, 239, 155}));

    const std::uint32_t base = WS_CHILD | WS_VISIBLE;
    const struct {
        const wchar_t* cls;
        const wchar_t* text;
        std::uint32_t id;
        std::uint32_t style;
    } expected[] = {
        {L"Static", L"Left", 0xFFFFFFFF, base | WS_GROUP | 0x0},
        {L"Static", L"Right", 0xFFFFFFFF, base | WS_GROUP | 0x2 | 0x100},
        {L"Static", L"Centre", 0xFFFFFFFF, base | 0x1},
        {L"Button", L"Push", 10, base | WS_TABSTOP | 0x0},
        {L"Button", L"OK", 1, base | WS_TABSTOP | 0x1},
        {L"Edit", L"", 1013, base | WS_TABSTOP | 0x80},
        {L"ComboBox", L"", 11, base | WS_TABSTOP | 0x3 | WS_VSCROLL},
        {L"ListBox", L"", 12, base | WS_BORDER | 0x1 | 0x2},
        {L"Button", L"Group", 13, base | 0x7},
        {L"Button", L"Check", 14, base | WS_TABSTOP | 0x2},
        {L"Button", L"Auto", 15, base | WS_TABSTOP | 0x3},
        {L"Button", L"Three", 16, base | WS_TABSTOP | 0x6},
        {L"Button", L"Radio", 17, base | WS_TABSTOP | 0x4},
        {L"Button", L"AutoRadio", 18, base | WS_TABSTOP | 0x9},
        {L"Static", L"", 19, base | 0x3},
        {L"ScrollBar", L"", 20, base | 0x1},
        {L"msctls_trackbar32", L"", 21, base | WS_TABSTOP | 0x8 | 0x10},
        {L"MFCGridCtrl", L"Custom", 22, base | WS_TABSTOP},
        {L"Button", L"B", 23, base | 0x3},
    };
    ASSERT_EQ(d.items.size(), std::size(expected));
    for (std::size_t i = 0; i < d.items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(d.items[i].className, expected[i].cls);
        EXPECT_EQ(d.items[i].text, expected[i].text);
        EXPECT_EQ(d.items[i].id, expected[i].id);
        EXPECT_EQ(d.items[i].style, expected[i].style);
    }
    const DialogItem& edit = d.items[5];
    EXPECT_EQ((std::vector<int>{edit.x, edit.y, edit.cx, edit.cy}), (std::vector<int>{5, 6, 7, 8}));
    EXPECT_EQ(edit.exStyle, 0x200u);
    EXPECT_EQ(d.items[14].textId, 133u);   // the icon's resource id
    EXPECT_EQ(d.items[17].helpId, 77u);
}

TEST_F(RcDialogTest, PlainDialogGetsDefaultStyleCaptionAndFontBits)
{
    const ResourceSet set = compile("5 DIALOG DISCARDABLE 0, 0, 65, 25\nCAPTION \"C\"\nFONT 8, \"System\"\n"
                                    "{ PUSHBUTTON \"x\", 1, 0, 0, 11, 12 }\n"
                                    "6 DIALOG 0, 0, 1, 1 STYLE WS_CHILD BEGIN END\n");
    ASSERT_EQ(set.dialogs.size(), 2u);
    EXPECT_FALSE(set.dialogs[0].extended);
    EXPECT_EQ(set.dialogs[0].style, WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CAPTION | DS_SETFONT);
    EXPECT_EQ(set.dialogs[1].style, WS_CHILD);
    EXPECT_TRUE(set.dialogs[1].items.empty());
}

using RcMenuTest = ScriptFixture;

TEST_F(RcMenuTest, MenuTreeWithPopupsSeparatorsAndFlags)
{
    const ResourceSet set = compile(R"(
129 MENU
BEGIN
    POPUP "&File"
    BEGIN
        MENUITEM "&New\tCtrl+N",        57600
        POPUP "Ne&w"
        BEGIN
            MENUITEM "Function Block",  32771, CHECKED
            MENUITEM "Ladder",          32772, GRAYED
        END
        MENUITEM SEPARATOR
        MENUITEM "E&xit",               57665, MENUBARBREAK
    END
    MENUITEM "&Help",                   57664, HELP INACTIVE
END
130 MENUEX
BEGIN
    POPUP "&Edit", 0, MFT_STRING, MFS_ENABLED
    BEGIN
        MENUITEM "&Undo", 57643, MFT_STRING, MFS_GRAYED
        MENUITEM "", 0, MFT_SEPARATOR
        MENUITEM "&Paste", 57637,, MFS_DEFAULT
    END
END
)");
    ASSERT_EQ(set.menus.size(), 2u);
    const MenuTemplate& m = set.menus[0];
    EXPECT_FALSE(m.extended);
    ASSERT_EQ(m.items.size(), 2u);
    const MenuItem& file = m.items[0];
    EXPECT_EQ(file.text, L"&File");
    EXPECT_EQ(file.flags, kMenuPopup);
    ASSERT_EQ(file.children.size(), 4u);
    EXPECT_EQ(file.children[0].text, L"&New\tCtrl+N");
    EXPECT_EQ(file.children[0].id, 57600u);
    ASSERT_EQ(file.children[1].children.size(), 2u);
    EXPECT_EQ(file.children[1].children[0].flags, kMenuChecked);
    EXPECT_EQ(file.children[1].children[1].flags, kMenuGrayed);
    EXPECT_EQ(file.children[2].flags, kMenuSeparator);
    EXPECT_EQ(file.children[3].flags, kMenuBarBreak);
    EXPECT_EQ(m.items[1].flags, kMenuHelp | kMenuDisabled);

    const MenuTemplate& ex = set.menus[1];
    EXPECT_TRUE(ex.extended);
    ASSERT_EQ(ex.items.size(), 1u);
    ASSERT_EQ(ex.items[0].children.size(), 3u);
    EXPECT_EQ(ex.items[0].children[0].flags, 0x3u);
    EXPECT_EQ(ex.items[0].children[1].flags, kMenuSeparator);
    EXPECT_EQ(ex.items[0].children[2].id, 57637u);
    EXPECT_EQ(ex.items[0].children[2].flags, kMenuDefault);
}

using RcAcceleratorTest = ScriptFixture;

TEST_F(RcAcceleratorTest, KeysAndModifiers)
{
    const struct {
        const char* line;
        std::uint8_t flags;
        std::uint16_t key;
    } cases[] = {
        {R"("N", 100, VIRTKEY, CONTROL)", kAccelVirtKey | kAccelControl, 'N'},
        {R"("n", 100, VIRTKEY, CONTROL, SHIFT)", kAccelVirtKey | kAccelControl | kAccelShift, 'N'},
        {R"(VK_F3, 100, VIRTKEY)", kAccelVirtKey, 0x72},
        {R"(VK_DELETE, 100, VIRTKEY, NOINVERT)", kAccelVirtKey | kAccelNoInvert, 0x2E},
        {R"(VK_BACK, 100, VIRTKEY, ALT)", kAccelVirtKey | kAccelAlt, 0x08},
        {R"("^C", 100)", 0, 3},
        {R"("a", 100, ASCII, ALT)", kAccelAlt, 'a'},
        {R"(65, 100, ASCII)", 0, 65},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const ResourceSet set = compile(std::string("128 ACCELERATORS\nBEGIN\n    ") + c.line + "\nEND\n");
        ASSERT_EQ(set.accelerators.size(), 1u);
        ASSERT_EQ(set.accelerators[0].entries.size(), 1u);
        EXPECT_EQ(set.accelerators[0].entries[0].flags, c.flags);
        EXPECT_EQ(set.accelerators[0].entries[0].key, c.key);
        EXPECT_EQ(set.accelerators[0].entries[0].command, 100u);
    }
}

TEST_F(RcAcceleratorTest, SeveralEntriesInOrder)
{
    const ResourceSet set = compile("128 ACCELERATORS BEGIN VK_F1, 1, VIRTKEY\n VK_F2, 2, VIRTKEY\n \"^Z\", 3 END");
    ASSERT_EQ(set.accelerators.size(), 1u);
    ASSERT_EQ(set.accelerators[0].entries.size(), 3u);
    EXPECT_EQ(set.accelerators[0].entries[1].key, 0x71);
    EXPECT_EQ(set.accelerators[0].entries[2].command, 3u);
}

using RcToolbarAndFilesTest = ScriptFixture;

TEST_F(RcToolbarAndFilesTest, ToolbarButtonsAndSeparators)
{
    const ResourceSet set = compile("128 TOOLBAR 16, 15\nBEGIN\n BUTTON 57600\n BUTTON 57601\n SEPARATOR\n"
                                    " BUTTON 57603\nEND\n");
    ASSERT_EQ(set.toolbars.size(), 1u);
    EXPECT_EQ(set.toolbars[0].buttonWidth, 16);
    EXPECT_EQ(set.toolbars[0].buttonHeight, 15);
    EXPECT_EQ(set.toolbars[0].items, (std::vector<std::uint32_t>{57600, 57601, 0, 57603}));
}

TEST_F(RcToolbarAndFilesTest, ImageFilesAreEmbeddedAsBytes)
{
    const std::string bmp("BM\x3a\0\0\0", 6), ico("\0\0\x01\0\x01\0", 6), cur("\0\0\x02\0\x01\0", 6);
    std::filesystem::create_directories(m_dir / "res");
    writeFile("res/tool.bmp", bmp);
    writeFile("app.ico", ico);
    writeFile("hand.cur", cur);
    const ResourceSet set = compile("131 BITMAP \"res\\\\tool.bmp\"\n133 ICON DISCARDABLE \"app.ico\"\n"
                                    "191 CURSOR \"hand.cur\"\n");
    ASSERT_EQ(set.bitmaps.size(), 1u);
    EXPECT_EQ(set.bitmaps[0].id, 131u);
    EXPECT_EQ(set.bitmaps[0].fileName, "res/tool.bmp");
    EXPECT_EQ(std::string(set.bitmaps[0].bytes.begin(), set.bitmaps[0].bytes.end()), bmp);
    ASSERT_EQ(set.icons.size(), 1u);
    EXPECT_EQ(std::string(set.icons[0].bytes.begin(), set.icons[0].bytes.end()), ico);
    ASSERT_EQ(set.cursors.size(), 1u);
    EXPECT_EQ(std::string(set.cursors[0].bytes.begin(), set.cursors[0].bytes.end()), cur);
}

using RcErrorTest = ScriptFixture;

// Malformed scripts fail with a message that names the line.
TEST_F(RcErrorTest, MalformedScriptsNameTheLine)
{
    writeFile("bad.bmp", "not a bitmap");
    const struct {
        const char* script;
        int line;
        const char* message;
    } cases[] = {
        {"STRINGTABLE\nBEGIN\n 1 \"unterminated\nEND\n", 3, "unterminated string"},
        {"STRINGTABLE BEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n", 3, "duplicate string 1"},
        {"\nIDD_MISSING DIALOG 0, 0, 1, 1 BEGIN END\n", 2, "undefined resource id 'IDD_MISSING'"},
        {"1 DIALOG 0, 0, 1, 1\nBEGIN\n  PUSHBUTTON \"x\" 1, 0, 0, 1, 1\nEND\n", 3, "',' expected"},
        {"1 DIALOG 0, 0, 1, 1\nBEGIN\n  BUTTONX \"x\", 1, 0, 0, 1, 1\nEND\n", 3, "unknown control statement"},
        {"1 DIALOG 0, 0, 1, 1\nBEGIN\n  EDITTEXT 5, 0, 0, 1, 1, ES_BOGUS\nEND\n", 3, "undefined symbol 'ES_BOGUS'"},
        {"1 MENU\nBEGIN\n  MENUITEM \"x\", 1\n", 3, "END of MENU missing"},
        {"1 MENU\nBEGIN\n  ITEM \"x\", 1\nEND\n", 3, "MENUITEM or POPUP expected"},
        {"1 ACCELERATORS\nBEGIN\n  \"A\", 1, SHIFT\nEND\n", 3, "SHIFT and CONTROL need VIRTKEY"},
        {"1 ACCELERATORS\nBEGIN\n  \"AB\", 1\nEND\n", 3, "one character"},
        {"\n\n1 BITMAP \"missing.bmp\"\n", 3, "cannot find bitmap file 'missing.bmp'"},
        {"1 BITMAP \"bad.bmp\"\n", 1, "not a .bmp file"},
        {"1 RCDATA \"x\"\n", 1, "unsupported resource type 'RCDATA'"},
        {"70000 DIALOG 0, 0, 1, 1 BEGIN END\n", 1, "out of range"},
        {"#include \"nowhere.h\"\n", 1, "cannot open include file 'nowhere.h'"},
        {"#if 1\n", 1, "#if without #endif"},
        {"#endif\n", 1, "#endif without #if"},
        {"\n#if 1 / 0\n#endif\n", 2, "division by zero"},
        {"\n#error stop here\n", 2, "#error stop here"},
        {"STRINGTABLE BEGIN 1 \"\xE4\xB8\" END\n", 1, "UTF-8"},
        {"STRINGTABLE BEGIN 1 \"a\" END\n@\n", 2, "unexpected character '@'"},
        {"1 TOOLBAR 16, 0 BEGIN END\n", 1, "button size"},
        {"1 DIALOG 0, 0, 1, 1 STYLE WS_CHILD | NOT\n", 1, "expected at end of input"},
        {"/* never closed\n", 1, "unterminated comment"},
        {"STRINGTABLE BEGIN 1 0x END\n", 1, "malformed hexadecimal"},
        {"STRINGTABLE BEGIN 99999999999 \"x\" END\n", 1, "number too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        const rc::RcError e = compileError(c.script);
        EXPECT_EQ(e.line(), c.line);
        EXPECT_THAT(e.what(), HasSubstr(c.message));
    }
}

TEST_F(RcErrorTest, ErrorsInsideIncludedHeadersNameThatFile)
{
    writeFile("ids.h", "#define A 1\n#define B 2\n#if\n#endif\n");
    const rc::RcError e = compileError("#include \"ids.h\"\n");
    EXPECT_EQ(e.line(), 3);
    EXPECT_THAT(e.file(), HasSubstr("ids.h"));
    EXPECT_THAT(e.where(), HasSubstr("ids.h:3: error:"));
}

TEST_F(RcErrorTest, IncludeCycleStopsAtTheDepthLimit)
{
    writeFile("loop.h", "#include \"loop.h\"\n");
    const rc::RcError e = compileError("#include \"loop.h\"\n");
    EXPECT_THAT(e.what(), HasSubstr("nested too deeply"));
}

// Hostile nesting ends in an error, not in a stack overflow.
TEST_F(RcErrorTest, DeepNestingIsRefused)
{
    std::string parens = "STRINGTABLE BEGIN " + std::string(5000, '(') + "1" + std::string(5000, ')') + " \"x\" END";
    EXPECT_THAT(compileError(parens).what(), HasSubstr("nested too deeply"));

    std::string menu = "1 MENU BEGIN ";
    for (int i = 0; i < 5000; ++i) menu += "POPUP \"p\" BEGIN ";
    EXPECT_THAT(compileError(menu).what(), HasSubstr("nested too deeply"));

    std::string macros;
    for (int i = 0; i < 5000; ++i) macros += "#define M" + std::to_string(i) + " M" + std::to_string(i + 1) + "\n";
    EXPECT_THAT(compileError(macros + "STRINGTABLE BEGIN M0 \"x\" END\n").what(), HasSubstr("nested too deeply"));
}

TEST_F(RcErrorTest, RecursiveMacroDoesNotHang)
{
    const rc::RcError e = compileError("#define LOOP LOOP\nSTRINGTABLE BEGIN LOOP \"x\" END\n");
    EXPECT_EQ(e.line(), 2);
    EXPECT_THAT(e.what(), HasSubstr("'LOOP'"));
}

} // namespace
