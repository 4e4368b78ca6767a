// The message-text editor page driven headless: a text with one field of every kind built
// through the page's commands and dialogs, stored into its block, saved and reopened, compiled
// into the device image and decoded back the same; the refusals of the placement rule; and the
// older page of the machine types below 'Q'.
#include "MsgTextTestSupport.h"

#include "resources/resource.h"

#include "../image/ImageTestSupport.h"

#include "elements/BlockMSGTEXT.h"
#include "msgtext/MessageTexts.h"
#include "msgtext/MessageTexts_New.h"
#include "msgtext/Widget.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/dialogs/PropSheet.h"
#include "view/TavixView.h"

#include <cstdio>
#include <unistd.h>

using namespace mttest;

namespace {

struct FieldKey {
    int set, line, kind, row, col, width, number, item, setting;
    bool operator==(const FieldKey& o) const
    {
        return set == o.set && line == o.line && kind == o.kind && row == o.row && col == o.col && width == o.width &&
               number == o.number && item == o.item && setting == o.setting;
    }
};

std::vector<FieldKey> Fields(const CBlockMSGTEXT& t)
{
    std::vector<FieldKey> keys;
    for (int set = 0; set < 2; ++set)
        for (int line = 0; line < 4; ++line) {
            const CObArray& a = set == 0 ? t.m_aLines1[line] : t.m_aLines2[line];
            for (INT_PTR i = 0; i < a.GetSize(); ++i) {
                const auto* f = static_cast<const CWidget*>(a[i]);
                keys.push_back({set, line, f->m_nType, f->m_nRow, f->m_nCol, f->m_nWidth, f->m_nNumber, f->m_nItem,
                                f->m_nSetting});
            }
        }
    return keys;
}

class EditorPageTest : public MsgTextTest {
protected:
    void Open(CMessageTexts_New& page, CBlockMSGTEXT* text)
    {
        page.SetView(view.get());
        page.m_nBlockNumber = text->m_nNumber;
        page.FillFromBlock(*text, *doc, false);
    }
    void Press(CMessageTexts_New& page, int id) { mttest::Press(page.m_hWnd, id); }
    void At(CMessageTexts_New& page, int row, int col) { page.Grid().SetFocusCell(row, col); }

    std::unique_ptr<CTavixDoc> doc;
    std::unique_ptr<CTavixView> view;
};

} // namespace

TEST_F(EditorPageTest, EveryFieldKindBuiltThroughThePageSurvivesTheFileAndTheDevice)
{
    doc = NewDocument();
    CBlockObj* counter = mttest::Add(*doc, 800);
    CBlockObj* amplifier = mttest::Add(*doc, 805);
    CBlockObj* input = AddIo(*doc, 600, 133, 100);
    auto* text = dynamic_cast<CBlockMSGTEXT*>(mttest::Add(*doc, 810));
    ASSERT_NE(text, nullptr);
    view = std::make_unique<CTavixView>(doc.get(), nullptr);

    CMessageTexts_New page;
    Open(page, text);
    CPropertySheet sheet(L"Message text");
    sheet.AddPage(&page);
    Step([&](HWND) {
        CGridCtrl& g = page.Grid();
        EXPECT_EQ(g.GetColumnCount(), 25);
        EXPECT_EQ(page.m_btnScope.GetIconId(), IDI_MT_SCOPE);
        EXPECT_EQ(page.m_btnPointer.GetIconId(), IDI_MT_POINTER);
        g.SetItemText(1, 1, L"T");
        g.SetItemText(1, 2, L"=");
        // A parameter of the counter on line 2.
        At(page, 2, 1);
        ::SendMessageW(::GetDlgItem(page.m_hWnd, 1120), LB_SETCURSEL,
                       WPARAM(::SendMessageW(::GetDlgItem(page.m_hWnd, 1120), LB_FINDSTRING, WPARAM(-1),
                                             LPARAM(L"B0"))), 0);
        ::SendMessageW(page.m_hWnd, WM_COMMAND, MAKEWPARAM(1120, LBN_SELCHANGE), LPARAM(::GetDlgItem(page.m_hWnd, 1120)));
        EXPECT_FALSE(Enabled(page.m_hWnd, 1121));
        ::SendMessageW(::GetDlgItem(page.m_hWnd, 1122), LB_SETCURSEL, 1, 0);
        ::SendMessageW(page.m_hWnd, WM_COMMAND, MAKEWPARAM(1122, LBN_SELCHANGE), LPARAM(::GetDlgItem(page.m_hWnd, 1122)));
        EXPECT_TRUE(Enabled(page.m_hWnd, 1121));
        Press(page, 1121);
        // The message enable time from the general list, at the end of line 4.
        At(page, 4, 13);
        ::SendMessageW(::GetDlgItem(page.m_hWnd, 1124), LB_SETCURSEL, 2, 0);
        ::SendMessageW(page.m_hWnd, WM_COMMAND, MAKEWPARAM(1124, LBN_SELCHANGE), LPARAM(::GetDlgItem(page.m_hWnd, 1124)));
        Press(page, 1121);
        At(page, 3, 1);
        Press(page, 1396);  // bar: the dialog step follows
        At(page, 4, 1);
        Press(page, 1399);  // scale time
        At(page, 3, 5);
        Press(page, 1398);  // ON/OFF of input I101
        At(page, 1, 13);
        Press(page, 1400);  // a scope at row 1 over rows 1-3
        Press(page, 1394);  // no AI in the program
        EXPECT_EQ(LastMessage(), L"No AI in the circuit program");
        // Set 2: a graph and a pointer, and a special character.
        Check(page.m_hWnd, 1233, true);
        ::SendMessageW(::GetDlgItem(page.m_hWnd, 1381), BM_SETCHECK, BST_CHECKED, 0);
        ::SendMessageW(::GetDlgItem(page.m_hWnd, 1380), BM_SETCHECK, BST_UNCHECKED, 0);
        Press(page, 1381);
        At(page, 1, 1);
        Press(page, 1402);  // graph
        At(page, 2, 13);
        Press(page, 1401);  // a pointer at row 2
        At(page, 2, 14);
        Press(page, 1396);  // refused after its dialog: a bar over the pointer
        At(page, 1, 13);
        Press(page, 1395);
        ASSERT_NE(page.GetPalette(), nullptr);
        Press(page, 1395);  // a second palette does not open
        mttest::Press(page.GetPalette()->m_hWnd, 1403);
        EXPECT_EQ(page.GetPalette(), nullptr);
        EXPECT_EQ(g.GetItemText(1, 13), L"\x00B1");
        mttest::Press(sheet.m_hWnd, IDOK);
    });
    Step([&](HWND d) {  // bar
        Choose(d, 1331, 1);
        SetText(d, 1137, L"4");
        mttest::Press(d, IDOK);
    });
    Step([&](HWND d) {  // scale time
        Choose(d, 1331, 0);
        Choose(d, 1277, 1);
        mttest::Press(d, IDOK);
    });
    Step([&](HWND d) { mttest::Press(d, IDOK); });  // ON/OFF: the first input
    Step([&](HWND d) {                              // scope
        Choose(d, 1331, 1);
        mttest::Press(d, IDOK);
    });
    Step([&](HWND d) {  // graph
        mttest::Press(d, 1422 + 7);
        mttest::Press(d, IDOK);
    });
    Step([&](HWND d) {  // pointer
        Choose(d, 1331, 0);
        mttest::Press(d, IDOK);
    });
    Step([&](HWND d) {  // the refused bar
        Choose(d, 1331, 1);
        mttest::Press(d, IDOK);
    });
    m_drv.Host().QueueMessageBoxAnswer(IDOK);
    ASSERT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(LastMessage(), L"Can't insert the selected Object at this position B" +
                                 std::to_wstring(text->m_nNumber - 9000) + L" [Message Texts]");
    page.ReadIntoBlock(*text);

    const std::vector<FieldKey> built = Fields(*text);
    const int kinds[] = {1, 2, widgetBar, widgetScaleTime, widgetOnOff, widgetScope, widgetGraph, widgetPointer};
    for (int kind : kinds)
        EXPECT_EQ(std::count_if(built.begin(), built.end(), [kind](const FieldKey& k) { return k.kind == kind; }), 1)
            << kind;
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)], L"T");
    EXPECT_EQ(text->m_astrCells2[CBlockMSGTEXT::CellIndex(1, 13)], L"\x00B1");
    EXPECT_EQ(text->m_bSet2Enabled, 1);
    EXPECT_EQ(text->m_nCurrentSet, 1);
    for (const FieldKey& k : built)
        if (k.kind == widgetOnOff) {
            EXPECT_EQ(k.number, input->m_nNumber);
        } else if (k.kind == widgetBar) {
            EXPECT_EQ(k.number, amplifier->m_nNumber);
            EXPECT_EQ(k.width, 4);
        } else if (k.kind == 1) {
            EXPECT_EQ(k.number, counter->m_nNumber);
            EXPECT_EQ(k.item, 17);
        } else if (k.kind == widgetGraph) {
            EXPECT_EQ(k.setting, 7);
        }

    // The file.
    char dir[] = "/tmp/mteditorXXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    const CString path = CString(dir) + L"/text.yfb";
    ASSERT_TRUE(doc->OnSaveDocument(path));
    auto reopened = std::make_unique<CTavixDoc>();
    ASSERT_TRUE(reopened->OnOpenDocument(path));
    auto* again = dynamic_cast<CBlockMSGTEXT*>(reopened->FindBlockByNumber(text->m_nNumber));
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(Fields(*again) == built);
    for (int i = 0; i < CBlockMSGTEXT::kCells; ++i) {
        EXPECT_EQ(again->m_astrCells1[i], text->m_astrCells1[i]) << i;
        EXPECT_EQ(again->m_astrCells2[i], text->m_astrCells2[i]) << i;
    }
    std::remove((std::string(dir) + "/text.yfb").c_str());
    ::rmdir(dir);

    // The device image.
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*reopened, rule));
    std::unique_ptr<CTavixDoc> back;
    ASSERT_NO_FATAL_FAILURE(ReadBack(rule, 1, &back));
    auto* decoded = dynamic_cast<CBlockMSGTEXT*>(back->FindBlockByNumber(text->m_nNumber));
    ASSERT_NE(decoded, nullptr);
    const std::vector<FieldKey> device = Fields(*decoded);
    ASSERT_EQ(device.size(), built.size());
    for (const FieldKey& k : built) {
        const bool found = std::any_of(device.begin(), device.end(), [&](const FieldKey& d) {
            // Fields of blocks come back as they were; the text's own items and pictures by place.
            const bool own = k.number == text->m_nNumber || k.kind == widgetGraph;
            return d.set == k.set && d.row == k.row && d.col == k.col && (own || (d.kind == k.kind && d.number == k.number));
        });
        EXPECT_TRUE(found) << "kind " << k.kind << " at " << k.row << "," << k.col;
    }
    EXPECT_EQ(decoded->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)], L"T");
    EXPECT_EQ(decoded->m_astrCells2[CBlockMSGTEXT::CellIndex(1, 13)], L"\x00B1");
}

TEST_F(EditorPageTest, TheOlderPageKeepsOneFieldALineAndTwelveCharacters)
{
    doc = NewDocument(0x2110);
    CBlockObj* counter = mttest::Add(*doc, 800);
    auto* text = dynamic_cast<CBlockMSGTEXT*>(mttest::Add(*doc, 810));
    ASSERT_NE(text, nullptr);
    text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 20)] = L"Z";  // beyond the older display
    view = std::make_unique<CTavixView>(doc.get(), nullptr);
    CMessageTexts page;
    Open(page, text);
    CPropertySheet sheet(L"Message text");
    sheet.AddPage(&page);
    Step([&](HWND) {
        EXPECT_EQ(page.Grid().GetColumnCount(), 13);
        ::SendMessageW(::GetDlgItem(page.m_hWnd, 1120), LB_SETCURSEL, 0, 0);
        ::SendMessageW(page.m_hWnd, WM_COMMAND, MAKEWPARAM(1120, LBN_SELCHANGE), LPARAM(::GetDlgItem(page.m_hWnd, 1120)));
        EXPECT_EQ(::SendMessageW(::GetDlgItem(page.m_hWnd, 1122), LB_GETCOUNT, 0, 0), 3);
        ::SendMessageW(::GetDlgItem(page.m_hWnd, 1122), LB_SETCURSEL, 0, 0);
        At(page, 1, 8);  // width 6 does not fit from column 8
        Press(page, 1121);
        At(page, 1, 7);  // but from column 7
        Press(page, 1121);
        At(page, 1, 1);  // a second field on the line is refused
        Press(page, 1121);
        page.Grid().SetItemText(2, 12, L"Q");
        mttest::Press(sheet.m_hWnd, IDOK);
    });
    ASSERT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(MessageCount(), 2);
    page.ReadIntoBlock(*text);
    ASSERT_EQ(text->m_aLines1[0].GetSize(), 1);
    const auto* f = static_cast<const CWidget*>(text->m_aLines1[0][0]);
    EXPECT_EQ(f->m_nCol, 7);
    EXPECT_EQ(f->m_nNumber, counter->m_nNumber);
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(2, 12)], L"Q");
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 20)], L"Z");
}

TEST_F(EditorPageTest, LadderAnalogFieldsShowTheirElementsValueInThePage)
{
    // The page draws copies of the stored fields: an AI or AM field of a ladder program still
    // names the value of the element that holds its operand.
    doc = NewDocument(0x5188, CTavixDoc::kindLadder);
    CBlockObj* ai = mttest::Add(*doc, 702);
    CBlockObj* am = mttest::Add(*doc, 705);
    ai->m_nOperand = 4003;
    ai->m_dElapsed = 12.5;
    am->m_nOperand = 4290;
    am->m_dElapsed = -3.5;
    auto* text = dynamic_cast<CBlockMSGTEXT*>(mttest::Add(*doc, 810));
    ASSERT_NE(text, nullptr);
    const struct { int line, number; const wchar_t* caption; } cases[] = {
        {0, 4003, L"  12.5"}, {1, 4290, L"  -3.5"}, {2, 4100, L""}};  // 4100: no element holds it
    for (const auto& c : cases) {
        auto* f = new CWidget(0, 0, 6 * 20, 20, RGB(128, 128, 128));
        f->m_nType = 0;
        f->m_nRow = c.line + 1;
        f->m_nCol = 1;
        f->m_nWidth = 6;
        f->m_nNumber = c.number;
        f->m_nItem = 131;
        f->m_pDoc = doc.get();  // as loaded from the file
        text->m_aLines1[c.line].Add(f);
    }
    view = std::make_unique<CTavixView>(doc.get(), nullptr);
    CMessageTexts_New page;
    Open(page, text);
    CPropertySheet sheet(L"Message text");
    sheet.AddPage(&page);
    std::vector<std::wstring> shown(3, L"?");
    Step([&](HWND) {
        for (const auto& c : cases)
            for (CGridField* p : page.Grid().m_arShownFields[c.line + 1])
                if (auto* w = dynamic_cast<CWidget*>(p); w && w->m_nNumber == c.number)
                    shown[size_t(c.line)] = std::wstring(w->GetCaption(page.GetView()).GetString());
        mttest::Press(sheet.m_hWnd, IDCANCEL);
    });
    sheet.DoModal();
    for (const auto& c : cases)
        EXPECT_EQ(shown[size_t(c.line)], c.caption) << c.number;
}

TEST_F(EditorPageTest, ResizingStretchesTheGridAndKeepsTheSizeGripInTheCorner)
{
    doc = NewDocument();
    auto* text = dynamic_cast<CBlockMSGTEXT*>(mttest::Add(*doc, 810));
    ASSERT_NE(text, nullptr);
    view = std::make_unique<CTavixView>(doc.get(), nullptr);
    CMessageTexts_New page;
    Open(page, text);
    CPropertySheet sheet(L"Message text");
    sheet.AddPage(&page);
    auto rectOf = [&](int id) {
        CRect r;
        ::GetWindowRect(::GetDlgItem(page.m_hWnd, id), &r);
        page.ScreenToClient(&r);
        return r;
    };
    Step([&](HWND) {
        const CRect grid = rectOf(1123), grip = rectOf(1126), insert = rectOf(1121);
        CRect client;
        page.GetClientRect(&client);
        ::SendMessageW(page.m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width() + 40, client.Height() + 30));
        EXPECT_EQ(rectOf(1123), CRect(grid.left, grid.top, grid.right + 40, grid.bottom + 30));
        EXPECT_EQ(rectOf(1126), CRect(grip.left + 40, grip.top + 30, grip.right + 40, grip.bottom + 30));
        EXPECT_EQ(rectOf(1121), CRect(insert.left + 40, insert.top, insert.right + 40, insert.bottom));
        EXPECT_TRUE(Visible(page.m_hWnd, 1126));
        ::SendMessageW(page.m_hWnd, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(client.Width() + 40, client.Height() + 30));
        EXPECT_FALSE(Visible(page.m_hWnd, 1126));
        EXPECT_EQ(rectOf(1123).Width(), grid.Width() + 40);  // no change: nothing moves twice
        ::SendMessageW(page.m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(1, 1));  // too small: ignored
        EXPECT_EQ(rectOf(1123).Width(), grid.Width() + 40);
        mttest::Press(sheet.m_hWnd, IDCANCEL);
    });
    sheet.DoModal();
}
