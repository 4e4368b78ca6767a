// The candidate lists of the block pages.
#include "DocTestSupport.h"

#include "platform/host/HeadlessHost.h"
#include "platform/ui/controls/CtlClasses.h"
#include "shell/MainFrame.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> Entries(const CStringArray& entries)
{
    std::vector<std::wstring> list;
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
        list.push_back(entries[i].GetString());
    return list;
}

class BlockReferences : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_mapBlockTypeName.SetAt(400, L"[On Delay]");
        g_mapBlockTypeName.SetAt(800, L"[Up/Down Counter]");
    }
    void TearDown() override { g_mapBlockTypeName.RemoveAll(); }
};

} // namespace

TEST_F(BlockReferences, NewModelsOfferReferableFunctionBlocksInListOrder)
{
    CTavixDoc doc;
    CBlockObj* pCounter = AddNew(doc, 800);  // B0, referable and storable
    AddNew(doc, 300);                        // B1, a logic gate: never offered
    CBlockObj* pTimer = AddNew(doc, 400);    // B2, referable, storable
    AddNew(doc, 600);                        // an input: not a function block
    // List order, not number order, decides the order of the entries.
    doc.m_blocks.RemoveAt(doc.m_blocks.Find(pCounter));
    doc.m_blocks.AddTail(pCounter);

    CStringArray entries;
    doc.GetBlockReferenceEntries(-1, entries);
    EXPECT_EQ(Entries(entries), (std::vector<std::wstring>{L"B2[On Delay]", L"B0[Up/Down Counter]"}));
    EXPECT_EQ(entries.GetSize(), doc.CountFlaggedBlocks(-1));

    CStringArray withoutTimer;
    doc.GetBlockReferenceEntries(pTimer->m_nNumber, withoutTimer);
    EXPECT_EQ(Entries(withoutTimer), (std::vector<std::wstring>{L"B0[Up/Down Counter]"}));

    CStringArray storable;
    doc.GetStorableBlockEntries(-1, storable);
    EXPECT_EQ(Entries(storable), (std::vector<std::wstring>{L"B2[On Delay]", L"B0[Up/Down Counter]"}));
}

TEST_F(BlockReferences, OlderModelsOfferCountersAndAnalogComparisonsOnly)
{
    CTavixDoc doc;
    doc.m_nHardwareCode = 0x1188;
    AddNew(doc, 400);
    CBlockObj* pCounter = AddNew(doc, 800);
    CStringArray entries;
    doc.GetBlockReferenceEntries(-1, entries);
    EXPECT_EQ(Entries(entries), (std::vector<std::wstring>{L"B1[Up/Down Counter]"}));
    EXPECT_EQ(doc.CountFlaggedBlocks(-1), 1);

    // The only function block being the one edited gives nothing to offer.
    CStringArray none;
    doc.GetBlockReferenceEntries(pCounter->m_nNumber, none);
    EXPECT_EQ(none.GetSize(), 0);
    EXPECT_EQ(doc.CountFlaggedBlocks(pCounter->m_nNumber), 0);
}

TEST_F(BlockReferences, PagesGetTheSameEntriesInTheirControls)
{
    CHeadlessDriver driver;
    AfxRegisterControlClasses();
    CTavixDoc doc;
    AddNew(doc, 800);
    AddNew(doc, 400);
    // A plain window stands in for the property page that holds the controls.
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"TestReferencePage";
    RegisterClassW(&wc);
    HWND hPage = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 300,
                                 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hPage, nullptr);
    CWnd* pPage = CWnd::FromHandle(hPage);
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), pPage, 1));
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD, CRect(0, 0, 100, 200), pPage, 2));
    combo.AddString(L"kept");  // the filling does not clear the control
    doc.FillMemBlockComboBox(-1, &combo);
    doc.FillDataLogBlockComboBox(-1, &list);
    doc.FillBlockComboBox(-1, nullptr);
    ASSERT_EQ(combo.GetCount(), 3);
    ASSERT_EQ(list.GetCount(), 2);
    CString comboText;
    CString listText;
    combo.GetLBText(2, comboText);
    list.GetText(1, listText);
    EXPECT_EQ(comboText, L"B1[On Delay]");
    EXPECT_EQ(listText, comboText);
    DestroyWindow(hPage);
}
