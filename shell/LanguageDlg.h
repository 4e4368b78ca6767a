// CLanguageDlg: Options > Language. The choice applies from the next start; choosing another
// language than the running one says so.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"
#include "platform/ui/dialogs/Dlg.h"

class CLanguageDlg : public CDialog
{
public:
    explicit CLanguageDlg(CWnd* pParent = nullptr);

    int m_nMode = 2;      // the Language command uses 2
    int m_nIndex = 0;     // selected index: 0 English, 1 Simplified Chinese
    int m_nCurrent = 0;   // the frame's language index, to tell a change

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
