// Creation and item helpers of the tab, header, list view and tree view objects.
#include "platform/ui/controls/CtlViewClasses.h"

#include <vector>

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

namespace {
BOOL CreateControl(CWnd* w, LPCTSTR cls, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return w->CWnd::Create(cls, L"", style, rect, parent, id);
}
}  // namespace

// ---- CTabCtrl ----

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_TABCONTROLW, dwStyle, rect, pParentWnd, nID);
}

HIMAGELIST CTabCtrl::SetImageList(CImageList* pImageList)
{
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr)));
}

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEMW it{};
    it.mask = nMask;
    it.pszText = const_cast<LPWSTR>(lpszItem);
    it.iImage = nImage;
    it.lParam = lParam;
    return InsertItem(nItem, &it);
}

CSize CTabCtrl::SetItemSize(CSize size)
{
    LRESULT r = SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(WORD(size.cx), WORD(size.cy)));
    return CSize(int(SHORT(LOWORD(r))), int(SHORT(HIWORD(r))));
}

// ---- CHeaderCtrl ----

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_HEADERW, dwStyle, rect, pParentWnd, nID);
}

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    SendMessage(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr));
    return nullptr;
}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        m_bNoDrawItem = FALSE;
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return !m_bNoDrawItem;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        m_bNoDrawItem = FALSE;
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return !m_bNoDrawItem;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CListCtrl ----

namespace {
// The C++ object of a rename box: `slot` follows the box the control has open now.
CEdit* AttachEdit(CEdit& slot, HWND h)
{
    if (slot.m_hWnd != h && slot.m_hWnd)
        slot.Detach();
    if (!h)
        return nullptr;
    if (slot.m_hWnd != h)
        slot.Attach(h);
    return &slot;
}
}  // namespace

CListCtrl::~CListCtrl()
{
    if (m_header.m_hWnd)
        m_header.Detach();
    if (m_edit.m_hWnd)
        m_edit.Detach();
}

CEdit* CListCtrl::EditLabel(int nItem)
{
    return AttachEdit(m_edit, reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELW, WPARAM(nItem))));
}

CEdit* CListCtrl::GetEditControl() const
{
    return AttachEdit(m_edit, reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL)));
}

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount) const
{
    if (iCount < 0)
        iCount = GetHeaderCtrl() ? GetHeaderCtrl()->GetItemCount() : 0;
    return BOOL(SendMessage(LVM_GETCOLUMNORDERARRAY, WPARAM(iCount), reinterpret_cast<LPARAM>(piArray)));
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_LISTVIEWW, dwStyle, rect, pParentWnd, nID);
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    SendMessage(LVM_SETIMAGELIST, WPARAM(nImageListType),
                reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr));
    return nullptr;
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    LVITEMW it{};
    it.mask = nMask;
    it.iItem = nItem;
    it.iSubItem = nSubItem;
    it.pszText = const_cast<LPWSTR>(lpszItem);
    it.iImage = nImage;
    it.state = nState;
    it.stateMask = nStateMask;
    it.lParam = lParam;
    return SetItem(&it);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam)
{
    LVITEMW it{};
    it.mask = nMask;
    it.iItem = nItem;
    it.pszText = const_cast<LPWSTR>(lpszItem);
    it.state = nState;
    it.stateMask = nStateMask;
    it.iImage = nImage;
    it.lParam = lParam;
    return InsertItem(&it);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEMW it{};
    it.iSubItem = nSubItem;
    it.pszText = const_cast<LPWSTR>(lpszText);
    return BOOL(SendMessage(LVM_SETITEMTEXTW, WPARAM(nItem), reinterpret_cast<LPARAM>(&it)));
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEMW it{};
    it.iSubItem = nSubItem;
    it.pszText = lpszText;
    it.cchTextMax = nLen;
    return int(SendMessage(LVM_GETITEMTEXTW, WPARAM(nItem), reinterpret_cast<LPARAM>(&it)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // grows the buffer until the text fits
    for (int size = 256; size <= (1 << 20); size *= 4) {
        std::vector<wchar_t> buf(size_t(size), 0);
        int n = GetItemText(nItem, nSubItem, buf.data(), size);
        if (n < size - 1)
            return CString(buf.data());
    }
    return CString();
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMW it{};
    it.mask = LVIF_PARAM;
    it.iItem = nItem;
    return GetItem(&it) ? DWORD_PTR(it.lParam) : 0;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMW it{};
    it.state = nState;
    it.stateMask = nMask;
    return BOOL(SendMessage(LVM_SETITEMSTATE, WPARAM(nItem), reinterpret_cast<LPARAM>(&it)));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (!lpRect)
        return FALSE;
    lpRect->left = LONG(nCode);
    return BOOL(SendMessage(LVM_GETITEMRECT, WPARAM(nItem), reinterpret_cast<LPARAM>(lpRect)));
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    RECT r{nArea, iSubItem, 0, 0};
    BOOL ok = BOOL(SendMessage(LVM_GETSUBITEMRECT, WPARAM(iItem), reinterpret_cast<LPARAM>(&r)));
    ref = CRect(r);
    return ok;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO ht{pt, 0, -1, 0};
    int i = HitTest(&ht);
    if (pFlags)
        *pFlags = ht.flags;
    return i;
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNW c{};
    c.mask = LVCF_FMT | LVCF_TEXT;
    c.fmt = nFormat;
    c.pszText = const_cast<LPWSTR>(lpszColumnHeading);
    if (nWidth != -1) {
        c.mask |= LVCF_WIDTH;
        c.cx = nWidth;
    }
    if (nSubItem != -1) {
        c.mask |= LVCF_SUBITEM;
        c.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &c);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    HWND h = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (!h)
        return nullptr;
    if (m_header.m_hWnd != h) {
        if (m_header.m_hWnd)
            m_header.Detach();
        m_header.Attach(h);
    }
    return &m_header;
}

// ---- CTreeCtrl ----

CTreeCtrl::~CTreeCtrl()
{
    if (m_edit.m_hWnd)
        m_edit.Detach();
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem)
{
    return AttachEdit(m_edit, reinterpret_cast<HWND>(SendMessage(TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(hItem))));
}

CEdit* CTreeCtrl::GetEditControl() const
{
    return AttachEdit(m_edit, reinterpret_cast<HWND>(SendMessage(TVM_GETEDITCONTROL)));
}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, WC_TREEVIEWW, dwStyle, rect, pParentWnd, nID);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent,
                      hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTW ins{};
    ins.hParent = hParent;
    ins.hInsertAfter = hInsertAfter;
    ins.item.mask = nMask;
    ins.item.pszText = const_cast<LPWSTR>(lpszItem);
    ins.item.iImage = nImage;
    ins.item.iSelectedImage = nSelectedImage;
    ins.item.state = nState;
    ins.item.stateMask = nStateMask;
    ins.item.lParam = lParam;
    return InsertItem(&ins);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEMW it{};
    it.mask = TVIF_CHILDREN | TVIF_HANDLE;
    it.hItem = hItem;
    return GetItem(&it) && it.cChildren != 0;
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    for (int size = 256; size <= (1 << 20); size *= 4) {
        std::vector<wchar_t> buf(size_t(size), 0);
        TVITEMW it{};
        it.mask = TVIF_TEXT | TVIF_HANDLE;
        it.hItem = hItem;
        it.pszText = buf.data();
        it.cchTextMax = size;
        if (!GetItem(&it))
            return CString();
        if (int(wcslen(buf.data())) < size - 1)
            return CString(buf.data());
    }
    return CString();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    TVITEMW it{};
    it.mask = TVIF_TEXT | TVIF_HANDLE;
    it.hItem = hItem;
    it.pszText = const_cast<LPWSTR>(lpszItem);
    return SetItem(&it);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMW it{};
    it.mask = TVIF_PARAM | TVIF_HANDLE;
    it.hItem = hItem;
    return GetItem(&it) ? DWORD_PTR(it.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    TVITEMW it{};
    it.mask = TVIF_PARAM | TVIF_HANDLE;
    it.hItem = hItem;
    it.lParam = LPARAM(dwData);
    return SetItem(&it);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEMW it{};
    it.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    it.hItem = hItem;
    if (!GetItem(&it))
        return FALSE;
    nImage = it.iImage;
    nSelectedImage = it.iSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEMW it{};
    it.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    it.hItem = hItem;
    it.iImage = nImage;
    it.iSelectedImage = nSelectedImage;
    return SetItem(&it);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEMW it{};
    it.mask = TVIF_STATE | TVIF_HANDLE;
    it.hItem = hItem;
    it.state = nState;
    it.stateMask = nStateMask;
    return SetItem(&it);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    if (!lpRect)
        return FALSE;
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return BOOL(SendMessage(TVM_GETITEMRECT, WPARAM(bTextOnly), reinterpret_cast<LPARAM>(lpRect)));
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    SendMessage(TVM_SETIMAGELIST, WPARAM(nImageListType),
                reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr));
    return nullptr;
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO ht{pt, 0, nullptr};
    HTREEITEM h = HitTest(&ht);
    if (pFlags)
        *pFlags = ht.flags;
    return h;
}
