#include "controls/GridURLCell.h"

#include "controls/GridCtrl.h"
#include "platform/gdi/DC.h"
#include "platform/ui/core/WndDC.h"

#include <cwctype>

IMPLEMENT_DYNCREATE(CGridURLCell, CGridCell)

CGridURLCell::LinkOpener CGridURLCell::s_pfnOpener = nullptr;

namespace {

// The prefixes that make a word a link.
const wchar_t* const kUrlPrefixes[] = {L"www.",    L"http://", L"mailto:", L"ftp://",  L"https://", L"news:",
                                       L"gopher://", L"telnet://", L"url:", L"file:", L"ftp."};

BOOL ContainsPrefix(const CString& str)
{
    CString lower = str;
    lower.MakeLower();
    for (const wchar_t* prefix : kUrlPrefixes)
        if (lower.Find(prefix) >= 0)
            return TRUE;
    return FALSE;
}

} // namespace

CGridURLCell::CGridURLCell() : m_clrUrl(GetSysColor(COLOR_HIGHLIGHT)) {}

BOOL CGridURLCell::HasUrl(const CString& str)
{
    return ContainsPrefix(str);
}

BOOL CGridURLCell::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    m_Rect = rect;
    if (!HasUrl(GetText()))
        return CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    const COLORREF crOld = m_crFgClr;
    m_crFgClr = m_clrUrl;
    const BOOL bResult = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    m_crFgClr = crOld;
    return bResult;
}

// The word under the point, found from the average character width of the text and cut at
// spaces, is a link when it contains a prefix.
CString CGridURLCell::GetUrlAt(CPoint PointCellRelative)
{
    const CString text = GetText();
    CGridCtrl* pGrid = GetGrid();
    if (text.IsEmpty() || !pGrid || !pGrid->GetSafeHwnd())
        return CString();
    CClientDC dc(pGrid);
    CFont* pOld = dc.SelectObject(GetFontObject());
    const CSize size = dc.GetTextExtent(text);
    dc.SelectObject(pOld);
    const int nLen = text.GetLength();
    const int nAvg = std::max(1, int(size.cx) / nLen);
    CRect textRect(0, 0, m_Rect.Width(), m_Rect.Height());
    GetTextRect(&textRect);
    const int nIndex = (PointCellRelative.x - int(textRect.left)) / nAvg;
    if (nIndex < 0 || nIndex >= nLen || text[nIndex] == L' ')
        return CString();
    int nStart = nIndex, nEnd = nIndex;
    while (nStart > 0 && text[nStart - 1] != L' ')
        --nStart;
    while (nEnd < nLen && text[nEnd] != L' ')
        ++nEnd;
    const CString word = text.Mid(nStart, nEnd - nStart);
    return HasUrl(word) ? word : CString();
}

void CGridURLCell::OnClick(CPoint PointCellRelative)
{
    const CString url = GetUrlAt(PointCellRelative);
    // Opening a link is the host's decision: without an installed opener nothing happens.
    if (!url.IsEmpty() && m_bLaunchUrl && s_pfnOpener)
        s_pfnOpener(url);
}

BOOL CGridURLCell::OnSetCursor()
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid && pGrid->GetSafeHwnd() && !m_Rect.IsRectEmpty()) {
        CPoint pt;
        GetCursorPos(&pt);
        pGrid->ScreenToClient(&pt);
        if (!GetUrlAt(CPoint(pt.x - m_Rect.left, pt.y - m_Rect.top)).IsEmpty()) {
            ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
    }
    return CGridCell::OnSetCursor();
}
