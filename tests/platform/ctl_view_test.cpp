// Tab, list view (with its header and custom drawing) and tree view controls: contents, the
// notifications of user actions and their order, silence of code-made selections where Win32
// is silent.
#include "ctl_support.h"

using namespace ctltest;
using Ev = std::vector<std::string>;

namespace {

class ViewTest : public CtlTest {};

TEST_F(ViewTest, TabClickAsksThenChangesAndCodeStaysSilent)
{
    CTabCtrl tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE | TCS_TOOLTIPS, CRect(10, 10, 300, 120), CWnd::FromHandle(parent), 1000));
    tab.InsertItem(0, L"First");
    tab.InsertItem(1, L"Second");
    tab.InsertItem(2, L"Third");
    EXPECT_EQ(tab.GetCurSel(), 0);
    Take();
    tab.SetCurSel(2);
    EXPECT_TRUE(Take().empty());
    CRect r;
    ASSERT_TRUE(tab.GetItemRect(1, &r));
    Click(tab.m_hWnd, r.CenterPoint().x, r.CenterPoint().y);
    EXPECT_EQ(tab.GetCurSel(), 1);
    EXPECT_EQ(Take(), (Ev{"notify 1000 TCN_SELCHANGING focus=1000", "notify 1000 TCN_SELCHANGE focus=1000",
                          "notify 1000 NM_CLICK focus=1000"}));
    // a non-zero answer to TCN_SELCHANGING keeps the tab
    onNotify = [](NMHDR* h) -> LRESULT { return h->code == TCN_SELCHANGING ? 1 : 0; };
    tab.GetItemRect(0, &r);
    Click(tab.m_hWnd, r.CenterPoint().x, r.CenterPoint().y);
    EXPECT_EQ(tab.GetCurSel(), 1);
    onNotify = nullptr;
    // the page area lies inside the window below the tabs
    CRect page(0, 0, 290, 110);
    tab.AdjustRect(FALSE, &page);
    EXPECT_GT(page.top, r.bottom - 2);
    EXPECT_NE(tab.GetToolTipsHandle(), nullptr);
    EXPECT_EQ(SendMessageW(tab.GetToolTipsHandle(), TTM_GETTOOLCOUNT, 0, 0), 3);
}

TEST_F(ViewTest, ListViewReportSelectionChecksAndColumns)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(10, 10, 330, 200),
                            CWnd::FromHandle(parent), 1100));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    EXPECT_EQ(list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.InsertColumn(1, L"Value", LVCFMT_RIGHT, 80), 1);
    for (int i = 0; i < 5; ++i) {
        std::wstring n = L"row" + std::to_wstring(i);
        EXPECT_EQ(list.InsertItem(i, n.c_str()), i);
        list.SetItemText(i, 1, std::to_wstring(i * 10).c_str());
        list.SetItemData(i, DWORD_PTR(100 + i));
    }
    EXPECT_EQ(list.GetItemText(3, 1), CString(L"30"));
    EXPECT_EQ(list.GetItemData(4), DWORD_PTR(104));
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
    Take();

    // a click on the second column of a row selects it (full row) after taking the focus
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(2, 1, LVIR_BOUNDS, cell));
    Click(list.m_hWnd, cell.CenterPoint().x, cell.CenterPoint().y);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    Ev ev = Take();
    ASSERT_GE(ev.size(), 4u);
    EXPECT_EQ(ev.front(), "notify 1100 NM_SETFOCUS focus=1100");
    EXPECT_EQ(ev.back(), "notify 1100 NM_CLICK focus=1100");
    EXPECT_NE(std::find(ev.begin(), ev.end(), "notify 1100 LVN_ITEMCHANGED focus=1100"), ev.end());

    // the check box of a row toggles its state image
    EXPECT_FALSE(list.GetCheck(0));
    CRect row0;
    list.GetItemRect(0, &row0, LVIR_BOUNDS);
    Click(list.m_hWnd, row0.left + 6, row0.CenterPoint().y);
    EXPECT_TRUE(list.GetCheck(0));
    list.SetCheck(0, FALSE);
    EXPECT_FALSE(list.GetCheck(0));

    // keyboard, multi-selection by code, deletion
    Key(VK_DOWN);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 3);
    list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 5u);
    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(list.GetItemText(1, 0), CString(L"row2"));
    EXPECT_FALSE(list.DeleteItem(9));

    // a click on a heading reports the column
    Take();
    CRect hr;
    list.GetHeaderCtrl()->GetItemRect(1, &hr);
    Click(list.GetHeaderCtrl()->m_hWnd, hr.CenterPoint().x, hr.CenterPoint().y);
    Ev hev = Take();
    EXPECT_NE(std::find(hev.begin(), hev.end(), "notify 1100 LVN_COLUMNCLICK focus=1100"), hev.end());
    EXPECT_TRUE(list.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER));
    EXPECT_GT(list.GetColumnWidth(0), 20);
}

TEST_F(ViewTest, ListViewTrackSelectChoosesTheRowTheMouseRestsOn)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 300, 150), CWnd::FromHandle(parent), 1102));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT);
    list.InsertColumn(0, L"A", LVCFMT_LEFT, 100);
    list.InsertItem(0, L"zero");
    list.InsertItem(1, L"one");
    CRect r;
    list.GetItemRect(1, &r, LVIR_BOUNDS);
    drv.MouseMove(CHeadlessDriver::At(list.m_hWnd, r.CenterPoint()));
    drv.Pump();
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);  // not at once
    drv.AdvanceClock(500);
    drv.Pump();
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
}

TEST_F(ViewTest, ListViewCustomDrawStagesAndSkippedCells)
{
    HWND lv = Make(L"SysListView32", L"", LVS_REPORT, 10, 10, 300, 120, 1101);
    LVCOLUMNW col{LVCF_TEXT | LVCF_WIDTH, 0, 100, const_cast<LPWSTR>(L"A"), 0, 0, 0, 0};
    SendMessageW(lv, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
    SendMessageW(lv, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&col));
    for (int i = 0; i < 2; ++i) {
        LVITEMW it{LVIF_TEXT, i, 0, 0, 0, const_cast<LPWSTR>(L"x"), 0, 0, 0, 0};
        SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
    }
    std::vector<std::string> stages;
    onNotify = [&](NMHDR* h) -> LRESULT {
        if (h->code != NM_CUSTOMDRAW || h->hwndFrom != lv)
            return 0;  // the header's own drawing comes through the list too
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(h);
        stages.push_back(std::to_string(cd->nmcd.dwDrawStage) + ":" + std::to_string(cd->nmcd.dwItemSpec) + ":" +
                         std::to_string(cd->iSubItem));
        switch (cd->nmcd.dwDrawStage) {
        case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            if (cd->iSubItem == 1) {
                FillRect(cd->nmcd.hdc, &cd->nmcd.rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
                return CDRF_SKIPDEFAULT;
            }
            cd->clrTextBk = RGB(255, 0, 0);
            return CDRF_DODEFAULT;
        default: return CDRF_DODEFAULT;
        }
    };
    InvalidateRect(lv, nullptr, TRUE);
    RECT cell{LVIR_BOUNDS, 1, 0, 0};
    SendMessageW(lv, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
    EXPECT_EQ(PixelAt(lv, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2), RGB(0, 0, 0));
    RECT first{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(lv, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(PixelAt(lv, first.left + 80, first.bottom - 2), RGB(255, 0, 0));
    const std::string item = std::to_string(CDDS_ITEMPREPAINT), sub = std::to_string(CDDS_ITEMPREPAINT | CDDS_SUBITEM);
    std::vector<std::string> expected = {"1:0:0", item + ":0:0", sub + ":0:0", sub + ":0:1",
                                         item + ":1:0", sub + ":1:0", sub + ":1:1"};
    ASSERT_GE(stages.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(stages.begin(), stages.begin() + long(expected.size())), expected);
    onNotify = nullptr;
}

TEST_F(ViewTest, TreeSelectionCarriesOldAndNewItemsAndExpandsByUser)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                            CRect(10, 10, 250, 250), CWnd::FromHandle(parent), 1200));
    HTREEITEM a = tree.InsertItem(L"A");
    HTREEITEM b = tree.InsertItem(L"B");
    HTREEITEM a1 = tree.InsertItem(L"A1", a);
    tree.SetItemData(a, 11);
    tree.SetItemData(b, 22);
    tree.SetItemData(a1, 33);
    EXPECT_EQ(tree.GetParentItem(a1), a);
    EXPECT_EQ(tree.GetChildItem(a), a1);
    EXPECT_EQ(tree.GetNextSiblingItem(a), b);
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_TRUE(tree.ItemHasChildren(a));
    EXPECT_EQ(tree.GetItemText(a1), CString(L"A1"));

    std::vector<std::pair<LPARAM, LPARAM>> changes;
    onNotify = [&](NMHDR* h) -> LRESULT {
        if (h->code == TVN_SELCHANGEDW) {
            auto* nm = reinterpret_cast<NMTREEVIEWW*>(h);
            changes.push_back({nm->itemOld.lParam, nm->itemNew.lParam});
        }
        return 0;
    };
    tree.SelectItem(a);
    tree.SelectItem(b);
    EXPECT_EQ(changes, (std::vector<std::pair<LPARAM, LPARAM>>{{0, 11}, {11, 22}}));

    // the expand button of A: the user's expansion is asked and reported, then A1 shows
    Take();
    CRect ra;
    ASSERT_TRUE(tree.GetItemRect(a, &ra, TRUE));
    int indent = int(tree.GetIndent());
    Click(tree.m_hWnd, ra.left - indent / 2 - (tree.GetImageListHandle(0) ? 18 : 0), ra.CenterPoint().y);
    EXPECT_TRUE(tree.GetItemState(a, TVIS_EXPANDED) & TVIS_EXPANDED);
    Ev ev = Take();
    auto at = [&](const std::string& s) { return std::find(ev.begin(), ev.end(), s) - ev.begin(); };
    EXPECT_LT(at("notify 1200 TVN_ITEMEXPANDING focus=1200"), at("notify 1200 TVN_ITEMEXPANDED focus=1200"));
    EXPECT_LT(at("notify 1200 TVN_ITEMEXPANDED focus=1200"), long(ev.size()));
    // code collapses silently
    tree.Expand(a, TVE_COLLAPSE);
    EXPECT_TRUE(Take().empty());
    // deleting the selected item leaves no selection; deleting all empties the tree
    tree.SelectItem(a1);  // expands its parent to show it
    EXPECT_TRUE(tree.GetItemState(a, TVIS_EXPANDED) & TVIS_EXPANDED);
    tree.DeleteItem(a);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_EQ(tree.GetItemData(a1), DWORD_PTR(0));  // a dead handle answers nothing
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetCount(), 0u);
    onNotify = nullptr;
}

}  // namespace
