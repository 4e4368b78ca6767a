// Message-text fields in the control library's grid: the grid sees a field's place, kind and
// selection through the field itself, copies it whole, and owns the fields of its lines.
#include "controls/GridCtrl.h"
#include "msgtext/Widget.h"
#include "platform/host/HeadlessHost.h"

#include <gtest/gtest.h>

namespace {

TEST(GridWidgetField, TheGridMovesWholeCopiesOfFields)
{
    CHeadlessDriver drv;
    CGridCtrl grid(5, 25, 1, 1);
    auto* pScope = new CWidget(40, 20, 80, 90, RGB(0, 128, 128));
    pScope->m_nRow = 2;
    pScope->m_nCol = 3;
    pScope->m_nWidth = 4;
    pScope->m_nType = widgetScope;
    pScope->m_nNumber = 9003;
    pScope->m_nMinValue = -5;
    pScope->m_nMaxValue = 500;
    pScope->m_strStatusName[10] = L"ON";
    grid.m_arShownFields[2].push_back(pScope);  // the grid owns it from here

    CGridField* pField = pScope;
    EXPECT_EQ(pField->GetFieldHeight(), 3);
    EXPECT_EQ(pField->GetFieldRect(), CRect(40, 20, 120, 110));
    pField->SetFieldSelected(TRUE);
    EXPECT_TRUE(pScope->m_bSelected);

    std::unique_ptr<CGridField> pCopy(pField->CloneField());
    auto* pWidget = dynamic_cast<CWidget*>(pCopy.get());
    ASSERT_NE(pWidget, nullptr);
    EXPECT_TRUE(pWidget->IsKindOf(RUNTIME_CLASS(CWidget)));
    EXPECT_EQ(pWidget->m_nNumber, 9003);
    EXPECT_EQ(pWidget->m_nMaxValue, 500);
    EXPECT_EQ(pWidget->m_strStatusName[10], CString(L"ON"));
    EXPECT_EQ(pWidget->m_nType, widgetScope);

    // A scope may start in row 1 or 2 only.
    int placed = -1;
    EXPECT_FALSE(grid.CanPlaceField(pScope, 3, 5, &placed));
}

} // namespace
