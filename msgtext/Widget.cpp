#include "msgtext/Widget.h"

#include "document/TavixDoc.h"

#include <algorithm>
#include <climits>

IMPLEMENT_SERIAL(CWidget, CGridField, VERSIONABLE_SCHEMA | 1)

namespace {

// Default width in cells of a field showing each item code.
const int kFieldWidths[145] = {
    6, 10, 8, 10, 7, 7, 7, 7, 6, 6,  // 0-9
    7, 7, 7, 7, 7, 7, 6, 6, 6, 5,    // 10-19
    5, 6, 7, 7, 7, 7, 6, 6, 7, 7,    // 20-29
    7, 7, 7, 3, 8, 5, 5, 4, 4, 7,    // 30-39
    7, 7, 5, 5, 7, 5, 5, 7, 5, 5,    // 40-49
    6, 6, 6, 6, 6, 6, 6, 6, 6, 7,    // 50-59
    6, 6, 6, 6, 6, 8, 8, 9, 7, 7,    // 60-69
    7, 7, 7, 7, 7, 11, 11, 4, 8, 8,  // 70-79
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7,    // 80-89
    7, 6, 6, 6, 6, 7, 7, 7, 7, 5,    // 90-99
    4, 4, 7, 7, 7, 7, 6, 6, 7, 7,    // 100-109
    7, 5, 6, 7, 7, 7, 7, 7, 7, 7,    // 110-119
    7, 7, 7, 9, 7, 7, 8, 8, 7, 7,    // 120-129
    5, 4, 8, 8, 8, 8, 8, 7, 8, 8,    // 130-139
    7, 7, 7, 8, 7,                   // 140-144
};

// Cells of a line below machine type 'Q'.
constexpr int kOldLastColumn = 12;

int ClampToInt(long long v)
{
    return int(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace

CWidget::CWidget()
    : m_crColor(0), m_nRow(-1), m_nCol(-1), m_pBlock(nullptr), m_nNumber(-1), m_nItem(-1),
      m_nType(-1), m_nWidth(0), m_pDoc(nullptr), m_bSelected(FALSE), m_nValueIndex(0),
      m_nMinValue(0), m_nMaxValue(0), m_nSetting(0)
{
    SetDefaultNames();
}

CWidget::CWidget(int x, int y, int cx, int cy, COLORREF cr)
    : m_rect(x, y, x + cx, y + cy), m_crColor(cr), m_nRow(-1), m_nCol(-1), m_pBlock(nullptr),
      m_nNumber(-1), m_nItem(-1), m_nType(-1), m_nWidth(0), m_pDoc(nullptr),
      m_bSelected(FALSE), m_nValueIndex(0), m_nMinValue(0), m_nMaxValue(0), m_nSetting(0)
{
    SetDefaultNames();
}

CWidget::~CWidget()
{
    m_pBlock = nullptr;
    m_pDoc = nullptr;
}

void CWidget::SetDefaultNames()
{
    for (int row = 0; row < nameRows; ++row) {
        for (int col = 0; col < nameCols; ++col)
            m_strStatusName[row * nameCols + col] = (row == 0 || col == 0) ? L"W" : L" ";
    }
}

int CWidget::GetDefaultWidth(int nItem)
{
    if (nItem < 0 || nItem >= int(sizeof(kFieldWidths) / sizeof(kFieldWidths[0])))
        return 0;
    return kFieldWidths[nItem];
}

BOOL CWidget::HitTest(POINT pt) const
{
    return m_rect.PtInRect(pt);
}

void CWidget::CopyTo(CWidget* pDst) const
{
    if (pDst == nullptr || pDst == this)
        return;
    pDst->m_crColor = m_crColor;
    pDst->m_nWidth = m_nWidth;
    pDst->m_nNumber = m_nNumber;
    pDst->m_pBlock = m_pBlock;
    pDst->m_nType = m_nType;
    pDst->m_nItem = m_nItem;
    pDst->m_nRow = m_nRow;
    pDst->m_nCol = m_nCol;
    pDst->m_rect = m_rect;
    pDst->m_strText = m_strText;
    pDst->m_bSelected = m_bSelected;
    for (int i = 0; i < nameRows * nameCols; ++i)
        pDst->m_strStatusName[i] = m_strStatusName[i];
    pDst->m_nValueIndex = m_nValueIndex;
    pDst->m_nMinValue = m_nMinValue;
    pDst->m_nMaxValue = m_nMaxValue;
    pDst->m_nSetting = m_nSetting;
}

void CWidget::FixOldWidth()
{
    const int w = GetDefaultWidth(m_nItem);
    // Without a stored width or a table width there is nothing to scale by: keep the field.
    if (w <= 0 || m_nWidth <= 0 || m_nWidth == w)
        return;
    // 64-bit arithmetic: a damaged record may hold any coordinates.
    const long long cell = (static_cast<long long>(m_rect.right) - m_rect.left) / m_nWidth;
    const long long overflow = static_cast<long long>(w) + m_nCol - (kOldLastColumn + 1);
    if (overflow > 0) {
        m_nCol = ClampToInt(m_nCol - overflow);
        m_rect.left = ClampToInt(m_rect.left - overflow * cell);
    } else {
        m_rect.right = ClampToInt(m_rect.left + cell * w);
    }
    m_nWidth = w;
}

void CWidget::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        RECT rc = m_rect;
        ar.Write(&rc, sizeof(rc));
        ar << int(m_crColor) << m_nRow << m_nCol << m_nNumber << m_nItem;
        ar << m_strText;
        ar << m_nType << m_nWidth;
        for (const CString& name : m_strStatusName)
            ar << name;
        ar << m_nValueIndex << m_nMinValue << m_nMaxValue << m_nSetting;
        return;
    }

    RECT rc{};
    ar.Read(&rc, sizeof(rc));
    m_rect = rc;
    int color = 0;
    ar >> color >> m_nRow >> m_nCol >> m_nNumber >> m_nItem;
    m_crColor = COLORREF(color);
    ar >> m_strText;
    ar >> m_nType >> m_nWidth;

    m_pDoc = static_cast<CTavixDoc*>(ar.m_pDocument);
    if (m_pDoc != nullptr && !m_pDoc->IsNewModel())
        FixOldWidth();
    m_pBlock = m_pDoc != nullptr ? m_pDoc->FindBlockByNumber(m_nNumber) : nullptr;

    const UINT schema = ar.GetObjectSchema();
    if (schema == 0)
        return;
    if (schema != 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
    for (CString& name : m_strStatusName)
        ar >> name;
    ar >> m_nValueIndex >> m_nMinValue >> m_nMaxValue >> m_nSetting;
}
