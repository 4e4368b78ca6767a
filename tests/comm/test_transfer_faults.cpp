// Every fault the emulated device can produce during a download, an upload and a clear: the
// log names it, the user is told the operation failed, the device gets an end frame whenever
// the line still works, and no uploaded document is left behind.
#include "tests/comm/TransferFixture.h"
#include "tests/image/ProgramBuilder.h"

#include <gtest/gtest.h>

namespace {

using DF = DeviceEmulator::FaultKind;
using Fault = DeviceEmulator::Fault;

enum class Op { Download, Upload, Clear };

struct FaultCase {
    const char* name;
    Op op;
    Fault fault;
    std::wstring line;  // a line the log must hold
    int endResult;      // result byte of the end frame the device got; -1 none
    // The line itself failed, so the user is asked to check the cable; a well-formed answer
    // holding other data than was written is no cable fault.
    bool lineFailed = true;
};

// A 133-byte read answer of zeros: the device answers, but not with what was written.
Fault ZeroReadAnswer(int skip)
{
    Fault f(DF::Replace, 0, 3, skip, 1);
    f.bytes = {0, 3, 128};
    f.bytes.resize(131, 0);
    AppendCrc(f.bytes);
    return f;
}

std::vector<FaultCase> Cases()
{
    return {
        {"write time-out", Op::Download, Fault(DF::Silence, 0, 16, 2, 1), L"Write Data Error!\n", 0},
        {"write echo bad CRC", Op::Download, Fault(DF::BadCrc, 0, 16), L"Check Sum Error!\n", 0},
        {"verify exception", Op::Download, Fault(DF::Exception, 2, 3, 1),
         L"Exception Code : No=2->ILLIGAL DATA ADDRESS,Please Check!\n", 0},
        {"verify mismatch", Op::Download, ZeroReadAnswer(1), L"PC and Device Data Mismatch!\n", 0, false},
        {"verify bad CRC", Op::Download, Fault(DF::BadCrc, 0, 3, 1), L"Check Sum Error!\n", -1},
        {"start short", Op::Download, Fault(DF::ShortAnswer, 4, 100), L"DownLoad Fails\n", 0},
        {"start wrong address", Op::Download, Fault(DF::WrongAddress, 0, 100),
         L"RTU Function Code 100(0x64) Error->Device ID Error!\n", 0},
        {"identification silent", Op::Download, Fault(DF::Silence, 0, 3), L"DownLoad Suspend!\n", -1},
        {"identification exception", Op::Download, Fault(DF::Exception, 4, 3), L"DownLoad Suspend!\n", -1},
        {"end frame bad CRC", Op::Download, Fault(DF::BadCrc, 0, 101), L"RTU Function Code 101(0x65) Error!\n", 1},
        {"cable pulled", Op::Download, Fault(DF::HangUp, 3, 16, 10, 1), L"Write Data Error!\n", -1},
        {"read time-out", Op::Upload, Fault(DF::Silence, 0, 3, 1, 1), L"Read Data Error!\n", 0},
        {"read bad CRC", Op::Upload, Fault(DF::BadCrc, 0, 3, 3, 1), L"Check Sum Error!\n", -1},
        {"upload start exception", Op::Upload, Fault(DF::Exception, 6, 102), L"UpLoad Aborts\n", 0},
        {"upload start wrong address", Op::Upload, Fault(DF::WrongAddress, 0, 102),
         L"RTU Function Code 102->Check Sum Error!\n", 0},
        {"message read short", Op::Upload, Fault(DF::ShortAnswer, 2, 121, 1, 1), L"Read Message Texts Data Error!\n", 0},
        {"clear write time-out", Op::Clear, Fault(DF::Silence, 0, 16, 0, 1), L"Write Data Error!\n", -1},
        {"clear write exception", Op::Clear, Fault(DF::Exception, 4, 16), L"Write Data Error!\n", 0},
        {"clear verify mismatch", Op::Clear, ZeroReadAnswer(1), L"Verify Data Error!\n", 0, false},
    };
}

class TransferFaults : public TransferTest, public ::testing::WithParamInterface<FaultCase> {};

} // namespace

TEST_P(TransferFaults, FailureIsReportedAndChangesNothing)
{
    const FaultCase& c = GetParam();
    auto doc = MakeDoc();
    BuildEveryFamilyProgram(*doc, true);
    if (c.op == Op::Upload) {
        ASSERT_EQ(engine.Download(doc.get()), 1);
    }
    frame.lines.clear();
    frame.progress.clear();
    device.Device()->lastEndResult = -1;
    frame.boxAnswer = 6;     // Yes to the clear question
    frame.clockStep = 200;   // deadlines pass quickly
    device.AddFault(c.fault);
    const WORD wordsBefore = device.Device()->programWords;

    int result = -1;
    UINT failedBox = 0;
    switch (c.op) {
    case Op::Download:
        result = engine.Download(doc.get());
        failedBox = IDS_DOWNLOAD_FAILED;
        break;
    case Op::Upload:
        result = engine.Upload();
        failedBox = IDS_UPLOAD_FAILED;
        break;
    case Op::Clear:
        frame.boxes.clear();
        result = engine.ClearProgram(nullptr);
        failedBox = IDS_CLEAR_FAILED;
        frame.boxes.erase(frame.boxes.begin());  // the question
        break;
    }
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(Logged(c.line)) << ::testing::PrintToString(frame.lines);
    if (c.lineFailed) {
        EXPECT_EQ(Boxes(), (std::vector<std::wstring>{Text(IDS_CHECK_CABLE), Text(failedBox)}));
    } else {
        EXPECT_EQ(Boxes(), std::vector<std::wstring>{Text(failedBox)});
    }
    EXPECT_EQ(frame.progress.back(), std::make_pair(-1, 0));
    EXPECT_EQ(device.Device()->lastEndResult, c.endResult);
    EXPECT_TRUE(uploaded.size() == 0 || c.op != Op::Upload);
    if (c.op != Op::Download || c.endResult != 1) {
        EXPECT_EQ(device.Device()->programWords, wordsBefore) << "the device did not take a program";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFault, TransferFaults, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST_F(TransferTest, WrongDeviceGetsNothingWritten)
{
    auto doc = MakeDoc(0x5188);
    BuildEveryFamilyProgram(*doc, true);
    device.Device()->machineType = 0x52;
    EXPECT_EQ(engine.Download(doc.get()), 0);
    EXPECT_TRUE(Logged(L"Machine type mismatch Error!\n"));
    EXPECT_EQ(device.CountRequests(100), 0);
    EXPECT_EQ(device.CountRequests(16), 0);
    EXPECT_EQ(device.Device()->lastEndResult, -1);
}

TEST_F(TransferTest, SlowAndTricklingDeviceStillTakesTheProgram)
{
    auto doc = MakeDoc();
    BuildEveryFamilyProgram(*doc, true);
    device.AddFault(Fault(DF::Trickle, 5, 16, 0, 3));
    device.AddFault(Fault(DF::SlowAnswer, 1500, 3, 0, 2));
    EXPECT_EQ(engine.Download(doc.get()), 1) << ::testing::PrintToString(frame.lines);
    EXPECT_EQ(device.Device()->lastEndResult, 1);
}
