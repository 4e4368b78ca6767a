// CSetCoilStateDlg: "Set Coil State": the coils a write block sets, one check box per coil, into
// the two data words as hexadecimal texts.
#pragma once

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/dialogs/Dlg.h"

class CSetCoilStateDlg : public CDialog {
public:
    explicit CSetCoilStateDlg(CWnd* pParent = nullptr);

    int m_nCommand = 0;     // 0 single coil, 2 multiple coils
    int m_nCount = 1;
    CString m_strFirst;     // coils 0..15
    CString m_strSecond;    // coils 16..31

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
