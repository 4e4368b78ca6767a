// The element registry: numbering, lookups, counts and device limits.
#include "DocTestSupport.h"

#include "elements/BlockComment.h"
#include "elements/ConnectLineObj.h"
#include "document/FeedbackCheck.h"

#include <memory>

#include <gtest/gtest.h>

TEST(Registry, NumbersAndOperandsOfNewElements)
{
    struct Case {
        int type;
        int count;        // elements of the type added before
        int number;       // number of the next one
        int operand;      // its operand in a function block diagram
    };
    const Case cases[] = {
        {600, 0, 100, 0},    {600, 16, 132, 32},  // positions 16-31 of each input module skipped
        {605, 0, 600, 0},    {605, 8, 616, 16},   // positions 8-15 of each output module skipped
        {607, 3, 1319, 3},   {608, 0, 4000, 0},   {611, 4, 1304, 4},
        {300, 0, 9000, 0},   {300, 2, 9002, 0},   {911, 0, 8950, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type * 1000 + c.count);
        CTavixDoc doc;
        for (int i = 0; i < c.count; ++i)
            ASSERT_NE(AddNew(doc, c.type), nullptr);
        CBlockObj* pBlock = NewBlockOfType(c.type);
        pBlock->m_nOperand = 0;
        ASSERT_TRUE(doc.AddBlock(pBlock));
        EXPECT_EQ(pBlock->m_nNumber, c.number);
        if (c.type != 300) {
            EXPECT_EQ(pBlock->m_nOperand, c.operand);
        }
        EXPECT_TRUE(doc.IsModified());
    }
}

TEST(Registry, FunctionBlockNumbersStayUniqueAfterADeletion)
{
    CTavixDoc doc;
    CBlockObj* pBlocks[3];
    for (CBlockObj*& pBlock : pBlocks)
        pBlock = AddNew(doc, 304);
    // Delete the first: 9001 and 9002 remain, the count is 2, yet 9002 is taken.
    doc.m_blocks.RemoveAt(doc.m_blocks.Find(pBlocks[0]));
    delete pBlocks[0];
    CBlockObj* pNew = AddNew(doc, 304);
    ASSERT_NE(pNew, nullptr);
    EXPECT_EQ(pNew->m_nNumber, 9000);
    EXPECT_EQ(AddNew(doc, 304)->m_nNumber, 9003);
}

TEST(Registry, FullRangeIsRefusedInsteadOfReusingANumber)
{
    CTavixDoc doc;
    for (int i = 0; i < 5; ++i)
        ASSERT_NE(AddNew(doc, 611), nullptr);
    CBlockObj* pSixth = NewBlockOfType(611);
    pSixth->m_nNumber = 1300;
    EXPECT_FALSE(doc.AddBlock(pSixth));
    EXPECT_EQ(doc.m_blocks.Find(pSixth), nullptr);
    delete pSixth;
    EXPECT_FALSE(doc.CanAddBlock(611));
}

TEST(Registry, LadderCoilsTakeFreeOutputsThenFlags)
{
    CTavixDoc doc;
    doc.m_nDocKind = CTavixDoc::kindLadder;
    CBlockObj* pFirst = AddNew(doc, 703);
    EXPECT_EQ(pFirst->m_nNumber, 21000);
    EXPECT_EQ(pFirst->m_nOperand, 600);
    EXPECT_EQ(AddNew(doc, 704)->m_nOperand, 601);  // inverted outputs share the operands
    for (int i = 2; i < 128; ++i)
        AddNew(doc, 703);
    CBlockObj* pFlag = AddNew(doc, 703);
    EXPECT_EQ(pFlag->m_nNumber, 21128);
    EXPECT_EQ(pFlag->m_nOperand, 1316);

    EXPECT_EQ(AddNew(doc, 700)->m_nOperand, 100);
    EXPECT_EQ(AddNew(doc, 702)->m_nOperand, 4000);
    CBlockObj* pAOut = AddNew(doc, 705);
    EXPECT_EQ(pAOut->m_nNumber, 22000);
    EXPECT_EQ(pAOut->m_nOperand, 4230);

    BlockCounts counts;
    counts.m_nToAdd = 1;
    EXPECT_TRUE(doc.CanAddBlock(703, &counts));
    EXPECT_EQ(counts.m_nCount[0], 128);
    EXPECT_EQ(counts.m_nCount[1], 1);
    EXPECT_EQ(counts.m_nCount[2], 0);
}

TEST(Registry, PastedElementsKeepFreeNumbers)
{
    CTavixDoc doc;
    AddNew(doc, 600);  // 100
    CBlockObj* pFree = NewBlockOfType(600);
    pFree->m_nNumber = 105;
    pFree->m_nOperand = 5;
    ASSERT_TRUE(doc.InsertBlock(pFree));
    EXPECT_EQ(pFree->m_nNumber, 105);
    CBlockObj* pTaken = NewBlockOfType(600);
    pTaken->m_nNumber = 100;
    ASSERT_TRUE(doc.InsertBlock(pTaken));
    EXPECT_EQ(pTaken->m_nNumber, 101);

    // A pasted ladder contact keeps its operand even when renumbered.
    CTavixDoc ladder;
    ladder.m_nDocKind = CTavixDoc::kindLadder;
    AddNew(ladder, 700);
    CBlockObj* pContact = NewBlockOfType(700);
    pContact->m_nNumber = 12000;
    pContact->m_nOperand = 1320;
    ASSERT_TRUE(ladder.InsertBlock(pContact));
    EXPECT_EQ(pContact->m_nNumber, 12001);
    EXPECT_EQ(pContact->m_nOperand, 1320);

    // A pasted function block is numbered like a new one.
    CBlockObj* pGate = NewBlockOfType(300);
    pGate->m_nNumber = 9000;
    AddNew(doc, 300);
    ASSERT_TRUE(doc.InsertBlock(pGate));
    EXPECT_EQ(pGate->m_nNumber, 9001);
}

TEST(Registry, DeviceLimits)
{
    CTavixDoc doc;
    for (int i = 0; i < 63; ++i)
        AddNew(doc, 605);
    BlockCounts two;
    two.m_nToAdd = 2;
    EXPECT_TRUE(doc.CanAddBlock(605));
    EXPECT_FALSE(doc.CanAddBlock(605, &two));
    AddNew(doc, 605);
    EXPECT_FALSE(doc.CanAddBlock(605));
    EXPECT_FALSE(doc.CanAddBlock(300));  // function blocks are limited by code size instead

    // Shift register blocks: 4 on new models, 1 below 'Q'.
    AddNew(doc, 812);
    EXPECT_TRUE(doc.CanAddBlock(812));
    doc.m_nHardwareCode = 0x1188;
    EXPECT_FALSE(doc.CanAddBlock(812));

    // Status 0 counts only the constants 0, not the constants 1 derived from them.
    AddNew(doc, 604);
    CTavixDoc lows;
    for (int i = 0; i < 1000; ++i)
        AddNew(lows, 604);
    EXPECT_TRUE(lows.CanAddBlock(603));
    EXPECT_FALSE(lows.CanAddBlock(604));
}

TEST(Registry, LookupsAndCounts)
{
    CTavixDoc doc;
    CBlockObj* pIn = AddNew(doc, 600);
    CBlockObj* pGate = AddNew(doc, 300);
    CBlockObj* pCounter = AddNew(doc, 800);
    pIn->m_ptOrigin = CPoint(100, 100);
    pIn->m_nWidth = 25;
    pIn->m_nHeight = 36;
    pCounter->m_strName = L"CNT";
    EXPECT_EQ(doc.FindBlockByNumber(9001), pCounter);
    EXPECT_EQ(doc.FindBlockByNumber(4711), nullptr);
    EXPECT_EQ(doc.FindIOBlock(0, 600), pIn);
    EXPECT_EQ(doc.CountBlocks(), 3);
    EXPECT_EQ(doc.CountFunctionBlocks(), 2);
    EXPECT_EQ(doc.CountNamedBlocks(), 1);
    EXPECT_EQ(doc.GetProgramCodeSize(), pGate->m_nCodeSize + pCounter->m_nCodeSize);
    EXPECT_EQ(doc.CountFlaggedBlocks(-1), 1);        // the counter; a logic gate never
    EXPECT_EQ(doc.CountFlaggedBlocks(9001), 0);

    // Body hit test: right and bottom edges excluded; with pins 9 more on each side.
    EXPECT_EQ(doc.HitTestBlock(CPoint(100, 100)), pIn);
    EXPECT_EQ(doc.HitTestBlock(CPoint(125, 110)), nullptr);
    EXPECT_EQ(doc.HitTestBlockWithPins(CPoint(133, 110)), pIn);
    EXPECT_EQ(doc.HitTestBlockWithPins(CPoint(91, 110)), pIn);
    EXPECT_EQ(doc.HitTestBlockWithPins(CPoint(90, 110)), nullptr);

    CRect rc;
    EXPECT_FALSE(doc.GetPinPosition(&rc, nullptr, 10));
    EXPECT_FALSE(doc.GetPinPosition(&rc, pIn, 0));   // an input has no input pin
    EXPECT_FALSE(doc.GetPinPosition(&rc, pIn, 20));
    EXPECT_TRUE(doc.GetPinPosition(&rc, pIn, 10));
}

TEST(Registry, PowerBusLookupInLadderDocuments)
{
    CTavixDoc doc;
    doc.m_nDocKind = CTavixDoc::kindLadder;
    EXPECT_EQ(doc.FindBlockByNumber(-1), nullptr);  // no power bus yet: nothing to read
    auto* pBus = new CBlockObj(951, 0);
    pBus->m_nNumber = -1;
    doc.m_powerBus.AddTail(pBus);
    EXPECT_EQ(doc.FindBlockByNumber(-1), pBus);
    doc.m_nDocKind = CTavixDoc::kindFbd;
    EXPECT_EQ(doc.FindBlockByNumber(-1), nullptr);
}

TEST(Registry, WiresAndComments)
{
    CTavixDoc doc;
    CBlockObj* pA = AddNew(doc, 600);
    CBlockObj* pB = AddNew(doc, 300);
    auto* pWire = new CConnectLineObj;
    pWire->m_pStartBlock = pA;
    pWire->m_nStartPin = 10;
    pWire->m_pEndBlock = pB;
    pWire->m_nEndPin = 0;
    doc.SetModifiedFlag(FALSE);
    doc.AddWire(pWire);
    EXPECT_TRUE(doc.IsModified());

    CConnectLineObj drawing;  // a wire being drawn from the input of B
    drawing.m_pStartBlock = pB;
    drawing.m_nStartPin = 0;
    EXPECT_TRUE(doc.IsWireDuplicate(&drawing, pA, 10));
    EXPECT_FALSE(doc.IsWireDuplicate(&drawing, pA, 11));
    drawing.m_pEndBlock = pA;  // the start is dragged: the end is the fixed one
    drawing.m_nEndPin = 10;
    drawing.m_nDragEnd = -1;
    EXPECT_TRUE(doc.IsWireDuplicate(&drawing, pB, 0));

    doc.SetModifiedFlag(FALSE);
    CConnectLineObj stranger;
    doc.RemoveWire(&stranger);
    EXPECT_FALSE(doc.IsModified());
    doc.RemoveWire(pWire);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.m_wires.IsEmpty());
    EXPECT_FALSE(doc.IsWireDuplicate(&drawing, pB, 0));
    delete pWire;

    auto* pComment = new CBlockComment;
    pComment->m_ptOrigin = CPoint(10, 10);
    pComment->m_nWidth = 50;
    pComment->m_nHeight = 12;
    doc.AddComment(nullptr);
    doc.AddComment(pComment);
    EXPECT_EQ(doc.m_comments.GetCount(), 1);
    EXPECT_EQ(doc.HitTestComment(CPoint(59, 21)), pComment);
    EXPECT_EQ(doc.HitTestComment(CPoint(60, 21)), nullptr);
}

TEST(Registry, CodeSizesFollowTheDeviceModel)
{
    CTavixDoc doc;
    CBlockObj* pYearly = AddNew(doc, 411);
    CBlockObj* pSreg = AddNew(doc, 812);
    doc.m_nHardwareCode = 0x5188;
    doc.UpdateBlockSizesForHardware();
    EXPECT_EQ(pYearly->m_nCodeSize, 14);
    EXPECT_EQ(pSreg->m_nCodeSize, 16);
    doc.m_nHardwareCode = 0x5187;
    doc.UpdateBlockSizesForHardware();
    EXPECT_EQ(pYearly->m_nCodeSize, 8);
    EXPECT_EQ(pSreg->m_nCodeSize, 12);
}

TEST(Registry, NumberIndexAnswersLikeTheListWalk)
{
    CTavixDoc doc;
    doc.m_nDocKind = CTavixDoc::kindLadder;
    auto* pBus = new CBlockObj(951, 0);
    pBus->m_nNumber = -1;
    doc.m_powerBus.AddTail(pBus);
    CBlockObj* pFirst = AddNew(doc, 300);
    CBlockObj* pTwin = NewBlockOfType(300);
    pTwin->m_nNumber = pFirst->m_nNumber;  // a damaged program: two blocks share a number
    doc.m_blocks.AddTail(pTwin);
    CBlockObj* pLower = NewBlockOfType(300);
    pLower->m_nNumber = pFirst->m_nNumber - 50;  // numbers out of list order
    doc.m_blocks.AddTail(pLower);
    {
        CBlockNumberIndex index(doc);
        CBlockNumberIndex nested(doc);
        EXPECT_EQ(doc.FindBlockByNumber(pFirst->m_nNumber), pFirst);
        EXPECT_EQ(doc.FindBlockByNumber(pLower->m_nNumber), pLower);
        EXPECT_EQ(doc.FindBlockByNumber(-1), pBus);
        EXPECT_EQ(doc.FindBlockByNumber(4711), nullptr);
    }
    doc.m_blocks.RemoveHead();
    delete pFirst;
    EXPECT_EQ(doc.FindBlockByNumber(pTwin->m_nNumber), pTwin);  // no index left behind
}

TEST(Registry, TallyAnswersLikeTheListWalk)
{
    // The same edits on two documents, one of them under a tally: every element gets the same
    // number and operand, and every limit check gives the same answer.
    CTavixDoc plain, tallied;
    CBlockTally tally(tallied);
    CBlockTally nested(tallied);
    enum Kind { add, paste, removeBlock9000 };
    struct Step {
        Kind kind;
        int type;
        int n;  // elements to add, or the number a pasted element brings
    };
    const Step steps[] = {
        {add, 600, 20},  {add, 605, 10},         {add, 300, 3},     {add, 900, 2},   {add, 901, 2},
        {add, 611, 6},   {add, 604, 2},          {add, 603, 2},     {paste, 600, 140}, {paste, 600, 100},
        {paste, 300, 9000}, {removeBlock9000, 0, 0}, {add, 300, 2}, {add, 600, 3},   {add, 900, 1},
    };
    const int checked[] = {600, 603, 604, 605, 611, 900, 901, 300};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.kind * 100000 + s.type * 100 + s.n % 100);
        if (s.kind == add) {
            for (int i = 0; i < s.n; ++i) {
                CBlockObj* a = AddNew(plain, s.type);
                CBlockObj* b = AddNew(tallied, s.type);
                ASSERT_EQ(a == nullptr, b == nullptr);
                if (a != nullptr) {
                    EXPECT_EQ(a->m_nNumber, b->m_nNumber);
                    EXPECT_EQ(a->m_nOperand, b->m_nOperand);
                }
            }
        } else if (s.kind == paste) {
            CBlockObj* a = NewBlockOfType(s.type);
            CBlockObj* b = NewBlockOfType(s.type);
            a->m_nNumber = b->m_nNumber = s.n;
            ASSERT_TRUE(plain.InsertBlock(a));
            ASSERT_TRUE(tallied.InsertBlock(b));
            EXPECT_EQ(a->m_nNumber, b->m_nNumber);
        } else {
            // Block 9000 removed behind the tally's back: it is told to count again.
            for (CTavixDoc* doc : {&plain, &tallied}) {
                CBlockObj* first = doc->FindBlockByNumber(NUM_FUNCTION);
                ASSERT_NE(first, nullptr);
                doc->m_blocks.RemoveAt(doc->m_blocks.Find(first));
                delete first;
            }
            nested.Recount();
        }
        for (int type : checked) {
            BlockCounts three;
            three.m_nToAdd = 3;
            EXPECT_EQ(plain.CanAddBlock(type), tallied.CanAddBlock(type)) << type;
            EXPECT_EQ(plain.CanAddBlock(type, &three), tallied.CanAddBlock(type, &three)) << type;
        }
    }
    EXPECT_EQ(plain.m_blocks.GetCount(), tallied.m_blocks.GetCount());
}

TEST(Registry, WireEndIndexAnswersLikeTheListWalk)
{
    // Gates g0 .. g3: the loop checks of closing wires give the same answers with the table of
    // wire ends held, while wires are added to and removed from the document.
    CTavixDoc doc;
    CBlockObj* g[4];
    for (CBlockObj*& p : g)
        p = AddNew(doc, 300);
    const struct {
        CBlockObj* fixed;
        int fixedPin;
        CBlockObj* target;
    } closing[] = {{g[0], 1, g[3]}, {g[0], 2, g[2]}, {g[1], 1, g[3]}, {g[3], 1, g[0]}, {g[2], 1, g[3]}};
    auto script = [&](bool bIndexed) {
        std::unique_ptr<CWireEndIndex> ends;
        if (bIndexed)
            ends = std::make_unique<CWireEndIndex>(doc);
        auto wire = [&](CBlockObj* consumer, int pin, CBlockObj* source) {
            auto* w = new CConnectLineObj;
            w->m_pStartBlock = consumer;
            w->m_nStartPin = pin;
            w->m_pEndBlock = source;
            w->m_nEndPin = kOutputPin;
            doc.AddWire(w);
            return w;
        };
        std::vector<std::vector<int>> answers;
        auto ask = [&] {
            answers.emplace_back();
            for (const auto& c : closing)
                answers.back().push_back(feedback::CheckFbd(doc, c.fixed, c.fixedPin, c.target, kOutputPin));
        };
        wire(g[1], 0, g[0]);
        CConnectLineObj* middle = wire(g[2], 0, g[1]);
        ask();
        wire(g[3], 0, g[2]);
        wire(g[3], 1, g[0]);
        ask();
        doc.RemoveWire(middle);
        delete middle;
        ask();
        EXPECT_EQ(doc.WiresOfElement(g[1]) != nullptr, bIndexed);
        ends.reset();
        while (!doc.m_wires.IsEmpty())
            delete doc.m_wires.RemoveHead();
        return answers;
    };
    const auto plain = script(false);
    EXPECT_EQ(plain, script(true));
    EXPECT_NE(plain[0], plain[1]);  // the states differ in what they refuse
    EXPECT_NE(plain[1], plain[2]);
}
