// Damaged scripts: thousands of deterministic mutations of a valid script must each either
// compile or fail with an RcError, never crash, hang or throw anything else.

#include "ScriptFixture.h"

#include <random>

namespace {

const char* const kSeed = R"(#include "ids.h"
#define IDD_X 4565
#if defined(IDD_X) && IDD_X > 10
LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US
#endif
STRINGTABLE
BEGIN
    IDS_A   "text with ""quotes"" \x41\101 \n中文"
    2, "second" " joined"
END
IDD_X DIALOGEX 0, 0, 100, (50 + 2) * 1
STYLE DS_MODALFRAME | WS_POPUP | NOT WS_VISIBLE
CAPTION "Cap"
FONT 8, "MS Sans Serif", 400, 0, 0x1
BEGIN
    LTEXT "a", -1, 1, 2, 3, 4
    CONTROL "", 5, "msctls_trackbar32", TBS_BOTH, 1, 2, 3, 4, WS_EX_CLIENTEDGE
    EDITTEXT 6, 1, 2, 3, 4, ES_AUTOHSCROLL | NOT WS_BORDER
END
129 MENU
BEGIN
    POPUP "&File" BEGIN MENUITEM "&New", 1, CHECKED MENUITEM SEPARATOR END
END
130 MENUEX BEGIN POPUP "x", 0, MFT_STRING BEGIN MENUITEM "y", 2,, MFS_GRAYED END END
128 ACCELERATORS BEGIN "A", 3, VIRTKEY, CONTROL  "^B", 4  VK_F3, 5, VIRTKEY END
128 TOOLBAR 16, 15 BEGIN BUTTON 1 SEPARATOR END
)";

using RcMutationTest = ScriptFixture;

TEST_F(RcMutationTest, DamagedScriptsFailCleanly)
{
    writeFile("ids.h", "#define IDS_A 1\n");
    ASSERT_NO_THROW(compile(kSeed));   // the seed itself is valid

    const std::string alphabet = "\"\\{}(),|#\n0123456789xXLNOT-~!&*/%<>=^ \t\xE4\xB8\xAD\x80\xFF";
    std::mt19937 rng(12345);
    int compiled = 0, failed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string script = kSeed;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits && !script.empty(); ++e) {
            const std::size_t at = rng() % script.size();
            const char c = alphabet[rng() % alphabet.size()];
            switch (rng() % 4) {
            case 0: script[at] = c; break;
            case 1: script.erase(at, 1 + rng() % 8); break;
            case 2: script.insert(at, 1, c); break;
            default: script.resize(at); break;
            }
        }
        try {
            compile(script);
            ++compiled;
        } catch (const rc::RcError& e) {
            ++failed;
            EXPECT_GE(e.line(), 1) << e.what() << "\n" << script;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "unexpected exception: " << e.what() << "\n" << script;
        }
    }
    EXPECT_GT(failed, 0);
    EXPECT_GT(compiled, 0);
}

} // namespace
