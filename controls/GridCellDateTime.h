// CGridCellDateTime: a cell that holds a time value (the current time when made), shown as its
// date and edited in an in-place date-time control.
#pragma once

#include "controls/GridCell.h"

#include <ctime>

class CGridCellDateTime : public CGridCell {
    DECLARE_DYNCREATE(CGridCellDateTime)
public:
    CGridCellDateTime();

    void SetTime(time_t t);
    time_t GetTime() const { return m_cTime; }
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    DWORD GetStyle() const { return m_dwStyle; }
    // The text a time value is shown as ("2026-12-11").
    static CString FormatTime(time_t t);

    CSize GetCellExtent(CDC* pDC) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void OnEndEdit() override;

protected:
    time_t m_cTime;
    DWORD m_dwStyle = 0;
};
