// cdxCDynamicBar: a caption sizing bar that hosts a dynamic bar dialog, which always fills its
// client area. The bar's sizes start at the dialog's template size plus the bar's frame, and
// the dialog's commands and command updates come before the bar's own.
//
// Docked at the top or bottom, the bar may be shortened below that size down to what its
// dialog's visible controls take (from the dialog's left edge to the right edge of the last
// control, with the first control's left margin again after it), so that bars whose controls
// are made at run time share one row with their neighbours instead of breaking it.
//
// The bar does not own the dialog: a derived bar holds it as a member and sets m_pDynDlg.
#pragma once

#include "controls/DynamicDialog.h"
#include "controls/SizingControlBarCF.h"

class cdxCDynamicBar : public CSizingControlBarCF {
    DECLARE_DYNAMIC(cdxCDynamicBar)
public:
    explicit cdxCDynamicBar(cdxCDynamicBarDlg* pDlg = nullptr) : m_pDynDlg(pDlg) {}

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    int MinLength(BOOL bHorz) const override;

    cdxCDynamicBarDlg* m_pDynDlg;

protected:
    // The hosted dialog exists and has its window.
    BOOL IsDialogLive() const { return m_pDynDlg != nullptr && m_pDynDlg->IsWindowLive(); }
    // The width the dialog's visible controls take; 0 without any.
    int ContentWidth() const;

    int OnCreate(LPCREATESTRUCT lpcs);

    DECLARE_MESSAGE_MAP()
};
