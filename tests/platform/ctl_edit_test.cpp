// Edit controls: change notifications for every change (also from code, also re-entered from a
// handler), filters of the styles, selection and keys, clipboard and undo, multi-line layout.
#include "ctl_support.h"

#include "platform/ui/controls/CtlClipboard.h"
#include "platform/ui/core/Clipboard.h"

#include <algorithm>
#include <cstring>

using namespace ctltest;
using Ev = std::vector<std::string>;

namespace {

class EditTest : public CtlTest {
protected:
    HWND Edit(DWORD style = ES_AUTOHSCROLL, int id = 301, int cx = 160, int cy = 22)
    {
        return Make(L"Edit", L"", style | WS_TABSTOP, 10, 10, cx, cy, id, WS_EX_CLIENTEDGE);
    }
    std::pair<int, int> Sel(HWND e)
    {
        DWORD s = 0, t = 0;
        SendMessageW(e, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&t));
        return {int(s), int(t)};
    }
};

TEST_F(EditTest, SettingTextFromCodeNotifiesAtOnceAndMayBeReentered)
{
    HWND e = Edit();
    Take();
    SetWindowTextW(e, L"12");
    // both notifications have arrived before SetWindowText returns
    EXPECT_EQ(Take(), (Ev{"cmd 301 EN_UPDATE focus=0", "cmd 301 EN_CHANGE focus=0"}));

    // a handler clamping the value from inside EN_UPDATE
    onCommand = [&](WPARAM w, LPARAM) {
        if (HIWORD(w) == EN_UPDATE && _wtoi(Text(e).c_str()) > 100)
            SetWindowTextW(e, L"100");
    };
    SetWindowTextW(e, L"250");
    EXPECT_EQ(Text(e), L"100");
    EXPECT_EQ(Take(), (Ev{"cmd 301 EN_UPDATE focus=0", "cmd 301 EN_UPDATE focus=0", "cmd 301 EN_CHANGE focus=0",
                          "cmd 301 EN_CHANGE focus=0"}));
    onCommand = nullptr;

    // selections from code are silent
    SendMessageW(e, EM_SETSEL, 0, -1);
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(Sel(e), std::make_pair(0, 3));
    SendMessageW(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"7"));
    EXPECT_EQ(Text(e), L"7");
    EXPECT_EQ(Take(), (Ev{"cmd 301 EN_UPDATE focus=0", "cmd 301 EN_CHANGE focus=0"}));
    EXPECT_TRUE(SendMessageW(e, EM_GETMODIFY, 0, 0));
}

TEST_F(EditTest, SetTextNotifiesOnlyInSingleLineEdits)
{
    const Ev both{"cmd 301 EN_UPDATE focus=301", "cmd 301 EN_CHANGE focus=301"};
    struct Case {
        DWORD style;
        int how;  // 0 WM_SETTEXT, 1 EM_REPLACESEL, 2 typing
        Ev expected;
    };
    const Case cases[] = {
        {ES_AUTOHSCROLL, 0, both},
        {ES_MULTILINE | ES_AUTOVSCROLL, 0, {}},
        {ES_MULTILINE | ES_AUTOVSCROLL, 1, both},
        {ES_MULTILINE | ES_AUTOVSCROLL, 2, both},
    };
    for (const Case& c : cases) {
        HWND e = Edit(c.style, 301, 160, 60);
        SetFocus(e);
        Take();
        if (c.how == 0)
            SetWindowTextW(e, L"abc");
        else if (c.how == 1)
            SendMessageW(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"abc"));
        else
            Type(L"a");
        EXPECT_EQ(Take(), c.expected) << c.style << " " << c.how;
        DestroyWindow(e);
    }
}

TEST_F(EditTest, ClickFocusesThenTypingEditsAtTheCaret)
{
    HWND e = Edit();
    SetWindowTextW(e, L"ac");
    Take();
    Click(e, 150, 10);  // past the end of the text
    EXPECT_EQ(Take(), (Ev{"cmd 301 EN_SETFOCUS focus=301"}));
    EXPECT_EQ(Sel(e), std::make_pair(2, 2));
    Key(VK_LEFT);
    Type(L"b");
    EXPECT_EQ(Text(e), L"abc");
    EXPECT_EQ(Take(), (Ev{"cmd 301 EN_UPDATE focus=301", "cmd 301 EN_CHANGE focus=301"}));
    Key(VK_HOME, true);
    EXPECT_EQ(Sel(e), std::make_pair(0, 2));
    drv.Key(VK_BACK, L'\b');
    drv.Pump();
    EXPECT_EQ(Text(e), L"c");
    Key(VK_END);
    Key(VK_DELETE);  // nothing after the caret
    EXPECT_EQ(Text(e), L"c");
    drv.ImeCommit(L"中文");
    drv.Pump();
    EXPECT_EQ(Text(e), L"c中文");
}

TEST_F(EditTest, StyleFiltersAndLimit)
{
    struct Case {
        DWORD style;
        std::wstring typed, expected;
    };
    const Case cases[] = {
        {ES_NUMBER, L"1a2-3", L"123"},
        {ES_UPPERCASE, L"abC", L"ABC"},
        {ES_LOWERCASE, L"AbC", L"abc"},
        {ES_READONLY, L"xyz", L""},
    };
    for (const Case& c : cases) {
        HWND e = Edit(c.style | ES_AUTOHSCROLL);
        SetFocus(e);
        Type(c.typed);
        EXPECT_EQ(Text(e), c.expected) << c.style;
        DestroyWindow(e);
    }
    HWND e = Edit();
    SendMessageW(e, EM_LIMITTEXT, 3, 0);
    SetFocus(e);
    Take();
    Type(L"abcd");
    EXPECT_EQ(Text(e), L"abc");
    EXPECT_EQ(Take().back(), "cmd 301 EN_MAXTEXT focus=301");
    // code is not held to the limit
    SetWindowTextW(e, L"longer text");
    EXPECT_EQ(Text(e), L"longer text");
}

TEST_F(EditTest, ClipboardAndUndo)
{
    HWND e = Edit();
    SetWindowTextW(e, L"hello world");
    SetFocus(e);
    SendMessageW(e, EM_SETSEL, 0, 5);
    SendMessageW(e, WM_CUT, 0, 0);
    EXPECT_EQ(Text(e), L" world");
    Key(VK_END);
    SendMessageW(e, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(e), L" worldhello");
    EXPECT_TRUE(SendMessageW(e, EM_CANUNDO, 0, 0));
    SendMessageW(e, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(e), L" world");
    // a password edit gives nothing to the clipboard
    HWND p = Edit(ES_PASSWORD | ES_AUTOHSCROLL, 302);
    SetWindowTextW(p, L"secret");
    SendMessageW(p, EM_SETSEL, 0, -1);
    SendMessageW(p, WM_COPY, 0, 0);
    std::wstring clip;
    ASSERT_TRUE(ctl::ClipboardGetText(clip));
    EXPECT_EQ(clip, L"hello");
    // digits-only edits refuse a paste with other characters
    HWND n = Edit(ES_NUMBER | ES_AUTOHSCROLL, 303);
    SendMessageW(n, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(n), L"");
}

TEST_F(EditTest, PasteTakesWhatWasLastPlacedOnTheClipboard)
{
    HWND e = Edit();
    SetWindowTextW(e, L"old");
    SendMessageW(e, EM_SETSEL, 0, -1);
    SendMessageW(e, WM_COPY, 0, 0);
    // another part of the program places ANSI text: the edit pastes it, not its own copy
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(h), "new", 4);
    GlobalUnlock(h);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, h);
    CloseClipboard();
    SetWindowTextW(e, L"");
    SendMessageW(e, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(e), L"new");
    // and an emptied clipboard pastes nothing
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(e, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(e), L"new");
}

WNDPROC g_editProc = nullptr;
int g_pastes = 0;
LRESULT CountPastes(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_PASTE)
        ++g_pastes;
    return CallWindowProcW(g_editProc, h, msg, w, l);
}

TEST_F(EditTest, ContextMenuPasteGoesThroughTheWindow)
{
    HWND e = Edit(ES_NUMBER | ES_AUTOHSCROLL);
    ctl::ClipboardSetText(L"77");
    g_pastes = 0;
    g_editProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(e, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountPastes)));
    drv.Host().QueueIdleStep([&] { drv.Key('P', L'p'); });
    drv.Host().QueueIdleStep([&] { drv.Key(VK_ESCAPE); });
    POINT s = CHeadlessDriver::At(e, POINT{5, 5});
    SendMessageW(e, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(e), MAKELPARAM(WORD(s.x), WORD(s.y)));
    drv.Pump();
    EXPECT_EQ(g_pastes, 1);
    EXPECT_EQ(Text(e), L"77");
    // a paste the digit filter refuses changes nothing
    ctl::ClipboardSetText(L"7a");
    SendMessageW(e, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(e), L"77");
    SetWindowLongPtrW(e, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_editProc));
}

TEST_F(EditTest, MultiLineLinesAndReturn)
{
    HWND e = Make(L"Edit", L"", ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | WS_VSCROLL, 10, 10,
                  200, 40, 310, WS_EX_CLIENTEDGE);
    SetWindowTextW(e, L"one\r\ntwo\nthree");
    EXPECT_EQ(Text(e), L"one\r\ntwo\r\nthree");
    EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, 2, 0), 10);
    EXPECT_EQ(SendMessageW(e, EM_LINELENGTH, 10, 0), 5);
    EXPECT_EQ(SendMessageW(e, EM_LINEFROMCHAR, 6, 0), 1);
    wchar_t buf[16] = {};
    buf[0] = 15;
    EXPECT_EQ(SendMessageW(e, EM_GETLINE, 1, reinterpret_cast<LPARAM>(buf)), 3);
    EXPECT_EQ(std::wstring(buf, 3), L"two");
    MSG m{e, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(SendMessageW(e, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&m)) & DLGC_WANTMESSAGE);
    SetFocus(e);
    Key(VK_END, false, true);
    drv.Key(VK_RETURN, L'\r');
    Type(L"four");
    EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 4);
    // the last line is scrolled into view
    EXPECT_GT(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    // a caret between CR and LF is moved before the pair
    SendMessageW(e, EM_SETSEL, 4, 4);
    DWORD s = 0;
    SendMessageW(e, EM_GETSEL, reinterpret_cast<WPARAM>(&s), 0);
    EXPECT_EQ(s, 3u);

    // a single-line edit keeps text set by code whole, but takes only the first line of a paste
    HWND one = Edit();
    SetWindowTextW(one, L"first\r\nsecond");
    EXPECT_EQ(Text(one), L"first\r\nsecond");
    SetWindowTextW(one, L"");
    ctl::ClipboardSetText(L"first\r\nsecond");
    SendMessageW(one, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(one), L"first");
}

TEST_F(EditTest, LinesAskedOfSingleAndFixedHeightEdits)
{
    // EM_GETLINE: a single line ignores the line index; a multi-line edit answers 0 past its end
    HWND one = Edit();
    HWND multi = Make(L"Edit", L"", ES_MULTILINE | ES_AUTOVSCROLL, 10, 40, 160, 60, 312);
    SetWindowTextW(one, L"single");
    SetWindowTextW(multi, L"top\r\nnext");
    struct Case {
        HWND h;
        int line;
        WORD room;
        std::wstring expected;
    };
    const Case cases[] = {
        {one, 0, 15, L"single"}, {one, 3, 15, L"single"}, {one, 0, 3, L"sin"},
        {multi, 1, 15, L"next"}, {multi, 2, 15, L""},     {multi, 0, 0, L""},
    };
    for (const Case& c : cases) {
        wchar_t buf[16] = {};
        buf[0] = c.room;
        LRESULT n = SendMessageW(c.h, EM_GETLINE, WPARAM(c.line), reinterpret_cast<LPARAM>(buf));
        EXPECT_EQ(std::wstring(buf, size_t(n)), c.expected) << c.line << " " << c.room;
    }
    // without vertical scrolling a multi-line edit takes no more lines than it shows
    HWND fixed = Make(L"Edit", L"", ES_MULTILINE, 200, 10, 160, 40, 313);
    int shown = 0;
    {
        HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
        SendMessageW(fixed, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        RECT r{};
        SendMessageW(fixed, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        HDC dc = GetDC(fixed);
        SelectObject(dc, font);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        ReleaseDC(fixed, dc);
        shown = std::max<int>(1, (r.bottom - r.top) / tm.tmHeight);
    }
    SetFocus(fixed);
    Take();
    for (int i = 0; i < shown + 2; ++i)
        drv.Key(VK_RETURN, L'\r');
    Type(L"x");
    drv.Pump();
    EXPECT_EQ(SendMessageW(fixed, EM_GETLINECOUNT, 0, 0), shown);
    std::vector<std::string> ev = Take();
    EXPECT_EQ(std::count(ev.begin(), ev.end(), "cmd 313 EN_MAXTEXT focus=313"), 3);
    // text set by code is not held to it
    SetWindowTextW(fixed, L"1\r\n2\r\n3\r\n4\r\n5\r\n6");
    EXPECT_EQ(SendMessageW(fixed, EM_GETLINECOUNT, 0, 0), 6);
}

TEST_F(EditTest, WordWrapWithoutHorizontalScrolling)
{
    HWND e = Make(L"Edit", L"", ES_MULTILINE, 10, 10, 60, 80, 311);
    SetWindowTextW(e, L"aaaa bbbb cccc dddd");
    EXPECT_GT(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 1);
    // a long paragraph wraps into many lines in reasonable work (each line measures only what
    // can fit), and a long paste into a narrow single line keeps what fits
    std::wstring para;
    for (int i = 0; i < 400; ++i)
        para += L"word" + std::to_wstring(i) + L" ";
    SetWindowTextW(e, para.c_str());
    EXPECT_GT(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 100);
    HWND narrow = Edit(0, 312, 60);
    SetFocus(narrow);
    ctl::ClipboardSetText(std::wstring(5000, L'x'));
    SendMessageW(narrow, WM_PASTE, 0, 0);
    EXPECT_GT(Text(narrow).size(), 2u);
    EXPECT_LT(Text(narrow).size(), 40u);
    SetWindowLong(e, GWL_STYLE, GetWindowLong(e, GWL_STYLE) | ES_AUTOHSCROLL);
    SendMessageW(e, WM_STYLECHANGED, WPARAM(GWL_STYLE), 0);
    EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 1);
}

}  // namespace
