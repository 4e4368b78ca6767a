// Device: a program moved to the target model in its properties, the emulated device's port
// chosen and tested, the program downloaded with the progress dialog, uploaded into a new
// diagram that compiles to the same image, the device cleared; the I/O monitor shows inputs
// the device changes; the device clock, the summer/winter time and the WiFi module are set.
#include "tests/journeys/JourneyTest.h"

#include "comm/DeviceDispatcher.h"
#include "comm/IOStatus.h"
#include "comm/SetClockDlg.h"
#include "comm/SummerTimeDlg.h"
#include "comm/TransferEngine.h"
#include "comm/TransferProgressDlg.h"
#include "comm/WifiSetupDlg.h"
#include "image/TavixCoreRule.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/controls/CtlViewClasses.h"
#include "resources/resource.h"
#include "shell/ProgramPropsSheet.h"

#include <algorithm>

namespace journey {
namespace {

// The device image of a program as a download sends it.
std::vector<BYTE> CompiledImage(CTavixDoc& doc, const SYSTEMTIME& at)
{
    CTransferEngine::CountOptionBits(&doc);
    doc.UpdateBlockSizesForHardware();
    CTavixCoreRule rule;
    rule.SetDocument(&doc);
    rule.SetCompileTime(at);
    EXPECT_TRUE(rule.AllocImageBuffers(CTavixCoreRule::modeDownload, 0));
    EXPECT_TRUE(rule.CompileProgram()) << LPCTSTR(rule.GetLastError());
    rule.FinishImage();
    std::vector<BYTE> image = rule.m_area0Wire;
    image.insert(image.end(), rule.m_areaJWire.begin(), rule.m_areaJWire.end());
    return image;
}

// The program area of the device as the bytes that crossed the wire.
std::vector<BYTE> DeviceImage(DeviceEmulator& device, std::size_t area0, std::size_t areaJ)
{
    auto d = device.Device();
    std::vector<BYTE> out;
    auto append = [&](int first, std::size_t bytes) {
        for (std::size_t i = 0; i < bytes / 2; ++i) {
            const WORD w = d->holding[first + i];
            out.push_back(BYTE(w >> 8));
            out.push_back(BYTE(w & 0xFF));
        }
    };
    append(35840, area0);
    append(40960, areaJ);
    return out;
}

TEST_F(JourneyTest, Device)
{
    // A new program: its properties come up first, where the target model is chosen.
    g_bShowPropertiesAtNew = 1;
    Start();
    g_wHardwareCode = 0x2110;  // the model of the last program
    OnDialog([](HWND sheet) {
        auto* s = dynamic_cast<CPropertiesPropSh*>(CWnd::FromHandlePermanent(sheet));
        ASSERT_NE(s, nullptr);
        ASSERT_TRUE(s->SetActivePage(CPropertiesPropSh::pageHardware));
        auto* tree = dynamic_cast<CTreeCtrl*>(CWnd::FromHandlePermanent(::GetDlgItem(s->GetActivePage()->m_hWnd, IDC_PP_HW_TREE)));
        ASSERT_NE(tree, nullptr);
        HTREEITEM v2 = tree->GetChildItem(tree->GetRootItem());
        EXPECT_EQ(tree->GetItemText(v2), CString(L"V2.XX"));
        tree->SelectItem(v2);
        s->PressButton(PSBTN_OK);
    });
    Choose({L"&File", L"New", L"Function block diagram(FBD)"});
    CTavixDoc* doc = Doc();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->m_nHardwareCode, 0x5188);
    EXPECT_EQ(doc->m_strHardwareName, CString(L"QX Series V2.XX"));
    ASSERT_NE(DrawTimedGate().q, nullptr);

    // The device's port, with the link tested before it is taken.
    ASSERT_EQ(Frame()->m_nComPort, 0);
    OnDialog([this](HWND dlg) {
        Pick(dlg, IDC_DEV_PORT_LIST, L"COM3");
        Press(dlg, IDC_DEV_AUTO_DETECT);
        EXPECT_TRUE(TakeBoxes().empty()) << "the device answered the link test";
        Press(dlg, IDC_DEV_CONNECT);
    });
    Choose({L"&Options", L"COM Configuration..."});
    EXPECT_EQ(Frame()->m_nComPort, kPort);
    EXPECT_TRUE(PortReleased());

    // Download: the progress dialog runs to 100 % and goes; the device holds the image.
    TakeBoxes();  // what the port set-up showed is not the download's
    Choose({L"&Tools", L"Transfer", L"PC->Device"});
    EXPECT_TRUE(Logged(L"DownLoad Succeeds")) << Log();
    std::vector<std::wstring> boxes = TakeBoxes();
    EXPECT_TRUE(boxes.empty()) << ::testing::PrintToString(boxes);
    CTransferProgressDlg& progress = Frame()->DeviceDispatcher().ProgressDialog();
    EXPECT_EQ(progress.m_nPosition, 100);
    EXPECT_EQ(progress.m_hWnd, nullptr);
    EXPECT_EQ(device.Device()->lastEndResult, 1);
    EXPECT_TRUE(PortReleased());
    const std::vector<BYTE> sent = CompiledImage(*doc, compileTime);
    const std::size_t area0 = 10240;
    ASSERT_GT(sent.size(), area0);
    EXPECT_EQ(DeviceImage(device, area0, sent.size() - area0), sent);

    // Upload into a new diagram, which compiles to the same image.
    const int before = Documents();
    Choose({L"&Tools", L"Transfer", L"Device->PC"});
    EXPECT_TRUE(Logged(L"UpLoad Succeeds")) << Log();
    ASSERT_EQ(Documents(), before + 1);
    CTavixDoc* uploaded = Doc();
    ASSERT_NE(uploaded, doc);
    EXPECT_EQ(uploaded->m_nHardwareCode, 0x5188);
    EXPECT_EQ(CompiledImage(*uploaded, compileTime), sent);
    EXPECT_TRUE(PortReleased());

    // Clear, after the question.
    drv.Host().QueueMessageBoxAnswer(IDYES);
    Choose({L"&Tools", L"Transfer", L"Clear User Program and Password"});
    EXPECT_TRUE(Logged(L"Clear Program and Password Succeeds")) << Log();
    EXPECT_EQ(device.Device()->programWords, 0xFFFF);
    EXPECT_EQ(TakeBoxes().size(), 1u) << "the question";

    // The I/O monitor follows an input the device switches.
    std::vector<CString> seen;
    OnDialog([&](HWND dlg) {
        auto* monitor = dynamic_cast<CIOStatus*>(CWnd::FromHandlePermanent(dlg));
        ASSERT_NE(monitor, nullptr);
        Pick(dlg, IDC_DEV_IO_PORT, L"COM3");
        Press(dlg, IDC_DEV_IO_CONNECT);
        drv.AdvanceClock(3000);
        drv.Pump();
        seen.push_back(monitor->CellText(1, 3));  // I2 of the main unit
        device.Device()->discretes[2] = 1;
        drv.AdvanceClock(3000);
        drv.Pump();
        seen.push_back(monitor->CellText(1, 3));
        drv.Close(dlg);
    });
    Choose({L"&Tools", L"I/O Status..."});
    EXPECT_EQ(seen, (std::vector<CString>{L"0", L"1"}));
    EXPECT_TRUE(PortReleased());

    // The device clock: the time typed in, written.
    CDeviceDispatcher& dispatcher = Frame()->DeviceDispatcher();
    Choose({L"&Tools", L"Transfer", L"Clock Setting/Calibration"});
    HWND clock = dispatcher.ClockDialog().m_hWnd;
    ASSERT_NE(clock, nullptr);
    Type(clock, IDC_DEV_HOUR, L"17");
    Type(clock, IDC_DEV_MINUTE, L"45");
    Type(clock, IDC_DEV_SECOND, L"30");
    Press(clock, IDC_DEV_CLOCK_WRITE);
    EXPECT_TRUE(Logged(L"Clock Setting Succeed")) << Log();
    {
        auto d = device.Device();
        EXPECT_EQ(d->holding[304], 17);
        EXPECT_EQ(d->holding[305], 45);
        EXPECT_EQ(d->holding[306], 30);
    }
    ::SendMessageW(clock, WM_COMMAND, IDCANCEL, 0);
    drv.Pump();

    // Summer/winter time: the US rule written, read back as the US rule.
    Choose({L"&Tools", L"Transfer", L"SummerTime/WinterTime"});
    HWND summer = dispatcher.SummerDialog().m_hWnd;
    ASSERT_NE(summer, nullptr);
    if (::SendMessageW(::GetDlgItem(summer, IDC_DEV_SUMMER_ACTIVE), BM_GETCHECK, 0, 0) != BST_CHECKED)
        Press(summer, IDC_DEV_SUMMER_ACTIVE);
    Pick(summer, IDC_DEV_SUMMER_PRESET, L"US");
    Press(summer, IDOK);
    EXPECT_TRUE(Logged(L"Summer/Winter Time Writing Succeed")) << Log();
    dispatcher.SummerDialog().m_data = SummerTimeSettings{};
    Choose({L"&Tools", L"Transfer", L"SummerTime/WinterTime"});
    ASSERT_NE(dispatcher.SummerDialog().m_hWnd, nullptr);
    EXPECT_EQ(dispatcher.SummerDialog().m_data.nPreset, 2);
    EXPECT_TRUE(dispatcher.SummerDialog().m_data.bActive);
    ::SendMessageW(dispatcher.SummerDialog().m_hWnd, WM_COMMAND, IDCANCEL, 0);
    drv.Pump();

    // WiFi, on a WiFi model plugged into the same cable whose module holds no ports yet (a
    // server does not use them): a new network name written and read back; then as a remote
    // station, whose ports must be given.
    device.Device()->machineType = 0x52;
    Choose({L"&Tools", L"Transfer", L"WiFi Setup(K4XX only)"});
    HWND wifi = dispatcher.WifiDialog().m_hWnd;
    ASSERT_NE(wifi, nullptr) << Log();
    Type(wifi, IDC_DEV_WIFI_SSID, L"Plant7");
    Press(wifi, IDOK);
    EXPECT_TRUE(Logged(L"WIFI Setup Writing Succeed")) << Log() << ::testing::PrintToString(TakeBoxes());
    dispatcher.WifiDialog().m_data = WifiSettings{};
    Choose({L"&Tools", L"Transfer", L"WiFi Setup(K4XX only)"});
    ASSERT_NE(dispatcher.WifiDialog().m_hWnd, nullptr);
    EXPECT_EQ(dispatcher.WifiDialog().m_data.strSsid, CString(L"Plant7"));
    wifi = dispatcher.WifiDialog().m_hWnd;
    Pick(wifi, IDC_DEV_WIFI_MODE, L"Remote");
    Press(wifi, IDOK);
    EXPECT_EQ(TakeBoxes(), std::vector<std::wstring>{L"Please enter an integer between 1 and 65535."});
    Type(wifi, IDC_DEV_WIFI_LOCAL_PORT, L"502");
    Type(wifi, IDC_DEV_WIFI_REMOTE_PORT, L"8200");
    Press(wifi, IDOK);
    Choose({L"&Tools", L"Transfer", L"WiFi Setup(K4XX only)"});
    ASSERT_NE(dispatcher.WifiDialog().m_hWnd, nullptr);
    EXPECT_EQ(dispatcher.WifiDialog().m_data.nDeviceMode, 3);
    EXPECT_EQ(dispatcher.WifiDialog().m_data.nRemotePort, 8200u);
    ::SendMessageW(dispatcher.WifiDialog().m_hWnd, WM_COMMAND, IDCANCEL, 0);
    drv.Pump();
    EXPECT_TRUE(PortReleased());
    boxes = TakeBoxes();
    EXPECT_TRUE(boxes.empty()) << ::testing::PrintToString(boxes);
}

}  // namespace
}  // namespace journey
