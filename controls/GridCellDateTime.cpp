#include "controls/GridCellDateTime.h"

#include "controls/GridCtrl.h"
#include "controls/InPlaceDateTime.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CGridCellDateTime, CGridCell)

CGridCellDateTime::CGridCellDateTime() : m_cTime(time(nullptr))
{
    m_strText = FormatTime(m_cTime);
}

CString CGridCellDateTime::FormatTime(time_t t)
{
    std::tm tmv{};
    localtime_r(&t, &tmv);
    char buf[32] = {};
    strftime(buf, sizeof buf, "%Y-%m-%d", &tmv);
    CString text;
    for (const char* p = buf; *p; ++p)
        text += wchar_t(*p);
    return text;
}

void CGridCellDateTime::SetTime(time_t t)
{
    m_cTime = t;
    m_strText = FormatTime(t);
}

CSize CGridCellDateTime::GetCellExtent(CDC* pDC)
{
    CSize size = GetTextExtent(GetText(), pDC);
    size.cx += GetSystemMetrics(SM_CXVSCROLL);
    size.cy = std::max(size.cy, LONG(GetSystemMetrics(SM_CYHSCROLL)));
    return size;
}

BOOL CGridCellDateTime::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    BOOL bResult = FALSE;
    if (!BeginEditing(nChar, &bResult))
        return bResult;
    COLORREF crFore = CLR_DEFAULT, crBack = CLR_DEFAULT;
    EditorColours(&crFore, &crBack);
    // The control deletes itself when its window is destroyed.
    m_pEditWnd = new CInPlaceDateTime(m_pGrid, rect, m_dwStyle, nID, nRow, nCol, crFore, crBack, &m_cTime, nChar);
    return TRUE;
}

// The time value is what the edit changed; the text always shows it.
void CGridCellDateTime::OnEndEdit()
{
    CGridCell::OnEndEdit();
    m_strText = FormatTime(m_cTime);
}
