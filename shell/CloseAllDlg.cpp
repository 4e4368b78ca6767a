#include "shell/CloseAllDlg.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/App.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CCloseAllDlg, CDialog)
    ON_CONTROL(BN_CLICKED, IDC_CLOSEALL_SELECT_ALL, OnSelectAll)
    ON_REGISTERED_MESSAGE(WM_XLISTCTRL_CHECKBOX_CLICKED, OnCheckboxClicked)
    ON_REGISTERED_MESSAGE(WM_XLISTCTRL_COMBO_SELECTION, OnComboSelection)
    ON_NOTIFY(NM_CLICK, IDC_CLOSEALL_LIST, OnListNotify)
    ON_NOTIFY(NM_DBLCLK, IDC_CLOSEALL_LIST, OnListNotify)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_CLOSEALL_LIST, OnListNotify)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_CLOSEALL_LIST, OnListNotify)
END_MESSAGE_MAP()

CCloseAllDlg::CCloseAllDlg(CWnd* pParent) : CDialog(IDD_CLOSE_ALL, pParent) {}

BOOL CCloseAllDlg::AddDocument(LPCTSTR lpszTitle)
{
    if (m_nCount >= kMaxEntries)
        return FALSE;
    m_entries[m_nCount].strTitle = lpszTitle;
    m_entries[m_nCount].bSave = FALSE;
    ++m_nCount;
    return TRUE;
}

BOOL CCloseAllDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_CLOSEALL_LIST, this);
    // The list draws its own check boxes in the cells, so the list view's are not asked for.
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    CRect rc;
    m_list.GetClientRect(&rc);
    const int w = rc.Width() - 2;
    const int saveWidth = 14 * w / 64;
    m_list.InsertColumn(0, AfxLoadString(IDS_CLOSEALL_SAVE_COLUMN), LVCFMT_LEFT, saveWidth);
    m_list.InsertColumn(1, AfxLoadString(IDS_CLOSEALL_NAME_COLUMN), LVCFMT_LEFT, w - saveWidth - 2);
    if (m_headerImages.Create(IDB_CLOSEALL_HEADER, 16, 3, RGB(255, 0, 255))) {
        CHeaderCtrl& header = m_list.GetXHeader();
        header.SetImageList(&m_headerImages);
        for (int i = 0; i < 2; ++i) {
            HDITEMW item{};
            item.mask = HDI_FORMAT | HDI_IMAGE;
            header.GetItem(i, &item);
            item.fmt |= HDF_IMAGE;
            item.iImage = 0;
            header.SetItem(i, &item);
        }
    }
    m_list.SetRedraw(FALSE);
    for (int i = 0; i < m_nCount; ++i) {
        m_list.InsertItem(i, L"");
        m_list.SetCheckbox(i, 0, 0);
        m_list.SetItemText(i, 1, m_entries[i].strTitle);
    }
    m_list.SetRedraw(TRUE);
    return TRUE;
}

LRESULT CCloseAllDlg::OnCheckboxClicked(WPARAM wParam, LPARAM)
{
    // A click on a row's check box: the entry's save flag follows it.
    const int row = int(wParam);
    if (row >= 0 && row < m_nCount && !m_entries[row].strTitle.IsEmpty())
        m_entries[row].bSave = m_list.GetCheckbox(row, 0) == 1;
    return 0;
}

LRESULT CCloseAllDlg::OnComboSelection(WPARAM, LPARAM)
{
    return 0;
}

void CCloseAllDlg::OnListNotify(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CCloseAllDlg::OnSelectAll()
{
    m_bSelectAll = !m_bSelectAll;
    for (int i = 0; i < m_nCount; ++i) {
        m_list.SetCheckbox(i, 0, m_bSelectAll ? 1 : 0);
        m_entries[i].bSave = m_bSelectAll;
    }
}

void CCloseAllDlg::OnOK()
{
    // What the boxes show is what is saved.
    for (int i = 0; i < m_nCount && i < m_list.GetItemCount(); ++i)
        m_entries[i].bSave = m_list.GetCheckbox(i, 0) == 1;
    CDialog::OnOK();
}
