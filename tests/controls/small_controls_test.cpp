// Small controls: panes added and removed by id in the status bar with a label kept inside its
// pane, the embossed static, the label that repaints with its text, and the edit and button on
// which Enter does not close the dialog.
#include "BarTestSupport.h"

#include "controls/LabelWnd.h"
#include "controls/NoEnterControls.h"
#include "controls/PaintedStatic.h"
#include "controls/PaneControlStatusBar.h"
#include "platform/ui/dialogs/Dlg.h"

namespace bartest {
namespace {

constexpr UINT kPaneA = 0xE001, kPaneB = 0xE002, kSeries = 115;

class SmallControlsTest : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        static const UINT indicators[] = {kPaneA, kPaneB};
        ASSERT_TRUE(m_status.Create(m_pFrame));
        m_status.SetIndicators(indicators, 2);  // FALSE: the panes have no texts here
        ASSERT_EQ(m_status.GetCount(), 2);
        Layout();
        drv.Pump();
    }
    // The label in pane 115, 120 wide, as the main frame makes it.
    CPaintedStatic* AddSeriesLabel()
    {
        EXPECT_TRUE(m_status.AddPane(kSeries, m_status.GetCount()));
        auto* pLabel = new CPaintedStatic;
        EXPECT_TRUE(pLabel->Create(L"QV-12R", WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_NOTIFY, CRect(0, 0, 0, 0), &m_status, 131));
        CPaneInfoEx info;
        const int nIndex = m_status.CommandToIndex(kSeries);
        EXPECT_TRUE(m_status.GetPaneInfoEx(nIndex, &info));
        EXPECT_EQ(info.nID, kSeries);
        info.cxWidth = 120;
        EXPECT_TRUE(m_status.SetPaneInfoEx(nIndex, &info));
        EXPECT_TRUE(m_status.AddPaneControl(pLabel, kSeries, TRUE));
        drv.Pump();
        return pLabel;
    }
    CRect PaneRect(UINT nID)
    {
        CRect rc;
        m_status.GetItemRect(m_status.CommandToIndex(nID), &rc);
        m_status.ClientToScreen(&rc);
        return rc;
    }
    CRect WindowRect(CWnd* pWnd)
    {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        return rc;
    }

    CPaneControlStatusBar m_status;
};

TEST_F(SmallControlsTest, PanesAreAddedAndRemovedByIdAndRefuseDuplicatesBadIndexesAndTheLastPane)
{
    EXPECT_TRUE(m_status.AddPane(kSeries, 2));
    EXPECT_EQ(m_status.GetCount(), 3);
    EXPECT_EQ(m_status.CommandToIndex(kSeries), 2);
    EXPECT_FALSE(m_status.AddPane(kSeries, 0));  // the id exists
    EXPECT_FALSE(m_status.AddPane(116, 4));      // past the end
    EXPECT_FALSE(m_status.AddPane(116, -1));
    EXPECT_FALSE(m_status.AddPaneControl(m_pView->GetSafeHwnd(), 116, FALSE));
    CPaneInfoEx info;
    EXPECT_FALSE(m_status.GetPaneInfoEx(3, &info));
    EXPECT_TRUE(m_status.RemovePane(kSeries));
    EXPECT_FALSE(m_status.RemovePane(kSeries));
    EXPECT_TRUE(m_status.RemovePane(kPaneA));
    EXPECT_FALSE(m_status.RemovePane(kPaneB));  // the only pane stays
    EXPECT_EQ(m_status.GetCount(), 1);
}

TEST_F(SmallControlsTest, TheSeriesLabelStaysInsideItsPaneAndGoesWithIt)
{
    CPaintedStatic* pLabel = AddSeriesLabel();
    HWND hLabel = pLabel->GetSafeHwnd();
    for (int width : {600, 900, 450}) {
        CRect rc;
        m_pFrame->GetWindowRect(&rc);
        drv.Resize(m_pFrame->GetSafeHwnd(), CRect(rc.TopLeft(), CSize(width, rc.Height())));
        drv.Pump();
        CRect pane = PaneRect(kSeries);
        const CRect label = WindowRect(pLabel);
        EXPECT_TRUE(pane.PtInRect(label.TopLeft()) && label.right <= pane.right && label.bottom <= pane.bottom)
            << width;
        EXPECT_GE(label.Width(), 120 - 2 * ::GetSystemMetrics(SM_CXEDGE)) << width;
    }
    ASSERT_TRUE(m_status.RemovePane(kSeries));
    EXPECT_FALSE(::IsWindow(hLabel));  // added with auto-destroy
    delete pLabel;
}

TEST_F(SmallControlsTest, TheLabelRepaintsWhenItsTextChanges)
{
    CLabelWnd label;
    ASSERT_TRUE(label.Create(AfxRegisterWndClass(0), L"short", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 30), m_pView, 1));
    drv.Pump();
    auto snapshot = [&] {
        std::vector<COLORREF> px;
        const CRect rc = WindowRect(&label);
        for (int x = rc.left; x < rc.right; ++x)
            px.push_back(PixelAt(CPoint(x, rc.CenterPoint().y)));
        return px;
    };
    const auto before = snapshot();
    label.SetWindowText(L"C:\\a rather long folder\\program.yfb");
    drv.Pump();
    EXPECT_NE(snapshot(), before);
}

// A dialog that counts its OKs.
class COkDialog : public CDialog {
public:
    int m_nOK = 0;
    void OnOK() override { ++m_nOK; }
};

TEST_F(SmallControlsTest, EnterOnTheNoEnterEditAndButtonDoesNotCloseTheDialog)
{
    DialogTemplate tmpl;
    tmpl.id = 9201;
    tmpl.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    tmpl.cx = 150;
    tmpl.cy = 80;
    for (UINT id : {UINT(10), UINT(11), UINT(12)}) {
        DialogItem item;
        item.className = id == 10 ? L"Button" : L"Edit";
        item.id = id;
        item.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (id == 10 ? BS_PUSHBUTTON : ES_AUTOHSCROLL);
        item.x = 10;
        item.y = 10 + 20 * int(id - 10);
        item.cx = 60;
        item.cy = 14;
        tmpl.items.push_back(item);
    }
    COkDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(&tmpl, m_pFrame));
    CNoEnterButton button;
    CNoEnterEdit edit;
    ASSERT_TRUE(button.SubclassDlgItem(10, &dlg));
    ASSERT_TRUE(edit.SubclassDlgItem(11, &dlg));
    for (UINT id : {UINT(10), UINT(11)}) {
        dlg.GetDlgItem(int(id))->SetFocus();
        drv.Key(VK_RETURN);
        drv.Pump();
        EXPECT_EQ(dlg.m_nOK, 0) << id;
    }
    // A plain edit lets Enter through to the dialog.
    dlg.GetDlgItem(12)->SetFocus();
    drv.Key(VK_RETURN);
    drv.Pump();
    EXPECT_EQ(dlg.m_nOK, 1);
    button.UnsubclassWindow();
    edit.UnsubclassWindow();
    dlg.DestroyWindow();
}

}  // namespace
}  // namespace bartest
