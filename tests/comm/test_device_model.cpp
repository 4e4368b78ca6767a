// The test device's own rules, checked without a line: which reads reset the remote module.
#include "tests/support/DeviceModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<BYTE> ReadHolding(WORD start, WORD count)
{
    std::vector<BYTE> frame = {1, 3, BYTE(start >> 8), BYTE(start), BYTE(count >> 8), BYTE(count)};
    AppendCrc(frame);
    return frame;
}

TEST(DeviceModel, OnlyTheRemoteModuleResetsAndOnlyOnARegister666ReadOfOne)
{
    struct Case {
        BYTE machineType;
        WORD start;
        WORD count;
        bool resets;
    } cases[] = {
        {DeviceModel::kRemoteModule, 666, 1, true},
        {DeviceModel::kRemoteModule, 660, 64, false},  // the I/O monitor's analog-flag poll
        {DeviceModel::kRemoteModule, 666, 2, false},
        {DeviceModel::kRemoteModule, 665, 2, false},
        {DeviceModel::kRemoteModule, 667, 1, false},
        {0x51, 666, 1, false},
        {0x52, 666, 1, false},
        {0x51, 660, 64, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << int(c.machineType) << ", " << c.start << " x " << c.count);
        DeviceModel device;
        device.machineType = c.machineType;
        device.holding[0] = 0x1234;
        device.remoteFactoryBlock[0] = 0x4142;
        const std::vector<BYTE> answer = device.Answer(ReadHolding(c.start, c.count));
        ASSERT_EQ(answer.size(), 5u + 2u * c.count) << "an ordinary read answer";
        EXPECT_EQ(device.factoryResets, c.resets ? 1 : 0);
        EXPECT_EQ(device.holding[0], c.resets ? 0x4142 : 0x1234);
    }
}

}  // namespace
