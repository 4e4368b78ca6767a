// The editor program driven headless against the emulated device on COM3: device operations
// posted to the main frame run inside the port frame with their progress dialog and log lines,
// failures say so and change nothing, the progress dialog's button does not break off a
// running exchange, and the port is released on every way out.
#include "comm/DeviceDialogs.h"
#include "comm/DeviceDispatcher.h"
#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "platform/base/Profile.h"
#include "platform/gdi/DC.h"
#include "platform/host/HeadlessHost.h"
#include "resources/Resources.h"
#include "resources/resource.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"
#include "tests/support/DeviceEmulator.h"
#include "view/TavixView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

using DF = DeviceEmulator::FaultKind;
const CString kFixtures = CString(TAVIX_SOURCE_DIR) + L"/tests/fixtures/";
constexpr int kPort = 3;

class DeviceProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/deviceprogXXXXXX";
        m_dir = ::mkdtemp(tmpl);
        ::setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
        AfxGetProfileStore().SetPath(CString((m_dir + "/profile.ini").c_str()));
        g_nLanguage = 0;
        g_wHardwareCode = 0x5188;
        g_bShowPropertiesAtNew = 0;
        device.ExportAs(kPort);
    }
    void TearDown() override
    {
        if (m_app) {
            if (CWnd* main = m_app->m_pMainWnd; main && ::IsWindow(main->m_hWnd)) {
                m_app->CloseAllDocuments(TRUE);
                main->DestroyWindow();
            }
            m_drv.Pump();
            m_app.reset();
        }
        g_nLanguage = 0;
        SetResourceLanguage(kLangIdEnglish);
        const std::string cmd = "rm -rf '" + m_dir + "'";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }
    void Start(const std::vector<CString>& args)
    {
        m_app = std::make_unique<CEditorApp>();
        m_app->SetCommandLineArgs(args);
        ASSERT_TRUE(m_app->InitInstance());
        m_drv.Pump();
        Frame()->m_nComPort = kPort;
        Engine().m_wait = [](int) {};
    }
    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(m_app->m_pMainWnd); }
    CTransferEngine& Engine() { return Frame()->DeviceDispatcher().Engine(); }
    void Operation(int op, LPARAM flags = 0)
    {
        Frame()->PostMessage(WM_DEVICE_OPERATION, WPARAM(op), flags);
        m_drv.Pump();
    }
    std::wstring Log() const { return std::wstring(LPCTSTR(Frame()->InfoWindow().GetLogText())); }
    bool Logged(const std::wstring& line) const { return Log().find(line) != std::wstring::npos; }
    std::vector<std::wstring> Boxes()
    {
        std::vector<std::wstring> texts;
        for (const auto& b : m_drv.Host().MessageBoxes())
            texts.push_back(b.text);
        return texts;
    }
    // A string of the string table without its line end.
    static std::wstring Text(UINT id)
    {
        CString s;
        s.LoadString(id);
        s.TrimRight(L"\n");
        return std::wstring(LPCTSTR(s));
    }
    bool PortReleased() const { return Frame()->m_hComPort == nullptr && !Frame()->m_bPortOpen; }

    DeviceEmulator device;
    CHeadlessDriver m_drv;
    std::unique_ptr<CEditorApp> m_app;
    std::string m_dir;
};

} // namespace

TEST_F(DeviceProgramTest, DownloadUploadAndClearThroughTheMainFrame)
{
    Start({kFixtures + L"program_fbd.yfb"});
    CTavixDoc* doc = Frame()->GetActiveDiagramDocument();
    ASSERT_NE(doc, nullptr);
    device.Device()->machineType = BYTE(doc->m_nHardwareCode >> 8);
    const int docs = m_app->GetOpenDocumentCount();

    // PC->Device and Device->PC as the menu and Ctrl+D / Ctrl+U give them: the view passes the
    // download on to the main frame, the frame runs the upload itself.
    Frame()->SendMessage(WM_COMMAND, ID_TRANSFER_PC_TO_DEVICE, 0);
    m_drv.Pump();
    EXPECT_TRUE(Logged(L"DownLoad Succeeds")) << Log();
    EXPECT_TRUE(Boxes().empty()) << ::testing::PrintToString(Boxes());
    EXPECT_TRUE(PortReleased());
    EXPECT_EQ(Frame()->DeviceDispatcher().ProgressDialog().m_hWnd, nullptr) << "gone at 100 %";
    EXPECT_EQ(Frame()->DeviceDispatcher().ProgressDialog().m_nPosition, 100);
    EXPECT_TRUE(Frame()->IsWindowEnabled());

    Frame()->SendMessage(WM_COMMAND, ID_TRANSFER_DEVICE_TO_PC, 0);
    m_drv.Pump();
    EXPECT_TRUE(Logged(L"UpLoad Succeeds")) << Log();
    EXPECT_TRUE(Logged(Text(IDS_DRAWING_DONE)));
    EXPECT_EQ(m_app->GetOpenDocumentCount(), docs + 1);
    EXPECT_TRUE(PortReleased());

    m_drv.Host().QueueMessageBoxAnswer(IDYES);
    Operation(DEVICE_OP_CLEAR);
    EXPECT_TRUE(Logged(L"Clear Program and Password Succeeds")) << Log();
    EXPECT_EQ(device.Device()->programWords, 0xFFFF);
    EXPECT_TRUE(PortReleased());
}

TEST_F(DeviceProgramTest, FailedDownloadSaysSoAndLeavesTheProgramAlone)
{
    Start({kFixtures + L"program_fbd.yfb"});
    CTavixDoc* doc = Frame()->GetActiveDiagramDocument();
    ASSERT_NE(doc, nullptr);
    device.Device()->machineType = BYTE(doc->m_nHardwareCode >> 8);
    device.AddFault(DeviceEmulator::Fault(DF::BadCrc, 0, 16, 4, 1));
    const BOOL modified = doc->IsModified();
    const int blocks = doc->CountBlocks();

    Operation(DEVICE_OP_DOWNLOAD);
    EXPECT_EQ(Boxes(), (std::vector<std::wstring>{Text(IDS_CHECK_CABLE), Text(IDS_DOWNLOAD_FAILED)}));
    EXPECT_TRUE(Logged(L"DownLoad Fails")) << Log();
    EXPECT_EQ(device.Device()->lastEndResult, 0);
    EXPECT_TRUE(PortReleased());
    EXPECT_EQ(doc->IsModified(), modified);
    EXPECT_EQ(doc->CountBlocks(), blocks);
    EXPECT_TRUE(Frame()->IsWindowEnabled());
}

TEST_F(DeviceProgramTest, ProgressDialogOkDoesNotInterruptTheTransfer)
{
    Start({kFixtures + L"program_fbd.yfb"});
    CTavixDoc* doc = Frame()->GetActiveDiagramDocument();
    ASSERT_NE(doc, nullptr);
    device.Device()->machineType = BYTE(doc->m_nHardwareCode >> 8);
    // The user presses the dialog's button in the pause between the writes and the read-back:
    // the dialog closes and tells the frame, the exchange goes on to its end.
    CTransferProgressDlg& dlg = Frame()->DeviceDispatcher().ProgressDialog();
    bool pressed = false;
    Engine().m_wait = [&](int ms) {
        if (ms != 5000 || !dlg.m_hWnd)
            return;
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        pressed = dlg.m_hWnd == nullptr;
    };
    Operation(DEVICE_OP_DOWNLOAD);
    EXPECT_TRUE(pressed);
    EXPECT_TRUE(Logged(L"DownLoad Succeeds")) << Log();
    EXPECT_FALSE(Logged(L"DownLoad Suspend!"));
    EXPECT_TRUE(Boxes().empty()) << ::testing::PrintToString(Boxes());
    EXPECT_EQ(device.Device()->lastEndResult, 1);
    EXPECT_EQ(device.CountRequests(3), 1 + device.CountRequests(16)) << "every frame read back";
    EXPECT_TRUE(PortReleased());
}

TEST_F(DeviceProgramTest, SettingsReadsOpenTheirDialogsOnlyWhenTheDeviceAnswers)
{
    Start({});
    CDeviceDispatcher& d = Frame()->DeviceDispatcher();
    device.Device()->machineType = 0x52;
    device.Device()->summerWinter[0] = 7;

    Operation(DEVICE_OP_SUMMER_READ);
    EXPECT_TRUE(Logged(L"Summer/Winter Time Reading Succeeds"));
    ASSERT_NE(d.SummerDialog().m_hWnd, nullptr);
    EXPECT_EQ(d.SummerDialog().m_data.nPreset, 5);
    d.SummerDialog().SendMessage(WM_COMMAND, IDOK, 0);
    m_drv.Pump();
    EXPECT_EQ(d.SummerDialog().m_hWnd, nullptr);
    EXPECT_TRUE(Logged(L"Summer/Winter Time Writing Succeed!"));

    Operation(DEVICE_OP_WIFI_READ);
    ASSERT_NE(d.WifiDialog().m_hWnd, nullptr);
    EXPECT_EQ(d.WifiDialog().m_data.strMac, CString(L"A1-B2-C3-D4-E5-F6"));
    d.WifiDialog().SendMessage(WM_COMMAND, IDCANCEL, 0);
    m_drv.Pump();

    // A silent device: the read fails, no dialog, the cable message, the port released.
    m_drv.Host().ClearMessageBoxes();
    device.AddFault(DeviceEmulator::Fault(DF::Silence));
    Operation(DEVICE_OP_REMOTE_READ);
    EXPECT_EQ(d.RemoteDialog().m_hWnd, nullptr);
    EXPECT_TRUE(Logged(L"Recontrol Control WIFI(0xK791) Setup Reading Error!"));
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{Text(IDS_CHECK_CABLE)});
    EXPECT_TRUE(PortReleased());

    // The clock dialog's buttons post their exchanges.
    device.ClearFaults();
    Operation(DEVICE_OP_CLOCK);
    ASSERT_NE(d.ClockDialog().m_hWnd, nullptr);
    device.Device()->holding[301] = 2031;
    d.ClockDialog().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DEV_CLOCK_READ, BN_CLICKED), 0);
    m_drv.Pump();
    EXPECT_EQ(d.ClockDialog().m_data.nYear, 2031);
    EXPECT_TRUE(Logged(L"Clock Reading Succeeds"));
}

TEST_F(DeviceProgramTest, UploadedProgramNamesItsSeriesAndHoldsItsMessageTextPriorities)
{
    Start({kFixtures + L"program_msgtext_datalog.yfb"});
    CTavixDoc* doc = Frame()->GetActiveDiagramDocument();
    ASSERT_NE(doc, nullptr);
    device.Device()->machineType = BYTE(doc->m_nHardwareCode >> 8);
    Operation(DEVICE_OP_DOWNLOAD);
    ASSERT_TRUE(Logged(L"DownLoad Succeeds")) << Log();

    // What the label showed before belongs to another program (the label, when the upload
    // makes it, starts from the global model).
    ASSERT_EQ(doc->m_nHardwareCode >> 8, 0x51);
    g_wHardwareCode = 0x1188;
    if (Frame()->m_pSeriesLabel)
        Frame()->m_pSeriesLabel->SetWindowText(L"stale");
    CMainFrame::SetSeriesText(L"stale");
    // As in a frame that has shown no program yet: the upload makes the label.
    Frame()->RemoveStatusControl(2);
    ASSERT_EQ(Frame()->m_pSeriesLabel, nullptr);
    Frame()->SendMessage(WM_COMMAND, ID_TRANSFER_DEVICE_TO_PC, 0);
    m_drv.Pump();
    ASSERT_TRUE(Logged(L"UpLoad Succeeds")) << Log();
    CTavixDoc* up = Frame()->GetActiveDiagramDocument();
    ASSERT_NE(up, doc);
    CString series;
    ASSERT_NE(CMainFrame::GetSeriesName(up->m_nHardwareCode, &series, nullptr), -1);
    // The label is there (made with the first program shown) and names the uploaded series.
    ASSERT_NE(Frame()->m_pSeriesLabel, nullptr);
    ASSERT_TRUE(::IsWindow(Frame()->m_pSeriesLabel->m_hWnd));
    CString shown;
    Frame()->m_pSeriesLabel->GetWindowText(shown);
    EXPECT_EQ(std::wstring(LPCTSTR(shown)), std::wstring(LPCTSTR(series)));
    EXPECT_EQ(std::wstring(LPCTSTR(CMainFrame::GetSeriesText())), std::wstring(LPCTSTR(series)));

    // Every uploaded message text keeps its priority; a new one takes a free one.
    CTavixView* view = nullptr;
    for (POSITION pos = up->GetFirstViewPosition(); pos && !view;)
        view = dynamic_cast<CTavixView*>(up->GetNextView(pos));
    ASSERT_NE(view, nullptr);
    std::vector<int> held;
    for (POSITION pos = up->m_blocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(up->m_blocks.GetNext(pos));
        if (b->m_nType == TYPE_MSGTEXT)
            held.push_back(b->m_nCount);
    }
    ASSERT_FALSE(held.empty()) << "the fixture holds message texts";
    for (int slot : held)
        EXPECT_TRUE(view->m_bMsgTextSlotUsed[slot]) << slot;
    std::unique_ptr<CBlockObj> fresh(view->CreateBlockByType(TYPE_MSGTEXT));
    EXPECT_EQ(std::count(held.begin(), held.end(), fresh->m_nCount), 0) << fresh->m_nCount;
}

TEST_F(DeviceProgramTest, LadderGoesToTheDeviceAsItsConvertedCopyWhichIsClosedAfterwards)
{
    Start({kFixtures + L"program_ladder.yld"});
    CTavixDoc* ladder = Frame()->GetActiveDiagramDocument();
    ASSERT_NE(ladder, nullptr);
    ASSERT_TRUE(ladder->IsLadder());
    device.Device()->machineType = BYTE(ladder->m_nHardwareCode >> 8);
    const int docs = m_app->GetOpenDocumentCount();
    const int blocks = ladder->CountBlocks();

    Operation(DEVICE_OP_DOWNLOAD);
    EXPECT_TRUE(Logged(L"DownLoad Succeeds")) << Log();
    EXPECT_TRUE(Boxes().empty()) << ::testing::PrintToString(Boxes());
    EXPECT_EQ(device.Device()->lastEndResult, 1);
    EXPECT_GT(device.CountRequests(16), 80) << "area 0 and the instruction area were written";
    EXPECT_EQ(m_app->GetOpenDocumentCount(), docs) << "the converted copy is closed";
    EXPECT_EQ(Frame()->GetActiveDiagramDocument(), ladder);
    EXPECT_TRUE(ladder->IsLadder());
    EXPECT_EQ(ladder->CountBlocks(), blocks);
    EXPECT_TRUE(PortReleased());

    // A ladder the converter refuses (two coils on one output): nothing opens, nothing is sent.
    CBlockObj* coil = nullptr;
    for (POSITION pos = ladder->m_blocks.GetHeadPosition(); pos && !coil;) {
        auto* b = static_cast<CBlockObj*>(ladder->m_blocks.GetNext(pos));
        if (b->m_nType == TYPE_COIL)
            coil = b;
    }
    ASSERT_NE(coil, nullptr);
    CBlockObj* twin = NewBlockOfType(TYPE_COIL);
    twin->m_ptOrigin = CPoint(coil->m_ptOrigin.x, coil->m_ptOrigin.y + 200);
    ASSERT_TRUE(ladder->AddBlock(twin));
    twin->m_nOperand = coil->m_nOperand;  // numbering gave it the next output
    ladder->SetModifiedFlag(FALSE);
    const int withTwin = ladder->CountBlocks();
    const std::size_t requests = device.Requests().size();
    m_drv.Host().ClearMessageBoxes();

    Operation(DEVICE_OP_DOWNLOAD);
    EXPECT_EQ(device.Requests().size(), requests) << "no frame";
    EXPECT_FALSE(Boxes().empty()) << "the refusal is told";
    EXPECT_EQ(m_app->GetOpenDocumentCount(), docs);
    EXPECT_EQ(Frame()->GetActiveDiagramDocument(), ladder);
    EXPECT_EQ(ladder->CountBlocks(), withTwin);
    EXPECT_FALSE(ladder->IsModified());
    EXPECT_TRUE(PortReleased());
    EXPECT_EQ(Frame()->m_nComPort, kPort);
}

TEST_F(DeviceProgramTest, DeviceDialogsOpenAtTheirPlacesOnTheScreen)
{
    // Each dialog keeps its size and opens by the screen's middle, never at its top-left corner
    // over the menu bar.
    Start({});
    HDC screen = ::GetDC(nullptr);
    const int cx = ::GetDeviceCaps(screen, HORZRES), cy = ::GetDeviceCaps(screen, VERTRES);
    ::ReleaseDC(nullptr, screen);
    ASSERT_GT(cx, 400);
    ASSERT_GT(cy, 300);
    CDeviceDispatcher& d = Frame()->DeviceDispatcher();
    const struct {
        const char* name;
        int op;
        BYTE machine;  // the model the exchange is for
        std::function<CWnd&()> dialog;
        CPoint topLeft;
    } cases[] = {
        {"clock", DEVICE_OP_CLOCK, 0x52, [&]() -> CWnd& { return d.ClockDialog(); }, {cx / 2 - 100, cy / 2 - 100}},
        {"summer/winter time", DEVICE_OP_SUMMER_READ, 0x52, [&]() -> CWnd& { return d.SummerDialog(); },
         {cx / 2 - 100, cy / 2 - 100}},
        {"WiFi", DEVICE_OP_WIFI_READ, 0x52, [&]() -> CWnd& { return d.WifiDialog(); }, {cx / 2 - 100, cy / 6}},
        {"remote WiFi", DEVICE_OP_REMOTE_READ, 0x32, [&]() -> CWnd& { return d.RemoteDialog(); }, {cx / 2 - 100, cy / 6}},
        {"progress", DEVICE_OP_PROGRESS, 0x52, [&]() -> CWnd& { return d.ProgressDialog(); }, {cx / 2 - 150, cy / 2 - 60}},
    };
    for (const auto& c : cases) {
        device.Device()->machineType = c.machine;
        Operation(c.op);
        CWnd& dlg = c.dialog();
        ASSERT_NE(dlg.m_hWnd, nullptr) << c.name << Log();
        CRect r;
        dlg.GetWindowRect(&r);
        EXPECT_EQ(r.TopLeft(), c.topLeft) << c.name;
        EXPECT_GT(r.Width(), 50) << c.name;
        dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
        m_drv.Pump();
    }
}
