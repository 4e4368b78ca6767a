#include "shell/ProgramPropsComment.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"

CProgramComment::CProgramComment() : CPropertyPage(IDD_PROPS_COMMENT)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

void CProgramComment::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PP_COMMENT_EDIT, m_strText);
}
