// The compiler as the build runs it: errors on stderr as "file:line: error:", a failing exit
// status, and no output file for a broken script.

#include "ScriptFixture.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <sstream>

namespace {

using RcToolTest = ScriptFixture;

int RunTool(const std::string& args)
{
    const int status = std::system((std::string("\"") + TAVIX_RC_TOOL + "\" " + args).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(RcToolTest, BrokenScriptFailsWithFileAndLine)
{
    writeFile("broken.rc", "STRINGTABLE\nBEGIN\n  1 \"ok\"\n  2 missing quotes\nEND\n");
    const auto out = m_dir / "out.cpp";
    const auto err = m_dir / "err.txt";
    EXPECT_EQ(RunTool("-o " + out.string() + " " + (m_dir / "broken.rc").string() + " 2>" + err.string()), 1);
    EXPECT_THAT(ReadFile(err), ::testing::HasSubstr("broken.rc:4: error:"));
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(RcToolTest, GoodScriptWritesSourceAndDependencies)
{
    writeFile("ids.h", "#define IDS_HELLO 7\n");
    writeFile("good.rc", "#include \"ids.h\"\nSTRINGTABLE BEGIN IDS_HELLO \"hello\" END\n");
    const auto out = m_dir / "out.cpp";
    const auto dep = m_dir / "out.d";
    EXPECT_EQ(RunTool("-o " + out.string() + " --depfile " + dep.string() + " " + (m_dir / "good.rc").string()), 0);
    EXPECT_THAT(ReadFile(out), ::testing::HasSubstr("{7u, 0x0409, L\"hello\"}"));
    EXPECT_THAT(ReadFile(dep), ::testing::HasSubstr("ids.h"));
    EXPECT_EQ(RunTool("--bogus " + (m_dir / "good.rc").string() + " 2>/dev/null"), 2);
}

} // namespace
