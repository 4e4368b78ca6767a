// The I/O status monitor polling the emulated device while the user watches, and the port
// selection dialog's link test. Both release the port on every way out. Pictures of them and of
// the password dialog in both languages.
#include "comm/DeviceDialogs.h"
#include "tests/support/BesideTheTests.h"
#include "comm/TransferEngine.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/controls/CtlStd.h"
#include "resources/Resources.h"
#include "resources/resource.h"
#include "tests/comm/PortFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using DF = DeviceEmulator::FaultKind;
constexpr int kPort = 3;

class MonitorTest : public ::testing::Test {
protected:
    void SetUp() override { device.ExportAs(kPort); }

    void Notify(CDialog& dlg, int id, UINT code)
    {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), WORD(code)),
                        reinterpret_cast<LPARAM>(dlg.GetDlgItem(id)->m_hWnd));
        m_drv.Pump();
    }
    void ChoosePort(CDialog& dlg, int id, const wchar_t* name)
    {
        CWnd* list = dlg.GetDlgItem(id);
        ASSERT_GE(int(list->SendMessage(CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(name))), 0);
        Notify(dlg, id, CBN_SELENDOK);
    }
    // One refresh period of the monitor's timer.
    void Tick(int seconds = 3)
    {
        m_drv.AdvanceClock(DWORD(seconds * 1000));
        m_drv.Pump();
    }
    static std::wstring Text(UINT id)
    {
        CString s;
        s.LoadString(id);
        return std::wstring(LPCTSTR(s));
    }
    bool PortReleased() const { return frame.m_hComPort == nullptr && !frame.m_bPortOpen; }

    DeviceEmulator device;
    CHeadlessDriver m_drv;
    RecordingFrame frame;
    CModBus codec;
};

} // namespace

TEST_F(MonitorTest, ShowsWhatTheDeviceChangesWhileItIsOpen)
{
    {
        auto d = device.Device();
        d->discretes[0] = 1;    // I0 of the main unit
        d->discretes[33] = 1;   // I1 of the first extension module
        d->coils[256 + 17] = 1; // Q1 of the first extension module
        d->inputs[500] = 0xFFFF;
        d->holding[303] = 7;    // day; hour, minute, second follow
        d->holding[304] = 13;
        d->holding[305] = 5;
        d->holding[306] = 9;
        d->coils[384 + 505] = 1;
        d->holding[596 + 511] = 42;
    }
    CIOStatus dlg(frame, codec);
    m_drv.Host().QueueIdleStep([&] {
        ChoosePort(dlg, IDC_DEV_IO_PORT, L"COM3");
        Notify(dlg, IDC_DEV_IO_CONNECT, BN_CLICKED);
        EXPECT_FALSE(dlg.GetDlgItem(IDC_DEV_IO_CONNECT)->IsWindowEnabled()) << "until the first poll";
        Tick();
        EXPECT_EQ(std::wstring(LPCTSTR(dlg.m_strTime)), L"13:5:9");
        EXPECT_EQ(dlg.CellText(1, 1), CString(L"1"));
        EXPECT_EQ(dlg.CellText(1, 2), CString(L"0"));
        EXPECT_EQ(dlg.CellText(2, 2), CString(L"1"));
        EXPECT_EQ(dlg.CellText(2, 34), CString(L"1"));
        EXPECT_EQ(dlg.CellText(1, 49), CString(L"65535"));
        EXPECT_FALSE(dlg.GetDlgItem(IDC_DEV_IO_PORT)->IsWindowEnabled());

        // The device changes an input; the next poll shows it.
        device.Device()->discretes[1] = 1;
        Tick();
        EXPECT_EQ(dlg.CellText(1, 2), CString(L"1"));

        // Flags and analog flags: rows of 100, the last row ending at 511.
        dlg.CheckRadioButton(IDC_DEV_IO_SHOW_IO, IDC_DEV_IO_SHOW_ANALOG_FLAGS, IDC_DEV_IO_SHOW_FLAGS);
        Notify(dlg, IDC_DEV_IO_SHOW_FLAGS, BN_CLICKED);
        const std::size_t before = device.Requests().size();
        Tick();
        const auto requests = device.Requests();
        ASSERT_EQ(requests.size(), before + 5) << "the clock and four requests of 128 flags";
        EXPECT_EQ(requests.back()[3] | (requests.back()[2] << 8), 768);
        EXPECT_EQ(dlg.CellText(6, 6), CString(L"1"));
        EXPECT_EQ(dlg.CellText(0, 100), CString(L"M99"));
        dlg.CheckRadioButton(IDC_DEV_IO_SHOW_IO, IDC_DEV_IO_SHOW_ANALOG_FLAGS, IDC_DEV_IO_SHOW_ANALOG_FLAGS);
        Notify(dlg, IDC_DEV_IO_SHOW_ANALOG_FLAGS, BN_CLICKED);
        Tick();
        EXPECT_EQ(dlg.CellText(6, 12), CString(L"42"));
        EXPECT_TRUE(dlg.CellText(6, 13).IsEmpty());
        EXPECT_FALSE(PortReleased());
        // The caption's close box ends it.
        m_drv.Close(dlg.m_hWnd);
    });
    dlg.DoModal();
    EXPECT_TRUE(PortReleased());
    EXPECT_EQ(codec.m_byAddress, 0);
}

// The grid as it opens: header and module labels, red text, light header colours, a colour per
// group of value columns, the header in Arial; the three range tips. Enter and Esc in a field
// or in the grid leave the monitor open.
TEST_F(MonitorTest, TheGridIsLaidOutAndEnterOrEscKeepsItOpen)
{
    CIOStatus dlg(frame, codec);
    m_drv.Host().QueueIdleStep([&] {
        const CGridCtrl& grid = dlg.Grid();
        EXPECT_EQ(grid.GetRowCount(), 9);
        EXPECT_EQ(grid.GetColumnCount(), 61);
        EXPECT_EQ(grid.GetFixedRowCount(), 1);
        EXPECT_EQ(grid.GetFixedColumnCount(), 1);
        EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE)->GetBackClr(), RGB(255, 255, 224));
        struct Label { int row, col; const wchar_t* text; };
        for (const Label& l : {Label{0, 0, L"Index"}, Label{0, 1, L"I0"}, Label{0, 32, L"I31"},
                               Label{0, 33, L"Q0"}, Label{0, 49, L" AI0  "}, Label{0, 60, L" AQ3  "},
                               Label{1, 0, L"Main"}, Label{2, 0, L"Ext1"}, Label{8, 0, L"Ext7"}})
            EXPECT_EQ(dlg.CellText(l.row, l.col), CString(l.text)) << l.row << "," << l.col;
        // Value columns: I, Q, AI and AQ each in their own colour; every text red.
        struct Column { int col; COLORREF back; };
        for (const Column& c : {Column{1, 0xFFFF80}, Column{32, 0xFFFF80}, Column{33, 0x80FF00},
                                Column{48, 0x80FF00}, Column{49, 0xFF8080}, Column{56, 0xFF8080},
                                Column{57, 0x0080FF}, Column{60, 0x0080FF}}) {
            EXPECT_EQ(grid.GetCell(5, c.col)->GetBackClr(), c.back) << c.col;
            EXPECT_EQ(grid.GetCell(5, c.col)->GetTextClr(), COLORREF(0x0000FF)) << c.col;
        }
        const COLORREF header = grid.GetCell(0, 7)->GetBackClr();
        for (int shift : {0, 8, 16})
            EXPECT_GE((header >> shift) & 0xFF, 128u) << "a light colour";
        EXPECT_EQ(grid.GetCell(4, 0)->GetBackClr(), header);
        EXPECT_EQ(grid.GetCell(0, 7)->GetTextClr(), COLORREF(0x0000FF));
        EXPECT_EQ(std::wstring(grid.GetCell(0, 7)->GetFont()->lfFaceName), L"Arial");
        EXPECT_EQ(dlg.ToolTip().GetToolCount(), 3);

        // The flag view: two colours, the header and labels in a new light colour.
        dlg.CheckRadioButton(IDC_DEV_IO_SHOW_IO, IDC_DEV_IO_SHOW_ANALOG_FLAGS, IDC_DEV_IO_SHOW_FLAGS);
        Notify(dlg, IDC_DEV_IO_SHOW_FLAGS, BN_CLICKED);
        EXPECT_EQ(grid.GetColumnCount(), 101);
        EXPECT_EQ(grid.GetCell(3, 50)->GetBackClr(), COLORREF(0xFFFF80));
        EXPECT_EQ(grid.GetCell(3, 51)->GetBackClr(), COLORREF(0x80FF00));
        EXPECT_EQ(dlg.CellText(6, 0), CString(L"500-511"));
        dlg.CheckRadioButton(IDC_DEV_IO_SHOW_IO, IDC_DEV_IO_SHOW_ANALOG_FLAGS, IDC_DEV_IO_SHOW_IO);
        Notify(dlg, IDC_DEV_IO_SHOW_IO, BN_CLICKED);
        EXPECT_EQ(dlg.CellText(2, 0), CString(L"Ext 1"));

        for (int id : {IDC_DEV_IO_ADDRESS, IDC_DEV_IO_GRID, IDC_DEV_IO_PORT}) {
            dlg.GetDlgItem(id)->SetFocus();
            for (UINT key : {UINT(VK_RETURN), UINT(VK_ESCAPE)}) {
                m_drv.Key(key);
                m_drv.Pump();
                EXPECT_TRUE(dlg.ContinueModal()) << id << " " << key;
            }
        }
        dlg.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(MonitorTest, AFailedPollStopsAndSaysSo)
{
    frame.clockStep = 200;
    CIOStatus dlg(frame, codec);
    m_drv.Host().QueueIdleStep([&] {
        ChoosePort(dlg, IDC_DEV_IO_PORT, L"COM3");
        dlg.SetDlgItemText(IDC_DEV_IO_ADDRESS, L"300");
        EXPECT_EQ(dlg.CellText(0, 0), CString(L"Index"));
        CString address;
        dlg.GetDlgItemText(IDC_DEV_IO_ADDRESS, address);
        EXPECT_EQ(address, CString(L"255"));
        dlg.SetDlgItemText(IDC_DEV_IO_ADDRESS, L"1");  // the emulator's own address
        device.AddFault(DeviceEmulator::Fault(DF::Silence, 0, 2));
        Notify(dlg, IDC_DEV_IO_CONNECT, BN_CLICKED);
        Tick();
        EXPECT_TRUE(PortReleased());
        EXPECT_TRUE(dlg.GetDlgItem(IDC_DEV_IO_PORT)->IsWindowEnabled());
        EXPECT_EQ(device.CountRequests(2), 3) << "a request and two resends";
        dlg.SendMessage(WM_COMMAND, IDOK, 0);
    });
    dlg.DoModal();
    ASSERT_FALSE(frame.boxes.empty());
    EXPECT_EQ(frame.boxes.back().first, Text(IDS_CHECK_CABLE));
    EXPECT_NE(std::find(frame.lines.begin(), frame.lines.end(), L"TimeOut!\n"), frame.lines.end());
    const auto requests = device.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.front()[0], 1) << "the polls carry the dialog's address";
    EXPECT_TRUE(PortReleased());
}

TEST_F(MonitorTest, PortSelectionTestsTheLinkAndKeepsThePortOnClose)
{
    frame.clockStep = 200;
    CTransferEngine engine(frame);
    CComConfigDlg dlg(engine);
    dlg.m_nPort = kPort;
    m_drv.Host().QueueIdleStep([&] {
        CString chosen;
        dlg.GetDlgItemText(IDC_DEV_PORT_LIST, chosen);
        EXPECT_EQ(chosen.Left(4), CString(L"COM3"));
        Notify(dlg, IDC_DEV_AUTO_DETECT, BN_CLICKED);
        EXPECT_TRUE(m_drv.Host().MessageBoxes().empty()) << "the device answered";
        device.AddFault(DeviceEmulator::Fault(DF::Silence, 0, 101));
        Notify(dlg, IDC_DEV_AUTO_DETECT, BN_CLICKED);
        ASSERT_EQ(m_drv.Host().MessageBoxes().size(), 1u);
        EXPECT_EQ(m_drv.Host().MessageBoxes()[0].text, Text(IDS_CHECK_CABLE));
        EXPECT_TRUE(dlg.GetDlgItem(IDC_DEV_AUTO_DETECT)->IsWindowEnabled());
        EXPECT_TRUE(PortReleased());
        m_drv.Close(dlg.m_hWnd);
    });
    EXPECT_NE(dlg.DoModal(), IDOK);
    EXPECT_EQ(device.CountRequests(101), 2);

    // A port that does not open has not answered.
    ::setenv("TAVIX_COM7", "/dev/null/no-such-port", 1);
    UINT error = 0;
    EXPECT_EQ(engine.ProbePort(&error, 0, 7), 0);
    ::unsetenv("TAVIX_COM7");
    EXPECT_EQ(frame.m_nComPort, 0) << "the frame's port is as it was";
}

TEST_F(MonitorTest, PortSelectionMonitorAndPasswordInEnglishAndChinese)
{
    CTransferEngine engine(frame);
    for (LANGID language : {kLangIdEnglish, kLangIdChinese}) {
        SetResourceLanguage(language);
        CComConfigDlg portDlg(engine);
        portDlg.m_nPort = kPort;
        CIOStatus monitorDlg(frame, codec);
        CPasswordDlg passwordDlg;
        struct Shot { CDialog* dlg; UINT id; const char* name; };
        const Shot shots[] = {
            {&portDlg, IDD_COM_CONFIG, "port"},
            {&monitorDlg, IDD_IO_STATUS, "io_status"},
            {&passwordDlg, IDD_PASSWORD, "password"},
        };
        const std::string suffix = language == kLangIdChinese ? "_zh.png" : "_en.png";
        for (const Shot& s : shots) {
            ASSERT_TRUE(s.dlg->Create(s.id, nullptr)) << s.name;
            s.dlg->ShowWindow(SW_SHOW);  // modal dialogs are shown by DoModal
            m_drv.Pump();
            CRect r;
            s.dlg->GetClientRect(&r);
            EXPECT_GT(m_drv.DistinctColours(s.dlg->m_hWnd, r), 2) << s.name;
            EXPECT_TRUE(m_drv.SaveScreenshot(s.dlg->m_hWnd, BesideTheTests(std::string("device_dialog_") + s.name + suffix)));
            s.dlg->DestroyWindow();
            m_drv.Pump();
        }
        EXPECT_TRUE(PortReleased()) << "showing the monitor opens no port";
    }
    SetResourceLanguage(kLangIdEnglish);
}

// Every way a poll can fail, in the clock read (function 3) or in the reads of the I/O areas
// (function 2): the monitor stops polling, says so, and the port is closed.
TEST_F(MonitorTest, EveryFaultOfAPollStopsItAndReleasesThePort)
{
    frame.clockStep = 200;
    struct Case {
        const char* name;
        DeviceEmulator::Fault fault;
        std::wstring line;  // a line the log must hold
    };
    const Case cases[] = {
        {"clock bad CRC", DeviceEmulator::Fault(DF::BadCrc, 0, 3), L"Check Sum Error!\n"},
        {"clock exception", DeviceEmulator::Fault(DF::Exception, 2, 3), L"ILLIGAL DATA ADDRESS"},
        {"clock wrong address", DeviceEmulator::Fault(DF::WrongAddress, 0, 3), L"Device ID Error!\n"},
        {"inputs bad CRC", DeviceEmulator::Fault(DF::BadCrc, 0, 2), L"Check Sum Error!\nRead Data Error!\n"},
        {"cable pulled", DeviceEmulator::Fault(DF::HangUp, 2, 2), L"Read Data Error!\nConnection Error!\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        device.ClearFaults();
        frame.lines.clear();
        frame.boxes.clear();
        CIOStatus dlg(frame, codec);
        m_drv.Host().QueueIdleStep([&] {
            ChoosePort(dlg, IDC_DEV_IO_PORT, L"COM3");
            dlg.SetDlgItemText(IDC_DEV_IO_ADDRESS, L"1");
            device.AddFault(c.fault);
            Notify(dlg, IDC_DEV_IO_CONNECT, BN_CLICKED);
            Tick();
            EXPECT_TRUE(PortReleased());
            EXPECT_TRUE(dlg.GetDlgItem(IDC_DEV_IO_PORT)->IsWindowEnabled()) << "the settings can be changed again";
            EXPECT_TRUE(dlg.GetDlgItem(IDC_DEV_IO_CONNECT)->IsWindowEnabled()) << "Connect can be tried again";
            Tick();
            m_drv.Close(dlg.m_hWnd);
        });
        dlg.DoModal();
        EXPECT_TRUE(PortReleased());
        ASSERT_EQ(frame.boxes.size(), 1u) << "one message, and no further polls";
        EXPECT_EQ(frame.boxes[0].first, Text(IDS_CHECK_CABLE));
        std::wstring log;
        for (const auto& line : frame.lines)
            log += line;
        EXPECT_NE(log.find(c.line), std::wstring::npos) << log;
    }
}

// A port that does not open: the monitor says so, and the user can change the settings and
// press Connect again at once; no poll runs on the closed port.
TEST_F(MonitorTest, ConnectCanBePressedAgainAfterThePortFailedToOpen)
{
    ::setenv("TAVIX_COM7", "/nonexistent/tavix-port", 1);
    CIOStatus dlg(frame, codec);
    m_drv.Host().QueueIdleStep([&] {
        ChoosePort(dlg, IDC_DEV_IO_PORT, L"COM7");
        Notify(dlg, IDC_DEV_IO_CONNECT, BN_CLICKED);
        EXPECT_TRUE(std::any_of(frame.boxes.begin(), frame.boxes.end(), [](const auto& b) {
            return b.first == L"COM7 fail to open, Please check!";
        }));
        EXPECT_TRUE(dlg.GetDlgItem(IDC_DEV_IO_CONNECT)->IsWindowEnabled());
        const std::size_t boxes = frame.boxes.size();
        Tick();
        EXPECT_EQ(frame.boxes.size(), boxes) << "no poll, no cable message";
        EXPECT_TRUE(dlg.GetDlgItem(IDC_DEV_IO_PORT)->IsWindowEnabled());
        CString caption;
        dlg.GetDlgItemText(IDC_DEV_IO_CONNECT, caption);
        EXPECT_EQ(caption, CString(L"Connect"));
        // The device's own port now: the second Connect reaches it.
        ChoosePort(dlg, IDC_DEV_IO_PORT, L"COM3");
        Notify(dlg, IDC_DEV_IO_CONNECT, BN_CLICKED);
        Tick();
        dlg.GetDlgItemText(IDC_DEV_IO_CONNECT, caption);
        EXPECT_EQ(caption, CString(L"Disconnect"));
        EXPECT_TRUE(dlg.GetDlgItem(IDC_DEV_IO_CONNECT)->IsWindowEnabled());
        m_drv.Close(dlg.m_hWnd);
    });
    dlg.DoModal();
    ::unsetenv("TAVIX_COM7");
    EXPECT_TRUE(PortReleased());
}
