// The field setting dialogs, the I/O status name dialog and the message text settings dialog,
// driven headless: what OK hands back or writes, what each refuses, and that Cancel after a
// refusal leaves a field as it was.
#include "MsgTextTestSupport.h"

#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "msgtext/GraphDlg.h"
#include "resources/resource.h"
#include "msgtext/IOSN.h"
#include "msgtext/MsgTextLists.h"
#include "msgtext/MsgTextSettingDlg.h"
#include "msgtext/ScaleTimeDlg.h"
#include "msgtext/Widget.h"
#include "msgtext/WidgetSettingDlg.h"
#include "platform/ui/controls/CtlStd.h"

using namespace mttest;

namespace {

class FieldDialogsTest : public MsgTextTest {
protected:
    void SetUp() override
    {
        MsgTextTest::SetUp();
        doc = NewDocument();
        counter = Add(*doc, 800);      // Up/Down Counter: one analog value
        amplifier = Add(*doc, 805);    // Analog Amplifier
        comparator = Add(*doc, 803);   // Analog Comparator: three analog values
        Add(*doc, 300);                // a gate has no actual value
    }
    std::unique_ptr<CTavixDoc> doc;
    CBlockObj* counter = nullptr;
    CBlockObj* amplifier = nullptr;
    CBlockObj* comparator = nullptr;
};

int IndexOfEntry(HWND dlg, int id, const std::wstring& text)
{
    for (int i = 0; i < Count(dlg, id); ++i)
        if (Entry(dlg, id, i) == text)
            return i;
    return -1;
}

} // namespace

TEST_F(FieldDialogsTest, BarSettingsListOnlyBlocksWithValuesAndRefuseNoBlockAndAnUpsideDownScale)
{
    CWidgetSettingDlg dlg(doc.get());
    dlg.m_nType = widgetBar;
    std::wstring counterEntry;
    Step([&](HWND d) {
        EXPECT_EQ(Caption(d), L"Bar Graph Setting");
        ASSERT_EQ(Count(d, 1331), 3);  // the gate has no actual value
        counterEntry = Entry(d, 1331, 0);
        EXPECT_EQ(Count(d, 1396), 0);
        Press(d, IDOK);  // no block chosen
    });
    Step([&](HWND d) {
        EXPECT_EQ(LastMessage(), L"Select the function block.");
        Choose(d, 1331, 2);  // the comparator: its first value is selected
        EXPECT_EQ(Count(d, 1396), 3);
        EXPECT_EQ(Selected(d, 1396), 0);
        Choose(d, 1396, 2);
        SetText(d, 1133, L"40000");  // clamped while typed
        ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(1133, EN_UPDATE), LPARAM(::GetDlgItem(d, 1133)));
        EXPECT_EQ(Text(d, 1133), L"32767");
        SetText(d, 1135, L"500");
        Press(d, IDOK);
    });
    Step([&](HWND d) {
        EXPECT_EQ(LastMessage(), L"The MaxValue must be larger than the MinValue.");
        SetText(d, 1133, L"-20");
        SetText(d, 1137, L"13");  // wider than a bar may be
        Press(d, IDOK);
    });
    Step([&](HWND d) {
        SetText(d, 1137, L"5");
        Press(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(MessageCount(), 3);
    EXPECT_EQ(dlg.m_nBlockNumber, comparator->m_nNumber);
    EXPECT_EQ(dlg.m_nValueIndex, 2);
    EXPECT_EQ(dlg.m_nMinValue, -20);
    EXPECT_EQ(dlg.m_nMaxValue, 500);
    EXPECT_EQ(dlg.m_nWidthOrTime, 5);
    CString expected;
    expected.Format(L"B%d[Up/Down Counter]", counter->m_nNumber - 9000);
    EXPECT_EQ(counterEntry, std::wstring(expected.GetString()));
    EXPECT_EQ(msgtext::BlockNumberOfEntry(L"B12[Up/Down Counter]"), 9012);
}

TEST_F(FieldDialogsTest, ScopeAndPointerSettingsShowTheirOwnControls)
{
    doc->m_nScanTime = 2;  // 400 x 10 ms
    struct Case {
        int kind;
        const wchar_t* caption;
        bool widthShown;
    } cases[] = {{widgetScope, L"Scope setting", true}, {widgetPointer, L"Pointer setting", false}};
    for (const Case& c : cases) {
        CWidgetSettingDlg dlg(doc.get());
        dlg.m_nType = c.kind;
        dlg.m_nWidthOrTime = 5;
        Step([&](HWND d) {
            EXPECT_EQ(Caption(d), c.caption);
            EXPECT_EQ(Visible(d, 1137), c.widthShown);
            if (c.kind == widgetScope) {
                EXPECT_EQ(Text(d, 1137), L"400");
                EXPECT_FALSE(Enabled(d, 1137));
                EXPECT_TRUE(Visible(d, 1278));
                EXPECT_FALSE(Visible(d, 1138));
                EXPECT_EQ(Text(d, 1416), L"Time:");
            }
            Choose(d, 1331, 1);
            Press(d, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK) << c.caption;
        EXPECT_EQ(dlg.m_nBlockNumber, amplifier->m_nNumber);
        if (c.kind == widgetScope) {
            EXPECT_EQ(dlg.m_nWidthOrTime, 400);
        }
    }
}

TEST_F(FieldDialogsTest, CancelAfterARefusedCheckLeavesTheEditedFieldWhole)
{
    CWidget field;
    field.m_nType = widgetBar;
    field.m_pBlock = counter;
    field.m_nNumber = counter->m_nNumber;
    field.m_nItem = 16;
    field.m_nValueIndex = 0;
    field.m_nMinValue = 1;
    field.m_nMaxValue = 9;
    CWidgetSettingDlg dlg(doc.get());
    dlg.m_pWidget = &field;
    dlg.m_nType = widgetBar;
    dlg.m_nValueIndex = 0;
    dlg.m_nMinValue = 1;
    dlg.m_nMaxValue = 9;
    dlg.m_nWidthOrTime = 4;
    Step([&](HWND d) {
        EXPECT_EQ(Selected(d, 1331), 0);  // the field's own block
        EXPECT_EQ(Selected(d, 1396), 0);
        Choose(d, 1331, 2);
        SetText(d, 1133, L"9");
        Press(d, IDOK);
    });
    Step([&](HWND d) { Press(d, IDCANCEL); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(field.m_pBlock, counter);
    EXPECT_EQ(field.m_nNumber, counter->m_nNumber);
    EXPECT_EQ(field.m_nItem, 16);

    // Accepted, the field follows the new block and value.
    CScaleTimeDlg st(doc.get());
    st.m_pWidget = &field;
    st.m_nValueIndex = 0;
    st.m_nTimeBase = 1;
    Step([&](HWND d) {
        EXPECT_EQ(Count(d, 1277), 4);
        EXPECT_EQ(Entry(d, 1277, 3), L"10 Milliseconds");
        EXPECT_EQ(Selected(d, 1277), 1);
        Choose(d, 1331, 2);
        Choose(d, 1396, 1);
        Choose(d, 1277, 2);
        Press(d, IDOK);
    });
    ASSERT_EQ(st.DoModal(), IDOK);
    EXPECT_EQ(field.m_pBlock, comparator);
    EXPECT_EQ(field.m_nItem, 29);  // "Ay,Amplified"
    EXPECT_EQ(st.m_nValueIndex, 1);
    EXPECT_EQ(st.m_nTimeBase, 2);
}

TEST_F(FieldDialogsTest, GraphDialogReturnsThePictureShownInThePreview)
{
    CWidget field;
    CGraphDlg dlg;
    dlg.m_pWidget = &field;
    dlg.m_nPicture = 7;
    Step([&](HWND d) {
        // Every button shows its picture's icon; the preview the chosen one.
        for (int i = 0; i < CGraphDlg::kPictures; ++i)
            EXPECT_EQ(dlg.m_btnPictures[i].GetIconId(), IDI_MT_PICTURE_FIRST + i);
        EXPECT_EQ(dlg.m_btnPictures[CGraphDlg::kPictures].GetIconId(), IDI_MT_PICTURE_FIRST + 7);
        EXPECT_NE(::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDI_MT_PICTURE_FIRST + 29)), nullptr);
        Press(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nPicture, 7);

    CGraphDlg fresh;
    Step([&](HWND d) {
        EXPECT_EQ(fresh.m_btnPictures[CGraphDlg::kPictures].GetIconId(), IDI_MT_PICTURE_FIRST);
        Press(d, CGraphDlg::kFirstButton + 29);
        EXPECT_EQ(fresh.m_btnPictures[CGraphDlg::kPictures].GetIconId(), IDI_MT_PICTURE_FIRST + 29);
        Press(d, IDOK);
    });
    ASSERT_EQ(fresh.DoModal(), IDOK);
    EXPECT_EQ(fresh.m_nPicture, 29);
}

TEST(IOStatusNames, EntriesAndNumbersMapBothWays)
{
    struct Case {
        const wchar_t* entry;
        int type;
        int number;
    } cases[] = {
        {L"I101", 600, 133}, {L"Q102", 605, 618}, {L"M004", 607, 1320}, {L"F2", 611, 1302},
        {L"S1.5", 602, 1021}, {L"S0.10", 602, 1010}, {L"B0012[Up/Down Counter]", 9000, 9012},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CIOSN::NumberOfEntry(c.entry, c.type, FALSE), c.number) << c.entry;
        EXPECT_EQ(CIOSN::NumberOfEntry(c.entry, 0, TRUE), c.number) << c.entry;
        if (c.type != 9000) {
            EXPECT_EQ(std::wstring(CIOSN::EntryOfNumber(c.number, c.type, 0).GetString()), c.entry);
        }
    }
    EXPECT_EQ(CIOSN::NumberOfEntry(L"", 600, FALSE), -1);
    EXPECT_EQ(CIOSN::NumberOfEntry(L"Sx", 602, TRUE), -1);
}

TEST_F(FieldDialogsTest, IOStatusNamesListTheTypeAndReturnTheNamesTyped)
{
    CIOSN empty(doc.get());
    for (int i = 0; i < CIOSN::kRows * CIOSN::kCols; ++i)
        empty.m_strStatusName[i] = (i < 9 || i % 9 == 0) ? L"W" : L" ";
    Step([&](HWND d) {
        EXPECT_EQ(Count(d, 1401), 0);  // no inputs in the program
        Press(d, IDOK);
    });
    Step([&](HWND d) { Press(d, IDCANCEL); });
    EXPECT_EQ(empty.DoModal(), IDCANCEL);
    EXPECT_EQ(LastMessage(), L"Invalid setting. Check I/O type and block number.");

    CWidget field;
    field.m_pBlock = comparator;
    field.m_nNumber = comparator->m_nNumber;
    CIOSN dlg(doc.get());
    dlg.m_pWidget = &field;
    for (int i = 0; i < CIOSN::kRows * CIOSN::kCols; ++i)
        dlg.m_strStatusName[i] = field.m_strStatusName[i];
    dlg.m_strStatusName[10] = L"O";
    dlg.m_strStatusName[11] = L"F";
    Step([&](HWND d) {
        EXPECT_EQ(Selected(d, 1400), 5);  // function block output
        const int own = Selected(d, 1401);
        ASSERT_GE(own, 0);
        CString expected;
        expected.Format(L"B%04d", comparator->m_nNumber - 9000);
        EXPECT_EQ(Entry(d, 1401, own).substr(0, 5), std::wstring(expected.GetString()));
        auto* grid = dynamic_cast<CGridCtrl*>(CWnd::FromHandlePermanent(::GetDlgItem(d, 1123)));
        ASSERT_NE(grid, nullptr);
        grid->SetItemText(1, 3, L"XYZ");  // only the first character counts
        grid->SetItemText(2, 1, L"");      // an emptied cell is a blank
        Choose(d, 1401, IndexOfEntry(d, 1401, Entry(d, 1401, own)));
        Press(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nNumber, comparator->m_nNumber);
    EXPECT_EQ(dlg.m_strStatusName[10], L"O");
    EXPECT_EQ(dlg.m_strStatusName[12], L"X");
    EXPECT_EQ(dlg.m_strStatusName[19], L" ");
    EXPECT_EQ(field.m_nItem, 24);  // the comparator's first shown item
}

TEST_F(FieldDialogsTest, SettingsRefuseAnOffIntervalAndStripOnlyTheChangedSet)
{
    auto* text = dynamic_cast<CBlockMSGTEXT*>(Add(*doc, 810));
    ASSERT_NE(text, nullptr);
    text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)] = L"\x4E2D";
    text->m_astrCells2[CBlockMSGTEXT::CellIndex(1, 1)] = L"\x4E2D";
    text->m_astrCells2[CBlockMSGTEXT::CellIndex(4, 24)] = L"\x00E9";
    text->m_astrCells2[CBlockMSGTEXT::CellIndex(4, 23)] = L"A";
    doc->m_nTextTime1 = 1000;
    doc->m_nTextTime2 = 10000;
    EXPECT_EQ(CMsgTextSettingDlg::LineTickerOf(100), 1000);
    EXPECT_EQ(CMsgTextSettingDlg::LineTickerOf(10000), 100000);
    EXPECT_EQ(CMsgTextSettingDlg::LineTickerOf(250), 2000);

    m_drv.Host().QueueMessageBoxAnswer(IDOK);
    m_drv.Host().QueueMessageBoxAnswer(IDNO);
    m_drv.Host().QueueMessageBoxAnswer(IDYES);
    Step([&](HWND d) {
        EXPECT_EQ(Caption(d), L"Message Text Setting");
        EXPECT_EQ(Text(d, 1382), L"SC:Simplified Chinese, English");
        SetText(d, 1336, L"250");
        Press(d, IDOK);
    });
    Step([&](HWND d) {
        EXPECT_EQ(LastMessage(),
                  L"Please enter an integer number between 100 and 10000 with an interval of 100.");
        SetText(d, 1336, L"200");
        ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(1336, EN_CHANGE), LPARAM(::GetDlgItem(d, 1336)));
        EXPECT_EQ(Text(d, 1551), L"2000");
        Choose(d, 1340, 2);
        EXPECT_EQ(Text(d, 1383), L"Others:English, Spanish,...");
        Press(d, IDOK);  // answered No: the dialog stays
    });
    Step([&](HWND d) {
        EXPECT_EQ(LastMessage(), L"Some message contents will be removed.\nDo you want to continue?");
        EXPECT_EQ(text->m_astrCells2[CBlockMSGTEXT::CellIndex(1, 1)], L"\x4E2D");
        Press(d, IDOK);  // Yes
    });
    RunMessageTextSettings(doc.get(), nullptr);
    EXPECT_EQ(doc->m_nTextTime1, 200);
    EXPECT_EQ(doc->m_nTextTime2, 2000);
    EXPECT_EQ(doc->m_nTextSet2, 2);
    EXPECT_EQ(doc->m_nTextSet1, 0);
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)], L"\x4E2D");
    EXPECT_TRUE(text->m_astrCells2[CBlockMSGTEXT::CellIndex(1, 1)].IsEmpty());
    EXPECT_TRUE(text->m_astrCells2[CBlockMSGTEXT::CellIndex(4, 24)].IsEmpty());
    EXPECT_EQ(text->m_astrCells2[CBlockMSGTEXT::CellIndex(4, 23)], L"A");
    EXPECT_EQ(text->m_astrCells2[CBlockMSGTEXT::CellIndex(0, 0)], L"W");
}
