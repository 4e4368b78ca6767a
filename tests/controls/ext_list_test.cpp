// The extended list control as the Close All dialog uses it: check boxes clicked by the mouse
// or set by code, disabled rows, the header's check box, the text of an empty list, and the
// owner-painted header.
#include "controls/ExtListCtrl.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// The list's parent: records the check-box messages.
class CListHost : public CWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> m_clicks;
    LRESULT OnCheckboxClicked(WPARAM wParam, LPARAM lParam)
    {
        m_clicks.emplace_back(wParam, lParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListHost, CWnd)
    ON_REGISTERED_MESSAGE(WM_XLISTCTRL_CHECKBOX_CLICKED, OnCheckboxClicked)
END_MESSAGE_MAP()

constexpr COLORREF kRed = RGB(255, 0, 0);

class ExtListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_BTNFACE + 1))),
                                    L"Host", WS_POPUP | WS_VISIBLE, CRect(100, 100, 520, 380), nullptr, 0));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS,
                                  CRect(10, 10, 410, 270), &m_host, 1000));
        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT);
        m_list.InsertColumn(0, L"Save", LVCFMT_LEFT, 88);
        m_list.InsertColumn(1, L"File Name", LVCFMT_LEFT, 300);
        // Header images: 0 a red square (must never show), 1 unchecked, 2 checked.
        ASSERT_TRUE(m_images.Create(16, 16, ILC_COLOR24, 3, 3));
        for (COLORREF c : {kRed, RGB(0, 255, 0), RGB(0, 128, 0)})
            AddSolidImage(c);
        m_list.GetXHeader().SetImageList(&m_images);
        for (int col = 0; col < 2; ++col) {
            HDITEMW hdi{};
            hdi.mask = HDI_FORMAT | HDI_IMAGE;
            m_list.GetXHeader().GetItem(col, &hdi);
            hdi.fmt |= HDF_IMAGE;
            hdi.iImage = 0;
            m_list.GetXHeader().SetItem(col, &hdi);
        }
        drv.Pump();
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        drv.Pump();
    }
    void AddSolidImage(COLORREF c)
    {
        CClientDC screen(nullptr);
        CBitmap bm;
        bm.CreateCompatibleBitmap(&screen, 16, 16);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* pOld = dc.SelectObject(&bm);
        dc.FillSolidRect(0, 0, 16, 16, c);
        dc.SelectObject(pOld);
        m_images.Add(&bm, RGB(255, 0, 255));
    }
    // The Close All dialog's rows: an empty check box and a name.
    void AddDocuments(std::initializer_list<const wchar_t*> names)
    {
        int row = m_list.GetItemCount();
        for (const wchar_t* name : names) {
            ASSERT_EQ(m_list.InsertItem(row, L""), row);
            ASSERT_TRUE(m_list.SetCheckbox(row, 0, 0));
            ASSERT_TRUE(m_list.SetItemText(row, 1, name));
            ++row;
        }
        drv.Pump();
    }
    CRect CellOnScreen(int row, int col)
    {
        CRect rc;
        m_list.GetSubItemRect(row, col, LVIR_BOUNDS, rc);
        m_list.ClientToScreen(&rc);
        return rc;
    }
    COLORREF Pixel(CPoint screen) const
    {
        CRect rc;
        m_host.GetWindowRect(&rc);
        return drv.Pixel(m_host.GetSafeHwnd(), screen.x - rc.left, screen.y - rc.top);
    }
    int CountPixels(const CRect& screen, COLORREF c) const
    {
        int n = 0;
        for (int y = screen.top; y < screen.bottom; ++y)
            for (int x = screen.left; x < screen.right; ++x)
                n += Pixel(CPoint(x, y)) == c;
        return n;
    }
    // Clicks a header item as the user does.
    void ClickHeader(int col)
    {
        drv.AdvanceClock(1000);  // apart from the last click: not a double click
        CRect rc;
        m_list.GetXHeader().GetItemRect(col, &rc);
        m_list.GetXHeader().ClientToScreen(&rc);
        drv.Click(rc.CenterPoint());
        drv.Pump();
    }

    CHeadlessDriver drv;
    CListHost m_host;
    CExtListCtrl m_list;
    CImageList m_images;
};

TEST_F(ExtListTest, ClickingACheckBoxTogglesItAndTellsTheParentSettingItByCodeDoesNot)
{
    AddDocuments({L"First.yfb", L"Second.yld", L"Third.yfb"});
    const CRect box0 = CellOnScreen(0, 0);
    drv.Click(box0.CenterPoint());
    drv.Pump();
    EXPECT_EQ(m_list.GetCheckbox(0, 0), 1);
    ASSERT_EQ(m_host.m_clicks.size(), 1u);
    EXPECT_EQ(m_host.m_clicks[0], std::make_pair(WPARAM(0), LPARAM(0)));
    EXPECT_EQ(m_list.GetCurSel(), 0);  // the click selects the row as well

    EXPECT_TRUE(m_list.SetCheckbox(2, 0, 1));
    EXPECT_EQ(m_host.m_clicks.size(), 1u);
    EXPECT_EQ(m_list.CountCheckedRows(0), 2);

    // The tick is drawn in the checked boxes only (row 0 is selected: its tick stays black on
    // the white box).
    drv.Pump();
    EXPECT_GT(CountPixels(CellOnScreen(0, 0), RGB(0, 0, 0)), 10);
    EXPECT_EQ(CountPixels(CellOnScreen(1, 0), RGB(0, 0, 0)), 0);
    EXPECT_GT(CountPixels(CellOnScreen(2, 0), RGB(0, 0, 0)), 10);

    drv.Click(box0.CenterPoint());
    drv.Pump();
    EXPECT_EQ(m_list.GetCheckbox(0, 0), 0);
    EXPECT_EQ(m_host.m_clicks.size(), 2u);
}

TEST_F(ExtListTest, ADisabledRowIgnoresClicksAndIsNotSelected)
{
    AddDocuments({L"First.yfb", L"Second.yld"});
    ASSERT_TRUE(m_list.SetEnabled(1, FALSE));
    drv.Click(CellOnScreen(1, 0).CenterPoint());
    drv.Click(CellOnScreen(1, 1).CenterPoint());
    drv.Pump();
    EXPECT_EQ(m_list.GetCheckbox(1, 0), 0);
    EXPECT_TRUE(m_host.m_clicks.empty());
    EXPECT_EQ(m_list.GetCurSel(), -1);
    // Its name is grey.
    EXPECT_GT(CountPixels(CellOnScreen(1, 1), ::GetSysColor(COLOR_GRAYTEXT)), 0);
}

TEST_F(ExtListTest, TheHeaderCheckBoxFollowsItsColumnAndChecksOrClearsIt)
{
    AddDocuments({L"First.yfb", L"Second.yld", L"Third.yfb"});
    // Without a header check box (image 0), column clicks change nothing.
    ClickHeader(0);
    EXPECT_EQ(m_list.GetHeaderCheck(0), 0);
    EXPECT_EQ(m_list.CountCheckedRows(0), 0);
    EXPECT_EQ(CountPixels(CellOnScreen(0, 0) - CSize(0, 30), kRed), 0);  // image 0 never shows

    m_list.SetHeaderCheck(0, 1);
    for (int row = 0; row < 3; ++row)
        m_list.SetCheckbox(row, 0, 1);
    EXPECT_EQ(m_list.GetHeaderCheck(0), 2);
    m_list.SetCheckbox(1, 0, 0);
    EXPECT_EQ(m_list.GetHeaderCheck(0), 1);

    ClickHeader(0);
    EXPECT_EQ(m_list.GetHeaderCheck(0), 2);
    EXPECT_EQ(m_list.CountCheckedRows(0), 3);
    ClickHeader(0);
    EXPECT_EQ(m_list.GetHeaderCheck(0), 1);
    EXPECT_EQ(m_list.CountCheckedRows(0), 0);
    EXPECT_TRUE(m_host.m_clicks.empty());
}

TEST_F(ExtListTest, AnEmptyListShowsItsTextUntilARowArrives)
{
    CRect rcHeader;
    m_list.GetXHeader().GetWindowRect(&rcHeader);
    const CRect band(rcHeader.left + 20, rcHeader.bottom + 10, rcHeader.left + 380, rcHeader.bottom + 24);
    drv.Pump();
    const int area = band.Width() * band.Height();
    EXPECT_LT(CountPixels(band, ::GetSysColor(COLOR_WINDOW)), area - 20);  // the text's pixels
    ASSERT_EQ(m_list.InsertItem(0, L""), 0);
    drv.Pump();
    EXPECT_EQ(CountPixels(band, ::GetSysColor(COLOR_WINDOW)), area);
}

TEST_F(ExtListTest, ACheckBoxIsCentredInAnEmptyCellAndBeforeTheTextOtherwise)
{
    AddDocuments({L"First.yfb"});
    ASSERT_EQ(m_list.InsertItem(1, L"Named"), 1);
    ASSERT_TRUE(m_list.SetCheckbox(1, 0, 0));
    drv.Pump();
    const COLORREF edge = ::GetSysColor(COLOR_BTNSHADOW);  // the sunken box's outer top-left line
    const CRect c0 = CellOnScreen(0, 0), c1 = CellOnScreen(1, 0);
    const int size = c0.Height() - 1;
    EXPECT_EQ(Pixel(CPoint(c0.left + (c0.Width() - size) / 2, c0.top + size / 2)), edge);
    EXPECT_EQ(Pixel(CPoint(c1.left + 9, c1.top + size / 2)), edge);
    EXPECT_NE(Pixel(CPoint(c1.left + (c1.Width() - size) / 2, c1.top + size / 2)), edge);
}

TEST_F(ExtListTest, CallsOutsideTheRowsAndColumnsChangeNothing)
{
    AddDocuments({L"First.yfb"});
    EXPECT_EQ(m_list.InsertItem(-1, L"x"), -1);
    EXPECT_FALSE(m_list.SetItemText(5, 0, L"x"));
    EXPECT_FALSE(m_list.SetItemText(0, 2, L"x"));
    EXPECT_FALSE(m_list.DeleteItem(1));
    EXPECT_FALSE(m_list.DeleteItem(-1));
    EXPECT_FALSE(m_list.SetCheckbox(0, 2, 1));
    EXPECT_FALSE(m_list.SetCheckbox(-1, 0, 1));
    EXPECT_EQ(m_list.GetHeaderCheck(-1), -1);
    EXPECT_EQ(m_list.GetHeaderCheck(2), -1);
    CRect rc;
    EXPECT_FALSE(m_list.GetSubItemRect(0, 2, LVIR_BOUNDS, rc));
    // A row made by the plain list view has no records: no check box can be set on it.
    const int plain = m_list.CListCtrl::InsertItem(1, L"plain");
    EXPECT_FALSE(m_list.SetCheckbox(plain, 0, 1));
    EXPECT_EQ(m_list.GetItemCount(), 2);
    EXPECT_TRUE(m_list.DeleteItem(0));
    EXPECT_EQ(m_list.GetItemText(0, 0), CString(L"plain"));
}

TEST_F(ExtListTest, TheHeaderPaintsBlueTextsOnTheFaceAndAFrameOverItsItems)
{
    drv.Pump();
    CRect rc1;
    m_list.GetXHeader().GetItemRect(1, &rc1);
    m_list.GetXHeader().ClientToScreen(&rc1);
    EXPECT_GT(CountPixels(rc1, RGB(0, 0, 255)), 10);
    CRect rcHeader;
    m_list.GetXHeader().GetWindowRect(&rcHeader);
    // Right of the last item the header is plain face colour.
    const CRect beyond(rc1.right + 2, rcHeader.top + 1, rcHeader.right - 1, rcHeader.bottom - 1);
    ASSERT_GT(beyond.Width(), 0);
    EXPECT_EQ(CountPixels(beyond, ::GetSysColor(COLOR_BTNFACE)), beyond.Width() * beyond.Height());
    // The frame over the items: highlight on top, shadow at the bottom.
    EXPECT_EQ(Pixel(CPoint(rc1.CenterPoint().x, rcHeader.top)), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(Pixel(CPoint(rc1.CenterPoint().x, rcHeader.bottom - 1)), ::GetSysColor(COLOR_BTNSHADOW));
}

}  // namespace
