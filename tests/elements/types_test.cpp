// Type table, pin kinds, element kinds, pin rectangles and hit tests.
#include "elements/BlockObj.h"
#include "elements/PowerBus.h"

#include "DiagramFixture.h"

#include <gtest/gtest.h>

TEST(BlockTypes, TableRowsFollowTheOffsetRule)
{
    const BlockTypeInfo* table = GetBlockTypeTable();
    for (int row = 0; row < kTypeRowCount; ++row) {
        EXPECT_EQ(GetPinKindRowIndex(table[row].nType), row) << table[row].nType;
        if (row > 0) {
            EXPECT_LT(table[row - 1].nType, table[row].nType);
        }
    }
    struct Case { int type, row; } cases[] = {
        {300, 0}, {413, 21}, {600, 22}, {705, 39}, {800, 40}, {827, 67}, {830, 68},
        {856, 94}, {860, 95}, {879, 114}, {900, 115}, {901, 116}, {911, 117}, {299, 0}, {1000, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetPinKindRowIndex(c.type), c.row) << c.type;
    // Codes between rows, and codes outside the table, have no row of their own.
    for (int type : {308, 414, 612, 706, 828, 857, 880, 902, 951, 0, 1000})
        EXPECT_EQ(GetPinKindRow(type), nullptr) << type;
}

TEST(BlockTypes, PinKindsAndCountsOfSelectedTypes)
{
    struct Case { int type, inputs, outputs; int kinds[5]; int codeSize; BYTE options; } cases[] = {
        {306, 2, 1, {1, 1, 0, 0, 1}, 8, 0x00},
        {307, 1, 1, {1, 0, 0, 0, 1}, 4, 0x00},
        {413, 4, 1, {1, 1, 1, 3, 2}, 16, 0x3F},
        {601, 4, 1, {0, 0, 0, 0, 1}, 0, 0x0F},
        {705, 1, 1, {2, 0, 0, 0, 0}, 0, 0x2F},
        {811, 4, 1, {1, 1, 0, 0, 1}, 0, 0x0F},
        {840, 2, 1, {2, 0, 0, 0, 2}, 8, 0x3D},
        {911, 2, 0, {1, 3, 0, 0, 0}, 0, 0x00},
    };
    for (const Case& c : cases) {
        const BlockTypeInfo* info = FindBlockTypeInfo(c.type);
        ASSERT_NE(info, nullptr) << c.type;
        EXPECT_EQ(info->nInputs, c.inputs) << c.type;
        EXPECT_EQ(info->nOutputs, c.outputs) << c.type;
        EXPECT_EQ(info->nCodeSize, c.codeSize) << c.type;
        EXPECT_EQ(info->byOptions, c.options) << c.type;
        const int* row = GetPinKindRow(c.type);
        for (int p = 0; p < 4; ++p)
            EXPECT_EQ(row[p], c.kinds[p]) << c.type << " pin " << p;
        EXPECT_EQ(row[kOutputPin], c.kinds[4]) << c.type;
        for (int p = 4; p < kPinCount; ++p)
            if (p != kOutputPin) {
                EXPECT_EQ(row[p], 0);
            }
    }
}

TEST(BlockTypes, ElementKinds)
{
    struct Case { int type, kind; } cases[] = {
        {300, KIND_FUNCTION}, {413, KIND_FUNCTION}, {414, KIND_OTHER}, {600, KIND_IO},
        {799, KIND_IO}, {800, KIND_FUNCTION}, {899, KIND_FUNCTION}, {900, KIND_CONNECTOR},
        {901, KIND_CONNECTOR}, {911, KIND_DATALOG}, {951, KIND_OTHER}, {299, KIND_OTHER},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetBlockKindOfType(c.type), c.kind) << c.type;
}

TEST(BlockTypes, NewElementLinksAndLadderPins)
{
    CBlockObj gate(302, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(gate.m_nLink[i], LINK_OPEN);
    EXPECT_EQ(gate.m_nLink[kOutputPin], 0);

    Diagram d;
    d.doc.m_nDocKind = CTavixDoc::kindLadder;
    struct Case { int type; int outKind; } cases[] = {
        {TYPE_COIL, 0}, {TYPE_INV_OUT, 0}, {TYPE_AOUT_LAD, 0}, {TYPE_MAKE, 1}, {TYPE_BREAK, 1},
        {TYPE_ACONTACT, 2}, {TYPE_FEMALE, 1}, {300, 0},
    };
    for (const Case& c : cases) {
        CBlockObj b(c.type, 1);
        b.m_nOutputs = 1;
        b.ResetPinKinds(&d.doc);
        EXPECT_EQ(b.m_nPinKind[kOutputPin], c.outKind) << c.type;
        EXPECT_EQ(b.m_nPinKind[0], GetPinKindRow(c.type)[0]) << c.type;
    }
    CBlockObj fbd(TYPE_COIL, 1);
    d.doc.m_nDocKind = CTavixDoc::kindFbd;
    fbd.ResetPinKinds(&d.doc);
    EXPECT_EQ(fbd.m_nPinKind[kOutputPin], 0);  // 703 has no output pin in any diagram
}

TEST(Geometry, PinRectanglesAndHitTest)
{
    CBlockObj b(300, 2);
    b.m_ptOrigin = CPoint(100, 50);
    b.m_nWidth = 25;
    b.m_nHeight = 36;
    CRect r;
    // d = 36 / 3 = 12: input 0 centred at y 62, input 1 at 74.
    ASSERT_TRUE(b.GetPinRect(&r, 0, 5));
    EXPECT_EQ(r, CRect(91, 58, 102, 66));
    ASSERT_TRUE(b.GetPinRect(&r, 1, 5));
    EXPECT_EQ(r, CRect(91, 70, 102, 78));
    ASSERT_TRUE(b.GetPinRect(&r, 10, 5));  // d = 36 / 2 = 18
    EXPECT_EQ(r, CRect(123, 64, 132, 72));
    EXPECT_FALSE(b.GetPinRect(&r, 3, 5));
    EXPECT_TRUE(r.IsRectEmpty());
    EXPECT_EQ(r, CRect(0, 0, 0, 0));
    ASSERT_TRUE(b.GetPinRect(&r, 0, 1));  // below size 2: no length, no thickness
    EXPECT_EQ(r, CRect(98, 61, 102, 63));

    struct Case { CPoint pt; int hit; } cases[] = {
        {CPoint(110, 60), kBodyHit}, {CPoint(92, 62), 0}, {CPoint(92, 74), 1},
        {CPoint(130, 68), 10}, {CPoint(80, 62), -1}, {CPoint(150, 68), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(b.HitTest(c.pt), c.hit) << c.pt.x << "," << c.pt.y;

    // A pin of kind 0 is not hit, even inside its drawn area.
    b.m_nPinKind[1] = PIN_NONE;
    EXPECT_EQ(b.HitTest(CPoint(92, 74)), -1);

    CRect handles[4];
    b.GetHandleRects(handles);
    EXPECT_EQ(handles[0], CRect(96, 46, 104, 54));
    EXPECT_EQ(handles[1], CRect(96, 82, 104, 90));
    EXPECT_EQ(handles[2], CRect(121, 82, 129, 90));
    EXPECT_EQ(handles[3], CRect(121, 46, 129, 54));
}

TEST(Geometry, PowerBusBodyIsWidened)
{
    CPowerBusObj bus;
    bus.m_nHeight = 300;
    EXPECT_EQ(bus.HitTest(CPoint(20, 100)), kBodyHit);
    EXPECT_EQ(bus.HitTest(CPoint(32, 100)), kBodyHit);
    EXPECT_EQ(bus.HitTest(CPoint(18, 100)), -1);
    CBlockObj plain(TYPE_POWERBUS, 0);  // the widening belongs to the power bus class
    plain.m_ptOrigin = CPoint(24, 20);
    plain.m_nWidth = 4;
    plain.m_nHeight = 300;
    EXPECT_EQ(plain.HitTest(CPoint(20, 100)), -1);
}
