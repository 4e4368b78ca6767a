// The tool-tip window of the pages, driven by pointer moves, keys and clicks relayed from a
// dialog: when it shows, where, how long, what hides it, and its two-part texts.
#include "BarTestSupport.h"

#include "controls/ToolTipWnd.h"
#include "platform/ui/controls/CommCtrlToolTip.h"
#include "platform/ui/core/WndDC.h"
#include "platform/ui/dialogs/Dlg.h"

namespace bartest {
namespace {

constexpr UINT kStatic = 20, kDisabled = 21, kEdit = 22;

// A dialog that relays every message to its tip and answers text requests.
class CTipDialog : public CDialog {
public:
    CToolTipWnd m_tip;
    CString m_answer;
    std::vector<UINT> m_asked;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        m_tip.RelayEvent(pMsg);
        return CDialog::PreTranslateMessage(pMsg);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        if (pInfo->hdr.code == TTN_NEEDTEXTW && pInfo->hdr.hwndFrom == m_tip.GetSafeHwnd()) {
            m_asked.push_back(UINT(pInfo->hdr.idFrom));
            wcsncpy(pInfo->szText, m_answer.GetString(), 79);
            (void)wParam;
            return TRUE;
        }
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
};

class ToolTipWndTest : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        m_tmpl.id = 9302;
        m_tmpl.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
        m_tmpl.cx = 200;
        m_tmpl.cy = 100;
        const struct {
            UINT id;
            const wchar_t* cls;
            DWORD style;
        } items[] = {{kStatic, L"Static", 0}, {kDisabled, L"Edit", WS_DISABLED}, {kEdit, L"Edit", WS_TABSTOP}};
        int y = 10;
        for (const auto& i : items) {
            DialogItem item;
            item.className = i.cls;
            item.id = i.id;
            item.text = L"field";
            item.style = WS_CHILD | WS_VISIBLE | i.style;
            item.x = 10;
            item.y = y;
            item.cx = 80;
            item.cy = 14;
            y += 25;
            m_tmpl.items.push_back(item);
        }
        ASSERT_TRUE(m_dlg.CreateIndirect(&m_tmpl, m_pFrame));
        ASSERT_TRUE(m_dlg.m_tip.Create(&m_dlg));
        drv.Pump();
    }
    void TearDown() override
    {
        m_dlg.DestroyWindow();
        BarTest::TearDown();
    }
    CWnd* Item(UINT id) { return m_dlg.GetDlgItem(int(id)); }
    CPoint Centre(UINT id)
    {
        CRect rc;
        Item(id)->GetWindowRect(&rc);
        return rc.CenterPoint();
    }
    void Move(CPoint screen)
    {
        drv.MouseMove(screen);
        drv.Pump();
    }
    bool Shown() const { return (m_dlg.m_tip.GetStyle() & WS_VISIBLE) != 0; }
    CRect TipRect() const
    {
        CRect rc;
        m_dlg.m_tip.GetWindowRect(&rc);
        return rc;
    }

    DialogTemplate m_tmpl;
    CTipDialog m_dlg;
};

TEST_F(ToolTipWndTest, RestingOnADisabledControlShowsTheTipBelowThePointerUntilTheAutoHide)
{
    ASSERT_TRUE(m_dlg.m_tip.AddTool(Item(kDisabled), L"Number between 0 and 9999"));
    const CPoint at = Centre(kDisabled);
    Move(at);
    drv.AdvanceClock(499);
    EXPECT_FALSE(Shown());
    drv.AdvanceClock(1);
    drv.Pump();
    ASSERT_TRUE(Shown());
    EXPECT_EQ(TipRect().TopLeft(), at + CPoint(0, 20));
    drv.AdvanceClock(4000);
    EXPECT_TRUE(Shown());
    drv.AdvanceClock(1000);
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTipWndTest, ATipStaysWhileThePointerIsOverIt)
{
    ASSERT_TRUE(m_dlg.m_tip.AddTool(Item(kStatic), L"Letters form A to Z."));
    Move(Centre(kStatic));
    drv.AdvanceClock(500);
    ASSERT_TRUE(Shown());
    Move(TipRect().CenterPoint());
    drv.AdvanceClock(20000);
    EXPECT_TRUE(Shown());
}

TEST_F(ToolTipWndTest, KeysAndClicksHideTheTipAndTheSameToolWaitsForAnotherVisit)
{
    ASSERT_TRUE(m_dlg.m_tip.AddTool(Item(kStatic), L"static"));
    ASSERT_TRUE(m_dlg.m_tip.AddTool(Item(kEdit), L"edit"));
    Item(kEdit)->SetFocus();
    Move(Centre(kStatic));
    drv.AdvanceClock(500);
    ASSERT_TRUE(Shown());
    drv.Key(VK_SHIFT);
    drv.Pump();
    EXPECT_FALSE(Shown());
    Move(Centre(kStatic) + CPoint(3, 0));
    drv.AdvanceClock(600);
    EXPECT_FALSE(Shown());  // the same tool again
    Move(Centre(kEdit));
    drv.AdvanceClock(500);
    EXPECT_TRUE(Shown());  // another tool
    drv.Click(Centre(kStatic) + CPoint(150, 0));  // on the dialog, beside the controls
    drv.Pump();
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTipWndTest, TipsStayOnTheScreen)
{
    ASSERT_TRUE(m_dlg.m_tip.AddTool(Item(kEdit), L"Number(Hex) between 0x0000 and 0xFFFF"));
    CRect ctrl;
    Item(kEdit)->GetWindowRect(&ctrl);
    // The screen ends 100 pixels right of the pointer (the tip is wider) and just below it.
    const CPoint at = ctrl.CenterPoint();
    drv.Host().SetScreenSize(SIZE{at.x + 100, at.y + 10});
    Move(at);
    drv.AdvanceClock(500);
    ASSERT_TRUE(Shown());
    const CRect tip = TipRect();
    ASSERT_GT(tip.Width(), 100);
    EXPECT_EQ(tip.right, at.x + 100);
    EXPECT_EQ(tip.bottom, ctrl.top);
}

TEST_F(ToolTipWndTest, TheTipIsAsLargeAsItsWidestLineWithTwoBlanksAndTheMargins)
{
    const CString text = L"Number between 0 and 10\nshort\nthe middle line is the longest";
    ASSERT_TRUE(m_dlg.m_tip.AddTool(Item(kEdit), text));
    Move(Centre(kEdit));
    drv.AdvanceClock(500);
    ASSERT_TRUE(Shown());
    CClientDC dc(nullptr);
    CFont* pOld = dc.SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(m_dlg.m_tip.SendMessage(WM_GETFONT))));
    const int widest = dc.GetTextExtent(CString(L"the middle line is the longest  ")).cx;
    CRect rc(0, 0, widest, 0);
    dc.DrawText(text, &rc, 0xA50 | DT_CALCRECT);
    dc.SelectObject(pOld);
    EXPECT_EQ(TipRect().Width(), rc.Width() + 5);
    EXPECT_EQ(TipRect().Height(), rc.Height() + 5);
}

TEST_F(ToolTipWndTest, ATextWithACarriageReturnShowsItsPartsInTurnAtEachClick)
{
    m_dlg.m_answer = L"first\rsecond";
    ASSERT_TRUE(m_dlg.m_tip.AddTool(Item(kEdit), CToolTipWnd::TextFromParent, nullptr, 7));
    Move(Centre(kEdit));
    drv.AdvanceClock(500);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(m_dlg.m_asked.at(0), kEdit);  // idFrom is the control's dialog id
    EXPECT_FALSE(m_dlg.m_tip.ShowsSecondPart());
    const CRect first = TipRect();
    auto triangleAt = [&](int x) {
        return drv.Pixel(m_dlg.m_tip.GetSafeHwnd(), x, first.Height() / 2) == RGB(0, 0, 0);
    };
    EXPECT_TRUE(triangleAt(first.Width() - 5));  // points right, at the end
    Move(first.CenterPoint());
    drv.Click(first.CenterPoint());
    drv.Pump();
    EXPECT_TRUE(m_dlg.m_tip.ShowsSecondPart());
    EXPECT_EQ(TipRect().TopLeft(), first.TopLeft());
    EXPECT_TRUE(triangleAt(3));  // points left, at the start
    drv.Click(TipRect().CenterPoint());
    drv.Pump();
    EXPECT_FALSE(m_dlg.m_tip.ShowsSecondPart());
}

TEST_F(ToolTipWndTest, AnUnansweredTextRequestShowsNothingAndRemovingTheShownToolHidesIt)
{
    ASSERT_TRUE(m_dlg.m_tip.AddTool(Item(kStatic), CToolTipWnd::TextFromParent));
    Move(Centre(kStatic));
    drv.AdvanceClock(500);
    EXPECT_FALSE(Shown());
    ASSERT_TRUE(m_dlg.m_tip.AddTool(Item(kEdit), L"edit"));
    EXPECT_FALSE(m_dlg.m_tip.AddTool(nullptr, L"none"));
    Move(Centre(kEdit));
    drv.AdvanceClock(500);
    ASSERT_TRUE(Shown());
    m_dlg.m_tip.DelTool(Item(kEdit));
    EXPECT_FALSE(Shown());
    EXPECT_EQ(m_dlg.m_tip.GetCurrentTool(), nullptr);
    EXPECT_EQ(m_dlg.m_tip.GetToolCount(), 1);
}

}  // namespace
}  // namespace bartest
