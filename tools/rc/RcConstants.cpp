#include "tools/rc/RcConstants.h"

#include <unordered_map>

namespace rc {

namespace {

const std::unordered_map<std::string, std::int64_t>& Table()
{
    static const std::unordered_map<std::string, std::int64_t> table = [] {
        std::unordered_map<std::string, std::int64_t> t = {
            // Window styles
            {"WS_OVERLAPPED", 0x00000000}, {"WS_TILED", 0x00000000}, {"WS_POPUP", 0x80000000},
            {"WS_CHILD", 0x40000000}, {"WS_CHILDWINDOW", 0x40000000}, {"WS_MINIMIZE", 0x20000000},
            {"WS_ICONIC", 0x20000000}, {"WS_VISIBLE", 0x10000000}, {"WS_DISABLED", 0x08000000},
            {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000}, {"WS_MAXIMIZE", 0x01000000},
            {"WS_CAPTION", 0x00C00000}, {"WS_BORDER", 0x00800000}, {"WS_DLGFRAME", 0x00400000},
            {"WS_VSCROLL", 0x00200000}, {"WS_HSCROLL", 0x00100000}, {"WS_SYSMENU", 0x00080000},
            {"WS_THICKFRAME", 0x00040000}, {"WS_SIZEBOX", 0x00040000}, {"WS_GROUP", 0x00020000},
            {"WS_TABSTOP", 0x00010000}, {"WS_MINIMIZEBOX", 0x00020000}, {"WS_MAXIMIZEBOX", 0x00010000},
            {"WS_OVERLAPPEDWINDOW", 0x00CF0000}, {"WS_TILEDWINDOW", 0x00CF0000}, {"WS_POPUPWINDOW", 0x80880000},
            // Extended window styles
            {"WS_EX_DLGMODALFRAME", 0x00000001}, {"WS_EX_NOPARENTNOTIFY", 0x00000004},
            {"WS_EX_TOPMOST", 0x00000008}, {"WS_EX_ACCEPTFILES", 0x00000010}, {"WS_EX_TRANSPARENT", 0x00000020},
            {"WS_EX_MDICHILD", 0x00000040}, {"WS_EX_TOOLWINDOW", 0x00000080}, {"WS_EX_WINDOWEDGE", 0x00000100},
            {"WS_EX_CLIENTEDGE", 0x00000200}, {"WS_EX_CONTEXTHELP", 0x00000400}, {"WS_EX_RIGHT", 0x00001000},
            {"WS_EX_LEFT", 0x00000000}, {"WS_EX_RTLREADING", 0x00002000}, {"WS_EX_LTRREADING", 0x00000000},
            {"WS_EX_LEFTSCROLLBAR", 0x00004000}, {"WS_EX_RIGHTSCROLLBAR", 0x00000000},
            {"WS_EX_CONTROLPARENT", 0x00010000}, {"WS_EX_STATICEDGE", 0x00020000}, {"WS_EX_APPWINDOW", 0x00040000},
            {"WS_EX_OVERLAPPEDWINDOW", 0x00000300}, {"WS_EX_PALETTEWINDOW", 0x00000188},
            {"WS_EX_LAYERED", 0x00080000}, {"WS_EX_NOACTIVATE", 0x08000000},
            // Dialog styles
            {"DS_ABSALIGN", 0x01}, {"DS_SYSMODAL", 0x02}, {"DS_3DLOOK", 0x04}, {"DS_FIXEDSYS", 0x08},
            {"DS_NOFAILCREATE", 0x10}, {"DS_LOCALEDIT", 0x20}, {"DS_SETFONT", 0x40}, {"DS_MODALFRAME", 0x80},
            {"DS_NOIDLEMSG", 0x100}, {"DS_SETFOREGROUND", 0x200}, {"DS_CONTROL", 0x400}, {"DS_CENTER", 0x800},
            {"DS_CENTERMOUSE", 0x1000}, {"DS_CONTEXTHELP", 0x2000}, {"DS_SHELLFONT", 0x48},
            // Static control styles
            {"SS_LEFT", 0x00}, {"SS_CENTER", 0x01}, {"SS_RIGHT", 0x02}, {"SS_ICON", 0x03}, {"SS_BLACKRECT", 0x04},
            {"SS_GRAYRECT", 0x05}, {"SS_WHITERECT", 0x06}, {"SS_BLACKFRAME", 0x07}, {"SS_GRAYFRAME", 0x08},
            {"SS_WHITEFRAME", 0x09}, {"SS_USERITEM", 0x0A}, {"SS_SIMPLE", 0x0B}, {"SS_LEFTNOWORDWRAP", 0x0C},
            {"SS_OWNERDRAW", 0x0D}, {"SS_BITMAP", 0x0E}, {"SS_ENHMETAFILE", 0x0F}, {"SS_ETCHEDHORZ", 0x10},
            {"SS_ETCHEDVERT", 0x11}, {"SS_ETCHEDFRAME", 0x12}, {"SS_TYPEMASK", 0x1F}, {"SS_REALSIZECONTROL", 0x40},
            {"SS_NOPREFIX", 0x80}, {"SS_NOTIFY", 0x100}, {"SS_CENTERIMAGE", 0x200}, {"SS_RIGHTJUST", 0x400},
            {"SS_REALSIZEIMAGE", 0x800}, {"SS_SUNKEN", 0x1000}, {"SS_EDITCONTROL", 0x2000},
            {"SS_ENDELLIPSIS", 0x4000}, {"SS_PATHELLIPSIS", 0x8000}, {"SS_WORDELLIPSIS", 0xC000},
            // Button styles
            {"BS_PUSHBUTTON", 0x00}, {"BS_DEFPUSHBUTTON", 0x01}, {"BS_CHECKBOX", 0x02}, {"BS_AUTOCHECKBOX", 0x03},
            {"BS_RADIOBUTTON", 0x04}, {"BS_3STATE", 0x05}, {"BS_AUTO3STATE", 0x06}, {"BS_GROUPBOX", 0x07},
            {"BS_USERBUTTON", 0x08}, {"BS_AUTORADIOBUTTON", 0x09}, {"BS_PUSHBOX", 0x0A}, {"BS_OWNERDRAW", 0x0B},
            {"BS_TYPEMASK", 0x0F}, {"BS_LEFTTEXT", 0x20}, {"BS_RIGHTBUTTON", 0x20}, {"BS_TEXT", 0x00},
            {"BS_ICON", 0x40}, {"BS_BITMAP", 0x80}, {"BS_LEFT", 0x100}, {"BS_RIGHT", 0x200}, {"BS_CENTER", 0x300},
            {"BS_TOP", 0x400}, {"BS_BOTTOM", 0x800}, {"BS_VCENTER", 0xC00}, {"BS_PUSHLIKE", 0x1000},
            {"BS_MULTILINE", 0x2000}, {"BS_NOTIFY", 0x4000}, {"BS_FLAT", 0x8000},
            // Edit styles
            {"ES_LEFT", 0x00}, {"ES_CENTER", 0x01}, {"ES_RIGHT", 0x02}, {"ES_MULTILINE", 0x04},
            {"ES_UPPERCASE", 0x08}, {"ES_LOWERCASE", 0x10}, {"ES_PASSWORD", 0x20}, {"ES_AUTOVSCROLL", 0x40},
            {"ES_AUTOHSCROLL", 0x80}, {"ES_NOHIDESEL", 0x100}, {"ES_OEMCONVERT", 0x400}, {"ES_READONLY", 0x800},
            {"ES_WANTRETURN", 0x1000}, {"ES_NUMBER", 0x2000},
            // Combo box styles
            {"CBS_SIMPLE", 0x01}, {"CBS_DROPDOWN", 0x02}, {"CBS_DROPDOWNLIST", 0x03}, {"CBS_OWNERDRAWFIXED", 0x10},
            {"CBS_OWNERDRAWVARIABLE", 0x20}, {"CBS_AUTOHSCROLL", 0x40}, {"CBS_OEMCONVERT", 0x80}, {"CBS_SORT", 0x100},
            {"CBS_HASSTRINGS", 0x200}, {"CBS_NOINTEGRALHEIGHT", 0x400}, {"CBS_DISABLENOSCROLL", 0x800},
            {"CBS_UPPERCASE", 0x2000}, {"CBS_LOWERCASE", 0x4000},
            // List box styles
            {"LBS_NOTIFY", 0x01}, {"LBS_SORT", 0x02}, {"LBS_NOREDRAW", 0x04}, {"LBS_MULTIPLESEL", 0x08},
            {"LBS_OWNERDRAWFIXED", 0x10}, {"LBS_OWNERDRAWVARIABLE", 0x20}, {"LBS_HASSTRINGS", 0x40},
            {"LBS_USETABSTOPS", 0x80}, {"LBS_NOINTEGRALHEIGHT", 0x100}, {"LBS_MULTICOLUMN", 0x200},
            {"LBS_WANTKEYBOARDINPUT", 0x400}, {"LBS_EXTENDEDSEL", 0x800}, {"LBS_DISABLENOSCROLL", 0x1000},
            {"LBS_NODATA", 0x2000}, {"LBS_NOSEL", 0x4000}, {"LBS_STANDARD", 0x00A00003},
            // Scroll bar styles
            {"SBS_HORZ", 0x00}, {"SBS_VERT", 0x01}, {"SBS_TOPALIGN", 0x02}, {"SBS_LEFTALIGN", 0x02},
            {"SBS_BOTTOMALIGN", 0x04}, {"SBS_RIGHTALIGN", 0x04}, {"SBS_SIZEBOX", 0x08}, {"SBS_SIZEGRIP", 0x10},
            // Common controls
            {"TBS_AUTOTICKS", 0x01}, {"TBS_VERT", 0x02}, {"TBS_HORZ", 0x00}, {"TBS_TOP", 0x04}, {"TBS_BOTTOM", 0x00},
            {"TBS_LEFT", 0x04}, {"TBS_RIGHT", 0x00}, {"TBS_BOTH", 0x08}, {"TBS_NOTICKS", 0x10},
            {"TBS_ENABLESELRANGE", 0x20}, {"TBS_FIXEDLENGTH", 0x40}, {"TBS_NOTHUMB", 0x80}, {"TBS_TOOLTIPS", 0x100},
            {"UDS_WRAP", 0x01}, {"UDS_SETBUDDYINT", 0x02}, {"UDS_ALIGNRIGHT", 0x04}, {"UDS_ALIGNLEFT", 0x08},
            {"UDS_AUTOBUDDY", 0x10}, {"UDS_ARROWKEYS", 0x20}, {"UDS_HORZ", 0x40}, {"UDS_NOTHOUSANDS", 0x80},
            {"UDS_HOTTRACK", 0x100}, {"PBS_SMOOTH", 0x01}, {"PBS_VERTICAL", 0x04},
            {"LVS_ICON", 0x00}, {"LVS_REPORT", 0x01}, {"LVS_SMALLICON", 0x02}, {"LVS_LIST", 0x03},
            {"LVS_SINGLESEL", 0x04}, {"LVS_SHOWSELALWAYS", 0x08}, {"LVS_SORTASCENDING", 0x10},
            {"LVS_SORTDESCENDING", 0x20}, {"LVS_SHAREIMAGELISTS", 0x40}, {"LVS_NOLABELWRAP", 0x80},
            {"LVS_AUTOARRANGE", 0x100}, {"LVS_EDITLABELS", 0x200}, {"LVS_OWNERDRAWFIXED", 0x400},
            {"LVS_ALIGNLEFT", 0x800}, {"LVS_OWNERDATA", 0x1000}, {"LVS_NOSCROLL", 0x2000},
            {"LVS_NOCOLUMNHEADER", 0x4000}, {"LVS_NOSORTHEADER", 0x8000},
            {"TVS_HASBUTTONS", 0x01}, {"TVS_HASLINES", 0x02}, {"TVS_LINESATROOT", 0x04}, {"TVS_EDITLABELS", 0x08},
            {"TVS_DISABLEDRAGDROP", 0x10}, {"TVS_SHOWSELALWAYS", 0x20},
            {"DTS_UPDOWN", 0x01}, {"DTS_SHOWNONE", 0x02}, {"DTS_SHORTDATEFORMAT", 0x00}, {"DTS_LONGDATEFORMAT", 0x04},
            {"DTS_TIMEFORMAT", 0x09}, {"DTS_APPCANPARSE", 0x10}, {"DTS_RIGHTALIGN", 0x20},
            {"TCS_TABS", 0x0000}, {"TCS_BOTTOM", 0x0002}, {"TCS_MULTILINE", 0x0200}, {"TCS_BUTTONS", 0x0100},
            {"TCS_FIXEDWIDTH", 0x0400}, {"TCS_FOCUSNEVER", 0x8000}, {"TCS_TOOLTIPS", 0x4000},
            // Dialog results
            {"IDOK", 1}, {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4}, {"IDIGNORE", 5}, {"IDYES", 6},
            {"IDNO", 7}, {"IDCLOSE", 8}, {"IDHELP", 9},
            // Languages
            {"LANG_NEUTRAL", 0x00}, {"LANG_CHINESE", 0x04}, {"LANG_ENGLISH", 0x09}, {"SUBLANG_NEUTRAL", 0x00},
            {"SUBLANG_DEFAULT", 0x01}, {"SUBLANG_SYS_DEFAULT", 0x02}, {"SUBLANG_ENGLISH_US", 0x01},
            {"SUBLANG_ENGLISH_UK", 0x02}, {"SUBLANG_CHINESE_TRADITIONAL", 0x01}, {"SUBLANG_CHINESE_SIMPLIFIED", 0x02},
            // Extended menu types and states
            {"MFT_STRING", 0x0000}, {"MFT_BITMAP", 0x0004}, {"MFT_MENUBARBREAK", 0x0020}, {"MFT_MENUBREAK", 0x0040},
            {"MFT_OWNERDRAW", 0x0100}, {"MFT_RADIOCHECK", 0x0200}, {"MFT_SEPARATOR", 0x0800},
            {"MFT_RIGHTORDER", 0x2000}, {"MFT_RIGHTJUSTIFY", 0x4000}, {"MFS_GRAYED", 0x0003}, {"MFS_DISABLED", 0x0003},
            {"MFS_CHECKED", 0x0008}, {"MFS_HILITE", 0x0080}, {"MFS_ENABLED", 0x0000}, {"MFS_UNCHECKED", 0x0000},
            {"MFS_UNHILITE", 0x0000}, {"MFS_DEFAULT", 0x1000},
            // Virtual keys
            {"VK_LBUTTON", 0x01}, {"VK_RBUTTON", 0x02}, {"VK_CANCEL", 0x03}, {"VK_MBUTTON", 0x04}, {"VK_BACK", 0x08},
            {"VK_TAB", 0x09}, {"VK_CLEAR", 0x0C}, {"VK_RETURN", 0x0D}, {"VK_SHIFT", 0x10}, {"VK_CONTROL", 0x11},
            {"VK_MENU", 0x12}, {"VK_PAUSE", 0x13}, {"VK_CAPITAL", 0x14}, {"VK_ESCAPE", 0x1B}, {"VK_SPACE", 0x20},
            {"VK_PRIOR", 0x21}, {"VK_NEXT", 0x22}, {"VK_END", 0x23}, {"VK_HOME", 0x24}, {"VK_LEFT", 0x25},
            {"VK_UP", 0x26}, {"VK_RIGHT", 0x27}, {"VK_DOWN", 0x28}, {"VK_SELECT", 0x29}, {"VK_PRINT", 0x2A},
            {"VK_EXECUTE", 0x2B}, {"VK_SNAPSHOT", 0x2C}, {"VK_INSERT", 0x2D}, {"VK_DELETE", 0x2E}, {"VK_HELP", 0x2F},
            {"VK_LWIN", 0x5B}, {"VK_RWIN", 0x5C}, {"VK_APPS", 0x5D}, {"VK_MULTIPLY", 0x6A}, {"VK_ADD", 0x6B},
            {"VK_SEPARATOR", 0x6C}, {"VK_SUBTRACT", 0x6D}, {"VK_DECIMAL", 0x6E}, {"VK_DIVIDE", 0x6F},
            {"VK_NUMLOCK", 0x90}, {"VK_SCROLL", 0x91},
        };
        for (int i = 0; i <= 9; ++i) t["VK_NUMPAD" + std::to_string(i)] = 0x60 + i;
        for (int i = 1; i <= 24; ++i) t["VK_F" + std::to_string(i)] = 0x6F + i;
        return t;
    }();
    return table;
}

} // namespace

std::optional<std::int64_t> BuiltinConstant(const std::string& name)
{
    const auto& t = Table();
    const auto it = t.find(name);
    if (it == t.end()) return std::nullopt;
    return it->second;
}

} // namespace rc
