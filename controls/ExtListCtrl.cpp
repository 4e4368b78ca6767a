// CExtListCtrl: rows and their cell records, clicks on check boxes and header check boxes, and
// the painting of every cell.
#include "controls/ExtListCtrl.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

#include <algorithm>

namespace {
// The list view's image list of small icons (LVM_GETIMAGELIST).
constexpr WPARAM kSmallImageList = 1;
}  // namespace

const UINT WM_XLISTCTRL_COMBO_SELECTION = ::RegisterWindowMessageW(L"WM_XLISTCTRL_COMBO_SELECTION");
const UINT WM_XLISTCTRL_CHECKBOX_CLICKED = ::RegisterWindowMessageW(L"WM_XLISTCTRL_CHECKBOX_CLICKED");

IMPLEMENT_DYNAMIC(CExtListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CExtListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_LBUTTONDOWN()
    // A quick second click on a check box is a click too.
    TVX_MOUSE_(WM_LBUTTONDBLCLK, OnLButtonDown)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_NOTIFY_REFLECT(LVN_DELETEITEM, OnDeleteItemNotify)
END_MESSAGE_MAP()

CExtListCtrl::CExtListCtrl()
{
    ReadSysColors();
}

CExtListCtrl::~CExtListCtrl() = default;

void CExtListCtrl::ReadSysColors()
{
    m_cr3DFace = ::GetSysColor(COLOR_3DFACE);
    m_cr3DHighLight = ::GetSysColor(COLOR_3DHIGHLIGHT);
    m_cr3DShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_crBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_crBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_crBtnText = ::GetSysColor(COLOR_BTNTEXT);
    m_crGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_crHighLight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_crHighLightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_crWindow = ::GetSysColor(COLOR_WINDOW);
    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
}

void CExtListCtrl::OnSysColorChange()
{
    CListCtrl::OnSysColorChange();
    ReadSysColors();
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Header

void CExtListCtrl::SubclassHeader()
{
    if (m_bHeaderIsSubclassed)
        return;
    HWND hHeader = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (hHeader && m_HeaderCtrl.SubclassWindow(hHeader))
        m_bHeaderIsSubclassed = TRUE;
}

int CExtListCtrl::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CListCtrl::OnCreate(lpcs) == -1)
        return -1;
    SubclassHeader();
    return 0;
}

void CExtListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    SubclassHeader();
}

int CExtListCtrl::CountColumns() const
{
    HWND hHeader = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    return hHeader ? int(::SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CExtListCtrl::GetHeaderCheck(int nSubItem) const
{
    if (nSubItem < 0 || nSubItem >= CountColumns())
        return -1;
    HWND hHeader = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    HDITEMW hdi{};
    hdi.mask = HDI_IMAGE;
    ::SendMessageW(hHeader, HDM_GETITEMW, WPARAM(nSubItem), reinterpret_cast<LPARAM>(&hdi));
    return hdi.iImage;
}

void CExtListCtrl::SetHeaderCheck(int nSubItem, int nCheckedState)
{
    if (nSubItem < 0 || nSubItem >= CountColumns())
        return;
    HWND hHeader = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    HDITEMW hdi{};
    hdi.mask = HDI_IMAGE;
    ::SendMessageW(hHeader, HDM_GETITEMW, WPARAM(nSubItem), reinterpret_cast<LPARAM>(&hdi));
    hdi.iImage = nCheckedState;
    ::SendMessageW(hHeader, HDM_SETITEMW, WPARAM(nSubItem), reinterpret_cast<LPARAM>(&hdi));
}

void CExtListCtrl::UpdateHeaderCheck(int nSubItem)
{
    const int nHeader = GetHeaderCheck(nSubItem);
    if (nHeader != 1 && nHeader != 2)
        return;
    const int nState = CountCheckedRows(nSubItem) == GetItemCount() ? 2 : 1;
    if (nState != nHeader) {
        SetHeaderCheck(nSubItem, nState);
        if (m_HeaderCtrl.GetSafeHwnd())
            m_HeaderCtrl.UpdateWindow();
    }
}

int CExtListCtrl::CountCheckedRows(int nSubItem) const
{
    int n = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        const XLISTCTRLDATA* pCell = Cell(i, nSubItem);
        n += pCell && pCell->nCheckedState == 1;
    }
    return n;
}

// ---------------------------------------------------------------------------------------------
// Rows and records

std::vector<XLISTCTRLDATA>* CExtListCtrl::Records(int nItem) const
{
    if (nItem < 0 || nItem >= GetItemCount())
        return nullptr;
    return reinterpret_cast<std::vector<XLISTCTRLDATA>*>(CListCtrl::GetItemData(nItem));
}

XLISTCTRLDATA* CExtListCtrl::Cell(int nItem, int nSubItem) const
{
    std::vector<XLISTCTRLDATA>* pRecords = Records(nItem);
    if (pRecords == nullptr || nSubItem < 0 || nSubItem >= int(pRecords->size()))
        return nullptr;
    return &(*pRecords)[size_t(nSubItem)];
}

BOOL CExtListCtrl::InRange(int nItem, int nSubItem) const
{
    return nItem >= 0 && nItem < GetItemCount() && nSubItem >= 0 && nSubItem < CountColumns();
}

void CExtListCtrl::FreeRecords(int nItem)
{
    delete Records(nItem);
    CListCtrl::SetItemData(nItem, 0);
}

int CExtListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    if (nItem < 0)
        return -1;
    return InsertItem(nItem, lpszItem, m_crWindowText, m_crWindow);
}

int CExtListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, COLORREF crText, COLORREF crBackground)
{
    const int nRow = CListCtrl::InsertItem(nItem, lpszItem);
    if (nRow < 0)
        return -1;
    auto* pRecords = new (std::nothrow) std::vector<XLISTCTRLDATA>(size_t(std::max(1, CountColumns())));
    if (pRecords == nullptr)
        return -1;
    for (XLISTCTRLDATA& cell : *pRecords) {
        cell.crText = m_crWindowText;
        cell.crBackground = m_crWindow;
    }
    (*pRecords)[0].crText = crText;
    (*pRecords)[0].crBackground = crBackground;
    CListCtrl::SetItemData(nRow, reinterpret_cast<DWORD_PTR>(pRecords));
    return nRow;
}

BOOL CExtListCtrl::DeleteItem(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    FreeRecords(nItem);
    return CListCtrl::DeleteItem(nItem);
}

BOOL CExtListCtrl::DeleteAllItems()
{
    for (int i = 0; i < GetItemCount(); ++i)
        FreeRecords(i);
    return CListCtrl::DeleteAllItems();
}

void CExtListCtrl::OnDeleteItemNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    // Rows deleted by other means free their records too.
    auto* pNM = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    delete reinterpret_cast<std::vector<XLISTCTRLDATA>*>(pNM->lParam);
    if (pNM->lParam)
        CListCtrl::SetItemData(pNM->iItem, 0);
    *pResult = 0;
}

void CExtListCtrl::OnDestroy()
{
    for (int i = 0; i < GetItemCount(); ++i)
        FreeRecords(i);
    CListCtrl::OnDestroy();
}

BOOL CExtListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    if (!InRange(nItem, nSubItem))
        return FALSE;
    const BOOL bOk = CListCtrl::SetItemText(nItem, nSubItem, lpszText);
    RedrawCellOfRow(nItem, nSubItem);
    return bOk;
}

void CExtListCtrl::SetCurSel(int nItem)
{
    SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int CExtListCtrl::GetCurSel() const
{
    return GetNextItem(-1, LVNI_SELECTED);
}

void CExtListCtrl::RedrawCellOfRow(int nItem, int nSubItem)
{
    if (!InRange(nItem, nSubItem) || m_hWnd == nullptr)
        return;
    CRect rc;
    if (GetSubItemRect(nItem, nSubItem, LVIR_BOUNDS, rc)) {
        InvalidateRect(&rc, TRUE);
        UpdateWindow();
    }
}

BOOL CExtListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& rect) const
{
    if (!InRange(iItem, iSubItem))
        return FALSE;
    if (!CListCtrl::GetSubItemRect(iItem, iSubItem, nArea, rect))
        return FALSE;
    if (iSubItem == 0 && CountColumns() >= 2) {
        // The list view gives column 0 the whole row.
        CRect rc1;
        if (CListCtrl::GetSubItemRect(iItem, 1, LVIR_BOUNDS, rc1))
            rect.right = rc1.left;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Attributes

BOOL CExtListCtrl::SetCheckbox(int nItem, int nSubItem, int nCheckedState)
{
    XLISTCTRLDATA* pCell = InRange(nItem, nSubItem) ? Cell(nItem, nSubItem) : nullptr;
    if (pCell == nullptr)
        return FALSE;
    pCell->nCheckedState = std::clamp(nCheckedState, -1, 1);
    RedrawCellOfRow(nItem, nSubItem);
    UpdateHeaderCheck(nSubItem);
    return TRUE;
}

int CExtListCtrl::GetCheckbox(int nItem, int nSubItem) const
{
    const XLISTCTRLDATA* pCell = InRange(nItem, nSubItem) ? Cell(nItem, nSubItem) : nullptr;
    return pCell ? pCell->nCheckedState : -1;
}

BOOL CExtListCtrl::SetEnabled(int nItem, BOOL bEnable)
{
    XLISTCTRLDATA* pCell = Cell(nItem, 0);
    if (pCell == nullptr)
        return FALSE;
    pCell->bEnabled = bEnable;
    for (int k = 0; k < CountColumns(); ++k)
        RedrawCellOfRow(nItem, k);
    return TRUE;
}

BOOL CExtListCtrl::GetEnabled(int nItem) const
{
    const XLISTCTRLDATA* pCell = Cell(nItem, 0);
    return pCell ? pCell->bEnabled : FALSE;
}

BOOL CExtListCtrl::SetBold(int nItem, int nSubItem, BOOL bBold)
{
    XLISTCTRLDATA* pCell = InRange(nItem, nSubItem) ? Cell(nItem, nSubItem) : nullptr;
    if (pCell == nullptr)
        return FALSE;
    pCell->bBold = bBold;
    RedrawCellOfRow(nItem, nSubItem);
    return TRUE;
}

BOOL CExtListCtrl::SetItemColors(int nItem, int nSubItem, COLORREF crText, COLORREF crBackground)
{
    XLISTCTRLDATA* pCell = InRange(nItem, nSubItem) ? Cell(nItem, nSubItem) : nullptr;
    if (pCell == nullptr)
        return FALSE;
    pCell->crText = crText;
    pCell->crBackground = crBackground;
    RedrawCellOfRow(nItem, nSubItem);
    return TRUE;
}

BOOL CExtListCtrl::SetItemImage(int nItem, int nSubItem, int nImage)
{
    XLISTCTRLDATA* pCell = InRange(nItem, nSubItem) ? Cell(nItem, nSubItem) : nullptr;
    if (pCell == nullptr)
        return FALSE;
    pCell->nImage = nImage;
    RedrawCellOfRow(nItem, nSubItem);
    return TRUE;
}

BOOL CExtListCtrl::SetProgress(int nItem, int nSubItem, BOOL bShowProgressText, LPCTSTR lpszProgressText)
{
    XLISTCTRLDATA* pCell = InRange(nItem, nSubItem) ? Cell(nItem, nSubItem) : nullptr;
    if (pCell == nullptr)
        return FALSE;
    pCell->bShowProgress = TRUE;
    pCell->nProgressPercent = 0;
    pCell->bShowProgressMessage = bShowProgressText;
    pCell->strProgressText = lpszProgressText ? lpszProgressText : L"";
    RedrawCellOfRow(nItem, nSubItem);
    return TRUE;
}

BOOL CExtListCtrl::UpdateProgress(int nItem, int nSubItem, int nPercent)
{
    XLISTCTRLDATA* pCell = InRange(nItem, nSubItem) ? Cell(nItem, nSubItem) : nullptr;
    if (pCell == nullptr || !pCell->bShowProgress)
        return FALSE;
    pCell->nProgressPercent = std::clamp(nPercent, 0, 100);
    RedrawCellOfRow(nItem, nSubItem);
    return TRUE;
}

BOOL CExtListCtrl::SetItemToolTipText(int nItem, int nSubItem, LPCTSTR lpszToolTipText)
{
    XLISTCTRLDATA* pCell = InRange(nItem, nSubItem) ? Cell(nItem, nSubItem) : nullptr;
    if (pCell == nullptr)
        return FALSE;
    pCell->strToolTip = lpszToolTipText ? lpszToolTipText : L"";
    return TRUE;
}

CString CExtListCtrl::GetItemToolTipText(int nItem, int nSubItem) const
{
    const XLISTCTRLDATA* pCell = InRange(nItem, nSubItem) ? Cell(nItem, nSubItem) : nullptr;
    return pCell ? pCell->strToolTip : CString();
}

// ---------------------------------------------------------------------------------------------
// Mouse

void CExtListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    LVHITTESTINFO hit{};
    hit.pt = point;
    SubItemHitTest(&hit);
    const int nItem = hit.iItem;
    if (nItem >= 0) {
        const XLISTCTRLDATA* pRow = Cell(nItem, 0);
        // A row without records, or a disabled one, takes no clicks at all.
        if (pRow == nullptr || !pRow->bEnabled)
            return;
        const int nSubItem = hit.iSubItem;
        XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
        if (pCell && pCell->nCheckedState >= 0) {
            pCell->nCheckedState = pCell->nCheckedState ? 0 : 1;
            RedrawCellOfRow(nItem, nSubItem);
            HWND self = m_hWnd;
            if (CWnd* pParent = GetParent())
                pParent->SendMessage(WM_XLISTCTRL_CHECKBOX_CLICKED, WPARAM(nItem), LPARAM(nSubItem));
            if (!::IsWindow(self))
                return;
            UpdateHeaderCheck(nSubItem);
        }
    }
    CListCtrl::OnLButtonDown(nFlags, point);
}

void CExtListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    // A column's header check box checks or clears the column.
    const int nSubItem = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    *pResult = 0;
    const int nHeader = GetHeaderCheck(nSubItem);
    if (nHeader != 1 && nHeader != 2)
        return;
    const int nNew = nHeader == 1 ? 2 : 1;
    SetHeaderCheck(nSubItem, nNew);
    if (m_HeaderCtrl.GetSafeHwnd())
        m_HeaderCtrl.UpdateWindow();
    for (int i = 0; i < GetItemCount(); ++i) {
        XLISTCTRLDATA* pCell = Cell(i, nSubItem);
        if (pCell && pCell->nCheckedState >= 0) {
            pCell->nCheckedState = nNew == 2 ? 1 : 0;
            RedrawCellOfRow(i, nSubItem);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Painting

void CExtListCtrl::OnPaint()
{
    Default();
    if (GetItemCount() != 0)
        return;
    // An empty list says so below its header.
    CClientDC dc(this);
    const int nSaved = dc.SaveDC();
    CRect rc;
    GetClientRect(&rc);
    if (HWND hHeader = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER))) {
        CRect rcHeader;
        ::GetWindowRect(hHeader, &rcHeader);
        ScreenToClient(&rcHeader);
        rc.top = rcHeader.bottom;
    }
    rc.top += 10;
    dc.FillSolidRect(&rc, m_crWindow);
    dc.SetTextColor(m_crWindowText);
    dc.SetBkColor(m_crWindow);
    dc.SelectStockObject(ANSI_VAR_FONT);
    dc.DrawText(EmptyListText(), -1, &rc, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
    dc.RestoreDC(nSaved);
}

void CExtListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pCD = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    switch (pCD->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const int nItem = int(pCD->nmcd.dwItemSpec);
        const int nSubItem = pCD->iSubItem;
        COLORREF crText = m_crWindowText, crBk = m_crWindow;
        if (const XLISTCTRLDATA* pCell = Cell(nItem, nSubItem)) {
            crText = pCell->crText;
            crBk = pCell->crBackground;
        }
        if (const XLISTCTRLDATA* pRow = Cell(nItem, 0); pRow && !pRow->bEnabled)
            crText = m_crGrayText;
        pCD->clrText = crText;
        pCD->clrTextBk = crBk;
        PaintCell(CDC::FromHandle(pCD->nmcd.hdc), nItem, nSubItem, crText, crBk);
        *pResult = CDRF_SKIPDEFAULT;
        return;
    }
    default:
        return;
    }
}

void CExtListCtrl::PaintCell(CDC* pDC, int nItem, int nSubItem, COLORREF crText, COLORREF crBk)
{
    CRect rect;
    if (!GetSubItemRect(nItem, nSubItem, LVIR_BOUNDS, rect))
        return;
    const XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    if (pCell && pCell->bShowProgress)
        DrawProgress(pDC, nItem, nSubItem, rect, crText, crBk, *pCell);
    else if (pCell && pCell->nCheckedState >= 0)
        DrawCheckbox(pDC, nItem, nSubItem, rect, crText, crBk, *pCell);
    else
        DrawCellText(pDC, nItem, nSubItem, rect, crText, crBk, pCell);
}

void CExtListCtrl::SelectionColors(int nItem, int nSubItem, COLORREF& crText, COLORREF& crBk) const
{
    if (!(GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED))
        return;
    const BOOL bFocus = CWnd::GetFocus() == this;
    if (GetExtendedStyle() & LVS_EX_FULLROWSELECT) {
        if (bFocus) {
            crText = m_crHighLightText;
            crBk = m_crHighLight;
        }
    } else if (nSubItem == 0) {
        if (bFocus) {
            crText = m_crHighLightText;
            crBk = m_crHighLight;
        } else if (GetStyle() & LVS_SHOWSELALWAYS) {
            crText = m_crWindowText;
            crBk = m_crBtnFace;
        }
    }
}

UINT CExtListCtrl::ColumnAlignment(int nSubItem) const
{
    HWND hHeader = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (hHeader == nullptr)
        return DT_LEFT;
    HDITEMW hdi{};
    hdi.mask = HDI_FORMAT;
    ::SendMessageW(hHeader, HDM_GETITEMW, WPARAM(nSubItem), reinterpret_cast<LPARAM>(&hdi));
    switch (hdi.fmt & HDF_JUSTIFYMASK) {
    case HDF_CENTER:
        return DT_CENTER;
    case HDF_RIGHT:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}

void CExtListCtrl::DrawCellText(CDC* pDC, int nItem, int nSubItem, CRect rect, COLORREF crText, COLORREF crBk,
                            const XLISTCTRLDATA* pCell)
{
    SelectionColors(nItem, nSubItem, crText, crBk);
    pDC->FillSolidRect(&rect, crBk);
    // The cell's image 6 pixels from the left, the text 6 pixels after it.
    CRect rcText = rect;
    const int nSpacing = m_HeaderCtrl.GetSpacing();
    HIMAGELIST himl = reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, kSmallImageList));
    if (pCell && pCell->nImage >= 0 && himl) {
        int cx = 0, cy = 0;
        ::ImageList_GetIconSize(himl, &cx, &cy);
        const int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(&rect);
        ::ImageList_DrawEx(himl, pCell->nImage, pDC->GetSafeHdc(), rect.left + nSpacing,
                           rect.top + (rect.Height() - cy) / 2, cx, cy, CLR_DEFAULT, CLR_DEFAULT, ILD_TRANSPARENT);
        pDC->RestoreDC(nSaved);
        rcText.left += nSpacing + cx + nSpacing;
    }
    const CString text = GetItemText(nItem, nSubItem);
    CFont boldFont;
    CFont* pOldFont = nullptr;
    if (pCell && pCell->bBold) {
        LOGFONTW lf{};
        if (CFont* pFont = pDC->GetCurrentFont(); pFont && pFont->GetLogFont(&lf)) {
            lf.lfWeight = FW_BOLD;
            if (boldFont.CreateFontIndirect(&lf))
                pOldFont = pDC->SelectObject(&boldFont);
        }
    }
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(crText);
    pDC->DrawText(text, &rcText, ColumnAlignment(nSubItem) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

void CExtListCtrl::DrawCheckbox(CDC* pDC, int nItem, int nSubItem, CRect rect, COLORREF crText, COLORREF crBk,
                                const XLISTCTRLDATA& cell)
{
    SelectionColors(nItem, nSubItem, crText, crBk);
    pDC->FillSolidRect(&rect, crBk);
    const CString text = GetItemText(nItem, nSubItem);
    // A square of the cell's height less 1: centred alone, 9 pixels in before a text.
    const int nSize = std::max(0, rect.Height() - 1);
    CRect box(CPoint(text.IsEmpty() ? rect.left + (rect.Width() - nSize) / 2 : rect.left + 9, rect.top),
              CSize(nSize, nSize));
    pDC->FillSolidRect(&box, m_crWindow);
    pDC->DrawEdge(&box, EDGE_SUNKEN, BF_RECT);
    if (cell.nCheckedState == 1) {
        // The tick: four 3-pixel strokes down to the right, then three up.
        const XLISTCTRLDATA* pRow = Cell(nItem, 0);
        const COLORREF crTick = pRow && !pRow->bEnabled ? m_crGrayText : RGB(0, 0, 0);
        const int x = box.left + (nSize - 7) / 2;
        const int y = box.top + (nSize - 7) / 2 + 1;
        for (int i = 0; i < 7; ++i) {
            const int top = i < 4 ? y + 1 + i : y + 4 - (i - 3);
            pDC->FillSolidRect(x + i, top, 1, 3, crTick);
        }
    }
    if (!text.IsEmpty()) {
        CRect rcText = rect;
        rcText.left = box.right + 4;
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(crText);
        pDC->DrawText(text, &rcText, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

void CExtListCtrl::DrawProgress(CDC* pDC, int /*nItem*/, int /*nSubItem*/, CRect rect, COLORREF crText,
                                COLORREF crBk, const XLISTCTRLDATA& cell)
{
    pDC->FillSolidRect(&rect, crBk);
    CRect rc(rect.left + 1, rect.top, rect.right - 2, rect.bottom - 1);
    pDC->FrameRect(&rc, CBrush::FromHandle(::GetSysColorBrush(COLOR_BTNSHADOW)));
    CRect inside = rc;
    inside.DeflateRect(1, 1);
    pDC->FillSolidRect(&inside, RGB(224, 224, 224));
    pDC->FillSolidRect(inside.left, inside.top, inside.Width(), 1, RGB(0, 0, 0));
    pDC->FillSolidRect(inside.left, inside.top, 1, inside.Height(), RGB(0, 0, 0));
    CRect bar = inside;
    bar.left = rc.left + 2;
    bar.right = bar.left + (rc.Width() - 2) * cell.nProgressPercent / 100;
    if (cell.nProgressPercent > 0)
        pDC->FillSolidRect(&bar, m_crHighLight);
    if (!cell.bShowProgressMessage)
        return;
    CString text;
    text.Format(cell.strProgressText.IsEmpty() ? L"%d%%" : static_cast<LPCTSTR>(cell.strProgressText),
                cell.nProgressPercent);
    pDC->SetBkMode(TRANSPARENT);
    const UINT fmt = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    // Over the bar in the background colour, over the rest in the text colour.
    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&bar);
    pDC->SetTextColor(crBk);
    pDC->DrawText(text, &rc, fmt);
    pDC->RestoreDC(nSaved);
    nSaved = pDC->SaveDC();
    pDC->ExcludeClipRect(&bar);
    pDC->SetTextColor(crText);
    pDC->DrawText(text, &rc, fmt);
    pDC->RestoreDC(nSaved);
}
