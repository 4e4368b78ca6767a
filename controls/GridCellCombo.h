// CGridCellCombo: a cell that picks its text from a list of options in an in-place combo box
// (an editable drop-down by default, or a drop-down list).
#pragma once

#include "controls/GridCell.h"

#include <vector>

class CGridCellCombo : public CGridCell {
    DECLARE_DYNCREATE(CGridCellCombo)
public:
    CGridCellCombo() = default;

    void SetOptions(const std::vector<CString>& options) { m_Strings = options; }
    CString GetOption(int nIndex) const;
    int GetOptionCount() const { return int(m_Strings.size()); }
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    DWORD GetStyle() const { return m_dwStyle; }

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;

protected:
    std::vector<CString> m_Strings;
    DWORD m_dwStyle = 2;  // a drop-down with an edit part
};
