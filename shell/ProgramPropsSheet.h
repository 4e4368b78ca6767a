// CPropertiesPropSh: the modal "Properties" sheet of one program: general data, comment,
// parameters, protection, the three communication ports, the start-up logo and display, and
// the target hardware. The sheet is given the program; LoadFrom copies its settings into the
// pages and SaveTo copies the pages back once the sheet has ended with OK.
#pragma once

#include "platform/ui/dialogs/PropSheet.h"
#include "shell/ProgramPropsCom.h"
#include "shell/ProgramPropsComment.h"
#include "shell/ProgramPropsGeneral.h"
#include "shell/ProgramPropsHardware.h"
#include "shell/ProgramPropsLogo.h"
#include "shell/ProgramPropsParameter.h"
#include "shell/ProgramPropsProtect.h"

class CTavixDoc;

class CPropertiesPropSh : public CPropertySheet
{
public:
    enum { pageGeneral = 0, pageComment, pageParameter, pageProtect, pageCom0, pageCom1, pageCom2, pageLogo,
           pageHardware, pageCount };
    // Start page requests of the main frame.
    enum { startGeneral = 0, startHardware = 1, startParameter = 2 };

    CPropertiesPropSh(CTavixDoc* pDoc, CWnd* pParent = nullptr, int nStartRequest = startGeneral);

    void LoadFrom(const CTavixDoc& doc);
    void SaveTo(CTavixDoc& doc) const;

    CGeneral m_general;
    CProgramComment m_comment;
    CParameter m_parameter;
    CProtect m_protect;
    CComSetting m_com[3];
    CStartUpBmp m_logo;
    CSelectHardware m_hardware;

protected:
    BOOL OnInitDialog() override;

    CString m_titles[pageCount];
    // The analog output settings as loaded, to tell whether the page changed them.
    int m_bLoadedKeepLastAQ = 0;
    BYTE m_abLoadedTypes[CParameter::aqCount] = {};
    double m_adLoadedValues[CParameter::aqCount] = {};
};

// Runs the sheet on a program. OK writes every page into it; when that changed the program it
// is marked modified and the change becomes one undo step. Cancel leaves it untouched.
// Returns the sheet's result (IDOK or IDCANCEL).
INT_PTR RunProgramProperties(CTavixDoc* pDoc, CWnd* pParent, int nStartRequest);
