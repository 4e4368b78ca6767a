// The compilation driver: instruction placement, operand words, output driver tables, names,
// input settings, buffers and the refusals of what the device cannot hold.
#include "ImageTestSupport.h"

#include "elements/BlockConnectors.h"
#include "elements/BlockIO.h"
#include "elements/ConnectLineObj.h"

TEST(Compile, InstructionsFollowEachOtherInNumberOrder)
{
    auto doc = MakeDoc();
    CBlockObj* a = Add(*doc, 400);  // 8 bytes
    CBlockObj* b = Add(*doc, 401);  // 12 bytes
    CBlockObj* c = Add(*doc, 800);  // 24 bytes
    ASSERT_EQ(a->m_nCodeSize + b->m_nCodeSize + c->m_nCodeSize, 44);
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule)) << (const wchar_t*)rule.GetLastError();
    EXPECT_EQ(rule.m_nJSize, 128);
    const Bytes& j = rule.m_areaJ;
    EXPECT_EQ(j[0], 0x21);  // opcode words high byte first
    EXPECT_EQ(j[8], 0x22);
    EXPECT_EQ(j[20], 0x2B);
    EXPECT_EQ(j[44], 0xFF);
    EXPECT_EQ(j[45], 0xFF);
    // Total image words in LC and PS.
    EXPECT_EQ(GetU16(rule.m_area0.data()), (10240u + 128u) / 2);
    EXPECT_EQ(GetU16(rule.SectionPtr("PS")), 5184u);
}

TEST(Compile, OperandWordsOfInputs)
{
    auto doc = MakeDoc();
    std::vector<CBlockObj*> gates;
    for (int i = 0; i < 6; ++i)
        gates.push_back(Add(*doc, 300));  // 9000 .. 9005
    CBlockObj* in = AddIo(*doc, 600, 103, 100);
    CBlockObj* am = AddIo(*doc, 610, 4300, 4288);
    CBlockObj* q = AddIo(*doc, 605, 601, 600);
    CBlockObj* m = AddIo(*doc, 607, 1318, 1316);
    Wire(gates[1], 0, gates[5], true);
    Wire(gates[1], 1, in);
    Wire(gates[1], 2, am);
    Wire(gates[1], 3, q, true);
    Wire(gates[2], 0, m, true);
    gates[2]->m_nLink[1] = 4321;  // names no element: an open input
    gates[2]->m_bNegate[2] = TRUE;  // negated open input
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule)) << (const wchar_t*)rule.GetLastError();
    EXPECT_EQ(Params(rule, *doc, gates[1]),
              (Bytes{0x05, 0x74, 0x03, 0x00, 0x0C, 0xA0, 0x01, 0x54, 0xFF, 0xFF}));
    EXPECT_EQ(Params(rule, *doc, gates[2]),
              (Bytes{0x02, 0x64, 0xFF, 0xFF, 0x00, 0xF4, 0xFF, 0xFF, 0xFF, 0xFF}));

    std::unique_ptr<CBlockObj> x(NewBlockOfType(606));
    x->m_nNumber = 4801;
    WORD word = 0xAAAA;
    rule.EncodeOperand(&word, x.get(), FALSE);
    EXPECT_EQ(word, 0x12C1);  // no class code: the plain number
    rule.EncodeOperand(&word, in, TRUE);
    EXPECT_EQ(word, 0x0403);
    std::unique_ptr<CBlockObj> farMarker(NewBlockOfType(610));
    farMarker->m_nNumber = 4888;
    rule.EncodeOperand(&word, farMarker.get(), FALSE);
    EXPECT_EQ(word, 0xA258);
}

TEST(Compile, PageConnectorsAreFollowedToTheWiresSource)
{
    auto doc = MakeDoc();
    CBlockObj* src = Add(*doc, 300);
    CBlockObj* dst = Add(*doc, 307);
    CBlockObj* male = new CBlockMale();
    male->m_nNumber = 5003;
    doc->m_blocks.AddTail(male);
    CBlockObj* female = new CBlockFemale();
    female->m_nNumber = 7003;
    doc->m_blocks.AddTail(female);
    auto* wire = new CConnectLineObj();
    wire->m_pStartBlock = src;
    wire->m_pEndBlock = male;
    wire->m_nStartNumber = src->m_nNumber;
    wire->m_nEndNumber = male->m_nNumber;
    doc->AddWire(wire);
    Wire(dst, 0, female);
    CBlockObj* out = AddIo(*doc, 605, 600, 600);
    Wire(out, 0, female);
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    EXPECT_EQ(Params(rule, *doc, dst), (Bytes{0x00, 0x70}));
    EXPECT_EQ(GetU16(rule.SectionPtr("E")), 0x7000u);

    // Without the wire the source is unknown: the input stays open.
    doc->RemoveWire(wire);
    delete wire;
    CTavixCoreRule again;
    ASSERT_TRUE(Compile(*doc, again));
    EXPECT_EQ(Params(again, *doc, dst), (Bytes{0xFF, 0xFF}));
    EXPECT_EQ(GetU16(again.SectionPtr("E")), 0xFFFFu);
}

TEST(Compile, OutputDriverTables)
{
    struct Case {
        int type, number, base;
        const char* section;
    };
    const Case cases[] = {{605, 604, 600, "E"},   {607, 1320, 1316, "F"}, {606, 4804, 4800, "H"},
                          {609, 4234, 4230, "G1"}, {610, 4292, 4288, "G2"}};
    for (const Case& c : cases) {
        auto doc = MakeDoc();
        CBlockObj* m = AddIo(*doc, 607, 1318, 1316);
        CBlockObj* out = AddIo(*doc, c.type, c.number, c.base);
        CBlockObj* unwired = AddIo(*doc, c.type, c.number + 1, c.base);
        (void)unwired;
        Wire(out, 0, m, true);  // the output's own negation has no effect here
        CTavixCoreRule rule;
        ASSERT_TRUE(Compile(*doc, rule)) << c.section;
        const Bytes s = Section(rule, c.section);
        EXPECT_EQ(s[8], 0x02) << c.section;
        EXPECT_EQ(s[9], 0x60) << c.section;
        EXPECT_EQ(s[10], 0xFF) << c.section;
        EXPECT_EQ(s[11], 0xFF) << c.section;
    }
}

TEST(Compile, NamedBlocksTakeEntriesInAAndBInOrder)
{
    for (WORD hardware : {kOldHardware, kNewHardware}) {
        auto doc = MakeDoc(hardware);
        CBlockObj* b0 = Add(*doc, 300);
        CBlockObj* b1 = Add(*doc, 300);
        CBlockObj* b2 = Add(*doc, 300);
        b0->m_strName = L"Pump";
        b2->m_strName = L"Fan-2(a)";
        (void)b1;
        CTavixCoreRule rule;
        ASSERT_TRUE(Compile(*doc, rule));
        const Bytes a = Section(rule, "A");
        const Bytes b = Section(rule, "B");
        EXPECT_EQ(Bytes(a.begin(), a.begin() + 6), (Bytes{0x00, 0x00, 0x02, 0x00, 0xFF, 0xFF}));
        if (hardware == kOldHardware) {
            EXPECT_EQ(Bytes(b.begin(), b.begin() + 8),
                      (Bytes{'P', 'u', 'm', 'p', 0x5B, 0x5B, 0x5B, 0x5B}));
            EXPECT_EQ(Bytes(b.begin() + 8, b.begin() + 16),
                      (Bytes{'F', 'a', 'n', 124, '2', 95, 'a', 96}));
        } else {
            EXPECT_EQ(Bytes(b.begin(), b.begin() + 8),
                      (Bytes{'P', 'u', 'm', 'p', 0x20, 0x20, 0x20, 0x20}));
            EXPECT_EQ(Bytes(b.begin() + 8, b.begin() + 16),
                      (Bytes{'F', 'a', 'n', '-', '2', '(', 'a', ')'}));
        }
        EXPECT_EQ(b[16], 0xFF);
    }
}

TEST(Compile, InputSettingsAndDownloadFill)
{
    auto doc = MakeDoc();
    auto* fast = static_cast<CBlockIn*>(AddIo(*doc, 600, 105, 100));
    fast->m_bHighSpeed = TRUE;
    AddIo(*doc, 600, 106, 100);
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    const Bytes pw = Section(rule, "PW");
    EXPECT_EQ(pw[5], 1);
    EXPECT_EQ(pw[6], 0);
    EXPECT_EQ(pw[255], 0);
    // LC is 0 except what the compiler writes; C is 0 with every 16th byte at the fill, the
    // scope time overwriting byte 0 on the newer families.
    const Bytes lc = Section(rule, "LC");
    EXPECT_EQ(lc[2], 0);
    EXPECT_EQ(lc[0x3FE], 0);
    const Bytes c = Section(rule, "C");
    EXPECT_EQ(c[0], 100);
    EXPECT_EQ(c[10], 0);
    EXPECT_EQ(c[16], 0xFF);
    EXPECT_EQ(c[17], 0);
    EXPECT_EQ(c[2032], 0xFF);
    EXPECT_EQ(rule.m_area0Wire[0], 0xFF);  // the copies keep the fill until the exchange
}

TEST(Compile, RefusesWhatTheDeviceCannotHold)
{
    {  // 257 names: section A has room for 256
        auto doc = MakeDoc();
        for (int i = 0; i < 257; ++i)
            Add(*doc, 307)->m_strName = L"N";
        CTavixCoreRule rule;
        EXPECT_FALSE(Compile(*doc, rule));
        EXPECT_NE(rule.GetLastError().Find(L"256"), -1);
        EXPECT_EQ(rule.m_area0[FindImageSection("C")->wOffset + 16], 0xFF);  // C untouched
    }
    {  // a time of more than 14 bits
        auto doc = MakeDoc();
        CBlockObj* t = Add(*doc, 400);
        t->m_nTime1Base = 1;
        t->m_nTime1High = 273;
        t->m_nTime1Low = 5;  // 16385 s
        CTavixCoreRule rule;
        EXPECT_FALSE(Compile(*doc, rule));
        EXPECT_NE(rule.GetLastError().Find(L"too long"), -1);
        t->m_nTime1High = 273;
        t->m_nTime1Low = 3;  // 16383 s is the largest
        CTavixCoreRule ok;
        EXPECT_TRUE(Compile(*doc, ok));
    }
    {  // function block numbers with a gap
        auto doc = MakeDoc();
        Add(*doc, 300);
        Add(*doc, 300)->m_nNumber = 9005;
        CTavixCoreRule rule;
        EXPECT_FALSE(Compile(*doc, rule));
        EXPECT_NE(rule.GetLastError().Find(L"continuous"), -1);
    }
    {  // a reference to no block
        auto doc = MakeDoc();
        CBlockObj* c = Add(*doc, 834);
        c->m_bRef[0] = TRUE;
        c->m_nRefNumber[0] = -1;
        CTavixCoreRule rule;
        EXPECT_FALSE(Compile(*doc, rule));
    }
    {  // a reference kept from a file to a block number the program does not hold
        auto doc = MakeDoc();
        CBlockObj* t = Add(*doc, 400);
        t->m_bRef[0] = TRUE;
        t->m_nRefNumber[0] = 9999;
        CTavixCoreRule rule;
        EXPECT_FALSE(Compile(*doc, rule));
        EXPECT_NE(rule.GetLastError().Find(L"does not exist"), -1);
    }
    {  // an output outside its table
        auto doc = MakeDoc();
        AddIo(*doc, 605, 800, 600);
        CTavixCoreRule rule;
        EXPECT_FALSE(Compile(*doc, rule));
    }
    CTavixCoreRule noBuffers;
    auto doc = MakeDoc();
    noBuffers.SetDocument(doc.get());
    EXPECT_FALSE(noBuffers.CompileProgram());
}

TEST(Compile, CompileStateBelongsToEachObject)
{
    auto big = MakeDoc();
    for (int i = 0; i < 5; ++i)
        Add(*big, 300);
    auto small = MakeDoc();
    CBlockObj* only = Add(*small, 400);
    CTavixCoreRule first;
    ASSERT_TRUE(Compile(*big, first));
    CTavixCoreRule second;
    ASSERT_TRUE(Compile(*small, second));
    EXPECT_EQ(second.m_areaJ[0], 0x21);
    EXPECT_EQ(Instruction(second, *small, only).size(), 8u);
    // The same object compiles again from the start.
    ASSERT_TRUE(Compile(*small, second));
    EXPECT_EQ(second.m_areaJ[0], 0x21);
}

TEST(Compile, ClearBufferAndFinishing)
{
    CTavixCoreRule clear;
    ASSERT_TRUE(clear.AllocImageBuffers(CTavixCoreRule::modeClear, 0));
    EXPECT_EQ(clear.m_area0Wire, Bytes(8576, 0xFF));

    auto doc = MakeDoc();
    Add(*doc, 810);
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    rule.FinishImage();
    const BYTE* lc = rule.m_area0.data();
    EXPECT_EQ(GetU16(lc + kLcMsgTextWords), 640u);
    EXPECT_EQ(GetU32(lc + kLcMsgTextSum), SumLittleEndianDwords(rule.m_msgText.data(), 320));
    EXPECT_EQ(GetU32(lc + kLcChecksum),
              ComputeImageChecksum(rule.m_area0.data(), rule.m_areaJ.data(), rule.m_nJSize));
    EXPECT_EQ(rule.m_area0Wire[0], lc[1]);
    EXPECT_EQ(rule.m_area0Wire[1], lc[0]);
    EXPECT_EQ(rule.m_areaJWire[0], rule.m_areaJ[1]);
    EXPECT_EQ(rule.m_msgTextWire[1], rule.m_msgText[0]);
}

TEST(Compile, InstructionSizesFollowTheDeviceFamily)
{
    // Blocks made for an older device keep their older sizes until compiled for a newer one:
    // the instruction area is sized for what compiling gives them.
    auto doc = MakeDoc(kNewHardware);
    for (int i = 0; i < 8; ++i) {
        CBlockObj* yt = Add(*doc, 411);
        yt->m_nCodeSize = 8;
        Add(*doc, 812)->m_nCodeSize = 12;
    }
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule)) << (const wchar_t*)rule.GetLastError();
    EXPECT_EQ(rule.m_nJSize, 256);  // 8 x (14 + 16) = 240 bytes
    EXPECT_EQ(rule.m_areaJ[14], 0x38);
}
