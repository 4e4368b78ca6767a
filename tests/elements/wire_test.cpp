// The wire: record, loading against a document, hit tests and copying.
#include "elements/ConnectLineObj.h"

#include "ArchiveHelpers.h"
#include "DiagramFixture.h"

#include <gtest/gtest.h>

namespace {

void SetPath(CConnectLineObj& w, std::initializer_list<CPoint> pts)
{
    w.m_points.RemoveAll();
    for (const CPoint& p : pts)
        w.m_points.Add(p);
    w.m_ptStart = w.m_points[0];
    w.m_ptEnd = w.m_points[w.m_points.GetSize() - 1];
}

} // namespace

TEST(Wire, NewWireDefaults)
{
    CConnectLineObj w;
    ASSERT_EQ(w.m_junctions.GetSize(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(w.m_junctions[i], CPoint(-9999, -9999));
    EXPECT_EQ(w.m_nReserved1, 1);
    EXPECT_EQ(w.m_nReserved2, 0);
    EXPECT_EQ(w.m_points.GetSize(), 0);
}

TEST(Wire, RecordLayoutAndRoundTrip)
{
    CConnectLineObj w;
    SetPath(w, {CPoint(10, 20), CPoint(40, 20), CPoint(40, 60), CPoint(80, 60)});
    w.m_nStartNumber = 9000;
    w.m_nEndNumber = 9001;
    w.m_nStartPin = 10;
    w.m_nEndPin = 2;
    w.m_bEndDrag = 1;
    w.m_nDragEnd = -1;
    w.m_junctions[2] = CPoint(40, 60);

    const std::vector<BYTE> bytes = StoreBody(w);
    ASSERT_EQ(bytes.size(), 40u + 8u + 2u + 32u + 2u + 48u);
    const int ints[12] = {10, 20, 80, 60, 9000, 9001, 10, 2, 1, 0, 1, -1};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(IntAt(bytes, 4 * i), ints[i]) << "int " << i;
    EXPECT_EQ(WordAt(bytes, 48), 4);  // vertex count
    EXPECT_EQ(IntAt(bytes, 50 + 8 * 3), 80);
    EXPECT_EQ(WordAt(bytes, 82), 6);  // junction markers
    EXPECT_EQ(IntAt(bytes, 84 + 16), 40);

    Diagram d;
    d.Add(300, 9000);
    CConnectLineObj loaded;
    EXPECT_EQ(LoadBody(loaded, bytes, 0, &d.doc), 0u);
    EXPECT_EQ(StoreBody(loaded), bytes);
    EXPECT_EQ(loaded.m_pDoc, &d.doc);
    EXPECT_NE(loaded.m_pStartBlock, nullptr);
    EXPECT_EQ(loaded.m_pEndBlock, nullptr);  // 9001 is not in the document
}

TEST(Wire, DamagedRecordsAreRefusedBeforeAllocating)
{
    CConnectLineObj w;
    SetPath(w, {CPoint(0, 0), CPoint(10, 0)});
    std::vector<BYTE> bytes = StoreBody(w);
    // A vertex count of 0xFFFF followed by a 32-bit count of four billion.
    std::vector<BYTE> huge(bytes.begin(), bytes.begin() + 48);
    for (BYTE b : {0xFF, 0xFF, 0x00, 0x00, 0x00, 0xF0})
        huge.push_back(b);
    std::vector<BYTE> truncated(bytes.begin(), bytes.end() - 5);
    for (const auto& damaged : {huge, truncated}) {
        CConnectLineObj loaded;
        int cause = -1;
        try {
            LoadBody(loaded, damaged, 0);
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(cause, CArchiveException::endOfFile);
    }
}

TEST(Wire, LadderEndsFallBackToThePowerBus)
{
    Diagram d;
    d.doc.m_nDocKind = CTavixDoc::kindLadder;
    CBlockObj* bus = new CBlockObj(TYPE_POWERBUS, 0);
    bus->m_nNumber = NUM_POWERBUS;
    d.doc.m_powerBus.AddTail(bus);
    d.Add(TYPE_MAKE, 12000, 1);

    struct Case { int start, end; bool startIsBus, endIsBus; } cases[] = {
        {-1, 12000, true, false}, {12000, 77, false, true}, {55, 66, true, false},
    };
    for (const Case& c : cases) {
        CConnectLineObj w;
        SetPath(w, {CPoint(0, 0), CPoint(10, 0)});
        w.m_nStartNumber = c.start;
        w.m_nEndNumber = c.end;
        CConnectLineObj loaded;
        LoadBody(loaded, StoreBody(w), 0, &d.doc);
        EXPECT_EQ(loaded.m_pStartBlock == bus, c.startIsBus) << c.start;
        EXPECT_EQ(loaded.m_pEndBlock == bus, c.endIsBus) << c.end;
    }

    // A ladder document without a power bus leaves the ends null.
    Diagram empty;
    empty.doc.m_nDocKind = CTavixDoc::kindLadder;
    CConnectLineObj w;
    SetPath(w, {CPoint(0, 0), CPoint(10, 0)});
    CConnectLineObj loaded;
    LoadBody(loaded, StoreBody(w), 0, &empty.doc);
    EXPECT_EQ(loaded.m_pStartBlock, nullptr);
    EXPECT_EQ(loaded.m_pEndBlock, nullptr);
}

TEST(Wire, HitTest)
{
    CConnectLineObj w;
    // start -> right -> down -> right -> up -> right: six vertices.
    SetPath(w, {CPoint(0, 0), CPoint(50, 0), CPoint(50, 100), CPoint(150, 100), CPoint(150, 40),
                CPoint(200, 40)});
    struct Case { int x, y; bool hit; int segment, orientation; } cases[] = {
        {46, 50, true, 2, 0},    // 4 beside the vertical segment
        {45, 50, false, 0, 0},   // 5 beside
        {100, 96, true, 3, 1},
        {100, 104, false, 0, 0},  // the rectangle's lower side is outside
        {196, 40, true, 5, -1},  // the end segment
        {20, 0, true, 1, -1},    // the start segment
        {152, 110, false, 0, 0},
    };
    for (const Case& c : cases) {
        int seg = 0, orient = 7;
        EXPECT_EQ(bool(w.HitTest(c.x, c.y, &seg, &orient)), c.hit) << c.x << "," << c.y;
        if (c.hit) {
            EXPECT_EQ(seg, c.segment) << c.x << "," << c.y;
            EXPECT_EQ(orient, c.orientation) << c.x << "," << c.y;
        }
    }
    // With a vertical move delta on a 6-vertex wire only the middle horizontal segment counts.
    const POINT vertical{0, 5}, horizontal{5, 0};
    int seg = 0, orient = 0;
    EXPECT_FALSE(w.HitTest(50, 50, &seg, &orient, &vertical));
    EXPECT_TRUE(w.HitTest(50, 50, &seg, &orient, &horizontal));
    EXPECT_TRUE(w.HitTest(100, 100, &seg, &orient, &vertical));
    EXPECT_EQ(seg, 3);

    EXPECT_TRUE(w.HitTestTol(51, 50, &seg, &orient, 2));
    EXPECT_FALSE(w.HitTestTol(52, 50, &seg, &orient, 2));

    CConnectLineObj single;
    SetPath(single, {CPoint(0, 0)});
    EXPECT_FALSE(single.HitTest(0, 0, &seg, &orient));
}

TEST(Wire, FindAndCountAtAPoint)
{
    Diagram d;
    auto* a = new CConnectLineObj;
    SetPath(*a, {CPoint(0, 50), CPoint(100, 50)});
    auto* b = new CConnectLineObj;
    SetPath(*b, {CPoint(50, 0), CPoint(50, 100)});
    d.doc.m_wires.AddTail(a);
    d.doc.m_wires.AddTail(b);
    EXPECT_EQ(CConnectLineObj::FindLineAt(&d.doc, 20, 50), a);
    EXPECT_EQ(CConnectLineObj::FindLineAt(&d.doc, 50, 20), b);
    EXPECT_EQ(CConnectLineObj::FindLineAt(&d.doc, 20, 20), nullptr);
    EXPECT_EQ(CConnectLineObj::CountLinesAt(&d.doc, 50, 50), 2);
    EXPECT_EQ(CConnectLineObj::CountLinesAt(&d.doc, 50, 52), 1);
    EXPECT_EQ(CConnectLineObj::CountLinesAt(nullptr, 50, 50), 0);
}

TEST(Wire, CopyFromLeavesMarkersAndFlags)
{
    CConnectLineObj src, dst;
    SetPath(src, {CPoint(1, 2), CPoint(1, 9), CPoint(5, 9)});
    src.m_nStartNumber = 9000;
    src.m_nEndPin = 3;
    src.m_nReserved1 = 4;
    src.m_nReserved2 = 5;
    src.m_bEndDrag = 1;
    src.m_junctions[0] = CPoint(1, 2);
    dst.CopyFrom(&src);
    EXPECT_EQ(dst.m_points.GetSize(), 3);
    EXPECT_EQ(dst.m_points[2], CPoint(5, 9));
    EXPECT_EQ(dst.m_ptEnd, CPoint(5, 9));
    EXPECT_EQ(dst.m_nStartNumber, 9000);
    EXPECT_EQ(dst.m_nEndPin, 3);
    EXPECT_EQ(dst.m_nReserved1, 4);
    EXPECT_EQ(dst.m_nReserved2, 0);
    EXPECT_EQ(dst.m_bEndDrag, 0);
    EXPECT_EQ(dst.m_junctions[0], CPoint(-9999, -9999));
    dst.CopyFrom(nullptr);
}
