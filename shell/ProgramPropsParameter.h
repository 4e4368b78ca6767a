// CParameter: the "Parameter" page of the program properties: program name, program password,
// redundancy and, on the newer device families (machine type 'Q' and up), how the analog
// outputs behave in STOP mode and the value range types of the analog outputs and of AI0/AI1.
// The analog output tables are edited in two dialogs on copies the page holds; the sheet takes
// them into the program only when it closes with OK.
#pragma once

#include "platform/ui/dialogs/PropSheet.h"

class CTavixDoc;

class CParameter : public CPropertyPage
{
public:
    enum { aqCount = 32, minSyncTime = 1000, maxSyncTime = 3600000, maxName = 13, maxPassword = 8 };

    explicit CParameter(CTavixDoc* pDoc = nullptr);

    int m_nRedundancy = 0;       // 0 none, 1 master, 2 slave
    int m_nSyncTime = 5000;      // ms
    CString m_strPassword;       // typed current password; after OK the program's new password
    CString m_strProgramName;
    CString m_strNewPassword;
    CString m_strRepeatPassword;
    int m_nAI0Range = 0;         // 0 "0-20 mA / 0-10V", 1 "4-20 mA"
    int m_nAI1Range = 0;
    // Copies of the program's analog output settings (newer families only).
    int m_bKeepLastAQ = 0;
    BYTE m_abAQRangeType[aqCount] = {};
    double m_adAQFixedValue[aqCount] = {};
    // Set by the page's OK step: the copies above hold what the user confirmed.
    BOOL m_bApplied = FALSE;

    // Cuts `text` before its first character outside A-Z (bDigits: A-Z and 0-9); TRUE when cut.
    static BOOL CutAtInvalid(CString& text, BOOL bDigits);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    void OnChangePassword(UINT nID);
    void OnChangeProgramName();
    void OnKeepLastValues();
    void OnAnalogRangeType();
    void OnAnalogFixedValue();

    CTavixDoc* m_pDoc;
    bool m_bFixing = false;  // while an edit's text is being cut back

    DECLARE_MESSAGE_MAP()
};
