#include "controls/InPlaceDateTime.h"

#include "controls/GridCellDateTime.h"
#include "controls/InPlaceEdit.h"
#include "platform/ui/core/MessageMap.h"

SYSTEMTIME GridTimeToSystemTime(time_t t)
{
    std::tm tmv{};
    localtime_r(&t, &tmv);
    SYSTEMTIME st{};
    st.wYear = WORD(tmv.tm_year + 1900);
    st.wMonth = WORD(tmv.tm_mon + 1);
    st.wDayOfWeek = WORD(tmv.tm_wday);
    st.wDay = WORD(tmv.tm_mday);
    st.wHour = WORD(tmv.tm_hour);
    st.wMinute = WORD(tmv.tm_min);
    st.wSecond = WORD(tmv.tm_sec);
    return st;
}

time_t GridSystemTimeToTime(const SYSTEMTIME& st)
{
    std::tm tmv{};
    tmv.tm_year = st.wYear - 1900;
    tmv.tm_mon = st.wMonth - 1;
    tmv.tm_mday = st.wDay;
    tmv.tm_hour = st.wHour;
    tmv.tm_min = st.wMinute;
    tmv.tm_sec = st.wSecond;
    tmv.tm_isdst = -1;
    return mktime(&tmv);
}

BEGIN_MESSAGE_MAP(CInPlaceDateTime, CDateTimeCtrl)
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CInPlaceDateTime::CInPlaceDateTime(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                                   COLORREF crFore, COLORREF crBack, time_t* parTime, UINT nFirstChar)
    : m_pTime(parTime), m_nRow(nRow), m_nCol(nColumn), m_crForeClr(crFore), m_crBackClr(crBack)
{
    const DWORD dwStl = WS_BORDER | WS_VISIBLE | WS_CHILD | DTS_UPDOWN | dwStyle;
    if (!Create(dwStl, rect, pParent, nID))
        return;
    const SYSTEMTIME st = GridTimeToSystemTime(*m_pTime);
    SetTime(&st);
    SetFont(pParent->GetFont());
    SetFocus();
    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
    case VK_NEXT:
    case VK_PRIOR:
    case VK_HOME:
    case VK_END:
        return;
    default:
        break;
    }
    SendMessage(WM_CHAR, nFirstChar);
}

void CInPlaceDateTime::OnKillFocus(CWnd* pNewWnd)
{
    CDateTimeCtrl::OnKillFocus(pNewWnd);
    // The control's own parts (its calendar, its up-down buttons) keep the edit open.
    if (pNewWnd && (pNewWnd == this || IsChild(pNewWnd)))
        return;
    EndEdit();
}

void CInPlaceDateTime::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!LeavesOnArrow(this, &m_nLastChar, nChar, m_bExitOnArrows))
        CDateTimeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceDateTime::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!LeavesOnKey(this, &m_nLastChar, nChar))
        CDateTimeCtrl::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CInPlaceDateTime::EndEdit()
{
    if (m_bEnded || !GetSafeHwnd())
        return;
    m_bEnded = true;
    SYSTEMTIME st{};
    if (GetTime(&st) == GDT_VALID)
        *m_pTime = GridSystemTimeToTime(st);
    SendInPlaceEditEnd(this, m_nRow, m_nCol, CGridCellDateTime::FormatTime(*m_pTime), m_nLastChar);
    PostMessage(WM_CLOSE);
}
