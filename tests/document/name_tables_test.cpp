// Name tables of block types, baud rates and message-text variables.
#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "shell/MainFrame.h"

#include <gtest/gtest.h>

TEST(NameTables, EnglishAndChineseBlockNames)
{
    g_mapBlockTypeNames.RemoveAll();
    InitBlockNameTableFor(0);
    EXPECT_EQ(g_mapBlockTypeNames.GetCount(), 116);
    EXPECT_EQ(GetBlockTypeName(609), L"[Analog output]");
    EXPECT_EQ(GetBlockTypeName(705), L"[Analog output]");
    EXPECT_EQ(GetBlockTypeName(303), L"[NAND(Edge)]");
    EXPECT_EQ(GetBlockTypeName(824), L"[WiFi Digital Read]");
    for (int missing : {900, 951, 0})
        EXPECT_EQ(GetBlockTypeName(missing), L"") << missing;
    EXPECT_EQ(g_mapBlockTypeNames.GetCount(), 116);  // lookups never add entries

    g_mapBlockTypeNames.RemoveAll();
    InitBlockNameTableFor(1);
    EXPECT_EQ(g_mapBlockTypeNames.GetCount(), 114);
    EXPECT_EQ(GetBlockTypeName(600), L" [数字量输入]");
    EXPECT_EQ(GetBlockTypeName(815), L"[Mathematic instruction]");
    EXPECT_EQ(GetBlockTypeName(824), L"[WIFI Input]");
    EXPECT_EQ(GetBlockTypeName(601), L"");
    EXPECT_EQ(GetBlockTypeName(811), L"");

    g_mapBlockTypeNames.RemoveAll();
    g_nLanguage = 0;
}

TEST(NameTables, EveryDocumentFillsTheSameTables)
{
    g_nLanguage = 0;
    { CTavixDoc first; }
    const auto names = g_mapBlockTypeNames.GetCount();
    { CTavixDoc second; }
    EXPECT_EQ(g_mapBlockTypeNames.GetCount(), names);
    EXPECT_EQ(g_mapBaudRateNames.GetCount(), 16);
    CString rate;
    ASSERT_TRUE(g_mapBaudRateNames.Lookup(15, rate));
    EXPECT_EQ(rate, L"4500000");
}

TEST(NameTables, ParameterNames)
{
    InitParamNameTable();
    InitParamNameTable();
    ASSERT_EQ(g_astrParamNames.GetSize(), 145);
    EXPECT_EQ(g_astrParamNames[65], L"MI-hour:miniute");
    EXPECT_EQ(g_astrParamNames[112], L"Intergration time(TI)");
    EXPECT_EQ(g_astrParamNames[0], g_astrParamNames[34]);
    for (int i = 131; i <= 137; ++i)
        EXPECT_TRUE(g_astrParamNames[i].IsEmpty()) << i;
    EXPECT_EQ(g_astrParamNames[144], L"Counter");
}
