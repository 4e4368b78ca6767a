// CDialog: a window built from a dialog template, modal (DoModal runs its own message loop
// until EndDialog) or modeless (Create). Data moves between members and controls through
// DoDataExchange/UpdateData (see Ddx.h).
#pragma once

#include "platform/base/Exceptions.h"
#include "platform/base/ResourceTables.h"
#include "platform/ui/dialogs/DlgManager.h"
#include "platform/ui/core/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // ---- modeless ----
    using CWnd::Create;
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // The template must stay valid while the dialog is built (it is not used afterwards).
    BOOL CreateIndirect(const DialogTemplate* pTemplate, CWnd* pParentWnd = nullptr);

    // ---- modal ----
    // Builds the dialog over its parent (or the active window), disables that window and runs
    // the modal loop. Returns the EndDialog result, or -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    // DoModal uses this template instead of the one found by id.
    BOOL InitModalIndirect(const DialogTemplate* pTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    // ---- overridables ----
    // The base fills lists from the template's initial data, then exchanges data into the
    // controls (UpdateData(FALSE)); TRUE: focus goes to the first tab stop.
    virtual BOOL OnInitDialog();
    // UpdateData(TRUE), then EndDialog(IDOK) when the exchange succeeded.
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnSetFont(CFont*) {}
    virtual void DoDataExchange(CDataExchange*) {}

    // Moves data between members and controls; on a failed validation returns FALSE (the
    // message has been shown and the control focused).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // ---- controls ----
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    // The id of the checked button among nIDFirst..nIDLast; 0 for none.
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDHelp = 0;
    UINT m_nIDTemplate = 0;
    const DialogTemplate* m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;

protected:
    // Makes the window and its controls and sends WM_INITDIALOG; the window stays hidden.
    BOOL CreateDlgIndirect(const DialogTemplate* pTemplate, CWnd* pParentWnd);
    const DialogTemplate* FindTemplate() const;
    // The window a modal dialog is owned by (and disables): the top level of the parent.
    HWND PreModal();

    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    void HandleOK() { OnOK(); }
    void HandleCancel() { OnCancel(); }

    DECLARE_MESSAGE_MAP()
};

// Thrown (as a pointer) by CDataExchange::Fail to stop an exchange; the user was told already.
class CUserException : public CException {
public:
    using CException::CException;
};
[[noreturn]] void AfxThrowUserException();
