#include "platform/base/File.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Profile.h"
#include "tests/platform/base_test_print.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = CreateUniqueTempFolder(L"profile");
        ASSERT_FALSE(dir.IsEmpty());
        path = dir + L"profile.ini";
    }
    void TearDown() override { std::filesystem::remove_all(ToNativePath(dir)); }

    std::string FileText() const
    {
        std::ifstream in(ToNativePath(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void SetFileText(const std::string& text) const
    {
        std::ofstream(ToNativePath(path), std::ios::binary) << text;
    }
    size_t FilesInFolder() const
    {
        size_t n = 0;
        for (const auto& e : std::filesystem::directory_iterator(ToNativePath(dir))) {
            (void)e;
            ++n;
        }
        return n;
    }

    CString dir;
    CString path;
};

TEST_F(ProfileTest, MissingFileGivesDefaults)
{
    CProfileStore store(path);
    EXPECT_EQ(store.GetProfileInt(L"Settings", L"Language", 3), 3u);
    EXPECT_EQ(store.GetProfileString(L"Settings", L"Face", L"Arial"), L"Arial");
    EXPECT_EQ(store.GetProfileString(L"Settings", L"Face"), L"");
    EXPECT_FALSE(PathFileExistsW(path));  // reading never creates the file
}

TEST_F(ProfileTest, WritesPersistAndReadBackInANewStore)
{
    {
        CProfileStore store(path);
        EXPECT_TRUE(store.WriteProfileInt(L"Settings", L"Language", 1));
        EXPECT_TRUE(store.WriteProfileInt(L"Settings", L"Offset", -25));
        EXPECT_TRUE(store.WriteProfileString(L"Recent File List", L"File1", L"/home/u/\u4e2d.yld"));
        EXPECT_TRUE(store.WriteProfileString(L"Recent File List", L"File2", L"C:\\old\\a.yfb"));
        EXPECT_TRUE(store.WriteProfileString(L"Texts", L"Multi", L"line1\r\nline2"));
        EXPECT_TRUE(store.WriteProfileString(L"Texts", L"Blanks", L"  padded  "));
        EXPECT_TRUE(store.WriteProfileString(L"Texts", L"Quoted", L"\"q\""));
        EXPECT_TRUE(store.WriteProfileString(L"Texts", L"Empty", L""));
        EXPECT_TRUE(store.WriteProfileInt(L"Settings", L"Language", 0));  // overwrite in place
    }
    CProfileStore again(path);
    EXPECT_EQ(again.GetProfileInt(L"settings", L"LANGUAGE", 9), 0u);  // names ignore case
    EXPECT_EQ(static_cast<int>(again.GetProfileInt(L"Settings", L"Offset", 0)), -25);
    EXPECT_EQ(again.GetProfileString(L"Recent File List", L"File1"), L"/home/u/\u4e2d.yld");
    EXPECT_EQ(again.GetProfileString(L"Recent File List", L"File2"), L"C:\\old\\a.yfb");
    EXPECT_EQ(again.GetProfileString(L"Texts", L"Multi"), L"line1\r\nline2");
    EXPECT_EQ(again.GetProfileString(L"Texts", L"Blanks"), L"  padded  ");
    EXPECT_EQ(again.GetProfileString(L"Texts", L"Quoted"), L"\"q\"");
    EXPECT_EQ(again.GetProfileString(L"Texts", L"Empty", L"dflt"), L"");
    EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file left behind
    EXPECT_EQ(FileText().find("[Settings]\nLanguage=0\nOffset=-25\n"), 0u);
}

TEST_F(ProfileTest, RemovingEntriesAndSections)
{
    CProfileStore store(path);
    store.WriteProfileString(L"A", L"x", L"1");
    store.WriteProfileString(L"A", L"y", L"2");
    store.WriteProfileString(L"B", L"z", L"3");
    EXPECT_TRUE(store.WriteProfileString(L"A", L"x", nullptr));
    EXPECT_EQ(store.GetProfileString(L"A", L"x", L"gone"), L"gone");
    EXPECT_EQ(store.GetProfileString(L"A", L"y"), L"2");
    EXPECT_TRUE(store.WriteProfileString(L"A", nullptr, nullptr));
    EXPECT_EQ(store.GetProfileString(L"A", L"y", L"gone"), L"gone");
    EXPECT_EQ(FileText(), "[B]\nz=3\n");
}

TEST_F(ProfileTest, HandEditedFileIsReadAndItsOtherLinesKept)
{
    SetFileText("\xEF\xBB\xBF; comment\r\n[Main]\r\n  Width = 640 \r\nbroken line\r\nHeight=480px\r\n"
                "Width=800\r\n[ main ]\r\nDepth=24\r\n");
    CProfileStore store(path);
    EXPECT_EQ(store.GetProfileInt(L"Main", L"Width", 0), 800u);  // the last repeated entry wins
    EXPECT_EQ(store.GetProfileInt(L"Main", L"Height", 0), 480u);  // digits up to the first other char
    EXPECT_EQ(store.GetProfileInt(L"MAIN", L"Depth", 0), 24u);    // a repeated section continues
    EXPECT_TRUE(store.WriteProfileInt(L"Main", L"Width", 1024));
    const std::string text = FileText();
    EXPECT_NE(text.find("; comment\n"), std::string::npos);
    EXPECT_NE(text.find("broken line\n"), std::string::npos);
    EXPECT_NE(text.find("Width=1024\n"), std::string::npos);
}

TEST_F(ProfileTest, BadNamesAndUnwritableFilesFailCleanly)
{
    CProfileStore store(path);
    const struct {
        const wchar_t* section;
        const wchar_t* entry;
    } bad[] = {{L"", L"k"}, {L"a]b", L"k"}, {L"s", L"a=b"}, {L"s", L""}, {L"s", L";k"}, {L"s", L"k\n"}};
    for (const auto& b : bad)
        EXPECT_FALSE(store.WriteProfileString(b.section, b.entry, L"v"));
    EXPECT_FALSE(store.WriteProfileString(nullptr, L"k", L"v"));

    CProfileStore nowhere(dir + L"no/such/folder/p.ini");
    EXPECT_FALSE(nowhere.WriteProfileInt(L"s", L"k", 1));
    EXPECT_EQ(nowhere.GetProfileInt(L"s", L"k", 5), 5u);

    // A file that cannot be read is never overwritten.
    ASSERT_TRUE(CreateDirectoryW(dir + L"folder.ini"));
    CProfileStore unreadable(dir + L"folder.ini");
    EXPECT_FALSE(unreadable.WriteProfileInt(L"s", L"k", 1));
    EXPECT_EQ(GetFileAttributesW(dir + L"folder.ini"), FILE_ATTRIBUTE_DIRECTORY);

    CProfileStore unset;
    EXPECT_FALSE(unset.WriteProfileInt(L"s", L"k", 1));
    EXPECT_EQ(unset.GetProfileInt(L"s", L"k", 7), 7u);
}

TEST_F(ProfileTest, SetPathSwitchesFiles)
{
    CProfileStore store(path);
    store.WriteProfileInt(L"s", L"k", 1);
    store.SetPath(dir + L"other.ini");
    EXPECT_EQ(store.GetProfileInt(L"s", L"k", 0), 0u);
    store.SetPath(path);
    EXPECT_EQ(store.GetProfileInt(L"s", L"k", 0), 1u);
}

}  // namespace
