// The two roads out of a block sheet: the same field changes made through the modal sheet's OK
// and through Apply of the modeless sheet of a running diagram leave the same block, down to the
// saved bytes, for every block type that has a sheet. Where a running diagram has its own rule
// the row asserts that rule.
#include "PagesTestSupport.h"
#include "SecondSetSupport.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockObj.h"
#include "pages/Comment.h"
#include "pages/MaxMin.h"
#include "resources/resource.h"

#include <fstream>
#include <functional>
#include <iterator>

namespace pagestest {
namespace {

// What a user changes on a type's parameter page besides the name, Protection and Retentivity.
struct Changes {
    int type;
    std::vector<UINT> clicks;                          // check boxes and radio buttons
    std::vector<std::pair<UINT, std::wstring>> typed;  // edits
    std::vector<std::pair<UINT, int>> picked;          // lists
    std::function<bool(const CBlockObj&)> landed;      // the changes reached the right fields
};

// Every type code that opens a sheet.
std::vector<int> TypesWithSheets()
{
    std::vector<int> types;
    auto add = [&](int lo, int hi) {
        for (int t = lo; t <= hi; ++t)
            types.push_back(t);
    };
    add(300, 307), add(400, 413), add(600, 611), add(800, 810), add(812, 827), add(830, 856), add(860, 879);
    types.push_back(911);
    return types;
}

const Changes* FindChanges(int type)
{
    using B = const CBlockObj&;
    static const Changes table[] = {
        {411, {1076, 1077}, {{1068, L"3"}, {1069, L"20"}, {1078, L"2030"}, {1080, L"2040"}}, {},
         [](B b) {
             // A new yearly timer repeats yearly: the click turns that off.
             return b.m_nMonthly == 0 && b.m_nPulse == 1 && b.m_nYearly == 0 && b.m_nYearStart == 2030 &&
                    b.m_nYearEnd == 2040 && b.m_nTime1High == 3 && b.m_nTime1Low == 20;
         }},
        {855, {1232, 1233, 1235}, {{1314, L"12"}, {1315, L"34"}, {1307, L"5"}}, {},
         [](B b) {
             return b.m_nYearEnd == 12 && b.m_nYearStart == 34 && b.m_nYearly == 1 && b.m_nMonthly == 1 &&
                    b.m_bStdPreWarning == 1 && b.m_nPulse == 0 && b.m_nTime1Base == 5;
         }},
        {809, {1111}, {}, {}, [](B b) { return b.m_nExtra3 == 1 && b.m_nExtra2 == 0; }},
        {812, {}, {}, {{1112, 3}}, [](B b) { return b.m_nExtra1 == 3 && b.m_nExtra3 == 0; }},
        {410, {1076}, {}, {}, [](B b) { return b.m_nPulse == 1; }},
        {813, {}, {{1307, L"7"}}, {}, [](B b) { return b.m_nTime1Base == 7; }},
        {814, {}, {{1307, L"7"}}, {}, [](B b) { return b.m_nTime1Base == 7; }},
        {801, {1026}, {{1076, L"5"}, {1243, L"30"}}, {},
         [](B b) { return b.m_nTime1High == 5 && b.m_nTime1Low == 30 && b.m_bStdPreWarning; }},
        {802, {}, {{1076, L"1200"}, {1243, L"800"}}, {}, [](B b) { return b.m_nTime1High == 1200 && b.m_nTime1Low == 800; }},
        {803, {}, {{1026, L"321"}}, {}, [](B b) { return static_cast<const CBlockAnalog&>(b).m_nThreshold2 == 321; }},
        {806, {}, {{1026, L"321"}}, {}, [](B b) { return static_cast<const CBlockAnalog&>(b).m_nThreshold2 == 321; }},
        {821, {}, {{IDC_MATH_VALUE, L"2"}}, {}, [](B b) { return b.m_nTime1High == 2; }},
    };
    for (const Changes& c : table)
        if (c.type == type)
            return &c;
    return nullptr;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class OkApplyParityTest : public PagesTest {
protected:
    // The user's changes on an open sheet: the page's fields, then a comment.
    void Change(CAllPropertySheet& s, int type)
    {
        CWnd* pPage = s.m_pPage;
        if (pPage) {
            if (Shown(pPage, IDC_BLOCK_NAME) && Enabled(pPage, IDC_BLOCK_NAME))
                Type(pPage, IDC_BLOCK_NAME, L"Pump");
            for (UINT id : {IDC_PROTECTION, IDC_RETENTIVITY, IDC_MATH_PROTECTION, IDC_MATH_RETENTIVITY}) {
                CWnd* p = pPage->GetDlgItem(int(id));
                if (p && (p->GetStyle() & 0x0F) == BS_AUTOCHECKBOX && Shown(pPage, id) && Enabled(pPage, id))
                    Click(pPage, id);
            }
            if (const Changes* c = FindChanges(type)) {
                for (UINT id : c->clicks)
                    Click(pPage, id);
                for (const auto& [id, text] : c->typed)
                    Type(pPage, id, text);
                for (const auto& [id, index] : c->picked)
                    Pick(pPage, id, index);
            }
        }
        ASSERT_TRUE(s.SetActivePage(&s.m_pagComment));
        Type(&s.m_pagComment, IDC_COMMENT_TEXT, L"Note");
    }

    std::string Save(Program& p, const char* name)
    {
        const std::string path = tempDir + "/" + name + ".yfb";
        EXPECT_TRUE(p.doc->OnSaveDocument(CString(path.c_str())));
        return FileBytes(path);
    }
};

TEST_F(OkApplyParityTest, OkAndApplyLeaveTheSameBlock)
{
    int compared = 0;
    for (int type : TypesWithSheets()) {
        SCOPED_TRACE(type);
        Program& modal = Open();
        CBlockObj* pModal = AddBlock(modal, type);
        ASSERT_NE(pModal, nullptr);
        bool bOpened = false;
        RunSheet(modal, pModal, {[&](CAllPropertySheet& s) {
                     bOpened = true;
                     Change(s, type);
                     Press(s, IDOK);
                 }});
        if (!bOpened) {
            ADD_FAILURE() << "no sheet";
            continue;
        }
        EXPECT_EQ(pModal->m_strComment, CString(L"Note"));
        if (const Changes* c = FindChanges(type)) {
            EXPECT_TRUE(c->landed(*pModal));
        }

        Program& running = Open();
        CBlockObj* pRunning = AddBlock(running, type);
        CAllPropertySheet* pSheet = OpenModeless(running, pRunning);
        ASSERT_NE(pSheet, nullptr);
        Change(*pSheet, type);
        Press(*pSheet, ID_APPLY_NOW);
        drv.Pump();
        EXPECT_EQ(pRunning->m_strComment, CString(L"Note"));
        pSheet->DestroyWindow();
        drv.Pump();
        running.view->m_nEditMode = modal.view->m_nEditMode;

        const std::string a = Save(modal, "modal"), b = Save(running, "running");
        ASSERT_FALSE(a.empty());
        size_t at = 0;
        while (at < a.size() && at < b.size() && a[at] == b[at])
            ++at;
        EXPECT_EQ(a.size(), b.size());
        EXPECT_EQ(at, a.size()) << "first difference at byte " << at;
        ++compared;
    }
    // Every type of the list opened a sheet on both roads.
    EXPECT_EQ(compared, int(TypesWithSheets().size()));
}

}  // namespace
}  // namespace pagestest
