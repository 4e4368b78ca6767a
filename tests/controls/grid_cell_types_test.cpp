// The further cell types of the grid driven by mouse and keys: the check box, the number cell
// with its in-place edit and the keys that end it, the combo and date cells, and the link cell
// that never opens anything by itself.
#include "controls/GridCellCheck.h"
#include "controls/GridCellCombo.h"
#include "controls/GridCellDateTime.h"
#include "controls/GridCellNumeric.h"
#include "controls/GridURLCell.h"
#include "grid_test_support.h"
#include "platform/ui/controls/CommCtrlDateTime.h"

namespace gridtest {
namespace {

class GridCellTypes : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        ASSERT_TRUE(m_grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCellCheck)));
        ASSERT_TRUE(m_grid.SetCellType(1, 2, RUNTIME_CLASS(CGridCellNumeric)));
        ASSERT_TRUE(m_grid.SetCellType(1, 4, RUNTIME_CLASS(CGridCellCombo)));
        ASSERT_TRUE(m_grid.SetCellType(1, 5, RUNTIME_CLASS(CGridCellDateTime)));
        ASSERT_TRUE(m_grid.SetCellType(1, 6, RUNTIME_CLASS(CGridURLCell)));
        m_grid.SetColumnWidth(4, 80);
        m_grid.SetColumnWidth(5, 100);
        m_grid.SetColumnWidth(6, 200);
    }
    template <class T> T* Cell(int col) { return dynamic_cast<T*>(m_grid.GetCell(1, col)); }
    // Types a character to the focused window and lets posted messages run.
    void Char(wchar_t ch)
    {
        drv.Type(std::wstring(1, ch));
        drv.Pump();
    }
};

TEST_F(GridCellTypes, ClickOnTheCheckBoxTogglesIt)
{
    CGridCellCheck* pCheck = Cell<CGridCellCheck>(1);
    ASSERT_NE(pCheck, nullptr);
    EXPECT_FALSE(pCheck->GetCheck());
    ClickCell(1, 1);
    EXPECT_TRUE(pCheck->GetCheck());
    ClickCell(1, 1);
    EXPECT_FALSE(pCheck->GetCheck());
    // A read-only cell keeps its state.
    m_grid.SetItemState(1, 1, m_grid.GetItemState(1, 1) | GRIDSTATE_READONLY);
    ClickCell(1, 1);
    EXPECT_FALSE(pCheck->GetCheck());
}

TEST_F(GridCellTypes, NumberCellEditsInPlaceAndTheEndKeyDecidesTextAndFocus)
{
    struct Case {
        const char* name;
        UINT vk;
        wchar_t ch;  // the character of the key, 0 for none
        const wchar_t* text;
        int focusCol;
    };
    const Case cases[] = {
        {"Enter", VK_RETURN, L'\r', L"42", 2},
        {"Tab", VK_TAB, L'\t', L"42", 3},
        {"Right", VK_RIGHT, 0, L"42", 3},
        {"Escape", VK_ESCAPE, L'\x1b', L"7", 2},
    };
    for (const Case& c : cases) {
        m_grid.SetItemText(1, 2, L"7");
        m_grid.SetFocus();
        m_grid.SetFocusCell(1, 2);
        drv.Pump();
        Char(L'x');  // opens the edit, which refuses the letter
        CWnd* pEdit = m_grid.GetCell(1, 2)->GetEditWnd();
        ASSERT_NE(pEdit, nullptr) << c.name;
        EXPECT_TRUE(m_grid.IsCellBeingEdited(1, 2)) << c.name;
        Char(L'4');
        Char(L'2');
        CString shown;
        pEdit->GetWindowText(shown);
        EXPECT_EQ(CString(shown), CString(L"42")) << c.name;
        EXPECT_EQ(m_grid.GetItemText(1, 2), CString(L"7")) << c.name;  // nothing written before the end
        if (c.ch)
            drv.Key(c.vk, c.ch);
        else
            drv.Key(c.vk);
        drv.Pump();
        EXPECT_EQ(m_grid.GetItemText(1, 2), CString(c.text)) << c.name;
        EXPECT_EQ(m_grid.GetFocusCell(), CCellID(1, c.focusCol)) << c.name;
        EXPECT_FALSE(m_grid.IsCellBeingEdited(1, 2)) << c.name;
        EXPECT_EQ(m_grid.GetCell(1, 2)->GetEditWnd(), nullptr) << c.name;
    }
}

TEST_F(GridCellTypes, ComboAndDateCellsEndWithTheirValue)
{
    CGridCellCombo* pCombo = Cell<CGridCellCombo>(4);
    ASSERT_NE(pCombo, nullptr);
    pCombo->SetOptions({L"red", L"green", L"blue"});
    pCombo->SetStyle(CBS_DROPDOWNLIST);
    m_grid.SetItemText(1, 4, L"red");
    m_grid.SetFocus();
    m_grid.SetFocusCell(1, 4);
    drv.Pump();
    Char(L'g');
    CWnd* pList = pCombo->GetEditWnd();
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->SendMessage(CB_GETCURSEL), 0);  // the cell's text is the selected option
    pList->SendMessage(CB_SETCURSEL, 2);
    drv.Key(VK_RETURN, L'\r');
    drv.Pump();
    EXPECT_EQ(m_grid.GetItemText(1, 4), CString(L"blue"));
    EXPECT_EQ(pCombo->GetEditWnd(), nullptr);
    EXPECT_EQ(pCombo->GetOption(1), CString(L"green"));
    EXPECT_EQ(pCombo->GetOption(3), CString());

    CGridCellDateTime* pDate = Cell<CGridCellDateTime>(5);
    ASSERT_NE(pDate, nullptr);
    std::tm tmv{};
    tmv.tm_year = 2024 - 1900;
    tmv.tm_mon = 1;
    tmv.tm_mday = 29;
    tmv.tm_hour = 12;
    tmv.tm_isdst = -1;
    pDate->SetTime(mktime(&tmv));
    EXPECT_EQ(m_grid.GetItemText(1, 5), CString(L"2024-02-29"));
    m_grid.SetFocusCell(1, 5);
    drv.Pump();
    Char(L'x');
    CWnd* pPicker = pDate->GetEditWnd();
    ASSERT_NE(pPicker, nullptr);
    SYSTEMTIME st{};
    pPicker->SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_EQ(st.wDay, 29);
    st.wMonth = 3;
    st.wDay = 1;
    pPicker->SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    drv.Key(VK_RETURN, L'\r');
    drv.Pump();
    EXPECT_EQ(m_grid.GetItemText(1, 5), CString(L"2024-03-01"));
    EXPECT_EQ(pDate->GetEditWnd(), nullptr);
}

std::vector<CString> g_opened;
BOOL RecordLink(LPCTSTR link)
{
    g_opened.emplace_back(link);
    return TRUE;
}

TEST_F(GridCellTypes, LinkCellOpensNothingByItself)
{
    CGridURLCell* pLink = Cell<CGridURLCell>(6);
    ASSERT_NE(pLink, nullptr);
    m_grid.SetItemText(1, 6, L"www.example.com");
    EXPECT_TRUE(pLink->GetAutoLaunchUrl());
    m_grid.UpdateWindow();
    CRect rect;
    ASSERT_TRUE(m_grid.GetCellRect(1, 6, &rect));
    const CPoint onLink(rect.left + 12, rect.CenterPoint().y);
    g_opened.clear();
    drv.Click(ScreenOf(onLink));
    drv.Pump();
    EXPECT_TRUE(g_opened.empty());  // no opener installed: nothing is started
    // A host that installs an opener gets the clicked link, and nothing when auto-launch is off.
    CGridURLCell::SetLinkOpener(&RecordLink);
    drv.Click(ScreenOf(onLink));
    drv.Pump();
    pLink->SetAutoLaunchUrl(FALSE);
    drv.Click(ScreenOf(onLink));
    drv.Pump();
    CGridURLCell::SetLinkOpener(nullptr);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0], CString(L"www.example.com"));
    // The link cell opens no editor.
    Char(L'x');
    EXPECT_EQ(pLink->GetEditWnd(), nullptr);
}

} // namespace
} // namespace gridtest
