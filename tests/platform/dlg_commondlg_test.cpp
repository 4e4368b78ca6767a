// Common dialogs answered by a script: what the program asks and how it reads the answers.
#include "dlg_support.h"

#include "platform/ui/dialogs/CommonDlg.h"

#include <cstdio>
#include <unistd.h>

using namespace dlgtest;

namespace {

class CommonDlgTest : public DlgTest {
protected:
    CCommonDlgScript script;
};

TEST_F(CommonDlgTest, OpenPassesFiltersAndTitleAndReturnsEverySelectedPath)
{
    CFileDialog dlg(TRUE, L"yfb", nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                    L"Program files (*.yfb)|*.yfb|Ladder files (*.yld)|*.yld;*.ld||");
    dlg.m_ofn.lpstrTitle = L"Open";
    dlg.m_ofn.lpstrInitialDir = L"/tmp";
    // More names than a classic 260-character buffer holds: none is lost.
    std::vector<std::wstring> many;
    for (int i = 0; i < 300; ++i)
        many.push_back(L"/data/programs/program_number_" + std::to_wstring(i) + L".yfb");
    script.QueueFiles(many);
    wchar_t small[32] = L"";
    dlg.m_ofn.lpstrFile = small;
    dlg.m_ofn.nMaxFile = 32;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const CommonDlgQuery& q = script.Queries().at(0);
    EXPECT_EQ(q.kind, CommonDlgQuery::FileOpen);
    EXPECT_EQ(q.title, L"Open");
    EXPECT_EQ(q.initialDir, L"/tmp");
    ASSERT_EQ(q.filters.size(), 2u);
    EXPECT_EQ(q.filters[1].first, L"Ladder files (*.yld)");
    EXPECT_EQ(q.filters[1].second, L"*.yld;*.ld");
    int n = 0;
    for (POSITION pos = dlg.GetStartPosition(); pos;) {
        CString p = dlg.GetNextPathName(pos);
        EXPECT_EQ(p, CString(many[size_t(n)].c_str()));
        ++n;
    }
    EXPECT_EQ(n, 300);
    EXPECT_EQ(dlg.GetFileName(), CString(L"program_number_0.yfb"));
    EXPECT_EQ(dlg.GetFileTitle(), CString(L"program_number_0"));
    EXPECT_EQ(dlg.GetFileExt(), CString(L"yfb"));
    EXPECT_EQ(dlg.GetFolderPath(), CString(L"/data/programs"));
    EXPECT_STREQ(small, L"");  // did not fit: left alone
}

TEST_F(CommonDlgTest, SaveAddsTheDefaultExtensionAndAsksBeforeReplacingAFile)
{
    char tmpl[] = "/tmp/dlgtestXXXXXX";
    int fd = mkstemp(tmpl);
    ASSERT_GE(fd, 0);
    close(fd);
    std::string existing = std::string(tmpl) + ".yld";
    std::FILE* f = std::fopen(existing.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    std::wstring base(tmpl, tmpl + sizeof tmpl - 1);

    CFileDialog dlg(FALSE, L"yld", L"ladder", OFN_OVERWRITEPROMPT, L"Ladder (*.yld)|*.yld||");
    script.QueueFiles({base});               // -> base.yld, which exists: the user says No
    script.QueueFiles({base + L"_new.yld"});  // second choice
    drv.Host().QueueMessageBoxAnswer(IDNO);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), CString((base + L"_new.yld").c_str()));
    ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u);
    EXPECT_NE(drv.Host().MessageBoxes()[0].text.find(L"already exists"), std::wstring::npos);
    EXPECT_EQ(script.Queries().at(0).fileName, L"ladder");
    EXPECT_EQ(script.Queries().at(1).kind, CommonDlgQuery::FileSave);
    std::remove(existing.c_str());
    std::remove(tmpl);

    CFileDialog cancelled(FALSE);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);  // nothing queued: Cancel
}

TEST_F(CommonDlgTest, ColourAndFontAnswersComeBack)
{
    CColorDialog colour(RGB(1, 2, 3), CC_FULLOPEN);
    colour.m_strTitle = L"Line colour";
    script.QueueColor(RGB(200, 100, 50));
    ASSERT_EQ(colour.DoModal(), IDOK);
    EXPECT_EQ(colour.GetColor(), RGB(200, 100, 50));
    EXPECT_EQ(script.Queries().at(0).color, RGB(1, 2, 3));
    EXPECT_EQ(script.Queries().at(0).title, L"Line colour");

    LOGFONTW lf{};
    lf.lfHeight = -16;
    wcscpy(lf.lfFaceName, L"Liberation Sans");
    CFontDialog font(&lf);
    script.Queue([](CommonDlgQuery& q) {
        EXPECT_EQ(q.pointSize, 120);
        EXPECT_STREQ(q.font.lfFaceName, L"Liberation Sans");
        q.pointSize = 100;
        q.font.lfWeight = FW_BOLD;
        q.color = RGB(255, 0, 0);
        return true;
    });
    ASSERT_EQ(font.DoModal(), IDOK);
    EXPECT_EQ(font.GetSize(), 100);
    EXPECT_TRUE(font.IsBold());
    EXPECT_EQ(font.GetColor(), RGB(255, 0, 0));
    LOGFONTW out;
    font.GetCurrentFont(&out);
    EXPECT_EQ(out.lfHeight, -13);
}

// A colour dialog that sets its caption while initialising, as derived dialogs do.
class CTitledColorDialog : public CColorDialog {
public:
    CTitledColorDialog(LPCTSTR title, COLORREF c) : CColorDialog(c), m_title(title) {}
    BOOL OnInitDialog() override
    {
        CColorDialog::OnInitDialog();
        SetWindowText(m_title.GetString());
        return TRUE;
    }
    CString m_title;
};

TEST_F(CommonDlgTest, CaptionSetDuringInitialisationBecomesTheTitle)
{
    CTitledColorDialog dlg(L"Set the linked line color", RGB(0, 0, 255));
    script.QueueColor(RGB(0, 128, 0));
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(script.Queries().at(0).title, L"Set the linked line color");
    EXPECT_EQ(dlg.GetColor(), RGB(0, 128, 0));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(CommonDlgTest, PageSetupKeepsMarginsAboveThePrintersMinimum)
{
    CPageSetupDialog dlg(PSD_MARGINS | PSD_MINMARGINS | PSD_INHUNDREDTHSOFMILLIMETERS);
    dlg.m_psd.rtMargin = RECT{1000, 1000, 1000, 1000};
    script.Queue([](CommonDlgQuery& q) {
        EXPECT_EQ(q.margins.left, 1000);
        q.minMargins = RECT{500, 500, 500, 500};
        q.margins = RECT{200, 2500, 600, 500};
        q.orientation = 2;
        q.paper = SIZE{21000, 29700};
        return true;
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    RECT m;
    dlg.GetMargins(&m, nullptr);
    EXPECT_EQ(m.left, 500);
    EXPECT_EQ(m.top, 2500);
    EXPECT_EQ(dlg.m_nOrientation, 2);
    EXPECT_EQ(dlg.GetPaperSize(), CSize(21000, 29700));
}

}  // namespace
