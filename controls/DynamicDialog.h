// Dialogs with the dynamic layout: cdxCDynamicDialog (children follow the dialog's edges,
// its place can be kept in the profile), cdxCDynamicChildDlg (a child dialog: scrolls when made
// smaller than its template, keeps no place) and cdxCDynamicBarDlg (the dialog inside a docking
// bar: Enter, Esc and Close never end it, and its controls take their states from the command
// update handlers).
#pragma once

#include "controls/DynamicWnd.h"
#include "platform/ui/dialogs/Dlg.h"

class CFrameWnd;

class cdxCDynamicDialog : public CDialog, public DynamicLayoutBase {
    DECLARE_DYNAMIC(cdxCDynamicDialog)
public:
    explicit cdxCDynamicDialog(UINT nIDTemplate = 0, CWnd* pParentWnd = nullptr, int nFreedom = FreeBoth,
                               UINT nFlags = WithSizeGrip);

    // Derived dialogs call this first from their own OnInitDialog.
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

protected:
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnDestroy();
    void OnParentNotify(UINT message, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    void OnSizing(UINT fwSide, LPRECT pRect);
    void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()
};

class cdxCDynamicChildDlg : public cdxCDynamicDialog {
    DECLARE_DYNAMIC(cdxCDynamicChildDlg)
public:
    explicit cdxCDynamicChildDlg(UINT nIDTemplate = 0, CWnd* pParentWnd = nullptr, int nFreedom = FreeBoth,
                                 UINT nFlags = 0);
};

class cdxCDynamicBarDlg : public cdxCDynamicChildDlg {
    DECLARE_DYNAMIC(cdxCDynamicBarDlg)
public:
    explicit cdxCDynamicBarDlg(UINT nIDTemplate = 0, CWnd* pParentWnd = nullptr, int nFreedom = FreeBoth,
                               UINT nFlags = 0);

    // Creates the dialog modeless from its template as a child of pParent.
    virtual BOOL Create(CWnd* pParent);
    using CDialog::Create;
    // The dialog's controls take their states from the update handlers of pTarget.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

    void OnOK() override {}
    void OnCancel() override {}

    UINT m_nBarTemplate;

protected:
    void OnClose();

    DECLARE_MESSAGE_MAP()
};
