// The page of the one-value math blocks: its label and range per type, the zero base of Modulo,
// values taken from another block, and the flags RAND keeps.
#include "PagesTestSupport.h"

#include "elements/BlockObj.h"
#include "pages/MaxMin.h"

namespace pagestest {
namespace {

class MaxMinPageTest : public PagesTest {};

TEST_F(MaxMinPageTest, TypedValuesStayWithinTheTypesRange)
{
    struct Case {
        int type;
        const wchar_t* typed;
        int stored;
    };
    const Case cases[] = {
        {836, L"20", 15}, {836, L"0", 1}, {854, L"0", 0}, {821, L"7", 3}, {846, L"99999", 32767}, {863, L"-40000", -32767},
    };
    for (const Case& c : cases) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, c.type);
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) { Type(s.m_pPage, IDC_MATH_VALUE, c.typed); },
                             [this](CAllPropertySheet& s) { Press(s, IDOK); }});
        EXPECT_EQ(pBlock->m_nTime1High, c.stored) << c.type << " " << c.typed;
    }
}

TEST_F(MaxMinPageTest, EachTypeShowsItsLabelAndChecks)
{
    Program& p = Open();
    CBlockObj* pMaxMin = AddBlock(p, 821);
    CBlockObj* pRol = AddBlock(p, 834);
    CRect retentivity;
    RunSheet(p, pMaxMin, {[&](CAllPropertySheet& s) {
                              for (UINT id : {1303u, 1304u, 1305u, 1306u, IDC_MATH_RESET, IDC_MATH_RETENTIVITY})
                                  EXPECT_TRUE(s.m_pPage->GetDlgItem(int(id))->IsWindowVisible()) << id;
                              s.m_pPage->GetDlgItem(IDC_MATH_RETENTIVITY)->GetWindowRect(&retentivity);
                              Press(s, IDCANCEL);
                          }});
    RunSheet(p, pRol, {[&](CAllPropertySheet& s) {
                           EXPECT_EQ(Text(s.m_pPage, 1007), CString(L"Number of bit(s) of Rotation"));
                           for (UINT id : {1303u, IDC_MATH_RESET, IDC_MATH_RETENTIVITY})
                               EXPECT_FALSE(s.m_pPage->GetDlgItem(int(id))->IsWindowVisible()) << id;
                           CRect protection;
                           s.m_pPage->GetDlgItem(IDC_MATH_PROTECTION)->GetWindowRect(&protection);
                           EXPECT_EQ(protection, retentivity);
                           Press(s, IDCANCEL);
                       }});
}

TEST_F(MaxMinPageTest, ModuloRefusesABaseOfZeroAndRemainderTakesIt)
{
    for (int type : {862, 863}) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, type);
        pBlock->m_nTime1High = 5;
        drv.Host().ClearMessageBoxes();
        std::vector<std::function<void(CAllPropertySheet&)>> steps = {
            [&](CAllPropertySheet& s) { Type(s.m_pPage, IDC_MATH_VALUE, L"0"); },
            [this](CAllPropertySheet& s) { Press(s, IDOK); }};
        if (type == 862)
            steps.push_back([this](CAllPropertySheet& s) { Press(s, IDCANCEL); });
        RunSheet(p, pBlock, steps);
        if (type == 862) {
            ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u);
            EXPECT_EQ(drv.Host().MessageBoxes()[0].text, L"Base number cannot be zero!");
            EXPECT_EQ(pBlock->m_nTime1High, 5);
        } else {
            EXPECT_TRUE(drv.Host().MessageBoxes().empty());
            EXPECT_EQ(pBlock->m_nTime1High, 0);
        }
    }
}

TEST_F(MaxMinPageTest, AReferencedBaseStoresThePlaceholderAndSwitchingOffClearsIt)
{
    Program& p = Open();
    CBlockObj* pSource = AddBlock(p, 821);
    CBlockObj* pModulo = AddBlock(p, 862);
    auto clickReference = [](CAllPropertySheet& s) {
        CWnd* pButton = s.m_pPage->GetDlgItem(IDC_MATH_REFERENCE);
        s.m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MATH_REFERENCE, BN_CLICKED),
                               reinterpret_cast<LPARAM>(pButton->GetSafeHwnd()));
    };
    RunSheet(p, pModulo, {[&](CAllPropertySheet& s) {
                              ASSERT_TRUE(s.m_pPage->GetDlgItem(IDC_MATH_REFERENCE)->IsWindowEnabled());
                              clickReference(s);
                          },
                          [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pModulo->m_nTime1High, 10);
    EXPECT_TRUE(pModulo->m_bRef[0]);
    EXPECT_EQ(pModulo->m_pRefBlock[0], pSource);
    RunSheet(p, pModulo, {[&](CAllPropertySheet& s) {
                              clickReference(s);
                              Type(s.m_pPage, IDC_MATH_VALUE, L"7");
                          },
                          [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pModulo->m_nTime1High, 7);
    EXPECT_FALSE(pModulo->m_bRef[0]);
    EXPECT_EQ(pModulo->m_pRefBlock[0], nullptr);
    EXPECT_EQ(pModulo->m_nRefNumber[0], -1);
}

TEST_F(MaxMinPageTest, RandKeepsItsOwnFlagsAndTheOthersTakeThemBack)
{
    for (int type : {846, 835}) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, type);
        pBlock->m_bStdPreWarning = 1;
        pBlock->m_bRetentive = 1;
        RunSheet(p, pBlock, {[this](CAllPropertySheet& s) {
                                 s.m_pPage->CheckDlgButton(IDC_MATH_RESET, BST_UNCHECKED);
                                 s.m_pPage->CheckDlgButton(IDC_MATH_RETENTIVITY, BST_UNCHECKED);
                                 Press(s, IDOK);
                             }});
        EXPECT_EQ(pBlock->m_bStdPreWarning, type == 846 ? 1 : 0) << type;
        EXPECT_EQ(pBlock->m_bRetentive, type == 846 ? 1 : 0) << type;
    }
}

}  // namespace
}  // namespace pagestest
