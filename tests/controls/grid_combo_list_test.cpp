// The drop-down list window of combo cells: focus losses while it opens, keys reported to the
// list control, and the item under the pointer preselected without a click.
#include "controls/ComboListWnd.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/core/MessageMap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Stands for the list control: records the popup's messages.
class CListOwner : public CWnd {
public:
    std::vector<UINT> m_messages;
    LRESULT OnReturn(WPARAM, LPARAM) { return Record(WM_XCOMBOLIST_VK_RETURN); }
    LRESULT OnEscape(WPARAM, LPARAM) { return Record(WM_XCOMBOLIST_VK_ESCAPE); }
    LRESULT OnKey(WPARAM, LPARAM) { return Record(WM_XCOMBOLIST_KEYDOWN); }
    LRESULT OnUp(WPARAM, LPARAM) { return Record(WM_XCOMBOLIST_LBUTTONUP); }
    LRESULT Record(UINT message)
    {
        m_messages.push_back(message);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListOwner, CWnd)
    ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_VK_RETURN, OnReturn)
    ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_VK_ESCAPE, OnEscape)
    ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_KEYDOWN, OnKey)
    ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_LBUTTONUP, OnUp)
END_MESSAGE_MAP()

class ComboListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), L"List", WS_POPUP | WS_VISIBLE,
                                     CRect(100, 100, 400, 300), nullptr, 0));
        m_pPopup = new CComboListWnd(&m_owner);
        ASSERT_TRUE(m_pPopup->CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                       CRect(120, 130, 260, 200), &m_owner, 0));
        for (const wchar_t* item : {L"Alpha", L"Bravo", L"Charlie", L"Delta", L"Echo", L"Foxtrot", L"Golf"})
            m_pPopup->GetListBox().AddString(item);
        m_pPopup->GetListBox().SetCurSel(1);
        m_pPopup->ShowList(11);
        drv.Pump();
        m_owner.m_messages.clear();
    }
    void TearDown() override
    {
        m_pPopup->DestroyWindow();
        delete m_pPopup;
        m_owner.DestroyWindow();
        drv.Pump();
    }
    int ScrollPos() { return m_pPopup->GetScrollBarCtrl(SB_VERT)->GetScrollPos(); }

    CHeadlessDriver drv;
    CListOwner m_owner;
    CComboListWnd* m_pPopup = nullptr;
};

TEST_F(ComboListTest, ShowsWholeRowsAndReportsKeys)
{
    CRect window;
    m_pPopup->GetWindowRect(&window);
    const int itemHeight = m_pPopup->GetListBox().GetItemHeight(0);
    EXPECT_EQ((window.Height() - 4) % itemHeight, 0);
    EXPECT_EQ(ScrollPos(), 1);

    struct Case {
        UINT vk;
        int pos;       // scroll position afterwards
        bool bReport;  // a key message reached the list control
    };
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    m_pPopup->GetScrollBarCtrl(SB_VERT)->GetScrollInfo(&si, SIF_RANGE | SIF_PAGE);
    const int last = si.nMax - int(si.nPage) + 1;  // the bar's own limit
    const Case cases[] = {{VK_DOWN, 2, true}, {'D', 3, true}, {'Z', 3, false}, {VK_HOME, 0, true}, {VK_END, last, true}};
    for (const Case& c : cases) {
        m_owner.m_messages.clear();
        drv.Key(c.vk);
        drv.Pump();
        EXPECT_EQ(ScrollPos(), c.pos) << c.vk;
        EXPECT_EQ(!m_owner.m_messages.empty() && m_owner.m_messages[0] == WM_XCOMBOLIST_KEYDOWN, c.bReport) << c.vk;
    }
    m_owner.m_messages.clear();
    drv.Key(VK_RETURN);
    drv.Pump();
    ASSERT_FALSE(m_owner.m_messages.empty());
    EXPECT_EQ(m_owner.m_messages[0], WM_XCOMBOLIST_VK_RETURN);
}

TEST_F(ComboListTest, ClosesOnTheThirdLossOfFocus)
{
    // A popup that has not taken the focus yet: the two losses of its opening pass quietly.
    CComboListWnd popup(&m_owner);
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_BORDER, CRect(120, 130, 260, 200),
                               &m_owner, 0));
    for (int i = 1; i <= 3; ++i) {
        popup.SendMessage(WM_KILLFOCUS, 0, 0);
        const bool bEscaped = !m_owner.m_messages.empty();
        EXPECT_EQ(bEscaped, i == 3) << i;
    }
    EXPECT_EQ(m_owner.m_messages.back(), WM_XCOMBOLIST_VK_ESCAPE);
    popup.DestroyWindow();
}

TEST_F(ComboListTest, HoverPreselectsWithoutAClick)
{
    CListBox& list = m_pPopup->GetListBox();
    CRect item;
    list.GetItemRect(3, &item);
    CPoint pt = item.CenterPoint();
    list.ClientToScreen(&pt);
    drv.MouseMove(pt);
    drv.Pump();
    drv.AdvanceClock(100);
    drv.Pump();
    EXPECT_EQ(list.GetCurSel(), 3);
    EXPECT_TRUE(m_owner.m_messages.empty());  // the list control takes it only on a release
}

} // namespace
