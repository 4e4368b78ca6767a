// The mask page: hexadecimal text however it arrives, the bits dialog, NOT Mask without a mask,
// and a mask taken from another block.
#include "PagesTestSupport.h"

#include "elements/BlockObj.h"
#include "pages/Mask.h"
#include "pages/MaskBitsDlg.h"
#include "platform/ui/core/Clipboard.h"

namespace pagestest {
namespace {

class MaskPageTest : public PagesTest {};

TEST(MaskText, OnlyHexadecimalDigitsUpperCaseAndFourOfThem)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* valid;
        int value;
    };
    for (const Case& c : {Case{L"ff", L"FF", 0xFF}, Case{L"fg7z", L"F7", 0xF7}, Case{L"12345", L"1234", 0x1234},
                          Case{L"", L"", 0}, Case{L"0x1F", L"01F", 0x1F}, Case{L"\u0661\u0662", L"", 0}}) {
        const CString valid = NormalizeHexMask(c.text);
        EXPECT_EQ(valid, CString(c.valid)) << c.text;
        EXPECT_EQ(ParseHexMask(valid), c.value) << c.text;
    }
}

TEST_F(MaskPageTest, TypedAndPastedTextGiveTheMaskTheEditShows)
{
    struct Case {
        const wchar_t* typed;  // typed key by key, or pasted when `paste`
        bool paste;
        const wchar_t* shown;
        int stored;
    };
    const Case cases[] = {
        {L"ff", false, L"FF", 0x00FF},
        {L"7", false, L"7", 0x0007},
        {L"g+h1", false, L"1", 0x0001},
        {L"fg7z", true, L"F7", 0x00F7},
        {L"abcdef", true, L"ABCD", 0xABCD},
    };
    for (const Case& c : cases) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, 838);
        pBlock->m_nTime1High = 0x00FF;
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 EXPECT_EQ(Text(s.m_pPage, IDC_MASK_TEXT), CString(L"00FF"));
                                 if (c.paste) {
                                     s.m_pPage->GetDlgItem(IDC_MASK_TEXT)->SetFocus();
                                     s.m_pPage->GetDlgItem(IDC_MASK_TEXT)->SendMessage(EM_SETSEL, 0, -1);
                                     ASSERT_TRUE(AfxSetClipboardText(c.typed));
                                     s.m_pPage->GetDlgItem(IDC_MASK_TEXT)->SendMessage(WM_PASTE);
                                     drv.Pump();
                                 } else {
                                     Type(s.m_pPage, IDC_MASK_TEXT, c.typed);
                                 }
                                 EXPECT_EQ(Text(s.m_pPage, IDC_MASK_TEXT), CString(c.shown)) << c.typed;
                             },
                             [this](CAllPropertySheet& s) { Press(s, IDOK); }});
        EXPECT_EQ(pBlock->m_nTime1High, c.stored) << c.typed;
    }
    // The mask comes back padded to four digits.
    Program& p = *programs[1];
    RunSheet(p, p.doc->FindBlockByNumber(9000), {[this](CAllPropertySheet& s) {
                                                    EXPECT_EQ(Text(s.m_pPage, IDC_MASK_TEXT), CString(L"0007"));
                                                    Press(s, IDCANCEL);
                                                }});
}

TEST_F(MaskPageTest, TheBitsDialogSetsTheMaskBitByBit)
{
    Program& p = Open();
    CBlockObj* pBlock = AddBlock(p, 843);
    pBlock->m_nTime1High = 0x8001;
    bool bit0 = false, bit15 = false;
    CString shown;
    // The sheet, then the bits dialog over it, then the sheet again.
    drv.Host().QueueIdleStep([&] {
        CAllPropertySheet* pSheet = ActiveSheet();
        ASSERT_NE(pSheet, nullptr);
        CWnd* pSetting = pSheet->m_pPage->GetDlgItem(IDC_MASK_SETTING);
        pSheet->m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MASK_SETTING, BN_CLICKED),
                                     reinterpret_cast<LPARAM>(pSetting->GetSafeHwnd()));
        shown = Text(pSheet->m_pPage, IDC_MASK_TEXT);
        Press(*pSheet, IDOK);
    });
    drv.Host().QueueIdleStep([&] {
        CWnd* pDlg = CWnd::GetActiveWindow();
        ASSERT_NE(pDlg, nullptr);
        bit0 = ::IsDlgButtonChecked(pDlg->GetSafeHwnd(), int(IDC_MASK_BIT0)) == BST_CHECKED;
        bit15 = ::IsDlgButtonChecked(pDlg->GetSafeHwnd(), int(IDC_MASK_BIT0) + 15) == BST_CHECKED;
        ::CheckDlgButton(pDlg->GetSafeHwnd(), int(IDC_MASK_BIT0) + 15, BST_UNCHECKED);
        pDlg->SendMessage(WM_COMMAND, IDOK);
    });
    RunSheet(p, pBlock, {});
    EXPECT_EQ(shown, CString(L"0001"));
    EXPECT_TRUE(bit0);
    EXPECT_TRUE(bit15);
    EXPECT_EQ(pBlock->m_nTime1High, 0x0001);
}

TEST_F(MaskPageTest, NotMaskShowsOnlyTheNameAndProtection)
{
    Program& p = Open();
    CBlockObj* pBlock = AddBlock(p, 840);
    RunSheet(p, pBlock, {[this](CAllPropertySheet& s) {
                             for (UINT id : {IDC_MASK_TEXT, IDC_MASK_SETTING, IDC_MASK_REFERENCE})
                                 EXPECT_FALSE(s.m_pPage->GetDlgItem(int(id))->IsWindowVisible()) << id;
                             EXPECT_TRUE(s.m_pPage->GetDlgItem(IDC_BLOCK_NAME)->IsWindowVisible());
                             s.m_pPage->CheckDlgButton(IDC_MASK_PROTECTION, BST_CHECKED);
                             Press(s, IDOK);
                         }});
    EXPECT_TRUE(pBlock->m_bProtected);
}

TEST_F(MaskPageTest, AMaskFromAnotherBlockStoresNoLiteral)
{
    Program& p = Open();
    CBlockObj* pSource = AddBlock(p, 821);
    CBlockObj* pBlock = AddBlock(p, 839);
    pBlock->m_nTime1High = 0x1234;
    RunSheet(p, pBlock,
             {[](CAllPropertySheet& s) {
                  CWnd* pButton = s.m_pPage->GetDlgItem(IDC_MASK_REFERENCE);
                  ASSERT_TRUE(pButton->IsWindowEnabled());
                  s.m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MASK_REFERENCE, BN_CLICKED),
                                         reinterpret_cast<LPARAM>(pButton->GetSafeHwnd()));
                  EXPECT_FALSE(s.m_pPage->GetDlgItem(IDC_MASK_TEXT)->IsWindowVisible());
              },
              [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pBlock->m_nTime1High, 0);
    EXPECT_TRUE(pBlock->m_bRef[0]);
    EXPECT_EQ(pBlock->m_pRefBlock[0], pSource);
    EXPECT_EQ(pBlock->m_nRefNumber[0], pSource->m_nNumber);
}

}  // namespace
}  // namespace pagestest
