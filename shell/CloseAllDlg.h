// CCloseAllDlg: "Close All" at exit. It lists the modified programs, each with a check box that
// says whether to save it; unchecked programs close without saving. The list paints the check
// boxes itself and reports a click on one with WM_XLISTCTRL_CHECKBOX_CLICKED.
#pragma once

#include "controls/ExtListCtrl.h"
#include "platform/ui/controls/CtlImageList.h"
#include "platform/ui/dialogs/Dlg.h"

class CCloseAllDlg : public CDialog
{
public:
    enum { kMaxEntries = 200 };
    explicit CCloseAllDlg(CWnd* pParent = nullptr);

    // Stores a title with save flag 0; FALSE when the table is full.
    BOOL AddDocument(LPCTSTR lpszTitle);
    int GetCount() const { return m_nCount; }
    BOOL GetSaveFlag(int nIndex) const { return nIndex >= 0 && nIndex < m_nCount && m_entries[nIndex].bSave; }

    struct Entry {
        CString strTitle;
        BOOL bSave = FALSE;
    };
    Entry m_entries[kMaxEntries];
    CExtListCtrl m_list;
    CImageList m_headerImages;
    BOOL m_bSelectAll = FALSE;
    int m_nCount = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSelectAll();
    LRESULT OnCheckboxClicked(WPARAM wParam, LPARAM lParam);
    LRESULT OnComboSelection(WPARAM wParam, LPARAM lParam);
    void OnListNotify(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
