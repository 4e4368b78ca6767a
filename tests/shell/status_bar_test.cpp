// The main window's status bar and palette as programs come and go, headless: the series label
// appears with the first program, shows the model of the program in front and opens the
// Hardware page when clicked; its picture is saved beside the tests. The palette shows the list
// of the program in front as soon as it comes to the front.
#include "document/TavixDoc.h"
#include "tests/shell/EditorAppTest.h"
#include "platform/base/Profile.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/dialogs/PropSheet.h"
#include "platform/ui/framework/AppIds.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"
#include "tests/support/BesideTheTests.h"
#include "tests/support/PngPixels.h"
#include "view/TavixView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

class StatusBarTest : public EditorAppTest {
protected:
    void SetUp() override
    {
        EditorAppTest::SetUp();
        Start();
    }
    CString LabelText() const
    {
        CString text;
        if (Frame()->m_pSeriesLabel)
            Frame()->m_pSeriesLabel->GetWindowText(text);
        return text;
    }
    // The pixels a window shows on the screen, row by row.
    std::vector<uint32_t> PixelsOf(const CWnd* pWnd, int* pWidth, int* pHeight) const
    {
        CRect top, rc;
        Frame()->GetWindowRect(&top);
        pWnd->GetWindowRect(&rc);
        std::vector<uint32_t> out;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) {
                const COLORREF c = m_drv.Pixel(Frame()->m_hWnd, x - top.left, y - top.top);
                out.push_back(uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c));
            }
        *pWidth = rc.Width();
        *pHeight = rc.Height();
        return out;
    }
};

TEST_F(StatusBarTest, TheSeriesLabelShowsTheProgramInFrontAndOpensTheHardwarePage)
{
    EXPECT_EQ(Frame()->m_pSeriesLabel, nullptr);
    Command(57600);
    CTavixDoc* first = Frame()->GetActiveDiagramDocument();
    ASSERT_NE(first, nullptr);
    CWnd* label = Frame()->m_pSeriesLabel;
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->IsWindowVisible());
    EXPECT_EQ(LabelText(), CString(L"QX Series V2.XX"));
    // It sits in its pane of the status bar, 120 pixels wide.
    CPaneControlStatusBar& bar = Frame()->StatusBar();
    const int pane = bar.CommandToIndex(ID_PANE_SERIES);
    ASSERT_GE(pane, 0);
    CRect paneRect, labelRect;
    bar.GetItemRect(pane, &paneRect);
    bar.ClientToScreen(&paneRect);
    label->GetWindowRect(&labelRect);
    EXPECT_TRUE(CRect().IntersectRect(paneRect, labelRect));
    EXPECT_GE(labelRect.left, paneRect.left);
    EXPECT_LE(labelRect.right, paneRect.right);

    // The label shows its whole embossed text (the bar grows for it): the same pixels as the
    // reviewed picture. The picture taken is saved beside the tests for a person to look at.
    int w = 0, h = 0;
    const std::vector<uint32_t> shown = PixelsOf(label, &w, &h);
    ASSERT_GT(w * h, 0);
    EXPECT_TRUE(WritePngPixels(BesideTheTests("series_label.png"), w, h, shown));
    int refW = 0, refH = 0;
    std::vector<uint32_t> reference;
    ASSERT_TRUE(ReadPngPixels(std::string(TAVIX_SOURCE_DIR) + "/tests/fixtures/shell/series_label.png", refW, refH,
                              reference));
    ASSERT_EQ(CSize(w, h), CSize(refW, refH)) << "the label's size changed";
    for (size_t i = 0; i < shown.size(); ++i)
        ASSERT_EQ(shown[i], reference[i]) << "first differing pixel at (" << i % size_t(w) << ", " << i / size_t(w)
                                          << "); see " << BesideTheTests("series_label.png");

    // A second program of an older model: the label follows the window in front.
    Command(ID_FILE_NEW_LAD);
    CTavixDoc* second = Frame()->GetActiveDiagramDocument();
    ASSERT_NE(second, first);
    second->m_nHardwareCode = 0x1188;
    POSITION pos = first->GetFirstViewPosition();
    CFrameWnd* firstFrame = first->GetNextView(pos)->GetParentFrame();
    pos = second->GetFirstViewPosition();
    CFrameWnd* secondFrame = second->GetNextView(pos)->GetParentFrame();
    Frame()->MDIActivate(firstFrame);
    m_drv.Pump();
    EXPECT_EQ(LabelText(), CString(L"QX Series V2.XX"));
    Frame()->MDIActivate(secondFrame);
    m_drv.Pump();
    EXPECT_EQ(LabelText(), CString(L"Not QX Series"));

    // A click on the label of a V2.XX program opens the Properties on the Hardware page.
    Frame()->MDIActivate(firstFrame);
    m_drv.Pump();
    bool hardwarePage = false;
    m_drv.Host().QueueIdleStep([&hardwarePage] {
        auto* sheet = dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
        ASSERT_NE(sheet, nullptr);
        hardwarePage = ::GetDlgItem(sheet->GetActivePage()->m_hWnd, IDC_PP_HW_TREE) != nullptr;
        sheet->PressButton(PSBTN_CANCEL);
    });
    CRect client;
    label->GetClientRect(&client);
    m_drv.Click(CHeadlessDriver::At(label->m_hWnd, client.CenterPoint()));
    m_drv.Pump();
    EXPECT_TRUE(hardwarePage);
    first->SetModifiedFlag(FALSE);
    second->SetModifiedFlag(FALSE);
}

TEST_F(StatusBarTest, ThePaletteShowsTheListOfTheProgramInFrontAtOnce)
{
    Command(57600);
    CTavixDoc* fbd = Frame()->GetActiveDiagramDocument();
    Command(ID_FILE_NEW_LAD);
    CTavixDoc* ladder = Frame()->GetActiveDiagramDocument();
    ASSERT_TRUE(fbd && ladder && ladder->IsLadder());
    POSITION pos = fbd->GetFirstViewPosition();
    CFrameWnd* fbdFrame = fbd->GetNextView(pos)->GetParentFrame();
    pos = ladder->GetFirstViewPosition();
    CFrameWnd* ladderFrame = ladder->GetNextView(pos)->GetParentFrame();
    CView* bsc = Frame()->WorkBox().GetView(0);
    ASSERT_NE(bsc, nullptr);

    // What the BSC tab shows right after a switch is what a full repaint shows: its list.
    for (CFrameWnd* front : {fbdFrame, ladderFrame, fbdFrame}) {
        Frame()->MDIActivate(front);
        m_drv.Pump();
        int w = 0, h = 0;
        const std::vector<uint32_t> afterSwitch = PixelsOf(bsc, &w, &h);
        bsc->Invalidate(FALSE);
        m_drv.Pump();
        EXPECT_TRUE(afterSwitch == PixelsOf(bsc, &w, &h)) << (front == fbdFrame ? "FBD" : "ladder");
    }
}

} // namespace
