// Page connector pairs and free comments.
#include "elements/BlockComment.h"
#include "elements/BlockConnectors.h"
#include "elements/ConnectLineObj.h"
#include "elements/PowerBus.h"

#include "ArchiveHelpers.h"
#include "DiagramFixture.h"

#include <gtest/gtest.h>

namespace {

// Output of 9002 -> male 5000 ... female 7000 -> input 1 of 9005, as the separate command
// leaves it: each connector is the end block of its wire.
struct CutWire : Diagram {
    CBlockObj* src = Add(300, 9002);
    CBlockObj* dst = Add(304, 9005);
    CBlockMale* male = Add(new CBlockMale, 5000);
    CBlockFemale* female = Add(new CBlockFemale, 7000);

    CutWire()
    {
        male->m_nLink[0] = 9002;
        Connect(src, 10, male, 0);
        Connect(dst, 1, female, 10);
        female->m_nLink[10] = 9005;
    }
    CConnectLineObj* Connect(CBlockObj* from, int fromPin, CBlockObj* to, int toPin)
    {
        auto* w = new CConnectLineObj;
        w->m_pStartBlock = from;
        w->m_nStartNumber = from->m_nNumber;
        w->m_nStartPin = fromPin;
        w->m_pEndBlock = to;
        w->m_nEndNumber = to->m_nNumber;
        w->m_nEndPin = toPin;
        doc.m_wires.AddTail(w);
        return w;
    }
};

} // namespace

TEST(Connectors, PassTheSignalThroughThePair)
{
    CutWire d;
    for (int value : {1, 0}) {
        d.src->m_nPinValue[kOutputPin] = value;
        d.male->Simulate(&d.view);
        d.female->Simulate(&d.view);
        EXPECT_EQ(d.male->m_nPinValue[0], value);
        EXPECT_EQ(d.female->m_nPinValue[kOutputPin], value);
    }
    EXPECT_EQ(d.male->FindPartner(&d.doc), d.female);
    EXPECT_EQ(d.female->FindPartner(&d.doc), d.male);
    EXPECT_EQ(d.male->GetLabel(&d.doc), CString(L"B5/1"));
    EXPECT_EQ(d.female->GetLabel(&d.doc), CString(L"B2"));
}

TEST(Connectors, MissingPartsGiveZeroAndEmptyLabels)
{
    CutWire d;
    d.src->m_nPinValue[kOutputPin] = 1;

    // The female without an outgoing wire outputs 0.
    d.female->m_nLink[10] = 0;
    d.female->m_nPinValue[10] = 1;
    d.female->Simulate(&d.view);
    EXPECT_EQ(d.female->m_nPinValue[10], 0);
    d.female->m_nLink[10] = 9005;

    // The male's partner gone: female reads 0, labels are empty.
    d.doc.m_blocks.RemoveAt(d.doc.m_blocks.Find(d.male));
    d.female->Simulate(&d.view);
    EXPECT_EQ(d.female->m_nPinValue[10], 0);
    EXPECT_TRUE(d.female->GetLabel(&d.doc).IsEmpty());
    d.male->m_nNumber = 5001;  // no female 7001
    EXPECT_TRUE(d.male->GetLabel(&d.doc).IsEmpty());
    EXPECT_TRUE(d.male->GetLabel(nullptr).IsEmpty());
    delete d.male;

    // An open male input reads 0.
    CBlockMale lone;
    lone.m_nPinValue[0] = 1;
    lone.Simulate(&d.view);
    EXPECT_EQ(lone.m_nPinValue[0], 0);
    lone.Simulate(nullptr);
}

TEST(Connectors, ShapeAndRecordClass)
{
    CBlockMale male;
    CBlockFemale female;
    EXPECT_EQ(male.m_nInputs, 1);
    EXPECT_EQ(male.m_nOutputs, 0);
    EXPECT_EQ(male.m_nPinKind[0], PIN_BIT);
    EXPECT_EQ(female.m_nInputs, 0);
    EXPECT_EQ(female.m_nOutputs, 1);
    EXPECT_EQ(female.m_nPinKind[10], PIN_BIT);
    EXPECT_EQ(male.m_nWidth, 15);
    EXPECT_EQ(male.m_nHeight, 10);
    EXPECT_EQ(male.GetRuntimeClass()->m_wSchema & 0xFFFF, 1u);
}

TEST(Comment, DefaultsAndTextLines)
{
    CBlockComment c;
    EXPECT_EQ(c.m_strText, CString(L"Comment"));
    EXPECT_EQ(c.m_nLines, 1);
    EXPECT_EQ(c.m_crText, 0u);
    EXPECT_EQ(c.m_logFont.lfHeight, 12);
    EXPECT_EQ(CString(c.m_logFont.lfFaceName), CString(L"Arial"));

    struct Case { const wchar_t* text; int height, lines; std::vector<int> offsets; } cases[] = {
        {L"a\r\nb\r\nc", 48, 3, {0, 16, 32}},
        {L"a\r\nb\r\n", 48, 3, {0, 16}},  // an empty last line is not drawn
        {L"one", 20, 1, {0}},
        {L"x", 20, 0, {}},  // line count 0 draws nothing
    };
    for (const Case& k : cases) {
        c.m_strText = k.text;
        c.m_nHeight = k.height;
        c.m_nLines = k.lines;
        CStringArray lines;
        CArray<int, int> offsets;
        c.GetTextLines(&lines, &offsets);
        ASSERT_EQ(offsets.GetSize(), int(k.offsets.size())) << k.text;
        for (int i = 0; i < offsets.GetSize(); ++i)
            EXPECT_EQ(offsets[i], k.offsets[i]);
    }
    c.m_ptOrigin = CPoint(10, 10);
    c.m_nWidth = 40;
    c.m_nHeight = 12;
    CRect h[4];
    c.GetHandleRects(h);
    EXPECT_EQ(h[2], CRect(46, 18, 54, 26));
}

TEST(Comment, RecordSchemasOneAndZero)
{
    CBlockComment c;
    c.m_ptOrigin = CPoint(5, 6);
    c.m_ptSecond = CPoint(5, 6);
    c.m_nWidth = 44;
    c.m_nHeight = 12;
    c.m_strText = L"Pump";
    c.m_crText = RGB(1, 2, 3);
    c.m_logFont.lfWeight = 700;
    c.m_logFont.lfItalic = 1;
    const std::vector<BYTE> bytes = StoreBody(c);
    // 24 + string "Pump" (4 + 8) + 4 + 4 + 20 + 8 + 64.
    ASSERT_EQ(bytes.size(), 24u + 12u + 8u + 20u + 8u + 64u);
    EXPECT_EQ(IntAt(bytes, 36), 1);           // line count
    EXPECT_EQ(IntAt(bytes, 40), 0x030201);    // colour
    EXPECT_EQ(IntAt(bytes, 44 + 16), 700);    // weight
    EXPECT_EQ(bytes[64], 1);                  // italic
    EXPECT_EQ(WordAt(bytes, 72), L'A');

    CBlockComment loaded;
    EXPECT_EQ(LoadBody(loaded, bytes, 1), 0u);
    EXPECT_EQ(StoreBody(loaded), bytes);

    // Schema 0: the same record with a 32-byte 8-bit face name.
    std::vector<BYTE> old(bytes.begin(), bytes.begin() + 72);
    const char face[32] = "Arial";
    old.insert(old.end(), face, face + 32);
    CBlockComment fromOld;
    EXPECT_EQ(LoadBody(fromOld, old, 0), 0u);
    EXPECT_EQ(StoreBody(fromOld), bytes);

    int cause = -1;
    try {
        CBlockComment bad;
        LoadBody(bad, bytes, 3);
    } catch (CArchiveException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(cause, CArchiveException::badSchema);
}

TEST(PowerBus, DefaultsRecordAndHitTest)
{
    CPowerBusObj bus;
    EXPECT_TRUE(bus.IsKindOf(RUNTIME_CLASS(CBlockHigh)));
    EXPECT_EQ(bus.m_nType, TYPE_POWERBUS);
    EXPECT_EQ(bus.m_nNumber, -1);
    EXPECT_EQ(bus.m_ptOrigin, CPoint(24, 20));
    EXPECT_EQ(bus.m_nInputs, 0);
    EXPECT_EQ(bus.m_nOutputs, 0);
    EXPECT_EQ(bus.m_nPinValue[kOutputPin], 1);
    for (int i = 0; i < kPinCount; ++i)
        EXPECT_EQ(bus.m_nPinKind[i], PIN_NONE);

    bus.m_nHeight = 400;
    CPowerBusObj loaded;
    EXPECT_EQ(LoadBody(loaded, StoreBody(bus), 1), 0u);
    EXPECT_EQ(loaded.m_nHeight, 400);
    EXPECT_EQ(loaded.HitTest(CPoint(20, 200)), kBodyHit);
}
