// List view against Win32's documented behaviour: the notifications of insertion, item changes,
// deletion and destruction; callback texts; sorting; virtual (owner-data) lists; label editing;
// column order; the sub-item post-paint stage; extending the selection with Shift and the arrows.
#include "ctl_support.h"

#include <map>

using namespace ctltest;
using Ev = std::vector<std::string>;

namespace {

std::string LvName(UINT code)
{
    static const std::map<UINT, std::string> names = {
        {LVN_ITEMCHANGING, "CHANGING"},     {LVN_ITEMCHANGED, "CHANGED"},          {LVN_INSERTITEM, "INSERT"},
        {LVN_DELETEITEM, "DELETE"},         {LVN_DELETEALLITEMS, "DELETEALL"},     {LVN_GETDISPINFOW, "GETDISPINFO"},
        {LVN_BEGINLABELEDITW, "BEGINEDIT"}, {LVN_ENDLABELEDITW, "ENDEDIT"},        {LVN_ODCACHEHINT, "CACHEHINT"},
        {LVN_ODSTATECHANGED, "ODSTATE"},    {LVN_ODFINDITEMW, "ODFIND"},           {LVN_SETDISPINFOW, "SETDISPINFO"},
    };
    auto n = names.find(code);
    return n == names.end() ? std::string() : n->second;
}

class ListViewTest : public CtlTest {
protected:
    // A report list with two columns and `n` items "row<i>" whose data is 100 + i.
    HWND MakeList(DWORD style, int n, int id = 1400)
    {
        HWND lv = Make(WC_LISTVIEWW, L"", LVS_REPORT | style, 10, 10, 320, 200, id);
        for (int k = 0; k < 2; ++k) {
            LVCOLUMNW col{LVCF_TEXT | LVCF_WIDTH, 0, 100, const_cast<LPWSTR>(k ? L"B" : L"A"), 0, 0, 0, 0};
            SendMessageW(lv, LVM_INSERTCOLUMNW, WPARAM(k), reinterpret_cast<LPARAM>(&col));
        }
        for (int i = 0; i < n && !(style & LVS_OWNERDATA); ++i)
            Insert(lv, i, L"row" + std::to_wstring(i), 0, 100 + i);
        Take();
        return lv;
    }
    int Insert(HWND lv, int at, const std::wstring& text, UINT state, LPARAM data, UINT stateMask = 0)
    {
        LVITEMW it{LVIF_TEXT | LVIF_PARAM | (state ? LVIF_STATE : 0u), at, 0, state, stateMask,
                   const_cast<LPWSTR>(text.c_str()), 0, 0, data, 0};
        return int(SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
    }
    std::wstring ItemText(HWND lv, int i, int sub = 0)
    {
        wchar_t buf[64] = {};
        LVITEMW it{};
        it.iSubItem = sub;
        it.pszText = buf;
        it.cchTextMax = 64;
        SendMessageW(lv, LVM_GETITEMTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(&it));
        return buf;
    }
    UINT State(HWND lv, int i) { return UINT(SendMessageW(lv, LVM_GETITEMSTATE, WPARAM(i), LVIS_SELECTED | LVIS_FOCUSED)); }
    int Next(HWND lv, UINT flags) { return int(SendMessageW(lv, LVM_GETNEXTITEM, WPARAM(-1), flags)); }
    void SetState(HWND lv, int i, UINT state, UINT mask)
    {
        LVITEMW it{};
        it.state = state;
        it.stateMask = mask;
        SendMessageW(lv, LVM_SETITEMSTATE, WPARAM(i), reinterpret_cast<LPARAM>(&it));
    }
    POINT ItemCenter(HWND lv, int i)
    {
        RECT r{LVIR_LABEL, 0, 0, 0};
        SendMessageW(lv, LVM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
        return POINT{r.left + 10, (r.top + r.bottom) / 2};
    }
    // Writes down the list view notifications named by LvName ("CHANGED 2") and answers with
    // `answer` where it gives one.
    void Listen(std::function<LRESULT(NMHDR*)> answer = nullptr)
    {
        onNotify = [this, answer](NMHDR* h) -> LRESULT {
            std::string name = LvName(h->code);
            if (!name.empty() && h->code != LVN_GETDISPINFOW && h->code != LVN_ODCACHEHINT) {
                int item = h->code == LVN_ODSTATECHANGED ? reinterpret_cast<NMLVODSTATECHANGE*>(h)->iFrom
                           : h->code == LVN_BEGINLABELEDITW || h->code == LVN_ENDLABELEDITW || h->code == LVN_SETDISPINFOW
                               ? reinterpret_cast<NMLVDISPINFOW*>(h)->item.iItem
                           : h->code == LVN_ODFINDITEMW ? reinterpret_cast<NMLVFINDITEMW*>(h)->iStart
                                                        : reinterpret_cast<NMLISTVIEW*>(h)->iItem;
                log.push_back(name + " " + std::to_string(item));
            }
            return answer ? answer(h) : 0;
        };
    }
    Ev TakeLog()
    {
        Ev out;
        out.swap(log);
        Take();
        return out;
    }
    Ev log;
};

TEST_F(ListViewTest, InsertingASelectedItemReportsTheStateChange)
{
    struct Case {
        DWORD style;
        UINT state, stateMask;
        Ev events;
        UINT after;
    } cases[] = {
        // stateMask does not matter on insertion
        {0, LVIS_SELECTED, 0, {"INSERT 1", "CHANGING 1", "CHANGED 1"}, LVIS_SELECTED},
        {0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED, {"INSERT 1", "CHANGING 1", "CHANGED 1"}, LVIS_SELECTED | LVIS_FOCUSED},
        {0, LVIS_CUT, LVIS_CUT, {"INSERT 1"}, 0},
        // a single-selection list lets go of the old selection (item 0, now item 0 still)
        {LVS_SINGLESEL, LVIS_SELECTED, 0, {"INSERT 1", "CHANGING 1", "CHANGING 0", "CHANGED 0", "CHANGED 1"}, LVIS_SELECTED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.events.size());
        HWND lv = MakeList(c.style, 2);
        SetState(lv, 0, LVIS_SELECTED, LVIS_SELECTED);
        Listen();
        TakeLog();
        EXPECT_EQ(Insert(lv, 1, L"new", c.state, 7, c.stateMask), 1);
        EXPECT_EQ(TakeLog(), c.events);
        EXPECT_EQ(State(lv, 1), c.after);
        onNotify = nullptr;
        DestroyWindow(lv);
    }
}

TEST_F(ListViewTest, ItemChangesAreAskedAndReported)
{
    HWND lv = MakeList(0, 2);
    std::vector<UINT> changed;
    bool refuse = false;
    Listen([&](NMHDR* h) -> LRESULT {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(h);
        if (h->code == LVN_ITEMCHANGED)
            changed.push_back(nm->uChanged);
        return h->code == LVN_ITEMCHANGING && refuse;
    });
    struct Case {
        UINT mask;
        int sub;
        LPARAM data;
        LPCWSTR text;
        bool refused;
        std::vector<UINT> changed;
        LPARAM dataAfter;
    } cases[] = {
        {LVIF_PARAM, 0, 55, nullptr, false, {LVIF_PARAM}, 55},
        {LVIF_PARAM, 0, 55, nullptr, false, {}, 55},  // the same value changes nothing
        {LVIF_PARAM, 0, 66, nullptr, true, {}, 55},   // a non-zero answer to CHANGING keeps it
        {LVIF_TEXT, 0, 0, L"renamed", false, {LVIF_TEXT}, 55},
        {LVIF_TEXT, 1, 0, L"cell", false, {}, 55},  // sub-items change silently
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mask) * 10 + c.sub);
        refuse = c.refused;
        changed.clear();
        LVITEMW it{c.mask, 1, c.sub, 0, 0, const_cast<LPWSTR>(c.text), 0, 0, c.data, 0};
        EXPECT_EQ(SendMessageW(lv, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it)), c.refused ? FALSE : TRUE);
        EXPECT_EQ(changed, c.changed);
        LVITEMW got{LVIF_PARAM, 1, 0, 0, 0, nullptr, 0, 0, 0, 0};
        SendMessageW(lv, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&got));
        EXPECT_EQ(got.lParam, c.dataAfter);
    }
    EXPECT_EQ(ItemText(lv, 1), L"renamed");
    EXPECT_EQ(ItemText(lv, 1, 1), L"cell");
}

TEST_F(ListViewTest, DeletingTheFocusedItemPassesTheFocusOnSilently)
{
    struct Case {
        int count, focused, deleted, focusAfter;
    } cases[] = {
        {3, 1, 1, 1},   // the next item takes its place and the focus
        {3, 2, 2, 1},   // the last one goes: the new last one
        {3, 0, 1, 0},   // another item goes: the focus stays
        {3, 2, 0, 1},   // an item before it goes: the focus follows its item
        {1, 0, 0, -1},  // nothing left
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.focused) + "/" + std::to_string(c.deleted));
        HWND lv = MakeList(0, c.count);
        SetState(lv, c.focused, LVIS_FOCUSED, LVIS_FOCUSED);
        Listen();
        TakeLog();
        EXPECT_TRUE(SendMessageW(lv, LVM_DELETEITEM, WPARAM(c.deleted), 0));
        EXPECT_EQ(Next(lv, LVNI_FOCUSED), c.focusAfter);
        EXPECT_EQ(TakeLog(), Ev{"DELETE " + std::to_string(c.deleted)});
        onNotify = nullptr;
        DestroyWindow(lv);
    }
}

TEST_F(ListViewTest, DestroyingTheListReportsItsItems)
{
    struct Case {
        DWORD style;
        LRESULT answer;  // to LVN_DELETEALLITEMS
        Ev events;
    } cases[] = {
        {0, 0, {"DELETEALL -1", "DELETE 2", "DELETE 1", "DELETE 0"}},
        {0, 1, {"DELETEALL -1"}},  // non-zero: no message for each item
        {LVS_OWNERDATA, 0, {"DELETEALL -1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.events.size());
        HWND lv = MakeList(c.style, 3);
        if (c.style & LVS_OWNERDATA)
            SendMessageW(lv, LVM_SETITEMCOUNT, 3, 0);
        std::vector<LPARAM> data;
        Listen([&](NMHDR* h) -> LRESULT {
            if (h->code == LVN_DELETEITEM)
                data.push_back(reinterpret_cast<NMLISTVIEW*>(h)->lParam);
            return h->code == LVN_DELETEALLITEMS ? c.answer : 0;
        });
        TakeLog();
        DestroyWindow(lv);
        EXPECT_EQ(TakeLog(), c.events);
        if (c.events.size() > 1) {
            EXPECT_EQ(data, (std::vector<LPARAM>{102, 101, 100}));
        }
        onNotify = nullptr;
    }
}

TEST_F(ListViewTest, CallbackTextsAndImagesAreAskedFor)
{
    HWND lv = MakeList(0, 0);
    int asked = 0;
    bool keep = false;
    onNotify = [&](NMHDR* h) -> LRESULT {
        if (h->code != LVN_GETDISPINFOW)
            return 0;
        ++asked;
        auto* di = reinterpret_cast<NMLVDISPINFOW*>(h);
        if (di->item.mask & LVIF_TEXT) {
            std::wstring t = L"cb" + std::to_wstring(di->item.lParam) + L"." + std::to_wstring(di->item.iSubItem);
            wcsncpy(di->item.pszText, t.c_str(), size_t(di->item.cchTextMax));
        }
        if (di->item.mask & LVIF_IMAGE)
            di->item.iImage = 4;
        if (keep)
            di->item.mask |= LVIF_DI_SETITEM;
        return 0;
    };
    LVITEMW it{LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE, 0, 0, 0, 0, LPSTR_TEXTCALLBACKW, 0, I_IMAGECALLBACK, 9, 0};
    ASSERT_EQ(SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)), 0);
    LVITEMW sub{LVIF_TEXT, 0, 1, 0, 0, LPSTR_TEXTCALLBACKW, 0, 0, 0, 0};
    SendMessageW(lv, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&sub));
    EXPECT_EQ(ItemText(lv, 0), L"cb9.0");
    EXPECT_EQ(ItemText(lv, 0, 1), L"cb9.1");
    LVITEMW img{LVIF_IMAGE, 0, 0, 0, 0, nullptr, 0, 0, 0, 0};
    SendMessageW(lv, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&img));
    EXPECT_EQ(img.iImage, 4);
    // painting asks too
    asked = 0;
    InvalidateRect(lv, nullptr, TRUE);
    UpdateWindow(lv);
    EXPECT_GE(asked, 2);
    // LVIF_DI_SETITEM: the control keeps the answer and asks no more
    keep = true;
    EXPECT_EQ(ItemText(lv, 0), L"cb9.0");
    keep = false;
    asked = 0;
    EXPECT_EQ(ItemText(lv, 0), L"cb9.0");
    EXPECT_EQ(asked, 0);
    onNotify = nullptr;
}

int ByTextDescending(LPARAM a, LPARAM b, LPARAM list)
{
    // LVM_SORTITEMSEX passes the items' indexes: their texts can be read while sorting
    wchar_t ta[32] = {}, tb[32] = {};
    LVITEMW it{};
    it.cchTextMax = 32;
    it.pszText = ta;
    SendMessageW(reinterpret_cast<HWND>(list), LVM_GETITEMTEXTW, WPARAM(a), reinterpret_cast<LPARAM>(&it));
    it.pszText = tb;
    SendMessageW(reinterpret_cast<HWND>(list), LVM_GETITEMTEXTW, WPARAM(b), reinterpret_cast<LPARAM>(&it));
    return -wcscmp(ta, tb);
}

TEST_F(ListViewTest, SortedStylesAndSortItemsEx)
{
    struct Case {
        DWORD style;
        std::vector<std::wstring> order;
    } cases[] = {
        {LVS_SORTASCENDING, {L"apple", L"Banana", L"cherry", L"date"}},
        {LVS_SORTDESCENDING, {L"date", L"cherry", L"Banana", L"apple"}},
        {0, {L"cherry", L"apple", L"date", L"Banana"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        HWND lv = MakeList(c.style, 0);
        int at = 0;
        for (const wchar_t* t : {L"cherry", L"apple", L"date", L"Banana"})
            Insert(lv, at++, t, 0, 0);
        std::vector<std::wstring> got;
        for (int i = 0; i < 4; ++i)
            got.push_back(ItemText(lv, i));
        EXPECT_EQ(got, c.order);
        DestroyWindow(lv);
    }
    // by index, the selection staying with its item
    HWND lv = MakeList(0, 4);
    SetState(lv, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_TRUE(SendMessageW(lv, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(lv), reinterpret_cast<LPARAM>(&ByTextDescending)));
    EXPECT_EQ(ItemText(lv, 0), L"row3");
    EXPECT_EQ(ItemText(lv, 3), L"row0");
    EXPECT_EQ(Next(lv, LVNI_SELECTED), 2);
    EXPECT_EQ(ItemText(lv, Next(lv, LVNI_FOCUSED)), L"row1");
}

TEST_F(ListViewTest, OwnerDataListAsksForEverything)
{
    HWND lv = MakeList(LVS_OWNERDATA, 0);
    std::vector<std::pair<int, int>> hints;
    Listen([&](NMHDR* h) -> LRESULT {
        if (h->code == LVN_GETDISPINFOW) {
            auto* di = reinterpret_cast<NMLVDISPINFOW*>(h);
            if (di->item.mask & LVIF_TEXT)
                wcsncpy(di->item.pszText, (L"v" + std::to_wstring(di->item.iItem)).c_str(), size_t(di->item.cchTextMax));
        } else if (h->code == LVN_ODCACHEHINT) {
            auto* ch = reinterpret_cast<NMLVCACHEHINT*>(h);
            hints.push_back({ch->iFrom, ch->iTo});
        } else if (h->code == LVN_ODFINDITEMW) {
            return 42;
        }
        return 0;
    });
    EXPECT_TRUE(SendMessageW(lv, LVM_SETITEMCOUNT, 1000, 0));
    EXPECT_EQ(SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0), 1000);
    EXPECT_EQ(ItemText(lv, 999), L"v999");
    UpdateWindow(lv);
    ASSERT_FALSE(hints.empty());
    EXPECT_EQ(hints.back().first, 0);
    TakeLog();
    // all items at once: one report for item -1
    SetState(lv, -1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(TakeLog(), Ev{"CHANGED -1"});
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 1000);
    SetState(lv, -1, 0, LVIS_SELECTED);
    TakeLog();
    // a click, then Shift+click: the range is one LVN_ODSTATECHANGED
    POINT p0 = ItemCenter(lv, 0), p3 = ItemCenter(lv, 3);
    Click(lv, p0.x, p0.y);
    TakeLog();
    drv.KeyDown(VK_SHIFT);
    Click(lv, p3.x, p3.y);
    drv.KeyUp(VK_SHIFT);
    Ev ev = TakeLog();
    EXPECT_NE(std::find(ev.begin(), ev.end(), "ODSTATE 0"), ev.end());
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 4);
    // the parent finds
    LVFINDINFOW fi{LVFI_STRING, L"v42", 0, {0, 0}, 0};
    EXPECT_EQ(SendMessageW(lv, LVM_FINDITEMW, WPARAM(-1), reinterpret_cast<LPARAM>(&fi)), 42);
    // a smaller count drops what lay past it
    SendMessageW(lv, LVM_SETITEMCOUNT, 2, 0);
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 2);
    onNotify = nullptr;
}

TEST_F(ListViewTest, LabelEditingBetweenBeginAndEnd)
{
    struct Case {
        LRESULT beginAnswer;
        UINT key;
        LRESULT endAnswer;
        bool textGiven;
        std::wstring after;
    } cases[] = {
        {0, VK_RETURN, TRUE, true, L"Zed"},     // Enter, accepted by the parent
        {0, VK_RETURN, FALSE, true, L"row1"},   // Enter, refused by the parent
        {0, VK_ESCAPE, TRUE, false, L"row1"},   // Escape: no text
        {1, 0, 0, false, L"row1"},              // the parent forbids the edit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.beginAnswer) + "/" + std::to_string(c.key) + "/" + std::to_string(c.endAnswer));
        HWND lv = MakeList(0, 3);
        std::vector<std::wstring> endTexts;
        std::vector<bool> nullText;
        Listen([&](NMHDR* h) -> LRESULT {
            auto* di = reinterpret_cast<NMLVDISPINFOW*>(h);
            if (h->code == LVN_BEGINLABELEDITW) {
                EXPECT_EQ(std::wstring(di->item.pszText), L"row1");
                EXPECT_EQ(di->item.lParam, 101);
                return c.beginAnswer;
            }
            if (h->code == LVN_ENDLABELEDITW) {
                nullText.push_back(di->item.pszText == nullptr);
                if (di->item.pszText)
                    endTexts.push_back(di->item.pszText);
                return c.endAnswer;
            }
            return 0;
        });
        HWND edit = reinterpret_cast<HWND>(SendMessageW(lv, LVM_EDITLABELW, 1, 0));
        EXPECT_EQ(edit != nullptr, c.beginAnswer == 0);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0)), edit);
        if (edit) {
            EXPECT_EQ(GetFocus(), edit);
            EXPECT_EQ(Text(edit), L"row1");
            Type(L"Zed");
            Key(c.key);
            EXPECT_FALSE(IsWindow(edit));
            EXPECT_EQ(nullText, std::vector<bool>{!c.textGiven});
            if (c.textGiven) {
                EXPECT_EQ(endTexts, std::vector<std::wstring>{L"Zed"});
            }
        }
        EXPECT_EQ(ItemText(lv, 1), c.after);
        EXPECT_EQ(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0), 0);
        onNotify = nullptr;
        DestroyWindow(lv);
    }
}

TEST_F(ListViewTest, SecondClickOnTheLabelEditsWithEditLabels)
{
    HWND lv = MakeList(LVS_EDITLABELS, 3);
    Listen([](NMHDR*) -> LRESULT { return 0; });
    POINT p = ItemCenter(lv, 2);
    Click(lv, p.x, p.y);  // selects
    drv.AdvanceClock(1000);
    drv.Pump();
    EXPECT_EQ(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0), 0);
    Click(lv, p.x, p.y);  // on the selected item: after the double-click time, the edit opens
    EXPECT_EQ(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0), 0);
    drv.AdvanceClock(1000);
    drv.Pump();
    HWND edit = reinterpret_cast<HWND>(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    Ev ev = TakeLog();
    EXPECT_NE(std::find(ev.begin(), ev.end(), "BEGINEDIT 2"), ev.end());
    // the focus going elsewhere ends it with the text
    SetFocus(parent);
    drv.Pump();
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(TakeLog(), Ev{"ENDEDIT 2"});
    onNotify = nullptr;
}

TEST_F(ListViewTest, ColumnOrderArrayMovesTheCells)
{
    HWND lv = MakeList(0, 2);
    int order[2] = {1, 0};
    EXPECT_TRUE(SendMessageW(lv, LVM_SETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order)));
    int got[2] = {-1, -1};
    EXPECT_TRUE(SendMessageW(lv, LVM_GETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(got)));
    EXPECT_EQ(got[0], 1);
    EXPECT_EQ(got[1], 0);
    RECT c0{LVIR_BOUNDS, 0, 0, 0}, c1{LVIR_BOUNDS, 1, 0, 0};
    SendMessageW(lv, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&c1));
    c0.top = 0;
    c0.left = LVIR_LABEL;
    SendMessageW(lv, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&c0));
    EXPECT_LT(c1.left, c0.left);
    LVCOLUMNW col{LVCF_ORDER, 0, 0, nullptr, 0, 0, 0, -1};
    SendMessageW(lv, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&col));
    EXPECT_EQ(col.iOrder, 0);
    // a click at the left of the row lands on sub-item 1
    LVHITTESTINFO ht{{c1.left + 5, (c1.top + c1.bottom) / 2}, 0, -1, -1};
    SendMessageW(lv, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&ht));
    EXPECT_EQ(ht.iSubItem, 1);
    // a wrong count is refused
    EXPECT_FALSE(SendMessageW(lv, LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order)));
}

TEST_F(ListViewTest, SubItemPostPaintStage)
{
    HWND lv = MakeList(0, 1);
    std::vector<std::string> stages;
    onNotify = [&](NMHDR* h) -> LRESULT {
        if (h->code != NM_CUSTOMDRAW || h->hwndFrom != lv)
            return 0;
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(h);
        DWORD st = cd->nmcd.dwDrawStage;
        if (st & CDDS_SUBITEM)
            stages.push_back(std::string(st & CDDS_POSTPAINT && !(st & CDDS_PREPAINT) ? "post" : "pre") + std::to_string(cd->iSubItem));
        if (st == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        if (st == CDDS_ITEMPREPAINT)
            return CDRF_NOTIFYSUBITEMDRAW;
        if (st == (CDDS_ITEMPREPAINT | CDDS_SUBITEM))
            return CDRF_NOTIFYPOSTPAINT;
        return CDRF_DODEFAULT;
    };
    InvalidateRect(lv, nullptr, TRUE);
    UpdateWindow(lv);
    EXPECT_EQ(stages, (std::vector<std::string>{"pre0", "post0", "pre1", "post1"}));
    onNotify = nullptr;
}

TEST_F(ListViewTest, ShiftWithTheArrowsExtendsTheSelection)
{
    struct Case {
        int start;
        std::vector<UINT> keys;
        std::vector<int> selected;
        int focused;
    } cases[] = {
        {2, {VK_UP}, {1, 2}, 1},
        {2, {VK_UP, VK_UP}, {0, 1, 2}, 0},
        {2, {VK_DOWN}, {2, 3}, 3},
        {2, {VK_DOWN, VK_UP, VK_UP}, {1, 2}, 1},  // back past the anchor
        {-3, {VK_UP}, {2, 3}, 2},                 // selected by code: from the focused item
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys.size());
        HWND lv = MakeList(0, 5);
        if (c.start < 0) {
            SetState(lv, -c.start, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            SetFocus(lv);
        } else {
            POINT p = ItemCenter(lv, c.start);
            Click(lv, p.x, p.y);
        }
        for (UINT k : c.keys)
            Key(k, true);
        std::vector<int> sel;
        for (int i = -1; (i = int(SendMessageW(lv, LVM_GETNEXTITEM, WPARAM(i), LVNI_SELECTED))) >= 0;)
            sel.push_back(i);
        EXPECT_EQ(sel, c.selected);
        EXPECT_EQ(Next(lv, LVNI_FOCUSED), c.focused);
        DestroyWindow(lv);
    }
}

}  // namespace
