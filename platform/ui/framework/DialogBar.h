// CDialogBar: a control bar whose window is built from a dialog template, so its controls are
// laid out in dialog units like any dialog's. Its controls take their enabled and checked state
// from the frame's command-update handlers at idle time, as toolbar buttons do.
#pragma once

#include "platform/base/ResourceTables.h"
#include "platform/ui/framework/ControlBar.h"

class CDialogBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    ~CDialogBar() override;

    // Builds the bar from dialog template nIDTemplate (found through the resource finder) as
    // a child of pParentWnd; nStyle holds CBRS_* and WS_* bits. FALSE when the template is
    // missing or the window or one of its controls cannot be made.
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);
    BOOL CreateIndirect(CWnd* pParentWnd, const DialogTemplate* pTemplate, UINT nStyle, UINT nID);
    using CWnd::Create;

    // The template's size; as long as the whole side when bStretch.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    CSize m_sizeDefault;
};
