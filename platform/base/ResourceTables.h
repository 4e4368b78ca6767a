// The compiled resource tables: string tables, dialog templates, menus, accelerator tables,
// toolbars and the bytes of bitmaps, icons and cursors, each tagged with its language.
// Plain structs with no dependency on the window layer, so that the resource compiler, the
// lookup functions and the window layer can all share them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using LANGID = std::uint16_t;

// Language identifiers: primary language in the low 10 bits, sublanguage above.
constexpr LANGID MakeLangId(unsigned primary, unsigned sub) { return LANGID((sub << 10) | primary); }
constexpr unsigned PrimaryLangId(LANGID lang) { return lang & 0x3FFu; }

constexpr unsigned kLangNeutral = 0x00;
constexpr unsigned kLangChinese = 0x04;
constexpr unsigned kLangEnglish = 0x09;
constexpr unsigned kSublangEnglishUs = 0x01;
constexpr unsigned kSublangChineseSimplified = 0x02;

constexpr LANGID kLangIdEnglish = MakeLangId(kLangEnglish, kSublangEnglishUs);                 // 0x0409
constexpr LANGID kLangIdChinese = MakeLangId(kLangChinese, kSublangChineseSimplified);         // 0x0804

// One string-table entry.
struct ResString {
    std::uint32_t id = 0;
    LANGID language = kLangIdEnglish;
    std::wstring text;
};

// One control of a dialog template. Coordinates are dialog units.
struct DialogItem {
    std::wstring className;   // "Button", "Edit", "Static", "ListBox", "ComboBox", "ScrollBar" or a custom class
    std::wstring text;
    std::uint32_t textId = 0; // non-zero when the text is a resource ordinal (an icon or bitmap id)
    std::uint32_t id = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    std::uint32_t id = 0;
    LANGID language = kLangIdEnglish;
    bool extended = false;    // written as DIALOGEX
    std::wstring caption;
    std::wstring fontFace;    // empty when the template names no font
    int fontSize = 0;         // points
    int fontWeight = 0;
    bool fontItalic = false;
    int fontCharset = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t menuId = 0;
    std::wstring className;   // window class of the dialog itself, empty for the standard one
    int x = 0, y = 0, cx = 0, cy = 0;
    std::vector<DialogItem> items;
};

// Menu item flags (the same bits as the Win32 MF_/MFT_/MFS_ flags).
constexpr std::uint32_t kMenuGrayed = 0x0001;
constexpr std::uint32_t kMenuDisabled = 0x0002;
constexpr std::uint32_t kMenuChecked = 0x0008;
constexpr std::uint32_t kMenuPopup = 0x0010;
constexpr std::uint32_t kMenuBarBreak = 0x0020;
constexpr std::uint32_t kMenuBreak = 0x0040;
constexpr std::uint32_t kMenuSeparator = 0x0800;
constexpr std::uint32_t kMenuDefault = 0x1000;
constexpr std::uint32_t kMenuHelp = 0x4000;   // right-justified in the menu bar

struct MenuItem {
    std::wstring text;
    std::uint32_t id = 0;     // command id; 0 for separators and (usually) popups
    std::uint32_t flags = 0;  // kMenu* bits; kMenuPopup when the item has a submenu
    std::uint32_t helpId = 0;
    std::vector<MenuItem> children;
};

struct MenuTemplate {
    std::uint32_t id = 0;
    LANGID language = kLangIdEnglish;
    bool extended = false;    // written as MENUEX
    std::vector<MenuItem> items;   // the menu bar (or the top level of a popup menu)
};

// Accelerator flags (the same bits as the Win32 ACCEL fVirt flags).
constexpr std::uint8_t kAccelVirtKey = 0x01;
constexpr std::uint8_t kAccelNoInvert = 0x02;
constexpr std::uint8_t kAccelShift = 0x04;
constexpr std::uint8_t kAccelControl = 0x08;
constexpr std::uint8_t kAccelAlt = 0x10;

struct Accelerator {
    std::uint8_t flags = 0;   // kAccel* bits
    std::uint16_t key = 0;    // virtual-key code with kAccelVirtKey, otherwise a character code
    std::uint32_t command = 0;
};

struct AcceleratorTable {
    std::uint32_t id = 0;
    LANGID language = kLangIdEnglish;
    std::vector<Accelerator> entries;
};

// A toolbar: its button images come from the bitmap with the same id, one image of
// buttonWidth x buttonHeight pixels per non-separator item, left to right.
struct ToolbarTemplate {
    std::uint32_t id = 0;
    LANGID language = kLangIdEnglish;
    int buttonWidth = 0;
    int buttonHeight = 0;
    std::vector<std::uint32_t> items;   // command ids; 0 marks a separator
};

// The bytes of a bitmap (.bmp file), icon (.ico) or cursor (.cur) as stored in its file.
struct ResBinary {
    std::uint32_t id = 0;
    LANGID language = kLangIdEnglish;
    std::string fileName;     // as written in the script
    std::vector<unsigned char> bytes;
};

struct ResourceSet {
    std::vector<ResString> strings;
    std::vector<DialogTemplate> dialogs;
    std::vector<MenuTemplate> menus;
    std::vector<AcceleratorTable> accelerators;
    std::vector<ToolbarTemplate> toolbars;
    std::vector<ResBinary> bitmaps;
    std::vector<ResBinary> icons;
    std::vector<ResBinary> cursors;
};

// The program's own resources, compiled from resources/*.rc at build time.
const ResourceSet& CompiledResources();

// How the platform layer finds the program's resources in the current interface language. The
// platform knows no resource set of its own: the program's resource library installs a finder
// at start-up (InitResources). Members left null find nothing.
struct ResourceFinder {
    const ResString* (*findString)(std::uint32_t id) = nullptr;
    const DialogTemplate* (*findDialog)(std::uint32_t id) = nullptr;
    const MenuTemplate* (*findMenu)(std::uint32_t id) = nullptr;
    const AcceleratorTable* (*findAccelerators)(std::uint32_t id) = nullptr;
    const ToolbarTemplate* (*findToolbar)(std::uint32_t id) = nullptr;
    const ResBinary* (*findBitmap)(std::uint32_t id) = nullptr;
    const ResBinary* (*findIcon)(std::uint32_t id) = nullptr;
    const ResBinary* (*findCursor)(std::uint32_t id) = nullptr;
};

void AfxSetResourceFinder(const ResourceFinder& finder);
const ResourceFinder& AfxGetResourceFinder();
