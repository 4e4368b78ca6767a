// Tree view against Win32's documented behaviour: TVM_EXPAND's notifications, callback items,
// custom drawing and colours, check boxes, label editing and the deletion reports of a
// destroyed tree.
#include "ctl_support.h"

#include <map>

using namespace ctltest;
using Ev = std::vector<std::string>;

namespace {

class TreeViewTest : public CtlTest {
protected:
    HWND MakeTree(DWORD style, int id = 1500)
    {
        return Make(WC_TREEVIEWW, L"", style | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 10, 10, 250, 200, id);
    }
    HTREEITEM Add(HWND tv, HTREEITEM parentItem, LPCWSTR text, LPARAM data, int children = 0, UINT mask = 0)
    {
        TVINSERTSTRUCTW ins{};
        ins.hParent = parentItem;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | mask;
        ins.item.pszText = const_cast<LPWSTR>(text);
        ins.item.lParam = data;
        ins.item.cChildren = children;
        ins.item.iImage = I_IMAGECALLBACK;
        return reinterpret_cast<HTREEITEM>(SendMessageW(tv, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    }
    std::wstring ItemText(HWND tv, HTREEITEM h)
    {
        wchar_t buf[64] = {};
        TVITEMW it{};
        it.mask = TVIF_TEXT | TVIF_HANDLE;
        it.hItem = h;
        it.pszText = buf;
        it.cchTextMax = 64;
        SendMessageW(tv, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
        return buf;
    }
    UINT ItemState(HWND tv, HTREEITEM h, UINT mask) { return UINT(SendMessageW(tv, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(h), mask)); }
    RECT TextRect(HWND tv, HTREEITEM h)
    {
        RECT r{};
        *reinterpret_cast<HTREEITEM*>(&r) = h;
        SendMessageW(tv, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // Writes down the tree notifications with the item's data ("EXPANDING 7").
    void Listen(std::function<LRESULT(NMHDR*)> answer = nullptr)
    {
        onNotify = [this, answer](NMHDR* h) -> LRESULT {
            static const std::map<UINT, std::string> names = {
                {TVN_ITEMEXPANDINGW, "EXPANDING"}, {TVN_ITEMEXPANDEDW, "EXPANDED"}, {TVN_DELETEITEMW, "DELETE"},
                {TVN_BEGINLABELEDITW, "BEGINEDIT"}, {TVN_ENDLABELEDITW, "ENDEDIT"},  {NM_CLICK, "CLICK"},
            };
            auto n = names.find(h->code);
            if (n != names.end()) {
                LPARAM data = h->code == TVN_DELETEITEMW ? reinterpret_cast<NMTREEVIEWW*>(h)->itemOld.lParam
                              : h->code == NM_CLICK      ? -1
                              : h->code == TVN_BEGINLABELEDITW || h->code == TVN_ENDLABELEDITW
                                  ? reinterpret_cast<NMTVDISPINFOW*>(h)->item.lParam
                                  : reinterpret_cast<NMTREEVIEWW*>(h)->itemNew.lParam;
                log.push_back(n->second + " " + std::to_string(data));
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

TEST_F(TreeViewTest, CodeExpansionNotifiesUntilExpandedOnce)
{
    HWND tv = MakeTree(0);
    // an item that promises children and gets them when it first expands
    HTREEITEM lazy = Add(tv, TVI_ROOT, L"lazy", 7, 1);
    Listen([&](NMHDR* h) -> LRESULT {
        auto* nm = reinterpret_cast<NMTREEVIEWW*>(h);
        if (h->code == TVN_ITEMEXPANDINGW && nm->action == TVE_EXPAND &&
            !SendMessageW(tv, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(lazy)))
            Add(tv, lazy, L"child", 8);
        return 0;
    });
    struct Step {
        UINT code;
        LRESULT result;
        Ev events;
        bool expanded;
    } steps[] = {
        {TVE_EXPAND, TRUE, {"EXPANDING 7", "EXPANDED 7"}, true},
        {TVE_EXPAND, TRUE, {}, true},     // already expanded: success, silent
        {TVE_COLLAPSE, TRUE, {}, false},  // expanded once: code is silent
        {TVE_COLLAPSE, FALSE, {}, false}, // already collapsed
        {TVE_EXPAND, TRUE, {}, true},
        {TVE_COLLAPSE | TVE_COLLAPSERESET, TRUE, {"DELETE 8"}, false},  // children gone, the flag reset
        {TVE_EXPAND, TRUE, {"EXPANDING 7", "EXPANDED 7"}, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.code);
        EXPECT_EQ(SendMessageW(tv, TVM_EXPAND, s.code, reinterpret_cast<LPARAM>(lazy)), s.result);
        EXPECT_EQ(TakeLog(), s.events);
        EXPECT_EQ((ItemState(tv, lazy, TVIS_EXPANDED) & TVIS_EXPANDED) != 0, s.expanded);
    }
    // the child added in the handler shows
    HTREEITEM child = reinterpret_cast<HTREEITEM>(SendMessageW(tv, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(lazy)));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessageW(tv, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(lazy))), child);
    // a refusal keeps the item as it is
    HTREEITEM other = Add(tv, TVI_ROOT, L"other", 9, 1);
    Listen([](NMHDR* h) -> LRESULT { return h->code == TVN_ITEMEXPANDINGW; });
    EXPECT_FALSE(SendMessageW(tv, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(other)));
    EXPECT_EQ(ItemState(tv, other, TVIS_EXPANDED), 0u);
    onNotify = nullptr;
}

TEST_F(TreeViewTest, CallbackItemsAreAskedFor)
{
    HWND tv = MakeTree(0);
    int asked = 0;
    bool keep = false;
    onNotify = [&](NMHDR* h) -> LRESULT {
        if (h->code != TVN_GETDISPINFOW)
            return 0;
        ++asked;
        auto* di = reinterpret_cast<NMTVDISPINFOW*>(h);
        if (di->item.mask & TVIF_TEXT)
            wcsncpy(di->item.pszText, (L"item" + std::to_wstring(di->item.lParam)).c_str(), size_t(di->item.cchTextMax));
        if (di->item.mask & TVIF_IMAGE)
            di->item.iImage = 3;
        if (di->item.mask & TVIF_CHILDREN)
            di->item.cChildren = di->item.lParam == 1 ? 1 : 0;
        if (keep)
            di->item.mask |= TVIF_DI_SETITEM;
        return 0;
    };
    TVINSERTSTRUCTW ins{};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_CHILDREN;
    ins.item.pszText = LPSTR_TEXTCALLBACKW;
    ins.item.iImage = I_IMAGECALLBACK;
    ins.item.cChildren = I_CHILDRENCALLBACK;
    ins.item.lParam = 1;
    auto one = reinterpret_cast<HTREEITEM>(SendMessageW(tv, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    ins.item.lParam = 2;
    auto two = reinterpret_cast<HTREEITEM>(SendMessageW(tv, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    EXPECT_EQ(ItemText(tv, one), L"item1");
    EXPECT_EQ(ItemText(tv, two), L"item2");
    TVITEMW it{};
    it.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_CHILDREN;
    it.hItem = one;
    SendMessageW(tv, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    EXPECT_EQ(it.iImage, 3);
    EXPECT_EQ(it.cChildren, 1);
    it.hItem = two;
    SendMessageW(tv, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    EXPECT_EQ(it.cChildren, 0);
    // painting asks for the texts; the label rectangle is as wide as the asked text
    asked = 0;
    InvalidateRect(tv, nullptr, TRUE);
    UpdateWindow(tv);
    EXPECT_GE(asked, 2);
    RECT r = TextRect(tv, one);
    EXPECT_GT(r.right - r.left, 20);
    // TVIF_DI_SETITEM keeps the answer
    keep = true;
    ItemText(tv, one);
    keep = false;
    asked = 0;
    EXPECT_EQ(ItemText(tv, one), L"item1");
    EXPECT_EQ(asked, 0);
    onNotify = nullptr;
}

TEST_F(TreeViewTest, CustomDrawStagesAndColours)
{
    HWND tv = MakeTree(0);
    HTREEITEM a = Add(tv, TVI_ROOT, L"Alpha", 1, 0);
    HTREEITEM b = Add(tv, TVI_ROOT, L"Beta", 2, 0);
    HTREEITEM b1 = Add(tv, b, L"Beta one", 3, 0);
    SendMessageW(tv, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(b));
    // colours: -1 is the system's, each call answers the one before
    EXPECT_EQ(SendMessageW(tv, TVM_GETBKCOLOR, 0, 0), -1);
    EXPECT_EQ(SendMessageW(tv, TVM_SETBKCOLOR, 0, RGB(10, 20, 30)), -1);
    EXPECT_EQ(SendMessageW(tv, TVM_SETBKCOLOR, 0, RGB(200, 220, 240)), LRESULT(RGB(10, 20, 30)));
    EXPECT_EQ(SendMessageW(tv, TVM_GETBKCOLOR, 0, 0), LRESULT(RGB(200, 220, 240)));
    EXPECT_EQ(SendMessageW(tv, TVM_SETTEXTCOLOR, 0, RGB(0, 0, 255)), -1);
    EXPECT_EQ(PixelAt(tv, 200, 150), RGB(200, 220, 240));

    std::vector<std::string> stages;
    onNotify = [&](NMHDR* h) -> LRESULT {
        if (h->code != NM_CUSTOMDRAW)
            return 0;
        auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(h);
        stages.push_back(std::to_string(cd->nmcd.dwDrawStage) + ":" + std::to_string(cd->nmcd.lItemlParam) + ":" +
                         std::to_string(cd->iLevel));
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            EXPECT_EQ(cd->clrText, RGB(0, 0, 255));
            if (cd->nmcd.lItemlParam == 3)
                cd->clrTextBk = RGB(255, 0, 0);  // the label of "Beta one" on red
            if (cd->nmcd.lItemlParam == 1)
                return CDRF_SKIPDEFAULT;  // "Alpha" not drawn at all
        }
        return CDRF_DODEFAULT;
    };
    InvalidateRect(tv, nullptr, TRUE);
    const std::string item = std::to_string(CDDS_ITEMPREPAINT);
    RECT rb1 = TextRect(tv, b1), ra = TextRect(tv, a);
    EXPECT_EQ(PixelAt(tv, rb1.right - 2, rb1.top + 1), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(tv, ra.left + 3, (ra.top + ra.bottom) / 2), RGB(200, 220, 240));  // nothing drawn
    ASSERT_GE(stages.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(stages.begin(), stages.begin() + 5),
              (std::vector<std::string>{"1:0:0", item + ":1:0", item + ":2:0", item + ":3:1", "2:0:0"}));
    onNotify = nullptr;
}

TEST_F(TreeViewTest, CheckBoxesToggleAfterTheClickIsReported)
{
    HWND tv = MakeTree(TVS_CHECKBOXES);
    HTREEITEM a = Add(tv, TVI_ROOT, L"Alpha", 1);
    HTREEITEM b = Add(tv, TVI_ROOT, L"Beta", 2);
    EXPECT_EQ(ItemState(tv, a, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    UINT stateAtClick = 0;
    Listen([&](NMHDR* h) -> LRESULT {
        if (h->code == NM_CLICK)
            stateAtClick = ItemState(tv, a, TVIS_STATEIMAGEMASK);
        return 0;
    });
    // the box lies left of the label
    RECT r = TextRect(tv, a);
    TVHITTESTINFO ht{{r.left - 8, (r.top + r.bottom) / 2}, 0, nullptr};
    SendMessageW(tv, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht));
    EXPECT_EQ(ht.hItem, a);
    EXPECT_EQ(ht.flags, TVHT_ONITEMSTATEICON);
    struct Step {
        bool space;
        UINT state;
    } steps[] = {{false, 2}, {false, 1}, {true, 2}};
    for (const Step& s : steps) {
        if (s.space) {
            SendMessageW(tv, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(a));
            Key(VK_SPACE);
        } else {
            Click(tv, ht.pt.x, ht.pt.y);
            drv.AdvanceClock(1000);  // the next click is no double click
            EXPECT_EQ(stateAtClick, INDEXTOSTATEIMAGEMASK(s.state == 2 ? 1 : 2));  // the old state
        }
        EXPECT_EQ(ItemState(tv, a, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(s.state));
    }
    EXPECT_EQ(ItemState(tv, b, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    // the check box is drawn: the box of the checked item differs from the clear one
    RECT rb = TextRect(tv, b);
    auto box = [&](const RECT& label) {
        std::vector<COLORREF> px;
        for (int dx = 3; dx < 14; ++dx)
            for (int dy = -4; dy <= 4; ++dy)
                px.push_back(PixelAt(tv, label.left - dx, (label.top + label.bottom) / 2 + dy));
        return px;
    };
    EXPECT_NE(box(r), box(rb));
    onNotify = nullptr;
}

TEST_F(TreeViewTest, LabelEditingBetweenBeginAndEnd)
{
    struct Case {
        LRESULT beginAnswer;
        UINT key;  // 0: ended by TVM_ENDEDITLABELNOW (cancel)
        LRESULT endAnswer;
        std::wstring after;
        Ev events;
    } cases[] = {
        {0, VK_RETURN, TRUE, L"Zed", {"BEGINEDIT 5", "ENDEDIT 5"}},
        {0, VK_RETURN, FALSE, L"Old", {"BEGINEDIT 5", "ENDEDIT 5"}},
        {0, VK_ESCAPE, TRUE, L"Old", {"BEGINEDIT 5", "ENDEDIT 5"}},
        {0, 0, TRUE, L"Old", {"BEGINEDIT 5", "ENDEDIT 5"}},
        {1, 0, TRUE, L"Old", {"BEGINEDIT 5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.key) + "/" + std::to_string(c.endAnswer));
        HWND tv = MakeTree(TVS_EDITLABELS);
        HTREEITEM h = Add(tv, TVI_ROOT, L"Old", 5);
        std::vector<bool> nullText;
        Listen([&](NMHDR* n) -> LRESULT {
            if (n->code == TVN_BEGINLABELEDITW)
                return c.beginAnswer;
            if (n->code == TVN_ENDLABELEDITW) {
                auto* di = reinterpret_cast<NMTVDISPINFOW*>(n);
                nullText.push_back(di->item.pszText == nullptr);
                return c.endAnswer;
            }
            return 0;
        });
        HWND edit = reinterpret_cast<HWND>(SendMessageW(tv, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(h)));
        EXPECT_EQ(edit != nullptr, c.beginAnswer == 0);
        if (edit) {
            EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(tv, TVM_GETEDITCONTROL, 0, 0)), edit);
            Type(L"Zed");
            if (c.key) {
                Key(c.key);
            } else {
                EXPECT_TRUE(SendMessageW(tv, TVM_ENDEDITLABELNOW, TRUE, 0));
            }
            EXPECT_FALSE(IsWindow(edit));
            EXPECT_EQ(nullText, std::vector<bool>{c.key != VK_RETURN});
        }
        EXPECT_EQ(TakeLog(), c.events);
        EXPECT_EQ(ItemText(tv, h), c.after);
        onNotify = nullptr;
        DestroyWindow(tv);
    }
}

TEST_F(TreeViewTest, DestroyingTheTreeReportsEveryItem)
{
    HWND tv = MakeTree(0);
    HTREEITEM a = Add(tv, TVI_ROOT, L"A", 1);
    Add(tv, a, L"A1", 2);
    Add(tv, TVI_ROOT, L"B", 3);
    Listen();
    DestroyWindow(tv);
    Ev ev = TakeLog();
    std::sort(ev.begin(), ev.end());
    EXPECT_EQ(ev, (Ev{"DELETE 1", "DELETE 2", "DELETE 3"}));

    // a handler that deletes again (the reported item, or one already gone) does no harm
    HWND tv2 = MakeTree(0, 1501);
    HTREEITEM p = Add(tv2, TVI_ROOT, L"P", 1);
    HTREEITEM c1 = Add(tv2, p, L"C1", 2);
    Add(tv2, p, L"C2", 3);
    int reports = 0;
    onNotify = [&](NMHDR* h) -> LRESULT {
        if (h->code == TVN_DELETEITEMW) {
            ++reports;
            SendMessageW(tv2, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(reinterpret_cast<NMTREEVIEWW*>(h)->itemOld.hItem));
            SendMessageW(tv2, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(c1));
        }
        return 0;
    };
    EXPECT_TRUE(SendMessageW(tv2, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(p)));
    EXPECT_EQ(reports, 3);
    EXPECT_EQ(SendMessageW(tv2, TVM_GETCOUNT, 0, 0), 0);
    onNotify = nullptr;
}

}  // namespace

namespace {

// The list and tree views alike: NM_RCLICK first; WM_CONTEXTMENU follows unless the parent
// answered it non-zero.
TEST_F(TreeViewTest, RightClickGivesAContextMenuUnlessRClickIsTaken)
{
    rec.Watch({WM_CONTEXTMENU});
    for (LPCWSTR cls : {WC_TREEVIEWW, WC_LISTVIEWW}) {
        HWND view = Make(cls, L"", 0, 10, 10, 200, 150, 1502);
        for (LRESULT answer : {0, 1}) {
            SCOPED_TRACE(answer);
            int rclicks = 0;
            onNotify = [&](NMHDR* h) -> LRESULT {
                if (h->code != NM_RCLICK)
                    return 0;
                ++rclicks;
                return answer;
            };
            rec.Clear();
            drv.AdvanceClock(1000);  // no double click
            drv.Click(CHeadlessDriver::At(view, POINT{50, 50}), 1);
            drv.Pump();
            size_t menus = 0;
            for (const uitest::Rec& m : rec.Log())
                if (m.msg == WM_CONTEXTMENU && m.wnd == "parent" && reinterpret_cast<HWND>(m.wParam) == view)
                    ++menus;
            EXPECT_EQ(rclicks, 1);
            EXPECT_EQ(menus, answer ? 0u : 1u);
        }
        onNotify = nullptr;
        DestroyWindow(view);
    }
}

}  // namespace
