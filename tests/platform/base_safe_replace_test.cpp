// Replacing a file through a temporary one: what the old file had is kept, files that may not
// be written are refused, and no failure leaves a temporary file behind.
#include "platform/base/FileSystem.h"
#include "platform/base/SafeReplace.h"
#include "tests/platform/base_test_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class SafeReplaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = ToNativePath(CreateUniqueTempFolder(L"replace"));
        ASSERT_FALSE(dir.empty());
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Path(const std::string& name) const { return dir + name; }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    mode_t Mode(const std::string& name) const
    {
        struct stat st {};
        EXPECT_EQ(::stat(Path(name).c_str(), &st), 0) << name;
        return st.st_mode & 07777;
    }
    static void Replace(const std::string& path, const std::string& bytes, unsigned newMode = 0666)
    {
        AfxWriteFileReplacing(
            FromUtf8(path), [&](CFile& f) { f.Write(bytes.data(), static_cast<UINT>(bytes.size())); }, newMode);
    }

    std::string dir;  // ends with '/'
};

TEST_F(SafeReplaceTest, KeepsPermissionsAndWritesThroughLinks)
{
    const mode_t umaskNow = ::umask(022);
    struct Case {
        const char* what;
        mode_t oldMode;           // 0: no file before
        const char* link;         // written through this link to "file", when set
        const char* linkTarget;
        mode_t expected;
    } cases[] = {
        {"0644 stays 0644", 0644, nullptr, nullptr, 0644},
        {"0640 stays 0640", 0640, nullptr, nullptr, 0640},
        {"0600 stays 0600", 0600, nullptr, nullptr, 0600},
        {"a new file gets the usual mode", 0, nullptr, nullptr, 0644},
        {"relative link", 0644, "link", "file", 0644},
        {"absolute link", 0664, "link", "", 0664},
        {"link to a link", 0644, "link2", "link", 0644},
        {"dangling link creates its target", 0, "link", "file", 0644},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(dir);
        std::filesystem::create_directory(dir);
        if (c.oldMode != 0) {
            Write("file", "old");
            ASSERT_EQ(::chmod(Path("file").c_str(), c.oldMode), 0);
        }
        std::string through = "file";
        if (c.link != nullptr) {
            std::string target = *c.linkTarget ? std::string(c.linkTarget) : Path("file");
            if (std::string(c.link) == "link2") {
                ASSERT_EQ(::symlink("file", Path("link").c_str()), 0);
            }
            ASSERT_EQ(::symlink(target.c_str(), Path(c.link).c_str()), 0);
            through = c.link;
        }
        Replace(Path(through), "new contents");
        EXPECT_EQ(Read("file"), "new contents");
        EXPECT_EQ(Mode("file"), c.expected);
        if (c.link != nullptr) {
            EXPECT_TRUE(std::filesystem::is_symlink(Path(c.link))) << "the link stays a link";
        }
        EXPECT_EQ(Entries().size(), c.link == nullptr ? 1u : std::string(c.link) == "link2" ? 3u : 2u)
            << "no temporary file is left";
    }
    ::umask(umaskNow);
}

TEST_F(SafeReplaceTest, ANewFileCanBePrivate)
{
    Replace(Path("settings.ini"), "x=1\n", 0600);
    EXPECT_EQ(Mode("settings.ini"), 0600u);
    // Once there, its permissions are the user's choice.
    ASSERT_EQ(::chmod(Path("settings.ini").c_str(), 0644), 0);
    Replace(Path("settings.ini"), "x=2\n", 0600);
    EXPECT_EQ(Mode("settings.ini"), 0644u);
}

// A scratch file skips only the syncing: it is replaced whole, keeps its mode, and a failing
// writer still leaves the old one and no temporary file.
TEST_F(SafeReplaceTest, AScratchFileIsReplacedAlikeWithoutSyncing)
{
    const auto scratch = [&](const std::string& bytes, bool fail) {
        AfxWriteFileReplacing(
            FromUtf8(Path("000001.tmp")),
            [&](CFile& f) {
                f.Write(bytes.data(), static_cast<UINT>(bytes.size()));
                if (fail)
                    throw std::runtime_error("writer failed");
            },
            0600, /*syncToDisk=*/false);
    };
    scratch("first", false);
    scratch("second", false);
    EXPECT_EQ(Read("000001.tmp"), "second");
    EXPECT_EQ(Mode("000001.tmp"), 0600u);
    EXPECT_THROW(scratch("third", true), std::runtime_error);
    EXPECT_EQ(Read("000001.tmp"), "second");
    EXPECT_EQ(Entries(), std::vector<std::string>{"000001.tmp"});
}

TEST_F(SafeReplaceTest, KeepsTheOwnerWhereAllowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only a privileged user may give a file away";
    Write("owned", "old");
    ASSERT_EQ(::chown(Path("owned").c_str(), 1234, 4321), 0);
    Replace(Path("owned"), "new");
    struct stat st {};
    ASSERT_EQ(::stat(Path("owned").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 4321u);
}

TEST_F(SafeReplaceTest, RefusesWhatMayNotBeReplaced)
{
    Write("readonly", "precious");
    ASSERT_EQ(::chmod(Path("readonly").c_str(), 0444), 0);
    ASSERT_EQ(::mkdir(Path("folder").c_str(), 0755), 0);
    struct Case {
        const char* target;
        int cause;
        const wchar_t* message;
    } cases[] = {
        {"readonly", CFileException::accessDenied, L"The file is read-only: \""},
        {"folder", CFileException::accessDenied, L"Access denied: \""},
        {"missing/x", CFileException::badPath, L"does not exist"},
        {"", CFileException::accessDenied, L"Access denied"},  // the folder itself
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        bool called = false;
        try {
            AfxWriteFileReplacing(FromUtf8(Path(c.target)), [&](CFile&) { called = true; });
            ADD_FAILURE() << "not refused";
        } catch (CFileException* e) {
            EXPECT_EQ(e->m_cause, c.cause);
            EXPECT_NE(e->GetErrorMessage().Find(c.message), -1) << ToUtf8(e->GetErrorMessage());
            e->Delete();
        }
        EXPECT_FALSE(called) << "nothing is written";
        EXPECT_EQ(Entries(), (std::vector<std::string>{"folder", "readonly"}));
        EXPECT_EQ(Read("readonly"), "precious");
        EXPECT_EQ(Mode("readonly"), 0444u);
    }
}

TEST_F(SafeReplaceTest, AnyFailureOfTheWriterLeavesTheOldFileAndNoTemporaryFile)
{
    Write("file", "old");
    auto save = [&](std::function<void()> fail) {
        AfxWriteFileReplacing(FromUtf8(Path("file")), [&](CFile& f) {
            f.Write("partial", 7);
            fail();
        });
    };
    const std::function<void()> failures[] = {
        [] { AfxThrowFileException(CFileException::diskFull, ENOSPC, L"x"); },
        [] { throw std::runtime_error("not a file exception"); },
        [] { throw 42; },
        [] { AfxThrowMemoryException(); },
    };
    for (size_t i = 0; i < std::size(failures); ++i) {
        SCOPED_TRACE(i);
        bool thrown = false;
        try {
            save(failures[i]);
        } catch (CException* e) {
            thrown = true;
            e->Delete();
        } catch (...) {
            thrown = true;
        }
        EXPECT_TRUE(thrown) << "the exception goes on to the caller";
        EXPECT_EQ(Read("file"), "old");
        EXPECT_EQ(Entries(), (std::vector<std::string>{"file"}));
    }
}

}  // namespace
