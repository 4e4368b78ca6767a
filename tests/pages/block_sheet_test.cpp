// The block property sheet through the view: the modal sheet of the editing road (OK is one
// undo step that reaches the saved file, Cancel changes nothing, refused names), the modeless
// sheets of the simulation road (one per block, Apply sends its record to the view that opened
// it, Escape alone closes it) and the pages' order.
#include "PagesTestSupport.h"

#include "elements/BlockObj.h"
#include "pages/BlockPage.h"
#include "pages/Boolean.h"
#include "resources/resource.h"

namespace pagestest {
namespace {

using Step = std::function<void(CAllPropertySheet&)>;

class BlockSheetTest : public PagesTest {
public:
    void TypeInto(CWnd* pDlg, UINT nID, const std::wstring& text) { Type(pDlg, nID, text); }
    void Click(CAllPropertySheet& sheet, int nID) { Press(sheet, nID); }
};

// Name and comment typed on a sheet, then OK.
std::vector<Step> NameAndComment(BlockSheetTest* t, std::wstring name, std::wstring comment)
{
    return {
        [=](CAllPropertySheet& s) { t->TypeInto(s.m_pPage, IDC_BLOCK_NAME, name); },
        [=](CAllPropertySheet& s) {
            ASSERT_TRUE(s.SetActivePage(&s.m_pagComment));
            t->TypeInto(&s.m_pagComment, IDC_COMMENT_TEXT, comment);
        },
        [=](CAllPropertySheet& s) { t->Click(s, IDOK); },
    };
}

TEST_F(BlockSheetTest, OkOnAGateIsOneUndoStepThatReachesTheSavedFile)
{
    for (int type = 300; type <= 307; ++type) {
        Program& p = Open();
        CBlockObj* pGate = AddBlock(p, type);
        const int before = p.doc->m_undo.GetCurrent();
        p.doc->SetModifiedFlag(FALSE);
        RunSheet(p, pGate, NameAndComment(this, L"Pump1", L"feeds the tank"));
        EXPECT_EQ(pGate->m_strName, CString(L"Pump1")) << type;
        EXPECT_EQ(pGate->m_strComment, CString(L"feeds the tank")) << type;
        EXPECT_EQ(p.doc->m_undo.GetCurrent(), before + 1) << type;
        EXPECT_TRUE(p.doc->IsModified()) << type;
        auto reloaded = SaveAndReload(p);
        CBlockObj* pSaved = reloaded->FindBlockByNumber(pGate->m_nNumber);
        ASSERT_NE(pSaved, nullptr) << type;
        EXPECT_EQ(pSaved->m_strName, CString(L"Pump1")) << type;
        EXPECT_EQ(pSaved->m_strComment, CString(L"feeds the tank")) << type;
    }
}

TEST_F(BlockSheetTest, TheBooleanTruthTableKeepsItsHighBitsAndTakesEachChoice)
{
    Program& p = Open();
    CBlockObj* pBlock = AddBlock(p, 830);
    pBlock->m_nExtra2 = 0x00050000 | 0x0002;
    RunSheet(p, pBlock,
             {[](CAllPropertySheet& s) {
                  auto* pPage = s.m_pPage;
                  for (UINT id : {IDC_TRUTH_FIRST, IDC_TRUTH_LAST, IDC_TRUTH_FIRST + 1})
                      Choose(pPage, id, id == IDC_TRUTH_FIRST + 1 ? 0 : 1);
                  pPage->CheckDlgButton(IDC_PROTECTION, BST_CHECKED);
              },
              [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pBlock->m_nExtra2, 0x00050000 | 0x8001);
    EXPECT_EQ(pBlock->m_bProtected, TRUE);
    auto reloaded = SaveAndReload(p);
    EXPECT_EQ(reloaded->FindBlockByNumber(pBlock->m_nNumber)->m_nExtra2, 0x00050000 | 0x8001);
}

TEST_F(BlockSheetTest, CancelChangesNothing)
{
    Program& p = Open();
    CBlockObj* pGate = AddBlock(p, 304);
    pGate->m_strName = L"Old";
    const int before = p.doc->m_undo.GetCurrent();
    p.doc->SetModifiedFlag(FALSE);
    auto steps = NameAndComment(this, L"New", L"comment");
    steps.back() = [this](CAllPropertySheet& s) { Press(s, IDCANCEL); };
    RunSheet(p, pGate, steps);
    EXPECT_EQ(pGate->m_strName, CString(L"Old"));
    EXPECT_TRUE(pGate->m_strComment.IsEmpty());
    EXPECT_EQ(p.doc->m_undo.GetCurrent(), before);
    EXPECT_FALSE(p.doc->IsModified());
}

TEST_F(BlockSheetTest, NamesAreSevenBitAndAtMostEightCharacters)
{
    Program& p = Open();
    CBlockObj* pGate = AddBlock(p, 300);
    struct Case {
        const wchar_t* typed;
        const wchar_t* shown;  // what the edit holds after typing
        bool accepted;
    };
    const Case cases[] = {
        {L"Pump\u00e9", L"Pump", true},
        {L"A\u00e9B\u00e9C", L"ABC", true},
        {L"ABCDEFGH", L"ABCDEFGH", true},
        {L"ABCDEFGHI", L"ABCDEFGHI", false},
    };
    for (const Case& c : cases) {
        pGate->m_strName = L"";
        drv.Host().ClearMessageBoxes();
        std::vector<Step> steps = {[&](CAllPropertySheet& s) {
                                       CWnd* pName = s.m_pPage->GetDlgItem(IDC_BLOCK_NAME);
                                       pName->SetFocus();
                                       // Typed or pasted, the text arrives as a change of the text.
                                       pName->SetWindowText(c.typed);
                                       drv.Pump();
                                       CString shown;
                                       pName->GetWindowText(shown);
                                       EXPECT_EQ(shown, CString(c.shown)) << c.typed;
                                   },
                                   [this](CAllPropertySheet& s) { Press(s, IDOK); }};
        if (!c.accepted)  // a refused name keeps the sheet open, with the focus on the name
            steps.push_back([this](CAllPropertySheet& s) {
                EXPECT_EQ(CWnd::GetFocus(), s.m_pPage->GetDlgItem(IDC_BLOCK_NAME));
                Press(s, IDCANCEL);
            });
        RunSheet(p, pGate, steps);
        if (c.accepted) {
            EXPECT_EQ(std::wstring(pGate->m_strName.GetString()), std::wstring(c.shown));
            EXPECT_TRUE(drv.Host().MessageBoxes().empty());
        } else {
            EXPECT_TRUE(pGate->m_strName.IsEmpty());
            EXPECT_EQ(drv.Host().MessageBoxes().size(), 1u);
        }
        drv.Pump();
    }
}

TEST_F(BlockSheetTest, NoTwoHundredFiftySeventhName)
{
    Program& p = Open();
    std::vector<CBlockObj*> gates;
    for (int i = 0; i < 257; ++i)
        gates.push_back(AddBlock(p, 300 + i % 8));
    for (int i = 0; i < 256; ++i)
        gates[size_t(i)]->m_strName.Format(L"N%d", i);
    bool enabledUnnamed = true, enabledNamed = false;
    RunSheet(p, gates.back(),
             {[&](CAllPropertySheet& s) {
                 enabledUnnamed = s.m_pPage->GetDlgItem(IDC_BLOCK_NAME)->IsWindowEnabled();
                 Press(s, IDCANCEL);
             }});
    RunSheet(p, gates.front(),
             {[&](CAllPropertySheet& s) {
                 enabledNamed = s.m_pPage->GetDlgItem(IDC_BLOCK_NAME)->IsWindowEnabled();
                 Press(s, IDCANCEL);
             }});
    EXPECT_FALSE(enabledUnnamed);
    EXPECT_TRUE(enabledNamed);
}

TEST_F(BlockSheetTest, SheetsHoldTheirPagesInOrder)
{
    struct Case {
        int type;
        int pages;
        bool apply;
    };
    Program& p = Open();
    for (const Case& c : {Case{300, 2, false}, Case{830, 2, false}, Case{603, 1, false}}) {
        CAllPropertySheet sheet(c.type, L"caption", p.view);
        EXPECT_EQ(sheet.GetPageCount(), c.pages) << c.type;
        EXPECT_EQ(sheet.GetPage(sheet.GetPageCount() - 1), &sheet.m_pagComment) << c.type;
        EXPECT_NE(sheet.m_psh.dwFlags & PSH_NOAPPLYNOW, 0u) << c.type;  // no Apply outside simulation
    }
}

// ---- simulation road ----

class ModelessSheetTest : public BlockSheetTest {
protected:
    void Simulate(Program& p) { p.view->m_nEditMode = CTavixView::modeSimulate; }
    CAllPropertySheet* OpenModeless(Program& p, CBlockObj* pBlock)
    {
        p.view->m_pCurBlock = pBlock;
        p.view->SendMessage(WM_COMMAND, ID_EDIT_BLOCK_PROPERTIES);
        drv.Pump();
        return p.view->FindOpenSheet(pBlock->m_nNumber);
    }
};

TEST_F(ModelessSheetTest, OneSheetPerBlockAndApplyReachesTheViewThatOpenedIt)
{
    Program& a = Open();
    Program& b = Open();
    CBlockObj* pA = AddBlock(a, 300);
    CBlockObj* pB1 = AddBlock(b, 830);
    CBlockObj* pB2 = AddBlock(b, 306);
    Simulate(a);
    Simulate(b);
    CAllPropertySheet* pSheetA = OpenModeless(a, pA);
    CAllPropertySheet* pSheetB = OpenModeless(b, pB1);
    ASSERT_NE(pSheetA, nullptr);
    ASSERT_NE(pSheetB, nullptr);
    EXPECT_EQ(OpenModeless(b, pB1), pSheetB);  // the same block again: no second sheet
    ASSERT_NE(OpenModeless(b, pB2), nullptr);
    EXPECT_EQ(b.view->m_sheets.size(), 2u);
    EXPECT_EQ(a.view->m_sheets.size(), 1u);
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
        EXPECT_TRUE(pSheetB->GetDlgItem(id)->IsWindowVisible()) << id;

    // The truth table and the name go out in b's record only.
    Type(pSheetB->m_pPage, IDC_BLOCK_NAME, L"Lamp");
    Choose(pSheetB->m_pPage, IDC_TRUTH_FIRST + 3, 1);
    const int before = b.doc->m_undo.GetCurrent();
    Press(*pSheetB, ID_APPLY_NOW);
    Press(*pSheetB, ID_APPLY_NOW);
    ASSERT_EQ(b.view->m_applied.size(), 2u);
    EXPECT_TRUE(a.view->m_applied.empty());
    const auto& r = b.view->m_applied[0];
    EXPECT_EQ(r.nType, 830);
    EXPECT_EQ(r.misc.nBlockNumber, pB1->m_nNumber);
    EXPECT_EQ(r.misc.strName, CString(L"Lamp"));
    EXPECT_EQ(r.misc.nMisc3, 0x0008);
    EXPECT_EQ(b.doc->m_undo.GetCurrent(), before + 2);  // each Apply is one undo step

    Type(pSheetA->m_pPage, IDC_BLOCK_NAME, L"Gate");
    Press(*pSheetA, IDOK);
    ASSERT_EQ(a.view->m_applied.size(), 1u);
    EXPECT_EQ(a.view->m_applied[0].io.strName, CString(L"Gate"));
    EXPECT_EQ(a.view->m_applied[0].io.nBlockNumber, pA->m_nNumber);
    EXPECT_EQ(a.view->FindOpenSheet(pA->m_nNumber), nullptr);  // OK closed it
}

TEST_F(ModelessSheetTest, OnlyTheEscapeKeyClosesTheSheet)
{
    Program& p = Open();
    CBlockObj* pGate = AddBlock(p, 302);
    Simulate(p);
    CAllPropertySheet* pSheet = OpenModeless(p, pGate);
    ASSERT_NE(pSheet, nullptr);
    pSheet->m_pPage->GetDlgItem(IDC_BLOCK_NAME)->SetFocus();
    drv.Pump();
    // A character message that carries 27 is no Escape key.
    MSG msg{pSheet->m_pPage->GetDlgItem(IDC_BLOCK_NAME)->GetSafeHwnd(), WM_CHAR, 27, 0, 0, {0, 0}};
    static_cast<CWnd*>(pSheet)->PreTranslateMessage(&msg);
    ASSERT_EQ(p.view->FindOpenSheet(pGate->m_nNumber), pSheet);
    drv.Key(VK_ESCAPE);
    drv.Pump();
    EXPECT_EQ(p.view->FindOpenSheet(pGate->m_nNumber), nullptr);
    EXPECT_TRUE(p.view->m_applied.empty());
}

TEST_F(ModelessSheetTest, ClosingTheViewClosesItsSheets)
{
    Program& p = Open();
    Simulate(p);
    ASSERT_NE(OpenModeless(p, AddBlock(p, 300)), nullptr);
    ASSERT_NE(OpenModeless(p, AddBlock(p, 301)), nullptr);
    p.frame->DestroyWindow();
    p.frame = nullptr;
    drv.Pump();
    SUCCEED();  // the sheets went with the view (the sanitizers see what stays behind)
}

}  // namespace
}  // namespace pagestest
