// Download, upload and clear end to end: the transfer engine talks through the real port code
// to the device emulator on a pseudo-terminal.
#include "tests/comm/TransferFixture.h"
#include "tests/image/ProgramBuilder.h"

#include <gtest/gtest.h>

namespace {

using DF = DeviceEmulator::FaultKind;

// What a download sends, compiled the way the engine compiles.
struct Compiled {
    CTavixCoreRule rule;
    Compiled(CTavixDoc& doc, const SYSTEMTIME& at)
    {
        CTransferEngine::CountOptionBits(&doc);
        doc.UpdateBlockSizesForHardware();
        rule.SetDocument(&doc);
        rule.SetCompileTime(at);
        const int texts = doc.IsNewModel() ? CountMessageTexts(doc) : 0;
        EXPECT_TRUE(rule.AllocImageBuffers(CTavixCoreRule::modeDownload, texts));
        EXPECT_TRUE(rule.CompileProgram()) << LPCTSTR(rule.GetLastError());
        rule.FinishImage();
    }
};

void ExpectSameBytes(const std::vector<BYTE>& want, const std::vector<BYTE>& got, const char* what)
{
    ASSERT_EQ(want.size(), got.size()) << what;
    const auto diff = std::mismatch(want.begin(), want.end(), got.begin());
    EXPECT_TRUE(diff.first == want.end()) << what << " differs at byte " << (diff.first - want.begin());
}

class FamilyTransfer : public TransferTest, public ::testing::WithParamInterface<WORD> {};

} // namespace

TEST_P(FamilyTransfer, DownloadedProgramIsInTheDeviceAndUploadsBackToTheSameImage)
{
    const WORD hardware = GetParam();
    auto doc = MakeDoc(hardware);
    BuildEveryFamilyProgram(*doc, hardware >= 0x5100);
    device.Device()->machineType = BYTE(hardware >> 8);

    ASSERT_EQ(engine.Download(doc.get()), 1) << ::testing::PrintToString(frame.lines);
    EXPECT_TRUE(Logged(L"DownLoad Succeeds\n"));
    EXPECT_TRUE(frame.boxes.empty());
    EXPECT_EQ(device.Device()->lastEndResult, 1);
    EXPECT_EQ(frame.progress.front(), std::make_pair(2, 0));
    EXPECT_EQ(frame.progress.back(), std::make_pair(2, 100));
    EXPECT_EQ(std::count(waits.begin(), waits.end(), 5000), 1) << "the pause before the verify";

    // The device holds exactly the compiled image, with the option-bit counts filled in.
    Compiled sent(*doc, compileTime);
    const int counted = doc->m_nOptionCount[0] + doc->m_nOptionCount[1] + doc->m_nOptionCount[2];
    EXPECT_GT(counted, 0);
    std::vector<WORD> holding;
    std::vector<WORD> messages;
    {
        auto d = device.Device();
        holding = d->holding;
        messages = d->messages;
    }
    ExpectSameBytes(sent.rule.m_area0Wire, DeviceBytes(holding, 35840, 10240), "area 0");
    ExpectSameBytes(sent.rule.m_areaJWire, DeviceBytes(holding, 40960, sent.rule.m_nJSize), "area J");
    if (hardware >= 0x5100) {
        ASSERT_FALSE(sent.rule.m_msgTextWire.empty());
        ExpectSameBytes(sent.rule.m_msgTextWire,
                        DeviceBytes(messages, 0, int(sent.rule.m_msgTextWire.size())), "message texts");
    } else {
        EXPECT_EQ(device.CountRequests(120), 0);
    }

    // Upload into a new document, which compiles back to the same image.
    frame.lines.clear();
    ASSERT_EQ(engine.Upload(), 1) << ::testing::PrintToString(Boxes());
    EXPECT_TRUE(Logged(L"UpLoad Succeeds\n"));
    EXPECT_TRUE(Logged(Text(IDS_DRAWING_DONE)));
    ASSERT_EQ(uploaded.size(), 1u);
    CTavixDoc& back = *uploaded[0];
    EXPECT_EQ(back.m_nHardwareCode, doc->m_nHardwareCode);
    EXPECT_EQ(g_wHardwareCode, doc->m_nHardwareCode);
    Compiled again(back, compileTime);
    ExpectSameBytes(sent.rule.m_area0Wire, again.rule.m_area0Wire, "uploaded area 0");
    ExpectSameBytes(sent.rule.m_areaJWire, again.rule.m_areaJWire, "uploaded area J");
    ExpectSameBytes(sent.rule.m_msgTextWire, again.rule.m_msgTextWire, "uploaded message texts");
    // Laid out on a grid: no two elements share a place.
    std::set<std::pair<int, int>> places;
    for (POSITION pos = back.m_blocks.GetHeadPosition(); pos != nullptr;) {
        const auto* b = static_cast<CBlockObj*>(back.m_blocks.GetNext(pos));
        EXPECT_TRUE(places.insert({b->m_ptOrigin.x, b->m_ptOrigin.y}).second) << b->m_nNumber;
    }
}

INSTANTIATE_TEST_SUITE_P(OldAndNew, FamilyTransfer, ::testing::Values(WORD(0x2110), WORD(0x5188)));

TEST_F(TransferTest, UploadAsksThePasswordOnceAndSendsItPairwiseExchanged)
{
    auto doc = MakeDoc();
    BuildEveryFamilyProgram(*doc, true);
    ASSERT_EQ(engine.Download(doc.get()), 1);
    device.Device()->SetPassword("ABC");

    struct Case { const char* typed; int result; std::wstring box; std::wstring line; size_t docs; };
    const Case cases[] = {
        {nullptr, 0, L"", L"UpLoad Fails\n", 0},                       // cancelled
        {"ABD", 0, Text(IDS_WRONG_PASSWORD_UPLOAD), L"UpLoad Fails\n", 0},  // refused
        {"ABC", 1, L"", L"UpLoad Succeeds\n", 1},
    };
    for (const Case& c : cases) {
        frame.lines.clear();
        frame.boxes.clear();
        uploaded.clear();
        passwordAsked = 0;
        typedPassword = c.typed;
        EXPECT_EQ(engine.Upload(), c.result) << (c.typed ? c.typed : "cancel");
        EXPECT_EQ(passwordAsked, 1);
        EXPECT_TRUE(Logged(c.line)) << (c.typed ? c.typed : "cancel");
        EXPECT_EQ(uploaded.size(), c.docs);
        const std::vector<std::wstring> boxes = c.box.empty() ? std::vector<std::wstring>{}
                                                              : std::vector<std::wstring>{c.box};
        EXPECT_EQ(Boxes(), boxes);
    }
    // "ABC" went out as B A FF C FF FF FF FF.
    const auto requests = device.Requests();
    const auto last110 = std::find_if(requests.rbegin(), requests.rend(),
                                      [](const std::vector<BYTE>& r) { return r[1] == 110; });
    ASSERT_NE(last110, requests.rend());
    EXPECT_EQ(std::vector<BYTE>(last110->begin() + 7, last110->begin() + 15),
              (std::vector<BYTE>{'B', 'A', 0xFF, 'C', 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(TransferTest, UploadRefusesSizesTheImageCannotHave)
{
    // Sizes in words: under area 0, above the largest instruction area, not whole frames.
    struct Case { WORD program; WORD messages; };
    for (const Case c : {Case{64, 0}, Case{5120 + 0x3000 + 64, 0}, Case{5120 + 64, 100}}) {
        frame.lines.clear();
        frame.boxes.clear();
        {
            auto d = device.Device();
            d->programWords = c.program;
            d->messageWords = c.messages;
        }
        EXPECT_EQ(engine.Upload(), 0) << c.program;
        EXPECT_EQ(Boxes(), std::vector<std::wstring>{Text(IDS_PROJECT_SIZE_ERROR)}) << c.program;
        EXPECT_TRUE(uploaded.empty());
        EXPECT_EQ(device.Device()->lastEndResult, 0) << "the device is told the upload failed";
    }
    EXPECT_EQ(device.CountRequests(3), 3) << "only the identifications were read";
}

TEST_F(TransferTest, ClearAsksFirstAndFillsTheProgramAreaWithOnes)
{
    frame.boxAnswer = 7;  // No
    EXPECT_EQ(engine.ClearProgram(nullptr), 0);
    EXPECT_TRUE(device.Requests().empty());

    frame.boxAnswer = 6;  // Yes
    EXPECT_EQ(engine.ClearProgram(nullptr), 1);
    EXPECT_TRUE(Logged(L"Clear Program and Password Succeeds\n"));
    EXPECT_EQ(device.Device()->programWords, 0xFFFF);
    EXPECT_EQ(device.CountRequests(16), 0x2180 / 128);
    EXPECT_EQ(std::count(waits.begin(), waits.end(), 2000), 1);
}

TEST_F(TransferTest, StoredStartUpImageGoesIntoTheHeader)
{
    auto doc = MakeDoc();
    BuildEveryFamilyProgram(*doc, true);
    if (doc->m_pLogo == nullptr)
        doc->m_pLogo = new BYTE[960];  // the document owns it
    for (int i = 0; i < 960; ++i)
        doc->m_pLogo[i] = BYTE(i * 13);
    doc->m_bLogoPresent = TRUE;
    ASSERT_EQ(engine.Download(doc.get()), 1);
    std::vector<WORD> holding = device.Device()->holding;
    // Host bytes 2..961 and 0x3FE of area 0, read back from the registers' big-endian words.
    std::vector<BYTE> host;
    for (int i = 0; i < 512; ++i) {
        const WORD w = holding[std::size_t(35840 + i)];
        host.push_back(BYTE(w >> 8));
        host.push_back(BYTE(w & 0xFF));
    }
    for (std::size_t i = 0; i + 1 < host.size(); i += 2)
        std::swap(host[i], host[i + 1]);
    EXPECT_EQ(std::vector<BYTE>(host.begin() + 2, host.begin() + 962),
              std::vector<BYTE>(doc->m_pLogo, doc->m_pLogo + 960));
    EXPECT_EQ(host[0x3FE], 1);
}

TEST_F(TransferTest, UploadFromAnEmptyDeviceSaysTheProgramIsEmpty)
{
    // A new device (0 words) and one just cleared (0xFFFF words), with and without a password.
    struct Case { WORD words; bool password; };
    for (const Case c : {Case{0, false}, Case{0xFFFF, false}, Case{0xFFFF, true}}) {
        frame.lines.clear();
        frame.boxes.clear();
        {
            auto d = device.Device();
            d->programWords = c.words;
            d->hasPassword = c.password;
            d->lastEndResult = -1;
        }
        const std::size_t before = device.Requests().size();
        EXPECT_EQ(engine.Upload(), 0) << c.words;
        EXPECT_EQ(Boxes(), std::vector<std::wstring>{Text(IDS_DEVICE_PROGRAM_EMPTY)}) << c.words;
        EXPECT_TRUE(Logged(L"RTU Function Code 102->No program!\n"));
        EXPECT_TRUE(Logged(L"UpLoad Aborts\n"));
        EXPECT_FALSE(Logged(L"UpLoad Suspend!\n"));
        EXPECT_TRUE(uploaded.empty());
        EXPECT_EQ(passwordAsked, 0);
        // On the line: identification, upload start, and the end frame telling the device.
        const auto requests = device.Requests();
        ASSERT_EQ(requests.size() - before, 3u);
        EXPECT_EQ(requests[before][1], 3);
        EXPECT_EQ(requests[before + 1][1], 102);
        EXPECT_EQ(requests[before + 2],
                  (std::vector<BYTE>{0, 103, 0, 0, 0, 0, requests[before + 2][6], requests[before + 2][7]}));
        EXPECT_EQ(device.Device()->lastEndResult, 0);
    }
}
