#include "platform/base/Exceptions.h"
#include "platform/base/File.h"
#include "platform/base/FileSystem.h"
#include "tests/platform/base_test_print.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A private folder under the temporary folder, removed after each test. `dir` ends with '/';
// `win` is the same folder written with backslashes, as the editor builds its paths.
class FileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = CreateUniqueTempFolder(L"basefile");
        ASSERT_FALSE(dir.IsEmpty());
        win = dir;
        win.Replace(L'/', L'\\');
    }
    void TearDown() override { std::filesystem::remove_all(ToNativePath(dir)); }

    CString Path(const wchar_t* name) const { return dir + name; }
    void WriteText(const wchar_t* name, const std::string& bytes) const
    {
        std::ofstream(ToNativePath(Path(name)), std::ios::binary) << bytes;
    }
    std::string ReadText(const wchar_t* name) const
    {
        std::ifstream in(ToNativePath(Path(name)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    CString dir;
    CString win;
};

// The cause of the CFileException thrown by `f`, or -1 when nothing is thrown.
template <typename Fn>
int FileCause(Fn f)
{
    try {
        f();
    } catch (CFileException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

TEST_F(FileTest, WriteReadSeekAndLength)
{
    {
        CFile f(win + L"data.bin", CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        f.Write("hello world", 11);
        EXPECT_EQ(f.GetPosition(), 11u);
        f.Flush();
        f.Close();
        EXPECT_FALSE(f.IsOpen());
    }
    CFile f;
    ASSERT_TRUE(f.Open(Path(L"data.bin"), CFile::modeReadWrite));
    EXPECT_EQ(f.GetLength(), 11u);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, 5), 5u);
    EXPECT_STREQ(buf, "hello");
    EXPECT_EQ(f.Seek(-5, CFile::end), 6u);
    f.Write("WORLD", 5);  // in-place rewrite at a computed offset
    f.SeekToBegin();
    std::memset(buf, 0, sizeof buf);
    EXPECT_EQ(f.Read(buf, sizeof buf), 11u);  // short read at the end, no exception
    EXPECT_STREQ(buf, "hello WORLD");
    EXPECT_EQ(f.Read(buf, 4), 0u);
    f.SetLength(5);
    EXPECT_EQ(f.GetLength(), 5u);
    EXPECT_EQ(f.GetFileName(), L"data.bin");
    EXPECT_EQ(f.GetFileTitle(), L"data");
    EXPECT_EQ(FileCause([&] { f.Seek(-100, CFile::begin); }), CFileException::badSeek);
}

TEST_F(FileTest, OpenModes)
{
    WriteText(L"keep.txt", "abc");
    {
        CFile f;
        ASSERT_TRUE(f.Open(Path(L"keep.txt"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
        EXPECT_EQ(f.GetLength(), 3u);
    }
    {
        CFile f;
        ASSERT_TRUE(f.Open(Path(L"keep.txt"), CFile::modeCreate | CFile::modeWrite));  // truncates
        EXPECT_EQ(f.GetLength(), 0u);
    }
    // A read-only handle refuses writes with an exception, not silently.
    CFile r(Path(L"keep.txt"), CFile::modeRead | CFile::shareDenyWrite);
    EXPECT_EQ(FileCause([&] { r.Write("x", 1); }), CFileException::accessDenied);
}

TEST_F(FileTest, OpenFailuresGiveCauses)
{
    const struct {
        const wchar_t* name;
        UINT flags;
        int cause;
    } cases[] = {
        {L"missing.bin", CFile::modeRead, CFileException::fileNotFound},
        {L"no\\such\\folder\\x.bin", CFile::modeCreate | CFile::modeWrite, CFileException::badPath},
        {L"", CFile::modeRead, CFileException::accessDenied},  // the folder itself
    };
    for (const auto& c : cases) {
        CFileException error;
        CFile f;
        EXPECT_FALSE(f.Open(Path(c.name), c.flags, &error)) << ToUtf8(CString(c.name));
        EXPECT_EQ(error.m_cause, c.cause) << ToUtf8(CString(c.name));
        EXPECT_EQ(error.m_strFileName, Path(c.name));
        EXPECT_FALSE(f.IsOpen());
    }
    EXPECT_EQ(FileCause([&] { CFile f(Path(L"missing.bin"), CFile::modeRead); }), CFileException::fileNotFound);
    CFileException error;
    CFile f;
    EXPECT_FALSE(f.Open(L"", CFile::modeRead, &error));
    EXPECT_EQ(error.GetErrorMessage(), L"File not found: an unnamed file.");
}

TEST_F(FileTest, RenameRefusesAnExistingTarget)
{
    WriteText(L"a.tmp", "A");
    WriteText(L"b.tmp", "B");
    EXPECT_EQ(FileCause([&] { CFile::Rename(Path(L"a.tmp"), Path(L"b.tmp")); }), CFileException::accessDenied);
    EXPECT_EQ(ReadText(L"b.tmp"), "B");  // the target is untouched
    ASSERT_TRUE(DeleteFileW(win + L"b.tmp"));
    EXPECT_EQ(FileCause([&] { CFile::Rename(win + L"a.tmp", win + L"b.tmp"); }), -1);
    EXPECT_EQ(ReadText(L"b.tmp"), "A");
    EXPECT_FALSE(PathFileExistsW(Path(L"a.tmp")));
    EXPECT_EQ(FileCause([&] { CFile::Rename(Path(L"a.tmp"), Path(L"c.tmp")); }), CFileException::fileNotFound);

    EXPECT_FALSE(MoveFileW(Path(L"b.tmp"), Path(L"b.tmp")));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(MoveFileW(Path(L"b.tmp"), Path(L"d.tmp")));
}

TEST_F(FileTest, RemoveAndStatus)
{
    WriteText(L"gone.txt", "12345");
    CFileStatus st;
    ASSERT_TRUE(CFile::GetStatus(win + L"gone.txt", st));
    EXPECT_EQ(st.m_size, 5u);
    EXPECT_EQ(st.m_attribute & CFile::directory, 0);
    EXPECT_EQ(CString(st.m_szFullName).Right(8), L"gone.txt");
    ASSERT_TRUE(CFile::GetStatus(dir, st));
    EXPECT_NE(st.m_attribute & CFile::directory, 0);

    EXPECT_EQ(FileCause([&] { CFile::Remove(Path(L"gone.txt")); }), -1);
    EXPECT_FALSE(CFile::GetStatus(Path(L"gone.txt"), st));
    EXPECT_EQ(FileCause([&] { CFile::Remove(Path(L"gone.txt")); }), CFileException::fileNotFound);
    EXPECT_EQ(FileCause([&] { CFile::Remove(dir); }), CFileException::accessDenied);
}

TEST_F(FileTest, FolderFunctionsAndErrors)
{
    const CString sub = win + L"Temp";
    EXPECT_TRUE(CreateDirectoryW(sub));
    EXPECT_FALSE(CreateDirectoryW(sub + L"\\"));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryW(win + L"x\\y"));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_TRUE(SetFileAttributesW(sub, FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesW(sub), FILE_ATTRIBUTE_DIRECTORY);

    WriteText(L"Temp/f.txt", "x");
    EXPECT_FALSE(RemoveDirectoryW(sub));
    EXPECT_EQ(GetLastError(), ERROR_DIR_NOT_EMPTY);
    EXPECT_FALSE(DeleteFileW(sub));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(DeleteFileW(sub + L"\\\\f.txt"));  // doubled separator is harmless
    EXPECT_FALSE(DeleteFileW(sub + L"\\f.txt"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(RemoveDirectoryW(sub));
    EXPECT_EQ(GetFileAttributesW(sub), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    WriteText(L"ro.txt", "r");
    EXPECT_TRUE(SetFileAttributesW(Path(L"ro.txt"), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesW(Path(L"ro.txt")), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(SetFileAttributesW(Path(L"ro.txt"), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesW(Path(L"ro.txt")), FILE_ATTRIBUTE_NORMAL);

    EXPECT_TRUE(CopyFileW(Path(L"ro.txt"), Path(L"copy.txt"), TRUE));
    EXPECT_EQ(ReadText(L"copy.txt"), "r");
    EXPECT_FALSE(CopyFileW(Path(L"ro.txt"), Path(L"copy.txt"), TRUE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_TRUE(CopyFileW(Path(L"ro.txt"), Path(L"copy.txt"), FALSE));
}

std::vector<std::wstring> List(const CString& pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(pattern, &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(fd.cFileName);
    while (FindNextFileW(h, &fd));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(h));
    return names;
}

TEST_F(FileTest, FindFilesWithWildcards)
{
    for (const wchar_t* name : {L"lcd.dat", L"lcd.dat1", L"lcd.dat22", L"LCD.DATX", L"undo.001", L"README"})
        WriteText(name, "z");
    using V = std::vector<std::wstring>;
    EXPECT_EQ(List(win + L"lcd.dat*"), (V{L"lcd.dat", L"lcd.dat1", L"lcd.dat22"}));
    EXPECT_EQ(List(win + L"\\lcd.dat?"), (V{L"lcd.dat1"}));
    EXPECT_EQ(List(win + L"*.*"),
              (V{L".", L"..", L"LCD.DATX", L"README", L"lcd.dat", L"lcd.dat1", L"lcd.dat22", L"undo.001"}));
    EXPECT_EQ(List(win + L"*.0?1"), (V{L"undo.001"}));
    EXPECT_TRUE(List(win + L"*.xyz").empty());

    WIN32_FIND_DATAW fd;
    EXPECT_EQ(FindFirstFileW(win + L"*.xyz", &fd), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindFirstFileW(win + L"nofolder\\*.*", &fd), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    HANDLE h = FindFirstFileW(win + L"README", &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(fd.nFileSizeLow, 1u);
    EXPECT_EQ(fd.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(FindClose(h));
    EXPECT_FALSE(FindClose(h));  // a closed handle is refused, not freed twice
    EXPECT_FALSE(FindNextFileW(h, &fd));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Wildcard, Matching)
{
    const struct {
        const wchar_t* pattern;
        const wchar_t* name;
        bool match;
    } cases[] = {
        {L"*", L"anything", true},   {L"*.*", L"noext", true},     {L"*.*", L".", true},
        {L"a?c", L"abc", true},      {L"a?c", L"ac", false},       {L"*x", L"xxx", true},
        {L"a*b*c", L"aXbYc", true},  {L"a*b*c", L"aXbY", false},   {L"ABC", L"abc", false},
        {L"lcd.dat*", L"lcd.da", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchWildcard(c.pattern, c.name), c.match) << ToUtf8(CString(c.pattern)) << " " << ToUtf8(CString(c.name));
}

TEST(Folders, TempPathAndConfigFolder)
{
    const char* old = std::getenv("TMPDIR");
    std::string saved = old != nullptr ? old : "";
    setenv("TMPDIR", "/var/tmp", 1);
    wchar_t buf[MAX_PATH];
    EXPECT_EQ(GetTempPathW(MAX_PATH, buf), 9u);
    EXPECT_STREQ(buf, L"/var/tmp/");
    EXPECT_EQ(GetTempPathW(5, buf), 10u);  // too small: the size needed
    unsetenv("TMPDIR");
    EXPECT_EQ(GetTempFolder(), L"/tmp/");
    if (old != nullptr)
        setenv("TMPDIR", saved.c_str(), 1);

    const CString home = CreateUniqueTempFolder(L"cfg");
    ASSERT_FALSE(home.IsEmpty());
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    std::string savedXdg = oldXdg != nullptr ? oldXdg : "";
    setenv("XDG_CONFIG_HOME", (ToNativePath(home) + "conf").c_str(), 1);
    const CString cfg = GetUserConfigFolder(L"Editor");
    EXPECT_EQ(cfg, home + L"conf/Editor/");
    EXPECT_EQ(GetFileAttributesW(cfg), FILE_ATTRIBUTE_DIRECTORY);
    if (oldXdg != nullptr)
        setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(ToNativePath(home));

    const CString prog = GetProgramFolder();
    EXPECT_EQ(prog[0u], L'/');
    EXPECT_EQ(prog.Right(1), L"/");
}

TEST(MemFile, GrowsAndReadsBack)
{
    CMemFile f(16);
    std::vector<BYTE> data(100);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<BYTE>(i);
    f.Write(data.data(), 100);
    EXPECT_EQ(f.GetLength(), 100u);
    f.Seek(10, CFile::begin);
    BYTE buf[8];
    EXPECT_EQ(f.Read(buf, 8), 8u);
    EXPECT_EQ(buf[0], 10);
    f.Seek(-2, CFile::end);
    EXPECT_EQ(f.Read(buf, 8), 2u);  // short read at the end
    EXPECT_EQ(f.Read(buf, 8), 0u);

    // A write after seeking past the end leaves a zero-filled gap.
    f.Seek(110, CFile::begin);
    f.Write("!", 1);
    EXPECT_EQ(f.GetLength(), 111u);
    EXPECT_EQ(f.GetData()[105], 0);
    EXPECT_EQ(FileCause([&] { f.Seek(-1, CFile::begin); }), CFileException::badSeek);

    f.SetLength(4);
    EXPECT_EQ(f.GetPosition(), 4u);
    ULONGLONG len = f.GetLength();
    BYTE* raw = f.Detach();
    EXPECT_EQ(len, 4u);
    EXPECT_EQ(raw[3], 3);
    EXPECT_EQ(f.GetLength(), 0u);
    std::free(raw);
}

TEST(MemFile, AttachedBuffers)
{
    BYTE fixed[4] = {1, 2, 3, 4};
    {
        CMemFile f(fixed, 4);  // fixed size: the content is the buffer
        EXPECT_EQ(f.GetLength(), 4u);
        f.Seek(3, CFile::begin);
        f.Write("\x09", 1);
        EXPECT_EQ(fixed[3], 9);
        bool threw = false;
        try {
            f.Write("xx", 2);
        } catch (CMemoryException* e) {
            threw = true;
            e->Delete();
        }
        EXPECT_TRUE(threw);
    }
    EXPECT_EQ(fixed[0], 1);  // the caller's buffer is not freed

    BYTE small[2] = {7, 7};
    CMemFile g;
    g.Attach(small, 2, 8);  // growable: starts empty and moves to its own memory when full
    EXPECT_EQ(g.GetLength(), 0u);
    g.Write("abcdef", 6);
    EXPECT_EQ(g.GetLength(), 6u);
    EXPECT_EQ(small[0], 7);
    EXPECT_EQ(std::memcmp(g.GetData(), "abcdef", 6), 0);
}

TEST(Exceptions, MessagesAndReporting)
{
    const struct {
        int cause;
        const wchar_t* message;
    } archive[] = {
        {CArchiveException::endOfFile, L"Unexpected end of file."},
        {CArchiveException::badClass, L"Invalid file format: unknown or unexpected object class."},
        {CArchiveException::badSchema, L"The file was written by an incompatible version of the program."},
        {CArchiveException::badIndex, L"Invalid file format: an object reference is out of range."},
    };
    for (const auto& c : archive)
        EXPECT_EQ(CArchiveException(c.cause).GetErrorMessage(), c.message);

    CFileException fe(CFileException::diskFull, 28, L"/x/prog.yld");
    EXPECT_EQ(fe.GetErrorMessage(), L"The disk is full; cannot write \"/x/prog.yld\".");
    wchar_t small[6];
    UINT help = 99;
    EXPECT_TRUE(fe.GetErrorMessage(small, 6, &help));
    EXPECT_STREQ(small, L"The d");  // truncated and terminated
    EXPECT_EQ(help, 0u);

    CString shown;
    AfxSetExceptionReportHook([&](const CString& m, UINT) {
        shown = m;
        return 2;
    });
    try {
        AfxThrowArchiveException(CArchiveException::endOfFile, L"f.yfb");
    } catch (CException* e) {
        EXPECT_EQ(e->ReportError(), 2);
        e->Delete();
    }
    EXPECT_EQ(shown, L"Unexpected end of file. (f.yfb)");
    AfxSetExceptionReportHook(nullptr);

    // The out-of-memory object is preallocated; Delete leaves it alive for the next throw.
    for (int i = 0; i < 2; ++i) {
        try {
            AfxThrowMemoryException();
        } catch (CMemoryException* e) {
            EXPECT_EQ(e->GetErrorMessage(), L"Out of memory.");
            e->Delete();
        }
    }
}

}  // namespace
