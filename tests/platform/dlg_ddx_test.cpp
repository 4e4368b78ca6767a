// Data exchange: conversions of edit texts, the standard refusal messages, focus on the
// offending control, and the exchanges of buttons.
#include "dlg_support.h"

#include "platform/ui/dialogs/Ddx.h"

#include <functional>

using namespace dlgtest;

namespace {

constexpr UINT kDlg = 200;
constexpr int kEditA = 10, kEditB = 11, kRadio1 = 20, kRadio2 = 21, kRadio3 = 22, kCheck = 30;

// A dialog whose exchange is set per test.
class CExchangeDlg : public CDialog {
public:
    std::function<void(CDataExchange*)> exchange;
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (exchange)
            exchange(pDX);
    }
};

class DdxTest : public DlgTest {
protected:
    TemplateSet set{{Template(kDlg, L"Exchange", 150, 100,
                              {Item(kEdit, L"", kEditA, WS_TABSTOP | WS_GROUP, 4, 4, 60, 12),
                               Item(kEdit, L"", kEditB, WS_TABSTOP | WS_GROUP, 4, 20, 60, 12),
                               Item(kButton, L"One", kRadio1, BS_AUTORADIO | WS_GROUP | WS_TABSTOP, 4, 40, 40, 10),
                               Item(kStatic, L"between", 99, 0, 50, 40, 40, 10),
                               Item(kButton, L"Two", kRadio2, BS_AUTORADIO, 4, 52, 40, 10),
                               Item(kButton, L"Three", kRadio3, BS_AUTORADIO, 4, 64, 40, 10),
                               Item(kButton, L"Check", kCheck, BS_AUTOCHECK | WS_GROUP | WS_TABSTOP, 60, 64, 40, 10),
                               Item(kButton, L"OK", IDOK, BS_DEFPUSH | WS_TABSTOP | WS_GROUP, 100, 80, 40, 14)})}};
    CExchangeDlg dlg;

    void SetUp() override
    {
        ASSERT_TRUE(dlg.Create(kDlg));
        dlg.ShowWindow(SW_SHOW);
        ::SetFocus(::GetDlgItem(dlg.m_hWnd, kEditB));
    }
    void SetText(int id, const wchar_t* t) { ::SetDlgItemTextW(dlg.m_hWnd, id, t); }
    std::wstring LastBox() const
    {
        auto& boxes = const_cast<DdxTest*>(this)->drv.Host().MessageBoxes();
        return boxes.empty() ? L"" : boxes.back().text;
    }
};

// One edit text read into a member of some type, with an optional range.
struct TextCase {
    const char* what;
    const wchar_t* text;
    std::function<void(CDataExchange*)> exchange;
    bool ok;
    const wchar_t* message;  // expected refusal
};

TEST_F(DdxTest, EditTextsAreParsedIntoTheMemberTypeOrRefusedWithTheStandardMessage)
{
    int i = 0;
    UINT u = 0;
    double d = 0;
    float f = 0;
    BYTE b = 0;
    CString s;
    const TextCase cases[] = {
        {"int", L" -12 ", [&](CDataExchange* p) { DDX_Text(p, kEditA, i); }, true, nullptr},
        {"int empty", L"", [&](CDataExchange* p) { DDX_Text(p, kEditA, i); }, false, L"Please enter an integer."},
        {"int junk", L"12a", [&](CDataExchange* p) { DDX_Text(p, kEditA, i); }, false, L"Please enter an integer."},
        {"int overflow", L"2147483648", [&](CDataExchange* p) { DDX_Text(p, kEditA, i); }, false, L"Please enter an integer."},
        {"int range", L"100",
         [&](CDataExchange* p) { DDX_Text(p, kEditA, i); DDV_MinMaxInt(p, i, -1000, 99); }, false,
         L"Please enter an integer between -1000 and 99."},
        {"uint", L"4294967295", [&](CDataExchange* p) { DDX_Text(p, kEditA, u); }, true, nullptr},
        {"uint minus", L"-1", [&](CDataExchange* p) { DDX_Text(p, kEditA, u); }, false, L"Please enter a positive integer."},
        {"uint range", L"512",
         [&](CDataExchange* p) { DDX_Text(p, kEditA, u); DDV_MinMaxUInt(p, u, 0, 511); }, false,
         L"Please enter an integer between 0 and 511."},
        {"byte", L"256", [&](CDataExchange* p) { DDX_Text(p, kEditA, b); }, false, L"Please enter an integer between 0 and 255."},
        {"double", L"1.5e2", [&](CDataExchange* p) { DDX_Text(p, kEditA, d); }, true, nullptr},
        {"double comma", L"1,5", [&](CDataExchange* p) { DDX_Text(p, kEditA, d); }, false, L"Please enter a number."},
        {"double range", L"10.5",
         [&](CDataExchange* p) { DDX_Text(p, kEditA, d); DDV_MinMaxDouble(p, d, 0.5, 10.25); }, false,
         L"Please enter a number between 0.5 and 10.25."},
        {"float too big", L"1e39", [&](CDataExchange* p) { DDX_Text(p, kEditA, f); }, false, L"Please enter a number."},
        {"string", L"abcdefgh", [&](CDataExchange* p) { DDX_Text(p, kEditA, s); DDV_MaxChars(p, s, 8); }, true, nullptr},
        {"string long", L"abcdefghi", [&](CDataExchange* p) { DDX_Text(p, kEditA, s); DDV_MaxChars(p, s, 8); }, false,
         L"Please enter no more than 8 characters."},
    };
    for (const TextCase& c : cases) {
        drv.Host().ClearMessageBoxes();
        ::SetFocus(::GetDlgItem(dlg.m_hWnd, kEditB));
        SetText(kEditA, c.text);
        dlg.exchange = c.exchange;
        EXPECT_EQ(dlg.UpdateData(TRUE), c.ok ? TRUE : FALSE) << c.what;
        if (c.ok) {
            EXPECT_TRUE(drv.Host().MessageBoxes().empty()) << c.what;
            continue;
        }
        ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u) << c.what;
        EXPECT_EQ(LastBox(), c.message) << c.what;
        // The offending edit has the focus with its text selected.
        EXPECT_EQ(IdOf(::GetFocus()), kEditA) << c.what;
        if (*c.text) {
            EXPECT_NE(::SendDlgItemMessageW(dlg.m_hWnd, kEditA, EM_GETSEL_, 0, 0), 0) << c.what;
        }
    }
    // Values read by the accepted cases.
    SetText(kEditA, L" -12 ");
    dlg.exchange = [&](CDataExchange* p) { DDX_Text(p, kEditA, i); };
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(i, -12);
    SetText(kEditA, L"1.5e2");
    dlg.exchange = [&](CDataExchange* p) { DDX_Text(p, kEditA, d); };
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_DOUBLE_EQ(d, 150.0);
}

TEST_F(DdxTest, NumbersAreWrittenInOneFixedFormatAndUnchangedTextIsNotRewritten)
{
    double d = 0.1;
    int i = -5;
    dlg.exchange = [&](CDataExchange* p) {
        DDX_Text(p, kEditA, d);
        DDX_Text(p, kEditB, i);
    };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, kEditA)), L"0.1");
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, kEditB)), L"-5");
    // A second fill with the same values leaves the texts alone (no notification, selection kept).
    ::SendDlgItemMessageW(dlg.m_hWnd, kEditA, 0x00B1, 0, -1);
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_NE(::SendDlgItemMessageW(dlg.m_hWnd, kEditA, EM_GETSEL_, 0, 0), 0);
    d = 0.25;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(::SendDlgItemMessageW(dlg.m_hWnd, kEditA, EM_GETSEL_, 0, 0), 0);
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, kEditA)), L"0.25");
}

TEST_F(DdxTest, RadioGroupIndexCountsOnlyTheRadioButtonsOfTheGroup)
{
    int radio = 2, check = 1;
    dlg.exchange = [&](CDataExchange* p) {
        DDX_Radio(p, kRadio1, radio);
        DDX_Check(p, kCheck, check);
    };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(::IsDlgButtonChecked(dlg.m_hWnd, kRadio3), 1u);
    EXPECT_EQ(::IsDlgButtonChecked(dlg.m_hWnd, kRadio1), 0u);
    EXPECT_EQ(::IsDlgButtonChecked(dlg.m_hWnd, kCheck), 1u);
    const struct {
        int checked;  // control id, 0 for none
        int index;
    } cases[] = {{kRadio1, 0}, {kRadio2, 1}, {kRadio3, 2}, {0, -1}};
    for (const auto& c : cases) {
        ::CheckRadioButton(dlg.m_hWnd, kRadio1, kRadio3, c.checked);
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(radio, c.index) << c.checked;
    }
    // Out-of-range check values show unchecked.
    check = 7;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(::IsDlgButtonChecked(dlg.m_hWnd, kCheck), 0u);
}

TEST_F(DdxTest, ChecksInsideTheExchangeCanFailAndMissingControlsAreSkipped)
{
    int value = 0;
    dlg.exchange = [&](CDataExchange* p) {
        DDX_Text(p, 12345, value);  // no such control: nothing happens
        DDX_Text(p, kEditB, value);
        if (p->m_bSaveAndValidate && value == 0) {
            AfxMessageBox(L"Base number cannot be zero!");
            p->Fail();
        }
    };
    SetText(kEditB, L"0");
    ::SetFocus(::GetDlgItem(dlg.m_hWnd, kEditA));
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(LastBox(), L"Base number cannot be zero!");
    EXPECT_EQ(IdOf(::GetFocus()), kEditB);
    SetText(kEditB, L"3");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(value, 3);
}

const std::vector<DlgInitItem>* InitItems(std::uint32_t id)
{
    static const std::vector<DlgInitItem> items = {
        {40, 0x0143, L"100"}, {40, 0x0143, L"200"}, {40, 0x0143, L"400"}, {41, 0x0180, L"SC"}, {41, 0x0180, L"TC"}};
    return id == 210 ? &items : nullptr;
}

TEST_F(DdxTest, TemplateListItemsArriveBeforeTheFirstExchange)
{
    AfxSetDlgInitFinder(InitItems);
    TemplateSet lists{{Template(210, L"Lists", 150, 80,
                                {dlgtest::Item(L"ComboBox", L"", 40, 0x0003 | WS_VSCROLL | WS_TABSTOP, 4, 4, 60, 60),
                                 dlgtest::Item(L"ListBox", L"", 41, WS_BORDER | WS_TABSTOP, 70, 4, 60, 40)})}};
    CExchangeDlg d;
    int index = 2;
    CString text = L"4", item = L"TC";  // a prefix selects
    d.exchange = [&](CDataExchange* p) {
        DDX_CBIndex(p, 40, index);
        DDX_CBString(p, 40, text);
        DDX_LBString(p, 41, item);
    };
    ASSERT_TRUE(d.Create(210));
    EXPECT_EQ(::SendDlgItemMessageW(d.m_hWnd, 40, 0x0146, 0, 0), 3);  // CB_GETCOUNT
    EXPECT_EQ(::SendDlgItemMessageW(d.m_hWnd, 40, 0x0147, 0, 0), 2);  // CB_GETCURSEL
    ASSERT_TRUE(d.UpdateData(TRUE));
    EXPECT_EQ(text, CString(L"400"));
    EXPECT_EQ(item, CString(L"TC"));
    EXPECT_EQ(::SendDlgItemMessageW(d.m_hWnd, 41, 0x0188, 0, 0), 1);  // LB_GETCURSEL
    AfxSetDlgInitFinder(nullptr);
}

TEST(DdxMessages, PlaceholdersAreReplacedOnce)
{
    EXPECT_EQ(DdxMessageText(AFX_IDP_PARSE_INT_RANGE, L"%2", L"9"), CString(L"Please enter an integer between %2 and 9."));
    EXPECT_EQ(DdxMessageText(AFX_IDP_PARSE_STRING_SIZE, L"6"), CString(L"Please enter no more than 6 characters."));
}

}  // namespace
