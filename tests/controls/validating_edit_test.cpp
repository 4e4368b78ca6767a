// Validating edits driven with real keystrokes in a dialog: what typing, pasting and setting
// leave in a numeric edit, what the focus-loss check does with each flag, and the "##:##"
// masked edit of the simulation bar.
#include "BarTestSupport.h"

#include "controls/MaskedEdit.h"
#include "controls/NumericEdit.h"
#include "platform/ui/core/Clipboard.h"
#include "platform/ui/dialogs/Dlg.h"

#include <memory>

namespace bartest {
namespace {

constexpr UINT kFirst = 10, kSecond = 11, kThird = 12;

class ValidatingEditTest : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        m_tmpl.id = 9301;
        m_tmpl.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
        m_tmpl.cx = 160;
        m_tmpl.cy = 90;
        for (UINT id : {kFirst, kSecond, kThird}) {
            DialogItem item;
            item.className = L"Edit";
            item.id = id;
            item.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
            item.x = 10;
            item.y = 10 + 20 * int(id - kFirst);
            item.cx = 80;
            item.cy = 14;
            m_tmpl.items.push_back(item);
        }
        ASSERT_TRUE(m_dlg.CreateIndirect(&m_tmpl, m_pFrame));
    }
    void TearDown() override
    {
        m_dlg.DestroyWindow();
        BarTest::TearDown();
    }
    // A numeric edit on item nId, focused, holding `text` with the selection s..e.
    std::unique_ptr<CNumericEdit> Numeric(int whole, int decimals, UINT flags = 0, UINT nId = kFirst)
    {
        auto edit = std::make_unique<CNumericEdit>(whole, decimals);
        EXPECT_TRUE(edit->SubclassDlgItem(nId, &m_dlg));
        edit->ModifyFlags(flags, 0);
        return edit;
    }
    void Prepare(CValidatingEdit& edit, const wchar_t* text, int s, int e)
    {
        edit.SetFocus();
        edit.SetText(text);
        edit.SetSel(s, e);
        drv.Pump();
    }
    static std::pair<int, int> Sel(CEdit& edit)
    {
        int s = 0, e = 0;
        edit.GetSel(s, e);
        return {s, e};
    }

    DialogTemplate m_tmpl;
    CDialog m_dlg;
};

struct TypingCase {
    const char* what;
    int whole, decimals;
    UINT flags;
    const wchar_t* start;
    int selStart, selEnd;
    const wchar_t* typed;
    const wchar_t* expect;
};

TEST_F(ValidatingEditTest, TypingKeepsTheNumberInItsShape)
{
    const UINT noNeg = CEditBehavior::NoNegative, after = CEditBehavior::DecimalAfterWholeDigits;
    const TypingCase cases[] = {
        {"integer refuses the point", 9, 0, 0, L"", 0, 0, L"12.5", L"125"},
        {"decimals stop at their count", 5, 2, 0, L"", 0, 0, L"3.14159", L"3.14"},
        {"full whole part refuses behind its last digit", 5, 2, 0, L"12345", 5, 5, L"6", L"12345"},
        {"the point comes in by itself", 5, 2, after, L"12345", 5, 5, L"6", L"12345.6"},
        {"integer has no point to bring in", 5, 0, after, L"12345", 5, 5, L"6", L"12345"},
        {"full whole part types over", 5, 2, 0, L"12345", 0, 0, L"9", L"92345"},
        {"a selection makes room", 5, 2, 0, L"12345", 1, 3, L"9", L"1945"},
        {"minus in the middle toggles", 5, 2, 0, L"42", 1, 1, L"-", L"-42"},
        {"minus twice toggles back", 5, 2, 0, L"42", 1, 1, L"--", L"42"},
        {"minus at the start types over the sign", 5, 2, 0, L"-42", 0, 0, L"-", L"-42"},
        {"no negatives refuses the sign", 5, 2, noNeg, L"42", 1, 1, L"-", L"42"},
        {"a second point jumps behind the first", 5, 2, 0, L"1.5", 0, 0, L".7", L"1.75"},
        {"full decimals type over", 5, 2, 0, L"1.25", 2, 2, L"9", L"1.95"},
        {"full decimals refuse at the end", 5, 2, 0, L"1.25", 4, 4, L"9", L"1.25"},
        {"letters are refused", 5, 2, 0, L"12", 2, 2, L"ab", L"12"},
    };
    for (const TypingCase& c : cases) {
        auto edit = Numeric(c.whole, c.decimals, c.flags);
        Prepare(*edit, c.start, c.selStart, c.selEnd);
        drv.Type(c.typed);
        drv.Pump();
        EXPECT_EQ(edit->GetText(), CString(c.expect)) << c.what;
        edit->UnsubclassWindow();
    }
}

TEST_F(ValidatingEditTest, MinusKeepsTheCaretOnItsDigit)
{
    auto edit = Numeric(5, 2);
    Prepare(*edit, L"42", 1, 1);
    drv.Type(L"-");
    drv.Pump();
    EXPECT_EQ(Sel(*edit), std::make_pair(2, 2));
    drv.Type(L"-");
    drv.Pump();
    EXPECT_EQ(Sel(*edit), std::make_pair(1, 1));
    edit->UnsubclassWindow();
}

struct PasteCase {
    const char* what;
    int whole, decimals;
    UINT flags;
    const wchar_t* pasted;
    const wchar_t* expect;
};

TEST_F(ValidatingEditTest, PastedAndSetTextIsCutToItsValidForm)
{
    const PasteCase cases[] = {
        {"letters dropped", 9, 0, 0, L"12a34", L"1234"},
        {"sign refused", 5, 2, CEditBehavior::NoNegative, L"-42", L"42"},
        {"sign moved to the front", 5, 2, 0, L"4-2", L"-42"},
        {"decimals cut", 5, 2, 0, L"3.14159", L"3.14"},
        {"second point ends the number", 5, 2, 0, L"1.2.3", L"1.23"},
        {"whole digits cut", 5, 0, 0, L"12345678", L"12345"},
        {"point ends an integer", 4, 0, 0, L"12.75", L"12"},
    };
    for (const PasteCase& c : cases) {
        auto edit = Numeric(c.whole, c.decimals, c.flags);
        Prepare(*edit, L"", 0, 0);
        ASSERT_TRUE(AfxSetClipboardText(c.pasted));
        edit->Paste();
        drv.Pump();
        EXPECT_EQ(edit->GetText(), CString(c.expect)) << c.what << " (pasted)";
        edit->SetText(c.pasted);
        EXPECT_EQ(edit->GetText(), CString(c.expect)) << c.what << " (set)";
        edit->UnsubclassWindow();
    }
}

TEST_F(ValidatingEditTest, InvalidPasteRestoresTheSelectionBeforeIt)
{
    auto edit = Numeric(9, 0);
    Prepare(*edit, L"5", 1, 1);
    ASSERT_TRUE(AfxSetClipboardText(L"12a34"));
    edit->Paste();
    EXPECT_EQ(edit->GetText(), CString(L"51234"));
    EXPECT_EQ(Sel(*edit), std::make_pair(1, 1));
    edit->UnsubclassWindow();
}

TEST_F(ValidatingEditTest, SetDoubleCutsDecimalsAndPadsWhenAsked)
{
    CIntegerEdit integer(9);
    ASSERT_TRUE(integer.SubclassDlgItem(kFirst, &m_dlg));
    integer.SetDouble(2.75, TRUE);
    EXPECT_EQ(integer.GetText(), CString(L"2"));
    EXPECT_EQ(integer.GetInt(), 2);
    CNumericEdit numeric(5, 2);
    ASSERT_TRUE(numeric.SubclassDlgItem(kSecond, &m_dlg));
    numeric.SetDouble(1.23456, TRUE);
    EXPECT_EQ(numeric.GetText(), CString(L"1.23"));
    EXPECT_DOUBLE_EQ(numeric.GetDouble(), 1.23);
    numeric.SetDouble(-7.0, TRUE);
    EXPECT_EQ(numeric.GetText(), CString(L"-7"));
    numeric.ModifyFlags(CEditBehavior::PadDecimalsOnSet, 0);
    numeric.SetText(L"5");
    EXPECT_EQ(numeric.GetText(), CString(L"5.00"));
    integer.UnsubclassWindow();
    numeric.UnsubclassWindow();
}

struct FocusLossCase {
    const char* what;
    int whole, decimals;
    UINT flags;
    double min, max;
    const wchar_t* text;
    const wchar_t* expect;
    const wchar_t* message;  // the range message shown, null for none
    bool focusBack;
};

TEST_F(ValidatingEditTest, LeavingTheFieldChecksWhatTheFlagsAsk)
{
    using B = CEditBehavior;
    const double lo = -DBL_MAX, hi = DBL_MAX;
    const FocusLossCase cases[] = {
        {"no check flags: nothing", 5, 2, 0, 0, 10, L"12", L"12", nullptr, false},
        {"clamped above", 5, 2, B::FixIfInvalid, 0, 10, L"12", L"10", nullptr, false},
        {"clamped below", 5, 2, B::FixIfInvalid, 0, 10, L"-3.5", L"0", nullptr, false},
        {"leading zeros trimmed", 5, 2, B::TrimLeadingZeros, lo, hi, L"007.5", L"7.5", nullptr, false},
        {"zero before a point", 5, 2, B::TrimLeadingZeros, lo, hi, L"-00.5", L"-0.5", nullptr, false},
        {"decimals padded", 5, 2, B::PadDecimalsOnExit, lo, hi, L"3", L"3.00", nullptr, false},
        {"empty padded to zero", 5, 2, B::PadDecimalsOnExit, lo, hi, L"", L"0.00", nullptr, false},
        {"whole digits padded", 4, 0, B::PadWholeDigits, lo, hi, L"42", L"0042", nullptr, false},
        {"empty skipped", 5, 2, B::SkipChecksIfEmpty | B::RefocusIfEmpty | B::ReportIfEmpty, 1, 10, L"", L"", nullptr,
         false},
        {"range reported", 5, 2, B::RefocusIfInvalid | B::ReportIfInvalid, 0, 10, L"12", L"12",
         L"Please specify a numeric value between 0 and 10.", true},
        {"only a minimum", 5, 2, B::RefocusIfInvalid | B::ReportIfInvalid, 2.5, hi, L"1", L"1",
         L"Please specify a numeric value greater than or equal to 2.5.", true},
        {"empty refused", 5, 2, B::RefocusIfEmpty | B::ReportIfEmpty, lo, 10, L"", L"",
         L"Please specify a numeric value less than or equal to 10.", true},
        {"refocus without a report", 5, 2, B::RefocusIfInvalid, 0, 10, L"12", L"12", nullptr, true},
    };
    CWnd* pOther = m_dlg.GetDlgItem(int(kThird));
    for (const FocusLossCase& c : cases) {
        auto edit = Numeric(c.whole, c.decimals, c.flags);
        edit->SetRange(c.min, c.max);
        Prepare(*edit, c.text, 0, 0);
        drv.Host().ClearMessageBoxes();
        pOther->SetFocus();
        drv.Pump();
        EXPECT_EQ(edit->GetText(), CString(c.expect)) << c.what;
        const auto& boxes = drv.Host().MessageBoxes();
        if (c.message) {
            ASSERT_EQ(boxes.size(), 1u) << c.what;
            EXPECT_EQ(boxes[0].text, std::wstring(c.message)) << c.what;
        } else {
            EXPECT_TRUE(boxes.empty()) << c.what;
        }
        EXPECT_EQ(CWnd::GetFocus() == edit.get(), c.focusBack) << c.what;
        EXPECT_EQ(CNumericBehavior::PendingRefocus(), nullptr) << c.what;
        edit->UnsubclassWindow();
    }
}

TEST_F(ValidatingEditTest, TwoInvalidFieldsDoNotBounceTheFocus)
{
    const UINT flags = CEditBehavior::RefocusIfInvalid | CEditBehavior::ReportIfInvalid;
    auto first = Numeric(5, 0, flags, kFirst);
    auto second = Numeric(5, 0, flags, kSecond);
    first->SetRange(0, 10);
    second->SetRange(0, 10);
    second->SetText(L"99");
    Prepare(*first, L"50", 0, 0);
    drv.Host().ClearMessageBoxes();
    second->SetFocus();
    drv.Pump();
    EXPECT_EQ(CWnd::GetFocus(), first.get());
    EXPECT_EQ(drv.Host().MessageBoxes().size(), 1u);
    first->UnsubclassWindow();
    second->UnsubclassWindow();
}

TEST_F(ValidatingEditTest, TheClockMaskOverwritesInsteadOfShortening)
{
    CMaskedEdit edit(L"##:##");
    ASSERT_TRUE(edit.SubclassDlgItem(kFirst, &m_dlg));
    Prepare(edit, L"12:34", 5, 5);
    drv.Key(VK_BACK, L'\b');
    drv.Pump();
    EXPECT_EQ(edit.GetText(), CString(L"12:30"));
    EXPECT_EQ(Sel(edit), std::make_pair(4, 4));
    edit.SetSel(3, 3);  // right after ':' backspace only moves
    drv.Key(VK_BACK, L'\b');
    drv.Pump();
    EXPECT_EQ(edit.GetText(), CString(L"12:30"));
    EXPECT_EQ(Sel(edit), std::make_pair(2, 2));
    edit.SetSel(1, 1);
    drv.Key(VK_DELETE, 0, true);
    drv.Pump();
    EXPECT_EQ(edit.GetText(), CString(L"12:30"));  // swallowed in the middle
    Prepare(edit, L"12", 2, 2);
    drv.Type(L"5");
    drv.Pump();
    EXPECT_EQ(edit.GetText(), CString(L"12:5"));  // the ':' is filled in
    drv.Type(L"x7");
    drv.Pump();
    EXPECT_EQ(edit.GetText(), CString(L"12:57"));
    drv.Type(L"8");
    drv.Pump();
    EXPECT_EQ(edit.GetText(), CString(L"12:57"));  // the mask is full
    edit.SetText(L"1a:34");
    EXPECT_EQ(edit.GetText(), CString(L"1"));
    edit.SetText(L"09:15");
    EXPECT_EQ(edit.GetNumericText(), CString(L"0915"));
    edit.UnsubclassWindow();
}

}  // namespace
}  // namespace bartest
