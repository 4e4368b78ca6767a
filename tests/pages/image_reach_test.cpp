// What OK stores reaches the device image: the instruction of an edited block compiles with the
// new parameters.
#include "PagesTestSupport.h"

#include "elements/BlockAnalog.h"
#include "image/TavixCoreRule.h"
#include "pages/MaxMin.h"

namespace pagestest {
namespace {

// The compiled area J of a program.
std::vector<BYTE> AreaJ(CTavixDoc& doc)
{
    CTavixCoreRule rule;
    rule.SetDocument(&doc);
    SYSTEMTIME st{};
    st.wYear = 2026, st.wMonth = 12, st.wDay = 10;
    rule.SetCompileTime(st);
    EXPECT_TRUE(rule.AllocImageBuffers(CTavixCoreRule::modeDownload, 0));
    EXPECT_TRUE(rule.CompileProgram()) << static_cast<const wchar_t*>(rule.GetLastError());
    return rule.m_areaJ;
}

class ImageReachTest : public PagesTest {};

TEST_F(ImageReachTest, AValueChangedOnAPageChangesTheCompiledInstruction)
{
    struct Case {
        int type;
        UINT id;
        const wchar_t* typed;
    };
    for (const Case& c : {Case{803, 1023, L"1500"}, Case{836, IDC_MATH_VALUE, L"9"}}) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, c.type);
        const std::vector<BYTE> before = AreaJ(*p.doc);
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) { Type(s.m_pPage, c.id, c.typed); },
                             [this](CAllPropertySheet& s) { Press(s, IDOK); }});
        const std::vector<BYTE> after = AreaJ(*p.doc);
        ASSERT_EQ(before.size(), after.size()) << c.type;
        EXPECT_NE(before, after) << c.type;
        // The saved and reloaded program compiles to the same image.
        auto reloaded = SaveAndReload(p);
        EXPECT_EQ(AreaJ(*reloaded), after) << c.type;
    }
}

}  // namespace
}  // namespace pagestest
