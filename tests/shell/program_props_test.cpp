// The program properties sheet driven headless on real programs: every field of every page
// reaches the saved file and the compiled device image; OK is one undo step and marks the
// program modified; Cancel changes nothing; a refused value names its field and keeps the user
// on the page; the pages follow the program's model.
#include "document/TavixDoc.h"
#include "tests/support/BesideTheTests.h"
#include "elements/BlockFactory.h"
#include "elements/BlockModbus.h"
#include "elements/BlockObj.h"
#include "image/ImageLayout.h"
#include "image/TavixCoreRule.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/controls/CtlViewClasses.h"
#include "resources/Resources.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"
#include "shell/ProgramPropsSheet.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// An ASCII text as bytes (paths and names of these tests are ASCII).
std::string Narrow(const CString& s)
{
    std::string out;
    for (const wchar_t* p = s.GetString(); *p; ++p)
        out += char(*p);
    return out;
}

const CString kFixtures = CString(TAVIX_SOURCE_DIR) + L"/tests/fixtures/";

CPropertiesPropSh* ActiveSheet()
{
    return dynamic_cast<CPropertiesPropSh*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
}

// The window of page i, shown first.
HWND Show(CPropertiesPropSh& s, int i)
{
    EXPECT_TRUE(s.SetActivePage(i)) << "page " << i;
    return s.GetPage(i)->m_hWnd;
}

void SetText(HWND page, int id, const wchar_t* text) { ::SetWindowTextW(::GetDlgItem(page, id), text); }

std::wstring Text(HWND page, int id)
{
    wchar_t buf[512] = {};
    ::GetWindowTextW(::GetDlgItem(page, id), buf, 511);
    return buf;
}

void Choose(HWND page, int id, int index)
{
    ::SendMessageW(::GetDlgItem(page, id), CB_SETCURSEL, WPARAM(index), 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(::GetDlgItem(page, id)));
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), LPARAM(::GetDlgItem(page, id)));
}

int Selected(HWND page, int id) { return int(::SendMessageW(::GetDlgItem(page, id), CB_GETCURSEL, 0, 0)); }
int Count(HWND page, int id) { return int(::SendMessageW(::GetDlgItem(page, id), CB_GETCOUNT, 0, 0)); }

std::wstring EntryText(HWND page, int id, int index)
{
    wchar_t buf[64] = {};
    ::SendMessageW(::GetDlgItem(page, id), CB_GETLBTEXT, WPARAM(index), LPARAM(buf));
    return buf;
}

void Check(HWND page, int id, bool on)
{
    ::SendMessageW(::GetDlgItem(page, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(page, id)));
}

void Press(HWND page, int id)
{
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(page, id)));
}

bool Visible(HWND page, int id) { return ::IsWindowVisible(::GetDlgItem(page, id)) != FALSE; }

Bytes SavedBytes(CTavixDoc& doc, const CString& path)
{
    EXPECT_TRUE(doc.OnSaveDocument(path));
    Bytes bytes;
    if (FILE* f = std::fopen(Narrow(path).c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF)
            bytes.push_back(BYTE(c));
        std::fclose(f);
    }
    return bytes;
}

// A 108 x 64 one-bit logo file, colour 1 black, with its top-left pixel black.
Bytes LogoFile()
{
    const int rowBytes = 16;
    Bytes b(62 + rowBytes * 64, 0);
    b[0] = 'B';
    b[1] = 'M';
    b[2] = BYTE(b.size());
    b[3] = BYTE(b.size() >> 8);
    b[10] = 62;
    b[14] = 40;
    b[18] = 108;
    b[22] = 64;
    b[26] = 1;
    b[28] = 1;
    b[54] = b[55] = b[56] = 255;  // colour 0 white, colour 1 black
    b[62 + 63 * rowBytes] = 0x80;  // the top row is stored last
    return b;
}

class ProgramPropsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_nLanguage = 0;
        g_bShowPropertiesAtNew = 1;
        g_wHardwareCode = 0x5188;
        char tmpl[] = "/tmp/proppropsXXXXXX";
        m_dir = ::mkdtemp(tmpl);
        m_doc = std::make_unique<CTavixDoc>();
        ASSERT_TRUE(m_doc->OnOpenDocument(kFixtures + L"program_fbd.yfb"));
        m_doc->SetModifiedFlag(FALSE);
    }
    void TearDown() override
    {
        m_doc.reset();
        SetResourceLanguage(kLangIdEnglish);
        g_nLanguage = 0;
        g_bShowPropertiesAtNew = 1;
        g_wHardwareCode = 0x5188;
        const std::string cmd = "rm -rf '" + m_dir + "'";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }
    CString Temp(const char* name) const { return CString((m_dir + "/" + name).c_str()); }

    // Queues a step that runs on the open sheet.
    void Step(std::function<void(CPropertiesPropSh&)> f)
    {
        m_drv.Host().QueueIdleStep([f] {
            CPropertiesPropSh* s = ActiveSheet();
            ASSERT_NE(s, nullptr) << "the Properties sheet is not the active window";
            f(*s);
        });
    }
    // A step inside a dialog the sheet opened.
    void DialogStep(std::function<void(HWND)> f)
    {
        m_drv.Host().QueueIdleStep([f] { f(::GetActiveWindow()); });
    }
    INT_PTR Run(int start = CPropertiesPropSh::startGeneral)
    {
        return RunProgramProperties(m_doc.get(), nullptr, start);
    }
    std::wstring LastMessage()
    {
        const auto& boxes = m_drv.Host().MessageBoxes();
        return boxes.empty() ? std::wstring() : boxes.back().text;
    }

    CHeadlessDriver m_drv;
    std::unique_ptr<CTavixDoc> m_doc;
    std::string m_dir;
};

TEST_F(ProgramPropsTest, EveryFieldReachesTheSavedFileAndTheDeviceImage)
{
    ASSERT_TRUE(m_doc->IsNewModel());
    m_doc->m_strPassword = L"OLD";
    m_doc->m_fv.SetSize(32);
    for (int i = 0; i < 32; ++i)
        m_doc->m_fv[i] = i * 0.25;  // the fixture holds a value the dialog refuses
    const CString logo = Temp("logo.bmp");
    {
        const Bytes b = LogoFile();
        FILE* f = std::fopen(Narrow(logo).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    }
    const int undoBefore = m_doc->m_undo.GetCurrent();

    Step([](CPropertiesPropSh& s) {
        HWND g = Show(s, CPropertiesPropSh::pageGeneral);
        const int ids[] = {IDC_PP_CREATOR, IDC_PP_PROJECT,  IDC_PP_INSTALLATION, IDC_PP_CUSTOMER, IDC_PP_DIAGRAM_NO,
                           IDC_PP_CHECKED, IDC_PP_VERSION1, IDC_PP_VERSION2,     IDC_PP_VERSION3};
        const wchar_t* texts[] = {L"Ann", L"Pumps", L"Hall 2", L"Acme", L"D-17", L"Bob", L"1", L"2", L"3"};
        for (int i = 0; i < 9; ++i)
            SetText(g, ids[i], texts[i]);
        Check(g, IDC_PP_SHOW_AT_NEW, false);

        SetText(Show(s, CPropertiesPropSh::pageComment), IDC_PP_COMMENT_EDIT, L"Two pumps, one alarm");

        HWND p = Show(s, CPropertiesPropSh::pageParameter);
        SetText(p, IDC_PP_PROGRAM_NAME, L"PUMP7");
        SetText(p, IDC_PP_PASSWORD, L"OLD");
        SetText(p, IDC_PP_NEW_PASSWORD, L"NEWPW");
        SetText(p, IDC_PP_REPEAT_PASSWORD, L"NEWPW");
        Choose(p, IDC_PP_REDUNDANCY, 1);
        SetText(p, IDC_PP_SYNC_TIME, L"7000");
        Choose(p, IDC_PP_AI0_RANGE, 1);
        Choose(p, IDC_PP_AI1_RANGE, 1);
        Check(p, IDC_PP_KEEP_LAST_AQ, false);
        Press(p, IDC_PP_AQ_RANGE_TYPES);  // the dialog's steps follow
        Press(p, IDC_PP_AQ_FIXED_VALUES);
    });
    DialogStep([](HWND dlg) {
        ::SendMessageW(::GetDlgItem(dlg, IDC_PP_AQ_RANGE_FIRST + 5), CB_SETCURSEL, 1, 0);  // Ext.1 AQ1
        ::SendMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    DialogStep([](HWND dlg) {
        SetText(dlg, IDC_PP_AQ_VALUE_FIRST + 1, L"2.5");  // Main AQ1
        ::SendMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    Step([&logo](CPropertiesPropSh& s) {
        HWND p = Show(s, CPropertiesPropSh::pageProtect);
        Check(p, IDC_PP_COPY_PROTECT, true);
        SetText(p, IDC_PP_TEMP_HIGH, L"70");
        SetText(p, IDC_PP_TEMP_LOW, L"-25");

        HWND c0 = Show(s, CPropertiesPropSh::pageCom0);
        Choose(c0, IDC_PP_COM_MODE, CComSetting::modeMaster);
        Choose(c0, IDC_PP_COM_PROTOCOL, CComSetting::protoAsc);
        Choose(c0, IDC_PP_COM_PARITY, 3);  // "Odd,7,2"
        Choose(c0, IDC_PP_COM_BAUD, 10);   // 230400
        SetText(c0, IDC_PP_COM_TIMEOUT, L"500");
        SetText(c0, IDC_PP_COM_POLL_DELAY, L"20");
        Choose(c0, IDC_PP_COM_REGISTER_INDEX, 1);
        HWND c1 = Show(s, CPropertiesPropSh::pageCom1);
        Choose(c1, IDC_PP_COM_MODE, CComSetting::modeSlave);
        SetText(c1, IDC_PP_COM_ADDRESS, L"17");
        Choose(Show(s, CPropertiesPropSh::pageCom2), IDC_PP_COM_MODE, CComSetting::modeAtp);

        HWND l = Show(s, CPropertiesPropSh::pageLogo);
        SetText(l, IDC_PP_LOGO_PATH, logo);
        Check(l, IDC_PP_LOGO_INVERSE, true);
        Choose(l, IDC_PP_DISPLAY_LANGUAGE, 2);
        Choose(l, IDC_PP_LOGO_TIME, 3);
        Choose(l, IDC_PP_CONTRAST, 5);
        Choose(l, IDC_PP_BACKLIGHT, 1);
        Show(s, CPropertiesPropSh::pageHardware);
        s.PressButton(PSBTN_OK);
    });
    ASSERT_EQ(Run(), IDOK);
    EXPECT_TRUE(m_drv.Host().MessageBoxes().empty()) << LastMessage().c_str();
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_EQ(m_doc->m_undo.GetCurrent(), undoBefore + 1);
    EXPECT_EQ(g_bShowPropertiesAtNew, 0);

    // The saved file holds every value.
    SavedBytes(*m_doc, Temp("saved.yfb"));
    CTavixDoc back;
    ASSERT_TRUE(back.OnOpenDocument(Temp("saved.yfb")));
    EXPECT_EQ(back.m_strCreator, L"Ann");
    EXPECT_EQ(back.m_strProject, L"Pumps");
    EXPECT_EQ(back.m_strInstallation, L"Hall 2");
    EXPECT_EQ(back.m_strCustomer, L"Acme");
    EXPECT_EQ(back.m_strDiagramNo, L"D-17");
    EXPECT_EQ(back.m_strChecked, L"Bob");
    EXPECT_EQ(back.m_strVersion1 + back.m_strVersion2 + back.m_strVersion3, L"123");
    EXPECT_FALSE(back.m_bShowPropertiesAtNew);
    EXPECT_EQ(back.m_strComment, L"Two pumps, one alarm");
    EXPECT_EQ(back.m_strProgramName, L"PUMP7");
    EXPECT_EQ(back.m_strPassword, L"NEWPW");
    EXPECT_EQ(back.m_nRedundancy, 1);
    EXPECT_EQ(back.m_nSyncTime, 7000);
    EXPECT_EQ(back.m_nAIRange0, 1);
    EXPECT_EQ(back.m_nAIRange1, 1);
    EXPECT_TRUE(back.m_bCopyProtect);
    EXPECT_EQ(back.m_nTempHigh, 70);
    EXPECT_EQ(back.m_nTempLow, -25);
    const int port0[11] = {1, 1, 1, 10, 3, 1, 0, 1, 500, 20, 1};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(back.m_port[0][i], port0[i]) << "port 0 field " << i;
    EXPECT_EQ(back.m_port[1][0], 0);
    EXPECT_EQ(back.m_port[1][2], 17);
    const int port2[11] = {2, 0, 0, 9, 0, 0, 1, 0, 200, 0, 0};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(back.m_port[2][i], port2[i]) << "port 2 field " << i;
    EXPECT_EQ(back.m_strLogoPath, logo);
    EXPECT_TRUE(back.m_bLogoInverse);
    EXPECT_EQ(back.m_nDisplayLanguage, 2);
    EXPECT_EQ(back.m_nLogoTime, 3);
    EXPECT_EQ(back.m_nContrast, 5);
    EXPECT_EQ(back.m_nBacklight, 1);
    EXPECT_FALSE(back.m_bKeepLastAQ);
    ASSERT_EQ(back.m_qt.GetSize(), 32);
    EXPECT_EQ(back.m_qt[5], 1);
    ASSERT_EQ(back.m_fv.GetSize(), 32);
    EXPECT_DOUBLE_EQ(back.m_fv[1], 2.5);

    // The device image carries them where the device reads them.
    CTavixCoreRule rule;
    rule.SetDocument(&back);
    ASSERT_TRUE(rule.AllocImageBuffers(CTavixCoreRule::modeDownload, 0));
    rule.CompileSystemPart1(&back);
    rule.CompileSystemPart2();
    EXPECT_EQ(Bytes(rule.SectionPtr("K"), rule.SectionPtr("K") + 5), Bytes({'P', 'U', 'M', 'P', '7'}));
    EXPECT_EQ(Bytes(rule.SectionPtr("L"), rule.SectionPtr("L") + 5), Bytes({'N', 'E', 'W', 'P', 'W'}));
    EXPECT_EQ(GetU16(rule.SectionPtr("PR")), 1u);
    EXPECT_EQ(Bytes(rule.SectionPtr("RD"), rule.SectionPtr("RD") + 6), Bytes({1, 0, 0x58, 0x1B, 0, 0}));
    EXPECT_EQ(GetU16(rule.SectionPtr("HT")), 70u);
    EXPECT_EQ(GetU16(rule.SectionPtr("LT")), 0xFFE7u);
    const BYTE* cm = rule.SectionPtr("CM");
    const unsigned cm0[11] = {1, 1, 1, 10, 1, 0, 1, 500, 20, 1, unsigned(back.m_port[0][11])};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(GetU16(cm + 2 * i), cm0[i]) << "port 0 word " << i;
    EXPECT_EQ(GetU16(cm + 2 * 22), 0u);  // ATP goes to the device as mode 0
    EXPECT_EQ(GetU16(rule.SectionPtr("KV")), 0u);
    EXPECT_EQ(rule.SectionPtr("QT")[5], 1);
    EXPECT_EQ(GetU16(rule.SectionPtr("FV") + 2), 250u);
    const BYTE* rv = rule.SectionPtr("RV");
    EXPECT_EQ(Bytes(rv + 6, rv + 10), Bytes({2, 3, 5 * 3 + 32, 1}));
    EXPECT_EQ(rv[16], 1);
    EXPECT_EQ(rv[17], 1);
    ASSERT_TRUE(CStartUpBmp::PutLogoIntoImage(back, rule.m_area0.data()));
    EXPECT_EQ(rule.m_area0[kLcLogo], 0xFE);  // the black top-left pixel, shown inversely
    EXPECT_EQ(GetU16(&rule.m_area0[kLcLogoFlag]), 1u);
}

TEST_F(ProgramPropsTest, CancelChangesNothingNotEvenTheAnalogOutputTables)
{
    const Bytes before = SavedBytes(*m_doc, Temp("before.yfb"));
    m_doc->SetModifiedFlag(FALSE);
    const int undoBefore = m_doc->m_undo.GetCurrent();
    Step([](CPropertiesPropSh& s) {
        SetText(Show(s, CPropertiesPropSh::pageGeneral), IDC_PP_CREATOR, L"Somebody");
        HWND p = Show(s, CPropertiesPropSh::pageParameter);
        SetText(p, IDC_PP_PROGRAM_NAME, L"OTHER");
        Press(p, IDC_PP_AQ_RANGE_TYPES);
    });
    DialogStep([](HWND dlg) {
        for (int i = 0; i < 32; ++i)
            ::SendMessageW(::GetDlgItem(dlg, IDC_PP_AQ_RANGE_FIRST + i), CB_SETCURSEL, 1, 0);
        ::SendMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    Step([](CPropertiesPropSh& s) {
        SetText(Show(s, CPropertiesPropSh::pageLogo), IDC_PP_LOGO_PATH, L"/tmp/other.bmp");
        s.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(m_doc->m_undo.GetCurrent(), undoBefore);
    EXPECT_EQ(SavedBytes(*m_doc, Temp("after.yfb")), before);

    // OK without a change is no undo step either.
    Step([](CPropertiesPropSh& s) { s.PressButton(PSBTN_OK); });
    m_doc->SetModifiedFlag(FALSE);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(m_doc->m_undo.GetCurrent(), undoBefore);
}

TEST_F(ProgramPropsTest, ARefusedValueNamesItsFieldAndKeepsTheUserOnThePage)
{
    const struct {
        int page;
        int id;
        const wchar_t* text;
        const wchar_t* message;
    } cases[] = {
        {CPropertiesPropSh::pageParameter, IDC_PP_SYNC_TIME, L"999",
         L"Synchronizing time: Please enter an integer between 1000 and 3600000."},
        {CPropertiesPropSh::pageParameter, IDC_PP_SYNC_TIME, L"5 s",
         L"Synchronizing time: Please enter an integer between 1000 and 3600000."},
        {CPropertiesPropSh::pageProtect, IDC_PP_TEMP_HIGH, L"-21",
         L"Temperature Protect point : Field High value must greater or equal than Field Low value!"},
        {CPropertiesPropSh::pageProtect, IDC_PP_TEMP_LOW, L"cold", L"Low: Please enter an integer between -32768 and 32767."},
        {CPropertiesPropSh::pageCom1, IDC_PP_COM_TIMEOUT, L"199", L"Timeout: Please enter an integer between 200 and 65535."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << " control " << c.id);
        m_drv.Host().ClearMessageBoxes();
        int stayed = -1;
        int focus = 0;
        Step([&](CPropertiesPropSh& s) {
            HWND page = Show(s, c.page);
            SetText(page, c.id, c.text);
            s.SetActivePage(CPropertiesPropSh::pageGeneral);
            stayed = s.GetActiveIndex();
            focus = ::GetDlgCtrlID(::GetFocus());
            s.PressButton(PSBTN_OK);  // refused again: the sheet stays open
            s.PressButton(PSBTN_CANCEL);
        });
        EXPECT_EQ(Run(), IDCANCEL);
        EXPECT_EQ(stayed, c.page);
        EXPECT_EQ(focus, c.page == CPropertiesPropSh::pageProtect && c.id == IDC_PP_TEMP_HIGH ? IDC_PP_TEMP_HIGH : c.id);
        ASSERT_GE(m_drv.Host().MessageBoxes().size(), 2u);
        EXPECT_EQ(m_drv.Host().MessageBoxes()[0].text, c.message);
    }
    EXPECT_EQ(m_doc->m_nSyncTime, 5000);
}

TEST_F(ProgramPropsTest, PasswordsAndProgramName)
{
    const struct {
        const wchar_t* program;  // the program's password before
        const wchar_t* current;
        const wchar_t* next;
        const wchar_t* repeat;
        const wchar_t* message;  // empty: accepted
        const wchar_t* result;
    } cases[] = {
        {L"", L"", L"ABC", L"ABC", L"", L"ABC"},                                 // a first password
        {L"ABC", L"ABC", L"XYZ", L"XYZ", L"", L"XYZ"},                           // changed
        {L"ABC", L"ABC", L"", L"", L"", L""},                                    // cleared
        {L"ABC", L"", L"", L"", L"", L"ABC"},                                    // left alone
        {L"ABC", L"ABD", L"XYZ", L"XYZ", L"The old password is wrong!", L"ABC"},
        {L"ABC", L"ABC", L"XYZ", L"XY", L"The new passwords are not identical!", L"ABC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "program password " << Narrow(c.program) << ", new "
                                        << Narrow(c.next));
        m_doc->m_strPassword = c.program;
        m_drv.Host().ClearMessageBoxes();
        bool currentEnabled = false;
        Step([&](CPropertiesPropSh& s) {
            HWND p = Show(s, CPropertiesPropSh::pageParameter);
            currentEnabled = ::IsWindowEnabled(::GetDlgItem(p, IDC_PP_PASSWORD)) != FALSE;
            SetText(p, IDC_PP_PASSWORD, c.current);
            SetText(p, IDC_PP_NEW_PASSWORD, c.next);
            SetText(p, IDC_PP_REPEAT_PASSWORD, c.repeat);
            s.PressButton(PSBTN_OK);
            if (::IsWindow(s.m_hWnd) && s.IsWindowVisible())
                s.PressButton(PSBTN_CANCEL);
        });
        Run();
        EXPECT_EQ(currentEnabled, *c.program != 0);
        EXPECT_EQ(LastMessage(), c.message);
        EXPECT_EQ(m_doc->m_strPassword, c.result);
    }

    // Typing cuts a password at its first character outside A-Z and a program name at its first
    // outside A-Z and 0-9.
    m_drv.Host().ClearMessageBoxes();
    std::wstring password, name;
    HWND page = nullptr;
    Step([&](CPropertiesPropSh& s) {
        page = Show(s, CPropertiesPropSh::pageParameter);
        ::SetFocus(::GetDlgItem(page, IDC_PP_NEW_PASSWORD));
        m_drv.Type(L"AbC");
    });
    Step([&](CPropertiesPropSh&) {
        password = Text(page, IDC_PP_NEW_PASSWORD);
        ::SetFocus(::GetDlgItem(page, IDC_PP_PROGRAM_NAME));
        ::SendMessageW(::GetDlgItem(page, IDC_PP_PROGRAM_NAME), EM_SETSEL, 0, -1);
        m_drv.Type(L"LINE2-A");
    });
    Step([&](CPropertiesPropSh& s) {
        name = Text(page, IDC_PP_PROGRAM_NAME);
        s.PressButton(PSBTN_CANCEL);
    });
    Run();
    EXPECT_EQ(password, L"A");
    EXPECT_EQ(name, L"LINE2");
    const auto& boxes = m_drv.Host().MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, L"Every character of the password must be A - Z");
    EXPECT_EQ(boxes[1].text, L"Every character of the password must be A - Z, 0 - 9");
}

TEST_F(ProgramPropsTest, FixedAnalogValuesAreAllCheckedWhenTheDialogCloses)
{
    m_doc->m_fv.SetSize(32);
    for (int i = 0; i < 32; ++i)
        m_doc->m_fv[i] = 0.0;
    m_doc->m_fv[21] = 10.5;  // as a program file may bring it
    std::wstring refused;
    bool stillOpen = false;
    Step([](CPropertiesPropSh& s) { Press(Show(s, CPropertiesPropSh::pageParameter), IDC_PP_AQ_FIXED_VALUES); });
    DialogStep([&](HWND dlg) {
        SetText(dlg, IDC_PP_AQ_VALUE_FIRST + 6, L"10.5");  // Ext.1 AQ2
        ::SendMessageW(dlg, WM_COMMAND, IDOK, 0);
        stillOpen = ::IsWindow(dlg) && ::IsWindowVisible(dlg);
        refused = ::GetDlgCtrlID(::GetFocus()) == IDC_PP_AQ_VALUE_FIRST + 6 ? L"focused" : L"";
        SetText(dlg, IDC_PP_AQ_VALUE_FIRST + 6, L"10");
        // The program brought 10.5 V for Ext.5 AQ1: refused as well.
        ::SendMessageW(dlg, WM_COMMAND, IDOK, 0);
        SetText(dlg, IDC_PP_AQ_VALUE_FIRST + 21, L"9.99");
        ::SendMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    Step([](CPropertiesPropSh& s) { s.PressButton(PSBTN_OK); });
    ASSERT_EQ(Run(), IDOK);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(refused, L"focused");
    ASSERT_FALSE(m_drv.Host().MessageBoxes().empty());
    ASSERT_EQ(m_drv.Host().MessageBoxes().size(), 2u);
    EXPECT_EQ(m_drv.Host().MessageBoxes()[0].text, L"Ext.1 AQ2: Please enter a number between 0.0 and 10.0.");
    EXPECT_EQ(m_drv.Host().MessageBoxes()[1].text, L"Ext.5 AQ1: Please enter a number between 0.0 and 10.0.");
    ASSERT_EQ(m_doc->m_fv.GetSize(), 32);
    EXPECT_DOUBLE_EQ(m_doc->m_fv[6], 10.0);
    EXPECT_DOUBLE_EQ(m_doc->m_fv[21], 9.99);
}

TEST_F(ProgramPropsTest, CommunicationPageFollowsModeProtocolAndModel)
{
    Step([](CPropertiesPropSh& s) {
        HWND c = Show(s, CPropertiesPropSh::pageCom0);
        Choose(c, IDC_PP_COM_MODE, CComSetting::modeSlave);
        EXPECT_EQ(Count(c, IDC_PP_COM_PROTOCOL), 2) << "no UDC for a slave";
        Choose(c, IDC_PP_COM_MODE, CComSetting::modeMaster);
        EXPECT_EQ(Count(c, IDC_PP_COM_PROTOCOL), 3);
        EXPECT_FALSE(Visible(c, IDC_PP_COM_ADDRESS));
        Choose(c, IDC_PP_COM_PROTOCOL, CComSetting::protoUdc);
        EXPECT_FALSE(Visible(c, IDC_PP_COM_REGISTER_INDEX));
        // ASC "Odd,7,1" back to RTU: "None,8,1", and the line settings follow.
        Choose(c, IDC_PP_COM_PROTOCOL, CComSetting::protoAsc);
        EXPECT_TRUE(Visible(c, IDC_PP_COM_REGISTER_INDEX));
        Choose(c, IDC_PP_COM_PARITY, 2);
        EXPECT_EQ(EntryText(c, IDC_PP_COM_PARITY, Selected(c, IDC_PP_COM_PARITY)), L"Odd,7,1");
        Choose(c, IDC_PP_COM_PROTOCOL, CComSetting::protoRtu);
        EXPECT_EQ(EntryText(c, IDC_PP_COM_PARITY, Selected(c, IDC_PP_COM_PARITY)), L"None,8,1");
        // ATP: nothing to edit; back to slave shows the forced values.
        Choose(c, IDC_PP_COM_MODE, CComSetting::modeAtp);
        for (int id : {IDC_PP_COM_ADDRESS, IDC_PP_COM_PROTOCOL, IDC_PP_COM_BAUD, IDC_PP_COM_PARITY, IDC_PP_COM_TIMEOUT,
                       IDC_PP_COM_POLL_DELAY, IDC_PP_COM_REGISTER_INDEX})
            EXPECT_FALSE(Visible(c, id)) << id;
        Choose(c, IDC_PP_COM_MODE, CComSetting::modeSlave);
        EXPECT_TRUE(Visible(c, IDC_PP_COM_ADDRESS));
        EXPECT_EQ(Text(c, IDC_PP_COM_ADDRESS), L"1");
        EXPECT_EQ(EntryText(c, IDC_PP_COM_BAUD, Selected(c, IDC_PP_COM_BAUD)), L"115200");
        EXPECT_EQ(Count(c, IDC_PP_COM_BAUD), 13);
        // Typing beyond the bounds puts the bound in.
        SetText(c, IDC_PP_COM_ADDRESS, L"300");
        EXPECT_EQ(Text(c, IDC_PP_COM_ADDRESS), L"255");
        SetText(c, IDC_PP_COM_POLL_DELAY, L"70000");
        EXPECT_EQ(Text(c, IDC_PP_COM_POLL_DELAY), L"65535");
        s.PressButton(PSBTN_CANCEL);
    });
    Run();
}

TEST_F(ProgramPropsTest, OlderModelsKeepTheSettingsTheyDoNotHave)
{
    m_doc->m_nHardwareCode = 0x1188;
    m_doc->m_nDisplayLanguage = 4;
    m_doc->m_nLogoTime = 2;
    m_doc->m_nContrast = 6;
    m_doc->m_nBacklight = 1;
    m_doc->m_port[1][3] = 11;
    Step([](CPropertiesPropSh& s) {
        HWND p = Show(s, CPropertiesPropSh::pageParameter);
        for (int id : {IDC_PP_KEEP_LAST_AQ, IDC_PP_AQ_FIXED_VALUES, IDC_PP_AQ_RANGE_TYPES, IDC_PP_AI0_RANGE,
                       IDC_PP_AI1_RANGE})
            EXPECT_FALSE(Visible(p, id)) << id;
        HWND l = Show(s, CPropertiesPropSh::pageLogo);
        EXPECT_FALSE(Visible(l, IDC_PP_DISPLAY_LANGUAGE));
        HWND c = Show(s, CPropertiesPropSh::pageCom1);
        EXPECT_EQ(Count(c, IDC_PP_COM_BAUD), 10);
        EXPECT_EQ(EntryText(c, IDC_PP_COM_BAUD, Count(c, IDC_PP_COM_BAUD) - 1), L"115200");
        s.PressButton(PSBTN_OK);
    });
    ASSERT_EQ(Run(), IDOK);
    EXPECT_EQ(m_doc->m_nDisplayLanguage, 4);
    EXPECT_EQ(m_doc->m_nLogoTime, 2);
    EXPECT_EQ(m_doc->m_nContrast, 6);
    EXPECT_EQ(m_doc->m_nBacklight, 1);
    EXPECT_EQ(m_doc->m_port[1][3], 3);  // a newer-family baud rate becomes 9600
}

TEST_F(ProgramPropsTest, HardwarePageKeepsOrMovesTheModelAndNamesWhatItCannotRun)
{
    // A program of the QX series opens on its model; OK changes nothing.
    std::wstring box;
    Step([&](CPropertiesPropSh& s) {
        EXPECT_EQ(s.GetActiveIndex(), CPropertiesPropSh::pageHardware);
        HWND h = s.GetActivePage()->m_hWnd;
        CTreeCtrl* tree = static_cast<CTreeCtrl*>(CWnd::FromHandle(::GetDlgItem(h, IDC_PP_HW_TREE)));
        HTREEITEM sel = tree->GetSelectedItem();
        EXPECT_EQ(tree->GetItemText(sel), CString(L"V2.XX"));
        box = Text(h, IDC_PP_HW_RESOURCES);
        s.PressButton(PSBTN_OK);
    });
    ASSERT_EQ(Run(CPropertiesPropSh::startHardware), IDOK);
    EXPECT_EQ(box.rfind(L"Known Blocks:\r\n", 0), 0u);
    EXPECT_EQ(m_doc->m_nHardwareCode, 0x5188);
    EXPECT_FALSE(m_doc->IsModified());

    // A 0x52 program with a WiFi block cannot move to V2.XX; it keeps its own model.
    m_doc->m_nHardwareCode = 0x5288;
    CBlockObj* wifi = NewBlockOfType(824);
    ASSERT_NE(wifi, nullptr);
    ASSERT_TRUE(m_doc->AddBlock(wifi));
    bool okEnabled = true;
    Step([&](CPropertiesPropSh& s) {
        HWND h = s.GetActivePage()->m_hWnd;
        CTreeCtrl* tree = static_cast<CTreeCtrl*>(CWnd::FromHandle(::GetDlgItem(h, IDC_PP_HW_TREE)));
        HTREEITEM own = tree->GetSelectedItem();
        EXPECT_EQ(tree->GetItemText(own), CString(L"Model 0x5288"));
        EXPECT_EQ(tree->GetItemText(tree->GetParentItem(own)), CString(L"Not QX Series"));
        HTREEITEM v2 = tree->GetChildItem(tree->GetRootItem());
        tree->SelectItem(v2);
        box = Text(h, IDC_PP_HW_RESOURCES);
        okEnabled = ::IsWindowEnabled(::GetDlgItem(s.m_hWnd, IDOK)) != FALSE;
        tree->SelectItem(own);
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(s.m_hWnd, IDOK)));
        s.PressButton(PSBTN_OK);
    });
    ASSERT_EQ(Run(CPropertiesPropSh::startHardware), IDOK);
    CString expected;
    expected.Format(L"B%d[WiFi Digital Read] : Not supported!", wifi->m_nNumber - 9000);
    EXPECT_EQ(box, std::wstring(expected.GetString()));
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(m_doc->m_nHardwareCode, 0x5288);

    // Without the WiFi block the program moves to V2.XX: one undo step, modified.
    m_doc->m_blocks.RemoveAt(m_doc->m_blocks.Find(wifi));
    delete wifi;
    m_doc->SetModifiedFlag(FALSE);
    Step([](CPropertiesPropSh& s) {
        HWND h = s.GetActivePage()->m_hWnd;
        CTreeCtrl* tree = static_cast<CTreeCtrl*>(CWnd::FromHandle(::GetDlgItem(h, IDC_PP_HW_TREE)));
        tree->SelectItem(tree->GetChildItem(tree->GetRootItem()));
        s.PressButton(PSBTN_OK);
    });
    ASSERT_EQ(Run(CPropertiesPropSh::startHardware), IDOK);
    EXPECT_EQ(m_doc->m_nHardwareCode, 0x5188);
    EXPECT_EQ(m_doc->m_strHardwareName, L"QX Series V2.XX");
    EXPECT_EQ(g_wHardwareCode, 0x5188);
    EXPECT_TRUE(m_doc->IsModified());
}

TEST_F(ProgramPropsTest, StartPagesAndScreenshotsInBothLanguages)
{
    int started = -1;
    Step([&](CPropertiesPropSh& s) {
        started = s.GetActiveIndex();
        s.PressButton(PSBTN_CANCEL);
    });
    Run(CPropertiesPropSh::startParameter);
    EXPECT_EQ(started, CPropertiesPropSh::pageParameter);

    const char* const names[] = {"general", "comment", "parameter", "protect", "com0",
                                 "com1",    "com2",    "logo",      "hardware"};
    for (int language : {0, 1}) {
        g_nLanguage = language;
        SetResourceLanguage(language == 1 ? kLangIdChinese : kLangIdEnglish);
        std::wstring title, ok;
        Step([&](CPropertiesPropSh& s) {
            for (int i = 0; i < CPropertiesPropSh::pageCount; ++i) {
                Show(s, i);
                m_drv.Pump();
                const std::string png =
                    BesideTheTests(std::string("program_props_") + names[i] + (language ? "_zh" : "_en") + ".png");
                EXPECT_TRUE(m_drv.SaveScreenshot(s.m_hWnd, png)) << png;
            }
            title = s.GetPage(CPropertiesPropSh::pageLogo)->GetTabTitle().GetString();
            wchar_t caption[32] = {};
            ::GetWindowTextW(::GetDlgItem(s.m_hWnd, IDOK), caption, 31);
            ok = caption;
            s.PressButton(PSBTN_CANCEL);
        });
        Run();
        EXPECT_EQ(title, language ? L"开机屏幕设定" : L"LCD Setting");
        EXPECT_EQ(ok, language ? L"确定" : L"OK");
    }
}

} // namespace

TEST_F(ProgramPropsTest, HardwarePageMovesAProgramToAnOlderFamilyAndAdaptsIt)
{
    // A QX program with a message text cannot move to the 0x1188 model: the page names it.
    CBlockObj* text = NewBlockOfType(810);
    ASSERT_TRUE(m_doc->AddBlock(text));
    std::wstring box;
    bool okEnabled = true;
    auto chooseOlder = [&](CPropertiesPropSh& s) {
        HWND h = s.GetActivePage()->m_hWnd;
        CTreeCtrl* tree = static_cast<CTreeCtrl*>(CWnd::FromHandle(::GetDlgItem(h, IDC_PP_HW_TREE)));
        HTREEITEM other = tree->GetNextSiblingItem(tree->GetRootItem());
        HTREEITEM older = tree->GetChildItem(other);
        EXPECT_EQ(tree->GetItemText(older), CString(L"Model 0x1188"));
        tree->SelectItem(older);
        box = Text(h, IDC_PP_HW_RESOURCES);
        okEnabled = ::IsWindowEnabled(::GetDlgItem(s.m_hWnd, IDOK)) != FALSE;
    };
    Step([&](CPropertiesPropSh& s) {
        chooseOlder(s);
        s.PressButton(PSBTN_CANCEL);
    });
    Run(CPropertiesPropSh::startHardware);
    CString expected;
    expected.Format(L"B%d[Message texts] : Rich Text Format not supported.", text->m_nNumber - 9000);
    EXPECT_EQ(box, std::wstring(expected.GetString()));
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(m_doc->m_nHardwareCode, 0x5188);

    // Without it the program moves; its Modbus block loses its master port, the fast baud
    // rates become 9600 (index 3), slower ones stay.
    m_doc->m_blocks.RemoveAt(m_doc->m_blocks.Find(text));
    delete text;
    CBlockObj* modbus = NewBlockOfType(813);
    ASSERT_TRUE(m_doc->AddBlock(modbus));
    auto* mr = dynamic_cast<CBlockMR*>(modbus);
    ASSERT_NE(mr, nullptr);
    mr->m_nPort = 2;
    m_doc->m_port[0][3] = 12;
    m_doc->m_port[1][3] = 10;
    m_doc->m_port[2][3] = 9;
    Step([&](CPropertiesPropSh& s) {
        chooseOlder(s);
        s.PressButton(PSBTN_OK);
    });
    ASSERT_EQ(Run(CPropertiesPropSh::startHardware), IDOK);
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(box.rfind(L"Known Blocks:\r\n", 0), 0u);
    EXPECT_EQ(m_doc->m_nHardwareCode, 0x1188);
    EXPECT_EQ(g_wHardwareCode, 0x1188);
    EXPECT_EQ(mr->m_nPort, 0);
    EXPECT_EQ(m_doc->m_port[0][3], 3);
    EXPECT_EQ(m_doc->m_port[1][3], 3);
    EXPECT_EQ(m_doc->m_port[2][3], 9);
}
