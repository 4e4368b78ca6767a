// Documents: saving through a temporary file that replaces the target, failed saves that keep
// the old file and the modified flag, opening damaged files, the save prompt on close, Save As.
#include "fw_support.h"

#include "platform/ui/dialogs/CommonDlg.h"

#include <dirent.h>
#include <sys/stat.h>

using namespace fwdemo;

namespace fwtest {
namespace {

class FwDocumentTest : public FwTest {
protected:
    CDemoDoc* NewDoc()
    {
        if (!app)
            StartApp();
        auto* doc = static_cast<CDemoDoc*>(app->m_pTextTemplate->OpenDocumentFile(nullptr));
        drv.Pump();
        return doc;
    }
    // Names in the test folder other than the profile.
    std::vector<std::string> FolderEntries(const std::string& sub = "") const
    {
        std::vector<std::string> out;
        std::string path = dir + (sub.empty() ? "" : "/" + sub);
        if (DIR* d = ::opendir(path.c_str())) {
            while (dirent* e = ::readdir(d)) {
                std::string n = e->d_name;
                if (n != "." && n != ".." && n != "profile.ini")
                    out.push_back(n);
            }
            ::closedir(d);
        }
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(FwDocumentTest, SaveReplacesTheFileAndReopensTheSameContent)
{
    CDemoDoc* doc = NewDoc();
    doc->m_text = L"hello";
    doc->m_count = 2;
    doc->SetModifiedFlag();
    CString path = TempPath("a.dtx");
    WriteFile(path, "old contents");
    ASSERT_TRUE(doc->DoSave(path));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_EQ(doc->GetTitle(), CString(L"a.dtx"));
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"a.dtx"})) << "no temporary file is left";
    EXPECT_NE(ReadFile(path), "old contents");

    doc->OnCloseDocument();
    drv.Pump();
    auto* again = static_cast<CDemoDoc*>(app->OpenDocumentFile(path));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->m_text, CString(L"hello"));
    EXPECT_EQ(again->m_count, 2);
    EXPECT_FALSE(again->IsModified());
    // Opening it again activates the open document instead of loading a second copy.
    EXPECT_EQ(app->OpenDocumentFile(path), again);
    EXPECT_EQ(app->GetOpenDocumentCount(), 1);
}

TEST_F(FwDocumentTest, AFailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    CDemoDoc* doc = NewDoc();
    ::mkdir((dir + "/folder.dtx").c_str(), 0755);
    struct Case {
        const char* what;
        const char* target;
        bool failSerialize;
    } cases[] = {
        {"the document cannot be written", "kept.dtx", true},
        {"the folder does not exist", "missing/x.dtx", false},
        {"the target is a folder", "folder.dtx", false},
    };
    WriteFile(TempPath("kept.dtx"), "precious old bytes");
    for (const Case& c : cases) {
        drv.Host().ClearMessageBoxes();
        doc->m_text = L"new";
        doc->SetModifiedFlag();
        CDemoDoc::s_failStore = c.failSerialize;
        EXPECT_FALSE(doc->DoSave(TempPath(c.target))) << c.what;
        EXPECT_TRUE(doc->IsModified()) << c.what;
        EXPECT_EQ(doc->GetPathName(), CString()) << c.what;
        ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u) << c.what << ": the failure is reported";
        EXPECT_NE(drv.Host().MessageBoxes()[0].text.find(L"Failed to save"), std::wstring::npos) << c.what;
        EXPECT_EQ(ReadFile(TempPath("kept.dtx")), "precious old bytes") << c.what;
        EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"folder.dtx", "kept.dtx"})) << c.what;
    }
    CDemoDoc::s_failStore = false;
}

TEST_F(FwDocumentTest, FileOpenUsesTheStandardDialog)
{
    CDemoDoc* doc = NewDoc();
    doc->m_count = 2;
    CString path = TempPath("std.dsk");
    ASSERT_TRUE(doc->DoSave(path));
    doc->OnCloseDocument();
    drv.Pump();
    CCommonDlgScript script;
    script.QueueFiles({std::wstring(path)});
    Command(ID_FILE_OPEN);
    ASSERT_EQ(script.Queries().size(), 1u);
    EXPECT_EQ(script.Queries()[0].kind, CommonDlgQuery::FileOpen);
    EXPECT_GE(script.Queries()[0].filters.size(), 3u) << "both templates and All Files";
    CDocument* opened = MainFrame()->GetActiveFrame()->GetActiveDocument();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->GetDocTemplate(), app->m_pSketchTemplate);
    EXPECT_EQ(static_cast<CDemoDoc*>(opened)->m_count, 2);
}

TEST_F(FwDocumentTest, DamagedFilesAreRefusedWithAMessage)
{
    StartApp();
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"truncated string", std::string("\xFF\xFE\xFF\x10\x00", 5)},
        {"text instead of an archive", "this is not a document"},
    };
    for (const Case& c : cases) {
        drv.Host().ClearMessageBoxes();
        CString path = TempPath("bad.dtx");
        WriteFile(path, c.bytes);
        EXPECT_EQ(app->OpenDocumentFile(path), nullptr) << c.what;
        drv.Pump();
        EXPECT_EQ(app->GetOpenDocumentCount(), 0) << c.what;
        EXPECT_EQ(drv.Host().MessageBoxes().size(), 1u) << c.what;
    }
    EXPECT_EQ(app->OpenDocumentFile(TempPath("absent.dtx")), nullptr);
    EXPECT_EQ(MainFrame()->MDIGetActive(), nullptr);
}

TEST_F(FwDocumentTest, ClosingAModifiedDocumentAsksFirst)
{
    CDemoDoc* doc = NewDoc();
    CString path = TempPath("c.dtx");
    ASSERT_TRUE(doc->DoSave(path));
    struct Case {
        int answer;
        bool closed;
        bool saved;
    } cases[] = {{IDCANCEL, false, false}, {IDYES, true, true}};
    for (const Case& c : cases) {
        doc->m_count = 1;
        doc->SetModifiedFlag();
        drv.Host().QueueMessageBoxAnswer(c.answer);
        Command(ID_FILE_CLOSE);
        EXPECT_EQ(app->GetOpenDocumentCount(), c.closed ? 0 : 1) << c.answer;
        if (c.saved) {
            auto* back = static_cast<CDemoDoc*>(app->OpenDocumentFile(path));
            ASSERT_NE(back, nullptr);
            EXPECT_EQ(back->m_count, 1);
        }
    }
    // No: closes without saving.
    auto* doc2 = static_cast<CDemoDoc*>(app->OpenDocumentFile(path));
    ASSERT_NE(doc2, nullptr);
    doc2->m_count = 9;
    doc2->SetModifiedFlag();
    drv.Host().QueueMessageBoxAnswer(IDNO);
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(app->GetOpenDocumentCount(), 0);
    auto* doc3 = static_cast<CDemoDoc*>(app->OpenDocumentFile(path));
    ASSERT_NE(doc3, nullptr);
    EXPECT_EQ(doc3->m_count, 1);
}

TEST_F(FwDocumentTest, SaveAsProposesTheTitleWithTheTemplateExtension)
{
    static CString proposed;
    static CString answer;
    AfxSetFileDialogHook([](CString& name, LPCTSTR, DWORD, BOOL bOpen, LPCTSTR filter, LPCTSTR) -> BOOL {
        proposed = name;
        EXPECT_FALSE(bOpen);
        EXPECT_NE(CString(filter).Find(L"*.dtx"), -1);
        if (answer.IsEmpty())
            return FALSE;
        name = answer;
        return TRUE;
    });
    CDemoDoc* doc = NewDoc();
    doc->SetModifiedFlag();
    answer.Empty();
    Command(ID_FILE_SAVE);  // no path yet: asks, and the user cancels
    EXPECT_EQ(proposed, CString(L"Text1.dtx"));
    EXPECT_TRUE(doc->IsModified());
    answer = TempPath("chosen.dtx");
    Command(ID_FILE_SAVE_AS);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), answer);
    CString title;
    MainFrame()->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Demo - chosen.dtx"));
}

}  // namespace
}  // namespace fwtest
