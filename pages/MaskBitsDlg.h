// CMaskBitsDlg: a 16-bit mask set bit by bit, one check box per bit.
#pragma once

#include "platform/ui/dialogs/Dlg.h"

class CMaskBitsDlg : public CDialog {
public:
    explicit CMaskBitsDlg(CWnd* pParent = nullptr);

    CString m_strMask;  // four hexadecimal digits, in and out

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};

constexpr UINT IDC_MASK_BIT0 = 1215;  // bit n is check box 1215 + n
