// CGeneral: the "General" page of the program properties: descriptive texts about the program
// and "Show at new file", which makes File New open the properties of the new program.
#pragma once

#include "platform/ui/dialogs/PropSheet.h"

class CGeneral : public CPropertyPage
{
public:
    CGeneral();

    // Each text holds at most this many characters.
    enum { maxText = 60 };

    CString m_strCreator;
    CString m_strProjectName;
    CString m_strInstallationName;
    CString m_strCustomer;
    CString m_strDiagramNo;
    CString m_strChecked;
    CString m_strVersion1;
    CString m_strVersion2;
    CString m_strVersion3;
    int m_bShowPropertiesAtNew = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
