// The device dialogs driven headless: typed values are clamped or refused with their messages,
// and each dialog is photographed in English and in Chinese.
#include "comm/DeviceDialogs.h"
#include "pages/DateSelectDlg.h"
#include "tests/support/BesideTheTests.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/controls/CtlStd.h"
#include "resources/Resources.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class DeviceDialogTest : public ::testing::Test {
protected:
    void TearDown() override { SetResourceLanguage(kLangIdEnglish); }

    // Focuses a field, empties it and types into it.
    void TypeInto(CDialog& dlg, int id, const std::wstring& text)
    {
        CWnd* field = dlg.GetDlgItem(id);
        ASSERT_NE(field, nullptr) << id;
        field->SetFocus();
        // What is typed replaces the whole text, as after a double click.
        field->SendMessage(EM_SETSEL, 0, -1);
        if (text.empty())
            m_drv.Key(VK_DELETE);
        m_drv.Type(text);
        m_drv.Pump();
    }
    std::wstring FieldText(CDialog& dlg, int id)
    {
        CString text;
        dlg.GetDlgItemText(id, text);
        return std::wstring(LPCTSTR(text));
    }
    // A notification of a control to its dialog, as the control sends it.
    void Notify(CDialog& dlg, int id, UINT code)
    {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), WORD(code)),
                        reinterpret_cast<LPARAM>(dlg.GetDlgItem(id)->m_hWnd));
        m_drv.Pump();
    }
    std::vector<std::wstring> Boxes()
    {
        std::vector<std::wstring> texts;
        for (const auto& b : m_drv.Host().MessageBoxes())
            texts.push_back(b.text);
        m_drv.Host().ClearMessageBoxes();
        return texts;
    }
    static std::wstring Text(UINT id)
    {
        CString s;
        s.LoadString(id);
        return std::wstring(LPCTSTR(s));
    }
    void Click(CDialog& dlg, int id) { Notify(dlg, id, BN_CLICKED); }

    CHeadlessDriver m_drv;
};

} // namespace

TEST_F(DeviceDialogTest, ClockAndSummerTimeFieldsAreClampedWhileTyping)
{
    ClockSettings clock;
    CSetClockDlg clockDlg(clock);
    ASSERT_TRUE(clockDlg.Create(IDD_SET_CLOCK, nullptr));
    m_drv.Pump();
    struct Case { int id; const wchar_t* typed; const wchar_t* shown; };
    for (const Case& c : {Case{IDC_DEV_HOUR, L"75", L"23"}, Case{IDC_DEV_MINUTE, L"75", L"59"},
                          Case{IDC_DEV_SECOND, L"9", L"9"}, Case{IDC_DEV_HOUR, L"", L"0"}}) {
        TypeInto(clockDlg, c.id, c.typed);
        EXPECT_EQ(FieldText(clockDlg, c.id), std::wstring(c.shown)) << c.typed;
    }
    // Opening it again while it is open keeps what was typed.
    TypeInto(clockDlg, IDC_DEV_MINUTE, L"42");
    EXPECT_TRUE(clockDlg.m_hWnd != nullptr);
    clockDlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(clockDlg.m_hWnd, nullptr);

    SummerTimeSettings summer;
    summer.bActive = TRUE;
    summer.nPreset = SummerTimeSettings::kFreePreset;
    summer.nStartDay = 31;
    CSummerTimeDlg summerDlg(summer);
    ASSERT_TRUE(summerDlg.Create(IDD_SUMMER_TIME, nullptr));
    m_drv.Pump();
    EXPECT_TRUE(summerDlg.GetDlgItem(IDC_DEV_START_MONTH)->IsWindowEnabled());
    TypeInto(summerDlg, IDC_DEV_START_MONTH, L"2");
    EXPECT_EQ(FieldText(summerDlg, IDC_DEV_START_DAY), std::wstring(L"28"));
    for (const Case& c : {Case{IDC_DEV_START_DAY, L"30", L"28"}, Case{IDC_DEV_START_DAY, L"", L"1"}}) {
        TypeInto(summerDlg, c.id, c.typed);
        EXPECT_EQ(FieldText(summerDlg, c.id), std::wstring(c.shown)) << c.typed;
    }
    TypeInto(summerDlg, IDC_DEV_START_MONTH, L"13");
    EXPECT_EQ(FieldText(summerDlg, IDC_DEV_START_MONTH), std::wstring(L"12"));
    TypeInto(summerDlg, IDC_DEV_DIFFERENCE, L"200");
    EXPECT_EQ(FieldText(summerDlg, IDC_DEV_DIFFERENCE), std::wstring(L"180"));
    // Another preset: the free rule's fields are off.
    summerDlg.GetDlgItem(IDC_DEV_SUMMER_PRESET)->SendMessage(CB_SETCURSEL, 1);
    Notify(summerDlg, IDC_DEV_SUMMER_PRESET, CBN_SELCHANGE);
    EXPECT_FALSE(summerDlg.GetDlgItem(IDC_DEV_START_MONTH)->IsWindowEnabled());
    EXPECT_EQ(summer.nPreset, 1);
    summerDlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
}

// The "..." buttons open the calendar on the date in the edits; OK writes the chosen date back
// (start or end, February without its 29th), Cancel leaves the edits alone.
TEST_F(DeviceDialogTest, SummerTimeDatesArePickedFromTheCalendar)
{
    SummerTimeSettings summer;
    summer.bActive = TRUE;
    summer.nPreset = SummerTimeSettings::kFreePreset;
    summer.nStartMonth = 3, summer.nStartDay = 25;
    summer.nEndMonth = 10, summer.nEndDay = 28;
    CSummerTimeDlg dlg(summer);
    ASSERT_TRUE(dlg.Create(IDD_SUMMER_TIME, nullptr));
    m_drv.Pump();
    struct Case {
        int button;
        std::vector<int> clicks;  // month buttons as -m, day buttons as d
        bool ok;
        const wchar_t *opened, *month, *day, *otherMonth, *otherDay;
    };
    const Case cases[] = {
        {IDC_DEV_PICK_START, {-4, 7}, true, L"3.25", L"4", L"7", L"10", L"28"},
        {IDC_DEV_PICK_END, {30, -11}, true, L"10.28", L"11", L"30", L"4", L"7"},
        {IDC_DEV_PICK_START, {-1, 2}, false, L"4.7", L"4", L"7", L"11", L"30"},
        // 29 February cannot be OK'd: the calendar is left with Cancel.
        {IDC_DEV_PICK_END, {-2, 29}, false, L"11.30", L"11", L"30", L"4", L"7"},
    };
    for (const Case& c : cases) {
        const bool start = c.button == IDC_DEV_PICK_START;
        std::wstring opened;
        bool answered = false;
        m_drv.Host().QueueIdleStep([&] {
            CWnd* pCal = CWnd::GetActiveWindow();
            ASSERT_NE(pCal, nullptr);
            ASSERT_NE(pCal, &dlg);
            auto* pDates = dynamic_cast<CDateSelectDlg*>(pCal);
            ASSERT_NE(pDates, nullptr);
            EXPECT_EQ(pDates->m_bEditOn, start ? 1 : 0);
            EXPECT_EQ(pDates->m_bAllowFeb29, 0);
            const int month = start ? pDates->m_nOnMonth : pDates->m_nOffMonth;
            const int day = start ? pDates->m_nOnDay : pDates->m_nOffDay;
            opened = std::to_wstring(month) + L"." + std::to_wstring(day);
            for (int k : c.clicks) {
                const UINT id = k < 0 ? UINT(1321 - k) : UINT(1333 + k);
                pCal->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
            }
            const bool ok = c.ok && pCal->GetDlgItem(IDOK)->IsWindowEnabled();
            pCal->SendMessage(WM_COMMAND, MAKEWPARAM(ok ? IDOK : IDCANCEL, BN_CLICKED), 0);
            answered = true;
        });
        Click(dlg, c.button);
        ASSERT_TRUE(answered);
        EXPECT_EQ(opened, std::wstring(c.opened));
        const int m = start ? IDC_DEV_START_MONTH : IDC_DEV_END_MONTH;
        const int d = start ? IDC_DEV_START_DAY : IDC_DEV_END_DAY;
        const int om = start ? IDC_DEV_END_MONTH : IDC_DEV_START_MONTH;
        const int od = start ? IDC_DEV_END_DAY : IDC_DEV_START_DAY;
        EXPECT_EQ(FieldText(dlg, m), std::wstring(c.month)) << c.opened;
        EXPECT_EQ(FieldText(dlg, d), std::wstring(c.day)) << c.opened;
        EXPECT_EQ(FieldText(dlg, om), std::wstring(c.otherMonth)) << c.opened;
        EXPECT_EQ(FieldText(dlg, od), std::wstring(c.otherDay)) << c.opened;
    }
    // OK takes the picked dates into the record the device is sent.
    dlg.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(summer.nStartMonth, 4);
    EXPECT_EQ(summer.nStartDay, 7);
    EXPECT_EQ(summer.nEndMonth, 11);
    EXPECT_EQ(summer.nEndDay, 30);
}

TEST_F(DeviceDialogTest, WifiEntriesAreCheckedBeforeAnythingIsSent)
{
    WifiSettings wifi;
    CWifiSetupDlg dlg(wifi);
    ASSERT_TRUE(dlg.Create(IDD_WIFI_SETUP, nullptr));
    m_drv.Pump();
    // A character outside A-Z, a-z, 0-9 cuts the name before it.
    TypeInto(dlg, IDC_DEV_WIFI_SSID, L"ab-c");  // the c goes on behind the two letters
    EXPECT_EQ(FieldText(dlg, IDC_DEV_WIFI_SSID), std::wstring(L"abc"));
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{Text(IDS_DEV_CHARS_ALNUM)});

    auto chooseMode = [&](int mode) {
        dlg.GetDlgItem(IDC_DEV_WIFI_MODE)->SendMessage(CB_SETCURSEL, WPARAM(mode));
        Notify(dlg, IDC_DEV_WIFI_MODE, CBN_SELCHANGE);
    };
    struct Case { int mode; const wchar_t* id; const wchar_t* password; BOOL encrypt; std::wstring box; };
    CString range;
    range.Format(LPCTSTR(CString(Text(IDS_NUMBER_RANGE_INT).c_str())), 1, 7);
    const Case cases[] = {
        {1, L"8", L"", FALSE, Text(IDS_DEV_PLEASE_ENTER) + LPCTSTR(range)},
        {4, L"200", L"short", TRUE, Text(IDS_DEV_ENTER_EIGHT)},
    };
    for (const Case& c : cases) {
        chooseMode(c.mode);
        dlg.SetDlgItemText(IDC_DEV_WIFI_DEVICE_ID, c.id);
        dlg.SetDlgItemText(IDC_DEV_WIFI_PASSWORD, c.password);
        dlg.CheckDlgButton(IDC_DEV_WIFI_ENCRYPTION, c.encrypt);
        dlg.SendMessage(WM_COMMAND, IDOK, 0);
        m_drv.Pump();
        EXPECT_EQ(Boxes(), std::vector<std::wstring>{c.box}) << c.mode;
        ASSERT_NE(dlg.m_hWnd, nullptr) << "refused entries keep the window open";
    }
    // A name longer than 32 characters is refused by the exchange.
    dlg.SetDlgItemText(IDC_DEV_WIFI_SSID, CString(L'a', 33));
    dlg.SendMessage(WM_COMMAND, IDOK, 0);
    m_drv.Pump();
    EXPECT_EQ(Boxes().size(), 1u);
    ASSERT_NE(dlg.m_hWnd, nullptr);

    // Server forces the device ID to 0 and hides the address controls; Slave 200 passes.
    chooseMode(0);
    EXPECT_EQ(FieldText(dlg, IDC_DEV_WIFI_DEVICE_ID), std::wstring(L"0"));
    EXPECT_FALSE(dlg.GetDlgItem(IDC_DEV_WIFI_IP)->IsWindowVisible());
    chooseMode(4);
    dlg.SetDlgItemText(IDC_DEV_WIFI_SSID, L"Plant");
    dlg.SetDlgItemText(IDC_DEV_WIFI_DEVICE_ID, L"200");
    dlg.SetDlgItemText(IDC_DEV_WIFI_PASSWORD, L"longenough");
    dlg.SendMessage(WM_COMMAND, IDOK, 0);
    m_drv.Pump();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(wifi.nDeviceId, 200u);
    EXPECT_EQ(wifi.strSsid, CString(L"Plant"));
    EXPECT_EQ(wifi.nDeviceMode, 4);
}

TEST_F(DeviceDialogTest, RemoteWifiAndPasswordEntries)
{
    RemoteWifiSettings remote;
    CRemoteWifiSetupDlg dlg(remote);
    ASSERT_TRUE(dlg.Create(IDD_REMOTE_WIFI, nullptr));
    m_drv.Pump();
    TypeInto(dlg, IDC_DEV_REMOTE_KEY, L"327");
    EXPECT_EQ(FieldText(dlg, IDC_DEV_REMOTE_KEY), std::wstring(L"32"));
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{Text(IDS_DEV_CHARS_KEY)});
    struct Case { int id; const wchar_t* value; bool accepted; };
    for (const Case& c : {Case{IDC_DEV_WIFI_DEVICE_ID, L"8", false}, Case{IDC_DEV_WIFI_DEVICE_ID, L"0", false},
                          Case{IDC_DEV_REMOTE_LED_ON, L"5", false}, Case{IDC_DEV_REMOTE_LED_OFF, L"10000", false},
                          Case{IDC_DEV_REMOTE_LED_ON, L"9999", true}}) {
        dlg.SetDlgItemText(IDC_DEV_WIFI_DEVICE_ID, L"3");
        dlg.SetDlgItemText(IDC_DEV_REMOTE_LED_ON, L"10");
        dlg.SetDlgItemText(IDC_DEV_REMOTE_LED_OFF, L"10");
        dlg.SetDlgItemText(c.id, c.value);
        dlg.SendMessage(WM_COMMAND, IDOK, 0);
        m_drv.Pump();
        EXPECT_EQ(Boxes().empty(), c.accepted) << c.value;
        EXPECT_NE(dlg.m_hWnd, nullptr) << "OK keeps the window open";
    }
    EXPECT_EQ(remote.nLedOnTime, 9999);
    // "No" to the factory reset leaves the window open.
    m_drv.Host().QueueMessageBoxAnswer(IDNO);
    Click(dlg, IDC_DEV_FACTORY_RESET);
    EXPECT_NE(dlg.m_hWnd, nullptr);
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{Text(IDS_DEV_MAKE_SURE_RESET)});
    dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);

    CPasswordDlg password;
    m_drv.Host().QueueIdleStep([&] {
        CWnd* edit = password.GetDlgItem(IDC_DEV_PASSWORD_EDIT);
        edit->SetFocus();
        m_drv.Type(L"A1");
        m_drv.Pump();
        EXPECT_EQ(FieldText(password, IDC_DEV_PASSWORD_EDIT), std::wstring());
        edit->SetFocus();
        m_drv.Type(L"ABC");
        m_drv.Pump();
        password.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(password.DoModal(), IDOK);
    EXPECT_EQ(std::wstring(LPCTSTR(password.m_strPassword)), std::wstring(L"ABC"));
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{Text(IDS_PASSWORD_LETTERS)});
}

TEST_F(DeviceDialogTest, EveryDialogInEnglishAndChinese)
{
    for (LANGID language : {kLangIdEnglish, kLangIdChinese}) {
        SetResourceLanguage(language);
        ClockSettings clock;
        SummerTimeSettings summer;
        WifiSettings wifi;
        RemoteWifiSettings remote;
        CSetClockDlg clockDlg(clock);
        CSummerTimeDlg summerDlg(summer);
        CWifiSetupDlg wifiDlg(wifi);
        CRemoteWifiSetupDlg remoteDlg(remote);
        CTransferProgressDlg progressDlg;
        struct Shot { CDialog* dlg; UINT id; const char* name; };
        const Shot shots[] = {
            {&clockDlg, IDD_SET_CLOCK, "clock"},        {&summerDlg, IDD_SUMMER_TIME, "summer_time"},
            {&wifiDlg, IDD_WIFI_SETUP, "wifi"},         {&remoteDlg, IDD_REMOTE_WIFI, "remote_wifi"},
            {&progressDlg, IDD_TRANSFER_PROGRESS, "progress"},
        };
        const std::string suffix = language == kLangIdChinese ? "_zh.png" : "_en.png";
        for (const Shot& s : shots) {
            ASSERT_TRUE(s.dlg->Create(s.id, nullptr)) << s.name;
            m_drv.Pump();
            CRect r;
            s.dlg->GetClientRect(&r);
            EXPECT_GT(m_drv.DistinctColours(s.dlg->m_hWnd, r), 2) << s.name;
            EXPECT_TRUE(m_drv.SaveScreenshot(s.dlg->m_hWnd, BesideTheTests(std::string("device_dialog_") + s.name + suffix)));
            s.dlg->DestroyWindow();
        }
    }
}
