// The program document as a framework document: created by its runtime class, saved through the
// framework's save path, its modified flag, path and title the framework's, and failures shown
// to the user as well as kept for GetLastError().
#include "DocTestSupport.h"

#include "platform/host/HeadlessHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>

namespace {

std::unique_ptr<CTavixDoc> CreateByRuntimeClass()
{
    CObject* object = RUNTIME_CLASS(CTavixDoc)->CreateObject();
    EXPECT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CDocument)));
    return std::unique_ptr<CTavixDoc>(static_cast<CTavixDoc*>(object));
}

TEST(FrameworkDocument, CreatedByItsClassAndSavedByTheFramework)
{
    CHeadlessDriver driver;
    ScratchFolder folder;
    std::unique_ptr<CTavixDoc> doc = CreateByRuntimeClass();
    ASSERT_TRUE(doc->OnOpenDocument(Wide(FixturePath("program_fbd.yfb"))));
    EXPECT_EQ(doc->GetTitle(), L"program_fbd.yfb");
    EXPECT_FALSE(doc->IsModified());

    ASSERT_NE(AddNew(*doc, 300), nullptr);
    CDocument& framework = *doc;
    EXPECT_TRUE(framework.IsModified()) << "adding an element sets the framework's flag";
    const std::string path = folder.File("copy.yfb");
    ASSERT_TRUE(framework.DoSave(Wide(path)));
    EXPECT_FALSE(framework.IsModified());
    EXPECT_EQ(framework.GetPathName(), Wide(path));
    EXPECT_EQ(framework.GetTitle(), L"copy.yfb");

    // Save (the framework's command) writes the document's own file again.
    ASSERT_NE(AddNew(*doc, 300), nullptr);
    ASSERT_TRUE(framework.DoFileSave());
    EXPECT_FALSE(framework.IsModified());
    CTavixDoc again;
    ASSERT_TRUE(again.OnOpenDocument(Wide(path)));
    EXPECT_EQ(again.m_blocks.GetCount(), 7);
    EXPECT_TRUE(driver.Host().MessageBoxes().empty());
}

TEST(FrameworkDocument, FailuresAreShownAndKept)
{
    CHeadlessDriver driver;
    ScratchFolder folder;
    std::unique_ptr<CTavixDoc> doc = CreateByRuntimeClass();
    ASSERT_TRUE(doc->OnOpenDocument(Wide(FixturePath("program_fbd.yfb"))));
    const std::string damaged = folder.File("damaged.yfb");
    WriteBytes(damaged, Bytes{0x55, 0x55, 1, 2, 3});
    const std::string locked = folder.File("locked.yfb");
    WriteBytes(locked, Bytes{9});
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);

    struct Case {
        const char* what;
        bool save;
        std::string path;
        const wchar_t* shown;   // the message box's first line
        const wchar_t* reason;  // part of the kept text
    } cases[] = {
        {"missing file", false, folder.File("absent.yfb"), L"Failed to open", L"not found"},
        {"damaged file", false, damaged, L"Failed to open", L"damaged.yfb"},
        {"read-only file", true, locked, L"Failed to save", L"read-only"},
        {"missing folder", true, folder.File("no/where.yfb"), L"Failed to save", L"does not exist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        driver.Host().ClearMessageBoxes();
        doc->SetModifiedFlag(TRUE);
        const BOOL done = c.save ? doc->OnSaveDocument(Wide(c.path)) : doc->OnOpenDocument(Wide(c.path));
        EXPECT_FALSE(done);
        ASSERT_EQ(driver.Host().MessageBoxes().size(), 1u);
        EXPECT_NE(driver.Host().MessageBoxes()[0].text.find(c.shown), std::wstring::npos);
        EXPECT_NE(doc->GetLastError().Find(c.reason), -1) << doc->GetLastError().GetString();
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(doc->m_blocks.GetCount(), 5) << "the document is as it was";
        EXPECT_EQ(doc->GetPathName(), Wide(FixturePath("program_fbd.yfb")));
    }
    EXPECT_TRUE(ReadBytes(locked) == Bytes{9});
}

TEST(FrameworkDocument, SaveAsWithoutAnApplicationAsksNobodyAndFails)
{
    CTavixDoc doc;
    doc.SetTitle(L"Plant");
    EXPECT_FALSE(doc.DoSave(nullptr));
    EXPECT_FALSE(doc.GetLastError().IsEmpty());
}

}  // namespace
