// The table of what message-text fields can show per block type.
#include "msgtext/MsgTextParamTable.h"
#include "msgtext/Widget.h"

#include <gtest/gtest.h>

using Items = std::vector<int>;

TEST(MsgTextParamTable, ShownItemsByMachineType)
{
    EXPECT_EQ(GetShownItems(806, 0x11), (Items{31, 26, 27, 32, 28}));
    EXPECT_EQ(GetShownItems(806, 0x51), (Items{26, 27, 32, 28, 68, 69}));
    EXPECT_EQ(GetShownItems(400, 0x11), (Items{0, 4}));
    EXPECT_EQ(GetShownItems(400, 0x51), (Items{0, 4, 50}));
    EXPECT_EQ(GetShownItems(832, 0x11), Items{});   // word functions only from 'Q'
    EXPECT_EQ(GetShownItems(608, 0x51), (Items{131}));
    EXPECT_EQ(GetShownItems(300, 0x51), Items{});   // logic gates offer nothing
    EXPECT_EQ(FindMsgTextParamRow(0), nullptr);
}

TEST(MsgTextParamTable, AddressableAndAnalogLists)
{
    EXPECT_EQ(GetAddressableItems(801), (Items{20, 21, 66, 67}));
    EXPECT_EQ(GetAnalogValueItems(801), (Items{20, 21}));
    EXPECT_EQ(GetAddressableItems(848), (Items{144, 140, 141, 142, 125}));
    EXPECT_EQ(GetAnalogValueItems(848), Items{});
    EXPECT_EQ(GetAddressableItems(407), Items{});
    EXPECT_EQ(GetAnalogValueItems(821), (Items{89, 96, 97}));
}

TEST(MsgTextParamTable, EveryRowIsConsistent)
{
    int rows = 0;
    for (const auto& row : g_anMsgTextParams) {
        if (row[0] == 0)
            continue;
        ++rows;
        SCOPED_TRACE(row[0]);
        for (int machine : {0x11, 0x51}) {
            for (int item : GetShownItems(row[0], machine)) {
                EXPECT_GE(item, 0);
                EXPECT_GT(CWidget::GetDefaultWidth(item), 0);
            }
        }
        EXPECT_LE(row[1], row[2]);  // newer models offer at least as much
    }
    EXPECT_EQ(rows, 83);
}
