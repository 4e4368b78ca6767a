// Every dialog template of the program, English and Chinese, at 100 % and 200 %: no two visible
// controls overlap (group boxes and controls stacked exactly on each other, which the code shows
// one at a time, aside), every caption fits its control and every control lies inside its
// dialog. Templates added later are checked the same way. Texts the code puts into a control
// when the dialog opens are measured too, and a dialog's title must fit its title bar.
#include "platform/base/ResourceTables.h"
#include "resources/resource.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/dialogs/DlgManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Box {
    const DialogItem* item;
    CRect rect;
};

bool Lower(const std::wstring& a, const wchar_t* b)
{
    std::wstring x;
    for (wchar_t c : a)
        x += wchar_t(std::towlower(c));
    return x == b;
}

bool IsGroupBox(const DialogItem& i) { return Lower(i.className, L"button") && (i.style & 0xF) == BS_GROUPBOX; }

bool HasCaption(const DialogItem& i)
{
    if (i.text.empty() || i.textId != 0)
        return false;
    if (Lower(i.className, L"button"))
        return (i.style & BS_OWNERDRAW) != BS_OWNERDRAW && !(i.style & (BS_ICON | BS_BITMAP));
    if (Lower(i.className, L"static")) {
        const DWORD type = i.style & SS_TYPEMASK;
        return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP ||
               type == SS_SIMPLE;
    }
    return false;
}

// Extra room a control takes beside its text: the box of a check box or radio, the frame of a
// group box.
int Chrome(const DialogItem& i, SIZE bu)
{
    if (!Lower(i.className, L"button"))
        return 0;
    const DWORD type = i.style & 0xF;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
        type == BS_3STATE || type == BS_AUTO3STATE)
        return (i.style & BS_PUSHLIKE) ? 4 : MulDiv(12, bu.cx, 4);
    if (type == BS_GROUPBOX)
        return MulDiv(8, bu.cx, 4);
    return 0;  // a push button's text may fill it
}

std::wstring Visible(const std::wstring& text)
{
    std::wstring out;
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == L'&' && k + 1 < text.size() && text[k + 1] != L'&')
            continue;
        if (text[k] == L'\t')
            break;
        out += text[k];
    }
    return out;
}

// Texts the code writes into a control that the template leaves empty.
struct RunTimeText {
    std::uint32_t dialog, control, string;
};
const RunTimeText kRunTimeTexts[] = {
    {IDD_PROPS_LOGO, IDC_PP_LOGO_UPLOAD_NOTE, IDS_PROPS_LOGO_FROM_UPLOAD},
};

std::wstring TextOf(const DialogTemplate& t, const DialogItem& i)
{
    for (const RunTimeText& r : kRunTimeTexts) {
        if (r.dialog != t.id || r.control != i.id)
            continue;
        for (const ResString& s : CompiledResources().strings)
            if (s.id == r.string && s.language == t.language)
                return s.text;
    }
    return i.text;
}

// A title must fit both title bars it can get: the one the program paints itself (a bold face
// two thirds of the bar high, a margin, the close button; platform/ui/core/NonClient.cpp) and a
// window manager's, which sets the title in a bold 11 point face beside its window icon and up to
// three buttons, each about as wide as the bar is high, and cuts a longer title in the middle.
int TitleWidth(const std::wstring& title, int height, const wchar_t* face)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont font;
    LOGFONTW lf{};
    lf.lfHeight = -height;
    lf.lfWeight = 700;
    wcscpy(lf.lfFaceName, face);
    font.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&font);
    const int width = dc.GetTextExtent(CString(title.c_str())).cx;
    dc.SelectObject(old);
    return width;
}

bool TitleFits(const DialogTemplate& t, int clientWidth)
{
    if ((t.style & WS_CAPTION) != WS_CAPTION || (t.style & WS_CHILD) || t.caption.empty())
        return true;
    const int bar = GetSystemMetrics((t.exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    const int own = TitleWidth(t.caption, (bar - 1) * 2 / 3, L"Tahoma");
    if (own > clientWidth - 4 - ((t.style & WS_SYSMENU) ? bar + 2 : 0))
        return false;
    const int managerBar = 24;  // px of an ordinary window manager's title bar at 100 %
    return TitleWidth(t.caption, 15, L"Sans") <= clientWidth - 4 * managerBar;
}

std::vector<std::string> CheckLayout(const DialogTemplate& t, int scale)
{
    std::vector<std::string> problems;
    const std::wstring face = t.fontFace.empty() ? L"MS Sans Serif" : t.fontFace;
    const int points = (t.fontSize > 0 ? t.fontSize : 8) * scale;
    const SIZE bu = DlgMeasureBaseUnits(face.c_str(), points, t.fontWeight, t.fontItalic);
    auto px = [&](int x, int y, int cx, int cy) {
        return CRect(MulDiv(x, bu.cx, 4), MulDiv(y, bu.cy, 8), MulDiv(x + cx, bu.cx, 4), MulDiv(y + cy, bu.cy, 8));
    };
    const CRect client = px(0, 0, t.cx, t.cy);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont font;
    font.CreatePointFont(points * 10, face.c_str(), &dc);
    CFont* old = dc.SelectObject(&font);
    const int lineHeight = dc.GetTextExtent(CString(L"Ag")).cy;

    if (scale == 1 && !TitleFits(t, client.Width()))  // the title bar does not grow with the font
        problems.push_back("title does not fit");
    std::vector<Box> boxes;
    for (const DialogItem& source : t.items) {
        DialogItem i = source;
        i.text = TextOf(t, source);
        if (!(i.style & WS_VISIBLE) || i.cx <= 0 || i.cy <= 0)
            continue;
        int cy = i.cy;
        if (Lower(i.className, L"combobox") && (i.style & 0x3) != 0x1)
            cy = std::min(cy, 14);  // the rest of a drop-down combo's height is its list
        const CRect r = px(i.x, i.y, i.cx, cy);
        std::ostringstream who;
        who << "control " << i.id;
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom)
            problems.push_back(who.str() + " lies outside the dialog");
        if (HasCaption(i)) {
            const int width = dc.GetTextExtent(CString(Visible(i.text).c_str())).cx + Chrome(i, bu);
            const bool multiLine = Lower(i.className, L"static") && (i.style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP &&
                                   (i.style & SS_TYPEMASK) != SS_SIMPLE;
            if (multiLine) {
                // Wrapped as the static wraps it: every line must show whole.
                CRect need(0, 0, r.Width(), 0);
                dc.DrawText(CString(i.text.c_str()), &need, DT_WORDBREAK | DT_CALCRECT);
                if (need.Width() > r.Width() || need.Height() > std::max(r.Height(), lineHeight))
                    problems.push_back(who.str() + " caption does not fit");
            } else if (width > r.Width()) {
                problems.push_back(who.str() + " caption does not fit");
            }
        }
        if (!IsGroupBox(i))
            boxes.push_back({&source, r});
    }
    for (size_t a = 0; a < boxes.size(); ++a)
        for (size_t b = a + 1; b < boxes.size(); ++b) {
            CRect both;
            if (boxes[a].rect == boxes[b].rect || !both.IntersectRect(boxes[a].rect, boxes[b].rect))
                continue;
            std::ostringstream msg;
            msg << "controls " << boxes[a].item->id << " and " << boxes[b].item->id << " overlap";
            problems.push_back(msg.str());
        }
    dc.SelectObject(old);
    return problems;
}

TEST(DialogLayout, EveryTemplateInBothLanguagesAtTwoSizes)
{
    int checked = 0;
    for (const DialogTemplate& t : CompiledResources().dialogs) {
        for (int scale : {1, 2}) {
            for (const std::string& p : CheckLayout(t, scale))
                ADD_FAILURE() << "dialog " << t.id << (t.language == kLangIdChinese ? " (Chinese)" : " (English)")
                              << " at " << scale * 100 << " %: " << p;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

TEST(DialogLayout, TheCheckFindsOverlapsOverflowAndCutCaptions)
{
    DialogTemplate t;
    t.cx = 100;
    t.cy = 50;
    t.fontFace = L"MS Sans Serif";
    t.fontSize = 8;
    auto item = [](const wchar_t* cls, const wchar_t* text, UINT id, DWORD style, int x, int y, int cx, int cy) {
        DialogItem i;
        i.className = cls;
        i.text = text;
        i.id = id;
        i.style = style | WS_VISIBLE;
        i.x = x, i.y = y, i.cx = cx, i.cy = cy;
        return i;
    };
    t.items = {item(L"Button", L"Group", 1, BS_GROUPBOX, 0, 0, 100, 50),
               item(L"Button", L"OK", 2, BS_PUSHBUTTON, 5, 5, 40, 14)};
    EXPECT_TRUE(CheckLayout(t, 1).empty());
    t.items.push_back(item(L"Button", L"Cancel", 3, BS_PUSHBUTTON, 30, 10, 40, 14));
    t.items.push_back(item(L"Static", L"A caption far too long for its place", 4, SS_LEFT, 5, 30, 20, 8));
    t.items.push_back(item(L"Edit", L"", 5, 0, 90, 40, 20, 12));
    const std::vector<std::string> problems = CheckLayout(t, 1);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0], "control 4 caption does not fit");
    EXPECT_EQ(problems[1], "control 5 lies outside the dialog");
    EXPECT_EQ(problems[2], "controls 2 and 3 overlap");
}

TEST(DialogLayout, TheCheckFindsCutTitlesAndWrappedTextsLongerThanTheirControl)
{
    DialogTemplate t;
    t.cx = 120;
    t.cy = 40;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.caption = L"Pick";
    t.fontFace = L"MS Sans Serif";
    t.fontSize = 8;
    DialogItem note;
    note.className = L"Static";
    note.style = SS_LEFT | WS_VISIBLE;
    note.id = 7;
    note.x = 2, note.y = 2, note.cx = 56, note.cy = 16;
    // Short enough for two lines side by side, but the long word wraps onto a third line.
    note.text = L"ab WWWWWWWWWW cd";
    t.items = {note};
    EXPECT_FALSE(CheckLayout(t, 1).empty());
    t.items[0].text = L"ab cd ef";
    EXPECT_TRUE(CheckLayout(t, 1).empty());
    t.caption = L"Pick a block of the diagram by its number";
    const std::vector<std::string> problems = CheckLayout(t, 1);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "title does not fit");
}

} // namespace
