// What elements take from the document they join when the view inserts them, and the ladder
// operand comment that goes with the last element using its operand.
#include "EditTestSupport.h"

#include "elements/BlockMSGTEXT.h"

namespace viewtest {
namespace {

class ElementSettings : public EditTest {
protected:
    void OpenNew(int kind, WORD hardwareCode)
    {
        TearDown();  // a window of an earlier case goes first
        auto doc = NewDocument(kind, hardwareCode);
        doc->OnNewDocument();
        doc->m_nHardwareCode = hardwareCode;
        Open(std::move(doc));
    }
    void Delete(CBlockObj* block)
    {
        view->ClearSelection(0);
        block->m_bSelected = TRUE;
        view->m_selBlocks.AddTail(block);
        Command(ID_EDIT_CLEAR);
    }
};

TEST_F(ElementSettings, ShiftRegistersTakeTheLowestFreeRegister)
{
    OpenNew(CTavixDoc::kindFbd, 0x5188);
    CBlockObj* first = Insert(812, CPoint(100, 100));
    CBlockObj* second = Insert(812, CPoint(200, 100));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->m_nExtra2, 0);
    EXPECT_EQ(second->m_nExtra2, 1);
    // The next one takes the register the deleted first one left.
    Delete(first);
    CBlockObj* third = Insert(812, CPoint(300, 100));
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->m_nExtra2, 0);
}

TEST_F(ElementSettings, MessageTextsTakeTheDocumentsTextSetOnTheNewModels)
{
    const struct {
        WORD hardware;
        int documentSet;
        int currentSet;
        BOOL set1, set2;
    } cases[] = {
        {0x5188, 1, 1, FALSE, TRUE},
        {0x5188, 0, 0, TRUE, FALSE},
        {0x4188, 1, 0, TRUE, FALSE},
    };
    for (const auto& c : cases) {
        OpenNew(CTavixDoc::kindFbd, c.hardware);
        document->m_nTextSetting = c.documentSet;
        auto* text = dynamic_cast<CBlockMSGTEXT*>(Insert(810, CPoint(100, 100)));
        ASSERT_NE(text, nullptr) << std::hex << c.hardware;
        EXPECT_EQ(text->m_nCurrentSet, c.currentSet) << std::hex << c.hardware << " " << c.documentSet;
        EXPECT_EQ(text->m_bSet1Enabled, c.set1) << std::hex << c.hardware << " " << c.documentSet;
        EXPECT_EQ(text->m_bSet2Enabled, c.set2) << std::hex << c.hardware << " " << c.documentSet;
    }
}

TEST_F(ElementSettings, AnOperandCommentGoesWithTheLastLadderElementUsingIt)
{
    OpenNew(CTavixDoc::kindLadder, 0x5188);
    CBlockObj* a = Insert(TYPE_MAKE, CPoint(100, 100));
    CBlockObj* b = Insert(TYPE_MAKE, CPoint(200, 100));
    CBlockObj* coil = Insert(TYPE_COIL, CPoint(300, 100));
    ASSERT_TRUE(a && b && coil);
    a->m_nOperand = b->m_nOperand = 133;
    coil->m_nOperand = 617;
    document->m_operandComments.SetAt(133, L"start");
    document->m_operandComments.SetAt(617, L"pump");
    CString kept;
    Delete(a);
    EXPECT_TRUE(document->m_operandComments.Lookup(133, kept)) << "another contact still reads input 133";
    Delete(b);
    EXPECT_FALSE(document->m_operandComments.Lookup(133, kept));
    Delete(coil);
    EXPECT_FALSE(document->m_operandComments.Lookup(617, kept));
}

}  // namespace
}  // namespace viewtest
