// The block factory of the view and the services of the child frame, main frame and pages.
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "pages/BitTest.h"
#include "shell/MainFrame.h"

#include "DiagramFixture.h"
#include "TimeFixture.h"

#include <gtest/gtest.h>

#include <memory>

TEST(Factory, SizesAndPlainElements)
{
    Diagram d;
    struct Case { int type, height; } cases[] = {{307, 36}, {300, 40}, {413, 40}, {608, 36},
                                                 {601, 40}, {900, 40}, {12345, 40}};
    for (const Case& c : cases) {
        std::unique_ptr<CBlockObj> b(d.view.CreateBlockByType(c.type));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->m_nType, c.type);
        EXPECT_EQ(b->m_nWidth, 25);
        EXPECT_EQ(b->m_nHeight, c.height) << c.type;
    }
    std::unique_ptr<CBlockObj> keys(d.view.CreateBlockByType(601));
    EXPECT_EQ(keys->GetRuntimeClass(), RUNTIME_CLASS(CBlockObj));
    EXPECT_EQ(keys->m_nInputs, 4);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(keys->m_nPinKind[i], PIN_NONE);
    std::unique_ptr<CBlockObj> male(d.view.CreateBlockByType(900));
    EXPECT_EQ(male->GetRuntimeClass(), RUNTIME_CLASS(CBlockObj));  // not a connector
    std::unique_ptr<CBlockObj> unknown(d.view.CreateBlockByType(12345));
    for (int i = 0; i < kPinCount; ++i)
        EXPECT_EQ(unknown->m_nPinKind[i], PIN_NONE);
}

TEST(Factory, MessageTextNumbers)
{
    Diagram d;
    std::unique_ptr<CBlockObj> fresh(NewBlockOfType(TYPE_MSGTEXT));
    d.view.m_bMsgTextSlotUsed[0] = TRUE;
    d.view.m_bMsgTextSlotUsed[2] = TRUE;
    std::vector<std::unique_ptr<CBlockObj>> made;
    for (int i = 0; i < 15; ++i)
        made.emplace_back(d.view.CreateBlockByType(TYPE_MSGTEXT));
    EXPECT_EQ(made[0]->m_nCount, 1);
    EXPECT_EQ(made[1]->m_nCount, 3);
    EXPECT_EQ(made[13]->m_nCount, 15);
    // All sixteen taken: the block keeps its constructor's number.
    EXPECT_EQ(made[14]->m_nCount, fresh->m_nCount);
}

TEST(Factory, LadderDocumentsClearOutputPins)
{
    Diagram d;
    d.doc.m_nDocKind = CTavixDoc::kindLadder;
    std::unique_ptr<CBlockObj> gate(d.view.CreateBlockByType(300));
    EXPECT_EQ(gate->m_nPinKind[kOutputPin], PIN_NONE);
    EXPECT_EQ(gate->m_nPinKind[0], PIN_BIT);
}

TEST(ChildFrame, ClockAndTextForms)
{
    CChildFrame frame;
    SYSTEMTIME st = St(2026, 12, 9, 15, 7, 5);
    st.wDayOfWeek = 3;
    frame.SetSimTime(st);
    EXPECT_TRUE(frame.IsClockSet());
    struct Case { int mode; BOOL shortMonth; const wchar_t* text; } cases[] = {
        {0, FALSE, L"Wednesday, December 9, 2026 3:7:5 PM"},
        {1, TRUE, L"Dec 9, 2026"},
        {1, FALSE, L"December 9, 2026"},
        {2, FALSE, L"3:07:05 PM"},
        {3, FALSE, L"261209150705"},
    };
    for (const Case& c : cases) {
        CString text;
        frame.FormatSimTime(&text, c.shortMonth, c.mode);
        EXPECT_EQ(text, CString(c.text)) << c.mode;
    }
    frame.AdvanceSimTime(25 * 40);
    SYSTEMTIME now{}, prev{};
    frame.GetSimTime(&now);
    frame.GetPrevSimTime(&prev);
    EXPECT_EQ(now.wSecond, 6);
    EXPECT_EQ(prev.wSecond, 5);
}

TEST(Services, BitTestSeriesNamesAndPendingKind)
{
    struct Bit { int value, n, result; } bits[] = {
        {0x8001, 0, 1}, {0x8001, 15, 1}, {0x8001, 1, 0}, {0x18000, 16, 0}, {0x8001, 32, 1},
        {0x8001, 47, 1}, {-1, -1, 0}, {0x0004, 34, 1},
    };
    for (const Bit& b : bits)
        EXPECT_EQ(IsBitSet(b.value, b.n), b.result) << b.value << " bit " << b.n;

    struct Model { WORD code; int cls; const wchar_t* name; WORD fw; } models[] = {
        {0x1188, 1, L"Not QX Series", 0xB100}, {0x5188, 1, L"QX Series V2.XX", 0xC100},
        {0x6100, 9, L"Not QX Series", 0xC100}, {0x3000, -1, L"keep", 7}, {0x6200, -1, L"keep", 7},
    };
    for (const Model& m : models) {
        CString name = L"keep";
        WORD fw = 7;
        EXPECT_EQ(CMainFrame::GetSeriesName(m.code, &name, &fw), m.cls) << std::hex << m.code;
        EXPECT_EQ(name, CString(m.name));
        EXPECT_EQ(fw, m.fw);
    }
    CString name;
    EXPECT_EQ(g_mapBlockTypeName.GetCount(), 81);
    EXPECT_TRUE(g_mapBlockTypeName.Lookup(404, name));
    EXPECT_EQ(name, CString(L"[Wiping Relay(Pulse Output)]"));
    EXPECT_TRUE(g_mapBlockTypeName.Lookup(879, name));
    EXPECT_EQ(name, CString(L"[Quadratic equation]"));
    EXPECT_FALSE(g_mapBlockTypeName.Lookup(300, name));
    EXPECT_TRUE(g_mapBlockTypeName.Lookup(824, name));  // the WiFi blocks are named
    EXPECT_EQ(name, CString(L"[WiFi Digital Read]"));

    CMainFrame::SetPendingDocKind(2);
    EXPECT_EQ(CMainFrame::TakePendingDocKind(), 2);
    EXPECT_EQ(CMainFrame::TakePendingDocKind(), 1);
}

TEST(Factory, EveryTypeGetsItsClassAndConstants)
{
    // The factory, the classes' constructors and the type table must agree: the device program
    // compiler walks the counts, code sizes and option bits.
    const BlockTypeInfo* table = GetBlockTypeTable();
    for (int row = 0; row < kTypeRowCount; ++row) {
        const BlockTypeInfo& info = table[row];
        std::unique_ptr<CBlockObj> b(NewBlockOfType(info.nType));
        ASSERT_NE(b, nullptr);
        // Page connectors are made by the view's separate command, never by the factory.
        const bool connector = info.nType == TYPE_MALE || info.nType == TYPE_FEMALE;
        const char* expected = (info.pszClass && !connector) ? info.pszClass : "CBlockObj";
        EXPECT_STREQ(b->GetRuntimeClass()->m_lpszClassName, expected) << info.nType;
        if (connector)
            continue;
        EXPECT_EQ(b->m_nType, info.nType);
        EXPECT_EQ(b->m_nInputs, info.nInputs) << info.nType;
        EXPECT_EQ(b->m_nOutputs, info.nOutputs) << info.nType;
        EXPECT_EQ(b->m_nCodeSize, info.nCodeSize) << info.nType;
        EXPECT_EQ(b->m_nOperandCount, info.nOperandCount) << info.nType;
        EXPECT_EQ(b->m_byOptions, info.byOptions) << info.nType;
        for (int p = 0; p < 4; ++p)
            EXPECT_EQ(b->m_nPinKind[p], info.nPinKinds[p]) << info.nType << " pin " << p;
        EXPECT_EQ(b->m_nPinKind[kOutputPin], info.nPinKinds[4]) << info.nType;
    }
}
