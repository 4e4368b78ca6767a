// CSelectBlockDlg: "Select Block", the list of the diagram's elements by their names; choosing
// one (by the list or by typing the start of its name) moves the view to it.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"
#include "platform/ui/dialogs/Dlg.h"

#include <map>
#include <vector>

class CTavixView;
class CTavixDoc;
class CBlockObj;

constexpr UINT IDC_SELECT_SEARCH = 1040;
constexpr UINT IDC_SELECT_LIST = 1230;

class CSelectBlockDlg : public CDialog {
public:
    CSelectBlockDlg(CTavixView* pView, CWnd* pParent = nullptr);

    // The list text and the sort key of an element; FALSE for elements the list leaves out.
    static BOOL DescribeElement(const CTavixDoc& doc, const CBlockObj& block, CString* pText, CString* pKey);

    // The element numbers in list order (for tests and the selection).
    const std::vector<int>& GetNumbers() const { return m_numbers; }

protected:
    BOOL OnInitDialog() override;
    void OnSearchChanged();
    void OnSelChange();
    void OnDblClk();
    void GoTo(int index);
    DECLARE_MESSAGE_MAP()

    CTavixView* m_pView;
    CListBox m_list;
    std::vector<int> m_numbers;   // list position -> element number
};
