// Combo box against Win32's documented behaviour: the edit still shows the old text while the
// parent handles CBN_SELCHANGE, the parent's colours reach every part, and the sizes and
// rectangles code asks for.
#include "ctl_support.h"

#include <functional>

using namespace ctltest;
using Ev = std::vector<std::string>;

namespace {

class ComboBoxTest : public CtlTest {
protected:
    HWND MakeCombo(DWORD kind, int id = 1300)
    {
        HWND h = Make(WC_COMBOBOXW, L"", kind | WS_VSCROLL, 10, 10, 160, 150, id);
        for (const wchar_t* s : {L"alpha", L"beta", L"gamma"})
            SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        SendMessageW(h, CB_SETCURSEL, 0, 0);
        Take();
        return h;
    }
    COMBOBOXINFO Info(HWND h)
    {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        EXPECT_TRUE(SendMessageW(h, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info)));
        return info;
    }
};

TEST_F(ComboBoxTest, SelChangeHandlerStillSeesTheOldText)
{
    enum Action { kArrowKey, kPickFromList };
    struct Case {
        DWORD kind;
        Action action;
        std::wstring textInHandler;
    } cases[] = {
        {CBS_DROPDOWN, kArrowKey, L"alpha"},
        {CBS_DROPDOWN, kPickFromList, L"alpha"},
        {CBS_SIMPLE, kArrowKey, L"alpha"},
        // a drop-down list has no edit: its text is the selected item's
        {CBS_DROPDOWNLIST, kArrowKey, L"beta"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + "/" + std::to_string(c.action));
        HWND combo = MakeCombo(c.kind);
        std::vector<std::wstring> seen;
        onCommand = [&](WPARAM w, LPARAM) {
            if (HIWORD(w) == CBN_SELCHANGE) {
                seen.push_back(Text(combo));
                EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
            }
        };
        RECT r{};
        GetClientRect(combo, &r);
        Click(combo, 20, (c.kind == CBS_SIMPLE ? int(SendMessageW(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0)) : r.bottom) / 2);
        if (c.action == kArrowKey) {
            if (c.kind == CBS_DROPDOWNLIST)
                Key(VK_ESCAPE);  // the click dropped the list
            Key(VK_DOWN);
        } else {
            Click(combo, r.right - 5, r.bottom / 2);  // drop the list
            HWND list = Info(combo).hwndList;
            int ih = int(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
            Click(list, 20, ih + ih / 2);
        }
        EXPECT_EQ(seen, std::vector<std::wstring>{c.textInHandler});
        EXPECT_EQ(Text(combo), L"beta");
        onCommand = nullptr;
        DestroyWindow(combo);
    }
}

TEST_F(ComboBoxTest, PartsArePaintedWithTheParentsBrush)
{
    const COLORREF paint = RGB(0, 160, 80);
    HBRUSH brush = CreateSolidBrush(paint);
    std::vector<UINT> asked;
    rec.SetHook(parent, [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (msg != WM_CTLCOLOREDIT && msg != WM_CTLCOLORLISTBOX && msg != WM_CTLCOLORSTATIC)
            return false;
        asked.push_back(msg);
        *result = reinterpret_cast<LRESULT>(brush);
        return true;
    });
    struct Case {
        DWORD kind;
        UINT fieldMsg;
    } cases[] = {{CBS_DROPDOWN, WM_CTLCOLOREDIT}, {CBS_DROPDOWNLIST, WM_CTLCOLORLISTBOX}, {CBS_SIMPLE, WM_CTLCOLOREDIT}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        HWND combo = Make(WC_COMBOBOXW, L"", c.kind, 10, 10, 160, 150, 1301);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"i"));
        COMBOBOXINFO info = Info(combo);
        asked.clear();
        RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        // the field, right of the text, inside its borders
        EXPECT_EQ(PixelAt(combo, info.rcItem.right - 4, (info.rcItem.top + info.rcItem.bottom) / 2), paint);
        EXPECT_NE(std::find(asked.begin(), asked.end(), c.fieldMsg), asked.end());
        // the list below the last item, dropped or not
        if (c.kind != CBS_SIMPLE)
            SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        RECT lr{};
        GetClientRect(info.hwndList, &lr);
        UpdateWindow(info.hwndList);
        drv.Pump();
        POINT p = CHeadlessDriver::At(info.hwndList, POINT{lr.right / 2, lr.bottom - 3});
        HWND top = c.kind == CBS_SIMPLE ? parent : info.hwndList;
        RECT tr{};
        GetWindowRect(top, &tr);
        EXPECT_EQ(drv.Pixel(top, p.x - tr.left, p.y - tr.top), paint);
        EXPECT_NE(std::find(asked.begin(), asked.end(), UINT(WM_CTLCOLORLISTBOX)), asked.end());
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        DestroyWindow(combo);
    }
    DeleteObject(brush);
}

TEST_F(ComboBoxTest, SizesAndRectanglesAsWin32)
{
    HWND combo = MakeCombo(CBS_DROPDOWN);
    HDC dc = GetDC(combo);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(combo, dc);
    const int u = std::max(1, int(tm.tmHeight + 6) / 13);

    // the closed box is 13/8 of the font's height; the field inside is that less the borders
    RECT wr{};
    GetWindowRect(combo, &wr);
    EXPECT_EQ(wr.bottom - wr.top, tm.tmHeight * 13 / 8);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0), tm.tmHeight * 13 / 8 - 6 * u);

    // dropped width: never below the box's; the answer is the width in use
    struct Width {
        int set;
        LRESULT answer;
    } widths[] = {{40, 160}, {300, 300}, {0, 160}};
    for (const Width& w : widths) {
        SCOPED_TRACE(w.set);
        EXPECT_EQ(SendMessageW(combo, CB_SETDROPPEDWIDTH, WPARAM(w.set), 0), w.answer);
        EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0), w.answer);
    }
    SendMessageW(combo, CB_SETDROPPEDWIDTH, 250, 0);
    // the dropped rectangle: the box's top-left corner, the list's width and the asked height
    RECT dr{};
    EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dr)));
    EXPECT_EQ(dr.left, wr.left);
    EXPECT_EQ(dr.top, wr.top);
    EXPECT_EQ(dr.right - dr.left, 250);
    EXPECT_EQ(dr.bottom - dr.top, 150);

    // the parts of the box
    COMBOBOXINFO info = Info(combo);
    EXPECT_EQ(info.hwndCombo, combo);
    EXPECT_EQ(info.hwndItem, GetDlgItem(combo, CTL_COMBO_EDIT_ID));
    EXPECT_NE(info.hwndList, nullptr);
    EXPECT_EQ(info.stateButton, 0u);
    RECT client{};
    GetClientRect(combo, &client);
    EXPECT_LE(info.rcItem.right, info.rcButton.left);
    EXPECT_EQ(info.rcButton.right, client.right - 2 * u);
    RECT er{};
    GetWindowRect(info.hwndItem, &er);
    MapWindowPoints(nullptr, combo, reinterpret_cast<POINT*>(&er), 2);
    EXPECT_EQ(er.left, info.rcItem.left);
    EXPECT_EQ(er.top, info.rcItem.top);
    COMBOBOXINFO wrong{};
    wrong.cbSize = 4;
    EXPECT_FALSE(SendMessageW(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&wrong)));

    // a simple box has no drop-down to size and no button
    HWND simple = MakeCombo(CBS_SIMPLE, 1302);
    EXPECT_EQ(SendMessageW(simple, CB_SETDROPPEDWIDTH, 300, 0), CB_ERR);
    EXPECT_EQ(Info(simple).stateButton, STATE_SYSTEM_INVISIBLE);
    // a drop-down list's item is the box itself
    HWND droplist = MakeCombo(CBS_DROPDOWNLIST, 1303);
    EXPECT_EQ(Info(droplist).hwndItem, droplist);
}

TEST_F(ComboBoxTest, EditFieldSelectionAndTypingAsWin32)
{
    HWND other = Make(WC_EDITW, L"", WS_TABSTOP, 200, 10, 80, 20, 1310);
    HWND combo = MakeCombo(CBS_DROPDOWN);  // "alpha" chosen
    HWND edit = GetDlgItem(combo, CTL_COMBO_EDIT_ID);
    auto sel = [&] {
        DWORD a = 0, b = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        return std::make_pair(int(a), int(b));
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        std::wstring text;
        std::pair<int, int> sel;
    } steps[] = {
        {"WM_SETTEXT leaves the caret at the start", [&] { SetWindowTextW(combo, L"hello"); }, L"hello", {0, 0}},
        {"a chosen item shows selected", [&] { SendMessageW(combo, CB_SETCURSEL, 1, 0); }, L"beta", {0, 4}},
        {"the selection goes when the focus leaves", [&] { SetFocus(edit); SetFocus(other); }, L"beta", {0, 0}},
        {"and the whole text is selected when it comes back", [&] { SetFocus(combo); }, L"beta", {0, 4}},
        {"a character sent to the box types into the field", [&] { SendMessageW(combo, WM_CHAR, L'z', 0); }, L"z", {1, 1}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        EXPECT_EQ(Text(combo), s.text);
        EXPECT_EQ(sel(), s.sel);
    }
    // the typed character is the user's: the parent hears of it
    EXPECT_EQ(Take().back(), "cmd 1300 CBN_EDITCHANGE focus=1001");
}

TEST_F(ComboBoxTest, DisabledFieldTakesTheParentsStaticColours)
{
    const COLORREF paint = RGB(170, 40, 40);
    HBRUSH brush = CreateSolidBrush(paint);
    rec.SetHook(parent, [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (msg != WM_CTLCOLORSTATIC)
            return false;
        *result = reinterpret_cast<LRESULT>(brush);
        return true;
    });
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    EnableWindow(combo, FALSE);
    COMBOBOXINFO info = Info(combo);
    EXPECT_EQ(PixelAt(combo, info.rcItem.right - 4, (info.rcItem.top + info.rcItem.bottom) / 2), paint);
    DestroyWindow(combo);
    DeleteObject(brush);
}

}  // namespace
