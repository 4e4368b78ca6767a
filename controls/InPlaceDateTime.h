// CInPlaceDateTime: the date-time control a date-time cell opens over itself. At the end of the
// edit the control's time goes into the cell's time value before the grid hears of the end;
// then the control closes and deletes itself.
#pragma once

#include "platform/ui/controls/CtlMiscClasses.h"

#include <ctime>

class CInPlaceDateTime : public CDateTimeCtrl {
public:
    CInPlaceDateTime(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, COLORREF crFore,
                     COLORREF crBack, time_t* parTime, UINT nFirstChar);
    ~CInPlaceDateTime() override = default;

    void EndEdit();

protected:
    void PostNcDestroy() override { delete this; }
    void OnKillFocus(CWnd* pNewWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    DECLARE_MESSAGE_MAP()

private:
    time_t* m_pTime;
    int m_nRow;
    int m_nCol;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows = FALSE;
    // The grid hands its cell colours over; the editor keeps them but draws in its own.
    [[maybe_unused]] COLORREF m_crForeClr, m_crBackClr;
    bool m_bEnded = false;
};

// Conversions between a time value and the control's broken-down time (local time).
SYSTEMTIME GridTimeToSystemTime(time_t t);
time_t GridSystemTimeToTime(const SYSTEMTIME& st);
