// Property sheets: pages made when first shown, data exchange when a page is left (a refused
// value keeps the user on the page), OK/Apply reaching only created pages, modeless sheets,
// sibling queries.
#include "dlg_support.h"

#include "platform/ui/dialogs/Ddx.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/controls/CtlViewClasses.h"
#include "platform/ui/dialogs/PropSheet.h"

using namespace dlgtest;

namespace {

constexpr UINT kPageA = 300, kPageB = 301, kPageC = 302;
constexpr int kName = 10, kCount = 11, kOther = 20;

std::vector<DialogTemplate> Pages()
{
    DWORD pageStyle = WS_CHILD | WS_CAPTION | DS_MODALFRAME;
    return {Template(kPageA, L"General", 160, 80,
                     {Item(kEdit, L"", kName, WS_TABSTOP | WS_GROUP, 4, 4, 60, 12),
                      Item(kEdit, L"", kCount, WS_TABSTOP | WS_GROUP, 4, 20, 60, 12)},
                     pageStyle),
            Template(kPageB, L"Cams", 120, 100, {Item(kEdit, L"", kOther, WS_TABSTOP | WS_GROUP, 4, 4, 60, 12)}, pageStyle),
            Template(kPageC, L"Simulation", 100, 60, {Item(kEdit, L"", kOther, WS_TABSTOP, 4, 4, 60, 12)}, pageStyle)};
}

std::vector<std::string>* g_log = nullptr;
void Log(const std::string& s)
{
    if (g_log)
        g_log->push_back(s);
}

class CPage : public CPropertyPage {
public:
    CPage(UINT id, const char* name) : CPropertyPage(id), m_tag(name) {}
    CString m_name = L"blk";
    int m_count = 1;
    int m_other = 3;
    LRESULT m_siblingAnswer = 0;
    std::string m_tag;

    void DoDataExchange(CDataExchange* pDX) override
    {
        if (m_nIDTemplate == kPageA) {
            DDX_Text(pDX, kName, m_name);
            DDV_MaxChars(pDX, m_name, 8);
            DDX_Text(pDX, kCount, m_count);
            DDV_MinMaxInt(pDX, m_count, 0, 99);
        } else {
            DDX_Text(pDX, kOther, m_other);
        }
    }
    BOOL OnInitDialog() override
    {
        Log(m_tag + ":init");
        return CPropertyPage::OnInitDialog();
    }
    void OnOK() override { Log(m_tag + ":ok"); }
    BOOL OnSetActive() override
    {
        Log(m_tag + ":setactive");
        return CPropertyPage::OnSetActive();
    }
    LRESULT OnQuery(WPARAM w, LPARAM) { return m_siblingAnswer ? m_siblingAnswer + LRESULT(w) : 0; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPage, CPropertyPage)
    ON_MESSAGE(PSM_QUERYSIBLINGS, OnQuery)
END_MESSAGE_MAP()

class CSheet : public CPropertySheet {
public:
    CSheet() : CPropertySheet(L"Block properties")
    {
        AddPage(&a);
        AddPage(&b);
        AddPage(&c);
    }
    CPage a{kPageA, "A"}, b{kPageB, "B"}, c{kPageC, "C"};
    bool startPageMadeInBaseInit = false;
    bool otherPagesUnmade = false;
    BOOL OnInitDialog() override
    {
        BOOL r = CPropertySheet::OnInitDialog();
        startPageMadeInBaseInit = a.m_hWnd != nullptr;
        otherPagesUnmade = !b.m_hWnd && !c.m_hWnd;
        return r;
    }
};

class PropSheetTest : public DlgTest {
protected:
    TemplateSet set{Pages()};
    std::vector<std::string> log;
    void SetUp() override { g_log = &log; }
    void TearDown() override { g_log = nullptr; }

    void ClickTab(CPropertySheet& s, int index)
    {
        HWND tabs = s.GetTabControl()->m_hWnd;
        RECT r{};
        ASSERT_TRUE(::SendMessageW(tabs, 0x1300 + 10, WPARAM(index), reinterpret_cast<LPARAM>(&r)));
        drv.Click(CHeadlessDriver::At(tabs, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
    }
    void Type(HWND edit, const wchar_t* text)
    {
        ::SetWindowTextW(edit, text);
    }
};

TEST_F(PropSheetTest, LeavingAPageWithARefusedValueKeepsTheUserThereAndOkReachesCreatedPagesOnly)
{
    CSheet s;
    int activeAfterRefusal = -1;
    int focusAfterRefusal = 0;
    std::wstring shown;
    drv.Host().QueueIdleStep([&] {
        Type(::GetDlgItem(s.a.m_hWnd, kCount), L"500");
        ClickTab(s, 1);
    });
    drv.Host().QueueIdleStep([&] {
        activeAfterRefusal = s.GetActiveIndex();
        focusAfterRefusal = IdOf(::GetFocus());
        shown = drv.Host().MessageBoxes().empty() ? L"" : drv.Host().MessageBoxes().back().text;
        Type(::GetDlgItem(s.a.m_hWnd, kCount), L"42");
        ClickTab(s, 1);
    });
    drv.Host().QueueIdleStep([&] {
        ::SetFocus(::GetDlgItem(s.b.m_hWnd, kOther));
        Type(::GetDlgItem(s.b.m_hWnd, kOther), L"17");
        drv.Key(VK_RETURN, L'\r');
    });
    EXPECT_EQ(s.DoModal(), IDOK);
    EXPECT_TRUE(s.startPageMadeInBaseInit);
    EXPECT_TRUE(s.otherPagesUnmade);
    EXPECT_EQ(activeAfterRefusal, 0);
    EXPECT_EQ(focusAfterRefusal, kCount);
    EXPECT_EQ(shown, L"Please enter an integer between 0 and 99.");
    EXPECT_EQ(s.a.m_count, 42);
    EXPECT_EQ(s.b.m_other, 17);
    const std::vector<std::string> want = {"A:init", "A:setactive", "B:init", "B:setactive", "A:ok", "B:ok"};
    EXPECT_EQ(log, want);
    EXPECT_EQ(s.c.m_hWnd, nullptr);
}

TEST_F(PropSheetTest, RefusedValueOnOkKeepsTheSheetOpenAndCancelRunsNoPageOk)
{
    CSheet s;
    size_t boxes = 0;
    bool stillOpen = false;
    drv.Host().QueueIdleStep([&] {
        Type(::GetDlgItem(s.a.m_hWnd, kName), L"far too long");
        drv.Key(VK_RETURN, L'\r');
    });
    drv.Host().QueueIdleStep([&] {
        boxes = drv.Host().MessageBoxes().size();
        stillOpen = ::IsWindowVisible(s.m_hWnd) != FALSE;
        EXPECT_EQ(IdOf(::GetFocus()), kName);
        drv.Key(VK_ESCAPE, 27);
    });
    EXPECT_EQ(s.DoModal(), IDCANCEL);
    EXPECT_EQ(boxes, 1u);
    EXPECT_TRUE(stillOpen);
    for (const std::string& e : log)
        EXPECT_EQ(e.find(":ok"), std::string::npos) << e;
}

TEST_F(PropSheetTest, APageEndingTheDialogEndsTheSheetWithoutTheOtherPagesOk)
{
    CSheet s;
    s.SetActivePage(1);
    drv.Host().QueueIdleStep([&] { s.b.EndDialog(IDOK); });
    EXPECT_EQ(s.DoModal(), IDOK);
    EXPECT_EQ(log, (std::vector<std::string>{"B:init", "B:setactive"}));
}

TEST_F(PropSheetTest, ModelessSheetHidesItsButtonsAndAppliesOnlyCreatedPages)
{
    CSheet modal;
    modal.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    CSheet s;
    ASSERT_TRUE(s.Create());
    EXPECT_TRUE(s.startPageMadeInBaseInit);
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP}) {
        HWND b = ::GetDlgItem(s.m_hWnd, id);
        ASSERT_NE(b, nullptr) << id;
        EXPECT_FALSE(::IsWindowVisible(b)) << id;
        EXPECT_FALSE(::IsWindowEnabled(b)) << id;
    }
    // The window ends above the (hidden) button row.
    RECT client, ok;
    s.GetClientRect(&client);
    ::GetWindowRect(::GetDlgItem(s.m_hWnd, IDOK), &ok);
    ::ScreenToClient(s.m_hWnd, reinterpret_cast<POINT*>(&ok));
    EXPECT_LE(client.bottom, ok.top);

    // A program that wants the Apply button shows it; a modified page enables it.
    HWND apply = ::GetDlgItem(s.m_hWnd, ID_APPLY_NOW);
    ::ShowWindow(apply, SW_SHOW);
    s.a.SetModified(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(apply));
    s.SendMessage(WM_COMMAND, MAKEWPARAM(ID_APPLY_NOW, 0), reinterpret_cast<LPARAM>(apply));
    EXPECT_FALSE(::IsWindowEnabled(apply));
    EXPECT_EQ(log, (std::vector<std::string>{"A:init", "A:setactive", "A:ok"}));

    // Sibling queries go to created pages in order until one answers.
    s.b.m_siblingAnswer = 100;
    EXPECT_EQ(s.a.QuerySiblings(5, 0), 0);  // page B does not exist yet
    ASSERT_TRUE(s.SetActivePage(1));
    EXPECT_EQ(s.a.QuerySiblings(5, 0), 105);
    s.DestroyWindow();
    EXPECT_EQ(s.a.m_hWnd, nullptr);
}

TEST_F(PropSheetTest, TabRunsThroughStripPageAndButtonsAndCtrlTabSwitchesPages)
{
    CSheet s;
    ASSERT_TRUE(s.Create());
    for (int id : {IDOK, IDCANCEL}) {
        ::ShowWindow(::GetDlgItem(s.m_hWnd, id), SW_SHOW);
        ::EnableWindow(::GetDlgItem(s.m_hWnd, id), TRUE);
    }
    ::SetFocus(s.GetTabControl()->m_hWnd);
    const int order[] = {kName, kCount, IDOK, IDCANCEL, AFX_IDC_TAB_CONTROL};
    for (int want : order) {
        drv.Key(VK_TAB, L'\t');
        drv.Pump();
        EXPECT_EQ(IdOf(::GetFocus()), want);
    }
    // Ctrl+Tab leaves the page through its exchange and shows the next one.
    ::SetFocus(::GetDlgItem(s.a.m_hWnd, kName));
    drv.KeyDown(VK_CONTROL);
    drv.Key(VK_TAB, L'\t');
    drv.KeyUp(VK_CONTROL);
    drv.Pump();
    EXPECT_EQ(s.GetActiveIndex(), 1);
    EXPECT_EQ(IdOf(::GetFocus()), kOther);
    EXPECT_TRUE(::IsWindowVisible(s.b.m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(s.a.m_hWnd));
}

TEST_F(PropSheetTest, PagesCanBeAddedAndRemovedWhileTheSheetIsOpen)
{
    CSheet s;
    ASSERT_TRUE(s.Create());
    ASSERT_TRUE(s.SetActivePage(2));
    EXPECT_EQ(s.GetActivePage(), &s.c);
    s.RemovePage(&s.c);
    EXPECT_EQ(s.GetPageCount(), 2);
    EXPECT_EQ(s.c.m_hWnd, nullptr);
    EXPECT_EQ(s.GetActiveIndex(), 1);
    EXPECT_NE(s.b.m_hWnd, nullptr);
    s.AddPage(&s.c);
    EXPECT_EQ(s.GetPageCount(), 3);
    EXPECT_EQ(s.GetTabControl()->GetItemCount(), 3);
    // The page area inside the strip, as the sheet's own layout uses it.
    RECT strip, page;
    s.GetTabControl()->GetClientRect(&strip);
    RECT display = strip;
    s.GetTabControl()->AdjustRect(FALSE, &display);
    ::GetWindowRect(s.b.m_hWnd, &page);
    s.GetTabControl()->ScreenToClient(&page);
    EXPECT_GE(page.top, display.top - 2);
    RECT back = display;
    s.GetTabControl()->AdjustRect(TRUE, &back);
    EXPECT_EQ(back.top, strip.top);
    EXPECT_EQ(back.right, strip.right);
    EXPECT_FALSE(s.SetActivePage(7));
}

}  // namespace
