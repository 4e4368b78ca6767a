// CComConfigDlg: chooses the COM port the device is reached through, and tests the link with
// the chosen port. The ports are listed from the system's serial devices without opening any.
#pragma once

#include "platform/ui/dialogs/Dlg.h"

class CTransferEngine;

class CComConfigDlg : public CDialog
{
public:
    CComConfigDlg(CTransferEngine& engine, CWnd* pParent = nullptr);

    int m_nPort = -1;  // the chosen port: -1 none yet, 0 none found

protected:
    BOOL OnInitDialog() override;
    void OnSelectPort();
    void OnConnect();
    void OnAutoDetect();
    // The port number of the list's selection, 0 when nothing is selected.
    int SelectedPort();

    CTransferEngine& m_engine;

    DECLARE_MESSAGE_MAP()
};
