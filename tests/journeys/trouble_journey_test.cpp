// Trouble: what goes wrong for a user is said in a message and loses nothing. A truncated file
// opens nothing; saving over a read-only file leaves it as it was and the program still
// modified; a device unplugged in the middle of a download ends it with a message, the port
// closed and the program untouched; quitting with unsaved changes asks first.
#include "tests/journeys/JourneyTest.h"

#include "elements/BlockObj.h"
#include "resources/resource.h"
#include "shell/CloseAllDlg.h"

#include <sys/stat.h>

namespace journey {
namespace {

using DF = DeviceEmulator::FaultKind;

TEST_F(JourneyTest, Trouble)
{
    Start();
    ASSERT_EQ(Documents(), 0);

    // A file cut short, as a broken copy leaves it.
    const std::vector<BYTE> whole = ReadBytes(Fixture("program_fbd.yfb"));
    ASSERT_GT(whole.size(), 200u);
    const CString truncated = Temp("truncated.yfb");
    ASSERT_TRUE(WriteBytes(truncated, std::vector<BYTE>(whole.begin(), whole.begin() + long(whole.size() / 2))));
    fileDialogs.QueueFiles({std::wstring(LPCTSTR(truncated))});
    Choose({L"&File", L"&Open..."});
    EXPECT_EQ(Documents(), 0);
    std::vector<std::wstring> boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(L"truncated.yfb"), std::wstring::npos) << boxes[0];

    // A read-only program: opened, changed, saved. The save asks for another name; given the
    // same file back, it refuses and keeps everything.
    const CString readOnly = Temp("readonly.yfb");
    ASSERT_TRUE(WriteBytes(readOnly, whole));
    ASSERT_EQ(::chmod(ToNativePath(readOnly).c_str(), 0444), 0);
    fileDialogs.QueueFiles({std::wstring(LPCTSTR(readOnly))});
    Choose({L"&File", L"&Open..."});
    ASSERT_EQ(Documents(), 1);
    ASSERT_TRUE(TakeBoxes().empty());
    CTavixDoc* doc = Doc();
    ASSERT_NE(doc, nullptr);
    const INT_PTR blocks = doc->m_blocks.GetCount();
    Keys(L"A", true);
    Choose({L"&Edit", L"&Delete"});
    ASSERT_LT(doc->m_blocks.GetCount(), blocks);
    ASSERT_TRUE(doc->IsModified());
    fileDialogs.QueueFiles({std::wstring(LPCTSTR(readOnly))});
    drv.Host().QueueMessageBoxAnswer(IDYES);  // replace the existing file, if asked
    Choose({L"&File", L"&Save"});
    boxes = TakeBoxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes.back().find(L"readonly.yfb"), std::wstring::npos) << boxes.back();
    EXPECT_EQ(ReadBytes(readOnly), whole);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_LT(doc->m_blocks.GetCount(), blocks);

    // Undone, the program is the file's again; a download that loses the device on its way.
    while (doc->m_blocks.GetCount() < blocks && doc->m_undo.CanUndo())
        Keys(L"Z", true);
    ASSERT_EQ(doc->m_blocks.GetCount(), blocks);
    device.Device()->machineType = BYTE(doc->m_nHardwareCode >> 8);
    Frame()->m_nComPort = kPort;
    device.AddFault(DeviceEmulator::Fault(DF::HangUp, 6, 16, 3, 1));
    const BOOL modified = doc->IsModified();
    Keys(L"D", true);
    boxes = TakeBoxes();
    EXPECT_EQ(boxes, (std::vector<std::wstring>{Text(IDS_CHECK_CABLE), Text(IDS_DOWNLOAD_FAILED)}))
        << ::testing::PrintToString(boxes) << "\n" << ::testing::PrintToString(Log());
    EXPECT_GE(device.CountRequests(16), 4) << "the device hung up in the middle";
    EXPECT_TRUE(PortReleased());
    EXPECT_TRUE(Frame()->IsWindowEnabled());
    EXPECT_EQ(doc->m_blocks.GetCount(), blocks);
    EXPECT_EQ(doc->IsModified(), modified);
    EXPECT_EQ(ReadBytes(readOnly), whole);

    // Quitting with the changed program asks which programs to save; Cancel stays.
    doc->SetModifiedFlag(TRUE);
    bool asked = false;
    OnDialog([&](HWND dlg) {
        asked = dynamic_cast<CCloseAllDlg*>(CWnd::FromHandlePermanent(dlg)) != nullptr;
        ::SendMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    Choose({L"&File", L"E&xit"});
    EXPECT_TRUE(asked);
    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(::IsWindow(Frame()->m_hWnd));
    EXPECT_EQ(Documents(), 1);
    EXPECT_TRUE(doc->IsModified());
}

}  // namespace
}  // namespace journey
