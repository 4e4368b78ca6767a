// Dialogs from templates: geometry in dialog units, the modal loop, OK/Cancel, and the
// keyboard interface (Tab order, arrow keys in groups, Enter, Escape, mnemonics).
#include "dlg_support.h"

#include "platform/ui/dialogs/Ddx.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"

#include <algorithm>

using namespace dlgtest;

namespace {

constexpr UINT kDlg = 100;
enum : UINT { kName = 10, kCount = 11, kLblName = 20, kLblCount = 21, kRadioA = 30, kRadioB = 31, kRadioC = 32,
              kCheck = 40, kApply = 50, kHidden = 51 };

DialogTemplate MainTemplate()
{
    return Template(kDlg, L"Settings", 200, 120,
                    {Item(kStatic, L"&Name:", kLblName, 0, 4, 4, 40, 10),
                     Item(kEdit, L"", kName, WS_TABSTOP | WS_GROUP, 50, 4, 80, 12),
                     Item(kStatic, L"C&ount:", kLblCount, 0, 4, 20, 40, 10),
                     Item(kEdit, L"", kCount, WS_TABSTOP | WS_GROUP, 50, 20, 80, 12),
                     Item(kButton, L"&Red", kRadioA, BS_AUTORADIO | WS_GROUP | WS_TABSTOP, 4, 40, 40, 10),
                     Item(kButton, L"&Green", kRadioB, BS_AUTORADIO, 4, 52, 40, 10),
                     Item(kButton, L"&Blue", kRadioC, BS_AUTORADIO, 4, 64, 40, 10),
                     Item(kButton, L"Chec&k", kCheck, BS_AUTOCHECK | WS_GROUP | WS_TABSTOP, 60, 40, 50, 10),
                     Item(kButton, L"OK", IDOK, BS_DEFPUSH | WS_GROUP | WS_TABSTOP, 40, 100, 40, 14),
                     Item(kButton, L"Cancel", IDCANCEL, BS_PUSH | WS_TABSTOP, 90, 100, 40, 14),
                     Item(kButton, L"&Apply", kApply, BS_PUSH | WS_TABSTOP, 140, 100, 40, 14),
                     Item(kButton, L"Hidden", kHidden, BS_PUSH | WS_TABSTOP, 150, 80, 40, 14)});
}

class CTestDlg : public CDialog {
public:
    explicit CTestDlg(CWnd* parent = nullptr) : CDialog(kDlg, parent) {}
    CString m_name = L"abc";
    int m_count = 5;
    int m_radio = 1;
    int m_check = 0;
    std::vector<int> commands;
    bool endInInit = false;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, kName, m_name);
        DDV_MaxChars(pDX, m_name, 8);
        DDX_Text(pDX, kCount, m_count);
        DDV_MinMaxInt(pDX, m_count, 0, 99);
        DDX_Radio(pDX, kRadioA, m_radio);
        DDX_Check(pDX, kCheck, m_check);
    }
    BOOL OnInitDialog() override
    {
        if (g_ctlLog)
            g_ctlLog->push_back("dlg:INITDIALOG");
        CDialog::OnInitDialog();
        ::ShowWindow(::GetDlgItem(m_hWnd, kHidden), SW_HIDE);
        if (endInInit)
            EndDialog(77);
        return TRUE;
    }
    BOOL OnCommand(WPARAM w, LPARAM l) override
    {
        commands.push_back(LOWORD(w));
        return CDialog::OnCommand(w, l);
    }
};

class DialogTest : public DlgTest {
protected:
    TemplateSet set{{MainTemplate()}};
    HWND Item(CDialog& d, int id) { return ::GetDlgItem(d.m_hWnd, id); }
};

TEST_F(DialogTest, ControlsArePlacedInDialogUnitsOfTheTemplateFont)
{
    CTestDlg d;
    ASSERT_TRUE(d.Create(kDlg));
    SIZE base = DlgGetBaseUnits(d.m_hWnd);
    // The classic units of the templates' font: a 153 x 16 unit bar is 230 x 26 pixels.
    EXPECT_EQ(base.cx, 6);
    EXPECT_EQ(base.cy, 13);
    RECT bar{0, 0, 153, 16};
    d.MapDialogRect(&bar);
    EXPECT_EQ(bar.right, 230);
    EXPECT_EQ(bar.bottom, 26);
    RECT client;
    ::GetClientRect(d.m_hWnd, &client);
    RECT want{0, 0, 200, 120};
    d.MapDialogRect(&want);
    EXPECT_EQ(client.right, want.right);
    EXPECT_EQ(client.bottom, want.bottom);
    RECT ok;
    ::GetWindowRect(Item(d, IDOK), &ok);
    ::ScreenToClient(d.m_hWnd, reinterpret_cast<POINT*>(&ok));
    EXPECT_EQ(ok.left, ::MulDiv(40, base.cx, 4));
    EXPECT_EQ(ok.top, ::MulDiv(100, base.cy, 8));
    // The template's default push button is the default button; the font reached the controls.
    EXPECT_EQ(d.GetDefID(), DWORD(MAKELONG(IDOK, DC_HASDEFID)));
    EXPECT_NE(::SendMessageW(Item(d, kName), WM_GETFONT, 0, 0), 0);
    // OnInitDialog filled the controls from the members.
    EXPECT_EQ(TextOf(Item(d, kName)), L"abc");
    EXPECT_EQ(TextOf(Item(d, kCount)), L"5");
    EXPECT_EQ(d.IsDlgButtonChecked(kRadioB), 1u);
    EXPECT_EQ(::SendMessageW(Item(d, kName), EM_GETLIMIT_, 0, 0), 8);
}

TEST_F(DialogTest, ModalDialogReturnsOkWithTheEnteredValuesAndReenablesItsOwner)
{
    HWND owner = ::CreateWindowExW(0, kStatic, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                   nullptr, nullptr, nullptr);
    CTestDlg d(CWnd::FromHandle(owner));
    bool ownerDisabled = false;
    drv.Host().QueueIdleStep([&] {
        ownerDisabled = !::IsWindowEnabled(owner);
        // Focus starts on the first tab stop with its text selected: typing replaces it.
        EXPECT_EQ(IdOf(::GetFocus()), int(kName));
        drv.Key('X', L'X');
        drv.Key('Y', L'Y');
    });
    drv.Host().QueueIdleStep([&] { drv.Key(VK_RETURN, L'\r'); });
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    EXPECT_EQ(d.m_name, CString(L"XY"));
    EXPECT_EQ(d.m_radio, 1);
    EXPECT_EQ(d.m_hWnd, nullptr);
    ::DestroyWindow(owner);
}

TEST_F(DialogTest, ModalDialogsAreCentredOverTheOwnerUnlessInitialisationMovedThem)
{
    HWND owner = ::CreateWindowExW(0, kStatic, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 50, 800, 600, nullptr,
                                   nullptr, nullptr, nullptr);
    struct CMovingDlg : CTestDlg {
        using CTestDlg::CTestDlg;
        bool move = false;
        BOOL OnInitDialog() override
        {
            CTestDlg::OnInitDialog();
            if (move)
                SetWindowPos(nullptr, 10, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            return TRUE;
        }
    };
    for (bool move : {false, true}) {
        CMovingDlg d(CWnd::FromHandle(owner));
        d.move = move;
        RECT r{};
        drv.Host().QueueIdleStep([&] {
            ::GetWindowRect(d.m_hWnd, &r);
            d.EndDialog(IDCANCEL);
        });
        d.DoModal();
        if (move) {
            EXPECT_EQ(r.left, 10);
            EXPECT_EQ(r.top, 150);
        } else {
            EXPECT_NEAR((r.left + r.right) / 2, 500, 1);
            EXPECT_NEAR((r.top + r.bottom) / 2, 350, 1);
        }
    }
    ::DestroyWindow(owner);
}

TEST_F(DialogTest, EscapeAndTheCloseBoxCancelWithoutExchangingData)
{
    for (int way = 0; way < 2; ++way) {
        CTestDlg d;
        drv.Host().QueueIdleStep([&] {
            drv.Key('Q', L'Q');
            if (way == 0)
                drv.Key(VK_ESCAPE, 27);
            else
                ::SendMessageW(d.m_hWnd, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(d.DoModal(), IDCANCEL) << way;
        EXPECT_EQ(d.m_name, CString(L"abc")) << way;
    }
}

TEST_F(DialogTest, EndDialogDuringInitialisationEndsWithoutEnteringTheLoop)
{
    CTestDlg d;
    d.endInInit = true;
    EXPECT_EQ(d.DoModal(), 77);
}

TEST_F(DialogTest, MissingTemplateOrControlClassFailsCleanly)
{
    CDialog none(999);
    EXPECT_EQ(none.DoModal(), -1);
    DialogTemplate bad = Template(101, L"bad", 50, 50, {dlgtest::Item(L"NoSuchClass", L"", 5, 0, 0, 0, 10, 10)});
    CDialog d;
    EXPECT_FALSE(d.CreateIndirect(&bad));
    EXPECT_EQ(d.m_hWnd, nullptr);
}

TEST_F(DialogTest, TabVisitsTabStopsInZOrderSkippingHiddenAndDisabledOnes)
{
    CTestDlg d;
    ASSERT_TRUE(d.Create(kDlg));
    d.ShowWindow(SW_SHOW);
    ::EnableWindow(Item(d, kCheck), FALSE);
    ::SetFocus(Item(d, kName));
    // Forward: name, count, the checked radio's group entry (the first), OK, Cancel, Apply, name.
    const int forward[] = {kCount, kRadioA, IDOK, IDCANCEL, kApply, kName};
    for (int want : forward) {
        drv.Key(VK_TAB, L'\t');
        drv.Pump();
        EXPECT_EQ(IdOf(::GetFocus()), want);
    }
    drv.KeyDown(VK_SHIFT);
    const int backward[] = {kApply, IDCANCEL, IDOK, kRadioA};
    for (int want : backward) {
        drv.Key(VK_TAB, L'\t');
        drv.Pump();
        EXPECT_EQ(IdOf(::GetFocus()), want);
    }
    drv.KeyUp(VK_SHIFT);
    // The Tab characters never reached the edits.
    EXPECT_EQ(TextOf(Item(d, kName)), L"abc");
}

TEST_F(DialogTest, MessageOrderOfCreationAndOfTabbingThroughButtons)
{
    std::vector<std::string> log;
    g_ctlLog = &log;
    CTestDlg d;
    ASSERT_TRUE(d.Create(kDlg));
    // Every control has its font before the dialog initialises; no focus while hidden.
    auto init = std::find(log.begin(), log.end(), "dlg:INITDIALOG");
    ASSERT_NE(init, log.end());
    EXPECT_EQ(std::count_if(log.begin(), init, [](const std::string& e) { return e.find(":SETFONT") != std::string::npos; }), 12);
    EXPECT_EQ(std::count_if(init, log.end(), [](const std::string& e) { return e.find("SETFOCUS") != std::string::npos; }), 0);
    // Showing activates the dialog: the first tab stop is selected, then focused.
    log.clear();
    d.ShowWindow(SW_SHOW);
    EXPECT_EQ(log, (std::vector<std::string>{"10:SETSEL", "10:SETFOCUS"}));
    ::SetFocus(Item(d, kRadioC));
    ::CheckRadioButton(d.m_hWnd, kRadioA, kRadioC, kRadioA);
    const std::vector<std::vector<std::string>> steps = {
        {"32:KILLFOCUS", "40:SETFOCUS"},
        {"40:KILLFOCUS", "1:SETFOCUS"},
        // Focus on another push button makes it the default one for the time being.
        {"1:SETSTYLE=0", "2:SETSTYLE=1", "1:KILLFOCUS", "2:SETFOCUS"},
        {"2:SETSTYLE=0", "50:SETSTYLE=1", "2:KILLFOCUS", "50:SETFOCUS"},
        // Leaving the buttons gives the default frame back to OK.
        {"50:SETSTYLE=0", "1:SETSTYLE=1", "10:SETSEL", "50:KILLFOCUS", "10:SETFOCUS"},
    };
    for (const auto& want : steps) {
        log.clear();
        drv.Key(VK_TAB, L'\t');
        drv.Pump();
        EXPECT_EQ(log, want);
    }
    g_ctlLog = nullptr;
}

TEST_F(DialogTest, ArrowsMoveWithinTheGroupAndCheckRadioButtons)
{
    CTestDlg d;
    ASSERT_TRUE(d.Create(kDlg));
    d.ShowWindow(SW_SHOW);
    ::SetFocus(Item(d, kRadioA));
    struct Step {
        UINT vk;
        int focus;
    } steps[] = {{VK_DOWN, kRadioB}, {VK_RIGHT, kRadioC}, {VK_DOWN, kRadioA}, {VK_UP, kRadioC}, {VK_LEFT, kRadioB}};
    for (const Step& s : steps) {
        drv.Key(s.vk);
        drv.Pump();
        EXPECT_EQ(IdOf(::GetFocus()), s.focus);
        ASSERT_TRUE(d.UpdateData(TRUE));
        EXPECT_EQ(d.m_radio, s.focus - kRadioA);
        EXPECT_EQ(d.GetCheckedRadioButton(kRadioA, kRadioC), s.focus);
    }
}

TEST_F(DialogTest, EnterPressesTheFocusedPushButtonElseTheDefaultOne)
{
    CTestDlg d;
    ASSERT_TRUE(d.Create(kDlg));
    d.ShowWindow(SW_SHOW);
    struct Case {
        int focus;
        int defId;  // 0: as the template says
        int pressed;
    } cases[] = {{kName, 0, IDOK}, {kApply, 0, kApply}, {IDCANCEL, 0, IDCANCEL}, {kCount, kApply, kApply}};
    for (const Case& c : cases) {
        if (c.defId)
            d.SetDefID(UINT(c.defId));
        ::SetFocus(Item(d, c.focus));
        d.commands.clear();
        d.ShowWindow(SW_SHOW);
        drv.Key(VK_RETURN, L'\r');
        drv.Pump();
        ASSERT_FALSE(d.commands.empty()) << c.focus;
        EXPECT_EQ(d.commands.front(), c.pressed) << c.focus;
    }
    // A disabled default button is not pressed.
    d.SetDefID(IDOK);
    ::EnableWindow(Item(d, IDOK), FALSE);
    ::SetFocus(Item(d, kName));
    d.commands.clear();
    drv.Key(VK_RETURN, L'\r');
    drv.Pump();
    EXPECT_TRUE(d.commands.empty());
}

TEST_F(DialogTest, MnemonicsFocusTheLabelledControlOrClickTheButton)
{
    CTestDlg d;
    ASSERT_TRUE(d.Create(kDlg));
    d.ShowWindow(SW_SHOW);
    // Alt+O on the label "C&ount:" focuses the edit after it, even from inside an edit.
    ::SetFocus(Item(d, kName));
    drv.KeyDown(VK_MENU);
    drv.Key('O', L'o');
    drv.KeyUp(VK_MENU);
    drv.Pump();
    EXPECT_EQ(IdOf(::GetFocus()), int(kCount));
    EXPECT_EQ(TextOf(Item(d, kCount)), L"5");
    // Without Alt, while a button has the focus: "&Blue" is focused and checked.
    ::SetFocus(Item(d, IDOK));
    drv.Key('B', L'b');
    drv.Pump();
    EXPECT_EQ(IdOf(::GetFocus()), int(kRadioC));
    EXPECT_EQ(d.IsDlgButtonChecked(kRadioC), 1u);
    // "&Apply" is clicked.
    d.commands.clear();
    drv.Key('A', L'a');
    drv.Pump();
    ASSERT_FALSE(d.commands.empty());
    EXPECT_EQ(d.commands.back(), int(kApply));
    // In an edit the letter is typed, not taken as a mnemonic.
    ::SetFocus(Item(d, kName));
    drv.Key('B', L'b');
    drv.Pump();
    EXPECT_EQ(IdOf(::GetFocus()), int(kName));
}

// A control that turns Enter into Tab before the dialog sees the key.
class CEnterToTab : public CWnd {
public:
    BOOL PreTranslateMessage(MSG* m) override
    {
        if (m->message == WM_KEYDOWN && m->wParam == VK_RETURN)
            m->wParam = VK_TAB;
        return FALSE;
    }
};

TEST_F(DialogTest, ControlsPreTranslateKeysBeforeTheDialogInModalAndModelessDialogs)
{
    for (bool modal : {false, true}) {
        CTestDlg d;
        CEnterToTab sub;
        int focusAfter = 0;
        auto press = [&] {
            ASSERT_TRUE(sub.SubclassDlgItem(kName, &d));
            ::SetFocus(Item(d, kName));
            d.commands.clear();
            drv.Key(VK_RETURN, L'\r');
        };
        if (modal) {
            drv.Host().QueueIdleStep(press);
            drv.Host().QueueIdleStep([&] {
                focusAfter = IdOf(::GetFocus());
                d.EndDialog(IDCANCEL);
            });
            EXPECT_EQ(d.DoModal(), IDCANCEL);
        } else {
            ASSERT_TRUE(d.Create(kDlg));
            d.ShowWindow(SW_SHOW);
            press();
            drv.Pump();
            focusAfter = IdOf(::GetFocus());
        }
        EXPECT_EQ(focusAfter, int(kCount)) << modal;
        EXPECT_TRUE(d.commands.empty()) << modal;
    }
}

TEST_F(DialogTest, EscapeInAMultiLineEditCancelsUnlessCancelIsDisabled)
{
    AfxRegisterControlClasses();
    DialogTemplate t = Template(120, L"Comment", 150, 80,
                                {dlgtest::Item(WC_EDITW, L"", 7, WS_TABSTOP | WS_BORDER | 0x0004 | 0x1000, 4, 4, 140, 50),
                                 dlgtest::Item(kButton, L"OK", IDOK, BS_DEFPUSH | WS_TABSTOP, 40, 60, 40, 14),
                                 dlgtest::Item(kButton, L"Cancel", IDCANCEL, BS_PUSH | WS_TABSTOP, 90, 60, 40, 14)});
    for (bool cancelEnabled : {true, false}) {
        CDialog d;
        ASSERT_TRUE(d.InitModalIndirect(&t));
        drv.Host().QueueIdleStep([&] {
            ::EnableWindow(::GetDlgItem(d.m_hWnd, IDCANCEL), cancelEnabled);
            ::SetFocus(::GetDlgItem(d.m_hWnd, 7));
            drv.Key(VK_ESCAPE, 27);
        });
        if (!cancelEnabled)
            drv.Host().QueueIdleStep([&] { d.EndDialog(99); });
        EXPECT_EQ(d.DoModal(), cancelEnabled ? IDCANCEL : 99);
    }
}

class CLogDlg : public CDialog {
public:
    std::vector<int> commands;  // the clicks only (the edit's notifications are left out)
    BOOL OnCommand(WPARAM w, LPARAM l) override
    {
        if (HIWORD(w) == 0)
            commands.push_back(LOWORD(w));
        return CDialog::OnCommand(w, l);
    }
};

TEST_F(DialogTest, MultiLineEditTakesEveryKeyAndDoesTheDialogsWorkWithThem)
{
    AfxRegisterControlClasses();
    struct Case {
        DWORD style;
        UINT vk;
        wchar_t ch;
        const wchar_t* text;  // in the edit afterwards
        std::vector<int> commands;
        int focus;  // 0: not checked (the dialog ended)
    };
    const Case cases[] = {
        {ES_MULTILINE, VK_RETURN, L'\r', L"", {IDOK}, 0},                 // the default button
        {ES_MULTILINE | ES_WANTRETURN, VK_RETURN, L'\r', L"\r\n", {}, 7},  // a line break
        {ES_MULTILINE, VK_TAB, L'\t', L"", {}, IDOK},                     // the next tab stop
        {ES_MULTILINE, VK_ESCAPE, 27, L"", {IDCANCEL}, 0},                // closes the dialog
        {ES_AUTOHSCROLL, VK_RETURN, L'\r', L"", {IDOK}, 0},               // single line: the dialog's key
    };
    for (const Case& c : cases) {
        DialogTemplate t = Template(121, L"Note", 150, 80,
                                    {dlgtest::Item(WC_EDITW, L"", 7, WS_TABSTOP | WS_BORDER | c.style, 4, 4, 140, 50),
                                     dlgtest::Item(kButton, L"OK", IDOK, BS_DEFPUSH | WS_TABSTOP, 40, 60, 40, 14),
                                     dlgtest::Item(kButton, L"Cancel", IDCANCEL, BS_PUSH | WS_TABSTOP, 90, 60, 40, 14)});
        CLogDlg d;
        ASSERT_TRUE(d.CreateIndirect(&t));
        d.ShowWindow(SW_SHOW);
        HWND edit = ::GetDlgItem(d.m_hWnd, 7);
        EXPECT_EQ((::SendMessageW(edit, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS) != 0, (c.style & ES_MULTILINE) != 0);
        ::SetFocus(edit);
        drv.Pump();
        drv.Key(c.vk, c.ch);
        drv.Pump();
        EXPECT_EQ(TextOf(edit), c.text) << c.vk;
        EXPECT_EQ(d.commands, c.commands) << c.vk;
        if (c.focus) {
            EXPECT_EQ(IdOf(::GetFocus()), c.focus) << c.vk;
        }
        d.DestroyWindow();
    }
}

class CNextInInitDlg : public CTestDlg {
public:
    BOOL OnInitDialog() override
    {
        CTestDlg::OnInitDialog();
        NextDlgCtrl();
        NextDlgCtrl();
        return FALSE;  // the focus was placed here
    }
};

TEST_F(DialogTest, KeyboardNavigationWorksBeforeTheDialogIsShown)
{
    CNextInInitDlg d;
    ASSERT_TRUE(d.Create(kDlg));
    ASSERT_FALSE(::IsWindowVisible(d.m_hWnd));
    // NextDlgCtrl in OnInitDialog moved through the first two tab stops
    EXPECT_EQ(IdOf(::GetFocus()), int(kCount));
    // a Tab that arrives while the dialog is still hidden moves on; a disabled stop is skipped
    ::EnableWindow(Item(d, kRadioA), FALSE);
    MSG tab{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(::IsDialogMessageW(d.m_hWnd, &tab));
    EXPECT_EQ(IdOf(::GetFocus()), int(kCheck));
    EXPECT_EQ(::GetNextDlgTabItem(d.m_hWnd, Item(d, kCheck), FALSE), Item(d, IDOK));
    d.ShowWindow(SW_SHOW);
    drv.Pump();
    EXPECT_EQ(IdOf(::GetFocus()), int(kCheck));
}

TEST_F(DialogTest, ItemHelpersReadAndWriteControls)
{
    CTestDlg d;
    ASSERT_TRUE(d.Create(kDlg));
    HWND h = d.m_hWnd;
    struct Case {
        const wchar_t* text;
        BOOL isSigned;
        BOOL ok;
        UINT value;
    } cases[] = {{L" 42 ", TRUE, TRUE, 42},     {L"-7", TRUE, TRUE, UINT(-7)},       {L"-7", FALSE, FALSE, 0},
                 {L"4x", TRUE, FALSE, 0},       {L"", TRUE, FALSE, 0},               {L"4294967295", FALSE, TRUE, 4294967295u},
                 {L"2147483648", TRUE, FALSE, 0}, {L"99999999999", FALSE, FALSE, 0}};
    for (const Case& c : cases) {
        ::SetDlgItemTextW(h, kCount, c.text);
        BOOL ok = -1;
        EXPECT_EQ(::GetDlgItemInt(h, kCount, &ok, c.isSigned), c.value) << c.text;
        EXPECT_EQ(ok, c.ok) << c.text;
    }
    ::CheckRadioButton(h, kRadioA, kRadioC, kRadioC);
    EXPECT_EQ(d.GetCheckedRadioButton(kRadioA, kRadioC), int(kRadioC));
    EXPECT_EQ(::IsDlgButtonChecked(h, kRadioA), 0u);
    d.CheckDlgButton(kCheck, 1);
    EXPECT_EQ(d.IsDlgButtonChecked(kCheck), 1u);
}

}  // namespace
